// Tessdal's main window (frmMain), caption "TOVEK CALC": the summary panel,
// the results grid, the menus and their enable rules, and the calculation run.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <optional>

#include "calculator/area_table.h"
#include "calculator/calculation_run.h"
#include "calculator/crosscheck/crosscheck_run.h"
#include "calculator/log_list.h"
#include "calculator/result_table.h"
#include "calculator/tessdal_settings.h"
#include "common/prefix_table.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace tovek::ui {

class CrossCheckWindow;
class MessageBoxes;
class ResultsGrid;
class SummaryPanel;

// What the window needs from outside: where the program's files are and how
// it shows message boxes.
struct TessdalEnvironment {
  QString program_folder;
  MessageBoxes* messages = nullptr;
};

class TessdalMainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  explicit TessdalMainWindow(TessdalEnvironment environment, QWidget* parent = nullptr);
  ~TessdalMainWindow() override;

  // Start-up: the "Results" and "Awards" folders, the grid, the settings,
  // the area file and the prefix table, then the menu rules.
  void Start();

  // Scores every log of the log list into the grid and the tables.
  void RunCalculation();
  // Checks the logs of the log list against each other and shows the
  // outcome in a cross-check window (replacing an earlier one); a cancelled
  // check shows nothing.
  void RunCrossCheck();
  // The check behind it, also the cross-check window's "check again": nothing
  // while another run is going on or when the check was cancelled.
  std::optional<crosscheck::CrossCheckRun> CrossCheckLogs(const QStringList& paths,
                                                          std::optional<QDate> start);
  CrossCheckWindow* CrossCheckView() const;
  // Takes a log list as the log list dialog's OK does.
  void TakeLogList(const LogList& list);

  void mnuOn();
  void mnuOff();
  void RltCls();
  void RltGridToMem();
  void Grid1_Click(int row);

  // The results file and the output, in tessdal_main_window_results.cpp:
  // the four File-menu commands with their questions and the results-file
  // dialog, the reading and writing behind them, and the ranking and award
  // files. ResultSave and ResultRead report a failure in a message box and
  // return false.
  void OpenResultsCommand();
  void SaveResultsCommand();
  void SaveResultsAsCommand();
  void CloseResultsCommand();
  bool ResultSave(const QString& log_name);
  bool ResultRead(const QString& log_name);
  void WriteRankingFiles();
  // File menu "Web公開": asks for a folder, then PublishTo.
  void PublishCommand();
  // Writes the shown results as the web site and the award certificates
  // into `folder`, with the logs of the run the results came from; asks
  // first when the folder is not empty. False when nothing was written (a
  // No) or a file could not be (said in a message box).
  bool PublishTo(const QString& folder);
  int DialogMode() const { return dialog_mode_; }
  QString CurrentResultName() const { return current_result_name_; }

  const LogList& GetLogList() const { return log_list_; }
  const ResultTable& Results() const { return result_table_; }
  const RankingTables& Rankings() const { return rankings_; }
  int RowCount() const { return row_count_; }
  bool Busy() const { return busy_flag_ != 0; }
  const AreaTable& Areas() const { return areas_; }
  const PrefixTable& Prefixes() const { return prefixes_; }
  const TessdalSettings& Settings() const { return settings_; }
  QString StatusText() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  class RunProgress;

  void BuildMenus();
  void BuildStatusBar();
  QAction* AddItem(QMenu* menu, const char* name, const QString& caption);

  void MakeFolders();
  void LoadSettings();
  void ApplySettings();
  bool SaveSettings();
  void LoadAreas();
  void LoadPrefixes();

  void ShowGetList();
  void ShowAbout();
  void SetStatusText(const QString& text);
  void RefreshClock();

  // The run's steps for one log.
  void LogRead(qsizetype index, qsizetype count, const QString& path, const tovek::LogRead& log);
  void RltAddGrid(const ResultRow& row, const LogScore& score);

  // The rules (CrossCheck.ini, written with its defaults when missing) and
  // the known calls (MASTER.SCP) of a cross-check; what cannot be read is
  // said, and the check goes on without it.
  crosscheck::CheckRules LoadCheckRules();
  crosscheck::KnownCalls LoadKnownCalls();
  // The calculation run and the cross-check, which only one at a time.
  void SetRunCommandsEnabled(bool enabled);

  void ShowResultDialog(const QString& caption, std::int16_t mode, bool preset_name);
  void ActOnResultDialog(const QString& file_name);
  QString ResultsFolder() const;
  QString ResultPath(const QString& file_name) const;
  bool SaveUnder(const QString& file_name);
  // While a file operation lets events through, the commands that would
  // change the results under it are off.
  void BeginFileWork();
  void EndFileWork();

  TessdalEnvironment environment_;
  MessageBoxes& messages_;
  TessdalSettings settings_;
  PrefixTable prefixes_;
  AreaTable areas_;
  LogList log_list_;
  ResultTable result_table_;
  RankingTables rankings_;
  int row_count_ = 0;
  std::int16_t busy_flag_ = 0;
  QString current_result_name_;
  std::int16_t dialog_mode_ = 0;
  bool close_pending_ = false;

  SummaryPanel* panel_ = nullptr;
  ResultsGrid* grid_ = nullptr;
  QMenu* file_menu_ = nullptr;
  QMenu* calc_menu_ = nullptr;
  QMenu* help_menu_ = nullptr;
  QAction* calc_start_ = nullptr;
  QAction* cross_check_ = nullptr;
  QAction* close_action_ = nullptr;
  QAction* save_action_ = nullptr;
  QAction* save_as_action_ = nullptr;
  QAction* output_action_ = nullptr;
  QAction* publish_action_ = nullptr;
  // The logs of the run that filled the grid (none for a results file
  // opened), and the folder last published into.
  QStringList run_logs_;
  QString publish_folder_;
  std::array<QLabel*, 3> status_panels_{};
  QTimer* clock_ = nullptr;
  QPointer<QWidget> get_list_dialog_;
  QPointer<CrossCheckWindow> cross_check_window_;
};

}  // namespace tovek::ui
