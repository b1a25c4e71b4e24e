#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A set of sample pairs (A, B) for the duplicate checks of a trace, so that a check
// costs one probe per entry instead of a scan of the whole trace. The pair (0, 0),
// an empty entry, counts as always present.
class PairSet {
public:
    // Room for up to `count` distinct pairs.
    explicit PairSet(int count);

    // Adds the pair; false when it was already there.
    bool insert(int32_t a, int32_t b);
    bool contains(int32_t a, int32_t b) const;

private:
    static uint64_t key(int32_t a, int32_t b) {
        return (uint64_t{static_cast<uint32_t>(a)} << 32) | static_cast<uint32_t>(b);
    }
    std::size_t slotOf(uint64_t key) const;

    std::vector<uint64_t> m_slots; // 0 is a free slot: the key of (0, 0)
    int m_shift = 0;
};
