// Kavrel's main window end to end: start-up, opening a log through the open
// dialog, the enable rules, the close, quit and row delete questions, and the
// settings file written at the end.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "common/ui/log_open_dialog.h"
#include "editor/ui/kavrel_main_window.h"
#include "editor/ui/review/data_check_window.h"
#include "editor/ui/review/kavrel_review.h"
#include "editor/ui/review/layout_reader_window.h"
#include "editor/ui/review/summary_window.h"
#include "tests/support/scripted_message_boxes.h"
#include "tests/support/test_files.h"

namespace tovek::ui {
namespace {

using testing::ScriptedMessageBoxes;
using Window = KavrelMainWindow;

const QDate kToday(2026, 12, 9);

MessageRequest Box(const char* text, const char* title = "", Buttons buttons = Buttons::kOk,
                   Icon icon = Icon::kNone) {
  return {QString::fromUtf8(text), QString::fromUtf8(title), buttons, icon};
}

}  // namespace

class KavrelMainWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir program_;
  QTemporaryDir logs_;
  ScriptedMessageBoxes boxes_;
  std::unique_ptr<Window> window_;

  QString ProgramFile(const char* name) const { return QDir(program_.path()).filePath(QString::fromLatin1(name)); }
  QString LogFile(const char* name) const { return QDir(logs_.path()).filePath(QString::fromLatin1(name)); }

  void WriteSettings(const QByteArray& lines) {
    testing::WriteBytes(ProgramFile("Kavrel.ini"), lines);
  }
  void WriteSettingsWithLogFolder() {
    WriteSettings("LogFolder=" + logs_.path().toUtf8() + "\r\n");
  }

  Window& Start() {
    window_ = std::make_unique<Window>(KavrelEnvironment{program_.path(), &boxes_, kToday});
    window_->show();
    window_->Start();
    return *window_;
  }

  template <typename T = QAction>
  T* Find(const char* name) const {
    T* found = window_->findChild<T*>(QString::fromLatin1(name));
    if (!found) qFatal("no %s", name);
    return found;
  }

