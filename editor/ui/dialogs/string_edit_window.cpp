#include "editor/ui/dialogs/string_edit_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "common/ui/message_boxes.h"
#include "common/ui/window_order.h"
#include "editor/fault_rows.h"
#include "editor/ui/dialogs/typing.h"

namespace tovek::ui {
namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kTwipsBelowMainTop = 1000;
constexpr int kListModeHeightTwips = 2045;
// Room for about a dozen fault lines under the buttons.
constexpr int kCheckModeHeightTwips = 5000;

int TwipsToPixels(int twips, int dpi) {
  return static_cast<int>(static_cast<qint64>(twips) * dpi / kTwipsPerInch);
}

QLineEdit* RowBox(const char* name, bool editable, const QFont& font, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setReadOnly(!editable);
  box->setFont(font);
  if (!editable) {
    box->setFocusPolicy(Qt::NoFocus);
    // Only the middle row takes typing; the others look like it.
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    box->setPalette(palette);
  }
  return box;
}

QPushButton* Button(const QString& caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

// A row holds neither line breaks nor tabs, also when they were pasted.
QString AsRow(QString text) {
  text.remove(u'\n');
  text.remove(u'\r');
  text.remove(u'\t');
  return text;
}

}  // namespace

StringEditWindow::StringEditWindow(LogLines& rows, EditWindowMode mode, int current_row,
                                   const QFont& font, MessageBoxes& boxes, QWidget* main_window,
                                   const QStringList& fault_lines)
    : QWidget(main_window, Qt::Window | Qt::WindowStaysOnTopHint),
      rows_(rows),
      mode_(mode),
      boxes_(boxes) {
  setObjectName(QStringLiteral("frmTxtEdit"));
  setWindowTitle(QStringLiteral("文字列の編集/削除"));
  setAttribute(Qt::WA_DeleteOnClose);
  BuildControls(font);
  faults_->addItems(fault_lines);
  PlaceBelow(main_window);

  scroll_->setRange(0, std::max<int>(static_cast<int>(rows_.size()) - 1, 0));
  connect(scroll_, &QScrollBar::valueChanged, this, &StringEditWindow::ShowRow);
  const int first = std::clamp(current_row, scroll_->minimum(), scroll_->maximum());
  if (first == scroll_->value()) {
    ShowRow(first);
  } else {
    scroll_->setValue(first);
  }
}

void StringEditWindow::BuildControls(const QFont& font) {
  before_ = RowBox("txtBefore", false, font, this);
  current_ = RowBox("txtCurrent", true, font, this);
  after_ = RowBox("txtAfter", false, font, this);
  current_->installEventFilter(this);
  connect(current_, &QLineEdit::textChanged, this, &StringEditWindow::WriteRow);

  scroll_ = new QScrollBar(Qt::Vertical, this);
  scroll_->setObjectName(QStringLiteral("VScroll1"));
  scroll_->setPageStep(1);

  close_ = Button(QStringLiteral("終　了"), "cmdClose", this);
  delete_ = Button(QStringLiteral("削　除"), "cmdDelete", this);
  log_check_ = Button(QStringLiteral("ﾛｸﾞﾁｪｯｸ"), "cmdLogCheck", this);
  delete_->setVisible(mode_ != EditWindowMode::kList);
  log_check_->setEnabled(false);
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
  connect(delete_, &QPushButton::clicked, this, &StringEditWindow::DeleteListedRows);
  connect(log_check_, &QPushButton::clicked, this, &StringEditWindow::RunLogCheck);

  faults_ = new QListWidget(this);
  faults_->setObjectName(QStringLiteral("lstFaults"));
  faults_->setFont(font);
  faults_->setVisible(mode_ != EditWindowMode::kList);
  connect(faults_, &QListWidget::itemClicked, this, &StringEditWindow::FaultClicked);

  auto* boxes = new QVBoxLayout;
  boxes->setSpacing(0);
  boxes->addWidget(before_);
  boxes->addWidget(current_);
  boxes->addWidget(after_);
  auto* rows = new QHBoxLayout;
  rows->addLayout(boxes, 1);
  rows->addWidget(scroll_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(close_);
  buttons->addWidget(delete_);
  buttons->addWidget(log_check_);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(rows);
  layout->addLayout(buttons);
  layout->addWidget(faults_, 1);
  if (mode_ == EditWindowMode::kList) layout->addStretch(0);
}

void StringEditWindow::PlaceBelow(const QWidget* main_window) {
  const int dpi = logicalDpiY();
  const int height = TwipsToPixels(
      mode_ == EditWindowMode::kList ? kListModeHeightTwips : kCheckModeHeightTwips, dpi);
  if (!main_window) {
    resize(width(), height);
    return;
  }
  const QRect frame = main_window->frameGeometry();
  move(frame.left(), frame.top() + TwipsToPixels(kTwipsBelowMainTop, dpi));
  resize(frame.width(), height);
}

int StringEditWindow::CurrentRow() const { return scroll_->value(); }

QStringList StringEditWindow::FaultLines() const {
  QStringList lines;
  for (int i = 0; i < faults_->count(); ++i) lines.append(faults_->item(i)->text());
  return lines;
}

void StringEditWindow::SetCurrentRow(int row) {
  if (row >= scroll_->minimum() && row <= scroll_->maximum()) scroll_->setValue(row);
}

void StringEditWindow::ShowRow(int row) {
  const int caret = current_->cursorPosition();
  const auto text = [this](qsizetype index) {
    return index >= 0 && index < rows_.size() ? rows_[index] : QString();
  };
  filling_ = true;
  before_->setText(text(row - 1));
  current_->setText(text(row));
  after_->setText(text(row + 1));
  filling_ = false;
  current_->setCursorPosition(caret);
  Q_EMIT CurrentRowChanged(row);
  current_->setFocus();
}

void StringEditWindow::WriteRow(const QString& text) {
  const int row = CurrentRow();
  if (filling_ || row >= rows_.size()) return;
  const QString cleaned = AsRow(text);
  if (cleaned != text) {
    const int caret = current_->cursorPosition();
    current_->setText(cleaned);  // comes back here with the clean text
    current_->setCursorPosition(std::min<int>(caret, static_cast<int>(cleaned.size())));
    return;
  }
  rows_[row] = cleaned;
  Q_EMIT RowEdited(row);
}

bool StringEditWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == current_ && event->type() == QEvent::KeyPress) {
    return CurrentRowKey(static_cast<QKeyEvent*>(event));
  }
  return QWidget::eventFilter(watched, event);
}

