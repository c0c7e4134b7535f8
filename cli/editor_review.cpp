#include "cli/editor_review.h"

#include <QDir>
#include <QFileInfo>

#include "cli/command_inputs.h"
#include "editor/load_passes.h"
#include "editor/undo_lines.h"

namespace tovek::cli {

QStringList EditorReviewOptions() {
  return {QStringLiteral("--cty"), QStringLiteral("--settings"), QStringLiteral("--tags")};
}

QStringList EditorReviewFlags() { return {kPartialCtyOption}; }

QString EditorReviewUsage() {
  return QStringLiteral(
             "  --cty FILE       the prefix file (default: Cty.dat in the program folder)\n") +
         PartialCtyUsage(19) +
         QStringLiteral(
             "  --settings FILE  Kavrel's settings file (default: Kavrel.ini in the program\n"
             "                   folder); a missing file or key takes the editor's default\n"
             "                   (the start date then is today)\n"
             "  --tags FILE      the header tag list (default: CabHeader.dat in the program "
             "folder)\n");
}

std::optional<EditorReview> OpenForReview(const Arguments& arguments, const QString& log_path,
                                          const QString& command, CommandIo& io, int& status) {
  const QDir program(io.program_folder);
  EditorReview review;
  if (const int loaded = LoadPrefixFile(arguments, io, review.prefixes); loaded != kSuccess) {
    status = loaded;
    return std::nullopt;
  }

  const QString settings_path = arguments.Value(
      QStringLiteral("--settings"), program.filePath(QString::fromLatin1(kKavrelSettingsFileName)));
  SettingsFile settings(settings_path, KavrelSettingKeys(review.settings, QDate::currentDate()),
                        DefaultsRule::kApplyDefaults);
  // A settings file named on purpose and not there is most likely a typing
  // error: say that the defaults apply rather than check against them quietly.
  if (settings.Load() == SettingsLoadStatus::kMissing && arguments.Has("--settings")) {
    io.err << command << ": " << settings_path << ": no such file; the defaults apply\n";
  }

  const QString tags_path =
      arguments.Value(QStringLiteral("--tags"), program.filePath(QStringLiteral("CabHeader.dat")));
  NoProgress progress;
  LogReadOutcome read = ReadLogRows(log_path, LoadHeaderTags(tags_path), progress);
  io.err << BadBytesNote(log_path, read.decoding);
  if (!read.file.ok) {
    io.err << log_path << ": " << read.file.error << '\n';
    status = kRefused;
    return std::nullopt;
  }
  UndoLines undo;
  if (RunLoadPasses(read.rows, undo, progress).uneven_lengths) {
    io.err << kUnevenLengthsMessage << '\n';
  }
  review.rows = std::move(read.rows);
  status = kSuccess;
  return review;
}

}  // namespace tovek::cli
