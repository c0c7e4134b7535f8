#include "common/legacy_numbers.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

namespace tovek {
namespace {

template <typename Int>
std::optional<Int> ToInteger(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = RoundHalfEven(value);
  if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
    return std::nullopt;
  }
  return static_cast<Int>(rounded);
}

bool IsBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }
bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Whether a number that a double cannot hold is too large (rather than too
// small): the power of ten of its first significant digit, plus its exponent,
// is above zero. Only asked of numbers hundreds of powers away from 1.
bool IsOverflow(std::string_view number) {
  long long magnitude = 0;
  bool seen_point = false;
  bool significant = false;
  size_t i = 0;
  if (i < number.size() && (number[i] == '+' || number[i] == '-')) ++i;
  for (; i < number.size() && number[i] != 'e'; ++i) {
    if (number[i] == '.') {
      seen_point = true;
    } else if (!significant && number[i] == '0') {
      if (seen_point) --magnitude;
    } else {
      significant = true;
      if (!seen_point) ++magnitude;
    }
  }
  if (!significant) return false;
  long long exponent = 0;
  if (i < number.size()) {
    ++i;
    bool negative = false;
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) negative = number[i++] == '-';
    for (; i < number.size(); ++i) {
      exponent = std::min(exponent * 10 + (number[i] - '0'), 1'000'000'000LL);
    }
    if (negative) exponent = -exponent;
  }
  return magnitude + exponent > 0;
}

}  // namespace

double RoundHalfEven(double value) {
  // nearbyint follows the current rounding mode, which is round-to-nearest,
  // ties-to-even unless somebody changed it; say so rather than rely on it.
  const int saved = std::fegetround();
  if (saved != FE_TONEAREST) std::fesetround(FE_TONEAREST);
  const double rounded = std::nearbyint(value);
  if (saved != FE_TONEAREST) std::fesetround(saved);
  return rounded;
}

std::optional<std::int16_t> ToInt16(double value) { return ToInteger<std::int16_t>(value); }
std::optional<std::int32_t> ToInt32(double value) { return ToInteger<std::int32_t>(value); }

std::optional<double> ReadNumericValue(QStringView text) {
  std::string number;
  number.reserve(static_cast<size_t>(text.size()));
  enum class Stage { kSign, kInteger, kFraction, kExponentSign, kExponent } stage = Stage::kSign;
  size_t before_exponent = 0;
  for (const QChar c : text) {
    if (IsBlank(c)) continue;
    if (stage == Stage::kSign && (c == u'+' || c == u'-')) {
      number.push_back(static_cast<char>(c.unicode()));
      stage = Stage::kInteger;
    } else if (IsDigit(c)) {
      number.push_back(static_cast<char>(c.unicode()));
      if (stage == Stage::kSign) stage = Stage::kInteger;
      if (stage == Stage::kExponentSign) stage = Stage::kExponent;
    } else if (c == u'.' && (stage == Stage::kSign || stage == Stage::kInteger)) {
      number.push_back('.');
      stage = Stage::kFraction;
    } else if ((c == u'E' || c == u'e' || c == u'D' || c == u'd') &&
               (stage == Stage::kInteger || stage == Stage::kFraction)) {
      before_exponent = number.size();
      number.push_back('e');
      stage = Stage::kExponentSign;
    } else if (stage == Stage::kExponentSign && (c == u'+' || c == u'-') &&
               number.back() == 'e') {
      number.push_back(static_cast<char>(c.unicode()));
    } else {
      break;
    }
  }
  // An exponent marker without digits behind it is not part of the number.
  if (stage == Stage::kExponentSign) number.resize(before_exponent);
  if (number.empty() || number == "+" || number == "-" || number == "." ||
      number == "+." || number == "-.") {
    return 0.0;
  }
  // from_chars ignores the process locale (a desktop session may use a
  // decimal comma) and does not accept a leading "+".
  const char* first = number.data();
  if (*first == '+') ++first;
  double value = 0.0;
  const auto [end, error] = std::from_chars(first, number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    if (IsOverflow(number)) return std::nullopt;
    return 0.0;
  }
  return error == std::errc() ? value : 0.0;
}

double NumericValue(QStringView text) { return ReadNumericValue(text).value_or(0.0); }

std::optional<double> ParseDecimal(QStringView text) {
  const QStringView trimmed = text.trimmed();
  if (trimmed.isEmpty()) return std::nullopt;
  for (const QChar c : trimmed) {
    const bool allowed = IsDigit(c) || c == u'+' || c == u'-' || c == u'.' || c == u'e' ||
                         c == u'E';
    if (!allowed) return std::nullopt;
  }
  bool ok = false;
  const double value = trimmed.toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace tovek
