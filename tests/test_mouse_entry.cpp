#include "TestMain.h"

#include "AnsweringBoard.h"
#include "board/Snapping.h"

namespace {

constexpr int Cell = AnsweringBoard::Cell;
const QRgb Player = BoardColors::Player & 0xFFFFFF;

QRgb inverse(QRgb rgb) {
    return ~rgb & 0xFFFFFF;
}

QPoint pixelOf(int gx, int gy) {
    return AnsweringBoard::pixelOf(gx, gy);
}

struct EntryState {
    LineTable lines;
    int32_t drawnIndex, phase, rubberX, rubberY;
    uint8_t firstClick, lineInProgress;
    QImage board;
    QString lastCue;

    explicit EntryState(const AnsweringBoard &b)
        : lines(b.g.DrawnLines), drawnIndex(b.g.DrawnIndex), phase(b.g.Phase), rubberX(b.g.RubberX),
          rubberY(b.g.RubberY), firstClick(b.g.FirstClick), lineInProgress(b.g.LineInProgress),
          board(b.image()), lastCue(b.w.MP.fileName()) {}

    bool operator==(const EntryState &o) const {
        return lines.X1 == o.lines.X1 && lines.Y1 == o.lines.Y1 && lines.X2 == o.lines.X2 &&
               lines.Y2 == o.lines.Y2 && drawnIndex == o.drawnIndex && phase == o.phase &&
               rubberX == o.rubberX && rubberY == o.rubberY && firstClick == o.firstClick &&
               lineInProgress == o.lineInProgress && board == o.board && lastCue == o.lastCue;
    }
};

} // namespace

