// The log list dialog (frmGetList), caption "ファイルリストの読込み": a drive
// list, a folder list and the folder's Cabrillo logs. OK hands the list over.
#pragma once

#include <QDialog>

#include "calculator/log_list.h"
#include "common/ui/folder_reveal.h"

class QComboBox;
class QFileSystemModel;
class QLabel;
class QListWidget;
class QTreeView;

namespace tovek::ui {

class MessageBoxes;

// What the dialog says when the folder holds more logs than a run takes.
QString TooManyLogsMessage(qsizetype count);

class GetListDialog final : public QDialog {
  Q_OBJECT

 public:
  // Starts at `log_folder` when it is set and can be listed, otherwise at
  // `default_folder`; a log folder that is gone is reported when the dialog
  // shows.
  GetListDialog(const QString& log_folder, const QString& default_folder, MessageBoxes& boxes,
                QWidget* parent = nullptr);

  QString Folder() const { return folder_; }
  QStringList Names() const;

 Q_SIGNALS:
  // OK: the folder and the names the file list shows, in its order.
  void ListTaken(const tovek::LogList& list);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void MoveTo(const QString& folder, const QString& root);
  void ChooseDrive();
  void ShowFolder(const QString& folder);
  void ReportOpeningError();
  void Confirm();

  MessageBoxes& boxes_;
  QComboBox* drives_ = nullptr;
  QTreeView* folders_ = nullptr;
  QFileSystemModel* model_ = nullptr;
  QListWidget* files_ = nullptr;
  QLabel* folder_label_ = nullptr;
  QString folder_;
  // The folder the list is being opened at while the model reads its parents.
  FolderReveal* reveal_;  // the start folder kept in view while the list loads
  QString opening_error_;
  bool opened_ = false;
};

}  // namespace tovek::ui
