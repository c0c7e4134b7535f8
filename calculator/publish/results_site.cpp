#include "calculator/publish/results_site.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QStringBuilder>
#include <algorithm>
#include <atomic>
#include <vector>

#include "calculator/award_writer.h"
#include "calculator/crosscheck/parallel_work.h"
#include "calculator/publish/site_text.h"
#include "calculator/text_rules.h"
#include "common/file_output.h"

namespace tovek::publish {
namespace {

// The postal address is left out of every published file: it is there for
// mailing the certificates, not for the public.

const QString kIndexPage = QStringLiteral("index.html");
const QString kCsvFile = QStringLiteral("results.csv");
const QString kJsonFile = QStringLiteral("results.json");
const QString kEntrantFolder = QStringLiteral("entrants");

// Nothing but the pages' own style and script may load.
const char kPolicy[] =
    "default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'; img-src data:";

const char kStyle[] =
    "body{font-family:sans-serif;margin:1em auto;max-width:60em;padding:0 .5em;line-height:1.4}"
    "h1{font-size:1.5em}h2{font-size:1.2em;margin-top:1.5em}"
    ".wide{overflow-x:auto}table{border-collapse:collapse;margin:.5em 0}"
    "caption{text-align:left;font-weight:bold;padding:.3em 0}"
    "th,td{border:1px solid #999;padding:.2em .5em;vertical-align:top}"
    "thead th{background:#eee}td.num,td.place{text-align:right}"
    "tbody th{text-align:left;font-weight:normal}"
    "table.sortable thead th{cursor:pointer}td.text{white-space:pre-wrap}";

// Sorting by a column header click; the pages read the same without it.
const char kSortScript[] =
    "document.querySelectorAll('table.sortable thead th').forEach(function(h){"
    "h.tabIndex=0;h.addEventListener('click',function(){"
    "var b=h.closest('table').tBodies[0],i=h.cellIndex,d=h.dataset.d==='a'?-1:1;"
    "h.dataset.d=d>0?'a':'d';"
    "function k(r){var s=r.cells[i].textContent.trim(),n=parseFloat(s.replace(/,/g,''));"
    "return isNaN(n)?s:n}"
    "Array.from(b.rows).sort(function(x,y){var p=k(x),q=k(y);"
    "if(typeof p!==typeof q)return(typeof p==='number'?-1:1)*d;"
    "return(p<q?-1:p>q?1:0)*d}).forEach(function(r){b.appendChild(r)})})});";

// Japanese and English side by side; only for the pages' own texts.
// The labels are the program's own texts, which never change: each pair is
// made once per thread and shared by every page after (a site's pages hold
// some forty labels each, thousands of times over).
QString Both(const char* ja, const char* en) {
  thread_local QHash<std::pair<const char*, const char*>, QString> made;
  QString& label = made[{ja, en}];
  if (label.isEmpty()) {
    label = u"<span lang=\"ja\">" % QString::fromUtf8(ja) % u"</span> / <span lang=\"en\">" %
            QString::fromUtf8(en) % u"</span>";
  }
  return label;
}

QString Both(Bilingual name) { return Both(name.ja, name.en); }

QString CategoryLabel(Category category) { return Both(CategoryName(category)); }

QString RegionLabel(Region region) { return Both(RegionName(region)); }

QString ReportHeading(const RankingReport& report) {
  if (report.check_log) return Both("チェックログ", "Check logs");
  return CategoryLabel(report.category) + QStringLiteral(" — ") + RegionLabel(report.region);
}

QString AwardHeading(const AwardFile& award) {
  return Both("アワード", "Awards") + QStringLiteral(" — ") + RegionLabel(award.region);
}

// "WorldHigh.Rez" -> "WorldHigh.html".
QString PageOf(const char* file_name) {
  return QFileInfo(QString::fromLatin1(file_name)).completeBaseName() + QStringLiteral(".html");
}

// The pages are made by concatenation (one allocation for the whole
// expression) rather than arg(): a site has thousands of pages of hundreds
// of cells each.
QString Cell(const QString& html, const char* css_class = nullptr) {
  if (!css_class) return u"<td>" % html % u"</td>";
  return u"<td class=\"" % QLatin1String(css_class) % u"\">" % html % u"</td>";
}

QString NumberCell(double value) { return Cell(GroupedNumber(value), "num"); }

QString HeaderRow(const QStringList& labels) {
  QString row = QStringLiteral("<thead><tr>");
  for (const QString& label : labels) row += u"<th scope=\"col\">" % label % u"</th>";
  return row + QStringLiteral("</tr></thead>");
}

QString Table(const QString& caption, const QStringList& labels, const QStringList& rows,
              bool sortable) {
  return QStringLiteral(
             "<div class=\"wide\"><table%1><caption>%2</caption>%3<tbody>\n%4</tbody>"
             "</table></div>\n")
      .arg(sortable ? QStringLiteral(" class=\"sortable\"") : QString(), caption, HeaderRow(labels),
           rows.join(QString()));
}

// A row without a call (a log that could not be read) still gets a link
// one can see and follow.
QString CallText(const QString& call_sign) {
  return TrimSpaces(call_sign).isEmpty() ? Both("コールなし", "no call") : HtmlEscaped(call_sign);
}

QString Link(const QString& href, const QString& html) {
  return u"<a href=\"" % HtmlEscaped(href) % u"\">" % html % u"</a>";
}

QString Page(const SiteInfo& info, const QString& root, const QString& heading,
             const QString& body) {
  const QString contest = HtmlEscaped(info.contest);
  return u"<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
         u"<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         u"<meta http-equiv=\"Content-Security-Policy\" content=\"" %
         QLatin1String(kPolicy) % u"\">\n<title>" % contest % u"</title>\n<style>" %
         QLatin1String(kStyle) % u"</style>\n</head>\n<body>\n<header><p>" %
         Link(root + kIndexPage, contest + QStringLiteral(" — ") + Both("目次", "Contents")) %
         u"</p>\n<h1>" % heading % u"</h1></header>\n<main>\n" % body %
         u"</main>\n<script>" % QLatin1String(kSortScript) % u"</script>\n</body>\n</html>\n";
}

// A call sign as a link to its entrant's page.
struct Entrant {
  qsizetype position;  // 1-based, in the results table
  const ResultRow* row;
  QString page;  // from the site's folder
};

class Site {
 public:
  Site(const SiteInfo& info, const ResultTable& rows) : info_(info), rows_(rows) {
    tables_ = RankRows(rows);
    for (qsizetype i = 0; i < rows.size(); ++i) {
      entrants_.append({i + 1, &rows[i], EntrantPagePath(i + 1, rows[i].call_sign)});
    }
    FileMembers();
  }

