// The shared timer table: order, merging after a stall, restarting, clamping.
#include <gtest/gtest.h>

#include <vector>

#include "timers.h"

namespace {

std::vector<int> fired;
void Record(int id) { fired.push_back(id); }

class Timers : public ::testing::Test {
protected:
    void SetUp() override {
        TimersReset();
        fired.clear();
    }
    // Steps the clock through base periods first..last (inclusive).
    void Steps(int64_t first, int64_t last) {
        for (int64_t k = first; k <= last; k++) TimersStep(k * BASE_PERIOD_US, Record);
    }
    int Count(int id) const {
        int n = 0;
        for (int f : fired) n += f == id;
        return n;
    }
};

TEST_F(Timers, FastTimersFireOncePerBasePeriodInAscendingOrder) {
    for (int id : {4, 2, 0, 3, 1}) TimersArm(id, 1);
    Steps(1, 3);
    EXPECT_EQ(fired, (std::vector<int>{0, 1, 2, 3, 4, 0, 1, 2, 3, 4, 0, 1, 2, 3, 4}));
}

TEST_F(Timers, LongPeriodsFireInTheFirstStepThatReachesThem) {
    TimersArm(5, 5000);  // exactly 320 base periods
    TimersArm(6, 4700);  // 300.8 base periods
    Steps(1, 319);
    EXPECT_EQ(Count(5), 0);
    EXPECT_EQ(fired, (std::vector<int>{6}));
    fired.clear();
    Steps(320, 320);
    EXPECT_EQ(fired, (std::vector<int>{5}));
    // 4700 ms periods stay on their own schedule: the second is due at 9400 ms.
    fired.clear();
    Steps(321, 602);
    EXPECT_EQ(Count(6), 1);
    EXPECT_EQ(fired.size(), 1u);
}

TEST_F(Timers, AStallGivesOneExpiryNotABurst) {
    TimersArm(0, 1);
    TimersArm(5, 100);
    TimersStep(64 * BASE_PERIOD_US, Record);  // one second late
    EXPECT_EQ(fired, (std::vector<int>{0, 5}));
    // The long timer keeps its phase: next due at 1.1 s.
    fired.clear();
    TimersStep(70 * BASE_PERIOD_US, Record);  // 1.09375 s
    EXPECT_EQ(fired, (std::vector<int>{0}));
    fired.clear();
    TimersStep(71 * BASE_PERIOD_US, Record);  // 1.109375 s
    EXPECT_EQ(fired, (std::vector<int>{0, 5}));
}

TEST_F(Timers, ArmingAgainRestartsAndStoppingStops) {
    TimersArm(5, 5000);
    Steps(1, 100);
    TimersArm(5, 5000);  // restarts from step 100
    Steps(101, 419);
    EXPECT_EQ(Count(5), 0);
    Steps(420, 420);
    EXPECT_EQ(Count(5), 1);
    TimersStop(5);
    Steps(421, 2000);
    EXPECT_EQ(Count(5), 1);
    EXPECT_FALSE(TimersArmed(5, nullptr));
}

TEST_F(Timers, PeriodsAboveTheMaximumAreClamped) {
    EXPECT_EQ(TimersArm(5, 0xFFFFFF9Cu), MAX_TIMER_PERIOD_MS);  // -100 as unsigned
    uint32_t period = 0;
    ASSERT_TRUE(TimersArmed(5, &period));
    EXPECT_EQ(period, 0x7FFFFFFFu);
    EXPECT_EQ(TimersArm(5, 0x7FFFFFFF), 0x7FFFFFFFu);
    EXPECT_EQ(TimersNextDue(), int64_t{0x7FFFFFFF} * 1000);
    // Ids outside the table are ignored.
    TimersArm(MAX_TIMERS, 1);
    TimersArm(-1, 1);
    Steps(1, 2);
    EXPECT_TRUE(fired.empty());
}

// A callback may arm, stop, and even step the table from inside, as a modal
// box does while hold timers keep running.
std::vector<int> nestedLog;
void Nested(int id) {
    nestedLog.push_back(id);
    if (id == 0) {
        TimersStop(0);
        TimersArm(3, 1);
        for (int k = 2; k <= 4; k++) TimersStep(k * BASE_PERIOD_US, Nested);
    }
}

TEST_F(Timers, CallbacksMayArmStopAndStepAgain) {
    nestedLog.clear();
    TimersArm(0, 1);
    TimersArm(1, 1);
    TimersStep(1 * BASE_PERIOD_US, Nested);
    // Inside timer 0: steps 2-4 fire 1 and the new 3; back outside, step 1's
    // remaining timers are no longer due.
    EXPECT_EQ(nestedLog, (std::vector<int>{0, 1, 3, 1, 3, 1, 3}));
    EXPECT_EQ(TimersNow(), 4 * BASE_PERIOD_US);
}

TEST_F(Timers, ArmedTimersCountFromTheClock) {
    TimersSetNow(10 * BASE_PERIOD_US + 5000);
    TimersArm(5, 100);
    EXPECT_EQ(TimersNextDue(), 10 * BASE_PERIOD_US + 105000);
}

}  // namespace
