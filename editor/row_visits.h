// How the passes and repair commands walk the rows of a log.
//
// Every one of them visits the indices 0 to N - 1, N being the row count
// when it starts. A visit may split a row in two (the second part becomes the
// next index visited, so the rows at the end are pushed out of reach) or join
// the next row into it (an index past the new end reads as an empty row).
// The walks build a new list instead of inserting into and removing from the
// middle of the old one, which would make a 32,767-row log quadratic.
#pragma once

#include <QString>
#include <algorithm>
#include <optional>
#include <utility>

#include "common/progress.h"
#include "editor/log_lines.h"

namespace tovek::internal {

// A row cut in two: the row that stays and the row inserted after it.
using RowSplit = std::optional<std::pair<QString, QString>>;

inline void StartVisits(qsizetype count, Progress& progress) {
  progress.SetMaximum(std::max<qsizetype>(count - 1, 0));
}

inline void Visited(qsizetype index, Progress& progress) {
  progress.SetValue(index);
  progress.Yield();
}

// `split(row)` gives the two rows a visited row becomes, or nothing.
template <typename Split>
void VisitSplitting(LogLines& rows, Progress& progress, Split split) {
  const qsizetype count = rows.size();
  StartVisits(count, progress);
  // While the walk runs, the log reads: `done`, then `pending` (the part a
  // split inserted), then the rows from `next` on.
  LogLines done;
  done.reserve(count);
  std::optional<QString> pending;
  qsizetype next = 0;
  for (qsizetype index = 0; index < count; ++index) {
    QString row = pending ? *std::exchange(pending, std::nullopt) : std::move(rows[next++]);
    if (RowSplit parts = split(row)) {
      done.append(std::move(parts->first));
      pending = std::move(parts->second);
    } else {
      done.append(std::move(row));
    }
    Visited(index, progress);
  }
  if (pending) done.append(std::move(*pending));
  for (; next < count; ++next) done.append(std::move(rows[next]));
  rows = std::move(done);
}

// `join(row, following)` gives the row that replaces a visited row and the
// one after it (empty past the end), or nothing when they stay apart.
template <typename Join>
void VisitJoining(LogLines& rows, Progress& progress, Join join) {
  const qsizetype count = rows.size();
  StartVisits(count, progress);
  // While the walk runs, the log reads: `done`, then the rows from `next` on.
  LogLines done;
  done.reserve(count);
  qsizetype next = 0;
  for (qsizetype index = 0; index < count; ++index) {
    if (next < count) {
      static const QString kPastTheEnd;
      const QString& following = next + 1 < count ? rows[next + 1] : kPastTheEnd;
      if (std::optional<QString> joined = join(rows[next], following)) {
        done.append(std::move(*joined));
        next += 2;
      } else {
        done.append(std::move(rows[next++]));
      }
    }
    Visited(index, progress);
  }
  rows = std::move(done);
}

// `change(row)` rewrites a visited row in place when it qualifies.
template <typename Change>
void VisitEach(LogLines& rows, Progress& progress, Change change) {
  StartVisits(rows.size(), progress);
  for (qsizetype index = 0; index < rows.size(); ++index) {
    change(rows[index]);
    Visited(index, progress);
  }
}

}  // namespace tovek::internal
