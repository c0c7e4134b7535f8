// The data check: every QSO row's mode, date and time, and frequency
// against the contest period and the band plan of the station.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/prefix_table.h"
#include "common/progress.h"
#include "editor/kavrel_settings.h"
#include "editor/log_lines.h"
#include "editor/sample_fields.h"

namespace tovek {

// The start columns (1-based) of the four fields the check window places:
// `Fp`, `Mp`, `Tp` and `Rp`. The received report is placed but not tested.
struct CheckColumns {
  int frequency = 6;
  int mode = 12;
  int date_time = 15;
  int received_report = 74;

  friend bool operator==(const CheckColumns&, const CheckColumns&) = default;
};

// The columns the check window starts from: those of the basic layout.
CheckColumns CheckColumnsFrom(const FieldLayout& layout);

// The four placed fields: frequency 5 wide, mode 2, date and time 15, the
// received report one wider than the report width.
std::vector<FieldSpan> CheckFields(const CheckColumns& columns, int report_width);

// The first row whose text before its first colon, trimmed and upper-cased,
// is "QSO", or an empty text.
QString CheckSampleRow(const LogLines& rows);

enum class FaultKind { kMode, kTime, kFrequency };

// The 13-character name a fault line carries.
QString FaultName(FaultKind kind);

// A fault line: the row's index right-aligned in 5, the fault's name, the
// row's text.
QString FaultLine(int row_index, FaultKind kind, const QString& row);

// 48 hours from 00:00 of the start date. A start date that is no date gives
// a period nothing lies in, so that every QSO is reported rather than none.
class CheckPeriod {
 public:
  static CheckPeriod From(QStringView start_date);
  bool Contains(const QDateTime& time) const;
  const QDateTime& Start() const { return start_; }
  const QDateTime& End() const { return end_; }

 private:
  QDateTime start_;
  QDateTime end_;
};

// The frequency field's value: its leading number, blanks inside ignored,
// brought to a 16-bit integer (a half to the even neighbour); 0 when it does
// not fit.
std::int16_t CheckFrequency(QStringView field);

// The date and time of a row from column `date_time`: year, month, day, hour
// and minute at their fixed places, whatever stands between them. Nothing
// when they make no date and 24-hour time.
std::optional<QDateTime> CheckTime(const QString& row, int date_time);

// Whether the frequency lies in one of the plan's bands, limits included:
// the ten domestic ranges or the five overseas ones.
bool InBandPlan(std::int16_t frequency, const BandPlans& plans, bool domestic);

// Checks every QSO row of `rows` and returns the fault lines in row order,
// each row's in the order mode, time, frequency. A station whose own call
// (12 characters from column 30) resolves to "JA" is held to the domestic
// plan, every other one to the overseas plan.
QStringList DataCheck(const LogLines& rows, const CheckColumns& columns, QStringView start_date,
                      const BandPlans& plans, const PrefixTable& prefixes, Progress& progress);

}  // namespace tovek
