#include "calculator/ui/tessdal_main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "calculator/crosscheck/check_rules_file.h"
#include "calculator/ui/crosscheck_window.h"
#include "calculator/ui/get_list_dialog.h"
#include "calculator/ui/results_grid.h"
#include "calculator/ui/summary_panel.h"
#include "calculator/ui/tessdal_messages.h"
#include "common/ui/about_dialog.h"
#include "common/ui/folder_paths.h"
#include "common/ui/message_boxes.h"
#include "common/ui/program_info.h"
#include "common/ui/twips.h"
#include "common/ui/window_progress.h"

namespace tovek::ui {
namespace {

constexpr int kDatePanel = 0;
constexpr int kTimePanel = 1;
constexpr int kStatusPanel = 2;

const QStringList kOutputFolders = {QStringLiteral("Results"), QStringLiteral("Awards")};

// The check reports its stages by their bar; the second label says how far
// the stage is, as the calculation run says which log it is at.
class CheckProgress final : public Progress {
 public:
  explicit CheckProgress(Progress& window) : window_(window) {}
  void SetMaximum(qint64 maximum) override {
    maximum_ = maximum;
    window_.SetMaximum(maximum);
  }
  void SetValue(qint64 value) override {
    window_.SetValue(value);
    if (window_.LabelsWanted()) window_.SetLabel(1, RunPositionText(value, maximum_));
  }
  void SetLabel(int label, const QString& text) override { window_.SetLabel(label, text); }
  bool LabelsWanted() override { return window_.LabelsWanted(); }
  void Yield() override { window_.Yield(); }

 private:
  Progress& window_;
  qint64 maximum_ = 0;
};

}  // namespace

// Hands the run's steps to the window; the window's close box asks the run
// to stop before the next log.
class TessdalMainWindow::RunProgress final : public RunObserver {
 public:
  RunProgress(TessdalMainWindow& window, Progress& progress)
      : window_(window), progress_(progress) {}

  void LogRead(qsizetype index, qsizetype count, const QString& path,
               const tovek::LogRead& log) override {
    window_.LogRead(index, count, path, log);
    progress_.SetLabel(1, RunPositionText(index + 1, count));
    window_.SetStatusText(RunStatusText(index + 1, count, path));
  }
  void RowAdded(const ResultRow& row, const LogScore& score) override {
    window_.RltAddGrid(row, score);
  }
  bool StopRequested() override { return window_.close_pending_; }

 private:
  TessdalMainWindow& window_;
  Progress& progress_;
};

TessdalMainWindow::TessdalMainWindow(TessdalEnvironment environment, QWidget* parent)
    : QMainWindow(parent), environment_(std::move(environment)), messages_(*environment_.messages) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("TOVEK CALC"));

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  panel_ = new SummaryPanel(central);
  grid_ = new ResultsGrid(central);
  layout->addWidget(panel_);
  layout->addWidget(grid_, 1);
  setCentralWidget(central);
  connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int) { Grid1_Click(row); });

  BuildMenus();
  BuildStatusBar();
  resize(1100, 760);
}

TessdalMainWindow::~TessdalMainWindow() = default;

