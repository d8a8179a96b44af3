// Seeded value noise for texture: pure functions of their arguments, so the
// pictures come out the same on every run.
#pragma once

#include <cstdint>

namespace art {

uint32_t Hash(uint32_t x, uint32_t y, uint32_t seed);
// Uniform in [0, 1) for one lattice point.
float Random01(int x, int y, uint32_t seed);
// Smooth noise in [0, 1) with features about `scale` pixels apart.
float Noise(float x, float y, float scale, uint32_t seed);
// Several octaves of Noise, finer ones weaker; still in [0, 1).
float Fbm(float x, float y, float scale, uint32_t seed, int octaves = 4);

}  // namespace art
