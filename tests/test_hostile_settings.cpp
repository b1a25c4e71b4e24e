// Settings stores edited by hand, damaged or written by something else: the game must
// start from each, play a task, take the settings dialog's OK and save a store that reads
// back well-formed, without crashing, hanging or an exception escaping.
#include "TestMain.h"

#include "game/IntegerText.h"
#include "game/Startup.h"

#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <atomic>
#include <cstdio>
#include <random>
#include <thread>

namespace {

constexpr int StoreCount = 1000, LongLength = 100 * 1024;
const char *const IntegerNames[] = {"Liniy",         "Range",      "Time1",      "Time2",
                                    "Level_of_game", "ProEnabled", "TimeEnabled"};

// What a stored value can be made of, and the texts each kind picks from.
enum Kind {
    Missing,
    Empty,
    Plain,
    Huge,
    Negative,
    NonNumeric,
    IniList,
    OtherType,
    Binary,
    VeryLong,
    KindCount
};
const QList<QByteArray> Texts[KindCount] = {
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
    {},
    {"7", "x", "1 ", "9,", "\\", "\xC3\xA9"}, // repeated to 100 kB
};
// The level-table texts can also be these.
enum TableKind { Short, Long, Letters, ZerosAndOnes, OddPieces, Default, TableKindCount };

struct StoreMaker {
    std::mt19937 random;
    bool oddLevelText = false; // a text the dialog's OK may refuse

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    QByteArray pick(const QList<QByteArray> &texts) { return texts[below(int(texts.size()))]; }
    QByteArray pieces(const QList<QByteArray> &from, int count) {
        QByteArray text;
        while (count-- > 0)
            text += pick(from);
        return text;
    }

    QByteArray value(int kind) {
        QByteArray bytes;
        if (kind == Binary)
            for (int i = 1 + below(64); i > 0; --i)
                bytes += char(below(256));
        return kind == Binary     ? bytes
               : kind == VeryLong ? pick(Texts[kind]).repeated(LongLength).left(LongLength)
                                  : pick(Texts[kind]);
    }

    QByteArray levelText(int kind) {
        QByteArray text =
            (below(2) ? LevelTable::DefaultLiniyLevel : LevelTable::DefaultRangeLevel).toLatin1();
        switch (kind) {
        case Short:
            return text.left(below(38));
        case Long:
            return below(2) ? text + QByteArray("9 ").repeated(LongLength / 2)
                            : QByteArray("1 ").repeated(LongLength / 2);
        case Letters:
            for (int i = 1 + below(4); i > 0; --i)
                text[below(int(text.size()))] = char('a' + below(26));
            return text;
        case ZerosAndOnes:
            return pieces({"0 ", "1 ", "00", "01", "10", "11"}, 22);
        case OddPieces:
            oddLevelText = true;
            return pieces({"-1", "-9", " 5", "+1", "99", "2 ", "0 ", "9 ", "10", " 0", "3 "}, 19 + below(4));
        }
        return text;
    }