QAction* TessdalMainWindow::AddItem(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

void TessdalMainWindow::BuildMenus() {
  file_menu_ = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  file_menu_->setObjectName(QStringLiteral("mnuFile"));
  QAction* get_list =
      AddItem(file_menu_, "mnuGetList", QStringLiteral("ログファイルリストの取得(&G)"));
  file_menu_->addSeparator();
  QAction* open = AddItem(file_menu_, "mnuOpen", QStringLiteral("集計データを開く(&O)"));
  file_menu_->addSeparator();
  save_action_ = AddItem(file_menu_, "mnuSave", QStringLiteral("集計データを保存する(&S)"));
  save_as_action_ = AddItem(file_menu_, "mnuSaveAs", QStringLiteral("名前を付けて保存する(&A)"));
  file_menu_->addSeparator();
  close_action_ = AddItem(file_menu_, "mnuClose", QStringLiteral("集計データを閉じる(&C)"));
  file_menu_->addSeparator();
  output_action_ = AddItem(file_menu_, "mnuOutput", QStringLiteral("結果データの出力(&F)"));
  publish_action_ = AddItem(file_menu_, "mnuPublish", QStringLiteral("Web公開(&W)"));
  file_menu_->addSeparator();
  QAction* quit = AddItem(file_menu_, "mnuEnd", QStringLiteral("TOVEK CALC 終了(&Q)"));

  calc_menu_ = menuBar()->addMenu(QStringLiteral("集計(&C)"));
  calc_menu_->setObjectName(QStringLiteral("mnuCalc"));
  calc_start_ = AddItem(calc_menu_, "mnuCalcStart", QStringLiteral("集計開始(&C)"));
  cross_check_ = AddItem(calc_menu_, "mnuCrossCheck", QStringLiteral("相互チェック(&X)"));
  calc_menu_->menuAction()->setEnabled(false);

  help_menu_ = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
  help_menu_->setObjectName(QStringLiteral("mnuHelp"));
  QAction* version = AddItem(help_menu_, "mnuVersion", QStringLiteral("バージョン(&A)"));

  connect(get_list, &QAction::triggered, this, &TessdalMainWindow::ShowGetList);
  connect(open, &QAction::triggered, this, &TessdalMainWindow::OpenResultsCommand);
  connect(save_action_, &QAction::triggered, this, &TessdalMainWindow::SaveResultsCommand);
  connect(save_as_action_, &QAction::triggered, this, &TessdalMainWindow::SaveResultsAsCommand);
  connect(close_action_, &QAction::triggered, this, &TessdalMainWindow::CloseResultsCommand);
  connect(output_action_, &QAction::triggered, this, &TessdalMainWindow::WriteRankingFiles);
  connect(publish_action_, &QAction::triggered, this, &TessdalMainWindow::PublishCommand);
  connect(quit, &QAction::triggered, this, &QWidget::close);
  connect(calc_start_, &QAction::triggered, this, &TessdalMainWindow::RunCalculation);
  connect(cross_check_, &QAction::triggered, this, &TessdalMainWindow::RunCrossCheck);
  connect(version, &QAction::triggered, this, &TessdalMainWindow::ShowAbout);
}

void TessdalMainWindow::BuildStatusBar() {
  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  for (int i = 0; i < static_cast<int>(status_panels_.size()); ++i) {
    status_panels_[i] = new QLabel(this);
    status_panels_[i]->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i + 1));
    status_panels_[i]->setFrameShape(QFrame::Panel);
    status_panels_[i]->setFrameShadow(QFrame::Sunken);
  }
  statusBar()->addWidget(status_panels_[kStatusPanel], 1);
  statusBar()->addPermanentWidget(status_panels_[kDatePanel]);
  statusBar()->addPermanentWidget(status_panels_[kTimePanel]);
  clock_ = new QTimer(this);
  connect(clock_, &QTimer::timeout, this, &TessdalMainWindow::RefreshClock);
  clock_->start(1000);
  RefreshClock();
}

void TessdalMainWindow::RefreshClock() {
  const QDateTime now = QDateTime::currentDateTime();
  status_panels_[kDatePanel]->setText(now.toString(QStringLiteral("yyyy/MM/dd")));
  status_panels_[kTimePanel]->setText(now.toString(QStringLiteral("HH:mm:ss")));
}

QString TessdalMainWindow::StatusText() const { return status_panels_[kStatusPanel]->text(); }

void TessdalMainWindow::SetStatusText(const QString& text) {
  status_panels_[kStatusPanel]->setText(text);
}

// ---------------------------------------------------------------- start-up

void TessdalMainWindow::Start() {
  MakeFolders();
  grid_->FrmSet();
  LoadSettings();
  LoadAreas();
  LoadPrefixes();
  mnuOn();
}

void TessdalMainWindow::MakeFolders() {
  for (const QString& name : kOutputFolders) {
    const FileOutcome made = CreateSubfolders(environment_.program_folder, {name});
    if (!made.ok) {
      messages_.Inform(this,
                       QString::fromUtf8(kFolderNotCreated)
                           .arg(JoinFolderPath(environment_.program_folder, name), made.error));
    }
  }
}

void TessdalMainWindow::LoadSettings() {
  // Tessdal keeps what the file does not say: the widths start as the grid's.
  for (int column = 0; column < kResultColumnCount; ++column) {
    settings_.grid_widths[column] = static_cast<std::int32_t>(grid_->ColumnWidthTwips(column));
  }
  SettingsFile file = TessdalSettingsFile(environment_.program_folder, settings_);
  if (file.Load() == SettingsLoadStatus::kMissing) {
    messages_.Inform(this, QStringLiteral("NOT Tessdal.ini FILE !!"));
  }
  ApplySettings();
}

