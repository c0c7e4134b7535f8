#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "cli/command_line.h"
#include "tests/cli/tovek_run.h"
#include "tests/support/test_files.h"

namespace tovek::cli {
namespace {

using testing::TempFolder;
using testing::Tovek;
using testing::TovekRun;

// Three stations: JA1AAA and K1XYZ in the log editor's fixed layout, W1AW in
// free Cabrillo 3.0 lines. K1XYZ busted JA1AAA's call; everything else agrees.
class SmallContest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto fixed = [](const char* freq, const char* time, const char* me, const char* sent,
                          const char* call, const char* received) {
      return QStringLiteral("QSO: %1 RY 2026-09-26 %2 %3 599 %4     %5 599 %6")
          .arg(QString(freq).rightJustified(5), time, QString(me).leftJustified(12), sent,
               QString(call).leftJustified(12), received);
    };
    logs_.Write(
        "JA1AAA.cbr",
        (QStringList{"START-OF-LOG: 2.0", "ARRL-SECTION: AS", "CATEGORY: SOLP", "CALLSIGN: JA1AAA",
                     fixed("14080", "0100", "JA1AAA", "25", "W1AW", "08"),
                     fixed("21080", "0200", "JA1AAA", "25", "K1XYZ", "05"), "END-OF-LOG:"})
            .join("\r\n")
            .toLatin1());
    logs_.Write(
        "K1XYZ.cbr",
        (QStringList{"START-OF-LOG: 2.0", "ARRL-SECTION: NA", "CATEGORY: SOHP", "CALLSIGN: K1XYZ",
                     fixed("21080", "0201", "K1XYZ", "05", "JAQAAA", "25"),
                     fixed(" 7040", "0300", "K1XYZ", "05", "W1AW", "08"), "END-OF-LOG:"})
            .join("\r\n")
            .toLatin1());
    logs_.Write("W1AW.cbr",
                "START-OF-LOG: 3.0\nCALLSIGN: W1AW\nCATEGORY: MO\nARRL-SECTION: NA\n"
                "QSO: 14080 RY 2026-09-26 0101 W1AW 599 08 JA1AAA 599 25\n"
                "QSO: 7040 RY 2026-09-26 0300 W1AW 599 08 K1XYZ 599 05\n"
                "END-OF-LOG:\n");
    rules_ = out_.Write("CrossCheck.ini", "TimeWindow=5\r\nBustPenalty=1\r\n");
  }
  TempFolder logs_;
  TempFolder out_;
  QString rules_;
};

