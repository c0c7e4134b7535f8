#include "editor/ui/review/data_check_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/ui/twips.h"
#include "common/ui/window_order.h"
#include "editor/ui/review/sample_grid.h"

namespace tovek::ui {
namespace {

struct FieldLook {
  const char* caption;
  QColor colour;
};

const std::array<FieldLook, DataCheckWindow::kFields> kFieldLooks = {{
    {"周波数", QColor(255, 128, 128)},
    {"モード", QColor(255, 192, 128)},
    {"年月日　時間", QColor(255, 255, 128)},
    {"受信レポート", QColor(128, 255, 128)},
}};

// The first visible grid column once the sample row is shown.
constexpr int kFirstVisibleColumn = 50;
constexpr double kBelowMainTopTwips = 1250;

}  // namespace

DataCheckWindow::DataCheckWindow(const LogLines& rows, const KavrelSettings& settings,
                                 QWidget* main_window)
    : QWidget(main_window, Qt::Window),
      columns_(CheckColumnsFrom(settings.layout)),
      report_width_(settings.layout.rpt_len),
      sample_row_(CheckSampleRow(rows)) {
  setObjectName(QStringLiteral("frmDataCheck"));
  setWindowTitle(QStringLiteral("データチェック"));
  setAttribute(Qt::WA_DeleteOnClose);
  const QFont font =
      ListFontWithoutSize(settings.font_name, settings.font_bold, settings.font_italic);

  auto* instruction = new QLabel(QStringLiteral("左右ボタンでデータを左寄せにセット"), this);
  grid_ = new SampleGrid(this);
  grid_->setFont(font);
  grid_->SetRow(sample_row_);

  auto* fields = new QGridLayout;
  for (int i = 0; i < kFields; ++i) {
    auto* caption = new QLabel(QString::fromUtf8(kFieldLooks[i].caption), this);
    caption->setObjectName(QStringLiteral("lblField%1").arg(i));
    caption->setAutoFillBackground(true);
    QPalette palette = caption->palette();
    palette.setColor(QPalette::Window, kFieldLooks[i].colour);
    caption->setPalette(palette);
    starts_[i] = SunkenLabel(QStringLiteral("lblStart%1").arg(i), this);
    starts_[i]->setAlignment(Qt::AlignCenter);
    starts_[i]->setMinimumWidth(
        starts_[i]->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    previews_[i] = SunkenLabel(QStringLiteral("lblPreview%1").arg(i), this);
    previews_[i]->setFont(font);
    previews_[i]->setMinimumWidth(previews_[i]->fontMetrics().horizontalAdvance(QString(17, u'M')));
    QToolButton* left = ArrowButton(Qt::LeftArrow, QStringLiteral("cmdLeft%1").arg(i), this);
    QToolButton* right = ArrowButton(Qt::RightArrow, QStringLiteral("cmdRight%1").arg(i), this);
    connect(left, &QToolButton::clicked, this, [this, i] { MoveField(i, -1); });
    connect(right, &QToolButton::clicked, this, [this, i] { MoveField(i, 1); });
    fields->addWidget(caption, i, 0);
    fields->addWidget(left, i, 1);
    fields->addWidget(right, i, 2);
    fields->addWidget(starts_[i], i, 3);
    fields->addWidget(previews_[i], i, 4);
  }
  fields->setColumnStretch(4, 1);

  auto* start = new QPushButton(QStringLiteral("チェック開始"), this);
  start->setObjectName(QStringLiteral("cmdCheckStart"));
  start->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  cancel->setObjectName(QStringLiteral("cmdCancel"));
  connect(start, &QPushButton::clicked, this, &DataCheckWindow::StartCheck);
  connect(cancel, &QPushButton::clicked, this, &QWidget::close);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(start);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(instruction);
  layout->addWidget(grid_);
  layout->addLayout(fields);
  layout->addLayout(buttons);

  Refresh();
  grid_->ScrollToColumn(kFirstVisibleColumn);
  resize(TwipsToPixels(9000, this), sizeHint().height());
  if (main_window) {
    const QRect main = main_window->frameGeometry();
    move(main.x() + (main.width() - width()) / 2,
         main.y() + TwipsToPixels(kBelowMainTopTwips, this));
  }
  SetStaysOnTop(this, true);
  start->setFocus();
}

int& DataCheckWindow::StartOf(int field) {
  switch (field) {
    case 0:
      return columns_.frequency;
    case 1:
      return columns_.mode;
    case 2:
      return columns_.date_time;
    default:
      return columns_.received_report;
  }
}

void DataCheckWindow::MoveField(int field, int delta) {
  StartOf(field) = MovedStart(StartOf(field), delta);
  Refresh();
}

void DataCheckWindow::Refresh() {
  const std::vector<FieldSpan> fields = CheckFields(columns_, report_width_);
  std::vector<QColor> colours;
  for (int i = 0; i < kFields; ++i) {
    starts_[i]->setText(QString::number(fields[i].start));
    previews_[i]->setText(FieldPreview(sample_row_, fields[i]));
    colours.push_back(kFieldLooks[i].colour);
  }
  grid_->Colour(fields, colours);
}

QString DataCheckWindow::Preview(int field) const { return previews_.at(field)->text(); }

void DataCheckWindow::StartCheck() {
  const CheckColumns columns = columns_;
  close();
  Q_EMIT CheckRequested(columns);
}

void DataCheckWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace tovek::ui
