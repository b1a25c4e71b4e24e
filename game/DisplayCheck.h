#pragma once

#include <QString>

// Whether the windowing system will find a display, asked before any window exists: a Qt
// that finds none aborts with a message that sends the player to reinstall it. The
// game asks the way Qt chooses: the platforms named by QT_QPA_PLATFORM (or -platform)
// in their order, else Wayland when a Wayland session is announced and then X.

// What the choice depends on, as the environment and the command line give it.
struct DisplayEnvironment {
    QString platform;                // QT_QPA_PLATFORM or -platform: names separated by ';'
    QString waylandDisplay;          // WAYLAND_DISPLAY
    QString xDisplay;                // DISPLAY or -display
    QString runtimeFolder;           // XDG_RUNTIME_DIR, where a Wayland display's socket lies
    bool waylandSession = false;     // XDG_SESSION_TYPE is "wayland"
    bool waylandSocketGiven = false; // WAYLAND_SOCKET: a connection handed over by the launcher
};

DisplayEnvironment displayEnvironment(int argc, char **argv);

// Why none of the displays that would be tried can be reached, or an empty text when one
// can. Platforms that need no display (offscreen, a frame buffer) are always reachable.
QString unreachableDisplay(const DisplayEnvironment &environment);
