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

// The X display the check opened, held until Qt has opened its own: an X server whose
// last client leaves starts over, and refuses new clients while it does.
struct xcb_connection_t;
class HeldDisplay {
public:
    HeldDisplay() = default;
    ~HeldDisplay() { release(); }
    HeldDisplay(const HeldDisplay &) = delete;
    HeldDisplay &operator=(const HeldDisplay &) = delete;
    void hold(xcb_connection_t *connection);
    void release();

private:
    xcb_connection_t *m_connection = nullptr;
};

// Why none of the displays that would be tried can be reached, or an empty text when one
// can. Platforms that need no display (offscreen, a frame buffer) are always reachable.
// An X display that answers is kept open in `held`, or closed at once without it.
QString unreachableDisplay(const DisplayEnvironment &environment, HeldDisplay *held = nullptr);
