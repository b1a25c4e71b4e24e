#include "noise.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

std::uint32_t mix(std::uint32_t h) {
    // Murmur3 finaliser: every input bit reaches every output bit.
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h;
}

std::uint32_t hash(int x, int y, std::uint32_t seed) {
    return mix(std::uint32_t(x) * 0x8DA6B343u ^ mix(std::uint32_t(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu));
}

double fade(double t) {
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

} // namespace

double cellHash(int x, int y, std::uint32_t seed) {
    return hash(x, y, seed) * (1.0 / 4294967296.0);
}

double smoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

double GradientNoise::dotGradient(int ix, int iy, double dx, double dy) const {
    const double angle = cellHash(ix, iy, seed) * 2.0 * std::numbers::pi;
    return std::cos(angle) * dx + std::sin(angle) * dy;
}

double GradientNoise::at(double x, double y) const {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = int(fx);
    const int iy = int(fy);
    const double dx = x - fx;
    const double dy = y - fy;

    const double n00 = dotGradient(ix, iy, dx, dy);
    const double n10 = dotGradient(ix + 1, iy, dx - 1.0, dy);
    const double n01 = dotGradient(ix, iy + 1, dx, dy - 1.0);
    const double n11 = dotGradient(ix + 1, iy + 1, dx - 1.0, dy - 1.0);

    const double u = fade(dx);
    const double v = fade(dy);
    const double top = n00 + (n10 - n00) * u;
    const double bottom = n01 + (n11 - n01) * u;
    return std::clamp((top + (bottom - top) * v) * 1.4, -1.0, 1.0);
}

double GradientNoise::fractal(double x, double y, int octaves, double gain) const {
    double sum = 0.0;
    double amplitude = 1.0;
    double total = 0.0;
    double frequency = 1.0;
    for (int octave = 0; octave < octaves; ++octave) {
        // Shift each octave so that the lattices do not all cross at the origin.
        const double shift = 17.31 * (octave + 1);
        sum += amplitude * at(x * frequency + shift, y * frequency - shift);
        total += amplitude;
        amplitude *= gain;
        frequency *= 2.0;
    }
    return sum / total;
}
