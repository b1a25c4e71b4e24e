#include "game/Random.h"

#include <chrono>

Random::Random()
    : m_engine(static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())) {}

int32_t Random::operator()(int32_t n) {
    if (n < 1) return 0;
    return std::uniform_int_distribution<int32_t>(0, n - 1)(m_engine);
}
