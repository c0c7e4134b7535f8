#include "calculator/scoring.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <vector>

#include "tests/calculator/printers.h"

namespace tovek {
namespace {

// A small prefix table: the four area entities and a few others.
PrefixTable SmallPrefixTable() {
  PrefixTable table;
  const struct {
    const char* key;
    const char* entity;
    const char* continent;
  } entries[] = {
      {"JA", "JA", "AS"}, {"7K", "JA", "AS"}, {"K", "K", "NA"},   {"W", "K", "NA"},
      {"N", "K", "NA"},   {"VE", "VE", "NA"}, {"VA", "VE", "NA"}, {"VK", "VK", "OC"},
      {"DL", "DL", "EU"}, {"PY", "PY", "SA"}, {"UA", "UA", "EU"}, {"KH6", "KH6", "OC"},
      {"BY", "BY", "AS"}, {"ZS", "ZS", "AF"},
  };
  for (const auto& e : entries) {
    table.Add(PrefixTable::Part::kPrefix, {e.key, e.entity, e.continent});
  }
  return table;
}

AreaTable SmallAreaTable() {
  AreaTable areas;
  for (const QString line : {"JA1   JA1 7K1 7K2;", "JA3   JA3;", "K1    K1 W1 N1 WA1;",
                             "K4    K4 W4;", "VE3   VE3 VA3;", "VK2   VK2;"}) {
    AddAreaLine(line, areas);
  }
  return areas;
}

LogRead Log(const QString& stn_cnt, const QList<QsoEntry>& qsos) {
  LogRead log;
  log.summary.call_sign = "JA1TEST";
  log.summary.continent = stn_cnt;
  log.stn_cnt = stn_cnt;
  log.qsos = qsos;
  return log;
}

LogScore Score(const LogRead& log) {
  NoProgress progress;
  return LogDataSearch(log, SmallPrefixTable(), SmallAreaTable(), progress);
}

BandSlot Slot(std::int16_t valid, std::int16_t dupes, std::int32_t points, std::int16_t mult1,
              std::int16_t mult2) {
  return {valid, dupes, points, mult1, mult2};
}

BandTally Tally(BandSlot b35, BandSlot b7, BandSlot b14, BandSlot b21, BandSlot b28,
                BandSlot total) {
  return {b35, b7, b14, b21, b28, total};
}

struct ScoringCase {
  const char* rule;
  const char* stn_cnt;
  QList<QsoEntry> qsos;
  BandTally tally;
  std::int64_t score;
};

class LogDataSearchRules : public ::testing::TestWithParam<ScoringCase> {};

TEST_P(LogDataSearchRules, GivesTheWholeTally) {
  const ScoringCase& c = GetParam();
  const LogScore score = Score(Log(c.stn_cnt, c.qsos));
  EXPECT_EQ(score.tally, c.tally) << c.rule;
  EXPECT_EQ(score.score, c.score) << c.rule;
}

const std::vector<ScoringCase>& RuleCases() {
  static const std::vector<ScoringCase> cases = {
      ScoringCase{"no QSOs score 0", "AS", {}, {}, 0},
      ScoringCase{"same call on two bands is valid on both; twice on one band is a dupe",
                  "AS",
                  {{"7", "DL1ABC"}, {"14", "DL1ABC"}, {"14", "DL1ABC"}},
                  Tally(Slot(0, 0, 0, 0, 0), Slot(1, 0, 3, 1, 0), Slot(1, 1, 3, 1, 0), {}, {},
                        Slot(2, 1, 6, 2, 0)),
                  12},
      ScoringCase{"duplicates compare calls case-sensitively",
                  "EU",
                  {{"21", "DL1ABC"}, {"21", "dl1abc"}},
                  Tally({}, {}, {}, Slot(2, 0, 2, 2, 0), {}, Slot(2, 0, 2, 2, 0)),
                  4},
      ScoringCase{"own continent 2, other continent 3, unresolved 0",
                  "AS",
                  {{"14", "BY1ABC"}, {"14", "DL1ABC"}, {"14", "XX1XX"}},
                  Tally({}, {}, Slot(3, 0, 5, 3, 0), {}, {}, Slot(3, 0, 5, 3, 0)),
                  15},
      ScoringCase{"a log without continent takes 3 from every resolved station",
                  "",
                  {{"14", "BY1ABC"}, {"14", "PY2ABC"}, {"14", "ja1abc"}},
                  Tally({}, {}, Slot(3, 0, 6, 3, 0), {}, {}, Slot(3, 0, 6, 3, 0)),
                  18},
      ScoringCase{"an entity counts once per band; unresolved calls share the empty one",
                  "AS",
                  {{"14", "UA3ABC"},
                   {"14", "UA3XYZ"},
                   {"7", "UA3ABC"},
                   {"14", "XX1"},
                   {"14", "XX2"},
                   {"7", "XX1"}},
                  Tally({}, Slot(2, 0, 3, 2, 0), Slot(4, 0, 6, 2, 0), {}, {}, Slot(6, 0, 9, 4, 0)),
                  36},
      ScoringCase{
          "areas of the four entities count as multiplier 2, once per band",
          "AS",
          {{"14", "W1ABC"},
           {"21", "K1XYZ"},
           {"14", "N1DEF"},
           {"14", "JA3ABC"},
           {"14", "VE3ABC"},
           {"14", "VK2ABC"},
           {"14", "7K2ABC"}},
          Tally({}, {}, Slot(6, 0, 16, 0, 5), Slot(1, 0, 3, 0, 1), {}, Slot(7, 0, 19, 0, 6)),
          114},
      ScoringCase{"other bands count in slot 0 with their own multiplier band",
                  "AS",
                  {{"3.5", "DL1ABC"},
                   {" 1825", "DL1ABC"},
                   {" 1830", "UA3ABC"},
                   {"3.5", "UA3XYZ"},
                   {"50100", "DL2XYZ"}},
                  Tally(Slot(4, 1, 12, 4, 0), {}, {}, {}, {}, Slot(4, 1, 12, 4, 0)),
                  48},
      ScoringCase{"portable calls take the area they operate from",
                  "NA",
                  {{"14", "JA1ABC/3"},
                   {"14", "K1ABC/4"},
                   {"14", "W4/JA1ABC"},
                   {"14", "VE3/K1XYZ"},
                   {"14", "VK2ABC/P"},
                   {"14", "WA1ABC/M"}},
                  Tally({}, {}, Slot(6, 0, 14, 0, 5), {}, {}, Slot(6, 0, 14, 0, 5)),
                  70},
      ScoringCase{
          "a call without a matching token keeps the area of the station before",
          "EU",
          {{"14", "K9ZZZ"},    // first: the empty area
           {"14", "W1ABC"},    // K1
           {"14", "DL1ABC"},   // another entity leaves the area alone
           {"14", "W9ABC"},    // no token: K1 again, already taken
           {"21", "N9XYZ"},    // K1 on 21
           {"21", "JA9ABC"}},  // still K1: JA has no area of its own here
          Tally({}, {}, Slot(4, 0, 11, 1, 2), Slot(2, 0, 6, 0, 1), {}, Slot(6, 0, 17, 1, 3)),
          68},
      ScoringCase{"a QSO line that ends before the worked call counts with no entity",
                  "AS",
                  {{"14", QString()}, {"14", ""}, {"7", QString()}},
                  Tally({}, Slot(1, 0, 0, 1, 0), Slot(1, 1, 0, 1, 0), {}, {}, Slot(2, 1, 0, 2, 0)),
                  0},
      ScoringCase{"a call longer than a QSO line's field is resolved all the same",
                  "AS",
                  {{"14", "VK2ABCDEFGHIJ/P"}, {"14", "DL1ABCDEFGHIJK"}, {"14", "VK2ABCDEFGHIJ/P"}},
                  Tally({}, {}, Slot(2, 1, 6, 1, 1), {}, {}, Slot(2, 1, 6, 1, 1)),
                  12}};
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Rules, LogDataSearchRules, ::testing::ValuesIn(RuleCases()));

// A run scores every log through one cache of the calls' table entries.
// Whatever it holds from the logs before, and however often calls push
// each other out of its slots (with one pair of them, at nearly every QSO),
// a log scores as it does alone.
TEST(LogDataSearch, LogsScoredThroughOneCacheScoreAsAlone) {
  for (const int slot_bits : {0, 1, 2, 17}) {
    CallFactsCache cache(slot_bits);
    const PrefixTable prefixes = SmallPrefixTable();
    const AreaTable areas = SmallAreaTable();
    for (int pass = 0; pass < 2; ++pass) {
      for (const ScoringCase& c : RuleCases()) {
        NoProgress progress;
        const LogScore score =
            LogDataSearch(Log(c.stn_cnt, c.qsos), prefixes, areas, progress, cache);
        EXPECT_EQ(score.tally, c.tally)
            << c.rule << ", slot bits " << slot_bits << ", pass " << pass;
        EXPECT_EQ(score.score, c.score) << c.rule << ", slot bits " << slot_bits;
      }
    }
  }
}

TEST(LogDataSearch, ScoreIsPointsTimesBothMultipliers) {
  // Four entities and one K area on each of the five bands: 75 points,
  // multiplier 1 = 20, multiplier 2 = 5.
  QList<QsoEntry> qsos;
  const QStringList bands = {"3.5", "7", "14", "21", "28"};
  for (const QString& band : bands) {
    for (const QString call : {"DL1A", "PY1A", "UA1A", "ZS1A", "W1A"}) qsos.append({band, call});
  }
  const LogScore score = Score(Log("OC", qsos));
  EXPECT_EQ(score.tally[kTotalSlot], Slot(25, 0, 75, 20, 5));
  EXPECT_EQ(score.score, 75 * 25);
}

TEST(LogDataSearch, ScoreBeyondThirtyTwoBitsIsKept) {
  // 32,767 stations of as many entities on another continent: 98,301 points
  // times 32,767 multipliers passes the 32-bit range.
  PrefixTable table;
  QList<QsoEntry> qsos;
  for (int i = 0; i < 32767; ++i) {
    const QString prefix = QStringLiteral("A%1").arg(i, 5, 36, QChar(u'0')).toUpper();
    table.Add(PrefixTable::Part::kPrefix, {prefix, prefix, "EU"});
    qsos.append({"14", prefix + "X"});
  }
  NoProgress progress;
  const LogScore score = LogDataSearch(Log("AS", qsos), table, {}, progress);
  EXPECT_EQ(score.tally[kTotalSlot], Slot(32767, 0, 98301, 32767, 0));
  EXPECT_EQ(score.score, std::int64_t{98301} * 32767);
}

class RecordingProgress final : public Progress {
 public:
  void SetMaximum(qint64 maximum) override { events.append(QStringLiteral("max %1").arg(maximum)); }
  void SetValue(qint64 value) override { events.append(QStringLiteral("value %1").arg(value)); }
  void SetLabel(int label, const QString& text) override {
    events.append(QStringLiteral("label%1 %2").arg(label).arg(text));
  }
  void Yield() override { events.append(QStringLiteral("yield")); }
  QStringList events;
};

TEST(LogDataSearch, ReportsEveryQsoToTheProgressWindow) {
  RecordingProgress progress;
  LogDataSearch(Log("AS", {{"14", "DL1ABC"}, {"7", "W1AW"}}), SmallPrefixTable(), SmallAreaTable(),
                progress);
  EXPECT_EQ(progress.events,
            (QStringList{"max 2", "value 1", "label0 JA1TEST No. 1  DL1ABC", "yield", "value 2",
                         "label0 JA1TEST No. 2  W1AW", "yield"}));
  RecordingProgress idle;
  LogDataSearch(Log("AS", {}), SmallPrefixTable(), SmallAreaTable(), idle);
  EXPECT_TRUE(idle.events.isEmpty());
}

TEST(BandSlotOf, FiveBandsAndEverythingElseInSlotZero) {
  EXPECT_EQ(BandSlotOf(u"3.5"), 0);
  EXPECT_EQ(BandSlotOf(u"7"), 1);
  EXPECT_EQ(BandSlotOf(u" 14 "), 2);
  EXPECT_EQ(BandSlotOf(u"21"), 3);
  EXPECT_EQ(BandSlotOf(u"28"), 4);
  EXPECT_EQ(BandSlotOf(u" 1825"), 0);
  EXPECT_EQ(BandSlotOf(u"50100"), 0);
  EXPECT_EQ(BandSlotOf(u""), 0);
}

struct LookupCase {
  const char* call;
  const char* current;
  const char* working;
  const char* area;
};

class LookupAreaRules : public ::testing::TestWithParam<LookupCase> {};

TEST_P(LookupAreaRules, WorkingCallThenShortestMatchingKey) {
  AreaTable areas;
  for (const QString line : {"JA1   JA1;", "JA3   JA3;", "K4    K4;", "KH6   KH6;", "ONE   J;",
                             "PA    PA;", "P2    P;", "JA7   7K3;"}) {
    AddAreaLine(line, areas);
  }
  const LookupCase& c = GetParam();
  EXPECT_EQ(AreaWorkingCall(QString::fromLatin1(c.call)), c.working);
  EXPECT_EQ(LookupArea(areas, QString::fromLatin1(c.call), c.current), c.area);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, LookupAreaRules,
    ::testing::Values(
        // "JA1" matches three characters and "J" one: the shorter wins.
        LookupCase{"JA1ABC", "X", "JA1ABC", "ONE"}, LookupCase{"K4ABC", "X", "K4ABC", "K4"},
        LookupCase{"DL1ABC", "X", "DL1ABC", "X"}, LookupCase{"", "X", "", "X"},
        // The shorter part behind the slash comes first.
        LookupCase{"K4ABC/KH6", "X", "KH6/K4ABC", "KH6"},
        LookupCase{"K4ABC/PA", "X", "PA/K4ABC", "P2"},
        LookupCase{"K4ABC/QRP", "X", "K4ABC/QRP", "K4"}, LookupCase{"K4ABC/", "X", "K4ABC/", "K4"},
        LookupCase{"KH6/K4ABC", "X", "KH6/K4ABC", "KH6"},
        // A lone digit behind the slash replaces the district digit.
        LookupCase{"KA1ABC/4", "X", "KA4ABC", "X"}, LookupCase{"K1ABC/4", "X", "K4ABC", "K4"},
        LookupCase{"7K1ABC/3", "X", "7K3ABC", "JA7"}, LookupCase{"K12ABC/4", "X", "K14ABC", "X"},
        LookupCase{"K-ABC/4", "X", "", "X"}, LookupCase{"K1/4", "X", "", "X"},
        LookupCase{"K1ABC/ 4", "X", "K1ABC/ 4", "X"}, LookupCase{"K1ABC/P", "X", "K1ABC/P", "X"}));

}  // namespace
}  // namespace tovek
