// Settings stores edited by hand, damaged or written by something else: the game must
// start from each, play a task, take the settings dialog's OK and save a store that reads
// back well-formed, without crashing, hanging or an exception escaping.
#include "TestMain.h"

#include "game/IntegerText.h"
#include "game/Startup.h"

#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <random>
#include <sys/stat.h>

namespace {

constexpr int StoreCount = 1000, LongLength = 100 * 1024;
// QtTest's watchdog names the store that hangs the game, well before ctest gives up.
const bool watchdogAfterAMinute = qputenv("QTEST_FUNCTION_TIMEOUT", "60000");
const char *const Names[] = {"Liniy",      "Range",       "Time1",       "Time2",      "Level_of_game",
                             "ProEnabled", "TimeEnabled", "Liniy_level", "Range_level"};

// What a stored value can be made of, and the texts each kind picks from; the level-table
// texts can also be short, long, with letters, of zeros and ones, or of odd pieces.
enum Kind { Missing, Empty, Plain, Huge, Negative, Words, IniList, OtherType, Zeros, OddPieces, Long100k };
constexpr int Bytes = Long100k + 1;
enum LevelKind { Short = Bytes + 1, Long, Letters, Default };
constexpr int KindCount = Bytes + 1, LevelKindCount = Default + 1 - KindCount;
const QList<QByteArray> Texts[] = {
    {},
    {""},
    {"0", "1", "2", "3", "4", "5", "9", "10", "15", "16", "19", "20", "99"},
    {"2147483647", "2147483648", "4294967295", "4294967296", "99999999999999999999999999", "100000", "65536",
     "46341"},
    {"-1", "-3", "-15", "-2147483648", "-2147483649", "-0", "-99999999999"},
    {"abc", "1x", "x1", "1.5", "1e3", "0x10", " 7", "7 ", "+5", "- 5", "true", "\xEF\xBC\x93", "\"5\"", "5;6",
     "\\x35", "%35", "07", "  -2"},
    {"1, 2, 3", "5,", "a,b", ",", "2 3 3 4, 4 5 5 6"}, // a list, not a text
    {"@ByteArray(12)", "@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)", "@Rect(1 2 3 4)", "@Size(2 3)", "@Point(1 2)",
     "@Invalid()", "@StringList(1, 2)", "@Variant(garbage"},
    {"0 ", "1 ", "00", "01", "10", "11"},                               // pieces of a level-table text
    {"-1", "-9", " 5", "+1", "99", "2 ", "0 ", "9 ", "10", " 0", "3 "}, // the same
    {"7", "x", "1 ", "9,", "\\", "\xC3\xA9"},                           // repeated to 100 kB
};

struct StoreMaker {
    std::mt19937 random;

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    QByteArray pick(int kind) { return Texts[kind][below(int(Texts[kind].size()))]; }

    QByteArray value(int kind) {
        QByteArray text =
            (below(2) ? LevelTable::DefaultLiniyLevel : LevelTable::DefaultRangeLevel).toLatin1();
        switch (kind) {
        case Bytes:
        case Zeros:
        case OddPieces:
            text.clear();
            for (int i = kind == Bytes ? 1 + below(64) : 19 + below(4); i > 0; --i)
                text += kind == Bytes ? QByteArray(1, char(below(256))) : pick(kind);
            return text;
        case Long100k:
            return pick(kind).repeated(LongLength).left(LongLength);
        case Short:
            return text.left(below(38));
        case Long:
            return below(2) ? text + QByteArray("9 ").repeated(LongLength / 2)
                            : QByteArray("1 ").repeated(LongLength / 2);
        case Letters:
            for (int i = 1 + below(4); i > 0; --i)
                text[below(int(text.size()))] = char('a' + below(26));
            [[fallthrough]];
        case Default:
            return text;
        }
        return pick(kind);
    }

    // The raw settings file. The first stores take one kind for every value, the rest
    // mix them; now and then the file itself is odd.
    QByteArray store(int index) {
        QByteArray lines;
        for (int i = 0; i < 9; ++i) {
            const int kind = index < KindCount        ? index
                             : i < 7 || below(3) == 0 ? below(KindCount)
                                                      : KindCount + below(LevelKindCount);
            if (kind != Missing) lines += QByteArray(Names[i]) + '=' + value(kind) + '\n';
        }
        const QByteArray frames[] = {
            lines, "[Other]\nLevel_of_game=7\n[General]\n" + lines + "[Other]\nRange=5\n",
            "junk without equals\n[General]\n=5\n" + lines + "Level_of_game=3\n", "[General\n" + lines};
        const int frame = below(8);
        return frame < 4 ? frames[frame] : "[General]\n" + lines;
    }
};

// Writes the raw file with a modification time of its own, so that no cached copy of
// an earlier store can stand in for it.
bool writeRawStore(const QString &path, const QByteArray &content, int index) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size() &&
           file.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0)).addSecs(index),
                            QFileDevice::FileModificationTime);
}

} // namespace

class TestHostileSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        setErrorReporter([this](const QString &text) { m_reports << text; });
    }

    void storeIsSurvivedAndSavedWellFormed_data() {
        QTest::addColumn<int>("index");
        for (int index = 0; index < StoreCount; ++index)
            QTest::addRow("hostile store %d", index) << index;
    }

    void storeIsSurvivedAndSavedWellFormed() {
        QFETCH(int, index);
        const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                             QStringLiteral("/Orv/Tessarin.conf");
        StoreMaker make{std::mt19937(uint32_t(index) * 7919u + 17u)};
        QVERIFY(writeRawStore(path, make.store(index), index));
        m_reports.clear();
        GameState g;
        {
            Game game(g);
            Form1 &w = game.form1();
            startGame(game);
            w.ButtonNew->click();
            w.ButtonReady->click();
            w.buttonCheck->click();
            FormSet &dialog = game.formSet();
            QTimer::singleShot(0, &dialog, [&] {
                dialog.Button1->click();                         // OK
                if (dialog.isVisible()) dialog.Button2->click(); // OK refused: Cancel
            });
            w.ButtonSet->click();
            QCOMPARE(g.Phase, int32_t(PhaseIdle));
        } // destroying the game saves the settings

        QVERIFY2(m_reports.isEmpty(), qPrintable(m_reports.join(u'\n')));
        QSettings saved(path, QSettings::IniFormat);
        QCOMPARE(saved.status(), QSettings::NoError);
        auto n = [](int value) { return QString::number(value); };
        const QString expected[] = {n(g.LineCount),   n(g.Range),    n(g.Time1),
                                    n(g.Time2),       n(g.Level),    n(g.ProEnabled),
                                    n(g.TimeEnabled), g.Liniy_level, g.Range_level};
        for (int i = 0; i < 9; ++i) {
            const QVariant value = saved.value(Names[i]);
            QVERIFY2(value.typeId() == QMetaType::QString && value == expected[i],
                     qPrintable(Names[i] + QStringLiteral(" saved as ") + value.toString().left(80)));
        }
        QVERIFY(g.ProEnabled <= 1 && g.TimeEnabled <= 1);
        // The dialog's OK went through: its values are the ones saved, and the next run
        // can look up every level that play reaches.
        QVERIFY(g.Time2 == 1000 && g.TimeEnabled == 1 && g.Level >= 1 && g.Level <= 15 &&
                g.Liniy_level.size() == 40 && g.Range_level.size() == 40);
        LevelTable next;
        next.load(g.Liniy_level, g.Range_level);
        for (int level = 1; level <= LevelTable::PlayedLevels; ++level)
            for (int row : {LevelTable::RangeRow, LevelTable::LineCountRow})
                QVERIFY2(parseInteger(next.cell(level, row)), qPrintable(next.cell(level, row)));
    }

    // Something else than a file in the store's place (or its lock file's) is never
    // opened: the game starts at once from what could be read, plays, and its save says
    // why it cannot write there, leaving the thing in place.
    void storePlaceThatIsNoFile_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("thing");
        QTest::addColumn<QString>("kind");
        const QStringList rows{"store fifo a named pipe", "store /dev/null a device",
                               "store /dev/zero a device", "store folder a folder",
                               "store.lock fifo a named pipe"};
        for (const QString &row : rows) {
            const QStringList cells = row.split(u' ');
            QTest::newRow(qPrintable(row)) << cells[0] << cells[1] << cells.mid(2).join(u' ');
        }
    }

    void storePlaceThatIsNoFile() {
        QFETCH(QString, where);
        QFETCH(QString, thing);
        QFETCH(QString, kind);
        const QString store = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                              QStringLiteral("/Orv/Tessarin.conf");
        const QString path = where == "store" ? store : store + QStringLiteral(".lock");
        auto removeIt = qScopeGuard([&] {
            QDir(path).removeRecursively();
            QFile::remove(path);
            QFile::remove(store);
        });
        QVERIFY(writeRawStore(store, "[General]\nLevel_of_game=7\n", 0));
        if (path == store) QFile::remove(store);
        if (thing == "fifo")
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else if (thing == "folder")
            QVERIFY(QDir().mkpath(path));
        else
            QVERIFY(QFile::link(thing, path));
        m_reports.clear();
        {
            GameState g;
            Game game(g);
            QCOMPARE(g.Level, path == store ? 2 : 7);
            game.form1().ButtonNew->click();
            game.form1().ButtonReady->click();
            game.form1().buttonCheck->click();
        }
        QCOMPARE(m_reports,
                 QStringList(QStringLiteral("Your settings and progress could not be saved to \"%1\": "
                                            "%2 is %3, not a regular file.")
                                 .arg(store, path == store ? "it" : '"' + path + '"', kind)));
        QVERIFY(!QFileInfo(path).isFile() && QFileInfo::exists(path));
    }

    void cleanupTestCase() { setErrorReporter({}); }

private:
    QStringList m_reports;
};

TESSARIN_TEST_MAIN(TestHostileSettings)
#include "test_hostile_settings.moc"
