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
        QCOMPARE(std::pair(bar.position(), bar.maximum()), std::pair(expectedPosition, newMaximum));
    }

    // Start-up makes an idle game with the level table loaded, before any frame: a task can
    // be played at once. The first showing lays out the full-screen board; the dialogs,
    // with their English captions, and the framing pictures follow right after the first
    // frame. End closes the main window.
    void startUpShowAndEnd() {
        GameState g;
        Game game(g);
        Form1 &w = game.form1();
        QCOMPARE(std::tuple(g.Phase, g.DrawnIndex, g.Pro1.position()), std::tuple(int(PhaseIdle), 1, 0));
        QVERIFY(g.AppDir.endsWith(u'/'));
        QCOMPARE(
            std::tuple(g.Pro1.maximum(), g.Pro2.position(), w.Pro2->maximum(), w.Pro2->value()),
            std::tuple(g.LineCount * g.Range * 25, g.Pro2.maximum(), g.Pro2.maximum(), g.Pro2.maximum()));
        QCOMPARE(w.Panel2->text(), QStringLiteral("Tessarin game"));
        QCOMPARE(std::tuple(w.ButtonNew->isEnabled(), w.ButtonReady->isEnabled(), w.buttonCheck->isEnabled(),
                            w.Timer_sec->isActive()),
                 std::tuple(true, false, false, false));
        QVERIFY(!game.started() && w.formSet() == nullptr && w.Image1->pixmap().isNull());
        QCOMPARE(g.levels.cell(15, LevelTable::RangeRow), QStringLiteral("9"));
        w.New1Click();
        QCOMPARE(g.Range, 3);

        startGame(game);
        QVERIFY(w.formSet() == &game.formSet() && w.formA() == &game.formA());
        const QRect screen = w.screen()->geometry();
        const int side = screen.height() - 150;
        QVERIFY(w.isFullScreen());
        QCOMPARE(w.geometry(), screen);
        QCOMPARE(w.PaintB->geometry(),
                 QRect((screen.width() - side) / 2, (screen.height() - side) / 2, side, side));
        QCOMPARE(w.windowTitle(), QStringLiteral("Tessarin training"));
        const QStringList texts = {game.formSet().windowTitle(), game.formSet().Button1->text(),
                                   game.formA().Label4->text()};
        QCOMPARE(texts, QStringList({"S e t t i n g s", "OK", "Tessarin training"}));
        QCOMPARE(std::pair(w.Image1->pixmap().size(), w.Image4->pixmap().size()),
                 std::pair(QSize(250, 1063), QSize(900, 180)));
        QCOMPARE(g.Phase, int32_t(PhaseShowing)); // the task went on

        QTest::mouseClick(w.ButtonEnd, Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }
};

TESSARIN_TEST_MAIN(TestStartup)
#include "test_startup.moc"
