#include "calculator/publish/log_activity.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include "calculator/publish/results_site.h"
#include "tests/calculator/kavrel_cabrillo.h"
#include "tests/calculator/small_contest.h"
#include "tests/editor/editor_test_support.h"
#include "tests/support/test_files.h"

namespace tovek::publish {
namespace {

using testing::KavrelQso;
using testing::TempFolder;

// A log of 2024-10-19: three QSOs in the first hour (one a dupe), none in
// the second, one in the third, one whose time cannot be read.
TEST(LogActivity, BandsAndHoursOfTheEntrantsLogOnItsPage) {
  TempFolder folder;
  const QString path = testing::WriteKavrelLog(
      folder.File("ja1aaa.cbr"), testing::StationSummary("ja1aaa ", "SOHP", "AS", "JA"),
      {{"14080", "W1AW", "JA1AAA", "0005"},
       {"14081", "DL1ABC", "JA1AAA", "0030"},
       {"14082", "W1AW", "JA1AAA", "0059"},
       {" 7040", "JA3XYZ", "JA1AAA", "0210"},
       {"21080", "VK2ABC", "JA1AAA", "xx"}});
  testing::RecordingProgress progress;
  const ActivityByCall activity =
      ReadActivity({folder.File("missing.cbr"), path}, PrefixTable(), AreaTable(), progress);
  // The window's progress counts the logs and lets it paint as they are read
  // (after each log the calling thread read: the others read theirs meanwhile).
  ASSERT_GE(progress.calls.size(), 3);
  EXPECT_EQ(progress.calls.first(), "max 2");
  EXPECT_EQ(progress.calls.mid(progress.calls.size() - 2), QStringList({"value 2", "yield"}));
  ASSERT_EQ(activity.keys(), QList<QString>{"JA1AAA"});
  const EntrantActivity& log = activity.value("JA1AAA");
  EXPECT_EQ(log.per_hour, (QList<int>{3, 0, 1}));
  EXPECT_EQ(log.untimed, 1);
  EXPECT_EQ(log.beyond, 0);
  EXPECT_EQ(
      QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC).addSecs(qint64{log.first_hour} * 3600),
      QDateTime(QDate(2024, 10, 19), QTime(0, 0), Qt::UTC));
  const std::pair<int, std::pair<int, int>> bands[] = {
      {0, {0, 0}}, {1, {1, 0}}, {2, {2, 1}}, {3, {1, 0}}, {4, {0, 0}}, {kTotalSlot, {4, 1}}};
  for (const auto& [slot, counts] : bands) {
    EXPECT_EQ(log.tally[slot].valid, counts.first) << slot;
    EXPECT_EQ(log.tally[slot].dupes, counts.second) << slot;
  }

  ResultTable rows = testing::SmallContest();
  const SiteInfo info{QStringLiteral("c"), QDate(2024, 10, 21), activity, {}};
  QString page;
  QString other;
  for (const SiteFile& file : ResultsSite(info, rows)) {
    if (file.path == EntrantPagePath(2, "JA1AAA")) page = QString::fromUtf8(file.bytes);
    if (file.path == EntrantPagePath(1, "DL1ABC")) other = QString::fromUtf8(file.bytes);
  }
  EXPECT_TRUE(
      page.contains(u"<tr><th scope=\"row\">14 MHz</th><td class=\"num\">2</td>"
                    u"<td class=\"num\">1</td>"));
  // One bar per hour with QSOs, the hour and the count in its title.
  static const QRegularExpression bar(QStringLiteral("<rect [^>]*><title>([^<]*)</title>"));
  QStringList bars;
  for (const QRegularExpressionMatch& m : bar.globalMatch(page)) bars.append(m.captured(1));
  EXPECT_EQ(bars, (QStringList{"10-19 00:00 UTC: 3", "10-19 02:00 UTC: 1"}));
  EXPECT_FALSE(other.contains(u"<svg"));
}

}  // namespace
}  // namespace tovek::publish
