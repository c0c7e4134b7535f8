// The toolkit's own texts in Japanese: the standard buttons of the message
// boxes ("はい", "いいえ", "キャンセル") and the edit boxes' context menus,
// which are English unless a translation is loaded.
#pragma once

#include <QStringList>

class QCoreApplication;

namespace tovek::ui {

// Where the toolkit's translations are looked for, in this order: the Qt
// installation's folder (Debian's qt6-translations-l10n) and "translations"
// beside the program (where `cmake --install` puts a copy).
QStringList ToolkitTranslationFolders();

// Installs the toolkit's Japanese translation from the first folder that
// has one; false when none has (the texts stay English).
bool LoadToolkitTranslation(QCoreApplication& application);

}  // namespace tovek::ui
