#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "common/text_file.h"
#include "tests/cli/review_test_support.h"

namespace tovek::cli {
namespace {

using testing::SamplesFolder;
using testing::Tovek;
using testing::WriteSampleSettings;
using tovek::testing::ReadBytes;
using tovek::testing::TempFolder;

QStringList Lines(const QString& path) {
  QStringList lines = DecodeCp932(ReadBytes(path)).split("\r\n");
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

// The frequency and the worked call of every QSO in a raw log, read apart
// from the editor: the text after each "QSO:" split at blanks.
struct RawQso {
  QString frequency;
  QString worked;
  friend bool operator==(const RawQso&, const RawQso&) = default;
};

QList<RawQso> RawQsos(const QString& path) {
  const QString text = DecodeCp932(ReadBytes(path));
  QList<RawQso> qsos;
  const QStringList chunks = text.split("QSO:").mid(1);
  for (const QString& chunk : chunks) {
    const QStringList tokens = chunk.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    qsos.append({tokens.value(0), tokens.value(7)});
  }
  return qsos;
}

QList<RawQso> WrittenQsos(const QStringList& cabrillo) {
  QList<RawQso> qsos;
  for (const QString& line : cabrillo) {
    if (line.startsWith("QSO:"))
      qsos.append({line.mid(5, 5).trimmed(), line.mid(54, 12).trimmed()});
  }
  return qsos;
}

struct SampleCase {
  const char* file;
  const char* call;
  int faults;           // lines of the error report
  bool uneven_lengths;  // the length pass warns
};

class TovekCabrilloSampleTest : public ::testing::TestWithParam<SampleCase> {};

TEST_P(TovekCabrilloSampleTest, BecomesACabrillo2FileAndAnErrorReport) {
  const SampleCase& sample = GetParam();
  TempFolder folder;
  const QString raw = QDir(SamplesFolder()).filePath(sample.file);
  const QString log = folder.Write(sample.file, ReadBytes(raw));
  const testing::TovekRun run = Tovek(
      {"cabrillo", "--settings", WriteSampleSettings(folder), "--out", folder.File("out"), log});
  const QDir out(folder.File("out"));
  ASSERT_EQ(run.status, kSuccess) << run.err.toStdString();
  EXPECT_EQ(run.out, out.filePath(QString(sample.call) + ".cbr") + "\n");
  EXPECT_EQ(run.err, sample.uneven_lengths ? "データ長が不揃いです\n" : "");

  const QStringList lines = Lines(out.filePath(QString(sample.call) + ".cbr"));
  ASSERT_GT(lines.size(), 14);
  EXPECT_EQ(lines.mid(0, 2), (QStringList{"START-OF-LOG: 2.0", "CONTEST: TOVEK-WW-RTTY"}));
  EXPECT_EQ(lines[4], QString("CALLSIGN: ") + sample.call);
  EXPECT_EQ(lines.last(), "END-OF-LOG:");
  for (const QString& line : lines.mid(13, lines.size() - 14)) {
    EXPECT_EQ(line.size(), 75) << line.toStdString();
  }
  QList<RawQso> expected = RawQsos(raw);
  if (QString(sample.file) == "dl1abc.log") {
    // The QSO broken over two rows is joined without a blank between its
    // parts ("599 14K1ABC/4"); the length pass warns, and the worked call
    // is read from the columns where it should have stood.
    const qsizetype broken = expected.indexOf(RawQso{"7035", "K1ABC/4"});
    ASSERT_GE(broken, 0);
    expected[broken].worked = "/4       599";
  }
  EXPECT_EQ(WrittenQsos(lines), expected);

  const QStringList report = Lines(out.filePath(QString(sample.call) + ".err"));
  EXPECT_EQ(report.size(), sample.faults == 0 ? 7 : 7 + sample.faults);
  EXPECT_EQ(report.mid(0, 4).join('|'),
            sample.faults == 0 ? "TOVEK Contest Error Report|||No Error Data"
                               : "TOVEK Contest Error Report||| Row  Error          Data");
  EXPECT_EQ(ReadBytes(log), ReadBytes(raw)) << "the log stays where it is";
}

INSTANTIATE_TEST_SUITE_P(
    Samples, TovekCabrilloSampleTest,
    ::testing::Values(SampleCase{"dl1abc.log", "DL1ABC", 0, true},
                      // 3585 kHz lies between two segments of the domestic 80 m plan.
                      SampleCase{"ja1xyz.log", "JA1XYZ", 6, false},
                      SampleCase{"k1abc.txt", "K1ABC", 0, false},
                      SampleCase{"vk3xyz.cbr", "VK3XYZ", 0, false},
                      SampleCase{"w1xyz.log", "W1XYZ", 0, false}),
    [](const auto& param_info) {
      return QString(param_info.param.file).section('.', 0, 0).toStdString();
    });

TEST(TovekCabrillo, TheJapaneseSampleLineByLine) {
  TempFolder folder;
  const QString log = QDir(SamplesFolder()).filePath("ja1xyz.log");
  const testing::TovekRun run =
      Tovek({"cabrillo", "--settings", WriteSampleSettings(folder), "--out", folder.Path(), log});
  ASSERT_EQ(run.status, kSuccess) << run.err.toStdString();
  const QStringList lines = Lines(folder.File("JA1XYZ.cbr"));
  EXPECT_EQ(lines.mid(0, 15),
            (QStringList{
                "START-OF-LOG: 2.0",
                "CONTEST: TOVEK-WW-RTTY",
                "ARRL-SECTION: AS",
                "CATEGORY: SOHP",
                "CALLSIGN: JA1XYZ",
                "OPERATORS: JA1XYZ",
                "NAME: 山田 太郎",
                "ADDRESS: 東京都千代田区1-1 <LF> 日本",
                "LOCATION: JA",
                "CLAIMED-SCORE: 0",
                "CLUB: TOVEK Radio Club",
                "CREATED-BY: Hand written",
                "SOAPBOX: 楽しいコンテストでした。",
                "QSO:  3585 RY 2026-09-26 0000 JA1XYZ       599 45     K1ABC          599 21",
                "QSO:  7035 RY 2026-09-26 0137 JA1XYZ       599 45     W3LPL          599 10",
            }));
  EXPECT_EQ(lines.size(), 13 + 30 + 1);
}

TEST(TovekCabrillo, HeaderRowsOfAMultiOperatorLogWithoutSection) {
  TempFolder folder;
  const QString log = QDir(SamplesFolder()).filePath("dl1abc.log");
  ASSERT_EQ(
      Tovek({"cabrillo", "--settings", WriteSampleSettings(folder), "--out", folder.Path(), log})
          .status,
      kSuccess);
  EXPECT_EQ(
      Lines(folder.File("DL1ABC.cbr")).mid(2, 11),
      (QStringList{"ARRL-SECTION: EU", "CATEGORY: MO", "CALLSIGN: DL1ABC", "OPERATORS: DL1ABC",
                   "NAME: Hans Muster", "ADDRESS: Hauptstr. 1 <LF> Berlin", "LOCATION: DL",
                   "CLAIMED-SCORE: 0", "CLUB: ", "CREATED-BY: Hand written", "SOAPBOX: "}));
}

const char kRow[] = "QSO: 14080 RY 2026-09-26 0012 JA1XYZ        599 01     K1ABC         599 05";

QByteArray Log(const QByteArray& header, const QStringList& rows = {kRow}) {
  QByteArray log = "START-OF-LOG: 3.0\r\n" + header;
  for (const QString& row : rows) log += row.toLatin1() + "\r\n";
  return log + "END-OF-LOG:\r\n";
}

TEST(TovekCabrillo, TheErrorReportHoldsTheDataChecksFaults) {
  TempFolder folder;
  QString mode = kRow;
  mode.replace(11, 2, "CW");
  const QString log =
      folder.Write("raw.log", Log("CALLSIGN: JA1XYZ/3\r\nCATEGORY: SOLP\r\n", {kRow, mode, mode}));
  const testing::TovekRun run = Tovek(
      {"cabrillo", "--settings", WriteSampleSettings(folder), "--out", folder.File("out"), log});
  ASSERT_EQ(run.status, kSuccess) << run.err.toStdString();
  EXPECT_EQ(run.out, folder.File("out/JA1XYZ-3.cbr") + "\n");
  EXPECT_EQ(Lines(folder.File("out/JA1XYZ-3.err")),
            (QStringList{"TOVEK Contest Error Report", "", "", " Row  Error          Data",
                         "    4 MODE        " + mode, "    5 MODE        " + mode, "", "",
                         "End of Error"}));
  // The faulty rows are written as they are.
  EXPECT_EQ(
      Lines(folder.File("out/JA1XYZ-3.cbr")).mid(13, 3),
      (QStringList{"QSO: 14080 RY 2026-09-26 0012 JA1XYZ       599 01     K1ABC          599 05",
                   "QSO: 14080 CW 2026-09-26 0012 JA1XYZ       599 01     K1ABC          599 05",
                   "QSO: 14080 CW 2026-09-26 0012 JA1XYZ       599 01     K1ABC          599 05"}));
}

struct RefusalCase {
  const char* name;
  QByteArray log;
  QString err;
};

class TovekCabrilloRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(TovekCabrilloRefusalTest, WritesNothing) {
  TempFolder folder;
  const QString log = folder.Write("raw.log", GetParam().log);
  const testing::TovekRun run = Tovek(
      {"cabrillo", "--settings", WriteSampleSettings(folder), "--out", folder.File("out"), log});
  EXPECT_EQ(run.status, kRefused);
  EXPECT_EQ(run.err, GetParam().err);
  EXPECT_EQ(run.out, "");
  EXPECT_FALSE(QDir(folder.File("out")).exists());
}

QString BadDateRow() {
  QString row = kRow;
  return row.replace(14, 10, "2026-13-40");
}

INSTANTIATE_TEST_SUITE_P(
    Logs, TovekCabrilloRefusalTest,
    ::testing::Values(
        RefusalCase{"NoCallSign", Log("CATEGORY: SOHP\r\n"),
                    "[コールサイン]　\n[コンチネント]　\n[エンティティ]　\nを確認してください！\n"},
        RefusalCase{"NoCategory", Log("CALLSIGN: JA1XYZ\r\nCATEGORY: ALL\r\n"),
                    "[カテゴリ]　\nを確認してください！\n"},
        RefusalCase{"DateThatDoesNotParse",
                    Log("CALLSIGN: JA1XYZ\r\nCATEGORY: SOHP\r\n", {kRow, BadDateRow()}),
                    "tovek cabrillo: 行 4: 日時 \"2026-13-40 00:12\" を読み取れません\n"},
        RefusalCase{"NoQsoRow", Log("CALLSIGN: JA1XYZ\r\nCATEGORY: SOHP\r\n", {}),
                    "tovek cabrillo: the log has no QSO row\n"},
        RefusalCase{
            "CallSignLeavingTheFolder", Log("CALLSIGN: JA1XYZ\\..\\X\r\nCATEGORY: SOHP\r\n"),
            "コールサイン \"JA1XYZ\\..\\X\" からファイル名を作れません (2 つ目の \"/\" または "
            "\"\\\" はフォルダーの区切りになります)。\r\nコールサインを確認してください。"
            "何も保存されていません。\n"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(TovekCabrillo, TimesWithAColonStopTheReading) {
  TempFolder folder;
  const testing::TovekRun run =
      Tovek({"cabrillo", "--settings", WriteSampleSettings(folder), "--out", folder.Path(),
             QDir(SamplesFolder()).filePath("ja3qrp.log")});
  EXPECT_EQ(run.status, kRefused);
  EXPECT_EQ(
      run.err,
      "データ長が不揃いです\ntovek cabrillo: 行 11: 日時 \"2026-09-26 01::3\" を読み取れません\n");
  EXPECT_FALSE(QFile::exists(folder.File("JA3QRP.cbr")));
}

TEST(TovekCabrillo, WritingAgainReplacesBothFiles) {
  TempFolder folder;
  const QString log = folder.Write("raw.log", Log("CALLSIGN: JA1XYZ\r\nCATEGORY: SOHP\r\n"));
  folder.Write("JA1XYZ.cbr", "older\r\n");
  folder.Write("JA1XYZ.err", "older\r\n");
  ASSERT_EQ(
      Tovek({"cabrillo", "--settings", WriteSampleSettings(folder), "--out", folder.Path(), log})
          .status,
      kSuccess);
  EXPECT_EQ(Lines(folder.File("JA1XYZ.cbr")).size(), 15);
  EXPECT_EQ(Lines(folder.File("JA1XYZ.err")).size(), 7);
}

TEST(TovekCabrillo, UsageErrors) {
  EXPECT_EQ(Tovek({"cabrillo", "raw.log"}).status, kUsageError);
  EXPECT_EQ(Tovek({"cabrillo", "--out", "x"}).status, kUsageError);
  EXPECT_TRUE(Tovek({"help", "cabrillo"}).out.startsWith("Usage: tovek cabrillo"));
}

}  // namespace
}  // namespace tovek::cli
