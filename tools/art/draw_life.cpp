// The LIFE picture: a red rounded square with the white word LIFE on pure blue.
#include "palette.h"
#include "pictures.h"

namespace art {

namespace {

// Letters built from bars, 22 wide and 40 high with 8-pixel strokes.
void Letters(Sketch& s, float x, float y, Rgb c) {
    const float h = 40, t = 8;
    // L
    s.Fill(Box(x, y, x + t, y + h), c);
    s.Fill(Box(x, y + h - t, x + 21, y + h), c);
    x += 27;
    // I
    s.Fill(Box(x, y, x + t, y + h), c);
    x += 14;
    // F
    s.Fill(Box(x, y, x + t, y + h), c);
    s.Fill(Box(x, y, x + 21, y + t), c);
    s.Fill(Box(x, y + 16, x + 18, y + 16 + t), c);
    x += 27;
    // E
    s.Fill(Box(x, y, x + t, y + h), c);
    s.Fill(Box(x, y, x + 21, y + t), c);
    s.Fill(Box(x, y + 16, x + 18, y + 16 + t), c);
    s.Fill(Box(x, y + h - t, x + 21, y + h), c);
}

}  // namespace

Picture DrawLife() {
    Sketch s(130, 130);
    s.Fill(Box(0, 0, 130, 130), RGB(0, 0, 255));
    s.Fill(RoundBox(9, 9, 121, 121, 22), RGB(120, 14, 22));  // rim
    s.Fill(RoundBox(12, 12, 118, 118, 19), Linear(0, 12, RGB(236, 64, 60), 0, 118, RGB(176, 22, 30)));
    s.Fill(RoundBox(17, 16, 113, 56, 14), Solid(RGB(255, 160, 150), 0.25f));  // gloss
    const float width = 89, x = 65 - width / 2, y = 45;
    Letters(s, x + 2, y + 2, RGB(110, 12, 20));  // shadow
    Letters(s, x, y, WHITE);
    return s.ResolveOpaque();
}

}  // namespace art
