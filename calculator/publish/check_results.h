// The cross-check's results as the entrants' pages show them: read back from
// the tab-separated files the cross-check writes beside its reports.
#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include "calculator/crosscheck/check_reports.h"
#include "common/text_file.h"

namespace tovek::publish {

// A QSO line of a log whose verdict is not OK.
struct CheckedLine {
  int line = 0;  // its 1-based number in its file
  QString verdict;
  QString detail;

  friend bool operator==(const CheckedLine&, const CheckedLine&) = default;
};

struct EntrantCheck {
  QStringList figures;  // the log's figures, in the order of LogFigureNames
  QList<CheckedLine> lines;

  friend bool operator==(const EntrantCheck&, const EntrantCheck&) = default;
};

// By call sign (trimmed, upper-cased). Two logs of one call share an entry:
// the figures of the later, the lines of both (the files do not tell the
// logs of one call apart).
using ChecksByCall = QHash<QString, EntrantCheck>;

struct CheckResultsRead {
  FileOutcome outcome;
  QString path;  // the file a failure is about
  ChecksByCall checks;
};

// Reads the cross-check's files in `folder`, through the input checks (a
// regular file, a size limit). A folder without them, or a file that is not
// one of them (another header, a line of other columns), fails and says so.
CheckResultsRead ReadCheckResults(const QString& folder);

// The same figures and lines, of a check run in this process (Tessdal's
// cross-check window): what its files would hold.
ChecksByCall ChecksOfContest(const crosscheck::CheckedContest& contest);

// The line numbers that are not OK, by call sign: the lines of the logs an
// entrant's page quotes.
QHash<QString, QSet<int>> NotOkLineNumbers(const ChecksByCall& checks);

}  // namespace tovek::publish
