// Settings stores edited by hand, damaged or written by something else: the game must
// start from each, play a task, take the settings dialog's OK and save without crashing,
// hanging or losing what it saves.
#include "TestMain.h"

#include "game/IntegerText.h"
#include "game/Startup.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

namespace {

constexpr int StoreCount = 1000;
constexpr int LongLength = 100 * 1024;

const char *const IntegerNames[] = {"Liniy",         "Range",      "Time1",      "Time2",
                                    "Level_of_game", "ProEnabled", "TimeEnabled"};
const char *const LevelTextNames[] = {"Liniy_level", "Range_level"};

// What a stored value can be made of.
enum class Kind {
    Missing,
    Empty,
    Plain,    // a small decimal number, the kind the game writes
    Huge,     // beyond 32 bits, or at their very edge
    Negative, // including the smallest 32-bit number and beyond
    NonNumeric,
    Binary,   // raw bytes, line breaks and NULs included
    VeryLong, // 100 kB
    IniList,  // "1, 2": a list, not a text
    OtherType // @ByteArray(...), @Variant(...), @Rect(...): not a text either
};
constexpr int KindCount = 10;

// Extra kinds for the two level-table texts.
enum class TableKind { Short, Long, Letters, ZerosAndOnes, OddPieces, Default };
constexpr int TableKindCount = 6;

class StoreMaker {
public:
    explicit StoreMaker(uint32_t seed) : m_random(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    template <size_t N> QByteArray pick(const char *const (&options)[N]) { return options[below(int(N))]; }

    QByteArray value(Kind kind) {
        switch (kind) {
        case Kind::Missing:
        case Kind::Empty:
            return {};
        case Kind::Plain: {
            const char *const options[] = {"0",  "1",  "2",  "3",  "4",  "5", "9",
                                           "10", "15", "16", "19", "20", "99"};
            return pick(options);
        }
        case Kind::Huge: {
            const char *const options[] = {
                "2147483647", "2147483648", "4294967295", "4294967296", "99999999999999999999999999",
                "100000",     "65536",      "46341"};
            return pick(options);
        }
        case Kind::Negative: {
            const char *const options[] = {"-1",          "-3", "-15",         "-2147483648",
                                           "-2147483649", "-0", "-99999999999"};
            return pick(options);
        }
        case Kind::NonNumeric: {
            const char *const options[] = {"abc",   "1x",  "x1",    "1.5", "1e3",  "0x10",
                                           " 7",    "7 ",  "+5",    "- 5", "true", "\xEF\xBC\x93",
                                           "\"5\"", "5;6", "\\x35", "%35", "07",   "  -2"};
            return pick(options);
        }
        case Kind::Binary: {
            QByteArray bytes;
            for (int i = 1 + below(64); i > 0; --i)
                bytes += char(below(256));
            return bytes;
        }
        case Kind::VeryLong: {
            const char *const units[] = {"7", "x", "1 ", "9,", "\\", "\xC3\xA9"};
            return QByteArray(pick(units)).repeated(LongLength).left(LongLength);
        }
        case Kind::IniList: {
            const char *const options[] = {"1, 2, 3", "5,", "a,b", ",", "2 3 3 4, 4 5 5 6"};
            return pick(options);
        }
        case Kind::OtherType: {
            const char *const options[] = {"@ByteArray(12)",    "@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)",
                                           "@Rect(1 2 3 4)",    "@Size(2 3)",
                                           "@Point(1 2)",       "@Invalid()",
                                           "@StringList(1, 2)", "@Variant(garbage"};
            return pick(options);
        }
        }
        return {};
    }

    QByteArray levelText(TableKind kind) {
        const QByteArray defaults =
            below(2) ? LevelTable::DefaultLiniyLevel.toLatin1() : LevelTable::DefaultRangeLevel.toLatin1();
        switch (kind) {
        case TableKind::Short:
            return defaults.left(below(38));
        case TableKind::Long:
            return below(2) ? defaults + QByteArray("9 ").repeated(LongLength / 2)
                            : QByteArray("1 ").repeated(LongLength / 2);
        case TableKind::Letters: {
            QByteArray text = defaults;
            for (int i = 1 + below(4); i > 0; --i)
                text[below(int(text.size()))] = char('a' + below(26));
            return text;
        }
        case TableKind::ZerosAndOnes: {
            const char *const pieces[] = {"0 ", "1 ", "00", "01", "10", "11"};
            return pieces_(pieces, 22);
        }
        case TableKind::OddPieces: {
            const char *const pieces[] = {"-1", "-9", " 5", "+1", "99", "2 ", "0 ", "9 ", "10", " 0", "3 "};
            return pieces_(pieces, 19 + below(4));
        }
        case TableKind::Default:
            return defaults;
        }
        return {};
    }

private:
    template <size_t N> QByteArray pieces_(const char *const (&pieces)[N], int count) {
        QByteArray text;
        for (int i = 0; i < count; ++i)
            text += pick(pieces);
        return text;
    }

    std::mt19937 m_random;
};

// One hostile store as the raw text of the settings file.
struct HostileStore {
    QByteArray content;
    bool hasOddLevelText = false; // a level-table text the dialog's OK may refuse
};

HostileStore makeStore(int index) {
    StoreMaker make(uint32_t(index) * 7919u + 17u);
    HostileStore store;
    QByteArray lines;
    auto add = [&](const char *name, const QByteArray &value) {
        lines += QByteArray(name) + '=' + value + '\n';
    };

    // The first stores take one kind for every value; the rest mix them at random.
    const int everyValue = index < KindCount ? index : -1;
    for (const char *name : IntegerNames) {
        const Kind kind = Kind(everyValue >= 0 ? everyValue : make.below(KindCount));
        if (kind != Kind::Missing) add(name, make.value(kind));
    }
    for (const char *name : LevelTextNames) {
        if (everyValue >= 0 || make.below(3) == 0) {
            const Kind kind = Kind(everyValue >= 0 ? everyValue : make.below(KindCount));
            if (kind != Kind::Missing) add(name, make.value(kind));
        } else {
            const TableKind kind = TableKind(make.below(TableKindCount));
            store.hasOddLevelText = store.hasOddLevelText || kind == TableKind::OddPieces;
            add(name, make.levelText(kind));
        }
    }
    // Now and then the file itself is odd: no section, another section, junk lines,
    // a value given twice.
    switch (make.below(8)) {
    case 0:
        store.content = lines;
        break;
    case 1:
        store.content = "[Other]\nLevel_of_game=7\n[General]\n" + lines + "[Other]\nRange=5\n";
        break;
    case 2:
        store.content = "junk without equals\n[General]\n=5\n" + lines + "Level_of_game=3\n";
        break;
    case 3:
        store.content = "[General\n" + lines;
        break;
    default:
        store.content = "[General]\n" + lines;
        break;
    }
    return store;
}

QString settingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Orv/Tessarin.conf");
}

// Writes the raw file with a modification time of its own, so that no cached copy of
// the store from an earlier round can stand in for it.
bool writeRawStore(const QByteArray &content, int index) {
    const QString path = settingsFile();
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        return false;
    return file.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0)).addSecs(index),
                            QFileDevice::FileModificationTime);
}