class TestMouseEntry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each position snaps to the nearest grid point, clamped to the grid: by the rule
    // itself and on the board, with a whole line entered by real clicks. The board is
    // 618 pixels wide, the grid points 56 apart, 10 to a side.
    void snapping_data() {
        QTest::addColumn<QPoint>("pressAt");
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QPoint>("end");
        QTest::newRow("0 and 27 snap below the grid, to 1")
            << QPoint(0, 27) << QPoint(27, 1) << QPoint(1, 1) << QPoint(1, 1);
        QTest::newRow("28 and 83 snap to 1")
            << QPoint(28, 83) << QPoint(83, 28) << QPoint(1, 1) << QPoint(1, 1);
        QTest::newRow("84 and 139 snap to 2")
            << QPoint(84, 139) << QPoint(139, 84) << QPoint(2, 2) << QPoint(2, 2);
        QTest::newRow("half-way goes to the higher point")
            << QPoint(140, 195) << QPoint(532, 251) << QPoint(3, 3) << QPoint(10, 4);
        QTest::newRow("margin beyond the last point")
            << QPoint(617, 588) << QPoint(588, 617) << QPoint(10, 10) << QPoint(10, 10);
        QTest::newRow("release far left and below the board")
            << QPoint(84, 84) << QPoint(-200, 618 + 2000) << QPoint(2, 2) << QPoint(1, 10);
        QTest::newRow("release far right and above the board")
            << QPoint(84, 84) << QPoint(3000, -15) << QPoint(2, 2) << QPoint(10, 1);
    }

    void snapping() {
        QFETCH(QPoint, pressAt);
        QFETCH(QPoint, releaseAt);
        QFETCH(QPoint, start);
        QFETCH(QPoint, end);
        const int range = AnsweringBoard::Range;
        QCOMPARE(snapToGrid(pressAt.x(), Cell, range), start.x());
        QCOMPARE(snapToGrid(pressAt.y(), Cell, range), start.y());
        QCOMPARE(snapToGrid(releaseAt.x(), Cell, range), end.x());
        QCOMPARE(snapToGrid(releaseAt.y(), Cell, range), end.y());

        AnsweringBoard b;
        QVERIFY(b.startAnswering());
        QCOMPARE(b.w.PaintB->size(), QSize(618, 618));
        b.press(pressAt);
        b.release(pressAt);
        QCOMPARE(QPoint(b.g.DrawnLines.X1[1], b.g.DrawnLines.Y1[1]), start);
        QCOMPARE(QPoint(b.g.RubberX, b.g.RubberY), start * Cell);
        b.press(pressAt);
        b.release(releaseAt);
        QCOMPARE(b.drawnLine(1), QLine(start, end));
        QCOMPARE(b.g.DrawnIndex, 2);
        QCOMPARE(QPoint(b.g.RubberX, b.g.RubberY), releaseAt);
    }

    void lineEnteredByTwoClicks() {
        AnsweringBoard b;
        QVERIFY(b.startAnswering());
        const QPoint from = pixelOf(2, 3), to = pixelOf(5, 3);

        // First press: the start point is fixed and the band starts with zero length.
        b.press(from + QPoint(10, -12));
        QCOMPARE(b.g.FirstClick, 0);
        QCOMPARE(b.g.LineInProgress, 1);
        QCOMPARE(b.drawnLine(1), QLine(2, 3, 0, 0));
        QCOMPARE(QPoint(b.g.RubberX, b.g.RubberY), from);
        QCOMPARE(b.w.canvas().penWidth(), 3);
        QCOMPARE(b.w.canvas().penColor(), QColor(BoardColors::Player));

        // Its release changes nothing.
        b.release(from + QPoint(100, 100));
        QCOMPARE(b.g.FirstClick, 0);
        QCOMPARE(b.g.LineInProgress, 1);
        QCOMPARE(b.drawnLine(1), QLine(2, 3, 0, 0));
        QCOMPARE(b.g.DrawnIndex, 1);

        // The second press arms the line; dragging it moves neither the band nor the end.
        b.move(to + QPoint(4, 3));
        QCOMPARE(QPoint(b.g.RubberX, b.g.RubberY), to + QPoint(4, 3));
        b.press(to + QPoint(4, 3));
        QCOMPARE(b.g.FirstClick, 1);
        QCOMPARE(b.g.LineInProgress, 1);
        const QImage armed = b.image();
        b.move(pixelOf(6, 6));
        b.move(pixelOf(1, 6));
        QCOMPARE(b.image(), armed);
        QCOMPARE(QPoint(b.g.RubberX, b.g.RubberY), to + QPoint(4, 3));
        QCOMPARE(b.drawnLine(1), QLine(2, 3, 0, 0));

        // The release takes the end point where it happens.
        b.release(pixelOf(6, 4) - QPoint(20, 25));
        QCOMPARE(b.drawnLine(1), QLine(2, 3, 6, 4));
        QCOMPARE(b.g.DrawnIndex, 2);
        QCOMPARE(b.g.FirstClick, 1);
        QCOMPARE(b.g.LineInProgress, 0);
        QCOMPARE(b.w.canvas().penMode(), Canvas::PenMode::Copy);

        // The next line goes to the next slot and is drawn 3 pixels wide in the
        // player's colour, with nothing of the rubber band left around it.
        b.enterLine(from, to);
        QCOMPARE(b.drawnLine(2), QLine(2, 3, 5, 3));
        QCOMPARE(b.g.DrawnIndex, 3);
        const int midX = (from.x() + to.x()) / 2;
        QList<int> rows;
        for (int y = from.y() - 6; y <= from.y() + 6; ++y)
            if (b.pixel({midX, y}) == Player) rows << y;
        QCOMPARE(rows.size(), 3);
        QVERIFY(rows.contains(from.y()));
        QCOMPARE(rows.last() - rows.first(), 2);
        const QImage entered = b.image();
        b.w.FormPaint();
        QCOMPARE(b.image(), entered);
        QVERIFY(b.errors.isEmpty());
    }

    // The band inverts the pixels under it; when it moves on they are as before.
    void rubberBandInvertsAndRestores() {
        AnsweringBoard b;
        QVERIFY(b.startAnswering());
        b.enterLine(pixelOf(1, 4), pixelOf(6, 4)); // a line for the band to cross
        const QPoint start = pixelOf(3, 2);
        b.press(start);
        b.release(start);
        const QImage before = b.image();

        const QPoint right(6 * Cell + 10, start.y()), down(start.x(), 6 * Cell + 20);
        b.move(right);
        const QImage horizontal = b.image();
        int changed = 0;
        for (int y = 0; y < before.height(); ++y) {
            for (int x = 0; x < before.width(); ++x) {
                const QRgb was = before.pixel(x, y) & 0xFFFFFF, now = horizontal.pixel(x, y) & 0xFFFFFF;
                if (was == now) continue;
                QCOMPARE(now, inverse(was));
                ++changed;
            }
        }
        QVERIFY(changed > 2 * (right.x() - start.x()));
        QCOMPARE(b.pixel({5 * Cell, start.y()}), inverse(before.pixel(5 * Cell, start.y()) & 0xFFFFFF));

        b.move(down);
        QCOMPARE(b.pixel({5 * Cell, start.y()}), before.pixel(5 * Cell, start.y()) & 0xFFFFFF);
        const QPoint crossing(start.x(), 4 * Cell); // the band over the orange line
        QCOMPARE(b.pixel(crossing), inverse(Player));
        QCOMPARE(b.pixel({start.x(), 5 * Cell}), inverse(BoardColors::Background & 0xFFFFFF));

        b.move(right);
        QCOMPARE(b.image(), horizontal);
        b.move(start + QPoint(1, 0));
        b.move(start + QPoint(0, 1));
        b.move(down);
        b.move(right);
        QCOMPARE(b.image(), horizontal);

        // A full repaint while the line is open, as after the board was covered, draws
        // the board as usual; the next movement draws the band alone, with no stroke to
        // the board's corner, where the repaint left the band's end.
        b.w.FormPaint();
        const QImage repainted = b.image();
        QCOMPARE(b.pixel({Cell + 1, Cell + 1}), 0u); // a grid dot, black
        QCOMPARE(b.pixel({1, 5 * Cell}), 0u);        // the frame
        QCOMPARE(QPoint(b.g.RubberX, b.g.RubberY), QPoint(0, 0));
        b.move(down);
        const QPoint towardsCorner = start / 2;
        QCOMPARE(b.pixel(towardsCorner), repainted.pixel(towardsCorner) & 0xFFFFFF);
        QCOMPARE(b.pixel({start.x(), 5 * Cell}), inverse(BoardColors::Background & 0xFFFFFF));
        b.move(start);
        QCOMPARE(b.image(), repainted);
    }

    // A line is taken back by entering it again; its expectedSlots stay empty.
    void sameLineTwiceRemovesBoth_data() {
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<QList<QLine>>("entered");
        QTest::addColumn<QList<QLine>>("expectedSlots");
        const QLine a(2, 3, 5, 1), b(1, 1, 4, 4), c(6, 2, 3, 6), none;
        QTest::newRow("reversed") << 3 << QList{a, QLine(5, 1, 2, 3)} << QList{none, none};
        QTest::newRow("same direction") << 3 << QList{a, a} << QList{none, none};
        QTest::newRow("a third time it is back") << 3 << QList{a, a, a} << QList{none, none, a};
        QTest::newRow("one end differs") << 3 << QList{a, QLine(2, 3, 5, 2)} << QList{a, QLine(2, 3, 5, 2)};
        QTest::newRow("a dot twice") << 3 << QList{QLine(4, 4, 4, 4), QLine(4, 4, 4, 4)} << QList{none, none};
        QTest::newRow("a dot once") << 3 << QList{QLine(4, 4, 4, 4)} << QList{QLine(4, 4, 4, 4)};
        QTest::newRow("earlier copy, lines between")
            << 5 << QList{a, b, c, QLine(5, 1, 2, 3)} << QList{none, b, c, none};
        QTest::newRow("A, B, B, B, C") << 3 << QList{a, b, b, b, c} << QList{a, none, none, b, c};
    }

    void sameLineTwiceRemovesBoth() {
        QFETCH(int, lineCount);
        QFETCH(QList<QLine>, entered);
        QFETCH(QList<QLine>, expectedSlots);
        AnsweringBoard b;
        QVERIFY(b.startAnswering(lineCount));
        for (const QLine &line : entered)
            b.enterLine(line);
        for (int i = 0; i < expectedSlots.size(); ++i)
            QCOMPARE(b.drawnLine(i + 1), expectedSlots[i]);
        QCOMPARE(b.g.DrawnIndex, entered.size() + 1);
        const bool anyLeft = std::any_of(expectedSlots.begin(), expectedSlots.end(),
                                         [](const QLine &l) { return l != QLine(); });
        QCOMPARE(b.count(Player) > 0, anyLeft);

        // The next line goes to the slot after all of them.
        const QLine next(1, 6, 6, 1);
        b.enterLine(next);
        QCOMPARE(b.drawnLine(entered.size() + 1), next);
        for (int i = 0; i < expectedSlots.size(); ++i)
            QCOMPARE(b.drawnLine(i + 1), expectedSlots[i]);
        // Starting it repainted the lines that the removal had redrawn 6 wide.
        const QImage board = b.image();
        b.w.FormPaint();
        QCOMPARE(b.image(), board);
    }

    // A task redrawn line by line with the mouse covers every red line at Check; a line
    // left out stays red.
    void drawingTheTaskCoversItAtCheck_data() {
        QTest::addColumn<bool>("leaveOneOut");
        QTest::newRow("every line") << false;
        QTest::newRow("one line left out") << true;
    }

    void drawingTheTaskCoversItAtCheck() {
        QFETCH(bool, leaveOneOut);
        AnsweringBoard b;
        b.w.random().seed(11);
        QVERIFY(b.startAnswering(4));
        const LineTable task = b.g.TaskLines;
        for (int i = leaveOneOut ? 2 : 1; i <= 4; ++i)
            b.enterLine(QLine(task.X2[i], task.Y2[i], task.X1[i], task.Y1[i])); // drawn from the other end
        QTest::mouseClick(b.w.buttonCheck, Qt::LeftButton);
        QCOMPARE(b.g.Phase, int32_t(PhaseIdle));
        QCOMPARE(b.count(BoardColors::TaskChecked) == 0, !leaveOneOut);
        QVERIFY(b.count(Player) > 0);
    }

    void lineAfterTheHundredthReplacesTheLast() {
        AnsweringBoard b;
        QVERIFY(b.startAnswering());
        // 101 different lines, each running down to the last row, so none is another reversed.
        const int r = AnsweringBoard::Range;
        auto line = [r](int k) {
            return QLine(1 + k % r, 1 + (k / r) % (r - 1), 1 + (k / (r * (r - 1))) % r, r);
        };
        for (int k = 0; k < 101; ++k)
            b.enterLine(line(k));
        for (int k = 0; k < 99; ++k)
            QCOMPARE(b.drawnLine(k + 1), line(k));
        QCOMPARE(b.drawnLine(100), line(100));
        QCOMPARE(b.g.DrawnIndex, 101);
        QVERIFY(b.errors.isEmpty());
    }

    // Outside the answering time the board ignores the mouse and plays nothing.
    void boardIgnoresTheMouseOutsideAnswering_data() {
        QTest::addColumn<QString>("phase");
        QTest::newRow("idle at start") << "start";
        QTest::newRow("showing") << "showing";
        QTest::newRow("idle after Check") << "checked";
    }

    void boardIgnoresTheMouseOutsideAnswering() {
        QFETCH(QString, phase);
        AnsweringBoard b;
        QVERIFY(b.prepareLevel(3));
        if (phase != "start") QTest::mouseClick(b.w.ButtonNew, Qt::LeftButton);
        if (phase == "checked") {
            QTest::mouseClick(b.w.ButtonReady, Qt::LeftButton);
            b.enterLine(QLine(1, 1, 3, 2));
            QTest::mouseClick(b.w.buttonCheck, Qt::LeftButton);
            QCOMPARE(b.g.Phase, int32_t(PhaseIdle));
        }
        QTemporaryDir noCues; // a cue asked for here would be reported missing
        b.g.AppDir = noCues.path() + u'/';
        const EntryState before(b);

        b.press(pixelOf(2, 2));
        b.move(pixelOf(4, 3));
        b.release(pixelOf(4, 3));
        b.move(pixelOf(5, 5));
        b.press(pixelOf(5, 5));
        b.move(pixelOf(1, 5));
        b.release(pixelOf(1, 5));
        b.release(pixelOf(2, 5));
        QVERIFY(EntryState(b) == before);
        QCOMPARE(b.errors, QStringList());
    }

    // A press during the showing time, released after the task was hidden, starts
    // nothing and completes nothing.
    void releaseOfAPressFromTheShowingTimeIsIgnored() {
        AnsweringBoard b;
        QVERIFY(b.prepareLevel(3));
        QTest::mouseClick(b.w.ButtonNew, Qt::LeftButton);
        QTemporaryDir noCues;
        b.g.AppDir = noCues.path() + u'/';
        b.press(pixelOf(3, 3));
        for (int tick = 0; tick < 1000 && b.g.Phase == PhaseShowing; ++tick)
            b.w.Timer_secTimer();
        QCOMPARE(b.g.Phase, int32_t(PhaseAnswering));
        const EntryState before(b);
        b.release(pixelOf(4, 4));
        QVERIFY(EntryState(b) == before);
        QCOMPARE(b.g.DrawnIndex, 1);
        QVERIFY(b.drawnLine(1).isNull());
        QCOMPARE(b.errors, QStringList());

        b.g.AppDir = QStringLiteral(TESSARIN_BUILD_DIR "/");
        b.enterLine(QLine(1, 2, 3, 4));
        QCOMPARE(b.drawnLine(1), QLine(1, 2, 3, 4));
    }

    // The board keeps the mouse from press to release: a release far outside the board,
    // and outside the window, still completes the line.
    void releaseOutsideTheBoardCompletesTheLine() {
        AnsweringBoard b;
        QVERIFY(b.startAnswering());
        QWindow *window = b.w.windowHandle();
        auto inWindow = [&](QPoint boardPixel) { return b.w.PaintB->mapTo(&b.w, boardPixel); };
        QTest::mouseClick(window, Qt::LeftButton, {}, inWindow(pixelOf(3, 2)));
        QTest::mouseMove(window, inWindow(pixelOf(4, 4)));
        QCOMPARE(QPoint(b.g.RubberX, b.g.RubberY), pixelOf(4, 4));
        QTest::mousePress(window, Qt::LeftButton, {}, inWindow(pixelOf(4, 4)));
        // Over the New button, then beyond the window's bottom-left corner.
        QTest::mouseMove(window, b.w.ButtonNew->geometry().center());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("outside target window"));
        QTest::mouseRelease(window, Qt::LeftButton, {}, inWindow(QPoint(-200, b.w.PaintB->height() + 2000)));
        QCOMPARE(b.drawnLine(1), QLine(3, 2, 1, AnsweringBoard::Range));
        QCOMPARE(b.g.DrawnIndex, 2);
        QCOMPARE(b.g.LineInProgress, 0);
    }

    // The second press of a double-click is an ordinary press: a line of one point.
    void doubleClickEntersADot() {
        AnsweringBoard b;
        QVERIFY(b.startAnswering());
        QWindow *window = b.w.windowHandle();
        QTest::mouseDClick(window, Qt::LeftButton, {}, b.w.PaintB->mapTo(&b.w, pixelOf(4, 2) + QPoint(3, 3)));
        QCOMPARE(b.drawnLine(1), QLine(4, 2, 4, 2));
        QCOMPARE(b.g.DrawnIndex, 2);
        QCOMPARE(b.g.FirstClick, 1);
        QCOMPARE(b.g.LineInProgress, 0);
        QCOMPARE(b.pixel(pixelOf(4, 2)), Player);
    }
};

TESSARIN_TEST_MAIN(TestMouseEntry)
#include "test_mouse_entry.moc"
