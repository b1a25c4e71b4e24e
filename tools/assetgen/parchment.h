#pragma once

#include <QImage>
#include <cstdint>

// A sheet of old parchment: warm mottled beige with fibres, foxing, a water stain or
// two and edges browned by handling. Opaque, Format_RGB32. `size` is in pixels of the
// picture at 1x; at a `scale` of 2 the same sheet comes with twice the pixels each way
// (its device-pixel ratio set to the scale, so that painters draw on it in 1x pixels).
QImage makeParchment(QSize size, std::uint64_t seed, int scale = 1);
