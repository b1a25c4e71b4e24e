#include "game/ScoreBar.h"

#include <algorithm>

void ScoreBar::setPosition(int32_t position) {
    m_position = std::clamp(position, int32_t{0}, m_maximum);
}

void ScoreBar::setMaximum(int32_t maximum) {
    m_maximum = std::max(maximum, int32_t{0});
    setPosition(m_position);
}
