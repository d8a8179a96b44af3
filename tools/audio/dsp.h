// Building blocks for the sound effects. Everything here uses only IEEE
// additions, multiplications and divisions (no libm transcendental calls), so
// the generated waves come out bit-identical on every machine and C library.
#pragma once

#include <cstdint>

namespace dsp {

constexpr double PI = 3.141592653589793;
constexpr int RATE = 44100;

double Sin(double x);
double Cos(double x);
double Exp(double x);
double Tanh(double x);
double DbToGain(double db);

// Small seeded generator (xorshift64*); streams with different seeds are
// independent, which is how the two channels get decorrelated noise.
struct Noise {
    uint64_t state;
};
Noise MakeNoise(uint64_t seed);
uint32_t NextBits(Noise& n);
double Uniform(Noise& n);  // [0, 1)
double White(Noise& n);    // [-1, 1)

// Second-order section (RBJ cookbook), direct form I.
struct Biquad {
    double b0, b1, b2, a1, a2;
    double x1, x2, y1, y2;
};
void SetLowPass(Biquad& f, double hz, double q);
void SetHighPass(Biquad& f, double hz, double q);
void SetBandPass(Biquad& f, double hz, double q);  // peak gain 1
double Run(Biquad& f, double x);

// Rise over `attack` seconds, then decay with time constant `decay`.
double AttackDecay(double t, double attack, double decay);

}  // namespace dsp
