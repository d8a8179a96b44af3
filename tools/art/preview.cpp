#include "preview.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "image_files.h"
#include "pictures.h"

namespace art {

namespace {

struct Pictures {
    std::vector<Picture> all;
    Pictures() {
        for (int i = 0; i < PICTURE_COUNT; i++) all.push_back(MakePicture(i));
    }
};

void Paste(Picture& dst, const Picture& src, int x, int y, int scale, bool keyed) {
    for (int sy = 0; sy < src.h * scale; sy++) {
        for (int sx = 0; sx < src.w * scale; sx++) {
            const uint32_t c = src.at(sx / scale, sy / scale);
            const int dx = x + sx, dy = y + sy;
            if (keyed && c == KEY) continue;
            if (dx >= 0 && dy >= 0 && dx < dst.w && dy < dst.h) dst.at(dx, dy) = c;
        }
    }
}

// The game's own line: black, end point left out.
void Line(Picture& p, int x0, int y0, int x1, int y1) {
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx - dy;
    while (x0 != x1 || y0 != y1) {
        if (x0 >= 0 && y0 >= 0 && x0 < p.w && y0 < p.h) p.at(x0, y0) = 0;
        const int e2 = 2 * err;
        if (e2 > -dy) err -= dy, x0 += sx;
        if (e2 < dx) err += dx, y0 += sy;
    }
}

// Slot numbers on the contact sheet, in a 3x5 pixel font.
void Number(Picture& p, int x, int y, int value, int scale) {
    static const char* const kDigits[10] = {"111101101101111", "010110010010111", "111001111100111",
                                            "111001111001111", "101101111001001", "111100111001111",
                                            "111100111101111", "111001001001001", "111101111101111",
                                            "111101111001111"};
    const std::string text = std::to_string(value);
    for (char ch : text) {
        const char* g = kDigits[ch - '0'];
        for (int i = 0; i < 15; i++) {
            if (g[i] != '1') continue;
            for (int v = 0; v < scale; v++)
                for (int u = 0; u < scale; u++) p.at(x + (i % 3) * scale + u, y + (i / 3) * scale + v) = 0x202020;
        }
        x += 4 * scale;
    }
}

Picture Sheet(const Pictures& pics) {
    const int scale = 4, margin = 14, label = 20, width = 1960;
    std::vector<int> order = {0, 1, 4, 5, 6, 7, 11, 12, 8, 9, 10, 35};
    for (int i = 13; i <= 34; i++) order.push_back(i);
    // First pass finds the height, second draws.
    Picture sheet{width, 1, {}};
    for (int pass = 0; pass < 2; pass++) {
        int x = margin, y = margin, rowH = 0;
        for (int slot : order) {
            const Picture& p = pics.all[slot];
            const int w = p.w * scale, h = p.h * scale;
            if (x + w + margin > width || slot == 13 || slot == 24) {
                x = margin;
                y += rowH + margin;
                rowH = 0;
            }
            if (pass == 1) {
                Number(sheet, x, y, slot, 3);
                for (int v = 0; v < h; v++)
                    for (int u = 0; u < w; u++)
                        sheet.at(x + u, y + label + v) = ((u / 16 + v / 16) & 1) ? 0xD8CDB4 : 0xC2B69C;
                Paste(sheet, p, x, y + label, scale, Info(slot).keyed);
            }
            x += w + margin;
            rowH = std::max(rowH, h + label);
        }
        if (pass == 0) sheet = Picture{width, y + rowH + margin, std::vector<uint32_t>(size_t(width) * (y + rowH + margin), 0xF0F0F0)};
    }
    return sheet;
}

Picture Scene(const Pictures& pics) {
    Picture s{953, 390, std::vector<uint32_t>(953 * 390, 0xFFFFFF)};
    Paste(s, pics.all[3], 0, 0, 1, false);
    Paste(s, pics.all[2], 0, 300, 1, false);
    const int offset[10] = {1, 0, 8, 0, 2, 5, 0, 0, 10, 0};
    for (int type = 0; type < 10; type++) {
        const bool right = type < 5;  // the left five drive right, towards the cannon
        const int x = right ? 20 + type * 80 : 500 + (type - 5) * 90;
        Paste(s, pics.all[(right ? 24 : 13) + type], x, 269 + offset[type], 1, true);
    }
    // The cannon at its start: facing right, barrel at 30 degrees.
    const int cx = 420, cy = 269;
    Paste(s, pics.all[1], cx, cy, 1, true);
    const double a = 30 * 3.141592653589793 / 180;
    const int px = cx + 31, py = cy + 7;
    Line(s, px, py, cx + 61, py);
    Line(s, px, py, px, cy - 25);
    Line(s, px, py, int(std::cos(a) * 50 + px), int(py - std::sin(a) * 50));
    // Two balls in flight, a fireball where a vehicle was hit, a burst where a ball landed.
    Paste(s, pics.all[4], 600 - 14, 170 - 20, 1, true);
    Paste(s, pics.all[6], 700 - 14, 220 - 20, 1, true);
    Paste(s, pics.all[10], 860 - 20, 270 - 30 - 30, 1, true);
    Paste(s, pics.all[11], 470 - 20, 301 - 30, 1, true);
    return s;
}

Picture Doubled(const Picture& p) {
    Picture d{p.w * 2, p.h * 2, std::vector<uint32_t>(size_t(p.w) * p.h * 4)};
    Paste(d, p, 0, 0, 2, false);
    return d;
}

}  // namespace

bool WritePreviews(const std::string& dir) {
    const Pictures pics;
    Picture scenery{953, 390, std::vector<uint32_t>(953 * 390)};
    Paste(scenery, pics.all[3], 0, 0, 1, false);
    Paste(scenery, pics.all[2], 0, 300, 1, false);
    const Picture scene = Scene(pics);
    return WritePng(dir + "/sheet.png", Sheet(pics)) && WritePng(dir + "/scenery.png", scenery) &&
           WritePng(dir + "/scene-1x.png", scene) && WritePng(dir + "/scene-2x.png", Doubled(scene));
}

}  // namespace art
