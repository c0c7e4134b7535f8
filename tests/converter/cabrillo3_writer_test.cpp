#include "converter/cabrillo3_writer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "tests/converter/qt_printers.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

struct TextCase {
  QsoColumn column;
  QString value;
  QString text;
};

std::string Describe(const TextCase& c) {
  return (ColumnCaption(c.column) + " '" + c.value + "'").toStdString();
}

TEST(ColumnText, EveryColumnWithTheDefaultWidths) {
  const QList<TextCase> cases = {
      {QsoColumn::kFrequency, "14.080", "14080 "},
      {QsoColumn::kFrequency, "7.045", " 7045 "},
      {QsoColumn::kFrequency, "3.5", " 3500 "},
      // 2.002 * 1000 is a hair below 2002 until it is rounded to 15 digits.
      {QsoColumn::kFrequency, "2.002", " 2002 "},
      {QsoColumn::kFrequency, "21.0999", "21099 "},
      {QsoColumn::kFrequency, "14.09174", "14091 "},
      {QsoColumn::kFrequency, "144.300", "44300 "},
      {QsoColumn::kFrequency, "1296.1", "96100 "},
      {QsoColumn::kFrequency, "0.1357", "  135 "},
      {QsoColumn::kFrequency, " 28.5 ", "28500 "},
      {QsoColumn::kFrequency, "", "      "},
      {QsoColumn::kFrequency, "14,080", "      "},
      {QsoColumn::kFrequency, "20M", "      "},
      {QsoColumn::kFrequency, "-7.0", "      "},
      {QsoColumn::kMode, "RTTY", "RY "},
      {QsoColumn::kMode, "SSB", "PH "},
      {QsoColumn::kMode, "CW", "CW "},
      {QsoColumn::kMode, "USB", "   "},
      {QsoColumn::kMode, "FM", "   "},
      {QsoColumn::kMode, "RTTY ", "   "},
      {QsoColumn::kMode, "", "   "},
      {QsoColumn::kDate, "20261205", "2026-12-05 "},
      {QsoColumn::kDate, "202612051", "2026-12-05 "},
      {QsoColumn::kDate, "2026125", "2026-12-5  "},
      {QsoColumn::kDate, "", "--         "},
      {QsoColumn::kTime, "120305", "1203 "},
      {QsoColumn::kTime, "1203", "1203 "},
      {QsoColumn::kTime, "93", "93   "},
      {QsoColumn::kTime, "", "     "},
      {QsoColumn::kMyCall, "JA1ABC", "JA1ABC        "},
      {QsoColumn::kMyCall, "JA1ABCDEFGHIJ", "JA1ABCDEFGHIJ "},
      {QsoColumn::kMyCall, "JA1ABCDEFGHIJKL", "JA1ABCDEFGHIJK"},
      {QsoColumn::kSentRst, "599", "599 "},
      {QsoColumn::kSentRst, "59901", "5990"},
      {QsoColumn::kSentNo, "001", "001    "},
      {QsoColumn::kSentNo, "", "       "},
      {QsoColumn::kHisCall, "K1ABC", "K1ABC         "},
      {QsoColumn::kRcvdRst, "57", "57  "},
      {QsoColumn::kRcvdNo, "123", "123"},
      {QsoColumn::kRcvdNo, "1995", "199"},
      {QsoColumn::kRcvdNo, "7", "7  "},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(ColumnText(c.column, c.value, QsoFieldWidths()), c.text) << Describe(c);
  }
}

TEST(ColumnText, WidthsCutOrPadToTheirLimit) {
  QsoFieldWidths widths{20, 0, 7, 10, 1, 10};
  const QList<TextCase> cases = {
      {QsoColumn::kMyCall, "JA1ABC", "JA1ABC              "},
      {QsoColumn::kHisCall, "K1ABC", ""},
      {QsoColumn::kSentRst, "599", "599    "},
      {QsoColumn::kSentNo, "12345678901", "1234567890"},
      {QsoColumn::kRcvdRst, "599", "5"},
      {QsoColumn::kRcvdNo, "", "          "},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(ColumnText(c.column, c.value, widths), c.text) << Describe(c);
  }
}

