// tolvenar-headless: plays the game from a script of key presses and clock
// ticks, and prints its state and what it did. Scenario tests and bug reports
// are written against this interface.
#include <charconv>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "driver_commands.h"
#include "game.h"
#include "headless.h"

namespace {

const char* const kUsage =
    "usage: tolvenar-headless [--seed N] [--data-dir DIR] [SCRIPT]\n"
    "Plays Tolvenar without a window, from SCRIPT or standard input.\n";

std::istream* input = nullptr;
int lineNumber = 0;

[[noreturn]] void Finish() {
    std::fflush(stdout);
    std::exit(0);
}

// Reads and runs commands until the input ends, `close`, or (inside the
// notice box) until the box is closed.
void RunCommands(bool untilNoticeCloses) {
    std::string line;
    while (std::getline(*input, line)) {
        lineNumber++;
        std::string error;
        const CommandResult r = RunCommandLine(line, &error);
        if (r == CommandResult::Error) {
            std::fflush(stdout);
            std::fprintf(stderr, "tolvenar-headless: line %d: %s\n", lineNumber, error.c_str());
            std::exit(2);
        }
        if (r == CommandResult::Close) {
            GameDestroy();
            Finish();
        }
        if (untilNoticeCloses && !HeadlessNoticeOpen()) return;
    }
    // The input ended, possibly with the notice still open.
    Finish();
}

void NoticeLoop() {
    RunCommands(true);
}

bool ParseSeed(const char* text, uint32_t* seed) {
    const char* end = text + std::strlen(text);
    auto [p, ec] = std::from_chars(text, end, *seed);
    return ec == std::errc() && p == end && p != text;
}

}  // namespace

int main(int argc, char** argv) {
    HeadlessConfig config;
    const char* script = nullptr;
    for (int i = 1; i < argc; i++) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--seed" && i + 1 < argc) {
            if (!ParseSeed(argv[++i], &config.seed)) {
                std::fprintf(stderr, "tolvenar-headless: --seed needs a number from 0 to 4294967295, not '%s'\n", argv[i]);
                return 2;
            }
            config.haveSeed = true;
        } else if (arg == "--data-dir" && i + 1 < argc) {
            config.dataDir = argv[++i];
        } else if (!arg.empty() && arg[0] != '-' && script == nullptr) {
            script = argv[i];
        } else {
            std::fprintf(stderr, "tolvenar-headless: unexpected argument '%s'\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }

    std::ifstream file;
    if (script != nullptr) {
        file.open(script);
        if (!file) {
            std::fprintf(stderr, "tolvenar-headless: cannot open script '%s'\n", script);
            return 2;
        }
        input = &file;
    } else {
        input = &std::cin;
    }

    HeadlessInit(config);
    HeadlessSetNoticeLoop(NoticeLoop);
    GameCreate();
    RunCommands(false);
    return 0;
}
