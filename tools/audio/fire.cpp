// Cannon shot: a bright crack, a low boom that drops in pitch, a burst of
// blast noise closing down from hiss to roar, a long rumble, and two late
// reflections off the buildings that spread it across the stereo field.
#include "dsp.h"
#include "effects.h"

using namespace dsp;

Stereo SynthFire() {
    const int n = FIRE_FRAMES;
    std::vector<double> dry[2] = {std::vector<double>(n), std::vector<double>(n)};
    // Each channel's noise is mostly the shared stream, with a little of its
    // own: the shot stays centred but not flat.
    Noise shared = MakeNoise(137000);
    Noise noise[2] = {MakeNoise(137001), MakeNoise(137002)};
    Biquad crackHp[2]{}, blastLp[2]{}, bodyBp[2]{}, rumbleLp[2][2]{};
    for (int ch = 0; ch < 2; ++ch) {
        SetHighPass(crackHp[ch], 1800.0, 0.7071);
        SetBandPass(bodyBp[ch], 420.0 + 60.0 * ch, 0.7);
        SetLowPass(rumbleLp[ch][0], 170.0, 0.7071);
        SetLowPass(rumbleLp[ch][1], 170.0, 0.7071);
    }
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / RATE;
        const double freq = 44.0 + 96.0 * Exp(-t / 0.045);
        phase += freq / RATE;
        phase -= static_cast<int>(phase);
        const double boom = Tanh(2.2 * Sin(2 * PI * phase) * AttackDecay(t, 0.0015, 0.16)) / Tanh(2.2);
        double common[4];
        for (double& c : common) c = White(shared);
        for (int ch = 0; ch < 2; ++ch) {
            double src[4];
            for (int k = 0; k < 4; ++k) src[k] = 0.94 * common[k] + 0.34 * White(noise[ch]);
            const double crack = Run(crackHp[ch], src[0]) * AttackDecay(t, 0.0003, 0.007);
            if (i % 16 == 0) SetLowPass(blastLp[ch], 240.0 + 6500.0 * Exp(-t / 0.05), 0.9);
            const double blast = Run(blastLp[ch], src[1]) * AttackDecay(t, 0.0008, 0.12);
            const double body = Run(bodyBp[ch], src[2]) * AttackDecay(t, 0.001, 0.1);
            const double rumble =
                Run(rumbleLp[ch][1], Run(rumbleLp[ch][0], src[3])) * AttackDecay(t, 0.05, 0.36);
            dry[ch][i] = 1.1 * crack + 0.9 * boom + 2.0 * blast + 5.0 * body + 8.0 * rumble;
        }
    }
    // Reflections off the buildings: each side hears the other side late,
    // darker and quieter, three times over, which rolls the shot away.
    Stereo s{dry[0], dry[1]};
    const double delay[2][3] = {{0.083, 0.19, 0.31}, {0.121, 0.24, 0.37}};
    const double gain[3] = {0.24, 0.16, 0.1};
    const double tone[3] = {1400.0, 900.0, 600.0};
    for (int ch = 0; ch < 2; ++ch) {
        std::vector<double>& out = ch == 0 ? s.left : s.right;
        const std::vector<double>& src = dry[1 - ch];
        for (int k = 0; k < 3; ++k) {
            Biquad dark{};
            SetLowPass(dark, tone[k], 0.7071);
            const int d = static_cast<int>(delay[ch][k] * RATE);
            for (int i = d; i < n; ++i) out[i] += gain[k] * Run(dark, src[i - d]);
        }
    }
    // Gentle saturation keeps the crack from dwarfing the boom.
    for (std::vector<double>* ch : {&s.left, &s.right})
        for (double& x : *ch) x = Tanh(1.6 * x);
    return s;
}
