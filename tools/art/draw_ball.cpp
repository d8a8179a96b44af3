// The cannonball: a dark iron sphere 19 pixels across, centred in the box,
// with a short fuse whose spark goes round it as the ball spins.
#include <cmath>

#include "palette.h"
#include "pictures.h"

namespace art {

Picture DrawBall(int frame) {
    Sketch s(39, 39);
    const float c = 19.5f;  // the centre of pixel 19
    // Spark directions in frame order: bottom, left, top, right.
    const float dirs[4][2] = {{0, 1}, {-1, 0}, {0, -1}, {1, 0}};
    const float ux = dirs[frame][0], uy = dirs[frame][1];

    // Fuse: a short twisted cord leaving the ball.
    s.Fill(Segment({c + ux * 8, c + uy * 8}, {c + ux * 12.5f, c + uy * 12.5f}, 2.2f), RGB(176, 132, 72));
    s.Fill(Segment({c + ux * 12.5f, c + uy * 12.5f}, {c + ux * 13.5f, c + uy * 13.5f}, 1.6f), RGB(210, 120, 50));

    // The spark: a yellow star with a white-hot core.
    const float sx = c + ux * 15.5f, sy = c + uy * 15.5f;
    for (int i = 0; i < 4; i++) {
        const float a = 3.14159265f * float(i) / 4 + 0.2f * float(frame);
        const float dx = std::cos(a) * (i % 2 ? 3.0f : 4.2f), dy = std::sin(a) * (i % 2 ? 3.0f : 4.2f);
        s.Fill(Segment({sx - dx, sy - dy}, {sx + dx, sy + dy}, 1.1f), RGB(255, 176, 40));
    }
    s.Fill(Circle(sx, sy, 2.4f), RGB(255, 214, 70));
    s.Fill(Circle(sx, sy, 1.3f), RGB(255, 252, 224));

    // The ball: iron lit from the upper left, with a rim of reflected light.
    s.Fill(Circle(c, c, 9.5f), Radial(c - 3.5f, c - 3.5f, 13.5f, RGB(96, 100, 110), RGB(22, 22, 28)));
    s.Shade(Minus(Circle(c, c, 9.5f), Circle(c - 1.0f, c - 1.0f, 8.6f)), RGB(70, 72, 82), 0.6f);
    s.Shade(Ellipse(c - 3.8f, c - 4.0f, 2.6f, 1.8f, -40), RGB(190, 196, 206), 0.85f);
    s.Shade(Circle(c - 4.4f, c - 4.6f, 0.9f), WHITE, 0.9f);
    // The fuse hole's iron collar.
    s.Fill(Circle(c + ux * 7.9f, c + uy * 7.9f, 1.6f), RGB(58, 58, 64));
    return s.Resolve();
}

}  // namespace art
