#include "common/ui/progress_window.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "common/ui/window_order.h"

namespace tovek::ui {

BarSteps ScaleToBar(qint64 maximum, qint64 value) {
  if (maximum < 1) return {1, 0};
  value = std::clamp<qint64>(value, 0, maximum);
  constexpr qint64 kLimit = std::numeric_limits<int>::max();
  const qint64 divisor = (maximum + kLimit - 1) / kLimit;
  return {static_cast<int>(maximum / divisor), static_cast<int>(value / divisor)};
}

ProgressWindow::ProgressWindow(ProgressStyle style, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("frmBar"));
  setWindowTitle(QStringLiteral("CALCURATE"));

  auto* layout = new QVBoxLayout(this);
  if (style == ProgressStyle::kBarAndLabels) {
    labels_[0] = new QLabel(QStringLiteral("作業中"), this);
    labels_[0]->setObjectName(QStringLiteral("Label1"));
    labels_[0]->setFont(QFont(QStringLiteral("Times New Roman"), 12));
    labels_[0]->setAlignment(Qt::AlignCenter);
    labels_[1] = new QLabel(QStringLiteral("999 / 999"), this);
    labels_[1]->setObjectName(QStringLiteral("Label2"));
    labels_[1]->setAlignment(Qt::AlignCenter);
    layout->addWidget(labels_[0]);
    layout->addWidget(labels_[1]);
  }
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("ProgressBar1"));
  layout->addWidget(bar_);
  ShowBar();
  setMinimumWidth(360);
  if (style == ProgressStyle::kBarOnly) SetStaysOnTop(this, true);
}

void ProgressWindow::SetMaximum(qint64 maximum) {
  maximum_ = maximum;
  ShowBar();
}

void ProgressWindow::SetValue(qint64 value) {
  value_ = value;
  ShowBar();
}

void ProgressWindow::SetLabel(int label, const QString& text) {
  if (label < 0 || label > 1 || labels_[label] == nullptr) return;
  labels_[label]->setText(text);
}

void ProgressWindow::SetItemLabelAlignment(Qt::Alignment alignment) {
  if (labels_[0] != nullptr) labels_[0]->setAlignment(alignment);
}

void ProgressWindow::AddCancelButton() {
  if (cancel_ != nullptr) return;
  cancel_ = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  cancel_->setObjectName(QStringLiteral("Command1"));
  connect(cancel_, &QPushButton::clicked, this, [this] {
    cancel_->setEnabled(false);
    Q_EMIT CancelClicked();
  });
  layout()->addWidget(cancel_);
  layout()->setAlignment(cancel_, Qt::AlignHCenter);
}

void ProgressWindow::ShowBar() {
  const BarSteps steps = ScaleToBar(maximum_, value_);
  if (bar_->maximum() != steps.maximum) bar_->setRange(0, steps.maximum);
  bar_->setValue(steps.value);
}

}  // namespace tovek::ui
