#include "LineTables.h"
#include "TestMain.h"

#include "analysis/LineDecomposition.h"
#include "analysis/Scoring.h"
#include "board/BoardDrawing.h"
#include "board/Form1.h"
#include "game/GameError.h"
#include "game/Startup.h"

namespace {

// Level l's cells read Range 20 + l and LineCount 40 + l, so that every re-read shows.
GameState scoringState(int level, int maximum, int pro1, int pro2) {
    GameState g;
    for (int l = 1; l <= LevelTable::LoadedLevels; ++l) {
        g.levels.setCell(l, LevelTable::RangeRow, QString::number(20 + l));
        g.levels.setCell(l, LevelTable::LineCountRow, QString::number(40 + l));
    }
    g.Level = level;
    g.Range = 99;
    g.LineCount = 77;
    g.Pro1.setMaximum(maximum);
    g.Pro2.setMaximum(maximum);
    g.Pro1.setPosition(pro1);
    g.Pro2.setPosition(pro2);
    return g;
}

// Task entries 1..matched + missed; the drawing holds the first `matched`, last entry first.
void setTraces(GameState &g, int matched, int missed) {
    g.TaskTrace = g.DrawnTrace = Trace{};
    for (int n = 1; n <= matched + missed; ++n)
        g.TaskTrace.A[n] = g.TaskTrace.B[n] = n;
    for (int n = 1; n <= matched; ++n)
        g.DrawnTrace.A[Trace::Kept + 1 - n] = g.DrawnTrace.B[Trace::Kept + 1 - n] = n;
}

} // namespace

