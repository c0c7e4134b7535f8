#include "editor/ui/review/layout_reader_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/progress.h"
#include "common/ui/message_boxes.h"
#include "common/ui/twips.h"
#include "common/ui/window_placement.h"
#include "common/ui/window_order.h"
#include "editor/ui/review/sample_grid.h"

namespace tovek::ui {
namespace {

struct FieldLook {
  const char* caption;
  QColor colour;
};

const std::array<FieldLook, kLayoutFieldCount> kFieldLooks = {{
    {"周波数", QColor(255, 128, 128)},
    {"モード", QColor(255, 192, 128)},
    {"年月日　時間", QColor(255, 255, 128)},
    {"自分のコールサイン", QColor(128, 255, 128)},
    {"RST　(送信) レポート", QColor(128, 255, 255)},
    {"", QColor(128, 128, 255)},
    {"相手のコールサイン", QColor(255, 128, 255)},
    {"RST　(受信) レポート", QColor(192, 64, 0)},
    {"", QColor(192, 192, 0)},
}};

constexpr int kFirstVisibleColumn = 40;

QLineEdit* SummaryBox(const char* name, const QFont& font, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setFont(font);
  return box;
}

QComboBox* SummaryChoice(const char* name, const QStringList& items, const QFont& font,
                         QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->addItems(items);
  box->setFont(font);
  return box;
}

}  // namespace

LayoutReaderWindow::LayoutReaderWindow(const LogLines& rows, KavrelSettings& settings,
                                       const PrefixTable& prefixes, const EntityList& entities,
                                       MessageBoxes& boxes, QWidget* main_window)
    : QWidget(main_window, Qt::Window),
      rows_(rows),
      settings_(settings),
      boxes_(boxes),
      main_window_(main_window),
      layout_(settings.layout) {
  setObjectName(QStringLiteral("frmCabReadSet"));
  setWindowTitle(QStringLiteral("Cabrilloファイル読込と設定"));
  setAttribute(Qt::WA_DeleteOnClose);
  const QFont font =
      ListFontWithoutSize(settings.font_name, settings.font_bold, settings.font_italic);

  auto* menu = new QMenuBar(this);
  QAction* store = menu->addAction(QStringLiteral("基本データ位置、長さの設定"));
  store->setObjectName(QStringLiteral("mDataPosSet"));
  connect(store, &QAction::triggered, this, &LayoutReaderWindow::mDataPosSet);

  grid_ = new SampleGrid(this);
  grid_->setFont(font);

  auto* read = new QPushButton(QStringLiteral("読　込"), this);
  read->setObjectName(QStringLiteral("cmdRead"));
  auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  cancel->setObjectName(QStringLiteral("cmdCancel"));
  connect(read, &QPushButton::clicked, this, &LayoutReaderWindow::CabRead);
  connect(cancel, &QPushButton::clicked, this, &QWidget::close);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(read);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menu);
  layout->addWidget(BuildSummaryFrame(font, entities));
  layout->addWidget(new QLabel(
      QStringLiteral(
          "左右ボタンでデータを左寄せにセット、アップダウンボタンで最大読込文字数をセット"),
      this));
  layout->addWidget(grid_);
  layout->addWidget(BuildFieldRows(font));
  layout->addLayout(buttons);

