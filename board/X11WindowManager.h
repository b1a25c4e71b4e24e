#pragma once

#include <QMargins>
#include <optional>

class QWindow;

// What the X window manager says about the game's windows, asked over the X connection
// Qt uses. Every question is one round trip to the X server, never a wait for the
// manager, so a manager that does not answer holds nothing up. Away from X (Wayland, the
// offscreen platform) there is no manager to ask: nothing runs and no frame is known.
namespace X11WindowManager {

// Whether a window manager runs on the window's screen: the root window names a
// supporting window that exists (a manager that ended leaves the name behind).
bool running(const QWindow *window);

// Whether a running manager says it answers requestFrameExtents (openbox, mutter and
// xfwm4 do; kwin 5 does not, and tells a window's frame only once it has framed it).
bool answersFrameRequests(const QWindow *window);

// Asks the manager which frame it will give the window, before the window is mapped; it
// answers by setting the window's frame extents, which frameExtents reads.
void requestFrameExtents(QWindow *window);

// The frame the manager gives, or will give, the window, in the window's own pixels;
// nothing when the manager has not said.
std::optional<QMargins> frameExtents(const QWindow *window);

} // namespace X11WindowManager
