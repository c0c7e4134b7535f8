// frmCabReadSet, "Cabrilloファイル読込と設定": the log's header read into an
// editable summary, the nine fields of a QSO row placed on its first QSO row,
// and "読　込", which cuts every QSO row into a record.
#pragma once

#include <QWidget>
#include <array>

#include "common/prefix_table.h"
#include "editor/cabrillo_reader.h"
#include "editor/kavrel_settings.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tovek::ui {

class MessageBoxes;
class SampleGrid;

// Controls, by objectName: the summary boxes "txtCallSign", "txtContest",
// "cboCategory", "txtClaimedScore", "txtOperators", "txtClub", "txtName",
// "txtCreatedBy", "txtAddress", "txtSoapbox", "cboContinent", "cboEntity",
// "txtHeaderText"; "Grid1" the sample row; for each field i (0 to 8, in
// FieldLayout order) "lblPreview<i>", "lblStart<i>", "lblWidth<i>",
// "cmdLeft<i>", "cmdRight<i>", and for 3, 5, 6, 8 "cmdUp<i>", "cmdDown<i>";
// "cmdRead" ("読　込"), "cmdCancel" ("ｷｬﾝｾﾙ"); the menu command
// "mDataPosSet".
class LayoutReaderWindow final : public QWidget {
  Q_OBJECT

 public:
  // Runs CabTempRead over `rows` at once. `settings` gives the basic layout,
  // the font and the window's place, and receives the place on closing and
  // the layout from mDataPosSet. `main_window` is hidden while mDataPosSet
  // asks its question. Everything given must outlive the window.
  LayoutReaderWindow(const LogLines& rows, KavrelSettings& settings, const PrefixTable& prefixes,
                     const EntityList& entities, MessageBoxes& boxes,
                     QWidget* main_window = nullptr);

  const FieldLayout& Layout() const { return layout_; }
  // The summary as the boxes hold it.
  LogSummary Summary() const;
  QString Preview(int field) const;
  SampleGrid* Grid() const { return grid_; }

  // "読　込".
  void CabRead();
  // "基本データ位置、長さの設定".
  void mDataPosSet();

 Q_SIGNALS:
  // A complete reading: the window closes after this.
  void ReadingDone(const LogSummary& summary, const QsoList& records);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QWidget* BuildSummaryFrame(const QFont& font, const EntityList& entities);
  QWidget* BuildFieldRows(const QFont& font);
  void ShowSummary(const LogSummary& summary);
  void MoveField(int field, int delta);
  void WidenField(int field, int delta);
  void Refresh();

  const LogLines& rows_;  // the open log, as it is when "読　込" is pressed
  KavrelSettings& settings_;
  MessageBoxes& boxes_;
  QWidget* main_window_;
  FieldLayout layout_;
  QString sample_row_;
  QString header_text_value_;

  SampleGrid* grid_ = nullptr;
  QLineEdit* call_sign_ = nullptr;
  QLineEdit* contest_box_ = nullptr;
  QComboBox* category_ = nullptr;
  QLineEdit* claimed_score_ = nullptr;
  QLineEdit* operators_ = nullptr;
  QLineEdit* club_ = nullptr;
  QLineEdit* name_ = nullptr;
  QLineEdit* created_by_ = nullptr;
  QLineEdit* address_ = nullptr;
  QLineEdit* soapbox_ = nullptr;
  QComboBox* continent_ = nullptr;
  QComboBox* entity_ = nullptr;
  QPlainTextEdit* header_text_ = nullptr;
  std::array<QLabel*, kLayoutFieldCount> previews_{};
  std::array<QLabel*, kLayoutFieldCount> starts_{};
  std::array<QLabel*, kLayoutFieldCount> widths_{};
};

}  // namespace tovek::ui
