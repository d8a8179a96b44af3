#include "pictures.h"

#include <algorithm>

namespace art {

namespace {

const PictureInfo kPictures[PICTURE_COUNT] = {
    {"cannon_left.bmp", 34, 31, true},       {"cannon_right.bmp", 34, 31, true},
    {"ground.bmp", 953, 90, false},          {"background.bmp", 953, 300, false},
    {"ball_0.bmp", 39, 39, true},            {"ball_1.bmp", 39, 39, true},
    {"ball_2.bmp", 39, 39, true},            {"ball_3.bmp", 39, 39, true},
    {"fireball_0.bmp", 88, 100, true},       {"fireball_1.bmp", 88, 100, true},
    {"fireball_2.bmp", 88, 100, true},       {"burst_0.bmp", 61, 58, true},
    {"burst_1.bmp", 61, 58, true},           {"vehicle_left_0.bmp", 36, 30, true},
    {"vehicle_left_1.bmp", 35, 31, true},    {"vehicle_left_2.bmp", 33, 24, true},
    {"vehicle_left_3.bmp", 34, 25, true},    {"vehicle_left_4.bmp", 31, 29, true},
    {"vehicle_left_5.bmp", 35, 26, true},    {"vehicle_left_6.bmp", 33, 33, true},
    {"vehicle_left_7.bmp", 35, 31, true},    {"vehicle_left_8.bmp", 35, 21, true},
    {"vehicle_left_9.bmp", 32, 31, true},    {"vehicle_left_10.bmp", 39, 29, true},
    {"vehicle_right_0.bmp", 36, 30, true},   {"vehicle_right_1.bmp", 35, 31, true},
    {"vehicle_right_2.bmp", 33, 24, true},   {"vehicle_right_3.bmp", 34, 25, true},
    {"vehicle_right_4.bmp", 31, 29, true},   {"vehicle_right_5.bmp", 35, 26, true},
    {"vehicle_right_6.bmp", 33, 33, true},   {"vehicle_right_7.bmp", 35, 31, true},
    {"vehicle_right_8.bmp", 35, 21, true},   {"vehicle_right_9.bmp", 32, 31, true},
    {"vehicle_right_10.bmp", 39, 29, true},  {"life.bmp", 130, 130, false},
};

}  // namespace

const PictureInfo& Info(int slot) { return kPictures[slot]; }

Picture MakePicture(int slot) {
    if (slot == 0) return DrawCannon();
    if (slot == 1) return Mirror(DrawCannon());
    if (slot == 2) return DrawGround();
    if (slot == 3) return DrawBackground();
    if (slot <= 7) return DrawBall(slot - 4);
    if (slot <= 10) return DrawFireball(slot - 8);
    if (slot <= 12) return DrawBurst(slot - 11);
    if (slot <= 23) return DrawVehicle(slot - 13);
    if (slot <= 34) return Mirror(DrawVehicle(slot - 24));
    return DrawLife();
}

void CentreInBox(Picture& p, bool vertically) {
    int x0 = p.w, x1 = -1, y0 = p.h, y1 = -1;
    for (int y = 0; y < p.h; y++) {
        for (int x = 0; x < p.w; x++) {
            if (p.at(x, y) == KEY) continue;
            x0 = std::min(x0, x);
            x1 = std::max(x1, x);
            y0 = std::min(y0, y);
            y1 = std::max(y1, y);
        }
    }
    if (x1 < 0) return;
    // (w - 1) - (x0 + x1) is twice the distance from the bounds' centre to the box's.
    const int dx = ((p.w - 1) - (x0 + x1)) / 2;
    const int dy = vertically ? ((p.h - 1) - (y0 + y1)) / 2 : 0;
    Picture out{p.w, p.h, std::vector<uint32_t>(p.px.size(), KEY)};
    for (int y = 0; y < p.h; y++) {
        for (int x = 0; x < p.w; x++) {
            const int sx = x - dx, sy = y - dy;
            if (sx >= 0 && sy >= 0 && sx < p.w && sy < p.h) out.at(x, y) = p.at(sx, sy);
        }
    }
    p = out;
}

}  // namespace art
