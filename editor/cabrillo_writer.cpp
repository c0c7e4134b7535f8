#include "editor/cabrillo_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/file_output.h"

namespace tovek {
namespace {

QString Blanks(int count) { return QString(count, u' '); }

QString Header(const char* tag, const QString& value) {
  return QString::fromLatin1(tag) + QStringLiteral(": ") + value.trimmed();
}

bool SameBytes(const QString& a, const QString& b) {
  QFile first(a);
  QFile second(b);
  if (!first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly)) return false;
  return first.size() == second.size() && first.readAll() == second.readAll();
}

QString NumberedName(const QFileInfo& file, int number) {
  const QString suffix = file.suffix();
  const QString name =
      suffix.isEmpty()
          ? QStringLiteral("%1.%2").arg(file.fileName()).arg(number)
          : QStringLiteral("%1.%2.%3").arg(file.completeBaseName()).arg(number).arg(suffix);
  return file.dir().filePath(name);
}

QString FirstFreeNumberedName(const QFileInfo& file) {
  for (int number = 1;; ++number) {
    const QString candidate = NumberedName(file, number);
    const QFileInfo taken(candidate);
    if (!taken.exists() && !taken.isSymLink()) return candidate;
  }
}

}  // namespace

QString QsoLine(const QsoRecord& r) {
  return QStringLiteral("QSO: ") + FixedWidth(r.band, 5) + u' ' + FixedWidth(r.mode, 2) + u' ' +
         r.qso_time.toString(QStringLiteral("yyyy-MM-dd")) + u' ' +
         r.qso_time.toString(QStringLiteral("HHmm")) + u' ' + FixedWidth(r.my_call, 12) + u' ' +
         FixedWidth(r.sent_rst, 3) + u' ' + FixedWidth(r.sent_rpt, 2) + Blanks(5) +
         FixedWidth(r.his_call, 12) + Blanks(3) + FixedWidth(r.rcvd_rst, 3) + u' ' +
         FixedWidth(r.rcvd_rpt, 2);
}

QStringList CabrilloLines(const LogSummary& s, const QsoList& records, Progress* progress) {
  QStringList lines = {
      QStringLiteral("START-OF-LOG: 2.0"),
      QStringLiteral("CONTEST: TOVEK-WW-RTTY"),
      Header("ARRL-SECTION", s.continent),
      Header("CATEGORY", s.category),
      Header("CALLSIGN", s.call_sign),
      Header("OPERATORS", s.operators),
      Header("NAME", s.name),
      Header("ADDRESS", s.address),
      Header("LOCATION", s.entity),
      Header("CLAIMED-SCORE", s.claimed_score),
      Header("CLUB", s.club),
      Header("CREATED-BY", s.created_by),
      Header("SOAPBOX", s.soapbox),
  };
  for (const QsoRecord& record : records) {
    lines.append(QsoLine(record));
    if (progress) progress->Yield();
  }
  lines.append(QStringLiteral("END-OF-LOG:"));
  return lines;
}

QStringList ErrorReportLines(const ErrorReportList& faults) {
  QStringList lines = {QStringLiteral("TOVEK Contest Error Report"), {}, {}};
  if (faults.isEmpty()) {
    lines.append(QStringLiteral("No Error Data"));
  } else {
    lines.append(QStringLiteral(" Row  Error          Data"));
    lines += faults;
  }
  lines += {QString(), QString(), QStringLiteral("End of Error")};
  return lines;
}

MoveOutcome MoveToOldLog(const QString& source, const QString& old_folder) {
  MoveOutcome outcome;
  const QFileInfo from(source);
  const QFileInfo target(QDir(old_folder).filePath(from.fileName()));
  outcome.moved_to = target.filePath();
  outcome.file = CheckOutputPath(target.filePath());
  if (!outcome.file.ok) return outcome;
  if (target.exists()) {
    if (target.canonicalFilePath() == from.canonicalFilePath()) return outcome;
    if (SameBytes(source, target.filePath())) {
      QFile earlier(target.filePath());
      if (!earlier.remove()) {
        outcome.file = DeviceFailure(earlier);
        return outcome;
      }
    } else {
      const QString kept = FirstFreeNumberedName(target);
      outcome.file = MoveFileWhole(target.filePath(), kept);
      if (!outcome.file.ok) return outcome;
      outcome.earlier_kept_as = kept;
    }
  }
  outcome.file = MoveFileWhole(source, target.filePath());
  return outcome;
}

DataSaveOutcome DataSave(const LogFolders& folders, const QString& source_path,
                         const LogSummary& summary, const QsoList& records, Progress& progress) {
  DataSaveOutcome outcome;
  if (source_path.isEmpty() || !QFileInfo(source_path).isFile() ||
      !QFileInfo(folders.old).isDir() || !QFileInfo(folders.edit).isDir()) {
    outcome.status = SaveStatus::kFoldersMissing;
    return outcome;
  }
  if (records.isEmpty()) {
    outcome.status = SaveStatus::kNothingToSave;
    return outcome;
  }
  outcome.name = OutputNameOf(summary.call_sign);
  if (!outcome.name.Ok()) {
    outcome.status = SaveStatus::kNameRefused;
    return outcome;
  }
  outcome.cabrillo_path = QDir(folders.edit).filePath(outcome.name.Cabrillo());
  const FileOutcome written =
      WriteTextLines(outcome.cabrillo_path, CabrilloLines(summary, records, &progress));
  if (!written.ok) {
    outcome.status = SaveStatus::kWriteFailed;
    outcome.failure = written;
    return outcome;
  }
  if (QFileInfo::exists(source_path)) {
    outcome.move = MoveToOldLog(source_path, folders.old);
    if (!outcome.move.file.ok) {
      outcome.status = SaveStatus::kMoveFailed;
      outcome.failure = outcome.move.file;
    }
  }
  return outcome;
}

ErrSaveOutcome ErrSave(const LogFolders& folders, const QString& call_sign,
                       const ErrorReportList& faults) {
  ErrSaveOutcome outcome;
  if (!QFileInfo(folders.reports).isDir()) {
    outcome.status = ErrSaveStatus::kFolderMissing;
    return outcome;
  }
  outcome.name = OutputNameOf(call_sign);
  if (!outcome.name.Ok()) {
    outcome.status = ErrSaveStatus::kNameRefused;
    return outcome;
  }
  outcome.path = QDir(folders.reports).filePath(outcome.name.ErrorReport());
  const FileOutcome written = WriteTextLines(outcome.path, ErrorReportLines(faults));
  if (!written.ok) {
    outcome.status = ErrSaveStatus::kWriteFailed;
    outcome.failure = written;
  }
  return outcome;
}

}  // namespace tovek