  // The files in their order: the index, the ranking and award pages, the
  // entrants' pages, the CSV and the JSON file. Any of them can be made on
  // any thread.
  qsizetype FileCount() const {
    return 1 + RankingReports().size() + AwardFiles().size() + entrants_.size() + 2;
  }

  SiteFile File(qsizetype i) const {
    if (i == 0) return {kIndexPage, Index().toUtf8()};
    i -= 1;
    const QList<RankingReport>& reports = RankingReports();
    if (i < reports.size()) return {PageOf(reports[i].file_name), RankingPage(i).toUtf8()};
    i -= reports.size();
    const QList<AwardFile>& awards = AwardFiles();
    if (i < awards.size()) return {PageOf(awards[i].file_name), AwardPage(awards[i]).toUtf8()};
    i -= awards.size();
    if (i < entrants_.size()) return {entrants_[i].page, EntrantPage(entrants_[i]).toUtf8()};
    i -= entrants_.size();
    if (i == 0) return {kCsvFile, ResultsCsv(rows_)};
    return {kJsonFile, Json()};
  }

 private:
  // The entrants of each ranking list, in the list's order. A list keeps
  // the order of filing, so each row's lists are found by filing it alone.
  void FileMembers() {
    const QList<RankingReport>& reports = RankingReports();
    members_.resize(reports.size());
    places_.resize(reports.size());
    for (const Entrant& entrant : entrants_) {
      RankingTables alone;
      alone.File(*entrant.row);
      for (qsizetype r = 0; r < reports.size(); ++r) {
        if (!ReportList(alone, reports[r]).isEmpty()) members_[r].append(entrant.position - 1);
      }
    }
    lists_of_.resize(entrants_.size());
    for (qsizetype r = 0; r < reports.size(); ++r) {
      places_[r] = RankingPlaces(ReportList(tables_, reports[r]));
      for (qsizetype k = 0; k < members_[r].size(); ++k) {
        lists_of_[members_[r][k]].append({r, places_[r][k]});
      }
    }
  }

