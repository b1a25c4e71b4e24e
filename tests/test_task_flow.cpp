#include "TestMain.h"

#include "board/BoardDrawing.h"
#include "game/Startup.h"

#include <set>

namespace {

struct ButtonStates {
    bool newEnabled, readyEnabled, checkEnabled;
};

const QString MemorizeHint =
    QStringLiteral("Try to memorize all the shown lines and the location of each image.");
const QString AnswerHint = QStringLiteral(
    "Using the mouse takes lines from the table of examples and set them up on the table of frames");

int countPixels(const QImage &image, QRgb color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
    return n;
}

} // namespace

class TestTaskFlow : public QObject {
    Q_OBJECT

    GameState *g = nullptr;
    Game *game = nullptr;
    Form1 *w = nullptr;
    QStringList errors;

    void expectState(int phase, ButtonStates buttons, const QString &status, bool timerRunning,
                     int secondsLeft) {
        QCOMPARE(g->Phase, phase);
        QCOMPARE(w->ButtonNew->isEnabled(), buttons.newEnabled);
        QCOMPARE(w->ButtonReady->isEnabled(), buttons.readyEnabled);
        QCOMPARE(w->buttonCheck->isEnabled(), buttons.checkEnabled);
        QCOMPARE(w->Panel2->text(), status);
        QCOMPARE(w->Timer_sec->isActive(), timerRunning);
        QCOMPARE(g->SecondsLeft, secondsLeft);
    }

    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            w->Timer_secTimer();
    }

