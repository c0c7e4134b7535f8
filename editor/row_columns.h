// Character columns of a row, 1-based as the user counts them, and the
// blanks the editor trims.
#pragma once

#include <QString>
#include <QStringView>

namespace tovek::internal {

// The characters of `row` from `column` on: `length` of them, or all.
inline QString FromColumn(const QString& row, qsizetype column, qsizetype length = -1) {
  return row.mid(column - 1, length);
}

// The characters in front of `column`.
inline QString BeforeColumn(const QString& row, qsizetype column) { return row.left(column - 1); }

// The column at which `text` first starts at or after `from`, or 0.
inline qsizetype FindFromColumn(const QString& row, QStringView text, qsizetype from) {
  return row.indexOf(text, from - 1) + 1;
}

// The blanks trimmed here are the ones the log reader trims.
inline QString TrimBlanks(const QString& text) { return text.trimmed(); }

inline QString TrimLeadingBlanks(const QString& text) {
  qsizetype first = 0;
  while (first < text.size() && text[first].isSpace()) ++first;
  return text.mid(first);
}

}  // namespace tovek::internal
