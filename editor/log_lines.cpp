#include "editor/log_lines.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace tovek {
namespace {

const QString kQsoTag = QStringLiteral("QSO:");
const QString kIgnoredQsoTag = QStringLiteral("X-QSO:");

// Finds, for a growing start position, the leftmost occurrence of any tag.
// Each tag remembers where it was last found, so a text cut a thousand times
// is searched once per tag from front to back instead of once per cut.
class LeftmostTagFinder {
 public:
  LeftmostTagFinder(QStringView text, const QStringList& tags)
      : text_(text), tags_(tags), next_(tags.size(), kNotSearched) {}

  // Leftmost position at or after `from` at which a tag starts, or -1.
  qsizetype Find(qsizetype from) {
    qsizetype best = -1;
    for (qsizetype t = 0; t < tags_.size(); ++t) {
      qsizetype& next = next_[t];
      if (next == kNotSearched || (next != kNowhere && next < from)) {
        const qsizetype found = text_.indexOf(tags_[t], from);
        next = found < 0 ? kNowhere : found;
      }
      if (next != kNowhere && next >= from && (best < 0 || next < best)) best = next;
    }
    return best;
  }

 private:
  static constexpr qsizetype kNotSearched = -2;
  static constexpr qsizetype kNowhere = std::numeric_limits<qsizetype>::max();
  QStringView text_;
  const QStringList& tags_;
  std::vector<qsizetype> next_;
};

}  // namespace

bool IsQsoRow(QStringView row) { return row.startsWith(kQsoTag); }

QStringList LoadHeaderTags(const QString& path) {
  // A data file: a lone LF ends a line as well.
  TextLineReader reader(LineEnds::kCrLfCrOrLf);
  QStringList tags;
  if (!reader.Open(path).ok) return tags;
  QString line;
  while (reader.Next(line)) {
    const QString tag = line.trimmed();
    if (!tag.isEmpty()) tags.append(tag);
  }
  return tags;
}

void SplitAtHeaderTags(QStringView text, const QStringList& tags, LogLines& rows,
                       Progress* progress) {
  // Positions are offsets into the whole text; `start` is where the text
  // that is still to be cut begins.
  LeftmostTagFinder finder(text, tags);
  qsizetype start = 0;
  while (start < text.size()) {
    const qsizetype colon = text.indexOf(u':', start);
    if (colon < 0) break;
    // A tag counts from right behind the first colon on. (Counting only from
    // the second character behind it would keep "SOAPBOX:QSO: ..." together:
    // an empty header value followed by a QSO in a Linux log, and that QSO
    // would be read as soapbox text and lost.)
    const qsizetype cut = finder.Find(colon + 1);
    // A tag must begin before the last character of the remaining text.
    if (cut < 0 || cut >= text.size() - 1) break;
    rows.append(text.mid(start, cut - start).toString());
    start = cut;
    if (progress) progress->Yield();
  }
  if (start < text.size()) rows.append(text.mid(start).toString());
}

void AddLogLine(QString line, const QStringList& tags, LogLines& rows, Progress* progress) {
  line.remove(u'\n');
  line.remove(u'\t');
  if (line.startsWith(kIgnoredQsoTag)) line.remove(0, 2);
  if (line.count(u':') >= 2) {
    SplitAtHeaderTags(line, tags, rows, progress);
  } else {
    rows.append(line.trimmed());
  }
}

LogReadOutcome ReadLogRows(const QString& path, const QStringList& tags, Progress& progress) {
  LogReadOutcome outcome;
  TextLineReader reader(LineEnds::kCrLfOrCr, TextSource::kLog);
  outcome.file = reader.Open(path);
  if (!outcome.file.ok) return outcome;
  progress.SetMaximum(reader.Size());
  qint64 bytes_read = 0;
  QString line;
  qsizetype line_bytes = 0;
  while (reader.Next(line, &line_bytes)) {
    bytes_read += line_bytes;
    progress.SetValue(bytes_read);
    AddLogLine(std::move(line), tags, outcome.rows, &progress);
    progress.Yield();
  }
  return outcome;
}

}  // namespace tovek
