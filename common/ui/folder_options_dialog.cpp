#include "common/ui/folder_options_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "common/ui/folder_paths.h"
#include "common/ui/window_order.h"

namespace tovek::ui {
namespace {

QString ProgramFolder() { return QCoreApplication::applicationDirPath(); }

// The mounted volumes that hold folders, by root path.
QStringList VolumeRoots() {
  QStringList roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (volume.isValid() && volume.isReady() && QFileInfo(volume.rootPath()).isDir()) {
      roots.append(volume.rootPath());
    }
  }
  roots.sort();
  roots.removeDuplicates();
  return roots;
}

QString VolumeRootOf(const QString& folder) {
  const QStorageInfo volume(folder);
  return volume.isValid() ? volume.rootPath() : QDir(folder).rootPath();
}

}  // namespace

FolderOptionsConfig KavrelFolderOptions(const QString& data_folder) {
  return {
      {{QStringLiteral("データファイルフォルダ"), data_folder}}, true, true, true, ProgramFolder()};
}

FolderOptionsConfig MorrickFolderOptions(const QString& adif_folder, const QString& output_folder) {
  return {{{QStringLiteral("ADIF File Folder"), adif_folder},
           {QStringLiteral("Cabrillo Output Folder"), output_folder}},
          false,
          false,
          false,
          ProgramFolder()};
}

FolderOptionsDialog::FolderOptionsDialog(FolderOptionsConfig config, MessageBoxes& boxes,
                                         QWidget* parent)
    : QDialog(parent), config_(std::move(config)), boxes_(boxes) {
  setObjectName(QStringLiteral("frmOptions"));
  setWindowTitle(QStringLiteral("データファイルフォルダの設定"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* group_row = new QHBoxLayout;
  for (int i = 0; i < config_.groups.size(); ++i) {
    groups_.append(MakeGroup(i + 1, config_.groups[i].caption, group_row));
  }

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("Command1"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  cancel->setObjectName(QStringLiteral("Command2"));
  connect(ok, &QPushButton::clicked, this, &FolderOptionsDialog::Confirm);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(group_row, 1);
  layout->addLayout(buttons);
  resize(360 * static_cast<int>(groups_.size()), 420);

  // Each list starts at its stored folder. A stored folder that is gone
  // stays in the label, so that OK without a new choice keeps the setting
  // as it was (a removable drive may come back); the list starts at the
  // program folder instead.
  for (int i = 0; i < groups_.size(); ++i) {
    const QString stored = config_.groups[i].folder.trimmed();
    const QString start = StartFolder(stored, config_.program_folder);
    MoveTo(groups_[i], start, VolumeRootOf(start));
    if (!stored.isEmpty() && start != stored) {
      groups_[i].label->setText(stored);
      if (opening_error_.isEmpty()) {
        opening_error_ =
            FileFailureMessage(FileAction::kOpenFolder, stored, CheckFolderListable(stored));
      }
    }
  }
  if (config_.keeps_on_top) SetStaysOnTop(this, true);
}

FolderOptionsDialog::Group FolderOptionsDialog::MakeGroup(int number, const QString& caption,
                                                          QLayout* layout) {
  const QString suffix = QString::number(number);
  auto* frame = new QGroupBox(caption, this);
  frame->setObjectName(QStringLiteral("Frame") + suffix);

  Group group;
  group.drives = new QComboBox(frame);
  group.drives->setObjectName(QStringLiteral("Drive") + suffix);
  for (const QString& root : VolumeRoots())
    group.drives->addItem(QDir::toNativeSeparators(root), root);

  group.model = new QFileSystemModel(frame);
  group.model->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
  group.tree = new QTreeView(frame);
  group.tree->setObjectName(QStringLiteral("Dir") + suffix);
  group.tree->setModel(group.model);
  group.tree->setHeaderHidden(true);
  for (int column = 1; column < group.model->columnCount(); ++column) {
    group.tree->hideColumn(column);
  }

  group.label = new QLabel(frame);
  group.label->setObjectName(QStringLiteral("Label") + suffix);
  group.label->setFrameShape(QFrame::Panel);
  group.label->setFrameShadow(QFrame::Sunken);
  group.label->setWordWrap(true);
  group.label->setTextInteractionFlags(Qt::TextSelectableByMouse);

  const int index = static_cast<int>(groups_.size());
  group.reveal = new FolderReveal(group.tree, group.model);
  connect(group.tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this, index](const QModelIndex& current) {
            if (!current.isValid()) return;
            const Group& chosen = groups_[index];
            chosen.label->setText(QDir::toNativeSeparators(chosen.model->filePath(current)));
          });
  connect(group.drives, &QComboBox::activated, this,
          [this, index] { ChooseDrive(groups_[index]); });

  auto* box = new QVBoxLayout(frame);
  box->addWidget(group.drives);
  box->addWidget(group.tree, 1);
  box->addWidget(group.label);
  layout->addWidget(frame);
  return group;
}

void FolderOptionsDialog::MoveTo(Group& group, const QString& folder, const QString& root) {
  int drive = group.drives->findData(root);
  if (drive < 0) {
    group.drives->addItem(QDir::toNativeSeparators(root), root);
    drive = group.drives->count() - 1;
  }
  group.drives->setCurrentIndex(drive);

  group.model->setRootPath(root);
  group.tree->setRootIndex(group.model->index(root));
  group.reveal->Start(folder);
  group.label->setText(QDir::toNativeSeparators(folder));
}

// A drive that cannot be read puts the drive list back where the folder
// list is; nothing is said.
void FolderOptionsDialog::ChooseDrive(Group& group) {
  const QString root = group.drives->currentData().toString();
  const QString shown_root = group.model->rootPath();
  if (root == shown_root) return;
  if (!CheckFolderListable(root).ok) {
    group.drives->setCurrentIndex(group.drives->findData(shown_root));
    return;
  }
  MoveTo(group, root, root);
}

void FolderOptionsDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (opened_) return;
  opened_ = true;
  // Reported once the dialog is on the screen, so the box has it as parent.
  if (config_.reports_errors && !opening_error_.isEmpty()) {
    QTimer::singleShot(0, this, &FolderOptionsDialog::ReportOpeningError);
  }
}

void FolderOptionsDialog::ReportOpeningError() { ShowError(opening_error_); }

void FolderOptionsDialog::ShowError(const QString& text) {
  TopMostPause pause(this);
  boxes_.Inform(this, text);
}

void FolderOptionsDialog::Confirm() {
  QStringList folders;
  for (const Group& group : groups_) folders.append(group.label->text().trimmed());
  if (config_.creates_data_subfolders && !folders.isEmpty()) {
    const FileOutcome made = CreateSubfolders(folders.first(), kDataSubfolders);
    if (!made.ok) {
      // The setting stays as it was: a folder without its subfolders would
      // only fail later, when the first log is saved.
      if (config_.reports_errors) {
        ShowError(FileFailureMessage(FileAction::kCreateFolder, folders.first(), made));
      }
      return;
    }
  }
  folders_ = folders;
  Q_EMIT FoldersChosen(folders_);
  accept();
}

}  // namespace tovek::ui
