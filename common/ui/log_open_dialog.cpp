#include "common/ui/log_open_dialog.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/folder_paths.h"
#include "common/ui/window_order.h"

namespace tovek::ui {

LogOpenConfig KavrelLogOpenConfig() {
  return {{QStringLiteral("*.cbr"), QStringLiteral("*.txt"), QStringLiteral("*.log")},
          true,
          ReadOrder::kCloseThenRead,
          std::nullopt};
}

LogOpenConfig MorrickLogOpenConfig(const QFont& font) {
  return {
      {QStringLiteral("*.adi"), QStringLiteral("*.txt")}, false, ReadOrder::kReadThenClose, font};
}

LogOpenDialog::LogOpenDialog(LogOpenConfig config, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), config_(std::move(config)), boxes_(boxes) {
  setObjectName(QStringLiteral("frmLogOpen"));
  setWindowTitle(QStringLiteral("データフォルダー"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  files_ = new QListWidget(this);
  files_->setObjectName(QStringLiteral("File1"));
  name_ = new QLineEdit(this);
  name_->setObjectName(QStringLiteral("Text1"));
  if (config_.font) {
    files_->setFont(*config_.font);
    name_->setFont(*config_.font);
  }

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("Command1"));
  ok_->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  cancel->setObjectName(QStringLiteral("Command2"));

  // A click, or moving through the list with the keys, copies the name.
  connect(files_, &QListWidget::currentTextChanged, name_, &QLineEdit::setText);
  connect(files_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { name_->setText(item->text()); });
  connect(files_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    name_->setText(item->text());
    Confirm();
  });
  connect(ok_, &QPushButton::clicked, this, &LogOpenDialog::Confirm);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(files_, 1);
  layout->addWidget(name_);
  layout->addLayout(buttons);
  resize(340, 360);

  if (config_.keeps_on_top) SetStaysOnTop(this, true);
}

FileOutcome LogOpenDialog::SetFolder(const QString& folder) {
  folder_ = folder;
  files_->clear();
  name_->clear();
  const FileOutcome listable = CheckFolderListable(folder);
  if (listable.ok) files_->addItems(MatchingFileNames(folder, config_.name_filters));
  first_name_pending_ = true;
  if (isVisible()) TakeFirstName();
  return listable;
}

bool LogOpenDialog::event(QEvent* event) {
  // Shown is enough: a window manager that keeps new windows from taking the
  // focus would otherwise leave the name box empty.
  const bool arriving = event->type() == QEvent::WindowActivate || event->type() == QEvent::Show;
  if (arriving && first_name_pending_) TakeFirstName();
  return QDialog::event(event);
}

// Only the first arrival after listing a folder proposes the first name:
// coming back to the dialog from the main window must not throw away a name
// the user picked meanwhile.
void LogOpenDialog::TakeFirstName() {
  first_name_pending_ = false;
  name_->setText(files_->count() > 0 ? files_->item(0)->text() : QString());
  ok_->setFocus();
}

void LogOpenDialog::Confirm() {
  const QString name = name_->text().trimmed();
  if (name.isEmpty()) {
    TopMostPause pause(this);
    boxes_.Inform(this, QStringLiteral("ファイルを選択して下さい"));
    return;
  }
  chosen_path_ = JoinFolderPath(folder_, name);
  if (config_.order == ReadOrder::kCloseThenRead) {
    accept();
    Q_EMIT FileChosen(chosen_path_);
  } else {
    Q_EMIT FileChosen(chosen_path_);
    accept();
  }
}

}  // namespace tovek::ui
