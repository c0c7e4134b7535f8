// Kavrel's output: the Cabrillo 2.0 file of a read log, the move of the
// source log aside, and the error report of the data check's faults.
#pragma once

#include <QString>
#include <QStringList>

#include "common/progress.h"
#include "common/text_file.h"
#include "editor/cabrillo_reader.h"
#include "editor/log_folders.h"
#include "common/output_names.h"

namespace tovek {

// The fault lines kept for the error report, in order.
using ErrorReportList = QStringList;

// The 75-character QSO line of a record: the score calculator reads the
// band from columns 6 to 10 and the worked call from columns 55 to 66.
QString QsoLine(const QsoRecord& record);

// The lines of the Cabrillo file: 13 header lines from the summary values
// (each trimmed), one QSO line per record, "END-OF-LOG:". The progress
// yields after each QSO line.
QStringList CabrilloLines(const LogSummary& summary, const QsoList& records,
                          Progress* progress = nullptr);

// The lines of the error report.
QStringList ErrorReportLines(const ErrorReportList& faults);

// Shown when the source log or one of the output folders is missing.
inline const QString kFoldersMissingMessage =
    QStringLiteral("作業を続行できません\r\nログフォルダーを設定してください");

struct MoveOutcome {
  FileOutcome file;
  QString moved_to;         // where the source log is now
  QString earlier_kept_as;  // where a different earlier file of its name went
};

// Moves the source log into `old_folder`. A file of the same name already
// there is replaced when it holds the same bytes; a different one is kept
// under the first free numbered name ("log.1.txt", "log.2.txt" ...), so no
// earlier log is ever lost.
MoveOutcome MoveToOldLog(const QString& source, const QString& old_folder);

enum class SaveStatus {
  kSaved,           // the Cabrillo file is written and the source log moved
  kNothingToSave,   // no records
  kFoldersMissing,  // kFoldersMissingMessage; nothing written
  kNameRefused,     // the call sign makes no file name; nothing written
  kWriteFailed,     // the Cabrillo file could not be written; nothing moved
  kMoveFailed,      // the Cabrillo file is written, the source log not moved
};

struct DataSaveOutcome {
  SaveStatus status = SaveStatus::kSaved;
  OutputName name;
  QString cabrillo_path;
  MoveOutcome move;
  FileOutcome failure;  // why, for kWriteFailed and kMoveFailed

  // Whether the log is safe on disk: only then may it leave memory.
  bool CabrilloWritten() const {
    return status == SaveStatus::kSaved || status == SaveStatus::kMoveFailed;
  }
};

// `DataSave`: writes EditLog/NAME.cbr (whole or not at all), and only then
// moves the source log into OldLog.
DataSaveOutcome DataSave(const LogFolders& folders, const QString& source_path,
                         const LogSummary& summary, const QsoList& records, Progress& progress);

enum class ErrSaveStatus { kSaved, kFolderMissing, kNameRefused, kWriteFailed };

struct ErrSaveOutcome {
  ErrSaveStatus status = ErrSaveStatus::kSaved;
  OutputName name;
  QString path;
  FileOutcome failure;  // why, for kWriteFailed
};

// `ErrSave`: writes ErrRpt/NAME.err.
ErrSaveOutcome ErrSave(const LogFolders& folders, const QString& call_sign,
                       const ErrorReportList& faults);

}  // namespace tovek
