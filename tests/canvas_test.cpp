// The software canvas: sprites with the red key, opaque pictures, lines,
// restoring the background, BMP decoding, text and PNG frames. Each drawing
// routine is compared against a plain pixel-by-pixel version of its contract.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "canvas.h"
#include "platform.h"
#include "png_write.h"
#include "text.h"

// Counts heap allocations while `countAllocations` is set: every operator new,
// and outside the sanitizer build (which owns malloc) every malloc as well.
namespace {
bool countAllocations = false;
long allocations = 0;
void* CountedNew(std::size_t n) {
    if (countAllocations) allocations++;
    void* p = std::malloc(n != 0 ? n : 1);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}
}  // namespace

void* operator new(std::size_t n) { return CountedNew(n); }
void* operator new[](std::size_t n) { return CountedNew(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

#if !defined(__SANITIZE_ADDRESS__)
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void __libc_free(void*);
void* malloc(size_t n) {
    if (countAllocations) allocations++;
    return __libc_malloc(n);
}
void* calloc(size_t n, size_t size) {
    if (countAllocations) allocations++;
    return __libc_calloc(n, size);
}
void* realloc(void* p, size_t n) {
    if (countAllocations) allocations++;
    return __libc_realloc(p, n);
}
void free(void* p) { __libc_free(p); }
}
#endif

namespace {

constexpr uint32_t KEY = KEY_COLOUR;
constexpr uint32_t NEAR_KEY = 0x00FE0000;
constexpr uint32_t PAPER = 0x00123456;

OwnedCanvas Filled(int w, int h, uint32_t colour) {
    OwnedCanvas c;
    MakeCanvas(c, w, h);
    for (uint32_t& p : c.storage) p = colour;
    return c;
}

// A 5 x 4 sprite with two runs on a row, a row of key only, a lone pixel and
// the near-key red that must be drawn.
Sprite Fixture() {
    const uint32_t pixels[] = {
        0x000001, KEY,      0x000003, 0x000004, KEY,
        KEY,      KEY,      KEY,      KEY,      KEY,
        NEAR_KEY, 0x000012, KEY,      KEY,      0x000015,
        KEY,      KEY,      0x000023, KEY,      KEY,
    };
    Sprite s;
    MakeSprite(s, 5, 4, pixels);
    return s;
}

// The contract, one pixel at a time.
void ReferenceSprite(OwnedCanvas& c, int x, int y, const Sprite& s, bool keyed) {
    for (int sy = 0; sy < s.height; sy++) {
        for (int sx = 0; sx < s.width; sx++) {
            const int cx = x + sx;
            const int cy = y + sy;
            const uint32_t p = s.pixels[static_cast<size_t>(sy) * s.width + sx];
            if (cx < 0 || cy < 0 || cx >= c.canvas.width || cy >= c.canvas.height || (keyed && p == KEY)) continue;
            c.storage[static_cast<size_t>(cy) * c.canvas.width + cx] = p;
        }
    }
}

uint32_t At(const OwnedCanvas& c, int x, int y) {
    return c.storage[static_cast<size_t>(y) * c.canvas.width + x];
}

TEST(DrawSprite, ExactRedIsTransparentAndNearRedIsDrawn) {
    OwnedCanvas c = Filled(8, 8, PAPER);
    const Sprite s = Fixture();
    DrawSprite(&c.canvas, 1, 1, &s);
    EXPECT_EQ(At(c, 1, 1), 0x000001u);
    EXPECT_EQ(At(c, 2, 1), PAPER);      // key
    EXPECT_EQ(At(c, 1, 3), NEAR_KEY);   // RGB(254, 0, 0)
    EXPECT_EQ(At(c, 3, 2), PAPER);      // a row of key only
    EXPECT_EQ(At(c, 5, 3), 0x000015u);
}

TEST(DrawSprite, ClipsOnEveryEdgeLikeThePixelContract) {
    const Sprite s = Fixture();
    const std::pair<int, int> places[] = {
        {0, 0},   {3, 2},    {-1, 2},  {-4, 2},   {-5, 2},   {6, 2},    {9, 2},  {10, 2},
        {3, -1},  {3, -3},   {3, -4},  {3, 5},    {3, 7},    {3, 8},    {-2, -2}, {8, 6},
        {-3, 6},  {8, -2},   {-100000, 3}, {3, 100000}, {-2147483000, -2147483000},
    };
    for (auto [x, y] : places) {
        OwnedCanvas got = Filled(10, 8, PAPER);
        OwnedCanvas want = Filled(10, 8, PAPER);
        DrawSprite(&got.canvas, x, y, &s);
        ReferenceSprite(want, x, y, s, true);
        EXPECT_EQ(got.storage, want.storage) << "sprite at " << x << "," << y;
    }
}

TEST(DrawSprite, SecondDrawGivesTheSamePixels) {
    const Sprite s = Fixture();
    const Sprite before = s;
    OwnedCanvas c = Filled(16, 6, PAPER);
    DrawSprite(&c.canvas, 1, 1, &s);
    DrawSprite(&c.canvas, 9, 1, &s);
    for (int y = 0; y < 6; y++) {
        for (int x = 0; x < 7; x++) EXPECT_EQ(At(c, x, y), At(c, x + 8, y)) << x << "," << y;
    }
    EXPECT_EQ(s.pixels, before.pixels);
}

TEST(DrawSprite, NullSpriteDrawsNothing) {
    OwnedCanvas c = Filled(4, 4, PAPER);
    DrawSprite(&c.canvas, 0, 0, nullptr);
    BlitOpaque(&c.canvas, nullptr, 0);
    RestoreArea(&c.canvas, nullptr, 0, 0, 4, 4);
    EXPECT_EQ(c.storage, Filled(4, 4, PAPER).storage);
}

TEST(BlitOpaque, CopiesEveryPixelAtYAndClips) {
    // Wider than the canvas, with key pixels that an opaque copy keeps.
    const Sprite s = Fixture();
    for (int y : {0, 2, -1, -3, 5, 6, -4, 100}) {
        OwnedCanvas got = Filled(4, 6, PAPER);
        OwnedCanvas want = Filled(4, 6, PAPER);
        BlitOpaque(&got.canvas, &s, y);
        ReferenceSprite(want, 0, y, s, false);
        EXPECT_EQ(got.storage, want.storage) << "picture at y " << y;
    }
    OwnedCanvas wide = Filled(7, 5, PAPER);
    BlitOpaque(&wide.canvas, &s, 1);
    EXPECT_EQ(At(wide, 1, 1), KEY);
    EXPECT_EQ(At(wide, 5, 1), PAPER);  // right of a narrower picture
}

TEST(RestoreArea, CopiesTheClippedRectangleOfThePicture) {
    // The picture is smaller than the canvas on both axes.
    std::vector<uint32_t> bg(6 * 5);
    for (size_t i = 0; i < bg.size(); i++) bg[i] = 0x00010000u * static_cast<uint32_t>(i + 1);
    Sprite picture;
    MakeSprite(picture, 6, 5, bg.data());
    struct Area { int x, y, w, h; };
    const Area areas[] = {
        {1, 1, 3, 2}, {-2, -1, 4, 3}, {4, 3, 5, 5}, {0, 0, 8, 7}, {7, 0, 2, 2}, {0, 6, 3, 3}, {2, 2, 0, 3}, {-9, 1, 3, 2},
    };
    for (const Area& a : areas) {
        OwnedCanvas got = Filled(8, 7, PAPER);
        RestoreArea(&got.canvas, &picture, a.x, a.y, a.w, a.h);
        for (int y = 0; y < 7; y++) {
            for (int x = 0; x < 8; x++) {
                const bool inside = x >= a.x && x < a.x + a.w && y >= a.y && y < a.y + a.h && x < 6 && y < 5;
                const uint32_t want = inside ? bg[static_cast<size_t>(y) * 6 + x] : PAPER;
                EXPECT_EQ(At(got, x, y), want) << "area " << a.x << "," << a.y << " " << a.w << "x" << a.h << " at " << x << "," << y;
            }
        }
    }
}

using Point = std::pair<int, int>;

std::set<Point> LinePixels(int x0, int y0, int x1, int y1, int w = 40, int h = 40) {
    OwnedCanvas c = Filled(w, h, PAPER);
    DrawLine(&c.canvas, x0, y0, x1, y1);
    std::set<Point> out;
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            const uint32_t p = At(c, x, y);
            if (p == 0) out.insert({x, y});
            else EXPECT_EQ(p, PAPER);
        }
    }
    return out;
}

