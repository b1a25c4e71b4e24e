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
        switch (below(5)) {
        case 0:
            canvas.setBrushColor(colors[below(5)]);
            if (below(2))
                canvas.rectangle(0, 0, w, h);
            else
                canvas.rectangle(below(w) - 10, below(h) - 10, below(w + 20), below(h + 20));
            break;
        case 1: {
            const QPoint p(below(w + 20) - 10, below(h + 20) - 10);
            canvas.moveTo(p.x(), p.y());
            canvas.lineTo(p.x(), p.y());
            break;
        }
        default:
            canvas.moveTo(below(w + 40) - 20, below(h + 40) - 20);
            canvas.lineTo(below(w + 40) - 20, below(h + 40) - 20);
            break;
        }
        if (lookInBetween && below(50) == 0) (void)canvas.image();
    }
}

} // namespace

class TestCanvasBatch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void batchedStrokesGiveTheSamePixels_data() {
        QTest::addColumn<uint32_t>("seed");
        QTest::addColumn<bool>("lookInBetween");
        for (uint32_t seed = 1; seed <= 6; ++seed)
            QTest::addRow("seed %u%s", seed, seed % 2 ? ", looked at" : "") << seed << (seed % 2 == 1);
    }

    void batchedStrokesGiveTheSamePixels() {
        QFETCH(uint32_t, seed);
        QFETCH(bool, lookInBetween);
        Canvas atOnce, batched;
        atOnce.resize(157, 133);
        batched.resize(157, 133);
        drawRandomStrokes(atOnce, seed, lookInBetween);
        {
            const Canvas::Batch batch(batched);
            drawRandomStrokes(batched, seed, lookInBetween);
        }
        QCOMPARE(batched.image(), atOnce.image());
    }

    // A reference to the image taken before a batch shows the batch's strokes after it.
    void aBatchEndsDrawn() {
        Canvas canvas;
        canvas.resize(40, 40);
        const QImage &image = canvas.image();
        {
            const Canvas::Batch outer(canvas);
            const Canvas::Batch inner(canvas);
            canvas.setBrushColor(Qt::red);
            canvas.setPenColor(Qt::red);
            canvas.rectangle(0, 0, 40, 40);
        }
        QCOMPARE(image.pixel(20, 20), QColor(Qt::red).rgb());
    }
};

TESSARIN_TEST_MAIN(TestCanvasBatch)
#include "test_canvas_batch.moc"
