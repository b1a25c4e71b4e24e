// The sound module: cues played through Qt Multimedia's sound effect.
#include "board/SoundOutput.h"

#include <QSoundEffect>
#include <QUrl>

namespace {

class SoundEffectOutput : public SoundOutput {
public:
    void play(const QString &path) override {
        m_effect.setSource(QUrl::fromLocalFile(path));
        // Playing goes on in the sound system; whether it succeeds is not examined.
        m_effect.play();
    }
    void stop() override { m_effect.stop(); }

private:
    QSoundEffect m_effect;
};

} // namespace

extern "C" Q_DECL_EXPORT SoundOutput *tessarinCreateSoundOutput() {
    return new SoundEffectOutput;
}
