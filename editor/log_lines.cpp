#include "editor/log_lines.h"

#include <QVarLengthArray>
#include <algorithm>
#include <bitset>
#include <vector>

namespace tovek {
namespace {

const QString kQsoTag = QStringLiteral("QSO:");
const QString kIgnoredQsoTag = QStringLiteral("X-QSO:");

// Where the tags start in a text, found in one pass over it. A log saved
// with lone LF line ends is one line of megabytes: searching it once per
// tag would read it forty times, and afresh from every cut it would take
// quadratic time. Here a position is looked at further only when its first
// two characters begin some tag, which a small table of character pairs
// tells at a glance.
class TagStarts {
 public:
  TagStarts(QStringView text, const QStringList& tags) : text_(text) {
    QVarLengthArray<QStringView, 64> long_tags;
    QVarLengthArray<char16_t, 8> single_tags;
    for (const QString& tag : tags) {
      if (tag.isEmpty()) {
        every_position_ = true;  // an empty tag is found wherever it is sought
      } else if (tag.size() == 1) {
        single_tags.append(tag[0].unicode());
      } else {
        long_tags.append(tag);
        pairs_.set(PairKey(tag[0].unicode(), tag[1].unicode()));
      }
    }
    if (every_position_) return;
    const qsizetype size = text.size();
    const char16_t* chars = text.utf16();
    for (qsizetype i = 0; i < size; ++i) {
      const char16_t c = chars[i];
      bool starts = !single_tags.isEmpty() &&
                    std::find(single_tags.begin(), single_tags.end(), c) != single_tags.end();
      if (!starts && i + 1 < size && pairs_.test(PairKey(c, chars[i + 1]))) {
        starts = std::any_of(long_tags.begin(), long_tags.end(), [&](QStringView tag) {
          const char16_t* t = tag.utf16();
          return t[0] == c && t[1] == chars[i + 1] && tag.size() <= size - i &&
                 std::equal(t + 2, t + tag.size(), chars + i + 2);
        });
      }
      if (starts) starts_.push_back(i);
    }
  }

  // Leftmost position at or after `from` at which a tag starts, or -1.
  qsizetype Find(qsizetype from) const {
    if (every_position_) return from <= text_.size() ? from : -1;
    const auto found = std::lower_bound(starts_.begin(), starts_.end(), from);
    return found == starts_.end() ? -1 : *found;
  }

 private:
  static size_t PairKey(char16_t first, char16_t second) {
    return (first * 31u + second) % kPairBits;
  }

  static constexpr size_t kPairBits = 4096;
  QStringView text_;
  bool every_position_ = false;
  std::bitset<kPairBits> pairs_;
  std::vector<qsizetype> starts_;
};

}  // namespace

bool IsQsoRow(QStringView row) { return row.startsWith(kQsoTag); }

QStringList LoadHeaderTags(const QString& path) {
  // A data file: a lone LF ends a line as well.
  TextLineReader reader(LineEnds::kCrLfCrOrLf);
  QStringList tags;
  if (!reader.Open(path, max_file_size::kDataFile).ok) return tags;
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
  const TagStarts finder(text, tags);
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
  const qsizetype first_colon = line.indexOf(u':');
  if (first_colon >= 0 && line.indexOf(u':', first_colon + 1) >= 0) {
    SplitAtHeaderTags(line, tags, rows, progress);
  } else {
    // Trimmed in place: the line is this row's own.
    rows.append(std::move(line).trimmed());
  }
}

LogReadOutcome ReadLogRows(const QString& path, const QStringList& tags, Progress& progress) {
  LogReadOutcome outcome;
  TextLineReader reader(LineEnds::kCrLfOrCr, TextSource::kLog);
  outcome.file = reader.Open(path, max_file_size::kLog);
  if (!outcome.file.ok) return outcome;
  outcome.decoding = reader.Decoding();
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
