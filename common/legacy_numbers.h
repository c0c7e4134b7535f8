// The number rules every stored value and every typed box follows: counts are
// 16-bit, fractions become integers by rounding half to the even neighbour,
// and the value of a text is its leading decimal number.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace tovek {

constexpr int kMaxCount16 = 32767;

// Rounds to the nearest integer, a half going to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double RoundHalfEven(double value);

// The value rounded half to even, when it fits a 16-bit or 32-bit signed integer.
std::optional<std::int16_t> ToInt16(double value);
std::optional<std::int32_t> ToInt32(double value);

// The leading decimal number of a text: blanks anywhere are ignored, then an
// optional sign, digits, an optional fraction and an optional exponent are
// taken as far as they go. A text without a leading number is worth 0
// ("14 025.5 kHz" -> 14025.5, "7O" -> 7, "abc" -> 0). A number too small
// for a double is 0; one too large for it ("1e400", four hundred nines) is
// no number at all: nothing, never an infinity.
std::optional<double> ReadNumericValue(QStringView text);

// The same, with a number too large for a double worth 0 like any other
// text that holds no readable number.
double NumericValue(QStringView text);

// A whole text read as a decimal number (blanks at the ends allowed), or
// nothing when it is empty or holds anything else ("12", "-3.5", "1e3").
std::optional<double> ParseDecimal(QStringView text);

}  // namespace tovek
