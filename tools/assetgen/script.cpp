#include "script.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace {

QColor mixed(const QColor &a, const QColor &b, double t) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

} // namespace

Scribe::Scribe(const Hand &hand, std::uint64_t seed) : hand(hand), random(seed) {
    // How often each kind of letter turns up, roughly as in a western language: many
    // small round letters and minims, fewer ascenders, few descenders.
    static const struct {
        LetterKind kind;
        double weight;
    } frequencies[] = {
        {LetterKind::E, 12}, {LetterKind::T, 9},   {LetterKind::A, 8}, {LetterKind::O, 8},
        {LetterKind::I, 7},  {LetterKind::N, 7},   {LetterKind::S, 6}, {LetterKind::R, 6},
        {LetterKind::H, 6},  {LetterKind::L, 4},   {LetterKind::D, 4}, {LetterKind::U, 3},
        {LetterKind::C, 3},  {LetterKind::M, 2.5}, {LetterKind::G, 2}, {LetterKind::Y, 2},
        {LetterKind::P, 2},  {LetterKind::B, 1.5}, {LetterKind::F, 2},
    };
    double total = 0.0;
    for (const auto &entry : frequencies) {
        Letter letter = inventLetter(entry.kind);
        letter.weight = entry.weight;
        total += entry.weight;
        alphabet.append(letter);
    }
    auto pickLetter = [&] {
        double r = random.uniform() * total;
        for (int i = 0; i < alphabet.size(); ++i) {
            r -= alphabet[i].weight;
            if (r <= 0.0) return i;
        }
        return int(alphabet.size()) - 1;
    };

    static const int lengths[] = {1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 7, 7, 8, 9, 10};
    for (int i = 0; i < 140; ++i) {
        QList<int> spelling;
        const int length = lengths[random.integer(0, int(std::size(lengths)) - 1)];
        for (int j = 0; j < length; ++j)
            spelling.append(pickLetter());
        vocabulary.append(spelling);
    }
}

Scribe::Letter Scribe::inventLetter(LetterKind kind) {
    // Each writer forms every letter a little differently: jitter the proportions once,
    // here, and only slightly more each time the letter is written.
    auto j = [this](double spread) { return 1.0 + spread * random.gaussian(); };
    const Swing up{0.26 * j(0.1), 1.0, 0.0};
    const Swing down{0.2 * j(0.1), 0.0, 0.0};
    const QList<Swing> oval{{0.32 * j(0.1), 1.0, 0.0}, {-0.24 * j(0.1), 0.05, -0.16 * j(0.2)}};
    const Swing ascender{0.36 * j(0.1), 2.05 * j(0.04), 0.28 * j(0.15)};
    const Swing descender{0.07 * j(0.2), -1.1 * j(0.05), 0.1};
    const Swing loopBack{0.22 * j(0.1), 0.35, -0.3 * j(0.15)};

    Letter letter;
    switch (kind) {
    case LetterKind::I:
        letter.swings = {up, down};
        letter.dot = true;
        break;
    case LetterKind::N:
        letter.swings = {up, down, up, down};
        break;
    case LetterKind::U:
        letter.swings = {up, {0.16 * j(0.1), 0.0, 0.0}, {0.3 * j(0.1), 1.0, 0.0}, down};
        break;
    case LetterKind::M:
        letter.swings = {up, down, up, down, up, down};
        break;
    case LetterKind::E:
        letter.swings = {{0.34 * j(0.1), 0.8 * j(0.05), 0.2 * j(0.15)}, {0.12 * j(0.2), 0.0, -0.08}};
        break;
    case LetterKind::C:
        letter.swings = {{0.34 * j(0.1), 0.95, -0.06}, {0.1 * j(0.2), 0.0, -0.16 * j(0.2)}};
        break;
    case LetterKind::O:
        letter.swings = oval + QList<Swing>{{0.34 * j(0.1), 1.0, 0.05}, {0.12, 0.8, 0.0}, {0.12, 0.0, 0.0}};
        letter.liftAfter = random.chance(0.4);
        break;
    case LetterKind::A:
        letter.swings = oval + QList<Swing>{{0.32 * j(0.1), 1.0, 0.0}, down};
        break;
    case LetterKind::D:
        letter.swings = oval + QList<Swing>{{0.34 * j(0.1), 2.0 * j(0.04), 0.0}, down};
        break;
    case LetterKind::S:
        letter.swings = {{0.3 * j(0.1), 1.08, 0.12}, {0.08 * j(0.2), 0.0, 0.14 * j(0.2)}};
        break;
    case LetterKind::R:
        letter.swings = {{0.26 * j(0.1), 1.0, 0.0}, {0.16, 0.85, 0.0}, {0.06, 0.0, 0.04}};
        break;
    case LetterKind::T:
        letter.swings = {{0.24 * j(0.1), 1.55 * j(0.05), 0.0}, down};
        letter.bar = true;
        break;
    case LetterKind::L:
        letter.swings = {ascender, {0.1 * j(0.2), 0.0, -0.06}};
        break;
    case LetterKind::H:
        letter.swings = {ascender, {0.1 * j(0.2), 0.0, -0.06}, up, down};
        break;
    case LetterKind::B:
        letter.swings = {ascender, {0.1 * j(0.2), 0.0, -0.06}, {0.3, 0.9, 0.1}, {-0.1, 0.75, -0.05}};
        break;
    case LetterKind::G:
        letter.swings = oval + QList<Swing>{{0.32 * j(0.1), 1.0, 0.0}, descender, loopBack};
        break;
    case LetterKind::Y:
        letter.swings = {up, down, up, descender, loopBack};
        break;
    case LetterKind::P:
        letter.swings = {up, {0.04, -1.1 * j(0.05), 0.0}, {0.08, 0.95, 0.0}, {0.2 * j(0.1), 0.05, 0.22}};
        break;
    case LetterKind::F:
        letter.swings = {ascender, {0.06, -1.0 * j(0.05), 0.0}, loopBack};
        letter.bar = random.chance(0.5);
        break;
    }
    return letter;
}

