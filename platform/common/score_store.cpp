#include "score_store.h"

#include <cerrno>
#include <cstdio>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string Trim(const std::string& s) {
    size_t b = 0;
    size_t e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) b++;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) e--;
    return s.substr(b, e - b);
}

bool SameName(const std::string& a, const char* b) {
    return strcasecmp(a.c_str(), b) == 0;
}

// Splits the text into lines, keeping each line's own ending.
void SplitLines(const std::string& text, std::vector<std::string>& lines) {
    size_t start = 0;
    while (start < text.size()) {
        size_t nl = text.find('\n', start);
        size_t end = nl == std::string::npos ? text.size() : nl + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
}

std::string WithoutEnding(const std::string& line) {
    size_t e = line.size();
    while (e > 0 && (line[e - 1] == '\n' || line[e - 1] == '\r')) e--;
    return line.substr(0, e);
}

bool IsSection(const std::string& line, std::string* name) {
    std::string t = Trim(WithoutEnding(line));
    if (t.size() < 2 || t.front() != '[') return false;
    size_t close = t.find(']');
    if (close == std::string::npos) return false;
    *name = Trim(t.substr(1, close - 1));
    return true;
}

bool IsKey(const std::string& line, const char* key, std::string* value) {
    std::string t = WithoutEnding(line);
    size_t eq = t.find('=');
    if (eq == std::string::npos) return false;
    if (!SameName(Trim(t.substr(0, eq)), key)) return false;
    *value = Trim(t.substr(eq + 1));
    return true;
}

// Leading blanks, an optional sign, then digits up to the first other
// character; no digits reads as 0. Values beyond 32 bits are clamped.
int ParseNumber(const std::string& v, bool* valid) {
    size_t i = 0;
    while (i < v.size() && (v[i] == ' ' || v[i] == '\t')) i++;
    bool negative = false;
    if (i < v.size() && (v[i] == '+' || v[i] == '-')) negative = v[i++] == '-';
    long long n = 0;
    size_t digits = 0;
    while (i < v.size() && v[i] >= '0' && v[i] <= '9') {
        if (n <= INT_MAX) n = n * 10 + (v[i] - '0');
        i++;
        digits++;
    }
    *valid = digits > 0;
    if (negative) n = -n;
    if (n > INT_MAX) n = INT_MAX;
    if (n < INT_MIN) n = INT_MIN;
    return static_cast<int>(n);
}

// Where the score stands in a file's lines, and what it says.
struct Stored {
    int sectionLine = -1;  // the [HighScore] header
    int keyLine = -1;      // the Score= line in that section
    std::string raw;       // its value as written
    bool valid = false;    // the value holds a number
    int value = 0;         // that number, or 0
};

Stored Inspect(const std::vector<std::string>& lines) {
    Stored st;
    bool inSection = false;
    for (size_t i = 0; i < lines.size(); i++) {
        std::string name;
        if (IsSection(lines[i], &name)) {
            inSection = SameName(name, "HighScore");
            if (inSection && st.sectionLine < 0) st.sectionLine = static_cast<int>(i);
            continue;
        }
        if (inSection && st.keyLine < 0 && IsKey(lines[i], "Score", &st.raw)) st.keyLine = static_cast<int>(i);
    }
    if (st.keyLine >= 0) st.value = ParseNumber(st.raw, &st.valid);
    if (!st.valid) st.value = 0;
    return st;
}

// The file's lines with the score set to `best`: the key replaced in place,
// added to its section, or a new section at the end; nothing else touched.
std::string WithScore(std::vector<std::string> lines, const Stored& st, int best, const std::string& nl) {
    const std::string line = "Score=" + std::to_string(best);
    if (st.keyLine >= 0) {
        const std::string& orig = lines[st.keyLine];
        lines[st.keyLine] = line + orig.substr(WithoutEnding(orig).size());
    } else {
        if (!lines.empty() && lines.back().back() != '\n') lines.back() += nl;
        if (st.sectionLine >= 0) {
            lines.insert(lines.begin() + st.sectionLine + 1, line + nl);
        } else {
            lines.push_back("[HighScore]" + nl);
            lines.push_back(line + nl);
        }
    }
    std::string out;
    for (const std::string& l : lines) out += l;
    return out;
}

bool ReadWhole(const std::string& path, std::string* text, int* err) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *err = errno;
        return false;
    }
    char buf[4096];
    for (;;) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            *err = errno;
            close(fd);
            return false;
        }
        if (n == 0) break;
        text->append(buf, static_cast<size_t>(n));
    }
    close(fd);
    return true;
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool MakeDirs(const std::string& dir, int* err) {
    std::string path;
    size_t pos = 0;
    while (pos <= dir.size()) {
        size_t slash = dir.find('/', pos);
        if (slash == std::string::npos) slash = dir.size();
        path = dir.substr(0, slash);
        pos = slash + 1;
        if (path.empty()) continue;
        if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
            *err = errno;
            return false;
        }
    }
    struct stat st;
    if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        *err = ENOTDIR;
        return false;
    }
    return true;
}