  // The members of the award region's list of a category: the ranking
  // report that publishes it.
  qsizetype ReportIndex(Category category, Region region) const {
    const QList<RankingReport>& reports = RankingReports();
    for (qsizetype r = 0; r < reports.size(); ++r) {
      if (!reports[r].check_log && reports[r].category == category && reports[r].region == region) {
        return r;
      }
    }
    return -1;
  }

  QString CallLink(const Entrant& entrant, const QString& root) const {
    return Link(root + entrant.page, CallText(entrant.row->call_sign));
  }

  QString Index() const {
    QString body = QStringLiteral("<p>%1: %2<br>%3: %4</p>\n")
                       .arg(Both("発表日", "Published"), info_.date.toString(Qt::ISODate),
                            Both("参加局数", "Entrants"), QString::number(rows_.size()));
    body += CountsTable();
    body += QStringLiteral("<h2>%1</h2>\n<ul>\n").arg(Both("順位表", "Rankings"));
    const QList<RankingReport>& reports = RankingReports();
    for (qsizetype r = 0; r < reports.size(); ++r) {
      body += QStringLiteral("<li>%1 (%2)</li>\n")
                  .arg(Link(PageOf(reports[r].file_name), ReportHeading(reports[r])))
                  .arg(members_[r].size());
    }
    body += QStringLiteral("</ul>\n<h2>%1</h2>\n<ul>\n").arg(Both("アワード", "Awards"));
    for (const AwardFile& award : AwardFiles()) {
      body +=
          QStringLiteral("<li>%1</li>\n").arg(Link(PageOf(award.file_name), AwardHeading(award)));
    }
    body +=
        QStringLiteral("</ul>\n<h2>%1</h2>\n<ul>\n<li>%2</li>\n<li>%3</li>\n</ul>\n")
            .arg(Both("データ", "Data"), Link(kCsvFile, QStringLiteral("results.csv (CSV, UTF-8)")),
                 Link(kJsonFile, QStringLiteral("results.json (JSON)")));
    QStringList rows;
    for (const Entrant& entrant : entrants_) {
      const ResultRow& row = *entrant.row;
      rows.append(QStringLiteral("<tr>") + Cell(QString::number(entrant.position), "num") +
                  QStringLiteral("<th scope=\"row\">%1</th>").arg(CallLink(entrant, QString())) +
                  Cell(HtmlEscaped(row.category)) + Cell(HtmlEscaped(row.continent)) +
                  Cell(HtmlEscaped(row.entity)) + NumberCell(row.score) +
                  QStringLiteral("</tr>\n"));
    }
    body +=
        Table(Both("参加局一覧（集計順）", "All entrants (in results order)"),
              {Both("番号", "No."), Both("コールサイン", "Call"), Both("部門", "Category"),
               Both("大陸", "Continent"), Both("エンティティ", "Entity"), Both("得点", "Score")},
              rows, true);
    return Page(info_, QString(), Both("コンテスト結果", "Contest results"), body);
  }

