#include "CoreTestMain.h"
#include "LineTables.h"

#include "analysis/LineDecomposition.h"
#include "analysis/LineDeduplication.h"
#include "analysis/Scoring.h"

namespace {

// Task entries 1..matched + missed; the drawing holds the first `matched`, last entry first.
TraceScore scoreOf(int matched, int missed) {
    Trace task, drawn;
    for (int n = 1; n <= matched + missed; ++n)
        task.A[n] = task.B[n] = n;
    for (int n = 1; n <= matched; ++n)
        drawn.A[Trace::Kept + 1 - n] = drawn.B[Trace::Kept + 1 - n] = n;
    return scoreTraces(task, drawn);
}

} // namespace

class TestScoring : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // One pass removes every pair of slots with the same line, either way round; slots with a
    // zero value are never compared.
    void takeBackRepeatedLine_data() {
        QTest::addColumn<QList<QLine>>("drawn");
        QTest::addColumn<QList<QLine>>("left");
        const QLine slanted(1, 2, 3, 1), along(1, 1, 3, 1), dot(2, 2, 2, 2), open(0, 3, 3, 3);
        const QList<QLine> stay{QLine(1, 2, 3, 3), open, open, QLine(1, 3, 0, 3), QLine(3, 3, 3, 3)};
        QTest::newRow("repeats") << QList{slanted, along, dot, QLine(3, 1, 1, 2), along, dot} + stay
                                 << QList<QLine>(6) + stay;
        QTest::newRow("nothing repeated") << stay << stay;
        QTest::newRow("in the first and the last slot")
            << QList{along} + QList<QLine>(LineTable::Slots - 2) + QList{along}
            << QList<QLine>(LineTable::Slots);
    }
    void takeBackRepeatedLine() {
        QFETCH(QList<QLine>, drawn);
        QFETCH(QList<QLine>, left);
        LineTable t = tableOf(drawn);
        QCOMPARE(::takeBackRepeatedLine(t), drawn != left);
        const LineTable expected = tableOf(left);
        QVERIFY(t.X1 == expected.X1 && t.Y1 == expected.Y1 && t.X2 == expected.X2 && t.Y2 == expected.Y2);
    }

    // Only slots 1..LineCount of the drawing are decomposed.
    void scoreOfADrawing_data() {
        QTest::addColumn<QList<QLine>>("task");
        QTest::addColumn<QList<QLine>>("drawn");
        QTest::addColumn<int>("matched");
        QTest::addColumn<int>("penalty");
        const QLine t1(1, 1, 3, 1), t2(1, 3, 3, 3), t3(1, 5, 4, 5), extra(5, 1, 5, 4);
        QTest::newRow("empty drawing") << QList{QLine(1, 1, 2, 1)} << QList<QLine>{} << 0 << 24;
        QTest::newRow("task lines first") << QList{t1, t2, t3} << QList{t1, t2, t3, extra} << 38 << 0;
        QTest::newRow("extra line first") << QList{t1, t2, t3} << QList{extra, t1, t2, t3} << 22 << 64;
    }

    void scoreOfADrawing() {
        QFETCH(QList<QLine>, task);
        QFETCH(QList<QLine>, drawn);
        const int lineCount = int(task.size());
        const TraceScore score = scoreTraces(decomposeLines(tableOf(task), lineCount, 40).trace,
                                             decomposeLines(tableOf(drawn), lineCount, 40).trace);
        QTEST(score.matched, "matched");
        QTEST(score.penalty, "penalty");
    }

    // Level, Pro1 and Pro2 before and after a check, with a maximum of 150.
    void barsAndLevel_data() {
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<int>("matched");
        QTest::addColumn<int>("missed");
        QTest::addColumn<QList<int>>("after");
        QTest::newRow("no change") << QList{5, 10, 100} << 7 << 2 << QList{5, 17, 92};
        QTest::newRow("140 + 12 fills Pro1") << QList{5, 140, 150} << 12 << 5 << QList{6, 0, 150};
        QTest::newRow("fill and empty at once only raises") << QList{5, 149, 4} << 1 << 3 << QList{6, 0, 150};
        QTest::newRow("top level stays 15") << QList{15, 149, 50} << 1 << 0 << QList{15, 0, 150};
        QTest::newRow("bottom level stays 1") << QList{1, 20, 4} << 0 << 1 << QList{1, 0, 150};
        QTest::newRow("above 15, full Pro1 sets 15") << QList{17, 149, 50} << 1 << 0 << QList{15, 0, 150};
        QTest::newRow("above 15, empty Pro2 lowers") << QList{17, 20, 4} << 0 << 1 << QList{16, 0, 150};
        QTest::newRow("Pro2 10 minus 12 lowers") << QList{5, 20, 10} << 0 << 3 << QList{4, 0, 150};
        QTest::newRow("Pro2 left at 1 keeps the level") << QList{5, 20, 13} << 0 << 3 << QList{5, 20, 1};
    }

    void barsAndLevel() {
        QFETCH(QList<int>, before);
        QFETCH(int, matched);
        QFETCH(int, missed);
        Progress p;
        p.level = before[0];
        for (ScoreBar *bar : {&p.pro1, &p.pro2})
            bar->setMaximum(150);
        p.pro1.setPosition(before[1]);
        p.pro2.setPosition(before[2]);
        p = progressAfter(p, scoreOf(matched, missed));
        QTEST((QList<int>{p.level, p.pro1.position(), p.pro2.position()}), "after");
    }

    // Only entries 1..1000 take part, and one whose A is 0 is empty whatever its B.
    void scoreTracesReadsKeptEntriesWithAnA() {
        Trace task, drawn;
        for (int n = 1; n <= Trace::Capacity; ++n)
            task.A[n] = task.B[n] = drawn.A[n] = drawn.B[n] = n;
        task.A[1] = drawn.A[1] = 0;
        drawn.A[2] = 5000; // the task's (2, 2) is drawn only past entry 1000
        drawn.A[1001] = drawn.B[1001] = 2;
        const TraceScore score = scoreTraces(task, drawn);
        QCOMPARE(score.matched, 998);
        QCOMPARE(score.penalty, 4);
    }
};

TESSARIN_CORE_TEST_MAIN(TestScoring)
#include "test_scoring.moc"
