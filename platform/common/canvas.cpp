// Our own blitter. Sprites are split once, at load, into runs of opaque
// pixels, indexed by row, so drawing one copies only what shows and never
// looks at a key pixel.
#include "canvas.h"

#include <cstring>

#include "platform.h"

namespace {

OwnedCanvas backBuffer;
bool backBufferMade = false;

// Clips the horizontal span [x, x + n) to [0, width); returns false if nothing is left.
inline bool ClipSpan(int width, int& x, int& skip, int& n) {
    skip = 0;
    if (x < 0) {
        skip = -x;
        n -= skip;
        x = 0;
    }
    if (x + n > width) n = width - x;
    return n > 0;
}

}  // namespace

void MakeCanvas(OwnedCanvas& owned, int width, int height) {
    owned.storage.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    owned.canvas = Canvas{width, height, owned.storage.data()};
}

void MakeSprite(Sprite& sprite, int width, int height, const uint32_t* pixels) {
    sprite.width = width;
    sprite.height = height;
    sprite.pixels.assign(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height));
    sprite.runs.clear();
    sprite.rowRuns.assign(1, 0);
    for (int y = 0; y < height; y++) {
        const uint32_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(width);
        int x = 0;
        while (x < width) {
            while (x < width && row[x] == KEY_COLOUR) x++;
            const int start = x;
            while (x < width && row[x] != KEY_COLOUR) x++;
            if (x > start) {
                sprite.runs.push_back(SpriteRun{static_cast<uint16_t>(y), static_cast<uint16_t>(start),
                                                static_cast<uint16_t>(x - start),
                                                static_cast<uint32_t>(y * width + start)});
            }
        }
        sprite.rowRuns.push_back(static_cast<uint32_t>(sprite.runs.size()));
    }
}

Canvas* BackBuffer() {
    if (!backBufferMade) {
        MakeCanvas(backBuffer, CANVAS_WIDTH, CANVAS_HEIGHT);
        backBufferMade = true;
    }
    return &backBuffer.canvas;
}

// One row by hand, the others copied from it: memcpy's wide stores beat a
// pixel loop, and this runs every frame.
void FillWindowColour(Canvas* canvas) {
    if (canvas->height <= 0) return;
    uint32_t* first = canvas->pixels;
    for (int x = 0; x < canvas->width; x++) first[x] = WINDOW_COLOUR;
    const size_t rowBytes = static_cast<size_t>(canvas->width) * sizeof(uint32_t);
    for (int y = 1; y < canvas->height; y++) {
        std::memcpy(canvas->pixels + static_cast<size_t>(y) * canvas->width, first, rowBytes);
    }
}

void BlitOpaque(Canvas* canvas, const Sprite* picture, int y) {
    if (picture == nullptr) return;
    int x = 0;
    int skip;
    int n = picture->width;
    if (!ClipSpan(canvas->width, x, skip, n)) return;
    for (int row = 0; row < picture->height; row++) {
        const int cy = y + row;
        if (cy < 0 || cy >= canvas->height) continue;
        std::memcpy(canvas->pixels + static_cast<size_t>(cy) * canvas->width + x,
                    picture->pixels.data() + static_cast<size_t>(row) * picture->width + skip,
                    static_cast<size_t>(n) * sizeof(uint32_t));
    }
}

void RestoreArea(Canvas* canvas, const Sprite* picture, int x, int y, int w, int h) {
    if (picture == nullptr) return;
    for (int row = y; row < y + h; row++) {
        if (row < 0 || row >= canvas->height || row >= picture->height) continue;
        int cx = x;
        int skip;
        int n = w;
        if (!ClipSpan(canvas->width < picture->width ? canvas->width : picture->width, cx, skip, n)) return;
        std::memcpy(canvas->pixels + static_cast<size_t>(row) * canvas->width + cx,
                    picture->pixels.data() + static_cast<size_t>(row) * picture->width + cx,
                    static_cast<size_t>(n) * sizeof(uint32_t));
    }
}

