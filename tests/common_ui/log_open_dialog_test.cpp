// The log-open dialog on real folders: the listed files, the first name on
// activation, click, double-click, OK and cancel, and when the host hears of
// the path relative to the dialog closing.
#include "common/ui/log_open_dialog.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "tests/support/scripted_message_boxes.h"
#include "tests/support/test_files.h"

namespace tovek::ui {
namespace {

using tovek::testing::ScriptedMessageBoxes;
using tovek::testing::TempFolder;

// Notes whether the dialog kept itself on top while a box was shown.
class OnTopProbe final : public MessageBoxes {
 public:
  Answer Show(QWidget* parent, const MessageRequest& request) override {
    on_top_while_shown.append(parent->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    return script.Show(parent, request);
  }
  ScriptedMessageBoxes script;
  QList<bool> on_top_while_shown;
};

// What the host saw when the path arrived.
struct Heard {
  QString path;
  bool dialog_visible;
};

QListWidget* Files(QDialog& dialog) { return dialog.findChild<QListWidget*>("File1"); }
QLineEdit* Name(QDialog& dialog) { return dialog.findChild<QLineEdit*>("Text1"); }
QPushButton* Ok(QDialog& dialog) { return dialog.findChild<QPushButton*>("Command1"); }
QPushButton* Cancel(QDialog& dialog) { return dialog.findChild<QPushButton*>("Command2"); }

QStringList ListedNames(QDialog& dialog) {
  QStringList names;
  for (int i = 0; i < Files(dialog)->count(); ++i) names.append(Files(dialog)->item(i)->text());
  return names;
}

void ShowActive(QDialog& dialog) {
  dialog.show();
  dialog.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
}

QPoint ItemCentre(QDialog& dialog, int row) {
  return Files(dialog)->visualItemRect(Files(dialog)->item(row)).center();
}

}  // namespace

class LogOpenDialogTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void ListsTheProgramsFiles_data();
  void ListsTheProgramsFiles();
  void ActivationProposesTheFirstFile();
  void ComingBackKeepsTheUsersChoice();
  void EmptyFolderAsksForAFile();
  void EditorDropsTopMostWhileAsking();
  void ClickCopiesTheName();
  void DoubleClickChoosesAndCloses_data();
  void DoubleClickChoosesAndCloses();
  void OkTakesTheTrimmedTypedName();
  void CancelReadsNothing();
  void MissingFolderIsReported();

 private:
  std::unique_ptr<TempFolder> folder_;
  ScriptedMessageBoxes boxes_;
};

void LogOpenDialogTest::init() {
  folder_ = std::make_unique<TempFolder>();
  for (const char* name : {"ja1abc.cbr", "W1AW.LOG", "dl1xyz.txt", "k3lr.adi", "notes.doc"}) {
    folder_->Write(QString::fromLatin1(name), "QSO:");
  }
  boxes_.Clear();
}

void LogOpenDialogTest::ListsTheProgramsFiles_data() {
  QTest::addColumn<bool>("converter");
  QTest::addColumn<QStringList>("expected");
  QTest::newRow("Kavrel") << false << QStringList{"dl1xyz.txt", "ja1abc.cbr", "W1AW.LOG"};
  QTest::newRow("Morrick") << true << QStringList{"dl1xyz.txt", "k3lr.adi"};
}

void LogOpenDialogTest::ListsTheProgramsFiles() {
  QFETCH(bool, converter);
  const QFont font(QStringLiteral("DejaVu Sans Mono"), 15);
  LogOpenDialog dialog(converter ? MorrickLogOpenConfig(font) : KavrelLogOpenConfig(), boxes_);
  QCOMPARE(dialog.objectName(), QStringLiteral("frmLogOpen"));
  QCOMPARE(dialog.windowTitle(), QStringLiteral("データフォルダー"));
  QCOMPARE(Ok(dialog)->text(), QStringLiteral("OK"));
  QCOMPARE(Cancel(dialog)->text(), QStringLiteral("ｷｬﾝｾﾙ"));
  QCOMPARE(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint), !converter);

