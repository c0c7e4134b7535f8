#include "cli/scoring_inputs.h"

#include <QDir>
#include <QFileInfo>

#include "calculator/log_list.h"

namespace tovek::cli {

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

int LoadScoringTables(const Arguments& arguments, CommandIo& io, PrefixTable& prefixes,
                      AreaTable& areas) {
  const QDir program(io.program_folder);
  const QString cty_path = arguments.Value("--cty", program.filePath("Cty.dat"));
  const QString area_path = arguments.Value("--area", program.filePath(kAreaFileName));
  const PrefixLoadOutcome cty = LoadPrefixTable(cty_path, prefixes);
  if (cty.status == PrefixLoadOutcome::Status::kMissing) {
    io.err << "NOT [Cty.dat] FILE\n";
    return kRefused;
  }
  if (cty.status == PrefixLoadOutcome::Status::kStopped) {
    io.err << cty_path << ": line " << cty.line_number << ": " << cty.error << '\n';
  }
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

}  // namespace tovek::cli
