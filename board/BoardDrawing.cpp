#include "board/BoardDrawing.h"

void drawGridLine(Canvas &canvas, const GameState &g, const LineTable &lines, int slot) {
    canvas.moveTo(lines.X1[slot] * g.CellW, lines.Y1[slot] * g.CellH);
    canvas.lineTo(lines.X2[slot] * g.CellW, lines.Y2[slot] * g.CellH);
}

namespace {

void drawTable(Canvas &canvas, const GameState &g, const LineTable &lines) {
    for (int i = 1; i <= LineTable::Slots; ++i)
        if (!lines.isEmpty(i)) drawGridLine(canvas, g, lines, i);
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
    for (int x = 1; x <= g.Range; ++x) {
        for (int y = 1; y <= g.Range; ++y) {
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
