#include "TestMain.h"

#include "game/Startup.h"

#include <QLabel>
#include <QPushButton>

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scoreBarsClamp_data() {
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("newMaximum");
        QTest::addColumn<int>("expectedPosition");
        QTest::newRow("within") << 150 << 70 << 150 << 70;
        QTest::newRow("above the maximum") << 150 << 151 << 150 << 150;
        QTest::newRow("below zero") << 150 << -4 << 150 << 0;
        QTest::newRow("maximum lowered below position") << 225 << 200 << 150 << 150;
        QTest::newRow("maximum raised keeps position") << 150 << 150 << 2250 << 150;
    }

    void scoreBarsClamp() {
        QFETCH(int, maximum);
        QFETCH(int, position);
        QFETCH(int, newMaximum);
        QFETCH(int, expectedPosition);
        ScoreBar bar;
        bar.setMaximum(maximum);
        bar.setPosition(position);
        bar.setMaximum(newMaximum);
        QCOMPARE(bar.position(), expectedPosition);
        QCOMPARE(bar.maximum(), newMaximum);
    }

    void creationSetsAnIdleGame() {
        GameState g;
        Game game(g);
        Form1 &w = game.form1();
        QCOMPARE(g.Phase, int32_t(PhaseIdle));
        QCOMPARE(g.DrawnIndex, 1);
        QVERIFY(g.AppDir.endsWith(u'/'));
        QCOMPARE(g.Pro1.maximum(), g.LineCount * g.Range * 25);
        QCOMPARE(g.Pro1.position(), 0);
        QCOMPARE(g.Pro2.position(), g.Pro2.maximum());
        QCOMPARE(w.Pro2->maximum(), g.Pro2.maximum());
        QCOMPARE(w.Pro2->value(), g.Pro2.maximum());
        QCOMPARE(w.Panel2->text(), QStringLiteral("Tessarin game"));
        QVERIFY(w.ButtonNew->isEnabled());
        QVERIFY(!w.ButtonReady->isEnabled());
        QVERIFY(!w.buttonCheck->isEnabled());
        QVERIFY(!w.Timer_sec->isActive());
        QVERIFY(w.formSet() == &game.formSet());
        QVERIFY(w.formA() == &game.formA());
        // The level table is filled from the loaded settings when the dialog is created.
        QCOMPARE(g.levels.cell(15, LevelTable::RangeRow), QStringLiteral("9"));
    }

    void showingLaysOutTheFullScreenBoard() {
        GameState g;
        Game game(g);
        Form1 &w = game.form1();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(w.geometry(), screen);
        const int side = screen.height() - 150;
        QCOMPARE(w.PaintB->geometry(),
                 QRect((screen.width() - side) / 2, (screen.height() - side) / 2, side, side));
        QCOMPARE(g.CellW, side / (g.Range + 1));
        QCOMPARE(w.Panel2->text(), QStringLiteral("Tessarin training"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Tessarin training"));
        // The framing pictures are decoded from the embedded JPEGs.
        QVERIFY(!w.Image1->pixmap().isNull());
        QCOMPARE(w.Image1->pixmap().size(), QSize(250, 1063));
        QCOMPARE(w.Image3->pixmap().size(), QSize(900, 180));
    }

    void endClosesTheMainWindow() {
        GameState g;
        Game game(g);
        Form1 &w = game.form1();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
        QTest::mouseClick(w.ButtonEnd, Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }

    // The program paints its main window first; the dialogs, with their English
    // captions, and the framing pictures follow right after the first frame. Tasks can
    // be played before that.
    void firstFrameFirstMakesTheRestRightAfter() {
        GameState g;
        Game game(g, Game::Start::FirstFrameFirst);
        Form1 &w = game.form1();
        QVERIFY(w.formSet() == nullptr);
        QVERIFY(w.Image1->pixmap().isNull());
        QCOMPARE(g.levels.cell(15, LevelTable::RangeRow), QStringLiteral("9"));
        w.New1Click();
        QCOMPARE(g.Range, 3);

        w.show();
        QTRY_VERIFY(w.formSet() != nullptr && w.formA() != nullptr);
        QVERIFY(w.formSet() == &game.formSet());
        QCOMPARE(game.formSet().windowTitle(), QStringLiteral("S e t t i n g s"));
        QCOMPARE(game.formSet().Button1->text(), QStringLiteral("OK"));
        QCOMPARE(game.formA().Label4->text(), QStringLiteral("Tessarin training"));
        QCOMPARE(w.Image1->pixmap().size(), QSize(250, 1063));
        QCOMPARE(w.Image4->pixmap().size(), QSize(900, 180));
        QCOMPARE(g.Phase, int32_t(PhaseShowing)); // the task went on
    }

    void errorInAHandlerIsShownAndTheGameGoesOn() {
        QStringList shown;
        setErrorReporter([&](const QString &text) { shown << text; });
        GameState g;
        Game game(g);
        Form1 &w = game.form1();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        g.levels.setCell(g.Level, LevelTable::RangeRow, QStringLiteral("x"));
        QTest::mouseClick(w.ButtonNew, Qt::LeftButton);
        QCOMPARE(shown, QStringList{QStringLiteral("'x' is not a valid integer value")});
        // New stopped after starting the countdown; the window still answers.
        QCOMPARE(g.Phase, int32_t(PhaseShowing));
        QVERIFY(w.isVisible());
        g.levels.setCell(g.Level, LevelTable::RangeRow, QStringLiteral("3"));
        QTest::mouseClick(w.ButtonNew, Qt::LeftButton);
        QCOMPARE(shown.size(), 1);
        setErrorReporter({});
    }
};

TESSARIN_TEST_MAIN(TestStartup)
#include "test_startup.moc"
