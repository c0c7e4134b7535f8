#include "calculator/result_table.h"

#include <gtest/gtest.h>

#include "tests/calculator/printers.h"

namespace tovek {
namespace {

CabrilloSummary Summary() {
  CabrilloSummary s;
  s.call_sign = "JA1ABC";
  s.category = "SOLP";
  s.claimed_score = "123,456";
  s.continent = "AS";
  s.entity = "JA";
  s.name = "Taro";
  s.operators = "JA1ABC";
  s.club = "Club";
  s.address = "Tokyo <LF> Japan";
  s.created_by = "Kavrel";
  s.soapbox = "73";
  return s;
}

LogScore Score(std::int32_t points, std::int16_t mult1, std::int16_t mult2) {
  LogScore score;
  score.tally[kTotalSlot] = {10, 2, points, mult1, mult2};
  score.score = std::int64_t{points} * (mult1 + mult2);
  return score;
}

TEST(MakeResultRow, TakesTheSummaryAndTheTotals) {
  ResultRow expected;
  expected.call_sign = "JA1ABC";
  expected.category = "SOLP";
  expected.claimed_score = 123;
  expected.score = 2500;
  expected.continent = "AS";
  expected.entity = "JA";
  expected.name = "Taro";
  expected.operators = "JA1ABC";
  expected.club = "Club";
  expected.address = "Tokyo <LF> Japan";
  expected.created_by = "Kavrel";
  expected.soapbox = "73";
  expected.qso_lines = 12;
  expected.valid = 10;
  expected.dupes = 2;
  expected.points = 100;
  expected.mult1 = 20;
  expected.mult2 = 5;
  expected.total_mult = 25;
  EXPECT_EQ(MakeResultRow(Summary(), 12, Score(100, 20, 5)), expected);
}

TEST(MakeResultRow, CutsTextsToTheirWidthsAndReadsTheClaimedScore) {
  CabrilloSummary s = Summary();
  s.call_sign = "JA1ABCDEFGHIJK";                   // 14 characters
  s.name = "Taro Yamada of the Tokyo  Radio Club";  // a space at the cut
  s.claimed_score = "123456";
  const ResultRow row = MakeResultRow(s, 0, {});
  EXPECT_EQ(row.call_sign, "JA1ABCDEFGHIJ");
  EXPECT_EQ(row.name, "Taro Yamada of the Tokyo");
  EXPECT_EQ(row.claimed_score, 123456);
  const struct {
    const char* text;
    std::optional<double> value;
  } claimed[] = {{"", 0},      {"1 234", 1234},           {"12.5k", 12.5}, {"abc", 0},
                 {"-7", -7},   {"1e400", std::nullopt},   {"-1e400", std::nullopt},
                 {"1e-400", 0}, {"0.000e999", 0}};
  for (const auto& c : claimed) EXPECT_EQ(ClaimedScoreValue(QString(c.text)), c.value) << c.text;
  // Hundreds of nines, or ones with blanks between them, are no claim either.
  EXPECT_EQ(ClaimedScoreValue(QString(400, u'9')), std::nullopt);
  EXPECT_EQ(ClaimedScoreValue(QString("1 ").repeated(400)), std::nullopt);
  s.claimed_score = "1e400";
  EXPECT_EQ(MakeResultRow(s, 0, {}).claimed_score, 0);
}

TEST(MakeResultRow, PointsBeyondTheSixteenBitFieldLeaveItZero) {
  const ResultRow row = MakeResultRow(Summary(), 12, Score(40000, 3, 0));
  EXPECT_EQ(row.points, 0);
  EXPECT_EQ(row.score, 120000);
  EXPECT_EQ(MakeResultRow(Summary(), 12, Score(32767, 1, 0)).points, 32767);
}

TEST(UnreadLogRow, NamesTheFileAndTheReason) {
  const ResultRow row = UnreadLogRow("/logs/JA1ABC-3.cbr", "ファイルがありません！");
  ResultRow expected;
  expected.call_sign = "JA1ABC-3";
  expected.name = "ファイルがありません！";
  expected.soapbox = "/logs/JA1ABC-3.cbr";
  EXPECT_EQ(row, expected);
}

TEST(GridCells, FieldsInColumnOrderNumbersInShortestForm) {
  ResultRow row = MakeResultRow(Summary(), 12, Score(100, 20, 5));
  EXPECT_EQ(GridCells(row),
            (QStringList{"",       "JA1ABC", "SOLP", "123",    "2500", "12",
                         "10",     "2",      "100",  "20",     "5",    "25",
                         "AS",     "JA",     "Taro", "JA1ABC", "Club", "Tokyo <LF> Japan",
                         "Kavrel", "73"}));
  const struct {
    double value;
    const char* text;
  } numbers[] = {{0, "0"},           {-0.0, "0"},
                 {2500, "2500"},     {0.5, "0.5"},
                 {1e6, "1000000"},   {3229000000.0, "3229000000"},
                 {-12.25, "-12.25"}, {1e21, "1000000000000000000000"}};
  for (const auto& n : numbers) EXPECT_EQ(FormatNumber(n.value), n.text) << n.value;
}

TEST(RowFromGridCells, ReadsBackWhatTheGridShows) {
  const ResultRow row = MakeResultRow(Summary(), 12, Score(100, 20, 5));
  EXPECT_EQ(RowFromGridCells(GridCells(row), ResultRow{}), row);
  // A cell that does not convert keeps the previous row's value.
  QStringList cells = GridCells(row);
  cells[4] = "n/a";
  cells[8] = "40000";
  cells[1] = "JA1ABCDEFGHIJKL";
  ResultRow previous;
  previous.score = 77;
  previous.points = 9;
  const ResultRow read = RowFromGridCells(cells, previous);
  EXPECT_EQ(read.score, 77);
  EXPECT_EQ(read.points, 9);
  EXPECT_EQ(read.call_sign, "JA1ABCDEFGHIJ");
  EXPECT_EQ(read.mult1, 20);
}

TEST(SortByScore, DescendingAndEqualScoresKeepTheirOrder) {
  ResultTable rows;
  for (const auto& [call, score] : std::initializer_list<std::pair<const char*, double>>{
           {"A", 10}, {"B", 30}, {"C", 10}, {"D", 0}, {"E", 30}, {"F", 20.5}}) {
    ResultRow row;
    row.call_sign = call;
    row.score = score;
    rows.append(row);
  }
  SortByScore(rows);
  QStringList order;
  for (const ResultRow& row : rows) order.append(row.call_sign);
  EXPECT_EQ(order, (QStringList{"B", "E", "F", "A", "C", "D"}));
}

QStringList ListsHolding(const RankingTables& tables) {
  static const char* kCategories[] = {"SOHP", "SOLP", "MO"};
  static const char* kRegions[] = {"World", "NA", "SA", "EU", "AS", "OC", "AF", "JA"};
  QStringList names;
  for (int c = 0; c < kCategoryCount; ++c) {
    for (int r = 0; r < kRegionCount; ++r) {
      const auto& list = tables.List(static_cast<Category>(c), static_cast<Region>(r));
      for (qsizetype i = 0; i < list.size(); ++i) {
        names.append(QStringLiteral("%1/%2").arg(kCategories[c], kRegions[r]));
      }
    }
  }
  for (qsizetype i = 0; i < tables.CheckLog().size(); ++i) names.append("CHECKLOG");
  return names;
}

struct FilingCase {
  const char* category;
  const char* continent;
  const char* entity;
  QStringList lists;
};

class RankingFiling : public ::testing::TestWithParam<FilingCase> {};

TEST_P(RankingFiling, ByCategoryContinentAndEntity) {
  const FilingCase& c = GetParam();
  ResultRow row;
  row.category = c.category;
  row.continent = c.continent;
  row.entity = c.entity;
  RankingTables tables;
  tables.File(row);
  EXPECT_EQ(ListsHolding(tables), c.lists);
  EXPECT_EQ(tables.TotalEntries(), c.lists.size());
}

INSTANTIATE_TEST_SUITE_P(
    Rules, RankingFiling,
    ::testing::Values(FilingCase{"SOHP", "EU", "DL", {"SOHP/World", "SOHP/EU"}},
                      FilingCase{"sohp", "EU", "DL", {"SOHP/World", "SOHP/EU"}},
                      FilingCase{"SOHP", "eu", "DL", {"SOHP/World"}},
                      FilingCase{"SOLP", "AS", "JA", {"SOLP/World", "SOLP/AS", "SOLP/JA"}},
                      FilingCase{"MO", "NA", "K", {"MO/World", "MO/NA"}},
                      FilingCase{"MO", "XX", "JA", {"MO/World", "MO/JA"}},
                      FilingCase{"SOLP", "AS", "ja", {"SOLP/World", "SOLP/AS"}},
                      FilingCase{"SOHP", "OC", "VK", {"SOHP/World", "SOHP/OC"}},
                      FilingCase{"SOLP", "SA", "PY", {"SOLP/World", "SOLP/SA"}},
                      FilingCase{"SOLP", "AF", "ZS", {"SOLP/World", "SOLP/AF"}},
                      FilingCase{"CHECKLOG", "AS", "JA", {"CHECKLOG"}},
                      FilingCase{"checklog", "EU", "DL", {"CHECKLOG"}},
                      FilingCase{"", "AS", "JA", {}}, FilingCase{"SINGLE-OP", "EU", "DL", {}}));

TEST(RankingTables, ListsKeepFilingOrderAndClear) {
  RankingTables tables;
  for (const char* call : {"JA1A", "JA1B", "JA1C"}) {
    ResultRow row;
    row.call_sign = call;
    row.category = "SOHP";
    row.continent = "AS";
    row.entity = "JA";
    tables.File(row);
  }
  QStringList calls;
  for (const ResultRow& row : tables.List(Category::kSohp, Region::kJa))
    calls.append(row.call_sign);
  EXPECT_EQ(calls, (QStringList{"JA1A", "JA1B", "JA1C"}));
  EXPECT_EQ(tables.TotalEntries(), 9);
  tables.Clear();
  EXPECT_EQ(tables.TotalEntries(), 0);
}

}  // namespace
}  // namespace tovek
