#pragma once

#include <QImage>
#include <cstdint>

// Drawings and script are painted opaque into a transparent layer first, then worked
// into the parchment in one pass: this is where ink soaks in and chalk catches on the
// grain of the skin.

// A transparent layer to paint strokes into, of the given size at 1x and `scale` times
// its pixels (painters draw on it in 1x pixels). The parchment it is worked into has the
// same scale.
QImage blankLayer(QSize size, int scale = 1);

// Ink darkens the skin beneath it (multiply), a little unevenly, and bleeds by a
// fraction of a pixel. The layer's colour is the ink's colour, its alpha the coverage.
void soakInk(QImage &parchment, const QImage &layer, std::uint32_t seed);

// Chalk sits on top of the skin: only the raised grain takes it, more of it where the
// stroke was pressed harder (more alpha).
void rubChalk(QImage &parchment, const QImage &layer, std::uint32_t seed);
