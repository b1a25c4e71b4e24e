#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QWidget>

class QDialog;
class QEvent;
class QPushButton;

// The look shared by the settings dialog and the About box. Both are laid out in
// pixels of a 120-dpi design, scaled to the screen's logical resolution as the main
// window is.
namespace DialogDesign {

// 0x0099CCFF: light orange, the colour of the panels and dialogs.
inline const QColor Colour{0xFF, 0xCC, 0x99};

double scale();
int scaled(int designPixels);
QRect scaled(int left, int top, int width, int height);

// "MS Sans Serif", the settings dialog's font, or its nearest relative here.
QFont sansSerif(int designPixelSize, bool bold = false);
// "Arial", the About box's font, or its nearest relative here.
QFont arial(int designPixelSize, bool bold = false);

// Paints the window in the dialogs' colour and gives it the font.
void applyLook(QWidget *window, const QFont &font);

// A button that neither Enter nor Escape presses: the dialogs have no default button.
void makePlainButton(QPushButton *button, const QRect &designGeometry);

// A fixed-size dialog with a caption bar and a close box only: the window manager is
// asked for no minimise, maximise or resize. It stays centred by its outer frame: see
// centreOnScreen.
void makeFixedDialog(QDialog *dialog);

// Places the window so that its outer frame is centred on the screen. Before the window
// manager has framed it, the frame is assumed to be that of the last dialog framed (none
// without a window manager); the first exposure after a showing centres it again should
// the real frame differ.
void centreOnScreen(QWidget *window);

// Some window managers offer minimise on every dialog whatever it asks for, and take the
// main window along; a dialog that finds itself minimised comes straight back. Called
// from the dialog's changeEvent.
void refuseMinimising(QWidget *dialog, QEvent *event);

} // namespace DialogDesign