  LogOpenDialog* OpenDialog() const {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == u"frmLogOpen" && widget->isVisible()) {
        return qobject_cast<LogOpenDialog*>(widget);
      }
    }
    return nullptr;
  }

  // Opens a log as the user does: "開 く", type the name, OK. The data check
  // window that every load of more than one row ends with is closed again.
  void OpenLog(const char* name, bool keep_data_check = false) {
    QTest::mouseClick(window_->ToolbarButton(Window::kOpenButton), Qt::LeftButton);
    QWidget* dialog = OpenDialog();
    QVERIFY(dialog);
    dialog->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QString::fromLatin1(name));
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QTRY_VERIFY(!window_->Rows().isEmpty());
    if (window_->Rows().size() > 1) QVERIFY(window_->Review().DataCheckWindowOpen());
    if (!keep_data_check && window_->Review().DataCheckWindowOpen()) {
      window_->Review().DataCheckWindowOpen()->close();
    }
  }

  // Clicks `button` of the modal dialog `dialog` as soon as it shows.
  static void ClickWhenShown(const char* dialog, const char* button) {
    QTimer::singleShot(0, [dialog, button] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || modal->objectName() != QLatin1String(dialog)) {
        qWarning("expected the dialog %s", dialog);
        if (modal) modal->close();
        return;
      }
      QTest::mouseClick(modal->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    });
  }

  QList<bool> LogCommandStates() const {
    QList<bool> states;
    for (int i = 0; i < Window::kToolbarButtons; ++i) {
      states.append(window_->ToolbarButton(i)->isEnabled());
    }
    return states;
  }

 private Q_SLOTS:
  void init() {
    QVERIFY(program_.isValid() && logs_.isValid());
    for (const char* name : {"Cty.dat", "CabHeader.dat"}) {
      QFile::remove(ProgramFile(name));
      QVERIFY(QFile::copy(QStringLiteral(TOVEK_PROGRAM_DIR "/") + QString::fromLatin1(name),
                          ProgramFile(name)));
    }
    QFile::remove(ProgramFile("Kavrel.ini"));
    testing::WriteBytes(LogFile("raw.log"),
                        "START-OF-LOG: 3.0CALLSIGN: JA1XYZ\r\n\r\n"
                        "QSO: 14080 RY 2026-09-26 0000 JA1XYZ 599 45 K1ABC 599 05\r\n"
                        "QSO: 7025 RY 2026-09-26 0001 JA1XYZ 599 45 DL1ABC 599 14\r\n"
                        "END-OF-LOG:\r\n");
    testing::WriteBytes(LogFile("one.txt"), "QSO: 14080 RY\r\n");
    boxes_.Clear();
  }

  void cleanup() {
    if (window_) {
      // Leave without the quit question.
      boxes_.Answer(Answer::kYes);
      window_->close();
      window_.reset();
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) widget->close();
  }

  void StartWithoutSettingsAsksForTheLogFolder() {
    Start();
    QCOMPARE(boxes_.Shown(),
             (QList<MessageRequest>{Box("NOT Kavrel.ini FILE !!"), Box("ログフォルダーを指定してください")}));
    QWidget* folder_dialog = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == u"frmOptions" && widget->isVisible()) folder_dialog = widget;
    }
    QVERIFY(folder_dialog);
    QCOMPARE(window_->Settings().font_size, 14);
    QCOMPARE(window_->Settings().start_date, QStringLiteral("2026/12/09"));
    QCOMPARE(window_->Entities().size(), 340);
  }

  void StartWithSettingsDerivesTheFolders() {
    WriteSettingsWithLogFolder();
    Start();
    QVERIFY(boxes_.Shown().isEmpty());
    QCOMPARE(window_->Folders().edit, QDir(logs_.path()).filePath(QStringLiteral("EditLog")));
    QCOMPARE(window_->Folders().old, QDir(logs_.path()).filePath(QStringLiteral("OldLog")));
    QCOMPARE(window_->Folders().reports, QDir(logs_.path()).filePath(QStringLiteral("ErrRpt")));
    QVERIFY(window_->HeaderTags().contains(QStringLiteral("CALLSIGN:")));
  }

  // The stored face is "ＭＳ ゴシック" of Japanese Windows; on this system
  // the set-up installs IPAGothic, which must draw the log rows in its place
  // (the toolkit's own substitute is a proportional face).
  void LogRowsUseAnInstalledJapaneseFaceForAMissingWindowsFace() {
    const QStringList families = QFontDatabase::families();
    if (!families.contains(QStringLiteral("IPAGothic")) ||
        families.contains(QString::fromUtf8("ＭＳ ゴシック"))) {
      QSKIP("needs IPAGothic and no MS face installed");
    }
    WriteSettingsWithLogFolder();
    Start();
    QCOMPARE(window_->Settings().font_name, QString::fromUtf8("ＭＳ ゴシック"));
    auto* list = window_->findChild<QListView*>(QStringLiteral("List1"));
    QCOMPARE(list->font().family(), QStringLiteral("IPAGothic"));
    QCOMPARE(QFontInfo(list->font()).family(), QStringLiteral("IPAGothic"));
  }

  void MissingCountryFileIsReported() {
    WriteSettingsWithLogFolder();
    QFile::remove(ProgramFile("Cty.dat"));
    Start();
    QCOMPARE(boxes_.Shown(), (QList<MessageRequest>{Box("NOT [Cty.dat] FILE")}));
    QVERIFY(window_->Prefixes().IsEmpty());
    QVERIFY(window_->Entities().isEmpty());
  }

  void EnableRulesAtStartAndAfterReading() {
    WriteSettingsWithLogFolder();
    Start();
    QList<bool> only_open(Window::kToolbarButtons, false);
    only_open[Window::kOpenButton] = true;
    QCOMPARE(LogCommandStates(), only_open);
    QVERIFY(!Find("mnuFileClose")->isEnabled());
    QVERIFY(!Find<QMenu>("mnuEdit")->menuAction()->isEnabled());
    QVERIFY(!Find("mnuUndo")->isEnabled());
    for (const char* always : {"mnuFileExit", "mnuFont", "mnuDirSet", "mnuChkSet", "mnuHelpAbout"}) {
      QVERIFY2(Find(always)->isEnabled(), always);
    }

    OpenLog("one.txt");
    QList<bool> log_open(Window::kToolbarButtons, true);
    log_open[Window::kUndoButton] = false;  // no snapshot was taken
    QCOMPARE(LogCommandStates(), log_open);
    QVERIFY(Find("mnuFileClose")->isEnabled());
    QVERIFY(Find<QMenu>("mnuEdit")->menuAction()->isEnabled());
    QCOMPARE(window_->Rows(), (LogLines{"QSO: 14080 RY"}));
    QCOMPARE(window_->StatusPanelText(1), QStringLiteral("読み込み中です"));
    QCOMPARE(window_->StatusPanelText(3), LogFile("one.txt"));
  }

  void OpenDialogReadsTheChosenLog() {
    WriteSettingsWithLogFolder();
    Start();
    QTest::mouseClick(window_->ToolbarButton(Window::kOpenButton), Qt::LeftButton);
    LogOpenDialog* dialog = OpenDialog();
    QVERIFY(dialog);
    auto* files = dialog->findChild<QListWidget*>(QStringLiteral("File1"));
    QCOMPARE(files->count(), 2);
    const QList<QListWidgetItem*> raw = files->findItems(QStringLiteral("raw.log"), Qt::MatchExactly);
    QCOMPARE(raw.size(), 1);
    const QPoint at = files->visualItemRect(raw[0]).center();
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, at);
    QTRY_VERIFY(!window_->Rows().isEmpty());
    QVERIFY(!OpenDialog());
    QCOMPARE(window_->CurrentLogPath(), LogFile("raw.log"));
    // Read, run together header rows cut, then the passes: the blank row is
    // gone and the four-digit frequency is right-aligned.
    QCOMPARE(window_->Rows(),
             (LogLines{"START-OF-LOG: 3.0", "CALLSIGN: JA1XYZ",
                       "QSO: 14080 RY 2026-09-26 0000 JA1XYZ 599 45 K1ABC 599 05",
                       "QSO:  7025 RY 2026-09-26 0001 JA1XYZ 599 45 DL1ABC 599 14", "END-OF-LOG:"}));
    QCOMPARE(window_->StatusPanelText(1), QStringLiteral("自動処理が終了しました"));
    QVERIFY(boxes_.Shown().isEmpty());  // two QSO rows are too few to compare lengths
  }

  // A damaged log opens repaired; the toolbar and menu repairs work with undo.
  void DamagedLogOpensRepairedAndUndoTakesBackTheAlignment() {
    testing::WriteBytes(
        LogFile("damaged.log"),
        "START-OF-LOG: 3.0\r\nCALLSIGN: JA1XYZ\r\n\r\nSOAPBOX: Fine WEEKEND\r\n"
        "QSO: 14080 RY 2026-09-26 0000 JA1XYZ 599 45 K1ABC 599 05 QSO: 21080 RY 2026-09-26 0001 "
        "JA1XYZ 599 45 W1AW 599 05\r\n"
        "QSO: 7025 RY 2026-09-26 0002 JA1XYZ 599 45\r\nDL1ABC 599 14\r\n"
        "QSO: 3580 RY 2026-09-26 0003 JA1XYZ 599 45 G4ABC 599 07\r\nEND-OF-LOG:\r\n");
    WriteSettingsWithLogFolder();
    Start();
    OpenLog("damaged.log");
    const LogLines repaired{"START-OF-LOG: 3.0",
                            "CALLSIGN: JA1XYZ",
                            "SOAPBOX: Fine WEEK",  // the letters END cut the soapbox too
                            "END",
                            "QSO: 14080 RY 2026-09-26 0000 JA1XYZ 599 45 K1ABC 599 05 ",
                            "QSO: 21080 RY 2026-09-26 0001 JA1XYZ 599 45 W1AW 599 05",
                            "QSO:  7025 RY 2026-09-26 0002 JA1XYZ 599 45DL1ABC 599 14",
                            "QSO:  3580 RY 2026-09-26 0003 JA1XYZ 599 45 G4ABC 599 07",
                            "END-OF-LOG:"};
    QCOMPARE(window_->Rows(), repaired);
    QCOMPARE(boxes_.Shown(), (QList<MessageRequest>{Box("データ長が不揃いです")}));
    QVERIFY(Find("mnuUndo")->isEnabled());
    QVERIFY(window_->ToolbarButton(Window::kUndoButton)->isEnabled());

    QTest::mouseClick(window_->ToolbarButton(Window::kUndoButton), Qt::LeftButton);
    LogLines unaligned = repaired;
    unaligned[6] = "QSO: 7025 RY 2026-09-26 0002 JA1XYZ 599 45DL1ABC 599 14";
    unaligned[7] = "QSO: 3580 RY 2026-09-26 0003 JA1XYZ 599 45 G4ABC 599 07";
    QCOMPARE(window_->Rows(), unaligned);
    QVERIFY(!Find("mnuUndo")->isEnabled());
    QVERIFY(!window_->ToolbarButton(Window::kUndoButton)->isEnabled());

    // The menu's colon deletion takes its own snapshot.
    Find("mnuColonDel")->trigger();
    QVERIFY(Find("mnuUndo")->isEnabled());
    Find("mnuUndo")->trigger();
    QCOMPARE(window_->Rows(), unaligned);

    // "ﾃﾞｰﾀ長" only reads, and says so again.
    boxes_.Clear();
    QTest::mouseClick(window_->ToolbarButton(Window::kRowLengthButton), Qt::LeftButton);
    QCOMPARE(boxes_.Shown(), (QList<MessageRequest>{Box("データ長が不揃いです")}));
    QCOMPARE(window_->Rows(), unaligned);
  }

  void OpenAgainAsksAndRereadsTheFile() {
    WriteSettingsWithLogFolder();
    Start();
    OpenLog("raw.log");
    const LogLines from_file = window_->Rows();

    boxes_.Answer(Answer::kNo);
    QTest::mouseClick(window_->ToolbarButton(Window::kOpenButton), Qt::LeftButton);
    QCOMPARE(boxes_.Shown().last(), Box("ログデータを破棄して新しいログを開きますか？", "ログを開く",
                                        Buttons::kYesNo));
    QVERIFY(!OpenDialog());

    // Change the rows, then open again and cancel the dialog: the log has
    // been read again from its file.
    auto* list = window_->findChild<QListView*>(QStringLiteral("List1"));
    list->setCurrentIndex(list->model()->index(0, 0));
    QTest::mousePress(list->viewport(), Qt::RightButton, {}, list->visualRect(list->currentIndex()).center());
    QTRY_VERIFY(Find<QMenu>("mnuPopMnu")->isVisible());
    boxes_.Answer(Answer::kYes);
    Find("mnuDelDat")->trigger();
    QCOMPARE(window_->Rows().size(), from_file.size() - 1);

    boxes_.Answer(Answer::kYes);
    QTest::mouseClick(window_->ToolbarButton(Window::kOpenButton), Qt::LeftButton);
    QVERIFY(OpenDialog());
    QTRY_COMPARE(window_->Rows(), from_file);
    OpenDialog()->close();
  }

  void ColumnDialogsApplyOnOkAndTakeNoSnapshotOnCancel() {
    WriteSettingsWithLogFolder();
    Start();
    OpenLog("raw.log");
    Find("mnuUndo")->trigger();  // no snapshot left
    const LogLines before = window_->Rows();

    ClickWhenShown("frmChrDel", "cmdCancel");
    QTest::mouseClick(window_->ToolbarButton(Window::kDeleteButton), Qt::LeftButton);
    QCOMPARE(window_->Rows(), before);
    QVERIFY(!Find("mnuUndo")->isEnabled());

    // The delete dialog starts at half the sample row with length 2: every
    // QSO row loses the two characters there.
    ClickWhenShown("frmChrDel", "cmdOK");
    Find("mnuChrDel")->trigger();
    const int column = static_cast<int>(std::nearbyint(before[2].size() / 2.0));
    LogLines expected = before;
    for (QString& row : expected) {
      if (row.startsWith(QStringLiteral("QSO:"))) row.remove(column - 1, 2);
    }
    QCOMPARE(window_->Rows(), expected);
    QVERIFY(Find("mnuUndo")->isEnabled());
    QCOMPARE(window_->Settings().del_pos, column);
  }

  void DoubleClickOpensTheStringEditWindowInListMode() {
    WriteSettingsWithLogFolder();
    Start();
    OpenLog("raw.log");
    auto* list = window_->findChild<QListView*>(QStringLiteral("List1"));
    const QModelIndex row = list->model()->index(2, 0);
    const QPoint at = list->visualRect(row).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTRY_COMPARE(window_->EditMode(), EditWindowMode::kList);
    for (const char* menu : {"mnuFile", "mnuEdit", "mnuHelp"}) {
      QVERIFY2(!Find<QMenu>(menu)->menuAction()->isEnabled(), menu);
    }
    QVERIFY(Find<QMenu>("mnuSet")->menuAction()->isEnabled());
    // A second double-click opens nothing more.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);

    QWidget* edit = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == u"frmTxtEdit" && widget->isVisible()) {
        QVERIFY(!edit);
        edit = widget;
      }
    }
    QVERIFY(edit);
    edit->close();
    QTRY_COMPARE(window_->EditMode(), EditWindowMode::kClosed);
    for (const char* menu : {"mnuFile", "mnuEdit", "mnuHelp"}) {
      QVERIFY2(Find<QMenu>(menu)->menuAction()->isEnabled(), menu);
    }
  }

  // The whole road of one entrant's log through the windows: open, passes,
  // data check, field layout reader, summary view, save. The files written
  // are the ones tovek cabrillo writes for the same log.
  void SampleLogGoesThroughEveryWindowToItsCabrilloFile() {
    for (const char* folder : {"EditLog", "OldLog", "ErrRpt"}) QDir(logs_.path()).mkpath(QString::fromLatin1(folder));
    const QString sample = QStringLiteral(TOVEK_SOURCE_DIR "/samples/k1abc.txt");
    QVERIFY(QFile::copy(sample, LogFile("k1abc.txt")));
    const QByteArray settings = "StartDate=2026/09/26\r\n";
    testing::WriteBytes(ProgramFile("Kavrel.ini"), settings + "LogFolder=" + logs_.path().toUtf8() + "\r\n");
    Start();
    OpenLog("k1abc.txt", /*keep_data_check=*/true);

    QWidget* check = window_->Review().DataCheckWindowOpen();
    QTest::mouseClick(check->findChild<QPushButton*>(QStringLiteral("cmdCheckStart")), Qt::LeftButton);
    QTRY_VERIFY(window_->Review().LayoutReaderOpen());
    QCOMPARE(window_->EditMode(), EditWindowMode::kClosed);  // no faults

    boxes_.Answer(Answer::kNo);  // keep the basic field layout as it is
    QWidget* reader = window_->Review().LayoutReaderOpen();
    QTest::mouseClick(reader->findChild<QPushButton*>(QStringLiteral("cmdRead")), Qt::LeftButton);
    QTRY_VERIFY(window_->Review().SummaryOpen());
    QWidget* summary = window_->Review().SummaryOpen();
    QTest::mouseClick(summary->findChild<QPushButton*>(QStringLiteral("cmdSave")), Qt::LeftButton);
    QTRY_VERIFY(window_->Rows().isEmpty());
    QVERIFY(window_->CurrentLogPath().isEmpty());
    QVERIFY(QFile::exists(LogFile("OldLog/k1abc.txt")));
    QVERIFY(!QFile::exists(LogFile("k1abc.txt")));

    QTemporaryDir cli_out;
    testing::WriteBytes(cli_out.filePath(QStringLiteral("Kavrel.ini")), settings);
    QProcess tovek;
    tovek.start(QStringLiteral(TOVEK_PROGRAM_DIR "/tovek"),
                {"cabrillo", "--settings", cli_out.filePath(QStringLiteral("Kavrel.ini")), "--out",
                 cli_out.path(), sample});
    QVERIFY(tovek.waitForFinished(20000));
    QCOMPARE(tovek.exitCode(), 0);
    const QByteArray written = testing::ReadBytes(LogFile("EditLog/K1ABC.cbr"));
    QVERIFY(written.startsWith("START-OF-LOG: 2.0\r\nCONTEST: TOVEK-WW-RTTY\r\n"));
    QCOMPARE(written, testing::ReadBytes(cli_out.filePath(QStringLiteral("K1ABC.cbr"))));
    QCOMPARE(testing::ReadBytes(LogFile("ErrRpt/K1ABC.err")),
             testing::ReadBytes(cli_out.filePath(QStringLiteral("K1ABC.err"))));
  }

  // The data check window that a load opens shows the sample row of the log
  // just read, also when one is still open from the log before: the check
  // layout is placed on the rows it will check.
  void DataCheckWindowFollowsTheLogJustRead() {
    testing::WriteBytes(LogFile("second.log"),
                        "START-OF-LOG: 3.0\r\n"
                        "QSO: 21010 RY 2026-09-26 0100 JA1XYZ 599 45 W1AW 599 05\r\n"
                        "QSO: 28010 RY 2026-09-26 0101 JA1XYZ 599 45 VK2ABC 599 30\r\n");
    WriteSettingsWithLogFolder();
    Start();
    OpenLog("raw.log", /*keep_data_check=*/true);
    QCOMPARE(window_->Review().DataCheckWindowOpen()->Preview(0), QStringLiteral("14080"));

    boxes_.Answer(Answer::kYes);  // discard the open log
    OpenLog("second.log", /*keep_data_check=*/true);
    // (The open command reads the open log again while the dialog is up.)
    QTRY_VERIFY(window_->Rows().value(1).contains(QStringLiteral("21010")));
    QCOMPARE(window_->Review().DataCheckWindowOpen()->Preview(0), QStringLiteral("21010"));
    int open_windows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == u"frmDataCheck" && widget->isVisible()) ++open_windows;
    }
    QCOMPARE(open_windows, 1);
  }

  // Sample logs copied into the log folder, with the folders a save needs
  // and the sample contest's start date.
  void StartWithSamples(const QStringList& names) {
    for (const char* folder : {"EditLog", "OldLog", "ErrRpt"}) {
      QDir(LogFile(folder)).removeRecursively();
      QDir(logs_.path()).mkpath(QString::fromLatin1(folder));
    }
    for (const QString& name : names) {
      QFile::remove(QDir(logs_.path()).filePath(name));
      QVERIFY(QFile::copy(QStringLiteral(TOVEK_SOURCE_DIR "/samples/") + name,
                          QDir(logs_.path()).filePath(name)));
    }
    WriteSettings("StartDate=2026/09/26\r\nLogFolder=" + logs_.path().toUtf8() + "\r\n");
    Start();
  }

  static QWidget* TopLevel(const QString& name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == name && widget->isVisible()) return widget;
    }
    return nullptr;
  }

  // A window opened on one log closes when another is read: left open, the
  // field layout reader would write its header over the next log's QSOs,
  // the summary view would move the next log's file to OldLog, and the
  // check-mode string edit window would delete the next log's rows by its
  // own faults.
  void WindowsOpenedOnALogCloseWhenTheNextIsRead_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("window");
    QTest::newRow("layout reader") << "ja1xyz.log" << "frmCabReadSet";
    QTest::newRow("summary view") << "dl1abc.log" << "frmKavrel";
    QTest::newRow("check-mode string edit") << "ja3qrp.log" << "frmTxtEdit";
  }

  void WindowsOpenedOnALogCloseWhenTheNextIsRead() {
    QFETCH(QString, first);
    QFETCH(QString, window);
    StartWithSamples({first, "w1xyz.log"});
    OpenLog(first.toLatin1().constData(), /*keep_data_check=*/true);
    if (window == u"frmCabReadSet") {
      QTest::mouseClick(window_->ToolbarButton(Window::kLayoutReaderButton), Qt::LeftButton);
    } else {
      QWidget* check = window_->Review().DataCheckWindowOpen();
      QTest::mouseClick(check->findChild<QPushButton*>(QStringLiteral("cmdCheckStart")),
                        Qt::LeftButton);
      QTRY_VERIFY(window_->Review().LayoutReaderOpen() ||
                  window_->EditMode() == EditWindowMode::kCheck);
      if (window == u"frmKavrel") {
        QWidget* reader = window_->Review().LayoutReaderOpen();
        QVERIFY(reader);
        QTest::mouseClick(reader->findChild<QPushButton*>(QStringLiteral("cmdRead")),
                          Qt::LeftButton);
      }
    }
    QTRY_VERIFY(TopLevel(window));
    const QPointer<QWidget> opened = TopLevel(window);

    boxes_.Answer(Answer::kYes);  // discard the first log
    OpenLog("w1xyz.log");
    QTRY_COMPARE(window_->CurrentLogPath(), LogFile("w1xyz.log"));
    QTRY_VERIFY(window_->Rows().size() > 20);
    const LogLines w1xyz = window_->Rows();
    QVERIFY(w1xyz.first().startsWith(QStringLiteral("START-OF-LOG")));
    QVERIFY(!opened || !opened->isVisible());
    QVERIFY(!TopLevel(window));
    QCOMPARE(window_->EditMode(), EditWindowMode::kClosed);
    for (const char* menu : {"mnuFile", "mnuEdit", "mnuHelp"}) {
      QVERIFY2(Find<QMenu>(menu)->menuAction()->isEnabled(), menu);
    }
    QVERIFY(QFile::exists(LogFile("w1xyz.log")));
    QVERIFY(QDir(LogFile("EditLog")).isEmpty());
    QVERIFY(QDir(LogFile("OldLog")).isEmpty());
  }

  // While a log is read and its load passes run, nothing may change the
  // log: "開 く", close, quit, undo, the repair commands and a file chosen in
  // the open dialog wait, or they would empty or rewrite the rows the passes
  // are walking. "開 く" reads the open log again while its dialog is up;
  // between two of those passes the test tries them all.
  void LogCommandsWaitWhileTheLoadPassesRun() {
    WriteSettingsWithLogFolder();
    Start();
    OpenLog("raw.log");
    const LogLines loaded = window_->Rows();
    boxes_.Clear();
    int passes = 0;
    QList<bool> enabled_between_passes;
    connect(window_.get(), &Window::LoadPassStarting, this, [&] {
      if (++passes != 2) return;
      for (int i = 0; i < 5; ++i) boxes_.Answer(Answer::kYes);  // whatever would be asked
      enabled_between_passes = {window_->ToolbarButton(Window::kOpenButton)->isEnabled(),
                                window_->menuBar()->isEnabled(), OpenDialog()->isEnabled()};
      QTest::mouseClick(window_->ToolbarButton(Window::kOpenButton), Qt::LeftButton);
      for (const char* item :
           {"mnuFileClose", "mnuUndo", "mnuColonDel", "mnuTwinEdit", "mnuDblDel"}) {
        Find(item)->trigger();
      }
      window_->DataRead(LogFile("one.txt"));
      Q_EMIT OpenDialog()->FileChosen(LogFile("one.txt"));
      QCoreApplication::processEvents();  // the choice arrives now, between the passes
      Find("mnuFileExit")->trigger();
    });
    boxes_.Answer(Answer::kYes);  // discard the open log
    QTest::mouseClick(window_->ToolbarButton(Window::kOpenButton), Qt::LeftButton);
    QVERIFY(passes > 2);
    QCOMPARE(enabled_between_passes, (QList<bool>{false, false, false}));
    QCOMPARE(boxes_.Shown(), (QList<MessageRequest>{Box(
                                 "ログデータを破棄して新しいログを開きますか？", "ログを開く",
                                 Buttons::kYesNo)}));
    QVERIFY(window_->isVisible());
    QCOMPARE(window_->Rows(), loaded);
    QCOMPARE(window_->CurrentLogPath(), LogFile("raw.log"));
    QVERIFY(window_->ToolbarButton(Window::kOpenButton)->isEnabled());
    QVERIFY(Find("mnuFileClose")->isEnabled());
    QVERIFY(OpenDialog() && OpenDialog()->isEnabled());
    OpenDialog()->close();
    boxes_.Clear();
  }

  void CloseCommandAsksFirst() {
    WriteSettingsWithLogFolder();
    Start();
    OpenLog("raw.log");
    boxes_.Answer(Answer::kNo);
    Find("mnuFileClose")->trigger();
    QCOMPARE(boxes_.Shown().last(),
             Box("このデータを閉じますか？", "データを閉じる", Buttons::kYesNo, Icon::kCritical));
    QVERIFY(!window_->Rows().isEmpty());

    boxes_.Answer(Answer::kYes);
    Find("mnuFileClose")->trigger();
    QVERIFY(window_->Rows().isEmpty());
    QVERIFY(window_->CurrentLogPath().isEmpty());
    QVERIFY(window_->StatusPanelText(3).isEmpty());
    QVERIFY(!Find("mnuFileClose")->isEnabled());
    QVERIFY(!window_->ToolbarButton(Window::kLayoutReaderButton)->isEnabled());
  }

  void RowDeletePopupAsksAndTakesASnapshot() {
    WriteSettingsWithLogFolder();
    Start();
    OpenLog("raw.log");
    Find("mnuUndo")->trigger();  // use up the snapshot the load took
    QVERIFY(!Find("mnuUndo")->isEnabled());
    const LogLines before = window_->Rows();
    auto* list = window_->findChild<QListView*>(QStringLiteral("List1"));
    const QModelIndex third = list->model()->index(3, 0);
    QTest::mousePress(list->viewport(), Qt::RightButton, {}, list->visualRect(third).center());
    QTRY_VERIFY(Find<QMenu>("mnuPopMnu")->isVisible());
    Find<QMenu>("mnuPopMnu")->close();

    boxes_.Answer(Answer::kNo);
    Find("mnuDelDat")->trigger();
    const MessageRequest question{before[3] + QStringLiteral("\r\nこのデータを削除しますか？"),
                                  QStringLiteral("データの削除"), Buttons::kYesNo, Icon::kCritical};
    QCOMPARE(boxes_.Shown().last(), question);
    QCOMPARE(window_->Rows(), before);
    QVERIFY(!Find("mnuUndo")->isEnabled());

    boxes_.Answer(Answer::kYes);
    Find("mnuDelDat")->trigger();
    LogLines expected = before;
    expected.removeAt(3);
    QCOMPARE(window_->Rows(), expected);
    QVERIFY(Find("mnuUndo")->isEnabled());
    QVERIFY(window_->ToolbarButton(Window::kUndoButton)->isEnabled());

    Find("mnuUndo")->trigger();
    QCOMPARE(window_->Rows(), before);
    QVERIFY(!Find("mnuUndo")->isEnabled());
  }

  void QuitAsksOnlyWithALogOpen() {
    WriteSettingsWithLogFolder();
    Start();
    OpenLog("raw.log");
    boxes_.Answer(Answer::kNo);
    QVERIFY(!window_->close());
    QCOMPARE(boxes_.Shown().last(),
             Box("ログを破棄して終了しますか？", "Kavrelの終了", Buttons::kYesNo));
    QVERIFY(window_->isVisible());

    boxes_.Answer(Answer::kYes);
    QVERIFY(window_->close());
    QVERIFY(QFile::exists(ProgramFile("Kavrel.ini")));
    window_.reset();

    // One row or none: no question.
    Start();
    boxes_.Clear();
    OpenLog("one.txt");
    QVERIFY(window_->close());
    QVERIFY(boxes_.Shown().isEmpty());
    window_.reset();
  }

  void SavedSettingsReadBackIdentically() {
    WriteSettings("frmLeft=1500\r\nfrmTop=1200\r\nfrmHeight=6000\r\nfrmWidth=9000\r\n"
                  "EditPos=31\r\nEditLen=12\r\nJaHlimit80_3=3690\r\nJaLlimit80_3=3660\r\n"
                  "FontBold=True\r\nLogFolder=" + logs_.path().toUtf8() + "\r\n");
    Start();
    QVERIFY(window_->close());
    window_.reset();
    const QByteArray first = testing::ReadBytes(ProgramFile("Kavrel.ini"));
    QCOMPARE(first.split('\n').mid(0, 4),
             (QByteArrayList{"frmLeft=1500\r", "frmTop=1200\r", "frmHeight=6000\r", "frmWidth=9000\r"}));
    QVERIFY(first.contains("\r\nJaHlimit80_3=3690\r\n"));
    QVERIFY(first.contains("\r\nEditLen=12\r\n"));
    QCOMPARE(first.count("\r\n"), 74);

    Start();
    QVERIFY(window_->close());
    window_.reset();
    QCOMPARE(testing::ReadBytes(ProgramFile("Kavrel.ini")), first);
  }
};

}  // namespace tovek::ui

QTEST_MAIN(tovek::ui::KavrelMainWindowTest)
#include "kavrel_main_window_test.moc"
