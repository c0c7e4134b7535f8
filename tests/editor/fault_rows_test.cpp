#include "editor/fault_rows.h"

#include <gtest/gtest.h>

#include "tests/editor/editor_test_support.h"

namespace tovek {
namespace {

QString Fault(int row, const char* name) {
  return QStringLiteral("%1%2QSO: 14080 RY").arg(row, 5).arg(QString::fromLatin1(name));
}

TEST(FaultLineRow, ReadsTheFirstFiveCharacters) {
  EXPECT_EQ(FaultLineRow(Fault(12, " MODE        ")), 12);
  EXPECT_EQ(FaultLineRow(Fault(12345, " TIME        ")), 12345);
  EXPECT_EQ(FaultLineRow(Fault(0, " FREQENCY    ")), 0);
  EXPECT_EQ(FaultLineRow("QSO: 14080"), -1);
  EXPECT_EQ(FaultLineRow(""), -1);
}

struct DeleteCase {
  const char* name;
  QList<int> fault_rows;
  QList<int> removal_order;

  friend void PrintTo(const DeleteCase& c, std::ostream* out) { *out << c.name; }
};

class RowsToDeleteTest : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(RowsToDeleteTest, RemovesEachRowOnceFromTheLast) {
  QStringList lines;
  for (const int row : GetParam().fault_rows) lines.append(Fault(row, " MODE        "));
  EXPECT_EQ(RowsToDelete(lines, 40), GetParam().removal_order);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RowsToDeleteTest,
    ::testing::Values(DeleteCase{"RepeatedRowOnce", {12, 12, 30}, {30, 12}},
                      DeleteCase{"RowZeroStays", {0, 0, 5}, {5}},
                      DeleteCase{"OutOfOrderAndRepeated", {30, 12, 30, 7}, {30, 12, 7}},
                      DeleteCase{"RowsTheLogDoesNotHave", {39, 40, 400}, {39}},
                      DeleteCase{"None", {}, {}}),
    testing::ParamName());

TEST(RemoveRows, EarlierIndicesStayValid) {
  LogLines rows;
  for (int i = 0; i < 6; ++i) rows.append(QString::number(i));
  RemoveRows(rows, {4, 2, 1});
  EXPECT_EQ(rows, (LogLines{"0", "3", "5"}));
}

}  // namespace
}  // namespace tovek
