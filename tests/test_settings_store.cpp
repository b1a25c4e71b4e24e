#include "TestMain.h"

#include "game/Startup.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString settingsFolder() {
    return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Orv");
}

QString settingsPath() {
    return settingsFolder() + QStringLiteral("/Tessarin.conf");
}

void clearStore() {
    for (const QString &path : {settingsFolder(), settingsPath()})
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir(settingsFolder()).removeRecursively();
    QFile::remove(settingsFolder());
}

// Each file gets a time of its own, so that nothing can take it for the one read before.
void writeStore(const QByteArray &contents) {
    static int filesWritten = 0;
    QDir().mkpath(settingsFolder());
    QFile file(settingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write(contents) == contents.size() && file.flush());
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600 + ++filesWritten),
                             QFileDevice::FileModificationTime));
}

QStringList storedLines() {
    QFile file(settingsPath());
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// Every value as the store holds it, from the game state.
QStringList valuesOf(const GameState &g) {
    return {"Level_of_game=" + QString::number(g.Level),
            "Liniy=" + QString::number(g.LineCount),
            "Liniy_level=" + g.Liniy_level,
            "ProEnabled=" + QString::number(g.ProEnabled),
            "Range=" + QString::number(g.Range),
            "Range_level=" + g.Range_level,
            "Time1=" + QString::number(g.Time1),
            "Time2=" + QString::number(g.Time2),
            "TimeEnabled=" + QString::number(g.TimeEnabled)};
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
        QStringList defaults{"Level_of_game=2", "Liniy=3",     "Liniy_level=" + LevelTable::DefaultLiniyLevel,
                             "ProEnabled=1",    "Range=3",     "Range_level=" + LevelTable::DefaultRangeLevel,
                             "Time1=10",        "Time2=10000", "TimeEnabled=1"};
        {
            GameState g;
            Game game(g);
            QCOMPARE(valuesOf(g), defaults);
            QCOMPARE(g.levels.lookup(15, LevelTable::LineCountRow), 10);
            QVERIFY(!QFileInfo::exists(settingsPath())); // nothing is written before the end
        }
        QStringList lines = storedLines();
        lines.sort();
        QCOMPARE(lines, defaults + QStringList{"[General]"});
    }

    // One stored line, the value it loads as, and the same written back at the next save.
    void storedValuesAndTheirRepairs_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("loaded");
        const QString liniy = LevelTable::DefaultLiniyLevel, range = LevelTable::DefaultRangeLevel;
        const QString table = "3 3 3 4 4 5 5 6 6 7 7 8 8 9 9 1011121312", table19 = range.left(37);
        // Level-table texts: empty, not a number at level 5 (that level mended), 18 and 15 levels,
        // one digit at level 19, and as the settings dialog stores them, ending in a blank.
        using Row = std::pair<QByteArray, QString>;
        const QList<Row> rows{
            Row("Range=1", "3"), Row("Range=2", "3"), Row("Range=11", "11"), Row("Time1=0", "1"),
            Row("Time1=-5", "1"), Row("Time2=25", "10000"), Row("Liniy=abc", "3"), Row("Liniy=2", "3"),
            Row("ProEnabled=0", "0"), Row("ProEnabled=5", "1"), Row("TimeEnabled=x", "1"),
            Row("TimeEnabled", "1"), Row("TimeEnabled=0", "0"), Row("Level_of_game=0", "2"),
            Row("Level_of_game=20", "2"), Row("Level_of_game=abc", "2"), Row("Level_of_game=1", "1"),
            Row("Level_of_game=19", "19"), Row("Liniy_level=", liniy),
            Row("Liniy_level=2 3 3 4 x 5 5 6 6 7 7 8 8 9 9 1011121314",
                "2 3 3 4 4 5 5 6 6 7 7 8 8 9 9 1011121314"),
            Row("Range_level=" + range.left(36).toUtf8(), range.left(36)),
            Row("Liniy_level=\"" + liniy.left(30).toUtf8() + '"', liniy.left(30)),
            Row("Range_level=" + table19.toUtf8(), table19),
            Row("Liniy_level=\"" + table.toUtf8() + "6 \"", table + "6 "),
            // Values that are not text read as missing.
            Row("Time1=5, 6", "10"), Row("Time1=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)", "10"),
            Row("Time1=@ByteArray(25)", "10"),
            // A malformed store is read as far as it goes and written anew.
            Row("Range=2\n[General", "3")};
        for (const auto &[stored, loaded] : rows)
            QTest::newRow(stored.simplified().constData()) << stored << loaded;
    }

    void storedValuesAndTheirRepairs() {
        QFETCH(QByteArray, stored);
        QFETCH(QString, loaded);
        writeStore("[General]\n" + stored + "\n");
        GameState g;
        loadSettings(g);
        const QString name = QString::fromUtf8(stored.split('=').first()) + u'=';
        QVERIFY2(valuesOf(g).contains(name + loaded), qPrintable(valuesOf(g).join(u'|')));
        saveSettings(g);
        const QString quote = loaded.endsWith(u' ') ? QStringLiteral("\"") : QString();
        QVERIFY(storedLines().contains(name + quote + loaded + quote));
    }

    // However the run ends, a changed level reaches the store and the next start reads it.
    void aChangedLevelSurvivesTheRun_data() {
        QTest::addColumn<QString>("ending");
        QTest::newRow("window destroyed") << QString();
        // The desktop session may end the process right after announcing the quit (Windows does).
        QTest::newRow("session end announced") << QStringLiteral("aboutToQuit");
        // The X11 session manager sends a quit event: the event loop returns.
        QTest::newRow("quit event") << QStringLiteral("quit event");
    }

    void aChangedLevelSurvivesTheRun() {
        QFETCH(QString, ending);
        {
            GameState g;
            Game game(g);
            game.form1().show();
            QVERIFY(QTest::qWaitForWindowExposed(&game.form1()));
            g.Level = 7;
            if (ending == QStringLiteral("aboutToQuit")) {
                QVERIFY(QMetaObject::invokeMethod(qApp, "aboutToQuit", Qt::DirectConnection));
                QVERIFY(storedLines().contains(QStringLiteral("Level_of_game=7")));
            } else if (!ending.isEmpty()) {
                QTimer::singleShot(0, qApp, [] {
                    QEvent quit(QEvent::Quit);
                    QCoreApplication::sendEvent(qApp, &quit);
                });
                QTimer::singleShot(20000, &game.form1(), [] { QCoreApplication::exit(1); }); // gives up
                QCOMPARE(QCoreApplication::exec(), 0);
            }
        }
        QVERIFY(storedLines().contains(QStringLiteral("Level_of_game=7")));
        GameState next;
        Game game(next);
        QCOMPARE(next.Level, 7);
    }

    void anUnwritableStoreIsReported_data() {
        QTest::addColumn<QString>("blocked"); // the path made unwritable
        QTest::addColumn<QString>("reason");
        QTest::newRow("a file where the folder belongs")
            << QString() << QStringLiteral("is a file, not a folder");
        QTest::newRow("read-only folder") << settingsFolder() << QStringLiteral("its folder is read-only");
    }

    void anUnwritableStoreIsReported() {
        QFETCH(QString, blocked);
        QFETCH(QString, reason);
        if (blocked.isEmpty()) {
            QVERIFY(QFile(settingsFolder()).open(QIODevice::WriteOnly));
        } else {
            writeStore("[General]\nLevel_of_game=3\n");
            QFile::setPermissions(blocked, QFile::ReadOwner | QFile::ExeOwner);
            if (QFileInfo(blocked).isWritable())
                QSKIP("This user may write whatever the permissions say (root).");
        }
        QStringList shown;
        setErrorReporter([&](const QString &text) { shown << text; });
        {
            GameState g;
            Game game(g);
            g.Level = 9;
        }
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].startsWith(QStringLiteral("Your settings and progress could not be saved to \"") +
                                     settingsPath() + u'"'),
                 qPrintable(shown[0]));
        QVERIFY2(shown[0].contains(reason), qPrintable(shown[0]));
        QVERIFY(!storedLines().contains(QStringLiteral("Level_of_game=9")));
    }
};

TESSARIN_TEST_MAIN(TestSettingsStore)
#include "test_settings_store.moc"
