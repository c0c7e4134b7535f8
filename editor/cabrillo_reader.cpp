#include "editor/cabrillo_reader.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>

#include "common/call_resolution.h"

namespace tovek {
namespace {

const QString kJoin = QStringLiteral(" <LF> ");
const QString kCrLf = QStringLiteral("\r\n");

void Join(QString& joined, const QString& value, bool skip_empty_start) {
  if (joined.isEmpty() && (!skip_empty_start || !value.isEmpty())) {
    joined = value;
  } else {
    joined += kJoin + value;
  }
}

// Applies one header row's tag. False for the tag that ends the header.
bool ApplyTag(LogSummary& s, const QString& tag, const QString& value) {
  if (tag == u"QSO") return false;
  if (tag == u"CALLSIGN") {
    s.call_sign = value.toUpper();
  } else if (tag == u"CONTEST") {
    s.contest = value.toUpper();
  } else if (tag == u"CATEGORY") {
    s.category = value;
  } else if (tag == u"CATEGORY-OPERATOR" || tag == u"CATEGORY-POWER") {
    s.category += u' ' + value;
  } else if (tag == u"CLAIMED-SCORE") {
    s.claimed_score = value;
  } else if (tag == u"OPERATORS") {
    s.operators = value;
  } else if (tag == u"CLUB") {
    s.club = value;
  } else if (tag == u"ARRL-SECTION") {
    s.continent = value;
  } else if (tag == u"NAME") {
    s.name = value;
  } else if (tag == u"CREATED-BY") {
    s.created_by = value;
  } else if (tag == u"ADDRESS" || tag == u"ADDRESS-CITY" || tag == u"ADDRESS-STATE-PROVINCE" ||
             tag == u"ADDRESS-POSTALCODE" || tag == u"ADDRESS-COUNTRY") {
    // An empty first address row still leaves its separator behind.
    Join(s.address, value, true);
  } else if (tag == u"SOAPBOX") {
    Join(s.soapbox, value, false);
  }
  return true;
}

bool IsContinent(const QString& text) {
  static const QStringList continents = {"NA", "SA", "EU", "AS", "OC", "AF"};
  return continents.contains(text);
}

struct FieldRule {
  std::int16_t FieldLayout::*start;
  std::int16_t FieldLayout::*width;  // null: fixed
  int fixed_width;
  int min_width;
  int max_width;
};

constexpr std::array<FieldRule, kLayoutFieldCount> kFieldRules = {{
    {&FieldLayout::band_pos, nullptr, 5, 5, 5},
    {&FieldLayout::mode_pos, nullptr, 2, 2, 2},
    {&FieldLayout::date_pos, nullptr, 15, 15, 15},
    {&FieldLayout::my_call_pos, &FieldLayout::my_call_len, 0, 3, 21},
    {&FieldLayout::sent_rst_pos, nullptr, 3, 3, 3},
    {&FieldLayout::sent_rpt_pos, &FieldLayout::rpt_len, 0, 2, 11},
    {&FieldLayout::his_call_pos, &FieldLayout::his_call_len, 0, 3, 21},
    {&FieldLayout::rcvd_rst_pos, nullptr, 3, 3, 3},
    {&FieldLayout::rcvd_rpt_pos, &FieldLayout::rpt_len, 0, 2, 11},
}};

const FieldRule& RuleOf(int field) { return kFieldRules.at(static_cast<size_t>(field)); }

// `width` characters of the row from 1-based `column`; fewer or none where
// the row ends earlier.
QString Take(const QString& row, int column, int width) {
  if (column < 1 || width <= 0) return {};
  return row.mid(column - 1, width);
}

QString Trimmed(const QString& row, const FieldLayout& layout, int field) {
  return Take(row, LayoutStart(layout, field), LayoutWidth(layout, field)).trimmed();
}

}  // namespace

HeaderScan ScanHeader(const LogLines& rows) {
  HeaderScan scan;
  for (const QString& row : rows) {
    const qsizetype colon = row.indexOf(u':');
    // A row without a colon carries no tag: repeating the previous row's
    // value would copy an address or soapbox line a second time.
    if (colon >= 0) {
      const QString tag = row.left(colon).toUpper().trimmed();
      if (!ApplyTag(scan.summary, tag, row.mid(colon + 1).trimmed())) {
        scan.sample_row = row;
        break;
      }
    }
    scan.summary.header_text += row + kCrLf;
  }
  return scan;
}

QString NormaliseCategory(const QString& category) {
  const QString upper = category.toUpper();
  if (upper == u"SOHP" || upper == u"SOLP" || upper == u"MO") return upper;
  const auto has = [&](const char* text) { return upper.contains(QLatin1String(text)); };
  if (has("SINGLE") && has("HIGH")) return QStringLiteral("SOHP");
  if (has("SINGLE") && has("LOW")) return QStringLiteral("SOLP");
  if (has("MULTI")) return QStringLiteral("MO");
  if (has("CLASS-A")) return QStringLiteral("SOHP");
  if (has("CLASS-B")) return QStringLiteral("SOLP");
  if (has("CLASS-C")) return QStringLiteral("MO");
  if (has("CHECKLOG")) return QStringLiteral("Checklog");
  return {};
}

void ResolveStation(LogSummary& summary, const PrefixTable& prefixes) {
  const DxccResult station = DxccCheck(prefixes, summary.call_sign.trimmed());
  if (!IsContinent(summary.continent)) summary.continent = station.cnt;
  if (station.Resolved()) summary.entity = station.cty;
}

HeaderScan CabTempRead(const LogLines& rows, const PrefixTable& prefixes) {
  HeaderScan scan = ScanHeader(rows);
  scan.summary.category = NormaliseCategory(scan.summary.category);
  ResolveStation(scan.summary, prefixes);
  return scan;
}

int LayoutStart(const FieldLayout& layout, int field) { return layout.*RuleOf(field).start; }

void SetLayoutStart(FieldLayout& layout, int field, int start) {
  layout.*RuleOf(field).start = static_cast<std::int16_t>(std::clamp(start, 1, 32767));
}

int LayoutWidth(const FieldLayout& layout, int field) {
  const FieldRule& rule = RuleOf(field);
  return rule.width ? layout.*rule.width : rule.fixed_width;
}

bool HasAdjustableWidth(int field) { return RuleOf(field).width != nullptr; }

bool StepLayoutWidth(FieldLayout& layout, int field, int delta) {
  const FieldRule& rule = RuleOf(field);
  if (!rule.width) return false;
  const int width = layout.*rule.width + delta;
  layout.*rule.width = static_cast<std::int16_t>(std::clamp(width, rule.min_width, rule.max_width));
  return true;
}

std::vector<FieldSpan> LayoutFields(const FieldLayout& layout) {
  std::vector<FieldSpan> fields;
  for (int field = 0; field < kLayoutFieldCount; ++field) {
    fields.push_back({LayoutStart(layout, field), LayoutWidth(layout, field)});
  }
  return fields;
}

void FillSummaryDefaults(LogSummary& summary) {
  if (summary.name.isEmpty()) summary.name = QStringLiteral("No Name");
  if (summary.address.isEmpty()) summary.address = QStringLiteral("No Address");
}

QStringList MissingSummaryItems(const LogSummary& summary) {
  QStringList items;
  const auto check = [&](const QString& value, const QString& item) {
    if (value.trimmed().isEmpty()) items.append(item);
  };
  check(summary.category, QStringLiteral("[カテゴリ]　"));
  check(summary.call_sign, QStringLiteral("[コールサイン]　"));
  check(summary.continent, QStringLiteral("[コンチネント]　"));
  check(summary.entity, QStringLiteral("[エンティティ]　"));
  return items;
}

QString IncompleteSummaryMessage(const LogSummary& summary) {
  const QStringList items = MissingSummaryItems(summary);
  if (items.isEmpty()) return {};
  QString message;
  for (const QString& item : items) message += item + kCrLf;
  return message + QStringLiteral("を確認してください！");
}

QString FixedWidth(QStringView text, int width) {
  return text.left(width).toString().leftJustified(width, u' ');
}

std::optional<QDateTime> ParseQsoTime(QStringView text) {
  static const QRegularExpression pattern(
      QStringLiteral("^(\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2}) +(\\d{1,2}):(\\d{2})$"));
  const QRegularExpressionMatch match = pattern.match(text.toString());
  if (!match.hasMatch()) return std::nullopt;
  const auto number = [&](int group) { return match.capturedView(group).toInt(); };
  const QDate date(number(1), number(2), number(3));
  const QTime time(number(4), number(5));
  if (!date.isValid() || !time.isValid()) return std::nullopt;
  return QDateTime(date, time, Qt::UTC);
}

QsoReadOutcome ReadQsoRecords(const LogLines& rows, const FieldLayout& layout, Progress& progress) {
  QsoReadOutcome outcome;
  progress.SetMaximum(std::max<qsizetype>(rows.size() - 1, 0));
  const int date_start = LayoutStart(layout, kDateTimeField);
  for (qsizetype i = 0; i < rows.size(); ++i) {
    progress.SetValue(i);
    const QString& row = rows[i];
    if (!IsQsoRow(row)) continue;
    const QString time_text =
        Take(row, date_start, 13).trimmed() + u':' + Take(row, date_start + 13, 2).trimmed();
    const std::optional<QDateTime> time = ParseQsoTime(time_text);
    if (!time || outcome.records.size() >= kMaxLogRows) {
      outcome.ok = false;
      outcome.failed_row = static_cast<int>(i);
      outcome.error =
          time ? QStringLiteral("行 %1: QSO が 32767 を超えています").arg(i)
               : QStringLiteral("行 %1: 日時 \"%2\" を読み取れません").arg(i).arg(time_text);
      break;
    }
    QsoRecord record;
    record.no = static_cast<std::int16_t>(outcome.records.size() + 1);
    record.band = FixedWidth(Take(row, LayoutStart(layout, kFrequencyField), 5), 5);
    record.mode = FixedWidth(Take(row, LayoutStart(layout, kModeField), 2).toUpper().trimmed(), 2);
    record.qso_time = *time;
    record.my_call = FixedWidth(Trimmed(row, layout, kMyCallField), QsoRecord::kCallWidth);
    record.sent_rst = FixedWidth(Trimmed(row, layout, kSentRstField), QsoRecord::kRstWidth);
    record.sent_rpt = FixedWidth(Trimmed(row, layout, kSentReportField), QsoRecord::kReportWidth);
    record.his_call = FixedWidth(Trimmed(row, layout, kHisCallField), QsoRecord::kCallWidth);
    record.rcvd_rst = FixedWidth(Trimmed(row, layout, kReceivedRstField), QsoRecord::kRstWidth);
    record.rcvd_rpt =
        FixedWidth(Trimmed(row, layout, kReceivedReportField), QsoRecord::kReportWidth);
    outcome.records.append(std::move(record));
    progress.Yield();
  }
  return outcome;
}

}  // namespace tovek
