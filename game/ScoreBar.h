#pragma once

#include <cstdint>

// One of the two score bars: a position kept within 0..maximum, as the bars on the
// main window show it. A position set outside the range is cut to it, and lowering
// the maximum below the position lowers the position with it.
class ScoreBar {
public:
    int32_t position() const { return m_position; }
    int32_t maximum() const { return m_maximum; }

    void setPosition(int32_t position);
    void setMaximum(int32_t maximum);

private:
    int32_t m_position = 0;
    int32_t m_maximum = 100;
};
