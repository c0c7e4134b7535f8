// The frame the column dialogs share: a sample row (the log's first QSO
// row), a start column spinner bounded by the sample's length with its
// number beside it, and a preview of the sample from that column on.
#pragma once

#include <QDialog>
#include <QString>

#include "editor/column_edits.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tovek::ui {

class UpDownSpinner;

// Controls, by objectName: "UpDown1" the start column spinner, "lblStart"
// its number, "lblPreview" the preview; "UpDown2" and "lblLength" the length
// spinner and its number; "Text1" the text box; "cmdOK", "cmdCancel".
class ColumnDialog : public QDialog {
  Q_OBJECT

 public:
  int StartColumn() const;
  UpDownSpinner* StartSpinner() const { return start_; }

 protected:
  struct Frame {
    QString object_name;
    QString caption;
    QString start_caption;
    int preview_width = 14;
  };
  ColumnDialog(const Frame& frame, const QString& sample_row, SpinnerStart start, QWidget* parent);

  // A second spinner, for a length or a width, with its number beside it.
  UpDownSpinner* AddLengthSpinner(const QString& caption, SpinnerStart start);
  // A text box whose typed letters a to z become upper case.
  QLineEdit* AddTextBox(const QString& caption, const QString& text);

 private:
  void ShowStart(int column);
  int NextRow() const;
  // Puts the field of `row` right after the field above it in the Tab order.
  void FollowInTabOrder(int row, QWidget* field);

  QString sample_;
  int preview_width_;
  QGridLayout* fields_;
  UpDownSpinner* start_;
  QLabel* start_number_;
  QLabel* preview_;
};

}  // namespace tovek::ui
