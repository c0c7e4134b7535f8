// Text rules of Tessdal's readers: trimming removes spaces only, as the
// files' own fields are padded with spaces and nothing else.
#pragma once

#include <QString>
#include <QStringView>

namespace tovek {

inline QStringView TrimSpaces(QStringView text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text[begin] == u' ') ++begin;
  while (end > begin && text[end - 1] == u' ') --end;
  return text.mid(begin, end - begin);
}

// Most texts have nothing to trim: they are handed back as they are, shared.
inline QString TrimSpaces(const QString& text) {
  const QStringView trimmed = TrimSpaces(QStringView(text));
  return trimmed.size() == text.size() ? text : trimmed.toString();
}

}  // namespace tovek
