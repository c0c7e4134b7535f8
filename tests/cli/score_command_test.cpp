#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>

#include "calculator/log_list.h"
#include "cli/command_line.h"
#include "tests/calculator/kavrel_cabrillo.h"
#include "tests/cli/tovek_run.h"
#include "tests/support/test_files.h"

namespace tovek::cli {
namespace {

using testing::KavrelQso;
using testing::TempFolder;
using testing::TovekRun;

TovekRun Score(const QStringList& args) { return testing::Tovek(QStringList{"score"} + args); }

CabrilloSummary Station(const char* call, const char* category, const char* continent,
                        const char* entity, const char* claimed) {
  CabrilloSummary s = testing::StationSummary(call, category, continent, entity, claimed);
  s.name = "Tab\there";
  return s;
}

const char* const kHeader =
    "No\tCallSign\tCategory\tClaimedScore\tScore\tQsoLines\tValid\tDupes\tPoints\tMult1\tMult2\t"
    "TotalMult\tContinent\tEntity\n";

// Four Kavrel logs and a file that is no Cabrillo log, in one folder.
class ContestFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteKavrelLog(folder_.File("JA1AAA.cbr"),
                            Station("JA1AAA", "SOLP", "AS", "JA", "1,000"),
                            {{"14080", "W1AW"},
                             {"14081", "DL1ABC"},
                             {"14082", "W1AW"},
                             {" 7040", "JA3XYZ"},
                             {"21080", "VK2ABC/P"}});
    testing::WriteKavrelLog(folder_.File("DL1ABC.CBR"), Station("DL1ABC", "SOHP", "EU", "DL", "44"),
                            {{"14080", "JA1AAA"},
                             {"14081", "JA1AAA"},
                             {"14082", "W1AW"},
                             {" 7040", "W1AW"},
                             {" 7041", "PA3ABC"}});
    testing::WriteKavrelLog(
        folder_.File("w1aw.cbr"), Station("W1AW", "MO", "NA", "K", ""),
        {{"14080", "JA1AAA"}, {" 3510", "VE3ABC"}, {" 1825", "VE3ABC"}, {"50100", "K1XYZ"}});
    testing::WriteKavrelLog(folder_.File("ja9zzz.cbr"),
                            Station("JA9ZZZ", "CHECKLOG", "AS", "JA", "0"), {});
    folder_.Write("notes.log", "CALLSIGN: NOT1SCORED\r\n");
  }
  TempFolder folder_;
};

TEST_F(ContestFolder, FolderIsScoredInListOrderAndPrintedByScore) {
  const TovekRun run = Score({folder_.Path()});
  EXPECT_EQ(run.status, kSuccess);
  EXPECT_EQ(run.err, "");
  // DL1ABC and JA1AAA tie at 44: DL1ABC comes first in the list and stays first.
  EXPECT_EQ(run.out, QString(kHeader) +
                         "1\tDL1ABC\tSOHP\t44\t44\t5\t4\t1\t11\t1\t3\t4\tEU\tDL\n"
                         "2\tJA1AAA\tSOLP\t1\t44\t5\t4\t1\t11\t1\t3\t4\tAS\tJA\n"
                         "3\tW1AW\tMO\t0\t21\t4\t3\t1\t7\t0\t3\t3\tNA\tK\n"
                         "4\tJA9ZZZ\tCHECKLOG\t0\t0\t0\t0\t0\t0\t0\t0\t0\tAS\tJA\n");
}

TEST_F(ContestFolder, FilesInArgumentOrderAndAMissingOneGetsItsRow) {
  const TovekRun run =
      Score({folder_.File("ja9zzz.cbr"), folder_.File("gone.cbr"), folder_.File("w1aw.cbr")});
  EXPECT_EQ(run.status, kSuccess);
  EXPECT_EQ(run.err, folder_.File("gone.cbr") + ": ファイルがありません！\n");
  EXPECT_EQ(run.out, QString(kHeader) +
                         "1\tW1AW\tMO\t0\t21\t4\t3\t1\t7\t0\t3\t3\tNA\tK\n"
                         "2\tJA9ZZZ\tCHECKLOG\t0\t0\t0\t0\t0\t0\t0\t0\t0\tAS\tJA\n"
                         "3\tgone\t\t0\t0\t0\t0\t0\t0\t0\t0\t0\t\t\n");
}

