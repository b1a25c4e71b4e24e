#include "settings/LevelTable.h"

#include "game/IntegerText.h"

const QString LevelTable::DefaultLiniyLevel = QStringLiteral("2 3 3 4 4 5 5 6 6 7 7 8 8 9 9 10111213141516");
const QString LevelTable::DefaultRangeLevel = QStringLiteral("3 3 4 4 5 5 6 6 7 7 8 8 9 9 1010101010101010");

namespace {

// The piece of a stored string that holds level k: two characters, a trailing blank dropped.
QString storedPiece(const QString &stored, int level) {
    QString piece = stored.mid(2 * level - 2, 2);
    if (piece.size() == 2 && piece[1] == u' ') piece.truncate(1);
    return piece;
}

QString storedForm(const QString &cellText) {
    QString text = cellText.isEmpty() ? QStringLiteral("6") : cellText;
    if (parseInteger(text) == 0) text = QStringLiteral("3");
    return (text + QStringLiteral("  ")).left(2);
}

} // namespace

QString LevelTable::cell(int column, int row) const {
    if (column < 0 || column >= Columns || row < 0 || row >= Rows) return {};
    return m_cells[row][column];
}

void LevelTable::setCell(int column, int row, const QString &text) {
    if (column < 0 || column >= Columns || row < 0 || row >= Rows) return;
    m_cells[row][column] = text;
}

void LevelTable::load(const QString &liniyLevel, const QString &rangeLevel) {
    m_cells[0][0].clear();
    m_cells[RangeRow][0] = QStringLiteral("Range");
    m_cells[LineCountRow][0] = QStringLiteral("Lines");
    for (int k = 1; k < Columns; ++k)
        m_cells[0][k] = QString::number(k);
    for (int k = 1; k <= LoadedLevels; ++k) {
        m_cells[RangeRow][k] = storedPiece(liniyLevel, k);
        m_cells[LineCountRow][k] = storedPiece(rangeLevel, k);
    }
}

void LevelTable::store(QString &liniyLevel, QString &rangeLevel) const {
    liniyLevel.clear();
    rangeLevel.clear();
    // Level by level, the Range row before the LineCount row.
    for (int k = 1; k <= StoredLevels; ++k) {
        liniyLevel += storedForm(m_cells[RangeRow][k]);
        rangeLevel += storedForm(m_cells[LineCountRow][k]);
    }
}

int32_t LevelTable::lookup(int32_t level, int row) const {
    return toInteger(cell(level, row));
}

QString LevelTable::repaired(const QString &stored, const QString &defaultText, int highestLevel) {
    QString text;
    for (int k = 1; k <= highestLevel; ++k) {
        const bool usable = parseInteger(storedPiece(stored, k)).has_value();
        // A one-character last piece gets its blank back when a default piece follows it.
        text = text.leftJustified(2 * k - 2) + (usable ? stored : defaultText).mid(2 * k - 2, 2);
    }
    return text + stored.mid(2 * highestLevel);
}