TEST(DrawLine, StartsAtTheFirstPointAndLeavesTheEndOut) {
    const int lines[][4] = {
        {5, 5, 15, 5},  {15, 5, 5, 5},    // horizontal, both ways
        {5, 5, 5, 20},  {5, 20, 5, 5},    // vertical
        {5, 5, 15, 15}, {15, 15, 5, 5},   // diagonal
        {5, 5, 9, 30},  {9, 30, 5, 5},    // steep
        {5, 30, 30, 21}, {30, 21, 5, 30}, // shallow, rising
        {10, 10, 10, 10},                 // a point: nothing
    };
    for (const auto& l : lines) {
        const int x0 = l[0], y0 = l[1], x1 = l[2], y1 = l[3];
        const std::set<Point> px = LinePixels(x0, y0, x1, y1);
        const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
        const std::string name = std::to_string(x0) + "," + std::to_string(y0) + " to " + std::to_string(x1) + "," + std::to_string(y1);
        ASSERT_EQ(px.size(), static_cast<size_t>(std::max(dx, dy))) << name;
        if (px.empty()) continue;
        EXPECT_TRUE(px.count({x0, y0})) << name;
        EXPECT_FALSE(px.count({x1, y1})) << name;
        // One pixel per step along the long axis, each within half a pixel
        // of the ideal line.
        std::set<int> major;
        for (auto [x, y] : px) {
            major.insert(dx >= dy ? x : y);
            const double cross = static_cast<double>(x - x0) * (y1 - y0) - static_cast<double>(y - y0) * (x1 - x0);
            EXPECT_LE(std::abs(cross) / std::max(dx, dy), 0.5 + 1e-9) << name << " pixel " << x << "," << y;
        }
        EXPECT_EQ(major.size(), px.size()) << name;
    }
}

