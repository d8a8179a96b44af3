// The script interface of tolvenar-headless: its errors and its repeatability.
#include <gtest/gtest.h>

#include "headless_run.h"

namespace {

TEST(Driver, BadLinesStopWithCodeTwoNamingTheLine) {
    const char* bad[] = {
        "jump", "tick x", "tick -1", "tick 1 2", "press", "press nokey", "press 256", "set", "set nosuch 1",
        "set score x", "set running maybe", "enemy 200 x=1", "enemy -1 x=1", "enemy 0", "enemy 0 z=1",
        "shell 0 t=abc", "effect 0 kind", "state now",
    };
    for (const char* line : bad) {
        SCOPED_TRACE(line);
        HeadlessRun run = RunHeadless(std::string("# a comment\n\nstate\n") + line + "\nstate\n");
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.lines.size(), 1u);  // the line after the bad one never runs
        EXPECT_NE(run.errors.find("line 4"), std::string::npos) << run.errors;
    }
}

TEST(Driver, BadArgumentsStopWithCodeTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {"--seed", "abc"}, {"--seed", "-3"}, {"--seed", "99999999999"}, {"--bogus"}, {"--seed"},
    };
    for (const auto& args : bad) {
        HeadlessRun run = RunHeadless("state\n", args);
        EXPECT_EQ(run.exitCode, 2) << args[0];
        EXPECT_TRUE(run.lines.empty());
        EXPECT_FALSE(run.errors.empty());
    }
}

TEST(Driver, CloseSavesAndEndsTheRun) {
    TempDir data;
    HeadlessRun run = RunHeadless("set highScore 1234\nclose\nstate\n", {"--seed", "1", "--data-dir", data.path});
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_TRUE(run.lines.empty());
    EXPECT_EQ(ReadFile(data.path + "/HighScore.ini"), "[HighScore]\nScore=1234\n");
}

TEST(Driver, TheSameSeedAndScriptGiveTheSameOutput) {
    std::string script = "press enter\n";
    for (int i = 0; i < 40; i++) {
        script += "tick 97\nstate\n";
        script += i % 3 == 0 ? "tap space\n" : "";
        script += i % 5 == 0 ? "press left\n" : "release left\n";
        script += i % 7 == 0 ? "press up\n" : "release up\n";
    }
    script += "events\n";
    const HeadlessRun a = RunHeadless(script, {"--seed", "4242"});
    const HeadlessRun b = RunHeadless(script, {"--seed", "4242"});
    ASSERT_EQ(a.exitCode, 0) << a.errors;
    EXPECT_EQ(a.lines, b.lines);
    // And the seed matters: another one brings other vehicles.
    const HeadlessRun c = RunHeadless(script, {"--seed", "4243"});
    EXPECT_NE(a.lines, c.lines);
}

TEST(Driver, TheSameSeedAndScriptGiveTheSameFrames) {
    TempDir out;
    auto script = [&out](const std::string& run) {
        std::string s = "press enter\npress right\n";
        for (int i = 0; i < 6; i++) {
            s += "tick 150\ntap space\nframe " + out.path + "/" + run + std::to_string(i) + ".png\n";
        }
        return s;
    };
    ASSERT_EQ(RunHeadless(script("a"), {"--seed", "5"}).exitCode, 0);
    ASSERT_EQ(RunHeadless(script("b"), {"--seed", "5"}).exitCode, 0);
    for (int i = 0; i < 6; i++) {
        const std::string fa = ReadFile(out.path + "/a" + std::to_string(i) + ".png");
        ASSERT_GT(fa.size(), 1000u);
        EXPECT_EQ(fa, ReadFile(out.path + "/b" + std::to_string(i) + ".png")) << i;
    }
}

}  // namespace
