#pragma once

// Helpers for tests that drive the settings dialog and the About box for real.

#include "TestMain.h"
#include "game/Game.h"
#include "settings/DesktopShell.h"

#include <QLineEdit>
#include <QSettings>

// One game with its three windows, started the way the program starts it from an empty
// settings store (whatever an earlier test saved), its cues taken from `appDir` if given;
// errors and shell requests are recorded instead of shown.
struct DialogGame {
    QStringList errors;
    QList<QUrl> opened;
    GameState g;
    std::unique_ptr<Game> game;

    explicit DialogGame(const QString &appDir = {}) {
        QSettings("Orv", "Tessarin").clear();
        setErrorReporter([this](const QString &text) { errors << text; });
        setShellOpener([this](const QUrl &target) {
            opened << target;
            return true;
        });
        game = std::make_unique<Game>(g);
        if (!appDir.isEmpty()) g.AppDir = appDir;
        startGame(*game);
    }
    ~DialogGame() {
        game.reset(); // it saves the settings, errors still recorded
        setShellOpener({});
        setErrorReporter({});
    }
};

// Whether any pixel of the image has the colour.
inline bool shows(const QImage &image, QRgb colour) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) return true;
    return false;
}

// Destroys the windows, which saves the settings, and fails the test on any error
// reported meanwhile.
inline void finish(std::unique_ptr<DialogGame> &t) {
    t->game.reset();
    const QStringList errors = std::exchange(t, nullptr)->errors;
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
}

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