TEST(DrawLine, ClipsToTheVisiblePartOfTheSameLine) {
    // Drawn on a small canvas, a line shows exactly the pixels that the same
    // line shows on a large canvas shifted by (20, 20), inside the small one.
    const int lines[][4] = {
        {-10, 3, 25, 8}, {3, -15, 7, 30}, {-5, -5, 30, 30}, {12, 12, -8, -2}, {-20, -3, -1, -9}, {30, 30, 50, 2},
    };
    for (const auto& l : lines) {
        const std::set<Point> small = LinePixels(l[0], l[1], l[2], l[3], 16, 16);
        std::set<Point> want;
        for (auto [x, y] : LinePixels(l[0] + 20, l[1] + 20, l[2] + 20, l[3] + 20, 80, 80)) {
            if (x >= 20 && x < 36 && y >= 20 && y < 36) want.insert({x - 20, y - 20});
        }
        EXPECT_EQ(small, want) << l[0] << "," << l[1] << " to " << l[2] << "," << l[3];
    }
}

// A BMP file of 24-bit pixels (0x00RRGGBB, rows top to bottom).
std::vector<unsigned char> Bmp(int w, int h, const std::vector<uint32_t>& pixels, bool topDown, int bits = 24) {
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
    std::vector<unsigned char> f(54 + stride * h, 0);
    auto put16 = [&](size_t at, uint32_t v) { f[at] = v & 0xFF; f[at + 1] = v >> 8 & 0xFF; };
    auto put32 = [&](size_t at, uint32_t v) { put16(at, v & 0xFFFF); put16(at + 2, v >> 16); };
    f[0] = 'B';
    f[1] = 'M';
    put32(2, static_cast<uint32_t>(f.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(topDown ? -h : h));
    put16(26, 1);
    put16(28, static_cast<uint32_t>(bits));
    for (int y = 0; y < h; y++) {
        unsigned char* row = f.data() + 54 + stride * static_cast<size_t>(topDown ? y : h - 1 - y);
        for (int x = 0; x < w; x++) {
            const uint32_t p = pixels[static_cast<size_t>(y) * w + x];
            row[3 * x] = p & 0xFF;
            row[3 * x + 1] = p >> 8 & 0xFF;
            row[3 * x + 2] = p >> 16 & 0xFF;
        }
        // Padding bytes that must not leak into the picture.
        for (size_t i = static_cast<size_t>(w) * 3; i < stride; i++) row[i] = 0xAB;
    }
    return f;
}

// 3 wide, so each row carries 3 bytes of padding.
const std::vector<uint32_t> kBmpPixels = {
    0x102030, KEY,      0x405060,
    0x708090, 0xA0B0C0, KEY,
};

TEST(DecodeBmp24, ReadsBottomUpAndTopDownRowsWithPadding) {
    for (bool topDown : {false, true}) {
        const std::vector<unsigned char> file = Bmp(3, 2, kBmpPixels, topDown);
        Sprite s;
        ASSERT_TRUE(DecodeBmp24(file.data(), file.size(), s)) << "top-down " << topDown;
        EXPECT_EQ(s.width, 3);
        EXPECT_EQ(s.height, 2);
        EXPECT_EQ(s.pixels, kBmpPixels) << "top-down " << topDown;
        // The key pixels are left out when it is drawn.
        OwnedCanvas c = Filled(3, 2, PAPER);
        DrawSprite(&c.canvas, 0, 0, &s);
        EXPECT_EQ(At(c, 1, 0), PAPER);
        EXPECT_EQ(At(c, 2, 1), PAPER);
        EXPECT_EQ(At(c, 1, 1), 0xA0B0C0u);
    }
}

TEST(DecodeBmp24, RejectsWhatIsNotAWhole24BitBitmap) {
    const std::vector<unsigned char> good = Bmp(3, 2, kBmpPixels, false);
    struct Case {
        const char* what;
        std::vector<unsigned char> file;
    };
    std::vector<Case> cases;
    cases.push_back({"one byte short", {good.begin(), good.end() - 1}});
    cases.push_back({"header only", {good.begin(), good.begin() + 54}});
    cases.push_back({"shorter than a header", {good.begin(), good.begin() + 30}});
    cases.push_back({"empty", {}});
    Case magic{"not BM", good};
    magic.file[0] = 'X';
    cases.push_back(magic);
    cases.push_back({"32-bit", Bmp(3, 2, kBmpPixels, false, 32)});
    cases.push_back({"8-bit", Bmp(3, 2, kBmpPixels, false, 8)});
    Case rle{"compressed", good};
    rle.file[30] = 1;
    cases.push_back(rle);
    Case zero{"zero width", good};
    std::memset(&zero.file[18], 0, 4);
    cases.push_back(zero);
    Case offset{"pixels past the end", good};
    offset.file[10] = 0xFF;
    offset.file[11] = 0xFF;
    cases.push_back(offset);
    for (const Case& c : cases) {
        Sprite s;
        EXPECT_FALSE(DecodeBmp24(c.file.data(), c.file.size(), s)) << c.what;
    }
}

// Text. The font is whatever fontconfig finds here (UnGungseo, or the Korean
// fallback); these checks hold for either.
struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive
    int black = 0;
};