TEST(DisplayText, TheFormsTheWindowShows) {
  const QList<TextCase> cases = {
      {QsoColumn::kFrequency, "14.080", "14080"},
      {QsoColumn::kFrequency, "144.3", "144300"},
      {QsoColumn::kFrequency, "2.002", "2002"},
      {QsoColumn::kFrequency, "X", ""},
      {QsoColumn::kMode, "RTTY", "RTTY"},
      {QsoColumn::kDate, "20261205", "2026-12-05"},
      {QsoColumn::kDate, "", ""},
      {QsoColumn::kTime, "120305", "12:03"},
      {QsoColumn::kTime, "1203", "12:03"},
      {QsoColumn::kTime, "", ""},
      {QsoColumn::kMyCall, " JA1ABC ", " JA1ABC "},
      {QsoColumn::kRcvdNo, "0042", "0042"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(DisplayText(c.column, c.value), c.text) << Describe(c);
}

TEST(CbrFileBaseName, KeepsTheNameInsideItsFolder) {
  const QList<std::pair<QString, std::optional<QString>>> cases = {
      {"JA1ABC", "JA1ABC"},        {"  JA1ABC ", "JA1ABC"},
      {"JA1ABC/1", "JA1ABC-1"},    {"KH6/JA1ABC", "KH6-JA1ABC"},
      {"JA1ABC/", "JA1ABC-"},      {"JA1ABC/1/P", std::nullopt},
      {"../JA1ABC", std::nullopt}, {"JA1..ABC", std::nullopt},
      {"JA1ABC\\1", std::nullopt}, {"JA1:ABC", std::nullopt},
      {"JA1ABC?", std::nullopt},   {"JA1\tABC", std::nullopt},
      {"JA1\nABC", std::nullopt},  {"", std::nullopt},
      {"   ", std::nullopt},       {QStringLiteral("ＪＡ１ＡＢＣ"), QStringLiteral("ＪＡ１ＡＢＣ")},
  };
  for (const auto& [call, name] : cases) {
    EXPECT_EQ(CbrFileBaseName(call), name) << call.toStdString();
  }
  EXPECT_EQ(ConvertQuestion(" JA1ABC "), QStringLiteral("JA1ABC.cbr ファイルを出力しますか ??"));
  EXPECT_EQ(ConvertQuestion("JA1ABC/3"), QStringLiteral("JA1ABC-3.cbr ファイルを出力しますか ??"));
}

// Two QSOs of one station, the second logged by another operator.
const AdifRecordList kRecords = {
    "<CALL:5>K1ABC<QSO_DATE:8:D>20261205<TIME_ON:6>120305<FREQ:6>14.080<MODE:4>RTTY"
    "<RST_SENT:3>599<RST_RCVD:3>579<STX:3>001<SRX:2>42<OPERATOR:7> JA1ABC<EOR>",
    "<CALL:4>W1AW<QSO_DATE:8>20261206<TIME_ON:4>0005<FREQ:5>2.002<MODE:3>SSB"
    "<RST_SENT:2>59<RST_RCVD:2>59<STX:3>002<OPERATOR:6>JH1XYZ<EOR>",
};

ConversionSetup CompleteSetup(const QString& folder) {
  ConversionSetup setup;
  setup.sources = AdifSet(kRecords).sources;
  setup.sources[Index(QsoColumn::kMyCall)] = ColumnSource::Field("OPERATOR");
  setup.sources[Index(QsoColumn::kSentNo)] = ColumnSource::Field("STX");
  setup.sources[Index(QsoColumn::kRcvdNo)] = ColumnSource::Field("SRX");
  setup.header.choices = {"TOVEK-WW-RTTY", "SINGLE-OP", "ALL", "RTTY", " LOW ", ""};
  setup.header.texts = {" JA1ABC JH1XYZ ", "Taro Yamada", "1-2-3 Chiyoda",    "Tokyo", "",
                        "100-0001",        "Japan",       "ja1abc@example.jp"};
  setup.output_folder = folder;
  return setup;
}

class CountingProgress final : public Progress {
 public:
  void SetMaximum(qint64 maximum) override { maximum_ = maximum; }
  void SetValue(qint64 value) override { value_ = value; }
  void SetLabel(int, const QString&) override {}
  void Yield() override { ++yields_; }
  qint64 maximum_ = -1, value_ = -1;
  int yields_ = 0;
};

TEST(CbrLines, WholeFile) {
  CountingProgress progress;
  const QStringList lines = CbrLines(kRecords, CompleteSetup("/tmp"), progress);
  EXPECT_EQ(lines,
            (QStringList{
                "START-OF-LOG: 3.0",
                "CALLSIGN: JA1ABC",
                "CONTEST: TOVEK-WW-RTTY",
                "CATEGORY-OPERATOR: SINGLE-OP",
                "CATEGORY-BAND: ALL",
                "CATEGORY-MODE: RTTY",
                "CATEGORY-POWER:  LOW ",
                "CATEGORY-STATION: ",
                "OPERATORS: JA1ABC JH1XYZ",
                "NAME: Taro Yamada",
                "ADDRESS: 1-2-3 Chiyoda",
                "ADDRESS-CITY: Tokyo",
                "ADDRESS-STATE-PROVINCE: ",
                "ADDRESS-POSTALCODE: 100-0001",
                "ADDRESS-COUNTRY: Japan",
                "EMAIL: ja1abc@example.jp",
                "CREATED-BY: Morrick 1.0.31",
                "QSO: 14080 RY 2026-12-05 1203  JA1ABC       599 001    K1ABC         579 42 ",
                "QSO:  2002 PH 2026-12-06 0005 JH1XYZ        59  002    W1AW          59     ",
                "END-OF-LOG:",
            }));
  EXPECT_EQ(progress.maximum_, 2);
  EXPECT_EQ(progress.value_, 2);
  EXPECT_EQ(progress.yields_, 2);
}

TEST(CbrLines, ReplacementsAreTrimmedAndTheSameOnEveryLine) {
  ConversionSetup setup = CompleteSetup("/tmp");
  setup.sources[Index(QsoColumn::kMyCall)] = ColumnSource::Replace();
  setup.replacements[Index(QsoColumn::kMyCall)] = "  JA1ABC/1 ";
  setup.sources[Index(QsoColumn::kSentRst)] = ColumnSource::Replace();
  setup.replacements[Index(QsoColumn::kSentRst)] = " 599 ";
  setup.sources[Index(QsoColumn::kRcvdNo)] = ColumnSource::Replace();
  setup.replacements[Index(QsoColumn::kRcvdNo)] = "AS";
  setup.widths.his_call = 0;
  NoProgress progress;
  const QStringList lines = CbrLines(kRecords, setup, progress);
  ASSERT_EQ(lines.size(), 20);
  EXPECT_EQ(lines[1], "CALLSIGN: JA1ABC/1");
  EXPECT_EQ(lines[17], "QSO: 14080 RY 2026-12-05 1203 JA1ABC/1      599 001    579 AS ");
  EXPECT_EQ(lines[18], "QSO:  2002 PH 2026-12-06 0005 JA1ABC/1      599 002    59  AS ");
}

TEST(ColumnSample, WhatTheWindowShowsForRecordOne) {
  ConversionSetup setup = CompleteSetup("/tmp");
  setup.sources[Index(QsoColumn::kSentRst)] = ColumnSource::Replace();
  setup.replacements[Index(QsoColumn::kSentRst)] = " 5nn ";
  QStringList samples;
  for (const QsoColumn column : kQsoColumns) samples.append(ColumnSample(kRecords, setup, column));
  EXPECT_EQ(samples, (QStringList{"14080", "RTTY", "2026-12-05", "12:03", " JA1ABC", " 5nn ", "001",
                                  "K1ABC", "579", "42"}));
  EXPECT_EQ(StationCall(kRecords, setup), " JA1ABC");
  EXPECT_EQ(ColumnSample({}, setup, QsoColumn::kMode), "");
  EXPECT_EQ(ColumnSample({}, setup, QsoColumn::kSentRst), " 5nn ");
  setup.sources[Index(QsoColumn::kMode)] = ColumnSource();
  EXPECT_EQ(ColumnSample(kRecords, setup, QsoColumn::kMode), "");
}

TEST(CheckConversion, RequiredValuesThenFolderThenName) {
  TempFolder folder;
  const QString file = folder.Write("file.txt", "x");
  struct Case {
    const char* what;
    std::function<void(ConversionSetup&)> change;
    ConvertCheck check;
  };
  const QList<Case> cases = {
      {"complete", [](ConversionSetup&) {}, ConvertCheck::kReady},
      {"no station call",
       [](ConversionSetup& s) { s.sources[Index(QsoColumn::kMyCall)] = ColumnSource(); },
       ConvertCheck::kMissingValues},
      {"blank replacement call",
       [](ConversionSetup& s) {
         s.sources[Index(QsoColumn::kMyCall)] = ColumnSource::Replace();
         s.replacements[Index(QsoColumn::kMyCall)] = "   ";
       },
       ConvertCheck::kMissingValues},
      {"no contest", [](ConversionSetup& s) { s.header.choices[0].clear(); },
       ConvertCheck::kMissingValues},
      {"blank power", [](ConversionSetup& s) { s.header.choices[4] = "  "; },
       ConvertCheck::kMissingValues},
      {"no station category but every text empty",
       [](ConversionSetup& s) {
         s.header.choices[5].clear();
         s.header.texts = {};
       },
       ConvertCheck::kReady},
      {"no received number source",
       [](ConversionSetup& s) { s.sources[Index(QsoColumn::kRcvdNo)] = ColumnSource(); },
       ConvertCheck::kMissingValues},
      {"empty replacement number",
       [](ConversionSetup& s) { s.sources[Index(QsoColumn::kSentNo)] = ColumnSource::Replace(); },
       ConvertCheck::kMissingValues},
      {"field empty in record 1",
       [](ConversionSetup& s) { s.sources[Index(QsoColumn::kRcvdNo)] = ColumnSource::Field("X"); },
       ConvertCheck::kMissingValues},
      {"frequency not a number",
       [](ConversionSetup& s) {
         s.sources[Index(QsoColumn::kFrequency)] = ColumnSource::Field("MODE");
       },
       ConvertCheck::kMissingValues},
      {"missing values and no folder",
       [](ConversionSetup& s) {
         s.header.choices[1].clear();
         s.output_folder.clear();
       },
       ConvertCheck::kMissingValues},
      {"no folder", [](ConversionSetup& s) { s.output_folder.clear(); },
       ConvertCheck::kNoOutputFolder},
      {"folder gone", [&](ConversionSetup& s) { s.output_folder = folder.File("gone"); },
       ConvertCheck::kNoOutputFolder},
      {"folder is a file", [&](ConversionSetup& s) { s.output_folder = file; },
       ConvertCheck::kNoOutputFolder},
      {"call with two slashes",
       [](ConversionSetup& s) {
         s.sources[Index(QsoColumn::kMyCall)] = ColumnSource::Replace();
         s.replacements[Index(QsoColumn::kMyCall)] = "JA1ABC/1/P";
       },
       ConvertCheck::kUnsafeFileName},
  };
  for (const Case& c : cases) {
    ConversionSetup setup = CompleteSetup(folder.Path());
    c.change(setup);
    EXPECT_EQ(CheckConversion(kRecords, setup), c.check) << c.what;
  }
  EXPECT_EQ(CheckConversion({}, CompleteSetup(folder.Path())), ConvertCheck::kMissingValues);

  EXPECT_EQ(ConvertCheckMessage(ConvertCheck::kMissingValues, "JA1ABC"),
            QStringLiteral("データ項目をセットしてください"));
  EXPECT_EQ(ConvertCheckMessage(ConvertCheck::kNoOutputFolder, "JA1ABC"),
            QStringLiteral("ログフォルダーを設定してください\n作業を続行できません"));
  EXPECT_EQ(ConvertCheckMessage(ConvertCheck::kUnsafeFileName, " A/B/C "),
            QStringLiteral("コールサイン「A/B/C」はファイル名に使えません\n作業を続行できません"));
  EXPECT_EQ(ConvertCheckMessage(ConvertCheck::kReady, "JA1ABC"), "");
}

TEST(CbrOut, WritesCodePageTextAndReplacesAnEarlierFile) {
  TempFolder folder;
  ConversionSetup setup = CompleteSetup(folder.Path());
  setup.header.texts[1] = QStringLiteral("山田 太郎 ☃");
  const QString earlier = folder.Write("JA1ABC.cbr", "an earlier conversion");
  NoProgress progress;
  const CbrOutcome outcome = CbrOut(kRecords, setup, progress);
  EXPECT_TRUE(outcome.written);
  EXPECT_TRUE(outcome.file.ok);
  EXPECT_EQ(outcome.path, earlier);
  const QByteArray bytes = ReadBytes(earlier);
  EXPECT_TRUE(bytes.startsWith("START-OF-LOG: 3.0\r\nCALLSIGN: JA1ABC\r\n"));
  EXPECT_TRUE(bytes.contains("\r\nNAME: \x8e\x52\x93\x63 \x91\xbe\x98\x59 ?\r\n"));
  EXPECT_TRUE(bytes.endsWith("59     \r\nEND-OF-LOG:\r\n"));
  EXPECT_EQ(bytes.count("\r\n"), 20);
  EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files), QStringList{"JA1ABC.cbr"});
}

