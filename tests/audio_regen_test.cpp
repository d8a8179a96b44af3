// The committed sounds and music are exactly what the generators make from
// their sources, so nobody edits a generated file by hand or forgets to
// regenerate it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Equal, or where the first difference is.
std::string Compare(const fs::path& made, const fs::path& committed) {
    const std::string a = Contents(made), b = Contents(committed);
    if (a == b) return "";
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    return made.filename().string() + ": " + std::to_string(a.size()) + " bytes made, " + std::to_string(b.size()) +
           " committed, first difference at byte " + std::to_string(i);
}

int Shell(const std::string& command) { return std::system(command.c_str()); }

fs::path Scratch(const char* name) {
    const fs::path dir = fs::path(TOLVENAR_AUDIO_SCRATCH) / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

const fs::path kSource = TOLVENAR_SOURCE_DIR;

TEST(Regeneration, WaveGeneratorRemakesTheCommittedWaves) {
    const fs::path dir = Scratch("waves");
    ASSERT_EQ(Shell("'" TOLVENAR_WAVEGEN "' '" + dir.string() + "'"), 0);
    for (const char* name : {"fire.wav", "land.wav"})
        EXPECT_EQ(Compare(dir / name, kSource / "resources/sounds" / name), "");
}

TEST(Regeneration, MidiGeneratorRemakesBgmMidFromTheScore) {
    const fs::path out = Scratch("music") / "BGM.mid";
    ASSERT_EQ(Shell("'" TOLVENAR_MIDIGEN "' '" + (kSource / "resources/music/bgm.score").string() + "' '" +
                  out.string() + "'"),
              0);
    EXPECT_EQ(Compare(out, kSource / "resources/music/BGM.mid"), "");
}

TEST(Regeneration, MidiGeneratorRejectsABadScoreWithOneMessage) {
    const fs::path dir = Scratch("bad-score");
    std::ofstream(dir / "bad.score") << "time 4/4\nform A\ntrack T channel=1\nsection A\nC4/4 Q9/4 |\n";
    const int status = Shell("'" TOLVENAR_MIDIGEN "' '" + (dir / "bad.score").string() + "' '" +
                           (dir / "out.mid").string() + "' 2> '" + (dir / "stderr.txt").string() + "'");
    EXPECT_NE(status, 0);
    EXPECT_FALSE(fs::exists(dir / "out.mid"));
    const std::string err = Contents(dir / "stderr.txt");
    EXPECT_NE(err.find("bad.score: line 5: 'Q9' is not a note"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

}  // namespace
