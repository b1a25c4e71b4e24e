// A monkey at the keyboard and mouse: a seeded storm of real events on the game's
// windows (clicks on every button, presses, moves and releases on and off the board,
// the one-second tick, the settings dialog typed into and confirmed or cancelled, the
// About box opened and left, End and a new start). After every event the game's state
// must be one the game can be in. A failure names its seed and event number; the run is
// replayed with TESSARIN_MONKEY_SEED=<seed>.
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

constexpr uint32_t DefaultSeed = 20261206;
constexpr int EventCount = TESSARIN_MONKEY_EVENTS;

// How the monkey spends a stretch of events: now mostly drawing (long tasks that fill
// every slot of the drawing), now mostly pressing buttons, now letting time run.
enum class Mood { Balanced, Drawing, Buttons, Waiting };

class Monkey {
public:
    explicit Monkey(uint32_t seed) : m_seed(seed), m_random(seed) { start(); }
    ~Monkey() {
        m_game.reset();
        setErrorReporter({});
    }

    // Runs one event; returns what went wrong, or nothing.
    QString step(int event) {
        if (event % 1000 == 0) m_mood = Mood(below(4));
        const int roll = below(1000);
        switch (m_mood) {
        case Mood::Drawing:
            roll < 900 ? board() : roll < 990 ? tick() : button();
            break;
        case Mood::Buttons:
            roll < 300 ? board() : roll < 450 ? tick() : roll < 980 ? button() : other();
            break;
        case Mood::Waiting:
            roll < 300 ? board() : roll < 900 ? tick() : button();
            break;
        case Mood::Balanced:
            roll < 600 ? board() : roll < 800 ? tick() : roll < 970 ? button() : other();
            break;
        }
        const QString wrong = check();
        tally();
        return wrong;
    }

    uint32_t seed() const { return m_seed; }

    // What the storm reached, so that a change of the game that starves part of it shows.
    struct Reach {
        int lines = 0, intoLastSlot = 0, checks = 0, checksWithLineOpen = 0, levelChanges = 0, dialogs = 0,
            aboutBoxes = 0, starts = 0;
    } reach;

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(int perThousand) { return below(1000) < perThousand; }

    // A new run of the program on the settings the last one saved.
    void start() {
        m_state = std::make_unique<GameState>();
        m_game = std::make_unique<Game>(*m_state);
        setErrorReporter([this](const QString &text) { m_errors << text; });
        g().AppDir = QStringLiteral(TESSARIN_BUILD_DIR "/");
        // The monkey gives the ticks itself, so that a seed replays the same run.
        w().Timer_sec->setInterval(24 * 3600 * 1000);
        w().random().seed(m_seed + m_starts++);
        w().show();
        if (!QTest::qWaitForWindowExposed(&w())) m_errors << QStringLiteral("the main window was not shown");
        m_buttonDown = false;
        m_taskRange = g().Range;
        m_last = summary();
        m_aboutWasOpen = false;
        ++reach.starts;
    }

    GameState &g() { return *m_state; }
    Form1 &w() { return m_game->form1(); }

    // The few values that tell what an event did.
    struct Summary {
        int32_t phase, drawnIndex, level;
        uint8_t lineInProgress;
        bool timerOn;
    };
    Summary summary() {
        return {g().Phase, g().DrawnIndex, g().Level, g().LineInProgress, w().Timer_sec->isActive()};
    }

    // ---- events ----

    QPoint boardPoint() {
        const QSize size = w().PaintB->size();
        if (chance(400) && g().CellW > 0 && g().Range > 0) {
            // On a grid point, or near it: lines the same as earlier ones, taken back.
            const int gx = 1 + below(g().Range), gy = 1 + below(g().Range);
            return {gx * g().CellW + below(5) - 2, gy * g().CellH + below(5) - 2};
        }
        // Anywhere on the board, or a little beyond its edges.
        return {below(size.width() + 120) - 60, below(size.height() + 120) - 60};
    }

    void board() {
        QWidget *b = w().PaintB;
        const int roll = below(100);
        if (roll < 45) {
            QTest::mouseMove(b, boardPoint());
        } else if (!m_buttonDown) {
            if (roll < 95) {
                m_heldButton = chance(900) ? Qt::LeftButton : Qt::RightButton;
                QTest::mousePress(b, m_heldButton, {}, boardPoint());
                m_buttonDown = true;
            } else {
                QTest::mouseDClick(b, Qt::LeftButton, {}, boardPoint());
            }
        } else {
            QTest::mouseRelease(b, m_heldButton, {}, boardPoint());
            m_buttonDown = false;
        }
    }

    void releaseButton() {
        if (!m_buttonDown) return;
        QTest::mouseRelease(w().PaintB, m_heldButton, {}, boardPoint());
        m_buttonDown = false;
    }

