// Logs of more rows than the editor's 16-bit counts were made for: they are
// read whole, their faults name the right rows, and deleting those faults
// deletes those rows and no others.
#include <gtest/gtest.h>

#include <QDate>

#include "editor/cabrillo_reader.h"
#include "editor/data_check.h"
#include "editor/fault_rows.h"
#include "editor/kavrel_settings.h"
#include "editor/load_passes.h"
#include "editor/undo_lines.h"
#include "tests/editor/editor_test_support.h"

namespace tovek {
namespace {

const QString kGood = "QSO: 14080 RY 2026-09-26 0012 JA1XYZ        599 01     K1ABC         599 05";
const QString kWrongMode =
    "QSO: 14080 CW 2026-09-26 0012 JA1XYZ        599 01     K1ABC         599 05";

KavrelSettings Defaults() {
  KavrelSettings settings;
  SettingsFile(QString(), KavrelSettingKeys(settings, QDate(2026, 9, 26)),
               DefaultsRule::kApplyDefaults)
      .Load();
  return settings;
}

// A header row, then `count` QSO rows; the rows at `faulty` have the wrong mode.
LogLines Log(int count, const QList<int>& faulty) {
  LogLines rows = {"START-OF-LOG: 3.0"};
  for (int i = 1; i <= count; ++i) rows.append(faulty.contains(i) ? kWrongMode : kGood);
  return rows;
}

TEST(HugeLog, FaultsBeyondRow99999NameTheirOwnRows) {
  const QList<int> faulty = {7, 99999, 100000, 123456};
  LogLines rows = Log(130000, faulty);
  const KavrelSettings settings = Defaults();
  NoProgress progress;
  const QStringList faults = DataCheck(rows, CheckColumnsFrom(settings.layout), settings.start_date,
                                       settings.limits, PrefixTable(), progress);
  // Without a prefix table the station is held to the plan for abroad, in
  // which 14080 lies: only the modes are wrong.
  EXPECT_EQ(faults,
            (QStringList{"    7 MODE        " + kWrongMode, "99999 MODE        " + kWrongMode,
                         "100000 MODE        " + kWrongMode, "123456 MODE        " + kWrongMode}));
  QList<int> named;
  for (const QString& fault : faults) named.append(FaultLineRow(fault));
  EXPECT_EQ(named, faulty);

  const QList<int> removal = RowsToDelete(faults, rows.size());
  EXPECT_EQ(removal, (QList<int>{123456, 100000, 99999, 7}));
  RemoveRows(rows, removal);
  EXPECT_EQ(rows, Log(130000 - 4, {}));
}

TEST(HugeLog, IsReadWholeAndItsRecordsStopAtTheCount) {
  LogLines rows = Log(40000, {});
  rows.append("END-OF-LOG:");
  UndoLines undo;
  NoProgress progress;
  const LoadPassesOutcome passes = RunLoadPasses(rows, undo, progress);
  EXPECT_FALSE(passes.uneven_lengths);
  EXPECT_EQ(rows.size(), 40002);
  const QsoReadOutcome read = ReadQsoRecords(rows, Defaults().layout, progress);
  EXPECT_FALSE(read.ok);
  EXPECT_EQ(read.failed_row, 32768);
  EXPECT_EQ(read.error, QStringLiteral("行 32768: QSO が 32767 を超えています"));
  EXPECT_EQ(read.records.size(), 32767);
  EXPECT_EQ(read.records.last().no, 32767);
}

}  // namespace
}  // namespace tovek
