// The limits the data check works with: the contest start date and the two
// band plans, as the check settings dialog shows and changes them.
#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <vector>

#include "editor/kavrel_settings.h"

namespace tovek {

// The start date as stored and shown: "yyyy/mm/dd".
inline constexpr const char* kStartDateFormat = "yyyy/MM/dd";

// The stored start date, or nothing when the text is no date. Month and day
// may have one digit, as a hand-edited settings file may hold them.
std::optional<QDate> ParseStartDate(QStringView text);

enum class DateUnit { kYear, kMonth, kDay };

// The shown date moved by `steps` years, months or days (31 January plus one
// month is the last day of February), written "yyyy/mm/dd". A shown text that
// is no date is stepped from `today`, so the buttons always lead back to a
// date; a step that would leave the years 100 to 9999 keeps the shown text.
QString StepStartDate(const QString& shown, DateUnit unit, int steps, const QDate& today);

// The keys a limit box takes: the digits, "." (backspace is the box's own).
bool IsLimitCharacter(QChar c);

// A limit box's text as a limit: its decimal value, a half rounded to the
// even neighbour. Nothing when the box is empty, holds no number (".") or a
// value outside the 16-bit range.
std::optional<std::int16_t> LimitFromText(QStringView text);

enum class BandPlan { kOverseas, kDomestic };
enum class LimitEdge { kLower, kUpper };

// The arrays of BandPlans.
enum class LimitArray { kHigh, kLow, kJaHigh80, kJaLow80, kJaHigh, kJaLow };

// One of the thirty limit boxes of the dialog.
struct LimitBox {
  BandPlan plan;
  QString row;  // "80m", "80m 1", "40m" ...
  LimitEdge edge;
  QString key;  // its key in Kavrel.ini
  LimitArray array;
  int index;  // the element of that array
};

// The boxes in dialog order: each plan's rows top to bottom, lower before
// upper.
const std::vector<LimitBox>& LimitBoxes();

std::int16_t& LimitOf(BandPlans& plans, const LimitBox& box);
std::int16_t LimitOf(const BandPlans& plans, const LimitBox& box);

// The outcome of "O K": the plans with every box converted, or the boxes
// (indices into LimitBoxes()) that hold no 16-bit value; then nothing of
// `current` is to change.
struct LimitsOutcome {
  BandPlans plans;
  std::vector<int> unconvertible;
  bool Ok() const { return unconvertible.empty(); }
};
LimitsOutcome LimitsFromTexts(const BandPlans& current, const std::vector<QString>& texts);

// What the dialog tells the user about boxes it could not convert.
QString UnconvertibleLimitsMessage(const std::vector<int>& boxes,
                                   const std::vector<QString>& texts);

}  // namespace tovek
