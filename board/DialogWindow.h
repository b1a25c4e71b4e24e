#pragma once

#include <QPointer>
#include <QRect>
#include <QSize>

class QDialog;
class QEvent;
class QObject;
class QPushButton;
class QWidget;

// How the game's dialogs behave as windows: fixed in size, centred over the game,
// never minimised.
namespace DialogWindow {

// The space, in design pixels, that a dialog leaves right of and below its far buttons:
// the design's outer size is their far corner plus 30, which leaves this inside a frame.
constexpr QSize ButtonMargin(22, 12);

// A button that neither Enter nor Escape presses: the dialogs have no default button.
void makePlainButton(QPushButton *button, const QRect &designGeometry);

// A fixed-size dialog with a caption bar and a close box only: the window manager is
// asked for no minimise, maximise or resize. It stays centred by its outer frame: see
// centreOnScreen.
void makeFixedDialog(QDialog *dialog);

// Makes the dialog's native window, long before its first showing: names `owner`, the
// main window, to the window system as the window it belongs to (a Wayland compositor
// hears it with the dialog's first showing, an X window manager at every mapping), and
// asks the X window manager which frame it will give the dialog.
void prepareDialog(QDialog *dialog, QWidget *owner);

// Places the window so that its outer frame is centred on the screen its owner stands on,
// the top-left corner on the screen whatever the window's size. The frame is the one the
// X window manager says it gives the window, told before the first mapping when asked by
// prepareDialog (a dialog shown for the first time waits a moment for that answer); the
// frame of the last dialog framed where nobody told (none without a window manager). The
// first exposure after a showing centres the window again should the real frame differ.
void centreOnScreen(QWidget *window);

// Some window managers offer minimise on every dialog whatever it asks for, and take the
// main window along; a dialog that finds itself minimised comes straight back. Called
// from the dialog's changeEvent.
void refuseMinimising(QWidget *dialog, QEvent *event);

// Keeps `previous` naming the window that held the focus before the one being
// activated: Qt announces a focus change after the windows' own activation events, so
// during those it still names the window the player came from.
void rememberActiveWindow(QObject *owner, QPointer<QWidget> &previous);

} // namespace DialogWindow