TEST_F(ContestFolder, MissingDataFilesAreRefused) {
  const TovekRun no_area = Score({"--area", folder_.File("Tovek.are"), folder_.Path()});
  EXPECT_EQ(no_area.status, kRefused);
  EXPECT_EQ(no_area.err, "NOT [" + folder_.File("Tovek.are") + "] FILE\n");
  EXPECT_EQ(no_area.out, "");
  const TovekRun no_cty = Score({"--cty", folder_.File("Cty.dat"), folder_.Path()});
  EXPECT_EQ(no_cty.status, kRefused);
  EXPECT_EQ(no_cty.err, "NOT [Cty.dat] FILE\n");
}

TEST_F(ContestFolder, AnotherAreaFileChangesTheAreas) {
  // With JA1 and W1 in one area, DL1ABC's JA1AAA and W1AW on 14 MHz are one
  // multiplier: 11 points x (1 + 2).
  const QString areas = folder_.Write("one.are", "ONE   JA1 W1;\r\n");
  const TovekRun run = Score({"--area", areas, folder_.File("DL1ABC.CBR")});
  EXPECT_EQ(run.out, QString(kHeader) + "1\tDL1ABC\tSOHP\t44\t33\t5\t4\t1\t11\t1\t2\t3\tEU\tDL\n");
}

TEST(TovekScore, UsageErrors) {
  EXPECT_EQ(Score({}).status, kUsageError);
  EXPECT_EQ(Score({"--area"}).status, kUsageError);
  EXPECT_EQ(Score({"--bogus", "x"}).status, kUsageError);
  EXPECT_TRUE(Score({"--help"}).out.startsWith("Usage: tovek score"));
}

TEST(TovekScore, EmptyFolderPrintsTheHeaderOnly) {
  TempFolder folder;
  const TovekRun run = Score({folder.Path()});
  EXPECT_EQ(run.status, kSuccess);
  EXPECT_EQ(run.out, kHeader);
}

// A run takes at most 32,767 logs (its counts are 16-bit). More are refused
// whole and said so, whether a folder holds them or they are named one by
// one; the first 32,767 alone would pass for the whole contest.
TEST(TovekScore, MoreLogsThanARunTakesAreRefusedAlike) {
  TempFolder folder;
  QStringList files;
  for (qsizetype i = 0; i <= kMaxLogListCount; ++i) {
    files.append(folder.Write(QStringLiteral("%1.cbr").arg(i, 5, 10, QChar(u'0')), {}));
  }
  const QString area = folder.Write("area.txt", "");
  for (const QString& command : {QStringLiteral("score"), QStringLiteral("crosscheck")}) {
    for (const QStringList& paths : {QStringList{folder.Path()}, files}) {
      const TovekRun run = testing::Tovek(QStringList{command, "--area", area} + paths);
      EXPECT_EQ(run.status, kRefused) << command.toStdString();
      EXPECT_EQ(run.err, "tovek " + command + ": 32768 logs; a run takes at most 32767\n");
      EXPECT_TRUE(run.out.isEmpty());
    }
  }
}

TEST_F(ContestFolder, ProgramWritesUtf8) {
  QProcess process;
  process.start(QStringLiteral(TOVEK_PROGRAM_DIR "/tovek"), {"score", folder_.File("gone.cbr")});
  ASSERT_TRUE(process.waitForFinished(10000));
  EXPECT_EQ(process.exitCode(), 0);
  EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()),
            folder_.File("gone.cbr") + ": ファイルがありません！\n");
}

}  // namespace
}  // namespace tovek::cli
