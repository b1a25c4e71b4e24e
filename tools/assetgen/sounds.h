#pragma once

#include <QByteArray>
#include <QList>

// The line-entry cues, synthesised: mono, 44100 samples a second, values in [-1, 1].
constexpr int sampleRate = 44100;

// "puk": a soft wooden knock, about 100 ms.
QList<double> synthesisePuk();

// "puk_bum": the same knock followed by a low, soft thump, about 300 ms.
QList<double> synthesisePukBum();

// A complete 16-bit PCM mono WAV file (44-byte RIFF header and the samples).
QByteArray encodeWav(const QList<double> &samples);
