#pragma once

#include "pen.h"
#include "random.h"

#include <QColor>
#include <QList>
#include <QPainter>
#include <QPolygonF>
#include <QRectF>

// One writer's habits: size, lean, quill and ink.
struct Hand {
    double xHeight = 6.0; // height of the small letters, in pixels
    double slant = 0.22;  // rightward lean per unit of height
    double spacing = 1.0; // width of the letters, relative
    Nib nib;
    QColor freshInk{40, 27, 18};  // right after dipping the quill
    QColor paleInk{138, 100, 62}; // when the quill runs dry
};

// A made-up script: a fixed alphabet of cursive pseudo-letters and a vocabulary of
// words spelt with it, so that letters and short words recur the way they do in real
// writing. Letters are drawn as the up-and-down oscillation of a hand moving right:
// loops where the pen swings back, ascenders and descenders where it swings farther.
class Scribe {
public:
    Scribe(const Hand &hand, std::uint64_t seed);

    // Fills `lines` lines from the baseline `firstBaseline`, justified between the
    // column's left and right edges, the first one indented and opened by a large
    // initial when asked. Returns the baseline below the last line.
    double writeParagraph(QPainter &painter, const QRectF &column, double firstBaseline, double lineSpacing,
                          int lines, bool initial = true);

    // One line of at most `width` pixels, left-aligned; for headings and glosses.
    void writeLine(QPainter &painter, QPointF baselineStart, double width, int maxWords = 1000);

    // A single short word, for labels inside drawings.
    void writeWord(QPainter &painter, QPointF baselineStart, double scale = 1.0);

    // A single letter, for marking the points of a figure.
    void writeLetter(QPainter &painter, QPointF baselineStart, double scale = 1.0);

private:
    // One swing of the pen towards a turning point: `advance` to the right (in
    // x-heights), to the height `level` (0 baseline, 1 top of small letters), bowing
    // sideways by `bow` on the way (positive bows right).
    struct Swing {
        double advance, level, bow;
    };
    struct Letter {
        QList<Swing> swings;
        bool dot = false; // an i-dot above the last top
        bool bar = false; // a t-cross through the last top
        bool liftAfter = false;
        double weight = 1.0; // how common
    };
    // Strokes of a word in pen units: x to the right, y up, baseline at 0.
    struct Word {
        QList<QPolygonF> strokes;
        double width = 0.0;
    };

    // The pseudo-letters are modelled on these, loosely.
    enum class LetterKind { A, B, C, D, E, F, G, H, I, L, M, N, O, P, R, S, T, U, Y };

    Letter inventLetter(LetterKind kind);
    Letter initialLetter();
    Word shapeWord(const QList<int> &spelling, bool withInitial);
    Word nextWord(bool withInitial = false);
    void ink(QPainter &painter, const Word &word, QPointF origin, double scale, double drift);

    Hand hand;
    Random random;
    QList<Letter> alphabet;
    QList<QList<int>> vocabulary;
    double inkLoad = 1.0;
};
