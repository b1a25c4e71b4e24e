#include "analysis/PairSet.h"

#include <bit>

PairSet::PairSet(int count) {
    // At most half full keeps the probe runs short.
    const std::size_t size = std::bit_ceil(static_cast<std::size_t>(count < 8 ? 8 : count) * 2);
    m_slots.assign(size, 0);
    m_shift = 64 - std::countr_zero(size);
}

std::size_t PairSet::slotOf(uint64_t k) const {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = static_cast<std::size_t>((k * 0x9E3779B97F4A7C15ull) >> m_shift);
    while (m_slots[slot] != 0 && m_slots[slot] != k)
        slot = (slot + 1) & mask;
    return slot;
}

bool PairSet::insert(int32_t a, int32_t b) {
    const uint64_t k = key(a, b);
    const std::size_t slot = slotOf(k);
    if (m_slots[slot] == k) return false;
    m_slots[slot] = k;
    return true;
}

bool PairSet::contains(int32_t a, int32_t b) const {
    const uint64_t k = key(a, b);
    return m_slots[slotOf(k)] == k;
}
