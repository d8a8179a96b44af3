// The backdrop: a hazy sepia city under a pale sky. Far blocks fade into
// the haze; nearer ones are darker, with windows, tanks and chimneys. The top
// of the sky stays light and calm, since the score and prompts are written on it.
#include <algorithm>
#include <cmath>

#include "noise.h"
#include "pictures.h"

namespace art {

namespace {

constexpr int W = 953, H = 300;
constexpr Rgb HAZE = RGB(226, 210, 182);

struct Layer {
    uint32_t seed;
    Rgb colour;        // building colour before haze
    float topMin, topMax;  // range of roof heights
    float widthMin, widthMax;
    float towerChance;     // chance of a tall narrow tower
    float haze;            // haze laid over everything drawn so far, after this layer
    bool windows;
};

Rgb Jitter(Rgb c, float amount, int i, uint32_t seed) {
    const float k = 1 + amount * (2 * Random01(i, 7, seed) - 1);
    return Scale(c, k);
}

void Windows(Sketch& s, float x0, float x1, float top, const Layer& L, int b) {
    const Rgb dark = Scale(L.colour, 0.72f), lit = Mix(L.colour, RGB(250, 226, 160), 0.55f);
    const float cell = L.colour.r < 120 ? 6.0f : 5.0f;
    int n = 0;
    for (float y = top + 5; y < H - 4; y += cell + 1, n++) {
        for (float x = x0 + 3; x + 2.5f < x1 - 2; x += cell - 1) {
            const float r = Random01(int(x * 7), int(y * 13), L.seed + uint32_t(b));
            if (r < 0.12f) continue;  // bricked up
            s.Fill(Box(x, y, x + 2, y + 3), r > 0.86f ? lit : dark);
        }
    }
}

void Building(Sketch& s, float x0, float x1, float top, const Layer& L, int b) {
    const Rgb c = Jitter(L.colour, 0.08f, b, L.seed);
    // Lighter on the sunlit left, darker on the right edge.
    s.Fill(Box(x0, top, x1, H), Linear(x0, 0, Scale(c, 1.06f), x1, 0, Scale(c, 0.92f)));
    const float style = Random01(b, 3, L.seed);
    const float w = x1 - x0;
    if (style < 0.2f) {
        s.Fill(Poly({{x0 - 1, top + 0.5f}, {(x0 + x1) / 2, top - w * 0.35f}, {x1 + 1, top + 0.5f}}), Scale(c, 0.9f));  // pitched roof
    } else if (style < 0.32f && w > 20) {
        s.Fill(Intersect(Ellipse((x0 + x1) / 2, top, w * 0.32f, w * 0.28f), Box(x0, 0, x1, top + 1)), Scale(c, 1.04f));  // dome
        s.Fill(Box((x0 + x1) / 2 - 0.5f, top - w * 0.28f - 6, (x0 + x1) / 2 + 0.5f, top - w * 0.28f + 1), Scale(c, 0.9f));
    } else if (style < 0.5f) {
        s.Fill(Box(x0 + w * 0.2f, top - 6, x1 - w * 0.25f, top + 1), Scale(c, 0.96f));  // stepped top
    } else if (style < 0.62f) {
        const float tx = x0 + w * 0.6f;  // water tank on legs
        s.Fill(Box(tx, top - 5, tx + 1, top), Scale(c, 0.8f));
        s.Fill(Box(tx + 5, top - 5, tx + 6, top), Scale(c, 0.8f));
        s.Fill(RoundBox(tx - 1, top - 11, tx + 7, top - 4, 2), Scale(c, 0.86f));
    }
    s.Fill(Box(x0 - 1, top, x1 + 1, top + 1.5f), Scale(c, 1.12f));  // parapet
    if (L.windows) Windows(s, x0, x1, top, L, b);
}

void Chimney(Sketch& s, float x, float top, const Layer& L, int b) {
    const Rgb c = Scale(L.colour, 0.86f);
    s.Fill(Poly({{x - 3, H}, {x - 2, top}, {x + 2, top}, {x + 3, H}}), c);
    s.Fill(Box(x - 2.6f, top, x + 2.6f, top + 2), Scale(c, 1.1f));
    // A plume drifting right, thinning as it rises.
    for (int i = 0; i < 9; i++) {
        const float t = float(i) / 8;
        const float px = x + 2 + t * 36, py = top - 4 - t * 22 - 3 * std::sin(t * 5 + float(b));
        s.Fill(Circle(px, py, 3 + t * 6), Solid(Mix(L.colour, HAZE, 0.55f + 0.1f * t), 0.5f - 0.4f * t));
    }
}

void DrawLayer(Sketch& s, const Layer& L) {
    int b = 0;
    for (float x = -8; x < W + 8; b++) {
        const float w = L.widthMin + (L.widthMax - L.widthMin) * Random01(b, 0, L.seed);
        float top = L.topMin + (L.topMax - L.topMin) * Random01(b, 1, L.seed);
        float x1 = x + w;
        if (Random01(b, 2, L.seed) < L.towerChance) {
            // A narrow tower with a spire.
            x1 = x + std::max(10.0f, w * 0.45f);
            top = L.topMin - (L.topMax - L.topMin) * 0.5f;
            const float mid = (x + x1) / 2;
            s.Fill(Poly({{x + 2, top + 1}, {mid, top - 16}, {x1 - 2, top + 1}}), Scale(L.colour, 0.9f));
            s.Fill(Box(mid - 0.5f, top - 24, mid + 0.5f, top - 14), Scale(L.colour, 0.9f));
        }
        Building(s, x, x1, top, L, b);
        if (Random01(b, 4, L.seed) < 0.14f) Chimney(s, x1 - 4, top - 18, L, b);
        // Buildings touch or leave a narrow alley.
        x = x1 + (Random01(b, 5, L.seed) < 0.3f ? 2 + 6 * Random01(b, 6, L.seed) : 0);
    }
}

}  // namespace

Picture DrawBackground() {
    Sketch s(W, H, 2);
    // Sky: pale cream at the top warming into haze at the horizon, with thin clouds low down.
    s.Fill(Box(0, 0, W, H), Linear(0, 0, RGB(246, 241, 228), 0, 230, HAZE));
    s.Shade(Box(0, 70, W, 200), [](float x, float y) {
        const float n = Fbm(x * 0.35f, y * 2.2f, 40, 31, 4);
        const float band = std::clamp((y - 70) / 40, 0.0f, 1.0f);
        return Paint{RGB(250, 246, 236), std::max(0.0f, n - 0.55f) * 1.4f * band};
    });
    s.Fill(Circle(742, 132, 19), Solid(RGB(250, 244, 222), 0.7f));  // a pale sun in the haze

    const Layer layers[] = {
        {11, RGB(196, 176, 146), 126, 168, 14, 40, 0.10f, 0.45f, false},
        {12, RGB(170, 144, 110), 145, 195, 16, 46, 0.07f, 0.40f, true},
        {13, RGB(136, 110, 82), 178, 228, 20, 54, 0.06f, 0.28f, true},
        {14, RGB(104, 82, 60), 214, 256, 24, 64, 0.04f, 0.0f, true},
    };
    for (const Layer& L : layers) {
        DrawLayer(s, L);
        if (L.haze > 0) s.Shade(Box(0, 0, W, H), Solid(HAZE, L.haze));
    }
    // Ground mist along the street, so the vehicles stand out against it.
    s.Shade(Box(0, 236, W, H), [](float x, float y) {
        const float n = Fbm(x, y, 24, 41, 3);
        return Paint{RGB(214, 196, 166), std::clamp((y - 236) / 64, 0.0f, 1.0f) * (0.45f + 0.25f * n)};
    });
    return s.ResolveOpaque();
}

}  // namespace art
