#include "TestMain.h"

#include "analysis/LineDecomposition.h"
#include "analysis/LineDeduplication.h"
#include "analysis/Scoring.h"
#include "board/Form1.h"
#include "game/GameError.h"
#include "game/Startup.h"

namespace {

struct Segment {
    int x1, y1, x2, y2;
};

using Segments = QList<Segment>;

constexpr int Side = 618; // the board on a 1024x768 screen
constexpr QRgb PlayerRgb = BoardColors::Player & 0xFFFFFF;
constexpr QRgb BackgroundRgb = BoardColors::Background & 0xFFFFFF;

void setSlot(LineTable &t, int slot, const Segment &s) {
    t.X1[slot] = s.x1;
    t.Y1[slot] = s.y1;
    t.X2[slot] = s.x2;
    t.Y2[slot] = s.y2;
}

Segment slotOf(const LineTable &t, int slot) {
    return {t.X1[slot], t.Y1[slot], t.X2[slot], t.Y2[slot]};
}

bool operator==(const Segment &a, const Segment &b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

GameState boardState(int range) {
    GameState g;
    g.Range = range;
    g.CellW = Side / (range + 1);
    g.CellH = Side / (range + 1);
    g.Phase = PhaseAnswering;
    g.DrawnIndex = 1;
    return g;
}

Canvas clearedCanvas(const GameState &g) {
    Canvas c;
    c.resize(Side, Side);
    Clear(c, g);
    return c;
}

// What the mouse entry does with a completed line before the duplicate check: store
// it, draw it 3 wide in the player's colour and advance DrawnIndex.
void storeLine(GameState &g, Canvas &c, const Segment &s) {
    setSlot(g.DrawnLines, g.DrawnIndex, s);
    c.setPenColor(QColor(BoardColors::Player));
    c.setPenWidth(3);
    c.setPenMode(Canvas::PenMode::Copy);
    drawGridLine(c, g, g.DrawnLines, g.DrawnIndex);
    ++g.DrawnIndex;
}

bool enterLine(GameState &g, Canvas &c, const Segment &s) {
    storeLine(g, c, s);
    return CheckArray(g, c);
}

// The run of player-coloured pixels crossing column x around row y.
int playerPixelsAcross(const Canvas &c, int x, int y) {
    int count = 0;
    for (int dy = -8; dy <= 8; ++dy)
        count += (c.image().pixel(x, y + dy) & 0xFFFFFF) == PlayerRgb;
    return count;
}

// A game state whose level table holds the defaults, for scoring.
GameState scoringState(int level, int maximum, int pro1, int pro2) {
    GameState g;
    g.levels.load(LevelTable::DefaultLiniyLevel, LevelTable::DefaultRangeLevel);
    g.Level = level;
    g.Range = 99;
    g.LineCount = 77;
    g.CellW = 40;
    g.Pro1.setMaximum(maximum);
    g.Pro2.setMaximum(maximum);
    g.Pro1.setPosition(pro1);
    g.Pro2.setPosition(pro2);
    return g;
}

// Task entries 1..matched+missed and drawn entries 1..matched, all distinct points.
void setTraces(GameState &g, int matched, int missed) {
    g.TaskTrace = Trace{};
    g.DrawnTrace = Trace{};
    for (int n = 1; n <= matched + missed; ++n) {
        g.TaskTrace.A[n] = n;
        g.TaskTrace.B[n] = 1000 - n;
    }
    for (int n = 1; n <= matched; ++n) {
        g.DrawnTrace.A[Trace::Kept + 1 - n] = n;
        g.DrawnTrace.B[Trace::Kept + 1 - n] = 1000 - n;
    }
}

void decomposeInto(GameState &g, const LineTable &lines, Trace &trace) {
    M_A_Rxy(g, lines);
    trace = g.TraceWork;
}

} // namespace

Q_DECLARE_METATYPE(Segment)
Q_DECLARE_METATYPE(Segments)

class TestScoring : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void checkArrayTakesBackRepeatedLines_data() {
        QTest::addColumn<Segments>("entered");
        QTest::addColumn<bool>("lastRemoved");
        QTest::addColumn<Segments>("expectedSlots");

