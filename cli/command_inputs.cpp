#include "cli/command_inputs.h"

#include <QDir>
#include <QFileInfo>

#include "calculator/log_list.h"

namespace tovek::cli {

int LoadPrefixFile(const Arguments& arguments, CommandIo& io, PrefixTable& prefixes) {
  const QString path = arguments.Value("--cty", QDir(io.program_folder).filePath("Cty.dat"));
  const PrefixLoadOutcome cty = LoadPrefixTable(path, prefixes);
  if (cty.status == PrefixLoadOutcome::Status::kMissing) {
    io.err << "NOT [Cty.dat] FILE\n";
    return kRefused;
  }
  if (cty.status == PrefixLoadOutcome::Status::kStopped) {
    // Line 0: the file could not be opened, and nothing was read.
    if (cty.line_number == 0) {
      io.err << path << ": " << cty.error << '\n';
      return kRefused;
    }
    io.err << path << ": line " << cty.line_number << ": " << cty.error << '\n';
    if (!arguments.Has(kPartialCtyOption)) {
      io.err << path << ": the prefixes after that line are missing; give " << kPartialCtyOption
             << " to go on without them\n";
      return kRefused;
    }
    io.err.flush();
  }
  return kSuccess;
}

QString PartialCtyUsage(int column) {
  const QString indent(column, u' ');
  return (QStringLiteral("  ") + kPartialCtyOption).leftJustified(column) +
         QStringLiteral("go on with the prefixes read before a line of the\n") + indent +
         QStringLiteral("prefix file that cannot be read (without it, such a\n") + indent +
         QStringLiteral("file refuses the command)\n");
}
int LoadScoringTables(const Arguments& arguments, CommandIo& io, PrefixTable& prefixes,
                      AreaTable& areas) {
  if (const int loaded = LoadPrefixFile(arguments, io, prefixes); loaded != kSuccess) {
    return loaded;
  }
  const QString area_path =
      arguments.Value("--area", QDir(io.program_folder).filePath(kAreaFileName));
  const AreaLoadOutcome area = LoadAreaFile(area_path, areas);
  if (area.status != AreaLoadOutcome::Status::kLoaded) {
    io.err << (area.status == AreaLoadOutcome::Status::kMissing
                   ? QStringLiteral("NOT [%1] FILE").arg(area_path)
                   : area_path + QStringLiteral(": ") + area.error)
           << '\n';
    return kRefused;
  }
  return kSuccess;
}

QStringList LogPaths(const QStringList& operands) {
  QStringList paths;
  for (const QString& operand : operands) {
    if (QFileInfo(operand).isDir()) {
      const QDir folder(operand);
      for (const QString& name : ListLogFiles(operand)) paths.append(folder.filePath(name));
    } else {
      paths.append(operand);
    }
  }
  return paths;
}

QString EmptyOutFolderError(const Arguments& arguments) {
  const QString out = QStringLiteral("--out");
  if (!arguments.Has(out) || !arguments.Value(out).trimmed().isEmpty()) return {};
  return QStringLiteral("--out takes a folder; an empty name is refused");
}

QString BadBytesNote(const QString& path, const LogDecoding& decoding) {
  const qsizetype bad_bytes = decoding.bad_bytes;
  if (bad_bytes == 0) return {};
  return QStringLiteral("%1: read as %2; %3 %4 no character there, shown as U+FFFD\n")
      .arg(path, decoding.encoding == TextEncoding::kUtf8 ? QStringLiteral("UTF-8")
                                                          : QStringLiteral("CP932"))
      .arg(bad_bytes)
      .arg(bad_bytes == 1 ? QStringLiteral("byte is") : QStringLiteral("bytes are"));
}

int RunLogPaths(const Arguments& arguments, const QString& command, CommandIo& io,
                QStringList& paths) {
  paths = LogPaths(arguments.Operands());
  if (LogListTooLong(paths.size())) {
    io.err << command << ": " << paths.size() << " logs; a run takes at most " << kMaxLogListCount
           << '\n';
    paths.clear();
    return kRefused;
  }
  return kSuccess;
}

std::optional<QDate> DateOption(const Arguments& arguments, const QString& option, QString& error) {
  if (!arguments.Has(option)) return std::nullopt;
  const QString text = arguments.Value(option);
  const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
  if (!date.isValid()) {
    error = QStringLiteral("%1 takes a date written yyyy-mm-dd, not '%2'").arg(option, text);
    return std::nullopt;
  }
  return date;
}

}  // namespace tovek::cli
