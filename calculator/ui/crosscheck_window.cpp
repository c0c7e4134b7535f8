#include "calculator/ui/crosscheck_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "calculator/results_file.h"
#include "calculator/ui/result_file_dialog.h"
#include "common/ui/message_boxes.h"
#include "common/ui/window_placement.h"
#include "common/ui/window_progress.h"

namespace tovek::ui {
namespace {

// The columns of crosscheck::LogFigures, in its order; all but the first two
// are numbers and sort as numbers.
constexpr const char* kCaptions[] = {
    "コールサイン", "部門",   "QSO数", "OK",     "未確認",       "NIL",  "BUST",      "XBUST",
    "BAND",         "UNIQUE", "DUPE",  "期間外", "時計補正(分)", "得点", "確認後得点"};
constexpr int kColumns = static_cast<int>(std::size(kCaptions));
constexpr int kTextColumns = 2;
constexpr int kLogRole = Qt::UserRole;

const QString kSaveCaption = QStringLiteral("確認後の集計データを保存");

QPushButton* Button(const QString& caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

}  // namespace

CrossCheckWindow::CrossCheckWindow(crosscheck::CrossCheckRun run, std::optional<QDate> start,
                                   QString results_folder, MessageBoxes& boxes,
                                   CrossCheckRunner runner, QWidget* parent)
    : QMainWindow(parent),
      run_(std::move(run)),
      start_(start),
      results_folder_(std::move(results_folder)),
      boxes_(boxes),
      runner_(std::move(runner)) {
  setObjectName(QStringLiteral("frmCrossCheck"));
  setWindowTitle(QStringLiteral("相互チェック"));
  if (!run_.logs.empty()) report_folder_ = QFileInfo(run_.logs.front().path).absolutePath();

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);

  // The contest period: off by default, since a wrong first day would turn
  // good QSOs into out-of-time ones.
  summary_ = new QLabel(central);
  summary_->setObjectName(QStringLiteral("lblSummary"));
  period_ = new QCheckBox(QStringLiteral("期間外を判定"), central);
  period_->setObjectName(QStringLiteral("chkPeriod"));
  period_->setChecked(start_.has_value());
  auto* start_label = new QLabel(QStringLiteral("開始日"), central);
  start_edit_ = new QDateEdit(
      start_.value_or(crosscheck::LikelyFirstDay(run_).value_or(QDate::currentDate())), central);
  start_edit_->setObjectName(QStringLiteral("dtpStart"));
  start_edit_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  start_edit_->setCalendarPopup(true);
  // Room for the whole date beside the calendar button, in any style.
  start_edit_->setMinimumWidth(
      start_edit_->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00")) +
      start_edit_->sizeHint().height() * 2);
  start_edit_->setEnabled(period_->isChecked());
  start_label->setBuddy(start_edit_);
  recheck_ = Button(QStringLiteral("再チェック(&R)"), "cmdRecheck", central);
  connect(period_, &QCheckBox::toggled, start_edit_, &QWidget::setEnabled);
  connect(recheck_, &QPushButton::clicked, this, &CrossCheckWindow::Recheck);

  auto* top = new QHBoxLayout;
  top->addWidget(summary_, 1);
  top->addWidget(period_);
  top->addSpacing(8);
  top->addWidget(start_label);
  top->addWidget(start_edit_);
  top->addWidget(recheck_);
  layout->addLayout(top);
  layout->addWidget(BuildGrid(), 1);

  reports_ = Button(QStringLiteral("レポート出力(&P)"), "cmdReports", central);
  save_ = Button(kSaveCaption + QStringLiteral("(&S)"), "cmdSaveChecked", central);
  close_ = Button(QStringLiteral("閉じる(&C)"), "cmdClose", central);
  connect(reports_, &QPushButton::clicked, this, &CrossCheckWindow::ChooseReportFolder);
  connect(save_, &QPushButton::clicked, this, &CrossCheckWindow::ChooseResultsFile);
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(reports_);
  bottom->addWidget(save_);
  bottom->addStretch();
  bottom->addWidget(close_);
  layout->addLayout(bottom);
  setCentralWidget(central);
  statusBar()->setObjectName(QStringLiteral("StatusBar1"));

