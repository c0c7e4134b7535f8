// The results-file dialog (frmResult): the ".rlt" files of the "Results"
// folder, a name box, OK and ｷｬﾝｾﾙ. The caller sets the caption and acts on
// the name once the dialog has been accepted.
#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace tovek::ui {

class MessageBoxes;

class ResultFileDialog final : public QDialog {
  Q_OBJECT

 public:
  // Lists the results files of `folder`; the name box starts with `name`.
  ResultFileDialog(const QString& caption, const QString& folder, const QString& name,
                   MessageBoxes& boxes, QWidget* parent = nullptr);

  // After OK: the file name to act on, always ending in ".rlt".
  QString FileName() const { return file_name_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Confirm();

  MessageBoxes& boxes_;
  QListWidget* files_ = nullptr;
  QLineEdit* name_ = nullptr;
  QString file_name_;
  bool placed_ = false;
};

}  // namespace tovek::ui
