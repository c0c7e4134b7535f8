#include "editor/kavrel_settings.h"

#include <gtest/gtest.h>

#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::TempFolder;

const QDate kToday(2026, 12, 9);

TEST(KavrelSettings, TableHasTheSeventyFourKeysInWrittenOrder) {
  KavrelSettings settings;
  const std::vector<SettingKey> keys = KavrelSettingKeys(settings, kToday);
  ASSERT_EQ(keys.size(), 74u);
  QStringList names;
  for (const SettingKey& key : keys) names.append(key.name);
  EXPECT_EQ(names.mid(0, 11),
            (QStringList{"frmLeft", "frmTop", "frmHeight", "frmWidth", "KavrelLeft", "KavrelTop",
                         "KavrelHeight", "KavrelWidth", "CabRLeft", "CabRTop", "GridWidth0"}));
  EXPECT_EQ(names[20], "GridWidth10");
  EXPECT_EQ(names.mid(21, 12),
            (QStringList{"EditPos", "EditLen", "TimePos", "BandPos", "DelPos", "FontName",
                         "FontSize", "FontBold", "FontItalic", "LogFolder", "StartDate",
                         "CabBandPos"}));
  EXPECT_EQ(names.mid(43, 12),
            (QStringList{"CabRptlen", "Hlimit80", "Hlimit40", "Hlimit20", "Hlimit15", "Hlimit10",
                         "Llimit80", "Llimit40", "Llimit20", "Llimit15", "Llimit10",
                         "JaHlimit80_1"}));
  EXPECT_EQ(names.mid(66), (QStringList{"JaHlimit40", "JaHlimit20", "JaHlimit15", "JaHlimit10",
                                        "JaLlimit40", "JaLlimit20", "JaLlimit15", "JaLlimit10"}));
}

TEST(KavrelSettings, MissingFileGivesEveryDefault) {
  TempFolder folder;
  KavrelSettings s;
  SettingsFile file = KavrelSettingsFile(folder.Path(), s, kToday);
  EXPECT_EQ(file.Load(), SettingsLoadStatus::kMissing);
  EXPECT_FALSE(s.frm_left.has_value());
  EXPECT_EQ(s.summary_height, 7000);
  EXPECT_EQ(s.summary_width, 11500);
  EXPECT_EQ(s.grid_widths, (std::array<std::int32_t, 11>{795, 945, 795, 1830, 1020, 1785, 660,
                                                          810, 1785, 660, 810}));
  EXPECT_EQ(s.font_name, QStringLiteral("ＭＳ ゴシック"));
  EXPECT_EQ(s.font_size, 14);
  EXPECT_FALSE(s.font_bold);
  EXPECT_TRUE(s.log_folder.isEmpty());
  EXPECT_EQ(s.start_date, "2026/12/09");
  EXPECT_EQ(s.layout.band_pos, 6);
  EXPECT_EQ(s.layout.rcvd_rpt_pos, 74);
  EXPECT_EQ(s.layout.rpt_len, 2);
  EXPECT_EQ(s.limits.high, (std::array<std::int16_t, 5>{4000, 7300, 14350, 21450, 29700}));
  EXPECT_EQ(s.limits.low, (std::array<std::int16_t, 5>{3500, 7000, 14000, 21000, 28000}));
  EXPECT_EQ(s.limits.ja_high80, (std::array<std::int16_t, 6>{3580, 3612, 3687, 3716, 3770, 3805}));
  EXPECT_EQ(s.limits.ja_low80, (std::array<std::int16_t, 6>{3530, 3599, 3662, 3702, 3745, 3791}));
  EXPECT_EQ(s.limits.ja_high, (std::array<std::int16_t, 4>{7200, 14350, 21450, 29700}));
  EXPECT_EQ(s.limits.ja_low, (std::array<std::int16_t, 4>{7030, 14070, 21070, 28070}));
  EXPECT_EQ(s.edit_pos, 0);
}

TEST(KavrelSettings, SavedFileReadsBackIdentically) {
  TempFolder folder;
  KavrelSettings first;
  SettingsFile file = KavrelSettingsFile(folder.Path(), first, kToday);
  file.Load();
  first.frm_left = 1200;
  first.frm_width = 9600.5f;
  first.limits.ja_high80[2] = 3690;
  first.limits.ja_low80[2] = 3660;
  first.edit_pos = 31;
  first.edit_len = 12;
  first.font_italic = true;
  first.log_folder = QStringLiteral("/home/委員会/logs");
  ASSERT_TRUE(file.Save().ok);

  KavrelSettings second;
  SettingsFile again = KavrelSettingsFile(folder.Path(), second, QDate(2030, 1, 1));
  EXPECT_EQ(again.Load(), SettingsLoadStatus::kLoaded);
  EXPECT_EQ(again.Lines(), file.Lines());
  EXPECT_EQ(second.limits.ja_high80[2], 3690);
  EXPECT_EQ(second.start_date, "2026/12/09");
}

TEST(KavrelSettings, StoredZeroLimitComesBackAsTheDefault) {
  TempFolder folder;
  folder.Write("Kavrel.ini", "Hlimit20=0\r\nFontSize=0\r\nStartDate=\r\n");
  KavrelSettings s;
  KavrelSettingsFile(folder.Path(), s, kToday).Load();
  EXPECT_EQ(s.limits.high[2], 14350);
  EXPECT_EQ(s.font_size, 14);
  EXPECT_EQ(s.start_date, "2026/12/09");
}

}  // namespace
}  // namespace tovek
