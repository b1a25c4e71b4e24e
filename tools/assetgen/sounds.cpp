#include "sounds.h"

#include "random.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double pi = std::numbers::pi;
const double peakLevel = std::pow(10.0, -6.0 / 20.0); // -6 dBFS

int samplesIn(double seconds) {
    return int(std::lround(seconds * sampleRate));
}

// A struck body: a sine whose pitch sags a little as it rings, with a raised-cosine
// attack (no click) and an exponential decay.
void addTone(QList<double> &out, int start, double fromHz, double toHz, double glideSeconds,
             double attackSeconds, double decaySeconds, double amplitude) {
    double phase = 0.0;
    for (int i = 0; start + i < out.size(); ++i) {
        const double t = double(i) / sampleRate;
        const double hz = toHz + (fromHz - toHz) * std::exp(-t / glideSeconds);
        phase += 2.0 * pi * hz / sampleRate;
        const double attack = t < attackSeconds ? 0.5 - 0.5 * std::cos(pi * t / attackSeconds) : 1.0;
        out[start + i] += amplitude * attack * std::exp(-t / decaySeconds) * std::sin(phase);
    }
}

// The tap of the knock: a few milliseconds of noise, softened by a one-pole low-pass.
void addClick(QList<double> &out, int start, double seconds, double amplitude, Random &random) {
    const int length = samplesIn(seconds);
    double smoothed = 0.0;
    for (int i = 0; i < length && start + i < out.size(); ++i) {
        smoothed += 0.2 * (random.range(-1.0, 1.0) - smoothed);
        const double envelope = std::sin(pi * i / length);
        out[start + i] += amplitude * envelope * envelope * smoothed;
    }
}

// Removes any offset, eases both ends in from and out to silence (the first and last
// samples are exactly zero, so starting or cutting a cue never clicks) and brings the
// peak to the target level.
void finish(QList<double> &sound, double fadeOutSeconds) {
    double mean = 0.0;
    for (double s : sound)
        mean += s;
    mean /= sound.size();
    const double fadeIn = samplesIn(0.001);
    const double fadeOut = samplesIn(fadeOutSeconds);
    const qsizetype last = sound.size() - 1;
    for (qsizetype i = 0; i <= last; ++i) {
        sound[i] -= mean;
        if (i < fadeIn) sound[i] *= 0.5 - 0.5 * std::cos(pi * double(i) / fadeIn);
        if (last - i < fadeOut) sound[i] *= 0.5 - 0.5 * std::cos(pi * double(last - i) / fadeOut);
    }
    double peak = 0.0;
    for (double s : sound)
        peak = std::max(peak, std::abs(s));
    for (double &s : sound)
        s *= peakLevel / peak;
}

// The knock alone, unscaled: a pitched body near 700 Hz, a woody overtone that dies
// fast, and a soft tap.
void addPuk(QList<double> &out, Random &random) {
    addTone(out, 0, 780.0, 690.0, 0.02, 0.0015, 0.024, 1.0);
    addTone(out, 0, 1830.0, 1760.0, 0.02, 0.001, 0.008, 0.28);
    addClick(out, 0, 0.004, 0.35, random);
}

} // namespace

QList<double> synthesisePuk() {
    Random random(0x9A6'0001);
    QList<double> sound(samplesIn(0.10), 0.0);
    addPuk(sound, random);
    finish(sound, 0.02);
    return sound;
}

QList<double> synthesisePukBum() {
    Random random(0x9A6'0001); // the same knock as "puk"
    QList<double> sound(samplesIn(0.32), 0.0);
    addPuk(sound, random);
    // The thump: a low tone with a touch of its octave so that small speakers carry it.
    const int bum = samplesIn(0.085);
    addTone(sound, bum, 105.0, 86.0, 0.05, 0.012, 0.07, 0.95);
    addTone(sound, bum, 210.0, 172.0, 0.05, 0.012, 0.045, 0.3);
    finish(sound, 0.04);
    return sound;
}

QByteArray encodeWav(const QList<double> &samples) {
    const quint32 dataBytes = quint32(samples.size()) * 2;
    QByteArray wav;
    wav.reserve(44 + int(dataBytes));
    auto put16 = [&wav](quint16 v) {
        char bytes[2];
        qToLittleEndian(v, bytes);
        wav.append(bytes, 2);
    };
    auto put32 = [&wav](quint32 v) {
        char bytes[4];
        qToLittleEndian(v, bytes);
        wav.append(bytes, 4);
    };
    const quint16 channels = 1;
    const quint16 bitsPerSample = 16;
    const quint16 blockAlign = channels * bitsPerSample / 8;

    wav.append("RIFF", 4);
    put32(36 + dataBytes);
    wav.append("WAVE", 4);
    wav.append("fmt ", 4);
    put32(16); // size of the PCM format chunk
    put16(1);  // PCM
    put16(channels);
    put32(sampleRate);
    put32(sampleRate * blockAlign);
    put16(blockAlign);
    put16(bitsPerSample);
    wav.append("data", 4);
    put32(dataBytes);
    for (double s : samples)
        put16(quint16(qint16(std::lround(std::clamp(s, -1.0, 1.0) * 32767.0))));
    return wav;
}
