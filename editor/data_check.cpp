#include "editor/data_check.h"

#include <algorithm>

#include "common/call_resolution.h"
#include "common/legacy_numbers.h"
#include "editor/check_settings.h"

namespace tovek {
namespace {

constexpr int kOwnCallColumn = 30;
constexpr int kOwnCallWidth = 12;

// A whole number made of digits only, blanks at its ends allowed.
std::optional<int> Digits(QStringView text) {
  const QStringView trimmed = text.trimmed();
  if (trimmed.isEmpty()) return std::nullopt;
  int value = 0;
  for (const QChar c : trimmed) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c.unicode() - u'0');
  }
  return value;
}

bool InRange(std::int16_t value, std::int16_t low, std::int16_t high) {
  return value >= low && value <= high;
}

QDateTime AtMidnight(const QDate& date) { return QDateTime(date, QTime(0, 0), Qt::UTC); }

}  // namespace

CheckColumns CheckColumnsFrom(const FieldLayout& layout) {
  return {layout.band_pos, layout.mode_pos, layout.date_pos, layout.rcvd_rpt_pos};
}

std::vector<FieldSpan> CheckFields(const CheckColumns& columns, int report_width) {
  return {{columns.frequency, 5},
          {columns.mode, 2},
          {columns.date_time, 15},
          {columns.received_report, report_width + 1}};
}

QString CheckSampleRow(const LogLines& rows) {
  for (const QString& row : rows) {
    const qsizetype colon = row.indexOf(u':');
    if (colon >= 0 && row.left(colon).trimmed().toUpper() == u"QSO") return row;
  }
  return {};
}

QString FaultName(FaultKind kind) {
  switch (kind) {
    case FaultKind::kMode:
      return QStringLiteral(" MODE        ");
    case FaultKind::kTime:
      return QStringLiteral(" TIME        ");
    case FaultKind::kFrequency:
      break;
  }
  return QStringLiteral(" FREQENCY    ");
}

QString FaultLine(int row_index, FaultKind kind, const QString& row) {
  return QString::number(row_index).rightJustified(5) + FaultName(kind) + row;
}

CheckPeriod CheckPeriod::From(QStringView start_date) {
  CheckPeriod period;
  if (const std::optional<QDate> date = ParseStartDate(start_date)) {
    period.start_ = AtMidnight(*date);
    period.end_ = AtMidnight(date->addDays(2));
  }
  return period;
}

bool CheckPeriod::Contains(const QDateTime& time) const {
  return start_.isValid() && time.isValid() && time >= start_ && time < end_;
}

std::int16_t CheckFrequency(QStringView field) { return ToInt16(NumericValue(field)).value_or(0); }

std::optional<QDateTime> CheckTime(const QString& row, int date_time) {
  const auto part = [&](int offset, int width) {
    return Digits(QStringView(row).mid(date_time - 1 + offset, width));
  };
  if (date_time < 1 || row.size() < date_time - 1 + 15) return std::nullopt;
  const auto year = part(0, 4), month = part(5, 2), day = part(8, 2);
  const auto hour = part(11, 2), minute = part(13, 2);
  if (!year || !month || !day || !hour || !minute) return std::nullopt;
  const QDate date(*year, *month, *day);
  const QTime time(*hour, *minute);
  if (!date.isValid() || !time.isValid()) return std::nullopt;
  return QDateTime(date, time, Qt::UTC);
}

bool InBandPlan(std::int16_t frequency, const BandPlans& plans, bool domestic) {
  if (!domestic) {
    for (size_t i = 0; i < plans.low.size(); ++i) {
      if (InRange(frequency, plans.low[i], plans.high[i])) return true;
    }
    return false;
  }
  for (size_t i = 0; i < plans.ja_low80.size(); ++i) {
    if (InRange(frequency, plans.ja_low80[i], plans.ja_high80[i])) return true;
  }
  for (size_t i = 0; i < plans.ja_low.size(); ++i) {
    if (InRange(frequency, plans.ja_low[i], plans.ja_high[i])) return true;
  }
  return false;
}

QStringList DataCheck(const LogLines& rows, const CheckColumns& columns, QStringView start_date,
                      const BandPlans& plans, const PrefixTable& prefixes, Progress& progress) {
  QStringList faults;
  const CheckPeriod period = CheckPeriod::From(start_date);
  progress.SetMaximum(std::max<qsizetype>(rows.size() - 1, 0));
  for (qsizetype i = 0; i < rows.size(); ++i) {
    progress.SetValue(i);
    const QString& row = rows[i];
    if (!IsQsoRow(row)) continue;
    const int index = static_cast<int>(i);
    const QString own_call = row.mid(kOwnCallColumn - 1, kOwnCallWidth).trimmed();
    const std::int16_t frequency =
        CheckFrequency(QStringView(row).mid(std::max(columns.frequency - 1, 0)).left(5));
    if (row.mid(columns.mode - 1, 2) != u"RY")
      faults.append(FaultLine(index, FaultKind::kMode, row));
    const std::optional<QDateTime> time = CheckTime(row, columns.date_time);
    if (!time || !period.Contains(*time)) faults.append(FaultLine(index, FaultKind::kTime, row));
    const bool domestic = DxccCheck(prefixes, own_call).cty == u"JA";
    if (!InBandPlan(frequency, plans, domestic)) {
      faults.append(FaultLine(index, FaultKind::kFrequency, row));
    }
    progress.Yield();
  }
  return faults;
}

}  // namespace tovek