  // Entrants by category (as written, upper-cased) and continent.
  QString CountsTable() const {
    QMap<QString, QMap<QString, qsizetype>> counts;
    QMap<QString, qsizetype> by_continent;
    for (const ResultRow& row : rows_) {
      const QString category = TrimSpaces(row.category).toUpper();
      const QString continent = TrimSpaces(row.continent).toUpper();
      ++counts[category][continent];
      ++by_continent[continent];
    }
    const QString none = Both("なし", "none");
    auto shown = [&](const QString& text) { return text.isEmpty() ? none : HtmlEscaped(text); };
    QStringList labels = {Both("部門", "Category")};
    for (auto it = by_continent.cbegin(); it != by_continent.cend(); ++it)
      labels.append(shown(it.key()));
    labels.append(Both("計", "Total"));
    QStringList rows;
    auto row_of = [&](const QString& head, const QMap<QString, qsizetype>& cells) {
      QString html = QStringLiteral("<tr><th scope=\"row\">%1</th>").arg(head);
      qsizetype total = 0;
      for (auto it = by_continent.cbegin(); it != by_continent.cend(); ++it) {
        const qsizetype n = cells.value(it.key());
        total += n;
        html += Cell(QString::number(n), "num");
      }
      return html + Cell(QString::number(total), "num") + QStringLiteral("</tr>\n");
    };
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
      rows.append(row_of(shown(it.key()), *it));
    rows.append(row_of(Both("計", "Total"), by_continent));
    return Table(Both("部門・大陸別の参加局数", "Entrants by category and continent"), labels, rows,
                 false);
  }

  QString RankingPage(qsizetype r) const {
    const RankingReport& report = RankingReports()[r];
    const QList<ResultRow>& list = ReportList(tables_, report);
    QStringList rows;
    for (qsizetype k = 0; k < list.size(); ++k) {
      const ResultRow& row = list[k];
      rows.append(QStringLiteral("<tr><td class=\"place\">%1</td><th scope=\"row\">%2</th>")
                      .arg(places_[r][k])
                      .arg(CallLink(entrants_[members_[r][k]], QString())) +
                  NumberCell(row.valid) + NumberCell(row.points) + NumberCell(row.total_mult) +
                  NumberCell(row.score) + Cell(HtmlEscaped(row.continent)) +
                  Cell(HtmlEscaped(row.name)) + QStringLiteral("</tr>\n"));
    }
    const QString heading = ReportHeading(report);
    QString body = QStringLiteral("<p>%1: %2</p>\n")
                       .arg(Both("局数", "Entries"), QString::number(list.size()));
    body += Table(heading,
                  {Both("順位", "Place"), Both("コールサイン", "Call"), Both("交信数", "QSOs"),
                   Both("得点", "Points"), Both("マルチ", "Mults"), Both("総得点", "Score"),
                   Both("大陸", "Continent"), Both("氏名", "Name")},
                  rows, true);
    return Page(info_, QString(), heading, body);
  }

  // Awards go by position in the list, as in the award files.
  QString AwardPage(const AwardFile& award) const {
    QString body;
    for (const Category category : kAwardCategories) {
      const qsizetype r = ReportIndex(category, award.region);
      const QList<ResultRow>& list = tables_.List(category, award.region);
      body += QStringLiteral("<h2>%1</h2>\n<p>%2: %3</p>\n")
                  .arg(CategoryLabel(category), Both("参加局数", "Participants"),
                       QString::number(list.size()));
      const qsizetype winners = std::min(list.size(), award.place_texts.size());
      if (winners == 0) continue;
      QStringList rows;
      for (qsizetype k = 0; k < winners; ++k) {
        const ResultRow& row = list[k];
        rows.append(QStringLiteral("<tr><td class=\"place\">%1</td>").arg(k + 1) +
                    Cell(HtmlEscaped(TrimSpaces(QString::fromLatin1(award.place_texts[k])))) +
                    QStringLiteral("<th scope=\"row\">%1</th>")
                        .arg(CallLink(entrants_[members_[r][k]], QString())) +
                    Cell(HtmlEscaped(row.name)) + NumberCell(row.score) +
                    Cell(HtmlEscaped(row.continent)) + QStringLiteral("</tr>\n"));
      }
      body += Table(CategoryLabel(category),
                    {Both("順位", "Place"), Both("賞", "Award"), Both("コールサイン", "Call"),
                     Both("氏名", "Name"), Both("総得点", "Score"), Both("大陸", "Continent")},
                    rows, false);
    }
    return Page(info_, QString(), AwardHeading(award), body);
  }

