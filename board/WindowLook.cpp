#include "board/WindowLook.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace WindowLook {

namespace {

constexpr double DesignDpi = 120.0;

QFont designFont(const QStringList &families, int designPixelSize, bool bold) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(std::max(1, qRound(designPixelSize * scale())));
    font.setBold(bold);
    return font;
}

} // namespace

double scale() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() / DesignDpi : 1.0;
}

int scaled(int designPixels) {
    return qRound(designPixels * scale());
}

QRect scaled(int left, int top, int width, int height) {
    return QRect(scaled(left), scaled(top), scaled(width), scaled(height));
}

QRect scaled(const QRect &designGeometry) {
    return scaled(designGeometry.x(), designGeometry.y(), designGeometry.width(), designGeometry.height());
}

QFont sansSerif(int designPixelSize, bool bold) {
    return designFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                       QStringLiteral("DejaVu Sans")},
                      designPixelSize, bold);
}

QFont arial(int designPixelSize, bool bold) {
    return designFont({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                       QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")},
                      designPixelSize, bold);
}

// A palette, not a style sheet: that would bring the style-sheet machinery into start-up
// for a few coloured rectangles.
void paintAsPanel(QWidget *widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor(BoardColors::Player));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void applyLook(QWidget *window, const QFont &font) {
    paintAsPanel(window);
    window->setFont(font);
}

} // namespace WindowLook
