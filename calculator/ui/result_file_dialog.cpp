#include "calculator/ui/result_file_dialog.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "calculator/results_file.h"
#include "common/ui/folder_paths.h"
#include "common/ui/message_boxes.h"
#include "common/ui/window_order.h"

namespace tovek::ui {

ResultFileDialog::ResultFileDialog(const QString& caption, const QString& folder,
                                   const QString& name, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), boxes_(boxes) {
  setObjectName(QStringLiteral("frmResult"));
  setWindowTitle(caption);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  files_ = new QListWidget(this);
  files_->setObjectName(QStringLiteral("File1"));
  files_->addItems(MatchingFileNames(folder, {QStringLiteral("*.") + kResultFileExtension}));
  name_ = new QLineEdit(name, this);
  name_->setObjectName(QStringLiteral("Text1"));
  auto* folder_label = new QLabel(QDir::toNativeSeparators(folder), this);
  folder_label->setObjectName(QStringLiteral("Label1"));
  folder_label->setFrameShape(QFrame::Panel);
  folder_label->setFrameShadow(QFrame::Sunken);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("Command1"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  cancel->setObjectName(QStringLiteral("Command2"));

  connect(files_, &QListWidget::itemClicked, this,
          [this](const QListWidgetItem* item) { name_->setText(item->text()); });
  connect(files_, &QListWidget::itemDoubleClicked, this, [this](const QListWidgetItem* item) {
    name_->setText(item->text());
    Confirm();
  });
  connect(ok, &QPushButton::clicked, this, &ResultFileDialog::Confirm);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(folder_label);
  layout->addWidget(files_, 1);
  layout->addWidget(name_);
  layout->addLayout(buttons);
  resize(360, 320);
  SetStaysOnTop(this, true);
}

void ResultFileDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (placed_) return;
  placed_ = true;
  if (const QWidget* main = parentWidget()) {
    move(main->frameGeometry().center() - rect().center());
  }
  name_->setFocus();  // ready to type a name
}

void ResultFileDialog::Confirm() {
  const QString file_name = ResultFileName(name_->text());
  if (file_name.isEmpty()) {
    TopMostPause pause(this);
    boxes_.Inform(this, QStringLiteral("ファイル名を入力して下さい"));
    return;
  }
  file_name_ = file_name;
  accept();
}

}  // namespace tovek::ui
