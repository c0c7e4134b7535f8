#include "bench/crosscheck/miscopies.h"

#include <array>
#include <utility>
#include <vector>

namespace tovek::bench {
namespace {

// The ITA2 alphabet (US teleprinter figures), by 5-bit code; 0 where the
// code is a control character or a sign no call holds.
constexpr std::array<char, 32> kLetters = {0,   'E', 0,   'A', 0,   'S', 'I', 'U', 0,   'D', 'R',
                                           'J', 'N', 'F', 'C', 'K', 'T', 'Z', 'L', 'W', 'H', 'Y',
                                           'P', 'Q', 'O', 'B', 'G', 0,   'M', 'X', 'V', 0};
constexpr std::array<char, 32> kFigures = {0,   '3', 0,   0, 0, 0,   '8', '7', 0,   0, '4',
                                           0,   0,   0,   0, 0, '5', 0,   0,   '2', 0, '6',
                                           '0', '1', '9', 0, 0, 0,   0,   '/', 0,   0};

int CodeIn(const std::array<char, 32>& table, QChar c) {
  for (int code = 0; code < 32; ++code) {
    if (table[code] != 0 && c == QLatin1Char(table[code])) return code;
  }
  return -1;
}

bool IsFigure(QChar c) { return CodeIn(kFigures, c) >= 0; }

struct Run {
  qsizetype start = 0;
  qsizetype length = 0;
  bool figures = false;
};

// The call cut into runs of letters and runs of figures: each run of
// figures follows a FIGS character on the air, each run of letters after
// one a LTRS character, and losing that character garbles the whole run.
std::vector<Run> ShiftRuns(const QString& call) {
  std::vector<Run> runs;
  for (qsizetype i = 0; i < call.size(); ++i) {
    const bool figures = IsFigure(call[i]);
    if (runs.empty() || runs.back().figures != figures) runs.push_back({i, 0, figures});
    ++runs.back().length;
  }
  return runs;
}

// The run printed in the other shift; nothing when a character of it has no
// call character there (a receiver printing "-" or "?" gets noticed).
std::optional<QString> Reshifted(const QString& text, const Run& run) {
  const auto& from = run.figures ? kFigures : kLetters;
  const auto& to = run.figures ? kLetters : kFigures;
  QString result = text;
  for (qsizetype i = run.start; i < run.start + run.length; ++i) {
    const int code = CodeIn(from, text[i]);
    if (code < 0 || to[code] == 0) return std::nullopt;
    result[i] = QLatin1Char(to[code]);
  }
  return result;
}

std::optional<QString> LoseShift(const QString& text, bool figures, Random& random) {
  std::vector<QString> candidates;
  for (const Run& run : ShiftRuns(text)) {
    if (run.figures != figures) continue;
    if (std::optional<QString> reshifted = Reshifted(text, run)) candidates.push_back(*reshifted);
  }
  if (candidates.empty()) return std::nullopt;
  return random.Pick(candidates);
}

// Every text one bit of one character's code away, staying in its shift
// and on a character `keep` accepts.
template <typename Keep>
std::vector<QString> OneBitNeighbours(const QString& text, Keep keep) {
  std::vector<QString> neighbours;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const bool figures = IsFigure(text[i]);
    const auto& table = figures ? kFigures : kLetters;
    const int code = CodeIn(table, text[i]);
    if (code < 0) continue;
    for (int bit = 0; bit < 5; ++bit) {
      const char flipped = table[code ^ (1 << bit)];
      if (flipped == 0 || !keep(QLatin1Char(flipped))) continue;
      QString neighbour = text;
      neighbour[i] = QLatin1Char(flipped);
      neighbours.push_back(neighbour);
    }
  }
  return neighbours;
}

// Keys beside each other on the same row of the keyboard.
std::vector<QChar> AdjacentKeys(QChar c) {
  static const char* const kRows[] = {"1234567890", "QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  std::vector<QChar> keys;
  for (const char* row : kRows) {
    const QLatin1String keys_of_row(row);
    const qsizetype at = keys_of_row.indexOf(c);
    if (at < 0) continue;
    if (at > 0) keys.push_back(keys_of_row[at - 1]);
    if (at + 1 < keys_of_row.size()) keys.push_back(keys_of_row[at + 1]);
  }
  return keys;
}

std::optional<QString> PressAdjacentKey(const QString& call, Random& random) {
  std::vector<QString> candidates;
  for (qsizetype i = 0; i < call.size(); ++i) {
    for (const QChar key : AdjacentKeys(call[i])) {
      QString typo = call;
      typo[i] = key;
      candidates.push_back(typo);
    }
  }
  if (candidates.empty()) return std::nullopt;
  return random.Pick(candidates);
}

std::optional<QString> SwapNeighbours(const QString& call, Random& random) {
  std::vector<qsizetype> positions;
  for (qsizetype i = 0; i + 1 < call.size(); ++i) {
    if (call[i] != call[i + 1]) positions.push_back(i);
  }
  if (positions.empty()) return std::nullopt;
  const qsizetype at = random.Pick(positions);
  QString swapped = call;
  std::swap(swapped[at], swapped[at + 1]);
  return swapped;
}

std::optional<QString> DropCharacter(const QString& call, Random& random) {
  if (call.size() <= 3) return std::nullopt;
  QString shorter = call;
  shorter.remove(random.Below(static_cast<int>(call.size())), 1);
  return shorter;
}

// A character printed twice (a repeated start bit) or a letter out of
// the noise between two characters.
std::optional<QString> AddCharacter(const QString& call, Random& random) {
  if (call.size() >= 12) return std::nullopt;
  const int at = random.Below(static_cast<int>(call.size()));
  const QChar extra = random.Chance(0.5) ? call[at] : QChar(u'A' + random.Below(26));
  QString longer = call;
  longer.insert(at, extra);
  return longer;
}

bool IsCallText(const QString& text) {
  if (text.size() < 3 || text.size() > 12) return false;
  for (const QChar c : text) {
    if (!(c >= u'A' && c <= u'Z') && !(c >= u'0' && c <= u'9') && c != u'/') return false;
  }
  return true;
}

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

}  // namespace

const char* CallMiscopyName(CallMiscopy kind) {
  switch (kind) {
    case CallMiscopy::kLostFiguresShift:
      return "lost figures shift";
    case CallMiscopy::kLostLettersShift:
      return "lost letters shift";
    case CallMiscopy::kIta2OneBit:
      return "ITA2 one bit";
    case CallMiscopy::kDroppedCharacter:
      return "dropped character";
    case CallMiscopy::kExtraCharacter:
      return "extra character";
    case CallMiscopy::kAdjacentKey:
      return "adjacent key";
    case CallMiscopy::kSwappedNeighbours:
      return "swapped neighbours";
  }
  return "";
}

const char* ExchangeMiscopyName(ExchangeMiscopy kind) {
  switch (kind) {
    case ExchangeMiscopy::kLostFiguresShift:
      return "lost figures shift";
    case ExchangeMiscopy::kIta2OneBit:
      return "ITA2 one bit";
    case ExchangeMiscopy::kRandomDigit:
      return "random digit";
  }
  return "";
}

std::optional<QString> MiscopyCall(const QString& call, CallMiscopy kind, Random& random) {
  std::optional<QString> miscopy;
  switch (kind) {
    case CallMiscopy::kLostFiguresShift:
      miscopy = LoseShift(call, true, random);
      break;
    case CallMiscopy::kLostLettersShift:
      miscopy = LoseShift(call, false, random);
      break;
    case CallMiscopy::kIta2OneBit: {
      const std::vector<QString> neighbours = OneBitNeighbours(call, [](QChar) { return true; });
      if (!neighbours.empty()) miscopy = random.Pick(neighbours);
      break;
    }
    case CallMiscopy::kDroppedCharacter:
      miscopy = DropCharacter(call, random);
      break;
    case CallMiscopy::kExtraCharacter:
      miscopy = AddCharacter(call, random);
      break;
    case CallMiscopy::kAdjacentKey:
      miscopy = PressAdjacentKey(call, random);
      break;
    case CallMiscopy::kSwappedNeighbours:
      miscopy = SwapNeighbours(call, random);
      break;
  }
  if (!miscopy || *miscopy == call || !IsCallText(*miscopy)) return std::nullopt;
  return miscopy;
}

std::optional<QString> MiscopyExchange(const QString& exchange, ExchangeMiscopy kind,
                                       Random& random) {
  std::optional<QString> miscopy;
  switch (kind) {
    case ExchangeMiscopy::kLostFiguresShift:
      miscopy = Reshifted(exchange, {0, exchange.size(), true});
      break;
    case ExchangeMiscopy::kIta2OneBit: {
      const std::vector<QString> neighbours = OneBitNeighbours(exchange, IsDigit);
      if (!neighbours.empty()) miscopy = random.Pick(neighbours);
      break;
    }
    case ExchangeMiscopy::kRandomDigit: {
      if (exchange.isEmpty()) break;
      QString changed = exchange;
      const int at = random.Below(static_cast<int>(exchange.size()));
      changed[at] = QChar(u'0' + (changed[at].unicode() - u'0' + 1 + random.Below(9)) % 10);
      miscopy = changed;
      break;
    }
  }
  if (!miscopy || *miscopy == exchange) return std::nullopt;
  return miscopy;
}

}  // namespace tovek::bench