TEST(CbrOut, FailureLeavesTheEarlierFileAndSaysWhy) {
  TempFolder folder;
  const QString earlier = folder.Write("JA1ABC.cbr", "kept");
  ConversionSetup setup = CompleteSetup(folder.File("gone"));
  NoProgress progress;
  const CbrOutcome outcome = CbrOut(kRecords, setup, progress);
  EXPECT_FALSE(outcome.written);
  EXPECT_FALSE(outcome.file.ok);
  EXPECT_FALSE(outcome.file.error.isEmpty());
  EXPECT_EQ(outcome.path, folder.File("gone/JA1ABC.cbr"));

  // A folder of the file's name cannot be replaced by the file.
  QDir(folder.Path()).mkdir("sub");
  QDir(folder.File("sub")).mkdir("JA1ABC.cbr");
  setup.output_folder = folder.File("sub");
  EXPECT_FALSE(CbrOut(kRecords, setup, progress).file.ok);
  EXPECT_EQ(ReadBytes(earlier), "kept");
}

TEST(CbrOut, NothingIsWrittenWithoutRecordsOrWithAnUnsafeName) {
  TempFolder folder;
  NoProgress progress;
  ConversionSetup setup = CompleteSetup(folder.Path());
  setup.sources[Index(QsoColumn::kMyCall)] = ColumnSource::Replace();
  setup.replacements[Index(QsoColumn::kMyCall)] = "JA1ABC";
  const CbrOutcome empty = CbrOut({}, setup, progress);
  EXPECT_FALSE(empty.written);
  EXPECT_TRUE(empty.file.ok);
  setup.replacements[Index(QsoColumn::kMyCall)] = "../../JA1ABC";
  const CbrOutcome unsafe = CbrOut(kRecords, setup, progress);
  EXPECT_FALSE(unsafe.written);
  EXPECT_FALSE(unsafe.file.ok);
  EXPECT_TRUE(QDir(folder.Path()).isEmpty());
}

