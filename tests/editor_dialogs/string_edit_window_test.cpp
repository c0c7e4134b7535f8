#include "editor/ui/dialogs/string_edit_window.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "tests/support/scripted_message_boxes.h"

namespace tovek::ui {
namespace {

using testing::ScriptedMessageBoxes;

// Rows 2 to 31 are QSO rows, numbered in their serial.
LogLines SampleLog() {
  LogLines rows{"START-OF-LOG: 2.0", "CALLSIGN: JA1ABC"};
  for (int i = 2; i <= 31; ++i) {
    rows.append(
        QStringLiteral("QSO: 14080 RY 2024-05-01 1200 JA1ABC 599 %1").arg(i, 3, 10, QChar(u'0')));
  }
  rows.append("END-OF-LOG:");
  return rows;
}

QString Fault(int row, const char* name, const LogLines& rows) {
  return QStringLiteral("%1%2%3").arg(row, 5).arg(QString::fromLatin1(name)).arg(rows[row]);
}

}  // namespace

class StringEditWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void cleanup();
  void ListModeShowsTheRowAndItsNeighbours();
  void TypingWritesUpperCaseIntoTheLog();
  void ArrowKeysMoveAndCarryTheCaret();
  void RowFromOutside();
  void EscapeAndEnterClose();
  void CheckModeListsFaultsAndJumpsToThem();
  void OtherKeysHideDeleteAndOfferTheCheck();
  void DeleteAskedAndRemovesFromTheLast();
  void DeleteAnsweredNoDeletesNothing();
  void LogCheckClosesAndAsksForTheCheck();
  void PlacedBelowTheMainWindow();

 private:
  StringEditWindow* Open(EditWindowMode mode, int row, const QStringList& faults = {},
                         QWidget* main_window = nullptr);
  QLineEdit* Box(const char* name) const {
    return window_->findChild<QLineEdit*>(QString::fromLatin1(name));
  }
  QPushButton* Button(const char* name) const {
    return window_->findChild<QPushButton*>(QString::fromLatin1(name));
  }

  LogLines rows_;
  ScriptedMessageBoxes boxes_;
  QPointer<StringEditWindow> window_;
};

void StringEditWindowTest::init() {
  rows_ = SampleLog();
  boxes_.Clear();
}

void StringEditWindowTest::cleanup() { delete window_; }

StringEditWindow* StringEditWindowTest::Open(EditWindowMode mode, int row,
                                             const QStringList& faults, QWidget* main_window) {
  delete window_;
  window_ = new StringEditWindow(rows_, mode, row, QFont(), boxes_, main_window, faults);
  window_->show();
  return window_;
}

void StringEditWindowTest::ListModeShowsTheRowAndItsNeighbours() {
  Open(EditWindowMode::kList, 5);
  QCOMPARE(window_->objectName(), QString("frmTxtEdit"));
  QCOMPARE(window_->windowTitle(), QString("文字列の編集/削除"));
  QCOMPARE(window_->Mode(), EditWindowMode::kList);
  QCOMPARE(Box("txtBefore")->text(), rows_[4]);
  QCOMPARE(Box("txtCurrent")->text(), rows_[5]);
  QCOMPARE(Box("txtAfter")->text(), rows_[6]);
  QCOMPARE(Button("cmdClose")->text(), QString("終　了"));
  QCOMPARE(Button("cmdDelete")->text(), QString("削　除"));
  QCOMPARE(Button("cmdLogCheck")->text(), QString("ﾛｸﾞﾁｪｯｸ"));
  QVERIFY(Button("cmdDelete")->isHidden());
  QVERIFY(!Button("cmdLogCheck")->isEnabled());
  QVERIFY(window_->findChild<QListWidget*>("lstFaults")->isHidden());
  QVERIFY(window_->windowFlags() & Qt::WindowStaysOnTopHint);
}

void StringEditWindowTest::TypingWritesUpperCaseIntoTheLog() {
  Open(EditWindowMode::kList, 5);
  QSignalSpy edited(window_, &StringEditWindow::RowEdited);
  QLineEdit* current = Box("txtCurrent");
  current->setCursorPosition(current->text().size());
  QTest::keyClicks(current, " k1abc");
  QCOMPARE(rows_[5], QString("QSO: 14080 RY 2024-05-01 1200 JA1ABC 599 005 K1ABC"));
  QCOMPARE(edited.count(), 6);
  QCOMPARE(edited.last().at(0).toInt(), 5);
  QTest::keyClick(current, Qt::Key_Backspace);
  QCOMPARE(rows_[5], QString("QSO: 14080 RY 2024-05-01 1200 JA1ABC 599 005 K1AB"));
  QCOMPARE(rows_.size(), 33);
  // In list mode "削　除" stays hidden.
  QVERIFY(Button("cmdDelete")->isHidden());
}

