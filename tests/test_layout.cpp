#include "CoreTestMain.h"

#include "board/Layout.h"

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
    }

    void layout() {
        QFETCH(QSize, screen);
        QFETCH(int, range);
        QFETCH(QRect, panel1);

        const int panel2Height = 26;
        const MainLayout l = layoutForScreen({screen.width(), screen.height(), range, panel2Height, 110});
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

    void degenerateRangeDoesNotDivideByZero() {
        for (int range : {-5, 0, 1}) {
            const MainLayout l = layoutForScreen({1024, 768, range, 26, 110});
            QVERIFY(l.cellW > 0);
        }
    }
};

TESSARIN_CORE_TEST_MAIN(TestLayout)
#include "test_layout.moc"
