// The two effect sounds as the game carries them: exact wave layout, and
// levels that neither clip, sit off centre, nor click at the end.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>

#include "resources.h"

namespace {

uint32_t U16(const unsigned char* p) { return p[0] | p[1] << 8; }
uint32_t U32(const unsigned char* p) { return U16(p) | U16(p + 2) << 16; }
int32_t S24(const unsigned char* p) {
    const int32_t v = p[0] | p[1] << 8 | p[2] << 16;
    return v & 0x800000 ? v - 0x1000000 : v;
}

struct WaveCase {
    int id;
    uint32_t dataBytes;
    uint32_t frames;
};
void PrintTo(const WaveCase& c, std::ostream* os) { *os << "wave " << c.id; }

class EffectWave : public testing::TestWithParam<WaveCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(FindResource(GetParam().id, res)) << "wave " << GetParam().id << " is not built in";
        ASSERT_EQ(res.size, 80u + GetParam().dataBytes);
    }
    const unsigned char* Samples() const { return res.data + 80; }
    int32_t Sample(uint32_t frame, int ch) const { return S24(Samples() + frame * 6 + ch * 3); }
    ResourceData res{};
};

TEST_P(EffectWave, ChunksAndFormatFieldsAreExact) {
    const unsigned char* p = res.data;
    const WaveCase c = GetParam();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p), 4), "RIFF");
    EXPECT_EQ(U32(p + 4), res.size - 8);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p + 8), 4), "WAVE");

    const unsigned char* fmt = p + 12;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(fmt), 4), "fmt ");
    EXPECT_EQ(U32(fmt + 4), 40u);
    EXPECT_EQ(U16(fmt + 8), 0xFFFEu);     // WAVE_FORMAT_EXTENSIBLE
    EXPECT_EQ(U16(fmt + 10), 2u);         // channels
    EXPECT_EQ(U32(fmt + 12), 44100u);     // frames per second
    EXPECT_EQ(U32(fmt + 16), 264600u);    // bytes per second
    EXPECT_EQ(U16(fmt + 20), 6u);         // block align
    EXPECT_EQ(U16(fmt + 22), 24u);        // bits per sample
    EXPECT_EQ(U16(fmt + 24), 22u);        // extension size
    EXPECT_EQ(U16(fmt + 26), 24u);        // valid bits
    EXPECT_EQ(U32(fmt + 28), 3u);         // front left | front right
    const unsigned char pcm[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                   0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    EXPECT_EQ(std::memcmp(fmt + 32, pcm, 16), 0) << "sub-format is not KSDATAFORMAT_SUBTYPE_PCM";

    const unsigned char* fact = fmt + 48;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(fact), 4), "fact");
    EXPECT_EQ(U32(fact + 4), 4u);
    EXPECT_EQ(U32(fact + 8), c.frames);

    const unsigned char* data = fact + 12;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), 4), "data");
    EXPECT_EQ(U32(data + 4), c.dataBytes);
    EXPECT_EQ(c.frames * 6, c.dataBytes);
}

TEST_P(EffectWave, LevelsAreCleanAndTheEndIsSilent) {
    const uint32_t frames = GetParam().frames;
    const double fullScale = 8388607.0;
    const double ceiling = fullScale * std::pow(10.0, -1.0 / 20.0);  // -1 dBFS
    for (int ch = 0; ch < 2; ++ch) {
        double peak = 0, sum = 0, energy = 0, early = 0, late = 0;
        const uint32_t earlyEnd = 44100 / 5, lateStart = frames / 2;
        for (uint32_t f = 0; f < frames; ++f) {
            const double v = Sample(f, ch);
            peak = std::fmax(peak, std::fabs(v));
            sum += v;
            energy += v * v;
            if (f < earlyEnd) early += v * v;
            if (f >= lateStart) late += v * v;
        }
        const double rms = std::sqrt(energy / frames);
        const double decayDb = 10 * std::log10((early / earlyEnd) / (late / (frames - lateStart)));
        SCOPED_TRACE("channel " + std::to_string(ch));
        EXPECT_LE(peak, ceiling) << "clips above -1 dBFS";
        EXPECT_GT(peak, fullScale * 0.5) << "far too quiet";
        EXPECT_GT(20 * std::log10(rms / fullScale), -25.0) << "little more than a click";
        EXPECT_GT(decayDb, 12.0) << "an impact is loudest at its start and dies away";
        EXPECT_LT(std::fabs(sum / frames), fullScale * 1e-4) << "DC offset";
        // The fade leaves exact silence at the end and nothing audible just before.
        EXPECT_EQ(Sample(frames - 1, ch), 0);
        for (uint32_t f = frames - 441; f < frames; ++f)
            ASSERT_LT(std::abs(Sample(f, ch)), fullScale * 1e-3) << "frame " << f;
    }
}

TEST_P(EffectWave, HasSomeStereoWidth) {
    uint32_t differing = 0;
    for (uint32_t f = 0; f < GetParam().frames; ++f) differing += Sample(f, 0) != Sample(f, 1);
    EXPECT_GT(differing, GetParam().frames / 2);
}

INSTANTIATE_TEST_SUITE_P(Waves, EffectWave,
                         testing::Values(WaveCase{WAVE_FIRE, 256674, 42779}, WaveCase{WAVE_LAND, 245514, 40919}),
                         [](const testing::TestParamInfo<WaveCase>& i) {
                             return std::string(i.param.id == WAVE_FIRE ? "Fire" : "Land");
                         });

}  // namespace
