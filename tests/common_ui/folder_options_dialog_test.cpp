// The folder settings dialog: what it shows on opening, what OK stores and
// creates, what a failure shows, and that cancel stores nothing.
#include "common/ui/folder_options_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTest>
#include <QTreeView>
#include <system_error>

#include "tests/support/scripted_message_boxes.h"
#include "tests/support/test_files.h"

namespace tovek::ui {
namespace {

using tovek::testing::ScriptedMessageBoxes;
using tovek::testing::TempFolder;

class OnTopProbe final : public MessageBoxes {
 public:
  Answer Show(QWidget* parent, const MessageRequest& request) override {
    on_top_while_shown.append(parent->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    return script.Show(parent, request);
  }
  ScriptedMessageBoxes script;
  QList<bool> on_top_while_shown;
};

QString SystemText(std::errc code) {
  return QString::fromLocal8Bit(std::make_error_code(code).message().c_str());
}

// The box for a folder the platform refused: what was tried, the folder,
// the platform's own words.
MessageRequest ErrorBox(const QString& lead, const QString& folder, std::errc code) {
  return {lead + u'\n' + QDir::toNativeSeparators(folder) + u'\n' + SystemText(code),
          {},
          Buttons::kOk,
          Icon::kNone};
}
const QString kNotCreated = QStringLiteral("フォルダーを作成できませんでした。");
const QString kNotOpened = QStringLiteral("フォルダーを開けませんでした。");

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

QLabel* Label(QDialog& dialog, int group) {
  return dialog.findChild<QLabel*>(QStringLiteral("Label%1").arg(group));
}
QTreeView* Tree(QDialog& dialog, int group) {
  return dialog.findChild<QTreeView*>(QStringLiteral("Dir%1").arg(group));
}
QComboBox* Drives(QDialog& dialog, int group) {
  return dialog.findChild<QComboBox*>(QStringLiteral("Drive%1").arg(group));
}
QPushButton* Ok(QDialog& dialog) { return dialog.findChild<QPushButton*>("Command1"); }
QPushButton* Cancel(QDialog& dialog) { return dialog.findChild<QPushButton*>("Command2"); }

// The folder the group's folder list has selected.
QString ListedFolder(QDialog& dialog, int group) {
  QTreeView* tree = Tree(dialog, group);
  return static_cast<QFileSystemModel*>(tree->model())->filePath(tree->currentIndex());
}

QStringList Subfolders(const QString& folder) {
  QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  names.sort();
  return names;
}

}  // namespace

class FolderOptionsDialogTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void EditorShowsTheDataFolderOnTop();
  void EditorOkCreatesTheSubfolders();
  void EditorOkFailureShowsTheReasonAndStaysOpen();
  void EditorMissingFolderOnOpeningIsReported();
  void ConverterShowsTwoFolders();
  void ConverterStartsAtTheProgramFolder();
  void ConverterKeepsAMissingFolderSilently();
  void ChoosingAFolderShowsItsPath();
  void FoldersReadLaterLeaveTheUsersScrollingAlone();
  void ChoosingADriveMovesTheList();
  void CancelStoresNothing();

