// What an entrant's log adds to its page: its QSOs, points and multipliers
// per band as the calculator scores them, and its QSOs per clock hour.
#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include "calculator/area_table.h"
#include "calculator/scoring.h"
#include "common/prefix_table.h"

namespace tovek::publish {

// The hours the rate chart shows, from the hour of the first QSO.
inline constexpr int kChartHours = 48;

struct EntrantActivity {
  BandTally tally{};
  int first_hour = 0;   // hours since 2000-01-01 00:00 UTC of the first timed QSO
  QList<int> per_hour;  // QSO lines in each hour from first_hour, kChartHours at most
  int untimed = 0;      // QSO lines without a readable date and time
  int beyond = 0;       // QSO lines later than the chart's hours
  // The text of the lines asked for, by line number (the lines that the
  // cross-check found not OK).
  QHash<int, QString> line_texts;

  friend bool operator==(const EntrantActivity&, const EntrantActivity&) = default;
};

// By call sign (the log's CALLSIGN header, trimmed, upper-cased).
using ActivityByCall = QHash<QString, EntrantActivity>;

// Reads and scores every log; a log that cannot be read adds nothing, and of
// two logs of one call the later in `paths` counts. Of each call's log the
// lines `quoted` names for it are kept as text. `progress` counts the logs.
ActivityByCall ReadActivity(const QStringList& paths, const PrefixTable& prefixes,
                            const AreaTable& areas, Progress& progress,
                            const QHash<QString, QSet<int>>& quoted = {});

// The QSOs per hour as an SVG bar chart, self-contained, with a title.
QString HourlyRateSvg(const EntrantActivity& activity);

}  // namespace tovek::publish
