#include "pictures.h"

#include "drawings.h"
#include "layers.h"
#include "parchment.h"
#include "script.h"

#include <QPainter>
#include <algorithm>
#include <initializer_list>

namespace {

const QSize stripSize(250, 1063);

// Pale lines ruled down the page before writing, as scribes did.
void ruleMargins(QPainter &ink, double left, double right, double top, double bottom) {
    ink.setPen(QPen(QColor(196, 170, 132), 0.6));
    ink.drawLine(QPointF(left, top), QPointF(left, bottom));
    ink.drawLine(QPointF(right, top), QPointF(right, bottom));
}

// Paragraphs of the given lengths from `top` down, the last one cut short so that no
// line runs off the bottom. Returns the baseline below the last line written.
double writePage(QPainter &painter, Scribe &scribe, const QRectF &column, double top, double bottom,
                 double lineSpacing, std::initializer_list<int> paragraphs) {
    double baseline = top;
    for (int lines : paragraphs) {
        const int room = int((bottom - baseline) / lineSpacing) + 1;
        if (room < 2) break;
        baseline = scribe.writeParagraph(painter, column, baseline, lineSpacing, std::min(lines, room)) +
                   lineSpacing / 3.0;
    }
    return baseline;
}

} // namespace

QImage makeInkSheet(int scale) {
    Random random(0x1A57'0001);
    QImage sheet = makeParchment(stripSize, random.next(), scale);
    QImage ink = blankLayer(stripSize, scale);
    {
        QPainter painter(&ink);
        painter.setRenderHint(QPainter::Antialiasing);
        ruleMargins(painter, 11.5, 238.5, 236, 1048);

        // The rose's wind lines run out to the edges of the sheet but stop short of the
        // writing.
        Random drawing = random.fork();
        painter.save();
        painter.setClipRect(QRectF(0, 0, stripSize.width(), 218));
        drawCompassRose(painter, QPointF(106, 110), 86, drawing);
        painter.restore();

        Hand hand;
        Scribe scribe(hand, random.next());
        // Names of the winds, in the corners around the ring.
        scribe.writeWord(painter, QPointF(8, 24), 0.75);
        scribe.writeWord(painter, QPointF(196, 24), 0.75);
        scribe.writeWord(painter, QPointF(8, 212), 0.75);
        scribe.writeWord(painter, QPointF(196, 212), 0.75);

        const QRectF column(16, 0, 218, 0);
        scribe.writeLine(painter, QPointF(42, 232), 170, 3);
        double baseline = writePage(painter, scribe, column, 262, 1048, 18, {6, 8, 4, 7, 5});

        // A table in two columns to finish the page.
        for (int row = 0; baseline < 1040; ++row, baseline += 18) {
            scribe.writeLine(painter, QPointF(20, baseline), 96, 2);
            scribe.writeLine(painter, QPointF(132, baseline), 100, 2);
        }
    }
    soakInk(sheet, ink, std::uint32_t(random.next()));
    return sheet;
}

QImage makeChalkSheet(int scale) {
    Random random(0x1A57'0002);
    QImage sheet = makeParchment(stripSize, random.next(), scale);
    QImage sanguine = blankLayer(stripSize, scale);
    QImage white = blankLayer(stripSize, scale);
    QImage ink = blankLayer(stripSize, scale);
    {
        QPainter redPainter(&sanguine);
        QPainter whitePainter(&white);
        Random drawing = random.fork();
        drawChalkStudy(redPainter, whitePainter, QPointF(142, 112), 150, drawing);

        QPainter painter(&ink);
        painter.setRenderHint(QPainter::Antialiasing);
        Hand hand;
        hand.xHeight = 6.3;
        hand.slant = 0.1;
        hand.spacing = 1.08;
        hand.nib.width = 1.65;
        hand.nib.angle = 0.55;
        hand.freshInk = QColor(50, 32, 22);
        Scribe scribe(hand, random.next());

        // Letters at the corners of the figure, the way geometers labelled them.
        scribe.writeLetter(painter, QPointF(56, 34), 0.9);
        scribe.writeLetter(painter, QPointF(222, 34), 0.9);
        scribe.writeLetter(painter, QPointF(56, 200), 0.9);
        scribe.writeLetter(painter, QPointF(222, 200), 0.9);

        scribe.writeLine(painter, QPointF(74, 230), 150, 3);
        const QRectF column(60, 0, 178, 0);
        writePage(painter, scribe, column, 262, 1050, 19.5, {9, 6, 10, 5, 8, 7});

        // Glosses in the margin beside a few of the paragraphs.
        Hand glossHand = hand;
        glossHand.xHeight = 4.6;
        Scribe glossator(glossHand, random.next());
        for (double y : {300.0, 314.0, 470.0, 640.0, 654.0, 668.0, 860.0, 874.0})
            glossator.writeLine(painter, QPointF(9, y), 44, 1);
    }
    rubChalk(sheet, sanguine, std::uint32_t(random.next()));
    rubChalk(sheet, white, std::uint32_t(random.next()));
    soakInk(sheet, ink, std::uint32_t(random.next()));
    return sheet;
}

QImage makeParchmentBand(int scale) {
    Random random(0x1A57'0003);
    return makeParchment(QSize(900, 180), random.next(), scale);
}