bool isPlainDecimal(const QString &text) {
    const auto value = parseInteger(text);
    return value && QString::number(*value) == text;
}

// Ends the test program when one store keeps the game busy for too long, naming it.
class Watchdog {
    using Ticks = std::chrono::steady_clock::rep;

public:
    Watchdog() : m_thread([this] { watch(); }) {}
    ~Watchdog() {
        m_done = true;
        m_thread.join();
    }
    void startStore(int index) {
        m_store = index;
        m_started = std::chrono::steady_clock::now().time_since_epoch().count();
    }

private:
    void watch() {
        using namespace std::chrono;
        while (!m_done) {
            std::this_thread::sleep_for(milliseconds(200));
            const auto started = steady_clock::time_point(steady_clock::duration(m_started.load()));
            if (m_store >= 0 && steady_clock::now() - started > seconds(60)) {
                std::fprintf(stderr, "FAIL: the game hangs with hostile store %d\n", m_store.load());
                std::abort();
            }
        }
    }
    std::atomic<bool> m_done{false};
    std::atomic<int> m_store{-1};
    std::atomic<Ticks> m_started{0};
    std::thread m_thread;
};

} // namespace

class TestHostileSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyStoreIsSurvivedAndSavedWellFormed() {
        Watchdog watchdog;
        QStringList reports;
        setErrorReporter([&](const QString &text) { reports << text; });
        int refusedOks = 0;

