#include "calculator/publish/check_results.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

#include "calculator/crosscheck/check_reports.h"
#include "calculator/text_rules.h"

namespace tovek::publish {
namespace {

QString CallKey(const QString& call) { return TrimSpaces(call).toUpper(); }

// The rows of a tab-separated file below its header line, `names`, each cut
// into as many fields; nothing when the file is not of that form.
std::optional<QList<QStringList>> ReadTable(const QString& path, const QStringList& names,
                                            CheckResultsRead& read) {
  read.path = path;
  if (!QFileInfo::exists(path)) {
    read.outcome = FileOutcome::Failure(
        QStringLiteral("no cross-check results here (write them with 'tovek crosscheck --out "
                       "DIR')"));
    return std::nullopt;
  }
  QByteArray bytes;
  if (const FileOutcome outcome = ReadInputFile(path, max_file_size::kCheckResults, bytes);
      !outcome.ok) {
    read.outcome = outcome;
    return std::nullopt;
  }
  // UTF-8 lines ending in LF (or CR LF, should an editor have saved it).
  QStringList lines = QString::fromUtf8(bytes).split(u'\n');
  for (QString& line : lines) {
    if (line.endsWith(u'\r')) line.chop(1);
  }
  if (lines.first() != names.join(u'\t')) {
    read.outcome = FileOutcome::Failure(
        QStringLiteral("not a file of the cross-check (its first line is not its header)"));
    return std::nullopt;
  }
  QList<QStringList> rows;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    if (lines[i].isEmpty()) continue;
    QStringList fields = lines[i].split(u'\t');
    if (fields.size() != names.size()) {
      read.outcome = FileOutcome::Failure(QStringLiteral("line %1: %2 fields, not %3")
                                              .arg(i + 1)
                                              .arg(fields.size())
                                              .arg(names.size()));
      return std::nullopt;
    }
    rows.append(std::move(fields));
  }
  return rows;
}

// The checks of the rows of the two tables (without their header lines).
// A line whose number is no number fails, and leaves no checks.
FileOutcome ChecksOfTables(const QList<QStringList>& logs, const QList<QStringList>& lines,
                           ChecksByCall& checks) {
  for (const QStringList& figures : logs) checks.insert(CallKey(figures[0]), {figures, {}});
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QStringList& fields = lines[i];
    bool number = false;
    const int line = fields[1].toInt(&number);
    if (!number || line < 1) {
      checks.clear();
      return FileOutcome::Failure(
          QStringLiteral("line %1: no line number: %2").arg(i + 2).arg(fields[1]));
    }
    const auto check = checks.find(CallKey(fields[0]));
    if (check != checks.end()) check->lines.append({line, fields[2], fields[3]});
  }
  return FileOutcome::Success();
}

}  // namespace

CheckResultsRead ReadCheckResults(const QString& folder) {
  CheckResultsRead read;
  const QDir dir(folder);
  const auto logs = ReadTable(dir.filePath(QString::fromLatin1(crosscheck::kLogFiguresFileName)),
                              crosscheck::LogFigureNames(), read);
  if (!logs) return read;
  const auto lines = ReadTable(dir.filePath(QString::fromLatin1(crosscheck::kNotOkLinesFileName)),
                               crosscheck::QsoVerdictNames(), read);
  if (!lines) return read;
  read.outcome = ChecksOfTables(*logs, *lines, read.checks);
  if (read.outcome.ok) read.path.clear();
  return read;
}

ChecksByCall ChecksOfContest(const crosscheck::CheckedContest& contest) {
  QList<QStringList> logs;
  for (size_t log = 0; log < contest.logs.size(); ++log) {
    logs.append(crosscheck::LogFigures(contest, log));
  }
  QList<QStringList> lines;
  for (const QString& line : crosscheck::QsoVerdictLines(contest.logs, contest.check,
                                                         crosscheck::VerdictLines::kNotOk)) {
    lines.append(line.split(u'\t'));
  }
  ChecksByCall checks;
  ChecksOfTables(logs, lines, checks);  // the check's own lines all have their numbers
  return checks;
}

QHash<QString, QSet<int>> NotOkLineNumbers(const ChecksByCall& checks) {
  QHash<QString, QSet<int>> numbers;
  for (auto it = checks.cbegin(); it != checks.cend(); ++it) {
    if (it->lines.isEmpty()) continue;
    QSet<int>& of_call = numbers[it.key()];
    for (const CheckedLine& line : it->lines) of_call.insert(line.line);
  }
  return numbers;
}

}  // namespace tovek::publish