Scribe::Letter Scribe::initialLetter() {
    Letter letter;
    // A tall looped stem, a broad belly swung out to the right and back, and a hairline
    // tail into the next letter.
    letter.swings = {
        {0.45, 2.6, 0.5}, {-0.1, 0.0, -0.25}, {0.7, 1.9, 0.75}, {-0.2, 0.9, 0.1}, {0.45, 0.0, 0.35}};
    return letter;
}

Scribe::Word Scribe::shapeWord(const QList<int> &spelling, bool withInitial) {
    Word word;
    QList<QPolygonF> marks; // dots and bars, added after the strokes
    QPointF pen(0.0, 0.12);
    QPolygonF stroke{pen};
    double lastTopX = 0.0;
    double lastTopLevel = 1.0;

    auto swing = [&](const Swing &s) {
        const QPointF from = pen;
        const QPointF to(pen.x() + s.advance * hand.spacing * (1.0 + 0.07 * random.gaussian()),
                         s.level + 0.045 * random.gaussian());
        const double bow = s.bow * (1.0 + 0.1 * random.gaussian());
        const double span = std::hypot(to.x() - from.x(), to.y() - from.y()) + std::abs(bow);
        const int steps = std::max(4, int(std::ceil(span * hand.xHeight / 0.6)));
        for (int i = 1; i <= steps; ++i) {
            const double t = double(i) / steps;
            const double x = from.x() + (to.x() - from.x()) * t + bow * std::sin(std::numbers::pi * t);
            const double y = from.y() + (to.y() - from.y()) * (1.0 - std::cos(std::numbers::pi * t)) / 2.0;
            stroke << QPointF(x, y);
        }
        pen = to;
        if (s.level > 0.7) {
            lastTopX = to.x();
            lastTopLevel = to.y();
        }
    };

    QList<Letter> letters;
    if (withInitial) letters.append(initialLetter());
    for (int index : spelling)
        letters.append(alphabet[index]);

    for (const Letter &letter : letters) {
        for (const Swing &s : letter.swings)
            swing(s);
        if (letter.dot)
            marks.append(QPolygonF{QPointF(lastTopX + 0.12, 1.55), QPointF(lastTopX + 0.2, 1.68)});
        if (letter.bar) {
            const double y = std::min(lastTopLevel, 1.6) - 0.45;
            marks.append(QPolygonF{QPointF(lastTopX - 0.28, y), QPointF(lastTopX + 0.3, y + 0.06)});
        }
        if (letter.liftAfter && &letter != &letters.last()) {
            word.strokes.append(stroke);
            pen = QPointF(pen.x() + 0.12, 0.1);
            stroke = QPolygonF{pen};
        }
    }
    swing({0.28, 0.5, 0.0}); // the exit hook towards the next word
    word.strokes.append(stroke);
    word.strokes += marks;
    word.width = pen.x();
    return word;
}

