// The data check over a log's rows: the shipped band plans and start date,
// or columns the fuzzer chooses.
#include <QDate>

#include "editor/check_settings.h"
#include "editor/data_check.h"
#include "editor/fault_rows.h"
#include "editor/kavrel_settings.h"
#include "editor/load_passes.h"
#include "fuzz/fuzz_support.h"

using namespace tovek;
using namespace tovek::fuzz;

namespace {

const KavrelSettings& DefaultSettings() {
  static const KavrelSettings settings = [] {
    KavrelSettings s;
    SettingsFile(QString(), KavrelSettingKeys(s, QDate(2026, 9, 26)), DefaultsRule::kApplyDefaults)
        .Load();
    return s;
  }();
  return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TrailingParameters parameters(data, size);
  const KavrelSettings& settings = DefaultSettings();
  CheckColumns columns = CheckColumnsFrom(settings.layout);
  QString start_date = settings.start_date;
  QByteArray bytes = Bytes(data, size);
  if (parameters.Byte() >= 0x80) {
    columns.frequency = parameters.Between(-3, 80);
    columns.mode = parameters.Between(-3, 80);
    columns.date_time = parameters.Between(-3, 80);
    columns.received_report = parameters.Between(-3, 80);
    const QDate date = QDate(2026, 1, 1).addDays(parameters.Between(0, 255) * 2 - 256);
    start_date = parameters.Byte() % 2 ? date.toString(QStringLiteral("yyyy/M/d"))
                                       : QStringLiteral("2026/02/30");
    bytes = parameters.Rest();
  }

  TextLineReader reader(LineEnds::kCrLfOrCr, TextSource::kLog);
  reader.OpenBytes(bytes);
  LogLines rows;
  QString line;
  while (reader.Next(line)) AddLogLine(line, ShippedHeaderTags(), rows);
  NoProgress progress;
  UndoLines undo;
  RunLoadPasses(rows, undo, progress);

  const QStringList faults =
      DataCheck(rows, columns, start_date, settings.limits, ShippedPrefixes(), progress);
  // Each fault line names its row, a QSO row, and holds it as it stands.
  int last_row = -1;
  for (const QString& fault : faults) {
    const int row = FaultLineRow(fault);
    FUZZ_EXPECT(row >= last_row && row < rows.size());
    FUZZ_EXPECT(IsQsoRow(rows[row]) && fault.endsWith(rows[row]));
    last_row = row;
  }
  CheckSampleRow(rows);
  for (const FieldSpan& field : CheckFields(columns, settings.layout.rpt_len)) {
    FieldPreview(CheckSampleRow(rows), field);
  }
  const QList<int> removal = RowsToDelete(faults, rows.size());
  FUZZ_EXPECT(!removal.contains(0));
  RemoveRows(rows, removal);
  return 0;
}
