// Benchmarks of a full repaint of the board after Check at level 15 (the task in red and
// a drawing over it, every other line the task's own; idle, the phase that draws both),
// on a small and on a large screen, and on the large one at 200 %.
#include "PlayingTheGame.h"

#include "board/BoardDrawing.h"
#include "game/TaskGeneration.h"

class BenchBoard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formPaint_data() {
        QTest::addColumn<int>("screenHeight"); // in logical pixels
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("1024x768") << 768 << 1.0;
        QTest::newRow("3840x2160") << 2160 << 1.0;
        QTest::newRow("3840x2160 at 200 %") << 1080 << 2.0;
    }

    void formPaint() {
        QFETCH(int, screenHeight);
        QFETCH(qreal, ratio);
        const int side = screenHeight - 150;
        GameState g;
        g.levels.load(LevelTable::DefaultLiniyLevel, LevelTable::DefaultRangeLevel);
        g.Level = 15;
        g.Range = g.levels.lookup(g.Level, LevelTable::RangeRow);
        g.LineCount = g.levels.lookup(g.Level, LevelTable::LineCountRow);
        g.CellW = g.CellH = side / (g.Range + 1);
        Random random;
        random.seed(15);
        drawTaskLines(g.TaskLines, g.Range, g.LineCount, random);
        drawTaskLines(g.DrawnLines, g.Range, g.LineCount, random);
        for (int i = 1; i <= g.LineCount; i += 2)
            for (auto end : {&LineTable::X1, &LineTable::Y1, &LineTable::X2, &LineTable::Y2})
                (g.DrawnLines.*end)[i] = (g.TaskLines.*end)[i];
        Canvas canvas;
        canvas.resize(side, side, ratio);
        QBENCHMARK {
            drawBoard(canvas, gridOf(g), g.Phase, g.TaskLines, g.DrawnLines);
        }
    }
};

TESSARIN_TEST_MAIN(BenchBoard)
#include "bench_board.moc"