// Temporary files left by a save that never reached its rename (a crash, a
// power cut) are removed by the next save, under the lock.
void RemoveStaleTemps(const std::string& dir) {
    DIR* d = opendir(dir.c_str());
    if (d == nullptr) return;
    const std::string prefix = std::string(SCORE_FILE_NAME) + ".tmp.";
    while (struct dirent* e = readdir(d)) {
        if (std::strncmp(e->d_name, prefix.c_str(), prefix.size()) == 0) unlink((dir + "/" + e->d_name).c_str());
    }
    closedir(d);
}

std::string Describe(const std::string& what, const std::string& path, int err) {
    return what + " " + path + ": " + std::strerror(err);
}

}  // namespace

std::string DefaultDataDir() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') return std::string(xdg) + "/tolvenar";
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        struct passwd* pw = getpwuid(getuid());
        home = pw != nullptr ? pw->pw_dir : "/tmp";
    }
    return std::string(home) + "/.local/share/tolvenar";
}

int ParseScoreText(const std::string& text, bool* found) {
    std::vector<std::string> lines;
    SplitLines(text, lines);
    const Stored st = Inspect(lines);
    if (found != nullptr) *found = st.valid;
    return st.value;
}

int ReadScoreFile(const std::string& path, std::string* note) {
    std::string text;
    int err = 0;
    if (!ReadWhole(path, &text, &err)) {
        if (err != ENOENT && err != ENOTDIR && note != nullptr) *note = Describe("cannot read the high score from", path, err);
        return 0;
    }
    std::vector<std::string> lines;
    SplitLines(text, lines);
    const Stored st = Inspect(lines);
    // A file without the key is normal; a key whose value is not a number is not.
    if (st.keyLine >= 0 && !st.valid && note != nullptr) {
        *note = path + " holds no valid score (\"" + st.raw + "\"); it counts as 0";
    }
    return st.value;
}

SaveResult WriteScoreFile(const std::string& dir, int value) {
    SaveResult result{false, value, ""};
    int err = 0;
    if (!MakeDirs(dir, &err)) {
        result.error = Describe("cannot create the folder", dir, err);
        return result;
    }
    const std::string path = dir + "/" + SCORE_FILE_NAME;
    const std::string lockPath = path + ".lock";
    int lockFd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lockFd < 0) {
        result.error = Describe("cannot save the high score in", dir, errno);
        return result;
    }
    while (flock(lockFd, LOCK_EX) != 0 && errno == EINTR) {
    }

    RemoveStaleTemps(dir);
    std::string text;
    if (!ReadWhole(path, &text, &err) && err != ENOENT) {
        // Replacing a file we cannot read could throw away what it holds.
        result.error = Describe("cannot read", path, err);
        close(lockFd);
        return result;
    }
    std::vector<std::string> lines;
    SplitLines(text, lines);
    const Stored st = Inspect(lines);
    const int best = st.valid && st.value > value ? st.value : value;
    result.written = best;
    const std::string out = WithScore(lines, st, best, text.find("\r\n") != std::string::npos ? "\r\n" : "\n");

    const std::string temp = path + ".tmp." + std::to_string(getpid());
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        result.error = Describe("cannot save the high score in", dir, errno);
        close(lockFd);
        return result;
    }
    bool written = WriteAll(fd, out);
    err = errno;
    if (written && fsync(fd) != 0) {
        written = false;
        err = errno;
    }
    if (close(fd) != 0 && written) {
        written = false;
        err = errno;
    }
    if (!written || rename(temp.c_str(), path.c_str()) != 0) {
        if (written) err = errno;
        unlink(temp.c_str());
        result.error = Describe("cannot save the high score to", path, err);
        close(lockFd);
        return result;
    }
    int dirFd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        fsync(dirFd);
        close(dirFd);
    }
    close(lockFd);
    result.ok = true;
    return result;
}

int LoadScoreTelling(const std::string& dir) {
    std::string note;
    const int score = ReadScoreFile(dir + "/" + SCORE_FILE_NAME, &note);
    if (!note.empty()) std::fprintf(stderr, "tolvenar: %s\n", note.c_str());
    return score;
}

SaveResult SaveScoreTelling(const std::string& dir, int value) {
    static bool told = false;
    SaveResult r = WriteScoreFile(dir, value);
    if (!r.ok && !told) {
        std::fprintf(stderr, "tolvenar: %s; the high score is kept only while the game runs\n", r.error.c_str());
        told = true;
    }
    return r;
}
