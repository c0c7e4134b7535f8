// The main window's results file commands and the output of the ranking and
// award files. The records, the file formats and the lists are the domain's
// (results_file.h, ranking_writer.h, award_writer.h); here are the questions,
// the dialog and what the window shows afterwards.
#include <QAction>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <utility>

#include "calculator/award_writer.h"
#include "calculator/publish/certificates.h"
#include "calculator/publish/results_site.h"
#include "calculator/ranking_writer.h"
#include "calculator/results_file.h"
#include "calculator/ui/crosscheck_window.h"
#include "calculator/ui/result_file_dialog.h"
#include "calculator/ui/results_grid.h"
#include "calculator/ui/tessdal_main_window.h"
#include "calculator/ui/tessdal_messages.h"
#include "common/ui/message_boxes.h"
#include "common/ui/window_progress.h"

namespace tovek::ui {
namespace {

enum DialogModes : std::int16_t { kNoDialog = 0, kOpen = 1, kSave = 2, kSaveAndClear = 3 };

const QString kSaveCaption = QStringLiteral("集計データの保存");
const QString kOpenCaption = QStringLiteral("集計データを開く");
const QString kSaveAsText = QStringLiteral("名前を付けて集計データを保存します");
const QString kSaveAsTitle = QStringLiteral("名前を付けて集計データを保存");

}  // namespace

QString TessdalMainWindow::ResultsFolder() const {
  return QDir(environment_.program_folder).filePath(QStringLiteral("Results"));
}

// Joined as text rather than resolved: a typed name with a separator stays
// inside "Results" (and fails there when no such subfolder exists) instead of
// naming a file anywhere on the disk.
QString TessdalMainWindow::ResultPath(const QString& file_name) const {
  return ResultsFolder() + u'/' + file_name;
}

void TessdalMainWindow::BeginFileWork() {
  mnuOff();
  SetRunCommandsEnabled(false);
}

void TessdalMainWindow::EndFileWork() {
  SetRunCommandsEnabled(true);
  mnuOn();
}

// ---------------------------------------------------------------- commands

void TessdalMainWindow::OpenResultsCommand() {
  if (row_count_ > 0 &&
      !messages_.AskYesNo(this,
                          QStringLiteral("現在の集計データを破棄して別の集計データを開きますか？"),
                          kOpenCaption)) {
    return;
  }
  ShowResultDialog(kOpenCaption, kOpen, true);
}

void TessdalMainWindow::SaveResultsCommand() {
  if (!current_result_name_.isEmpty()) {
    SetStatusText(current_result_name_);
    ResultSave(ResultPath(current_result_name_));
    return;
  }
  if (messages_.Show(this, {kSaveAsText, kSaveAsTitle, Buttons::kOkCancel}) != Answer::kOk) return;
  ShowResultDialog(kSaveCaption, kSave, false);
}

void TessdalMainWindow::SaveResultsAsCommand() {
  if (row_count_ >= 1 &&
      messages_.Show(this, {kSaveAsText, kSaveAsTitle, Buttons::kOkCancel}) != Answer::kOk) {
    return;
  }
  ShowResultDialog(kSaveCaption, kSave, true);
}

// Results are cleared only once they are safe: when the save that was asked
// for fails, they stay, so that they can be saved under another name.
void TessdalMainWindow::CloseResultsCommand() {
  if (row_count_ < 1 ||
      !messages_.AskYesNo(this, QStringLiteral("集計データを保存しますか？"), kSaveCaption)) {
    RltCls();
    return;
  }
  if (current_result_name_.isEmpty()) {
    ShowResultDialog(kSaveCaption, kSaveAndClear, false);
    return;
  }
  if (ResultSave(ResultPath(current_result_name_))) RltCls();
}

void TessdalMainWindow::ShowResultDialog(const QString& caption, std::int16_t mode,
                                         bool preset_name) {
  dialog_mode_ = mode;
  ResultFileDialog dialog(caption, ResultsFolder(), preset_name ? current_result_name_ : QString(),
                          messages_, this);
  if (dialog.exec() == QDialog::Accepted) {
    ActOnResultDialog(dialog.FileName());
  } else {
    dialog_mode_ = kNoDialog;  // nothing is pending any more
  }
  mnuOn();
}

void TessdalMainWindow::ActOnResultDialog(const QString& file_name) {
  switch (dialog_mode_) {
    case kOpen:
      RltCls();
      current_result_name_ = file_name;
      SetStatusText(file_name);
      ResultRead(ResultPath(file_name));
      break;
    case kSave:
      SaveUnder(file_name);
      break;
    case kSaveAndClear:
      if (SaveUnder(file_name)) RltCls();
      break;
    default:
      break;
  }
  dialog_mode_ = kNoDialog;
  mnuOn();
}

// A name takes hold only when its file could be written: otherwise the next
// "save" would go to a name that just failed, without asking.
bool TessdalMainWindow::SaveUnder(const QString& file_name) {
  const QString previous = current_result_name_;
  current_result_name_ = file_name;
  SetStatusText(file_name);
  if (ResultSave(ResultPath(file_name))) return true;
  current_result_name_ = previous;
  SetStatusText(previous);
  return false;
}

// ---------------------------------------------------------------- reading and writing

bool TessdalMainWindow::ResultSave(const QString& log_name) {
  dialog_mode_ = kNoDialog;
  if (row_count_ < 1) return true;
  BeginFileWork();
  FileOutcome saved;
  {
    WindowProgress progress(ProgressStyle::kBarAndLabels, this);
    // A copy: the table must not change while the rows go out.
    saved = tovek::ResultSave(log_name, ResultTable(result_table_), progress);
  }
  if (!saved.ok) messages_.Inform(this, FileFailureMessage(FileAction::kWrite, log_name, saved));
  EndFileWork();
  return saved.ok;
}

bool TessdalMainWindow::ResultRead(const QString& log_name) {
  dialog_mode_ = kNoDialog;
  BeginFileWork();
  ResultFileRead read;
  {
    WindowProgress progress(ProgressStyle::kBarAndLabels, this);
    read = tovek::ResultRead(log_name, progress);
  }
  if (!read.outcome.ok) {
    // Nothing of the file is shown, so no name is kept for it either.
    messages_.Inform(this, FileFailureMessage(FileAction::kRead, log_name, read.outcome));
    current_result_name_.clear();
    SetStatusText({});
    EndFileWork();
    return false;
  }
  if (!read.rows.isEmpty()) {
    grid_->setUpdatesEnabled(false);
    QList<QStringList> cells;
    cells.reserve(read.rows.size());
    for (const ResultRow& row : read.rows) cells.append(GridCells(row));
    grid_->SetNumberedRows(cells);
    row_count_ = static_cast<int>(read.rows.size());
    RltGridToMem();
    grid_->setUpdatesEnabled(true);
  }
  EndFileWork();
  return true;
}

void TessdalMainWindow::WriteRankingFiles() {
  if (messages_.Show(this, {QStringLiteral("ＴＯＶＥＫコンテスト結果データを出力します"),
                            QStringLiteral("結果データの出力"), Buttons::kOkCancel}) !=
      Answer::kOk) {
    return;
  }
  BeginFileWork();
  const QDir program(environment_.program_folder);
  const OutputFolders folders{program.filePath(QStringLiteral("Results")),
                              program.filePath(QStringLiteral("Awards"))};
  OutputOutcome written;
  {
    WindowProgress progress(ProgressStyle::kBarAndLabels, this);
    written =
        tovek::WriteRankingFiles(folders, QDate::currentDate(), RankingTables(rankings_), progress);
  }
  if (!written.outcome.ok) {
    messages_.Inform(this, FileFailureMessage(FileAction::kWrite, written.path, written.outcome));
  }
  EndFileWork();
}

void TessdalMainWindow::PublishCommand() {
  const QString folder = QFileDialog::getExistingDirectory(
      this, QString::fromUtf8(kPublishTitle),
      publish_folder_.isEmpty() ? environment_.program_folder : publish_folder_);
  if (folder.isEmpty()) return;
  publish_folder_ = folder;
  PublishTo(folder);
}

bool TessdalMainWindow::PublishTo(const QString& folder) {
  const QString title = QString::fromUtf8(kPublishTitle);
  // The cross-check open in its window goes on the entrants' pages when the
  // user says so (it may be of other logs than the results shown). Asked
  // first: the question about overwriting comes right before the writing.
  publish::ChecksByCall checks;
  if (cross_check_window_ &&
      messages_.AskYesNo(this, QString::fromUtf8(kPublishCrossCheck), title, Icon::kQuestion)) {
    checks = publish::ChecksOfContest(cross_check_window_->Run().Contest());
  }
  const QDir root(folder);
  if (!root.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot) &&
      !messages_.AskYesNo(
          this, QString::fromUtf8(kSiteFolderNotEmpty).arg(QDir::toNativeSeparators(folder)), title,
          Icon::kQuestion)) {
    return false;
  }
  BeginFileWork();
  // The contest is named after the results file shown, as tovek names it.
  publish::SiteInfo info{current_result_name_.isEmpty()
                             ? QStringLiteral("TOVEK-WW-RTTY")
                             : QFileInfo(current_result_name_).completeBaseName(),
                         QDate::currentDate(),
                         {},
                         std::move(checks)};
  const ResultTable rows(result_table_);
  OutputOutcome written;
  {
    WindowProgress progress(ProgressStyle::kBarAndLabels, this);
    progress.SetLabel(0, QStringLiteral("LOG"));
    progress.Yield();
    if (!run_logs_.isEmpty()) {
      info.activity = publish::ReadActivity(run_logs_, prefixes_, areas_, progress,
                                            publish::NotOkLineNumbers(info.checks));
    }
    progress.SetLabel(0, QStringLiteral("WEB"));
    written = publish::WriteResultsSite(folder, info, rows, progress);
    if (written.outcome.ok) {
      progress.SetLabel(0, QStringLiteral("PDF"));
      progress.Yield();
      written = publish::WriteCertificates(folder, info, rows);
    }
  }
  EndFileWork();
  if (!written.outcome.ok) {
    messages_.Inform(this, FileFailureMessage(FileAction::kWrite, written.path, written.outcome),
                     title, Icon::kExclamation);
    return false;
  }
  messages_.Inform(this,
                   QString::fromUtf8(kSitePublished)
                       .arg(QDir::toNativeSeparators(root.filePath(QStringLiteral("index.html")))),
                   title, Icon::kInformation);
  return true;
}

}  // namespace tovek::ui
