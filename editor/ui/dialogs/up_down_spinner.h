// A pair of up and down arrows over a bounded number, with no text box of
// its own: the dialogs show the number in a label beside it.
#pragma once

#include <QWidget>

class QToolButton;

namespace tovek::ui {

class UpDownSpinner final : public QWidget {
  Q_OBJECT

 public:
  explicit UpDownSpinner(QWidget* parent = nullptr);

  void SetRange(int minimum, int maximum);
  // Brought into the range.
  void SetValue(int value);
  int Value() const { return value_; }
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }

  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 Q_SIGNALS:
  void ValueChanged(int value);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
  int minimum_ = 0;
  int maximum_ = 0;
  int value_ = 0;
};

}  // namespace tovek::ui
