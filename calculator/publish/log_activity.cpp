#include "calculator/publish/log_activity.h"

#include <QDate>
#include <algorithm>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "calculator/crosscheck/contest_log.h"
#include "calculator/crosscheck/parallel_work.h"
#include "calculator/text_rules.h"
#include "common/progress.h"

namespace tovek::publish {
namespace {

constexpr int kMinutesPerHour = 60;

// Minutes below 0 round towards the earlier hour too.
int HourOf(int minute) {
  return minute >= 0 ? minute / kMinutesPerHour
                     : -((-minute + kMinutesPerHour - 1) / kMinutesPerHour);
}

EntrantActivity ActivityOf(const crosscheck::ContestLog& log, const PrefixTable& prefixes,
                           const AreaTable& areas, CallFactsCache& cache) {
  EntrantActivity activity;
  NoProgress progress;
  activity.tally = LogDataSearch(log.scored, prefixes, areas, progress, cache).tally;
  int first = std::numeric_limits<int>::max();
  for (const crosscheck::ContestQso& qso : log.qsos) {
    if (qso.minute != crosscheck::kNoTime) first = std::min(first, HourOf(qso.minute));
  }
  if (first == std::numeric_limits<int>::max()) {
    activity.untimed = static_cast<int>(log.qsos.size());
    return activity;
  }
  activity.first_hour = first;
  for (const crosscheck::ContestQso& qso : log.qsos) {
    if (qso.minute == crosscheck::kNoTime) {
      ++activity.untimed;
      continue;
    }
    const int hour = HourOf(qso.minute) - first;
    if (hour >= kChartHours) {
      ++activity.beyond;
      continue;
    }
    if (activity.per_hour.size() <= hour) activity.per_hour.resize(hour + 1);
    ++activity.per_hour[hour];
  }
  return activity;
}

// "MM-dd HH:00" of an hour counted from 2000-01-01 00:00 UTC; made by
// arithmetic, as a chart names up to 48 hours of each of thousands of logs.
QString HourText(int hours_since_2000) {
  const int day = hours_since_2000 >= 0 ? hours_since_2000 / 24 : -((-hours_since_2000 + 23) / 24);
  const int hour = hours_since_2000 - day * 24;
  const QDate date = QDate(2000, 1, 1).addDays(day);
  return QStringLiteral("%1-%2 %3:00")
      .arg(date.month(), 2, 10, QLatin1Char('0'))
      .arg(date.day(), 2, 10, QLatin1Char('0'))
      .arg(hour, 2, 10, QLatin1Char('0'));
}

}  // namespace

ActivityByCall ReadActivity(const QStringList& paths, const PrefixTable& prefixes,
                            const AreaTable& areas, Progress& progress,
                            const QHash<QString, QSet<int>>& quoted) {
  // The logs are read and scored on every core (the tables are only read);
  // they are taken in the order of `paths` afterwards.
  std::vector<std::optional<std::pair<QString, EntrantActivity>>> read(paths.size());
  std::vector<CallFactsCache> caches(static_cast<size_t>(crosscheck::ParallelWorkers()));
  progress.SetMaximum(paths.size());
  const auto show_done = crosscheck::ShowItemsDone(progress);
  crosscheck::ForEachInParallel(
      read.size(),
      [&](size_t item, int worker) {
        const crosscheck::ContestLog log =
            crosscheck::ReadContestLog(paths[static_cast<qsizetype>(item)]);
        if (log.scored.status == LogRead::Status::kMissing ||
            log.scored.status == LogRead::Status::kUnreadable) {
          return;
        }
        const QString call = TrimSpaces(log.scored.summary.call_sign).toUpper();
        EntrantActivity of_log =
            ActivityOf(log, prefixes, areas, caches[static_cast<size_t>(worker)]);
        if (const auto lines = quoted.constFind(call); lines != quoted.cend()) {
          for (const crosscheck::ContestQso& qso : log.qsos) {
            if (lines->contains(qso.line)) {
              of_log.line_texts.insert(qso.line, QStringLiteral("QSO:") + qso.text.toString());
            }
          }
        }
        read[item].emplace(call, std::move(of_log));
      },
      show_done);
  show_done(read.size());  // the other threads' last logs are done by now too
  ActivityByCall activity;
  for (auto& log : read) {
    if (log) activity.insert(log->first, std::move(log->second));
  }
  return activity;
}

QString HourlyRateSvg(const EntrantActivity& activity) {
  constexpr int kBar = 12;
  constexpr int kHeight = 120;
  constexpr int kLeft = 36;
  constexpr int kBottom = 20;
  int peak = 1;
  for (const int count : activity.per_hour) peak = std::max(peak, count);
  const int width = kLeft + kChartHours * kBar + 4;
  QString svg = QStringLiteral(
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 %1 %2\" "
                    "width=\"100%\" style=\"max-width:%1px\" role=\"img\">"
                    "<title>QSOs per hour, from %3 UTC; at most %4 in an hour</title>")
                    .arg(width)
                    .arg(kHeight + kBottom)
                    .arg(HourText(activity.first_hour))
                    .arg(peak);
  svg += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%2\" stroke=\"#000\"/>")
             .arg(kLeft)
             .arg(kHeight)
             .arg(width - 4);
  svg += QStringLiteral("<text x=\"%1\" y=\"10\" font-size=\"10\" text-anchor=\"end\">%2</text>")
             .arg(kLeft - 4)
             .arg(peak);
  for (int h = 0; h < activity.per_hour.size(); ++h) {
    const int bar = activity.per_hour[h] * (kHeight - 10) / peak;
    if (bar > 0) {
      svg += QStringLiteral(
                 "<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"#369\">"
                 "<title>%5 UTC: %6</title></rect>")
                 .arg(kLeft + h * kBar + 1)
                 .arg(kHeight - bar)
                 .arg(kBar - 2)
                 .arg(bar)
                 .arg(HourText(activity.first_hour + h))
                 .arg(activity.per_hour[h]);
    }
  }
  for (int h = 0; h < kChartHours; h += 6) {
    svg += QStringLiteral("<text x=\"%1\" y=\"%2\" font-size=\"9\">+%3h</text>")
               .arg(kLeft + h * kBar)
               .arg(kHeight + 14)
               .arg(h);
  }
  return svg + QStringLiteral("</svg>");
}

}  // namespace tovek::publish
