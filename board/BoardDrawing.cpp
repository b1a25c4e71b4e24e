#include "board/BoardDrawing.h"

#include <algorithm>

void drawGridLine(Canvas &canvas, const GameState &g, const LineTable &lines, int slot) {
    canvas.moveTo(lines.X1[slot] * g.CellW, lines.Y1[slot] * g.CellH);
    canvas.lineTo(lines.X2[slot] * g.CellW, lines.Y2[slot] * g.CellH);
}

namespace {

// A repaint while a line is open must not draw that line from its start point to the
// board's corner, so only lines with both end points are drawn.
void drawTable(Canvas &canvas, const GameState &g, const LineTable &lines) {
    for (int i = 1; i <= LineTable::Slots; ++i)
        if (lines.isComplete(i)) drawGridLine(canvas, g, lines, i);
}

} // namespace

void Clear(Canvas &canvas, const GameState &g, QColor background) {
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
        return cell > 0 ? std::min(g.Range, (side - 2) / cell) : std::min(g.Range, 1);
    };
    const int lastX = lastVisible(g.CellW, w);
    const int lastY = lastVisible(g.CellH, h);
    for (int x = 1; x <= lastX; ++x) {
        for (int y = 1; y <= lastY; ++y) {
            canvas.moveTo(x * g.CellW + 1, y * g.CellH + 1);
            canvas.lineTo(x * g.CellW + 1, y * g.CellH + 1);
        }
    }

    canvas.setPenWidth(6);
    canvas.moveTo(0, 0);
    canvas.lineTo(0, h);
    canvas.lineTo(w, h);
    canvas.lineTo(w, 0);
    canvas.lineTo(0, 0);
}

void FormPaint(Canvas &canvas, GameState &g, QColor background) {
    canvas.setBrushColor(background);
    canvas.setPenColor(background);
    canvas.setPenWidth(3);
    canvas.rectangle(0, 0, canvas.width(), canvas.height());
    Clear(canvas, g, background);

    canvas.setPenWidth(3);
    canvas.setPenColor(QColor(g.Phase == PhaseIdle ? BoardColors::TaskChecked : BoardColors::TaskShowing));
    if (g.Phase == PhaseShowing || g.Phase == PhaseIdle) drawTable(canvas, g, g.TaskLines);
    if (g.Phase == PhaseAnswering || g.Phase == PhaseIdle) {
        canvas.setPenColor(QColor(BoardColors::Player));
        drawTable(canvas, g, g.DrawnLines);
    }
    canvas.setPenWidth(3);
    g.RubberX = 0;
    g.RubberY = 0;
}
