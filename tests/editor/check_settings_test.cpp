#include "editor/check_settings.h"

#include <gtest/gtest.h>

#include "tests/editor/editor_test_support.h"

namespace tovek {
namespace {

const QDate kToday(2026, 9, 26);

struct StepCase {
  const char* name;
  QString shown;
  std::vector<std::pair<DateUnit, int>> steps;
  QString expected;
};

class StepStartDateTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepStartDateTest, GivesTheShownDate) {
  QString shown = GetParam().shown;
  for (const auto& [unit, steps] : GetParam().steps)
    shown = StepStartDate(shown, unit, steps, kToday);
  EXPECT_EQ(shown, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, StepStartDateTest,
    ::testing::Values(
        StepCase{"MonthUpTwiceThenDayDown",
                 "2012/10/20",
                 {{DateUnit::kMonth, 1}, {DateUnit::kMonth, 1}, {DateUnit::kDay, -1}},
                 "2012/12/19"},
        StepCase{"MonthUpFromJanuary31EndsInFebruary",
                 "2012/01/31",
                 {{DateUnit::kMonth, 1}},
                 "2012/02/29"},
        StepCase{"YearDownFromLeapDay", "2012/02/29", {{DateUnit::kYear, -1}}, "2011/02/28"},
        StepCase{"DayUpOverTheYearEnd", "2012/12/31", {{DateUnit::kDay, 1}}, "2013/01/01"},
        StepCase{"MonthDownOverTheYearStart", "2013/01/15", {{DateUnit::kMonth, -1}}, "2012/12/15"},
        StepCase{"OneDigitMonthAndDayAreRead", "2012/1/5", {{DateUnit::kDay, 1}}, "2012/01/06"},
        StepCase{"NoDateStepsFromToday", "Sept 26", {{DateUnit::kDay, 1}}, "2026/09/27"},
        StepCase{
            "ImpossibleDateStepsFromToday", "2012/02/30", {{DateUnit::kYear, 1}}, "2027/09/26"},
        StepCase{"PastTheLastYearKeepsTheText", "9999/12/31", {{DateUnit::kDay, 1}}, "9999/12/31"}),
    testing::ParamName());

TEST(LimitKeys, DigitsAndThePointOnly) {
  QString kept;
  for (const QChar c : QStringLiteral("35a0.5-+ e,５")) {
    if (IsLimitCharacter(c)) kept += c;
  }
  EXPECT_EQ(kept, "350.5");
}

struct LimitCase {
  const char* name;
  QString text;
  std::optional<std::int16_t> limit;
};

class LimitFromTextTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(LimitFromTextTest, ConvertsHalfToEven) {
  EXPECT_EQ(LimitFromText(GetParam().text), GetParam().limit);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, LimitFromTextTest,
    ::testing::Values(
        LimitCase{"Whole", "3530", 3530}, LimitCase{"HalfDownToEven", "3530.5", 3530},
        LimitCase{"HalfUpToEven", "3531.5", 3532}, LimitCase{"AboveHalf", "3530.51", 3531},
        LimitCase{"Zero", "0", 0}, LimitCase{"LargestLimit", "32767", 32767},
        LimitCase{"RoundsPastTheLargest", "32767.5", std::nullopt},
        LimitCase{"TooLarge", "50100", std::nullopt}, LimitCase{"Empty", "", std::nullopt},
        LimitCase{"OnlyAPoint", ".", std::nullopt}, LimitCase{"TwoPoints", "3.5.1", std::nullopt},
        LimitCase{"LeadingPoint", ".5", 0}),
    testing::ParamName());

BandPlans DefaultPlans() {
  BandPlans plans;
  plans.high = {4000, 7300, 14350, 21450, 29700};
  plans.low = {3500, 7000, 14000, 21000, 28000};
  plans.ja_high80 = {3580, 3612, 3687, 3716, 3770, 3805};
  plans.ja_low80 = {3530, 3599, 3662, 3702, 3745, 3791};
  plans.ja_high = {7200, 14350, 21450, 29700};
  plans.ja_low = {7030, 14070, 21070, 28070};
  return plans;
}

std::vector<QString> TextsOf(const BandPlans& plans) {
  std::vector<QString> texts;
  for (const LimitBox& box : LimitBoxes()) texts.push_back(QString::number(LimitOf(plans, box)));
  return texts;
}

TEST(LimitBoxes, NameEveryBandLimitKeyOnceInDialogOrder) {
  QStringList keys;
  for (const LimitBox& box : LimitBoxes()) keys.append(box.key);
  EXPECT_EQ(
      keys,
      (QStringList{"Llimit80",     "Hlimit80",     "Llimit40",     "Hlimit40",     "Llimit20",
                   "Hlimit20",     "Llimit15",     "Hlimit15",     "Llimit10",     "Hlimit10",
                   "JaLlimit80_1", "JaHlimit80_1", "JaLlimit80_2", "JaHlimit80_2", "JaLlimit80_3",
                   "JaHlimit80_3", "JaLlimit80_4", "JaHlimit80_4", "JaLlimit80_5", "JaHlimit80_5",
                   "JaLlimit80_6", "JaHlimit80_6", "JaLlimit40",   "JaHlimit40",   "JaLlimit20",
                   "JaHlimit20",   "JaLlimit15",   "JaHlimit15",   "JaLlimit10",   "JaHlimit10"}));
  // Each box reaches its own limit: the default plans read back in key order.
  EXPECT_EQ(
      TextsOf(DefaultPlans()),
      (std::vector<QString>{"3500",  "4000",  "7000",  "7300",  "14000", "14350", "21000", "21450",
                            "28000", "29700", "3530",  "3580",  "3599",  "3612",  "3662",  "3687",
                            "3702",  "3716",  "3745",  "3770",  "3791",  "3805",  "7030",  "7200",
                            "14070", "14350", "21070", "21450", "28070", "29700"}));
}

TEST(LimitsFromTexts, StoresEveryBoxWhenAllConvert) {
  std::vector<QString> texts = TextsOf(DefaultPlans());
  texts[14] = "3660.5";  // JaLlimit80_3
  texts[15] = "3689.5";  // JaHlimit80_3
  texts[0] = "0";
  const LimitsOutcome outcome = LimitsFromTexts(DefaultPlans(), texts);
  ASSERT_TRUE(outcome.Ok());
  BandPlans expected = DefaultPlans();
  expected.ja_low80[2] = 3660;
  expected.ja_high80[2] = 3690;
  expected.low[0] = 0;
  EXPECT_EQ(TextsOf(outcome.plans), TextsOf(expected));
}

TEST(LimitsFromTexts, ChangesNothingWhenABoxCannotBeConverted) {
  std::vector<QString> texts = TextsOf(DefaultPlans());
  texts[1] = "40000";
  texts[3] = "7250";
  texts[22] = "";
  const LimitsOutcome outcome = LimitsFromTexts(DefaultPlans(), texts);
  EXPECT_EQ(outcome.unconvertible, (std::vector<int>{1, 22}));
  EXPECT_EQ(TextsOf(outcome.plans), TextsOf(DefaultPlans()));
  EXPECT_EQ(UnconvertibleLimitsMessage(outcome.unconvertible, texts),
            "次の欄の値はバンドの限度 (0～32767 kHz) になりません。\r\n"
            "国外バンドプラン 80m 上　限: 40000\r\n"
            "国内バンドプラン 40m 下　限: (空欄)\r\n"
            "設定は変更されていません。");
}

}  // namespace
}  // namespace tovek
