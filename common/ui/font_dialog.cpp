#include "common/ui/font_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "common/legacy_numbers.h"
#include "common/ui/data_font.h"
#include "common/ui/font_filter.h"

namespace tovek::ui {
namespace {

// A stored face that is not installed is drawn in its installed stand-in:
// the toolkit's own substitute may be any face, even a symbol face.
QFont MakeFont(const FontChoice& choice) {
  QFont font(InstalledDataFontFamily(choice.name));
  if (choice.size > 0) font.setPointSize(choice.size);
  font.setBold(choice.bold);
  font.setItalic(choice.italic);
  return font;
}

}  // namespace

FontDialog::FontDialog(FontDialogVariant variant, const FontChoice& current, QWidget* parent,
                       const QStringList& families)
    : QDialog(parent), variant_(variant) {
  setObjectName(QStringLiteral("frmFont"));
  setWindowTitle(QStringLiteral("データ欄フォントの設定"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  const bool full = variant == FontDialogVariant::kNameSizeStyle;

  auto* frame = new QGroupBox(QStringLiteral("FONT SETTING"), this);
  frame->setObjectName(QStringLiteral("Frame1"));

  names_ = new QListWidget(frame);
  names_->setObjectName(QStringLiteral("List1"));
  names_->addItems(families.isEmpty() ? ScreenFixedPitchFamilies() : families);

  name_label_ = new QLabel(current.name, frame);
  name_label_->setObjectName(QStringLiteral("Label1"));
  sample_ = new QLabel(QStringLiteral("1234567890ABCDEFGHIJ"), frame);
  sample_->setObjectName(QStringLiteral("Label2"));
  for (QLabel* label : {name_label_, sample_}) {
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumHeight(48);
  }

  auto* grid = new QGridLayout(frame);
  grid->addWidget(names_, 0, 0, full ? 4 : 3, 1);
  grid->addWidget(name_label_, 0, 1, 1, 2);
  grid->addWidget(sample_, 1, 1, 1, 2);
  if (full) {
    auto* size_caption = new QLabel(QStringLiteral("Font Size"), frame);
    size_caption->setObjectName(QStringLiteral("Label3"));
    size_ = new QSpinBox(frame);
    size_->setObjectName(QStringLiteral("UpDown1"));
    size_->setRange(kMinimumSize, kMaximumSize);
    size_->setValue(current.size);
    bold_ = new QCheckBox(QStringLiteral("FontBold"), frame);
    bold_->setObjectName(QStringLiteral("Check1"));
    bold_->setChecked(current.bold);
    italic_ = new QCheckBox(QStringLiteral("Font Italic"), frame);
    italic_->setObjectName(QStringLiteral("Check2"));
    italic_->setChecked(current.italic);
    grid->addWidget(size_caption, 2, 1);
    grid->addWidget(size_, 2, 2);
    auto* styles = new QHBoxLayout;
    styles->addWidget(bold_);
    styles->addWidget(italic_);
    styles->addStretch();
    grid->addLayout(styles, 3, 1, 1, 2);
    connect(size_, &QSpinBox::valueChanged, this, &FontDialog::ApplyToLabels);
    connect(bold_, &QCheckBox::toggled, this, &FontDialog::ApplyToLabels);
    connect(italic_, &QCheckBox::toggled, this, &FontDialog::ApplyToLabels);
  }
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(full ? 4 : 2, 1);

  // The list shows itself in the font in use, as the labels do.
  names_->setFont(MakeFont(full ? current : FontChoice{current.name}));
  connect(names_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { ChooseName(item->text()); });
  connect(names_, &QListWidget::currentTextChanged, this, &FontDialog::ChooseName);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("Command1"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  cancel->setObjectName(QStringLiteral("Command2"));
  connect(ok, &QPushButton::clicked, this, &FontDialog::Confirm);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame, 1);
  layout->addLayout(buttons);
  resize(520, 320);

  // A stored face that is not listed marks the stand-in it is drawn in. A
  // list without a current row would make its first face current, and the
  // chosen one, as soon as it takes the focus.
  QList<QListWidgetItem*> found = names_->findItems(current.name, Qt::MatchExactly);
  if (found.isEmpty()) found = names_->findItems(InstalledDataFontFamily(current.name), Qt::MatchExactly);
  if (!found.isEmpty()) {
    const QSignalBlocker quiet(names_);
    names_->setCurrentItem(found.first());
  }
  ApplyToLabels();
}

void FontDialog::ChooseName(const QString& name) {
  if (name.isEmpty()) return;
  name_label_->setText(name);
  ApplyToLabels();
}

void FontDialog::ApplyToLabels() {
  FontChoice shown{name_label_->text()};
  if (size_ != nullptr) {
    shown.size = size_->value();
    shown.bold = bold_->isChecked();
    shown.italic = italic_->isChecked();
  }
  const QFont font = MakeFont(shown);
  name_label_->setFont(font);
  sample_->setFont(font);
}

void FontDialog::Confirm() {
  if (variant_ == FontDialogVariant::kNameSizeStyle) {
    // What the sample shows is what the log list gets.
    // The name stays the one shown: a stored face drawn by its stand-in is
    // kept as it was chosen.
    const QFont font = sample_->font();
    choice_ = FontChoice{name_label_->text(), static_cast<int>(RoundHalfEven(font.pointSizeF())),
                         font.bold(), font.italic()};
  } else {
    choice_ = FontChoice{name_label_->text()};
  }
  accept();
}

}  // namespace tovek::ui
