#include "PlayingTheGame.h"

#include "game/GameRules.h"
#include "game/IntegerText.h"
#include "game/SessionEnd.h"
#include "settings/SettingsStore.h"
#include "settings/StorePlace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <csignal>
#include <cstring>
#include <linux/capability.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Root may read and write whatever the permissions say; without these two capabilities
// it meets the permissions like any player.
void obeyPermissions() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (::syscall(SYS_capget, &header, data) != 0) return;
    for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
        data[0].effective &= ~(1u << capability), data[0].permitted &= ~(1u << capability);
    ::syscall(SYS_capset, &header, data);
}

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { obeyPermissions(); }
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
            QVERIFY(!QFileInfo::exists(settingsFolder())); // nothing is written before the end
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
            Row("Time1=-2147483648", "1"), Row("Time2=25", "10000"), Row("Liniy=abc", "3"),
            Row("Liniy=2", "3"), Row("ProEnabled=0", "0"), Row("ProEnabled=5", "1"),
            Row("TimeEnabled=x", "1"), Row("TimeEnabled", "1"), Row("TimeEnabled=0", "0"),
            Row("Level_of_game=0", "2"), Row("Level_of_game=20", "2"), Row("Level_of_game=abc", "2"),
            Row("Level_of_game=1", "1"), Row("Level_of_game=19", "19"), Row("Liniy_level=", liniy),
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
        // The X11 session manager asks for the run to be saved before the session ends.
        QTest::newRow("session saved") << QStringLiteral("commitDataRequest");
        // Logout's SIGTERM closes the main window, which ends the run as End does.
        QTest::newRow("SIGTERM") << QStringLiteral("SIGTERM");
    }

    void aChangedLevelSurvivesTheRun() {
        QFETCH(QString, ending);
        {
            StartedGame t;
            t.g.Level = 7;
            // Qt makes no session manager for a test; the game does not look at it.
            alignas(std::max_align_t) char noManager[64] = {};
            if (ending == QStringLiteral("aboutToQuit") || ending == QStringLiteral("commitDataRequest")) {
                QVERIFY(ending == QStringLiteral("aboutToQuit")
                            ? QMetaObject::invokeMethod(qApp, "aboutToQuit", Qt::DirectConnection)
                            : QMetaMethod::fromSignal(&QGuiApplication::commitDataRequest)
                                  .invoke(qApp, Qt::DirectConnection,
                                          QGenericArgument("QSessionManager&", noManager)));
                QVERIFY(storedLines().contains(QStringLiteral("Level_of_game=7")));
            } else if (!ending.isEmpty()) {
                if (ending == QStringLiteral("SIGTERM")) endOnSignals(t.w);
                QTimer::singleShot(0, qApp, [ending] {
                    QEvent quit(QEvent::Quit);
                    ending == QStringLiteral("SIGTERM") ? void(::raise(SIGTERM))
                                                        : void(QCoreApplication::sendEvent(qApp, &quit));
                });
                QTimer::singleShot(20000, &t.w, [] { QCoreApplication::exit(1); }); // gives up
                QCOMPARE(QCoreApplication::exec(), 0);
            }
        }
        QVERIFY(storedLines().contains(QStringLiteral("Level_of_game=7")));
        GameState next;
        Game game(next);
        QCOMPARE(next.Level, 7);
    }

    // Each way a save can fail, and the cause its message names: told as the game starts,
    // right after its first frame, and again at the end of the run. Play goes on in
    // between; the values already stored stay as they were.
    void anUnwritableStoreIsReported_data() {
        QTest::addColumn<QString>("blocked");
        QTest::addColumn<QString>("reason");
        // The last four are never opened, so never waited on: the store reads as empty, and
        // the thing stays in place.
        const std::pair<const char *, const char *> rows[] = {
            {"folder is a file", "is a file, not a folder"},
            {"folder read-only", "its folder is read-only"},
            {"home read-only", "/home/.config\" cannot be created (Permission denied)"},
            {"file mode 000", "the file cannot be read"},
            {"file read-only", "the file is read-only"},
            {"name too long", "\" cannot be created (File name too long)"},
            {"disk full", "the disk is full"},
            {"store: pipe", "it is a named pipe, not a regular file"},
            {"store: /dev/zero", "it is a device, not a regular file"},
            {"store: folder", "it is a folder, not a regular file"},
            {"store: socket", "it is a socket, not a regular file"},
            {"lock: pipe", ".lock\" is a named pipe, not a regular file"}};
        for (const auto &[blocked, reason] : rows)
            QTest::newRow(blocked) << QString(blocked) << QString(reason);
    }

    void anUnwritableStoreIsReported() {
        QFETCH(QString, blocked);
        QFETCH(QString, reason);
        const QByteArray configHome = qgetenv("XDG_CONFIG_HOME"), home = qgetenv("HOME");
        // A place of its own: QSettings keeps what a failed save left unwritten for the
        // next store opened at the same place, which would then write it under the lock.
        const QByteArray rowConfigHome = configHome + '/' + QTest::currentDataTag();
        auto restore = qScopeGuard([&] {
            qputenv("HOME", home);
            if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME")) qputenv("XDG_CONFIG_HOME", rowConfigHome);
            ::umount2(settingsFolder().toLocal8Bit().constData(), MNT_DETACH);
            clearStore();
            qputenv("XDG_CONFIG_HOME", configHome);
        });
        qputenv("XDG_CONFIG_HOME", rowConfigHome);
        writeStore("[General]\nLevel_of_game=3\n");
        QString thing;
        const QByteArray before = storedLines().join(u'\n').toUtf8();
        if (blocked == "folder is a file") {
            clearStore();
            QVERIFY(QFile(settingsFolder()).open(QIODevice::WriteOnly));
        } else if (blocked == "home read-only") {
            // A home of the player's own that holds no configuration folder yet.
            const QByteArray readOnlyHome = rowConfigHome + "/home";
            QVERIFY(QDir().mkpath(QString::fromLocal8Bit(readOnlyHome)));
            QFile::setPermissions(QString::fromLocal8Bit(readOnlyHome), QFile::ReadOwner | QFile::ExeOwner);
            qputenv("HOME", readOnlyHome);
            qunsetenv("XDG_CONFIG_HOME");
        } else if (blocked == "name too long") {
            clearStore();
            qputenv("XDG_CONFIG_HOME", configHome + '/' + QByteArray(300, 'x'));
        } else if (blocked == "disk full") {
            if (::mount("tmpfs", settingsFolder().toLocal8Bit().constData(), "tmpfs", 0, "size=4k") != 0)
                QSKIP("Mounting a tiny file system needs root.");
            writeStore(QByteArray(4096, '#'));
        } else if (blocked.contains(u':')) {
            thing = settingsPath() + (blocked.startsWith(u'l') ? ".lock" : "");
            QFile::remove(thing);
            const QString kind = blocked.section(u' ', 1);
            sockaddr_un socketPlace{AF_UNIX, {}};
            std::strncpy(socketPlace.sun_path, QFile::encodeName(thing).constData(),
                         sizeof socketPlace.sun_path - 1);
            QVERIFY(kind == "folder" ? QDir().mkpath(thing)
                    : kind == "pipe" ? ::mkfifo(QFile::encodeName(thing).constData(), 0600) == 0
                    : kind == "socket"
                        ? ::bind(::socket(AF_UNIX, SOCK_STREAM, 0),
                                 reinterpret_cast<sockaddr *>(&socketPlace), sizeof socketPlace) == 0
                        : QFile::link(kind, thing));
        } else {
            QFile::setPermissions(blocked == "folder read-only" ? settingsFolder() : settingsPath(),
                                  blocked == "file mode 000" ? QFile::Permissions()
                                                             : QFile::ReadOwner | QFile::ExeOwner);
        }
        const QString place = storeFile();
        QStringList shown;
        setErrorReporter([&](const QString &text) { shown << text; });
        {
            GameState g;
            Game game(g);
            startGame(game);
            QVERIFY(QTest::qWaitFor([&] { return !shown.isEmpty(); }));
            game.form1().ButtonNew->click();
            QCOMPARE(g.Phase, int32_t(PhaseShowing));
            g.Level = 9;
        }
        QCOMPARE(shown.size(), 2);
        const QString atEnd =
            QStringLiteral("Your settings and progress could not be saved to \"%1\": ").arg(place);
        QVERIFY2(shown[1].startsWith(atEnd) && shown[1].contains(reason), qPrintable(shown[1]));
        const QString cause = shown[1].mid(atEnd.size()).chopped(1);
        QCOMPARE(shown[0],
                 QStringLiteral("Your settings and progress cannot be saved to \"%1\": %2. You can play on, "
                                "but this run will not be kept unless that is put right before the game "
                                "ends.")
                     .arg(place, cause));
        if (blocked.startsWith("f")) {
            for (const QString &path : {settingsFolder(), settingsPath()})
                QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QCOMPARE(storedLines().join(u'\n').toUtf8(), blocked == "folder is a file" ? "" : before);
        }
        if (!thing.isEmpty()) QVERIFY(QFileInfo::exists(thing) && !QFileInfo(thing).isFile());
    }

    // A game that has not answered a signal for 3 seconds is ended by the next one at
    // once. Nothing here runs the event loop; the next signal is raised in a copy of the
    // process, which it must end.
    void aSecondSignalEndsAGameThatNoLongerAnswers() {
        QWidget window;
        endOnSignals(window);
        ::raise(SIGTERM);
        QThread::sleep(3);
        const pid_t copy = ::fork();
        if (copy == 0) ::raise(SIGTERM), ::_exit(0);
        int status = 0;
        QVERIFY(::waitpid(copy, &status, 0) == copy && WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    }

    // Stores edited by hand or written by something else, before the run and during it:
    // whatever they hold, the game starts, plays a task, takes the settings dialog's OK
    // and saves nine plain values that the next run can play at every level.
    void aHostileStoreIsPlayedAndSavedWellFormed_data() {
        QTest::addColumn<QByteArray>("stored");
        const QByteArray values = "Liniy=99999999999999999999\nRange=-2147483649\nTime1=@Variant(garbage\n"
                                  "Time2=\xff\xfe\x01\nLevel_of_game=1e3\nProEnabled=5;6\nTimeEnabled=\n"
                                  "Liniy_level=" +
                                  QByteArray("x").repeated(100000) + "\nRange_level=1 2 ab, c\n";
        QTest::newRow("junk among sections")
            << "junk\n[Other]\nRange=5\n[General]\n=5\n" + values + "[Other]\nLevel_of_game=3\n";
        QTest::newRow("a broken section header") << "[General\n" + values;
        QTest::newRow("level texts cut short")
            << QByteArray("Level_of_game=19\nLiniy_level=2 3\nRange_level=9");
    }

    void aHostileStoreIsPlayedAndSavedWellFormed() {
        QFETCH(QByteArray, stored);
        writeStore(stored);
        StartedGame t({}, StartedGame::Store::AsItIs);
        for (QPushButton *button : {t.w.ButtonNew, t.w.ButtonReady, t.w.buttonCheck})
            button->click();
        withSettingsOpen(*t.game, [](FormSet &s) { s.Button1->click(); });
        writeStore(stored); // and once more by something else during the run
        t.game.reset();
        QCOMPARE(t.errors, QStringList());
        const GameState &g = t.g;
        QSettings saved(settingsPath(), QSettings::IniFormat);
        for (const QString &line : valuesOf(g)) {
            const QVariant value = saved.value(line.section(u'=', 0, 0));
            QVERIFY2(value.typeId() == QMetaType::QString && value.toString() == line.section(u'=', 1),
                     qPrintable(line));
        }
        QVERIFY(g.Time2 == 1000 && g.Level >= 1 && g.Level <= 15 && g.Range_level.size() == 40);
        LevelTable next;
        next.load(g.Liniy_level, g.Range_level);
        for (int level = 1; level <= GameRules::HighestLevel; ++level)
            for (int row : {LevelTable::RangeRow, LevelTable::LineCountRow})
                QVERIFY2(parseInteger(next.cell(level, row)), qPrintable(next.cell(level, row)));
    }

    // A relative configuration folder would follow the folder the game is started from;
    // it is ignored, and the store stays in the home folder.
    void aRelativeConfigHomeIsIgnored() {
        const QByteArray configHome = qgetenv("XDG_CONFIG_HOME"), home = qgetenv("HOME");
        const QByteArray inHome = configHome + "/.config"; // the store's place with HOME=configHome
        const QString startedIn = QDir::currentPath();
        qputenv("XDG_CONFIG_HOME", inHome);
        writeStore("[General]\nLevel_of_game=7\n");
        qputenv("HOME", configHome);
        qputenv("XDG_CONFIG_HOME", "Orv");
        QDir::setCurrent(QString::fromLocal8Bit(configHome));
        int loaded = 0;
        {
            GameState g;
            Game game(g);
            loaded = std::exchange(g.Level, 8);
        }
        QDir::setCurrent(startedIn);
        qputenv("HOME", home);
        qputenv("XDG_CONFIG_HOME", inHome);
        const QStringList stored = storedLines();
        clearStore();
        qputenv("XDG_CONFIG_HOME", configHome);
        QVERIFY(loaded == 7 && stored.contains(QStringLiteral("Level_of_game=8")));
    }
};

TESSARIN_TEST_MAIN(TestSettingsStore)
#include "test_settings_store.moc"
