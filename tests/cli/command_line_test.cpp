#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <QProcess>

#include "tests/cli/tovek_run.h"
#include "tests/support/test_files.h"

namespace tovek::cli {
namespace {

using testing::TempFolder;
using testing::Tovek;
using testing::TovekRun;

TEST(TovekResolve, PrintsEntityContinentAndPortablePrefix) {
  const TovekRun run = Tovek({"resolve", "JA1ABC", "K1ABC/4", "JA1ABC/KH6", "ja1abc", "XX"});
  EXPECT_EQ(run.status, kSuccess);
  EXPECT_EQ(run.out,
            "JA1ABC\tJA\tAS\tJA1\n"
            "K1ABC/4\tK\tNA\tK4\n"
            "JA1ABC/KH6\tKH6\tOC\tKH6\n"
            "ja1abc\t\t\tja1\n"
            "XX\t\t\t\n");
  EXPECT_TRUE(run.err.isEmpty());
}

TEST(TovekResolve, ReadsTrimmedCallsFromStandardInput) {
  const TovekRun run = Tovek({"resolve"}, "  VK2ABC \n\nW1AW/P\n");
  EXPECT_EQ(run.out, "VK2ABC\tVK\tOC\tVK2\nW1AW/P\tK\tNA\tW1\n");
}

TEST(TovekResolve, MissingPrefixFileIsRefused) {
  TempFolder folder;
  const TovekRun run = Tovek({"resolve", "--cty", folder.File("Cty.dat"), "JA1ABC"});
  EXPECT_EQ(run.status, kRefused);
  EXPECT_EQ(run.err, "NOT [Cty.dat] FILE\n");
  EXPECT_TRUE(run.out.isEmpty());
}

// A prefix file that stops at a bad line would leave the calls of every
// entity after it unresolved: each command that resolves calls refuses it,
// unless --partial-cty accepts what was read.
TEST(TovekPrefixFile, StoppedAtABadLineRefusesUnlessPartialIsAccepted) {
  TempFolder folder;
  const QString cty = folder.Write(
      "Cty.dat",
      "Japan:                    25:  45:  AS:   36.40:  -138.38:    -9.0:  JA:\n    JA;\n\n"
      "Hawaii:                   31:  61:  OC:   21.12:   157.48:    10.0:  KH6:\n    KH6;\n");
  const QString log = folder.Write(
      "JA1ABC.cbr",
      "CALLSIGN: JA1ABC\r\nQSO: 14080 RY 2026-09-26 0012 JA1ABC        599 01     KH6ABC"
      "        599 05\r\n");
  const QString area = folder.Write("Tovek.are", "");
  const QString stopped = cty + ": line 3: ";
  const QString refusal =
      cty +
      ": the prefixes after that line are missing; give --partial-cty to go on without them\n";
  const QList<QStringList> commands = {
      {"resolve", "--cty", cty, "JA1ABC", "KH6ABC"},
      {"score", "--cty", cty, "--area", area, log},
      {"crosscheck", "--cty", cty, "--area", area, "--master", "", log},
      {"check", "--cty", cty, "--settings", folder.File("none.ini"), log},
  };
  for (const QStringList& command : commands) {
    const TovekRun refused = Tovek(command);
    EXPECT_EQ(refused.status, kRefused) << command.first().toStdString();
    EXPECT_TRUE(refused.err.startsWith(stopped)) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.endsWith(refusal)) << refused.err.toStdString();
    EXPECT_TRUE(refused.out.isEmpty());
    const TovekRun partial = Tovek(command + QStringList{"--partial-cty"});
    EXPECT_EQ(partial.status, kSuccess) << partial.err.toStdString();
    EXPECT_FALSE(partial.err.contains(refusal));
    EXPECT_TRUE(Tovek({command.first(), "--help"}).out.contains("--partial-cty"));
  }
  EXPECT_EQ(Tovek(commands.first() + QStringList{"--partial-cty"}).out,
            "JA1ABC\tJA\tAS\tJA1\nKH6ABC\t\t\tKH6\n");
}

TEST(TovekLoad, PrintsTheRowsAsTheEditorReadsThem) {
  TempFolder folder;
  const QString log = folder.Write(
      "raw.log",
      "START-OF-LOG: 3.0CALLSIGN: JA1ABC\r\nX-QSO:\t14080 RY\r\n  QSO: 7025 RY 12:34 \r\n");
  const TovekRun run = Tovek({"load", log});
  EXPECT_EQ(run.status, kSuccess);
  // Read untrimmed for its colon time, the last row does not begin with
  // "QSO:", so the passes join it to the QSO row before it.
  EXPECT_EQ(run.out, "START-OF-LOG: 3.0\nCALLSIGN: JA1ABC\nQSO:14080 RY  QSO: 7025 RY 12:34 \n");
  EXPECT_TRUE(run.err.isEmpty());
}

TEST(TovekLoad, RunsTheFivePassesAndReportsUnevenRows) {
  TempFolder folder;
  const QString log =
      folder.Write("raw.log",
                   "START-OF-LOG: 3.0\r\n\r\nCALLSIGN: JA1ABC\r\n"
                   "QSO: 7025 RY 2024-05-01 1200 JA1ABC 599 001 K1ABC 599 001"
                   "QSO: 14080 RY 2024-05-01 1201 JA1ABC 599 002\r\n"
                   "W1AW 599 010\r\n"
                   "QSO: 3525 RY 2024-05-01 1202 JA1ABC 599 003 VK2AB 599 020END-OF-LOG:\r\n\r\n");
  // Without tags reading cuts nothing; the passes do.
  const TovekRun run = Tovek({"load", "--tags", folder.File("none.dat"), log});
  EXPECT_EQ(run.status, kSuccess);
  EXPECT_EQ(run.out,
            "START-OF-LOG: 3.0\n"
            "CALLSIGN: JA1ABC\n"
            "QSO:  7025 RY 2024-05-01 1200 JA1ABC 599 001 K1ABC 599 001\n"
            "QSO: 14080 RY 2024-05-01 1201 JA1ABC 599 002W1AW 599 010\n"
            "QSO:  3525 RY 2024-05-01 1202 JA1ABC 599 003 VK2AB 599 020\n"
            "END-OF-LOG:\n"
            "\n");
  EXPECT_EQ(run.err, QStringLiteral("データ長が不揃いです\n"));
}

TEST(TovekLoad, EvenRowsAndOneRowLogsGiveNoMessage) {
  TempFolder folder;
  const QString even = folder.Write(
      "even.log",
      "QSO:14080 RY 1200 K1ABC\r\nQSO:14080 RY 1201 W1ABC\r\nQSO:14080 RY 1202 VK2AB\r\n");
  TovekRun run = Tovek({"load", even});
  EXPECT_EQ(run.out, "QSO:14080 RY 1200 K1ABC\nQSO:14080 RY 1201 W1ABC\nQSO:14080 RY 1202 VK2AB\n");
  EXPECT_TRUE(run.err.isEmpty());
  // One row: no pass runs, so the frequency is not aligned.
  const QString one = folder.Write("one.log", "QSO: 7025 RY 1200 K1ABC\r\n");
  run = Tovek({"load", one});
  EXPECT_EQ(run.status, kSuccess);
  EXPECT_EQ(run.out, "QSO: 7025 RY 1200 K1ABC\n");
  EXPECT_TRUE(run.err.isEmpty());
}

TEST(TovekLoad, TagsFileCanBeChosen) {
  TempFolder folder;
  const QString log = folder.Write("raw.log", "CALLSIGN: JA1ABCNAME: Taro\r\n");
  const QString tags = folder.Write("tags.dat", "NAME:\r\n");
  EXPECT_EQ(Tovek({"load", "--tags", tags, log}).out, "CALLSIGN: JA1ABC\nNAME: Taro\n");
  EXPECT_EQ(Tovek({"load", "--tags", folder.File("none.dat"), log}).out,
            "CALLSIGN: JA1ABCNAME: Taro\n");
}

TEST(TovekLoad, UnreadableLogIsRefused) {
  const TovekRun run = Tovek({"load", "/no/such/file.log"});
  EXPECT_EQ(run.status, kRefused);
  EXPECT_TRUE(run.err.startsWith("/no/such/file.log: "));
}

TEST(TovekUsage, ErrorsAndHelp) {
  EXPECT_EQ(Tovek({}).status, kUsageError);
  EXPECT_EQ(Tovek({"frobnicate"}).status, kUsageError);
  EXPECT_EQ(Tovek({"load"}).status, kUsageError);
  EXPECT_EQ(Tovek({"resolve", "--bogus"}).status, kUsageError);
  EXPECT_EQ(Tovek({"resolve", "--cty"}).status, kUsageError);
  const TovekRun help = Tovek({"help"});
  EXPECT_EQ(help.status, kSuccess);
  // Every command is listed, its name apart from its summary.
  for (const char* name : {"resolve", "load", "score", "crosscheck", "publish"}) {
    EXPECT_TRUE(help.out.contains(QStringLiteral("\n  %1  ").arg(name))) << name;
  }
  EXPECT_TRUE(Tovek({"resolve", "--help"}).out.startsWith("Usage: tovek resolve"));
  EXPECT_TRUE(Tovek({"help", "load"}).out.startsWith("Usage: tovek load"));
}

TEST(TovekProgram, WritesUtf8AndExitStatus) {
  TempFolder folder;
  const QString log = folder.Write("jp.log", "NAME: \x8e\x52\x93\x63\r\n");
  QProcess process;
  process.start(QStringLiteral(TOVEK_PROGRAM_DIR "/tovek"), {"load", log});
  ASSERT_TRUE(process.waitForFinished(10000));
  EXPECT_EQ(process.exitCode(), 0);
  EXPECT_EQ(process.readAllStandardOutput(), QByteArray("NAME: \xe5\xb1\xb1\xe7\x94\xb0\n"));
  const QString uneven = folder.Write("uneven.log", "QSO: 1\r\nQSO: 2\r\nQSO: 33\r\n");
  process.start(QStringLiteral(TOVEK_PROGRAM_DIR "/tovek"), {"load", uneven});
  ASSERT_TRUE(process.waitForFinished(10000));
  EXPECT_EQ(process.exitCode(), 0);
  EXPECT_EQ(process.readAllStandardError(), QStringLiteral("データ長が不揃いです\n").toUtf8());
  process.start(QStringLiteral(TOVEK_PROGRAM_DIR "/tovek"), {"load"});
  ASSERT_TRUE(process.waitForFinished(10000));
  EXPECT_EQ(process.exitCode(), 2);
}

}  // namespace
}  // namespace tovek::cli
