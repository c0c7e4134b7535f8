#include "calculator/publish/results_site.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <limits>

#include "calculator/award_writer.h"

#include "calculator/publish/site_text.h"
#include "calculator/ranking_writer.h"
#include "tests/calculator/small_contest.h"
#include "tests/support/test_files.h"

namespace tovek::publish {
namespace {

using testing::ContestRow;
using testing::TempFolder;

const SiteInfo kInfo{QStringLiteral("JA DX Contest"), QDate(2024, 3, 2), {}, {}};

QString FileText(const QList<SiteFile>& files, const QString& path) {
  for (const SiteFile& file : files) {
    if (file.path == path) return QString::fromUtf8(file.bytes);
  }
  ADD_FAILURE() << "no file " << path.toStdString();
  return {};
}

using Entries = QList<std::pair<qint64, QString>>;  // place and call, in list order

// The entries of a ranking file: the lines after the title, two empty
// lines and the header.
Entries RankingFileEntries(const QString& path) {
  const TextFileLines read = ReadTextLines(path, LineEnds::kCrLfCrOrLf);
  EXPECT_TRUE(read.outcome.ok) << path.toStdString();
  Entries entries;
  for (const QString& line : read.lines.mid(4)) {
    entries.append({line.left(3).trimmed().toLongLong(), line.mid(4, 13).trimmed()});
  }
  return entries;
}

Entries ListPageEntries(const QString& html) {
  static const QRegularExpression entry(
      QStringLiteral("<tr><td class=\"place\">(\\d+)</td><th scope=\"row\"><a href=\"[^\"]*\">"
                     "([^<]*)</a></th>"));
  Entries entries;
  for (const QRegularExpressionMatch& m : entry.globalMatch(html)) {
    entries.append({m.captured(1).toLongLong(), m.captured(2)});
  }
  return entries;
}

TEST(ResultsSite, EveryListPageHasThePlacesOfItsRankingFile) {
  const ResultTable rows = testing::SmallContest();
  TempFolder folder;
  NoProgress progress;
  ASSERT_TRUE(
      WriteRankingFiles({folder.Path(), folder.Path()}, kInfo.date, RankRows(rows), progress)
          .outcome.ok);
  const QList<SiteFile> site = ResultsSite(kInfo, rows);
  qsizetype listed = 0;
  for (const RankingReport& report : RankingReports()) {
    const QString name = QString::fromLatin1(report.file_name);
    const Entries expected = RankingFileEntries(folder.File(OutputDatePrefix(kInfo.date) + name));
    const QString page = name.chopped(4) + QStringLiteral(".html");
    EXPECT_EQ(ListPageEntries(FileText(site, page)), expected) << report.file_name;
    listed += expected.size();
  }
  // SOHP World holds the tie for second: 1, 2, 2, 4.
  EXPECT_EQ(ListPageEntries(FileText(site, QStringLiteral("WorldHigh.html"))).mid(0, 4),
            (Entries{{1, "DL1ABC"}, {2, "JA1AAA"}, {2, "W1AW"}, {4, "G3XX"}}));
  EXPECT_GT(listed, rows.size());
  // The index, 25 lists, 8 award lists, one page per entrant, CSV and JSON.
  EXPECT_EQ(site.size(), 1 + 25 + 8 + rows.size() + 2);
}

// The award lists of results.json name the winners of the award pages.
TEST(ResultsSite, JsonHoldsTheAwardListsOfTheAwardPages) {
  const ResultTable rows = testing::SmallContest();
  const QList<SiteFile> site = ResultsSite(kInfo, rows);
  const QJsonObject root =
      QJsonDocument::fromJson(FileText(site, QStringLiteral("results.json")).toUtf8()).object();
  const QJsonArray awards = root.value(u"awards").toArray();
  ASSERT_EQ(awards.size(), AwardFiles().size());
  static const QRegularExpression winner(QStringLiteral(
      "<tr><td class=\"place\">(\\d+)</td><td>([^<]*)</td><th scope=\"row\"><a href=\"[^\"]*\">"
      "([^<]*)</a></th>"));
  qsizetype winners = 0;
  for (qsizetype a = 0; a < awards.size(); ++a) {
    const QJsonValue award = awards[a];
    EXPECT_EQ(award[u"list"].toString(), QString::fromUtf8(AwardFiles()[a].title));
    QStringList from_json;
    for (const QJsonValue& category : award[u"categories"].toArray()) {
      for (const QJsonValue& entry : category[u"entries"].toArray()) {
        from_json << QStringLiteral("%1 %2 %3")
                         .arg(entry[u"place"].toInt())
                         .arg(entry[u"award"].toString(),
                              rows[entry[u"position"].toInt() - 1].call_sign);
      }
    }
    QStringList from_page;
    for (const QRegularExpressionMatch& m :
         winner.globalMatch(FileText(site, award[u"page"].toString()))) {
      from_page << m.captured(1) + u' ' + m.captured(2) + u' ' + m.captured(3);
    }
    EXPECT_EQ(from_json, from_page) << award[u"page"].toString().toStdString();
    winners += from_page.size();
  }
  EXPECT_GT(winners, 8);
}

// results.json is written as text: Qt's JSON reader takes back every text
// and number as the table holds them, and a score JSON cannot hold as null.
TEST(ResultsSite, JsonReadsBackEveryTextAndNumberOfTheTable) {
  ResultRow row = ContestRow(QStringLiteral("JA1\"A\\"), "SOLP", "AS", "JA", 1234.5, 10, 20, 3,
                             QStringLiteral("山田\t\"太郎\"\r\n\x01様 </script>"), "");
  row.claimed_score = std::numeric_limits<double>::infinity();
  row.soapbox = QStringLiteral("\\u0041 \\");
  const QList<SiteFile> site = ResultsSite(kInfo, {row});
  QJsonParseError error;
  const QJsonObject root =
      QJsonDocument::fromJson(FileText(site, QStringLiteral("results.json")).toUtf8(), &error)
          .object();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  EXPECT_EQ(root[u"contest"].toString(), kInfo.contest);
  const QJsonObject entrant = root[u"entrants"].toArray().first().toObject();
  EXPECT_EQ(entrant[u"call_sign"].toString(), row.call_sign);
  EXPECT_EQ(entrant[u"name"].toString(), row.name);
  EXPECT_EQ(entrant[u"soapbox"].toString(), row.soapbox);
  EXPECT_EQ(entrant[u"score"].toDouble(), 1234.5);
  EXPECT_EQ(entrant[u"valid"].toInteger(), 10);
  EXPECT_TRUE(entrant[u"claimed_score"].isNull());
  EXPECT_EQ(root[u"rankings"].toArray().first()[u"list"].toString(),
            QString::fromUtf8(RankingReports().first().title));
}

// A second run over a smaller table removes the pages of the entrants it no
// longer has, and nothing that is not one of the site's entrant pages.
TEST(ResultsSite, ARunRemovesTheStaleEntrantPagesOfAnEarlierOne) {
  const ResultTable rows = testing::SmallContest();
  TempFolder folder;
  ASSERT_TRUE(WriteResultsSite(folder.Path(), kInfo, rows).outcome.ok);
  const QStringList own = {"notes.txt", "1-DL1ABC.htm", "x-DL1ABC.html", "2-A.B.html"};
  for (const QString& name : own) folder.Write(QStringLiteral("entrants/") + name, "mine");
  ASSERT_TRUE(WriteResultsSite(folder.Path(), kInfo, rows.mid(1, 2)).outcome.ok);
  QStringList expected = own;
  expected << EntrantPagePath(1, rows[1].call_sign).mid(9)
           << EntrantPagePath(2, rows[2].call_sign).mid(9);
  expected.sort();
  EXPECT_EQ(QDir(folder.File("entrants")).entryList(QDir::Files | QDir::Hidden, QDir::Name),
            expected);
}

TEST(ResultsSite, TextFromALogIsEscapedAndNamesNoFileElsewhere) {
  ResultTable rows = {
      ContestRow("A&B", "SOHP", "EU", "DL", 10, 1, 1, 1,
                 QStringLiteral("<script>alert(1)</script>"), ""),
      ContestRow("../x", "SOHP", "EU", "DL", 5, 1, 1, 1, QStringLiteral("\"q\" 'a'"), ""),
  };
  rows[1].soapbox = QStringLiteral("</td><img src=x onerror=alert(2)>");
  const QList<SiteFile> site = ResultsSite(kInfo, rows);
  for (const SiteFile& file : site) {
    if (!file.path.endsWith(u".html")) continue;
    const QString html = QString::fromUtf8(file.bytes);
    EXPECT_FALSE(html.contains(u"<script>alert")) << file.path.toStdString();
    EXPECT_FALSE(html.contains(u"<img")) << file.path.toStdString();
    EXPECT_FALSE(html.contains(u"A&B")) << file.path.toStdString();
  }
  const QString list = FileText(site, QStringLiteral("EuHigh.html"));
  EXPECT_TRUE(list.contains(u"<a href=\"entrants/1-A_B.html\">A&amp;B</a>"));
  EXPECT_TRUE(list.contains(u"&lt;script&gt;alert(1)&lt;/script&gt;"));
  const QString second = FileText(site, QStringLiteral("entrants/2-___x.html"));
  EXPECT_TRUE(second.contains(u"&quot;q&quot; &#39;a&#39;"));
  EXPECT_TRUE(second.contains(u"&lt;/td&gt;&lt;img src=x onerror=alert(2)&gt;"));
  const std::pair<const char*, const char*> paths[] = {
      {"JA1AAA", "entrants/7-JA1AAA.html"},
      {"VK2ABC/P", "entrants/7-VK2ABC_P.html"},
      {"..\\..\\a", "entrants/7-______a.html"},
      {"", "entrants/7-.html"},
  };
  for (const auto& [call, path] : paths) {
    EXPECT_EQ(EntrantPagePath(7, QString::fromUtf8(call)), QString::fromLatin1(path)) << call;
  }
}

TEST(ResultsSite, CsvQuotesFieldsAndDefusesFormulas) {
  const std::pair<const char*, const char*> fields[] = {
      {"JA1AAA", "JA1AAA"},
      {"", ""},
      {"Smith, Bob", "\"Smith, Bob\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"line\r\nbreak", "\"line\r\nbreak\""},
      {"lf\nonly", "\"lf\nonly\""},
      // A spreadsheet would run these as formulas; numbers stay numbers.
      {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
      {"+1+1", "'+1+1"},
      {"-2+3,x", "\"'-2+3,x\""},
      {"@SUM(A1)", "'@SUM(A1)"},
      {"-", "'-"},
      {"-5", "-5"},
      {"+1.5e3", "+1.5e3"},
      {"-.5", "-.5"},
      {"a=b", "a=b"},
  };
  for (const auto& [text, expected] : fields) {
    EXPECT_EQ(CsvField(QString::fromUtf8(text)), QString::fromUtf8(expected)) << text;
  }
  ResultRow row = ContestRow("JA1AAA", "SOLP", "AS", "JA", 1234.5, 10, 20, 3,
                             QStringLiteral("山田, \"太郎\"\r\n様"), "");
  const QByteArray csv = ResultsCsv({row});
  const QList<QByteArray> records = csv.split('\n');
  EXPECT_EQ(records.first(),
            "Position,CallSign,Category,ClaimedScore,Score,QsoLines,Valid,Dupes,Points,Mult1,"
            "Mult2,TotalMult,Continent,Entity,Name,Operators,Club,CreatedBy,Soapbox\r");
  EXPECT_EQ(csv.mid(csv.indexOf("\r\n") + 2),
            QStringLiteral("1,JA1AAA,SOLP,1234.5,1234.5,10,10,0,20,1,2,3,AS,JA,"
                           "\"山田, \"\"太郎\"\"\r\n様\",,,,\r\n")
                .toUtf8());
}

}  // namespace
}  // namespace tovek::publish
