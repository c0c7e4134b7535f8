#include "calculator/result_table.h"

#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

#include "calculator/text_rules.h"
#include "common/legacy_numbers.h"

namespace tovek {
namespace {

namespace w = result_width;

struct TextColumn {
  int column;
  QString ResultRow::*member;
  qsizetype width;
};

constexpr TextColumn kTextColumns[] = {
    {1, &ResultRow::call_sign, w::kCallSign},
    {2, &ResultRow::category, w::kCategory},
    {12, &ResultRow::continent, w::kContinent},
    {13, &ResultRow::entity, w::kEntity},
    {14, &ResultRow::name, w::kName},
    {15, &ResultRow::operators, w::kOperators},
    {16, &ResultRow::club, w::kClub},
    {17, &ResultRow::address, w::kAddress},
    {18, &ResultRow::created_by, w::kCreatedBy},
    {19, &ResultRow::soapbox, w::kSoapbox},
};

struct CountColumn {
  int column;
  std::int16_t ResultRow::*member;
};

constexpr CountColumn kCountColumns[] = {
    {5, &ResultRow::qso_lines},   {6, &ResultRow::valid}, {7, &ResultRow::dupes},
    {8, &ResultRow::points},      {9, &ResultRow::mult1}, {10, &ResultRow::mult2},
    {11, &ResultRow::total_mult},
};

std::optional<Region> ContinentRegion(QStringView continent) {
  if (continent == u"NA") return Region::kNa;
  if (continent == u"SA") return Region::kSa;
  if (continent == u"EU") return Region::kEu;
  if (continent == u"AS") return Region::kAs;
  if (continent == u"OC") return Region::kOc;
  if (continent == u"AF") return Region::kAf;
  return std::nullopt;
}

std::optional<Category> RankedCategory(QStringView category) {
  for (const Category ranked : {Category::kSohp, Category::kSolp, Category::kMo}) {
    if (category == QLatin1String(CategoryCode(ranked))) return ranked;
  }
  return std::nullopt;
}

std::int16_t StoredCount(std::int64_t value) {
  return value > std::numeric_limits<std::int16_t>::max() ? 0 : static_cast<std::int16_t>(value);
}

}  // namespace

const char* CategoryCode(Category category) {
  static constexpr const char* kCodes[kCategoryCount] = {"SOHP", "SOLP", "MO"};
  return kCodes[static_cast<int>(category)];
}

QString FitField(QStringView text, qsizetype width) {
  return TrimSpaces(text.left(width)).toString();
}

QString FormatNumber(double value) {
  if (value == 0) return QStringLiteral("0");  // no "-0"
  return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

std::optional<double> ClaimedScoreValue(QStringView text) { return ReadNumericValue(text); }

ResultRow MakeResultRow(const CabrilloSummary& summary, qsizetype qso_lines,
                        const LogScore& score) {
  const BandSlot& total = score.tally[kTotalSlot];
  ResultRow row;
  row.call_sign = FitField(summary.call_sign, w::kCallSign);
  row.category = FitField(summary.category, w::kCategory);
  // An unreadable claim is kept as no claim: the results file holds no infinity.
  row.claimed_score = ClaimedScoreValue(summary.claimed_score).value_or(0.0);
  row.score = static_cast<double>(score.score);
  row.continent = FitField(summary.continent, w::kContinent);
  row.entity = FitField(summary.entity, w::kEntity);
  row.name = FitField(summary.name, w::kName);
  row.operators = FitField(summary.operators, w::kOperators);
  row.club = FitField(summary.club, w::kClub);
  row.address = FitField(summary.address, w::kAddress);
  row.created_by = FitField(summary.created_by, w::kCreatedBy);
  row.soapbox = FitField(summary.soapbox, w::kSoapbox);
  row.qso_lines = static_cast<std::int16_t>(qso_lines);
  row.valid = total.valid;
  row.dupes = total.dupes;
  row.points = StoredCount(total.points);
  row.mult1 = total.mult1;
  row.mult2 = total.mult2;
  row.total_mult = StoredCount(std::int64_t{total.mult1} + total.mult2);
  return row;
}

ResultRow UnreadLogRow(const QString& path, const QString& reason) {
  ResultRow row;
  row.call_sign = FitField(QFileInfo(path).completeBaseName(), w::kCallSign);
  row.name = FitField(reason, w::kName);
  row.soapbox = FitField(path, w::kSoapbox);
  return row;
}

QStringList GridCells(const ResultRow& row) {
  QStringList cells(kGridColumns);
  for (const TextColumn& text : kTextColumns) cells[text.column] = row.*text.member;
  cells[3] = FormatNumber(row.claimed_score);
  cells[kScoreColumn] = FormatNumber(row.score);
  for (const CountColumn& count : kCountColumns) {
    cells[count.column] = QString::number(row.*count.member);
  }
  return cells;
}

ResultRow RowFromGridCells(const QStringList& cells, const ResultRow& previous) {
  ResultRow row = previous;
  const auto cell = [&](int column) {
    return column < cells.size() ? QStringView(cells[column]) : QStringView();
  };
  for (const TextColumn& text : kTextColumns) {
    row.*text.member = FitField(cell(text.column), text.width);
  }
  if (const auto claimed = ParseDecimal(cell(3))) row.claimed_score = *claimed;
  if (const auto score = ParseDecimal(cell(kScoreColumn))) row.score = *score;
  for (const CountColumn& count : kCountColumns) {
    const auto number = ParseDecimal(cell(count.column));
    if (const auto value = number ? ToInt16(*number) : std::nullopt) row.*count.member = *value;
  }
  return row;
}

void SortByScore(ResultTable& rows) {
  std::stable_sort(rows.begin(), rows.end(),
                   [](const ResultRow& a, const ResultRow& b) { return a.score > b.score; });
}

void RankingTables::File(const ResultRow& row) {
  const QString category = TrimSpaces(row.category).toUpper();
  const QStringView continent = TrimSpaces(QStringView(row.continent));
  const std::optional<Category> ranked = RankedCategory(category);
  if (ranked) {
    auto& lists = lists_[static_cast<int>(*ranked)];
    lists[static_cast<int>(Region::kWorld)].append(row);
    if (const auto region = ContinentRegion(continent)) {
      lists[static_cast<int>(*region)].append(row);
    }
    if (TrimSpaces(QStringView(row.entity)) == u"JA") {
      lists[static_cast<int>(Region::kJa)].append(row);
    }
  } else if (category == u"CHECKLOG") {
    check_log_.append(row);
  }
}

void RankingTables::Clear() {
  for (auto& category : lists_) {
    for (auto& list : category) list.clear();
  }
  check_log_.clear();
}

const QList<ResultRow>& RankingTables::List(Category category, Region region) const {
  return lists_[static_cast<int>(category)][static_cast<int>(region)];
}

qsizetype RankingTables::TotalEntries() const {
  qsizetype total = check_log_.size();
  for (const auto& category : lists_) {
    for (const auto& list : category) total += list.size();
  }
  return total;
}

}  // namespace tovek