 private:
  std::unique_ptr<TempFolder> temp_;
  QString program_;
  QString data_;
  ScriptedMessageBoxes boxes_;
};

void FolderOptionsDialogTest::init() {
  temp_ = std::make_unique<TempFolder>();
  QDir(temp_->Path()).mkpath(QStringLiteral("program"));
  QDir(temp_->Path()).mkpath(QStringLiteral("data/logs"));
  program_ = temp_->File("program");
  data_ = temp_->File("data/logs");
  boxes_.Clear();
}

void FolderOptionsDialogTest::EditorShowsTheDataFolderOnTop() {
  FolderOptionsDialog dialog(KavrelFolderOptions(data_), boxes_);
  QCOMPARE(dialog.objectName(), QStringLiteral("frmOptions"));
  QCOMPARE(dialog.windowTitle(), QStringLiteral("データファイルフォルダの設定"));
  QCOMPARE(dialog.findChildren<QGroupBox*>().size(), 1);
  QCOMPARE(dialog.findChild<QGroupBox*>("Frame1")->title(),
           QStringLiteral("データファイルフォルダ"));
  QCOMPARE(Ok(dialog)->text(), QStringLiteral("OK"));
  QCOMPARE(Cancel(dialog)->text(), QStringLiteral("ｷｬﾝｾﾙ"));
  QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

  QCOMPARE(Label(dialog, 1)->text(), Native(data_));
  QCOMPARE(ListedFolder(dialog, 1), data_);
  QCOMPARE(Drives(dialog, 1)->currentData().toString(), QStorageInfo(data_).rootPath());
}

void FolderOptionsDialogTest::EditorOkCreatesTheSubfolders() {
  QDir(data_).mkdir(QStringLiteral("EditLog"));
  temp_->Write("data/logs/EditLog/JA1ABC.cbr", "kept");
  FolderOptionsDialog dialog(KavrelFolderOptions(data_), boxes_);
  QSignalSpy chosen(&dialog, &FolderOptionsDialog::FoldersChosen);
  dialog.show();

  QTest::mouseClick(Ok(dialog), Qt::LeftButton);

  QCOMPARE(Subfolders(data_), (QStringList{"EditLog", "ErrRpt", "OldLog"}));
  QCOMPARE(tovek::testing::ReadBytes(temp_->File("data/logs/EditLog/JA1ABC.cbr")), "kept");
  QCOMPARE(chosen.count(), 1);
  QCOMPARE(chosen[0][0].toStringList(), QStringList{Native(data_)});
  QCOMPARE(dialog.Folders(), QStringList{Native(data_)});
  QVERIFY(!dialog.isVisible());
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QCOMPARE(boxes_.Shown().size(), 0);
}

void FolderOptionsDialogTest::EditorOkFailureShowsTheReasonAndStaysOpen() {
  temp_->Write("data/logs/OldLog", "a file where the folder should be");
  OnTopProbe probe;
  FolderOptionsDialog dialog(KavrelFolderOptions(data_), probe);
  QSignalSpy chosen(&dialog, &FolderOptionsDialog::FoldersChosen);
  dialog.show();

  probe.script.Answer(Answer::kOk);
  QTest::mouseClick(Ok(dialog), Qt::LeftButton);

  QCOMPARE(probe.script.Shown(),
           QList<MessageRequest>{ErrorBox(kNotCreated, data_, std::errc::file_exists)});
  QCOMPARE(probe.on_top_while_shown, QList<bool>{false});
  QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  QVERIFY(dialog.isVisible());
  QCOMPARE(chosen.count(), 0);
  QCOMPARE(dialog.Folders(), QStringList{});
}

void FolderOptionsDialogTest::EditorMissingFolderOnOpeningIsReported() {
  const QString gone = temp_->File("data/gone");
  auto config = KavrelFolderOptions(gone);
  config.program_folder = program_;
  OnTopProbe probe;
  probe.script.Answer(Answer::kOk);
  FolderOptionsDialog dialog(config, probe);
  QCOMPARE(probe.script.Shown().size(), 0);  // not before the dialog is there
  dialog.show();

  QTRY_COMPARE(probe.script.Shown(), QList<MessageRequest>{ErrorBox(
                                         kNotOpened, gone, std::errc::no_such_file_or_directory)});
  QCOMPARE(probe.on_top_while_shown, QList<bool>{false});
  QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  QVERIFY(dialog.isVisible());
  QCOMPARE(Label(dialog, 1)->text(), gone);
  QCOMPARE(ListedFolder(dialog, 1), program_);

  // OK on the missing folder cannot create its subfolders either.
  probe.script.Answer(Answer::kOk);
  QTest::mouseClick(Ok(dialog), Qt::LeftButton);
  QCOMPARE(probe.script.Shown().size(), 2);
  QCOMPARE(probe.script.Shown().last(),
           ErrorBox(kNotCreated, gone, std::errc::no_such_file_or_directory));
  QVERIFY(!QFileInfo::exists(gone));
  QVERIFY(dialog.isVisible());
}

void FolderOptionsDialogTest::ConverterShowsTwoFolders() {
  QDir(temp_->Path()).mkpath(QStringLiteral("out"));
  FolderOptionsDialog dialog(MorrickFolderOptions(data_, temp_->File("out")), boxes_);
  QSignalSpy chosen(&dialog, &FolderOptionsDialog::FoldersChosen);
  QCOMPARE(dialog.windowTitle(), QStringLiteral("データファイルフォルダの設定"));
  QCOMPARE(dialog.findChild<QGroupBox*>("Frame1")->title(), QStringLiteral("ADIF File Folder"));
  QCOMPARE(dialog.findChild<QGroupBox*>("Frame2")->title(),
           QStringLiteral("Cabrillo Output Folder"));
  QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  QCOMPARE(Label(dialog, 1)->text(), Native(data_));
  QCOMPARE(Label(dialog, 2)->text(), Native(temp_->File("out")));
  dialog.show();

  QTest::mouseClick(Ok(dialog), Qt::LeftButton);

  QCOMPARE(chosen.count(), 1);
  QCOMPARE(chosen[0][0].toStringList(), (QStringList{Native(data_), Native(temp_->File("out"))}));
  QCOMPARE(Subfolders(data_), QStringList{});  // the converter creates nothing
  QVERIFY(!dialog.isVisible());
  QCOMPARE(boxes_.Shown().size(), 0);
}

void FolderOptionsDialogTest::ConverterStartsAtTheProgramFolder() {
  auto config = MorrickFolderOptions({}, QStringLiteral("  ") + data_ + QStringLiteral("  "));
  config.program_folder = program_;
  FolderOptionsDialog dialog(config, boxes_);
  QCOMPARE(ListedFolder(dialog, 1), program_);
  QCOMPARE(Label(dialog, 1)->text(), Native(program_));
  QCOMPARE(ListedFolder(dialog, 2), data_);
  QCOMPARE(Label(dialog, 2)->text(), Native(data_));
}

void FolderOptionsDialogTest::ConverterKeepsAMissingFolderSilently() {
  const QString gone = temp_->File("unplugged/adif");
  auto config = MorrickFolderOptions(gone, data_);
  config.program_folder = program_;
  FolderOptionsDialog dialog(config, boxes_);
  QSignalSpy chosen(&dialog, &FolderOptionsDialog::FoldersChosen);
  dialog.show();
  QTest::qWait(10);
  QCOMPARE(boxes_.Shown().size(), 0);
  QCOMPARE(ListedFolder(dialog, 1), program_);
  QCOMPARE(Label(dialog, 1)->text(), gone);

  // Untouched, the setting comes back as it was.
  QTest::mouseClick(Ok(dialog), Qt::LeftButton);
  QCOMPARE(chosen.count(), 1);
  QCOMPARE(chosen[0][0].toStringList(), (QStringList{gone, Native(data_)}));
}

// The list opens centred on the start folder and keeps it in view while
// rows arrive or are sorted above it (the folder model reads in the
// background, and again on every change); once the user has scrolled, a
// parent folder read again must not pull the list back there.
void FolderOptionsDialogTest::FoldersReadLaterLeaveTheUsersScrollingAlone() {
  for (int i = 0; i < 60; ++i) {
    QDir(temp_->File("data")).mkdir(QStringLiteral("f%1").arg(i, 2, 10, QChar(u'0')));
  }
  FolderOptionsDialog dialog(KavrelFolderOptions(data_), boxes_);
  dialog.show();
  QTreeView* tree = Tree(dialog, 1);
  auto* model = static_cast<QFileSystemModel*>(tree->model());
  QScrollBar* bar = tree->verticalScrollBar();
  QTRY_VERIFY_WITH_TIMEOUT(bar->value() > 0, 20000);  // "logs" comes after f00 to f59
  QTest::qWait(300);                                  // the folders read by now
  bar->setValue(0);                                   // where rows put above it leave the folder
  Q_EMIT model->layoutChanged();
  QTRY_VERIFY(bar->value() > 0);

  bar->triggerAction(QAbstractSlider::SliderToMinimum);
  QCOMPARE(bar->value(), 0);
  Q_EMIT model->directoryLoaded(temp_->File("data"));
  Q_EMIT model->layoutChanged();
  QTest::qWait(50);
  QCOMPARE(bar->value(), 0);
}

void FolderOptionsDialogTest::ChoosingAFolderShowsItsPath() {
  QDir(data_).mkdir(QStringLiteral("2024"));
  FolderOptionsDialog dialog(KavrelFolderOptions(data_), boxes_);
  QSignalSpy chosen(&dialog, &FolderOptionsDialog::FoldersChosen);
  dialog.show();
  QTreeView* tree = Tree(dialog, 1);
  auto* model = static_cast<QFileSystemModel*>(tree->model());

  tree->setCurrentIndex(model->index(data_ + QStringLiteral("/2024")));
  QCOMPARE(Label(dialog, 1)->text(), Native(data_ + QStringLiteral("/2024")));
  tree->setCurrentIndex(model->index(temp_->File("data")));
  QCOMPARE(Label(dialog, 1)->text(), Native(temp_->File("data")));

  QTest::mouseClick(Ok(dialog), Qt::LeftButton);
  QCOMPARE(chosen[0][0].toStringList(), QStringList{Native(temp_->File("data"))});
  QCOMPARE(Subfolders(temp_->File("data")), (QStringList{"EditLog", "ErrRpt", "OldLog", "logs"}));
}

void FolderOptionsDialogTest::ChoosingADriveMovesTheList() {
  FolderOptionsDialog dialog(KavrelFolderOptions(data_), boxes_);
  dialog.show();
  QComboBox* drives = Drives(dialog, 1);
  const int shown_drive = drives->currentIndex();
  // Stand-ins for a drive that cannot be read and one that can.
  drives->addItem(QStringLiteral("A:"), temp_->File("no-disk"));
  drives->addItem(QStringLiteral("E:"), temp_->File("data"));
  drives->setFocus();

  drives->setCurrentIndex(drives->count() - 2);
  drives->activated(drives->count() - 2);
  QCOMPARE(drives->currentIndex(), shown_drive);
  QCOMPARE(ListedFolder(dialog, 1), data_);
  QCOMPARE(Label(dialog, 1)->text(), Native(data_));
  QCOMPARE(boxes_.Shown().size(), 0);

  QTest::keyClick(drives, Qt::Key_End);
  QCOMPARE(drives->currentText(), QStringLiteral("E:"));
  QCOMPARE(Tree(dialog, 1)->rootIndex(),
           static_cast<QFileSystemModel*>(Tree(dialog, 1)->model())->index(temp_->File("data")));
  QCOMPARE(Label(dialog, 1)->text(), Native(temp_->File("data")));
}

void FolderOptionsDialogTest::CancelStoresNothing() {
  FolderOptionsDialog dialog(KavrelFolderOptions(data_), boxes_);
  QSignalSpy chosen(&dialog, &FolderOptionsDialog::FoldersChosen);
  dialog.show();
  QTest::mouseClick(Cancel(dialog), Qt::LeftButton);
  QVERIFY(!dialog.isVisible());
  QCOMPARE(dialog.result(), int(QDialog::Rejected));
  QCOMPARE(chosen.count(), 0);
  QCOMPARE(dialog.Folders(), QStringList{});
  QCOMPARE(Subfolders(data_), QStringList{});
}

}  // namespace tovek::ui

QTEST_MAIN(tovek::ui::FolderOptionsDialogTest)
#include "folder_options_dialog_test.moc"
