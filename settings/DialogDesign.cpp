#include "settings/DialogDesign.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace DialogDesign {

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

void applyLook(QWidget *window, const QFont &font) {
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, Colour);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    window->setFont(font);
}

void makePlainButton(QPushButton *button, const QRect &designGeometry) {
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setGeometry(
        scaled(designGeometry.x(), designGeometry.y(), designGeometry.width(), designGeometry.height()));
}

} // namespace DialogDesign