private Q_SLOTS:
    void init() {
        errors.clear();
        setErrorReporter([this](const QString &text) { errors << text; });
        g = new GameState;
        game = new Game(*g);
        w = &game->form1();
        w->random().seed(7);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }

    void cleanup() {
        delete game;
        delete g;
        setErrorReporter({});
    }

    void newMakesATaskOfTheLevelsSize_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<int>("barMaximum");
        const int ranges[] = {2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9};
        const int lines[] = {3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10};
        const int maxima[] = {150,  225,  300,  400,  500,  625,  750, 900,
                              1050, 1225, 1400, 1600, 1800, 2025, 2250};
        for (int level = 1; level <= 15; ++level)
            QTest::addRow("level %d", level)
                << level << ranges[level - 1] << lines[level - 1] << maxima[level - 1];
    }

    void newMakesATaskOfTheLevelsSize() {
        QFETCH(int, level);
        QFETCH(int, range);
        QFETCH(int, lineCount);
        QFETCH(int, barMaximum);
        g->Level = level;
        g->Pro1.setMaximum(5000);
        g->Pro1.setPosition(120);
        g->Pro2.setMaximum(5000);
        g->Pro2.setPosition(4000);
        g->DrawnLines.X1[7] = 3;
        g->DrawnIndex = 9;

        QTest::mouseClick(w->ButtonNew, Qt::LeftButton);
        QVERIFY(errors.isEmpty());
        QCOMPARE(g->Range, range);
        QCOMPARE(g->LineCount, lineCount);
        for (int i = 1; i <= LineTable::Slots; ++i) {
            const LineTable &t = g->TaskLines;
            if (i > lineCount) {
                QVERIFY(t.isEmpty(i));
                continue;
            }
            for (int v : {t.X1[i], t.Y1[i], t.X2[i], t.Y2[i]})
                QVERIFY(v >= 1 && v <= range);
            QVERIFY(t.X1[i] != t.X2[i] || t.Y1[i] != t.Y2[i]);
        }
        for (int i = 1; i <= LineTable::Slots; ++i)
            QVERIFY(g->DrawnLines.isEmpty(i));
        QCOMPARE(g->DrawnIndex, 1);
        QCOMPARE(g->FirstClick, 1);
        // The bars get the task's maximum; their positions are only cut to it.
        QCOMPARE(g->Pro1.maximum(), barMaximum);
        QCOMPARE(g->Pro2.maximum(), barMaximum);
        QCOMPARE(g->Pro1.position(), std::min(120, barMaximum));
        QCOMPARE(g->Pro2.position(), std::min(4000, barMaximum));
        QCOMPARE(w->Pro2->value(), g->Pro2.position());
        QCOMPARE(g->CellW, w->PaintB->width() / (range + 1));
    }

    void theSameSeedGivesTheSameTask() {
        w->random().seed(12345);
        w->New1Click();
        const LineTable first = g->TaskLines;
        w->Check();
        w->random().seed(12345);
        w->New1Click();
        QCOMPARE(g->TaskLines.X1, first.X1);
        QCOMPARE(g->TaskLines.Y1, first.Y1);
        QCOMPARE(g->TaskLines.X2, first.X2);
        QCOMPARE(g->TaskLines.Y2, first.Y2);
    }

    void levelOneDrawsAmongTheSixSegmentsOfFourPoints() {
        g->Level = 1;
        std::set<std::pair<int, int>> segments;
        for (int round = 0; round < 200; ++round) {
            w->New1Click();
            QCOMPARE(g->Range, 2);
            for (int i = 1; i <= 3; ++i) {
                const LineTable &t = g->TaskLines;
                const int a = (t.X1[i] - 1) * 2 + (t.Y1[i] - 1), b = (t.X2[i] - 1) * 2 + (t.Y2[i] - 1);
                QVERIFY(a != b);
                segments.insert({std::min(a, b), std::max(a, b)});
            }
            w->Check();
        }
        QCOMPARE(segments.size(), size_t(6));
    }

    void aTaskRunsThroughItsPhases() {
        g->Time1 = 3;
        g->Time2 = 5;
        expectState(PhaseIdle, {true, false, false}, QStringLiteral("Tessarin training"), false, 0);

        QTest::mouseClick(w->ButtonNew, Qt::LeftButton);
        expectState(PhaseShowing, {false, true, false}, MemorizeHint, true, 3);
        ticks(2);
        expectState(PhaseShowing, {false, true, false}, MemorizeHint, true, 1);
        ticks(1); // the showing time runs out: Ready runs by itself
        expectState(PhaseAnswering, {false, false, true}, AnswerHint, true, 5);
        ticks(4);
        expectState(PhaseAnswering, {false, false, true}, AnswerHint, true, 1);
        ticks(1); // the answer time runs out: Check runs by itself
        expectState(PhaseIdle, {true, false, false}, QStringLiteral("Tessarin game"), false, 0);

        QTest::mouseClick(w->ButtonNew, Qt::LeftButton);
        QTest::mouseClick(w->ButtonReady, Qt::LeftButton);
        expectState(PhaseAnswering, {false, false, true}, AnswerHint, true, 5);
        QTest::mouseClick(w->buttonCheck, Qt::LeftButton);
        expectState(PhaseIdle, {true, false, false}, QStringLiteral("Tessarin game"), false, 0);
        QVERIFY(errors.isEmpty());
    }

    void anOpenLineFreezesTheCountdownAndHoldsCheck() {
        g->Time1 = 2;
        g->Time2 = 3;
        w->New1Click();
        w->Ready1Click();
        ticks(1);
        QCOMPARE(g->SecondsLeft, 2);
        g->LineInProgress = 1;
        ticks(10);
        QCOMPARE(g->SecondsLeft, 2);
        QCOMPARE(g->Phase, int32_t(PhaseAnswering));

        // Check with the line open scores nothing and leaves the task answering.
        const int reserve = g->Pro2.position();
        QTest::mouseClick(w->buttonCheck, Qt::LeftButton);
        expectState(PhaseAnswering, {false, false, true}, QStringLiteral("Tessarin game"), false, 0);
        QCOMPARE(g->Pro2.position(), reserve);

        g->LineInProgress = 0;
        QTest::mouseClick(w->buttonCheck, Qt::LeftButton);
        expectState(PhaseIdle, {true, false, false}, QStringLiteral("Tessarin game"), false, 0);
    }

    void theBoardShowsEachPhase() {
        const QRgb blue = BoardColors::TaskShowing, red = BoardColors::TaskChecked,
                   orange = BoardColors::Player;
        w->New1Click();
        const QImage &board = w->canvas().image();
        QVERIFY(countPixels(board, blue) > 0);
        QCOMPARE(countPixels(board, red), 0);

        w->Ready1Click();
        QCOMPARE(countPixels(board, blue), 0);
        QCOMPARE(countPixels(board, orange), 0);

        // A drawn copy of the first task line, and nothing else.
        const LineTable &t = g->TaskLines;
        g->DrawnLines.X1[1] = t.X1[1];
        g->DrawnLines.Y1[1] = t.Y1[1];
        g->DrawnLines.X2[1] = t.X2[1];
        g->DrawnLines.Y2[1] = t.Y2[1];
        w->Check();
        QCOMPARE(countPixels(board, blue), 0);
        const QPoint middle((t.X1[1] + t.X2[1]) * g->CellW / 2, (t.Y1[1] + t.Y2[1]) * g->CellH / 2);
        QCOMPARE(board.pixel(middle) & 0xFFFFFF, orange & 0xFFFFFF);
        QVERIFY(countPixels(board, red) > 0);

        w->New1Click();
        QCOMPARE(countPixels(board, red), 0);
        QCOMPARE(countPixels(board, orange), 0);
        QVERIFY(countPixels(board, blue) > 0);
    }

    void firstShowingActivatesTheMainWindow() {
        QCOMPARE(w->ButtonNew->text(), QStringLiteral("New"));
        QCOMPARE(w->ButtonReady->text(), QStringLiteral("Ready"));
        QCOMPARE(w->buttonCheck->text(), QStringLiteral("Check"));
        QCOMPARE(w->ButtonSet->text(), QStringLiteral("Settings"));
        QCOMPARE(w->ButtonEnd->text(), QStringLiteral("End"));
        QCOMPARE(w->Panel2->text(), QStringLiteral("Tessarin training"));
        QVERIFY(w->Pro1->isVisible() && w->Pro2->isVisible());
    }

    void aTooSmallRangeIsPlayedOnTwoPoints_data() {
        QTest::addColumn<QString>("rangeCell");
        QTest::addColumn<QString>("linesCell");
        QTest::addColumn<int>("expectedRange");
        QTest::addColumn<int>("expectedLines");
        QTest::newRow("Range 1") << "1"
                                 << "4" << 2 << 4;
        QTest::newRow("Range 0") << "0"
                                 << "3" << 2 << 3;
        QTest::newRow("Range -7") << "-7"
                                  << "3" << 2 << 3;
        QTest::newRow("no lines") << "5"
                                  << "0" << 5 << 0;
        QTest::newRow("negative lines") << "5"
                                        << "-3" << 5 << 0;
    }

    void aTooSmallRangeIsPlayedOnTwoPoints() {
        QFETCH(QString, rangeCell);
        QFETCH(QString, linesCell);
        QFETCH(int, expectedRange);
        QFETCH(int, expectedLines);
        g->levels.setCell(g->Level, LevelTable::RangeRow, rangeCell);
        g->levels.setCell(g->Level, LevelTable::LineCountRow, linesCell);
        QTest::mouseClick(w->ButtonNew, Qt::LeftButton);
        QVERIFY(errors.isEmpty());
        QCOMPARE(g->Range, expectedRange);
        int lines = 0;
        for (int i = 1; i <= LineTable::Slots; ++i)
            lines += !g->TaskLines.isEmpty(i);
        QCOMPARE(lines, expectedLines);
        QVERIFY(g->CellW > 0);
    }

    void aFailedLookupStopsNewAfterTheCountdownStarted() {
        w->New1Click();
        const LineTable before = g->TaskLines;
        w->Check();
        g->levels.setCell(g->Level, LevelTable::LineCountRow, QStringLiteral("x"));
        QTest::mouseClick(w->ButtonNew, Qt::LeftButton);
        QCOMPARE(errors, QStringList{QStringLiteral("'x' is not a valid integer value")});
        QCOMPARE(g->Phase, int32_t(PhaseShowing));
        QCOMPARE(g->SecondsLeft, g->Time1);
        QVERIFY(w->Timer_sec->isActive());
        QCOMPARE(w->Panel2->text(), MemorizeHint);
        QCOMPARE(g->TaskLines.X1, before.X1);
        QCOMPARE(g->TaskLines.Y2, before.Y2);
    }
};

TESSARIN_TEST_MAIN(TestTaskFlow)
#include "test_task_flow.moc"