Ink InkOf(const OwnedCanvas& c, uint32_t paper) {
    Ink ink;
    for (int y = 0; y < c.canvas.height; y++) {
        for (int x = 0; x < c.canvas.width; x++) {
            const uint32_t p = At(c, x, y);
            if (p == paper) continue;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
            if (p == 0) ink.black++;
        }
    }
    return ink;
}

class Text : public ::testing::Test {
protected:
    void SetUp() override {
        if (!TextFontAvailable()) GTEST_SKIP() << "no Korean font installed";
    }
};

const char* const kMixed = "Stage 12 \xEC\x97\x94\xED\x84\xB0";  // "Stage 12 엔터"

TEST_F(Text, InkStaysInsideTheCellAtTheTopLeft) {
    OwnedCanvas c = Filled(300, 100, WINDOW_COLOUR);
    DrawText(&c.canvas, 40, 30, kMixed);
    const Ink ink = InkOf(c, WINDOW_COLOUR);
    EXPECT_GT(ink.black, 20);
    EXPECT_GE(ink.left, 40);
    EXPECT_LT(ink.right, 40 + TextWidth(kMixed));
    EXPECT_GE(ink.top, 30);
    EXPECT_LT(ink.bottom, 30 + TEXT_CELL_HEIGHT);
}