  // The log's QSOs, points and multipliers per band, and its hourly rate.
  static QString ActivitySection(const EntrantActivity& activity) {
    static const char* const kBands[kBandSlots] = {"3.5 MHz", "7 MHz", "14 MHz", "21 MHz",
                                                   "28 MHz"};
    QStringList rows;
    for (int slot = 0; slot <= kBandSlots; ++slot) {
      const BandSlot& band = activity.tally[static_cast<size_t>(slot)];
      const QString head =
          slot == kTotalSlot ? Both("計", "Total") : QString::fromLatin1(kBands[slot]);
      rows.append(u"<tr><th scope=\"row\">" % head % u"</th>" % NumberCell(band.valid) %
                  NumberCell(band.dupes) % NumberCell(band.points) % NumberCell(band.mult1) %
                  NumberCell(band.mult2) % u"</tr>\n");
    }
    QString html =
        Table(Both("バンド別（3.5 MHz の行には 5 バンド外の交信を含む）",
                   "By band (the 3.5 MHz row includes QSOs off the five bands)"),
              {Both("バンド", "Band"), Both("有効交信数", "Valid QSOs"), Both("重複", "Dupes"),
               Both("得点", "QSO points"), Both("マルチ1", "Mult 1"), Both("マルチ2", "Mult 2")},
              rows, false);
    html += QStringLiteral("<figure><figcaption>%1</figcaption>\n%2\n</figure>\n")
                .arg(Both("時間別交信数（UTC）", "QSOs per hour (UTC)"), HourlyRateSvg(activity));
    if (activity.untimed > 0 || activity.beyond > 0) {
      html += QStringLiteral("<p>%1: %2<br>%3: %4</p>\n")
                  .arg(Both("日時の読めない交信", "QSOs without a readable time"))
                  .arg(activity.untimed)
                  .arg(Both("グラフより後の交信", "QSOs after the chart's hours"))
                  .arg(activity.beyond);
    }
    return html;
  }

  // The log's figures from the cross-check, and its lines that are not OK
  // with the text of each when the log was read.
  static QString CheckSection(const EntrantCheck& check, const EntrantActivity* activity) {
    static const Bilingual kFigures[] = {
        {"コールサイン", "Call"},
        {"部門", "Category"},
        {"QSO行数", "QSO lines"},
        {"確認 (OK)", "Confirmed (OK)"},
        {"未確認 (UNVERIFIED)", "Unverified (UNVERIFIED)"},
        {"相手ログになし (NIL)", "Not in log (NIL)"},
        {"コール誤り (BUST)", "Busted call (BUST)"},
        {"ナンバー誤り (XBUST)", "Busted number (XBUST)"},
        {"バンド誤り (BAND)", "Wrong band (BAND)"},
        {"ユニーク (UNIQUE)", "Unique (UNIQUE)"},
        {"重複 (DUPE)", "Duplicate (DUPE)"},
        {"時間外 (TIME)", "Out of time (TIME)"},
        {"時計のずれ（分）", "Clock offset (minutes)"},
        {"得点（チェック前）", "Score (before the check)"},
        {"得点（チェック後）", "Checked score"},
    };
    QStringList counts;
    for (qsizetype i = 1; i < check.figures.size() && i < qsizetype{std::size(kFigures)}; ++i) {
      counts.append(QStringLiteral("<tr><th scope=\"row\">%1</th>").arg(Both(kFigures[i])) +
                    Cell(HtmlEscaped(check.figures[i]), i == 1 ? "text" : "num") +
                    QStringLiteral("</tr>\n"));
    }
    QString html = QStringLiteral("<h2>%1</h2>\n").arg(Both("クロスチェック", "Cross-check"));
    html += Table(Both("クロスチェックの集計", "Cross-check counts"),
                  {Both("項目", "Field"), Both("値", "Value")}, counts, false);
    if (check.lines.isEmpty()) {
      return html + QStringLiteral("<p>%1</p>\n")
                        .arg(Both("OK でない交信はありません", "Every QSO line is OK"));
    }
    QStringList labels = {Both("行", "Line"), Both("判定", "Verdict"), Both("詳細", "Detail")};
    if (activity) labels.append(Both("ログの行", "Log line"));
    QStringList rows;
    for (const CheckedLine& line : check.lines) {
      QString row = QStringLiteral("<tr><th scope=\"row\">%1</th>").arg(line.line) +
                    Cell(HtmlEscaped(line.verdict)) + Cell(HtmlEscaped(line.detail), "text");
      if (activity) row += Cell(HtmlEscaped(activity->line_texts.value(line.line)), "text");
      rows.append(row + QStringLiteral("</tr>\n"));
    }
    return html + Table(Both("OK でない交信", "QSO lines that are not OK"), labels, rows, true);
  }

