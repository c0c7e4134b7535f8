// frmKavrel, "Kavrel": the summary and the QSO records of one reading, and
// "保　存", which writes the Cabrillo 2.0 file and the error report.
#pragma once

#include <QMainWindow>
#include <array>

#include "editor/cabrillo_reader.h"
#include "editor/cabrillo_writer.h"
#include "editor/kavrel_settings.h"
#include "editor/log_folders.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace tovek::ui {

class MessageBoxes;

// What the summary view writes with and clears: the host's values, which
// must outlive the window.
struct SummaryHost {
  KavrelSettings* settings = nullptr;   // placement, grid widths, font
  const LogFolders* folders = nullptr;  // EditLog, OldLog, ErrRpt
  // The open log's path: the summary keeps the path it was opened with as
  // the file it saves and moves, and clears this one after the save while
  // it still names that file.
  QString* current_log_path = nullptr;
  const ErrorReportList* error_report = nullptr;
  MessageBoxes* boxes = nullptr;
};

// Controls, by objectName: "Grid1" the QSO grid, "cmdSave" ("保　存"), the
// value labels "lblCallSign", "lblCategory", "lblClaimedScore",
// "lblContinent", "lblEntity", "lblOperators", "lblClub", "lblCreatedBy",
// "lblName", "lblAddress", "lblSoapbox"; "StatusPanel1" to "StatusPanel3".
class SummaryWindow final : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kColumns = 11;

  explicit SummaryWindow(SummaryHost host, QWidget* parent = nullptr);

  // What the field layout reader hands over after a reading.
  void SetSummary(const LogSummary& summary);
  void SetStatusPath(const QString& path);
  void SetRecords(QsoList records);
  // Fills the grid from the records: one row per record, or one empty row.
  void FrmLogLoad();
  // Empties the grid, the records, the current log path, the panel and the
  // status texts.
  void LogCls();
  // "保　存".
  void Save();

  const QsoList& Records() const { return records_; }
  const LogSummary& Summary() const { return summary_; }
  QTableWidget* Grid() const { return grid_; }
  QString StatusPanelText(int panel) const;

  // The cell texts of a record's grid row.
  static QStringList CellTexts(const QsoRecord& record);

 Q_SIGNALS:
  // The Cabrillo file is written and this window cleared and closed: the
  // host clears its log (DataCls) and gives "開 く" the focus.
  void LogSaved();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* BuildPanel();
  void FrmSet();
  void ShowSaveOutcome(const DataSaveOutcome& saved);
  void ShowReportOutcome(const ErrSaveOutcome& saved);

  SummaryHost host_;
  // The log this summary was read from: the file "保　存" moves to OldLog.
  QString log_path_;
  LogSummary summary_;
  QsoList records_;
  QWidget* panel_ = nullptr;
  QTableWidget* grid_ = nullptr;
  QPushButton* save_ = nullptr;
  std::array<QLabel*, 11> values_{};
  std::array<QLabel*, 3> status_{};
};

}  // namespace tovek::ui
