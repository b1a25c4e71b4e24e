#include "TestMain.h"

#include "game/GameError.h"
#include "game/Startup.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

QString settingsFolder() {
    return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Orv");
}

QString settingsPath() {
    return settingsFolder() + QStringLiteral("/Tessarin.conf");
}

void makeWritable(const QString &path) {
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Starts a case from an empty store.
void clearStore() {
    const QFileInfo folder(settingsFolder());
    if (folder.isDir()) {
        makeWritable(folder.filePath());
        makeWritable(settingsPath());
        QDir(folder.filePath()).removeRecursively();
    } else if (folder.exists()) {
        QFile::remove(folder.filePath());
    }
}

// Writes the store's file as the player (or another program) might have left it. Each
// file gets a time of its own, so that nothing can take it for the one read before.
void writeStore(const QByteArray &contents) {
    static int filesWritten = 0;
    clearStore();
    QDir().mkpath(settingsFolder());
    QFile file(settingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.close();
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600 + ++filesWritten),
                             QFileDevice::FileModificationTime));
}

QStringList storedLines() {
    QFile file(settingsPath());
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// The loaded value of a stored name, in its stored text form.
QString loadedValue(const GameState &g, const QString &name) {
    const QHash<QString, QString> values = {
        {QStringLiteral("Liniy"), QString::number(g.LineCount)},
        {QStringLiteral("Range"), QString::number(g.Range)},
        {QStringLiteral("Time1"), QString::number(g.Time1)},
        {QStringLiteral("Time2"), QString::number(g.Time2)},
        {QStringLiteral("Level_of_game"), QString::number(g.Level)},
        {QStringLiteral("Liniy_level"), g.Liniy_level},
        {QStringLiteral("Range_level"), g.Range_level},
        {QStringLiteral("ProEnabled"), QString::number(g.ProEnabled)},
        {QStringLiteral("TimeEnabled"), QString::number(g.TimeEnabled)},
    };
    return values.value(name, QStringLiteral("<no such value>"));
}

QString saveError(const GameState &g) {
    try {
        saveSettings(g);
    } catch (const GameError &error) {
        return error.text();
    }
    return QString();
}

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { clearStore(); }
    void cleanup() {
        setErrorReporter({});
        clearStore();
    }

    void emptyStoreStartsAtTheDefaultsAndARunStoresAllNine() {
        {
            GameState g;
            Game game(g);
            QCOMPARE(g.Level, 2);
            QCOMPARE(g.Time1, 10);
            QCOMPARE(g.Time2, 10000);
            QCOMPARE(g.LineCount, 3);
            QCOMPARE(g.Range, 3);
            QCOMPARE(g.ProEnabled, uint8_t(1));
            QCOMPARE(g.TimeEnabled, uint8_t(1));
            QCOMPARE(g.Liniy_level, LevelTable::DefaultLiniyLevel);
            QCOMPARE(g.Range_level, LevelTable::DefaultRangeLevel);
            QCOMPARE(g.levels.lookup(2, LevelTable::RangeRow), 3);
            QCOMPARE(g.levels.lookup(15, LevelTable::LineCountRow), 10);
            QVERIFY(!QFileInfo::exists(settingsPath())); // nothing is written before the end
        }
        QStringList lines = storedLines();
        QCOMPARE(lines.takeFirst(), QStringLiteral("[General]"));
        lines.sort();
        QCOMPARE(lines, QStringList({
                            QStringLiteral("Level_of_game=2"),
                            QStringLiteral("Liniy=3"),
                            QStringLiteral("Liniy_level=") + LevelTable::DefaultLiniyLevel,
                            QStringLiteral("ProEnabled=1"),
                            QStringLiteral("Range=3"),
                            QStringLiteral("Range_level=") + LevelTable::DefaultRangeLevel,
                            QStringLiteral("Time1=10"),
                            QStringLiteral("Time2=10000"),
                            QStringLiteral("TimeEnabled=1"),
                        }));
    }

    void storedValuesAndTheirRepairs_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("loaded");
        const QString DefaultLiniyLevel = LevelTable::DefaultLiniyLevel;
        const QString DefaultRangeLevel = LevelTable::DefaultRangeLevel;
        const QString customTable = QStringLiteral("3 3 3 4 4 5 5 6 6 7 7 8 8 9 9 1011121312");
        QTest::newRow("Range 1") << QByteArray("Range=1") << "Range"
                                 << "3";
        QTest::newRow("Range 2") << QByteArray("Range=2") << "Range"
                                 << "3";
        QTest::newRow("Range 11 kept") << QByteArray("Range=11") << "Range"
                                       << "11";
        QTest::newRow("Time1 0") << QByteArray("Time1=0") << "Time1"
                                 << "1";
        QTest::newRow("Time1 -5") << QByteArray("Time1=-5") << "Time1"
                                  << "1";
        QTest::newRow("Time1 500 kept") << QByteArray("Time1=500") << "Time1"
                                        << "500";
        QTest::newRow("Time1 with leading zeros") << QByteArray("Time1=007") << "Time1"
                                                  << "7";
        QTest::newRow("Time1 quoted") << QByteArray("Time1=\"25\"") << "Time1"
                                      << "25";
        QTest::newRow("Time2 25") << QByteArray("Time2=25") << "Time2"
                                  << "10000";
        QTest::newRow("Time2 abc") << QByteArray("Time2=abc") << "Time2"
                                   << "10000";
        QTest::newRow("Liniy abc") << QByteArray("Liniy=abc") << "Liniy"
                                   << "3";
        QTest::newRow("Liniy 2") << QByteArray("Liniy=2") << "Liniy"
                                 << "3";
        QTest::newRow("Liniy 12 kept") << QByteArray("Liniy=12") << "Liniy"
                                       << "12";
        QTest::newRow("Liniy empty") << QByteArray("Liniy=") << "Liniy"
                                     << "3";
        QTest::newRow("flag 0") << QByteArray("ProEnabled=0") << "ProEnabled"
                                << "0";
        QTest::newRow("flag 5") << QByteArray("ProEnabled=5") << "ProEnabled"
                                << "1";
        QTest::newRow("flag x") << QByteArray("TimeEnabled=x") << "TimeEnabled"
                                << "1";
        QTest::newRow("flag missing") << QByteArray("TimeEnabled") << "TimeEnabled"
                                      << "1";
        QTest::newRow("other flag 0") << QByteArray("TimeEnabled=0") << "TimeEnabled"
                                      << "0";
        QTest::newRow("Level 0") << QByteArray("Level_of_game=0") << "Level_of_game"
                                 << "2";
        QTest::newRow("Level 20") << QByteArray("Level_of_game=20") << "Level_of_game"
                                  << "2";
        QTest::newRow("Level -3") << QByteArray("Level_of_game=-3") << "Level_of_game"
                                  << "2";
        QTest::newRow("Level abc") << QByteArray("Level_of_game=abc") << "Level_of_game"
                                   << "2";
        QTest::newRow("Level 1 kept") << QByteArray("Level_of_game=1") << "Level_of_game"
                                      << "1";
        QTest::newRow("Level 17 kept") << QByteArray("Level_of_game=17") << "Level_of_game"
                                       << "17";
        QTest::newRow("Level 19 kept") << QByteArray("Level_of_game=19") << "Level_of_game"
                                       << "19";
        QTest::newRow("table empty") << QByteArray("Liniy_level=") << "Liniy_level" << DefaultLiniyLevel;
        QTest::newRow("table with letters")
            << QByteArray("Liniy_level=2 3 3 4 x 5 5 6 6 7 7 8 8 9 9 1011121314") << "Liniy_level"
            << DefaultLiniyLevel;
        QTest::newRow("table too short")
            << QByteArray("Range_level=3 3 4 4 5 5 6 6 7 7 8 8 9") << "Range_level" << DefaultRangeLevel;
        QTest::newRow("table of the other row too short")
            << QByteArray("Liniy_level=2 3 3 4 4 5 5 6 6 7 7 8 8 9") << "Range_level" << DefaultRangeLevel;
        QTest::newRow("custom table kept")
            << ("Range_level=" + customTable.toUtf8()) << "Range_level" << customTable;
        QTest::newRow("table as the dialog stores it, trailing blank")
            << ("Liniy_level=\"" + customTable.toUtf8() + "6 \"") << "Liniy_level" << customTable + "6 ";
        QTest::newRow("INI list integer") << QByteArray("Time1=5, 6") << "Time1"
                                          << "10";
        QTest::newRow("INI list level") << QByteArray("Level_of_game=4, 5") << "Level_of_game"
                                        << "2";
        QTest::newRow("INI list table")
            << QByteArray("Liniy_level=2 3, 3 4 4 5 5 6 6 7 7 8 8 9 9 10111213141516") << "Liniy_level"
            << DefaultLiniyLevel;
        QTest::newRow("INI list flag") << QByteArray("ProEnabled=0, 0") << "ProEnabled"
                                       << "1";
        QTest::newRow("stored number, not text")
            << QByteArray("Time1=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)") << "Time1"
            << "10";
        QTest::newRow("stored bytes, not text") << QByteArray("Time1=@ByteArray(25)") << "Time1"
                                                << "10";
    }

    void storedValuesAndTheirRepairs() {
        QFETCH(QByteArray, stored);
        QFETCH(QString, name);
        QFETCH(QString, loaded);
        writeStore("[General]\n" + stored + "\n");
        GameState g;
        loadSettings(g);
        QCOMPARE(loadedValue(g, name), loaded);
        // The next save writes the repaired value back as plain text.
        saveSettings(g);
        const QString quote = loaded.endsWith(u' ') ? QStringLiteral("\"") : QString();
        QVERIFY2(storedLines().contains(name + u'=' + quote + loaded + quote),
                 qPrintable(storedLines().join(u'|')));
    }

    void aChangedLevelSurvivesTheRun() {
        {
            GameState g;
            Game game(g);
            QCOMPARE(g.Level, 2);
            g.Level = 7;
        }
        QVERIFY(storedLines().contains(QStringLiteral("Level_of_game=7")));
        GameState next;
        Game game(next);
        QCOMPARE(next.Level, 7);
    }

    void anUnwritableStoreIsReported_data() {
        QTest::addColumn<QString>("blocked");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a file where the folder belongs") << "folder is a file"
                                                         << "is a file, not a folder";
        QTest::newRow("read-only folder") << "read-only folder"
                                          << "its folder is read-only";
        QTest::newRow("read-only file") << "read-only file"
                                        << "the file is read-only";
        QTest::newRow("read-only malformed file") << "read-only malformed file"
                                                  << "the file is read-only";
    }

    void anUnwritableStoreIsReported() {
        QFETCH(QString, blocked);
        QFETCH(QString, reason);
        if (blocked == QStringLiteral("folder is a file")) {
            QFile blocker(settingsFolder());
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        } else if (blocked == QStringLiteral("read-only folder")) {
            QVERIFY(QDir().mkpath(settingsFolder()));
            QFile::setPermissions(settingsFolder(), QFile::ReadOwner | QFile::ExeOwner);
        } else {
            writeStore(blocked.contains(QStringLiteral("malformed")) ? "[General\nLevel_of_game=3\n"
                                                                     : "[General]\nLevel_of_game=3\n");
            QFile::setPermissions(settingsPath(), QFile::ReadOwner);
        }
        const QString protectedPath =
            blocked == QStringLiteral("read-only folder") ? settingsFolder() : settingsPath();
        if (blocked != QStringLiteral("folder is a file") && QFileInfo(protectedPath).isWritable())
            QSKIP("This user may write whatever the permissions say (root).");

        QStringList shown;
        setErrorReporter([&](const QString &text) { shown << text; });
        {
            GameState g;
            Game game(g);
            g.Level = 9;
        }
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(u'"' + settingsPath() + u'"'), qPrintable(shown[0]));
        QVERIFY2(shown[0].contains(reason), qPrintable(shown[0]));
        QVERIFY(shown[0].startsWith(QStringLiteral("Your settings and progress could not be saved")));
        QVERIFY(!storedLines().contains(QStringLiteral("Level_of_game=9")));
    }

    void aMalformedStoreIsRewritten() {
        writeStore("[General\nLevel_of_game=4\n");
        GameState g;
        loadSettings(g);
        g.Level = 5;
        QCOMPARE(saveError(g), QString());
        QVERIFY(storedLines().contains(QStringLiteral("Level_of_game=5")));
    }

    // The desktop session may end the process right after announcing the quit, without
    // returning from the event loop (Windows does): the settings are saved by then.
    void theSessionsEndSavesBeforeTheEventLoopReturns() {
        GameState g;
        Game game(g);
        game.form1().show();
        QVERIFY(QTest::qWaitForWindowExposed(&game.form1()));
        g.Level = 11;
        QVERIFY(QMetaObject::invokeMethod(qApp, "aboutToQuit", Qt::DirectConnection));
        QVERIFY(storedLines().contains(QStringLiteral("Level_of_game=11")));
    }

    // The X11 session manager ends the session with a quit event: the event loop returns,
    // the windows are destroyed and the settings written.
    void aQuitEventEndsTheRunAndSaves() {
        GameState g;
        std::optional<Game> game(std::in_place, g);
        game->form1().show();
        QVERIFY(QTest::qWaitForWindowExposed(&game->form1()));
        g.Level = 12;
        QTimer::singleShot(0, qApp, [] {
            QEvent quit(QEvent::Quit);
            QCoreApplication::sendEvent(qApp, &quit);
        });
        QTimer giveUp;
        giveUp.setSingleShot(true);
        connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        giveUp.start(20000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!game->form1().isVisible());
        game.reset();
        QVERIFY(storedLines().contains(QStringLiteral("Level_of_game=12")));
    }
};

TESSARIN_TEST_MAIN(TestSettingsStore)
#include "test_settings_store.moc"
