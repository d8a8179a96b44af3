#include <cmath>
#include <cstddef>

#include "dsp.h"
#include "effects.h"
#include "wave_file.h"

std::vector<int32_t> Master(Stereo& s, double peakDb, double fadeSeconds) {
    const size_t n = s.left.size();
    for (std::vector<double>* ch : {&s.left, &s.right}) {
        dsp::Biquad hp{};
        dsp::SetHighPass(hp, 28.0, 0.7071);
        dsp::Biquad hp2 = hp;  // fourth order: a steep edge well below the boom
        for (double& x : *ch) x = dsp::Run(hp2, dsp::Run(hp, x));
    }
    // Raised-cosine fade that reaches exactly zero on the last frame.
    const size_t fade = static_cast<size_t>(fadeSeconds * dsp::RATE);
    for (size_t k = 0; k < fade && k < n; ++k) {
        const size_t i = n - 1 - k;
        const double g = 0.5 - 0.5 * dsp::Cos(dsp::PI * k / fade);
        s.left[i] *= g;
        s.right[i] *= g;
    }
    double peak = 0.0;
    for (size_t i = 0; i < n; ++i) peak = std::fmax(peak, std::fmax(std::fabs(s.left[i]), std::fabs(s.right[i])));
    const double scale = peak > 0 ? dsp::DbToGain(peakDb) * WAVE_FULL_SCALE / peak : 0.0;
    std::vector<int32_t> out(2 * n);
    for (size_t i = 0; i < n; ++i) {
        out[2 * i] = static_cast<int32_t>(std::lround(s.left[i] * scale));
        out[2 * i + 1] = static_cast<int32_t>(std::lround(s.right[i] * scale));
    }
    return out;
}
