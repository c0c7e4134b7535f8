// The log-open dialog (frmLogOpen), caption "データフォルダー": the matching
// files of the host's folder, a name box, "OK" and "ｷｬﾝｾﾙ".
//
// The host points it at a folder with SetFolder and reads the file named by
// FileChosen. The dialog does not read anything itself.
#pragma once

#include <QDialog>
#include <QFont>
#include <QStringList>
#include <optional>

#include "common/text_file.h"
#include "common/ui/message_boxes.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace tovek::ui {

enum class ReadOrder {
  kCloseThenRead,  // the editor: the dialog closes, then the host reads
  kReadThenClose,  // the converter: the host reads and shows the path, then the dialog closes
};

struct LogOpenConfig {
  QStringList name_filters;
  bool keeps_on_top = false;
  ReadOrder order = ReadOrder::kCloseThenRead;
  // Font of the file list and the name box; none: the dialog's own.
  std::optional<QFont> font;
};

// The editor's dialog: log files, shown without blocking, kept on top.
LogOpenConfig KavrelLogOpenConfig();
// The converter's dialog: ADIF files in the data-field font, shown modally.
LogOpenConfig MorrickLogOpenConfig(const QFont& font);

class LogOpenDialog final : public QDialog {
  Q_OBJECT

 public:
  LogOpenDialog(LogOpenConfig config, MessageBoxes& boxes, QWidget* parent = nullptr);

  // Lists the folder's matching files. A folder that cannot be listed leaves
  // the list empty and the outcome says why; the editor then closes the
  // dialog and asks for another folder.
  FileOutcome SetFolder(const QString& folder);
  const QString& Folder() const { return folder_; }

  // The path last chosen with OK or a double-click; empty before that.
  const QString& ChosenPath() const { return chosen_path_; }

 Q_SIGNALS:
  // The folder, a separator and the trimmed name. Emitted after the dialog
  // has closed or before it closes, as the configured ReadOrder says.
  void FileChosen(const QString& path);

 protected:
  bool event(QEvent* event) override;

 private:
  void TakeFirstName();
  void Confirm();

  LogOpenConfig config_;
  MessageBoxes& boxes_;
  QListWidget* files_;
  QLineEdit* name_;
  QPushButton* ok_;
  QString folder_;
  QString chosen_path_;
  bool first_name_pending_ = true;
};

}  // namespace tovek::ui
