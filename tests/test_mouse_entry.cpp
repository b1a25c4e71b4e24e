#include "PlayingTheGame.h"

namespace {

constexpr int Cell = AnsweringBoard::Cell;
const QRgb Player = BoardColors::Player & 0xFFFFFF;

constexpr auto pixelOf = AnsweringBoard::pixelOf;
std::tuple<int, int, int, QPoint> entry(const GameState &g) {
    return {g.FirstClick, g.LineInProgress, g.DrawnIndex, QPoint(g.RubberX, g.RubberY)};
}
// Everything the line entry may change, and the last cue played.
auto entryState(const AnsweringBoard &b) {
    const GameState &g = b.g;
    return std::tuple(g.DrawnLines.X1, g.DrawnLines.Y1, g.DrawnLines.X2, g.DrawnLines.Y2, g.Phase, entry(g),
                      b.image(), b.w.MP.lastCue());
}

} // namespace

class TestMouseEntry : public QObject {
    Q_OBJECT

    std::unique_ptr<AnsweringBoard> b;

private Q_SLOTS:
    void init() { b = std::make_unique<AnsweringBoard>(); }
    void cleanup() { finish(b); }

    void snapping_data() {
        QTest::addColumn<QPoint>("pressAt");
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<QLine>("line");
        QTest::newRow("0 and 27 clamp to 1") << QPoint(0, 27) << QPoint(27, 1) << QLine(1, 1, 1, 1);
        QTest::newRow("28 (half-way) and 83 give 1") << QPoint(28, 83) << QPoint(83, 28) << QLine(1, 1, 1, 1);
        QTest::newRow("84 and 139 give 2") << QPoint(84, 139) << QPoint(139, 84) << QLine(2, 2, 2, 2);
        QTest::newRow("margin") << QPoint(617, 588) << QPoint(588, 617) << QLine(10, 10, 10, 10);
        QTest::newRow("far left, below") << QPoint(84, 84) << QPoint(-400, 2618) << QLine(2, 2, 1, 10);
        QTest::newRow("far right, above") << QPoint(84, 84) << QPoint(3000, -15) << QLine(2, 2, 10, 1);
    }
    // The first release is ignored, a drag of the second press moves neither the band nor
    // the end point, and the second release completes the line.
    void snapping() {
        QFETCH(QPoint, pressAt);
        QFETCH(QPoint, releaseAt);
        QFETCH(QLine, line);
        QVERIFY(b->startAnswering());
        b->press(pressAt);
        b->release(pressAt);
        QCOMPARE(entry(b->g), std::tuple(0, 1, 1, line.p1() * Cell));
        b->press(pressAt);
        const QImage armed = b->image();
        b->move(QPoint(300, 200));
        QCOMPARE(b->image(), armed);
        QCOMPARE(entry(b->g), std::tuple(1, 1, 1, line.p1() * Cell));
        b->release(releaseAt);
        QCOMPARE(b->drawnLine(1), line);
        QCOMPARE(entry(b->g), std::tuple(1, 0, 2, releaseAt));
    }

    void rubberBandInvertsAndRestores() {
        QVERIFY(b->startAnswering());
        b->enterLine(pixelOf(1, 4), pixelOf(6, 4)); // a line for the band to cross
        const QPoint start = pixelOf(3, 2), right(6 * Cell + 10, start.y()), down(start.x(), 6 * Cell + 20);
        b->press(start);
        b->release(start);
        const QImage before = b->image();
        b->move(down);
        const QImage band = b->image();
        int inverted = 0, otherwise = 0;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                if (before.pixel(x, y) != band.pixel(x, y))
                    ++((band.pixel(x, y) ^ before.pixel(x, y)) == 0xFFFFFF ? inverted : otherwise);
        // As wide as the line drawn last, before a full repaint and after it.
        auto bandWidth = [&](const QImage &without) {
            int width = 0;
            for (int x = start.x() - 8; x <= start.x() + 8; ++x)
                width += without.pixel(x, start.y() + 48) != b->image().pixel(x, start.y() + 48);
            return width;
        };
        QCOMPARE(std::tuple(otherwise, bandWidth(before)), std::tuple(0, 3));
        QVERIFY(inverted > 2 * (down.y() - start.y()));
        b->move(right);
        b->move(start);
        QCOMPARE(b->image(), before);

        // After a full repaint with the line open the band is drawn alone, with no
        // stroke to the board's corner, where the repaint left the band's end.
        b->w.FormPaint();
        const QImage repainted = b->image();
        QCOMPARE(QPoint(b->g.RubberX, b->g.RubberY), QPoint(0, 0));
        b->move(down);
        QCOMPARE(b->pixel(start / 2), repainted.pixel(start / 2) & 0xFFFFFF);
        QCOMPARE(bandWidth(repainted), 3);
        b->move(start);
        QCOMPARE(b->image(), repainted);
    }

