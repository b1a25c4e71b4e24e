#pragma once

// What the tests of the windows share: their main, the game started the way the program
// starts it, a task answered with real mouse events on the board, and the dialogs walked
// as the player walks them.

#include "CoreTestMain.h"
#include "LineTables.h"
#include "board/BoardDrawing.h"
#include "game/ErrorHandler.h"
#include "game/Game.h"
#include "settings/DesktopShell.h"

#include <QLineEdit>
#include <QSettings>
#include <memory>

// ---- The test main --------------------------------------------------------------------

// The screens a window test runs on, set as its main starts, before the application exists.
// They are the offscreen platform's, which window tests run on unless another is named.
struct TestScreens {
    QByteArray described = {};          // a screen description of ours; empty: the platform's own
    QByteArray scaleFactors = {};       // Qt's own scaling per screen, as a desktop's setting gives it
    QByteArray fonts = {};              // a fontconfig file for every family the game asks for
    bool evenOnAnotherPlatform = false; // pictures compared pixel for pixel hold on these alone
};

inline void useScreens(const TestScreens &screens) {
    if (!screens.fonts.isEmpty()) qputenv("FONTCONFIG_FILE", screens.fonts);
    if (screens.described.isEmpty()) return;
    if (qgetenv("QT_QPA_PLATFORM") != "offscreen" && !screens.evenOnAnotherPlatform) return;
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.described);
    if (!screens.scaleFactors.isEmpty()) qputenv("QT_SCREEN_SCALE_FACTORS", screens.scaleFactors);
}

// A 1024x768 screen: the board is 618 pixels, the grid points 56 apart at Range 10. Beside
// it, below, a 3840x2160 screen at 200 %: 1920x1080 logical pixels at a device-pixel ratio of 2.
inline const TestScreens Screen1024x768{.described = TESSARIN_TESTS_DIR "/screen-1024x768.json",
                                        .scaleFactors = "Screen1024x768=1;Screen3840x2160at200=2"};

// Runs a QtTest class of the windows in the game's own application, on the screens given
// if any, with a fresh, empty settings location.
#define TESSARIN_TEST_MAIN(TestClass, ...)                                                                   \
    TESSARIN_TEST_MAIN_WITH(Application, TestClass, useScreens(TestScreens{__VA_ARGS__}))

// ---- Starting the game as the program does --------------------------------------------

// Starts the game and waits for what follows the main window's first frame: the dialogs
// and the framing pictures.
inline void startGame(Game &game) {
    game.start();
    if (!QTest::qWaitFor([&] { return game.started() && game.form1().windowHandle()->isExposed(); }))
        qFatal("The main window's first frame never came.");
}

// The game with its three windows, started from an emptied settings store (whatever an
// earlier test saved) unless told otherwise, its cues taken from `appDir` if given; errors
// and shell requests are recorded instead of shown.
struct StartedGame {
    enum class Store { Emptied, AsItIs };
    QStringList errors;
    QList<QUrl> opened;
    GameState g;
    std::unique_ptr<Game> game;
    Form1 &w;

    explicit StartedGame(const QString &appDir = {}, Store store = Store::Emptied)
        : game(recorded(appDir, store)), w(game->form1()) {
        startGame(*game);
    }
    ~StartedGame() {
        game.reset(); // it saves the settings, errors still recorded
        setShellOpener({});
        setErrorReporter({});
    }

private:
    std::unique_ptr<Game> recorded(const QString &appDir, Store store) {
        if (store == Store::Emptied) QSettings("Orv", "Tessarin").clear();
        setErrorReporter([this](const QString &text) { errors << text; });
        setShellOpener([this](const QUrl &target) {
            opened << target;
            return true;
        });
        auto made = std::make_unique<Game>(g);
        if (!appDir.isEmpty()) g.AppDir = appDir;
        return made;
    }
};

// Destroys the windows, which saves the settings, and fails the test on any error
// reported meanwhile.
template <typename Started> void finish(std::unique_ptr<Started> &t) {
    t->game.reset();
    const QStringList errors = std::exchange(t, nullptr)->errors;
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
}

// ---- Answering a task -----------------------------------------------------------------

// What the player sees of a task's course, as flowOf reads it off the main window.
struct FlowState {
    int phase;
    QString enabled; // those of New, Ready and Check that take a click
    QString status;
    bool counting; // the timer runs
    int secondsLeft;
    bool operator==(const FlowState &) const = default;
};

inline char *toString(const FlowState &f) {
    const QString phase =
        QStringList{"showing", "answering", "idle"}.value(f.phase, QString::number(f.phase));
    return QTest::toString(QStringLiteral("%1, enabled: %2, status \"%3\", %4, %5 seconds left")
                               .arg(phase, f.enabled, f.status, f.counting ? "counting" : "not counting")
                               .arg(f.secondsLeft));
}

