#include "TestMain.h"

#include "analysis/LineDecomposition.h"
#include "analysis/Scoring.h"

#include <QSet>
#include <algorithm>
#include <cmath>
#include <random>

namespace {

struct Segment {
    int x1, y1, x2, y2;
};

using Segments = QList<Segment>;
using Pairs = QList<QPoint>;

// Slot n + 1 holds segments[n]; a segment of four zeros is an empty slot.
LineTable tableOf(const Segments &segments) {
    LineTable t;
    for (int n = 0; n < segments.size(); ++n) {
        t.X1[n + 1] = segments[n].x1;
        t.Y1[n + 1] = segments[n].y1;
        t.X2[n + 1] = segments[n].x2;
        t.Y2[n + 1] = segments[n].y2;
    }
    return t;
}

GameState decompose(const LineTable &lines, int lineCount, int cellW) {
    GameState g;
    g.LineCount = lineCount;
    g.CellW = cellW;
    g.CellH = cellW;
    M_A_Rxy(g, lines);
    return g;
}

Pairs written(const GameState &g) {
    Pairs pairs;
    for (int n = 1; n < g.TraceCount; ++n)
        pairs << QPoint(g.TraceWork.A[n], g.TraceWork.B[n]);
    return pairs;
}

// The first entry from `from` on that is not (0, 0), or 0 when there is none.
int firstFilledFrom(const Trace &trace, int from) {
    for (int n = from; n <= Trace::Capacity; ++n)
        if (trace.A[n] != 0 || trace.B[n] != 0) return n;
    return 0;
}

// Samples one pass takes between integer ends: every fifth of a step from the lower
// end to the higher, never at 30 or beyond, nothing from a lower end outside 1..29.
int samplesOfPass(int a, int b) {
    const int low = std::min(a, b), high = std::min(std::max(a, b), 30);
    if (a == b || low < 1 || low >= 30) return 0;
    return 5 * (high - low) + 1;
}

// A second, plain reading of the decomposition: every sample kept without a capacity,
// repeats cleared by comparing every pair of entries. It checks the fast clearing and
// the capacity cut of the real one.
Pairs referenceDecomposition(const LineTable &t, int lineCount, int cellW) {
    Pairs raw;
    auto pass = [&](bool alongX) {
        for (int i = 1; i <= lineCount; ++i) {
            const long double s1 = alongX ? t.X1[i] : t.Y1[i], s2 = alongX ? t.X2[i] : t.Y2[i];
            const long double c1 = alongX ? t.Y1[i] : t.X1[i], c2 = alongX ? t.Y2[i] : t.X2[i];
            if (s1 == s2) continue;
            const double k = (c2 - c1) / (s2 - s1);
            const double b = c2 - s2 * (long double)k;
            for (double s = std::min(s1, s2); s <= std::max(s1, s2) + 0.01L && s > 0 && s < 30;
                 s = s + 0.2L) {
                const int along = int(cellW * (long double)s);
                const int across = int(((long double)s * k + b) * cellW);
                raw << (alongX ? QPoint(along, across) : QPoint(across, along));
            }
        }
    };
    pass(true);
    pass(false);
    // Clearing never looks at later entries, so the first 10000 can be cleared alone.
    const int n = std::min<int>(raw.size(), Trace::Capacity);
    QPoint *entry = raw.data();
    for (int i = 0; i < n - 1; ++i)
        for (int j = i + 1; j < n; ++j)
            if (entry[j].x() == entry[i].x() && entry[j].y() == entry[i].y()) entry[j] = QPoint(0, 0);
    return raw;
}

} // namespace

Q_DECLARE_METATYPE(Segment)
Q_DECLARE_METATYPE(Segments)

class TestDecomposition : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workedExamples_data() {
        QTest::addColumn<int>("cellW");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<Segments>("segments");
        QTest::addColumn<Pairs>("expected");

