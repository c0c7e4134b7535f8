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

// The flag that lets a command go on with a prefix file that stopped at a
// bad line, and its lines of the usage text, descriptions from `column` on.
inline const QString kPartialCtyOption = QStringLiteral("--partial-cty");
QString PartialCtyUsage(int column);

// Loads --cty (default: the program folder's Cty.dat). kSuccess, or kRefused
// with the reason on standard error. A file that stops part-way is named with
// its line on standard error and refuses too: the calls of every entity after
// that line would go unresolved, and a batch job must not publish what
// follows from that. With --partial-cty what was read is kept and the command
// goes on, as the windows do after their message.
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

// The log list of the operands for a run: kSuccess, or kRefused with the
// count on standard error when they are more logs than a run takes.
int RunLogPaths(const Arguments& arguments, const QString& command, CommandIo& io,
                QStringList& paths);

// What standard error says of a log with bytes that are no character of
// the encoding it was read in; empty when there are none.
QString BadBytesNote(const QString& path, const LogDecoding& decoding);

// The date of `option`, written yyyy-mm-dd; nothing when the option is not
// given, or when it holds no such date (then `error` says so).
std::optional<QDate> DateOption(const Arguments& arguments, const QString& option, QString& error);

}  // namespace tovek::cli