void StringEditWindowTest::ArrowKeysMoveAndCarryTheCaret() {
  Open(EditWindowMode::kList, 1);
  QSignalSpy moved(window_, &StringEditWindow::CurrentRowChanged);
  QLineEdit* current = Box("txtCurrent");
  current->setCursorPosition(10);
  QTest::keyClick(current, Qt::Key_Down);
  QCOMPARE(window_->CurrentRow(), 2);
  QCOMPARE(current->text(), rows_[2]);
  QCOMPARE(current->cursorPosition(), 10);
  QCOMPARE(moved.count(), 1);
  QCOMPARE(moved.last().at(0).toInt(), 2);
  QTest::keyClick(current, Qt::Key_Up);
  QTest::keyClick(current, Qt::Key_Up);
  QCOMPARE(window_->CurrentRow(), 0);
  QCOMPARE(Box("txtBefore")->text(), QString());
  QTest::keyClick(current, Qt::Key_Up);
  QCOMPARE(window_->CurrentRow(), 0);
  QCOMPARE(moved.count(), 3);
  // A caret beyond a shorter row ends at its end.
  window_->SetCurrentRow(31);
  current->setCursorPosition(40);
  QTest::keyClick(current, Qt::Key_Down);
  QCOMPARE(window_->CurrentRow(), 32);
  QCOMPARE(current->text(), QString("END-OF-LOG:"));
  QCOMPARE(current->cursorPosition(), 11);
  QCOMPARE(Box("txtAfter")->text(), QString());
  QTest::keyClick(current, Qt::Key_Down);
  QCOMPARE(window_->CurrentRow(), 32);
  // Arrow keys are no edits.
  QCOMPARE(rows_, SampleLog());
}

void StringEditWindowTest::RowFromOutside() {
  Open(EditWindowMode::kList, 3);
  QSignalSpy moved(window_, &StringEditWindow::CurrentRowChanged);
  window_->SetCurrentRow(12);
  QCOMPARE(Box("txtBefore")->text(), rows_[11]);
  QCOMPARE(Box("txtCurrent")->text(), rows_[12]);
  QCOMPARE(Box("txtAfter")->text(), rows_[13]);
  QCOMPARE(moved.count(), 1);
  window_->SetCurrentRow(99);
  QCOMPARE(window_->CurrentRow(), 12);
}

void StringEditWindowTest::EscapeAndEnterClose() {
  for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
    Open(EditWindowMode::kList, 3);
    QSignalSpy closed(window_, &StringEditWindow::Closed);
    QSignalSpy check(window_, &StringEditWindow::DataCheckRequested);
    QTest::keyClick(Box("txtCurrent"), key);
    QCOMPARE(closed.count(), 1);
    QCOMPARE(check.count(), 0);
    QVERIFY(!window_->isVisible());
    // It goes away by itself.
    QTRY_VERIFY(window_.isNull());
  }
  QCOMPARE(rows_, SampleLog());
}

