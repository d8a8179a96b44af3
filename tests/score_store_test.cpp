// The high-score file: reading like the classic profile functions, saving
// without ever losing or lowering a stored score.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdio>

#include "headless_run.h"
#include "score_store.h"

// A crash between writing the new file and renaming it over the old one:
// with this flag set, the next rename ends the process on the spot.
static bool crashAtRename = false;
extern "C" int rename(const char* from, const char* to) {
    if (crashAtRename) _exit(42);
    using Fn = int (*)(const char*, const char*);
    static Fn real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "rename"));
    return real(from, to);
}

namespace {

std::string File(const TempDir& d) { return d.path + "/HighScore.ini"; }

TEST(ScoreStore, ReadsValuesAsTheProfileFunctionsDo) {
    const struct {
        const char* text;
        int score;
        bool found;
    } cases[] = {
        {"[HighScore]\nScore=1200\n", 1200, true},
        {"[HighScore]\r\nScore=1200\r\n", 1200, true},
        {"[highscore]\nSCORE = 77\n", 77, true},
        {"[HighScore]\nScore=   42\n", 42, true},
        {"[HighScore]\nScore=-300\n", -300, true},
        {"[HighScore]\nScore=+9\n", 9, true},
        {"[HighScore]\nScore=12abc\n", 12, true},
        {"[HighScore]\nScore=abc\n", 0, false},
        {"[HighScore]\nScore=\n", 0, false},
        {"[HighScore]\nScore=99999999999\n", INT_MAX, true},
        {"[HighScore]\nScore=-99999999999\n", INT_MIN, true},
        {"[Other]\nScore=5\n", 0, false},
        {"Score=5\n[HighScore]\n", 0, false},
        {"", 0, false},
        {"[HighScore]\nName=x\nScore=8\n[Next]\nScore=9\n", 8, true},
        {"[HighScore]\nScore=3", 3, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        bool found = !c.found;
        EXPECT_EQ(ParseScoreText(c.text, &found), c.score);
        EXPECT_EQ(found, c.found);
    }
}

TEST(ScoreStore, FirstStartHasNoFileAndTheFirstSaveMakesOne) {
    TempDir d;
    const std::string dir = d.path + "/deeper/tolvenar";
    std::string note;
    EXPECT_EQ(ReadScoreFile(dir + "/HighScore.ini", &note), 0);
    EXPECT_EQ(note, "");  // a missing file is no fault
    const SaveResult r = WriteScoreFile(dir, 700);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.written, 700);
    EXPECT_EQ(ReadFile(dir + "/HighScore.ini"), "[HighScore]\nScore=700\n");
}

TEST(ScoreStore, SavingKeepsEveryOtherLineAsItWas) {
    const struct {
        const char* before;
        int value;
        const char* after;
    } cases[] = {
        {"; best so far\n[Player]\nName=Min-jun\n\n[HighScore]\nScore=500\nWhen=today\n[Z]\nq=1\n", 900,
         "; best so far\n[Player]\nName=Min-jun\n\n[HighScore]\nScore=900\nWhen=today\n[Z]\nq=1\n"},
        {"[HighScore]\r\nScore=5\r\n[A]\r\nb=2\r\n", 60, "[HighScore]\r\nScore=60\r\n[A]\r\nb=2\r\n"},
        {"[HighScore]\nOther=1\n[A]\nb=2\n", 60, "[HighScore]\nScore=60\nOther=1\n[A]\nb=2\n"},
        {"[A]\nb=2", 60, "[A]\nb=2\n[HighScore]\nScore=60\n"},
        {"[HighScore]\nScore=abc\n", 60, "[HighScore]\nScore=60\n"},
        {"[HighScore]\nScore=-20\n", -5, "[HighScore]\nScore=-5\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        TempDir d;
        WriteFile(File(d), c.before);
        const SaveResult r = WriteScoreFile(d.path, c.value);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(ReadFile(File(d)), c.after);
    }
}

TEST(ScoreStore, ASaveNeverLowersTheStoredScore) {
    TempDir d;
    ASSERT_TRUE(WriteScoreFile(d.path, 300).ok);
    const SaveResult lower = WriteScoreFile(d.path, 200);
    ASSERT_TRUE(lower.ok);
    EXPECT_EQ(lower.written, 300);
    EXPECT_EQ(ReadFile(File(d)), "[HighScore]\nScore=300\n");
    ASSERT_TRUE(WriteScoreFile(d.path, 301).ok);
    EXPECT_EQ(ReadFile(File(d)), "[HighScore]\nScore=301\n");
}

TEST(ScoreStore, GamesSavingAtOnceKeepTheLargest) {
    TempDir d;
    std::vector<pid_t> children;
    for (int p = 0; p < 4; p++) {
        const pid_t pid = fork();
        if (pid == 0) {
            for (int i = 0; i < 50; i++) WriteScoreFile(d.path, 1000 * p + i);
            _exit(0);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) waitpid(pid, nullptr, 0);
    EXPECT_EQ(ReadScoreFile(File(d), nullptr), 3049);
}

TEST(ScoreStore, ACrashBeforeTheRenameLeavesTheOldFileWhole) {
    TempDir d;
    const std::string before = "[Player]\nName=x\n[HighScore]\nScore=1500\n";
    WriteFile(File(d), before);
    const pid_t pid = fork();
    if (pid == 0) {
        crashAtRename = true;
        WriteScoreFile(d.path, 2500);
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 42);  // it really died at the rename
    EXPECT_EQ(ReadFile(File(d)), before);
    EXPECT_EQ(ReadScoreFile(File(d), nullptr), 1500);
    // The next save works and clears what the crash left behind.
    ASSERT_TRUE(WriteScoreFile(d.path, 1600).ok);
    EXPECT_EQ(ReadScoreFile(File(d), nullptr), 1600);
    EXPECT_EQ(std::system(("test -z \"$(ls '" + d.path + "' | grep tmp)\"").c_str()), 0);
}

TEST(ScoreStore, FailuresSayWhyAndLeaveTheFileAlone) {
    TempDir d;
    WriteFile(d.path + "/plainfile", "x");
    const SaveResult noFolder = WriteScoreFile(d.path + "/plainfile/tolvenar", 10);
    EXPECT_FALSE(noFolder.ok);
    EXPECT_NE(noFolder.error.find("plainfile"), std::string::npos) << noFolder.error;

    // The score file's place is taken by a folder: the rename cannot succeed.
    mkdir(File(d).c_str(), 0755);
    const SaveResult blocked = WriteScoreFile(d.path, 10);
    EXPECT_FALSE(blocked.ok);
    EXPECT_FALSE(blocked.error.empty());
    std::string note;
    EXPECT_EQ(ReadScoreFile(File(d), &note), 0);
    EXPECT_NE(note, "");
}

TEST(ScoreStore, ANonNumericValueIsReportedOnLoad) {
    TempDir d;
    WriteFile(File(d), "[HighScore]\nScore=lots\n");
    std::string note;
    EXPECT_EQ(ReadScoreFile(File(d), &note), 0);
    EXPECT_NE(note.find("lots"), std::string::npos);
}

TEST(ScoreStore, TheGameGoesOnWhenItCannotSave) {
    TempDir d;
    WriteFile(d.path + "/plainfile", "x");
    HeadlessRun run = RunHeadless(
        "press enter\nset life 1\nset highScore 400\nenemy 0 x=0 y=269 type=1 speed=1 fromLeft=0 active=1\n"
        "events\ntick\npress enter\nevents\npress enter\ntick 10\nstate\nclose\n",
        {"--seed", "1", "--data-dir", d.path + "/plainfile/data"});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_NE(run.lines[1].find(R"({"event":"save","value":400,"ok":false})"), std::string::npos) << run.lines[1];
    EXPECT_TRUE(run.Line(2)["running"].Bool());
    EXPECT_EQ(run.Line(2)["tick"].Int(), 11);
    // Two failed saves (game over, close), one message.
    size_t messages = 0;
    for (size_t at = run.errors.find("cannot"); at != std::string::npos; at = run.errors.find("cannot", at + 1)) messages++;
    EXPECT_EQ(messages, 1u) << run.errors;
}

TEST(ScoreStore, TheGameStartsFromTheStoredScore) {
    TempDir d;
    WriteFile(File(d), "[HighScore]\nScore=  -40\n");
    HeadlessRun run = RunHeadless("state\n", {"--data-dir", d.path});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.Last()["highScore"].Int(), -40);
    WriteFile(File(d), "[HighScore]\nScore=many\n");
    run = RunHeadless("state\n", {"--data-dir", d.path});
    EXPECT_EQ(run.Last()["highScore"].Int(), 0);
    EXPECT_NE(run.errors.find("many"), std::string::npos);
}

}  // namespace
