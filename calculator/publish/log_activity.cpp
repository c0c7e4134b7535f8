#include "calculator/publish/log_activity.h"

#include <QDate>
#include <algorithm>
#include <cstdio>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "calculator/crosscheck/contest_log.h"
#include "calculator/crosscheck/parallel_work.h"
#include "calculator/log_reader.h"
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

// The QSOs of a log by the hour they were made in (minutes as the
// cross-check reads them), from the hour of the first.
void CountHours(const std::vector<int>& minutes, EntrantActivity& activity) {
  int first = std::numeric_limits<int>::max();
  for (const int minute : minutes) {
    if (minute != crosscheck::kNoTime) first = std::min(first, HourOf(minute));
  }
  if (first == std::numeric_limits<int>::max()) {
    activity.untimed = static_cast<int>(minutes.size());
    return;
  }
  activity.first_hour = first;
  for (const int minute : minutes) {
    if (minute == crosscheck::kNoTime) {
      ++activity.untimed;
      continue;
    }
    const int hour = HourOf(minute) - first;
    if (hour >= kChartHours) {
      ++activity.beyond;
      continue;
    }
    if (activity.per_hour.size() <= hour) activity.per_hour.resize(hour + 1);
    ++activity.per_hour[hour];
  }
}

// "MM-dd HH:00" of an hour counted from 2000-01-01 00:00 UTC.
QByteArray HourText(int hours_since_2000) {
  const int day = hours_since_2000 >= 0 ? hours_since_2000 / 24 : -((-hours_since_2000 + 23) / 24);
  const int hour = hours_since_2000 - day * 24;
  const QDate date = QDate(2000, 1, 1).addDays(day);
  char text[16];
  std::snprintf(text, sizeof text, "%02d-%02d %02d:00", date.month(), date.day(), hour);
  return text;
}

using CallAndActivity = std::pair<QString, EntrantActivity>;

// One log: the scoring's own reading, and of each QSO line only its time.
// Nothing for a log that is not there or cannot be read.
std::optional<CallAndActivity> ReadLogActivity(const QString& path, const PrefixTable& prefixes,
                                               const AreaTable& areas, CallFactsCache& cache,
                                               const QHash<QString, QSet<int>>& quoted) {
  std::vector<int> minutes;
  // The lines' texts are kept while the log's call is not known (it may
  // stand below the QSO lines), and only when some lines are asked for.
  std::vector<std::pair<int, QString>> texts;
  const LogRead log = ReadLog(path, [&](QStringView value, int line) {
    minutes.push_back(crosscheck::QsoLineMinute(value));
    if (!quoted.isEmpty()) texts.emplace_back(line, QStringLiteral("QSO:") + value.toString());
  });
  if (log.status == LogRead::Status::kMissing || log.status == LogRead::Status::kUnreadable) {
    return std::nullopt;
  }
  const QString call = TrimSpaces(log.summary.call_sign).toUpper();
  EntrantActivity activity;
  NoProgress progress;
  activity.tally = LogDataSearch(log, prefixes, areas, progress, cache).tally;
  CountHours(minutes, activity);
  if (const auto lines = quoted.constFind(call); lines != quoted.cend()) {
    for (auto& [line, text] : texts) {
      if (lines->contains(line)) activity.line_texts.insert(line, std::move(text));
    }
  }
  return CallAndActivity{call, std::move(activity)};
}

}  // namespace

ActivityByCall ReadActivity(const QStringList& paths, const PrefixTable& prefixes,
                            const AreaTable& areas, Progress& progress,
                            const QHash<QString, QSet<int>>& quoted) {
  // The logs are read and scored on every core (the tables are only read);
  // they are taken in the order of `paths` afterwards.
  std::vector<std::optional<CallAndActivity>> read(paths.size());
  // A cache per worker, of 32,768 slots: a contest's logs work a few
  // thousand calls, and the scoring's default (a quarter of a million, for
  // a run on one thread) cost more to clear than it saved here.
  constexpr int kCacheSlotBits = 15;
  std::vector<CallFactsCache> caches;
  for (int worker = 0; worker < crosscheck::ParallelWorkers(); ++worker) {
    caches.emplace_back(kCacheSlotBits);
  }
  progress.SetMaximum(paths.size());
  const auto show_done = crosscheck::ShowItemsDone(progress);
  crosscheck::ForEachInParallel(
      read.size(),
      [&](size_t item, int worker) {
        read[item] = ReadLogActivity(paths[static_cast<qsizetype>(item)], prefixes, areas,
                                     caches[static_cast<size_t>(worker)], quoted);
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
  // Made as bytes with snprintf: a chart has up to 48 bars, and a site a
  // chart on each of thousands of pages.
  constexpr int kBar = 12;
  constexpr int kHeight = 120;
  constexpr int kLeft = 36;
  constexpr int kBottom = 20;
  int peak = 1;
  for (const int count : activity.per_hour) peak = std::max(peak, count);
  const int width = kLeft + kChartHours * kBar + 4;
  QByteArray svg;
  svg.reserve(8192);
  char part[256];
  auto add = [&](int length) { svg.append(part, std::min<int>(length, sizeof part - 1)); };
  add(std::snprintf(part, sizeof part,
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 %d %d\" "
                    "width=\"100%%\" style=\"max-width:%dpx\" role=\"img\">"
                    "<title>QSOs per hour, from %s UTC; at most %d in an hour</title>",
                    width, kHeight + kBottom, width, HourText(activity.first_hour).constData(),
                    peak));
  add(std::snprintf(part, sizeof part, "<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" stroke=\"#000\"/>",
                    kLeft, kHeight, width - 4, kHeight));
  add(std::snprintf(part, sizeof part,
                    "<text x=\"%d\" y=\"10\" font-size=\"10\" text-anchor=\"end\">%d</text>",
                    kLeft - 4, peak));
  for (int h = 0; h < activity.per_hour.size(); ++h) {
    const int bar = activity.per_hour[h] * (kHeight - 10) / peak;
    if (bar > 0) {
      add(std::snprintf(part, sizeof part,
                        "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"#369\">"
                        "<title>%s UTC: %d</title></rect>",
                        kLeft + h * kBar + 1, kHeight - bar, kBar - 2, bar,
                        HourText(activity.first_hour + h).constData(), activity.per_hour[h]));
    }
  }
  for (int h = 0; h < kChartHours; h += 6) {
    add(std::snprintf(part, sizeof part, "<text x=\"%d\" y=\"%d\" font-size=\"9\">+%dh</text>",
                      kLeft + h * kBar, kHeight + 14, h));
  }
  svg += "</svg>";
  return QString::fromLatin1(svg);
}

}  // namespace tovek::publish
