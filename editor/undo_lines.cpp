#include "editor/undo_lines.h"

#include <algorithm>

namespace tovek {
namespace {

// A copy of a whole list is over in an instant; the bar only marks that it
// happened, it does not follow each row.
void ReportCopied(const LogLines& rows, Progress& progress) {
  const qint64 last = std::max<qint64>(rows.size() - 1, 0);
  progress.SetMaximum(last);
  progress.SetValue(last);
}

}  // namespace

void UndoLines::Save(const LogLines& rows, Progress& progress) {
  rows_ = rows;
  ReportCopied(rows_, progress);
  availability_ = {true, true};
}

bool UndoLines::Restore(LogLines& rows, Progress& progress) {
  const bool changed = rows != rows_;
  rows = rows_;
  ReportCopied(rows, progress);
  availability_ = {false, false};
  return changed;
}

}  // namespace tovek
