// Benchmarks of the game's commands on the real main window of a 1024x768 screen: New at
// level 15 (layout, board, task, decomposition, bars), and one movement of the rubber band
// while a line is open, alone and with the repaint it asks for, there and on a 3840x2160
// screen at 200 %.
#include "PlayingTheGame.h"

class BenchPlay : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_state = std::make_unique<GameState>();
        m_game = std::make_unique<Game>(*m_state);
        setErrorReporter([](const QString &text) { QFAIL(qPrintable(text)); });
        m_state->AppDir = QStringLiteral(TESSARIN_BUILD_DIR "/");
        m_state->Level = 15;
        m_game->form1().random().seed(15);
        m_game->form1().show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_game->form1()));
    }

    void cleanup() {
        m_game.reset();
        setErrorReporter({});
    }

    void newAtLevel15() {
        QBENCHMARK {
            m_game->form1().New1Click();
        }
        QVERIFY(m_state->Range == 9 && m_state->LineCount == 10);
    }

    void rubberBandMove_data() {
        QTest::addColumn<bool>("withRepaint");
        QTest::addColumn<int>("screen");
        QTest::newRow("handler") << false << 0;
        QTest::newRow("handler and repaint") << true << 0;
        QTest::newRow("3840x2160 at 200 %, handler") << false << 1;
        QTest::newRow("3840x2160 at 200 %, handler and repaint") << true << 1;
    }

    // A line is open from the grid's corner; the mouse goes back and forth across the board.
    void rubberBandMove() {
        QFETCH(bool, withRepaint);
        QFETCH(int, screen);
        Form1 &w = m_game->form1();
        const GameState &g = *m_state;
        if (QScreen *other = QGuiApplication::screens().value(screen); screen > 0) {
            QVERIFY(other);
            w.windowHandle()->setScreen(other);
            w.move(other->geometry().topLeft());
            QVERIFY(QTest::qWaitFor([&] { return w.canvas().ratio() == other->devicePixelRatio(); }));
        }
        QTest::mouseClick(w.ButtonNew, Qt::LeftButton);
        QTest::mouseClick(w.ButtonReady, Qt::LeftButton);
        QTest::mouseClick(w.PaintB, Qt::LeftButton, {}, QPoint(g.CellW, g.CellH));
        QCOMPARE(g.LineInProgress, uint8_t(1));
        QCoreApplication::processEvents();
        const int far = 9 * g.CellW;
        int step = 0;
        QBENCHMARK {
            step = (step + 1) % 64;
            w.PaintBMouseMove({}, g.CellW + far * step / 64, far - far * step / 64);
            if (withRepaint) QCoreApplication::processEvents();
        }
    }

private:
    std::unique_ptr<GameState> m_state;
    std::unique_ptr<Game> m_game;
};

TESSARIN_TEST_MAIN(BenchPlay, Screen1024x768)
#include "bench_play.moc"
