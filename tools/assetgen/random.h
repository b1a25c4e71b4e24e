#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>

// SplitMix64: tiny, fast and identical on every platform, so the same seed always
// paints the same parchment and synthesises the same sound.
class Random {
public:
    explicit Random(std::uint64_t seed) : state(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double uniform() { return double(next() >> 11) * 0x1.0p-53; }

    double range(double low, double high) { return low + (high - low) * uniform(); }

    // Uniform integer in [low, high], both inclusive.
    int integer(int low, int high) { return low + int(next() % std::uint64_t(high - low + 1)); }

    bool chance(double probability) { return uniform() < probability; }

    // Standard normal deviate (Box-Muller; the second value is thrown away for simplicity).
    double gaussian() {
        const double u = 1.0 - uniform(); // (0, 1]: keeps log() finite
        const double v = uniform();
        return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * std::numbers::pi * v);
    }

    // A new independent generator, so that adding a draw in one picture element does
    // not reshuffle every element after it.
    Random fork() { return Random(next()); }

private:
    std::uint64_t state;
};
