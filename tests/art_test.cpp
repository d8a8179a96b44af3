// The pictures as the game loads them: sizes, the red key, mirror pairs, and
// where each picture sits in its box (the draw offsets and hit spans rely on it).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "canvas.h"
#include "resources.h"

namespace {

constexpr uint32_t BLUE = 0x000000FF;

Sprite Load(int slot) {
    Sprite s;
    ResourceData res{};
    EXPECT_TRUE(FindResource(FIRST_BITMAP_ID + slot, res)) << "slot " << slot;
    if (res.data != nullptr) {
        EXPECT_TRUE(DecodeBmp24(res.data, res.size, s)) << "slot " << slot;
    }
    return s;
}

uint32_t At(const Sprite& s, int x, int y) { return s.pixels[size_t(y) * s.width + x]; }
int R(uint32_t c) { return int(c >> 16 & 255); }
int G(uint32_t c) { return int(c >> 8 & 255); }
int B(uint32_t c) { return int(c & 255); }

struct Bounds {
    int x0 = 1 << 20, y0 = 1 << 20, x1 = -1, y1 = -1;
    double cx() const { return (x0 + x1) / 2.0; }
    double cy() const { return (y0 + y1) / 2.0; }
};

template <typename Pred>
Bounds BoundsOf(const Sprite& s, Pred pred) {
    Bounds b;
    for (int y = 0; y < s.height; y++) {
        for (int x = 0; x < s.width; x++) {
            if (!pred(At(s, x, y))) continue;
            b.x0 = std::min(b.x0, x);
            b.y0 = std::min(b.y0, y);
            b.x1 = std::max(b.x1, x);
            b.y1 = std::max(b.y1, y);
        }
    }
    return b;
}

bool Opaque(uint32_t c) { return c != KEY_COLOUR; }

bool IsKeyed(int slot) { return slot != 2 && slot != 3 && slot != 35; }

TEST(ArtPictures, EveryPictureHasTheSizeTheGameExpects) {
    const int sizes[SPRITE_COUNT][2] = {
        {34, 31}, {34, 31}, {953, 90}, {953, 300}, {39, 39}, {39, 39}, {39, 39}, {39, 39}, {88, 100},
        {88, 100}, {88, 100}, {61, 58}, {61, 58},  {36, 30},  {35, 31}, {33, 24}, {34, 25}, {31, 29},
        {35, 26}, {33, 33}, {35, 31}, {35, 21},   {32, 31},  {39, 29}, {36, 30}, {35, 31}, {33, 24},
        {34, 25}, {31, 29}, {35, 26}, {33, 33},   {35, 31},  {35, 21}, {32, 31}, {39, 29}, {130, 130},
    };
    for (int slot = 0; slot < SPRITE_COUNT; slot++) {
        const Sprite s = Load(slot);
        EXPECT_EQ(s.width, sizes[slot][0]) << "slot " << slot;
        EXPECT_EQ(s.height, sizes[slot][1]) << "slot " << slot;
    }
}

// Corners are key, something is drawn, and no drawn pixel is so close to the
// key that it would show as a red fringe (a colour blended with the key).
TEST(ArtPictures, SpritesStandOnTheKeyWithCleanEdges) {
    for (int slot = 0; slot < SPRITE_COUNT; slot++) {
        if (!IsKeyed(slot)) continue;
        const Sprite s = Load(slot);
        ASSERT_GT(s.width, 0) << "slot " << slot;
        EXPECT_EQ(At(s, 0, 0), KEY_COLOUR) << "slot " << slot;
        EXPECT_EQ(At(s, s.width - 1, 0), KEY_COLOUR) << "slot " << slot;
        int opaque = 0;
        for (uint32_t c : s.pixels) {
            if (c == KEY_COLOUR) continue;
            opaque++;
            EXPECT_FALSE(R(c) >= 230 && G(c) <= 40 && B(c) <= 40)
                << "slot " << slot << " has a near-key pixel " << std::hex << c;
        }
        EXPECT_GT(opaque, s.width * s.height / 8) << "slot " << slot;
    }
}

TEST(ArtPictures, OpaquePicturesHoldNoKeyColour) {
    for (int slot : {2, 3, 35}) {
        const Sprite s = Load(slot);
        ASSERT_GT(s.width, 0);
        EXPECT_EQ(std::count(s.pixels.begin(), s.pixels.end(), KEY_COLOUR), 0) << "slot " << slot;
    }
}

TEST(ArtPictures, LifeIsARedSquareWithWhiteLettersOnBlue) {
    const Sprite s = Load(35);
    ASSERT_EQ(s.width, 130);
    for (auto [x, y] : {std::pair{0, 0}, {129, 0}, {0, 129}, {129, 129}, {3, 65}, {65, 126}}) {
        EXPECT_EQ(At(s, x, y), BLUE) << x << "," << y;
    }
    const uint32_t red = At(s, 65, 25);
    EXPECT_GT(R(red), 150);
    EXPECT_LT(G(red), 100);
    EXPECT_LT(B(red), 100);
    int white = 0;
    for (uint32_t c : s.pixels) white += R(c) > 230 && G(c) > 230 && B(c) > 230;
    EXPECT_GT(white, 800);  // four letters of bold strokes
}

TEST(ArtPictures, RightFacingSpritesMirrorTheLeftOnes) {
    std::vector<std::pair<int, int>> pairs = {{0, 1}};
    for (int i = 0; i < 11; i++) pairs.push_back({13 + i, 24 + i});
    for (auto [left, right] : pairs) {
        const Sprite l = Load(left), r = Load(right);
        ASSERT_EQ(l.width, r.width);
        ASSERT_EQ(l.height, r.height);
        for (int y = 0; y < l.height; y++) {
            for (int x = 0; x < l.width; x++) {
                ASSERT_EQ(At(l, x, y), At(r, l.width - 1 - x, y)) << left << "/" << right << " at " << x << "," << y;
            }
        }
    }
}

TEST(ArtPlacement, CannonAndVehiclesTouchTheBottomRow) {
    std::vector<int> slots = {0, 1};
    for (int slot = 13; slot <= 34; slot++) slots.push_back(slot);
    for (int slot : slots) {
        const Sprite s = Load(slot);
        EXPECT_EQ(BoundsOf(s, Opaque).y1, s.height - 1) << "slot " << slot;
    }
}

// The game draws the barrel as a line from (1, 7) facing left, (31, 7) facing
// right: the gun's mouth must be there, with metal round it.
TEST(ArtPlacement, CannonMuzzleIsAtTheBarrelPivot) {
    const Sprite left = Load(0), right = Load(1);
    for (auto [s, x] : {std::pair{&left, 1}, {&right, 31}}) {
        for (int dy = -2; dy <= 2; dy++) EXPECT_TRUE(Opaque(At(*s, x, 7 + dy))) << x << "," << 7 + dy;
        const uint32_t c = At(*s, x, 4);
        EXPECT_LT(std::abs(R(c) - B(c)), 40) << "the gun is grey";
    }
    EXPECT_FALSE(Opaque(At(left, 1, 1)));
}

// The dark body is 19 pixels across and centred on (19, 19) in every frame;
// only the spark moves: bottom, left, top, right.
TEST(ArtPlacement, BallBodyIsCentredAndTheSparkGoesRound) {
    const int dirs[4][2] = {{0, 1}, {-1, 0}, {0, -1}, {1, 0}};
    for (int frame = 0; frame < 4; frame++) {
        const Sprite s = Load(4 + frame);
        const Bounds body = BoundsOf(s, [](uint32_t c) { return Opaque(c) && std::max({R(c), G(c), B(c)}) < 110; });
        EXPECT_NEAR(body.cx(), 19, 1.0) << "frame " << frame;
        EXPECT_NEAR(body.cy(), 19, 1.0) << "frame " << frame;
        EXPECT_NEAR(body.x1 - body.x0 + 1, 19, 2) << "frame " << frame;
        EXPECT_NEAR(body.y1 - body.y0 + 1, 19, 2) << "frame " << frame;
        const Bounds spark = BoundsOf(s, [](uint32_t c) { return Opaque(c) && R(c) > 200 && B(c) < 150; });
        ASSERT_GE(spark.x1, 0) << "frame " << frame << " has no spark";
        EXPECT_GT((spark.cx() - 19) * dirs[frame][0] + (spark.cy() - 19) * dirs[frame][1], 10) << "frame " << frame;
        EXPECT_LT(std::abs((spark.cx() - 19) * dirs[frame][1] + (spark.cy() - 19) * dirs[frame][0]), 2) << "frame " << frame;
    }
}

TEST(ArtPlacement, FireballsStandCentredOnTheBottomAndGrow) {
    int lastWidth = 0, lastHeight = 0;
    for (int slot = 8; slot <= 10; slot++) {
        const Sprite s = Load(slot);
        const Bounds b = BoundsOf(s, Opaque);
        EXPECT_EQ(b.y1, s.height - 1) << "slot " << slot;
        EXPECT_NEAR(b.cx(), (s.width - 1) / 2.0, 1.0) << "slot " << slot;
        EXPECT_GT(b.x1 - b.x0, lastWidth) << "slot " << slot;
        EXPECT_GT(b.y1 - b.y0, lastHeight) << "slot " << slot;
        lastWidth = b.x1 - b.x0;
        lastHeight = b.y1 - b.y0;
        double r = 0, g = 0, bl = 0, n = 0;
        for (uint32_t c : s.pixels) {
            if (!Opaque(c)) continue;
            r += R(c), g += G(c), bl += B(c), n++;
        }
        r /= n, g /= n, bl /= n;
        EXPECT_TRUE(r > 200 && g > 100 && g < 220 && bl < 120) << "slot " << slot << " averages " << r << "," << g << "," << bl;
    }
    EXPECT_GT(lastHeight, 85);
}

TEST(ArtPlacement, BurstsAreCentredWithAWhiteHeart) {
    int lastSpread = 0;
    for (int slot = 11; slot <= 12; slot++) {
        const Sprite s = Load(slot);
        const Bounds b = BoundsOf(s, Opaque);
        EXPECT_NEAR(b.cx(), 30, 1.0) << "slot " << slot;
        EXPECT_NEAR(b.cy(), 28.5, 1.0) << "slot " << slot;
        const uint32_t heart = At(s, 30, 28);
        EXPECT_GT(std::min({R(heart), G(heart), B(heart)}), 220) << "slot " << slot;
        long spread = 0;  // how far the smoke reaches, summed over its pixels
        for (int y = 0; y < s.height; y++)
            for (int x = 0; x < s.width; x++)
                if (Opaque(At(s, x, y))) spread += std::lround(std::hypot(x - 30, y - 28.5));
        EXPECT_GT(spread, lastSpread) << "slot " << slot << " should spread out";
        lastSpread = int(spread);
    }
}

// Black text is written over the sky at y 10 to 90: nothing dark may reach up there.
TEST(ArtScenery, SkyBehindTheTextStaysLight) {
    const Sprite s = Load(3);
    ASSERT_EQ(s.width, 953);
    for (int y = 10; y < 90; y++) {
        for (int x = 0; x < s.width; x++) {
            const uint32_t c = At(s, x, y);
            ASSERT_GT(R(c) * 3 + G(c) * 6 + B(c), 10 * 175) << x << "," << y;
        }
    }
}

}  // namespace
