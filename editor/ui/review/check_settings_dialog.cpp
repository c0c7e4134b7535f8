#include "editor/ui/review/check_settings_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/ui/message_boxes.h"

namespace tovek::ui {
namespace {

const QString kCaption = QStringLiteral("ログチェックの設定");

// The characters a limit box takes; backspace and the editing keys stay the
// box's own. A validator also keeps pasted text to them.
class LimitValidator final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    for (const QChar c : input) {
      if (!IsLimitCharacter(c)) return Invalid;
    }
    return Acceptable;
  }
};

QWidget* UpDown(const QString& name, QWidget* parent) {
  auto* pair = new QWidget(parent);
  pair->setObjectName(name);
  auto* layout = new QVBoxLayout(pair);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (const bool up : {true, false}) {
    auto* button = new QToolButton(pair);
    button->setObjectName(up ? QStringLiteral("cmdUp") : QStringLiteral("cmdDown"));
    button->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
    button->setFixedSize(18, 12);
    button->setAutoRepeat(true);
    layout->addWidget(button);
  }
  return pair;
}

}  // namespace

CheckSettingsDialog::CheckSettingsDialog(KavrelSettings& settings, MessageBoxes& boxes,
                                         const QDate& today, QWidget* parent)
    : QDialog(parent), settings_(settings), boxes_(boxes), today_(today) {
  setObjectName(QStringLiteral("frmChkSet"));
  setWindowTitle(kCaption);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* plans = new QHBoxLayout;
  plans->addWidget(BuildPlanFrame(BandPlan::kOverseas), 0, Qt::AlignTop);
  plans->addWidget(BuildPlanFrame(BandPlan::kDomestic), 0, Qt::AlignTop);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("O K"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  QPushButton* cancel = buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("cmdCancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &CheckSettingsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildDateFrame());
  layout->addLayout(plans);
  layout->addWidget(buttons);
}

QWidget* CheckSettingsDialog::BuildDateFrame() {
  auto* frame = new QGroupBox(QStringLiteral("コンテスト開始日"), this);
  frame->setObjectName(QStringLiteral("Frame1"));
  date_ = new QLabel(settings_.start_date, frame);
  date_->setObjectName(QStringLiteral("lblStartDate"));
  date_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  date_->setAlignment(Qt::AlignCenter);
  date_->setMinimumWidth(date_->fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00  ")));
  auto* row = new QHBoxLayout(frame);
  row->addWidget(date_);
  row->addWidget(new QLabel(QStringLiteral("年 月 日"), frame));
  const std::pair<DateUnit, const char*> units[] = {
      {DateUnit::kYear, "UpDown1"}, {DateUnit::kMonth, "UpDown2"}, {DateUnit::kDay, "UpDown3"}};
  for (const auto& [unit, name] : units) {
    QWidget* pair = UpDown(QString::fromLatin1(name), frame);
    connect(pair->findChild<QToolButton*>(QStringLiteral("cmdUp")), &QToolButton::clicked, this,
            [this, unit = unit] { StepDate(unit, 1); });
    connect(pair->findChild<QToolButton*>(QStringLiteral("cmdDown")), &QToolButton::clicked, this,
            [this, unit = unit] { StepDate(unit, -1); });
    row->addWidget(pair);
  }
  row->addStretch(1);
  return frame;
}

QWidget* CheckSettingsDialog::BuildPlanFrame(BandPlan plan) {
  const bool overseas = plan == BandPlan::kOverseas;
  auto* frame = new QGroupBox(
      overseas ? QStringLiteral("国外バンドプラン") : QStringLiteral("国内バンドプラン"), this);
  frame->setObjectName(overseas ? QStringLiteral("Frame2") : QStringLiteral("Frame3"));
  auto* grid = new QGridLayout(frame);
  grid->addWidget(new QLabel(QStringLiteral("下　限"), frame), 0, 1, Qt::AlignCenter);
  grid->addWidget(new QLabel(QStringLiteral("上　限"), frame), 0, 2, Qt::AlignCenter);
  const std::vector<LimitBox>& boxes = LimitBoxes();
  limit_boxes_.resize(boxes.size(), nullptr);
  int row = 0;
  for (size_t i = 0; i < boxes.size(); ++i) {
    const LimitBox& box = boxes[i];
    if (box.plan != plan) continue;
    if (box.edge == LimitEdge::kLower) {
      ++row;
      grid->addWidget(new QLabel(box.row, frame), row, 0);
    }
    auto* edit = new QLineEdit(QString::number(LimitOf(settings_.limits, box)), frame);
    edit->setObjectName(box.key);
    edit->setValidator(new LimitValidator(edit));
    edit->setAlignment(Qt::AlignRight);
    edit->setMaxLength(10);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000000000")));
    grid->addWidget(edit, row, box.edge == LimitEdge::kLower ? 1 : 2);
    limit_boxes_[i] = edit;
  }
  return frame;
}

void CheckSettingsDialog::StepDate(DateUnit unit, int steps) {
  date_->setText(StepStartDate(date_->text(), unit, steps, today_));
}

QString CheckSettingsDialog::ShownDate() const { return date_->text(); }

QLineEdit* CheckSettingsDialog::LimitEdit(const QString& key) const {
  for (QLineEdit* box : limit_boxes_) {
    if (box->objectName() == key) return box;
  }
  return nullptr;
}

void CheckSettingsDialog::accept() {
  std::vector<QString> texts;
  for (const QLineEdit* box : limit_boxes_) texts.push_back(box->text());
  const LimitsOutcome outcome = LimitsFromTexts(settings_.limits, texts);
  if (!outcome.Ok()) {
    boxes_.Inform(this, UnconvertibleLimitsMessage(outcome.unconvertible, texts), kCaption,
                  Icon::kExclamation);
    QLineEdit* first = limit_boxes_.at(static_cast<size_t>(outcome.unconvertible.front()));
    first->setFocus();
    first->selectAll();
    return;
  }
  settings_.start_date = date_->text();
  settings_.limits = outcome.plans;
  QDialog::accept();
}

}  // namespace tovek::ui
