#include "PlayingTheGame.h"
#include "board/WaveFile.h"
#include "game/GameError.h"

#include <sys/stat.h>

namespace {

QByteArray littleEndian(quint32 value, int bytes) {
    value = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char *>(&value), bytes);
}
// A RIFF chunk, padded to an even length.
QByteArray chunk(const char *id, const QByteArray &body, quint32 declaredSize = ~0u) {
    const QByteArray out = id + littleEndian(declaredSize == ~0u ? body.size() : declaredSize, 4) + body;
    return body.size() % 2 ? out + '\0' : out;
}
QByteArray format(quint16 tag, quint16 channels, quint32 rate, quint16 bits) {
    return chunk("fmt ", littleEndian(tag, 2) + littleEndian(channels, 2) + littleEndian(rate, 4) +
                             littleEndian(rate * channels * bits / 8, 4) +
                             littleEndian(channels * bits / 8, 2) + littleEndian(bits, 2));
}
QByteArray riff(const QByteArray &chunks, const char *form = "WAVE") {
    return "RIFF" + littleEndian(4 + chunks.size(), 4) + form + chunks;
}
const QByteArray Pcm16 = format(1, 1, 22050, 16), Data = chunk("data", QByteArray(800, '\x10'));

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
QString cueText(const QString &path, const QString &reason) {
    return QStringLiteral("Cannot open the sound file \"%1\": %2.").arg(path, reason);
}

} // namespace