        const Segment line{2, 3, 5, 1}, reversed{5, 1, 2, 3}, none{0, 0, 0, 0};
        QTest::newRow("reversed") << Segments{line, reversed} << true << Segments{none, none};
        QTest::newRow("same direction") << Segments{line, line} << true << Segments{none, none};
        QTest::newRow("different end point")
            << Segments{line, {2, 3, 5, 2}} << false << Segments{line, {2, 3, 5, 2}};
        QTest::newRow("zero length twice")
            << Segments{{4, 4, 4, 4}, {4, 4, 4, 4}} << true << Segments{none, none};
        QTest::newRow("zero length once") << Segments{{4, 4, 4, 4}} << false << Segments{{4, 4, 4, 4}};
        QTest::newRow("third time present again")
            << Segments{line, reversed, line} << false << Segments{none, none, line};
        QTest::newRow("among other lines")
            << Segments{{1, 1, 2, 2}, line, {3, 3, 4, 1}, reversed, {1, 4, 4, 4}} << false
            << Segments{{1, 1, 2, 2}, none, {3, 3, 4, 1}, none, {1, 4, 4, 4}};
    }

    void checkArrayTakesBackRepeatedLines() {
        QFETCH(Segments, entered);
        QFETCH(bool, lastRemoved);
        QFETCH(Segments, expectedSlots);
        GameState g = boardState(5);
        Canvas c = clearedCanvas(g);
        bool removed = false;
        for (const Segment &s : entered)
            removed = enterLine(g, c, s);
        QCOMPARE(removed, lastRemoved);
        QCOMPARE(g.DrawnIndex, int(entered.size()) + 1);
        for (int slot = 1; slot <= LineTable::Slots; ++slot) {
            const Segment expected =
                slot <= expectedSlots.size() ? expectedSlots[slot - 1] : Segment{0, 0, 0, 0};
            QVERIFY2(slotOf(g.DrawnLines, slot) == expected, qPrintable(QStringLiteral("slot %1").arg(slot)));
        }
    }

    // Only slots whose eight values are all non-zero are compared.
    void checkArrayIgnoresLinesWithAZeroCoordinate() {
        GameState g = boardState(5);
        Canvas c = clearedCanvas(g);
        setSlot(g.DrawnLines, 1, {0, 3, 5, 1});
        setSlot(g.DrawnLines, 7, {0, 3, 5, 1});
        QVERIFY(!CheckArray(g, c));
        QCOMPARE(g.DrawnLines.X2[1], 5);
        QCOMPARE(g.DrawnLines.X2[7], 5);
    }

    void checkArrayLeavesTheBoardWhenNothingIsRemoved() {
        GameState g = boardState(5);
        Canvas c = clearedCanvas(g);
        enterLine(g, c, {1, 1, 4, 1});
        storeLine(g, c, {1, 3, 4, 3});
        const QImage before = c.image();
        QVERIFY(!CheckArray(g, c));
        QCOMPARE(c.image(), before);
        QCOMPARE(c.penWidth(), 3);
        // Both lines stay as the entry drew them, 3 wide.
        QCOMPARE(playerPixelsAcross(c, 200, g.CellH), 3);
        QCOMPARE(playerPixelsAcross(c, 200, 3 * g.CellH), 3);
    }

    void checkArrayRedrawsTheRestSixWide() {
        GameState g = boardState(5);
        Canvas c = clearedCanvas(g);
        enterLine(g, c, {1, 1, 4, 1});
        enterLine(g, c, {1, 3, 4, 3});
        enterLine(g, c, {2, 5, 2, 2});
        QVERIFY(enterLine(g, c, {4, 3, 1, 3}));

        QCOMPARE(c.penColor(), QColor(BoardColors::Player));
        QCOMPARE(c.penWidth(), 6);
        QCOMPARE(c.penMode(), Canvas::PenMode::Copy);
        // The lines left are drawn again 6 wide; the removed one is gone.
        QCOMPARE(playerPixelsAcross(c, 300, g.CellH), 6);
        for (int dy = -4; dy <= 4; ++dy)
            QCOMPARE(c.image().pixel(300, 3 * g.CellH + dy) & 0xFFFFFF, BackgroundRgb);
        int across = 0;
        for (int dx = -8; dx <= 8; ++dx)
            across += (c.image().pixel(2 * g.CellW + dx, 350) & 0xFFFFFF) == PlayerRgb;
        QCOMPARE(across, 6);
        // Grid dots and the frame are back.
        QCOMPARE(c.image().pixel(5 * g.CellW + 1, 5 * g.CellH + 1) & 0xFFFFFF, 0u);
        QCOMPARE(c.image().pixel(1, Side / 2) & 0xFFFFFF, 0u);
    }