        for (int index = 0; index < StoreCount; ++index) {
            const HostileStore store = makeStore(index);
            QVERIFY(writeRawStore(store.content, index));
            watchdog.startStore(index);
            reports.clear();
            const QString where = QStringLiteral("hostile store %1").arg(index);

            GameState g;
            QStringList okRefusals; // what the dialog's OK may refuse to convert
            {
                Game game(g);
                Form1 &w = game.form1();
                if (index % 100 == 0) w.show(); // now and then laid out and painted as on screen
                w.ButtonNew->click();
                w.ButtonReady->click();
                w.buttonCheck->click();

                FormSet &dialog = game.formSet();
                QTimer::singleShot(0, &dialog, [&] {
                    okRefusals = {QStringLiteral("'0%1' is not a valid integer value").arg(dialog.EditL),
                                  QStringLiteral("'0%1' is not a valid integer value").arg(dialog.EditR)};
                    dialog.Button1->click();                         // OK
                    if (dialog.isVisible()) dialog.Button2->click(); // OK refused: Cancel
                });
                w.ButtonSet->click();
                QVERIFY2(!dialog.isVisible(), qPrintable(where));
                QCOMPARE(g.Phase, int32_t(PhaseIdle));
            } // destroying the game saves the settings

            // The design allows one complaint here: the dialog's OK cannot convert a
            // level-table cell with a sign or a leading blank once it is put after "0".
            for (const QString &report : reports)
                QVERIFY2(store.hasOddLevelText && okRefusals.contains(report),
                         qPrintable(where + QStringLiteral(": ") + report));

            QSettings saved(settingsFile(), QSettings::IniFormat);
            QCOMPARE(saved.status(), QSettings::NoError);
            const QVariant values[] = {saved.value("Liniy"),         saved.value("Range"),
                                       saved.value("Time1"),         saved.value("Time2"),
                                       saved.value("Level_of_game"), saved.value("ProEnabled"),
                                       saved.value("TimeEnabled")};
            const int32_t expected[] = {g.LineCount, g.Range,      g.Time1,      g.Time2,
                                        g.Level,     g.ProEnabled, g.TimeEnabled};
            for (int i = 0; i < 7; ++i) {
                const QString text = values[i].toString();
                QVERIFY2(values[i].typeId() == QMetaType::QString && isPlainDecimal(text),
                         qPrintable(where + QStringLiteral(": %1 saved as '%2'").arg(IntegerNames[i], text)));
                QVERIFY2(text.toInt() == expected[i],
                         qPrintable(where + QStringLiteral(": %1 saved as %2, not %3")
                                                .arg(IntegerNames[i], text)
                                                .arg(expected[i])));
            }
            for (const QString &flag : {values[5].toString(), values[6].toString()})
                QVERIFY2(flag == u"0" || flag == u"1", qPrintable(where));
            for (const char *name : LevelTextNames) {
                const QVariant text = saved.value(name);
                QVERIFY2(
                    text.typeId() == QMetaType::QString && LevelTable::holdsAllLevels(text.toString()),
                    qPrintable(where +
                               QStringLiteral(": %1 saved as '%2'").arg(name, text.toString().left(80))));
            }
            QCOMPARE(saved.value("Liniy_level").toString(), g.Liniy_level);
            QCOMPARE(saved.value("Range_level").toString(), g.Range_level);
            refusedOks += !reports.isEmpty();
            if (reports.isEmpty()) {
                // The dialog's OK went through: its values are the ones saved.
                QCOMPARE(g.Time2, 1000);
                QCOMPARE(g.TimeEnabled, uint8_t(1));
                QVERIFY2(g.Level >= 1 && g.Level <= 15, qPrintable(where));
                QCOMPARE(g.Liniy_level.size(), 40);
                QCOMPARE(g.Range_level.size(), 40);
            }
        }
        setErrorReporter({});
        // The stores reach the one complaint the design allows, and mostly do not.
        QVERIFY(refusedOks > 0 && refusedOks < StoreCount / 10);
    }
};

TESSARIN_TEST_MAIN(TestHostileSettings)
#include "test_hostile_settings.moc"
