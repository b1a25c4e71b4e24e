#include "CoreTestMain.h"
#include "LineTables.h"

#include "analysis/CheckOnState.h"
#include "game/TaskGeneration.h"

#include <memory>

namespace {

constexpr int BoardSide = 618; // the board on a 1024x768 screen

// A task and an answer as a game gives them: at level 15 a random task of the default
// table (Range 9, 10 lines), answered with every other line drawn from its other end
// and the last one wrong; as the worst table, 99 lines across a grid of 40 points per
// side, long enough to fill the whole trace, answered from the other ends.
void prepare(GameState &g, int level, int range, int lineCount) {
    g.levels.load(LevelTable::DefaultLiniyLevel, LevelTable::DefaultRangeLevel);
    g.Level = level;
    g.Range = range;
    g.LineCount = lineCount;
    g.CellW = BoardSide / (range + 1);
    g.CellH = g.CellW;
    g.Pro1.setMaximum(g.barMaximum());
    g.Pro2.setMaximum(g.barMaximum());
}

void levelFifteen(GameState &g) {
    prepare(g, 15, 9, 10);
    Random random;
    random.seed(15);
    drawTaskLines(g.TaskLines, g.Range, g.LineCount, random);
    g.DrawnLines = g.TaskLines;
    for (int i = 2; i <= g.LineCount; i += 2)
        setLine(g.DrawnLines, i,
                QLine(g.TaskLines.X2[i], g.TaskLines.Y2[i], g.TaskLines.X1[i], g.TaskLines.Y1[i]));
    setLine(g.DrawnLines, g.LineCount, QLine(1, 1, 9, 9));
}

void worstTable(GameState &g) {
    prepare(g, 15, 40, 99);
    for (int i = 1; i <= g.LineCount; ++i) {
        setLine(g.TaskLines, i, QLine(1 + i % 3, 1 + i % 5, 40 - i % 7, 40 - i % 4));
        setLine(g.DrawnLines, i, QLine(40 - i % 7, 40 - i % 4, 1 + i % 3, 1 + i % 5));
    }
}

using Setup = void (*)(GameState &);

} // namespace

Q_DECLARE_METATYPE(Setup)

class BenchScoring : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { g = std::make_unique<GameState>(); }

    void newDecomposition_data() { tables(); }

    // New: decompose the task and keep its first 1000 entries.
    void newDecomposition() {
        QFETCH(Setup, setup);
        setup(*g);
        QBENCHMARK {
            traceLines(*g, g->TaskLines);
            keepTrace(g->TraceWork, g->TaskTrace);
        }
        QFETCH(bool, fillsTrace);
        QCOMPARE(g->TraceCount == Trace::Capacity + 1, fillsTrace);
    }

    void checkScoring_data() { tables(); }

    // Check: decompose the drawing, keep its first 1000 entries and count the errors.
    void checkScoring() {
        QFETCH(Setup, setup);
        setup(*g);
        traceLines(*g, g->TaskLines);
        keepTrace(g->TraceWork, g->TaskTrace);
        const int level = g->Level, lineCount = g->LineCount;
        QBENCHMARK {
            // The error count reads the level table again; every round starts alike.
            g->Level = level;
            g->LineCount = lineCount;
            g->Pro1.setPosition(0);
            g->Pro2.setPosition(g->Pro2.maximum());
            traceLines(*g, g->DrawnLines);
            keepTrace(g->TraceWork, g->DrawnTrace);
            moveBarsAndLevel(*g);
            takeLevelSize(*g);
        }
    }

private:
    void tables() {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<bool>("fillsTrace");
        QTest::newRow("level 15") << Setup(levelFifteen) << false;
        QTest::newRow("worst table") << Setup(worstTable) << true;
    }

    std::unique_ptr<GameState> g;
};

TESSARIN_CORE_TEST_MAIN(BenchScoring)
#include "bench_scoring.moc"
