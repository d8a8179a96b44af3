// The game loop played through tolvenar-headless: flight, hits, explosions,
// stages, the spawner, escapes and game over.
#include <gtest/gtest.h>

#include <cmath>

#include "headless_run.h"

namespace {

std::string Repeat(const std::string& lines, int n) {
    std::string out;
    for (int i = 0; i < n; i++) out += lines;
    return out;
}

// ---- flight -------------------------------------------------------------------

TEST(Flight, BallsComeDownWhereAndWhenTheyShould) {
    struct Case {
        int angle;
        int steps;    // ticks in which the ball moved
        int landX;    // x when found below the line
        int maxRise;  // highest point above the launch height (-1: not checked)
    };
    const Case cases[] = {
        {0, 33, 451 + 160, 0},
        {30, 111, 451 + 476, -1},
        {45, 150, 451 + 526, 124},
        {60, 180, 451 + 447, -1},
        {90, 206, 451, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        HeadlessRun run = RunHeadless("set angle " + std::to_string(c.angle) + "\ntap space\nevents\n" +
                                      Repeat("tick\nstate\nevents\n", 220));
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        int steps = 0;
        int rise = 0;
        int landX = -1;
        int landY = -1;
        for (size_t i = 1; i + 1 < run.lines.size(); i += 2) {
            const Json s = run.Line(i);
            const std::string& events = run.lines[i + 1];
            if (s["shells"].Size() == 1) {
                steps++;
                const Json& b = s["shells"][0];
                rise = std::max(rise, 276 - b["y"].Int());
                landX = b["x"].Int();
                landY = b["y"].Int();
                EXPECT_EQ(events, "[]");
                continue;
            }
            // The landing tick: sound, no ball, a ground burst where it came down.
            EXPECT_EQ(events, R"([{"event":"sound","id":138}])");
            ASSERT_EQ(s["effects"].Size(), 1u);
            EXPECT_EQ(s["effects"][0]["kind"].Int(), 1);
            EXPECT_EQ(s["effects"][0]["x"].Int(), landX);
            EXPECT_EQ(s["effects"][0]["y"].Int(), landY);
            break;
        }
        EXPECT_EQ(steps, c.steps);
        EXPECT_EQ(landX, c.landX);
        EXPECT_GT(landY, 300);
        if (c.maxRise >= 0) {
            EXPECT_EQ(rise, c.maxRise);
        }
    }
}

TEST(Flight, LevelShotSitsOnTheLineBeforeDropping) {
    // t = 1.55: y = 300, not yet below; t = 1.6: y = 301, landed next tick.
    HeadlessRun run = RunHeadless("set angle 0\ntap space\ntick 32\nstate\ntick\nstate\ntick\nstate\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const Json a = run.Line(0)["shells"][0];
    EXPECT_EQ(a["y"].Int(), 300);
    EXPECT_EQ(a["x"].Int(), 451 + 155);
    EXPECT_NEAR(a["t"].Num(), 1.6, 1e-9);
    const Json b = run.Line(1)["shells"][0];
    EXPECT_EQ(b["y"].Int(), 301);
    EXPECT_EQ(b["x"].Int(), 451 + 160);
    EXPECT_EQ(b["frame"].Int(), 1);  // 33 steps through frames 0-3
    EXPECT_EQ(run.Line(2)["shells"].Size(), 0u);
}

TEST(Flight, LeftwardBallsMirrorTheirPath) {
    HeadlessRun run = RunHeadless("set cannonX 600\npress left\nrelease left\nset angle 45\ntap space\ntick 40\nstate\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const Json b = run.Last()["shells"][0];
    // dx after 40 steps (t = 1.95): trunc(cos 45 * 100 * 1.95) = 137.
    EXPECT_EQ(b["x"].Int(), 601 - 137);
}

// ---- hits ---------------------------------------------------------------------------

// A ball about to land at x = 500 and one vehicle that moves 1 pixel right first.
std::string LandingAt500(int enemyXAfterMove, int speed = 1) {
    return "set running 1\n"
           "shell 0 x0=500 y0=276 x=500 y=301 power=100 angle=45 t=1 active=1\n"
           "enemy 0 x=" + std::to_string(enemyXAfterMove - speed) + " y=269 type=1 speed=" +
           std::to_string(speed) + " fromLeft=1 active=1\n";
}

TEST(Hits, TheSpansMeetAtTheirBoundaries) {
    const std::pair<int, bool> cases[] = {{461, false}, {462, true}, {500, true}, {515, true}, {516, false}};
    for (const auto& [enemyX, hit] : cases) {
        SCOPED_TRACE(enemyX);
        HeadlessRun run = RunHeadless(LandingAt500(enemyX) + "tick\nstate\nevents\n");
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        const Json s = run.Line(0);
        EXPECT_EQ(s["enemies"].Size(), hit ? 0u : 1u);
        EXPECT_EQ(s["score"].Int(), hit ? 100 : 0);
        EXPECT_EQ(s["shells"].Size(), 0u);
        ASSERT_EQ(s["effects"].Size(), hit ? 2u : 1u);
        if (hit) {
            // The fireball first, at the vehicle, then the ground burst at the ball.
            EXPECT_EQ(s["effects"][0]["kind"].Int(), 0);
            EXPECT_EQ(s["effects"][0]["x"].Int(), enemyX);
            EXPECT_EQ(s["effects"][0]["y"].Int(), 269 - 30);
        }
        const Json& burst = s["effects"][hit ? 1 : 0];
        EXPECT_EQ(burst["kind"].Int(), 1);
        EXPECT_EQ(burst["x"].Int(), 500);
        EXPECT_EQ(burst["y"].Int(), 301);
    }
}

TEST(Hits, OnlyTheLowestIndexIsHitWhateverItsHeight) {
    HeadlessRun run = RunHeadless(
        "shell 0 x0=500 y0=276 x=500 y=305 power=100 angle=45 active=1\n"
        "enemy 1 x=480 y=100 type=3 speed=1 fromLeft=1 active=1\n"
        "enemy 3 x=500 y=269 type=0 speed=2 fromLeft=0 active=1\n"
        "tick\nstate\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const Json s = run.Last();
    ASSERT_EQ(s["enemies"].Size(), 1u);
    EXPECT_EQ(s["enemies"][0]["index"].Int(), 3);
    EXPECT_EQ(s["score"].Int(), 100);
}

TEST(Hits, PointsFollowSpeedAndRaiseTheHighScore) {
    for (int speed : {1, 2}) {
        HeadlessRun run = RunHeadless("set highScore 150\n" + LandingAt500(500, speed) + "tick\nstate\n");
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        const Json s = run.Last();
        EXPECT_EQ(s["score"].Int(), speed * 100);
        EXPECT_EQ(s["highScore"].Int(), speed == 1 ? 150 : 200);
    }
}

TEST(Hits, SeveralBallsLandingPlayOneSoundEach) {
    HeadlessRun run = RunHeadless(
        "shell 2 x=100 y=301 active=1\nshell 5 x=300 y=320 active=1\nenemy 0 x=700 y=269 speed=1 fromLeft=1 active=1\n"
        "events\ntick\nevents\nstate\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.lines[1], R"([{"event":"sound","id":138},{"event":"sound","id":138}])");
    EXPECT_EQ(run.Line(2)["effects"].Size(), 2u);
}

TEST(Hits, AFullEffectPoolKeepsTheFireballAndDropsTheBurst) {
    std::string script = LandingAt500(500);
    for (int i = 1; i < 200; i++) script += "effect " + std::to_string(i) + " x=10 y=10 kind=1 frame=0 active=1\n";
    HeadlessRun run = RunHeadless(script + "tick\nstate\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const Json s = run.Last();
    EXPECT_EQ(s["score"].Int(), 100);
    EXPECT_EQ(s["enemies"].Size(), 0u);
    // Record 0 was free after this tick's pass aged nothing out; it took the fireball.
    const Json first = Record(s, "effects", 0);
    ASSERT_TRUE(Exists(first));
    EXPECT_EQ(first["kind"].Int(), 0);
    EXPECT_EQ(s["effects"].Size(), 200u);
}

// ---- explosions -------------------------------------------------------------------------

TEST(Effects, FireballsLastFifteenTicksAndBurstsTen) {
    HeadlessRun run = RunHeadless("effect 4 x=300 y=250 kind=0 active=1\neffect 9 x=100 y=301 kind=1 active=1\n" +
                                  Repeat("tick\nstate\n", 16));
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    for (int tick = 1; tick <= 16; tick++) {
        const Json s = run.Line(tick - 1);
        const Json fire = Record(s, "effects", 4);
        const Json burst = Record(s, "effects", 9);
        EXPECT_EQ(Exists(fire), tick < 15) << tick;
        EXPECT_EQ(Exists(burst), tick < 10) << tick;
        if (Exists(fire)) {
            EXPECT_EQ(fire["frame"].Int(), tick);
        }
    }
}

TEST(Effects, ANewEffectTakesTheFirstFreeRecord) {
    HeadlessRun run = RunHeadless("effect 0 x=1 kind=1 frame=9 active=1\neffect 1 x=1 kind=0 active=1\n"
                                  "shell 0 x=600 y=310 active=1\ntick\nstate\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    // Record 0 ended in this tick's effects pass, before the ball landed.
    const Json burst = Record(run.Last(), "effects", 0);
    ASSERT_TRUE(Exists(burst));
    EXPECT_EQ(burst["x"].Int(), 600);
    EXPECT_EQ(burst["frame"].Int(), 0);
}

// ---- stages -------------------------------------------------------------------------------

TEST(Stages, HitsMoveTheStageThroughTheBands) {
    struct Case {
        int scoreBefore;
        int stageBefore;
        int speed;
        int stage;   // -1: some stage above 18
        int period;  // 0: the spawn timer is not re-armed
    };
    const int stage18 = static_cast<int>(std::pow(20.0, 17 * 0.1 + 1.9));
    const Case cases[] = {
        {0, 1, 1, 1, 0},        // 100
        {100, 1, 1, 1, 0},      // 200
        {200, 1, 1, 1, 0},      // 300: band 0 is stage 1 already
        {300, 1, 1, 2, 4700},   // 400
        {400, 2, 2, 3, 4400},   // 600
        {7800, 3, 2, 12, 1700}, // 8000
        {7900, 12, 1, 12, 0},   // same band, nothing re-applied
        {400, 5, 1, 5, 0},      // the stage never goes down
        {stage18 - 100, 17, 1, 18, 200},      // the period no longer goes below 200 ms
        {stage18 * 4, 18, 1, -1, 200},  // a later stage, whatever its number
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scoreBefore + c.speed * 100);
        HeadlessRun run = RunHeadless("press enter\nset score " + std::to_string(c.scoreBefore) + "\nset stage " +
                                      std::to_string(c.stageBefore) + "\n" + LandingAt500(500, c.speed) +
                                      "events\ntick\nstate\nevents\n");
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        const Json s = run.Line(1);
        if (c.stage > 0) {
            EXPECT_EQ(s["stage"].Int(), c.stage);
        } else {
            EXPECT_GT(s["stage"].Int(), 18);
        }
        if (c.period != 0) {
            EXPECT_EQ(s["spawnInterval"].Int(), c.period);
            EXPECT_EQ(s["timers"]["5"].Int(), c.period);
            EXPECT_NE(run.lines[2].find(R"({"event":"timer","id":5,"period":)" + std::to_string(c.period) + "}"),
                      std::string::npos);
        } else {
            EXPECT_EQ(run.lines[2].find("timer"), std::string::npos);
        }
    }
}

TEST(Stages, VehiclesKeepComingAfterStageEighteen) {
    const int stage18 = static_cast<int>(std::pow(20.0, 17 * 0.1 + 1.9));
    HeadlessRun run = RunHeadless("press enter\nset score " + std::to_string(stage18 - 100) + "\nset stage 17\n" +
                                  LandingAt500(500) + "tick\nstate\ntick 12\nstate\ntick\nstate\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.Line(0)["stage"].Int(), 18);
    // Re-armed at the hit with 200 ms: due 12.8 base periods later.
    EXPECT_EQ(run.Line(1)["enemies"].Size(), 0u);
    EXPECT_EQ(run.Line(2)["enemies"].Size(), 1u);
}

TEST(Stages, ANewGameStartsAtStageOne) {
    HeadlessRun run = RunHeadless("set stage 9\nset spawnInterval 2600\npress enter\nstate\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.Last()["stage"].Int(), 1);
    EXPECT_EQ(run.Last()["spawnInterval"].Int(), 5000);
}

// ---- the spawner -----------------------------------------------------------------------------

TEST(Spawner, TheFirstVehicleComesOnePeriodAfterEnter) {
    HeadlessRun run = RunHeadless("tick 7\npress enter\ntick 319\nstate\ntick\nstate\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.Line(0)["enemies"].Size(), 0u);
    EXPECT_EQ(run.Line(1)["enemies"].Size(), 1u);
}

TEST(Spawner, NoVehicleBeforeTheFirstGame) {
    HeadlessRun run = RunHeadless("tick 2000\nstate\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.Last()["enemies"].Size(), 0u);
}

TEST(Spawner, SideTypeAndSpeedComeFromTheSeedInThatOrder) {
    const uint32_t seed = 20261211;
    uint32_t state = seed;
    auto draw = [&state] {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    };
    const int offset[10] = {1, 0, 8, 0, 2, 5, 0, 0, 10, 0};
    HeadlessRun run = RunHeadless("press enter\n" + Repeat("tick 320\nstate\n", 8), {"--seed", std::to_string(seed)});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    for (int n = 0; n < 8; n++) {
        SCOPED_TRACE(n);
        const bool fromLeft = draw() % 2 == 1;
        const int type = draw() % 10;
        const int speed = draw() % 2 + 1;
        // The newcomer is the one still standing at its entry point.
        const Json state = run.Line(n);
        const Json* newcomer = nullptr;
        int atEntry = 0;
        for (const Json& e : state["enemies"].array) {
            if (e["x"].Int() == 0 || e["x"].Int() == 920) {
                newcomer = &e;
                atEntry++;
            }
        }
        ASSERT_EQ(atEntry, 1);
        EXPECT_EQ((*newcomer)["fromLeft"].Bool(), fromLeft);
        EXPECT_EQ((*newcomer)["x"].Int(), fromLeft ? 0 : 920);
        EXPECT_EQ((*newcomer)["type"].Int(), type);
        EXPECT_EQ((*newcomer)["y"].Int(), 269 + offset[type]);
        EXPECT_EQ((*newcomer)["speed"].Int(), speed);
    }
}

TEST(Spawner, AFullPoolAddsNothingAndDrawsNothing) {
    std::string fill;
    for (int i = 0; i < 200; i++) fill += "enemy " + std::to_string(i) + " x=400 y=269 speed=0 fromLeft=1 active=1\n";
    // With the pool full for one spawn, the next vehicle is the one the seed's
    // first three draws describe.
    HeadlessRun full = RunHeadless("press enter\n" + fill + "tick 320\nenemy 0 active=0\ntick 320\nstate\n",
                                   {"--seed", "99"});
    HeadlessRun fresh = RunHeadless("press enter\ntick 320\nstate\n", {"--seed", "99"});
    ASSERT_EQ(full.exitCode, 0) << full.errors;
    const Json a = Record(full.Last(), "enemies", 0);
    const Json b = Record(fresh.Last(), "enemies", 0);
    ASSERT_TRUE(Exists(a) && Exists(b));
    for (const char* f : {"x", "y", "type", "speed"}) EXPECT_EQ(a[f].Int(), b[f].Int()) << f;
    EXPECT_EQ(a["fromLeft"].Bool(), b["fromLeft"].Bool());
}

// ---- escapes and game over ------------------------------------------------------------------

TEST(Enemies, EscapesHappenJustPastTheEdges) {
    const struct {
        const char* enemy;
        bool escapes;
    } cases[] = {
        {"x=929 speed=1 fromLeft=1", false}, {"x=930 speed=1 fromLeft=1", true}, {"x=929 speed=2 fromLeft=1", true},
        {"x=1 speed=1 fromLeft=0", false},   {"x=0 speed=1 fromLeft=0", true},   {"x=1 speed=2 fromLeft=0", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.enemy);
        HeadlessRun run = RunHeadless(std::string("press enter\nenemy 0 y=269 type=1 active=1 ") + c.enemy + "\ntick\nstate\n");
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        EXPECT_EQ(run.Last()["enemies"].Size(), c.escapes ? 0u : 1u);
        EXPECT_EQ(run.Last()["life"].Int(), c.escapes ? 19 : 20);
    }
}

TEST(GameOver, TheLastLifeEndsTheGameInItsOrder) {
    TempDir data;
    HeadlessRun run = RunHeadless(
        "press enter\nset life 1\nset highScore 800\nset score 300\n"
        "enemy 0 x=930 y=269 type=1 speed=1 fromLeft=1 active=1\n"
        "enemy 1 x=500 y=269 type=2 speed=1 fromLeft=0 active=1\n"
        "events\npress right\ntick\n"
        // The notice is open now; the game waits in it.
        "state\nevents\ntick 10\nrelease right\ntick 5\npress left\nstate\npress space\n"
        // Closed: the frame finishes.
        "state\ntick 1000\nstate\nevents\n",
        {"--seed", "1", "--data-dir", data.path});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const Json open = run.Line(1);
    EXPECT_TRUE(open["notice"].Bool());
    EXPECT_FALSE(open["running"].Bool());
    EXPECT_TRUE(open["gameOverShown"].Bool());
    EXPECT_EQ(open["life"].Int(), 0);
    EXPECT_EQ(open["tick"].Int(), 1);
    EXPECT_EQ(open["cannonX"].Int(), 420);  // the box opened before this tick's hold timers
    EXPECT_EQ(open["timers"].Size(), 4u);   // frame and spawn timers stopped
    EXPECT_FALSE(open["timers"].Has("0"));
    EXPECT_FALSE(open["timers"].Has("5"));
    EXPECT_EQ(run.lines[2],
              R"([{"event":"stopTimer","id":5},{"event":"stopTimer","id":0},{"event":"save","value":800},)"
              R"({"event":"notice","text":"패배했습니다.","caption":"알림"}])");
    EXPECT_EQ(ReadFile(data.path + "/HighScore.ini"), "[HighScore]\nScore=800\n");

    // While open: hold timers keep moving the cannon, releases reach the game,
    // presses do not.
    const Json during = run.Line(3);
    EXPECT_TRUE(during["notice"].Bool());
    EXPECT_EQ(during["cannonX"].Int(), 420 + 30);
    EXPECT_FALSE(during["holdRight"].Bool());
    EXPECT_TRUE(during["facingRight"].Bool());
    EXPECT_EQ(during["tick"].Int(), 16);
    // Vehicles behind the escaped one are still in the pool until the box closes.
    EXPECT_EQ(during["enemies"].Size(), 1u);

    const Json after = run.Line(4);
    EXPECT_FALSE(after["notice"].Bool());
    EXPECT_EQ(after["enemies"].Size(), 0u);
    EXPECT_EQ(after["life"].Int(), 0);
    const Json later = run.Line(5);
    EXPECT_EQ(later["enemies"].Size(), 0u);
    EXPECT_EQ(later["life"].Int(), 0);
    EXPECT_EQ(run.lines[6], "[]");  // nothing more happens: no second game over
}

TEST(GameOver, SeveralEscapesInOneTickStopAtTheLastLife) {
    HeadlessRun run = RunHeadless(
        "press enter\nset life 2\n"
        "enemy 0 x=930 y=269 type=1 speed=1 fromLeft=1 active=1\n"
        "enemy 1 x=0 y=269 type=1 speed=1 fromLeft=0 active=1\n"
        "enemy 2 x=0 y=270 type=0 speed=2 fromLeft=0 active=1\n"
        "tick\nstate\npress escape\nstate\nenemy 2 active=1\nstate\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const Json open = run.Line(0);
    EXPECT_EQ(open["life"].Int(), 0);
    const Json third = Record(open, "enemies", 2);
    ASSERT_TRUE(Exists(third));
    EXPECT_EQ(third["x"].Int(), 0);  // never moved
    EXPECT_EQ(run.Line(1)["enemies"].Size(), 0u);
    EXPECT_EQ(run.Line(1)["life"].Int(), 0);
    // Deactivating keeps the other fields.
    const Json kept = Record(run.Line(2), "enemies", 2);
    ASSERT_TRUE(Exists(kept));
    EXPECT_EQ(kept["y"].Int(), 270);
    EXPECT_EQ(kept["speed"].Int(), 2);
}

TEST(GameOver, ANewGameClearsBallsAndExplosionsAndKeepsTheFacing) {
    HeadlessRun run = RunHeadless(
        "press enter\npress left\nrelease left\nset angle 80\ntap space\ntap space\ntick 3\n"
        "effect 5 x=300 y=300 kind=0 active=1\nset life 1\n"
        "enemy 0 x=0 y=269 type=1 speed=1 fromLeft=0 active=1\ntick\npress enter\n"
        "state\ntick 50\nstate\npress enter\nstate\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const Json over = run.Line(0);
    EXPECT_FALSE(over["running"].Bool());
    EXPECT_EQ(over["shells"].Size(), 2u);
    const Json frozen = run.Line(1);
    ASSERT_EQ(frozen["shells"].Size(), 2u);
    EXPECT_EQ(frozen["shells"][0]["t"].Num(), over["shells"][0]["t"].Num());  // balls wait
    const Json next = run.Line(2);
    EXPECT_TRUE(next["running"].Bool());
    EXPECT_EQ(next["shells"].Size(), 0u);
    EXPECT_EQ(next["effects"].Size(), 0u);
    EXPECT_TRUE(next["facingLeft"].Bool());
    EXPECT_EQ(next["life"].Int(), 20);
    EXPECT_EQ(next["timers"].Size(), 6u);
}

TEST(GameOver, ClosingDuringTheNoticeSavesAndEnds) {
    TempDir data;
    HeadlessRun run = RunHeadless(
        "press enter\nset life 1\nset highScore 1500\nenemy 0 x=0 y=269 type=1 speed=1 fromLeft=0 active=1\n"
        "tick\nevents\nclose\nstate\n",
        {"--seed", "1", "--data-dir", data.path});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(ReadFile(data.path + "/HighScore.ini"), "[HighScore]\nScore=1500\n");
}

}  // namespace