class TestScoring : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // One pass removes every pair of slots with the same line, either way round, on the board
    // of the main window; slots with a zero value are never compared.
    void checkArrayTakesBackRepeatedLines() {
        GameState g;
        Game game(g);
        Form1 &w = game.form1();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QLine slanted(1, 2, 3, 1), along(1, 1, 3, 1), dot(2, 2, 2, 2), open(0, 3, 3, 3);
        const QList<QLine> stay{QLine(1, 2, 3, 3), open, open, QLine(1, 3, 0, 3), QLine(3, 3, 3, 3),
                                QLine(2, 1, 2, 3)};
        g.DrawnLines = tableOf(QList{slanted, along, dot, QLine(3, 1, 1, 2), along, dot} + stay);
        g.DrawnIndex = 13;
        w.FormPaint(); // lines 3 wide
        w.CheckArray();
        const LineTable left = tableOf(QList<QLine>(6) + stay);
        QVERIFY(g.DrawnLines.X1 == left.X1 && g.DrawnLines.Y1 == left.Y1 && g.DrawnLines.X2 == left.X2 &&
                g.DrawnLines.Y2 == left.Y2);
        QCOMPARE(g.DrawnIndex, 13);
        const int cw = g.CellW, ch = g.CellH;
        auto across = [&](int x, int y, bool down) { // player pixels on 17 around (x, y)
            int count = 0;
            for (int d = -8; d <= 8; ++d)
                count += (w.canvas().image().pixel(down ? x : x + d, down ? y + d : y) & 0xFFFFFF) ==
                         (BoardColors::Player & 0xFFFFFF);
            return count;
        };
        QCOMPARE(across(2 * cw, 3 * ch / 2, false), 6); // kept lines are drawn again 6 wide
        QCOMPARE(across(cw / 2, 3 * ch, true), 6);      // also a slot whose end point is missing
        QCOMPARE(across(5 * cw / 2, 3 * ch, true), 0);  // but not one whose start point is
        QCOMPARE(across(5 * cw / 2, ch, true), 0);      // removed
        // Nothing to remove: the board stays as it is.
        w.FormPaint();
        const QImage before = w.canvas().image();
        w.CheckArray();
        QCOMPARE(w.canvas().image(), before);
    }

    // Only slots 1..LineCount of the drawing are decomposed.
    void scoreOfADrawing_data() {
        QTest::addColumn<QList<QLine>>("task");
        QTest::addColumn<QList<QLine>>("drawn");
        QTest::addColumn<int>("matched");
        QTest::addColumn<int>("penalty");
        const QLine t1(1, 1, 3, 1), t2(1, 3, 3, 3), t3(1, 5, 4, 5), extra(5, 1, 5, 4);
        QTest::newRow("empty drawing") << QList{QLine(1, 1, 2, 1)} << QList<QLine>{} << 0 << 24;
        QTest::newRow("task lines first") << QList{t1, t2, t3} << QList{t1, t2, t3, extra} << 38 << 0;
        QTest::newRow("extra line first") << QList{t1, t2, t3} << QList{extra, t1, t2, t3} << 22 << 64;
    }

    void scoreOfADrawing() {
        QFETCH(QList<QLine>, task);
        QFETCH(QList<QLine>, drawn);
        QFETCH(int, matched);
        QFETCH(int, penalty);
        GameState g = scoringState(5, 1000, 0, 1000);
        g.LineCount = int(task.size());
        g.CellW = 40;
        M_A_Rxy(g, tableOf(task));
        g.TaskTrace = g.TraceWork;
        M_A_Rxy(g, tableOf(drawn));
        g.DrawnTrace = g.TraceWork;
        HowMuchErrors(g);
        QCOMPARE(g.Pro1.position(), matched);
        QCOMPARE(g.Pro2.position(), 1000 - penalty);
    }

    // Level, Pro1 and Pro2 before and after a check, with a maximum of 150.
    void barsAndLevel_data() {
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<int>("matched");
        QTest::addColumn<int>("missed");
        QTest::addColumn<QList<int>>("after");
        QTest::newRow("no change") << QList{5, 10, 100} << 7 << 2 << QList{5, 17, 92};
        QTest::newRow("140 + 12 fills Pro1") << QList{5, 140, 150} << 12 << 5 << QList{6, 0, 150};
        QTest::newRow("fill and empty at once only raises") << QList{5, 149, 4} << 1 << 3 << QList{6, 0, 150};
        QTest::newRow("top level stays 15") << QList{15, 149, 50} << 1 << 0 << QList{15, 0, 150};
        QTest::newRow("bottom level stays 1") << QList{1, 20, 4} << 0 << 1 << QList{1, 0, 150};
        QTest::newRow("above 15, full Pro1 sets 15") << QList{17, 149, 50} << 1 << 0 << QList{15, 0, 150};
        QTest::newRow("above 15, empty Pro2 lowers") << QList{17, 20, 4} << 0 << 1 << QList{16, 0, 150};
        QTest::newRow("Pro2 10 minus 12 lowers") << QList{5, 20, 10} << 0 << 3 << QList{4, 0, 150};
        QTest::newRow("Pro2 left at 1 keeps the level") << QList{5, 20, 13} << 0 << 3 << QList{5, 20, 1};
    }

    void barsAndLevel() {
        QFETCH(QList<int>, before);
        QFETCH(int, matched);
        QFETCH(int, missed);
        QFETCH(QList<int>, after);
        GameState g = scoringState(before[0], 150, before[1], before[2]);
        setTraces(g, matched, missed);
        HowMuchErrors(g);
        QCOMPARE((QList<int>{g.Level, g.Pro1.position(), g.Pro2.position()}), after);
        QCOMPARE(g.Range, 20 + g.Level); // read again, changed or not
        QCOMPARE(g.LineCount, 40 + g.Level);
    }

    // Only entries 1..1000 take part, and one whose A is 0 is empty whatever its B.
    void scoreTracesReadsKeptEntriesWithAnA() {
        Trace task, drawn;
        for (int n = 1; n <= Trace::Capacity; ++n)
            task.A[n] = task.B[n] = drawn.A[n] = drawn.B[n] = n;
        task.A[1] = drawn.A[1] = 0;
        drawn.A[2] = 5000; // the task's (2, 2) is drawn only past entry 1000
        drawn.A[1001] = drawn.B[1001] = 2;
        const TraceScore score = scoreTraces(task, drawn);
        QCOMPARE(score.matched, 998);
        QCOMPARE(score.penalty, 4);
    }

    // The level goes up from 4 to 5, then a bad cell of level 5 stops the check; the main
    // window's bars still show the new positions.
    void failingLookupKeepsThePartialState() {
        for (const auto &[badRow, cellText, range] :
             {std::tuple(LevelTable::RangeRow, QStringLiteral("x"), 99),
              std::tuple(LevelTable::LineCountRow, QString(), 25)}) {
            GameState g;
            Game game(g);
            g = scoringState(4, 150, 140, 150);
            game.form1().showScoreBars();
            g.levels.setCell(5, badRow, cellText);
            setTraces(g, 12, 2);
            QVERIFY_THROWS_EXCEPTION(GameError, game.form1().HowMuchErrors());
            QCOMPARE((QList<int>{g.Level, g.Pro1.position(), g.Pro2.position()}), (QList{5, 0, 150}));
            QCOMPARE((QList{game.form1().Pro1->value(), game.form1().Pro2->value()}), (QList{0, 150}));
            QCOMPARE(g.Range, range);
            QCOMPARE(g.LineCount, 77);
        }
    }
};

TESSARIN_TEST_MAIN(TestScoring)
#include "test_scoring.moc"
