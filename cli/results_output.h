// What tovek score and tovek results share: the results table on standard
// output, and saving and publishing the rows as the calculator's window does.
#pragma once

#include <QDate>
#include <QStringList>
#include <QTextStream>
#include <optional>

#include "calculator/result_table.h"
#include "cli/command_line.h"

namespace tovek::cli {

// Options of both commands that write files.
inline const QString kOutOption = QStringLiteral("--out");
inline const QString kDateOption = QStringLiteral("--date");

// Usage lines of --out and --date.
QString PublishUsage();

// A header line, then one tab-separated line per row: its position, then
// the grid's columns from call sign to entity.
void PrintResultRows(QTextStream& out, const ResultTable& rows);

// Reads the results file at `path`. Nothing, with the reason on standard
// error (prefixed with `command`), when it cannot be read; a length that is
// not a whole number of records is said on standard error too.
std::optional<ResultTable> ReadResultsFile(const QString& path, const QString& command,
                                           CommandIo& io);

// The date of the file names: --date (yyyy-mm-dd) or today. Nothing, with
// `error` set, when the option holds no such date.
std::optional<QDate> OutputDate(const Arguments& arguments, QString& error);

// Writes the results file of the rows. Refuses (on standard error, prefixed
// with `command`) when there are no rows or the file cannot be written.
int SaveResultsFile(const QString& path, const ResultTable& rows, const QString& command,
                    CommandIo& io);

// Writes the 25 ranking files into DIR/Results and the 8 award files into
// DIR/Awards, creating the folders, from the rows in their order.
int PublishResults(const QString& folder, QDate date, const ResultTable& rows,
                   const QString& command, CommandIo& io);

}  // namespace tovek::cli
