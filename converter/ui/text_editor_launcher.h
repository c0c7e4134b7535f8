// Starting the desktop's text editor on a file Morrick wrote. An interface,
// so that tests record the path instead of opening windows.
#pragma once

#include <QString>

namespace tovek::ui {

class TextEditorLauncher {
 public:
  virtual ~TextEditorLauncher() = default;
  // Starts the editor on `path` without waiting for it.
  virtual void Open(const QString& path) = 0;
};

// The editor the desktop associates with the file.
class DesktopTextEditorLauncher final : public TextEditorLauncher {
 public:
  void Open(const QString& path) override;
};

}  // namespace tovek::ui
