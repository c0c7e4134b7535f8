// Reading one entrant's Cabrillo log for scoring: the header values and the
// QSOs reduced to band and worked call sign.
#pragma once

#include <QList>
#include <QString>
#include <functional>

#include "common/text_file.h"

namespace tovek {

// The eleven header values of one log that scoring and the results keep,
// each trimmed of spaces (the editor's LogSummary holds two more).
struct CabrilloSummary {
  QString call_sign;
  QString category;
  QString claimed_score;
  QString operators;
  QString club;
  QString continent;
  QString entity;
  QString name;
  QString created_by;
  QString address;
  QString soapbox;

  friend bool operator==(const CabrilloSummary&, const CabrilloSummary&) = default;
};

// One QSO as the scoring needs it.
struct QsoEntry {
  // "3.5", "7", "14", "21", "28", or the five frequency characters as they
  // stand in the line for any other frequency.
  QString band;
  QString call;  // the worked call sign, trimmed, case as written

  friend bool operator==(const QsoEntry&, const QsoEntry&) = default;
};

using QsoEntryList = QList<QsoEntry>;

// A log's QSO count is 16-bit: the 32,768th QSO line cannot be counted.
inline constexpr qsizetype kMaxLogQsos = 32767;

struct LogRead {
  enum class Status {
    kRead,         // read to its end
    kMissing,      // no file at the path: nothing read
    kUnreadable,   // the file could not be read: nothing read
    kTooManyQsos,  // stopped at the 32,768th QSO line: what came before is kept
  };
  Status status = Status::kRead;
  QString error;  // the platform's description when unreadable
  CabrilloSummary summary;
  QsoEntryList qsos;
  QString stn_cnt;  // the log's own continent, set once the file is read
  LogDecoding decoding;  // the encoding read in, and its bytes shown as U+FFFD
};

// The band of a QSO line's five frequency characters (kHz): the five contest
// bands, each up to but not including its upper edge, or the text itself.
QString BandOfFrequency(const QString& frequency_text);

// Reads the log at `path`. A line ends at CR LF, CR or LF; a tag is the text
// before a line's first colon, upper-cased and trimmed; the frequency and the
// worked call are taken at fixed positions counted from that colon. A call
// sign (the log's own and a worked one) is trimmed of spaces and of a
// U+FFFD at its ends: a character cut in half at the end of a line is no
// part of a call.
LogRead ReadLog(const QString& path);

// The same, over a log's bytes already in memory.
LogRead ReadLogBytes(QByteArray bytes);

// A call sign's text as the reader takes it: trimmed of spaces and of the
// marks (U+FFFD) of bytes that were no character at its ends, as a character
// cut at a line's end leaves them.
QStringView CallSignText(QStringView text);

// ReadLogBytes and ReadLog, also handing every QSO line that is read to
// `visitor`: its value (the text after the colon) and its 1-based line
// number. A reader that needs more of each QSO than scoring does reads the
// file once, not twice.
using QsoLineVisitor = std::function<void(QStringView value, int line_number)>;
LogRead ReadLogBytes(QByteArray bytes, const QsoLineVisitor& visitor);
LogRead ReadLog(const QString& path, const QsoLineVisitor& visitor);

}  // namespace tovek
