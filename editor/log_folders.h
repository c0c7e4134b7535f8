// The folders Kavrel works in under the log folder the user chose.
#pragma once

#include <QDir>
#include <QString>

namespace tovek {

struct LogFolders {
  QString log;      // where entrants' logs are opened
  QString edit;     // "EditLog": the Cabrillo files written
  QString old;      // "OldLog": the source logs moved aside
  QString reports;  // "ErrRpt": the error reports

  static LogFolders Under(const QString& log_folder) {
    const QDir dir(log_folder);
    return {log_folder, dir.filePath(QStringLiteral("EditLog")),
            dir.filePath(QStringLiteral("OldLog")), dir.filePath(QStringLiteral("ErrRpt"))};
  }
};

}  // namespace tovek
