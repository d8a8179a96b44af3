// The desktop loop's display-free parts: which keys reach the game, and how
// the real clock is turned into steps of the timer table.
#include <gtest/gtest.h>

#include <SDL_keyboard.h>

#include "game.h"
#include "loop_logic.h"
#include "timers.h"

namespace {

TEST(DesktopKeys, OnlyTheGamesKeysAreTranslated) {
    const struct {
        SDL_Keycode key;
        int expected;
    } cases[] = {
        {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN}, {SDLK_SPACE, VK_SPACE}, {SDLK_LEFT, VK_LEFT},
        {SDLK_UP, VK_UP},         {SDLK_RIGHT, VK_RIGHT},     {SDLK_DOWN, VK_DOWN},   {SDLK_ESCAPE, 0},
        {SDLK_a, 0},              {SDLK_KP_4, 0},             {SDLK_LSHIFT, 0},       {SDLK_TAB, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(TranslateKey(c.key), c.expected) << SDL_GetKeyName(c.key);
}

TEST(DesktopClock, StepsAtEachBaseBoundaryAndMergesAStall) {
    const struct {
        int64_t last, now, due;
    } cases[] = {
        {0, 0, -1},             // nothing has passed yet
        {0, 15624, -1},         // one microsecond short
        {0, 15625, 15625},      // exactly on the boundary
        {0, 20000, 15625},      // a little after it
        {15625, 31249, -1},     // already stepped
        {15625, 990000, 984375},  // a stall of a second: one step, to the latest boundary
    };
    for (const auto& c : cases) EXPECT_EQ(DueBoundary(c.last, c.now), c.due) << c.last << " " << c.now;
}

TEST(DesktopClock, WaitsUntilTheNextBoundaryRoundedUp) {
    const struct {
        int64_t last, now;
        uint32_t ms;
    } cases[] = {
        {0, 0, 16},          // 15.625 ms ahead
        {0, 14625, 1},       // exactly 1 ms ahead
        {0, 14626, 1},       // just under 1 ms ahead: still sleep, not spin
        {0, 15625, 0},       // due now
        {0, 40000, 0},       // overdue
        {15625, 15626, 16},  // just stepped
    };
    for (const auto& c : cases) EXPECT_EQ(WaitMs(c.last, c.now), c.ms) << c.last << " " << c.now;

    // Sleeping as told always lands on or after the boundary, so the loop
    // never wakes early and spins.
    for (int64_t now = 15625; now < 31250; now += 7) {
        const uint32_t ms = WaitMs(15625, now);
        ASSERT_GT(ms, 0u);
        EXPECT_EQ(DueBoundary(15625, now + int64_t{ms} * 1000), 31250) << now;
    }
}

int fires[MAX_TIMERS];
void CountFire(int id) {
    fires[id]++;
}

// The loop as the program runs it, on a simulated clock: sleep as WaitMs
// says (waking a little late, as a real sleep does), step when due, until
// the step at or after untilUs.
int64_t Simulate(int64_t& now, int64_t& last, int64_t untilUs) {
    int64_t steps = 0;
    for (;;) {
        const int64_t due = DueBoundary(last, now);
        if (due >= 0) {
            last = due;
            TimersStep(due, CountFire);
            steps++;
            continue;
        }
        if (now >= untilUs) break;
        now += int64_t{WaitMs(last, now)} * 1000 + (now * 7919) % 700;  // 0 to 0.7 ms late
    }
    return steps;
}

TEST(DesktopClock, FastTimersFireSixtyFourTimesASecondAndOnceAfterAStall) {
    TimersReset();
    for (int& f : fires) f = 0;
    TimersArm(TIMER_TICK, FAST_TIMER_PERIOD);
    TimersArm(TIMER_MOVE_LEFT, FAST_TIMER_PERIOD);
    TimersArm(TIMER_SPAWN, 1000);
    int64_t now = 0;
    int64_t last = 0;
    EXPECT_EQ(Simulate(now, last, 10'000'000), 640);
    EXPECT_EQ(fires[TIMER_TICK], 640);
    EXPECT_EQ(fires[TIMER_MOVE_LEFT], 640);
    EXPECT_EQ(fires[TIMER_SPAWN], 10);

    // The machine stalls for 2 s: the next step catches up once, not 128 times.
    now += 2'000'000;
    EXPECT_EQ(Simulate(now, last, now), 1);
    EXPECT_EQ(fires[TIMER_TICK], 641);
    EXPECT_EQ(fires[TIMER_SPAWN], 11);
    // And the rhythm carries on from there.
    EXPECT_EQ(Simulate(now, last, last + 1'000'000), 64);
}

}  // namespace
