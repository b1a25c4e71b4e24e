// A seeded storm of real events on the game's windows: clicks on every button, presses,
// moves and releases on and off the board, the one-second tick, the settings dialog typed
// into and left, the About box, End and a new start. After every event the game's state
// must be one the game can be in. A failure names its seed and event number; replay it
// with TESSARIN_MONKEY_SEED=<seed>.
#include "TestMain.h"

#include "game/Startup.h"

#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <random>

#ifndef TESSARIN_MONKEY_EVENTS
#define TESSARIN_MONKEY_EVENTS 100000
#endif

namespace {

// Stretches of events spent evenly, mostly drawing (long tasks fill every slot), mostly
// on buttons, or mostly letting time run.
enum Mood { Balanced, Drawing, Buttons, Waiting };

class Monkey {
public:
    explicit Monkey(uint32_t seed) : seed(seed), m_random(seed) { start(); }
    ~Monkey() {
        m_game.reset();
        setErrorReporter({});
    }

    // Runs one event; returns what went wrong, or nothing.
    QString step(int event) {
        if (event % 1000 == 0) m_mood = Mood(below(4));
        // Per mood, out of 1000: below the first a board event, then a tick, a button, the rest other.
        static constexpr int share[4][3] = {
            {600, 800, 970}, {900, 990, 1000}, {300, 450, 980}, {300, 900, 1000}};
        const int roll = below(1000), *s = share[m_mood], index = g().DrawnIndex, level = g().Level;
        const bool timerOn = w().Timer_sec->isActive();
        roll < s[0] ? board() : roll < s[1] ? tick() : roll < s[2] ? button() : other();
        intoLastSlot += index == 100 && g().DrawnIndex == 101;
        checksWithLineOpen +=
            g().Phase == PhaseAnswering && g().LineInProgress && timerOn && !w().Timer_sec->isActive();
        levelChanges += g().Level != level;
        return check();
    }

    const uint32_t seed;
    // What the storm reached, so that a change that starves part of it shows.
    int intoLastSlot = 0, checksWithLineOpen = 0, levelChanges = 0, dialogs = 0, aboutBoxes = 0, starts = 0;

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(int perThousand) { return below(1000) < perThousand; }
    GameState &g() { return *m_state; }
    Form1 &w() { return m_game->form1(); }

    // A new run of the program on the settings the last one saved.
    void start() {
        m_state = std::make_unique<GameState>();
        m_game = std::make_unique<Game>(*m_state);
        setErrorReporter([this](const QString &text) { m_errors << text; });
        g().AppDir = QStringLiteral(TESSARIN_BUILD_DIR "/");
        w().Timer_sec->setInterval(24 * 3600 * 1000); // the monkey ticks itself, so a seed replays alike
        w().random().seed(seed + starts++);
        startGame(*m_game);
        if (!QTest::qWaitForWindowExposed(&w())) m_errors << QStringLiteral("the main window was not shown");
        m_buttonDown = false;
        m_taskRange = g().Range;
    }

    QPoint boardPoint() {
        if (chance(400) && g().CellW > 0 && g().Range > 0) // on or near a grid point
            return {(1 + below(g().Range)) * g().CellW + below(5) - 2,
                    (1 + below(g().Range)) * g().CellH + below(5) - 2};
        const QSize size = w().PaintB->size(); // anywhere, or a little beyond the edges
        return {below(size.width() + 120) - 60, below(size.height() + 120) - 60};
    }

    void board() {
        QWidget *b = w().PaintB;
        const int roll = below(100);
        if (roll < 45) {
            QTest::mouseMove(b, boardPoint());
        } else if (m_buttonDown) {
            releaseButton();
        } else if (roll < 95) {
            m_heldButton = chance(900) ? Qt::LeftButton : Qt::RightButton;
            QTest::mousePress(b, m_heldButton, {}, boardPoint());
            m_buttonDown = true;
        } else {
            QTest::mouseDClick(b, Qt::LeftButton, {}, boardPoint());
        }
    }