void TessdalMainWindow::ApplySettings() {
  const auto& s = settings_;
  const QRect current = geometry();
  const QRect wanted(s.frm_left ? TwipsToPixels(*s.frm_left, this) : current.x(),
                     s.frm_top ? TwipsToPixels(*s.frm_top, this) : current.y(),
                     s.frm_width ? TwipsToPixels(*s.frm_width, this) : current.width(),
                     s.frm_height ? TwipsToPixels(*s.frm_height, this) : current.height());
  // A placement saved on a screen that is gone would put the window where
  // nobody can reach it: keep the built-in placement then.
  const QList<QScreen*> screens = QGuiApplication::screens();
  const bool visible = std::any_of(screens.begin(), screens.end(), [&](const QScreen* screen) {
    return screen->availableGeometry().intersects(wanted);
  });
  if (wanted != current && wanted.width() > 0 && wanted.height() > 0 && visible) {
    // The client area, as it is saved (see PlaceWindow).
    setGeometry(wanted);
  }
  for (int column = 0; column < kResultColumnCount; ++column) {
    grid_->SetColumnWidthTwips(column, s.grid_widths[column]);
  }
  log_list_.folder = s.log_folder;
}

bool TessdalMainWindow::SaveSettings() {
  settings_.frm_left = static_cast<float>(PixelsToTwips(geometry().x(), this));
  settings_.frm_top = static_cast<float>(PixelsToTwips(geometry().y(), this));
  settings_.frm_height = static_cast<float>(PixelsToTwips(height(), this));
  settings_.frm_width = static_cast<float>(PixelsToTwips(width(), this));
  for (int column = 0; column < kResultColumnCount; ++column) {
    settings_.grid_widths[column] = static_cast<std::int32_t>(grid_->ColumnWidthTwips(column));
  }
  settings_.log_folder = log_list_.folder;
  const SettingsFile file = TessdalSettingsFile(environment_.program_folder, settings_);
  const FileOutcome saved = file.Save();
  if (!saved.ok) {
    messages_.Inform(
        this, QString::fromUtf8(kTessdalSettingsNotSaved).arg(file.Path(), FileErrorMessage(saved)),
        {}, Icon::kExclamation);
  }
  return saved.ok;
}

void TessdalMainWindow::LoadAreas() {
  const QString path =
      QDir(environment_.program_folder).filePath(QString::fromLatin1(kAreaFileName));
  const AreaLoadOutcome loaded = LoadAreaFile(path, areas_);
  if (loaded.status == AreaLoadOutcome::Status::kMissing) {
    // Either answer goes on without areas.
    messages_.Show(
        this, {QStringLiteral("NOT [") + QDir::toNativeSeparators(path) + QStringLiteral("] FILE"),
               {},
               Buttons::kOkCancel});
  } else if (loaded.status == AreaLoadOutcome::Status::kUnreadable) {
    messages_.Inform(
        this, FileFailureMessage(FileAction::kRead, path, FileOutcome::Failure(loaded.error)));
  }
}

void TessdalMainWindow::LoadPrefixes() {
  const PrefixLoadOutcome loaded = LoadPrefixTable(
      QDir(environment_.program_folder).filePath(QStringLiteral("Cty.dat")), prefixes_);
  switch (loaded.status) {
    case PrefixLoadOutcome::Status::kMissing:
      messages_.Inform(this, QStringLiteral("NOT [Cty.dat] FILE"));
      break;
    case PrefixLoadOutcome::Status::kStopped:
      messages_.Inform(
          this, QStringLiteral("Cty.dat (%1): %2").arg(loaded.line_number).arg(loaded.error));
      break;
    case PrefixLoadOutcome::Status::kLoaded:
      break;
  }
}

// ---------------------------------------------------------------- shut-down

void TessdalMainWindow::closeEvent(QCloseEvent* event) {
  if (busy_flag_) {
    // The run stops before its next log and closes the window then.
    close_pending_ = true;
    event->ignore();
    return;
  }
  if (isMinimized() || isMaximized() || isFullScreen()) showNormal();
  SaveSettings();
  if (get_list_dialog_) get_list_dialog_->close();
  if (cross_check_window_) cross_check_window_->close();
  event->accept();
}

