// Drawing in a batch must give the very pixels of drawing every stroke at once.
#include "TestMain.h"

#include "board/Canvas.h"

#include <random>

namespace {

// A random run of what the board draws: fills of all or part of it, dots, lines and
// rubber bands in both pen modes, looked at now and then.
void drawRandomStrokes(Canvas &canvas, uint32_t seed, bool lookInBetween) {
    std::mt19937 random(seed);
    auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    const QColor colors[] = {QColor(0xEA, 0xFF, 0xEE), Qt::black, Qt::blue, Qt::red,
                             QColor(0xFF, 0xCC, 0x99)};
    const int w = canvas.width(), h = canvas.height();
    for (int i = 0; i < 400; ++i) {
        canvas.setPenColor(colors[below(5)]);
        canvas.setPenWidth(1 + below(6));
        canvas.setPenMode(below(4) == 0 ? Canvas::PenMode::Invert : Canvas::PenMode::Copy);
        const int kind = below(5);
        const QPoint from(below(w + 40) - 20, below(h + 40) - 20);
        canvas.moveTo(from.x(), from.y());
        if (kind == 0) { // a fill of the whole board or of a part of it
            canvas.setBrushColor(colors[below(5)]);
            const bool whole = below(2);
            const QPoint to(below(w + 20), below(h + 20));
            canvas.rectangle(whole ? 0 : from.x(), whole ? 0 : from.y(), whole ? w : to.x(),
                             whole ? h : to.y());
        } else { // a dot or a line
            const QPoint to = kind == 1 ? from : QPoint(below(w + 40) - 20, below(h + 40) - 20);
            canvas.lineTo(to.x(), to.y());
        }
        if (lookInBetween && below(50) == 0) (void)canvas.image();
    }
}

} // namespace

class TestCanvasBatch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void batchedStrokesGiveTheSamePixels_data() {
        QTest::addColumn<uint32_t>("seed"); // odd seeds look at the image now and then
        for (uint32_t seed = 1; seed <= 6; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }
    // Nested batches too; and a reference to the image taken before them shows their strokes.
    void batchedStrokesGiveTheSamePixels() {
        QFETCH(uint32_t, seed);
        Canvas atOnce, batched;
        atOnce.resize(157, 133);
        batched.resize(157, 133);
        const QImage &image = batched.image();
        drawRandomStrokes(atOnce, seed, seed % 2);
        {
            const Canvas::Batch outer(batched), inner(batched);
            drawRandomStrokes(batched, seed, seed % 2);
        }
        QCOMPARE(image, atOnce.image());
    }
};

TESSARIN_TEST_MAIN(TestCanvasBatch)
#include "test_canvas_batch.moc"
