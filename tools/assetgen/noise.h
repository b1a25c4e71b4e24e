#pragma once

#include <cstdint>

// Smooth 2-D gradient noise (Perlin style) with a hashed lattice, so no tables and
// no global state: two instances with the same seed give the same field.
class GradientNoise {
public:
    explicit GradientNoise(std::uint32_t seed) : seed(seed) {}

    // Roughly in [-1, 1]; features are about one unit wide.
    double at(double x, double y) const;

    // Sum of octaves, each twice as fine and `gain` times as strong; normalised to
    // roughly [-1, 1].
    double fractal(double x, double y, int octaves, double gain = 0.5) const;

private:
    double dotGradient(int ix, int iy, double dx, double dy) const;

    std::uint32_t seed;
};

// A value in [0, 1) that depends only on the integer cell and the seed: per-pixel grain.
double cellHash(int x, int y, std::uint32_t seed);

// Hermite smoothstep, clamped.
double smoothStep(double edge0, double edge1, double x);