  ShowRun();
  // Wide enough for every column, so that both scores are in sight.
  const int grid_width = grid_->horizontalHeader()->length() + 2 * grid_->frameWidth() +
                         grid_->verticalScrollBar()->sizeHint().width();
  const QMargins margins = layout->contentsMargins();
  resize(grid_width + margins.left() + margins.right(), 600);
}

void CrossCheckWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (placed_) return;
  placed_ = true;
  // Over the main window, not wherever the window manager puts a new one,
  // and on a screen.
  QRect client = geometry();
  if (const QWidget* main = parentWidget()) client.moveCenter(main->frameGeometry().center());
  PlaceWindow(*this, client);
}

QWidget* CrossCheckWindow::BuildGrid() {
  grid_ = new QTableWidget(0, kColumns, this);
  grid_->setObjectName(QStringLiteral("grdCrossCheck"));
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setWordWrap(false);
  grid_->setAlternatingRowColors(true);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  grid_->horizontalHeader()->setHighlightSections(false);
  for (int column = 0; column < kColumns; ++column) {
    grid_->setHorizontalHeaderItem(column,
                                   new QTableWidgetItem(QString::fromUtf8(kCaptions[column])));
  }
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (const QTableWidgetItem* first = grid_->item(row, 0))
      ShowReport(first->data(kLogRole).toInt());
  });
  return grid_;
}

void CrossCheckWindow::ShowRun() {
  const crosscheck::CheckedContest contest = run_.Contest();
  grid_->setSortingEnabled(false);
  grid_->clearContents();
  grid_->setRowCount(static_cast<int>(run_.logs.size()));
  qsizetype qsos = 0;
  for (size_t log = 0; log < run_.logs.size(); ++log) {
    qsos += run_.logs[log].qsos.size();
    const QStringList figures = crosscheck::LogFigures(contest, log);
    const int row = static_cast<int>(log);
    for (int column = 0; column < kColumns && column < figures.size(); ++column) {
      auto* item = new QTableWidgetItem;
      if (column < kTextColumns) {
        item->setText(figures[column]);
      } else {
        item->setData(Qt::DisplayRole, figures[column].toLongLong());
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      }
      grid_->setItem(row, column, item);
    }
    grid_->item(row, 0)->setData(kLogRole, row);
  }
  // The logs in list order until the user sorts by a column.
  grid_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  grid_->setSortingEnabled(true);
  grid_->resizeColumnsToContents();

  summary_->setText(QStringLiteral("ログ %1 件　QSO %2 行　%3")
                        .arg(run_.logs.size())
                        .arg(qsos)
                        .arg(start_ ? start_->toString(QStringLiteral("yyyy-MM-dd")) +
                                          QStringLiteral(" 00:00 から 48 時間")
                                    : QStringLiteral("期間の判定なし")));
}

QWidget* CrossCheckWindow::ShowReport(int log) {
  if (log < 0 || static_cast<size_t>(log) >= run_.logs.size()) return nullptr;
  const QString& station = run_.logs[static_cast<size_t>(log)].station;
  auto* window = new QDialog(this);
  window->setObjectName(QStringLiteral("frmCheckReport"));
  window->setWindowTitle(QStringLiteral("チェックレポート - ") + station);
  window->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  window->setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  window->setAttribute(Qt::WA_DeleteOnClose);
  auto* text = new QPlainTextEdit(window);
  text->setObjectName(QStringLiteral("txtReport"));
  text->setReadOnly(true);
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  const QStringList lines = crosscheck::EntrantReport(run_.Contest(), static_cast<size_t>(log));
  text->setPlainText(lines.join(u'\n'));
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text);
  // The evidence lines are long: as wide as the longest line where the
  // screen allows, so that they can be read without scrolling sideways.
  qsizetype longest = 80;
  for (const QString& line : lines) longest = std::max(longest, line.size());
  const QFontMetrics metrics(text->font());
  QSize size(metrics.horizontalAdvance(u'M') * static_cast<int>(longest + 4),
             metrics.lineSpacing() * 44);
  if (const QScreen* screen = this->screen()) {
    size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
  }
  window->resize(size);
  report_windows_.append(window);
  window->show();
  return window;
}