  QString EntrantPage(const Entrant& entrant) const {
    const ResultRow& row = *entrant.row;
    auto field = [](const QString& label, const QString& html, const char* css) -> QString {
      return u"<tr><th scope=\"row\">" % label % u"</th>" % Cell(html, css) % u"</tr>\n";
    };
    auto text = [&](const char* ja, const char* en, const QString& value) {
      return field(Both(ja, en), HtmlEscaped(value), "text");
    };
    auto number = [&](const char* ja, const char* en, double value) {
      return field(Both(ja, en), FormatNumber(value), "num");
    };
    const QStringList record = {
        text("コールサイン", "Call", row.call_sign),
        text("部門", "Category", row.category),
        number("申告得点", "Claimed score", row.claimed_score),
        number("総得点", "Score", row.score),
        text("大陸", "Continent", row.continent),
        text("エンティティ", "Entity", row.entity),
        text("氏名", "Name", row.name),
        text("オペレーター", "Operators", row.operators),
        text("クラブ", "Club", row.club),
        text("作成ソフト", "Created by", row.created_by),
        text("感想", "Soapbox", row.soapbox),
        number("QSO行数", "QSO lines", row.qso_lines),
        number("有効交信数", "Valid QSOs", row.valid),
        number("重複", "Dupes", row.dupes),
        number("得点", "QSO points", row.points),
        number("マルチ1", "Mult 1", row.mult1),
        number("マルチ2", "Mult 2", row.mult2),
        number("マルチ合計", "Total mults", row.total_mult),
    };
    const QString root = QStringLiteral("../");
    QString body =
        Table(Both("成績", "Result"), {Both("項目", "Field"), Both("値", "Value")}, record, false);
    QStringList places;
    const QList<RankingReport>& reports = RankingReports();
    for (const auto& [r, place] : lists_of_[entrant.position - 1]) {
      places.append(
          QStringLiteral("<tr><th scope=\"row\">%1</th><td class=\"place\">%2</td></tr>\n")
              .arg(Link(root + PageOf(reports[r].file_name), ReportHeading(reports[r])))
              .arg(place));
    }
    const QString key = TrimSpaces(row.call_sign).toUpper();
    const auto activity = info_.activity.constFind(key);
    const bool has_log = activity != info_.activity.cend();
    if (has_log) body += ActivitySection(*activity);
    if (const auto check = info_.checks.constFind(key); check != info_.checks.cend()) {
      body += CheckSection(*check, has_log ? &*activity : nullptr);
    }
    if (places.isEmpty()) {
      body +=
          QStringLiteral("<p>%1</p>\n").arg(Both("順位表に載っていません", "In no ranking list"));
    } else {
      body += Table(Both("順位", "Places"), {Both("順位表", "List"), Both("順位", "Place")}, places,
                    false);
    }
    return Page(info_, root, CallText(row.call_sign), body);
  }

  // The whole table and every list: an entrant per line, a list's entries
  // each on a line of their own.
  QByteArray Json() const {
    QByteArray json;
    json.reserve(rows_.size() * 640 + 65536);
    json += "{\n  \"contest\": ";
    AppendJsonString(json, info_.contest);
    json += ",\n  \"date\": ";
    AppendJsonString(json, info_.date.toString(Qt::ISODate));
    json += ",\n  \"entrants\": ";
    JsonEntrants(json);
    json += ",\n  \"rankings\": ";
    JsonRankings(json);
    json += ",\n  \"awards\": ";
    JsonAwards(json);
    json += "\n}\n";
    return json;
  }

