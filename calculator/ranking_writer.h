// The published result lists: one ranking file (".Rez") per ranking list,
// 25 in all, in the "Results" folder, each name prefixed with the date of
// the run. Writing them ends with the award files (award_writer.h).
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include "calculator/result_table.h"
#include "common/progress.h"
#include "common/text_file.h"

namespace tovek {

// One ranking file: its name after the date, its title line and the list it
// publishes.
struct RankingReport {
  const char* file_name;
  const char* title;
  Category category;
  Region region;
  bool check_log = false;  // the CHECKLOG list (category and region unused)
};

// The 25 reports in the order they are written.
const QList<RankingReport>& RankingReports();

// The list a report publishes.
const QList<ResultRow>& ReportList(const RankingTables& tables, const RankingReport& report);

// The ranking tables of rows in grid order, filed as the window files them.
RankingTables RankRows(const ResultTable& rows);

// "###,##0": a whole number with its thousands grouped by "," and at least
// one digit (1234567 -> "1,234,567", 0 -> "0", -1234 -> "-1,234"); a
// fraction is rounded half to even first.
QString GroupedNumber(double value);

// The column header line above the entry lines.
inline const QString kRankingHeader =
    QStringLiteral(" No   CallSign     QSO's  Point  Multi  Score  Conti");

// The 51-character entry line: place (last 3 digits), a space, the call sign
// in 13, valid QSOs in 7, QSO points in 7, total multiplier in 5, score in
// 11, two spaces, the continent in 2. A number longer than its field keeps
// its rightmost characters.
QString RankingLine(qint64 place, const ResultRow& row);

// The places of a list's entries in order: equal scores share the place of
// the first of them, the next different score takes its position (1, 2, 2, 4).
QList<qint64> RankingPlaces(const QList<ResultRow>& list);

// All lines of a ranking file: title, two empty lines, header, entries.
QStringList RankingFileLines(const QString& title, const QList<ResultRow>& list);

// The date prefix of every file of one output run ("2024-03-02").
QString OutputDatePrefix(QDate date);

// How an output run ended: ok, or the platform's description of the error
// and the path of the file that could not be written.
struct OutputOutcome {
  FileOutcome outcome;
  QString path;
};

struct OutputFolders {
  QString results;  // receives the ranking files
  QString awards;   // receives the award files
};

// Writes the 25 ranking files into folders.results, then the award files
// into folders.awards (WriteAwardFiles), every name prefixed with `date`.
// Files of the same names are replaced. The progress maximum is the number
// of entries in all 25 lists; it advances once per entry line. The first
// file that cannot be written ends the output with the platform's
// description of the error: the files before it stay, none after it is
// written, and the failing one is left as it was.
OutputOutcome WriteRankingFiles(const OutputFolders& folders, QDate date,
                                const RankingTables& tables, Progress& progress);

}  // namespace tovek
