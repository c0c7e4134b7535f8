#include "editor/load_passes.h"

#include <QList>

#include "editor/row_columns.h"
#include "editor/row_visits.h"

namespace tovek {

using internal::BeforeColumn;
using internal::FindFromColumn;
using internal::FromColumn;
using internal::TrimBlanks;

namespace {

const QString kQsoTag = QStringLiteral("QSO:");
const QString kEndTag = QStringLiteral("END");

// Frequencies sit in columns 6 to 10, behind "QSO:" and a blank.
constexpr qsizetype kFrequencyColumn = 6;
constexpr qsizetype kFrequencyWidth = 5;

}  // namespace

QString LoadPassMessage(LoadPass pass) {
  switch (pass) {
    case LoadPass::kRemoveBlankRows:
      return QStringLiteral("空白行を探して削除します");
    case LoadPass::kSplitDoubledRows:
      return QStringLiteral("２重データを探し修正します");
    case LoadPass::kJoinSplitRows:
      return QStringLiteral("２段分割データを探して修正します");
    case LoadPass::kAlignFrequency:
      return QStringLiteral("周波数データを右並びにします");
    case LoadPass::kCheckRowLengths:
      return QStringLiteral("データ長の不揃いをチェックします");
  }
  return {};
}

void RemoveBlankRows(LogLines& rows, Progress& progress) {
  internal::StartVisits(rows.size(), progress);
  // The row count shrinks as rows go, and the last row is never looked at:
  // a blank last row stays.
  LogLines kept;
  kept.reserve(rows.size());
  qsizetype next = 0;
  while (next < rows.size() - 1) {
    progress.SetValue(kept.size());
    if (!TrimBlanks(rows[next]).isEmpty()) kept.append(std::move(rows[next]));
    ++next;
    progress.Yield();
  }
  for (; next < rows.size(); ++next) kept.append(std::move(rows[next]));
  rows = std::move(kept);
}

void SplitDoubledRows(LogLines& rows, Progress& progress) {
  internal::VisitSplitting(rows, progress, [](const QString& row) -> internal::RowSplit {
    qsizetype cut = FindFromColumn(row, kQsoTag, 5);
    if (cut == 0) cut = FindFromColumn(row, kEndTag, 5);
    if (cut == 0) return std::nullopt;
    return std::pair{TrimBlanks(BeforeColumn(row, cut)), TrimBlanks(FromColumn(row, cut))};
  });
}

void JoinSplitRows(LogLines& rows, Progress& progress) {
  internal::VisitJoining(
      rows, progress, [](const QString& row, const QString& following) -> std::optional<QString> {
        if (!IsQsoRow(row) || following.isEmpty() || following.startsWith(kQsoTag) ||
            following.startsWith(kEndTag)) {
          return std::nullopt;
        }
        return row + following;
      });
}

void AlignFrequency(LogLines& rows, UndoLines& undo, Progress& progress) {
  undo.Save(rows, progress);
  internal::VisitEach(rows, progress, [](QString& row) {
    if (!IsQsoRow(row) || row.size() < 5 || row[4] != u' ') return;
    const qsizetype blank = FindFromColumn(row, u" ", 10);
    if (blank == 0) return;
    // From column 5 up to the blank: normally the blank behind "QSO:" and the
    // frequency, maybe with more blanks in front of it.
    const QString field = FromColumn(row, 5, blank - 5);
    if (TrimBlanks(field).size() > kFrequencyWidth) return;
    row = BeforeColumn(row, kFrequencyColumn) +
          (QString(kFrequencyWidth, u' ') + field).right(kFrequencyWidth) + FromColumn(row, blank);
  });
}

bool CheckRowLengths(const LogLines& rows, Progress& progress) {
  internal::StartVisits(rows.size(), progress);
  QList<qsizetype> lengths;
  for (qsizetype index = 0; index < rows.size(); ++index) {
    if (IsQsoRow(rows[index])) lengths.append(TrimBlanks(rows[index]).size());
    internal::Visited(index, progress);
  }
  if (lengths.size() < 3) return false;
  for (qsizetype i = 1; i < lengths.size(); ++i) {
    if (lengths[i] != lengths[i - 1]) return true;
  }
  return false;
}

LoadPassesOutcome RunLoadPasses(LogLines& rows, UndoLines& undo, Progress& progress,
                                const std::function<void(const QString&)>& pass_starting) {
  LoadPassesOutcome outcome;
  if (rows.size() <= 1) return outcome;
  outcome.ran = true;
  const auto announce = [&](LoadPass pass) {
    outcome.messages.append(LoadPassMessage(pass));
    if (pass_starting) pass_starting(outcome.messages.last());
  };
  announce(LoadPass::kRemoveBlankRows);
  RemoveBlankRows(rows, progress);
  announce(LoadPass::kSplitDoubledRows);
  SplitDoubledRows(rows, progress);
  announce(LoadPass::kJoinSplitRows);
  JoinSplitRows(rows, progress);
  announce(LoadPass::kAlignFrequency);
  AlignFrequency(rows, undo, progress);
  outcome.snapshot_taken = true;
  announce(LoadPass::kCheckRowLengths);
  outcome.uneven_lengths = CheckRowLengths(rows, progress);
  return outcome;
}

}  // namespace tovek
