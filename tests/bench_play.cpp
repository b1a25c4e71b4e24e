// Benchmarks of the game's commands as the player meets them, on the real main window of
// a 1024x768 screen: New at level 15 (layout, board, task, decomposition, bars), and one
// movement of the rubber band while a line is open, alone and with the repaint it asks for.
#include "TestMain.h"

#include "game/Startup.h"

#include <memory>

namespace {

const bool onScreen1024x768 = [] {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" QT_TESTCASE_SOURCEDIR "/screen-1024x768.json");
    return true;
}();

constexpr int HighestLevel = 15;

} // namespace

class BenchPlay : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_state = std::make_unique<GameState>();
        m_game = std::make_unique<Game>(*m_state);
        setErrorReporter([](const QString &text) { QFAIL(qPrintable(text)); });
        m_state->AppDir = QStringLiteral(TESSARIN_BUILD_DIR "/");
        m_state->Level = HighestLevel;
        m_game->form1().random().seed(HighestLevel);
        m_game->form1().show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_game->form1()));
    }

    void cleanup() {
        m_game.reset();
        setErrorReporter({});
    }

    void newAtLevel15() {
        Form1 &w = m_game->form1();
        QBENCHMARK {
            w.New1Click();
        }
        QCOMPARE(m_state->Range, 9);
        QCOMPARE(m_state->LineCount, 10);
    }

    void rubberBandMove_data() {
        QTest::addColumn<bool>("withRepaint");
        QTest::newRow("handler") << false;
        QTest::newRow("handler and repaint") << true;
    }

    // A line is open from the grid's corner; the mouse goes back and forth across the
    // board, each step one movement.
    void rubberBandMove() {
        QFETCH(bool, withRepaint);
        Form1 &w = m_game->form1();
        GameState &g = *m_state;
        QTest::mouseClick(w.ButtonNew, Qt::LeftButton);
        QTest::mouseClick(w.ButtonReady, Qt::LeftButton);
        const QPoint corner(g.CellW, g.CellH);
        QTest::mouseClick(w.PaintB, Qt::LeftButton, {}, corner);
        QCOMPARE(g.LineInProgress, uint8_t(1));
        QCoreApplication::processEvents();

        const int far = 9 * g.CellW;
        int step = 0;
        QBENCHMARK {
            step = (step + 1) % 64;
            const int x = g.CellW + far * step / 64, y = far - far * step / 64;
            w.PaintBMouseMove({}, x, y);
            if (withRepaint) QCoreApplication::processEvents();
        }
        QCOMPARE(g.LineInProgress, uint8_t(1));
    }

private:
    std::unique_ptr<GameState> m_state;
    std::unique_ptr<Game> m_game;
};

TESSARIN_TEST_MAIN(BenchPlay)
#include "bench_play.moc"
