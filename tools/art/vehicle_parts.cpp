#include "vehicle_parts.h"

#include <cmath>

#include "palette.h"

namespace art {

void Driver(Sketch& s, float cx, float top, Rgb helmet) {
    // Shoulders, then the face, then the helmet over it with a brim to the front.
    s.Fill(Ellipse(cx + 0.4f, top + 8.2f, 3.6f, 2.4f), RGB(92, 104, 70));
    s.Fill(RoundBox(cx - 2.6f, top + 2.6f, cx + 2.4f, top + 7.2f, 1.2f), SKIN);
    s.Fill(Box(cx - 2.6f, top + 3.9f, cx - 0.6f, top + 5.1f), RGB(40, 34, 30));  // goggles
    s.Fill(Intersect(Ellipse(cx + 0.2f, top + 3.8f, 3.6f, 3.8f), Box(cx - 4, top, cx + 4, top + 3.8f)),
           Linear(0, top, Scale(helmet, 1.3f), 0, top + 3.8f, Scale(helmet, 0.8f)));
    s.Fill(Box(cx - 4.0f, top + 3.0f, cx + 3.6f, top + 4.0f), Scale(helmet, 0.62f));
    s.Shade(Ellipse(cx - 0.8f, top + 1.4f, 1.3f, 0.8f), WHITE, 0.45f);
}

void Wheel(Sketch& s, float cx, float cy, float r, Rgb hub) {
    s.Fill(Circle(cx, cy, r), TYRE);
    s.Fill(Circle(cx, cy, r * 0.55f), Radial(cx - r * 0.2f, cy - r * 0.2f, r * 0.6f, Scale(hub, 1.25f), Scale(hub, 0.75f)));
    s.Fill(Circle(cx, cy, std::fmax(r * 0.18f, 0.7f)), Scale(hub, 0.5f));
    s.Shade(Minus(Circle(cx, cy, r), Circle(cx + r * 0.15f, cy + r * 0.15f, r * 0.9f)), RGB(110, 108, 104), 0.6f);
}

void Track(Sketch& s, float x0, float x1, float y0, float y1, int wheels) {
    const float h = y1 - y0;
    s.Fill(RoundBox(x0, y0, x1, y1, h / 2), TYRE);
    // Tread links along the outside.
    for (float x = x0 + 1.5f; x < x1 - 1; x += 2.5f) {
        s.Shade(Box(x, y0, x + 1.1f, y1), RGB(90, 88, 84), 0.5f);
    }
    s.Fill(RoundBox(x0 + 1.2f, y0 + 1.2f, x1 - 1.2f, y1 - 1.2f, h / 2 - 1.2f), RGB(62, 60, 58));
    const float r = h / 2 - 1.6f;
    const float step = (x1 - x0 - 2 * (r + 1.6f)) / float(wheels - 1);
    for (int i = 0; i < wheels; i++) {
        const float cx = x0 + r + 1.6f + step * float(i);
        s.Fill(Circle(cx, (y0 + y1) / 2, r), Radial(cx - 1, (y0 + y1) / 2 - 1, r + 1, RGB(150, 150, 146), RGB(80, 80, 78)));
        s.Fill(Circle(cx, (y0 + y1) / 2, r * 0.35f), RGB(54, 52, 50));
    }
}

void Barrel(Sketch& s, float x0, float x1, float y, float thickness, Rgb metal) {
    const float t = thickness / 2;
    s.Fill(Box(x0, y - t, x1, y + t), Linear(0, y - t, Scale(metal, 1.35f), 0, y + t, Scale(metal, 0.6f)));
    s.Fill(Box(x0, y - t - 0.7f, x0 + 2.2f, y + t + 0.7f), Linear(0, y - t, Scale(metal, 1.2f), 0, y + t, Scale(metal, 0.55f)));
}

void Relief(Sketch& s, const Shape& part, float y0, float y1, float strength) {
    s.Shade(part, [=](float, float y) {
        const float t = (y - y0) / (y1 - y0);
        if (t < 0.5f) return Paint{WHITE, (0.5f - t) * 0.55f * strength};
        return Paint{RGB(0, 0, 0), (t - 0.5f) * 0.55f * strength};
    });
}

Picture FinishVehicle(const Sketch& s) {
    Picture p = s.Resolve();
    Outline(p, INK, 0.6f);
    return p;
}

}  // namespace art
