#pragma once

// Helpers for tests that drive the settings dialog and the About box for real.

#include "game/Startup.h"

#include <QLineEdit>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <functional>

// The settings and level the game starts with on a fresh machine, whatever an earlier
// test of the same program left in the settings store.
inline void resetToDefaults(GameState &g) {
    g.Time1 = 10;
    g.Time2 = 10000;
    g.TimeEnabled = 1;
    g.ProEnabled = 1;
    g.Level = 2;
    g.Range = 3;
    g.LineCount = 3;
    g.Liniy_level = LevelTable::DefaultLiniyLevel;
    g.Range_level = LevelTable::DefaultRangeLevel;
    g.levels.load(g.Liniy_level, g.Range_level);
}

// Everything the settings dialog may change.
struct StoredSettings {
    int32_t Time1, Time2, Level, Range, LineCount;
    uint8_t TimeEnabled, ProEnabled;
    QString Liniy_level, Range_level;
    bool operator==(const StoredSettings &) const = default;
};

inline StoredSettings storedSettings(const GameState &g) {
    return {g.Time1,       g.Time2,      g.Level,       g.Range,      g.LineCount,
            g.TimeEnabled, g.ProEnabled, g.Liniy_level, g.Range_level};
}

// Presses the main window's Settings button; `whileOpen` runs inside the dialog's own
// event loop and must close it. Should it not, the dialog is cancelled, so that a
// failing test cannot hang.
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
