#include "calculator/ui/get_list_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "common/ui/folder_paths.h"
#include "common/ui/message_boxes.h"
#include "common/ui/window_order.h"

namespace tovek::ui {
namespace {

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

QString TooManyLogsMessage(qsizetype count) {
  return FullWidthNumber(count) + QStringLiteral("件のファイルがあります。一度に集計できるのは") +
         FullWidthNumber(kMaxLogListCount) +
         QStringLiteral("件までです。\nフォルダーを分けてください。");
}

GetListDialog::GetListDialog(const QString& log_folder, const QString& default_folder,
                             MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), boxes_(boxes) {
  setObjectName(QStringLiteral("frmGetList"));
  setWindowTitle(QStringLiteral("ファイルリストの読込み"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  drives_ = new QComboBox(this);
  drives_->setObjectName(QStringLiteral("Drive1"));
  for (const QString& root : VolumeRoots()) drives_->addItem(QDir::toNativeSeparators(root), root);

  model_ = new QFileSystemModel(this);
  model_->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
  folders_ = new QTreeView(this);
  folders_->setObjectName(QStringLiteral("Dir1"));
  folders_->setModel(model_);
  folders_->setHeaderHidden(true);
  for (int column = 1; column < model_->columnCount(); ++column) folders_->hideColumn(column);

  files_ = new QListWidget(this);
  files_->setObjectName(QStringLiteral("File1"));
  folder_label_ = new QLabel(this);
  folder_label_->setObjectName(QStringLiteral("Label1"));
  folder_label_->setFrameShape(QFrame::Panel);
  folder_label_->setFrameShadow(QFrame::Sunken);
  folder_label_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("Command1"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  cancel->setObjectName(QStringLiteral("Command2"));

  reveal_ = new FolderReveal(folders_, model_);
  connect(folders_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) ShowFolder(model_->filePath(current));
          });
  connect(drives_, &QComboBox::activated, this, &GetListDialog::ChooseDrive);
  connect(ok, &QPushButton::clicked, this, &GetListDialog::Confirm);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* left = new QVBoxLayout;
  left->addWidget(drives_);
  left->addWidget(folders_, 1);
  auto* lists = new QHBoxLayout;
  lists->addLayout(left, 1);
  lists->addWidget(files_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(folder_label_);
  layout->addLayout(lists, 1);
  layout->addLayout(buttons);
  resize(560, 400);

  const QString stored = log_folder.trimmed();
  const QString start = StartFolder(stored, default_folder);
  MoveTo(start, VolumeRootOf(start));
  if (!stored.isEmpty() && start != stored) {
    opening_error_ =
        FileFailureMessage(FileAction::kOpenFolder, stored, CheckFolderListable(stored));
  }
  SetStaysOnTop(this, true);
}

QStringList GetListDialog::Names() const {
  QStringList names;
  for (int row = 0; row < files_->count(); ++row) names.append(files_->item(row)->text());
  return names;
}

void GetListDialog::MoveTo(const QString& folder, const QString& root) {
  int drive = drives_->findData(root);
  if (drive < 0) {
    drives_->addItem(QDir::toNativeSeparators(root), root);
    drive = drives_->count() - 1;
  }
  drives_->setCurrentIndex(drive);
  model_->setRootPath(root);
  folders_->setRootIndex(model_->index(root));
  reveal_->Start(folder);
  ShowFolder(folder);
}

// A drive that cannot be read puts the drive list back where the folder list
// is; nothing is said.
void GetListDialog::ChooseDrive() {
  const QString root = drives_->currentData().toString();
  if (root == model_->rootPath()) return;
  if (!CheckFolderListable(root).ok) {
    drives_->setCurrentIndex(drives_->findData(model_->rootPath()));
    return;
  }
  MoveTo(root, root);
}

void GetListDialog::ShowFolder(const QString& folder) {
  folder_ = folder;
  folder_label_->setText(QDir::toNativeSeparators(folder));
  files_->clear();
  files_->addItems(ListLogFiles(folder));
}

void GetListDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (opened_) return;
  opened_ = true;
  if (const QScreen* screen = this->screen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  // Reported once the dialog is on the screen, so that the box has it as parent.
  if (!opening_error_.isEmpty()) {
    QTimer::singleShot(0, this, &GetListDialog::ReportOpeningError);
  }
}

void GetListDialog::ReportOpeningError() {
  TopMostPause pause(this);
  boxes_.Inform(this, opening_error_);
}

void GetListDialog::Confirm() {
  const LogList list{folder_, Names()};
  // More logs than a run takes: nothing is taken, and the dialog stays open
  // for another folder.
  if (LogListTooLong(list.Count())) {
    TopMostPause pause(this);
    boxes_.Inform(this, TooManyLogsMessage(list.Count()));
    return;
  }
  Q_EMIT ListTaken(list);
  accept();
}

}  // namespace tovek::ui