  QVERIFY(dialog.SetFolder(folder_->Path()).ok);
  QTEST(ListedNames(dialog), "expected");
  if (converter) {
    QCOMPARE(Files(dialog)->font(), font);
    QCOMPARE(Name(dialog)->font(), font);
  }
}

void LogOpenDialogTest::ActivationProposesTheFirstFile() {
  LogOpenDialog dialog(KavrelLogOpenConfig(), boxes_);
  dialog.SetFolder(folder_->Path());
  QCOMPARE(Name(dialog)->text(), QString());
  ShowActive(dialog);
  QCOMPARE(Name(dialog)->text(), QStringLiteral("dl1xyz.txt"));
  QTRY_VERIFY(Ok(dialog)->hasFocus());

  // The editor shows the dialog first and points it at the folder after.
  TempFolder other;
  other.Write("zl2abc.log", "");
  dialog.SetFolder(other.Path());
  QCOMPARE(Name(dialog)->text(), QStringLiteral("zl2abc.log"));
}

void LogOpenDialogTest::ComingBackKeepsTheUsersChoice() {
  LogOpenDialog dialog(KavrelLogOpenConfig(), boxes_);
  dialog.SetFolder(folder_->Path());
  ShowActive(dialog);
  QTest::mouseClick(Files(dialog)->viewport(), Qt::LeftButton, {}, ItemCentre(dialog, 2));
  QCOMPARE(Name(dialog)->text(), QStringLiteral("W1AW.LOG"));

  QWidget main_window;
  main_window.show();
  main_window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&main_window));
  ShowActive(dialog);
  QCOMPARE(Name(dialog)->text(), QStringLiteral("W1AW.LOG"));
}

void LogOpenDialogTest::EmptyFolderAsksForAFile() {
  TempFolder empty;
  empty.Write("readme.doc", "");
  LogOpenDialog dialog(MorrickLogOpenConfig(QFont()), boxes_);
  QSignalSpy chosen(&dialog, &LogOpenDialog::FileChosen);
  QVERIFY(dialog.SetFolder(empty.Path()).ok);
  ShowActive(dialog);
  QCOMPARE(Files(dialog)->count(), 0);
  QCOMPARE(Name(dialog)->text(), QString());

  boxes_.Answer(Answer::kOk);
  QTest::mouseClick(Ok(dialog), Qt::LeftButton);
  Name(dialog)->setText(QStringLiteral("   "));
  boxes_.Answer(Answer::kOk);
  QTest::mouseClick(Ok(dialog), Qt::LeftButton);

  const MessageRequest expected{
      QStringLiteral("ファイルを選択して下さい"), {}, Buttons::kOk, Icon::kNone};
  QCOMPARE(boxes_.Shown(), (QList<MessageRequest>{expected, expected}));
  QVERIFY(dialog.isVisible());
  QCOMPARE(chosen.count(), 0);
}

void LogOpenDialogTest::EditorDropsTopMostWhileAsking() {
  OnTopProbe probe;
  LogOpenDialog dialog(KavrelLogOpenConfig(), probe);
  TempFolder empty;
  dialog.SetFolder(empty.Path());
  ShowActive(dialog);
  probe.script.Answer(Answer::kOk);
  QTest::mouseClick(Ok(dialog), Qt::LeftButton);
  QCOMPARE(probe.on_top_while_shown, QList<bool>{false});
  QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  QVERIFY(dialog.isVisible());
}

void LogOpenDialogTest::ClickCopiesTheName() {
  LogOpenDialog dialog(KavrelLogOpenConfig(), boxes_);
  dialog.SetFolder(folder_->Path());
  ShowActive(dialog);
  Name(dialog)->setText(QStringLiteral("typed"));
  QTest::mouseClick(Files(dialog)->viewport(), Qt::LeftButton, {}, ItemCentre(dialog, 1));
  QCOMPARE(Name(dialog)->text(), QStringLiteral("ja1abc.cbr"));
  Name(dialog)->setText(QStringLiteral("typed"));
  // Clicking the same file again takes its name again.
  QTest::mouseClick(Files(dialog)->viewport(), Qt::LeftButton, {}, ItemCentre(dialog, 1));
  QCOMPARE(Name(dialog)->text(), QStringLiteral("ja1abc.cbr"));
  QVERIFY(dialog.isVisible());
  QCOMPARE(boxes_.Shown().size(), 0);
}

