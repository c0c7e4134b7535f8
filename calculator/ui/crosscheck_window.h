// The cross-check window (frmCrossCheck), caption "相互チェック": one row per
// log with its verdict counts and both scores, the entrants' reports, the
// reports written out and the checked results saved. The window owns the run
// it shows, so whatever it writes is that run's, even after a new log list.
#pragma once

#include <QDate>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <optional>

#include "calculator/crosscheck/crosscheck_run.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tovek::ui {

class MessageBoxes;

// Checks the logs at `paths` again, with the contest's first day or without
// one; nothing when the check was cancelled or another run is going on.
using CrossCheckRunner = std::function<std::optional<crosscheck::CrossCheckRun>(
    const QStringList& paths, std::optional<QDate> start)>;

class CrossCheckWindow final : public QMainWindow {
  Q_OBJECT

 public:
  // `results_folder`: where the checked results are saved ("Results").
  CrossCheckWindow(crosscheck::CrossCheckRun run, std::optional<QDate> start,
                   QString results_folder, MessageBoxes& boxes, CrossCheckRunner runner,
                   QWidget* parent = nullptr);

  const crosscheck::CrossCheckRun& Run() const { return run_; }
  std::optional<QDate> Start() const { return start_; }

  // The entrant's report of log `log` (in the run's order) in a window of
  // its own; returns that window.
  QWidget* ShowReport(int log);
  // Writes every report and the summary into `folder`; a failure is shown.
  bool WriteReportsTo(const QString& folder);
  // Saves the checked results as a results file at `path`; a failure is shown.
  bool SaveCheckedResults(const QString& path);
  // Checks the same logs again with the period as the window now sets it.
  void Recheck();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildGrid();
  void ShowRun();
  void ChooseReportFolder();
  void ChooseResultsFile();
  // While a file is written or the logs are checked again, the window's
  // commands are off (the progress window lets events through).
  void SetCommandsEnabled(bool enabled);
  void CloseReports();

  crosscheck::CrossCheckRun run_;
  std::optional<QDate> start_;
  QString results_folder_;
  MessageBoxes& boxes_;
  CrossCheckRunner runner_;
  QString report_folder_;
  bool working_ = false;
  bool placed_ = false;

  QLabel* summary_ = nullptr;
  QCheckBox* period_ = nullptr;
  QDateEdit* start_edit_ = nullptr;
  QPushButton* recheck_ = nullptr;
  QTableWidget* grid_ = nullptr;
  QPushButton* reports_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* close_ = nullptr;
  QList<QPointer<QWidget>> report_windows_;
};

}  // namespace tovek::ui
