#include "calculator/crosscheck/contest_log.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <utility>
#include <vector>

#include "calculator/text_rules.h"
#include "common/legacy_numbers.h"
#include "common/text_file.h"

namespace tovek::crosscheck {
namespace {

// The log editor's QSO line, as positions within the text after "QSO:"
// (0-based; column c of the line is index c - 5).
struct FixedField {
  qsizetype start;
  qsizetype length;
};
constexpr FixedField kFixedFrequency{1, 5};
constexpr FixedField kFixedMode{7, 2};
constexpr FixedField kFixedDate{10, 10};
constexpr FixedField kFixedTime{21, 4};
constexpr FixedField kFixedMyCall{26, 12};
constexpr FixedField kFixedSentRst{39, 3};
constexpr FixedField kFixedSentExchange{43, 2};
constexpr FixedField kFixedCall{50, 12};
constexpr FixedField kFixedReceivedRst{65, 3};
constexpr FixedField kFixedReceivedExchange{69, 2};
// Where that layout always has a blank.
constexpr qsizetype kFixedBlanks[] = {0, 6, 9, 20, 25, 38, 42, 45, 46, 47, 48, 49};

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

QStringView Field(QStringView value, FixedField field) {
  return TrimSpaces(value.mid(field.start, field.length));
}

// Digits at [start, start + count) of `text`, as a number; -1 when any is not.
int DigitsAt(QStringView text, qsizetype start, qsizetype count) {
  if (start + count > text.size()) return -1;
  int number = 0;
  for (qsizetype i = start; i < start + count; ++i) {
    if (!IsDigit(text[i])) return -1;
    number = number * 10 + (text[i].unicode() - u'0');
  }
  return number;
}

bool IsFixedLayout(QStringView value) {
  if (value.size() < kFixedCall.start + 1) return false;
  for (const qsizetype blank : kFixedBlanks) {
    if (value[blank] != u' ') return false;
  }
  const QStringView date = value.mid(kFixedDate.start, kFixedDate.length);
  return DigitsAt(date, 0, 4) >= 0 && date[4] == u'-' && date[7] == u'-' &&
         DigitsAt(value, kFixedTime.start, kFixedTime.length) >= 0;
}

// "yyyy-mm-dd", "yyyy/mm/dd" or "yyyymmdd" with "hhmm" or "hh:mm".
int ReadMinute(QStringView date, QStringView time) {
  int year = -1;
  int month = -1;
  int day = -1;
  if (date.size() == 10 && (date[4] == u'-' || date[4] == u'/') && date[7] == date[4]) {
    year = DigitsAt(date, 0, 4);
    month = DigitsAt(date, 5, 2);
    day = DigitsAt(date, 8, 2);
  } else if (date.size() == 8) {
    year = DigitsAt(date, 0, 4);
    month = DigitsAt(date, 4, 2);
    day = DigitsAt(date, 6, 2);
  }
  int hour = -1;
  int minute = -1;
  if (time.size() == 4) {
    hour = DigitsAt(time, 0, 2);
    minute = DigitsAt(time, 2, 2);
  } else if (time.size() == 5 && time[2] == u':') {
    hour = DigitsAt(time, 0, 2);
    minute = DigitsAt(time, 3, 2);
  }
  if (year < 1900 || month < 1 || day < 1 || hour < 0 || hour > 23 || minute < 0 || minute > 59) {
    return kNoTime;
  }
  if (!QDate::isValid(year, month, day)) return kNoTime;
  return MinuteOf(year, month, day, hour, minute);
}

int BandOfFrequencyText(QStringView text) {
  const double value = NumericValue(text);
  // Some loggers write the band in MHz instead of the frequency.
  if (value == 3.5 || value == 7 || value == 14 || value == 21 || value == 28) {
    return BandOfKhz(value * 1000);
  }
  return BandOfKhz(value);
}

// Where `part`, a piece of `value`, stands in it.
ContestQso::Span SpanOf(QStringView value, QStringView part) {
  constexpr qsizetype kMaxPlace = std::numeric_limits<std::uint16_t>::max();
  const qsizetype start = part.data() - value.data();
  if (part.isEmpty() || start + part.size() > kMaxPlace) return {};
  return {static_cast<std::uint16_t>(start), static_cast<std::uint16_t>(part.size())};
}

// How many lines `bytes` can hold at most, whichever line ends it uses.
qsizetype MostLines(const QByteArray& bytes) {
  return std::max(bytes.count('\n'), bytes.count('\r')) + 1;
}

// The line's text and what every line has: band, time and the worked call.
ContestQso MakeQso(QStringView value, int line_number,
                   const std::array<QStringView, ContestQso::kFieldCount>& fields, QStringView date,
                   QStringView time, QStringView call) {
  ContestQso qso;
  qso.line = line_number;
  qso.text = value;
  for (size_t f = 0; f < fields.size(); ++f) qso.fields[f] = SpanOf(value, fields[f]);
  qso.band = static_cast<std::int8_t>(BandOfFrequencyText(fields[ContestQso::kFrequency]));
  qso.minute = ReadMinute(date, time);
  qso.call = call;
  return qso;
}

ContestQso ParseFixed(QStringView value, int line_number) {
  return MakeQso(
      value, line_number,
      {Field(value, kFixedFrequency), Field(value, kFixedMode), Field(value, kFixedMyCall),
       Field(value, kFixedSentRst), Field(value, kFixedSentExchange),
       Field(value, kFixedReceivedRst), Field(value, kFixedReceivedExchange)},
      Field(value, kFixedDate), Field(value, kFixedTime), Field(value, kFixedCall));
}

// A free layout's fields, separated by blanks and tabs:
//   freq mode date time mycall rst exch call rst exch [transmitter]
// `count` of them at most; the fields a line does not have are empty.
template <size_t count>
std::array<QStringView, count> FreeFields(QStringView value) {
  std::array<QStringView, count> tokens{};
  size_t taken = 0;
  for (const QStringView token : value.tokenize(u' ', Qt::SkipEmptyParts)) {
    for (const QStringView part : token.tokenize(u'\t', Qt::SkipEmptyParts)) {
      if (taken == count) return tokens;
      tokens[taken++] = part;
    }
  }
  return tokens;
}

ContestQso ParseFree(QStringView value, int line_number) {
  const std::array<QStringView, 11> tokens = FreeFields<11>(value);
  return MakeQso(value, line_number,
                 {tokens[0], tokens[1], tokens[4], tokens[5], tokens[6], tokens[8], tokens[9]},
                 tokens[2], tokens[3], tokens[7]);
}

}  // namespace

QString BandName(int band) {
  static const QString kNames[] = {QStringLiteral("3500"),  QStringLiteral("7000"),
                                   QStringLiteral("14000"), QStringLiteral("21000"),
                                   QStringLiteral("28000"), QStringLiteral("other")};
  return kNames[band >= 0 && band < kContestBands ? band : kOtherBand];
}

int BandOfKhz(double khz) {
  if (khz >= 3500 && khz < 4000) return 0;
  if (khz >= 7000 && khz < 7500) return 1;
  if (khz >= 14000 && khz < 14500) return 2;
  if (khz >= 21000 && khz < 21500) return 3;
  if (khz >= 28000 && khz < 30000) return 4;
  return kOtherBand;
}

int MinuteOf(int year, int month, int day, int hour, int minute) {
  static const qint64 kEpochDay = QDate(2000, 1, 1).toJulianDay();
  const qint64 days = QDate(year, month, day).toJulianDay() - kEpochDay;
  return static_cast<int>(days * 1440 + hour * 60 + minute);
}

ContestQso ParseQsoLine(QStringView value, int line_number) {
  return IsFixedLayout(value) ? ParseFixed(value, line_number) : ParseFree(value, line_number);
}

int QsoLineMinute(QStringView value) {
  if (IsFixedLayout(value)) return ReadMinute(Field(value, kFixedDate), Field(value, kFixedTime));
  const std::array<QStringView, 4> tokens = FreeFields<4>(value);
  return ReadMinute(tokens[2], tokens[3]);
}

ContestLog ReadContestLogBytes(const QString& path, QByteArray bytes) {
  ContestLog log;
  log.path = path;
  // Room for every line at once: grown by doubling, the list of a large log
  // was copied over and over into new memory. The texts seldom need more
  // characters than the file has bytes.
  log.qsos.reserve(std::min<qsizetype>(MostLines(bytes), kMaxLogQsos));
  log.qso_texts.reserve(bytes.size());
  // Where each QSO's text and call start in the texts: the views are made
  // once all are kept, as growing the texts may move their characters.
  std::vector<std::pair<qsizetype, qsizetype>> places;
  places.reserve(static_cast<size_t>(log.qsos.capacity()));
  log.scored = ReadLogBytes(std::move(bytes), [&](QStringView value, int line_number) {
    const ContestQso qso = ParseQsoLine(value, line_number);
    const qsizetype start = log.qso_texts.size();
    const qsizetype call_start = qso.call.isEmpty() ? 0 : qso.call.data() - value.data();
    log.qso_texts.append(value);
    // Calls compare upper-cased; the text keeps the call as compared.
    QChar* call = log.qso_texts.data() + start + call_start;
    for (qsizetype i = 0; i < qso.call.size(); ++i) call[i] = call[i].toUpper();
    places.emplace_back(start, call_start);
    log.qsos.append(qso);
  });
  const QStringView texts(log.qso_texts);
  for (qsizetype q = 0; q < log.qsos.size(); ++q) {
    ContestQso& qso = log.qsos[q];
    const auto [start, call_start] = places[static_cast<size_t>(q)];
    const qsizetype call_length = qso.call.size();
    qso.text = texts.mid(start, qso.text.size());
    qso.call = qso.text.mid(call_start, call_length);
  }
  log.station = log.scored.summary.call_sign.toUpper();
  return log;
}

ContestLog ReadContestLog(const QString& path) {
  QByteArray bytes;
  if (const FileOutcome read = ReadInputFile(path, max_file_size::kLog, bytes); !read.ok) {
    ContestLog log;
    log.path = path;
    log.scored.status =
        QFileInfo::exists(path) ? LogRead::Status::kUnreadable : LogRead::Status::kMissing;
    log.scored.error = read.error;
    return log;
  }
  return ReadContestLogBytes(path, std::move(bytes));
}

}  // namespace tovek::crosscheck