void CrossCheckWindow::CloseReports() {
  for (const QPointer<QWidget>& window : std::as_const(report_windows_)) {
    if (window) window->close();  // and gone: they delete themselves on close
  }
  report_windows_.clear();
}

void CrossCheckWindow::SetCommandsEnabled(bool enabled) {
  const std::initializer_list<QWidget*> commands = {period_, recheck_, reports_,
                                                    save_,   close_,   grid_};
  for (QWidget* widget : commands) widget->setEnabled(enabled);
  start_edit_->setEnabled(enabled && period_->isChecked());
}

void CrossCheckWindow::ChooseReportFolder() {
  const QString folder =
      QFileDialog::getExistingDirectory(this, QStringLiteral("レポートの出力先"), report_folder_);
  if (folder.isEmpty()) return;
  report_folder_ = folder;
  WriteReportsTo(folder);
}

bool CrossCheckWindow::WriteReportsTo(const QString& folder) {
  const FileOutcome written = crosscheck::WriteReports(run_.Contest(), folder);
  if (!written.ok) {
    boxes_.Inform(this, FileFailureMessage(FileAction::kWrite, folder, written), {},
                  Icon::kExclamation);
    return false;
  }
  statusBar()->showMessage(QStringLiteral("レポート %1 件と %2 を %3 に出力しました。")
                               .arg(run_.logs.size())
                               .arg(QString::fromLatin1(crosscheck::kSummaryFileName),
                                    QDir::toNativeSeparators(folder)));
  return true;
}

void CrossCheckWindow::ChooseResultsFile() {
  ResultFileDialog dialog(kSaveCaption, results_folder_, QString(), boxes_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  // Joined as the main window joins it: a typed name stays inside "Results".
  SaveCheckedResults(results_folder_ + u'/' + dialog.FileName());
}

bool CrossCheckWindow::SaveCheckedResults(const QString& path) {
  SetCommandsEnabled(false);
  working_ = true;
  FileOutcome saved;
  {
    WindowProgress progress(ProgressStyle::kBarAndLabels, this);
    saved = tovek::ResultSave(path, crosscheck::CheckedResults(run_), progress);
  }
  working_ = false;
  SetCommandsEnabled(true);
  if (!saved.ok) {
    boxes_.Inform(this, FileFailureMessage(FileAction::kWrite, path, saved), {},
                  Icon::kExclamation);
    return false;
  }
  statusBar()->showMessage(QStringLiteral("確認後の集計データを %1 に保存しました。")
                               .arg(QDir::toNativeSeparators(path)));
  return true;
}

void CrossCheckWindow::Recheck() {
  if (working_ || !runner_) return;
  const std::optional<QDate> start =
      period_->isChecked() ? std::optional<QDate>(start_edit_->date()) : std::nullopt;
  QStringList paths;
  for (const crosscheck::ContestLog& log : run_.logs) paths.append(log.path);
  SetCommandsEnabled(false);
  working_ = true;
  std::optional<crosscheck::CrossCheckRun> run = runner_(paths, start);
  working_ = false;
  SetCommandsEnabled(true);
  if (!run) {
    statusBar()->showMessage(QStringLiteral("再チェックは中止されました。前の結果のままです。"));
    return;
  }
  run_ = std::move(*run);
  start_ = start;
  CloseReports();  // they show the previous run
  ShowRun();
  statusBar()->clearMessage();
}

void CrossCheckWindow::closeEvent(QCloseEvent* event) {
  // A run or a save under way still uses this window's run.
  if (working_) {
    event->ignore();
    return;
  }
  CloseReports();
  event->accept();
}

}  // namespace tovek::ui
