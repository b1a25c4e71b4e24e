// Benchmarks of the board: a full repaint of a level-15 task with a drawing over it,
// at the board size of a small and of a large screen.
#include "TestMain.h"

#include "board/BoardDrawing.h"
#include "game/TaskGeneration.h"

namespace {

constexpr int HighestLevel = 15;

// A level-15 task after Check on a screen `screenHeight` pixels high: the task in red,
// a drawing of as many lines over it, partly the task's own lines.
GameState checkedLevel15Board(int screenHeight) {
    GameState g;
    g.levels.load(LevelTable::DefaultLiniyLevel, LevelTable::DefaultRangeLevel);
    g.Level = HighestLevel;
    g.Range = g.levels.lookup(g.Level, LevelTable::RangeRow);
    g.LineCount = g.levels.lookup(g.Level, LevelTable::LineCountRow);
    const int side = screenHeight - 150;
    g.CellW = side / (g.Range + 1);
    g.CellH = g.CellW;
    Random random;
    random.seed(HighestLevel);
    drawTaskLines(g.TaskLines, g.Range, g.LineCount, random);
    drawTaskLines(g.DrawnLines, g.Range, g.LineCount, random);
    for (int i = 1; i <= g.LineCount; i += 2) {
        g.DrawnLines.X1[i] = g.TaskLines.X1[i];
        g.DrawnLines.Y1[i] = g.TaskLines.Y1[i];
        g.DrawnLines.X2[i] = g.TaskLines.X2[i];
        g.DrawnLines.Y2[i] = g.TaskLines.Y2[i];
    }
    g.Phase = PhaseIdle; // the phase that draws both tables
    return g;
}

} // namespace

class BenchBoard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formPaint_data() {
        QTest::addColumn<int>("screenHeight");
        QTest::newRow("1024x768") << 768;
        QTest::newRow("3840x2160") << 2160;
    }

    void formPaint() {
        QFETCH(int, screenHeight);
        GameState g = checkedLevel15Board(screenHeight);
        Canvas canvas;
        canvas.resize(screenHeight - 150, screenHeight - 150);
        QBENCHMARK {
            FormPaint(canvas, g);
        }
    }
};

TESSARIN_TEST_MAIN(BenchBoard)
#include "bench_board.moc"
