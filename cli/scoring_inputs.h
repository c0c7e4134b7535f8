// What the commands that score logs take alike: the log paths and the
// prefix and area files.
#pragma once

#include <QStringList>

#include "calculator/area_table.h"
#include "cli/command_line.h"
#include "common/prefix_table.h"

namespace tovek::cli {

// The log list of the paths: a folder stands for its Cabrillo logs ("*.cbr"
// in any letter case, by name ignoring case), anything else is a log file.
QStringList LogPaths(const QStringList& operands);

// Loads --cty and --area (defaults: the program folder's files). kSuccess,
// or kRefused with the reason on standard error.
int LoadScoringTables(const Arguments& arguments, CommandIo& io, PrefixTable& prefixes,
                      AreaTable& areas);

}  // namespace tovek::cli