    // The raw settings file. The first stores take one kind for every value, the rest
    // mix them; now and then the file itself is odd.
    QByteArray store(int index) {
        QByteArray lines;
        auto add = [&](const char *name) {
            const int kind = index < KindCount ? index : below(KindCount);
            if (kind != Missing) lines += QByteArray(name) + '=' + value(kind) + '\n';
        };
        for (const char *name : IntegerNames)
            add(name);
        for (const char *name : {"Liniy_level", "Range_level"})
            index < KindCount || below(3) == 0
                ? add(name)
                : void(lines += QByteArray(name) + '=' + levelText(below(TableKindCount)) + '\n');
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

// Ends the program, naming the store, when one store keeps the game busy for a minute.
struct Watchdog {
    std::atomic<int> store{-1};
    std::atomic<bool> done{false};
    std::thread thread{[this] {
        int seen = -1;
        auto since = std::chrono::steady_clock::now();
        while (!done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            if (store != seen) {
                seen = store;
                since = std::chrono::steady_clock::now();
            } else if (seen >= 0 && std::chrono::steady_clock::now() - since > std::chrono::seconds(60)) {
                std::fprintf(stderr, "FAIL: the game hangs with hostile store %d\n", seen);
                std::abort();
            }
        }
    }};
    ~Watchdog() {
        done = true;
        thread.join();
    }
};

} // namespace

class TestHostileSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyStoreIsSurvivedAndSavedWellFormed() {
        const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                             QStringLiteral("/Orv/Tessarin.conf");
        Watchdog watchdog;
        QStringList reports;
        setErrorReporter([&](const QString &text) { reports << text; });
        int refusedOks = 0;
        for (int index = 0; index < StoreCount; ++index) {
            StoreMaker make{std::mt19937(uint32_t(index) * 7919u + 17u)};
            QVERIFY(writeRawStore(path, make.store(index), index));
            watchdog.store = index;
            reports.clear();
            const QString where = QStringLiteral("hostile store %1: ").arg(index);
            GameState g;
            QStringList okRefusals;
            {
                Game game(g);
                Form1 &w = game.form1();
                if (index % 100 == 0) w.show(); // now and then laid out and painted as on screen
                w.ButtonNew->click();
                w.ButtonReady->click();
                w.buttonCheck->click();
                FormSet &dialog = game.formSet();
                QTimer::singleShot(0, &dialog, [&] {
                    for (const QString &cell : {dialog.EditL, dialog.EditR})
                        okRefusals << QStringLiteral("'0%1' is not a valid integer value").arg(cell);
                    dialog.Button1->click();                         // OK
                    if (dialog.isVisible()) dialog.Button2->click(); // OK refused: Cancel
                });
                w.ButtonSet->click();
                QVERIFY2(!dialog.isVisible(), qPrintable(where));
                QCOMPARE(g.Phase, int32_t(PhaseIdle));
            } // destroying the game saves the settings

            // One complaint is allowed: the dialog's OK cannot convert a level-table cell
            // with a sign or a leading blank once it is put after "0".
            for (const QString &report : reports)
                QVERIFY2(make.oddLevelText && okRefusals.contains(report), qPrintable(where + report));
            QSettings saved(path, QSettings::IniFormat);
            QCOMPARE(saved.status(), QSettings::NoError);
            const int32_t expected[] = {g.LineCount, g.Range,      g.Time1,      g.Time2,
                                        g.Level,     g.ProEnabled, g.TimeEnabled};
            for (int i = 0; i < 7; ++i) {
                const QVariant value = saved.value(IntegerNames[i]);
                const auto number = parseInteger(value.toString());
                QVERIFY2(
                    value.typeId() == QMetaType::QString && number &&
                        QString::number(*number) == value.toString() && *number == expected[i] &&
                        (i < 5 || *number == 0 || *number == 1),
                    qPrintable(where + IntegerNames[i] + QStringLiteral(" saved as ") + value.toString()));
            }
            for (auto [name, text] :
                 {std::pair{"Liniy_level", g.Liniy_level}, {"Range_level", g.Range_level}}) {
                const QVariant value = saved.value(name);
                QVERIFY2(value.typeId() == QMetaType::QString && LevelTable::holdsAllLevels(text) &&
                             value == text,
                         qPrintable(where + name + QStringLiteral(" saved as ") + value.toString().left(80)));
            }
            refusedOks += !reports.isEmpty();
            if (reports.isEmpty()) { // the dialog's OK went through: its values are the ones saved
                QVERIFY2(g.Time2 == 1000 && g.TimeEnabled == 1 && g.Level >= 1 && g.Level <= 15,
                         qPrintable(where));
                QVERIFY2(g.Liniy_level.size() == 40 && g.Range_level.size() == 40, qPrintable(where));
            }
        }
        setErrorReporter({});
        // The stores reach the one complaint allowed, and mostly do not.
        QVERIFY(refusedOks > 0 && refusedOks < StoreCount / 10);
    }
};

TESSARIN_TEST_MAIN(TestHostileSettings)
#include "test_hostile_settings.moc"
