#include "TestMain.h"

#include "game/GameError.h"
#include "settings/LevelTable.h"

namespace {

constexpr int Range = LevelTable::RangeRow;
constexpr int Lines = LevelTable::LineCountRow;

// The table that the default strings give, levels 1..19.
const int DefaultRanges[20] = {0, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 11, 12, 13};
const int DefaultLineCounts[20] = {0, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 10, 10, 10};

LevelTable defaultTable() {
    LevelTable table;
    table.load(LevelTable::DefaultLiniyLevel, LevelTable::DefaultRangeLevel);
    return table;
}

QString lookupError(const LevelTable &table, int level, int row) {
    try {
        table.lookup(level, row);
    } catch (const GameError &error) {
        return error.text();
    }
    return QString();
}

} // namespace

class TestLevelTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultStringsGiveTheDefaultTable() {
        const LevelTable table = defaultTable();
        QCOMPARE(table.cell(0, 0), QString());
        QCOMPARE(table.cell(0, Range), QStringLiteral("Range"));
        QCOMPARE(table.cell(0, Lines), QStringLiteral("Lines"));
        for (int k = 1; k <= 20; ++k)
            QCOMPARE(table.cell(k, 0), QString::number(k));
        for (int level = 1; level <= 19; ++level) {
            QCOMPARE(table.cell(level, Range), QString::number(DefaultRanges[level]));
            QCOMPARE(table.cell(level, Lines), QString::number(DefaultLineCounts[level]));
            QCOMPARE(table.lookup(level, Range), DefaultRanges[level]);
            QCOMPARE(table.lookup(level, Lines), DefaultLineCounts[level]);
        }
        // Characters past level 19 are ignored: column 20 stays empty.
        QCOMPARE(table.cell(20, Range), QString());
        QCOMPARE(table.cell(20, Lines), QString());
    }

    void piecesOfAStoredString_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("cell");
        QTest::newRow("one digit and a blank") << "2 3 4 " << 2 << "3";
        QTest::newRow("two digits") << "2 3 12" << 3 << "12";
        QTest::newRow("single character at the very end") << "2 3 4" << 3 << "4";
        QTest::newRow("past the end") << "2 3 4" << 4 << "";
        QTest::newRow("blank before a digit kept") << "2  5" << 2 << " 5";
        QTest::newRow("letters kept unchanged") << "2 ab" << 2 << "ab";
        QTest::newRow("three-digit value split over two levels") << "2 100 " << 2 << "10";
        QTest::newRow("level 19 from characters 37 and 38")
            << "2 3 3 4 4 5 5 6 6 7 7 8 8 9 9 10111299" << 19 << "99";
    }

    void piecesOfAStoredString() {
        QFETCH(QString, stored);
        QFETCH(int, level);
        QFETCH(QString, cell);
        LevelTable table;
        // The key named after lines fills the Range row, the other the LineCount row.
        table.load(stored, QString());
        QCOMPARE(table.cell(level, Range), cell);
        QCOMPARE(table.cell(level, Lines), QString());
        table.load(QString(), stored);
        QCOMPARE(table.cell(level, Lines), cell);
        QCOMPARE(table.cell(level, Range), QString());
    }

    void storingTheDefaultTableAndLoadingItAgain() {
        QString liniyLevel, rangeLevel;
        defaultTable().store(liniyLevel, rangeLevel);
        QCOMPARE(liniyLevel.size(), 40);
        QCOMPARE(rangeLevel.size(), 40);
        QCOMPARE(liniyLevel, LevelTable::DefaultLiniyLevel.left(38) + QStringLiteral("6 "));
        QCOMPARE(rangeLevel, LevelTable::DefaultRangeLevel.left(38) + QStringLiteral("6 "));

        LevelTable reloaded;
        reloaded.load(liniyLevel, rangeLevel);
        const LevelTable original = defaultTable();
        for (int level = 1; level <= 19; ++level)
            for (int row : {Range, Lines})
                QCOMPARE(reloaded.cell(level, row), original.cell(level, row));
    }

    void storedFormOfACell_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("stored");
        QTest::newRow("one digit") << "7"
                                   << "7 ";
        QTest::newRow("two digits") << "12"
                                    << "12";
        QTest::newRow("three digits keep the first two") << "123"
                                                         << "12";
        QTest::newRow("zero") << "0"
                              << "3 ";
        QTest::newRow("zero with leading zero") << "00"
                                                << "3 ";
        QTest::newRow("empty") << ""
                               << "6 ";
    }

    void storedFormOfACell() {
        QFETCH(QString, cell);
        QFETCH(QString, stored);
        for (int row : {Range, Lines}) {
            LevelTable table = defaultTable();
            table.setCell(5, row, cell);
            QString liniyLevel, rangeLevel;
            table.store(liniyLevel, rangeLevel);
            const QString &changed = row == Range ? liniyLevel : rangeLevel;
            const QString &unchanged = row == Range ? rangeLevel : liniyLevel;
            const QString &unchangedDefault =
                row == Range ? LevelTable::DefaultRangeLevel : LevelTable::DefaultLiniyLevel;
            QCOMPARE(changed.mid(8, 2), stored);
            QCOMPARE(changed.size(), 40);
            QCOMPARE(unchanged, unchangedDefault.left(38) + QStringLiteral("6 "));
        }
    }

    void storingStopsAtACellThatIsNoNumber() {
        LevelTable table = defaultTable();
        table.setCell(3, Lines, QStringLiteral("x"));
        QString liniyLevel = QStringLiteral("old"), rangeLevel = QStringLiteral("old");
        QVERIFY_THROWS_EXCEPTION(GameError, table.store(liniyLevel, rangeLevel));
        // Level by level: levels 1..3 of the Range row, 1..2 of the LineCount row.
        QCOMPARE(liniyLevel, QStringLiteral("2 3 3 "));
        QCOMPARE(rangeLevel, QStringLiteral("3 3 "));
    }

    void lookupFailures_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("error");
        QTest::newRow("letter") << 4 << "x"
                                << "'x' is not a valid integer value";
        QTest::newRow("empty cell") << 4 << ""
                                    << "'' is not a valid integer value";
        QTest::newRow("digit and letter") << 4 << "1a"
                                          << "'1a' is not a valid integer value";
        QTest::newRow("column 20") << 20 << QString() << "'' is not a valid integer value";
        QTest::newRow("title column") << 0 << QString() << "'Range' is not a valid integer value";
    }

    void lookupFailures() {
        QFETCH(int, level);
        QFETCH(QString, cell);
        QFETCH(QString, error);
        LevelTable table = defaultTable();
        if (level >= 1 && level <= 19) table.setCell(level, Range, cell);
        QCOMPARE(lookupError(table, level, Range), error);
    }

    void holdsAllLevels_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("holds");
        const QString stored40 = LevelTable::DefaultLiniyLevel.left(38) + QStringLiteral("6 ");
        QTest::newRow("default Range row") << LevelTable::DefaultLiniyLevel << true;
        QTest::newRow("default LineCount row") << LevelTable::DefaultRangeLevel << true;
        QTest::newRow("as stored by the dialog") << stored40 << true;
        QTest::newRow("level 19 a single digit") << stored40.left(37) << true;
        QTest::newRow("anything past level 19") << stored40.left(38) + QStringLiteral("xyz") << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("too short for level 19") << stored40.left(36) << false;
        QTest::newRow("letter at level 3")
            << QStringLiteral("2 3 x 4 4 5 5 6 6 7 7 8 8 9 9 1011121314") << false;
        QTest::newRow("two blanks at level 19") << stored40.left(36) + QStringLiteral("  ") << false;
    }

    void holdsAllLevels() {
        QFETCH(QString, stored);
        QFETCH(bool, holds);
        QCOMPARE(LevelTable::holdsAllLevels(stored), holds);
        if (!holds) return;
        // Whatever it accepts, every lookup of levels 1..19 can read.
        LevelTable table;
        table.load(stored, stored);
        for (int level = 1; level <= 19; ++level)
            QCOMPARE(lookupError(table, level, Range), QString());
    }
};

TESSARIN_TEST_MAIN(TestLevelTable)
#include "test_level_table.moc"
