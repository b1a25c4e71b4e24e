#include "emblem.h"

#include <QColor>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QPoint>
#include <QString>
#include <cmath>
#include <utility>

namespace {

const QColor mint(0xEA, 0xFF, 0xEE);
const QColor frame(0x00, 0x00, 0x00);
const QColor dot(0x00, 0x00, 0x00);
const QColor blue(0x00, 0x00, 0xFF);
const QColor red(0xFF, 0x00, 0x00);
const QColor orange(0xFF, 0xCC, 0x99);

// Design units: the tile is 16 x 16, its frame one unit wide, the grid points 3 units
// apart starting 3.5 units in, so that one-unit lines through them fill whole pixels.
constexpr int tileUnits = 16;
constexpr double gridStart = 3.5;
constexpr double gridStep = 3.0;
constexpr double dotDiameter = 1.3;
constexpr double lineWidth = 1.0;

struct MarkLine {
    QPoint from, to; // grid points, 0..3
    QColor colour;
    double width;
};

QPointF unitsOf(QPoint gridPoint) {
    return {gridStart + gridStep * gridPoint.x(), gridStart + gridStep * gridPoint.y()};
}

const QPoint corner1(0, 3), corner2(3, 3), corner3(3, 0), wrongCorner(1, 3);

const QList<MarkLine> iconLines = {
    {corner1, corner2, blue, lineWidth},
    {corner2, corner3, red, lineWidth},
    {corner3, corner1, orange, lineWidth},
};

const QList<MarkLine> shownTask = {
    {corner1, corner2, blue, lineWidth},
    {corner2, corner3, blue, lineWidth},
    {corner3, corner1, blue, lineWidth},
};

const QList<MarkLine> checkedTask = {
    {corner1, corner2, red, lineWidth},          {corner2, corner3, red, lineWidth},
    {corner3, corner1, red, lineWidth},          {corner1, corner2, orange, lineWidth * 0.6},
    {corner2, corner3, orange, lineWidth * 0.6}, {corner3, wrongCorner, orange, lineWidth * 0.8},
};

// Square ends close the corners where two straight lines meet; a slanting line with
// square ends would poke out beyond its corner.
Qt::PenCapStyle capOf(const MarkLine &line) {
    return line.from.x() == line.to.x() || line.from.y() == line.to.y() ? Qt::SquareCap : Qt::FlatCap;
}

// One tile, in units; the painter's transform maps units to pixels.
void paintTile(QPainter &painter, const QList<MarkLine> &lines, double dotSize = dotDiameter) {
    // Filled rather than stroked: the frame's corners stay solid at every size.
    painter.fillRect(QRectF(0, 0, tileUnits, tileUnits), frame);
    painter.fillRect(QRectF(1, 1, tileUnits - 2, tileUnits - 2), mint);

    painter.setPen(Qt::NoPen);
    painter.setBrush(dot);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y)
            painter.drawEllipse(unitsOf(QPoint(x, y)), dotSize / 2, dotSize / 2);

    for (const MarkLine &line : lines) {
        painter.setPen(QPen(line.colour, line.width, Qt::SolidLine, capOf(line)));
        painter.drawLine(unitsOf(line.from), unitsOf(line.to));
    }
}

QColor blend(const QColor &a, const QColor &b, double t) {
    return QColor(int(std::lround(a.red() + (b.red() - a.red()) * t)),
                  int(std::lround(a.green() + (b.green() - a.green()) * t)),
                  int(std::lround(a.blue() + (b.blue() - a.blue()) * t)));
}

QString svgColour(const QColor &colour) {
    return colour.name(QColor::HexRgb).toUpper();
}

} // namespace

QImage makeIcon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(double(size) / tileUnits, double(size) / tileUnits);
    // At one pixel per unit a one-unit dot fills exactly one pixel; anything larger
    // smears into its neighbours.
    paintTile(painter, iconLines, size <= tileUnits ? 1.0 : dotDiameter);
    return icon;
}

QByteArray makeIconSvg() {
    QString svg;
    svg += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                          "viewBox=\"0 0 16 16\">\n"
                          "  <title>Tessarin</title>\n");
    svg += QStringLiteral("  <!-- a tiny board: frame, 4 x 4 grid points -->\n");
    svg += QStringLiteral("  <rect width=\"16\" height=\"16\" fill=\"%1\"/>\n"
                          "  <rect x=\"1\" y=\"1\" width=\"14\" height=\"14\" fill=\"%2\"/>\n")
               .arg(svgColour(frame), svgColour(mint));
    svg += QStringLiteral("  <g fill=\"%1\">\n").arg(svgColour(dot));
    for (int y = 0; y < 4; ++y) {
        svg += QStringLiteral("   ");
        for (int x = 0; x < 4; ++x) {
            const QPointF c = unitsOf(QPoint(x, y));
            svg += QStringLiteral(" <circle cx=\"%1\" cy=\"%2\" r=\"%3\"/>")
                       .arg(c.x())
                       .arg(c.y())
                       .arg(dotDiameter / 2);
        }
        svg += QStringLiteral("\n");
    }
    svg += QStringLiteral("  </g>\n");
    svg += QStringLiteral("  <!-- the task shown in blue, checked in red, redrawn in light orange -->\n");
    svg += QStringLiteral("  <g>\n");
    for (const MarkLine &line : iconLines) {
        const QPointF a = unitsOf(line.from);
        const QPointF b = unitsOf(line.to);
        svg += QStringLiteral(
                   "    <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke=\"%5\" stroke-width=\"%6\" "
                   "stroke-linecap=\"%7\"/>\n")
                   .arg(a.x())
                   .arg(a.y())
                   .arg(b.x())
                   .arg(b.y())
                   .arg(svgColour(line.colour))
                   .arg(line.width)
                   .arg(capOf(line) == Qt::SquareCap ? "square" : "butt");
    }
    svg += QStringLiteral("  </g>\n</svg>\n");
    return svg.toUtf8();
}

QImage makeEmblem(int scale) {
    const QSize size(88, 46);
    const double tilePixels = 40.0;
    QImage canvas(size * scale, QImage::Format_RGB32);
    canvas.fill(mint);
    canvas.setDevicePixelRatio(scale); // drawn in pixels at 1x
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);
        const double scale = tilePixels / tileUnits;
        for (const auto &[left, lines] : {std::pair{2.0, shownTask}, std::pair{46.0, checkedTask}}) {
            painter.save();
            painter.translate(left, 3.0);
            painter.scale(scale, scale);
            paintTile(painter, lines);
            painter.restore();
        }
    }

    // At most sixteen colours: the design's own, orange over red, and two softened steps
    // of each towards the mint, which keep the edges smooth after the reduction.
    const QColor redOrange = blend(red, orange, 0.5);
    QList<QRgb> palette;
    for (const QColor &colour : {mint, frame, blue, red, orange, redOrange})
        palette.append(colour.rgb());
    const struct {
        QColor colour;
        QList<double> steps;
    } softened[] = {
        {frame, {0.25, 0.5, 0.75}}, {blue, {1.0 / 3, 2.0 / 3}}, {red, {1.0 / 3, 2.0 / 3}}, {orange, {0.5}}};
    for (const auto &[colour, steps] : softened)
        for (double t : steps)
            palette.append(blend(colour, mint, t).rgb());
    return canvas.convertToFormat(QImage::Format_Indexed8, palette);
}
