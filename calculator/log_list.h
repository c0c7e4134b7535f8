// The log list: the folder of logs to score and its file names.
#pragma once

#include <QString>
#include <QStringList>

namespace tovek {

// A log list holds at most 32,767 names (its count is 16-bit).
inline constexpr qsizetype kMaxLogListCount = 32767;

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
// "LOG.CBR" as often as "log.cbr"). At most 32,767 names; empty when the
// folder cannot be read.
QStringList ListLogFiles(const QString& folder);

// A count written in full-width digits ("２５").
QString FullWidthNumber(qint64 number);

}  // namespace tovek
