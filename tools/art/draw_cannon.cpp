// The player's cannon, facing left: a short grey gun on a wooden carriage
// with two wheels. The game draws the long barrel itself as a line from the
// muzzle at (1, 7), so the gun's mouth sits exactly there.
#include <cmath>

#include "palette.h"
#include "pictures.h"

namespace art {

namespace {

void SpokedWheel(Sketch& s, float cx, float cy, float r, float dim) {
    s.Fill(Circle(cx, cy, r), Scale(IRON_DARK, dim));             // iron tyre
    s.Fill(Circle(cx, cy, r - 1.2f), Scale(WOOD_DARK, dim));      // felloe
    s.Fill(Circle(cx, cy, r - 2.6f), Scale(RGB(70, 48, 30), dim)); // shadow between spokes
    for (int i = 0; i < 6; i++) {
        const float a = 3.14159265f * float(i) / 6;
        const float dx = std::cos(a) * (r - 2), dy = std::sin(a) * (r - 2);
        s.Fill(Segment({cx - dx, cy - dy}, {cx + dx, cy + dy}, 1.5f), Scale(WOOD_LIGHT, dim));
    }
    s.Fill(Circle(cx, cy, 2.2f), Scale(IRON, dim));
    s.Fill(Circle(cx - 0.5f, cy - 0.5f, 0.9f), Scale(STEEL_LIGHT, dim));
}

}  // namespace

Picture DrawCannon() {
    Sketch s(34, 31);
    // The far wheel peeks out behind the near one.
    SpokedWheel(s, 18.5f, 20.8f, 8.8f, 0.6f);
    // Trail: the carriage's long beam resting on the ground behind the gun.
    s.Fill(Poly({{9, 13}, {15, 12}, {34, 27.5f}, {34, 31}, {28, 31}}), WOOD_DARK);
    s.Fill(Poly({{10, 13.5f}, {15, 13}, {33, 28}, {29, 29.5f}}), WOOD);
    s.Shade(Poly({{10, 13.5f}, {15, 13}, {33, 28}, {32, 28.5f}}), WOOD_LIGHT, 0.6f);
    s.Fill(Box(27, 29, 34, 31), IRON);  // spade
    // Cheek: the wooden bracket holding the gun's trunnions.
    s.Fill(Poly({{5, 9}, {19, 8}, {21, 17}, {8, 19}}), WOOD);
    s.Shade(Poly({{5, 9}, {19, 8}, {19.5f, 10}, {5.5f, 11}}), WOOD_LIGHT, 0.7f);
    s.Shade(Poly({{8, 17}, {21, 15.5f}, {21, 17}, {8, 19}}), WOOD_DARK, 0.7f);
    // The gun: a stubby grey barrel, muzzle swell at the left, knob at the breech.
    const Shader metal = Linear(0, 2.5f, STEEL_LIGHT, 0, 12, IRON_DARK);
    s.Fill(Poly({{1, 4.2f}, {20, 2.6f}, {20, 11.6f}, {1, 10.0f}}), metal);
    s.Fill(RoundBox(0, 2.8f, 4, 11.4f, 1.2f), metal);
    s.Fill(Circle(21.5f, 7.1f, 3.0f), metal);
    s.Fill(Circle(24.3f, 7.1f, 1.6f), metal);
    s.Fill(Box(11, 2.8f, 12.6f, 11.5f), Linear(0, 2.5f, STEEL, 0, 12, IRON_DARK));  // reinforcing band
    s.Fill(Box(0, 5.6f, 1.2f, 8.6f), IRON_DARK);                                   // the bore
    s.Fill(Circle(13, 8, 1.5f), IRON_DARK);                                        // trunnion
    // Near wheel over everything, on the ground row.
    SpokedWheel(s, 12.5f, 21.6f, 9.4f, 1.0f);
    Picture p = s.Resolve();
    Outline(p, INK, 0.55f);
    return p;
}

}  // namespace art