void LogOpenDialogTest::DoubleClickChoosesAndCloses_data() {
  QTest::addColumn<bool>("converter");
  QTest::addColumn<bool>("visible_when_heard");
  // The editor reads after the dialog has gone; the converter reads and
  // shows the path while the dialog is still there.
  QTest::newRow("Kavrel") << false << false;
  QTest::newRow("Morrick") << true << true;
}

void LogOpenDialogTest::DoubleClickChoosesAndCloses() {
  QFETCH(bool, converter);
  QFETCH(bool, visible_when_heard);
  const QString second_name = converter ? QStringLiteral("k3lr.adi") : QStringLiteral("ja1abc.cbr");
  LogOpenDialog dialog(converter ? MorrickLogOpenConfig(QFont()) : KavrelLogOpenConfig(), boxes_);
  QList<Heard> heard;
  connect(&dialog, &LogOpenDialog::FileChosen, this, [&](const QString& path) {
    heard.append({path, dialog.isVisible()});
  });
  dialog.SetFolder(folder_->Path());
  ShowActive(dialog);

  // A double-click as the mouse makes it: press and release, then the
  // second press arrives as the double-click.
  QTest::mouseClick(Files(dialog)->viewport(), Qt::LeftButton, {}, ItemCentre(dialog, 1));
  QTest::mouseDClick(Files(dialog)->viewport(), Qt::LeftButton, {}, ItemCentre(dialog, 1));

  QCOMPARE(heard.size(), 1);
  QCOMPARE(heard[0].path, QDir::toNativeSeparators(folder_->File(second_name)));
  QCOMPARE(heard[0].dialog_visible, visible_when_heard);
  QCOMPARE(Name(dialog)->text(), second_name);
  QVERIFY(!dialog.isVisible());
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QCOMPARE(dialog.ChosenPath(), heard[0].path);
  QCOMPARE(boxes_.Shown().size(), 0);
}

void LogOpenDialogTest::OkTakesTheTrimmedTypedName() {
  LogOpenDialog dialog(KavrelLogOpenConfig(), boxes_);
  QSignalSpy chosen(&dialog, &LogOpenDialog::FileChosen);
  dialog.SetFolder(folder_->Path() + QStringLiteral("/"));
  ShowActive(dialog);
  Name(dialog)->setText(QStringLiteral("  My Log.txt \t"));
  QTest::mouseClick(Ok(dialog), Qt::LeftButton);
  QCOMPARE(chosen.count(), 1);
  QCOMPARE(chosen[0][0].toString(), QDir::toNativeSeparators(folder_->File("My Log.txt")));
  QVERIFY(!dialog.isVisible());
}

void LogOpenDialogTest::CancelReadsNothing() {
  LogOpenDialog dialog(KavrelLogOpenConfig(), boxes_);
  QSignalSpy chosen(&dialog, &LogOpenDialog::FileChosen);
  dialog.SetFolder(folder_->Path());
  ShowActive(dialog);
  QTest::mouseClick(Cancel(dialog), Qt::LeftButton);
  QVERIFY(!dialog.isVisible());
  QCOMPARE(dialog.result(), int(QDialog::Rejected));
  QCOMPARE(chosen.count(), 0);
  QCOMPARE(dialog.ChosenPath(), QString());
}

void LogOpenDialogTest::MissingFolderIsReported() {
  LogOpenDialog dialog(KavrelLogOpenConfig(), boxes_);
  dialog.SetFolder(folder_->Path());
  const FileOutcome outcome = dialog.SetFolder(folder_->File("gone"));
  QVERIFY(!outcome.ok);
  QVERIFY(!outcome.error.isEmpty());
  QCOMPARE(Files(dialog)->count(), 0);
  QCOMPARE(boxes_.Shown().size(), 0);  // the host decides what to show
}

}  // namespace tovek::ui

QTEST_MAIN(tovek::ui::LogOpenDialogTest)
#include "log_open_dialog_test.moc"
