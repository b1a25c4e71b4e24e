#pragma once

#include <cstdint>
#include <random>

// The game's single pseudo-random generator, seeded from the clock when the main
// window is created. Tests seed it through seed().
class Random {
public:
    Random();
    void seed(uint64_t seed) { m_engine.seed(seed); }

    // A uniformly distributed integer 0..n-1 (0 when n < 1).
    int32_t operator()(int32_t n);

private:
    std::mt19937_64 m_engine;
};