// ---------------------------------------------------------------- menus

void TessdalMainWindow::mnuOff() { file_menu_->menuAction()->setEnabled(false); }

void TessdalMainWindow::mnuOn() {
  file_menu_->menuAction()->setEnabled(!busy_flag_);
  help_menu_->menuAction()->setEnabled(!busy_flag_);
  const bool has_results = row_count_ >= 1;
  for (QAction* action :
       {close_action_, save_action_, save_as_action_, output_action_, publish_action_}) {
    action->setEnabled(has_results);
  }
}

void TessdalMainWindow::ShowGetList() {
  if (get_list_dialog_) {
    get_list_dialog_->raise();
    get_list_dialog_->activateWindow();
    return;
  }
  auto* dialog = new GetListDialog(log_list_.folder, environment_.program_folder, messages_, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &GetListDialog::ListTaken, this, &TessdalMainWindow::TakeLogList);
  get_list_dialog_ = dialog;
  dialog->show();
}

void TessdalMainWindow::TakeLogList(const LogList& list) {
  log_list_ = list;
  if (list.Count() >= 1) {
    SetStatusText(FullWidthNumber(list.Count()) + QStringLiteral("件のファイル名を取得しました。"));
    calc_menu_->menuAction()->setEnabled(true);
  }
}

void TessdalMainWindow::ShowAbout() {
  AboutDialog about(kTessdalInfo, this);
  about.exec();
}

// ---------------------------------------------------------------- results

void TessdalMainWindow::RunCalculation() {
  if (busy_flag_) return;  // one run at a time
  mnuOff();
  busy_flag_ = 1;
  SetRunCommandsEnabled(false);
  RltCls();
  grid_->setUpdatesEnabled(false);
  grid_->Reset();
  grid_->setUpdatesEnabled(true);

  WindowProgress progress(ProgressStyle::kBarAndLabels, this);
  if (ProgressWindow* window = progress.Window()) {
    window->SetItemLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }
  RunProgress observer(*this, progress);
  ResultTable rows = ScoreLogList(log_list_, prefixes_, areas_, progress, observer);

  grid_->setUpdatesEnabled(false);
  SortByScore(rows);
  QList<QStringList> cells;
  cells.reserve(rows.size());
  for (const ResultRow& row : rows) cells.append(GridCells(row));
  grid_->SetNumberedRows(cells);
  if (ProgressWindow* window = progress.Window()) window->SetItemLabelAlignment(Qt::AlignCenter);
  progress.Close();
  SetStatusText({});
  RltGridToMem();
  grid_->setUpdatesEnabled(true);
  for (qsizetype i = 0; i < log_list_.Count(); ++i) run_logs_.append(log_list_.Path(i));

  busy_flag_ = 0;
  SetRunCommandsEnabled(true);
  mnuOn();
  if (close_pending_) close();
}

void TessdalMainWindow::SetRunCommandsEnabled(bool enabled) {
  calc_start_->setEnabled(enabled);
  cross_check_->setEnabled(enabled);
}

// ---------------------------------------------------------------- cross-check

