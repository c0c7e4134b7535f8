#include "editor/ui/dialogs/up_down_spinner.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

namespace tovek::ui {
namespace {

constexpr int kPageStep = 10;

QToolButton* ArrowButton(Qt::ArrowType arrow, const char* name, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  return button;
}

}  // namespace

UpDownSpinner::UpDownSpinner(QWidget* parent)
    : QWidget(parent),
      up_(ArrowButton(Qt::UpArrow, "up", this)),
      down_(ArrowButton(Qt::DownArrow, "down", this)) {
  setFocusPolicy(Qt::StrongFocus);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(up_);
  layout->addWidget(down_);
  connect(up_, &QToolButton::clicked, this, [this] { SetValue(value_ + 1); });
  connect(down_, &QToolButton::clicked, this, [this] { SetValue(value_ - 1); });
}

void UpDownSpinner::SetRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  SetValue(value_);
}

void UpDownSpinner::SetValue(int value) {
  value = std::clamp(value, minimum_, maximum_);
  up_->setEnabled(value < maximum_);
  down_->setEnabled(value > minimum_);
  if (value == value_) return;
  value_ = value;
  Q_EMIT ValueChanged(value_);
}

void UpDownSpinner::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
      SetValue(value_ + 1);
      break;
    case Qt::Key_Down:
      SetValue(value_ - 1);
      break;
    case Qt::Key_PageUp:
      SetValue(value_ + kPageStep);
      break;
    case Qt::Key_PageDown:
      SetValue(value_ - kPageStep);
      break;
    case Qt::Key_Home:
      SetValue(minimum_);
      break;
    case Qt::Key_End:
      SetValue(maximum_);
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
}

void UpDownSpinner::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y() / 120;
  if (steps != 0) SetValue(value_ + steps);
  event->accept();
}

}  // namespace tovek::ui
