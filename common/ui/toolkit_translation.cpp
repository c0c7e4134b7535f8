#include "common/ui/toolkit_translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace tovek::ui {

QStringList ToolkitTranslationFolders() {
  return {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
          QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"))};
}

bool LoadToolkitTranslation(QCoreApplication& application) {
  for (const QString& folder : ToolkitTranslationFolders()) {
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_ja"), folder) &&
        QCoreApplication::installTranslator(translator)) {
      return true;
    }
    delete translator;
  }
  return false;
}

}  // namespace tovek::ui
