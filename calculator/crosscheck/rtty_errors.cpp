#include "calculator/crosscheck/rtty_errors.h"

#include <algorithm>
#include <array>
#include <limits>

namespace tovek::crosscheck {
namespace {

// ITA2 codes of the letters A to Z (bit 1 first, as the tape reads).
constexpr std::array<std::uint8_t, 26> kLetterCodes = {
    0b11000, 0b10011, 0b01110, 0b10010, 0b10000, 0b10110, 0b01011, 0b00101, 0b01100,
    0b11010, 0b11110, 0b01001, 0b00111, 0b00110, 0b00011, 0b01101, 0b11101, 0b01010,
    0b10100, 0b00001, 0b11100, 0b01111, 0b11001, 0b10111, 0b10101, 0b10001};

// The figures, with the letter that shares the code (the bell and the
// who-are-you codes print nothing and are left out).
struct FigurePair {
  char16_t figure;
  char16_t letter;
};
constexpr FigurePair kFigures[] = {
    {u'1', u'Q'}, {u'2', u'W'}, {u'3', u'E'}, {u'4', u'R'}, {u'5', u'T'}, {u'6', u'Y'},
    {u'7', u'U'}, {u'8', u'I'}, {u'9', u'O'}, {u'0', u'P'}, {u'/', u'X'}, {u'-', u'A'},
    {u'?', u'B'}, {u':', u'C'}, {u'!', u'F'}, {u'&', u'G'}, {u'#', u'H'}, {u'(', u'K'},
    {u')', u'L'}, {u'.', u'M'}, {u',', u'N'}, {u';', u'V'}, {u'"', u'Z'}};

constexpr std::u16string_view kCallCharacters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/";

constexpr std::u16string_view kKeyboardRows[] = {u"1234567890", u"QWERTYUIOP", u"ASDFGHJKL",
                                                 u"ZXCVBNM"};

bool IsLetter(QChar c) { return c >= u'A' && c <= u'Z'; }

// The ITA2 code of a call character, or -1.
int CodeOf(QChar c) {
  if (IsLetter(c)) return kLetterCodes[c.unicode() - u'A'];
  for (const FigurePair& pair : kFigures) {
    if (pair.figure == c) return kLetterCodes[pair.letter - u'A'];
  }
  return -1;
}

bool IsKeyboardNeighbour(QChar a, QChar b) {
  for (int row = 0; row < 4; ++row) {
    const auto index = kKeyboardRows[row].find(a.unicode());
    if (index == std::u16string_view::npos) continue;
    const auto at = [&](int r, std::ptrdiff_t i) {
      return r >= 0 && r < 4 && i >= 0 &&
             i < static_cast<std::ptrdiff_t>(kKeyboardRows[r].size()) &&
             kKeyboardRows[r][static_cast<size_t>(i)] == b.unicode();
    };
    const auto i = static_cast<std::ptrdiff_t>(index);
    // Rows are staggered: a key touches two keys of the row above and below.
    return at(row, i - 1) || at(row, i + 1) || at(row - 1, i) || at(row - 1, i + 1) ||
           at(row + 1, i - 1) || at(row + 1, i);
  }
  return false;
}

double SubstitutionCost(QChar sent, QChar copied) {
  if (IsOneBitApart(sent, copied)) return rtty_cost::kOneBit;
  if (IsKeyboardNeighbour(sent, copied)) return rtty_cost::kKeyboard;
  return rtty_cost::kOther;
}

double EditDistance(QStringView a, QStringView b) {
  std::array<int, 64> row{};
  if (a.size() >= 63 || b.size() >= 63) return std::numeric_limits<double>::infinity();
  for (qsizetype j = 0; j <= b.size(); ++j) row[static_cast<size_t>(j)] = static_cast<int>(j);
  for (qsizetype i = 1; i <= a.size(); ++i) {
    int diagonal = row[0];
    row[0] = static_cast<int>(i);
    for (qsizetype j = 1; j <= b.size(); ++j) {
      const int above = row[static_cast<size_t>(j)];
      row[static_cast<size_t>(j)] = std::min({above + 1, row[static_cast<size_t>(j - 1)] + 1,
                                              diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[static_cast<size_t>(b.size())];
}

// The RTTY model as a shortest path over (characters of `sent` taken,
// characters of `copied` taken, whether the receiver is in the wrong case).
double RttyCost(QStringView sent, QStringView copied) {
  constexpr qsizetype kMax = 24;
  constexpr double kInf = std::numeric_limits<double>::infinity();
  if (sent.size() > kMax || copied.size() > kMax) return kInf;
  double normal[kMax + 1][kMax + 1];
  double shifted[kMax + 1][kMax + 1];
  for (auto& row : normal) std::fill(std::begin(row), std::end(row), kInf);
  for (auto& row : shifted) std::fill(std::begin(row), std::end(row), kInf);
  normal[0][0] = 0;
  const qsizetype n = sent.size();
  const qsizetype m = copied.size();
  const auto relax = [](double& target, double value) { target = std::min(target, value); };
  for (qsizetype i = 0; i <= n; ++i) {
    for (qsizetype j = 0; j <= m; ++j) {
      // Falling into the wrong case costs; coming back is the next shift
      // character arriving as sent.
      relax(shifted[i][j], normal[i][j] + rtty_cost::kShiftRun);
      relax(normal[i][j], shifted[i][j]);
      const double here = normal[i][j];
      if (i < n && j < m) {
        relax(normal[i + 1][j + 1],
              here + (sent[i] == copied[j] ? 0.0 : SubstitutionCost(sent[i], copied[j])));
        const QChar partner = ShiftPartner(sent[i]);
        if (!partner.isNull() && partner == copied[j]) {
          relax(shifted[i + 1][j + 1], shifted[i][j]);
        }
      }
      if (i < n) relax(normal[i + 1][j], here + rtty_cost::kDropped);
      if (j < m) relax(normal[i][j + 1], here + rtty_cost::kAdded);
      if (i + 1 < n && j + 1 < m && sent[i] == copied[j + 1] && sent[i + 1] == copied[j] &&
          sent[i] != sent[i + 1]) {
        relax(normal[i + 2][j + 2], here + rtty_cost::kSwapped);
      }
    }
  }
  return normal[n][m];
}

}  // namespace

QChar ShiftPartner(QChar c) {
  for (const FigurePair& pair : kFigures) {
    if (pair.figure == c) return QChar(pair.letter);
    if (pair.letter == c) return QChar(pair.figure);
  }
  return QChar();
}

bool IsOneBitApart(QChar a, QChar b) {
  const int code_a = CodeOf(a);
  const int code_b = CodeOf(b);
  if (code_a < 0 || code_b < 0 || IsLetter(a) != IsLetter(b)) return false;
  const int difference = code_a ^ code_b;
  return difference != 0 && (difference & (difference - 1)) == 0;
}

double MiscopyCost(QStringView sent, QStringView copied, ErrorModel model) {
  if (sent == copied) return 0;
  return model == ErrorModel::kRtty ? RttyCost(sent, copied) : EditDistance(sent, copied);
}

void ForEachOneErrorOrigin(QStringView copied, ErrorModel model,
                           const std::function<void(QStringView)>& visit) {
  // Every variant is written into one buffer: a call has some five hundred
  // of them, and a text of its own each was most of the search's time.
  constexpr qsizetype kMaxLength = 32;
  const qsizetype length = copied.size();
  if (length == 0 || length >= kMaxLength) return;
  std::array<QChar, kMaxLength + 1> buffer{};
  const auto restore = [&] { std::copy(copied.begin(), copied.end(), buffer.begin()); };
  const auto emit = [&](qsizetype size) { visit(QStringView(buffer.data(), size)); };
  restore();
  // A character copied in place of another.
  for (qsizetype i = 0; i < length; ++i) {
    for (const char16_t c : kCallCharacters) {
      if (copied[i] == QChar(c)) continue;
      buffer[static_cast<size_t>(i)] = QChar(c);
      emit(length);
    }
    buffer[static_cast<size_t>(i)] = copied[i];
  }
  // A character lost: the copy lacks it.
  for (qsizetype i = 0; i <= length; ++i) {
    std::copy(copied.begin(), copied.begin() + i, buffer.begin());
    std::copy(copied.begin() + i, copied.end(), buffer.begin() + i + 1);
    for (const char16_t c : kCallCharacters) {
      buffer[static_cast<size_t>(i)] = QChar(c);
      emit(length + 1);
    }
  }
  // A character too many.
  for (qsizetype i = 0; i < length && length > 1; ++i) {
    std::copy(copied.begin(), copied.begin() + i, buffer.begin());
    std::copy(copied.begin() + i + 1, copied.end(), buffer.begin() + i);
    emit(length - 1);
  }
  if (model != ErrorModel::kRtty) return;
  restore();
  // Neighbours swapped.
  for (qsizetype i = 0; i + 1 < length; ++i) {
    if (copied[i] == copied[i + 1]) continue;
    std::swap(buffer[static_cast<size_t>(i)], buffer[static_cast<size_t>(i + 1)]);
    emit(length);
    std::swap(buffer[static_cast<size_t>(i)], buffer[static_cast<size_t>(i + 1)]);
  }
  // A run in the wrong case: every run of characters that all have partners.
  for (qsizetype first = 0; first < length; ++first) {
    restore();
    for (qsizetype last = first; last < length; ++last) {
      const QChar partner = ShiftPartner(copied[last]);
      if (partner.isNull()) break;
      buffer[static_cast<size_t>(last)] = partner;
      emit(length);
    }
  }
}

}  // namespace tovek::crosscheck