    void tick() {
        // The timer ticks only while it runs.
        if (w().Timer_sec->isActive()) runGuarded([this] { w().Timer_secTimer(); });
    }

    void button() {
        releaseButton();
        const int roll = below(1000);
        const int newShare = m_mood == Mood::Drawing ? 5 : 300;
        if (roll < newShare) {
            QTest::mouseClick(w().ButtonNew, Qt::LeftButton);
        } else if (roll < newShare + 300) {
            QTest::mouseClick(w().ButtonReady, Qt::LeftButton);
        } else if (roll < (m_mood == Mood::Drawing ? 610 : 900)) {
            QTest::mouseClick(w().buttonCheck, Qt::LeftButton);
        } else if (roll < 995) {
            settingsDialog();
        } else {
            endAndStartAgain();
        }
    }

    // Clicks beside the board, into the About box's company, or closes the box.
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
            // The player clicks into the main window, maybe coming from the About box.
            w().activateWindow();
            QCoreApplication::processEvents();
        } else if (about && about->isVisible()) {
            QTest::mouseClick(about->Button1, Qt::LeftButton); // its OK: the box goes
        }
    }

    // Opens the settings dialog, types into it, maybe opens the About box, and leaves
    // with OK, Cancel or the close box, all inside the dialog's own modal loop.
    void settingsDialog() {
        ++reach.dialogs;
        FormSet &dialog = *w().formSet();
        bool stayedOpen = false;
        QTimer::singleShot(0, &dialog, [&] {
            if (!QTest::qWaitFor([&] { return dialog.isVisible(); })) return;
            for (int i = below(6); i > 0; --i) {
                QLineEdit *field = chance(500) ? dialog.EditT1 : dialog.Edit1;
                const int roll = below(100);
                if (roll < 60) {
                    const char keys[] = "0123456789012345678901234567890123456789a-+ ";
                    QTest::keyClicks(field, QString(QLatin1Char(keys[below(int(sizeof keys) - 1)])));
                } else if (roll < 75) {
                    QTest::keyClick(field, Qt::Key_Backspace);
                } else if (roll < 85) {
                    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
                    QTest::keyClick(field, Qt::Key_Delete);
                } else if (roll < 93) {
                    QTest::mouseClick(dialog.Button3, Qt::LeftButton); // About
                } else {
                    tick(); // the countdown runs on behind the dialog
                }
            }
            const int leave = below(10);
            if (leave < 5)
                QTest::mouseClick(dialog.Button1, Qt::LeftButton); // OK
            else if (leave < 9)
                QTest::mouseClick(dialog.Button2, Qt::LeftButton); // Cancel
            else
                dialog.close(); // the close box
            stayedOpen = dialog.isVisible();
            if (stayedOpen) dialog.reject();
        });
        QTest::mouseClick(w().ButtonSet, Qt::LeftButton);
        if (stayedOpen) m_errors << QStringLiteral("the settings dialog did not close");
    }

    // End closes the main window, which ends the run; the next run must find in the
    // settings store what this one had.
    void endAndStartAgain() {
        QTest::mouseClick(w().ButtonEnd, Qt::LeftButton);
        if (w().isVisible()) {
            m_errors << QStringLiteral("End left the main window open");
            return;
        }
        struct Kept {
            int32_t Level, Time1, LineCount, Range;
            QString Liniy_level, Range_level;
            uint8_t TimeEnabled, ProEnabled;
            bool operator==(const Kept &) const = default;
        };
        // A new start raises a line count or grid size below 3 to 3.
        auto kept = [](const GameState &s) {
            return Kept{s.Level,
                        std::max(s.Time1, 1),
                        std::max(s.LineCount, 3),
                        std::max(s.Range, 3),
                        s.Liniy_level,
                        s.Range_level,
                        s.TimeEnabled,
                        s.ProEnabled};
        };
        const Kept before = kept(g());
        m_game.reset(); // saves
        start();
        const Kept after = kept(g());
        if (!(after == before))
            m_errors << QStringLiteral("the next start lost settings: level %1 -> %2, showing time %3 -> %4")
                            .arg(before.Level)
                            .arg(after.Level)
                            .arg(before.Time1)
                            .arg(after.Time1);
    }

    // ---- the state the game must be in after every event ----

    void tally() {
        const Summary now = summary();
        reach.lines += now.drawnIndex > m_last.drawnIndex;
        reach.intoLastSlot += now.drawnIndex == 101 && m_last.drawnIndex == 100;
        reach.checks += now.phase == PhaseIdle && m_last.phase == PhaseAnswering;
        reach.checksWithLineOpen +=
            now.phase == PhaseAnswering && now.lineInProgress == 1 && m_last.timerOn && !now.timerOn;
        reach.levelChanges += now.level != m_last.level;
        const bool aboutOpen = w().formA() && w().formA()->isVisible();
        reach.aboutBoxes += aboutOpen && !m_aboutWasOpen;
        m_aboutWasOpen = aboutOpen;
        m_last = now;
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
                    return QStringLiteral("drawn slot %1 holds coordinate %2 on a grid of %3")
                        .arg(i)
                        .arg(v)
                        .arg(m_taskRange);

        for (auto [bar, view, name] :
             {std::tuple{&s.Pro1, w().Pro1, "Pro1"}, std::tuple{&s.Pro2, w().Pro2, "Pro2"}}) {
            if (bar->position() < 0 || bar->position() > bar->maximum())
                return QStringLiteral("%1 at %2 of %3").arg(name).arg(bar->position()).arg(bar->maximum());
            if (view->value() != bar->position() || view->maximum() != bar->maximum())
                return QStringLiteral("%1 shows %2 of %3, holds %4 of %5")
                    .arg(name)
                    .arg(view->value())
                    .arg(view->maximum())
                    .arg(bar->position())
                    .arg(bar->maximum());
        }
        if (s.Level < 1 || s.Level > 15) return QStringLiteral("Level %1").arg(s.Level);

        // The command buttons per phase. A Check with a line open leaves the task in
        // answering with answering's buttons, only the countdown stopped.
        struct Buttons {
            bool newOn, readyOn, checkOn;
        };
        Buttons expected;
        switch (s.Phase) {
        case PhaseShowing:
            expected = {false, true, false};
            break;
        case PhaseAnswering:
            expected = {false, false, true};
            break;
        case PhaseIdle:
            expected = {true, false, false};
            break;
        default:
            return QStringLiteral("Phase %1").arg(s.Phase);
        }
        const Buttons shown{w().ButtonNew->isEnabled(), w().ButtonReady->isEnabled(),
                            w().buttonCheck->isEnabled()};
        if (shown.newOn != expected.newOn || shown.readyOn != expected.readyOn ||
            shown.checkOn != expected.checkOn)
            return QStringLiteral("in phase %1 New/Ready/Check are %2/%3/%4")
                .arg(s.Phase)
                .arg(shown.newOn)
                .arg(shown.readyOn)
                .arg(shown.checkOn);
        if (!w().ButtonSet->isEnabled() || !w().ButtonEnd->isEnabled())
            return QStringLiteral("Settings or End disabled");
        if (s.Phase == PhaseIdle && w().Timer_sec->isActive())
            return QStringLiteral("the countdown runs in idle");
        if (s.Phase == PhaseShowing && !w().Timer_sec->isActive())
            return QStringLiteral("the countdown stands while the task is shown");
        if (s.Phase == PhaseAnswering && s.FirstClick == 0 && s.LineInProgress == 0)
            return QStringLiteral("a line is half open: FirstClick 0 without a line in progress");
        return {};
    }

    uint32_t m_seed;
    std::mt19937 m_random;
    Mood m_mood = Mood::Balanced;
    std::unique_ptr<GameState> m_state;
    std::unique_ptr<Game> m_game;
    QStringList m_errors;
    bool m_buttonDown = false;
    Qt::MouseButton m_heldButton = Qt::LeftButton;
    int32_t m_taskRange = 0; // the widest grid the current drawing may have been made on
    uint32_t m_starts = 0;
    Summary m_last{};
    bool m_aboutWasOpen = false;
};

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stormKeepsTheGameConsistent() {
        bool ok = false;
        const uint32_t seed = qEnvironmentVariableIntValue("TESSARIN_MONKEY_SEED", &ok);
        Monkey monkey(ok ? seed : DefaultSeed);
        for (int event = 1; event <= EventCount; ++event) {
            const QString wrong = monkey.step(event);
            if (!wrong.isEmpty())
                QFAIL(qPrintable(
                    QStringLiteral("seed %1, event %2: %3").arg(monkey.seed()).arg(event).arg(wrong)));
        }
        const Monkey::Reach &r = monkey.reach;
        qInfo("%d events: %d lines (%d into the last slot), %d checks (%d with a line open), "
              "%d level changes, %d settings dialogs, %d About boxes, %d starts",
              EventCount, r.lines, r.intoLastSlot, r.checks, r.checksWithLineOpen, r.levelChanges, r.dialogs,
              r.aboutBoxes, r.starts);
        // Every corner of the game was reached.
        QVERIFY(r.lines > 0 && r.intoLastSlot > 0 && r.checks > 0 && r.checksWithLineOpen > 0);
        QVERIFY(r.levelChanges > 0 && r.dialogs > 0 && r.aboutBoxes > 0 && r.starts > 1);
    }
};

TESSARIN_TEST_MAIN(TestMonkey)
#include "test_monkey.moc"
