#include "converter/station_header.h"

#include <QDir>

#include "common/text_file.h"

namespace tovek {

std::optional<HeaderField> HeaderFieldByTag(const QString& tag) {
  const QString wanted = tag.trimmed();
  for (int i = 0; i < kHeaderChoiceCount; ++i) {
    if (wanted.compare(QLatin1String(kHeaderChoiceTags[static_cast<size_t>(i)]),
                       Qt::CaseInsensitive) == 0) {
      return HeaderField{HeaderField::Kind::kChoice, i};
    }
  }
  for (int i = 0; i < kHeaderTextCount; ++i) {
    if (wanted.compare(QLatin1String(kHeaderTextTags[static_cast<size_t>(i)]),
                       Qt::CaseInsensitive) == 0) {
      return HeaderField{HeaderField::Kind::kText, i};
    }
  }
  return std::nullopt;
}

HeaderLists LoadHeaderLists(const QString& folder) {
  HeaderLists lists;
  const QDir dir(folder);
  for (int i = 0; i < kHeaderChoiceCount; ++i) {
    // List files may have been saved on any system: a lone LF ends a line too.
    const TextFileLines file =
        ReadTextLines(dir.filePath(QLatin1String(kHeaderListFiles[static_cast<size_t>(i)])),
                      LineEnds::kCrLfCrOrLf);
    if (file.outcome.ok) lists[static_cast<size_t>(i)] = file.lines;
  }
  return lists;
}

}  // namespace tovek
