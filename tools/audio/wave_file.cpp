#include "wave_file.h"

#include <cstddef>

namespace {
void Tag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}
void U16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void U32(std::vector<uint8_t>& out, uint32_t v) {
    U16(out, v & 0xFFFF);
    U16(out, v >> 16);
}
// KSDATAFORMAT_SUBTYPE_PCM as stored in the file.
const uint8_t PCM_SUBTYPE[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
}  // namespace

std::vector<uint8_t> EncodeWave(const std::vector<int32_t>& interleaved) {
    const uint32_t frames = static_cast<uint32_t>(interleaved.size() / WAVE_CHANNELS);
    const uint32_t dataBytes = frames * WAVE_BLOCK;
    const uint32_t pad = dataBytes & 1;
    std::vector<uint8_t> out;
    out.reserve(80 + dataBytes + pad);
    Tag(out, "RIFF");
    U32(out, 4 + (8 + 40) + (8 + 4) + (8 + dataBytes + pad));
    Tag(out, "WAVE");

    Tag(out, "fmt ");
    U32(out, 40);
    U16(out, 0xFFFE);  // WAVE_FORMAT_EXTENSIBLE
    U16(out, WAVE_CHANNELS);
    U32(out, WAVE_RATE);
    U32(out, WAVE_RATE * WAVE_BLOCK);
    U16(out, WAVE_BLOCK);
    U16(out, 24);
    U16(out, 22);  // size of the extension
    U16(out, 24);  // valid bits
    U32(out, 3);   // front left | front right
    for (uint8_t b : PCM_SUBTYPE) out.push_back(b);

    Tag(out, "fact");
    U32(out, 4);
    U32(out, frames);

    Tag(out, "data");
    U32(out, dataBytes);
    for (size_t i = 0; i < static_cast<size_t>(frames) * WAVE_CHANNELS; ++i) {
        const uint32_t v = static_cast<uint32_t>(interleaved[i]);
        out.push_back(v & 0xFF);
        out.push_back((v >> 8) & 0xFF);
        out.push_back((v >> 16) & 0xFF);
    }
    if (pad) out.push_back(0);
    return out;
}
