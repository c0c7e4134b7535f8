#include "calculator/calculation_run.h"

#include <gtest/gtest.h>

#include "tests/calculator/kavrel_cabrillo.h"
#include "tests/calculator/printers.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::KavrelQso;
using testing::TempFolder;

class RecordingObserver final : public RunObserver {
 public:
  void LogRead(qsizetype index, qsizetype count, const QString& path,
               const tovek::LogRead& log) override {
    events.append(QStringLiteral("read %1/%2 %3 %4")
                      .arg(index)
                      .arg(count)
                      .arg(path.section(u'/', -1))
                      .arg(static_cast<int>(log.status)));
  }
  void RowAdded(const ResultRow& row, const LogScore& score) override {
    events.append(QStringLiteral("row %1 %2").arg(row.call_sign).arg(score.score));
  }
  bool StopRequested() override { return events.size() >= stop_after; }

  QStringList events;
  qsizetype stop_after = 1000;
};

CabrilloSummary Station(const QString& call, const QString& continent, const QString& entity) {
  CabrilloSummary s;
  s.call_sign = call;
  s.category = "SOHP";
  s.continent = continent;
  s.entity = entity;
  s.claimed_score = "10";
  return s;
}

class ScoreLogListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(LoadPrefixTable(QStringLiteral(TOVEK_PROGRAM_DIR "/Cty.dat"), prefixes_).status,
              PrefixLoadOutcome::Status::kLoaded);
    AddAreaLine(u"K1    W1 K1;", areas_);
    testing::WriteKavrelLog(folder_.File("DL1ABC.cbr"), Station("DL1ABC", "EU", "DL"),
                            {{"14080", "JA1XYZ"}, {"14081", "W1AW"}, {"14082", "W1AW"}});
    testing::WriteKavrelLog(folder_.File("JA1XYZ.cbr"), Station("JA1XYZ", "AS", "JA"),
                            {{" 7040", "DL1ABC"}, {"21080", "DL1ABC"}});
  }

  TempFolder folder_;
  PrefixTable prefixes_;
  AreaTable areas_;
};

TEST_F(ScoreLogListTest, OneRowPerLogInListOrderAndAVisibleRowForAMissingLog) {
  const LogList list{folder_.Path(), {"JA1XYZ.cbr", "gone.cbr", "DL1ABC.cbr"}};
  RecordingObserver observer;
  NoProgress progress;
  const ResultTable rows = ScoreLogList(list, prefixes_, areas_, progress, observer);
  ASSERT_EQ(rows.size(), 3);
  // JA1XYZ: DL on 7 and 21, 3 points each, DL once per band.
  EXPECT_EQ(GridCells(rows[0]),
            (QStringList{"",  "JA1XYZ", "SOHP", "10", "12", "2", "2", "0", "6", "2",
                         "0", "2",      "AS",   "JA", "",   "",  "",  "",  "",  ""}));
  EXPECT_EQ(rows[1], UnreadLogRow(list.Path(1), "ファイルがありません！"));
  // DL1ABC: JA1XYZ (3 points; no JA token here, so the empty area) and W1AW
  // (3 points, area K1), then W1AW again as a dupe.
  EXPECT_EQ(GridCells(rows[2]),
            (QStringList{"",  "DL1ABC", "SOHP", "10", "12", "3", "2", "1", "6", "0",
                         "2", "2",      "EU",   "DL", "",   "",  "",  "",  "",  ""}));
  EXPECT_EQ(observer.events,
            (QStringList{"read 0/3 JA1XYZ.cbr 0", "row JA1XYZ 12", "read 1/3 gone.cbr 1",
                         "row gone 0", "read 2/3 DL1ABC.cbr 0", "row DL1ABC 12"}));
}

// Counts the run's turns for the windows in among the observer's events.
class YieldRecorder final : public Progress {
 public:
  explicit YieldRecorder(QStringList& events) : events_(events) {}
  void SetMaximum(qint64) override {}
  void SetValue(qint64) override {}
  void SetLabel(int, const QString&) override {}
  void Yield() override { events_.append(QStringLiteral("yield")); }

 private:
  QStringList& events_;
};

TEST_F(ScoreLogListTest, TheWindowsGetTheirTurnAfterEveryLogAlsoWithoutQsoLines) {
  testing::WriteKavrelLog(folder_.File("EMPTY.cbr"), Station("JA2AAA", "AS", "JA"), {});
  RecordingObserver observer;
  YieldRecorder progress(observer.events);
  ScoreLogList({folder_.Path(), {"EMPTY.cbr", "gone.cbr", "EMPTY.cbr"}}, prefixes_, areas_,
               progress, observer);
  EXPECT_EQ(observer.events,
            (QStringList{"read 0/3 EMPTY.cbr 0", "row JA2AAA 0", "yield", "read 1/3 gone.cbr 1",
                         "row gone 0", "yield", "read 2/3 EMPTY.cbr 0", "row JA2AAA 0", "yield"}));
}

TEST_F(ScoreLogListTest, StopsBeforeTheNextLogWhenAsked) {
  RecordingObserver observer;
  observer.stop_after = 2;
  NoProgress progress;
  const ResultTable rows = ScoreLogList({folder_.Path(), {"JA1XYZ.cbr", "DL1ABC.cbr"}}, prefixes_,
                                        areas_, progress, observer);
  EXPECT_EQ(rows.size(), 1);
  EXPECT_EQ(observer.events, (QStringList{"read 0/2 JA1XYZ.cbr 0", "row JA1XYZ 12"}));
}

TEST(RunTexts, PositionAndStatus) {
  EXPECT_EQ(RunPositionText(3, 25), "3 / 25  ");
  EXPECT_EQ(RunStatusText(3, 25, "/logs/A.cbr"), "    3 / 25  /logs/A.cbr");
  EXPECT_EQ(RunStatusText(12345, 32767, "/x%1"), "12345 / 32767  /x%1");
}

}  // namespace
}  // namespace tovek
