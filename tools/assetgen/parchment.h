#pragma once

#include <QImage>
#include <cstdint>

// A sheet of old parchment: warm mottled beige with fibres, foxing, a water stain or
// two and edges browned by handling. Opaque, Format_RGB32.
QImage makeParchment(QSize size, std::uint64_t seed);