    void releaseButton() {
        if (m_buttonDown) QTest::mouseRelease(w().PaintB, m_heldButton, {}, boardPoint());
        m_buttonDown = false;
    }

    void tick() {
        if (w().Timer_sec->isActive()) runGuarded([this] { w().Timer_secTimer(); });
    }

    void button() {
        releaseButton();
        const int roll = below(1000), newShare = m_mood == Drawing ? 5 : 300;
        QPushButton *b = roll < newShare                          ? w().ButtonNew
                         : roll < newShare + 300                  ? w().ButtonReady
                         : roll < (m_mood == Drawing ? 610 : 900) ? w().buttonCheck
                                                                  : nullptr;
        b ? QTest::mouseClick(b, Qt::LeftButton) : roll < 995 ? settingsDialog() : endAndStartAgain();
    }

    // Clicks beside the board, comes back to the main window, or closes the About box.
    void other() {
        releaseButton();
        FormA *about = w().formA();
        const int roll = below(100);
        if (roll < 50) {
            QWidget *beside[] = {w().Panel2, w().Image1, w().Image2, w().Image3, w().Panel1, w().Pro1};
            QWidget *target = beside[below(6)];
            QTest::mouseClick(target, Qt::LeftButton, {},
                              QPoint(below(target->width()), below(target->height())));
        } else if (roll < 80) {
            w().activateWindow();
            QCoreApplication::processEvents();
        } else if (about && about->isVisible()) {
            QTest::mouseClick(about->Button1, Qt::LeftButton);
        }
    }

    // Types into the settings dialog, maybe opens the About box, and leaves with OK,
    // Cancel or the close box, all inside the dialog's own modal loop.
    void settingsDialog() {
        ++dialogs;
        FormSet &dialog = *w().formSet();
        bool stayedOpen = false;
        QTimer::singleShot(0, &dialog, [&] {
            if (!QTest::qWaitFor([&] { return dialog.isVisible(); })) return;
            for (int i = below(6); i > 0; --i) {
                QLineEdit *field = chance(500) ? dialog.EditT1 : dialog.Edit1;
                const int roll = below(100);
                const char keys[] = "0123456789012345678901234567890123456789a-+ ";
                if (roll < 60) {
                    QTest::keyClicks(field, QString(QLatin1Char(keys[below(int(sizeof keys) - 1)])));
                } else if (roll < 85) { // one character back, or all of them
                    if (roll >= 75) QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
                    QTest::keyClick(field, Qt::Key_Backspace);
                } else if (roll < 93) {
                    QTest::mouseClick(dialog.Button3, Qt::LeftButton); // About
                    aboutBoxes += w().formA() && w().formA()->isVisible();
                } else {
                    tick(); // the countdown runs on behind the dialog
                }
            }
            const int leave = below(10);
            leave < 5   ? QTest::mouseClick(dialog.Button1, Qt::LeftButton)
            : leave < 9 ? QTest::mouseClick(dialog.Button2, Qt::LeftButton)
                        : void(dialog.close());
            if ((stayedOpen = dialog.isVisible())) dialog.reject();
        });
        QTest::mouseClick(w().ButtonSet, Qt::LeftButton);
        if (stayedOpen) m_errors << QStringLiteral("the settings dialog did not close");
    }

    // End closes the main window and saves; the next run must find what this one had
    // (a start raises a line count or grid size below 3 to 3).
    void endAndStartAgain() {
        QTest::mouseClick(w().ButtonEnd, Qt::LeftButton);
        if (w().isVisible()) return void(m_errors << QStringLiteral("End left the main window open"));
        auto kept = [](const GameState &s) {
            return std::tuple(s.Level, std::max(s.Time1, 1), std::max(s.LineCount, 3), std::max(s.Range, 3),
                              s.Liniy_level, s.Range_level, s.TimeEnabled, s.ProEnabled);
        };
        const auto before = kept(g());
        m_game.reset();
        start();
        if (kept(g()) != before) m_errors << QStringLiteral("the next start lost settings");
    }

