// One result row per scored log, the table of them in grid order, and the
// 25 ranking lists by category and region.
#pragma once

#include <QList>
#include <QString>
#include <optional>
#include <QStringList>
#include <array>
#include <cstdint>

#include "calculator/log_reader.h"
#include "calculator/scoring.h"

namespace tovek {

// Text field widths in characters (the results file measures them in bytes).
namespace result_width {
inline constexpr qsizetype kCallSign = 13;
inline constexpr qsizetype kCategory = 8;
inline constexpr qsizetype kContinent = 2;
inline constexpr qsizetype kEntity = 5;
inline constexpr qsizetype kName = 25;
inline constexpr qsizetype kOperators = 50;
inline constexpr qsizetype kClub = 30;
inline constexpr qsizetype kAddress = 100;
inline constexpr qsizetype kCreatedBy = 30;
inline constexpr qsizetype kSoapbox = 200;
}  // namespace result_width

struct ResultRow {
  QString call_sign;
  QString category;
  double claimed_score = 0;
  double score = 0;
  QString continent;
  QString entity;
  QString name;
  QString operators;
  QString club;
  QString address;
  QString created_by;
  QString soapbox;
  std::int16_t qso_lines = 0;
  std::int16_t valid = 0;
  std::int16_t dupes = 0;
  std::int16_t points = 0;
  std::int16_t mult1 = 0;
  std::int16_t mult2 = 0;
  std::int16_t total_mult = 0;

  friend bool operator==(const ResultRow&, const ResultRow&) = default;
};

// The results in grid order.
using ResultTable = QList<ResultRow>;

// The grid's columns: 0 is the row number, 1 to 19 the row's fields.
inline constexpr int kGridColumns = 20;
inline constexpr int kScoreColumn = 4;

// A text cut to its field's width, then trimmed of spaces.
QString FitField(QStringView text, qsizetype width);

// A number in its shortest plain decimal form: no exponent, no decimal point
// for a whole number ("2500", "0.5", "1000000").
QString FormatNumber(double value);

// The claimed score's value: its leading decimal number, so "123,456" is 123.
// A number too large for a double ("1e400") cannot be read: nothing.
std::optional<double> ClaimedScoreValue(QStringView text);

// The row of a scored log. QSO points beyond the 16-bit field leave it 0.
ResultRow MakeResultRow(const CabrilloSummary& summary, qsizetype qso_lines, const LogScore& score);

// The row of a log that could not be read: the file's name stands in for the
// call sign and `reason` in the name column, so the gap shows in the grid;
// the full path is kept in the soapbox column. The empty category files the
// row into no ranking list.
ResultRow UnreadLogRow(const QString& path, const QString& reason);

// The 20 grid cells of a row; column 0 (the row number) is empty.
QStringList GridCells(const ResultRow& row);

// A row read back from its grid cells: text columns cut to their width,
// scores and counts converted. A cell that does not convert keeps the value
// of `previous` (the row read before it).
ResultRow RowFromGridCells(const QStringList& cells, const ResultRow& previous);

// Rows in descending order of calculated score; equal scores keep their order.
void SortByScore(ResultTable& rows);

enum class Category { kSohp, kSolp, kMo };
enum class Region { kWorld, kNa, kSa, kEu, kAs, kOc, kAf, kJa };
inline constexpr int kCategoryCount = 3;
inline constexpr int kRegionCount = 8;

// A ranked category as a log's CATEGORY header writes it: "SOHP", "SOLP",
// "MO".
const char* CategoryCode(Category category);

// The ranking lists the ranking and award writers read: SOHP, SOLP and MO,
// each for World, the six continents and JA, plus CHECKLOG. Every list keeps
// the order in which rows were filed.
class RankingTables {
 public:
  // Files a row by its category (trimmed, upper-cased), continent and entity
  // (trimmed, as written): a SOHP, SOLP or MO row goes to its category's
  // World list and its continent's list, a CHECKLOG row to the CHECKLOG list,
  // and a SOHP, SOLP or MO row of entity JA to its category's JA list too.
  void File(const ResultRow& row);
  void Clear();

  const QList<ResultRow>& List(Category category, Region region) const;
  const QList<ResultRow>& CheckLog() const { return check_log_; }
  // Entries in all 25 lists together.
  qsizetype TotalEntries() const;

 private:
  std::array<std::array<QList<ResultRow>, kRegionCount>, kCategoryCount> lists_;
  QList<ResultRow> check_log_;
};

}  // namespace tovek
