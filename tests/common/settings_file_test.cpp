#include "common/settings_file.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::TempFolder;

// A small program's settings: one key of every type.
struct Sample {
  std::optional<float> left;
  std::int32_t height = 0;
  std::int16_t limit = 0;
  std::int16_t no_default = 0;
  bool bold = false;
  QString font;
  QString folder;

  std::vector<SettingKey> Keys() {
    return {{"frmLeft", &left, {}},          {"KavrelHeight", &height, "7000"},
            {"Hlimit20", &limit, "14350"},  {"EditPos", &no_default, {}},
            {"FontBold", &bold, {}},        {"FontName", &font, QStringLiteral("ＭＳ ゴシック")},
            {"LogFolder", &folder, {}}};
  }
};

class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsLoadStatus Load(const QByteArray& content, DefaultsRule rule) {
    folder_.Write("Test.ini", content);
    SettingsFile file(folder_.File("Test.ini"), sample_.Keys(), rule);
    return file.Load();
  }

  TempFolder folder_;
  Sample sample_;
};

TEST_F(SettingsFileTest, ReadsEveryTypeWithBlanksAroundTheEqualsSign) {
  EXPECT_EQ(Load("frmLeft = 1234.5\r\nKavrelHeight=8000\r\nHlimit20 =14000\r\n"
                 "FontBold= True\r\nFontName=  IPAGothic  \r\nLogFolder=/logs/a=b\r\n",
                 DefaultsRule::kApplyDefaults),
            SettingsLoadStatus::kLoaded);
  EXPECT_EQ(sample_.left, std::optional<float>(1234.5f));
  EXPECT_EQ(sample_.height, 8000);
  EXPECT_EQ(sample_.limit, 14000);
  EXPECT_TRUE(sample_.bold);
  EXPECT_EQ(sample_.font, "IPAGothic");
  EXPECT_EQ(sample_.folder, "/logs/a=b");  // a value may hold "="
}

TEST_F(SettingsFileTest, SkipsLinesItCannotUse) {
  Load("no equals sign\r\n\r\n=14000\r\nHLIMIT20=14000\r\nhlimit20=1\r\nEditPos=abc\r\n"
       "EditPos=\r\nKavrelHeight=99999999999\r\nFontBold=maybe\r\nUnknown=1\r\n",
       DefaultsRule::kApplyDefaults);
  EXPECT_EQ(sample_.limit, 14350);  // other letter case is another key: default stays
  EXPECT_EQ(sample_.no_default, 0);
  EXPECT_EQ(sample_.height, 7000);  // out of range for 32 bits
  EXPECT_FALSE(sample_.bold);
}

TEST_F(SettingsFileTest, LaterLineWinsAndNumbersRoundHalfToEven) {
  Load("EditPos=3\r\nEditPos=12.5\r\nHlimit20=7\r\nHlimit20=13.5\r\nFontBold=-1\r\n",
       DefaultsRule::kApplyDefaults);
  EXPECT_EQ(sample_.no_default, 12);
  EXPECT_EQ(sample_.limit, 14);
  EXPECT_TRUE(sample_.bold);  // any non-zero number is true
}

// A value of control characters alone is empty: it is written as blanks, so
// it must be read as nothing too, or a file's second load would differ.
TEST_F(SettingsFileTest, ZeroOrEmptyComesBackAsTheDefault) {
  Load("Hlimit20=0\r\nKavrelHeight=\x01\t\r\nFontName=\x1b\r\nEditPos=0\r\n",
       DefaultsRule::kApplyDefaults);
  EXPECT_EQ(sample_.limit, 14350);
  EXPECT_EQ(sample_.height, 7000);
  EXPECT_EQ(sample_.font, QStringLiteral("ＭＳ ゴシック"));
  EXPECT_EQ(sample_.no_default, 0);
  EXPECT_FALSE(sample_.left.has_value());
}

TEST_F(SettingsFileTest, AsReadRuleKeepsZeroAndMissingKeys) {
  sample_.height = 5;
  Load("Hlimit20=0\r\n", DefaultsRule::kAsRead);
  EXPECT_EQ(sample_.limit, 0);
  EXPECT_EQ(sample_.height, 5);
  EXPECT_TRUE(sample_.font.isEmpty());
}

TEST_F(SettingsFileTest, LinuxLineEndsAreRead) {
  Load("Hlimit20=14100\nEditPos=9\n", DefaultsRule::kApplyDefaults);
  EXPECT_EQ(sample_.limit, 14100);
  EXPECT_EQ(sample_.no_default, 9);
}

TEST_F(SettingsFileTest, MissingFileGivesDefaultsAndIsCreatedBySave) {
  SettingsFile file(folder_.File("Missing.ini"), sample_.Keys(), DefaultsRule::kApplyDefaults);
  EXPECT_EQ(file.Load(), SettingsLoadStatus::kMissing);
  EXPECT_EQ(sample_.limit, 14350);
  EXPECT_EQ(sample_.height, 7000);
  EXPECT_TRUE(file.Save().ok);
  EXPECT_TRUE(QFileInfo::exists(folder_.File("Missing.ini")));
}

TEST_F(SettingsFileTest, SavesEveryKeyInTableOrder) {
  sample_.left = 1500.0f;
  sample_.height = -20;
  sample_.limit = 14350;
  sample_.bold = true;
  sample_.font = QStringLiteral("ＭＳ ゴシック");
  SettingsFile file(folder_.File("Out.ini"), sample_.Keys(), DefaultsRule::kApplyDefaults);
  ASSERT_TRUE(file.Save().ok);
  EXPECT_EQ(testing::ReadBytes(folder_.File("Out.ini")),
            QByteArray("frmLeft=1500\r\nKavrelHeight=-20\r\nHlimit20=14350\r\nEditPos=0\r\n"
                       "FontBold=True\r\nFontName=\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e"
                       "\r\nLogFolder=\r\n"));
}

TEST_F(SettingsFileTest, FractionalPlacementIsWrittenShortest) {
  sample_.left = 1234.5f;
  SettingsFile file(folder_.File("Out.ini"), sample_.Keys(), DefaultsRule::kApplyDefaults);
  EXPECT_EQ(file.Lines().first(), "frmLeft=1234.5");
}

TEST_F(SettingsFileTest, TextLosesItsEndBlanksOnTheNextLoad) {
  sample_.folder = QStringLiteral("  /logs  ");
  SettingsFile file(folder_.File("Round.ini"), sample_.Keys(), DefaultsRule::kApplyDefaults);
  ASSERT_TRUE(file.Save().ok);
  sample_.folder.clear();
  file.Load();
  EXPECT_EQ(sample_.folder, "/logs");
}

TEST_F(SettingsFileTest, FailedSaveSaysWhyAndKeepsTheOldFile) {
  folder_.Write("Keep.ini", "Hlimit20=14000\r\n");
  SettingsFile blocked(folder_.File("no-such-folder/Keep.ini"), sample_.Keys(),
                       DefaultsRule::kApplyDefaults);
  const FileOutcome outcome = blocked.Save();
  EXPECT_FALSE(outcome.ok);
  EXPECT_FALSE(outcome.error.isEmpty());
  EXPECT_EQ(testing::ReadBytes(folder_.File("Keep.ini")), QByteArray("Hlimit20=14000\r\n"));
}

}  // namespace
}  // namespace tovek
