// The art and sounds built into the program, looked up by resource id:
// bitmaps 101 to 136 (sprite slot = id - 101), waves 137 and 138.
#pragma once

#include <cstddef>

constexpr int FIRST_BITMAP_ID = 101;
constexpr int SPRITE_COUNT = 36;
constexpr int WAVE_FIRE = 137;
constexpr int WAVE_LAND = 138;

struct ResourceData {
    const unsigned char* data;
    size_t size;
};

// False when the program carries no resource of that id.
bool FindResource(int id, ResourceData& out);