        QTest::newRow("horizontal, CellW 40")
            << 40 << 1 << Segments{{1, 1, 2, 1}}
            << Pairs{{40, 40}, {47, 40}, {55, 40}, {63, 40}, {71, 40}, {79, 40}};
        QTest::newRow("horizontal, CellW 20")
            << 20 << 1 << Segments{{1, 1, 2, 1}}
            << Pairs{{20, 20}, {23, 20}, {27, 20}, {31, 20}, {35, 20}, {39, 20}};
        QTest::newRow("vertical, CellW 40")
            << 40 << 1 << Segments{{1, 1, 1, 2}}
            << Pairs{{40, 40}, {40, 47}, {40, 55}, {40, 63}, {40, 71}, {40, 79}};
        QTest::newRow("vertical, CellW 20")
            << 20 << 1 << Segments{{1, 1, 1, 2}}
            << Pairs{{20, 20}, {20, 23}, {20, 27}, {20, 31}, {20, 35}, {20, 39}};
        // The y pass repeats every pair of the x pass and is cleared.
        QTest::newRow("diagonal, CellW 40")
            << 40 << 1 << Segments{{1, 1, 2, 2}}
            << Pairs{{40, 40}, {47, 47}, {55, 55}, {63, 63}, {71, 71}, {79, 79},
                     {0, 0},   {0, 0},   {0, 0},   {0, 0},   {0, 0},   {0, 0}};
        QTest::newRow("diagonal, CellW 20")
            << 20 << 1 << Segments{{1, 1, 2, 2}}
            << Pairs{{20, 20}, {23, 23}, {27, 27}, {31, 31}, {35, 35}, {39, 39},
                     {0, 0},   {0, 0},   {0, 0},   {0, 0},   {0, 0},   {0, 0}};
        // Four y-pass samples repeat x-pass pairs; the end point (3,2) appears twice.
        QTest::newRow("(1,1)-(3,2), CellW 40")
            << 40 << 1 << Segments{{1, 1, 3, 2}}
            << Pairs{{40, 40}, {47, 43}, {55, 47},  {63, 51},  {71, 55},  {79, 59},
                     {87, 63}, {95, 67}, {104, 72}, {112, 76}, {120, 80}, {0, 0},
                     {0, 0},   {0, 0},   {0, 0},    {103, 71}, {119, 79}};
        QTest::newRow("(1,1)-(3,2), CellW 20")
            << 20 << 1 << Segments{{1, 1, 3, 2}}
            << Pairs{{20, 20}, {23, 21}, {27, 23}, {31, 25}, {35, 27}, {39, 29}, {43, 31}, {47, 33}, {52, 36},
                     {56, 38}, {60, 40}, {0, 0},   {0, 0},   {0, 0},   {0, 0},   {51, 35}, {59, 39}};
        // The intercept comes from the second end point, so the direction matters.
        QTest::newRow("(1,1)-(2,6), CellW 40")
            << 40 << 1 << Segments{{1, 1, 2, 6}}
            << Pairs{{40, 40},  {47, 79},  {55, 119}, {63, 159}, {71, 199}, {79, 239}, {39, 40},  {41, 47},
                     {43, 55},  {44, 63},  {46, 71},  {0, 0},    {49, 87},  {51, 95},  {52, 104}, {54, 112},
                     {56, 120}, {57, 128}, {59, 136}, {60, 144}, {62, 152}, {64, 160}, {65, 168}, {67, 176},
                     {68, 184}, {70, 192}, {72, 200}, {73, 208}, {75, 216}, {76, 224}, {78, 232}, {80, 240}};
        QTest::newRow("(2,6)-(1,1), CellW 40")
            << 40 << 1 << Segments{{2, 6, 1, 1}}
            << Pairs{{40, 40},  {47, 79},  {55, 119}, {63, 159}, {71, 199}, {79, 239}, {0, 0},    {41, 47},
                     {43, 55},  {44, 63},  {46, 71},  {48, 79},  {49, 87},  {51, 95},  {52, 104}, {54, 112},
                     {56, 120}, {57, 128}, {59, 136}, {60, 144}, {62, 152}, {64, 160}, {65, 168}, {67, 176},
                     {68, 184}, {70, 192}, {72, 200}, {73, 208}, {75, 216}, {76, 224}, {78, 232}, {80, 240}};
        QTest::newRow("(1,1)-(2,6), CellW 20")
            << 20 << 1 << Segments{{1, 1, 2, 6}}
            << Pairs{{20, 20}, {23, 39}, {27, 59},  {31, 79},  {35, 99},  {39, 119}, {19, 20},  {20, 23},
                     {21, 27}, {22, 31}, {23, 35},  {0, 0},    {24, 43},  {25, 47},  {26, 52},  {27, 56},
                     {28, 60}, {28, 64}, {29, 68},  {30, 72},  {31, 76},  {32, 80},  {32, 84},  {33, 88},
                     {34, 92}, {35, 96}, {36, 100}, {36, 104}, {37, 108}, {38, 112}, {39, 116}, {40, 120}};
        QTest::newRow("(2,6)-(1,1), CellW 20")
            << 20 << 1 << Segments{{2, 6, 1, 1}}
            << Pairs{{20, 20}, {23, 39}, {27, 59},  {31, 79},  {35, 99},  {39, 119}, {0, 0},    {20, 23},
                     {21, 27}, {22, 31}, {23, 35},  {24, 39},  {24, 43},  {25, 47},  {26, 52},  {27, 56},
                     {28, 60}, {28, 64}, {29, 68},  {30, 72},  {31, 76},  {32, 80},  {32, 84},  {33, 88},
                     {34, 92}, {35, 96}, {36, 100}, {36, 104}, {37, 108}, {38, 112}, {39, 116}, {40, 120}};

