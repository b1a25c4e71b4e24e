#include "LineTables.h"
#include "TestMain.h"

#include "board/BoardDrawing.h"

namespace {

constexpr int Side = 618; // the board on a 1024x768 screen
constexpr QRgb Background = BoardColors::Background & 0xFFFFFF;

// A board of `range` points per side, its grid points Side / (range + 1) apart.
struct Board {
    BoardGrid grid;
    Canvas c;
    explicit Board(int range) : grid{range, Side / (range + 1), Side / (range + 1)} { c.resize(Side, Side); }
    QRgb at(int x, int y) const { return c.image().pixel(x, y) & 0xFFFFFF; }
};

} // namespace

class TestBoard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clearDrawsDotsFrameAndBackground_data() {
        QTest::addColumn<int>("range");
        QTest::newRow("Range 3") << 3;
        QTest::newRow("Range 10") << 10;
    }
    void clearDrawsDotsFrameAndBackground() {
        QFETCH(int, range);
        Board b(range);
        drawEmptyBoard(b.c, b.grid);
        // Black pixels away from the frame are the dots, four to a dot.
        int black = 0;
        for (int y = 4; y < Side - 4; ++y)
            for (int x = 4; x < Side - 4; ++x)
                black += b.at(x, y) == 0;
        QCOMPARE(black, 4 * range * range);
        // Each dot covers the 2x2 pixels one to the right of and below its grid point.
        for (int gx = 1; gx <= range; ++gx) {
            for (int gy = 1; gy <= range; ++gy) {
                const int px = gx * b.grid.cellW, py = gy * b.grid.cellH;
                const QList<QRgb> around = {b.at(px, py), b.at(px + 1, py + 1), b.at(px + 2, py + 2),
                                            b.at(px + 3, py + 3)};
                QCOMPARE(around, QList<QRgb>({Background, 0, 0, Background}));
            }
        }
        // About three pixels of the six-pixel frame fall inside the board, on every side.
        for (int inset : {0, 1, 2, 5}) {
            const QRgb frame = inset < 3 ? 0 : Background;
            QCOMPARE(QList<QRgb>({b.at(inset, Side / 2), b.at(Side - 1 - inset, Side / 2),
                                  b.at(Side / 2, inset), b.at(Side / 2, Side - 1 - inset)}),
                     QList<QRgb>(4, frame));
        }
        QCOMPARE(std::pair(b.c.penWidth(), b.c.penColor()), std::pair(6, QColor(Qt::black)));
    }

    void formPaintShowsWhatEachPhaseShows_data() {
        QTest::addColumn<int>("phase");
        QTest::addColumn<QRgb>("taskColor");   // on the task line alone
        QTest::addColumn<QRgb>("playerColor"); // on the player's line alone
        QTest::addColumn<QRgb>("sharedColor"); // where both lie
        const QRgb blue = 0x0000FF, red = 0xFF0000, orange = 0xFFCC99;
        QTest::newRow("showing") << int(PhaseShowing) << blue << Background << blue;
        QTest::newRow("answering") << int(PhaseAnswering) << Background << orange << orange;
        QTest::newRow("idle") << int(PhaseIdle) << red << orange << orange;
    }
    void formPaintShowsWhatEachPhaseShows() {
        QFETCH(int, phase);
        QFETCH(QRgb, taskColor);
        QFETCH(QRgb, playerColor);
        QFETCH(QRgb, sharedColor);
        Board b(3); // points at 154, 308, 462
        // Task: the top row alone and the bottom row. Drawing: the middle row alone, the bottom
        // row reversed, and a line being entered, with its start point only.
        const LineTable task = tableOf({QLine(1, 1, 3, 1), QLine(1, 3, 3, 3)});
        drawBoard(b.c, b.grid, phase, task,
                  tableOf({QLine(1, 2, 3, 2), QLine(3, 3, 1, 3), QLine(2, 2, 0, 0)}));
        QCOMPARE(QList<QRgb>({b.at(231, 154), b.at(231, 308), b.at(231, 462)}),
                 QList<QRgb>({taskColor, playerColor, sharedColor}));
        // Lines are three pixels wide; the open line draws nothing towards the corner.
        QCOMPARE(QList<QRgb>({b.at(231, 153), b.at(231, 155), b.at(231, 157), b.at(100, 100)}),
                 QList<QRgb>({taskColor, taskColor, Background, Background}));
        QCOMPARE(b.c.penWidth(), 3);
    }
};

TESSARIN_TEST_MAIN(TestBoard)
#include "test_board.moc"