TEST_F(SmallContest, PrintsAVerdictPerLineAndTheFiguresPerLog) {
  const TovekRun qsos = Tovek({"crosscheck", "--rules", rules_, "--qsos", logs_.Path()});
  ASSERT_EQ(qsos.status, kSuccess) << qsos.err.toStdString();
  EXPECT_EQ(qsos.out,
            "JA1AAA\t5\tOK\t\nJA1AAA\t6\tOK\t\n"
            "K1XYZ\t5\tBUST\tJA1AAA\nK1XYZ\t6\tOK\t\n"
            "W1AW\t5\tOK\t\nW1AW\t6\tOK\t\n");

  const TovekRun figures =
      Tovek({"crosscheck", "--rules", rules_, "--start", "2026-09-26", logs_.Path()});
  ASSERT_EQ(figures.status, kSuccess);
  const QStringList lines = figures.out.split(u'\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 4);
  EXPECT_EQ(lines[0],
            "CallSign\tCategory\tQsoLines\tOk\tUnverified\tNil\tBust\tExchangeBust\tBand\tUnique\t"
            "Dupe\tOutOfTime\tClockOffsetMinutes\tScore\tCheckedScore");
  // K1XYZ: 3 points x 2 multipliers claimed; the bust takes the JA QSO and,
  // with BustPenalty=1, three more points: nothing is left of 21 MHz's JA.
  EXPECT_TRUE(lines[2].startsWith("K1XYZ\tSOHP\t2\t1\t0\t0\t1\t0\t0\t0\t0\t0\t0\t"))
      << lines[2].toStdString();
}

TEST_F(SmallContest, ReportsAndCheckedResultsAreWritten) {
  // A log whose call would put its report outside the folder gets none.
  logs_.Write("evil.cbr", "START-OF-LOG: 3.0\nCALLSIGN: ../EVIL\nEND-OF-LOG:\n");
  const QString saved = out_.File("checked.rlt");
  const TovekRun run = Tovek({"crosscheck", "--rules", rules_, "--save", saved, "--out",
                              out_.File("reports"), logs_.Path()});
  ASSERT_EQ(run.status, kSuccess) << run.err.toStdString();
  const QStringList reports = QDir(out_.File("reports")).entryList(QDir::Files);
  EXPECT_EQ(reports, QStringList({"CrossCheck.txt", "CrossCheckLines.tsv", "CrossCheckLogs.tsv",
                                  "JA1AAA.lcr", "K1XYZ.lcr", "W1AW.lcr"}));
  EXPECT_EQ(QDir(out_.Path()).entryList(QDir::Files),
            QStringList({"checked.rlt", "CrossCheck.ini"}));
  EXPECT_TRUE(QString::fromLatin1(testing::ReadBytes(out_.File("reports/CrossCheck.txt")))
                  .contains("makes no file name (empty, a second \"/\", \"..\" or a character a "
                            "file name cannot hold): evil.cbr"));
  const QString ja = QString::fromLatin1(testing::ReadBytes(out_.File("reports/JA1AAA.lcr")));
  EXPECT_TRUE(
      ja.contains("  K1XYZ        2026-09-26 0201 on 21000 kHz: miscopied your call as JAQAAA"))
      << ja.toStdString();
  const QString k1 = QString::fromLatin1(testing::ReadBytes(out_.File("reports/K1XYZ.lcr")));
  EXPECT_TRUE(k1.contains("you copied JAQAAA, the station worked was JA1AAA; their line 6"));

  // The checked results file reads back as results, the bust's score gone.
  const TovekRun results = Tovek({"results", saved});
  ASSERT_EQ(results.status, kSuccess) << results.err.toStdString();
  EXPECT_EQ(results.out.count(u'\n'), 5);
}

TEST_F(SmallContest, AReportSaysWhatALogLacks) {
  // No category in the header, and a QSO line cut before its call.
  logs_.Write("JA2BBB.cbr",
              "START-OF-LOG: 3.0\nCALLSIGN: JA2BBB\n"
              "QSO: 14080 RY 2026-09-26 0110 JA2BBB 599 25\nEND-OF-LOG:\n");
  const TovekRun run =
      Tovek({"crosscheck", "--rules", rules_, "--out", out_.File("reports"), logs_.Path()});
  ASSERT_EQ(run.status, kSuccess) << run.err.toStdString();
  const QString report = QString::fromLatin1(testing::ReadBytes(out_.File("reports/JA2BBB.lcr")));
  EXPECT_TRUE(report.contains("Category: (none in the log)   QSO lines: 1"))
      << report.toStdString();
  EXPECT_TRUE(report.contains("UNIQUE\r\n        the line has no call\r\n"))
      << report.toStdString();
  // W1AW's free layout is credited by the check though the calculation
  // found nothing in it: the report says why the two differ.
  const QString w1 = QString::fromLatin1(testing::ReadBytes(out_.File("reports/W1AW.lcr")));
  EXPECT_TRUE(
      w1.contains("As calculated from your log: 0 QSO points x 2 multipliers = 0\r\n"
                  "  Credited QSOs: 2,"))
      << w1.toStdString();
  EXPECT_TRUE(w1.contains("found no points here; the credited QSOs are read from the lines as"));
  EXPECT_FALSE(report.contains("found no points here"));
}

// The tab-separated files hold what tovek prints, and tovek publish puts
// each log's share of them on its entrant's page, escaped.
TEST_F(SmallContest, PublishShowsEachEntrantsCheck) {
  const QString reports = out_.File("reports");
  const QString saved = out_.File("checked.rlt");
  ASSERT_EQ(
      Tovek({"crosscheck", "--rules", rules_, "--save", saved, "--out", reports, logs_.Path()})
          .status,
      kSuccess);
  const TovekRun printed = Tovek({"crosscheck", "--rules", rules_, logs_.Path()});
  EXPECT_EQ(QString::fromUtf8(testing::ReadBytes(out_.File("reports/CrossCheckLogs.tsv"))),
            printed.out);
  EXPECT_EQ(testing::ReadBytes(out_.File("reports/CrossCheckLines.tsv")),
            "CallSign\tLine\tVerdict\tDetail\nK1XYZ\t5\tBUST\tJA1AAA\n");

  const QString site = out_.File("site");
  const TovekRun run =
      Tovek({"publish", "--crosscheck", reports, "--logs", logs_.Path(), "--out", site, saved});
  ASSERT_EQ(run.status, kSuccess) << run.err.toStdString();
  const QStringList pages = QDir(site + "/entrants").entryList({"*-K1XYZ.html"}, QDir::Files);
  ASSERT_EQ(pages.size(), 1);
  const QString k1 = QString::fromUtf8(testing::ReadBytes(site + "/entrants/" + pages[0]));
  EXPECT_TRUE(k1.contains("Busted call (BUST)</span></th><td class=\"num\">1</td>"));
  EXPECT_TRUE(
      k1.contains(QStringLiteral("<tr><th scope=\"row\">5</th><td>BUST</td>"
                                 "<td class=\"text\">JA1AAA</td><td class=\"text\">"
                                 "QSO: 21080 RY 2026-09-26 0201 K1XYZ")))
      << k1.toStdString();
  EXPECT_EQ(k1.count(u"<th scope=\"row\">6</th>"), 0);  // an OK line is not listed

  // A line from a log is text on the page, whatever it holds.
  testing::WriteBytes(out_.File("reports/CrossCheckLines.tsv"),
                      "CallSign\tLine\tVerdict\tDetail\r\nK1XYZ\t5\t<b>\t</td><script>\r\n");
  ASSERT_EQ(Tovek({"publish", "--crosscheck", reports, "--out", site, saved}).status, kSuccess);
  const QString escaped = QString::fromUtf8(testing::ReadBytes(site + "/entrants/" + pages[0]));
  EXPECT_TRUE(escaped.contains("<td>&lt;b&gt;</td><td class=\"text\">&lt;/td&gt;&lt;script&gt;"));
  EXPECT_FALSE(escaped.contains("</td><script>"));
  EXPECT_FALSE(escaped.contains("<b>"));

  // Without the cross-check's files, or with other files under their
  // names, nothing is published and the file is named.
  const std::pair<const char*, QByteArray> broken[] = {
      {"", {}},
      {"CrossCheckLogs.tsv", "Call\tScore\r\nK1XYZ\t1\r\n"},
      {"CrossCheckLines.tsv", "CallSign\tLine\tVerdict\tDetail\r\nK1XYZ\tfive\tBUST\tX\r\n"},
  };
  for (const auto& [name, bytes] : broken) {
    TempFolder folder;
    if (*name) {
      for (const char* file : {"CrossCheckLogs.tsv", "CrossCheckLines.tsv"}) {
        QFile::copy(out_.File(QStringLiteral("reports/") + file), folder.File(file));
      }
      QFile::remove(folder.File(name));
      folder.Write(name, bytes);
    }
    const TovekRun refused =
        Tovek({"publish", "--crosscheck", folder.Path(), "--out", folder.File("site"), saved});
    EXPECT_EQ(refused.status, kRefused) << name;
    EXPECT_TRUE(refused.err.startsWith("tovek publish: " + folder.Path() + "/CrossCheck"))
        << refused.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder.File("site"))) << name;
  }
  EXPECT_TRUE(Tovek({"publish", "--crosscheck", out_.Path(), "--out", site, saved})
                  .err.contains("no cross-check results here"));
}

TEST(TovekCrossCheck, UsageAndMissingFiles) {
  EXPECT_EQ(Tovek({"crosscheck"}).status, kUsageError);
  EXPECT_EQ(Tovek({"crosscheck", "--start", "26.09.2026", "x"}).status, kUsageError);
  TempFolder folder;
  EXPECT_EQ(Tovek({"crosscheck", "--rules", folder.File("none.ini"), folder.Path()}).status,
            kRefused);
  EXPECT_EQ(Tovek({"crosscheck", "--master", folder.File("none.scp"), folder.Path()}).status,
            kRefused);
  EXPECT_TRUE(Tovek({"crosscheck", "--help"}).out.startsWith("Usage: tovek crosscheck"));
}

}  // namespace
}  // namespace tovek::cli
