// The driver's picture and sound exports: `frame PATH`, `sprite SLOT PATH`
// and `wave ID PATH`.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "canvas.h"
#include "driver_commands.h"
#include "platform.h"
#include "resources.h"

namespace {

std::string TempPath(const char* name) {
    return testing::TempDir() + "tolvenar_" + std::to_string(getpid()) + "_" + name;
}

std::vector<unsigned char> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ExportCommands, FrameWritesTheBackBufferAsPng) {
    Canvas* back = BackBuffer();
    FillWindowColour(back);
    DrawLine(back, 3, 2, 200, 300);
    back->pixels[5] = 0x00A1B2C3;
    const std::string path = TempPath("frame.png");
    std::string error;
    ASSERT_EQ(RunCommandLine("frame " + path, &error), CommandResult::Ok) << error;

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    ASSERT_EQ(image.width, static_cast<unsigned>(CANVAS_WIDTH));
    ASSERT_EQ(image.height, static_cast<unsigned>(CANVAS_HEIGHT));
    for (size_t i = 0; i < rgb.size() / 3; i++) {
        const uint32_t p = uint32_t{rgb[3 * i]} << 16 | uint32_t{rgb[3 * i + 1]} << 8 | rgb[3 * i + 2];
        ASSERT_EQ(p, back->pixels[i]) << "pixel " << i;
    }
    std::remove(path.c_str());
}

TEST(ExportCommands, SpritesAndWavesAreWrittenExactlyAsEmbedded) {
    const struct {
        std::string command;
        int id;
    } cases[] = {{"sprite 0", 101}, {"sprite 35", 136}, {"wave 137", 137}, {"wave 138", 138}};
    for (const auto& c : cases) {
        ResourceData res;
        if (!FindResource(c.id, res)) {
            ADD_FAILURE() << "resource " << c.id << " is not built in";
            continue;
        }
        const std::string path = TempPath("export.bin");
        std::string error;
        ASSERT_EQ(RunCommandLine(c.command + " " + path, &error), CommandResult::Ok) << c.command << ": " << error;
        EXPECT_EQ(ReadFile(path), std::vector<unsigned char>(res.data, res.data + res.size)) << c.command;
        std::remove(path.c_str());
    }
}

TEST(ExportCommands, BadArgumentsAndFailedWritesAreErrors) {
    const std::string ok = TempPath("unused");
    const std::string lines[] = {
        "frame",          "frame a b",         "frame /nonexistent-folder/f.png",
        "sprite 36 " + ok, "sprite -1 " + ok, "sprite x " + ok, "sprite 3", "sprite 3 /nonexistent-folder/s.bmp",
        "wave 136 " + ok, "wave 139 " + ok,   "wave 137",       "wave 137 /nonexistent-folder/w.wav",
    };
    for (const std::string& line : lines) {
        std::string error;
        EXPECT_EQ(RunCommandLine(line, &error), CommandResult::Error) << line;
        EXPECT_FALSE(error.empty()) << line;
    }
    EXPECT_TRUE(ReadFile(ok).empty());
}

}  // namespace
