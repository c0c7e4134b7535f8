// What `tovek check` and `tovek cabrillo` share: the prefix table, Kavrel's
// settings and a log opened as the editor opens it.
#pragma once

#include <QString>
#include <optional>

#include "cli/command_line.h"
#include "common/prefix_table.h"
#include "editor/kavrel_settings.h"
#include "editor/log_lines.h"

namespace tovek::cli {

struct EditorReview {
  PrefixTable prefixes;
  KavrelSettings settings;
  LogLines rows;
};

// The options both commands take besides their own.
QStringList EditorReviewOptions();

// The flags they take (--partial-cty).
QStringList EditorReviewFlags();

// Loads Cty.dat (--cty), Kavrel.ini (--settings; its defaults where the
// file or a key is missing) and the log, read and cleaned up by the five
// load passes as `tovek load` does. On failure the reason is on standard
// error, prefixed with `command`, and `status` holds the exit status.
std::optional<EditorReview> OpenForReview(const Arguments& arguments, const QString& log_path,
                                          const QString& command, CommandIo& io, int& status);

// The part of the usage both commands share.
QString EditorReviewUsage();

}  // namespace tovek::cli