    // At every ratio of device to logical pixels the board is drawn at the device's
    // resolution, and the band drawn twice over lines, dots and frame restores them.
    void rubberBandRestoresAtEveryRatio_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<int>("side"); // device pixels of a board 618 logical pixels a side
        QTest::newRow("1") << 1.0 << 618;
        QTest::newRow("1.25") << 1.25 << 774;
        QTest::newRow("1.5") << 1.5 << 928;
        QTest::newRow("2") << 2.0 << 1236;
        QTest::newRow("3") << 3.0 << 1854;
    }
    void rubberBandRestoresAtEveryRatio() {
        QFETCH(qreal, ratio);
        Canvas canvas;
        canvas.resize(618, 618, ratio);
        QTEST(canvas.image().width(), "side");
        QTEST(canvas.image().height(), "side");
        const LineTable lines = tableOf({QLine(1, 4, 6, 4), QLine(2, 1, 9, 8), QLine(10, 1, 1, 10)});
        drawBoard(canvas, {10, Cell, Cell}, PhaseIdle, lines, lines);
        const QImage before = canvas.image();
        canvas.setPenColor(QColor(BoardColors::Player));
        canvas.setPenWidth(3);
        canvas.setPenMode(Canvas::PenMode::Invert);
        const QPoint start = pixelOf(3, 2);
        for (QPoint end : {QPoint(3 * Cell, 620), QPoint(601, 377), QPoint(-3, 5), QPoint(615, 17)}) {
            canvas.moveTo(start.x(), start.y());
            canvas.lineTo(end.x(), end.y());
            const QImage band = canvas.image();
            int inverted = 0, otherwise = 0;
            for (int y = 0; y < band.height(); ++y)
                for (int x = 0; x < band.width(); ++x)
                    if (band.pixel(x, y) != before.pixel(x, y))
                        ++((band.pixel(x, y) ^ before.pixel(x, y)) == 0xFFFFFF ? inverted : otherwise);
            QCOMPARE(otherwise, 0);
            QVERIFY(inverted > 0);
            if (end.x() == start.x()) { // straight down: as wide as the pen, in device pixels
                const int y = qRound((5 * Cell - 10) * ratio);
                int across = 0;
                for (int x = 0; x < band.width(); ++x)
                    across += band.pixel(x, y) != before.pixel(x, y);
                QVERIFY2(qAbs(across - 3 * ratio) < 1, qPrintable(QString::number(across)));
            }
            canvas.moveTo(start.x(), start.y());
            canvas.lineTo(end.x(), end.y());
            QVERIFY(canvas.image() == before);
        }
        // 3 logical pixels across a line, 2 across a dot, in device pixels.
        auto run = [&](QRgb colour, int y, int fromX, int toX) {
            int n = 0;
            for (int x = qRound(fromX * ratio); x < qRound(toX * ratio); ++x)
                n += (before.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
            return n;
        };
        const int lineRow = qRound(6 * Cell * ratio); // crosses QLine(10, 1, 1, 10) at 45 degrees
        QVERIFY(qAbs(run(BoardColors::Player, lineRow, 4 * Cell, 6 * Cell) - 3 * std::sqrt(2) * ratio) <=
                1.5);
        const int dotRow = qRound((9 * Cell + 1.5) * ratio); // through the dots at y = 9, away from the lines
        QCOMPARE(run(BoardColors::Ink, dotRow, 5 * Cell / 2, 13 * Cell / 2), 4 * qRound(2 * ratio));
    }

    // Moved to a screen of twice the pixels, the board is made anew at that ratio and
    // drawn again with the line entered before, the pictures come at that ratio too. (The
    // band at each ratio is the test above's: Qt 6.8's offscreen platform leaves a window
    // moved to a scaled screen at its old size, so no press would reach the board here.)
    void boardFollowsTheScreensRatio() {
        QVERIFY(b->startAnswering());
        b->enterLine(QLine(1, 4, 6, 4));
        QVERIFY(b->moveToDenseScreen());
        QCOMPARE(b->image().size(), b->w.PaintB->size() * 2);
        for (QLabel *picture : {b->w.Image1, b->w.Image2, b->w.Image3, b->w.Image4})
            QCOMPARE(picture->pixmap().devicePixelRatio(), 2.0);
        const GameState &g = b->g;
        QCOMPARE(b->pixel(QPoint(7 * g.CellW, 8 * g.CellH)), Player); // the middle of the line
    }

    void sameLineTwiceRemovesBoth_data() {
        QTest::addColumn<QList<QLine>>("entered");
        QTest::addColumn<QList<QLine>>("expectedSlots");
        const QLine a(2, 3, 5, 1), b(1, 1, 4, 4), c(6, 2, 3, 6), dot(4, 4, 4, 4), none;
        QTest::newRow("reversed") << QList{a, QLine(5, 1, 2, 3)} << QList{none, none};
        QTest::newRow("one end differs") << QList{a, QLine(2, 3, 5, 2)} << QList{a, QLine(2, 3, 5, 2)};
        QTest::newRow("a dot twice") << QList{dot, dot} << QList{none, none};
        QTest::newRow("lines between") << QList{a, b, c, QLine(5, 1, 2, 3)} << QList{none, b, c, none};
        QTest::newRow("A, B, B (same way), B, C") << QList{a, b, b, b, c} << QList{a, none, none, b, c};
    }
    void sameLineTwiceRemovesBoth() {
        QFETCH(QList<QLine>, entered);
        QFETCH(QList<QLine>, expectedSlots);
        QVERIFY(b->startAnswering());
        for (const QLine &line : entered << QLine(1, 8, 6, 8)) // the last goes to the slot after all
            b->enterLine(line);
        for (int i = 0; i < expectedSlots.size(); ++i)
            QCOMPARE(b->drawnLine(i + 1), expectedSlots[i]);
        QCOMPARE(b->drawnLine(entered.size()), entered.last());
        QString across; // the last line: 3 pixels wide in the player's colour
        for (int y = 8 * Cell - 4; y <= 8 * Cell + 4; ++y)
            across += b->pixel({7 * Cell / 2, y}) == Player ? u'#' : u'.';
        QCOMPARE(across, QStringLiteral("...###..."));
        const QImage board = b->image();
        b->w.FormPaint();
        QCOMPARE(b->image(), board);
    }

    // A take-back draws the lines left again 6 wide, one without its end point too but not one
    // without its start point; with nothing taken back the board stays as it is.
    void takeBackRedrawsTheLinesLeft() {
        QVERIFY(b->startAnswering());
        const QLine along(1, 1, 3, 1);
        b->g.DrawnLines = tableOf({QLine(2, 1, 2, 3), along, QLine(1, 3, 0, 3), QLine(0, 3, 3, 3), along});
        b->w.FormPaint();                            // lines 3 wide
        auto across = [&](int x, int y, bool down) { // player pixels on 17 around (x, y)
            int count = 0;
            for (int d = -8; d <= 8; ++d)
                count += b->pixel(down ? QPoint(x, y + d) : QPoint(x + d, y)) == Player;
            return count;
        };
        b->w.CheckArray();
        QCOMPARE((QList{across(2 * Cell, 3 * Cell / 2, false), across(Cell / 2, 3 * Cell, true),
                        across(5 * Cell / 2, 3 * Cell, true), across(5 * Cell / 2, Cell, true)}),
                 (QList{6, 6, 0, 0}));
        b->w.FormPaint();
        const QImage before = b->image();
        b->w.CheckArray();
        QCOMPARE(b->image(), before);
    }

    void lineAfterTheHundredthReplacesTheLast() {
        QVERIFY(b->startAnswering());
        // 101 different lines, each running down to the last row, so none is another reversed.
        auto line = [](int k) { return QLine(1 + k % 10, 1 + (k / 10) % 9, 1 + k / 90, 10); };
        for (int k = 0; k < 101; ++k)
            b->enterLine(line(k));
        QCOMPARE(std::tuple(b->drawnLine(1), b->drawnLine(99), b->drawnLine(100)),
                 std::tuple(line(0), line(98), line(100)));
        QCOMPARE(b->g.DrawnIndex, 101);
    }

    // Outside the answering time the board ignores the mouse and plays nothing; so does
    // the release of a press made during the showing time.
    void boardIgnoresTheMouseOutsideAnswering_data() {
        QTest::addColumn<QString>("phase");
        for (const char *phase : {"start", "showing", "checked", "stray release"})
            QTest::newRow(phase) << phase;
    }
    void boardIgnoresTheMouseOutsideAnswering() {
        QFETCH(QString, phase);
        QVERIFY(phase == "start" || b->startAnswering(phase == "checked"));
        if (phase == "checked") b->enterLine(QLine(1, 1, 3, 2)), b->w.Check();
        if (phase == "stray release") {
            b->press(pixelOf(3, 3));
            for (int tick = 0; tick < 100 && b->g.Phase == PhaseShowing; ++tick)
                b->w.Timer_secTimer();
        }
        const auto before = entryState(*b);
        for (QPoint p : {pixelOf(2, 2), pixelOf(4, 3), pixelOf(5, 5), pixelOf(1, 5)}) {
            if (phase != "stray release") b->press(p);
            b->move(p + QPoint(30, 20));
            b->release(p + QPoint(30, 20));
        }
        QVERIFY(entryState(*b) == before);
    }
};

TESSARIN_TEST_MAIN(TestMouseEntry, Screen1024x768)
#include "test_mouse_entry.moc"
