// The progress window (frmBar), caption "CALCURATE": a bar, and in the score
// calculator two labels for the current item and the position in a list.
// It is made afresh for every operation, so the labels start from their
// initial texts; WindowProgress opens, drives and closes it.
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tovek::ui {

enum class ProgressStyle {
  kBarOnly,       // the editor: keeps itself above the other windows
  kBarAndLabels,  // the calculator: not on top
};

// The bar works in int; a maximum beyond that (a file of several gigabytes)
// is scaled down. Values are clamped to 0..maximum; a maximum below 1 shows
// an empty bar rather than a busy indicator.
struct BarSteps {
  int maximum;
  int value;
  friend bool operator==(const BarSteps&, const BarSteps&) = default;
};
BarSteps ScaleToBar(qint64 maximum, qint64 value);

class ProgressWindow final : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressWindow(ProgressStyle style, QWidget* parent = nullptr);

  void SetMaximum(qint64 maximum);
  void SetValue(qint64 value);
  // Label 0 shows the current item, label 1 the position in a list. The
  // bar-only window has no labels and ignores this.
  void SetLabel(int label, const QString& text);
  // The calculator shows the item label left-aligned while it runs.
  void SetItemLabelAlignment(Qt::Alignment alignment);
  // Puts a cancel button ("ｷｬﾝｾﾙ", Command1) under the bar, for an operation
  // that can stop halfway; the window has none until then. Pressing it emits
  // CancelClicked and disables the button: the operation stops at its next
  // step, not at once.
  void AddCancelButton();

 Q_SIGNALS:
  void CancelClicked();

 private:
  void ShowBar();

  QProgressBar* bar_;
  QLabel* labels_[2] = {nullptr, nullptr};
  QPushButton* cancel_ = nullptr;
  qint64 maximum_ = 0;
  qint64 value_ = 0;
};

}  // namespace tovek::ui
