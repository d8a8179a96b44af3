// tolvenar-midigen SCORE OUT.mid: writes the music described by a text score.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "song.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tolvenar-midigen SCORE OUT.mid\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "tolvenar-midigen: cannot read %s\n", argv[1]);
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    Song song;
    std::string error;
    if (!ParseScore(text.str(), song, error)) {
        std::fprintf(stderr, "tolvenar-midigen: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    const std::vector<uint8_t> bytes = WriteMidi(song);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "tolvenar-midigen: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