TEST_F(Text, CapitalsStandOnTheBaseline) {
    EXPECT_GT(TextAscent(), TEXT_CELL_HEIGHT / 2);
    EXPECT_LE(TextAscent(), TEXT_CELL_HEIGHT);
    OwnedCanvas c = Filled(100, 80, WINDOW_COLOUR);
    DrawText(&c.canvas, 10, 20, "HE");
    const Ink ink = InkOf(c, WINDOW_COLOUR);
    EXPECT_EQ(ink.bottom, 20 + TextAscent() - 1);
    EXPECT_GT(ink.bottom - ink.top, 10);  // a 30-pixel cell has capitals well over 10 pixels tall
}

TEST_F(Text, WidthIsTheSumOfTheGlyphAdvances) {
    EXPECT_EQ(TextWidth(""), 0);
    EXPECT_GT(TextWidth("H"), 0);
    EXPECT_EQ(TextWidth("HH:"), 2 * TextWidth("H") + TextWidth(":"));
    const char* const hangul = "\xEC\x97\x94\xED\x84\xB0";  // 엔터
    EXPECT_GT(TextWidth(hangul), TextWidth("HH"));
    // A broken UTF-8 byte costs one replacement glyph and no more.
    EXPECT_EQ(TextWidth("A\xFF" "B"), TextWidth("A") + TextWidth("\xEF\xBF\xBD") + TextWidth("B"));
}

TEST_F(Text, SameTextGivesTheSamePixelsWhereverItIsDrawn) {
    // Drawn twice, and at another place: the same picture, moved.
    OwnedCanvas a = Filled(260, 50, PAPER);
    OwnedCanvas b = Filled(260, 50, PAPER);
    DrawText(&a.canvas, 5, 5, kMixed);
    DrawText(&b.canvas, 5, 5, kMixed);
    EXPECT_EQ(a.storage, b.storage);
    OwnedCanvas moved = Filled(260, 50, PAPER);
    DrawText(&moved.canvas, 9, 12, kMixed);
    for (int y = 0; y + 7 < 50; y++) {
        for (int x = 0; x + 4 < 260; x++) ASSERT_EQ(At(a, x, y), At(moved, x + 4, y + 7)) << x << "," << y;
    }
}

