#include "settings/SettingsStore.h"

#include "game/GameError.h"
#include "game/GameRules.h"
#include "game/GameState.h"
#include "game/IntegerText.h"
#include "settings/StorePlace.h"

#include <QSettings>
#include <algorithm>
#include <memory>

namespace {

// The stored values' names, in the order they are read and written.
const QString LiniyName = QStringLiteral("Liniy");
const QString RangeName = QStringLiteral("Range");
const QString Time1Name = QStringLiteral("Time1");
const QString Time2Name = QStringLiteral("Time2");
const QString LevelName = QStringLiteral("Level_of_game");
const QString LiniyLevelName = QStringLiteral("Liniy_level");
const QString RangeLevelName = QStringLiteral("Range_level");
const QString ProEnabledName = QStringLiteral("ProEnabled");
const QString TimeEnabledName = QStringLiteral("TimeEnabled");

constexpr int32_t DefaultLineCount = 3;
constexpr int32_t DefaultRange = 1;
constexpr int32_t DefaultTime1 = 10;
constexpr int32_t DefaultTime2 = 10;
constexpr int32_t DefaultLevel = 2;
constexpr int32_t AnswerTime = 10000; // whatever Time2 was stored, a run starts with this

// Named text values under [General] in the player's settings file.
class Store {
public:
    // Opens the store in `file`, or an empty store when `file` is empty. Only the
    // player's own file counts: no organisation-wide or system-wide values stand in for
    // missing ones.
    explicit Store(const QString &file) {
        if (!file.isEmpty()) m_settings = std::make_unique<QSettings>(file, QSettings::IniFormat);
    }

    // A value that is missing or not text (an INI list such as "1, 2", a typed value
    // such as "@ByteArray(5)") gives the default.
    QString readText(const QString &name, const QString &defaultText) const {
        const QVariant value = m_settings ? m_settings->value(name) : QVariant();
        return value.typeId() == QMetaType::QString ? value.toString() : defaultText;
    }

    void writeText(const QString &name, const QString &text) { m_settings->setValue(name, text); }

    int32_t readInteger(const QString &name, int32_t defaultValue) const {
        return parseInteger(readText(name, QString())).value_or(defaultValue);
    }

    void writeInteger(const QString &name, int32_t value) { writeText(name, QString::number(value)); }

    bool readFlag(const QString &name) const { return readInteger(name, 1) != 0; }

    void writeFlag(const QString &name, bool on) {
        writeText(name, on ? QStringLiteral("1") : QStringLiteral("0"));
    }

    // Closes the store, writing out what changed. QSettings keeps the first error it
    // met, whether in reading or in writing.
    QSettings::Status close() {
        if (!m_settings) return QSettings::NoError;
        m_settings->sync();
        return m_settings->status();
    }

private:
    std::unique_ptr<QSettings> m_settings;
};

// An empty level-table text takes its default. In any other, only the levels that play
// can reach from `level` are mended, each on its own, so that no New or Check fails on a
// store edited by hand and nothing else the player stored is lost.
QString usableLevelText(const QString &stored, const QString &defaultText, int32_t level) {
    if (stored.isEmpty()) return defaultText;
    return LevelTable::repaired(stored, defaultText, std::max(GameRules::HighestLevel, level));
}

QString writeFailureReason(QSettings::Status status, const QString &location) {
    if (status == QSettings::FormatError)
        return QStringLiteral("its contents are malformed and could not be replaced");
    return failedWriteReason(location);
}

[[noreturn]] void reportUnsaved(const QString &location, const QString &reason) {
    throw GameError(
        QStringLiteral("Your settings and progress could not be saved to \"%1\": %2.").arg(location, reason));
}

void writeAll(Store &store, const GameState &g) {
    store.writeInteger(LiniyName, g.LineCount);
    store.writeInteger(RangeName, g.Range);
    store.writeInteger(Time1Name, g.Time1);
    store.writeInteger(Time2Name, g.Time2);
    store.writeInteger(LevelName, g.Level);
    store.writeText(LiniyLevelName, g.Liniy_level);
    store.writeText(RangeLevelName, g.Range_level);
    store.writeFlag(ProEnabledName, g.ProEnabled);
    store.writeFlag(TimeEnabledName, g.TimeEnabled);
}

} // namespace

void loadSettings(GameState &g) {
    // Anything but a regular file in the store's place reads as an empty store.
    const QString file = storeFile();
    Store store(safeToRead(file) ? file : QString());
    g.LineCount = store.readInteger(LiniyName, DefaultLineCount);
    g.Range = store.readInteger(RangeName, DefaultRange);
    g.Time1 = store.readInteger(Time1Name, DefaultTime1);
    g.Time2 = store.readInteger(Time2Name, DefaultTime2);
    g.Level = store.readInteger(LevelName, DefaultLevel);
    g.Liniy_level = store.readText(LiniyLevelName, LevelTable::DefaultLiniyLevel);
    g.Range_level = store.readText(RangeLevelName, LevelTable::DefaultRangeLevel);
    g.ProEnabled = store.readFlag(ProEnabledName);
    g.TimeEnabled = store.readFlag(TimeEnabledName);
    store.close(); // a store that cannot be read has given the defaults already

    // A level without a column in the table would make every New fail at its lookup.
    if (g.Level < GameRules::LowestLevel || g.Level > LevelTable::LoadedLevels) g.Level = DefaultLevel;
    g.Liniy_level = usableLevelText(g.Liniy_level, LevelTable::DefaultLiniyLevel, g.Level);
    g.Range_level = usableLevelText(g.Range_level, LevelTable::DefaultRangeLevel, g.Level);
    g.LineCount = std::max(g.LineCount, GameRules::FewestLines);
    g.Range = std::max(g.Range, GameRules::SmallestRange);
    g.Time1 = std::max(g.Time1, GameRules::ShortestShowing);
    g.Time2 = AnswerTime;
}

QString unsavableStoreWarning() {
    const QString file = storeFile();
    const QString reason = foreseenUnwritableReason(file);
    if (reason.isEmpty()) return {};
    return QStringLiteral("Your settings and progress cannot be saved to \"%1\": %2. You can play on, but "
                          "this run will not be kept unless that is put right before the game ends.")
        .arg(file, reason);
}

void saveSettings(const GameState &g) {
    const QString file = storeFile();
    if (const QString reason = unwritableReason(file); !reason.isEmpty()) reportUnsaved(file, reason);
    for (int attempt = 1;; ++attempt) {
        Store store(file);
        writeAll(store, g);
        const QSettings::Status status = store.close();
        if (status == QSettings::NoError) return;
        // A store that was malformed when opened reports that even after a good write;
        // writing once more into the rewritten store tells whether the values arrived.
        if (status == QSettings::FormatError && attempt == 1) continue;
        reportUnsaved(file, writeFailureReason(status, file));
    }
}
