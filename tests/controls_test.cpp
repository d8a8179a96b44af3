// Keys, hold timers, firing and starting a game, played through tolvenar-headless.
#include <gtest/gtest.h>

#include "headless_run.h"

namespace {

struct KeyCase {
    const char* script;
    std::vector<std::pair<const char*, int>> fields;  // expected values (booleans as 0/1)
};

int Value(const Json& v) {
    return v.type == Json::Type::Bool ? (v.Bool() ? 1 : 0) : v.Int();
}

TEST(Controls, EveryKeyDoesWhatItShould) {
    const KeyCase cases[] = {
        {"press left", {{"facingLeft", 1}, {"facingRight", 0}, {"holdLeft", 1}, {"cannonX", 420}}},
        {"press left\nrelease left", {{"facingLeft", 1}, {"facingRight", 0}, {"holdLeft", 0}}},
        {"press left\npress right", {{"facingLeft", 0}, {"facingRight", 1}, {"holdLeft", 1}, {"holdRight", 1}}},
        {"press up", {{"holdUp", 1}, {"angle", 30}}},
        {"press up\nrelease up", {{"holdUp", 0}}},
        {"press down\nrelease down", {{"holdDown", 0}}},
        {"press down", {{"holdDown", 1}}},
        {"press right\nrelease right", {{"facingRight", 1}, {"holdRight", 0}}},
        {"press left\ntick 10", {{"cannonX", 390}}},
        {"press right\ntick 10", {{"cannonX", 450}}},
        {"press up\ntick 10", {{"angle", 40}}},
        {"press down\ntick 10", {{"angle", 20}}},
        {"press right\ntick 5\nrelease right\ntick 5", {{"cannonX", 435}}},
        // Other keys, and releases of Enter and Space, do nothing.
        {"tap 65\ntap escape\nrelease enter\nrelease space\ntick", {{"cannonX", 420}, {"running", 0}}},
        {"press enter", {{"running", 1}, {"life", 20}, {"stage", 1}}},
        // Holding both arrows: each step is taken, so the cannon stays put.
        {"press left\npress right\ntick 7", {{"cannonX", 420}}},
        // Clamps: one step from just inside an edge lands on the edge.
        {"set cannonX 1\npress left\ntick", {{"cannonX", 0}}},
        {"set cannonX 919\npress right\ntick", {{"cannonX", 920}}},
        {"set angle 89\npress up\ntick 3", {{"angle", 90}}},
        {"set angle 1\npress down\ntick 3", {{"angle", 0}}},
        // At an edge each step is clamped on its own: 0 -> 0 -> 3, 920 -> 917 -> 920.
        {"set cannonX 0\npress left\npress right\ntick 4", {{"cannonX", 3}}},
        {"set cannonX 920\npress left\npress right\ntick 4", {{"cannonX", 920}}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.script);
        HeadlessRun run = RunHeadless(std::string(c.script) + "\nstate\n");
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        const Json s = run.Last();
        for (const auto& [name, expected] : c.fields) EXPECT_EQ(Value(s[name]), expected) << name;
    }
}

TEST(Controls, AngleStaysAWholeNumberWithinRange) {
    HeadlessRun run = RunHeadless("press up\ntick 100\nstate\nrelease up\npress down\ntick 37\nstate\ntick 100\nstate\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.Line(0)["angle"].Num(), 90.0);
    EXPECT_EQ(run.Line(1)["angle"].Num(), 53.0);
    EXPECT_EQ(run.Line(2)["angle"].Num(), 0.0);
}

TEST(Controls, SpaceBeforeAnyArrowFiresRightFromThePivot) {
    HeadlessRun run = RunHeadless("events\ntap space\nstate\nevents\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const Json s = run.Line(1);
    ASSERT_EQ(s["shells"].Size(), 1u);
    const Json& b = s["shells"][0];
    EXPECT_EQ(b["index"].Int(), 0);
    EXPECT_EQ(b["x0"].Int(), 451);
    EXPECT_EQ(b["x"].Int(), 451);
    EXPECT_EQ(b["y0"].Int(), 276);
    EXPECT_EQ(b["y"].Int(), 276);
    EXPECT_EQ(b["angle"].Int(), 30);
    EXPECT_EQ(b["power"].Int(), 100);
    EXPECT_EQ(b["t"].Num(), 0.0);
    EXPECT_TRUE(b["toRight"].Bool());
    EXPECT_EQ(run.lines[2], R"([{"event":"sound","id":137}])");
}

TEST(Controls, FacingLeftFiresFromTheLeftPivot) {
    HeadlessRun run = RunHeadless("set cannonX 100\npress left\nrelease left\nset angle 61\ntap space\nstate\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const Json b = run.Last()["shells"][0];
    EXPECT_EQ(b["x0"].Int(), 101);
    EXPECT_EQ(b["angle"].Int(), 61);
    EXPECT_FALSE(b["toRight"].Bool());
}

TEST(Controls, FullShellPoolStillPlaysTheShot) {
    std::string script;
    for (int i = 0; i < 200; i++) script += "tap space\n";
    script += "events\nstate\ntap space\nevents\nstate\n";
    HeadlessRun run = RunHeadless(script);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.Line(1)["shells"].Size(), 200u);
    EXPECT_EQ(run.lines[2], R"([{"event":"sound","id":137}])");
    EXPECT_EQ(run.Line(3)["shells"].Size(), 200u);
}

TEST(Controls, EnterWhileRunningChangesNothing) {
    HeadlessRun run = RunHeadless("press enter\ntick 50\nevents\nstate\ntap enter\nstate\nevents\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.lines[1], run.lines[2]);
    EXPECT_EQ(run.lines[3], "[]");
}

TEST(Controls, StartGameResetsItsFieldsAndKeepsTheRest) {
    const std::string setup =
        "press left\nrelease left\npress up\npress down\n"
        "set cannonX 77\nset cannonY 250\nset angle 45\nset score 700\nset highScore 900\nset life 3\n"
        "set stage 4\nset spawnInterval 4100\nset gameOverShown 1\nset holdRight 1\nset holdLeft 1\n"
        "set barrelTipX 12.5\nset barrelTipY 7.25\n"
        "enemy 3 x=100 y=269 type=2 speed=1 active=1\nshell 7 x=5 y=6 active=1\neffect 199 x=1 kind=1 active=1\n"
        "events\npress enter\nstate\nevents\n";
    HeadlessRun run = RunHeadless(setup);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const Json s = run.Line(1);
    const std::pair<const char*, int> reset[] = {
        {"cannonX", 420}, {"cannonY", 269}, {"angle", 30},  {"score", 0},       {"life", 20},
        {"stage", 1},     {"spawnInterval", 5000}, {"running", 1}, {"gameOverShown", 0},
        {"holdLeft", 0},  {"holdRight", 0},
    };
    for (const auto& [name, expected] : reset) EXPECT_EQ(Value(s[name]), expected) << name;
    const std::pair<const char*, int> kept[] = {
        {"facingLeft", 1}, {"facingRight", 0}, {"holdUp", 1}, {"holdDown", 1}, {"highScore", 900},
    };
    for (const auto& [name, expected] : kept) EXPECT_EQ(Value(s[name]), expected) << name;
    EXPECT_EQ(s["barrelTipX"].Num(), 12.5);
    EXPECT_EQ(s["barrelTipY"].Num(), 7.25);
    EXPECT_EQ(s["enemies"].Size(), 0u);
    EXPECT_EQ(s["shells"].Size(), 0u);
    EXPECT_EQ(s["effects"].Size(), 0u);
    EXPECT_EQ(s["timers"]["5"].Int(), 5000);
    EXPECT_EQ(s["timers"]["0"].Int(), 1);
    // The spawn timer is armed before the frame timer.
    EXPECT_EQ(run.lines[2], R"([{"event":"timer","id":5,"period":5000},{"event":"timer","id":0,"period":1}])");
}

TEST(Controls, StartUpArmsTheFastTimersAndShowsStartValues) {
    HeadlessRun run = RunHeadless("state\nevents\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const Json s = run.Line(0);
    EXPECT_EQ(s["tick"].Int(), 0);
    EXPECT_FALSE(s["running"].Bool());
    EXPECT_FALSE(s["notice"].Bool());
    EXPECT_EQ(s["timers"].Size(), 5u);
    for (const char* id : {"0", "1", "2", "3", "4"}) EXPECT_EQ(s["timers"][id].Int(), 1);
    EXPECT_EQ(run.lines[1],
              R"([{"event":"timer","id":0,"period":1},{"event":"timer","id":1,"period":1},)"
              R"({"event":"timer","id":2,"period":1},{"event":"timer","id":3,"period":1},)"
              R"({"event":"timer","id":4,"period":1}])");
}

}  // namespace
