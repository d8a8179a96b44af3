#include "dsp.h"

#include <cmath>

namespace dsp {

double Sin(double x) {
    // Reduce to [-pi, pi], fold to [-pi/2, pi/2], then a Taylor series that
    // is accurate to about 1e-9 there.
    x -= 2.0 * PI * std::floor(x / (2.0 * PI) + 0.5);
    if (x > PI / 2) x = PI - x;
    if (x < -PI / 2) x = -PI - x;
    const double x2 = x * x;
    double term = x, sum = x;
    for (int k = 1; k <= 8; ++k) {
        term *= -x2 / ((2.0 * k) * (2.0 * k + 1.0));
        sum += term;
    }
    return sum;
}

double Cos(double x) { return Sin(x + PI / 2); }

double Exp(double x) {
    if (x < -700.0) return 0.0;
    const double ln2 = 0.6931471805599453;
    const double k = std::floor(x / ln2 + 0.5);
    const double r = x - k * ln2;
    double term = 1.0, sum = 1.0;
    for (int i = 1; i <= 14; ++i) {
        term *= r / i;
        sum += term;
    }
    return std::ldexp(sum, static_cast<int>(k));
}

double Tanh(double x) {
    if (x > 20.0) return 1.0;
    if (x < -20.0) return -1.0;
    const double e = Exp(2.0 * x);
    return (e - 1.0) / (e + 1.0);
}

double DbToGain(double db) { return Exp(db * 0.11512925464970229); }  // ln(10)/20

Noise MakeNoise(uint64_t seed) {
    Noise n{seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull};
    if (n.state == 0) n.state = 1;
    for (int i = 0; i < 8; ++i) NextBits(n);
    return n;
}

uint32_t NextBits(Noise& n) {
    n.state ^= n.state >> 12;
    n.state ^= n.state << 25;
    n.state ^= n.state >> 27;
    return static_cast<uint32_t>((n.state * 0x2545F4914F6CDD1Dull) >> 32);
}

double Uniform(Noise& n) { return NextBits(n) / 4294967296.0; }

double White(Noise& n) { return 2.0 * Uniform(n) - 1.0; }

namespace {
void Set(Biquad& f, double b0, double b1, double b2, double a0, double a1, double a2) {
    f.b0 = b0 / a0;
    f.b1 = b1 / a0;
    f.b2 = b2 / a0;
    f.a1 = a1 / a0;
    f.a2 = a2 / a0;
}
}  // namespace

void SetLowPass(Biquad& f, double hz, double q) {
    const double w = 2.0 * PI * hz / RATE, c = Cos(w), alpha = Sin(w) / (2.0 * q);
    Set(f, (1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void SetHighPass(Biquad& f, double hz, double q) {
    const double w = 2.0 * PI * hz / RATE, c = Cos(w), alpha = Sin(w) / (2.0 * q);
    Set(f, (1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void SetBandPass(Biquad& f, double hz, double q) {
    const double w = 2.0 * PI * hz / RATE, c = Cos(w), alpha = Sin(w) / (2.0 * q);
    Set(f, alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

double Run(Biquad& f, double x) {
    const double y = f.b0 * x + f.b1 * f.x1 + f.b2 * f.x2 - f.a1 * f.y1 - f.a2 * f.y2;
    f.x2 = f.x1;
    f.x1 = x;
    f.y2 = f.y1;
    f.y1 = y;
    return y;
}

double AttackDecay(double t, double attack, double decay) {
    if (t < 0) return 0.0;
    const double rise = t < attack ? t / attack : 1.0;
    return rise * Exp(-t / decay);
}

}  // namespace dsp
