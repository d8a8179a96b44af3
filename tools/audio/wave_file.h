// The game's wave format: RIFF WAVE, extensible "fmt " chunk, 2 channels,
// 44100 Hz, 24-bit PCM, a "fact" chunk with the frame count, then "data".
#pragma once

#include <cstdint>
#include <vector>

constexpr int WAVE_CHANNELS = 2;
constexpr int WAVE_RATE = 44100;
constexpr int WAVE_BLOCK = 6;  // bytes per stereo frame
constexpr int32_t WAVE_FULL_SCALE = 8388607;

// Samples are interleaved left/right 24-bit values held in int32.
std::vector<uint8_t> EncodeWave(const std::vector<int32_t>& interleaved);
