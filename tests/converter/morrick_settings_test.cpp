#include "converter/morrick_settings.h"

#include <gtest/gtest.h>

#include "tests/converter/qt_printers.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

TEST(MorrickSettings, MissingFileGivesTheDefaultsAndSavesSeventeenKeys) {
  TempFolder folder;
  const QString path = folder.File("Morrick.ini");
  MorrickSettings settings;
  EXPECT_EQ(LoadMorrickSettings(path, settings), SettingsLoadStatus::kMissing);
  EXPECT_EQ(settings.widths, (QsoFieldWidths{14, 14, 4, 7, 4, 3}));
  EXPECT_EQ(settings.font_name, QStringLiteral("ＭＳ 明朝"));
  EXPECT_FALSE(settings.me_left.has_value());
  ASSERT_TRUE(MorrickSettingsFile(path, settings).Save().ok);
  EXPECT_EQ(ReadBytes(path),
            "MeLeft=0\r\nMeTop=0\r\nAdiLogFolder=\r\nCbrLogFolder=\r\nAdiFontName=\x82\x6c\x82\x72 "
            "\x96\xbe\x92\xa9\r\nContest=\r\nCateOpe=\r\nCateBand=\r\nCateMode=\r\nCatePower=\r\n"
            "CateStation=\r\nMyCallLen=14\r\nUrCallLen=14\r\nSrstLen=4\r\nSNoLen=7\r\nRrstLen=4\r\n"
            "RNoLen=3\r\n");
}

TEST(MorrickSettings, SavedValuesReadBack) {
  TempFolder folder;
  const QString path = folder.File("Morrick.ini");
  MorrickSettings first;
  LoadMorrickSettings(path, first);
  first.me_left = 1440;
  first.me_top = 720.5f;
  first.adif_folder = QStringLiteral("/home/局/adif");
  first.cabrillo_folder = "/home/ja1abc/cbr";
  first.font_name = "IPAGothic";
  first.header_choices = {"TOVEK-WW-RTTY", "SINGLE-OP", "ALL", "RTTY", "LOW", ""};
  first.widths = {20, 12, 7, 10, 5, 1};
  ASSERT_TRUE(MorrickSettingsFile(path, first).Save().ok);
  MorrickSettings second;
  EXPECT_EQ(LoadMorrickSettings(path, second), SettingsLoadStatus::kLoaded);
  EXPECT_EQ(second.me_left, 1440.0f);
  EXPECT_EQ(second.me_top, 720.5f);
  EXPECT_EQ(second.adif_folder, first.adif_folder);
  EXPECT_EQ(second.cabrillo_folder, first.cabrillo_folder);
  EXPECT_EQ(second.font_name, "IPAGothic");
  EXPECT_EQ(second.header_choices, first.header_choices);
  EXPECT_EQ(second.widths, first.widths);
}

// Widths edited by hand: 0 takes the default, anything beyond a spinner's
// range is brought to its end.
TEST(MorrickSettings, WidthsComeIntoTheirRanges) {
  TempFolder folder;
  const QString path = folder.Write(
      "Morrick.ini",
      "MyCallLen=0\nUrCallLen=99\nSrstLen=-3\nSNoLen=11\nRrstLen = 7\nRNoLen=abc\nAdiFontName=\n");
  MorrickSettings settings;
  LoadMorrickSettings(path, settings);
  EXPECT_EQ(settings.widths, (QsoFieldWidths{14, 20, 0, 10, 7, 3}));
  EXPECT_EQ(settings.font_name, QStringLiteral("ＭＳ 明朝"));
}

TEST(HeaderLists, OneItemPerLineAsItStands) {
  TempFolder folder;
  folder.Write("Contest.lst", "TOVEK-WW-RTTY\r\n OTHER \r\n");
  folder.Write("CateOp.lst", "SINGLE-OP\nMULTI-OP\n");
  folder.Write("CateStn.lst", "\r\nFIXED\r\n\r\nPORTABLE");
  const HeaderLists lists = LoadHeaderLists(folder.Path());
  EXPECT_EQ(lists[0], (QStringList{"TOVEK-WW-RTTY", " OTHER "}));
  EXPECT_EQ(lists[1], (QStringList{"SINGLE-OP", "MULTI-OP"}));
  EXPECT_TRUE(lists[2].isEmpty());
  EXPECT_TRUE(lists[3].isEmpty());
  EXPECT_TRUE(lists[4].isEmpty());
  EXPECT_EQ(lists[5], (QStringList{"", "FIXED", "", "PORTABLE"}));
}

TEST(HeaderLists, ShippedFilesOfferTheCabrilloValues) {
  const HeaderLists lists = LoadHeaderLists(QStringLiteral(TOVEK_PROGRAM_DIR));
  EXPECT_TRUE(lists[0].contains("TOVEK-WW-RTTY"));
  EXPECT_EQ(lists[1], (QStringList{"SINGLE-OP", "MULTI-OP", "CHECKLOG"}));
  for (const char* band : {"ALL", "80M", "40M", "20M", "15M", "10M"}) {
    EXPECT_TRUE(lists[2].contains(band)) << band;
  }
  EXPECT_TRUE(lists[3].contains("RTTY"));
  EXPECT_EQ(lists[4], (QStringList{"HIGH", "LOW", "QRP"}));
  // CATEGORY-STATION may be left out: its list offers an empty choice.
  EXPECT_EQ(lists[5].first(), "");
  EXPECT_TRUE(lists[5].contains("FIXED"));
}

TEST(TypedUpperCase, OnlyLettersAToZBecomeCapitals) {
  EXPECT_EQ(TypedUpperCase(QStringLiteral("ja1abc/p ñ ａ 599 Zz")),
            QStringLiteral("JA1ABC/P ñ ａ 599 ZZ"));
}

TEST(QsoColumns, CaptionsAndReplaceableColumns) {
  QStringList captions;
  QStringList replaceable;
  for (const QsoColumn column : kQsoColumns) {
    captions.append(ColumnCaption(column));
    if (OffersReplace(column))
      replaceable.append(ColumnCaption(column) + "=" + ReplacementPreset(column));
  }
  EXPECT_EQ(captions, (QStringList{"FREQENCY", "MODE", "DATE", "TIME", "MY CALLSIGN", "SEND RST",
                                   "SEND NO", "UR CALLSIGN", "RCVD RST", "RCVD NO"}));
  EXPECT_EQ(replaceable,
            (QStringList{"MY CALLSIGN=", "SEND RST=599", "SEND NO=", "RCVD RST=599", "RCVD NO="}));
  EXPECT_EQ(ColumnByCaption(" send no "), QsoColumn::kSentNo);
  EXPECT_EQ(ColumnByCaption("FREQUENCY"), std::nullopt);
}

}  // namespace
}  // namespace tovek
