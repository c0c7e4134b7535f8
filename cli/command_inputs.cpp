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
    io.err << path << ": line " << cty.line_number << ": " << cty.error << '\n';
    io.err.flush();
  }
  return kSuccess;
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
