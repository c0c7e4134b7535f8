// What several commands take alike: the prefix and area files of the
// program folder (or their options), the log paths, a date option.
#pragma once

#include <QDate>
#include <QStringList>
#include <optional>

#include "calculator/area_table.h"
#include "cli/command_line.h"
#include "common/prefix_table.h"

namespace tovek::cli {

// Loads --cty (default: the program folder's Cty.dat). kSuccess, or kRefused
// with the reason on standard error. A file that stops part-way is named with
// its line on standard error and what was read is kept, as the windows do.
int LoadPrefixFile(const Arguments& arguments, CommandIo& io, PrefixTable& prefixes);

// Loads --cty and --area (default: the program folder's Tovek.are): scores
// without areas would be wrong, so an area file that cannot be read refuses.
int LoadScoringTables(const Arguments& arguments, CommandIo& io, PrefixTable& prefixes,
                      AreaTable& areas);

// The log list of the paths: a folder stands for its Cabrillo logs ("*.cbr"
// in any letter case, by name ignoring case), anything else is a log file.
QStringList LogPaths(const QStringList& operands);

// The usage error of an empty --out (or one of blanks only): the files
// would land in the current folder, which nobody asked for. Empty when
// --out is not given or names a folder.
QString EmptyOutFolderError(const Arguments& arguments);

// The date of `option`, written yyyy-mm-dd; nothing when the option is not
// given, or when it holds no such date (then `error` says so).
std::optional<QDate> DateOption(const Arguments& arguments, const QString& option, QString& error);

}  // namespace tovek::cli
