// A log file as the editor opens it: read into rows at the shipped header
// tags, the five load passes, then the repair and column commands at
// columns the fuzzer chooses, each of them undone again.
#include "editor/column_edits.h"
#include "editor/fault_rows.h"
#include "editor/load_passes.h"
#include "editor/log_lines.h"
#include "editor/repair_commands.h"
#include "editor/undo_lines.h"
#include "fuzz/fuzz_support.h"

using namespace tovek;
using namespace tovek::fuzz;

namespace {

// A row never holds a line feed or a tab.
void CheckRows(const LogLines& rows) {
  for (const QString& row : rows) FUZZ_EXPECT(!row.contains(u'\n') && !row.contains(u'\t'));
}

// Runs a command, checks what it left, and undoes it: the undo brings back
// exactly the rows before it.
template <class Command>
void RunAndUndo(LogLines& rows, UndoLines& undo, Command command) {
  NoProgress progress;
  const LogLines before = rows;
  command(rows, undo, progress);
  CheckRows(rows);
  undo.Restore(rows, progress);
  FUZZ_EXPECT(rows == before);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TrailingParameters parameters(data, size);
  // A last byte below 0x80 (every seed ends so) opens the file as it is.
  const bool commands = parameters.Byte() >= 0x80;
  const int column = parameters.Between(-2, 90);
  const int width = parameters.Between(-2, 20);
  const QByteArray bytes = commands ? parameters.Rest() : Bytes(data, size);

  NoProgress progress;
  const QString path = ScratchFile(QStringLiteral("log.txt"), bytes);
  LogReadOutcome read = ReadLogRows(path, ShippedHeaderTags(), progress);
  FUZZ_EXPECT(read.file.ok);
  LogLines& rows = read.rows;
  CheckRows(rows);
  UndoLines undo;
  const LogLines read_rows = rows;
  const LoadPassesOutcome passes = RunLoadPasses(rows, undo, progress);
  FUZZ_EXPECT(passes.ran == (read_rows.size() > 1));
  CheckRows(rows);
  if (!commands) return 0;

  RunAndUndo(rows, undo, [](LogLines& r, UndoLines& u, Progress& p) { TwinEdit(r, u, p); });
  RunAndUndo(rows, undo, [](LogLines& r, UndoLines& u, Progress& p) { DblDel(r, u, p); });
  RunAndUndo(rows, undo, [](LogLines& r, UndoLines& u, Progress& p) { ColonDel(r, u, p); });
  RunAndUndo(rows, undo,
             [&](LogLines& r, UndoLines& u, Progress& p) { Time4Col(r, u, column, p); });
  RunAndUndo(rows, undo,
             [&](LogLines& r, UndoLines& u, Progress& p) { BandRight(r, u, column, p); });
  RunAndUndo(rows, undo,
             [&](LogLines& r, UndoLines& u, Progress& p) { DataCalSet(r, u, column, width, p); });
  RunAndUndo(rows, undo, [&](LogLines& r, UndoLines& u, Progress& p) {
    InputText(r, u, column, QStringLiteral("59"), p);
  });
  RunAndUndo(rows, undo, [&](LogLines& r, UndoLines& u, Progress& p) {
    ChangeText(r, u, column, QStringLiteral("RY"), p);
  });
  RunAndUndo(rows, undo,
             [&](LogLines& r, UndoLines& u, Progress& p) { DataDel(r, u, column, width, p); });

  // Deleting fault rows named by lines made of the rows themselves.
  const QList<int> removal = RowsToDelete(rows, rows.size());
  for (qsizetype i = 1; i < removal.size(); ++i) FUZZ_EXPECT(removal[i] < removal[i - 1]);
  const qsizetype count = rows.size();
  RemoveRows(rows, removal);
  FUZZ_EXPECT(rows.size() == count - removal.size());
  return 0;
}
