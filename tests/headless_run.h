// Runs tolvenar-headless on a script and collects what it prints.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "json.h"

struct TempDir {
    std::string path;
    TempDir() {
        char pattern[] = "/tmp/tolvenar-test-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TempDir() { std::system(("rm -rf '" + path + "'").c_str()); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
};

struct HeadlessRun {
    int exitCode = -1;
    std::vector<std::string> lines;  // standard output, one entry per line
    std::string errors;              // standard error

    // The JSON printed on output line i.
    Json Line(size_t i) const { return JsonReader::Parse(lines.at(i)); }
    Json Last() const { return JsonReader::Parse(lines.at(lines.size() - 1)); }
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// `args` come before the script; pass "--data-dir" yourself to keep a data folder.
inline HeadlessRun RunHeadless(const std::string& script, std::vector<std::string> args = {"--seed", "1"}) {
    TempDir work;
    bool haveDataDir = false;
    for (const std::string& a : args) haveDataDir |= a == "--data-dir";
    if (!haveDataDir) {
        args.push_back("--data-dir");
        args.push_back(work.path + "/data");
    }
    WriteFile(work.path + "/script", script);
    std::string cmd = "'" TOLVENAR_HEADLESS "'";
    for (const std::string& a : args) cmd += " '" + a + "'";
    cmd += " '" + work.path + "/script' >'" + work.path + "/out' 2>'" + work.path + "/err'";
    HeadlessRun run;
    const int status = std::system(cmd.c_str());
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream out(ReadFile(work.path + "/out"));
    for (std::string line; std::getline(out, line);) run.lines.push_back(line);
    run.errors = ReadFile(work.path + "/err");
    return run;
}

// The active record of a pool with that index; a null value when there is none.
inline Json Record(const Json& state, const char* pool, int index) {
    for (const Json& r : state[pool].array) {
        if (r["index"].Int() == index) return r;
    }
    return Json{};
}

inline bool Exists(const Json& v) { return v.type != Json::Type::Null; }
