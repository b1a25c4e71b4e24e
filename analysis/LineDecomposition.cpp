#include "analysis/LineDecomposition.h"

#include "analysis/PairSet.h"

#include <algorithm>
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64,
              "The line decomposition needs long double to be the 80-bit extended type (64-bit "
              "significand), as GCC and Clang give it on x86-64: scores depend on its rounding.");

namespace {

using Extended = long double;

constexpr Extended Step = 0.2L;          // the extended value nearest 0.2
constexpr Extended EndTolerance = 0.01L; // the extended value nearest 0.01
constexpr Extended LowerBound = 0.0L;
constexpr Extended UpperBound = 30.0L;

// Truncation toward zero. Grid coordinates keep every product far inside 32 bits;
// the clamp only keeps a nonsensical table from undefined behaviour.
int32_t truncated(Extended value) {
    if (value >= Extended(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    if (value <= Extended(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

class TraceWriter {
public:
    explicit TraceWriter(Decomposition &d) : m_d(d) {}

    bool full() const { return m_d.written >= Trace::Capacity; }

    void store(int32_t a, int32_t b) {
        ++m_d.written;
        m_d.trace.A[m_d.written] = a;
        m_d.trace.B[m_d.written] = b;
    }

private:
    Decomposition &m_d;
};

enum class Axis { X, Y };

// Samples one line along `axis` from its lower end. `along1`/`along2` are the line's
// coordinates on that axis, `across1`/`across2` on the other; the intercept is taken
// from the second end point.
void samplePass(TraceWriter &trace, Axis axis, int32_t along1, int32_t across1, int32_t along2,
                int32_t across2, int32_t cellW) {
    if (along1 == along2) return;
    const Extended rise = Extended(int64_t{across2} - across1);
    const Extended run = Extended(int64_t{along2} - along1);
    const double k = static_cast<double>(rise / run);
    const double b = static_cast<double>(Extended(across2) - Extended(along2) * Extended(k));
    const Extended farEnd = Extended(std::max(along1, along2)) + EndTolerance;
    const Extended cell = cellW;

    double s = std::min(along1, along2);
    while (Extended(s) <= farEnd && Extended(s) > LowerBound && Extended(s) < UpperBound) {
        if (trace.full()) return;
        const int32_t along = truncated(cell * Extended(s));
        const int32_t across = truncated((Extended(s) * Extended(k) + Extended(b)) * cell);
        if (axis == Axis::X)
            trace.store(along, across);
        else
            trace.store(across, along);
        s = static_cast<double>(Extended(s) + Step);
    }
}

// Clears every repeat of a pair, keeping the first occurrence in place.
void clearRepeats(Trace &trace, int written) {
    PairSet seen(written);
    for (int n = 1; n <= written; ++n) {
        if (!seen.insert(trace.A[n], trace.B[n])) {
            trace.A[n] = 0;
            trace.B[n] = 0;
        }
    }
}

} // namespace

Decomposition decomposeLines(const LineTable &lines, int32_t lineCount, int32_t cellW) {
    Decomposition d;
    TraceWriter trace(d);
    const int usedSlots = std::min<int32_t>(lineCount, LineTable::Slots);
    for (int i = 1; i <= usedSlots; ++i)
        samplePass(trace, Axis::X, lines.X1[i], lines.Y1[i], lines.X2[i], lines.Y2[i], cellW);
    for (int i = 1; i <= usedSlots; ++i)
        samplePass(trace, Axis::Y, lines.Y1[i], lines.X1[i], lines.Y2[i], lines.X2[i], cellW);
    clearRepeats(d.trace, d.written);
    return d;
}
