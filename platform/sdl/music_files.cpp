#include "music_files.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <sys/stat.h>

namespace {

bool IsFile(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ProgramFolder() {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return std::string();
    std::string path(buf, static_cast<size_t>(n));
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

std::vector<std::string> MusicFolders() {
    std::vector<std::string> folders{"."};
    const std::string own = ProgramFolder();
    if (!own.empty()) folders.push_back(own);
    folders.push_back(TOLVENAR_DATA_DIR);
    return folders;
}

std::string FindInFolders(const std::vector<std::string>& folders, const char* name) {
    for (const std::string& folder : folders) {
        const std::string path = folder + "/" + name;
        if (IsFile(path)) return path;
    }
    return std::string();
}

std::string ExistingSoundFonts(const std::vector<std::string>& candidates) {
    std::string list;
    std::vector<std::string> seen;
    for (const std::string& path : candidates) {
        if (!IsFile(path)) continue;
        // Debian's default-GM is often a link to TimGM6mb: load that file once.
        char real[PATH_MAX];
        const std::string same = realpath(path.c_str(), real) != nullptr ? real : path;
        bool again = false;
        for (const std::string& s : seen) again = again || s == same;
        if (again) continue;
        seen.push_back(same);
        if (!list.empty()) list += ';';
        list += path;
    }
    return list;
}

std::vector<std::string> SoundFontCandidates() {
    return {"/usr/share/sounds/sf3/default-GM.sf3", "/usr/share/sounds/sf2/TimGM6mb.sf2"};
}
