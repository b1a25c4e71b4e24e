#include "parchment.h"

#include "noise.h"
#include "random.h"

#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct Rgb {
    double r, g, b;
};

Rgb mixed(const Rgb &a, const Rgb &b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Tone 0 is the darkest ochre of the mottling, 1 the palest cream.
Rgb skinColour(double tone) {
    const Rgb dark{178, 138, 86};
    const Rgb middle{221, 194, 145};
    const Rgb light{240, 224, 187};
    tone = std::clamp(tone, 0.0, 1.0);
    return tone < 0.5 ? mixed(dark, middle, tone * 2.0) : mixed(middle, light, tone * 2.0 - 1.0);
}

const Rgb burnt{118, 76, 38}; // where edges and stains go when they darken
const Rgb rust{150, 92, 46};  // foxing spots

// A tide mark left by a drop of water that dried slowly: faintly darker inside, with a
// darker ragged rim.
struct WaterStain {
    double x, y, radius;
    double stretch, angle; // drops seldom dry round
};

struct FoxSpot {
    double x, y, radius, strength;
};

double stainDarkening(const WaterStain &stain, double x, double y, const GradientNoise &wobble) {
    const double dx = x - stain.x;
    const double dy = y - stain.y;
    const double reach = stain.radius * stain.stretch * 1.6;
    if (std::abs(dx) > reach || std::abs(dy) > reach) return 0.0;
    const double along = (dx * std::cos(stain.angle) + dy * std::sin(stain.angle)) / stain.stretch;
    const double across = -dx * std::sin(stain.angle) + dy * std::cos(stain.angle);
    // The edge wanders at the stain's own scale, and the rim is darker in some places
    // than in others.
    const double feature = stain.radius / 2.5;
    const double ragged = 0.3 * wobble.fractal(x / feature, y / feature, 3);
    const double s = std::sqrt(along * along + across * across) / stain.radius + ragged;
    const double rimStrength =
        std::clamp(0.55 + 0.9 * wobble.at(x / feature + 31.7, y / feature - 5.3), 0.0, 1.0);
    const double rim = rimStrength * std::exp(-std::pow((s - 1.0) / 0.04, 2.0));
    const double inside = s < 1.0 ? 0.4 + 0.6 * smoothStep(0.3, 1.0, s) : 0.0;
    return 0.09 * rim + 0.04 * inside;
}

double foxDarkening(const FoxSpot &spot, double x, double y, const GradientNoise &wobble) {
    const double dx = x - spot.x;
    const double dy = y - spot.y;
    const double reach = spot.radius * 2.5;
    if (std::abs(dx) > reach || std::abs(dy) > reach) return 0.0;
    const double d = std::sqrt(dx * dx + dy * dy) / spot.radius + 0.35 * wobble.at(x / 3.0, y / 3.0);
    return spot.strength * std::exp(-d * d);
}

// Thin curved hairs and fibres, some darker and some paler than the skin around them.
// `size` is the sheet's at 1x, where the painter draws.
void paintFibres(QImage &image, QSize size, Random &random) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const int count = size.width() * size.height() / 520;
    const double grain = random.range(0.0, std::numbers::pi);
    for (int i = 0; i < count; ++i) {
        const QPointF start(random.range(-10, size.width() + 10), random.range(-10, size.height() + 10));
        const double angle = grain + random.gaussian() * 0.35;
        const double length = random.range(6.0, 30.0);
        const QPointF direction(std::cos(angle), std::sin(angle));
        const QPointF normal(-direction.y(), direction.x());
        const QPointF end = start + direction * length;
        const QPointF bend = (start + end) / 2.0 + normal * random.gaussian() * length * 0.1;

        QPainterPath fibre(start);
        fibre.quadTo(bend, end);
        const bool dark = random.chance(0.65);
        const QColor colour = dark ? QColor(105, 74, 40, random.integer(12, 30))
                                   : QColor(252, 244, 222, random.integer(16, 36));
        painter.setPen(QPen(colour, random.range(0.5, 1.1), Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(fibre);
    }

    // Pores of the skin: tiny soft specks.
    painter.setPen(Qt::NoPen);
    const int pores = size.width() * size.height() / 900;
    for (int i = 0; i < pores; ++i) {
        painter.setBrush(QColor(110, 78, 42, random.integer(14, 40)));
        const double r = random.range(0.35, 0.9);
        painter.drawEllipse(QPointF(random.range(0, size.width()), random.range(0, size.height())), r, r);
    }
}

} // namespace

QImage makeParchment(QSize size, std::uint64_t seed, int scale) {
    Random random(seed);
    const GradientNoise mottle(std::uint32_t(random.next()));
    const GradientNoise cloud(std::uint32_t(random.next()));
    const GradientNoise streak(std::uint32_t(random.next()));
    const GradientNoise edgeWear(std::uint32_t(random.next()));
    const GradientNoise wobble(std::uint32_t(random.next()));
    const std::uint32_t grainSeed = std::uint32_t(random.next());

    const double w = size.width();
    const double h = size.height();

    QList<WaterStain> waterStains;
    const int waterCount = 1 + int(w * h / 160000.0);
    for (int i = 0; i < waterCount; ++i)
        // Braced lists are evaluated left to right, so the draws keep their order.
        waterStains.append({random.range(-0.1 * w, 1.1 * w), random.range(0.0, h), random.range(35.0, 110.0),
                            random.range(1.0, 1.8), random.range(0.0, std::numbers::pi)});

    QList<FoxSpot> foxSpots;
    const int foxCount = int(w * h / 14000.0);
    for (int i = 0; i < foxCount; ++i)
        foxSpots.append(
            {random.range(0, w), random.range(0, h), random.range(1.2, 5.0), random.range(0.12, 0.35)});

    // Fibres of the skin run mostly one way; the streaks follow them.
    const double streakAngle = random.range(0.0, std::numbers::pi);
    const double su = std::cos(streakAngle);
    const double sv = std::sin(streakAngle);

    QImage image(size * scale, QImage::Format_RGB32);
    for (int py = 0; py < image.height(); ++py) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(py));
        // Each pixel samples the sheet at its centre, in 1x pixels; at 1x, at (px, py).
        const double y = (py + 0.5) / scale - 0.5;
        for (int px = 0; px < image.width(); ++px) {
            const double x = (px + 0.5) / scale - 0.5;
            const double u = x * su + y * sv;
            const double v = -x * sv + y * su;
            double tone = 0.55;
            tone += 0.5 * mottle.fractal(x / 240.0, y / 240.0, 4, 0.55);
            tone += 0.14 * cloud.fractal(x / 70.0, y / 70.0, 2);
            tone += 0.1 * cloud.fractal(x / 22.0 + 50.0, y / 22.0, 3);
            tone += 0.045 * streak.at(u / 2.2, v / 45.0);
            tone += 0.035 * (cellHash(px, py, grainSeed) - 0.5); // grain as fine as the pixels
            Rgb colour = skinColour(tone);

            // Edges browned by hands, unevenly.
            const double toEdge = std::min({x + 0.5, w - x - 0.5, y + 0.5, h - y - 0.5});
            const double wear = 0.55 + 0.45 * edgeWear.fractal(x / 70.0, y / 70.0, 3);
            double darkening = 0.36 * std::exp(-toEdge / 26.0) * wear;

            for (const WaterStain &stain : waterStains)
                darkening += stainDarkening(stain, x, y, wobble);
            colour = mixed(colour, burnt, std::min(darkening, 0.8));

            double fox = 0.0;
            for (const FoxSpot &spot : foxSpots)
                fox += foxDarkening(spot, x, y, wobble);
            colour = mixed(colour, rust, std::min(fox, 0.6));

            line[px] =
                qRgb(int(std::lround(colour.r)), int(std::lround(colour.g)), int(std::lround(colour.b)));
        }
    }

    image.setDevicePixelRatio(scale);
    paintFibres(image, size, random);
    return image;
}
