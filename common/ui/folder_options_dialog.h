// The folder settings dialog (frmOptions), caption
// "データファイルフォルダの設定": one group (the editor's data folder) or two
// (the converter's ADIF and output folders), each with a drive list, a
// folder list and a label showing the chosen folder.
//
// The dialog hands the chosen folders back; the host stores them in its
// settings.
#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

#include "common/ui/folder_reveal.h"
#include "common/ui/message_boxes.h"

class QComboBox;
class QFileSystemModel;
class QLabel;
class QTreeView;

namespace tovek::ui {

struct FolderGroupSetting {
  QString caption;  // the group's frame caption
  QString folder;   // the stored folder; may be empty
};

struct FolderOptionsConfig {
  QList<FolderGroupSetting> groups;  // one or two
  bool keeps_on_top = false;
  // OK creates "EditLog", "OldLog" and "ErrRpt" in the first group's folder.
  bool creates_data_subfolders = false;
  // A stored folder that cannot be listed on opening, and a failure on OK,
  // are shown with the platform's description; otherwise they pass silently.
  bool reports_errors = false;
  // Where a folder list starts when its stored folder is empty or gone.
  QString program_folder;
};

// The editor's dialog: the data folder, kept on top, prepares the subfolders.
FolderOptionsConfig KavrelFolderOptions(const QString& data_folder);
// The converter's dialog: the ADIF folder and the Cabrillo output folder.
FolderOptionsConfig MorrickFolderOptions(const QString& adif_folder, const QString& output_folder);

class FolderOptionsDialog final : public QDialog {
  Q_OBJECT

 public:
  FolderOptionsDialog(FolderOptionsConfig config, MessageBoxes& boxes, QWidget* parent = nullptr);

  // The folders confirmed with OK, one per group, trimmed; empty before OK.
  const QStringList& Folders() const { return folders_; }

 Q_SIGNALS:
  // Emitted on OK, before the dialog closes.
  void FoldersChosen(const QStringList& folders);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct Group {
    QComboBox* drives;
    QTreeView* tree;
    QFileSystemModel* model;
    QLabel* label;
    FolderReveal* reveal;  // the start folder kept in view while the list loads
  };

  Group MakeGroup(int number, const QString& caption, QLayout* layout);
  // Shows the folder in the list rooted at the drive `root`, and in the label.
  void MoveTo(Group& group, const QString& folder, const QString& root);
  void ChooseDrive(Group& group);
  void ShowError(const QString& text);
  void ReportOpeningError();
  void Confirm();

  FolderOptionsConfig config_;
  MessageBoxes& boxes_;
  QList<Group> groups_;
  QStringList folders_;
  QString opening_error_;
  bool opened_ = false;
};

}  // namespace tovek::ui
