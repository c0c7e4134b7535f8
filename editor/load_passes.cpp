#include "editor/load_passes.h"

#include <QList>
#include <algorithm>

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

// A row that trimming would leave empty.
bool IsBlankRow(const QString& row) { return QStringView(row).trimmed().isEmpty(); }

// The column of a second "QSO:" from column 5 on or, without one, of "END"
// from column 5 on; 0 for neither. One look at each character instead of
// a search for each word.
qsizetype DoubledRowCut(const QString& row) {
  qsizetype end = 0;
  for (qsizetype i = 4; i < row.size(); ++i) {
    const QStringView rest = QStringView(row).mid(i);
    if (row[i] == u'Q' && rest.startsWith(kQsoTag)) return i + 1;
    if (end == 0 && row[i] == u'E' && rest.startsWith(kEndTag)) end = i + 1;
  }
  return end;
}

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
    if (!IsBlankRow(rows[next])) kept.append(std::move(rows[next]));
    ++next;
    progress.Yield();
  }
  for (; next < rows.size(); ++next) kept.append(std::move(rows[next]));
  rows = std::move(kept);
}

void SplitDoubledRows(LogLines& rows, Progress& progress) {
  internal::VisitSplitting(rows, progress, [](const QString& row) -> internal::RowSplit {
    const qsizetype cut = DoubledRowCut(row);
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
    // Looked at through a const reference: a character asked of a row
    // that could be written would copy it away from the snapshot first.
    const QString& text = row;
    if (!IsQsoRow(text) || text.size() < 5 || text[4] != u' ') return;
    const qsizetype blank = FindFromColumn(text, u" ", 10);
    if (blank == 0) return;
    // A row whose first blank from column 10 on is in column 11 has its
    // frequency in columns 6 to 10 already: it stays as it is (and keeps
    // sharing its text with the undo snapshot).
    if (blank == kFrequencyColumn + kFrequencyWidth) return;
    // From column 5 up to the blank: normally the blank behind "QSO:" and the
    // frequency, maybe with more blanks in front of it.
    const QStringView field = QStringView(row).mid(4, blank - 5);
    if (field.trimmed().size() > kFrequencyWidth) return;
    // Columns 1 to 5, the field right-aligned in five columns, the rest.
    QString aligned;
    aligned.reserve(row.size() - field.size() + kFrequencyWidth);
    aligned.append(QStringView(row).left(kFrequencyColumn - 1));
    const qsizetype padding = std::max<qsizetype>(kFrequencyWidth - field.size(), 0);
    aligned.resize(aligned.size() + padding, u' ');
    aligned.append(field.right(kFrequencyWidth));
    aligned.append(QStringView(row).mid(blank - 1));
    row = std::move(aligned);
  });
}

bool CheckRowLengths(const LogLines& rows, Progress& progress) {
  internal::StartVisits(rows.size(), progress);
  QList<qsizetype> lengths;
  for (qsizetype index = 0; index < rows.size(); ++index) {
    if (IsQsoRow(rows[index])) lengths.append(QStringView(rows[index]).trimmed().size());
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
