#pragma once

#include "game/ErrorHandler.h"

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <cstdint>

class QDialog;
class QEvent;
class QPushButton;

// Colours of the game are given as 0x00BBGGRR values.
constexpr QRgb fromBgr(uint32_t bgr) {
    return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

// The game's colours, the board's and the windows'.
namespace BoardColors {
constexpr QRgb Background = fromBgr(0x00EEFFEA);  // the main window's colour: very pale mint
constexpr QRgb Ink = fromBgr(0x00000000);         // grid dots and frame
constexpr QRgb TaskShowing = fromBgr(0x00FF0000); // blue
constexpr QRgb TaskChecked = fromBgr(0x000000FF); // red
constexpr QRgb Player = fromBgr(0x0099CCFF);      // light orange, also the panels' and dialogs'
constexpr QRgb Navy = fromBgr(0x00800000);        // the settings dialog's title, the focus mark
} // namespace BoardColors

// The look and the plumbing the game's three windows share. They are laid out in pixels
// of a 120-dpi design, scaled to the screen's logical resolution.
namespace WindowDesign {

double scale();
int scaled(int designPixels);
QRect scaled(int left, int top, int width, int height);

// "MS Sans Serif", the settings dialog's font, or its nearest relative here.
QFont sansSerif(int designPixelSize, bool bold = false);
// "Arial", the About box's font, or its nearest relative here.
QFont arial(int designPixelSize, bool bold = false);

// Paints the widget in the panels' and dialogs' light orange.
void paintAsPanel(QWidget *widget);
// Paints the window in the dialogs' colour and gives it the font.
void applyLook(QWidget *window, const QFont &font);

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

// Connects a signal to a handler of `receiver` that runs under the error handler: an
// error that escapes it is shown, and the event loop goes on.
template <class Sender, class Signal, class Receiver>
void connectGuarded(Sender *sender, Signal signal, Receiver *receiver, void (Receiver::*handler)()) {
    QObject::connect(sender, signal, receiver,
                     [receiver, handler] { runGuarded([=] { (receiver->*handler)(); }); });
}

// Keeps `previous` naming the window that held the focus before the one being
// activated: Qt announces a focus change after the windows' own activation events, so
// during those it still names the window the player came from.
void rememberActiveWindow(QObject *owner, QPointer<QWidget> &previous);

} // namespace WindowDesign
