#include "settings/SettingsStore.h"

#include "game/GameError.h"
#include "game/GameState.h"
#include "game/IntegerText.h"

#include <QFileInfo>
#include <QSettings>
#include <algorithm>

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

// Named text values under Software\Orv\Tessarin in the player's own part of the store.
class Store {
public:
    // Opens the store. Only the player's own values count: no organisation-wide or
    // system-wide values stand in for missing ones.
    Store()
        : m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Orv"),
                     QStringLiteral("Tessarin")) {
        m_settings.setFallbacksEnabled(false);
    }

    // A value that is missing or not text (another registry type, an INI list such as
    // "1, 2") gives the default.
    QString readText(const QString &name, const QString &defaultText) const {
        const QVariant value = m_settings.value(name);
        return value.typeId() == QMetaType::QString ? value.toString() : defaultText;
    }

    void writeText(const QString &name, const QString &text) { m_settings.setValue(name, text); }

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
        m_settings.sync();
        return m_settings.status();
    }

    QString location() const { return m_settings.fileName(); }

private:
    QSettings m_settings;
};

// An empty level-table text takes its default. In any other, only the levels that play
// can reach from `level` are mended, each on its own, so that no New or Check fails on a
// store edited by hand and nothing else the player stored is lost.
QString usableLevelText(const QString &stored, const QString &defaultText, int32_t level) {
    if (stored.isEmpty()) return defaultText;
    return LevelTable::repaired(stored, defaultText, std::max<int32_t>(LevelTable::PlayedLevels, level));
}

QString writeFailureReason(QSettings::Status status, const QString &location) {
    if (status == QSettings::FormatError)
        return QStringLiteral("its contents are malformed and could not be replaced");
#ifdef Q_OS_WIN
    Q_UNUSED(location);
    return QStringLiteral("the registry key could not be written");
#else
    const QFileInfo file(location);
    const QFileInfo folder(file.path());
    if (file.exists() && !file.isWritable()) return QStringLiteral("the file is read-only");
    if (folder.isDir() && !folder.isWritable()) return QStringLiteral("its folder is read-only");
    if (folder.exists() && !folder.isDir())
        return QStringLiteral("\"%1\" is a file, not a folder").arg(folder.filePath());
    return QStringLiteral("the file could not be written");
#endif
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
    Store store;
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
    if (g.Level < 1 || g.Level > LevelTable::LoadedLevels) g.Level = DefaultLevel;
    g.Liniy_level = usableLevelText(g.Liniy_level, LevelTable::DefaultLiniyLevel, g.Level);
    g.Range_level = usableLevelText(g.Range_level, LevelTable::DefaultRangeLevel, g.Level);
    if (g.LineCount < 3) g.LineCount = 3;
    if (g.Range < 3) g.Range = 3;
    if (g.Time1 < 1) g.Time1 = 1;
    g.Time2 = AnswerTime;
}

void saveSettings(const GameState &g) {
    for (int attempt = 1;; ++attempt) {
        Store store;
        writeAll(store, g);
        const QSettings::Status status = store.close();
        if (status == QSettings::NoError) return;
        // A store that was malformed when opened reports that even after a good write;
        // writing once more into the rewritten store tells whether the values arrived.
        if (status == QSettings::FormatError && attempt == 1) continue;
        throw GameError(QStringLiteral("Your settings and progress could not be saved to \"%1\": %2.")
                            .arg(store.location(), writeFailureReason(status, store.location())));
    }
}
