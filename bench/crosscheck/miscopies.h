// How a call or an exchange number gets from the sender into the receiving
// log wrong: the RTTY causes (a lost shift character turning a run of
// figures into letters or back, a single bit of a 5-bit ITA2 code flipped
// by noise, a character lost or added) and the operator's keyboard (a
// neighbouring key, two characters swapped).
#pragma once

#include <QString>
#include <optional>

#include "bench/generator/bench_data.h"

namespace tovek::bench {

enum class CallMiscopy {
  kLostFiguresShift,  // a run of figures printed as letters: JA1ABC -> JAQABC
  kLostLettersShift,  // a run of letters printed as figures: W1WY -> W126
  kIta2OneBit,        // one character whose code differs in one bit: K -> C
  kDroppedCharacter,
  kExtraCharacter,
  kAdjacentKey,  // typed with the key beside the right one
  kSwappedNeighbours,
};
inline constexpr int kCallMiscopyCount = 7;
const char* CallMiscopyName(CallMiscopy kind);

enum class ExchangeMiscopy {
  kLostFiguresShift,  // "26" -> "WY"
  kIta2OneBit,        // a digit whose code differs in one bit: "26" -> "20"
  kRandomDigit,
};
inline constexpr int kExchangeMiscopyCount = 3;
const char* ExchangeMiscopyName(ExchangeMiscopy kind);

// `call` as miscopied in the way of `kind`: different from `call`, of
// 3 to 12 characters, letters, digits and "/" only. Nothing when that kind
// of error cannot garble this call (a call without a letter run made only
// of the figure keys cannot lose its letters shift).
std::optional<QString> MiscopyCall(const QString& call, CallMiscopy kind, Random& random);

// The exchange number (digits) as miscopied; different from `exchange`.
std::optional<QString> MiscopyExchange(const QString& exchange, ExchangeMiscopy kind,
                                       Random& random);

}  // namespace tovek::bench