    // The redraw takes a slot as a line when its start point's two values are non-zero.
    void checkArrayRedrawsSlotsWithAStartPoint() {
        GameState g = boardState(5);
        Canvas c = clearedCanvas(g);
        setSlot(g.DrawnLines, 1, {0, 2, 4, 2});
        setSlot(g.DrawnLines, 2, {2, 4, 0, 4});
        g.DrawnIndex = 3;
        enterLine(g, c, {1, 1, 2, 1});
        QVERIFY(enterLine(g, c, {2, 1, 1, 1}));
        QCOMPARE(c.image().pixel(g.CellW * 5 / 2, 2 * g.CellH) & 0xFFFFFF, BackgroundRgb);
        QCOMPARE(c.image().pixel(g.CellW, 4 * g.CellH) & 0xFFFFFF, PlayerRgb);
    }

    void checkArrayKeepsDrawnIndex() {
        GameState g = boardState(5);
        Canvas c = clearedCanvas(g);
        enterLine(g, c, {1, 1, 2, 1});
        enterLine(g, c, {1, 2, 3, 2});
        enterLine(g, c, {1, 3, 4, 3});
        QCOMPARE(g.DrawnIndex, 4);
        QVERIFY(enterLine(g, c, {3, 2, 1, 2}));
        QCOMPARE(g.DrawnIndex, 5);
        QVERIFY(g.DrawnLines.isEmpty(2));
        QVERIFY(g.DrawnLines.isEmpty(4));
        QCOMPARE(slotOf(g.DrawnLines, 3), (Segment{1, 3, 4, 3}));
    }

    // A task of (1,1)-(2,1) has 6 sample points; an empty drawing misses all of them.
    void emptyDrawingCostsEveryTaskPoint() {
        GameState g = scoringState(5, 1000, 0, 1000);
        g.LineCount = 1;
        LineTable task;
        setSlot(task, 1, {1, 1, 2, 1});
        decomposeInto(g, task, g.TaskTrace);
        decomposeInto(g, LineTable{}, g.DrawnTrace);

        const TraceScore score = scoreTraces(g.TaskTrace, g.DrawnTrace);
        QCOMPARE(score.matched, 0);
        QCOMPARE(score.penalty, 24);
        HowMuchErrors(g);
        QCOMPARE(g.Pro1.position(), 0);
        QCOMPARE(g.Pro2.position(), 976);
    }

    // Only slots 1..LineCount of the drawing are decomposed.
    void drawingOrderDecidesWhichLinesCount_data() {
        QTest::addColumn<int>("cellW");
        QTest::addColumn<Segments>("drawn");
        QTest::addColumn<int>("matched");
        QTest::addColumn<int>("penalty");
        const Segment t1{1, 1, 3, 1}, t2{1, 3, 3, 3}, t3{1, 5, 4, 5}, extra{5, 1, 5, 4};
        for (int cellW : {40, 20}) {
            const QByteArray w = ", CellW " + QByteArray::number(cellW);
            QTest::newRow("task lines first" + w) << cellW << Segments{t1, t2, t3, extra} << 38 << 0;
            QTest::newRow("task lines alone" + w) << cellW << Segments{t1, t2, t3} << 38 << 0;
            QTest::newRow("extra line first" + w) << cellW << Segments{extra, t1, t2, t3} << 22 << 64;
        }
    }

    void drawingOrderDecidesWhichLinesCount() {
        QFETCH(int, cellW);
        QFETCH(Segments, drawn);
        QFETCH(int, matched);
        QFETCH(int, penalty);
        GameState g = scoringState(5, 1000, 0, 1000);
        g.LineCount = 3;
        g.CellW = cellW;
        LineTable task, drawing;
        setSlot(task, 1, {1, 1, 3, 1});
        setSlot(task, 2, {1, 3, 3, 3});
        setSlot(task, 3, {1, 5, 4, 5});
        for (int i = 0; i < drawn.size(); ++i)
            setSlot(drawing, i + 1, drawn[i]);
        decomposeInto(g, task, g.TaskTrace);
        decomposeInto(g, drawing, g.DrawnTrace);

        HowMuchErrors(g);
        QCOMPARE(g.Pro1.position(), matched);
        QCOMPARE(g.Pro2.position(), 1000 - penalty);
    }

