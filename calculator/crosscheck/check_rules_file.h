// The cross-check's rules file, CrossCheck.ini in the program folder: the
// committee's rules for one contest, read like the programs' settings files
// and written with its defaults when it is not there yet.
#pragma once

#include <QString>

#include "calculator/crosscheck/cross_check.h"
#include "common/text_file.h"

namespace tovek::crosscheck {

inline constexpr const char* kRulesFileName = "CrossCheck.ini";

struct RulesFileRead {
  CheckRules rules;
  bool created = false;  // the file was missing and has been written with the defaults
  FileOutcome outcome;   // a default file that could not be written says why here
};

// Reads the rules at `path`. Keys: TimeWindow (minutes), NilPenalty,
// BustPenalty, ExchangePenalty (extra QSOs' worth of points), UniqueCredit
// (1 or 0), MinAppearances. A missing key, or a value that cannot be read or
// is out of range, keeps its default. A missing file is written with the
// defaults when `create_when_missing` is set.
RulesFileRead ReadRulesFile(const QString& path, bool create_when_missing);

// The rules file's lines for `rules`, as written.
QStringList RulesFileLines(const CheckRules& rules);

}  // namespace tovek::crosscheck