inline FlowState flowOf(const Form1 &w, const GameState &g) {
    QStringList enabled;
    for (const QPushButton *button : {w.ButtonNew, w.ButtonReady, w.buttonCheck})
        if (button->isEnabled()) enabled << button->text();
    return {g.Phase, enabled.join(u' '), w.Panel2->text(), w.Timer_sec->isActive(), g.SecondsLeft};
}

inline const QString BuildDir = QStringLiteral(TESSARIN_BUILD_DIR "/");

// The started game on Screen1024x768, brought to the answering time by its own buttons
// and played with real mouse events on the board, its cues taken from the build folder.
class AnsweringBoard : public StartedGame {
public:
    static constexpr int Range = 10;
    static constexpr int Cell = 56;

    explicit AnsweringBoard(const QString &appDir = BuildDir) : StartedGame(appDir) {}

    // New on a grid of `Range` points per side, then Ready unless told otherwise: the
    // task is hidden and the board takes lines.
    bool startAnswering(bool ready = true) {
        g.levels.setCell(g.Level, LevelTable::RangeRow, QString::number(Range));
        g.levels.setCell(g.Level, LevelTable::LineCountRow, QStringLiteral("3"));
        QTest::mouseClick(w.ButtonNew, Qt::LeftButton);
        if (ready) QTest::mouseClick(w.ButtonReady, Qt::LeftButton);
        return g.Phase == (ready ? PhaseAnswering : PhaseShowing) && g.CellW == Cell && g.CellH == Cell;
    }

    static QPoint pixelOf(int gx, int gy) { return {gx * Cell, gy * Cell}; }
    // Events go through the window system, which keeps the mouse with the board from
    // press to release, wherever the release happens.
    QPoint inWindow(QPoint boardPixel) const { return w.PaintB->mapTo(&w, boardPixel); }
    void press(QPoint p) { QTest::mousePress(w.windowHandle(), Qt::LeftButton, {}, inWindow(p)); }
    void move(QPoint p) { QTest::mouseMove(w.windowHandle(), inWindow(p)); }
    void release(QPoint p) {
        if (!w.rect().contains(inWindow(p)))
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("outside target window"));
        QTest::mouseRelease(w.windowHandle(), Qt::LeftButton, {}, inWindow(p));
    }
    void click(QPoint p) { press(p), release(p); }
    // Two clicks, moving in between.
    void enterLine(QPoint from, QPoint to) {
        click(from);
        move((from + to) / 2 + QPoint(1, 1));
        click(to);
    }
    void enterLine(const QLine &l) { enterLine(pixelOf(l.x1(), l.y1()), pixelOf(l.x2(), l.y2())); }

    QLine drawnLine(int slot) const { return lineAt(g.DrawnLines, slot); }
    const QImage &image() const { return w.canvas().image(); }
    QRgb pixel(QPoint p) const { return image().pixel(p) & 0xFFFFFF; }
    // Moves the main window to the screen beside, of twice the pixels.
    bool moveToDenseScreen() {
        QScreen *dense = QGuiApplication::screens().value(1);
        if (!dense || dense->devicePixelRatio() != 2) return false;
        // As a window manager moves a full-screen window: over the whole of the other screen.
        w.windowHandle()->setScreen(dense);
        w.windowHandle()->setGeometry(dense->geometry());
        return QTest::qWaitFor([&] { return w.canvas().ratio() == 2; });
    }
};

// ---- Walking a dialog -----------------------------------------------------------------

// Presses the main window's Settings button; `whileOpen` runs inside the dialog's own
// event loop. Should it not close the dialog, it is cancelled, so that a failing test
// cannot hang.
inline void withSettingsOpen(Game &game, const std::function<void(FormSet &)> &whileOpen) {
    FormSet &dialog = game.formSet();
    QTimer::singleShot(0, &dialog, [&] {
        if (QTest::qWaitFor([&] { return dialog.isVisible(); })) whileOpen(dialog);
        if (dialog.isVisible()) dialog.reject();
    });
    QTest::mouseClick(game.form1().ButtonSet, Qt::LeftButton);
}

// A click delivered the way the window system delivers it, so that a window blocked
// by a modal dialog does not get it.
inline void clickThroughWindow(QWidget *widget) {
    QWidget *window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(window, widget->rect().center()));
}

// Moves the focus into a window as the player's click into it would.
inline bool activate(QWidget *window) {
    window->activateWindow();
    return QTest::qWaitFor([&] { return QApplication::activeWindow() == window; });
}

// Empties a field the way the player does: select all, then delete.
inline void emptyField(QLineEdit *field) {
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
}

// Whether any pixel of the image has the colour.
inline bool shows(const QImage &image, QRgb colour) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) return true;
    return false;
}
