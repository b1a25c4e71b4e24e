// Benchmarks of the line-entry cues: how long a press or release on the board waits
// for its cue, the first time a player plays and for each cue after that. Without an
// audio device the cues fail to play, silently; this must cost the game no time either.
#include "TestMain.h"

#include "board/SoundCue.h"

namespace {

QString cuePath(const char *name) {
    return QStringLiteral(TESSARIN_BUILD_DIR "/") + QString::fromLatin1(name);
}

} // namespace

class BenchSoundCue : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The first cue of the game also brings up the sound system.
    void firstCue() {
        QBENCHMARK_ONCE {
            SoundCue cue;
            cue.play(cuePath("puk.wav"));
        }
    }

    // A line's start and end cues, each cutting off the one before.
    void cueAfterCue() {
        SoundCue cue;
        cue.play(cuePath("puk.wav"));
        QBENCHMARK {
            cue.play(cuePath("puk_bum.wav"));
            cue.play(cuePath("puk.wav"));
        }
    }
};

TESSARIN_TEST_MAIN(BenchSoundCue)
#include "bench_sound_cue.moc"