    void barsAndLevel_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("pro1");
        QTest::addColumn<int>("pro2");
        QTest::addColumn<int>("matched");
        QTest::addColumn<int>("missed");
        QTest::addColumn<int>("expectedLevel");
        QTest::addColumn<int>("expectedPro1");
        QTest::addColumn<int>("expectedPro2");
        // All with a maximum of 150.
        QTest::newRow("no change") << 5 << 10 << 100 << 7 << 2 << 5 << 17 << 92;
        QTest::newRow("140 + 12 fills Pro1") << 5 << 140 << 150 << 12 << 5 << 6 << 0 << 150;
        QTest::newRow("138 + 12 reaches the maximum") << 5 << 138 << 100 << 12 << 0 << 6 << 0 << 150;
        QTest::newRow("139 + 10 stays below") << 5 << 139 << 100 << 10 << 0 << 5 << 149 << 100;
        QTest::newRow("fill and empty at once only raises") << 5 << 149 << 4 << 1 << 3 << 6 << 0 << 150;
        QTest::newRow("top level stays 15") << 15 << 149 << 50 << 1 << 0 << 15 << 0 << 150;
        QTest::newRow("bottom level stays 1") << 1 << 20 << 4 << 0 << 1 << 1 << 0 << 150;
        QTest::newRow("above 15, full Pro1 sets 15") << 17 << 149 << 50 << 1 << 0 << 15 << 0 << 150;
        QTest::newRow("above 15, empty Pro2 lowers by one") << 17 << 20 << 4 << 0 << 1 << 16 << 0 << 150;
        QTest::newRow("Pro2 10 minus 12 lowers") << 5 << 20 << 10 << 0 << 3 << 4 << 0 << 150;
        QTest::newRow("Pro2 left at 1 keeps the level") << 5 << 20 << 13 << 0 << 3 << 5 << 20 << 1;
        QTest::newRow("empty drawing on an empty task") << 5 << 20 << 30 << 0 << 0 << 5 << 20 << 30;
        QTest::newRow("1000 points at most") << 5 << 0 << 150 << 1200 << 0 << 6 << 0 << 150;
    }

    void barsAndLevel() {
        QFETCH(int, level);
        QFETCH(int, pro1);
        QFETCH(int, pro2);
        QFETCH(int, matched);
        QFETCH(int, missed);
        QFETCH(int, expectedLevel);
        QFETCH(int, expectedPro1);
        QFETCH(int, expectedPro2);
        GameState g = scoringState(level, 150, pro1, pro2);
        setTraces(g, std::min(matched, Trace::Kept), missed);

        HowMuchErrors(g);
        QCOMPARE(g.Level, expectedLevel);
        QCOMPARE(g.Pro1.position(), expectedPro1);
        QCOMPARE(g.Pro2.position(), expectedPro2);
        QCOMPARE(g.Pro1.maximum(), 150);
        // Range and LineCount are read again for the level now in force, changed or not.
        QCOMPARE(g.Range, g.levels.lookup(expectedLevel, LevelTable::RangeRow));
        QCOMPARE(g.LineCount, g.levels.lookup(expectedLevel, LevelTable::LineCountRow));
    }

    void only1000EntriesCount() {
        GameState g = scoringState(5, 5000, 0, 5000);
        setTraces(g, 0, 0);
        for (int n = 1; n <= Trace::Capacity; ++n) {
            g.TaskTrace.A[n] = n;
            g.TaskTrace.B[n] = n;
        }
        g.DrawnTrace = g.TaskTrace;
        g.DrawnTrace.A[1] = 5000; // the task's first point is drawn only past entry 1000
        g.DrawnTrace.A[1001] = 1;
        g.DrawnTrace.B[1001] = 1;
        const TraceScore score = scoreTraces(g.TaskTrace, g.DrawnTrace);
        QCOMPARE(score.matched, 999);
        QCOMPARE(score.penalty, 4);
    }

    // An entry whose A is 0 is empty, whatever its B.
    void emptyEntriesNeitherMatchNorCost() {
        GameState g = scoringState(5, 150, 0, 150);
        setTraces(g, 0, 0);
        g.TaskTrace.B[1] = 7;
        g.DrawnTrace.B[1] = 7;
        g.TaskTrace.A[2] = 3;
        g.TaskTrace.B[2] = 4;
        g.DrawnTrace.A[9] = 3;
        g.DrawnTrace.B[9] = 4;
        g.DrawnTrace.A[10] = 8;
        g.DrawnTrace.B[10] = 8;
        const TraceScore score = scoreTraces(g.TaskTrace, g.DrawnTrace);
        QCOMPARE(score.matched, 1);
        QCOMPARE(score.penalty, 0);
    }

    void reReadsEditedLevelCells() {
        GameState g = scoringState(5, 150, 0, 150);
        g.levels.setCell(5, LevelTable::RangeRow, QStringLiteral("12"));
        g.levels.setCell(5, LevelTable::LineCountRow, QStringLiteral(" 9"));
        setTraces(g, 3, 1);
        HowMuchErrors(g);
        QCOMPARE(g.Level, 5);
        QCOMPARE(g.Range, 12);
        QCOMPARE(g.LineCount, 9);
    }

    void failingLookupKeepsThePartialState_data() {
        QTest::addColumn<int>("badRow");
        QTest::addColumn<QString>("cellText");
        QTest::addColumn<int>("expectedRange");
        QTest::addColumn<int>("expectedLineCount");
        QTest::newRow("Range cell") << int(LevelTable::RangeRow) << QStringLiteral("x") << 99 << 77;
        QTest::newRow("LineCount cell") << int(LevelTable::LineCountRow) << QStringLiteral("") << 4 << 77;
    }

    void failingLookupKeepsThePartialState() {
        QFETCH(int, badRow);
        QFETCH(QString, cellText);
        QFETCH(int, expectedRange);
        QFETCH(int, expectedLineCount);
        GameState g = scoringState(4, 150, 140, 150);
        g.levels.setCell(5, badRow, cellText);
        setTraces(g, 12, 2);

        try {
            HowMuchErrors(g);
            QFAIL("the lookup did not fail");
        } catch (const GameError &e) {
            QCOMPARE(e.text(), QStringLiteral("'%1' is not a valid integer value").arg(cellText));
        }
        QCOMPARE(g.Level, 5);
        QCOMPARE(g.Pro1.position(), 0);
        QCOMPARE(g.Pro2.position(), 150);
        QCOMPARE(g.Range, expectedRange);
        QCOMPARE(g.LineCount, expectedLineCount);
    }

    // The main window's bars follow the state even when the check stops at a bad cell.
    void windowShowsTheBarsWhenTheLookupFails() {
        GameState g;
        Game game(g);
        Form1 &w = game.form1();
        g.levels.setCell(g.Level, LevelTable::RangeRow, QStringLiteral("?"));
        g.Pro1.setMaximum(150);
        g.Pro2.setMaximum(150);
        g.Pro1.setPosition(0);
        g.Pro2.setPosition(150);
        setTraces(g, 5, 3);
        QVERIFY_THROWS_EXCEPTION(GameError, w.HowMuchErrors());
        QCOMPARE(w.Pro1->value(), 5);
        QCOMPARE(w.Pro2->value(), 138);
    }

    void windowRedrawsAfterARemoval() {
        GameState g;
        Game game(g);
        Form1 &w = game.form1();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        g.Phase = PhaseAnswering;
        setSlot(g.DrawnLines, 1, {1, 1, 2, 1});
        setSlot(g.DrawnLines, 2, {2, 1, 1, 1});
        setSlot(g.DrawnLines, 3, {1, 2, 2, 2});
        w.CheckArray();
        QVERIFY(g.DrawnLines.isEmpty(1));
        const Canvas &c = w.canvas();
        int across = 0;
        for (int dy = -8; dy <= 8; ++dy)
            across += (c.image().pixel(g.CellW * 3 / 2, 2 * g.CellH + dy) & 0xFFFFFF) == PlayerRgb;
        QCOMPARE(across, 6);
    }
};

TESSARIN_TEST_MAIN(TestScoring)
#include "test_scoring.moc"
