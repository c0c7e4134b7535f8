// The field layout reader: a log's header rows become its summary, and its
// QSO rows are cut into records at fixed character columns.
#pragma once

#include <QDateTime>
#include <QList>
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

// The header values of one log as Kavrel keeps them: all text, all editable
// before the QSO rows are read.
struct LogSummary {
  QString call_sign;
  QString contest;
  QString category;
  QString claimed_score;
  QString operators;
  QString club;
  QString name;
  QString created_by;
  QString address;  // address rows joined with " <LF> "
  QString soapbox;  // soapbox rows joined with " <LF> "
  QString continent;
  QString entity;
  QString header_text;  // every row above the first QSO row, each with CR LF

  friend bool operator==(const LogSummary&, const LogSummary&) = default;
};

// What the header scan found: the summary draft and the first QSO row.
struct HeaderScan {
  LogSummary summary;
  QString sample_row;
};

// Walks the rows above the first row whose tag is "QSO" and fills the
// summary from their tags. The category is left as the rows give it.
HeaderScan ScanHeader(const LogLines& rows);

// "SOHP", "SOLP", "MO", "Checklog" or empty, from whatever the log's
// category rows said.
QString NormaliseCategory(const QString& category);

// The continent (when the summary holds none of the six) and the entity
// (when the call resolves) of the station's call sign.
void ResolveStation(LogSummary& summary, const PrefixTable& prefixes);

// `CabTempRead`: the header scan, the category normalised, the station
// resolved.
HeaderScan CabTempRead(const LogLines& rows, const PrefixTable& prefixes);

// The nine fields of a QSO row, in the order of FieldLayout.
enum LayoutField {
  kFrequencyField,
  kModeField,
  kDateTimeField,
  kMyCallField,
  kSentRstField,
  kSentReportField,
  kHisCallField,
  kReceivedRstField,
  kReceivedReportField,
};
inline constexpr int kLayoutFieldCount = 9;

int LayoutStart(const FieldLayout& layout, int field);
void SetLayoutStart(FieldLayout& layout, int field, int start);
int LayoutWidth(const FieldLayout& layout, int field);
// Fields 3, 6 and the two reports (5 and 8 share one width) can be widened.
bool HasAdjustableWidth(int field);
// Changes an adjustable width by `delta` within its limits (calls 3 to 21,
// reports 2 to 11). False when the field's width is fixed.
bool StepLayoutWidth(FieldLayout& layout, int field, int delta);
std::vector<FieldSpan> LayoutFields(const FieldLayout& layout);

// Step R1: the name and the address every log must carry.
void FillSummaryDefaults(LogSummary& summary);

// The items of the incomplete-summary message, one per empty required
// field, or an empty list. A field of blanks only counts as empty.
QStringList MissingSummaryItems(const LogSummary& summary);

// The message for the missing items, or an empty text when none is missing.
QString IncompleteSummaryMessage(const LogSummary& summary);
inline const QString kIncompleteSummaryTitle = QStringLiteral("サマリーデータエラー");

// One QSO cut from a QSO row. Text fields are blank-filled on the right to
// their width and cut when longer.
struct QsoRecord {
  static constexpr int kBandWidth = 5;
  static constexpr int kModeWidth = 2;
  static constexpr int kCallWidth = 13;
  static constexpr int kRstWidth = 3;
  static constexpr int kReportWidth = 2;

  std::int16_t no = 0;
  QString band;
  QString mode;
  QDateTime qso_time;  // to the minute
  QString my_call;
  QString sent_rst;
  QString sent_rpt;
  QString his_call;
  QString rcvd_rst;
  QString rcvd_rpt;

  friend bool operator==(const QsoRecord&, const QsoRecord&) = default;
};

// The records of one reading, 1-based in `No` and at most 32,767.
using QsoList = QList<QsoRecord>;

// `text` blank-filled on the right to `width`, or cut to it.
QString FixedWidth(QStringView text, int width);

// The date and time a reading puts together ("2012-10-20 12:34"): the date
// with "-", "/" or "." between year, month and day (month and day of one or
// two digits), blanks, and a 24-hour time of one or two hour digits.
std::optional<QDateTime> ParseQsoTime(QStringView text);

struct QsoReadOutcome {
  QsoList records;  // the records read, as far as reading got
  bool ok = true;
  int failed_row = -1;  // the row index reading stopped at
  QString error;        // why
};

// Cuts every QSO row into a record at the layout's columns. A reading starts
// a list of its own: it never numbers on from an earlier one. It stops at a
// row whose date and time cannot be read.
QsoReadOutcome ReadQsoRecords(const LogLines& rows, const FieldLayout& layout, Progress& progress);

}  // namespace tovek
