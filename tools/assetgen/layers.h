#pragma once

#include <QImage>
#include <cstdint>

// Drawings and script are painted opaque into a transparent layer first, then worked
// into the parchment in one pass: this is where ink soaks in and chalk catches on the
// grain of the skin.

// A transparent layer of the given size to paint strokes into.
QImage blankLayer(QSize size);

// Ink darkens the skin beneath it (multiply), a little unevenly, and bleeds by a
// fraction of a pixel. The layer's colour is the ink's colour, its alpha the coverage.
void soakInk(QImage &parchment, const QImage &layer, std::uint32_t seed);

// Chalk sits on top of the skin: only the raised grain takes it, more of it where the
// stroke was pressed harder (more alpha).
void rubChalk(QImage &parchment, const QImage &layer, std::uint32_t seed);
