// Entering a line with the mouse: the first press fixes the start point, a rubber band
// follows the mouse, the release of the second press fixes the end point. The state
// comes from two flags: Waiting (FirstClick 1, LineInProgress 0), Stretching (0, 1)
// and Armed (1, 1). Outside the answering time the board ignores the mouse.
#include "board/BoardDrawing.h"
#include "board/Form1.h"
#include "board/Snapping.h"

namespace {

// The rubber band runs from the open line's start point to (RubberX, RubberY). It
// inverts the pixels under it, so drawing the same band again erases it. The pen goes
// back to copy mode at once: a full repaint while the line is open (after a message box
// covered the board, say) draws the board as usual, and leaves the band at the board's
// corner with nothing drawn. No band is drawn there, nor while it has zero length, as
// when the line starts; so erasing such a band leaves nothing behind either.
void drawRubberBand(Canvas &canvas, const GameState &g) {
    const int slot = g.DrawnIndex;
    const QPoint start(g.DrawnLines.X1[slot] * g.CellW, g.DrawnLines.Y1[slot] * g.CellH);
    const QPoint end(g.RubberX, g.RubberY);
    if (end == start || end == QPoint(0, 0)) return;
    canvas.setPenMode(Canvas::PenMode::Invert);
    canvas.moveTo(start.x(), start.y());
    canvas.lineTo(end.x(), end.y());
    canvas.setPenMode(Canvas::PenMode::Copy);
}

} // namespace

void Form1::PaintBMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
    if (g.Phase != PhaseAnswering) return;
    g.FirstClick = g.FirstClick == 1 ? 0 : 1;
    // The second press only arms the line; its release completes it.
    if (g.FirstClick == 1) return;

    Clear();
    FormPaint();
    g.LineInProgress = 1;
    canvas().setPenColor(QColor(BoardColors::Player));
    canvas().setPenWidth(3);
    // Once every slot is used, each further line replaces the last one.
    if (g.DrawnIndex > LineTable::Slots) g.DrawnIndex = LineTable::Slots;
    const int slot = g.DrawnIndex;
    g.DrawnLines.X1[slot] = snapToGrid(x, g.CellW, g.Range);
    g.DrawnLines.Y1[slot] = snapToGrid(y, g.CellH, g.Range);
    g.RubberX = g.DrawnLines.X1[slot] * g.CellW;
    g.RubberY = g.DrawnLines.Y1[slot] * g.CellH;
    describeBoard();
    playCue(Cue::LineStart);
}

void Form1::PaintBMouseMove(Qt::KeyboardModifiers, int x, int y) {
    if (g.Phase != PhaseAnswering || g.FirstClick != 0) return;
    drawRubberBand(canvas(), g); // erases the old band
    g.RubberX = x;
    g.RubberY = y;
    drawRubberBand(canvas(), g);
    PaintB->showChanges();
}

void Form1::PaintBMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
    if (g.Phase != PhaseAnswering) return;
    // Only the release of the second press completes a line. The release of the first
    // press is ignored, and so is a release whose press came before the answering time.
    if (g.FirstClick == 0 || g.LineInProgress != 1) return;

    const int slot = g.DrawnIndex;
    g.DrawnLines.X2[slot] = snapToGrid(x, g.CellW, g.Range);
    g.DrawnLines.Y2[slot] = snapToGrid(y, g.CellH, g.Range);
    g.LineInProgress = 0;
    drawRubberBand(canvas(), g); // erases it
    g.RubberX = x;
    g.RubberY = y;
    canvas().setPenMode(Canvas::PenMode::Copy);
    canvas().setPenColor(QColor(BoardColors::Player));
    drawGridLine(canvas(), gridOf(g), g.DrawnLines, slot);
    PaintB->showChanges();
    g.DrawnIndex += 1;
    CheckArray();
    describeBoard();
    playCue(Cue::LineEnd);
}

void Form1::playCue(Cue cue) {
    MP.play(cue, g.AppDir);
}
