#include "CoreTestMain.h"

#include "board/Layout.h"

namespace {

// The controls at their sizes on a 96-dpi screen: the 120-dpi design scaled by 0.8.
constexpr int ButtonsLeft = 26, ButtonWidth = 90, ButtonHeight = 26, Panel1Width = 39;
const QSize EndSize(ButtonWidth, ButtonHeight);

MainLayout layoutAt96Dpi(QSize screen, int range) {
    return layoutForScreen(
        {screen.width(), screen.height(), range, 26, 110, ButtonsLeft + ButtonWidth, Panel1Width, EndSize});
}

} // namespace

class TestLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("range");
        QTest::addColumn<QRect>("board");
        QTest::addColumn<int>("cell");
        QTest::addColumn<QRect>("panel1"); // width is not the layout's
        QTest::addColumn<int>("barHeight");
        QTest::addColumn<QList<int>>("buttonTops"); // New, Ready, Check, Settings
        QTest::addColumn<QPoint>("buttonEnd");

        QTest::newRow("1024x768, Range 10")
            << QSize(1024, 768) << 10 << QRect(203, 75, 618, 618) << 56 << QRect(823, 75, 0, 618) << 598
            << QList<int>{384, 434, 484, 534} << QPoint(894, 688);
        QTest::newRow("800x600, Range 10")
            << QSize(800, 600) << 10 << QRect(175, 75, 450, 450) << 40 << QRect(627, 75, 0, 450) << 430
            << QList<int>{300, 350, 400, 450} << QPoint(670, 520);
        // Too narrow for a side of CH - 150: the board shrinks to lie between the button
        // column and the bar panel, 2 pixels from each.
        QTest::newRow("1080x1920 (portrait), Range 10")
            << QSize(1080, 1920) << 10 << QRect(118, 538, 844, 844) << 76 << QRect(964, 538, 0, 844) << 824
            << QList<int>{960, 1010, 1060, 1110} << QPoint(950, 1840);
    }

    void layout() {
        QFETCH(QSize, screen);
        QFETCH(int, range);
        QFETCH(QRect, panel1);

        const MainLayout l = layoutAt96Dpi(screen, range);
        QCOMPARE(l.window, QRect(QPoint(0, 0), screen));
        QTEST(l.board, "board");
        QTEST(l.cellW, "cell");
        QTEST(l.cellH, "cell");
        QCOMPARE(l.panel1.topLeft(), panel1.topLeft());
        QCOMPARE(l.panel1.height(), panel1.height());
        QTEST(l.barHeight, "barHeight");
        QTEST((QList<int>{l.buttonNewTop, l.buttonReadyTop, l.buttonCheckTop, l.buttonSetTop}), "buttonTops");
        QTEST(l.buttonEnd, "buttonEnd");
    }

    // On every screen, at every grid size a level can have, the board, the bars and End
    // lie wholly on the screen and no control stands over a grid point. Landscape screens
    // keep the board's side of CH - 150.
    void controlsOnScreenAndOffTheGrid_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("side");
        for (QSize screen : {QSize(800, 600), QSize(1024, 768), QSize(1280, 1024), QSize(1366, 768),
                             QSize(1920, 1080), QSize(3840, 2160)})
            QTest::addRow("%dx%d", screen.width(), screen.height()) << screen << screen.height() - 150;
        QTest::newRow("1080x1920") << QSize(1080, 1920) << 844;
        QTest::newRow("768x1024") << QSize(768, 1024) << 532;
        QTest::newRow("600x1024") << QSize(600, 1024) << 364;
    }

    void controlsOnScreenAndOffTheGrid() {
        QFETCH(QSize, screen);
        for (int range = 3; range <= 16; ++range) {
            const MainLayout l = layoutAt96Dpi(screen, range);
            QTEST(l.board.width(), "side");
            const QRect panel1(l.panel1.topLeft(), QSize(Panel1Width, l.panel1.height()));
            const QRect end(l.buttonEnd, EndSize);
            const QRect onScreen(QPoint(0, 0), screen);
            for (const QRect &shown : {l.board, panel1, end})
                QVERIFY2(onScreen.contains(shown), qPrintable(QStringLiteral("Range %1").arg(range)));
            QList<QRect> controls{panel1, end};
            for (int top : {l.buttonNewTop, l.buttonReadyTop, l.buttonCheckTop, l.buttonSetTop})
                controls << QRect(ButtonsLeft, top, ButtonWidth, ButtonHeight);
            for (int x = 1; x <= range; ++x)
                for (int y = 1; y <= range; ++y)
                    for (const QRect &control : controls)
                        QVERIFY2(
                            !control.contains(l.board.topLeft() + QPoint(x * l.cellW, y * l.cellH)),
                            qPrintable(QStringLiteral("Range %1, point (%2, %3)").arg(range).arg(x).arg(y)));
        }
    }

    void degenerateRangeDoesNotDivideByZero() {
        for (int range : {-5, 0, 1}) {
            const MainLayout l = layoutAt96Dpi(QSize(1024, 768), range);
            QVERIFY(l.cellW > 0);
        }
    }
};

TESSARIN_CORE_TEST_MAIN(TestLayout)
#include "test_layout.moc"
