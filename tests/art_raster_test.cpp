// The sprite edge rule of the art generator: a pixel is opaque when at least
// half of it is covered, and its colour comes from the covered part only, so
// no edge pixel is ever tinted by the transparent red.
#include <gtest/gtest.h>

#include <algorithm>

#include "raster.h"

namespace {

TEST(ArtRaster, EdgesTakeNoColourFromTheKey) {
    art::Sketch s(20, 20);
    s.Fill(art::Circle(9.7f, 10.3f, 6.4f), art::RGB(250, 250, 250));
    s.Fill(art::Segment({2, 17}, {17, 3}, 1.3f), art::RGB(10, 20, 200));
    const art::Picture p = s.Resolve();
    int opaque = 0;
    for (uint32_t c : p.px) {
        if (c == art::KEY) continue;
        opaque++;
        // Inside, white and blue may blend; at the edge nothing may pull towards red.
        const int r = int(c >> 16), g = int(c >> 8 & 255);
        EXPECT_LE(r, g + 1) << std::hex << c;
    }
    EXPECT_NEAR(opaque, 3.14159 * 6.4 * 6.4 + 15 * 1.3, 20);
}

TEST(ArtRaster, APixelIsOpaqueFromHalfCoveredUp) {
    struct Case {
        float right;  // the box covers [0, right) of a row of pixels
        int opaquePixels;
    };
    for (const Case& c : {Case{2.5f, 3}, Case{2.25f, 2}, Case{2.75f, 3}, Case{0.25f, 0}}) {
        art::Sketch s(4, 1);
        s.Fill(art::Box(0, 0, c.right, 1), art::RGB(10, 10, 10));
        const art::Picture p = s.Resolve();
        EXPECT_EQ(std::count_if(p.px.begin(), p.px.end(), [](uint32_t v) { return v != art::KEY; }), c.opaquePixels)
            << "box to " << c.right;
        for (uint32_t v : p.px) EXPECT_TRUE(v == art::KEY || v == 0x0A0A0A) << std::hex << v;
    }
}

}  // namespace