  void JsonEntrants(QByteArray& json) const {
    JsonArrayWriter entrants(json, 4);
    for (const Entrant& entrant : entrants_) {
      const ResultRow& row = *entrant.row;
      JsonObjectWriter(entrants.Next())
          .Number("position", static_cast<double>(entrant.position))
          .Text("call_sign", row.call_sign)
          .Text("category", row.category)
          .Number("claimed_score", row.claimed_score)
          .Number("score", row.score)
          .Text("continent", row.continent)
          .Text("entity", row.entity)
          .Text("name", row.name)
          .Text("operators", row.operators)
          .Text("club", row.club)
          .Text("created_by", row.created_by)
          .Text("soapbox", row.soapbox)
          .Number("qso_lines", row.qso_lines)
          .Number("valid", row.valid)
          .Number("dupes", row.dupes)
          .Number("points", row.points)
          .Number("mult1", row.mult1)
          .Number("mult2", row.mult2)
          .Number("total_mult", row.total_mult)
          .Text("page", entrant.page);
    }
  }

  void JsonRankings(QByteArray& json) const {
    JsonArrayWriter rankings(json, 4);
    const QList<RankingReport>& reports = RankingReports();
    for (qsizetype r = 0; r < reports.size(); ++r) {
      JsonObjectWriter list(rankings.Next());
      list.Text("list", QString::fromUtf8(reports[r].title))
          .Text("page", PageOf(reports[r].file_name));
      JsonArrayWriter entries(list.Member("entries"), 6);
      for (qsizetype k = 0; k < members_[r].size(); ++k) {
        JsonObjectWriter(entries.Next())
            .Number("place", static_cast<double>(places_[r][k]))
            .Number("position", static_cast<double>(members_[r][k] + 1));
      }
    }
  }

  void JsonAwards(QByteArray& json) const {
    JsonArrayWriter awards(json, 4);
    for (const AwardFile& award : AwardFiles()) {
      JsonObjectWriter list(awards.Next());
      list.Text("list", QString::fromUtf8(award.title)).Text("page", PageOf(award.file_name));
      JsonArrayWriter categories(list.Member("categories"), 6);
      for (const Category category : kAwardCategories) {
        const qsizetype r = ReportIndex(category, award.region);
        const qsizetype winners = std::min(members_[r].size(), award.place_texts.size());
        JsonObjectWriter of_category(categories.Next());
        of_category.Text("category", QString::fromLatin1(CategoryCode(category)));
        JsonArrayWriter entries(of_category.Member("entries"), 8);
        for (qsizetype k = 0; k < winners; ++k) {
          JsonObjectWriter(entries.Next())
              .Number("place", static_cast<double>(k + 1))
              .Text("award", TrimSpaces(QString::fromLatin1(award.place_texts[k])))
              .Number("position", static_cast<double>(members_[r][k] + 1));
        }
      }
    }
  }

