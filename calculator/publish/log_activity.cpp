#include "calculator/publish/log_activity.h"

#include <QDateTime>
#include <algorithm>
#include <limits>

#include "calculator/crosscheck/contest_log.h"
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
                           const AreaTable& areas) {
  EntrantActivity activity;
  NoProgress progress;
  activity.tally = LogDataSearch(log.scored, prefixes, areas, progress).tally;
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

QString HourText(int hours_since_2000) {
  const QDateTime start(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
  return start.addSecs(qint64{hours_since_2000} * 3600).toString(QStringLiteral("MM-dd HH:mm"));
}

}  // namespace

ActivityByCall ReadActivity(const QStringList& paths, const PrefixTable& prefixes,
                            const AreaTable& areas) {
  ActivityByCall activity;
  for (const QString& path : paths) {
    const crosscheck::ContestLog log = crosscheck::ReadContestLog(path);
    if (log.scored.status == LogRead::Status::kMissing ||
        log.scored.status == LogRead::Status::kUnreadable) {
      continue;
    }
    activity.insert(TrimSpaces(log.scored.summary.call_sign).toUpper(),
                    ActivityOf(log, prefixes, areas));
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
