#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <cstdint>

class QWidget;

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

// The look the game's three windows share. They are laid out in pixels of a 120-dpi
// design, scaled to the screen's logical resolution.
namespace WindowLook {

double scale();
int scaled(int designPixels);
QRect scaled(int left, int top, int width, int height);
QRect scaled(const QRect &designGeometry);

// "MS Sans Serif", the settings dialog's font, or its nearest relative here.
QFont sansSerif(int designPixelSize, bool bold = false);
// "Arial", the About box's font, or its nearest relative here.
QFont arial(int designPixelSize, bool bold = false);

// Paints the widget in the panels' and dialogs' light orange.
void paintAsPanel(QWidget *widget);
// Paints the window in the dialogs' colour and gives it the font.
void applyLook(QWidget *window, const QFont &font);

} // namespace WindowLook
