#include "editor/ui/dialogs/column_dialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/ui/dialogs/typing.h"
#include "editor/ui/dialogs/up_down_spinner.h"

namespace tovek::ui {
namespace {

// Longer than a whole QSO line: anything longer is a paste gone wrong.
constexpr int kLongestText = 80;

QLabel* NumberLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setAlignment(Qt::AlignCenter);
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
  return label;
}

UpDownSpinner* Spinner(const char* name, SpinnerStart start, QWidget* parent) {
  auto* spinner = new UpDownSpinner(parent);
  spinner->setObjectName(QString::fromLatin1(name));
  spinner->SetRange(start.minimum, start.maximum);
  spinner->SetValue(start.value);
  return spinner;
}

}  // namespace

ColumnDialog::ColumnDialog(const Frame& frame, const QString& sample_row, SpinnerStart start,
                           QWidget* parent)
    : QDialog(parent), sample_(sample_row), preview_width_(frame.preview_width) {
  setObjectName(frame.object_name);
  setWindowTitle(frame.caption);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  start_ = Spinner("UpDown1", start, this);
  start_number_ = NumberLabel("lblStart", this);
  preview_ = new QLabel(this);
  preview_->setObjectName(QStringLiteral("lblPreview"));
  preview_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  preview_->setTextFormat(Qt::PlainText);
  // Fixed pitch, so that the columns of the preview are the columns counted.
  preview_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  preview_->setMinimumWidth(
      preview_->fontMetrics().horizontalAdvance(QString(preview_width_ + 2, u'M')));

  fields_ = new QGridLayout;
  fields_->addWidget(new QLabel(frame.start_caption, this), 0, 0);
  fields_->addWidget(start_, 0, 1);
  fields_->addWidget(start_number_, 0, 2);
  fields_->addWidget(preview_, 0, 3);
  fields_->setColumnStretch(3, 1);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  QPushButton* cancel = buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("cmdCancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields_);
  layout->addWidget(buttons);

  connect(start_, &UpDownSpinner::ValueChanged, this, &ColumnDialog::ShowStart);
  ShowStart(start_->Value());
  start_->setFocus();
}

int ColumnDialog::StartColumn() const { return start_->Value(); }

UpDownSpinner* ColumnDialog::AddLengthSpinner(const QString& caption, SpinnerStart start) {
  const int row = NextRow();
  auto* spinner = Spinner("UpDown2", start, this);
  QLabel* number = NumberLabel("lblLength", this);
  number->setNum(spinner->Value());
  connect(spinner, &UpDownSpinner::ValueChanged, number, qOverload<int>(&QLabel::setNum));
  fields_->addWidget(new QLabel(caption, this), row, 0);
  fields_->addWidget(spinner, row, 1);
  fields_->addWidget(number, row, 2, Qt::AlignLeft);
  FollowInTabOrder(row, spinner);
  return spinner;
}

QLineEdit* ColumnDialog::AddTextBox(const QString& caption, const QString& text) {
  const int row = NextRow();
  auto* box = new QLineEdit(text, this);
  box->setObjectName(QStringLiteral("Text1"));
  box->setMaxLength(kLongestText);
  box->selectAll();
  TypeInUpperCase(box);
  fields_->addWidget(new QLabel(caption, this), row, 0);
  fields_->addWidget(box, row, 1, 1, 3);
  FollowInTabOrder(row, box);
  // The text is what the user came to type.
  box->setFocus();
  return box;
}

void ColumnDialog::ShowStart(int column) {
  start_number_->setNum(column);
  preview_->setText(ColumnPreview(sample_, column, preview_width_));
}

int ColumnDialog::NextRow() const { return fields_->rowCount(); }

void ColumnDialog::FollowInTabOrder(int row, QWidget* field) {
  // Fields come after the buttons were made; Tab takes them from the top down.
  setTabOrder(fields_->itemAtPosition(row - 1, 1)->widget(), field);
}

}  // namespace tovek::ui
