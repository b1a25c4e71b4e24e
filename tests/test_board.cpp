#include "TestMain.h"

#include "board/BoardDrawing.h"

namespace {

constexpr int Side = 618; // the board on a 1024x768 screen

GameState boardState(int range) {
    GameState g;
    g.Range = range;
    g.CellW = Side / (range + 1);
    g.CellH = Side / (range + 1);
    return g;
}

Canvas boardCanvas() {
    Canvas c;
    c.resize(Side, Side);
    return c;
}

QRgb at(const Canvas &c, int x, int y) {
    return c.image().pixel(x, y) & 0xFFFFFF;
}

void setLine(LineTable &t, int slot, int x1, int y1, int x2, int y2) {
    t.X1[slot] = x1;
    t.Y1[slot] = y1;
    t.X2[slot] = x2;
    t.Y2[slot] = y2;
}

} // namespace

class TestBoard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clearDrawsOneDotPerGridPoint_data() {
        QTest::addColumn<int>("range");
        QTest::newRow("Range 3") << 3;
        QTest::newRow("Range 10") << 10;
    }

    void clearDrawsOneDotPerGridPoint() {
        QFETCH(int, range);
        GameState g = boardState(range);
        Canvas c = boardCanvas();
        Clear(c, g);

        // Black pixels away from the frame are the dots, four to a dot.
        int black = 0;
        for (int y = 4; y < Side - 4; ++y)
            for (int x = 4; x < Side - 4; ++x)
                black += at(c, x, y) == 0;
        QCOMPARE(black, 4 * range * range);

        // Each dot covers the 2x2 pixels one to the right of and below its grid point.
        for (int gx = 1; gx <= range; ++gx) {
            for (int gy = 1; gy <= range; ++gy) {
                const int px = gx * g.CellW, py = gy * g.CellH;
                QCOMPARE(at(c, px + 1, py + 1), 0u);
                QCOMPARE(at(c, px + 2, py + 2), 0u);
                QCOMPARE(at(c, px, py), BoardColors::Background & 0xFFFFFF);
                QCOMPARE(at(c, px + 3, py + 3), BoardColors::Background & 0xFFFFFF);
            }
        }
        QCOMPARE(c.penWidth(), 6);
        QCOMPARE(c.penColor(), QColor(Qt::black));
    }

    void clearDrawsFrameAndBackground() {
        GameState g = boardState(3);
        Canvas c = boardCanvas();
        Clear(c, g);
        const QRgb background = BoardColors::Background & 0xFFFFFF;
        QCOMPARE(at(c, Side / 2 + 20, Side / 2 + 20), background);
        // About three pixels of the six-pixel frame fall inside the board, on every side.
        for (int inset : {0, 1, 2}) {
            QCOMPARE(at(c, inset, Side / 2), 0u);
            QCOMPARE(at(c, Side - 1 - inset, Side / 2), 0u);
            QCOMPARE(at(c, Side / 2, inset), 0u);
            QCOMPARE(at(c, Side / 2, Side - 1 - inset), 0u);
        }
        QCOMPARE(at(c, 5, Side / 2), background);
        QCOMPARE(at(c, Side - 6, Side / 2), background);
    }

    void formPaintShowsWhatEachPhaseShows_data() {
        QTest::addColumn<int>("phase");
        QTest::addColumn<QRgb>("taskColor");   // on the task line alone
        QTest::addColumn<QRgb>("playerColor"); // on the player's line alone
        QTest::addColumn<QRgb>("sharedColor"); // where both lie
        const QRgb bg = BoardColors::Background & 0xFFFFFF;
        const QRgb blue = 0x0000FF, red = 0xFF0000, orange = 0xFFCC99;
        QTest::newRow("showing") << int(PhaseShowing) << blue << bg << blue;
        QTest::newRow("answering") << int(PhaseAnswering) << bg << orange << orange;
        QTest::newRow("idle") << int(PhaseIdle) << red << orange << orange;
    }

    void formPaintShowsWhatEachPhaseShows() {
        QFETCH(int, phase);
        QFETCH(QRgb, taskColor);
        QFETCH(QRgb, playerColor);
        QFETCH(QRgb, sharedColor);

        GameState g = boardState(3); // points at 154, 308, 462
        g.Phase = phase;
        setLine(g.TaskLines, 1, 1, 1, 3, 1);  // top row, task only
        setLine(g.TaskLines, 2, 1, 3, 3, 3);  // bottom row, both
        setLine(g.DrawnLines, 1, 1, 2, 3, 2); // middle row, player only
        setLine(g.DrawnLines, 2, 3, 3, 1, 3);
        g.RubberX = 77;
        g.RubberY = 88;
        Canvas c = boardCanvas();
        FormPaint(c, g);

        QCOMPARE(at(c, 231, 154), taskColor);
        QCOMPARE(at(c, 231, 308), playerColor);
        QCOMPARE(at(c, 231, 462), sharedColor);
        // Lines are three pixels wide.
        QCOMPARE(at(c, 231, 153), taskColor);
        QCOMPARE(at(c, 231, 155), taskColor);
        QCOMPARE(at(c, 231, 157), BoardColors::Background & 0xFFFFFF);
        QCOMPARE(c.penWidth(), 3);
        QCOMPARE(g.RubberX, 0);
        QCOMPARE(g.RubberY, 0);
    }

    void emptyAndHalfEnteredSlotsDrawNothing() {
        GameState g = boardState(3);
        g.Phase = PhaseIdle;
        // A line being entered has its start point only.
        g.DrawnLines.X1[1] = 2;
        g.DrawnLines.Y1[1] = 2;
        Canvas painted = boardCanvas();
        FormPaint(painted, g);
        Canvas cleared = boardCanvas();
        Clear(cleared, g);
        QCOMPARE(painted.image(), cleared.image());
    }

    void invertModeRestoresPixelsWhenDrawnTwice() {
        GameState g = boardState(3);
        Canvas c = boardCanvas();
        FormPaint(c, g);
        const QImage before = c.image();
        c.setPenMode(Canvas::PenMode::Invert);
        c.setPenWidth(3);
        c.moveTo(154, 154);
        c.lineTo(400, 300);
        QCOMPARE(at(c, 154, 154), ~0u & 0xFFFFFF & ~(BoardColors::Background & 0xFFFFFF));
        QVERIFY(c.image() != before);
        c.moveTo(154, 154);
        c.lineTo(400, 300);
        QCOMPARE(c.image(), before);
    }
};

TESSARIN_TEST_MAIN(TestBoard)
#include "test_board.moc"
