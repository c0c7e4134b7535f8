#include "calculator/log_list.h"

#include <QDir>
#include <algorithm>

namespace tovek {

QString LogList::Path(qsizetype i) const {
  // A list without a folder holds whole paths.
  return folder.isEmpty() ? names.value(i) : QDir(folder).filePath(names.value(i));
}

QStringList ListLogFiles(const QString& folder) {
  QDir dir(folder);
  dir.setNameFilters({QStringLiteral("*.cbr")});
  dir.setFilter(QDir::Files);
  dir.setSorting(QDir::Unsorted);
  QStringList names;
  for (const QString& name : dir.entryList()) {
    if (name.endsWith(QStringLiteral(".cbr"), Qt::CaseInsensitive)) names.append(name);
  }
  // Names that differ only in case keep a fixed order between them.
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
  });
  return names;
}

QString FullWidthNumber(qint64 number) {
  QString text = QString::number(number);
  for (QChar& c : text) {
    if (c >= u'0' && c <= u'9') c = QChar(c.unicode() - u'0' + u'０');
    if (c == u'-') c = QChar(u'－');
  }
  return text;
}

}  // namespace tovek
