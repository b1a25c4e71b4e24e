#include "CoreTestMain.h"
#include "LineTables.h"

#include "analysis/LineDecomposition.h"

namespace {

// Decomposes the table of `lines` (see tableOf).
Decomposition decompose(const QList<QLine> &lines, int lineCount, int cellW) {
    return decomposeLines(tableOf(lines), lineCount, cellW);
}

// The entries written as A, B, A, B, ..., then any later entry that is not (0, 0).
QList<int> written(const Decomposition &d) {
    QList<int> values;
    for (int n = 1; n <= Trace::Capacity; ++n)
        if (n <= d.written || d.trace.A[n] != 0 || d.trace.B[n] != 0) values << d.trace.A[n] << d.trace.B[n];
    return values;
}

} // namespace

class TestDecomposition : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workedExamples_data() {
        QTest::addColumn<int>("cellW");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<QList<QLine>>("lines");
        QTest::addColumn<QList<int>>("expected"); // A, B of entries 1, 2, ...
        const QLine none, dot(4, 4, 4, 4), horizontal(1, 1, 2, 1);
        const int cellW = 40;
        {
            const QList<int> steps{40, 47, 55, 63, 71, 79};
            QList<int> alongX, alongY, diagonal, alongRow3;
            for (int s : steps) {
                alongX << s << cellW;
                alongRow3 << s << 3 * cellW;
                alongY << cellW << s;
                diagonal << s << s;
            }
            diagonal << QList<int>(12, 0); // the y pass repeats every pair and is cleared
            QTest::newRow("horizontal") << cellW << 1 << QList{horizontal} << alongX;
            QTest::newRow("vertical") << cellW << 1 << QList{QLine(1, 1, 1, 2)} << alongY;
            QTest::newRow("diagonal") << cellW << 1 << QList{QLine(1, 1, 2, 2)} << diagonal;
            QTest::newRow("single point before a line") << cellW << 2 << QList{dot, horizontal} << alongX;
            QTest::newRow("nothing to sample") << cellW << 6 << QList{none,
                                                                      dot,
                                                                      QLine(0, 1, 2, 1),
                                                                      QLine(30, 1, 35, 1),
                                                                      QLine(2, 30, 2, 40),
                                                                      QLine(30, 30, 35, 40)}
                                               << QList<int>{};
            QTest::newRow("line beyond LineCount")
                << cellW << 3 << QList{none, none, none, horizontal} << QList<int>{};
            QTest::newRow("LineCount 0") << cellW << 0 << QList{horizontal} << QList<int>{};
            QTest::newRow("x pass of every slot first")
                << cellW << 2 << QList{QLine(1, 1, 2, 2), QLine(1, 3, 2, 3)}
                << diagonal.first(12) + alongRow3 + QList<int>(12, 0);
        }
        // Four y-pass samples repeat x-pass pairs; the end point (3,2) appears twice.
        QTest::newRow("(1,1)-(3,2), CellW 40")
            << 40 << 1 << QList{QLine(1, 1, 3, 2)}
            << QList{40, 40,  47, 43,  55, 47, 63, 51, 71, 55, 79, 59, 87, 63,  95, 67,  104,
                     72, 112, 76, 120, 80, 0,  0,  0,  0,  0,  0,  0,  0,  103, 71, 119, 79};
        // The intercept comes from the second end point: reversed, entries 7 and 12 differ.
        const QList<int> forward40{40, 40,  47, 79,  55, 119, 63, 159, 71, 199, 79, 239, 39, 40,  41, 47,
                                   43, 55,  44, 63,  46, 71,  0,  0,   49, 87,  51, 95,  52, 104, 54, 112,
                                   56, 120, 57, 128, 59, 136, 60, 144, 62, 152, 64, 160, 65, 168, 67, 176,
                                   68, 184, 70, 192, 72, 200, 73, 208, 75, 216, 76, 224, 78, 232, 80, 240};
        {
            QList<int> backward = forward40;
            QTest::newRow("(1,1)-(2,6)") << cellW << 1 << QList{QLine(1, 1, 2, 6)} << backward;
            backward[12] = backward[13] = 0;
            backward[22] = 48;
            backward[23] = 79;
            QTest::newRow("(2,6)-(1,1)") << cellW << 1 << QList{QLine(2, 6, 1, 1)} << backward;
        }
    }

    void workedExamples() {
        QFETCH(int, cellW);
        QFETCH(int, lineCount);
        QFETCH(QList<QLine>, lines);
        QTEST(written(decompose(lines, lineCount, cellW)), "expected");
    }

    // A pass toward 30 or beyond takes 146 samples, the last just under 30.
    void passStopsJustBelow30() {
        for (const auto &[cellW, line, last] : {std::tuple(40, QLine(1, 1, 30, 1), QPoint(1199, 40)),
                                                std::tuple(40, QLine(2, 1, 2, 35), QPoint(80, 1199)),
                                                std::tuple(20, QLine(1, 3, 30, 3), QPoint(599, 60))}) {
            const Decomposition d = decompose({line}, 1, cellW);
            QCOMPARE(d.written, 146);
            QCOMPARE(QPoint(d.trace.A[146], d.trace.B[146]), last);
        }
    }

    // 99 long lines on a grid of 40 points per side sample far more than fit. Clearing looks
    // only at earlier entries, and the x pass of the first 15 lines alone fills 2000.
    void capacityStopsStoring() {
        QList<QLine> lines;
        for (int i = 0; i < 99; ++i)
            lines << QLine(1 + i % 3, 1 + i % 5, 40 - i % 7, 40 - i % 4);
        const Decomposition all = decompose(lines, 99, 618 / 41);
        QCOMPARE(all.written, Trace::Capacity);
        QCOMPARE(written(all).first(4000), written(decompose(lines, 15, 618 / 41)).first(4000));
    }
};

TESSARIN_CORE_TEST_MAIN(TestDecomposition)
#include "test_decomposition.moc"
