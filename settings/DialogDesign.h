#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QWidget>

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

} // namespace DialogDesign
