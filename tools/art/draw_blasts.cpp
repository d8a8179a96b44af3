// Explosions: the fireball where a vehicle was destroyed (three growing
// sizes standing on the bottom of the box) and the small dark burst where a
// ball hits the ground (two frames, centred).
#include <cmath>

#include "noise.h"
#include "pictures.h"

namespace art {

namespace {

constexpr float PI = 3.14159265f;

// Fire colour by heat, 1 at the white-hot core down to 0 at the deep orange rim.
Rgb FireColour(float heat) {
    const Rgb stops[] = {RGB(172, 52, 18), RGB(214, 72, 16), RGB(244, 128, 24),
                         RGB(255, 196, 48), RGB(255, 240, 150), RGB(255, 254, 236)};
    heat = std::fmin(std::fmax(heat, 0.0f), 0.9999f) * 5;
    const int i = int(heat);
    return Mix(stops[i], stops[i + 1], heat - float(i));
}

}  // namespace

Picture DrawFireball(int size) {
    Sketch s(88, 100);
    const float k = size == 0 ? 0.5f : size == 1 ? 0.75f : 1.0f;  // scale of this frame
    const uint32_t seed = 900u + uint32_t(size);
    const float bx = 44.0f, by = 100.0f;  // bottom centre
    // A round, billowing ball of fire resting on the ground. Sizes are at
    // full scale, measured from the bottom centre.
    const float ballY = -52, ballR = 29;
    auto heat = [&](float x, float y) {
        const float d = std::hypot((x - bx) / k, (y - by) / k - ballY) / (ballR + 10);
        const float n = Fbm(x, y, 10 * k + 3, seed, 4);
        return 1.08f - d * 0.95f + (n - 0.5f) * 0.8f;
    };
    const Shader fire = [&](float x, float y) { return Paint{FireColour(heat(x, y)), 1}; };
    auto puff = [&](float x, float y, float r, uint32_t i) {
        s.Fill(Blob(bx + x * k, by + y * k, r * k, r * k * 0.2f, seed * 31 + i, 4), fire);
    };
    puff(0, ballY, ballR, 0);
    // Billows all round the ball.
    for (int i = 0; i < 12; i++) {
        const float a = 2 * 3.14159265f * float(i) / 12 + 0.2f * Random01(i, 0, seed);
        const float r = 8 + 5 * Random01(i, size, seed);
        puff(std::cos(a) * 28, ballY + std::sin(a) * 30, r, uint32_t(i + 1));
    }
    // A neck of fire down to the ground, spilling out along it.
    puff(0, -18, 15, 30);
    s.Fill(Intersect(Ellipse(bx, by - 4 * k, 34 * k, 8 * k), Blob(bx, by - 4 * k, 30 * k, 5 * k, seed + 3, 6)), fire);
    // Flames licking out of the ball.
    const float tongues[][3] = {{-20, -86, -10}, {-3, -96, -3}, {15, -92, 8}, {33, -74, 16}, {-35, -70, -18}};
    for (const auto& t : tongues) {
        const float x = bx + t[0] * k, y = by + t[1] * k;
        s.Fill(Poly({{x - 5 * k, y + 8 * k}, {x + t[2] * 0.4f * k, y - 6 * k}, {x + 5 * k, y + 8 * k}}), fire);
    }
    s.Erase(Box(0, by, 88, by + 40));
    s.Fill(Box(bx - 30 * k, by - 1, bx + 30 * k, by), fire);  // standing on the bottom row
    // Soot curling over the top of the full-grown ball.
    if (size == 2) {
        const Shader smoke = [&](float x, float y) {
            const float n = Fbm(x, y, 7, seed + 5, 3);
            const float fade = std::fmin(std::fmax((24 - y) / 20, 0.0f), 1.0f);
            return Paint{Mix(RGB(96, 60, 40), RGB(140, 86, 50), n), n > 0.52f ? fade * 0.75f : 0.0f};
        };
        s.Shade(Box(0, 0, 88, 100), smoke);
    }
    Picture p = s.Resolve();
    CentreInBox(p, false);
    return p;
}

Picture DrawBurst(int frame) {
    Sketch s(61, 58);
    const float cx = 30.5f, cy = 29.0f;
    const uint32_t seed = 1200u + uint32_t(frame);
    const float spread = frame == 0 ? 1.0f : 1.22f;
    const Shader soot = [&](float x, float y) {
        const float n = Fbm(x, y, 7, seed, 3);
        const float d = std::hypot(x - cx, y - cy) / (26 * spread);
        Rgb c = Mix(RGB(42, 36, 32), RGB(104, 92, 80), n * 0.9f + d * 0.3f);
        if (frame == 1) c = Mix(c, RGB(128, 120, 110), 0.35f);
        return Paint{c, 1};
    };
    // A jagged star of blast behind the smoke.
    std::vector<Pt> star;
    for (int i = 0; i < 22; i++) {
        const float a = 2 * PI * float(i) / 22 + 0.1f;
        const float r = (i % 2 ? 12.0f : 24.0f + 5 * Random01(i, frame, seed)) * (frame == 0 ? 1.0f : 0.7f);
        star.push_back({cx + std::cos(a) * r * 1.08f, cy + std::sin(a) * r});
    }
    s.Fill(Poly(star), soot);
    // Rolling smoke puffs in a ring, pulling apart in the second frame.
    for (int i = 0; i < 9; i++) {
        const float a = 2 * PI * float(i) / 9 + 0.35f;
        const float d = (frame == 0 ? 11.0f : 18.5f) + 3 * Random01(i, 1, seed);
        const float r = (frame == 0 ? 9.0f : 7.0f) + 2.5f * Random01(i, 2, seed);
        const float px = cx + std::cos(a) * d * 1.1f, py = cy + std::sin(a) * d * 0.95f;
        s.Fill(Blob(px, py, r, r * 0.25f, seed + uint32_t(i), 3), soot);
        // Each puff catches a little light on its upper side.
        s.Shade(Intersect(Blob(px, py, r, r * 0.25f, seed + uint32_t(i), 3), Circle(px - r * 0.35f, py - r * 0.4f, r * 0.7f)),
                RGB(170, 160, 148), frame == 0 ? 0.25f : 0.35f);
    }
    // Flying clods of earth.
    for (int i = 0; i < 10; i++) {
        const float a = 2 * PI * Random01(i, 3, seed);
        const float d = (frame == 0 ? 22.0f : 25.0f) + 4 * Random01(i, 4, seed);
        s.Fill(Circle(cx + std::cos(a) * d, cy + std::sin(a) * d * 0.9f, 1.2f + Random01(i, 5, seed)), RGB(58, 44, 34));
    }
    // The flash: orange glow, yellow, white-hot centre.
    const float flash = frame == 0 ? 1.0f : 0.7f;
    s.Fill(Blob(cx, cy, 13 * flash, 3 * flash, seed + 40, 4), Radial(cx, cy, 13 * flash, RGB(255, 200, 70), RGB(214, 96, 24)));
    s.Fill(Blob(cx, cy, 8.5f * flash, 1.5f, seed + 41, 3), Radial(cx, cy, 8.5f * flash, RGB(255, 255, 250), RGB(255, 226, 120)));
    Picture p = s.Resolve();
    CentreInBox(p, true);
    return p;
}

}  // namespace art
