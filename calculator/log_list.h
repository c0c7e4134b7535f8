// The log list: the folder of logs to score and its file names.
#pragma once

#include <QString>
#include <QStringList>

namespace tovek {

// A log list holds at most 32,767 names: its count is 16-bit, and so are the
// results rows' numbers and the count of records a results file can hold.
inline constexpr qsizetype kMaxLogListCount = 32767;

// Whether `count` logs are more than one run takes. Such a list is refused
// whole, in the window as on the command line, and never cut: the scores of
// the first 32,767 names would pass for the whole contest's.
constexpr bool LogListTooLong(qsizetype count) { return count > kMaxLogListCount; }

struct LogList {
  QString folder;
  QStringList names;

  qsizetype Count() const { return names.size(); }
  // The full path of name i (0-based); a list without a folder holds paths.
  QString Path(qsizetype i) const;

  friend bool operator==(const LogList&, const LogList&) = default;
};

// The Cabrillo logs of a folder: the files whose name ends in ".cbr" in any
// letter case, sorted by name ignoring case (entrants' files arrive as
// "LOG.CBR" as often as "log.cbr"). All of them, also beyond what a run
// takes (see LogListTooLong); empty when the folder cannot be read.
QStringList ListLogFiles(const QString& folder);

// A count written in full-width digits ("２５").
QString FullWidthNumber(qint64 number);

}  // namespace tovek
