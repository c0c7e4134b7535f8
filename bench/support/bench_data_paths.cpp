#include "bench/support/bench_data_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include "bench/support/ratio_report.h"
#include "cli/command_line.h"

namespace tovek::bench {

QString DataPath(int argc, char** argv, const char* option, const char* default_name) {
  const QString given = Option(argc, argv, option);
  if (!given.isEmpty()) return given;
  return QDir(QStringLiteral(TOVEK_BENCH_DATA_DIR)).filePath(QString::fromLatin1(default_name));
}

QString ProgramFile(const char* name) {
  return QDir(QStringLiteral(TOVEK_PROGRAM_DIR)).filePath(QString::fromLatin1(name));
}

qint64 ReadDecodeSplit(const QString& path, LineEnds rule) {
  TextLineReader reader(rule, TextSource::kLog);
  if (!reader.Open(path, max_file_size::kAdif).ok) Fail(path + QStringLiteral(": cannot be read"));
  qint64 lines = 0;
  QString line;
  while (reader.Next(line)) ++lines;
  return lines;
}

qint64 TotalBytes(const QStringList& paths) {
  qint64 total = 0;
  for (const QString& path : paths) total += QFileInfo(path).size();
  return total;
}

TovekRun RunTovekQuietly(const QStringList& args) {
  QString in_text, out_text, err_text;
  QTextStream in(&in_text), out(&out_text), err(&err_text);
  cli::CommandIo io{in, out, err, QStringLiteral(TOVEK_PROGRAM_DIR)};
  TovekRun run;
  run.status = cli::RunTovek(args, io);
  out.flush();
  err.flush();
  run.out = std::move(out_text);
  run.err = std::move(err_text);
  return run;
}

}  // namespace tovek::bench
