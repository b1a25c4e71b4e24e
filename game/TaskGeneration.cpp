#include "game/TaskGeneration.h"

#include <algorithm>

void drawTaskLines(LineTable &lines, int32_t range, int32_t lineCount, Random &random) {
    const int32_t count = std::min<int32_t>(lineCount, LineTable::Slots);
    for (int i = 1; i <= count; ++i) {
        do {
            lines.X1[i] = random(range) + 1;
            lines.Y1[i] = random(range) + 1;
            lines.X2[i] = random(range) + 1;
            lines.Y2[i] = random(range) + 1;
        } while (lines.X1[i] == lines.X2[i] && lines.Y1[i] == lines.Y2[i]);
    }
}