Scribe::Word Scribe::nextWord(bool withInitial) {
    // Short common words come up more often, like articles and prepositions do.
    const int rank = std::min(int(vocabulary.size()) - 1,
                              int(std::floor(std::pow(random.uniform(), 1.7) * vocabulary.size())));
    return shapeWord(vocabulary[rank], withInitial);
}

void Scribe::ink(QPainter &painter, const Word &word, QPointF origin, double scale, double drift) {
    // The quill runs dry word by word and is dipped again now and then.
    inkLoad -= random.range(0.02, 0.06);
    if (inkLoad < 0.35 || random.chance(0.03)) inkLoad = random.range(0.92, 1.0);
    const QColor colour = mixed(hand.freshInk, hand.paleInk, std::pow(1.0 - inkLoad, 1.1));

    const double unit = hand.xHeight * scale;
    Nib nib = hand.nib;
    nib.width *= std::sqrt(scale);
    for (const QPolygonF &stroke : word.strokes) {
        QPolygonF pixels;
        pixels.reserve(stroke.size());
        for (const QPointF &p : stroke)
            pixels << QPointF(origin.x() + (p.x() + hand.slant * p.y()) * unit,
                              origin.y() + drift * p.x() * unit - p.y() * unit);
        painter.fillPath(nibStroke(pixels, nib), colour);
    }
}

double Scribe::writeParagraph(QPainter &painter, const QRectF &column, double firstBaseline,
                              double lineSpacing, int lines, bool initial) {
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = hand.xHeight;
    double baseline = firstBaseline;
    std::optional<Word> carried;

    for (int line = 0; line < lines; ++line) {
        const bool last = line == lines - 1;
        const double left = column.left() + (line == 0 ? 2.2 * unit : 0.0);
        const double width = last ? (column.right() - left) * random.range(0.35, 0.8) : column.right() - left;

        QList<Word> words;
        double used = 0.0;
        const double gap = 0.95 * unit;
        while (true) {
            Word word = carried ? *carried : nextWord(initial && line == 0 && words.isEmpty());
            carried.reset();
            const double needed = word.width * unit + (words.isEmpty() ? 0.0 : gap);
            if (!words.isEmpty() && used + needed > width) {
                carried = word;
                break;
            }
            used += needed;
            words.append(word);
            if (used >= width) break;
        }
        if (last) carried.reset();

        // Scribes justified by spacing the words out, within reason.
        const double extra =
            last || words.size() < 2 ? 0.0 : std::min((width - used) / (words.size() - 1), 0.8 * unit);
        const double tilt = 0.004 * random.gaussian();
        double x = left;
        for (const Word &word : words) {
            const double y = baseline + tilt * (x - column.left()) + 0.25 * random.gaussian();
            ink(painter, word, QPointF(x, y), 1.0, tilt);
            x += word.width * unit + gap + extra;
        }
        baseline += lineSpacing;
    }
    return baseline;
}

void Scribe::writeLine(QPainter &painter, QPointF baselineStart, double width, int maxWords) {
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = hand.xHeight;
    double x = baselineStart.x();
    for (int i = 0; i < maxWords; ++i) {
        const Word word = nextWord();
        if (x + word.width * unit > baselineStart.x() + width) break;
        ink(painter, word, QPointF(x, baselineStart.y() + 0.25 * random.gaussian()), 1.0, 0.0);
        x += word.width * unit + 0.95 * unit;
    }
}

void Scribe::writeWord(QPainter &painter, QPointF baselineStart, double scale) {
    painter.setRenderHint(QPainter::Antialiasing);
    ink(painter, nextWord(), baselineStart, scale, 0.0);
}

void Scribe::writeLetter(QPainter &painter, QPointF baselineStart, double scale) {
    painter.setRenderHint(QPainter::Antialiasing);
    ink(painter, shapeWord({random.integer(0, int(alphabet.size()) - 1)}, false), baselineStart, scale, 0.0);
}
