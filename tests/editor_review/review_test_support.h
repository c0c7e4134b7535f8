// What the review window tests share: Kavrel's settings with their defaults,
// the prefix table, rows opened as the editor opens a log, and finding the
// review's windows.
#pragma once

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>

#include "common/prefix_table.h"
#include "common/ui/message_boxes.h"
#include "editor/kavrel_settings.h"
#include "editor/load_passes.h"
#include "editor/log_lines.h"
#include "tests/support/test_files.h"

namespace tovek::testing {

// Settings as Kavrel has them after reading `ini` (the defaults where a key
// is missing).
inline KavrelSettings SettingsFrom(const QByteArray& ini) {
  QTemporaryDir folder;
  WriteBytes(QDir(folder.path()).filePath("Kavrel.ini"), ini);
  KavrelSettings settings;
  KavrelSettingsFile(folder.path(), settings, QDate(2026, 12, 9)).Load();
  return settings;
}

struct LoadedPrefixes {
  PrefixTable table;
  EntityList entities;
  LoadedPrefixes() {
    LoadPrefixTable(QDir(TOVEK_PROGRAM_DIR).filePath("Cty.dat"), table, &entities);
  }
};

inline const LoadedPrefixes& Loaded() {
  static const LoadedPrefixes loaded;
  return loaded;
}
inline const PrefixTable& Prefixes() { return Loaded().table; }
inline const EntityList& Entities() { return Loaded().entities; }

// A log file read and cleaned up as the main window's DataRead does.
inline LogLines OpenRows(const QString& path) {
  NoProgress progress;
  LogReadOutcome read = ReadLogRows(
      path, LoadHeaderTags(QDir(TOVEK_PROGRAM_DIR).filePath("CabHeader.dat")), progress);
  UndoLines undo;
  RunLoadPasses(read.rows, undo, progress);
  return read.rows;
}

// The visible top-level window of that object name, or null.
template <typename T>
T* OpenWindow(const char* name) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == QLatin1String(name) && widget->isVisible()) {
      return qobject_cast<T*>(widget);
    }
  }
  return nullptr;
}

// Closes every window still open (and deletes those that delete themselves
// on closing) while the state they point to is alive.
inline void CloseAll() {
  QList<QPointer<QWidget>> open;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible()) open.append(widget);
  }
  for (const QPointer<QWidget>& widget : open) {
    if (widget) widget->close();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline ui::MessageRequest Box(const QString& text, const QString& title = {},
                              ui::Buttons buttons = ui::Buttons::kOk,
                              ui::Icon icon = ui::Icon::kNone) {
  return {text, title, buttons, icon};
}

}  // namespace tovek::testing