  const SiteInfo& info_;
  const ResultTable& rows_;
  RankingTables tables_;
  QList<Entrant> entrants_;
  QList<QList<qsizetype>> members_;  // per report: positions - 1 in list order
  QList<QList<qint64>> places_;      // per report: the places in list order
  // per entrant: the reports that list it, with its place in each
  QList<QList<std::pair<qsizetype, qint64>>> lists_of_;
};

// The entrant pages in the site's folder (paths from the site's folder):
// only plain files of the names the site gives its entrant pages.
QStringList EntrantPagesIn(const QDir& root) {
  static const QRegularExpression kPageName(QStringLiteral("^[0-9]+-[A-Za-z0-9_]*\\.html$"));
  const QDir entrants(root.filePath(kEntrantFolder));
  QStringList pages;
  for (const QString& name : entrants.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    if (kPageName.match(name).hasMatch() && !QFileInfo(entrants.filePath(name)).isSymLink()) {
      pages.append(kEntrantFolder + u'/' + name);
    }
  }
  return pages;
}

// The pages of an earlier run that this run did not write (an entrant taken
// out, or moved to another position); nothing else in the folder.
void RemoveStalePages(const QDir& root, const QStringList& earlier,
                      const std::vector<QString>& written) {
  if (earlier.isEmpty()) return;
  const QSet<QString> now(written.begin(), written.end());
  for (const QString& page : earlier) {
    if (!now.contains(page)) QFile::remove(root.filePath(page));
  }
}

}  // namespace

QString EntrantPagePath(qsizetype position, const QString& call_sign) {
  return kEntrantFolder + u'/' + QString::number(position) + u'-' + FileNamePart(call_sign) +
         QStringLiteral(".html");
}

QByteArray ResultsCsv(const ResultTable& rows) {
  QString csv = CsvRecord({"Position", "CallSign", "Category", "ClaimedScore", "Score", "QsoLines",
                           "Valid", "Dupes", "Points", "Mult1", "Mult2", "TotalMult", "Continent",
                           "Entity", "Name", "Operators", "Club", "CreatedBy", "Soapbox"});
  for (qsizetype i = 0; i < rows.size(); ++i) {
    const ResultRow& row = rows[i];
    csv += CsvRecord(
        {QString::number(i + 1), row.call_sign, row.category, FormatNumber(row.claimed_score),
         FormatNumber(row.score), QString::number(row.qso_lines), QString::number(row.valid),
         QString::number(row.dupes), QString::number(row.points), QString::number(row.mult1),
         QString::number(row.mult2), QString::number(row.total_mult), row.continent, row.entity,
         row.name, row.operators, row.club, row.created_by, row.soapbox});
  }
  return csv.toUtf8();
}

QList<SiteFile> ResultsSite(const SiteInfo& info, const ResultTable& rows) {
  const Site site(info, rows);
  QList<SiteFile> files;
  for (qsizetype i = 0; i < site.FileCount(); ++i) files.append(site.File(i));
  return files;
}

OutputOutcome WriteResultsSite(const QString& folder, const SiteInfo& info,
                               const ResultTable& rows) {
  NoProgress progress;
  return WriteResultsSite(folder, info, rows, progress);
}

OutputOutcome WriteResultsSite(const QString& folder, const SiteInfo& info, const ResultTable& rows,
                               Progress& progress) {
  const QDir root(folder);
  if (!root.mkpath(kEntrantFolder)) {
    const QString path = root.filePath(kEntrantFolder);
    return {FileOutcome::Failure(QStringLiteral("the folder cannot be created")), path};
  }
  // Looked for before this run adds its own: a new site's folder has none,
  // and its thousands of new pages need not be listed.
  const QStringList earlier = EntrantPagesIn(root);
  // Pages are made and written on every core: a site holds a page per
  // entrant, and the system's work of creating that many files takes as
  // long as making them.
  const Site site(info, rows);
  const qsizetype count = site.FileCount();
  std::vector<QString> paths(static_cast<size_t>(count));
  std::vector<FileOutcome> outcomes(static_cast<size_t>(count));
  std::atomic<bool> failed = false;
  progress.SetMaximum(count);
  crosscheck::ForEachInParallel(
      static_cast<size_t>(count),
      [&](size_t item, int) {
        // The CSV and the JSON file, the largest by far, first: made last,
        // one thread would make them alone while the other had no more pages.
        const size_t i = (item + static_cast<size_t>(count) - 2) % static_cast<size_t>(count);
        SiteFile file = site.File(static_cast<qsizetype>(i));
        outcomes[i] = WriteFileBytesUnsynced(root.filePath(file.path), file.bytes);
        paths[i] = std::move(file.path);
        if (!outcomes[i].ok) failed = true;
      },
      crosscheck::ShowItemsDone(progress), [&] { return failed.load(); });
  for (size_t i = 0; i < outcomes.size(); ++i) {
    // The first failure in the files' order; files not reached have no path.
    if (!outcomes[i].ok) return {outcomes[i], root.filePath(paths[i])};
  }
  RemoveStalePages(root, earlier, paths);
  return {};
}

}  // namespace tovek::publish