        for (int cellW : {40, 20}) {
            const QByteArray w = " CellW " + QByteArray::number(cellW);
            QTest::newRow("empty and single-point slots," + w)
                << cellW << 3 << Segments{{0, 0, 0, 0}, {4, 4, 4, 4}, {0, 0, 0, 0}} << Pairs{};
            QTest::newRow("single point before a line," + w)
                << cellW << 2 << Segments{{4, 4, 4, 4}, {1, 1, 2, 1}}
                << (cellW == 40 ? Pairs{{40, 40}, {47, 40}, {55, 40}, {63, 40}, {71, 40}, {79, 40}}
                                : Pairs{{20, 20}, {23, 20}, {27, 20}, {31, 20}, {35, 20}, {39, 20}});
            QTest::newRow("line beyond LineCount after erased slots," + w)
                << cellW << 3 << Segments{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {1, 1, 2, 1}} << Pairs{};
            QTest::newRow("LineCount 0," + w) << cellW << 0 << Segments{{1, 1, 2, 1}} << Pairs{};
            QTest::newRow("lower end at 30," + w)
                << cellW << 3 << Segments{{30, 1, 35, 1}, {2, 30, 2, 40}, {30, 30, 35, 40}} << Pairs{};
            QTest::newRow("start at 0," + w) << cellW << 1 << Segments{{0, 1, 2, 1}} << Pairs{};
        }
    }

    void workedExamples() {
        QFETCH(int, cellW);
        QFETCH(int, lineCount);
        QFETCH(Segments, segments);
        QFETCH(Pairs, expected);
        const GameState g = decompose(tableOf(segments), lineCount, cellW);

        QCOMPARE(g.TraceCount, int(expected.size()) + 1);
        QCOMPARE(written(g), expected);
        QCOMPARE(firstFilledFrom(g.TraceWork, g.TraceCount), 0);
    }

    // Apart from one pair each, a line and its reverse yield the same points.
    void reversedLineDiffersInOnePair() {
        auto distinct = [](const GameState &g) {
            QSet<QPoint> pairs;
            for (const QPoint &p : written(g))
                if (p != QPoint(0, 0)) pairs.insert(p);
            return pairs;
        };
        const QSet<QPoint> forward = distinct(decompose(tableOf({{1, 1, 2, 6}}), 1, 20));
        const QSet<QPoint> backward = distinct(decompose(tableOf({{2, 6, 1, 1}}), 1, 20));
        QCOMPARE(QSet<QPoint>(forward).subtract(backward), QSet<QPoint>{QPoint(19, 20)});
        QCOMPARE(QSet<QPoint>(backward).subtract(forward), QSet<QPoint>{QPoint(24, 39)});
    }

    void passStopsJustBelow30_data() {
        QTest::addColumn<int>("cellW");
        QTest::addColumn<Segment>("segment");
        QTest::addColumn<QPoint>("first");
        QTest::addColumn<QPoint>("last");
        QTest::newRow("x from 1 to 30") << 40 << Segment{1, 1, 30, 1} << QPoint(40, 40) << QPoint(1199, 40);
        QTest::newRow("x from 1 to 40") << 40 << Segment{1, 1, 40, 1} << QPoint(40, 40) << QPoint(1199, 40);
        QTest::newRow("x from 40 to 1") << 40 << Segment{40, 1, 1, 1} << QPoint(40, 40) << QPoint(1199, 40);
        QTest::newRow("y from 1 to 35") << 40 << Segment{2, 1, 2, 35} << QPoint(80, 40) << QPoint(80, 1199);
        QTest::newRow("x to 30, CellW 20") << 20 << Segment{1, 3, 30, 3} << QPoint(20, 60) << QPoint(599, 60);
    }

    void passStopsJustBelow30() {
        QFETCH(int, cellW);
        QFETCH(Segment, segment);
        QFETCH(QPoint, first);
        QFETCH(QPoint, last);
        const GameState g = decompose(tableOf({segment}), 1, cellW);
        QCOMPARE(g.TraceCount, 147);
        QCOMPARE(written(g).first(), first);
        QCOMPARE(written(g).last(), last);
    }

    // Between integer ends a pass takes 5 samples per step and one at the far end.
    void samplesPerPass() {
        for (int low = 1; low <= 31; ++low) {
            for (int high = low + 1; high <= 40; ++high) {
                const GameState g = decompose(tableOf({{low, 2, high, 2}}), 1, 40);
                QCOMPARE(g.TraceCount - 1, samplesOfPass(low, high));
            }
        }
    }

    // 99 long lines on a grid of 40 points per side sample far more than fit.
    void capacityStopsStoring() {
        Segments segments;
        for (int i = 0; i < 99; ++i)
            segments << Segment{1 + i % 3, 1 + i % 5, 40 - i % 7, 40 - i % 4};
        const LineTable lines = tableOf(segments);
        const int cellW = 618 / 41;
        const Pairs reference = referenceDecomposition(lines, 99, cellW);
        QVERIFY(reference.size() > 2 * Trace::Capacity);

        const GameState g = decompose(lines, 99, cellW);
        QCOMPARE(g.TraceCount, Trace::Capacity + 1);
        QCOMPARE(written(g), reference.first(Trace::Capacity));
    }

    // Many random tables of every size, each checked against the plain reading and
    // for the properties scoring relies on.
    void randomTables() {
        std::mt19937 random(20261206);
        auto uniform = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        for (int round = 0; round < 300; ++round) {
            const bool big = round % 50 == 0;
            const int range = big ? uniform(30, 40) : uniform(2, 12);
            const int lineCount = big ? 99 : uniform(1, 15);
            const int cellW = uniform(5, 80);
            Segments segments;
            for (int i = 0; i < std::min(lineCount + 3, LineTable::Slots); ++i) {
                if (uniform(0, 9) == 0)
                    segments << Segment{0, 0, 0, 0};
                else
                    segments << Segment{uniform(1, range), uniform(1, range), uniform(1, range),
                                        uniform(1, range)};
            }
            const LineTable lines = tableOf(segments);
            const GameState g = decompose(lines, lineCount, cellW);

            int expectedCount = 0;
            for (int i = 0; i < lineCount; ++i) {
                const Segment &s = segments[i];
                expectedCount += samplesOfPass(s.x1, s.x2) + samplesOfPass(s.y1, s.y2);
            }
            QCOMPARE(g.TraceCount - 1, std::min(expectedCount, Trace::Capacity));
            QCOMPARE(firstFilledFrom(g.TraceWork, g.TraceCount), 0);

            QSet<QPoint> seen;
            for (const QPoint &p : written(g)) {
                if (p == QPoint(0, 0)) continue;
                QVERIFY2(!seen.contains(p), "a sample pair occurs twice");
                seen.insert(p);
            }
            if (!big) QCOMPARE(written(g), referenceDecomposition(lines, lineCount, cellW));

            // A drawing that copies the task exactly finds every task point.
            GameState check = g;
            check.TaskTrace = g.TraceWork;
            M_A_Rxy(check, tableOf(segments));
            check.DrawnTrace = check.TraceWork;
            int filled = 0;
            for (int n = 1; n <= Trace::Kept; ++n)
                filled += check.TaskTrace.A[n] != 0;
            const TraceScore score = scoreTraces(check.TaskTrace, check.DrawnTrace);
            QCOMPARE(score.penalty, 0);
            QCOMPARE(score.matched, filled);
        }
    }

    void overwritesTheWholePreviousTrace() {
        GameState g = decompose(tableOf({{1, 1, 3, 2}}), 1, 40);
        g.LineCount = 1;
        M_A_Rxy(g, tableOf({{1, 1, 2, 1}}));
        QCOMPARE(g.TraceCount, 7);
        QCOMPARE(firstFilledFrom(g.TraceWork, 7), 0);
    }
};

TESSARIN_TEST_MAIN(TestDecomposition)
#include "test_decomposition.moc"
