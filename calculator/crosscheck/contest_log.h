// Every QSO line of an entrant's Cabrillo log, read whole: the cross-check
// needs the time, both exchanges and the station's own call, which scoring
// never looks at.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <limits>

#include "calculator/log_reader.h"

namespace tovek::crosscheck {

// The five contest bands as indexes 0 to 4, and one index for any other
// frequency (or none that can be read).
inline constexpr int kContestBands = 5;
inline constexpr int kOtherBand = 5;

// The band's name in reports and verdict details: its lower edge in kHz
// ("3500", "7000", "14000", "21000", "28000"); "other" off the five bands.
QString BandName(int band);

// The band index of a frequency in kHz (the scoring's band edges).
int BandOfKhz(double khz);

// Minutes counted from 2000-01-01 00:00; kNoTime when the date or the time of
// a line cannot be read.
inline constexpr int kNoTime = std::numeric_limits<int>::min();
int MinuteOf(int year, int month, int day, int hour, int minute);

// One QSO line: its text once, its fields as places in it. A contest holds
// hundreds of thousands of lines; a text of its own per field was most of
// the memory, and of the time spent reading. The texts are views of the
// characters its log keeps (ContestLog::qso_texts): a QSO is read with its
// log and lives as long as it.
struct ContestQso {
  enum Field {
    kFrequency,
    kMode,
    kMyCall,
    kSentRst,
    kSentExchange,
    kReceivedRst,
    kReceivedExchange,
    kFieldCount
  };
  // Where a field stands in the text; a field beyond the first 65,535
  // characters of a line (no real line is that long) is taken as empty.
  struct Span {
    std::uint16_t start = 0;
    std::uint16_t length = 0;
  };

  int line = 0;  // 1-based line number in its file
  std::int8_t band = kOtherBand;
  int minute = kNoTime;  // as logged, before any clock correction
  QStringView call;      // the worked call, trimmed: what every stage keys on
  QStringView text;      // the line after "QSO:", as written (its call upper-cased when read)
  std::array<Span, kFieldCount> fields{};

  // A field as written, trimmed.
  QStringView FieldText(Field field) const {
    const Span& span = fields[static_cast<size_t>(field)];
    return text.mid(span.start, span.length);
  }
  QStringView Frequency() const { return FieldText(kFrequency); }
  QStringView SentExchange() const { return FieldText(kSentExchange); }
  QStringView ReceivedExchange() const { return FieldText(kReceivedExchange); }
};

// A log as the cross-check reads it. `scored` is the log exactly as the
// score calculator reads it, so that a checked log's claimed result is the
// one the calculation run gives (a contest run keeps only its header once
// it has scored it).
struct ContestLog {
  QString path;
  QString station;  // the CALLSIGN header, trimmed and upper-cased
  LogRead scored;
  QList<ContestQso> qsos;
  // The texts of all QSO lines, one after another, that the QSOs view: one
  // block a log instead of two texts a line. Never changed once read (its
  // characters would move); a copy of the log shares it.
  QString qso_texts;
};

// Cuts one QSO line's text after "QSO:" into its fields. Two layouts:
// the log editor's fixed 75-character line (frequency in columns 6-10, own
// call in 31-42, the worked call in 55-66, ...), recognised by its blanks and
// date where that layout has them; else fields separated by blanks, as
// Cabrillo 3.0 writers and entrants' loggers write them:
//   freq mode yyyy-mm-dd hhmm mycall rst exch call rst exch [transmitter]
// The QSO's texts are views of `value`, its call as written.
ContestQso ParseQsoLine(QStringView value, int line_number);

// The minute of a QSO line as ParseQsoLine reads it, without its other
// fields: for readers that count QSOs by time and need nothing else.
int QsoLineMinute(QStringView value);

// Reads a log from its bytes, or from its file (a missing or unreadable file
// gives a log without QSOs whose `scored.status` says why).
ContestLog ReadContestLogBytes(const QString& path, QByteArray bytes);
ContestLog ReadContestLog(const QString& path);

}  // namespace tovek::crosscheck
