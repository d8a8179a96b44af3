// A ball landing: a heavy low thump with a muffled crunch of earth, then the
// debris coming down: crackles, pebbles and a few bigger clods, and a
// trickle of dirt that thins out, each piece placed somewhere in the stereo field.
#include "dsp.h"
#include "effects.h"

using namespace dsp;

namespace {

// One stone striking: a short damped ring with a click of noise at its start.
void AddPebble(Stereo& s, double start, double freq, double tau, double amp, double pan, Noise& noise) {
    const int first = static_cast<int>(start * RATE);
    const int len = static_cast<int>(6.0 * tau * RATE);
    const double gl = 1.8 * amp * (1.0 - pan), gr = 1.8 * amp * (1.0 + pan);
    Biquad click{};
    SetBandPass(click, freq * 1.3, 1.0);
    for (int k = 0; k < len && first + k < static_cast<int>(s.left.size()); ++k) {
        const double t = static_cast<double>(k) / RATE;
        const double ring = Sin(2 * PI * freq * t) * AttackDecay(t, 0.0002, tau);
        const double hit = Run(click, White(noise)) * AttackDecay(t, 0.0001, 0.0015);
        const double v = 0.7 * ring + 1.4 * hit;
        s.left[first + k] += gl * v;
        s.right[first + k] += gr * v;
    }
}

// A clod of earth: a dull, toneless thup of low-passed noise.
void AddClod(Stereo& s, double start, double cutoff, double tau, double amp, double pan, Noise& noise) {
    const int first = static_cast<int>(start * RATE);
    const int len = static_cast<int>(6.0 * tau * RATE);
    const double gl = 1.8 * amp * (1.0 - pan), gr = 1.8 * amp * (1.0 + pan);
    Biquad lp{};
    SetLowPass(lp, cutoff, 0.9);
    for (int k = 0; k < len && first + k < static_cast<int>(s.left.size()); ++k) {
        const double t = static_cast<double>(k) / RATE;
        const double v = 3.0 * Run(lp, White(noise)) * AttackDecay(t, 0.0015, tau);
        s.left[first + k] += gl * v;
        s.right[first + k] += gr * v;
    }
}

}  // namespace

Stereo SynthLand() {
    const int n = LAND_FRAMES;
    Stereo s{std::vector<double>(n), std::vector<double>(n)};
    Noise noise[2] = {MakeNoise(138001), MakeNoise(138002)};
    Biquad bodyLp[2]{}, crunchBp[2]{}, crackleBp[2]{}, dirtBp[2]{}, dirtLp[2]{};
    for (int ch = 0; ch < 2; ++ch) {
        SetBandPass(crunchBp[ch], 950.0 + 250.0 * ch, 1.1);
        SetBandPass(crackleBp[ch], 4200.0, 0.9);
        SetBandPass(dirtBp[ch], 2600.0, 0.55);
        SetLowPass(dirtLp[ch], 6500.0, 0.7071);
    }
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / RATE;
        const double freq = 38.0 + 60.0 * Exp(-t / 0.035);
        phase += freq / RATE;
        phase -= static_cast<int>(phase);
        const double thump = Tanh(2.6 * Sin(2 * PI * phase) * AttackDecay(t, 0.004, 0.11)) / Tanh(2.6);
        // Debris density: grains start a moment after the impact and thin out.
        const double shower = AttackDecay(t - 0.025, 0.09, 0.22);
        for (int ch = 0; ch < 2; ++ch) {
            if (i % 16 == 0) SetLowPass(bodyLp[ch], 170.0 + 900.0 * Exp(-t / 0.03), 0.8);
            const double body = Run(bodyLp[ch], White(noise[ch])) * AttackDecay(t, 0.002, 0.065);
            const double crunch = Run(crunchBp[ch], White(noise[ch])) * AttackDecay(t, 0.001, 0.025);
            // Crackles: sparse sharp ticks, mostly in the first third of a second.
            double tick = 0.0;
            if (Uniform(noise[ch]) < 260.0 * AttackDecay(t - 0.004, 0.01, 0.12) / RATE)
                tick = (Uniform(noise[ch]) < 0.5 ? -1.0 : 1.0) * (0.3 + 0.7 * Uniform(noise[ch]));
            const double crackle = Run(crackleBp[ch], 3.0 * tick);
            // Dirt: a dense rain of tiny grains, like soil pattering down.
            double grain = 0.0;
            if (Uniform(noise[ch]) < 3200.0 * shower / RATE) grain = White(noise[ch]);
            const double dirt = Run(dirtLp[ch], Run(dirtBp[ch], grain));
            std::vector<double>& out = ch == 0 ? s.left : s.right;
            out[i] = 1.0 * thump + 0.7 * body + 0.35 * crunch + 1.0 * crackle + 1.6 * dirt;
        }
    }
    // Pebbles and clods: they come down over most of the second, fewer and
    // softer as it goes on.
    Noise scatter = MakeNoise(138003);
    for (int k = 0; k < 60; ++k) {
        const double u = Uniform(scatter);
        const double start = 0.03 + 0.66 * u * u;
        const double fade = 1.0 - 0.8 * (start / 0.7);
        const double pan = 1.6 * Uniform(scatter) - 0.8;
        if (Uniform(scatter) < 0.22) {
            const double cutoff = 500.0 + 900.0 * Uniform(scatter);
            AddClod(s, start, cutoff, 0.01 + 0.012 * Uniform(scatter), 0.35 * fade * (0.5 + 0.5 * Uniform(scatter)),
                      pan, scatter);
        } else {
            const double freq = 1700.0 + 3800.0 * Uniform(scatter);
            AddPebble(s, start, freq, 0.002 + 0.006 * Uniform(scatter),
                      0.28 * fade * (0.3 + 0.7 * Uniform(scatter)), pan, scatter);
        }
    }
    // A little saturation: the thump gets weight and the pebbles never poke out.
    for (std::vector<double>* ch : {&s.left, &s.right})
        for (double& x : *ch) x = Tanh(1.5 * x);
    return s;
}
