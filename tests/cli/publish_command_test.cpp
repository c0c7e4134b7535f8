#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QProcess>

#include "calculator/publish/results_site.h"
#include "calculator/results_file.h"
#include "cli/command_line.h"
#include "tests/calculator/kavrel_cabrillo.h"
#include "tests/calculator/small_contest.h"
#include "tests/cli/tovek_run.h"
#include "tests/support/test_files.h"

namespace tovek::cli {
namespace {

using testing::TempFolder;
using testing::Tovek;
using testing::TovekRun;

// Every file under a folder by its path inside it, with its bytes.
QMap<QString, QByteArray> TreeFiles(const QString& root) {
  QMap<QString, QByteArray> files;
  QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    files.insert(QDir(root).relativeFilePath(path), testing::ReadBytes(path));
  }
  return files;
}

TEST(PublishCommand, WritesTheSiteOfTheResultsFile) {
  TempFolder folder;
  const ResultTable rows = testing::SmallContest();
  NoProgress progress;
  const QString saved = folder.File("JA DX 2024.rlt");
  ASSERT_TRUE(ResultSave(saved, rows, progress).ok);

  const QString out = folder.File("site/www");
  const TovekRun run = Tovek({"publish", "--out", out, "--date", "2024-03-02", saved});
  ASSERT_EQ(run.status, kSuccess) << run.err.toStdString();
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "");
  // The contest is named after the file; the rows are those read back.
  QMap<QString, QByteArray> expected;
  const publish::SiteInfo info{QStringLiteral("JA DX 2024"), QDate(2024, 3, 2), {}, {}};
  for (const publish::SiteFile& file : publish::ResultsSite(info, ResultRead(saved, progress).rows))
    expected.insert(file.path, file.bytes);
  EXPECT_EQ(TreeFiles(out), expected);
  EXPECT_TRUE(expected.contains("entrants/11-PY2AA.html"));

  ASSERT_EQ(Tovek({"publish", "--out", out, "--contest", "Test & Co", saved}).status, kSuccess);
  EXPECT_TRUE(
      testing::ReadBytes(QDir(out).filePath("index.html")).contains("<title>Test &amp; Co"));
}

TEST(PublishCommand, RefusesWhatItCannotPublish) {
  TempFolder folder;
  const QString saved = folder.File("c.rlt");
  NoProgress progress;
  ASSERT_TRUE(ResultSave(saved, testing::SmallContest(), progress).ok);
  const QString garbage = folder.Write("garbage.rlt", QByteArray(493, '\xff'));
  const QString empty = folder.Write("empty.rlt", {});
  const QString out = folder.File("out");
  const std::pair<QStringList, int> cases[] = {
      {{"publish", saved}, kUsageError},
      {{"publish", "--out", "", saved}, kUsageError},
      {{"publish", "--out=", saved}, kUsageError},
      {{"publish", "--out", "  ", saved}, kUsageError},
      {{"publish", "--out", out}, kUsageError},
      {{"publish", "--out", out, saved, saved}, kUsageError},
      {{"publish", "--out", out, "--date", "2024-13-01", saved}, kUsageError},
      {{"publish", "--out", out, folder.File("missing.rlt")}, kRefused},
      {{"publish", "--out", out, garbage}, kRefused},
      {{"publish", "--out", out, empty}, kRefused},
  };
  for (const auto& [args, status] : cases) {
    const TovekRun run = Tovek(args);
    EXPECT_EQ(run.status, status) << args.join(' ').toStdString();
    EXPECT_TRUE(run.err.startsWith("tovek publish: ")) << run.err.toStdString();
  }
  EXPECT_FALSE(QDir(out).exists());
}

// The logs add a band table and a rate chart to their entrants' pages; an
// area file that cannot be read refuses the run, as scoring does.
TEST(PublishCommand, LogsAddTheirBandsAndHoursToTheEntrantsPages) {
  TempFolder folder;
  const QString saved = folder.File("c.rlt");
  NoProgress progress;
  ASSERT_TRUE(ResultSave(saved, testing::SmallContest(), progress).ok);
  QDir().mkpath(folder.File("logs"));
  testing::WriteKavrelLog(folder.File("logs/ja1aaa.cbr"),
                          testing::StationSummary("JA1AAA", "SOHP", "AS", "JA"),
                          {{"14080", "W1AW", "JA1AAA", "0005"}});
  const QString out = folder.File("out");
  const TovekRun run = Tovek(
      {"publish", "--logs", folder.File("logs"), "--out", out, "--date", "2024-10-21", saved});
  ASSERT_EQ(run.status, kSuccess) << run.err.toStdString();
  const QString page =
      QString::fromUtf8(testing::ReadBytes(QDir(out).filePath("entrants/2-JA1AAA.html")));
  EXPECT_TRUE(page.contains(u"<tr><th scope=\"row\">14 MHz</th><td class=\"num\">1</td>"));
  EXPECT_EQ(page.count(u"<svg"), 1);
  EXPECT_FALSE(testing::ReadBytes(QDir(out).filePath("entrants/1-DL1ABC.html")).contains("<svg"));

  const TovekRun no_areas = Tovek({"publish", "--logs", folder.File("logs"), "--area",
                                   folder.File("none.are"), "--out", out, saved});
  EXPECT_EQ(no_areas.status, kRefused);
}

// The certificates need the GUI application object that the program makes
// for publish, on the offscreen platform when no other is asked for.
TEST(PublishCommand, CertificatesArePaintedByTheProgram) {
  TempFolder folder;
  const QString saved = folder.File("c.rlt");
  NoProgress progress;
  ASSERT_TRUE(ResultSave(saved, testing::SmallContest(), progress).ok);

  const TovekRun in_process =
      Tovek({"publish", "--certificates", "--out", folder.File("a"), saved});
  EXPECT_EQ(in_process.status, kRefused);
  EXPECT_EQ(in_process.err,
            "tovek publish: certificates cannot be painted without a GUI application\n");

  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove("QT_QPA_PLATFORM");
  environment.remove("DISPLAY");
  process.setProcessEnvironment(environment);
  const QString out = folder.File("b");
  process.start(QStringLiteral(TOVEK_PROGRAM_DIR "/tovek"),
                {"publish", "--certificates", "--out", out, saved});
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitCode(), kSuccess) << process.readAllStandardError().toStdString();
  const QDir certificates(QDir(out).filePath("certificates"));
  // 15 winners in the 8 award lists, and the file of all.
  EXPECT_EQ(certificates.entryList(QDir::Files).size(), 15 + 1);
  EXPECT_TRUE(testing::ReadBytes(certificates.filePath("AllCertificates.pdf")).startsWith("%PDF-"));
  EXPECT_TRUE(QFile::exists(QDir(out).filePath("index.html")));
}

}  // namespace
}  // namespace tovek::cli
