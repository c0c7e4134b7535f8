#include "common/legacy_numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tovek {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0.0);
  EXPECT_EQ(RoundHalfEven(1.5), 2.0);
  EXPECT_EQ(RoundHalfEven(2.5), 2.0);
  EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
  EXPECT_EQ(RoundHalfEven(-3.5), -4.0);
  EXPECT_EQ(RoundHalfEven(2.4999), 2.0);
  EXPECT_EQ(RoundHalfEven(2.5001), 3.0);
}

TEST(IntegerLimits, SixteenBitRangeIsEnforcedAfterRounding) {
  EXPECT_EQ(ToInt16(32767.4), std::optional<std::int16_t>(32767));
  EXPECT_EQ(ToInt16(32767.5), std::nullopt);  // rounds to 32768
  EXPECT_EQ(ToInt16(-32768.5), std::optional<std::int16_t>(-32768));  // rounds to even
  EXPECT_EQ(ToInt16(-32769), std::nullopt);
  EXPECT_EQ(ToInt16(NAN), std::nullopt);
  EXPECT_EQ(ToInt32(2147483647.0), std::optional<std::int32_t>(2147483647));
  EXPECT_EQ(ToInt32(2147483648.0), std::nullopt);
}

struct ValueCase {
  const char* text;
  double value;
};

class NumericValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(NumericValueTest, TakesTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(NumericValue(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumericValueTest,
    ::testing::Values(ValueCase{"14080", 14080}, ValueCase{" 7 0 2 5 ", 7025},
                      ValueCase{"14 025.5 kHz", 14025.5}, ValueCase{"7O", 7},
                      ValueCase{"abc", 0}, ValueCase{"", 0}, ValueCase{"-12", -12},
                      ValueCase{"+3", 3}, ValueCase{".5", 0.5}, ValueCase{"1.2.3", 1.2},
                      ValueCase{"1e3", 1000}, ValueCase{"14E", 14}, ValueCase{"21D", 21},
                      ValueCase{"3-5", 3}, ValueCase{"--5", 0}, ValueCase{"\t28\t000", 28000},
                      // beyond a double: too small is 0, too large is no number
                      ValueCase{"1e-400", 0}, ValueCase{"-1e-400", 0}, ValueCase{"1e400", 0},
                      ValueCase{"0.0001e-320", 0}, ValueCase{"1000e306", 0},
                      ValueCase{"1e308", 1e308}));

TEST(ReadNumericValue, TellsANumberTooLargeFromOneTooSmall) {
  EXPECT_EQ(ReadNumericValue(u"1e400"), std::nullopt);
  EXPECT_EQ(ReadNumericValue(u"-1e400"), std::nullopt);
  EXPECT_EQ(ReadNumericValue(QString(400, u'9')), std::nullopt);
  EXPECT_EQ(ReadNumericValue(u"0.00000000001e315"), std::optional<double>(1e304));
  EXPECT_EQ(ReadNumericValue(u"1e-400"), std::optional<double>(0));
  EXPECT_EQ(ReadNumericValue(u"123abc"), std::optional<double>(123));
}

TEST(ParseDecimal, AcceptsWholeNumbersOnly) {
  EXPECT_EQ(ParseDecimal(u" 12 "), std::optional<double>(12));
  EXPECT_EQ(ParseDecimal(u"-3.5"), std::optional<double>(-3.5));
  EXPECT_EQ(ParseDecimal(u"1e3"), std::optional<double>(1000));
  EXPECT_EQ(ParseDecimal(u""), std::nullopt);
  EXPECT_EQ(ParseDecimal(u"12abc"), std::nullopt);
  EXPECT_EQ(ParseDecimal(u"1 2"), std::nullopt);
  EXPECT_EQ(ParseDecimal(u"1e999"), std::nullopt);
}

}  // namespace
}  // namespace tovek
