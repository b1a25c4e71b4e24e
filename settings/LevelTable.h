#pragma once

#include <QString>
#include <array>
#include <cstdint>

// The level table: per level, the grid size (row 1) and the number of lines of a
// task (row 2), held as text cells as the settings dialog shows them. Between runs it
// is stored as two strings of two characters per level.
class LevelTable {
public:
    static constexpr int Columns = 21; // 0 holds the row titles, 1..20 the levels
    static constexpr int Rows = 3;     // 0 holds the level numbers
    static constexpr int RangeRow = 1;
    static constexpr int LineCountRow = 2;
    static constexpr int LoadedLevels = 19;
    static constexpr int StoredLevels = 20;

    static const QString DefaultLiniyLevel; // the Range row
    static const QString DefaultRangeLevel; // the LineCount row

    // A cell outside the table reads as empty.
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);

    // Fills the cells from the stored strings: `liniyLevel` holds the Range row and
    // `rangeLevel` the LineCount row (the keys are named the other way round; stored
    // settings rely on this pairing).
    void load(const QString &liniyLevel, const QString &rangeLevel);

    // Writes 20 levels back into the two strings, two characters each: an empty cell
    // as "6", a cell worth 0 as "3". A cell that holds no integer is written as it
    // stands, so that what came from the store goes back unchanged.
    void store(QString &liniyLevel, QString &rangeLevel) const;

    // The cell (level, row) as an integer; raises "'<text>' is not a valid integer value".
    // A cell holds an integer when toInteger() takes its text: " 3" and "+3" are 3.
    int32_t lookup(int32_t level, int row) const;

    // A stored string with every level from 1 to `highestLevel` that holds no integer
    // replaced by that level's piece of `defaultText`; everything else stays as stored.
    static QString repaired(const QString &stored, const QString &defaultText, int highestLevel);

private:
    std::array<std::array<QString, Columns>, Rows> m_cells;
};
