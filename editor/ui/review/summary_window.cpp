#include "editor/ui/review/summary_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/progress.h"
#include "common/ui/message_boxes.h"
#include "common/ui/twips.h"
#include "common/ui/window_placement.h"
#include "common/ui/window_order.h"
#include "editor/ui/review/sample_grid.h"

namespace tovek::ui {
namespace {

struct Column {
  const char* header;
  Qt::Alignment alignment;
};

constexpr std::array<Column, SummaryWindow::kColumns> kGridColumns = {{
    {"No", Qt::AlignRight},
    {"Band", Qt::AlignRight},
    {"Mode", Qt::AlignHCenter},
    {"Date", Qt::AlignHCenter},
    {"Time", Qt::AlignHCenter},
    {"MyCall", Qt::AlignLeft},
    {"RST", Qt::AlignHCenter},
    {"Sent", Qt::AlignHCenter},
    {"HisCall", Qt::AlignLeft},
    {"RST", Qt::AlignHCenter},
    {"Rcvd", Qt::AlignHCenter},
}};

struct Value {
  const char* name;
  const char* caption;
};

// The five short values first, then the six that widen with the window.
constexpr std::array<Value, 11> kValues = {{
    {"lblCallSign", "ｺｰﾙｻｲﾝ"},
    {"lblCategory", "カテゴリー"},
    {"lblClaimedScore", "申請スコアー"},
    {"lblContinent", "大　陸"},
    {"lblEntity", "ｴﾝﾃｨﾃｨ"},
    {"lblOperators", "ｵﾍﾟﾚｰﾀｰｽﾞ"},
    {"lblClub", "クラブ名"},
    {"lblCreatedBy", "作成ツール"},
    {"lblName", "名  前"},
    {"lblAddress", "住   所"},
    {"lblSoapbox", "意見、感想"},
}};
constexpr int kShortValues = 5;

// The long values end this far before the panel's right edge.
constexpr double kRightMarginTwips = 275;

}  // namespace

SummaryWindow::SummaryWindow(SummaryHost host, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      host_(host),
      log_path_(host.current_log_path ? *host.current_log_path : QString()) {
  setObjectName(QStringLiteral("frmKavrel"));
  setWindowTitle(QStringLiteral("Kavrel"));
  setAttribute(Qt::WA_DeleteOnClose);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  panel_ = BuildPanel();
  layout->addWidget(panel_);
  grid_ = new QTableWidget(0, kColumns, central);
  grid_->setObjectName(QStringLiteral("Grid1"));
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  layout->addWidget(grid_, 1);
  setCentralWidget(central);

  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  for (int panel = 0; panel < static_cast<int>(status_.size()); ++panel) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("StatusPanel%1").arg(panel + 1));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar()->addPermanentWidget(label, panel == 1 ? 0 : 1);
    status_[panel] = label;
  }
  FrmSet();
  FrmLogLoad();
}

QWidget* SummaryWindow::BuildPanel() {
  auto* panel = new QWidget(this);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(6, 6, TwipsToPixels(kRightMarginTwips, panel), 6);
  for (size_t i = 0; i < kValues.size(); ++i) {
    auto* value = new QLabel(panel);
    value->setObjectName(QString::fromLatin1(kValues[i].name));
    value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    value->setTextFormat(Qt::PlainText);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setMinimumWidth(TwipsToPixels(1000, panel));
    values_[i] = value;
    auto* caption = new QLabel(QString::fromUtf8(kValues[i].caption), panel);
    const int index = static_cast<int>(i);
    if (index < kShortValues) {
      grid->addWidget(caption, 0, 2 * index);
      grid->addWidget(value, 0, 2 * index + 1);
    } else {
      grid->addWidget(caption, index - kShortValues + 1, 0);
      grid->addWidget(value, index - kShortValues + 1, 1, 1, 2 * kShortValues - 1);
    }
  }
  save_ = new QPushButton(QStringLiteral("保　存"), panel);
  save_->setObjectName(QStringLiteral("cmdSave"));
  connect(save_, &QPushButton::clicked, this, &SummaryWindow::Save);
  grid->addWidget(save_, 0, 2 * kShortValues, Qt::AlignRight);
  grid->setColumnStretch(2 * kShortValues - 1, 1);
  return panel;
}

void SummaryWindow::FrmSet() {
  const KavrelSettings& s = *host_.settings;
  // The flag first: changing a window's flags after placing it made the
  // window manager take the client position for the frame's.
  SetStaysOnTop(this, true);
  PlaceWindow(*this, QRect(TwipsToPixels(s.summary_left, this), TwipsToPixels(s.summary_top, this),
                           TwipsToPixels(s.summary_width, this),
                           TwipsToPixels(s.summary_height, this)));
  QStringList headers;
  for (const Column& column : kGridColumns) headers.append(QString::fromLatin1(column.header));
  grid_->setHorizontalHeaderLabels(headers);
  for (int column = 0; column < kColumns; ++column) {
    grid_->setColumnWidth(column, TwipsToPixels(s.grid_widths.at(column), this));
  }
  const QFont font = ListFontWithoutSize(s.font_name, s.font_bold, s.font_italic);
  grid_->setFont(font);
  for (QLabel* value : values_) value->setFont(font);
}