TEST_F(Text, BlendsTowardsBlackAndClipsAtTheCanvasEdges) {
    // Edge pixels are a mix of black and the background, never brighter.
    OwnedCanvas c = Filled(200, 40, PAPER);
    DrawText(&c.canvas, 0, 0, kMixed);
    int mixed = 0;
    for (uint32_t p : c.storage) {
        EXPECT_LE(p >> 16 & 0xFF, PAPER >> 16 & 0xFF);
        EXPECT_LE(p >> 8 & 0xFF, PAPER >> 8 & 0xFF);
        EXPECT_LE(p & 0xFF, PAPER & 0xFF);
        if (p != PAPER && p != 0) mixed++;
    }
    EXPECT_GT(mixed, 0);
    // Partly off every edge: what shows equals the same text on a larger canvas.
    const int w = TextWidth(kMixed);
    const std::pair<int, int> places[] = {{-20, 5}, {5, -12}, {60 - w + 20, 5}, {5, 22}, {-w - 5, 0}, {0, -40}};
    for (auto [x, y] : places) {
        OwnedCanvas small = Filled(60, 40, PAPER);
        OwnedCanvas big = Filled(60 + 2 * (w + 60), 40 + 160, PAPER);
        DrawText(&small.canvas, x, y, kMixed);
        DrawText(&big.canvas, x + w + 60, y + 80, kMixed);
        for (int sy = 0; sy < 40; sy++) {
            for (int sx = 0; sx < 60; sx++) ASSERT_EQ(At(small, sx, sy), At(big, sx + w + 60, sy + 80)) << "text at " << x << "," << y;
        }
    }
}

TEST_F(Text, PreparedTextDrawsWithoutAllocating) {
    const char* const prompt = "\xEA\xB2\x8C\xEC\x9E\x84\xEC\x9D\x84 \xEC\x8B\x9C\xEC\x9E\x91";  // 게임을 시작
    PrepareText(prompt);
    OwnedCanvas c = Filled(300, 40, WINDOW_COLOUR);
    allocations = 0;
    countAllocations = true;
    DrawText(&c.canvas, 3, 3, prompt);
    DrawText(&c.canvas, 3, 3, "Score: 1234567890 Angle: 90");  // ASCII is ready from the start
    countAllocations = false;
    EXPECT_EQ(allocations, 0);
    EXPECT_GT(InkOf(c, WINDOW_COLOUR).black, 0);
    // The counter does see allocations.
    countAllocations = true;
    const std::string scratch(static_cast<size_t>(TextWidth("H")) + 100, 'x');
    countAllocations = false;
    EXPECT_GT(scratch.size(), 100u);
    EXPECT_GT(allocations, 0);
}

// Reads a PNG back with libpng's simple reader, as 0x00RRGGBB.
std::vector<uint32_t> ReadPng(const std::vector<unsigned char>& bytes, int& w, int& h) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
    w = static_cast<int>(image.width);
    h = static_cast<int>(image.height);
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return {};
    std::vector<uint32_t> out(rgb.size() / 3);
    for (size_t i = 0; i < out.size(); i++) out[i] = uint32_t{rgb[3 * i]} << 16 | uint32_t{rgb[3 * i + 1]} << 8 | rgb[3 * i + 2];
    return out;
}

TEST(Png, RoundTripsThePixelsWithStableBytes) {
    OwnedCanvas c;
    MakeCanvas(c, 7, 3);
    for (size_t i = 0; i < c.storage.size(); i++) c.storage[i] = static_cast<uint32_t>(i * 0x0A1B2C7u) & 0xFFFFFFu;
    std::vector<unsigned char> first, second;
    std::string error;
    ASSERT_TRUE(EncodePng(c.canvas, first, &error)) << error;
    ASSERT_TRUE(EncodePng(c.canvas, second, &error)) << error;
    EXPECT_EQ(first, second);
    EXPECT_EQ(std::string(first.begin(), first.end()).find("tIME"), std::string::npos);
    int w = 0, h = 0;
    EXPECT_EQ(ReadPng(first, w, h), c.storage);
    EXPECT_EQ(w, 7);
    EXPECT_EQ(h, 3);
}

TEST(Png, ReportsAFileThatCannotBeWritten) {
    OwnedCanvas c = Filled(2, 2, PAPER);
    std::string error;
    EXPECT_FALSE(WritePng(c.canvas, "/nonexistent-folder/frame.png", &error));
    EXPECT_NE(error.find("/nonexistent-folder/frame.png"), std::string::npos) << error;
}

}  // namespace