class TestSoundCue : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Only a regular PCM WAV file whose chunks lie inside it and whose format fields
    // agree opens; anything else is reported with its reason, without ever waiting on
    // the file. Each file replaces a good one read before, which must not be taken for it.
    void readWaveFile_data() {
        QTest::addColumn<QString>("name"); // only puk.wav is written
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason"); // empty: the file opens
        QTest::addColumn<int>("bytes");      // of samples, when it opens
        auto row = [](const char *title, const QByteArray &content, const char *reason = "", int bytes = 0,
                      const char *name = "puk.wav") {
            QTest::newRow(title) << name << content << reason << bytes;
        };
        const QByteArray game = readFile(BuildDir + "puk_bum.wav");
        row("the game's puk_bum.wav", game, "", 28224);
        row("8-bit stereo", riff(format(1, 2, 8000, 8) + Data), "", 800);
        row("odd-sized chunks between", riff(chunk("LIST", "INFOabc") + Pcm16 + chunk("fact", "x") + Data),
            "", 800);
        row("longer format chunk", riff(chunk("fmt ", Pcm16.mid(8) + littleEndian(0, 2)) + Data), "", 800);
        row("half a frame at the end", riff(Pcm16 + chunk("data", "abc")), "", 2);
        row("empty", "", "it is not a WAV file");
        row("RIFF of another kind", riff(Pcm16 + Data, "AVI "), "it is not a WAV file");
        row("floating point", riff(format(3, 1, 22050, 32) + Data), "its sound is not PCM (format 3)");
        row("24-bit", riff(format(1, 1, 22050, 24) + Data),
            "its PCM sound cannot be played (1 channels, 22050 Hz, 24 bits)");
        row("no channels", riff(format(1, 0, 22050, 16) + Data),
            "its PCM sound cannot be played (0 channels, 22050 Hz, 16 bits)");
        row("block align disagrees", riff(Pcm16.left(20) + littleEndian(4, 2) + Pcm16.mid(22) + Data),
            "its format fields disagree (block align 4, byte rate 44100)");
        row("byte rate disagrees", riff(Pcm16.left(16) + littleEndian(22050, 4) + Pcm16.mid(20) + Data),
            "its format fields disagree (block align 2, byte rate 22050)");
        row("format chunk cut short", riff(chunk("fmt ", Pcm16.mid(8, 12)) + Data),
            "its format chunk is cut short");
        row("sound before the format", riff(Data + Pcm16), "it has no PCM format before its sound");
        row("no sound", riff(Pcm16), "it holds no sound");
        row("first 5000 bytes", game.left(5000), "it is cut short");
        row("file ends in the format", riff(Pcm16).left(30), "it is cut short");
        row("sound size beyond the end",
            riff(Pcm16 + chunk("data", QByteArray(200, 1), 0xFFFFFF00)).left(244), "it is cut short");
        row("chunk size beyond the end", riff(Pcm16 + chunk("LIST", "ab", 0x7FFFFFF0)), "it is cut short");
        row("missing", {}, "the file does not exist", 0, "missing.wav");
        row("a folder", {}, "it is not a regular file", 0, "folder.wav");
        row("a FIFO", {}, "it is not a regular file", 0, "fifo.wav");
        row("over 16 MiB", {}, "it is larger than 16 MiB", 0, "huge.wav");
    }
    void readWaveFile() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QFETCH(int, bytes);
        QTemporaryDir dir;
        const QString puk = dir.filePath("puk.wav"), path = dir.filePath(name);
        QVERIFY(writeFile(puk, riff(Pcm16 + Data)));
        auto known = ::readWaveFile(puk);
        QVERIFY(QDir(dir.path()).mkdir("folder.wav") &&
                mkfifo(qPrintable(dir.filePath("fifo.wav")), 0600) == 0);
        const QString huge = dir.filePath("huge.wav"); // sparse
        QVERIFY(writeFile(puk, content) && writeFile(huge, {}) && QFile::resize(huge, MaxWaveFileSize + 1));
        try {
            const auto sound = ::readWaveFile(path, known);
            QVERIFY2(reason.isEmpty(), "the file opened");
            QCOMPARE(sound->samples.size(), bytes);
        } catch (const GameError &error) {
            QCOMPARE(error.text(), cueText(path, reason));
        }
    }

    // The cues reach the sound system click by click, found by the game's folder, not the
    // current one, which here holds spoiled copies. A cue that cannot be opened is
    // reported each time, naming the file, and cuts off the cue still sounding; the line
    // is entered all the same. A sound system slower to answer than the window's grace at
    // its end holds up neither the window's end nor the program's.
    void cuesReachTheSoundSystem() {
        const QString recording = QStringLiteral(QT_TESTCASE_BUILDDIR "/recording-sound/");
        const auto take = reinterpret_cast<QStringList (*)()>(
            QLibrary::resolve(recording + "tessarin_sound", "tessarinTakeSoundRequests"));
        const auto hold = reinterpret_cast<void (*)(int)>(
            QLibrary::resolve(recording + "tessarin_sound", "tessarinHoldSoundRequests"));
        QTemporaryDir spoiled, current;
        for (const char *name : {"puk.wav", "puk_bum.wav"})
            QVERIFY(writeFile(current.filePath(name), "puk\n"));
        QVERIFY(take && hold && writeFile(spoiled.filePath("puk_bum.wav"), "puk\n"));
        const QString initial = QDir::currentPath();
        AnsweringBoard b(recording);
        QVERIFY(b.startAnswering() && QDir::setCurrent(current.path()));
        QStringList heard;
        auto heardMore = [&] {
            const qsizetype before = heard.size();
            return QTest::qWaitFor([&] { return (heard += take()).size() > before; });
        };
        QVERIFY(heardMore()); // the output is prepared ahead of the first cue
        for (int row = 1; row <= 3; ++row) {
            b.g.AppDir = row == 2 ? spoiled.path() + u'/' : recording;
            for (int x : {2, 7}) {
                b.click(b.pixelOf(x, row));
                QVERIFY(heardMore());
            }
            QCOMPARE(b.drawnLine(row), QLine(2, row, 7, row));
            QCOMPARE(b.pixel(b.pixelOf(5, row)), BoardColors::Player & 0xFFFFFF);
        }
        QVERIFY(QDir::setCurrent(initial));
        const QString start = QStringLiteral("play %1 bytes")
                                  .arg(::readWaveFile(recording + "puk.wav")->samples.size()),
                      end = QStringLiteral("play %1 bytes")
                                .arg(::readWaveFile(recording + "puk_bum.wav")->samples.size());
        QCOMPARE(heard, (QStringList{"prepare 44100 Hz", start, end, "stop", "stop", start, end}));
        QCOMPARE(b.errors, (QStringList{cueText(spoiled.filePath("puk.wav"), "the file does not exist"),
                                        cueText(spoiled.filePath("puk_bum.wav"), "it is not a WAV file")}));

        hold(1000);
        b.press(b.pixelOf(2, 4));
        QVERIFY(heardMore()); // and the sound thread held there for a second
        b.game.reset();
        hold(0);
        QVERIFY(!CuePlayer::leftThreadsEnded());
        QVERIFY(QTest::qWaitFor([] { return CuePlayer::leftThreadsEnded(); }));
    }
};

TESSARIN_TEST_MAIN(TestSoundCue, Screen1024x768)
#include "test_sound_cue.moc"
