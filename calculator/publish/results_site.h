// The results as a static web site: an index, one page per ranking list and
// per award list, one page per entrant, and the table as CSV and JSON. The
// pages hold everything they show (style and the optional table-sorting
// script inline, nothing fetched from anywhere) and read in Japanese and
// English side by side. Places are those of the ranking files: the lists
// are filed and ranked by the ranking writer's own code.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include "calculator/publish/check_results.h"
#include "calculator/publish/log_activity.h"
#include "calculator/ranking_writer.h"
#include "calculator/result_table.h"
#include "common/progress.h"

namespace tovek::publish {

struct SiteInfo {
  QString contest;  // the contest's name, as the heading of every page
  QDate date;       // the date the results are published
  // What the entrants' logs add to their pages, when the logs were given.
  ActivityByCall activity;
  // The cross-check's figures and not-OK lines, when a cross-check was given.
  ChecksByCall checks;
};

// One file of the site: its path inside the site's folder ("index.html",
// "WorldHigh.html", "entrants/3-JA1AAA.html") and its bytes.
struct SiteFile {
  QString path;
  QByteArray bytes;
};

// The page of an entrant: its 1-based position in the table, then its call
// sign as a file name part (FileNamePart).
QString EntrantPagePath(qsizetype position, const QString& call_sign);

// The results table (the results file's rows, in their order) as CSV:
// a header row, then one record per row, UTF-8, CR LF.
QByteArray ResultsCsv(const ResultTable& rows);

// Every file of the site, made from the rows in their order.
QList<SiteFile> ResultsSite(const SiteInfo& info, const ResultTable& rows);

// Writes the site into `folder` (which must exist); files of the same names
// are replaced, each whole or not at all, and entrant pages an earlier run
// left that this one does not write are removed (nothing else is). The
// first file that cannot be written ends the run with the platform's
// description of the error. Pages are not synced one by one: the site is
// made again from the results file in moments, and a sync per page would
// take longer than everything else.
// `progress` counts the files written.
OutputOutcome WriteResultsSite(const QString& folder, const SiteInfo& info, const ResultTable& rows,
                               Progress& progress);
OutputOutcome WriteResultsSite(const QString& folder, const SiteInfo& info,
                               const ResultTable& rows);

}  // namespace tovek::publish