  // CabTempRead: the header scan, with the station resolved.
  const HeaderScan scan = CabTempRead(rows_, prefixes);
  sample_row_ = scan.sample_row;
  ShowSummary(scan.summary);
  header_text_value_ = scan.summary.header_text;
  header_text_->setPlainText(
      QString(header_text_value_).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  grid_->SetRow(sample_row_);
  Refresh();
  grid_->ScrollToColumn(kFirstVisibleColumn);

  // The flag first: changing a window's flags after placing it made the
  // window manager take the client position for the frame's.
  SetStaysOnTop(this, true);
  PlaceWindowAt(*this, QPoint(TwipsToPixels(settings.layout_reader_left, this),
                              TwipsToPixels(settings.layout_reader_top, this)));
  read->setFocus();
}

QWidget* LayoutReaderWindow::BuildSummaryFrame(const QFont& font, const EntityList& entities) {
  auto* frame = new QGroupBox(QStringLiteral("読込みデータ(サマリー)"), this);
  call_sign_ = SummaryBox("txtCallSign", font, frame);
  contest_box_ = SummaryBox("txtContest", font, frame);
  category_ = SummaryChoice("cboCategory", {"SOHP", "SOLP", "MO", "Checklog"}, font, frame);
  claimed_score_ = SummaryBox("txtClaimedScore", font, frame);
  operators_ = SummaryBox("txtOperators", font, frame);
  club_ = SummaryBox("txtClub", font, frame);
  name_ = SummaryBox("txtName", font, frame);
  created_by_ = SummaryBox("txtCreatedBy", font, frame);
  address_ = SummaryBox("txtAddress", font, frame);
  soapbox_ = SummaryBox("txtSoapbox", font, frame);
  continent_ = SummaryChoice("cboContinent", {"NA", "SA", "EU", "AS", "OC", "AF"}, font, frame);
  entity_ = SummaryChoice("cboEntity", entities, font, frame);

  auto* grid = new QGridLayout(frame);
  const auto add = [&](int row, int column, const char* caption, QWidget* box, int span = 1) {
    grid->addWidget(new QLabel(QString::fromUtf8(caption), frame), row, column);
    grid->addWidget(box, row, column + 1, 1, span);
  };
  add(0, 0, "コールサイン", call_sign_);
  add(0, 2, "コンテスト", contest_box_);
  add(0, 4, "カテゴリー", category_);
  add(1, 0, "申請スコア", claimed_score_);
  add(1, 2, "大陸", continent_);
  add(1, 4, "ｴﾝﾃｨﾃｨ", entity_);
  add(2, 0, "オペ", operators_, 5);
  add(3, 0, "クラブ", club_, 5);
  add(4, 0, "名前", name_, 5);
  add(5, 0, "作成", created_by_, 5);
  add(6, 0, "住所", address_, 5);
  add(7, 0, "感想", soapbox_, 5);

  auto* log_frame = new QGroupBox(QStringLiteral("ログデータ"), frame);
  header_text_ = new QPlainTextEdit(log_frame);
  header_text_->setObjectName(QStringLiteral("txtHeaderText"));
  header_text_->setReadOnly(true);
  header_text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  header_text_->setFont(font);
  auto* log_layout = new QVBoxLayout(log_frame);
  log_layout->addWidget(header_text_);
  grid->addWidget(log_frame, 0, 6, 8, 1);
  grid->setColumnStretch(5, 2);
  grid->setColumnStretch(6, 3);
  return frame;
}

QWidget* LayoutReaderWindow::BuildFieldRows(const QFont& font) {
  auto* rows = new QWidget(this);
  auto* grid = new QGridLayout(rows);
  grid->setContentsMargins(0, 0, 0, 0);
  for (int i = 0; i < kLayoutFieldCount; ++i) {
    auto* caption = new QLabel(QString::fromUtf8(kFieldLooks[i].caption), rows);
    caption->setObjectName(QStringLiteral("lblField%1").arg(i));
    auto* swatch = new QLabel(rows);
    swatch->setAutoFillBackground(true);
    swatch->setFixedWidth(TwipsToPixels(SampleGrid::kColumnTwips, rows));
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, kFieldLooks[i].colour);
    swatch->setPalette(palette);
    QToolButton* left = ArrowButton(Qt::LeftArrow, QStringLiteral("cmdLeft%1").arg(i), rows);
    QToolButton* right = ArrowButton(Qt::RightArrow, QStringLiteral("cmdRight%1").arg(i), rows);
    connect(left, &QToolButton::clicked, this, [this, i] { MoveField(i, -1); });
    connect(right, &QToolButton::clicked, this, [this, i] { MoveField(i, 1); });
    starts_[i] = SunkenLabel(QStringLiteral("lblStart%1").arg(i), rows);
    starts_[i]->setAlignment(Qt::AlignCenter);
    starts_[i]->setMinimumWidth(
        starts_[i]->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    previews_[i] = SunkenLabel(QStringLiteral("lblPreview%1").arg(i), rows);
    previews_[i]->setFont(font);
    previews_[i]->setMinimumWidth(previews_[i]->fontMetrics().horizontalAdvance(QString(22, u'M')));
    widths_[i] = SunkenLabel(QStringLiteral("lblWidth%1").arg(i), rows);
    widths_[i]->setAlignment(Qt::AlignCenter);
    widths_[i]->setMinimumWidth(
        widths_[i]->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    grid->addWidget(swatch, i, 0);
    grid->addWidget(caption, i, 1);
    grid->addWidget(left, i, 2);
    grid->addWidget(right, i, 3);
    grid->addWidget(starts_[i], i, 4);
    grid->addWidget(previews_[i], i, 5);
    grid->addWidget(widths_[i], i, 6);
    if (HasAdjustableWidth(i)) {
      QToolButton* up = ArrowButton(Qt::UpArrow, QStringLiteral("cmdUp%1").arg(i), rows);
      QToolButton* down = ArrowButton(Qt::DownArrow, QStringLiteral("cmdDown%1").arg(i), rows);
      connect(up, &QToolButton::clicked, this, [this, i] { WidenField(i, 1); });
      connect(down, &QToolButton::clicked, this, [this, i] { WidenField(i, -1); });
      grid->addWidget(up, i, 7);
      grid->addWidget(down, i, 8);
    }
  }
  grid->setColumnStretch(5, 1);
  return rows;
}

void LayoutReaderWindow::ShowSummary(const LogSummary& s) {
  call_sign_->setText(s.call_sign);
  contest_box_->setText(s.contest);
  category_->setCurrentText(s.category);
  claimed_score_->setText(s.claimed_score);
  operators_->setText(s.operators);
  club_->setText(s.club);
  name_->setText(s.name);
  created_by_->setText(s.created_by);
  address_->setText(s.address);
  soapbox_->setText(s.soapbox);
  continent_->setCurrentText(s.continent);
  entity_->setCurrentText(s.entity);
}

LogSummary LayoutReaderWindow::Summary() const {
  LogSummary s;
  s.call_sign = call_sign_->text();
  s.contest = contest_box_->text();
  s.category = category_->currentText();
  s.claimed_score = claimed_score_->text();
  s.operators = operators_->text();
  s.club = club_->text();
  s.name = name_->text();
  s.created_by = created_by_->text();
  s.address = address_->text();
  s.soapbox = soapbox_->text();
  s.continent = continent_->currentText();
  s.entity = entity_->currentText();
  s.header_text = header_text_value_;
  return s;
}

void LayoutReaderWindow::MoveField(int field, int delta) {
  SetLayoutStart(layout_, field, MovedStart(LayoutStart(layout_, field), delta));
  Refresh();
}

void LayoutReaderWindow::WidenField(int field, int delta) {
  StepLayoutWidth(layout_, field, delta);
  Refresh();
}

void LayoutReaderWindow::Refresh() {
  const std::vector<FieldSpan> fields = LayoutFields(layout_);
  std::vector<QColor> colours;
  for (int i = 0; i < kLayoutFieldCount; ++i) {
    starts_[i]->setText(QString::number(fields[i].start));
    widths_[i]->setText(QString::number(fields[i].width));
    previews_[i]->setText(FieldPreview(sample_row_, fields[i]));
    colours.push_back(kFieldLooks[i].colour);
  }
  grid_->Colour(fields, colours);
}

QString LayoutReaderWindow::Preview(int field) const { return previews_.at(field)->text(); }

void LayoutReaderWindow::CabRead() {
  LogSummary summary = Summary();
  FillSummaryDefaults(summary);
  name_->setText(summary.name);
  address_->setText(summary.address);
  if (const QString missing = IncompleteSummaryMessage(summary); !missing.isEmpty()) {
    TopMostPause pause(this);
    boxes_.Inform(this, missing, kIncompleteSummaryTitle);
    return;
  }
  NoProgress progress;
  // The rows as they are now, edits since the window opened included; the
  // copy keeps them still while the reading runs.
  const LogLines rows = rows_;
  const QsoReadOutcome read = ReadQsoRecords(rows, layout_, progress);
  if (!read.ok) {
    {
      TopMostPause pause(this);
      boxes_.Inform(this, read.error);
    }
    close();
    return;
  }
  Q_EMIT ReadingDone(summary, read.records);
  close();
}

void LayoutReaderWindow::mDataPosSet() {
  if (main_window_) main_window_->hide();
  bool store = false;
  {
    TopMostPause pause(this);
    store = boxes_.AskYesNo(this, QStringLiteral("データの位置と長さを基本の設定にしますか？"),
                            QStringLiteral("基本データ位置、長さの設定"), Icon::kCritical);
  }
  if (store) settings_.layout = layout_;
  if (main_window_) main_window_->show();
}

void LayoutReaderWindow::closeEvent(QCloseEvent* event) {
  settings_.layout_reader_left = static_cast<std::int32_t>(PixelsToTwips(geometry().x(), this));
  settings_.layout_reader_top = static_cast<std::int32_t>(PixelsToTwips(geometry().y(), this));
  QWidget::closeEvent(event);
}

void LayoutReaderWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace tovek::ui