void SummaryWindow::SetSummary(const LogSummary& summary) {
  summary_ = summary;
  const std::array<const QString*, 11> texts = {
      &summary.call_sign, &summary.category,  &summary.claimed_score, &summary.continent,
      &summary.entity,    &summary.operators, &summary.club,          &summary.created_by,
      &summary.name,      &summary.address,   &summary.soapbox};
  for (size_t i = 0; i < texts.size(); ++i) values_[i]->setText(*texts[i]);
}

void SummaryWindow::SetStatusPath(const QString& path) { status_[2]->setText(path); }

QString SummaryWindow::StatusPanelText(int panel) const {
  return status_.at(static_cast<size_t>(panel - 1))->text();
}

void SummaryWindow::SetRecords(QsoList records) { records_ = std::move(records); }

QStringList SummaryWindow::CellTexts(const QsoRecord& r) {
  return {QString::number(r.no).rightJustified(4, u'0'),
          r.band.trimmed(),
          r.mode.trimmed(),
          r.qso_time.toString(QStringLiteral("yyyy-MM-dd")),
          r.qso_time.toString(QStringLiteral("HHmm")),
          r.my_call.trimmed(),
          r.sent_rst.trimmed(),
          r.sent_rpt.trimmed(),
          r.his_call.trimmed(),
          r.rcvd_rst.trimmed(),
          r.rcvd_rpt.trimmed()};
}

void SummaryWindow::FrmLogLoad() {
  grid_->setUpdatesEnabled(false);
  // An empty grid still shows one empty data row.
  grid_->setRowCount(std::max<int>(static_cast<int>(records_.size()), 1));
  grid_->clearContents();
  for (int row = 0; row < records_.size(); ++row) {
    const QStringList cells = CellTexts(records_[row]);
    for (int column = 0; column < kColumns; ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      item->setTextAlignment(kGridColumns[column].alignment | Qt::AlignVCenter);
      grid_->setItem(row, column, item);
    }
  }
  grid_->setUpdatesEnabled(true);
  grid_->scrollToTop();
  save_->setFocus();
}

void SummaryWindow::LogCls() {
  if (!records_.isEmpty()) {
    records_.clear();
    FrmLogLoad();
  }
  if (host_.current_log_path && *host_.current_log_path == log_path_) {
    host_.current_log_path->clear();
  }
  log_path_.clear();
  status_[0]->clear();
  status_[2]->clear();
  for (QLabel* value : values_) value->clear();
  summary_ = {};
}

void SummaryWindow::Save() {
  if (records_.isEmpty()) return;
  NoProgress progress;
  const DataSaveOutcome saved =
      DataSave(*host_.folders, log_path_, summary_, records_, progress);
  ShowSaveOutcome(saved);
  // Until the Cabrillo file is on disk, the log must not leave memory.
  if (!saved.CabrilloWritten()) return;
  ShowReportOutcome(ErrSave(*host_.folders, summary_.call_sign, *host_.error_report));
  LogCls();
  close();
  Q_EMIT LogSaved();
}

void SummaryWindow::ShowSaveOutcome(const DataSaveOutcome& saved) {
  QString message;
  switch (saved.status) {
    case SaveStatus::kFoldersMissing:
      message = kFoldersMissingMessage;
      break;
    case SaveStatus::kNameRefused:
      message = RefusedCallSignMessage(summary_.call_sign, saved.name);
      break;
    case SaveStatus::kWriteFailed:
      message = FileFailureMessage(FileAction::kWrite, saved.cabrillo_path, saved.failure);
      break;
    case SaveStatus::kMoveFailed:
      message = FileFailureMessage(FileAction::kMove, log_path_, saved.failure);
      break;
    case SaveStatus::kSaved:
      if (!saved.move.earlier_kept_as.isEmpty()) {
        message = QStringLiteral(
                      "OldLog には同じ名前の別のログがありました。\r\n"
                      "そのログは %1 として残してあります。")
                      .arg(saved.move.earlier_kept_as);
      }
      break;
    case SaveStatus::kNothingToSave:
      break;
  }
  if (message.isEmpty()) return;
  TopMostPause pause(this);
  host_.boxes->Inform(this, message);
}

void SummaryWindow::ShowReportOutcome(const ErrSaveOutcome& saved) {
  QString message;
  switch (saved.status) {
    case ErrSaveStatus::kFolderMissing:
      message = kFoldersMissingMessage;
      break;
    case ErrSaveStatus::kNameRefused:
      message = RefusedCallSignMessage(summary_.call_sign, saved.name);
      break;
    case ErrSaveStatus::kWriteFailed:
      message = FileFailureMessage(FileAction::kWrite, saved.path, saved.failure);
      break;
    case ErrSaveStatus::kSaved:
      return;
  }
  TopMostPause pause(this);
  host_.boxes->Inform(this, message);
}

void SummaryWindow::closeEvent(QCloseEvent* event) {
  KavrelSettings& s = *host_.settings;
  s.summary_left = static_cast<std::int32_t>(PixelsToTwips(geometry().x(), this));
  s.summary_top = static_cast<std::int32_t>(PixelsToTwips(geometry().y(), this));
  s.summary_width = static_cast<std::int32_t>(PixelsToTwips(width(), this));
  s.summary_height = static_cast<std::int32_t>(PixelsToTwips(height(), this));
  for (int column = 0; column < kColumns; ++column) {
    s.grid_widths.at(column) =
        static_cast<std::int32_t>(PixelsToTwips(grid_->columnWidth(column), this));
  }
  QMainWindow::closeEvent(event);
}

}  // namespace tovek::ui
