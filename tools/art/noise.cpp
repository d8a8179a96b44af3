#include "noise.h"

#include <cmath>

namespace art {

uint32_t Hash(uint32_t x, uint32_t y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u ^ x * 0x85EBCA77u ^ y * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

float Random01(int x, int y, uint32_t seed) {
    return float(Hash(uint32_t(x), uint32_t(y), seed) >> 8) / float(1u << 24);
}

float Noise(float x, float y, float scale, uint32_t seed) {
    const float fx = x / scale;
    const float fy = y / scale;
    const float gx = std::floor(fx);
    const float gy = std::floor(fy);
    const int ix = int(gx);
    const int iy = int(gy);
    float tx = fx - gx;
    float ty = fy - gy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const float a = Random01(ix, iy, seed);
    const float b = Random01(ix + 1, iy, seed);
    const float c = Random01(ix, iy + 1, seed);
    const float d = Random01(ix + 1, iy + 1, seed);
    const float top = a + (b - a) * tx;
    const float bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float Fbm(float x, float y, float scale, uint32_t seed, int octaves) {
    float sum = 0;
    float weight = 0.5f;
    float total = 0;
    for (int i = 0; i < octaves; i++) {
        sum += weight * Noise(x, y, scale, seed + uint32_t(i) * 7919u);
        total += weight;
        weight *= 0.5f;
        scale *= 0.5f;
    }
    return sum / total;
}

}  // namespace art
