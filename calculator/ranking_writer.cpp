#include "calculator/ranking_writer.h"

#include <QDir>
#include <cmath>

#include "calculator/award_writer.h"
#include "common/legacy_numbers.h"

namespace tovek {
namespace {

// A text right-aligned in `width`; a longer one keeps its rightmost characters.
QString RightInField(const QString& text, qsizetype width) {
  return text.size() > width ? text.right(width) : text.rightJustified(width, u' ');
}

QString LeftInField(const QString& text, qsizetype width) {
  return text.left(width).leftJustified(width, u' ');
}

}  // namespace

const QList<RankingReport>& RankingReports() {
  using C = Category;
  using R = Region;
  static const QList<RankingReport> reports = {
      {"WorldHigh.Rez", "SOHP World", C::kSohp, R::kWorld},
      {"WorldLow.Rez", "SOLP World", C::kSolp, R::kWorld},
      {"WorldMulti.Rez", "MO World", C::kMo, R::kWorld},
      {"NaHigh.Rez", "SOHP Na", C::kSohp, R::kNa},
      {"NaLow.Rez", "SOLP Na", C::kSolp, R::kNa},
      {"NaMulti.Rez", "MO Na", C::kMo, R::kNa},
      {"SaHigh.Rez", "SOHP Sa", C::kSohp, R::kSa},
      {"SaLow.Rez", "SOLP Sa", C::kSolp, R::kSa},
      {"SaMulti.Rez", "MO Sa", C::kMo, R::kSa},
      {"EuHigh.Rez", "SOHP Eu", C::kSohp, R::kEu},
      {"EuLow.Rez", "SOLP Eu", C::kSolp, R::kEu},
      {"EuMulti.Rez", "MO Eu", C::kMo, R::kEu},
      {"AsHigh.Rez", "SOHP As", C::kSohp, R::kAs},
      {"AsLow.Rez", "SOLP As", C::kSolp, R::kAs},
      {"AsMulti.Rez", "MO As", C::kMo, R::kAs},
      {"OcHigh.Rez", "SOHP Oc", C::kSohp, R::kOc},
      {"OcLow.Rez", "SOLP Oc", C::kSolp, R::kOc},
      {"OcMulti.Rez", "MO Oc", C::kMo, R::kOc},
      {"AfHigh.Rez", "SOHP Af", C::kSohp, R::kAf},
      {"AfLow.Rez", "SOLP Af", C::kSolp, R::kAf},
      {"AfMulti.Rez", "MO Af", C::kMo, R::kAf},
      {"JaHigh.Rez", "SOHP Ja", C::kSohp, R::kJa},
      {"JaLow.Rez", "SOLP Ja", C::kSolp, R::kJa},
      {"JaMulti.Rez", "MO Ja", C::kMo, R::kJa},
      {"CheckLog.Rez", "CheckLog", C::kSohp, R::kWorld, true},
  };
  return reports;
}

const QList<ResultRow>& ReportList(const RankingTables& tables, const RankingReport& report) {
  return report.check_log ? tables.CheckLog() : tables.List(report.category, report.region);
}

RankingTables RankRows(const ResultTable& rows) {
  RankingTables tables;
  for (const ResultRow& row : rows) tables.File(row);
  return tables;
}

QString GroupedNumber(double value) {
  const double whole = std::isfinite(value) ? RoundHalfEven(value) : 0;
  const QString digits = QString::number(std::fabs(whole), 'f', 0);
  QString grouped;
  for (qsizetype i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += u',';
    grouped += digits[i];
  }
  return whole < 0 ? u'-' + grouped : grouped;
}

QString RankingLine(qint64 place, const ResultRow& row) {
  return RightInField(QString::number(place), 3) + u' ' + LeftInField(row.call_sign, 13) +
         RightInField(GroupedNumber(row.valid), 7) + RightInField(GroupedNumber(row.points), 7) +
         RightInField(GroupedNumber(row.total_mult), 5) +
         RightInField(GroupedNumber(row.score), 11) + QStringLiteral("  ") +
         LeftInField(row.continent, 2);
}

QList<qint64> RankingPlaces(const QList<ResultRow>& list) {
  QList<qint64> places;
  places.reserve(list.size());
  for (qsizetype i = 0; i < list.size(); ++i) {
    // Scores are compared as stored: a tie is the very same number.
    const bool tie = i > 0 && list[i].score == list[i - 1].score;
    places.append(tie ? places.constLast() : i + 1);
  }
  return places;
}

QStringList RankingFileLines(const QString& title, const QList<ResultRow>& list) {
  QStringList lines = {title, QString(), QString(), kRankingHeader};
  const QList<qint64> places = RankingPlaces(list);
  for (qsizetype i = 0; i < list.size(); ++i) lines.append(RankingLine(places[i], list[i]));
  return lines;
}

QString OutputDatePrefix(QDate date) { return date.toString(QStringLiteral("yyyy-MM-dd")); }

OutputOutcome WriteRankingFiles(const OutputFolders& folders, QDate date,
                                const RankingTables& tables, Progress& progress) {
  const QString prefix = OutputDatePrefix(date);
  const QDir results(folders.results);
  progress.SetMaximum(tables.TotalEntries());
  qint64 written = 0;
  for (const RankingReport& report : RankingReports()) {
    const QList<ResultRow>& list = ReportList(tables, report);
    const QStringList lines = RankingFileLines(QString::fromLatin1(report.title), list);
    // The bar counts entries across all files, as the lines are made.
    for (qsizetype i = 0; i < list.size(); ++i) {
      progress.SetValue(++written);
      progress.Yield();
    }
    const QString path = results.filePath(prefix + QString::fromLatin1(report.file_name));
    const FileOutcome outcome = WriteTextLines(path, lines);
    if (!outcome.ok) return {outcome, path};
  }
  return WriteAwardFiles(folders.awards, date, tables);
}

}  // namespace tovek
