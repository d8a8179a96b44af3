// The ground strip: old riveted steel plates, corroded and pitted, with
// rust bleeding from the seams and rivets.
#include <algorithm>
#include <cmath>
#include <vector>

#include "noise.h"
#include "pictures.h"

namespace art {

namespace {

constexpr int W = 953, H = 90;
constexpr float SEAM_Y = 44;  // the two rows of plates meet here

// Plate edges: upper row and lower row, staggered like brickwork.
std::vector<float> Seams(uint32_t seed, float start) {
    std::vector<float> xs;
    int i = 0;
    for (float x = start; x < W + 200; i++) {
        xs.push_back(x);
        x += 110 + 70 * Random01(i, 0, seed);
    }
    return xs;
}

// How rusty a point is, 0 to 1: blotches, more near seams and towards the bottom.
float Rust(float x, float y, float seamDistance) {
    const float blotch = Fbm(x, y, 38, 501, 5);
    const float streak = Fbm(x * 3.0f, y * 0.25f, 30, 502, 3);  // runs down the plates
    const float near = std::exp(-seamDistance / 7);
    return std::clamp((blotch - 0.5f) * 3.2f + near * 0.65f + (streak - 0.55f) * 1.6f + y / H * 0.3f, 0.0f, 1.0f);
}

float SeamDistance(float x, float y, const std::vector<float>& top, const std::vector<float>& bottom) {
    float d = std::fabs(y - SEAM_Y);
    d = std::min(d, y);
    for (float s : y < SEAM_Y ? top : bottom) d = std::min(d, std::fabs(x - s));
    return d;
}

Rgb Steel(float x, float y, float seamDistance) {
    const float grain = Fbm(x * 0.3f, y * 3, 20, 503, 3);  // brushed, weathered steel
    const float mottle = Fbm(x, y, 14, 504, 4);
    Rgb c = Mix(RGB(96, 94, 92), RGB(138, 134, 128), grain * 0.6f + mottle * 0.5f);
    const float rust = Rust(x, y, seamDistance);
    const float tone = Fbm(x, y, 9, 505, 3);
    const Rgb rustColour = Mix(RGB(112, 56, 30), RGB(184, 98, 46), tone);
    c = Mix(c, rustColour, std::min(1.0f, rust * 1.2f));
    // Pitting: tiny dark holes with a pale lip, thickest in the rust.
    const int px = int(x), py = int(y);
    const float pit = Random01(px, py, 506);
    if (pit < 0.012f + rust * 0.05f) c = Scale(c, 0.5f);
    else if (Random01(px - 1, py - 1, 506) < 0.012f + rust * 0.05f) c = Scale(c, 1.18f);
    return c;
}

}  // namespace

Picture DrawGround() {
    Sketch s(W, H, 2);
    const std::vector<float> top = Seams(601, -40), bottom = Seams(602, 30);
    s.Fill(Box(0, 0, W, H), [&](float x, float y) { return Paint{Steel(x, y, SeamDistance(x, y, top, bottom)), 1}; });
    // Seams: a dark gap with a lit lip under it.
    auto seam = [&](float x0, float y0, float x1, float y1, bool vertical) {
        s.Shade(Box(x0, y0, x1, y1), RGB(30, 24, 20), 0.85f);
        if (vertical) s.Shade(Box(x1, y0, x1 + 1, y1), RGB(220, 200, 180), 0.3f);
        else s.Shade(Box(x0, y1, x1, y1 + 1), RGB(220, 200, 180), 0.3f);
    };
    seam(0, SEAM_Y - 1, W, SEAM_Y, false);
    for (float x : top) seam(x - 1, 0, x, SEAM_Y, true);
    for (float x : bottom) seam(x - 1, SEAM_Y, x, H, true);
    // Rivets along every seam, each a domed head with rust around it.
    auto rivet = [&](float x, float y, int i) {
        if (Random01(i, int(y), 607) < 0.08f) {  // a rivet lost to corrosion: just a hole
            s.Fill(Circle(x, y, 1.6f), RGB(40, 26, 18));
            return;
        }
        s.Shade(Circle(x + 0.5f, y + 0.8f, 3.4f), RGB(90, 44, 22), 0.55f);
        s.Fill(Circle(x, y, 2.3f), Radial(x - 0.9f, y - 0.9f, 2.8f, RGB(196, 188, 176), RGB(70, 62, 56)));
        s.Shade(Circle(x + 0.4f, y + 0.4f, 2.3f), RGB(150, 76, 36), 0.5f * Random01(i, int(y), 608));
    };
    int i = 0;
    for (float x = 6; x < W; x += 12) {
        rivet(x, SEAM_Y - 5, i++);
        rivet(x + 6, SEAM_Y + 5, i++);
        rivet(x, 7, i++);
    }
    for (float x : top)
        for (float y = 13; y < SEAM_Y - 8; y += 11) rivet(x - 5, y, i++), rivet(x + 5, y, i++);
    for (float x : bottom)
        for (float y = SEAM_Y + 14; y < H - 3; y += 11) rivet(x - 5, y, i++), rivet(x + 5, y, i++);
    // The top edge: a worn, brighter lip that marks where the field's floor begins.
    s.Shade(Box(0, 0, W, 1), RGB(214, 200, 184), 0.7f);
    s.Shade(Box(0, 1, W, 2), RGB(180, 170, 160), 0.35f);
    s.Shade(Box(0, 2.5f, W, 3.5f), RGB(30, 24, 20), 0.45f);
    return s.ResolveOpaque();
}

}  // namespace art
