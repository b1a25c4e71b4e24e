#include "CoreTestMain.h"

#include "game/GameError.h"
#include "settings/LevelTable.h"

namespace {

constexpr int Range = LevelTable::RangeRow;
constexpr int Lines = LevelTable::LineCountRow;

LevelTable defaultTable() {
    LevelTable table;
    table.load(LevelTable::DefaultLiniyLevel, LevelTable::DefaultRangeLevel);
    return table;
}

QString row(const LevelTable &table, int row) {
    QStringList cells;
    for (int column = 0; column <= 20; ++column)
        cells << table.cell(column, row);
    return cells.join(u',');
}

} // namespace

class TestLevelTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultStringsGiveTheDefaultTable() {
        const LevelTable table = defaultTable();
        QCOMPARE(row(table, 0), QStringLiteral(",1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20"));
        QCOMPARE(row(table, Range), QStringLiteral("Range,2,3,3,4,4,5,5,6,6,7,7,8,8,9,9,10,11,12,13,"));
        QCOMPARE(row(table, Lines), QStringLiteral("Lines,3,3,4,4,5,5,6,6,7,7,8,8,9,9,10,10,10,10,10,"));
    }

    // Two characters per level, a trailing blank dropped, anything else kept as it is; the key
    // named after lines fills the Range row, the other the LineCount row.
    void piecesOfAStoredString() {
        LevelTable table;
        table.load(QStringLiteral("2  5100 ab7"), QStringLiteral("12"));
        QCOMPARE(row(table, Range), QStringLiteral("Range,2, 5,10,0,ab,7,,,,,,,,,,,,,,"));
        QCOMPARE(row(table, Lines), QStringLiteral("Lines,12,,,,,,,,,,,,,,,,,,,"));
    }

    // Twenty levels of two characters: the empty column 20 as "6", a cell worth 0 as "3".
    void storingTheTable() {
        QString liniyLevel, rangeLevel;
        defaultTable().store(liniyLevel, rangeLevel);
        QCOMPARE(liniyLevel, LevelTable::DefaultLiniyLevel.left(38) + QStringLiteral("6 "));
        QCOMPARE(rangeLevel, LevelTable::DefaultRangeLevel.left(38) + QStringLiteral("6 "));
        LevelTable reloaded;
        reloaded.load(liniyLevel, rangeLevel);
        for (int r : {Range, Lines})
            QCOMPARE(row(reloaded, r), row(defaultTable(), r));

        reloaded.setCell(3, Range, QStringLiteral("0"));
        reloaded.setCell(4, Range, QStringLiteral("00"));
        reloaded.setCell(5, Range, QString());
        reloaded.setCell(6, Range, QStringLiteral("123"));
        reloaded.store(liniyLevel, rangeLevel);
        QCOMPARE(liniyLevel, QStringLiteral("2 3 3 3 6 125 6 6 7 7 8 8 9 9 101112136 "));
        QCOMPARE(rangeLevel, LevelTable::DefaultRangeLevel.left(38) + QStringLiteral("6 "));

        // A cell that is no number stops the storing, level by level.
        reloaded.setCell(3, Lines, QStringLiteral("x"));
        QVERIFY_THROWS_EXCEPTION(GameError, reloaded.store(liniyLevel, rangeLevel));
        QCOMPARE(liniyLevel + u'|' + rangeLevel, QStringLiteral("2 3 3 |3 3 "));
    }

    // The message names the cell's text; a title cell is no number either.
    void lookupFailures() {
        LevelTable table = defaultTable();
        table.setCell(4, Range, QStringLiteral("x"));
        table.setCell(5, Range, QString());
        for (const auto &[level, text] : {std::pair(4, "x"), std::pair(5, ""), std::pair(0, "Range")}) {
            try {
                table.lookup(level, Range);
                QFAIL("the lookup did not fail");
            } catch (const GameError &error) {
                QCOMPARE(error.text(), QStringLiteral("'%1' is not a valid integer value").arg(text));
            }
        }
    }
};

TESSARIN_CORE_TEST_MAIN(TestLevelTable)
#include "test_level_table.moc"