bool StringEditWindow::CurrentRowKey(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
      if (CurrentRow() > scroll_->minimum()) scroll_->setValue(CurrentRow() - 1);
      return true;
    case Qt::Key_Down:
      if (CurrentRow() < scroll_->maximum()) scroll_->setValue(CurrentRow() + 1);
      return true;
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      close();
      return true;
    default:
      break;
  }
  // The rows may now differ from what the fault list was made of: deleting
  // by it is off, checking again is on.
  delete_->hide();
  log_check_->setEnabled(true);
  return TypeUpperCase(current_, event);
}

void StringEditWindow::FaultClicked(QListWidgetItem* item) {
  SetCurrentRow(FaultLineRow(item->text()));
}

void StringEditWindow::DeleteListedRows() {
  const QStringList lines = FaultLines();
  Q_EMIT FaultLinesKept(lines);
  const QList<int> removal_order = RowsToDelete(lines, rows_.size());
  if (!removal_order.isEmpty()) {
    bool yes = false;
    {
      const TopMostPause pause(this);
      yes = boxes_.AskYesNo(
          this, QStringLiteral("この %1 データを削除しますか？").arg(removal_order.size()),
          QStringLiteral("データの削除"), Icon::kCritical);
    }
    if (!yes) return;
    RemoveRows(rows_, removal_order);
    Q_EMIT RowsDeleted(removal_order);
  }
  faults_->clear();
  close();
  Q_EMIT DataCheckRequested();
}

void StringEditWindow::RunLogCheck() {
  close();
  Q_EMIT DataCheckRequested();
}

void StringEditWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (closed_) return;
  closed_ = true;
  Q_EMIT Closed();
}

}  // namespace tovek::ui
