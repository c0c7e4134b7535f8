// The published site as a reader meets it: loaded by a real browser
// (Debian's Chromium, headless) and read by an HTML checker (tidy). Both are
// installed by scripts/setup; without them the test says it was skipped.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "calculator/publish/results_site.h"
#include "calculator/ranking_writer.h"
#include "tests/calculator/small_contest.h"
#include "tests/support/test_files.h"

namespace tovek::publish {
namespace {

struct ProgramRun {
  QString out;
  QString err;
};

ProgramRun RunProgram(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
  return {QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

// The page's document as the browser built it, and what its console said.
ProgramRun LoadInBrowser(const QString& chromium, const QString& page) {
  return RunProgram(chromium, {"--headless", "--no-sandbox", "--disable-gpu",
                               "--enable-logging=stderr", "--v=0", "--dump-dom", "file://" + page});
}

TEST(SiteInBrowser, ListsShowTheirPlacesLogTextStaysTextAndEveryPageIsValid) {
  const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
  const QString tidy = QStandardPaths::findExecutable(QStringLiteral("tidy"));
  if (chromium.isEmpty() || tidy.isEmpty()) GTEST_SKIP() << "chromium or tidy is not installed";

  ResultTable rows = testing::SmallContest();
  rows[0].name = QStringLiteral("<script>document.title='owned'</script>");
  testing::TempFolder folder;
  SiteInfo info{QStringLiteral("TOVEK"), QDate(2026, 9, 28), {}, {}};
  // DL1ABC's page with its log and a cross-check: the same checks hold there.
  EntrantActivity log;
  log.per_hour = {3, 0, 1};
  log.line_texts.insert(7, QStringLiteral("QSO: 14080 RY <i>x</i>"));
  info.activity.insert(QStringLiteral("DL1ABC"), log);
  info.checks.insert(QStringLiteral("DL1ABC"),
                     {QStringList{"DL1ABC", "SOHP", "4", "3", "0", "0", "1", "0", "0", "0", "0",
                                  "0", "0", "900", "700"},
                      {{7, QStringLiteral("BUST"), QStringLiteral("<b>JA1AAA</b>")}}});
  ASSERT_TRUE(WriteResultsSite(folder.Path(), info, rows).outcome.ok);

  // SOHP World in the browser: its places, the tie for second shared.
  const ProgramRun list = LoadInBrowser(chromium, folder.File(QStringLiteral("WorldHigh.html")));
  static const QRegularExpression place(
      QStringLiteral("<td class=\"place\">(\\d+)</td><th scope=\"row\"><a [^>]*>([^<]*)</a>"));
  QStringList places;
  for (const QRegularExpressionMatch& m : place.globalMatch(list.out)) {
    places << m.captured(1) + u' ' + m.captured(2);
  }
  EXPECT_EQ(places.mid(0, 4), QStringList({"1 DL1ABC", "2 JA1AAA", "2 W1AW", "4 G3XX"}));
  EXPECT_FALSE(list.err.contains(u"CONSOLE")) << list.err.toStdString();

  // A name that is a script is shown, never run.
  const ProgramRun entrant =
      LoadInBrowser(chromium, folder.File(EntrantPagePath(1, rows[0].call_sign)));
  EXPECT_TRUE(entrant.out.contains(u"&lt;script&gt;document.title='owned'&lt;/script&gt;"));
  EXPECT_FALSE(entrant.out.contains(u"<title>owned</title>"));
  EXPECT_TRUE(entrant.out.contains(u"&lt;b&gt;JA1AAA&lt;/b&gt;"));
  EXPECT_TRUE(entrant.out.contains(u"QSO: 14080 RY &lt;i&gt;x&lt;/i&gt;"));
  EXPECT_FALSE(entrant.err.contains(u"CONSOLE")) << entrant.err.toStdString();

  // Every page passes the checker without an error.
  QStringList pages;
  for (const QString& name : QDir(folder.Path()).entryList({"*.html"})) pages << folder.File(name);
  for (const QString& name : QDir(folder.File("entrants")).entryList({"*.html"})) {
    pages << folder.File("entrants/" + name);
  }
  ASSERT_EQ(pages.size(), 1 + 25 + 8 + rows.size());
  for (const QString& page : pages) {
    const ProgramRun checked = RunProgram(tidy, {"-q", "-e", page});
    EXPECT_FALSE(checked.err.contains(u"Error:")) << page.toStdString() << "\n"
                                                  << checked.err.toStdString();
  }
}

}  // namespace
}  // namespace tovek::publish