// A sprite wholly inside the canvas (the usual case) copies its runs with no
// clipping; one across an edge clips each run of its visible rows.
void DrawSprite(Canvas* canvas, int x, int y, const Sprite* sprite) {
    if (sprite == nullptr) return;
    const int w = sprite->width;
    const int h = sprite->height;
    if (x >= canvas->width || y >= canvas->height || x <= -w || y <= -h) return;
    const size_t stride = static_cast<size_t>(canvas->width);
    const uint32_t* src = sprite->pixels.data();
    const SpriteRun* runs = sprite->runs.data();
    const uint32_t* rowRuns = sprite->rowRuns.data();
    if (x >= 0 && y >= 0 && x <= canvas->width - w && y <= canvas->height - h) {
        uint32_t* dst = canvas->pixels + static_cast<size_t>(y) * stride + x;
        for (const SpriteRun& run : sprite->runs) {
            std::memcpy(dst + run.row * stride + run.x, src + run.offset, run.length * sizeof(uint32_t));
        }
        return;
    }
    // Visible sprite columns [left, right) and rows [top, bottom).
    const int left = x < 0 ? -x : 0;
    const int right = canvas->width - x < w ? canvas->width - x : w;
    const int top = y < 0 ? -y : 0;
    const int bottom = canvas->height - y < h ? canvas->height - y : h;
    for (int r = top; r < bottom; r++) {
        uint32_t* row = canvas->pixels + static_cast<size_t>(y + r) * stride;
        for (uint32_t i = rowRuns[r]; i < rowRuns[r + 1]; i++) {
            const int from = runs[i].x > left ? runs[i].x : left;
            const int end = runs[i].x + runs[i].length;
            const int to = end < right ? end : right;
            if (from < to) {
                std::memcpy(row + (x + from), src + runs[i].offset + (from - runs[i].x),
                            static_cast<size_t>(to - from) * sizeof(uint32_t));
            }
        }
    }
}

// Bresenham from (x0, y0) towards (x1, y1), the end point left out, one
// black pixel wide, clipped to the canvas.
void DrawLine(Canvas* canvas, int x0, int y0, int x1, int y1) {
    const int dx = x1 > x0 ? x1 - x0 : x0 - x1;
    const int dy = y1 > y0 ? y1 - y0 : y0 - y1;
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx - dy;
    int x = x0;
    int y = y0;
    while (x != x1 || y != y1) {
        if (x >= 0 && x < canvas->width && y >= 0 && y < canvas->height) {
            canvas->pixels[static_cast<size_t>(y) * canvas->width + x] = 0;
        }
        const int e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x += sx;
        }
        if (e2 < dx) {
            err += dx;
            y += sy;
        }
    }
}

bool DecodeBmp24(const unsigned char* data, size_t size, Sprite& sprite) {
    auto u16 = [&](size_t at) { return static_cast<uint32_t>(data[at] | data[at + 1] << 8); };
    auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
    if (size < 54 || data[0] != 'B' || data[1] != 'M') return false;
    const uint32_t offset = u32(10);
    const uint32_t header = u32(14);
    if (header < 40) return false;
    const int32_t width = static_cast<int32_t>(u32(18));
    int32_t height = static_cast<int32_t>(u32(22));
    if (u16(26) != 1 || u16(28) != 24 || u32(30) != 0) return false;
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192) return false;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    if (offset > size || size - offset < stride * static_cast<size_t>(height)) return false;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int32_t y = 0; y < height; y++) {
        const unsigned char* row = data + offset + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
        for (int32_t x = 0; x < width; x++) {
            const unsigned char* p = row + 3 * x;
            pixels[static_cast<size_t>(y) * width + x] = static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0];
        }
    }
    MakeSprite(sprite, width, height, pixels.data());
    return true;
}
