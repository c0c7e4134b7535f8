// frmDataCheck, "データチェック": places the four fields the data check reads
// on the log's first QSO row; "チェック開始" closes it and asks for the check.
#pragma once

#include <QWidget>
#include <array>

#include "editor/data_check.h"
#include "editor/kavrel_settings.h"

class QLabel;
class QPushButton;

namespace tovek::ui {

class SampleGrid;

// Controls, by objectName: "Grid1" the sample row, for each field i (0
// frequency, 1 mode, 2 date and time, 3 received report) "lblField<i>"
// (caption), "lblStart<i>" (start column), "lblPreview<i>", "cmdLeft<i>",
// "cmdRight<i>"; "cmdCheckStart" ("チェック開始"), "cmdCancel" ("キャンセル").
class DataCheckWindow final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kFields = 4;

  // Takes the columns from the basic layout of `settings` and the sample
  // row from `rows`; `main_window` places it: centred over it, 1250 twips
  // below its top.
  DataCheckWindow(const LogLines& rows, const KavrelSettings& settings,
                  QWidget* main_window = nullptr);

  const CheckColumns& Columns() const { return columns_; }
  QString Preview(int field) const;
  SampleGrid* Grid() const { return grid_; }

 Q_SIGNALS:
  // "チェック開始": the window has closed; run the check with these columns.
  void CheckRequested(const CheckColumns& columns);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void MoveField(int field, int delta);
  void Refresh();
  int& StartOf(int field);
  void StartCheck();

  CheckColumns columns_;
  int report_width_;
  QString sample_row_;
  SampleGrid* grid_ = nullptr;
  std::array<QLabel*, kFields> previews_{};
  std::array<QLabel*, kFields> starts_{};
};

}  // namespace tovek::ui
