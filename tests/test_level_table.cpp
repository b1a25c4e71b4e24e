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
    // Two characters per level, a trailing blank dropped, anything else kept as it is; the key
    // named after lines fills the Range row, the other the LineCount row.
    void piecesOfAStoredString() {
        LevelTable table;
        table.load(QStringLiteral("2  5100 ab7"), QStringLiteral("12"));
        table.setCell(21, Range, QStringLiteral("x")); // beyond the table: nothing changes
        table.setCell(-1, Lines, QStringLiteral("x"));
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

        // A cell that holds no number goes back as it stands; a blank or a sign is kept.
        reloaded.setCell(3, Lines, QStringLiteral("x"));
        reloaded.setCell(4, Lines, QStringLiteral(" 3"));
        reloaded.setCell(5, Lines, QStringLiteral("+0"));
        reloaded.store(liniyLevel, rangeLevel);
        QCOMPARE(rangeLevel.left(12), QStringLiteral("3 3 x  33 5 "));
    }

    // What a lookup gives for a cell's text; the message names the text, and a title
    // cell is no number either.
    void lookups_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        for (const char *text : {" 3", "+3", "03"})
            QTest::newRow(text) << 4 << text << "3";
        for (const char *text : {"x", "", "3 ", "0 3", "0+3"})
            QTest::newRow(text) << 4 << text << QStringLiteral("'%1' is not a valid integer value").arg(text);
        QTest::newRow("title") << 0 << "Range"
                               << "'Range' is not a valid integer value";
    }

    void lookups() {
        QFETCH(int, level);
        QFETCH(QString, text);
        QFETCH(QString, result);
        LevelTable table = defaultTable();
        table.setCell(level, Range, text);
        try {
            QCOMPARE(QString::number(table.lookup(level, Range)), result);
        } catch (const GameError &error) {
            QCOMPARE(error.text(), result);
        }
    }

    // A stored text mended for play up to a highest level: only a level that holds no
    // number takes its default piece; the rest stays exactly as stored.
    void repairingAStoredText_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("highest");
        QTest::addColumn<QString>("repaired");
        const QString levels15 = LevelTable::DefaultLiniyLevel.left(30);
        QTest::newRow("15 levels") << levels15 << 15 << levels15;
        QTest::newRow("level 5 no number")
            << "2 3 3 4 x 5 5 6 6 7 7 8 8 9 9 ab" << 15 << "2 3 3 4 4 5 5 6 6 7 7 8 8 9 9 ab";
        QTest::newRow("signs and blanks")
            << " 2+3 3-4 4 5 5 6 6 7 7 8 8 9 9" << 15 << " 2+3 3-4 4 5 5 6 6 7 7 8 8 9 9";
        QTest::newRow("one character at level 13") << levels15.left(25) << 15 << levels15;
        QTest::newRow("stored level 17") << levels15 + "x" << 17 << levels15 + "1011";
    }

    void repairingAStoredText() {
        QFETCH(QString, stored);
        QFETCH(int, highest);
        QTEST(LevelTable::repaired(stored, LevelTable::DefaultLiniyLevel, highest), "repaired");
    }
};

TESSARIN_CORE_TEST_MAIN(TestLevelTable)
#include "test_level_table.moc"
