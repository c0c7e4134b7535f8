#include "editor/check_settings.h"

#include <QRegularExpression>

#include "common/legacy_numbers.h"

namespace tovek {
namespace {

constexpr int kFirstYear = 100;
constexpr int kLastYear = 9999;

void AddPlanRow(std::vector<LimitBox>& boxes, BandPlan plan, const QString& row,
                const QString& lower_key, LimitArray lower, const QString& upper_key,
                LimitArray upper, int index) {
  boxes.push_back({plan, row, LimitEdge::kLower, lower_key, lower, index});
  boxes.push_back({plan, row, LimitEdge::kUpper, upper_key, upper, index});
}

std::vector<LimitBox> MakeLimitBoxes() {
  std::vector<LimitBox> boxes;
  const QStringList bands = {"80", "40", "20", "15", "10"};
  for (int i = 0; i < bands.size(); ++i) {
    AddPlanRow(boxes, BandPlan::kOverseas, bands[i] + "m", "Llimit" + bands[i], LimitArray::kLow,
               "Hlimit" + bands[i], LimitArray::kHigh, i);
  }
  for (int i = 0; i < 6; ++i) {
    const QString number = QString::number(i + 1);
    AddPlanRow(boxes, BandPlan::kDomestic, "80m " + number, "JaLlimit80_" + number,
               LimitArray::kJaLow80, "JaHlimit80_" + number, LimitArray::kJaHigh80, i);
  }
  for (int i = 1; i < bands.size(); ++i) {
    AddPlanRow(boxes, BandPlan::kDomestic, bands[i] + "m", "JaLlimit" + bands[i],
               LimitArray::kJaLow, "JaHlimit" + bands[i], LimitArray::kJaHigh, i - 1);
  }
  return boxes;
}

QString PlanCaption(BandPlan plan) {
  return plan == BandPlan::kOverseas ? QStringLiteral("国外バンドプラン")
                                     : QStringLiteral("国内バンドプラン");
}

QString EdgeCaption(LimitEdge edge) {
  return edge == LimitEdge::kLower ? QStringLiteral("下　限") : QStringLiteral("上　限");
}

}  // namespace

std::optional<QDate> ParseStartDate(QStringView text) {
  static const QRegularExpression pattern(QStringLiteral("^(\\d{4})/(\\d{1,2})/(\\d{1,2})$"));
  const QRegularExpressionMatch match = pattern.match(text.trimmed().toString());
  if (!match.hasMatch()) return std::nullopt;
  const QDate date(match.capturedView(1).toInt(), match.capturedView(2).toInt(),
                   match.capturedView(3).toInt());
  if (!date.isValid()) return std::nullopt;
  return date;
}

QString StepStartDate(const QString& shown, DateUnit unit, int steps, const QDate& today) {
  const QDate from = ParseStartDate(shown).value_or(today);
  QDate moved;
  switch (unit) {
    case DateUnit::kYear:
      moved = from.addYears(steps);
      break;
    case DateUnit::kMonth:
      moved = from.addMonths(steps);
      break;
    case DateUnit::kDay:
      moved = from.addDays(steps);
      break;
  }
  if (!moved.isValid() || moved.year() < kFirstYear || moved.year() > kLastYear) return shown;
  return moved.toString(QString::fromLatin1(kStartDateFormat));
}

bool IsLimitCharacter(QChar c) { return (c >= u'0' && c <= u'9') || c == u'.'; }

std::optional<std::int16_t> LimitFromText(QStringView text) {
  const std::optional<double> value = ParseDecimal(text);
  if (!value) return std::nullopt;
  return ToInt16(*value);
}

const std::vector<LimitBox>& LimitBoxes() {
  static const std::vector<LimitBox> boxes = MakeLimitBoxes();
  return boxes;
}

std::int16_t& LimitOf(BandPlans& plans, const LimitBox& box) {
  const auto index = static_cast<size_t>(box.index);
  switch (box.array) {
    case LimitArray::kHigh:
      return plans.high.at(index);
    case LimitArray::kLow:
      return plans.low.at(index);
    case LimitArray::kJaHigh80:
      return plans.ja_high80.at(index);
    case LimitArray::kJaLow80:
      return plans.ja_low80.at(index);
    case LimitArray::kJaHigh:
      return plans.ja_high.at(index);
    case LimitArray::kJaLow:
      break;
  }
  return plans.ja_low.at(index);
}

std::int16_t LimitOf(const BandPlans& plans, const LimitBox& box) {
  return LimitOf(const_cast<BandPlans&>(plans), box);
}

LimitsOutcome LimitsFromTexts(const BandPlans& current, const std::vector<QString>& texts) {
  LimitsOutcome outcome{current, {}};
  const std::vector<LimitBox>& boxes = LimitBoxes();
  for (size_t i = 0; i < boxes.size(); ++i) {
    const std::optional<std::int16_t> limit =
        i < texts.size() ? LimitFromText(texts[i]) : std::nullopt;
    if (limit) {
      LimitOf(outcome.plans, boxes[i]) = *limit;
    } else {
      outcome.unconvertible.push_back(static_cast<int>(i));
    }
  }
  if (!outcome.Ok()) outcome.plans = current;
  return outcome;
}

QString UnconvertibleLimitsMessage(const std::vector<int>& boxes,
                                   const std::vector<QString>& texts) {
  QString message = QStringLiteral("次の欄の値はバンドの限度 (0～32767 kHz) になりません。");
  for (const int i : boxes) {
    const LimitBox& box = LimitBoxes().at(static_cast<size_t>(i));
    const QString text =
        static_cast<size_t>(i) < texts.size() ? texts[static_cast<size_t>(i)] : QString();
    message += QStringLiteral("\r\n%1 %2 %3: %4")
                   .arg(PlanCaption(box.plan), box.row, EdgeCaption(box.edge),
                        text.isEmpty() ? QStringLiteral("(空欄)") : text);
  }
  message += QStringLiteral("\r\n設定は変更されていません。");
  return message;
}

}  // namespace tovek
