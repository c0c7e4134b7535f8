#include <gtest/gtest.h>

#include "tests/cli/review_test_support.h"

namespace tovek::cli {
namespace {

using testing::SamplesFolder;
using testing::Tovek;
using testing::WriteSampleSettings;
using tovek::testing::TempFolder;

const char kRow[] = "QSO: 14080 RY 2026-09-26 0012 JA1XYZ        599 01     K1ABC         599 05";

QByteArray Log(const QStringList& qso_rows) {
  QByteArray log = "START-OF-LOG: 3.0\r\nCALLSIGN: JA1XYZ\r\n";
  for (const QString& row : qso_rows) log += row.toLatin1() + "\r\n";
  return log + "END-OF-LOG:\r\n";
}

TEST(TovekCheck, PrintsTheFaultLinesAsTheEditorListsThem) {
  TempFolder folder;
  const QString settings = WriteSampleSettings(folder);
  QString mode = kRow, late = kRow, band = kRow;
  mode.replace(11, 2, "CW");
  late.replace(14, 10, "2026-09-28");
  band.replace(5, 5, "14351");
  const QString log = folder.Write("ja1xyz.log", Log({kRow, mode, late, band, kRow}));
  const testing::TovekRun run = Tovek({"check", "--settings", settings, log});
  EXPECT_EQ(run.status, kSuccess);
  EXPECT_EQ(run.out, "    3 MODE        " + mode + "\n    4 TIME        " + late +
                         "\n    5 FREQENCY    " + band + "\n");
  EXPECT_EQ(run.err, "");
}

TEST(TovekCheck, LayoutLimitsAndStartDateComeFromTheSettings) {
  TempFolder folder;
  const QString row = "QSO: 14080 RY 2026-09-27 0012 K1ABC         599 01     JA1XYZ        599 05";
  const QString log = folder.Write("k1abc.log", Log({row}));
  EXPECT_EQ(Tovek({"check", "--settings", WriteSampleSettings(folder), log}).out, "");
  // The mode read one column early, a narrower 20 m band abroad and a start
  // date one day later.
  const QString settings =
      folder.Write("Other.ini", "StartDate=2026/09/28\r\nCabModePos=11\r\nHlimit20=14050\r\n");
  EXPECT_EQ(Tovek({"check", "--settings", settings, log}).out,
            "    2 MODE        " + row + "\n    2 TIME        " + row + "\n    2 FREQENCY    " +
                row + "\n");
}

TEST(TovekCheck, RunsOnTheLogAsTheLoadPassesLeaveIt) {
  TempFolder folder;
  const QString settings = WriteSampleSettings(folder);
  // Two QSOs on one row, the second one out of the band plan: the doubled
  // row is split by the passes first, so the fault names the second row.
  QString band = kRow;
  band.replace(5, 5, " 7500");
  const QString log = folder.Write("ja1xyz.log", Log({QString(kRow) + " " + band}));
  EXPECT_EQ(Tovek({"check", "--settings", settings, log}).out, "    3 FREQENCY    " + band + "\n");
}

TEST(TovekCheck, TheSampleLogsAsTheyArrive) {
  TempFolder folder;
  const QString settings = WriteSampleSettings(folder);
  const QDir samples(SamplesFolder());
  for (const char* name : {"dl1abc.log", "k1abc.txt", "vk3xyz.cbr", "w1xyz.log"}) {
    const testing::TovekRun run = Tovek({"check", "--settings", settings, samples.filePath(name)});
    EXPECT_EQ(run.status, kSuccess) << name;
    EXPECT_EQ(run.out, "") << name;
  }
  // 3585 kHz lies between two segments of the domestic 80 m plan.
  testing::TovekRun run = Tovek({"check", "--settings", settings, samples.filePath("ja1xyz.log")});
  EXPECT_EQ(run.out.count(" FREQENCY    QSO:  3585 RY "), 6);
  EXPECT_EQ(run.out.count('\n'), 6);
  EXPECT_TRUE(run.out.startsWith("   15 FREQENCY    QSO:  3585 RY 2026-09-26 0000 JA1XYZ"));
  // Times written with a colon shift the time out of its columns.
  run = Tovek({"check", "--settings", settings, samples.filePath("ja3qrp.log")});
  EXPECT_EQ(run.out.count(" TIME        QSO: "), 11);
  EXPECT_EQ(run.out.count(" FREQENCY    QSO:  3585 RY "), 3);
  EXPECT_EQ(run.out.count('\n'), 14);
  EXPECT_TRUE(run.out.startsWith("   10 FREQENCY    QSO:  3585 RY 2026-09-26 0000 JA3QRP"))
      << run.out.toStdString();
}

TEST(TovekCheck, RefusesWhatItCannotRead) {
  TempFolder folder;
  const QString log = folder.Write("ja1xyz.log", Log({kRow}));
  testing::TovekRun run = Tovek({"check", "--cty", folder.File("Cty.dat"), log});
  EXPECT_EQ(run.status, kRefused);
  EXPECT_EQ(run.err, "NOT [Cty.dat] FILE\n");
  run = Tovek({"check", folder.File("none.log")});
  EXPECT_EQ(run.status, kRefused);
  EXPECT_TRUE(run.err.startsWith(folder.File("none.log") + ": "));
  EXPECT_EQ(Tovek({"check"}).status, kUsageError);
  EXPECT_EQ(Tovek({"check", log, log}).status, kUsageError);
  EXPECT_TRUE(Tovek({"check", "--help"}).out.startsWith("Usage: tovek check"));
}

TEST(TovekCheck, AMissingSettingsFileNamedOnPurposeIsReported) {
  TempFolder folder;
  const QString log = folder.Write("ja1xyz.log", Log({kRow}));
  const testing::TovekRun run = Tovek({"check", "--settings", folder.File("Kavrel.ini"), log});
  EXPECT_EQ(run.status, kSuccess);
  EXPECT_EQ(run.err,
            "tovek check: " + folder.File("Kavrel.ini") + ": no such file; the defaults apply\n");
}

}  // namespace
}  // namespace tovek::cli
