// The two effect sounds: the cannon firing (wave 137) and a ball landing
// (wave 138). Each is synthesised from a fixed seed, so it never changes.
#pragma once

#include <cstdint>
#include <vector>

constexpr int FIRE_FRAMES = 42779;  // 256674 data bytes, about 0.97 s
constexpr int LAND_FRAMES = 40919;  // 245514 data bytes, about 0.93 s

struct Stereo {
    std::vector<double> left, right;
};

Stereo SynthFire();
Stereo SynthLand();

// Removes DC and rumble below hearing, fades the tail to exact silence and
// scales the peak to `peakDb` dBFS; returns interleaved 24-bit samples.
std::vector<int32_t> Master(Stereo& s, double peakDb, double fadeSeconds);
