#include "layers.h"

#include "noise.h"

#include <QList>
#include <algorithm>
#include <cmath>

namespace {

// Alpha of the layer as fractions, softened by a small separable blur: once at 1x, and
// scale x scale times at a larger scale, which spreads it as far in 1x pixels.
QList<double> bledCoverage(const QImage &layer, int scale) {
    const int w = layer.width();
    const int h = layer.height();
    QList<double> alpha(qsizetype(w) * h);
    for (int y = 0; y < h; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(layer.constScanLine(y));
        for (int x = 0; x < w; ++x)
            alpha[qsizetype(y) * w + x] = qAlpha(line[x]) / 255.0;
    }

    // A three-tap blur across, then down; edges repeat their last pixel.
    const double side = 0.14;
    const double centre = 1.0 - 2.0 * side;
    auto at = [w, h](const QList<double> &values, int x, int y) {
        return values[qsizetype(std::clamp(y, 0, h - 1)) * w + std::clamp(x, 0, w - 1)];
    };
    QList<double> across(alpha.size());
    for (int pass = 0; pass < scale * scale; ++pass) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                across[qsizetype(y) * w + x] =
                    centre * at(alpha, x, y) + side * (at(alpha, x - 1, y) + at(alpha, x + 1, y));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                alpha[qsizetype(y) * w + x] =
                    centre * at(across, x, y) + side * (at(across, x, y - 1) + at(across, x, y + 1));
    }
    return alpha;
}

} // namespace

QImage blankLayer(QSize size, int scale) {
    QImage layer(size * scale, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    layer.setDevicePixelRatio(scale);
    return layer;
}

namespace {

// The scale of a picture, and where its pixel's centre lies in 1x pixels.
int scaleOf(const QImage &image) {
    return std::max(1, int(std::lround(image.devicePixelRatio())));
}
double at1x(int pixel, int scale) {
    return (pixel + 0.5) / scale - 0.5;
}

} // namespace

void soakInk(QImage &parchment, const QImage &layer, std::uint32_t seed) {
    const QImage ink = layer.convertToFormat(QImage::Format_ARGB32);
    const int scale = scaleOf(parchment);
    const QList<double> coverage = bledCoverage(ink, scale);
    const GradientNoise uneven(seed);
    const int w = parchment.width();
    for (int y = 0; y < parchment.height(); ++y) {
        auto *paper = reinterpret_cast<QRgb *>(parchment.scanLine(y));
        const auto *colour = reinterpret_cast<const QRgb *>(ink.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            double a = coverage[qsizetype(y) * w + x];
            if (a <= 0.0) continue;
            a *= 0.86 + 0.14 * uneven.fractal(at1x(x, scale) / 2.5, at1x(y, scale) / 2.5, 2);
            a = std::clamp(a, 0.0, 1.0);
            // Where the bleed reaches past the stroke the layer has no colour: use the
            // nearest sensible ink, a dark brown.
            const QRgb c = qAlpha(colour[x]) > 0 ? colour[x] : qRgb(60, 42, 28);
            const auto blend = [a](int base, int tint) {
                return int(std::lround(base * (1.0 - a) + base * (tint / 255.0) * a));
            };
            paper[x] = qRgb(blend(qRed(paper[x]), qRed(c)), blend(qGreen(paper[x]), qGreen(c)),
                            blend(qBlue(paper[x]), qBlue(c)));
        }
    }
}

void rubChalk(QImage &parchment, const QImage &layer, std::uint32_t seed) {
    const QImage chalk = layer.convertToFormat(QImage::Format_ARGB32);
    const int scale = scaleOf(parchment);
    const GradientNoise grain(seed);
    for (int y = 0; y < parchment.height(); ++y) {
        auto *paper = reinterpret_cast<QRgb *>(parchment.scanLine(y));
        const auto *colour = reinterpret_cast<const QRgb *>(chalk.constScanLine(y));
        for (int x = 0; x < parchment.width(); ++x) {
            const double pressure = qAlpha(colour[x]) / 255.0;
            if (pressure <= 0.0) continue;
            // The raised grain: a fine cloud of bumps plus a little per-pixel grit.
            const double bumps = std::clamp(
                0.5 + 0.8 * grain.fractal(at1x(x, scale) / 1.6, at1x(y, scale) / 1.6, 2), 0.0, 1.0);
            const double tooth = 0.55 * bumps + 0.45 * cellHash(x, y, seed); // grit as fine as the pixels
            const double threshold = 1.0 - 0.9 * pressure;
            const double taken =
                smoothStep(threshold - 0.18, threshold + 0.18, tooth) * (0.4 + 0.45 * pressure);
            const auto blend = [taken](int base, int tint) {
                return int(std::lround(base + (tint - base) * taken));
            };
            paper[x] =
                qRgb(blend(qRed(paper[x]), qRed(colour[x])), blend(qGreen(paper[x]), qGreen(colour[x])),
                     blend(qBlue(paper[x]), qBlue(colour[x])));
        }
    }
}
