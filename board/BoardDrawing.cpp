#include "board/BoardDrawing.h"

#include <algorithm>

void drawGridLine(Canvas &canvas, const BoardGrid &grid, const LineTable &lines, int slot) {
    canvas.moveTo(lines.X1[slot] * grid.cellW, lines.Y1[slot] * grid.cellH);
    canvas.lineTo(lines.X2[slot] * grid.cellW, lines.Y2[slot] * grid.cellH);
}

namespace {

// A repaint while a line is open must not draw that line from its start point to the
// board's corner, so only lines with both end points are drawn.
void drawTable(Canvas &canvas, const BoardGrid &grid, const LineTable &lines) {
    for (int i = 1; i <= LineTable::Slots; ++i)
        if (lines.isComplete(i)) drawGridLine(canvas, grid, lines, i);
}

} // namespace

void drawEmptyBoard(Canvas &canvas, const BoardGrid &grid, QColor background) {
    const int w = canvas.width();
    const int h = canvas.height();
    canvas.setBrushColor(background);
    canvas.setPenColor(background);
    canvas.setPenWidth(2);
    canvas.rectangle(0, 0, w, h);

    canvas.setPenColor(QColor(BoardColors::Ink));
    // Dots that start beyond the board cannot be seen, and with no spacing yet all dots
    // fall on one pixel: drawing only the others keeps a huge stored Range from taking
    // forever.
    auto lastVisible = [&](int cell, int side) {
        return cell > 0 ? std::min(grid.range, (side - 2) / cell) : std::min(grid.range, 1);
    };
    const int lastX = lastVisible(grid.cellW, w);
    const int lastY = lastVisible(grid.cellH, h);
    for (int x = 1; x <= lastX; ++x) {
        for (int y = 1; y <= lastY; ++y) {
            canvas.moveTo(x * grid.cellW + 1, y * grid.cellH + 1);
            canvas.lineTo(x * grid.cellW + 1, y * grid.cellH + 1);
        }
    }

    canvas.setPenWidth(6);
    canvas.moveTo(0, 0);
    canvas.lineTo(0, h);
    canvas.lineTo(w, h);
    canvas.lineTo(w, 0);
    canvas.lineTo(0, 0);
}

void drawBoard(Canvas &canvas, const BoardGrid &grid, int32_t phase, const LineTable &task,
               const LineTable &drawn, QColor background) {
    canvas.setBrushColor(background);
    canvas.setPenColor(background);
    canvas.setPenWidth(3);
    canvas.rectangle(0, 0, canvas.width(), canvas.height());
    drawEmptyBoard(canvas, grid, background);

    canvas.setPenWidth(3);
    canvas.setPenColor(QColor(phase == PhaseIdle ? BoardColors::TaskChecked : BoardColors::TaskShowing));
    if (phase == PhaseShowing || phase == PhaseIdle) drawTable(canvas, grid, task);
    if (phase == PhaseAnswering || phase == PhaseIdle) {
        canvas.setPenColor(QColor(BoardColors::Player));
        drawTable(canvas, grid, drawn);
    }
    canvas.setPenWidth(3);
}