    QString check() {
        const GameState &s = g();
        if (!m_errors.isEmpty()) return QStringLiteral("reported: ") + m_errors.join(QStringLiteral(" | "));
        if (s.Phase == PhaseShowing) m_taskRange = s.Range; // New: a fresh drawing
        m_taskRange = std::max(m_taskRange, s.Range);       // the dialog's OK may widen the grid
        if (s.DrawnIndex < 1 || s.DrawnIndex > 101) return QStringLiteral("DrawnIndex %1").arg(s.DrawnIndex);
        const LineTable &d = s.DrawnLines;
        for (int i = 1; i <= LineTable::Slots; ++i)
            for (int32_t v : {d.X1[i], d.Y1[i], d.X2[i], d.Y2[i]})
                if (v != 0 && (v < 1 || v > m_taskRange))
                    return QStringLiteral("drawn slot %1: %2 on a grid of %3").arg(i).arg(v).arg(m_taskRange);
        for (auto [bar, view] : {std::pair{&s.Pro1, w().Pro1}, std::pair{&s.Pro2, w().Pro2}})
            if (bar->position() < 0 || bar->position() > bar->maximum() || view->value() != bar->position() ||
                view->maximum() != bar->maximum())
                return QString::asprintf("a bar at %d of %d shows %d of %d", bar->position(), bar->maximum(),
                                         view->value(), view->maximum());
        if (s.Level < 1 || s.Level > 15) return QStringLiteral("Level %1").arg(s.Level);
        if (s.Phase != PhaseShowing && s.Phase != PhaseAnswering && s.Phase != PhaseIdle)
            return QStringLiteral("Phase %1").arg(s.Phase);
        // New, Ready, Check, Settings, End per phase. A Check with a line open keeps
        // answering's buttons, only the countdown stops.
        const char *const expected[] = {"01011", "00111", "10011"};
        QString shown;
        for (QWidget *b : {w().ButtonNew, w().ButtonReady, w().buttonCheck, w().ButtonSet, w().ButtonEnd})
            shown += QLatin1Char(b->isEnabled() ? '1' : '0');
        if (shown != QLatin1String(expected[s.Phase]))
            return QStringLiteral("buttons %1 in phase %2").arg(shown).arg(s.Phase);
        if (w().Timer_sec->isActive() != (s.Phase == PhaseShowing) && s.Phase != PhaseAnswering)
            return QStringLiteral("the countdown is wrong in phase %1").arg(s.Phase);
        if (s.Phase == PhaseAnswering && s.FirstClick == 0 && s.LineInProgress == 0)
            return QStringLiteral("a line is half open: FirstClick 0 without a line in progress");
        return {};
    }

    std::mt19937 m_random;
    Mood m_mood = Balanced;
    std::unique_ptr<GameState> m_state;
    std::unique_ptr<Game> m_game;
    QStringList m_errors;
    bool m_buttonDown = false;
    Qt::MouseButton m_heldButton = Qt::LeftButton;
    int32_t m_taskRange = 0; // the widest grid the current drawing may have been made on
};

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stormKeepsTheGameConsistent() {
        bool ok = false;
        const uint32_t seed = qEnvironmentVariableIntValue("TESSARIN_MONKEY_SEED", &ok);
        Monkey m(ok ? seed : 20261206);
        for (int event = 1; event <= TESSARIN_MONKEY_EVENTS; ++event) {
            const QString wrong = m.step(event);
            if (!wrong.isEmpty())
                QFAIL(qPrintable(QStringLiteral("seed %1, event %2: %3").arg(m.seed).arg(event).arg(wrong)));
        }
        // Every corner of the game was reached.
        QVERIFY(m.intoLastSlot && m.checksWithLineOpen && m.levelChanges && m.dialogs && m.aboutBoxes &&
                m.starts > 1);
    }
};

TESSARIN_TEST_MAIN(TestMonkey)
#include "test_monkey.moc"
