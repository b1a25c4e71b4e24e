#include "TestMain.h"

#include "AnsweringBoard.h"
#include "game/GameError.h"

namespace {

QByteArray littleEndian(quint32 value, int bytes) {
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
    return out;
}

// A RIFF chunk, padded to an even length.
QByteArray chunk(const char *id, const QByteArray &body, quint32 declaredSize = ~0u) {
    QByteArray out(id, 4);
    out += littleEndian(declaredSize == ~0u ? quint32(body.size()) : declaredSize, 4);
    out += body;
    if (body.size() % 2) out += '\0';
    return out;
}

QByteArray format(quint16 tag, quint16 channels, quint32 rate, quint16 bits) {
    const quint16 blockAlign = channels * bits / 8;
    return chunk("fmt ", littleEndian(tag, 2) + littleEndian(channels, 2) + littleEndian(rate, 4) +
                             littleEndian(rate * blockAlign, 4) + littleEndian(blockAlign, 2) +
                             littleEndian(bits, 2));
}

QByteArray riff(const QByteArray &chunks, const char *form = "WAVE") {
    return "RIFF" + littleEndian(4 + chunks.size(), 4) + QByteArray(form, 4) + chunks;
}

const QByteArray Samples(800, '\x10');
const QByteArray Pcm16 = format(1, 1, 22050, 16);

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString cueText(const QString &path, const QString &reason) {
    return QStringLiteral("Cannot open the sound file \"%1\": %2.").arg(path, reason);
}

QString buildDir() {
    return QStringLiteral(TESSARIN_BUILD_DIR "/");
}

// A folder holding copies of the game's cues, with some missing or spoiled.
struct CueFolder {
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }
    bool copyCue(const QString &name) const { return QFile::copy(buildDir() + name, path(name)); }
    QString appDir() const { return dir.path() + u'/'; }
};

} // namespace