// A real contest log of another logging program, converted whole.
TEST(CbrOut, RealRttyContestLog) {
  const QString path = QStringLiteral(TOVEK_REAL_DATA_DIR
                                      "/adif/JI1FLB_N1MM-Logger-ADIF-file-to-JARL-Contest-log-"
                                      "convertor_JI1FLB.adi");
  if (!QFileInfo::exists(path)) GTEST_SKIP() << "no real data";
  TempFolder folder;
  const AdifReadOutcome read = AdifRead(path);
  ConversionSetup setup;
  setup.sources = AdifSet(read.records).sources;
  setup.sources[Index(QsoColumn::kSentNo)] = ColumnSource::Field("STX");
  setup.sources[Index(QsoColumn::kRcvdNo)] = ColumnSource::Field("APP_N1MM_EXCHANGE1");
  setup.widths.rcvd_no = 4;
  setup.header.choices = {"TOVEK-WW-RTTY", "SINGLE-OP", "20M", "RTTY", "HIGH", "FIXED"};
  setup.output_folder = folder.Path();
  ASSERT_EQ(CheckConversion(read.records, setup), ConvertCheck::kReady);
  NoProgress progress;
  const CbrOutcome outcome = CbrOut(read.records, setup, progress);
  ASSERT_TRUE(outcome.written) << outcome.file.error.toStdString();
  EXPECT_EQ(QFileInfo(outcome.path).fileName(), "JI1FLB6.cbr");
  const QList<QByteArray> lines = ReadBytes(outcome.path).split('\n');
  ASSERT_EQ(lines.size(), 17 + 19 + 2);
  EXPECT_EQ(lines[1], "CALLSIGN: JI1FLB6\r");
  EXPECT_EQ(lines[17],
            "QSO: 14091 RY 2018-08-25 1205 JI1FLB6       599 1      DS5USH        599 1995\r");
  EXPECT_EQ(lines[18],
            "QSO: 14081 RY 2018-08-25 1208 JI1FLB6       599 2      BV2A/3        599 1957\r");
  EXPECT_EQ(lines[36], "END-OF-LOG:\r");
  for (int i = 17; i < 36; ++i) {
    EXPECT_EQ(lines[i].size(), 5 + 6 + 3 + 11 + 5 + 14 + 4 + 7 + 14 + 4 + 4 + 1) << i;
  }
}

}  // namespace
}  // namespace tovek