void StringEditWindowTest::CheckModeListsFaultsAndJumpsToThem() {
  const QStringList faults{Fault(12, " MODE        ", rows_), Fault(30, " TIME        ", rows_)};
  Open(EditWindowMode::kCheck, 12, faults);
  QCOMPARE(window_->Mode(), EditWindowMode::kCheck);
  QVERIFY(!Button("cmdDelete")->isHidden());
  QVERIFY(!Button("cmdLogCheck")->isEnabled());
  auto* list = window_->findChild<QListWidget*>("lstFaults");
  QVERIFY(!list->isHidden());
  QCOMPARE(window_->FaultLines(), faults);
  QCOMPARE(Box("txtCurrent")->text(), rows_[12]);
  QSignalSpy moved(window_, &StringEditWindow::CurrentRowChanged);
  const QRect second = list->visualItemRect(list->item(1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
  QCOMPARE(window_->CurrentRow(), 30);
  QCOMPARE(Box("txtCurrent")->text(), rows_[30]);
  QCOMPARE(moved.count(), 1);
  // Looking around deletes nothing and keeps "削　除".
  QVERIFY(!Button("cmdDelete")->isHidden());
}

void StringEditWindowTest::OtherKeysHideDeleteAndOfferTheCheck() {
  Open(EditWindowMode::kCheck, 12, {Fault(12, " MODE        ", rows_)});
  QLineEdit* current = Box("txtCurrent");
  QTest::keyClick(current, Qt::Key_Down);
  QVERIFY(!Button("cmdDelete")->isHidden());
  QTest::keyClick(current, Qt::Key_End);
  QVERIFY(Button("cmdDelete")->isHidden());
  QVERIFY(Button("cmdLogCheck")->isEnabled());
}

void StringEditWindowTest::DeleteAskedAndRemovesFromTheLast() {
  const QStringList faults{Fault(12, " MODE        ", rows_), Fault(12, " FREQENCY    ", rows_),
                           Fault(30, " TIME        ", rows_)};
  Open(EditWindowMode::kCheck, 12, faults);
  QStringList heard;
  QList<int> removed;
  QStringList kept;
  connect(window_, &StringEditWindow::FaultLinesKept, [&](const QStringList& lines) {
    heard << "kept";
    kept = lines;
  });
  connect(window_, &StringEditWindow::RowsDeleted, [&](const QList<int>& rows) {
    heard << "deleted";
    removed = rows;
  });
  connect(window_, &StringEditWindow::Closed, [&] { heard << "closed"; });
  connect(window_, &StringEditWindow::DataCheckRequested, [&] { heard << "check"; });
  boxes_.Answer(Answer::kYes);
  QTest::mouseClick(Button("cmdDelete"), Qt::LeftButton);

  QCOMPARE(boxes_.Shown(), (QList<MessageRequest>{{"この 2 データを削除しますか？", "データの削除",
                                                   Buttons::kYesNo, Icon::kCritical}}));
  LogLines expected = SampleLog();
  expected.removeAt(30);
  expected.removeAt(12);
  QCOMPARE(rows_, expected);
  QCOMPARE(removed, (QList<int>{30, 12}));
  QCOMPARE(kept, faults);
  QCOMPARE(heard, (QStringList{"kept", "deleted", "closed", "check"}));
}

void StringEditWindowTest::DeleteAnsweredNoDeletesNothing() {
  const QStringList faults{Fault(7, " MODE        ", rows_)};
  Open(EditWindowMode::kCheck, 7, faults);
  QSignalSpy kept(window_, &StringEditWindow::FaultLinesKept);
  QSignalSpy closed(window_, &StringEditWindow::Closed);
  QSignalSpy deleted(window_, &StringEditWindow::RowsDeleted);
  boxes_.Answer(Answer::kNo);
  QTest::mouseClick(Button("cmdDelete"), Qt::LeftButton);
  QCOMPARE(boxes_.Shown().size(), 1);
  QCOMPARE(boxes_.Shown().first().text, QString("この 1 データを削除しますか？"));
  QCOMPARE(rows_, SampleLog());
  QCOMPARE(kept.count(), 1);  // kept for the error report all the same
  QCOMPARE(closed.count(), 0);
  QCOMPARE(deleted.count(), 0);
  QVERIFY(window_->isVisible());
  QVERIFY(window_->windowFlags() & Qt::WindowStaysOnTopHint);
  QCOMPARE(window_->FaultLines(), faults);
}

void StringEditWindowTest::LogCheckClosesAndAsksForTheCheck() {
  Open(EditWindowMode::kCheck, 12, {Fault(12, " MODE        ", rows_)});
  QStringList heard;
  connect(window_, &StringEditWindow::Closed, [&] { heard << "closed"; });
  connect(window_, &StringEditWindow::DataCheckRequested, [&] { heard << "check"; });
  QTest::keyClicks(Box("txtCurrent"), "x");
  QTest::mouseClick(Button("cmdLogCheck"), Qt::LeftButton);
  QCOMPARE(heard, (QStringList{"closed", "check"}));
  QVERIFY(boxes_.Shown().isEmpty());
  // The caret starts at the beginning of the row.
  QCOMPARE(rows_[12], "X" + SampleLog()[12]);
}

void StringEditWindowTest::PlacedBelowTheMainWindow() {
  QWidget main_window;
  main_window.setGeometry(50, 60, 900, 700);
  main_window.show();
  Open(EditWindowMode::kList, 3, {}, &main_window);
  const int dpi = window_->logicalDpiY();
  const QRect frame = main_window.frameGeometry();
  QCOMPARE(window_->pos(), QPoint(frame.left(), frame.top() + 1000 * dpi / 1440));
  QCOMPARE(window_->width(), frame.width());
  QCOMPARE(window_->height(), 2045 * dpi / 1440);
  delete window_;
}

}  // namespace tovek::ui

QTEST_MAIN(tovek::ui::StringEditWindowTest)
#include "string_edit_window_test.moc"