class TestSoundCue : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Opening checks the file itself; only a readable PCM WAV file is played.
    void openAcceptsOnlyPcmWaveFiles_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason"); // empty: the file plays
        QTest::newRow("16-bit mono") << riff(Pcm16 + chunk("data", Samples)) << QString();
        QTest::newRow("8-bit stereo") << riff(format(1, 2, 8000, 8) + chunk("data", Samples)) << QString();
        QTest::newRow("32-bit") << riff(format(1, 1, 44100, 32) + chunk("data", Samples)) << QString();
        QTest::newRow("odd-sized list and fact chunks between")
            << riff(chunk("LIST", "INFOabc") + Pcm16 + chunk("fact", "x") + chunk("data", Samples))
            << QString();
        QTest::newRow("longer format chunk")
            << riff(chunk("fmt ", Pcm16.mid(8) + littleEndian(0, 2)) + chunk("data", Samples)) << QString();
        QTest::newRow("empty file") << QByteArray() << "it is not a WAV file";
        QTest::newRow("text") << QByteArray("puk\n") << "it is not a WAV file";
        QTest::newRow("RIFF of another kind")
            << riff(Pcm16 + chunk("data", Samples), "AVI ") << "it is not a WAV file";
        QTest::newRow("header cut short") << riff(QByteArray()).left(10) << "it is not a WAV file";
        QTest::newRow("floating-point samples")
            << riff(format(3, 1, 22050, 32) + chunk("data", Samples)) << "its sound is not PCM (format 3)";
        QTest::newRow("MP3 in a WAV file")
            << riff(format(0x55, 1, 22050, 0) + chunk("data", Samples)) << "its sound is not PCM (format 85)";
        QTest::newRow("24-bit samples") << riff(format(1, 1, 22050, 24) + chunk("data", Samples))
                                        << "its PCM sound cannot be played (1 channels, 22050 Hz, 24 bits)";
        QTest::newRow("no channels") << riff(format(1, 0, 22050, 16) + chunk("data", Samples))
                                     << "its PCM sound cannot be played (0 channels, 22050 Hz, 16 bits)";
        QTest::newRow("format chunk cut short")
            << riff(chunk("fmt ", Pcm16.mid(8, 12)) + chunk("data", Samples))
            << "its format chunk is cut short";
        QTest::newRow("file ends in the format")
            << riff(Pcm16).left(12 + 8 + 10) << "its format chunk is cut short";
        QTest::newRow("sound before the format")
            << riff(chunk("data", Samples) + Pcm16) << "it has no PCM format before its sound";
        QTest::newRow("no format") << riff(chunk("data", Samples)) << "it has no PCM format before its sound";
        QTest::newRow("no sound") << riff(Pcm16) << "it holds no sound";
        QTest::newRow("empty sound") << riff(Pcm16 + chunk("data", {})) << "it holds no sound";
        QTest::newRow("sound chunk without its samples")
            << riff(Pcm16 + chunk("data", {}, 800)) << "it holds no sound";
        QTest::newRow("chunk size beyond the end")
            << riff(Pcm16 + chunk("LIST", "ab", 0x7FFFFFF0)) << "it holds no sound";
    }

    void openAcceptsOnlyPcmWaveFiles() {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("puk.wav"));
        QVERIFY(writeFile(path, content));
        SoundCue cue;
        try {
            cue.play(path);
            QVERIFY2(reason.isEmpty(), "the file was played");
        } catch (const GameError &error) {
            QCOMPARE(error.text(), cueText(path, reason));
        }
        QCOMPARE(cue.fileName(), path);
    }

    void openReportsFilesThatCannotBeRead_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing.wav"
                                 << "the file does not exist";
        QTest::newRow("a folder") << "folder.wav"
                                  << "the file cannot be read";
        QTest::newRow("in a missing folder") << "nowhere/puk.wav"
                                             << "the file does not exist";
    }

    void openReportsFilesThatCannotBeRead() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.wav")));
        const QString path = dir.filePath(name);
        SoundCue cue;
        QVERIFY_THROWS_EXCEPTION(GameError, cue.play(path));
        try {
            cue.play(path);
        } catch (const GameError &error) {
            QCOMPARE(error.text(), cueText(path, reason));
        }
    }

    // The game's own cues are files the player can open.
    void theGamesCuesArePcmWaveFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("line start") << "puk.wav";
        QTest::newRow("line end") << "puk_bum.wav";
    }

    void theGamesCuesArePcmWaveFiles() {
        QFETCH(QString, name);
        SoundCue cue;
        cue.play(buildDir() + name);
        QCOMPARE(cue.fileName(), buildDir() + name);
    }

    // A cue that cannot be opened is reported each time; the line is entered all the same.
    void missingCueStillEntersTheLine_data() {
        QTest::addColumn<QString>("spoiled");
        QTest::addColumn<bool>("missing"); // otherwise a text file takes its place
        QTest::addColumn<QString>("reason");
        QTest::newRow("start cue missing") << "puk.wav" << true << "the file does not exist";
        QTest::newRow("end cue missing") << "puk_bum.wav" << true << "the file does not exist";
        QTest::newRow("start cue not a WAV file") << "puk.wav" << false << "it is not a WAV file";
        QTest::newRow("end cue not a WAV file") << "puk_bum.wav" << false << "it is not a WAV file";
    }

    void missingCueStillEntersTheLine() {
        QFETCH(QString, spoiled);
        QFETCH(bool, missing);
        QFETCH(QString, reason);
        CueFolder cues;
        for (const QString &name : {QStringLiteral("puk.wav"), QStringLiteral("puk_bum.wav")}) {
            if (name != spoiled)
                QVERIFY(cues.copyCue(name));
            else if (!missing)
                QVERIFY(writeFile(cues.path(name), "puk\n"));
        }
        const QString error = cueText(cues.path(spoiled), reason);
        const bool atStart = spoiled == QStringLiteral("puk.wav");

        AnsweringBoard b;
        QVERIFY(b.startAnswering());
        b.g.AppDir = cues.appDir();
        QStringList expected;
        for (int line = 1; line <= 2; ++line) {
            const int row = 4 + line;
            const QPoint from = b.pixelOf(2, row), to = b.pixelOf(7, row);
            b.press(from);
            if (atStart) expected << error;
            QCOMPARE(b.errors, expected);
            // The start point is stored and the rubber band follows the mouse.
            QCOMPARE(b.g.LineInProgress, 1);
            QCOMPARE(b.drawnLine(line).p1(), QPoint(2, row));
            QCOMPARE(b.w.MP.fileName(), cues.path(QStringLiteral("puk.wav")));
            b.release(from);
            const QPoint underBand(to.x() - 10, to.y());
            const QRgb before = b.pixel(underBand);
            b.move(to + QPoint(3, 0));
            QCOMPARE(b.pixel(underBand), ~before & 0xFFFFFF);

            // The second press plays nothing.
            b.press(to);
            QCOMPARE(b.errors, expected);
            QCOMPARE(b.w.MP.fileName(), cues.path(QStringLiteral("puk.wav")));

            b.release(to);
            if (!atStart) expected << error;
            QCOMPARE(b.errors, expected);
            QCOMPARE(b.w.MP.fileName(), cues.path(QStringLiteral("puk_bum.wav")));
            QCOMPARE(b.drawnLine(line), QLine(2, row, 7, row));
            QCOMPARE(b.g.DrawnIndex, line + 1);
            QCOMPARE(b.g.LineInProgress, 0);
            QCOMPARE(b.pixel(underBand), BoardColors::Player & 0xFFFFFF);
        }
    }

    // Cues are opened by the game's folder, never by the current one.
    void cuesAreFoundByTheGamesFolder() {
        CueFolder spoiled;
        for (const char *name : {"puk.wav", "puk_bum.wav"})
            QVERIFY(writeFile(spoiled.path(QString::fromLatin1(name)), "puk\n"));
        CueFolder empty;
        const QString current = QDir::currentPath();

        AnsweringBoard b;
        QVERIFY(b.startAnswering());
        QVERIFY(QDir::setCurrent(spoiled.dir.path()));
        b.enterLine(QLine(1, 1, 2, 2));
        QCOMPARE(b.errors, QStringList());
        QCOMPARE(b.w.MP.fileName(), buildDir() + QStringLiteral("puk_bum.wav"));

        // Nor does the current folder stand in for a game folder without cues.
        QVERIFY(QDir::setCurrent(QStringLiteral(TESSARIN_BUILD_DIR)));
        b.g.AppDir = empty.appDir();
        b.enterLine(QLine(3, 1, 2, 2));
        QVERIFY(QDir::setCurrent(current));
        QCOMPARE(
            b.errors,
            QStringList({cueText(empty.path(QStringLiteral("puk.wav")), "the file does not exist"),
                         cueText(empty.path(QStringLiteral("puk_bum.wav")), "the file does not exist")}));
        QCOMPARE(b.drawnLine(2), QLine(3, 1, 2, 2));
    }
};

TESSARIN_TEST_MAIN(TestSoundCue)
#include "test_sound_cue.moc"
