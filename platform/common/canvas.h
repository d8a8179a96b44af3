// The software canvas shared by every backend: a 32-bit back buffer and
// pictures converted once at load into a form that draws quickly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int CANVAS_WIDTH = 953;
constexpr int CANVAS_HEIGHT = 390;

// Pixels are 0x00RRGGBB, rows top to bottom, no padding.
constexpr uint32_t KEY_COLOUR = 0x00FF0000;
constexpr uint32_t WINDOW_COLOUR = 0x00FFFFFF;

struct Canvas {
    int width;
    int height;
    uint32_t* pixels;
};

// A run of opaque pixels on one row of a sprite.
struct SpriteRun {
    uint16_t row;
    uint16_t x;
    uint16_t length;
    uint32_t offset;  // of its first pixel in `pixels`
};

struct Sprite {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;   // every pixel, key colour included
    std::vector<SpriteRun> runs;    // the opaque runs, row by row
    std::vector<uint32_t> rowRuns;  // row r's runs are runs[rowRuns[r]] up to runs[rowRuns[r + 1]]
};

// Builds a sprite from 0x00RRGGBB pixels (rows top to bottom).
void MakeSprite(Sprite& sprite, int width, int height, const uint32_t* pixels);

// Reads an uncompressed 24-bit BMP file held in memory; false if it is not one.
bool DecodeBmp24(const unsigned char* data, size_t size, Sprite& sprite);

// A canvas of its own, for tests and benchmarks.
struct OwnedCanvas {
    std::vector<uint32_t> storage;
    Canvas canvas;
};
void MakeCanvas(OwnedCanvas& owned, int width, int height);
