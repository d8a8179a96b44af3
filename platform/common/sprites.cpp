// Pictures are decoded once, at start-up, from the bitmaps built into the program.
#include <cstdio>

#include "canvas.h"
#include "platform.h"
#include "resources.h"

namespace {
Sprite loaded[SPRITE_COUNT];
bool ready[SPRITE_COUNT];
}  // namespace

const Sprite* LoadSprite(int resourceId) {
    const int slot = resourceId - FIRST_BITMAP_ID;
    if (slot < 0 || slot >= SPRITE_COUNT) return nullptr;
    if (ready[slot]) return &loaded[slot];
    ResourceData res;
    if (!FindResource(resourceId, res)) {
        std::fprintf(stderr, "tolvenar: picture %d is missing from the program\n", resourceId);
        return nullptr;
    }
    if (!DecodeBmp24(res.data, res.size, loaded[slot])) {
        std::fprintf(stderr, "tolvenar: picture %d is not a 24-bit bitmap\n", resourceId);
        return nullptr;
    }
    ready[slot] = true;
    return &loaded[slot];
}
