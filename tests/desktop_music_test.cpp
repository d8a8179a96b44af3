// Where the desktop program looks for its music and soundfont.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "music_files.h"

namespace fs = std::filesystem;

namespace {

class MusicFiles : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/tolvenar-music-XXXXXX";
        root = mkdtemp(name);
        for (const char* d : {"cwd", "exe", "data"}) fs::create_directory(root / d);
    }
    void TearDown() override { fs::remove_all(root); }
    std::string Put(const char* dir, const char* name) {
        const fs::path p = root / dir / name;
        std::ofstream(p) << "x";
        return p.string();
    }
    std::vector<std::string> Folders() const {
        return {(root / "cwd").string(), (root / "exe").string(), (root / "data").string()};
    }
    fs::path root;
};

TEST_F(MusicFiles, TheFirstFolderHoldingTheMusicWins) {
    EXPECT_EQ(FindInFolders(Folders(), MUSIC_FILE_NAME), "");
    const std::string inData = Put("data", MUSIC_FILE_NAME);
    EXPECT_EQ(FindInFolders(Folders(), MUSIC_FILE_NAME), inData);
    const std::string besideProgram = Put("exe", MUSIC_FILE_NAME);
    EXPECT_EQ(FindInFolders(Folders(), MUSIC_FILE_NAME), besideProgram);
    const std::string inCurrent = Put("cwd", MUSIC_FILE_NAME);
    EXPECT_EQ(FindInFolders(Folders(), MUSIC_FILE_NAME), inCurrent);
    // A folder of that name is not the music.
    fs::remove(inCurrent);
    fs::create_directory(inCurrent);
    EXPECT_EQ(FindInFolders(Folders(), MUSIC_FILE_NAME), besideProgram);
}

TEST_F(MusicFiles, SearchesTheCurrentFolderFirstThenTheProgramsThenTheDataFolder) {
    const std::vector<std::string> folders = MusicFolders();
    ASSERT_EQ(folders.size(), 3u);
    EXPECT_EQ(folders[0], ".");
    EXPECT_EQ(fs::path(folders[1]), fs::canonical("/proc/self/exe").parent_path());
    EXPECT_EQ(folders[2], TOLVENAR_DATA_DIR);
}

TEST_F(MusicFiles, OnlyExistingSoundFontsAreListedInOrder) {
    const std::string a = Put("data", "a.sf2");
    const std::string b = Put("exe", "b.sf3");
    const std::string missing = (root / "none.sf2").string();
    EXPECT_EQ(ExistingSoundFonts({a, missing, b}), a + ";" + b);
    // A link to a soundfont already listed is not loaded a second time.
    const fs::path link = root / "cwd" / "default-GM.sf3";
    fs::create_symlink(b, link);
    EXPECT_EQ(ExistingSoundFonts({link.string(), b, a}), link.string() + ";" + a);
    EXPECT_EQ(ExistingSoundFonts({missing}), "");
    EXPECT_EQ(SoundFontCandidates().back(), "/usr/share/sounds/sf2/TimGM6mb.sf2");
}

}  // namespace
