#include "editor/sample_fields.h"

#include <gtest/gtest.h>

#include "tests/editor/editor_test_support.h"

namespace tovek {
namespace {

TEST(FieldPreview, TakesTheFieldsCharactersWithoutTrailingBlanks) {
  const QString row = "QSO:  3500 RY 2012-10-20 1234 JA1CALL       599 45";
  EXPECT_EQ(FieldPreview(row, {6, 5}), " 3500");
  EXPECT_EQ(FieldPreview(row, {31, 12}), "JA1CALL");
  EXPECT_EQ(FieldPreview(row, {49, 5}), "45");  // the row ends inside the field
  EXPECT_EQ(FieldPreview(row, {51, 2}), "");    // beyond its end
  EXPECT_EQ(FieldPreview(row, {1, 0}), "");
  EXPECT_EQ(FieldPreview("A\tB  ", {1, 5}), "A\tB");
}

TEST(ColumnFields, FirstFieldInOrderOwnsAColumn) {
  // Fields 0 (columns 2-4), 1 (4-5, overlapping), 2 (9-9).
  EXPECT_EQ(ColumnFields({{3, 3}, {5, 2}, {10, 1}}, 12),
            (std::vector<int>{-1, -1, 0, 0, 0, 1, -1, -1, -1, 2, -1, -1}));
  EXPECT_EQ(ColumnFields({{1, 2}}, 0), std::vector<int>{});
}

TEST(MovedStart, StaysBetweenColumnOneAndTheLargestColumn) {
  EXPECT_EQ(MovedStart(6, -1), 5);
  EXPECT_EQ(MovedStart(1, -1), 1);
  EXPECT_EQ(MovedStart(6, 1), 7);
  EXPECT_EQ(MovedStart(32767, 1), 32767);
}

}  // namespace
}  // namespace tovek