void TessdalMainWindow::RunCrossCheck() {
  QStringList paths;
  for (qsizetype i = 0; i < log_list_.Count(); ++i) paths.append(log_list_.Path(i));
  std::optional<crosscheck::CrossCheckRun> run = CrossCheckLogs(paths, std::nullopt);
  if (!run || close_pending_) return;
  if (cross_check_window_) cross_check_window_->close();
  auto* window = new CrossCheckWindow(
      std::move(*run), std::nullopt, ResultsFolder(), messages_,
      [this](const QStringList& again, std::optional<QDate> start) {
        return CrossCheckLogs(again, start);
      },
      this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  cross_check_window_ = window;
  window->show();
}

CrossCheckWindow* TessdalMainWindow::CrossCheckView() const { return cross_check_window_; }

std::optional<crosscheck::CrossCheckRun> TessdalMainWindow::CrossCheckLogs(
    const QStringList& paths, std::optional<QDate> start) {
  if (busy_flag_) return std::nullopt;  // one run at a time
  busy_flag_ = 1;
  mnuOn();  // busy: the file and help menus go off
  SetRunCommandsEnabled(false);
  const crosscheck::CrossCheckInputs inputs{prefixes_, areas_, LoadKnownCalls(), LoadCheckRules(),
                                            start};
  std::optional<crosscheck::CrossCheckRun> run;
  {
    WindowProgress progress(ProgressStyle::kBarAndLabels, this);
    progress.OfferCancel();
    CheckProgress counted(progress);
    // Closing the main window stops the check as it stops the calculation run.
    run = crosscheck::RunCrossCheck(paths, inputs, counted,
                                    [&] { return progress.Cancelled() || close_pending_; });
  }
  busy_flag_ = 0;
  SetRunCommandsEnabled(true);
  mnuOn();
  if (close_pending_) {
    close();
    return std::nullopt;
  }
  return run;
}

crosscheck::CheckRules TessdalMainWindow::LoadCheckRules() {
  const QString path =
      QDir(environment_.program_folder).filePath(QString::fromLatin1(crosscheck::kRulesFileName));
  const crosscheck::RulesFileRead read = crosscheck::ReadRulesFile(path, true);
  if (read.created && !read.outcome.ok) {
    messages_.Inform(this,
                     QString::fromUtf8(kRulesNotCreated).arg(path, FileErrorMessage(read.outcome)),
                     {}, Icon::kExclamation);
  }
  return read.rules;
}

crosscheck::KnownCalls TessdalMainWindow::LoadKnownCalls() {
  const QString path = crosscheck::DefaultKnownCallsPath(environment_.program_folder);
  if (path.isEmpty()) return {};
  QString error;
  std::optional<crosscheck::KnownCalls> known = crosscheck::ReadKnownCalls(path, error);
  if (!known) {
    messages_.Inform(this, QString::fromUtf8(kKnownCallsUnread).arg(path, error), {},
                     Icon::kExclamation);
    return {};
  }
  return *known;
}

void TessdalMainWindow::LogRead(qsizetype, qsizetype, const QString& path,
                                const tovek::LogRead& log) {
  panel_->ShowSummary(log.summary);
  switch (log.status) {
    case tovek::LogRead::Status::kRead:
      break;
    case tovek::LogRead::Status::kMissing:
      messages_.Inform(this, UnreadReason(log));
      break;
    case tovek::LogRead::Status::kUnreadable:
      messages_.Inform(
          this, FileFailureMessage(FileAction::kRead, path, FileOutcome::Failure(log.error)));
      break;
    case tovek::LogRead::Status::kTooManyQsos:
      messages_.Inform(this, QString::fromUtf8(kTooManyQsoLines).arg(path));
      break;
  }
}

void TessdalMainWindow::RltAddGrid(const ResultRow& row, const LogScore& score) {
  grid_->setUpdatesEnabled(false);
  panel_->ShowCounts(row, score);
  ++row_count_;
  grid_->AppendRow(GridCells(row), row_count_ == 1);
  grid_->setUpdatesEnabled(true);
}

void TessdalMainWindow::RltGridToMem() {
  mnuOff();
  const bool painting = grid_->updatesEnabled();
  grid_->setUpdatesEnabled(false);
  const int rows = row_count_;
  {
    WindowProgress progress(ProgressStyle::kBarAndLabels, this);
    progress.SetMaximum(rows);
    ResultRow previous;
    for (int r = 1; r <= rows; ++r) {
      progress.SetValue(r);
      previous = RowFromGridCells(grid_->RowCells(r - 1), previous);
      row_count_ = r;
      result_table_.append(previous);
      rankings_.File(previous);
    }
  }
  grid_->setUpdatesEnabled(painting);
  mnuOn();
}

void TessdalMainWindow::RltCls() {
  if (row_count_ > 0) {
    grid_->setUpdatesEnabled(false);
    WindowProgress progress(ProgressStyle::kBarAndLabels, this);
    progress.SetMaximum(row_count_);
    grid_->Reset();
    progress.SetValue(row_count_);
    progress.Close();
    grid_->setUpdatesEnabled(true);
  }
  current_result_name_.clear();
  run_logs_.clear();
  SetStatusText({});
  row_count_ = 0;
  result_table_.clear();
  rankings_.Clear();
  panel_->Clear();
  mnuOn();
}

void TessdalMainWindow::Grid1_Click(int row) {
  if (busy_flag_) return;
  if (row < 0 || row >= result_table_.size()) return;
  panel_->ShowRow(result_table_[row]);
}

}  // namespace tovek::ui
