#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// Decimal integer conversion of a text, as the level table, the settings store and the
// dialogs use it: optional leading blanks, an optional sign, decimal digits, nothing
// after them, and a value that fits 32 bits.
std::optional<int32_t> parseInteger(const QString &text);

// The same conversion, raising "'<text>' is not a valid integer value" when it fails.
int32_t toInteger(const QString &text);
