#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QFileSystemModel>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>
#include <QtTest>
#include <functional>
#include <system_error>

#include "calculator/ui/get_list_dialog.h"
#include "calculator/ui/results_grid.h"
#include "calculator/ui/summary_panel.h"
#include "calculator/ui/tessdal_main_window.h"
#include "common/ui/twips.h"
#include "tests/calculator/kavrel_cabrillo.h"
#include "tests/support/scripted_message_boxes.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::ScriptedMessageBoxes;
using testing::TempFolder;
using ui::Answer;
using ui::Buttons;
using ui::MessageRequest;

// Answers OK (or Cancel) and lets a test look at the window while the box
// is up, as a user would.
class ProbingMessageBoxes final : public ui::MessageBoxes {
 public:
  Answer Show(QWidget*, const MessageRequest& request) override {
    shown.append(request);
    if (probe) probe();
    return request.buttons == Buttons::kYesNo ? Answer::kNo : Answer::kOk;
  }
  QList<MessageRequest> shown;
  std::function<void()> probe;
};

CabrilloSummary Station(const char* call, const char* category, const char* continent,
                        const char* entity) {
  CabrilloSummary s = testing::StationSummary(call, category, continent, entity);
  s.name = "Operator of " + QString::fromLatin1(call);
  s.address = "Street <LF> Town";
  return s;
}

QString ProgramFile(const char* name) {
  return QDir(QStringLiteral(TOVEK_PROGRAM_DIR)).filePath(QString::fromLatin1(name));
}

}  // namespace

class TessdalWindowTest : public QObject {
  Q_OBJECT

 private:
  // A program folder with the shipped data files (and no Tessdal.ini).
  void MakeProgramFolder(const TempFolder& folder, bool with_data = true) {
    if (!with_data) return;
    QVERIFY(QFile::copy(ProgramFile("Cty.dat"), folder.File("Cty.dat")));
    QVERIFY(
        QFile::copy(QStringLiteral(TOVEK_DATA_SOURCE_DIR "/Tovek.are"), folder.File("Tovek.are")));
  }

  // Four Kavrel logs and one log of a real station in Kavrel's layout.
  void MakeLogs(const TempFolder& logs) {
    testing::WriteKavrelLog(logs.File("JA1AAA.cbr"), Station("JA1AAA", "SOLP", "AS", "JA"),
                            {{"14080", "W1AW"}, {"14081", "DL1ABC"}, {" 7040", "JA3XYZ"}});
    testing::WriteKavrelLog(logs.File("dl1abc.CBR"), Station("DL1ABC", "SOHP", "EU", "DL"),
                            {{"14080", "JA1AAA"},
                             {"14081", "JA1AAA"},
                             {"14082", "W1AW"},
                             {" 7040", "W1AW"},
                             {"21040", "VK2ABC"},
                             {"28040", "PY2XX"}});
    testing::WriteKavrelLog(logs.File("W1AW.cbr"), Station("W1AW", "MO", "NA", "K"),
                            {{"14080", "JA1AAA"}, {" 3510", "VE3ABC"}});
    testing::WriteKavrelLog(logs.File("ja9zzz.cbr"), Station("JA9ZZZ", "CHECKLOG", "AS", "JA"), {});
    logs.Write("readme.txt", "not a log");
  }

  static QAction* Action(QWidget* window, const char* name) {
    return window->findChild<QAction*>(QString::fromLatin1(name));
  }
  static bool MenuEnabled(QWidget* window, const char* name) {
    return window->findChild<QMenu*>(QString::fromLatin1(name))->menuAction()->isEnabled();
  }
  // File, help, calc menus, then close, save, save as, output and the start item.
  static QString MenuState(QWidget* w) {
    QString state;
    for (const char* menu : {"mnuFile", "mnuHelp", "mnuCalc"})
      state += MenuEnabled(w, menu) ? '1' : '0';
    state += ' ';
    for (const char* item : {"mnuClose", "mnuSave", "mnuSaveAs", "mnuOutput", "mnuCalcStart"}) {
      state += Action(w, item)->isEnabled() ? '1' : '0';
    }
    return state;
  }
  static QList<QStringList> GridRows(ui::ResultsGrid* grid) {
    QList<QStringList> rows;
    for (int r = 0; r < grid->rowCount(); ++r) rows.append(grid->RowCells(r));
    return rows;
  }
  // Takes the log folder's list through the dialog, as the user does.
  static void TakeListThroughDialog(ui::TessdalMainWindow& window) {
    Action(&window, "mnuGetList")->trigger();
    auto* dialog = window.findChild<ui::GetListDialog*>("frmGetList");
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  }

 private Q_SLOTS:
  // The folder list opens centred on the start folder; once the user has
  // scrolled it, a parent folder read again must not pull it back there.
  void folderListLeavesTheUsersScrollingAlone() {
    TempFolder temp;
    for (int i = 0; i < 60; ++i) {
      QDir(temp.Path()).mkdir(QStringLiteral("f%1").arg(i, 2, 10, QChar(u'0')));
    }
    QDir(temp.Path()).mkdir(QStringLiteral("logs"));
    ScriptedMessageBoxes boxes;
    ui::GetListDialog dialog(temp.File("logs"), temp.Path(), boxes);
    dialog.show();
    auto* tree = dialog.findChild<QTreeView*>("Dir1");
    QScrollBar* bar = tree->verticalScrollBar();
    QTRY_VERIFY_WITH_TIMEOUT(bar->value() > 0, 20000);  // "logs" comes after f00 to f59
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(bar->value(), 0);
    Q_EMIT static_cast<QFileSystemModel*>(tree->model())->directoryLoaded(temp.Path());
    QCoreApplication::processEvents();
    QCOMPARE(bar->value(), 0);
  }

  void startUpWithoutSettingsCreatesFoldersAndSetsUpTheGrid() {
    TempFolder program;
    MakeProgramFolder(program);
    ScriptedMessageBoxes boxes;
    ui::TessdalMainWindow window({program.Path(), &boxes});
    window.Start();
    QCOMPARE(boxes.Shown().size(), 1);
    QCOMPARE(boxes.Shown()[0], (MessageRequest{"NOT Tessdal.ini FILE !!", {}, Buttons::kOk}));
    QVERIFY(QFileInfo(program.File("Results")).isDir());
    QVERIFY(QFileInfo(program.File("Awards")).isDir());
    QCOMPARE(window.windowTitle(), QStringLiteral("TOVEK CALC"));
    auto* grid = window.findChild<ui::ResultsGrid*>("Grid1");
    QCOMPARE(grid->columnCount(), 20);
    QCOMPARE(grid->rowCount(), 1);
    QCOMPARE(grid->horizontalHeaderItem(4)->text(), QStringLiteral("計算ｽｺｱ"));
    QCOMPARE(grid->horizontalHeaderItem(19)->text(), QStringLiteral("意見,感想"));
    QCOMPARE(qRound(grid->ColumnWidthTwips(1) / 15.0) * 15, 1485);
    QVERIFY(window.Areas().Count() > 1000);
    QVERIFY(!window.Prefixes().IsEmpty());
    QCOMPARE(MenuState(&window), QStringLiteral("110 00001"));
  }

  void missingDataFilesAreReportedAndStartUpGoesOn() {
    TempFolder program;
    ScriptedMessageBoxes boxes;
    boxes.Answer(Answer::kOk);
    boxes.Answer(Answer::kCancel);
    boxes.Answer(Answer::kOk);
    ui::TessdalMainWindow window({program.Path(), &boxes});
    window.Start();
    const QList<MessageRequest> expected = {
        {"NOT Tessdal.ini FILE !!", {}, Buttons::kOk},
        {"NOT [" + QDir::toNativeSeparators(program.File("Tovek.are")) + "] FILE",
         {},
         Buttons::kOkCancel},
        {"NOT [Cty.dat] FILE", {}, Buttons::kOk},
    };
    QCOMPARE(boxes.Shown(), expected);
    QCOMPARE(window.Areas().Count(), 0);
    QCOMPARE(MenuState(&window), QStringLiteral("110 00001"));
  }

  void listRunSortedNumberedGridAndSummaryOnClick() {
    TempFolder program;
    MakeProgramFolder(program);
    TempFolder logs;
    MakeLogs(logs);
    program.Write("Tessdal.ini", "LogFolder=" + logs.Path().toUtf8() + "\r\n");
    ScriptedMessageBoxes boxes;
    ui::TessdalMainWindow window({program.Path(), &boxes});
    window.show();
    window.Start();
    QCOMPARE(boxes.Shown().size(), 0);

    TakeListThroughDialog(window);
    QCOMPARE(window.GetLogList().names,
             (QStringList{"dl1abc.CBR", "JA1AAA.cbr", "ja9zzz.cbr", "W1AW.cbr"}));
    QCOMPARE(window.StatusText(), QStringLiteral("４件のファイル名を取得しました。"));
    QCOMPARE(MenuState(&window), QStringLiteral("111 00001"));

    Action(&window, "mnuCalcStart")->trigger();
    QVERIFY(!window.Busy());
    QCOMPARE(window.StatusText(), QString());
    QCOMPARE(MenuState(&window), QStringLiteral("111 11111"));
    auto* grid = window.findChild<ui::ResultsGrid*>("Grid1");
    const QList<QStringList> rows = GridRows(grid);
    QCOMPARE(rows.size(), 4);
    QStringList numbers_and_calls;
    for (const QStringList& row : rows)
      numbers_and_calls.append(row[0] + " " + row[1] + " " + row[4]);
    // DL1ABC: areas JA1 and K1 on 14, K1 on 7, VK2 on 21, entity PY on 28:
    // 15 points x (1 + 4). JA1AAA: 8 points x (1 + 2).
    QCOMPARE(numbers_and_calls,
             (QStringList{"1 DL1ABC 75", "2 JA1AAA 24", "3 W1AW 10", "4 JA9ZZZ 0"}));
    QCOMPARE(window.RowCount(), 4);
    QCOMPARE(window.Results().size(), 4);
    QCOMPARE(window.Rankings().List(Category::kSolp, Region::kJa).size(), 1);
    QCOMPARE(window.Rankings().CheckLog().size(), 1);

    // The rows are those that tovek score prints for the same folder.
    QProcess tovek;
    tovek.start(QStringLiteral(TOVEK_PROGRAM_DIR "/tovek"),
                {"score", "--cty", program.File("Cty.dat"), "--area", program.File("Tovek.are"),
                 logs.Path()});
    QVERIFY(tovek.waitForFinished(20000));
    QStringList printed = QString::fromUtf8(tovek.readAllStandardOutput()).split(u'\n');
    QCOMPARE(printed.takeFirst().left(12), QStringLiteral("No\tCallSign\t"));
    printed.removeAll(QString());
    QStringList shown;
    for (const QStringList& row : rows) shown.append(row.mid(0, 14).join(u'\t'));
    QCOMPARE(shown, printed);

    auto* panel = window.findChild<ui::SummaryPanel*>("SummaryPanel");
    const QRect second = grid->visualRect(grid->model()->index(1, 3));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(panel->Value(ui::SummaryPanel::kCallSign), QStringLiteral("JA1AAA"));
    QCOMPARE(panel->Value(ui::SummaryPanel::kName), QStringLiteral("Operator of JA1AAA"));
    QCOMPARE(panel->Value(ui::SummaryPanel::kScore), QStringLiteral("24"));
    QCOMPARE(panel->Value(ui::SummaryPanel::kClaimedScore), QStringLiteral("100"));
    QCOMPARE(panel->Value(ui::SummaryPanel::kTotalMult), QStringLiteral("3"));
    QCOMPARE(panel->Caption(ui::SummaryPanel::kSoapbox), QStringLiteral("意見、感想"));
  }

  void realLogsGiveTheRowsThatTovekScorePrints() {
    const QDir real(QStringLiteral(TOVEK_REAL_DATA_DIR "/cabrillo"));
    if (!real.exists()) QSKIP("no real logs");
    TempFolder program;
    MakeProgramFolder(program);
    program.Write("Tessdal.ini", "");
    TempFolder logs;
    for (const QString& name : real.entryList(QDir::Files)) {
      QVERIFY(QFile::copy(real.filePath(name), logs.File(name + ".cbr")));
    }
    ScriptedMessageBoxes boxes;
    ui::TessdalMainWindow window({program.Path(), &boxes});
    window.Start();
    window.TakeLogList({logs.Path(), ListLogFiles(logs.Path())});
    QVERIFY(window.GetLogList().Count() >= 10);
    window.RunCalculation();
    QCOMPARE(boxes.Shown().size(), 0);
    QCOMPARE(window.RowCount(), window.GetLogList().Count());

    QProcess tovek;
    tovek.start(QStringLiteral(TOVEK_PROGRAM_DIR "/tovek"),
                {"score", "--cty", program.File("Cty.dat"), "--area", program.File("Tovek.are"),
                 logs.Path()});
    QVERIFY(tovek.waitForFinished(20000));
    QStringList printed = QString::fromUtf8(tovek.readAllStandardOutput()).split(u'\n');
    printed.removeFirst();
    printed.removeAll(QString());
    QStringList shown;
    for (const QStringList& row : GridRows(window.findChild<ui::ResultsGrid*>("Grid1"))) {
      QStringList fields = row.mid(0, 14);
      for (QString& field : fields) field.replace(u'\t', u' ');
      shown.append(fields.join(u'\t'));
    }
    QCOMPARE(shown, printed);
  }

  void menusDuringARunAndASecondRunReplacingTheFirst() {
    TempFolder program;
    MakeProgramFolder(program);
    TempFolder logs;
    MakeLogs(logs);
    program.Write("Tessdal.ini", "");
    ProbingMessageBoxes boxes;
    ui::TessdalMainWindow window({program.Path(), &boxes});
    window.show();
    window.Start();
    window.TakeLogList({logs.Path(), {"W1AW.cbr", "gone.cbr", "JA1AAA.cbr"}});

    QString during;
    QString status_during;
    QString panel_after_click;
    auto* panel = window.findChild<ui::SummaryPanel*>("SummaryPanel");
    boxes.probe = [&] {
      during = MenuState(&window);
      status_during = window.StatusText();
      window.Grid1_Click(0);  // ignored while busy
      panel_after_click = panel->Value(ui::SummaryPanel::kCallSign);
      QVERIFY(window.Busy());
    };
    window.RunCalculation();
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0], (MessageRequest{"ファイルがありません！", {}, Buttons::kOk}));
    QCOMPARE(during, QStringLiteral("001 00000"));
    QCOMPARE(status_during, "    1 / 3  " + QDir(logs.Path()).filePath("W1AW.cbr"));
    QCOMPARE(panel_after_click, QString());  // the missing log's empty summary
    auto* grid = window.findChild<ui::ResultsGrid*>("Grid1");
    QList<QStringList> rows = GridRows(grid);
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[2].mid(0, 5), (QStringList{"3", "gone", "", "0", "0"}));
    QCOMPARE(rows[2][14], QStringLiteral("ファイルがありません！"));

    // A second run replaces the rows without asking.
    boxes.probe = nullptr;
    window.TakeLogList({logs.Path(), {"ja9zzz.cbr"}});
    window.RunCalculation();
    QCOMPARE(boxes.shown.size(), 1);
    rows = GridRows(grid);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].mid(0, 3), (QStringList{"1", "JA9ZZZ", "CHECKLOG"}));
    QCOMPARE(window.Results().size(), 1);
    QCOMPARE(window.Rankings().TotalEntries(), 1);

    // An empty list leaves only the placeholder row; the calc menu stays.
    window.TakeLogList({logs.Path(), {}});
    window.RunCalculation();
    rows = GridRows(grid);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].join(QString()), QString());
    QCOMPARE(window.RowCount(), 0);
    QCOMPARE(MenuState(&window), QStringLiteral("111 00001"));
  }

  void closingDuringARunStopsBeforeTheNextLog() {
    TempFolder program;
    MakeProgramFolder(program);
    TempFolder logs;
    MakeLogs(logs);
    program.Write("Tessdal.ini", "");
    ProbingMessageBoxes boxes;
    ui::TessdalMainWindow window({program.Path(), &boxes});
    window.show();
    window.Start();
    window.TakeLogList({logs.Path(), {"gone.cbr", "W1AW.cbr", "JA1AAA.cbr"}});
    boxes.probe = [&] { window.close(); };
    window.RunCalculation();
    QCOMPARE(boxes.shown.size(), 1);
    QVERIFY(!window.isVisible());
    QVERIFY(!window.Busy());
    QCOMPARE(window.Results().size(), 1);
    QCOMPARE(window.Results()[0].call_sign, QStringLiteral("gone"));
    QVERIFY(testing::ReadBytes(program.File("Tessdal.ini")).startsWith("frmLeft="));
  }

  void settingsAreReadBackAndWrittenAtClose() {
    TempFolder program;
    MakeProgramFolder(program);
    program.Write("Tessdal.ini",
                  "frmLeft=1500\r\nfrmTop=1200\r\nfrmHeight=9000\r\nfrmWidth=15000\r\n"
                  "GridWidth3 = 900\r\nGridWidth4=0\r\nLogFolder=/first\r\nLogFolder=" +
                      program.Path().toUtf8() + "\r\n");
    ScriptedMessageBoxes boxes;
    {
      ui::TessdalMainWindow window({program.Path(), &boxes});
      window.Start();
      auto* grid = window.findChild<ui::ResultsGrid*>("Grid1");
      QCOMPARE(grid->ColumnWidthTwips(3), 900.0);
      QVERIFY(grid->isColumnHidden(4));
      QCOMPARE(window.GetLogList().folder, program.Path());
      QCOMPARE(window.size(),
               QSize(ui::TwipsToPixels(15000, &window), ui::TwipsToPixels(9000, &window)));
      window.close();
    }
    QCOMPARE(boxes.Shown().size(), 0);
    const QStringList lines =
        QString::fromUtf8(testing::ReadBytes(program.File("Tessdal.ini"))).split("\r\n");
    QCOMPARE(lines.size(), 26);  // 25 keys and the end of the last line
    QCOMPARE(lines[2], QStringLiteral("frmHeight=9000"));
    QCOMPARE(lines[3], QStringLiteral("frmWidth=15000"));
    QCOMPARE(lines[5], QStringLiteral("GridWidth1=1485"));
    QCOMPARE(lines[7], QStringLiteral("GridWidth3=900"));
    QCOMPARE(lines[8], QStringLiteral("GridWidth4=0"));
    QCOMPARE(lines[24], "LogFolder=" + program.Path());
  }

  void goneLogFolderIsReportedAndTheDialogStaysUsable() {
    TempFolder program;
    MakeProgramFolder(program);
    TempFolder logs;
    MakeLogs(logs);
    program.Write("Tessdal.ini", "LogFolder=" + program.File("gone").toUtf8() + "\r\n");
    ScriptedMessageBoxes boxes;
    ui::TessdalMainWindow window({program.Path(), &boxes});
    window.show();
    window.Start();
    Action(&window, "mnuGetList")->trigger();
    auto* dialog = window.findChild<ui::GetListDialog*>("frmGetList");
    QTRY_COMPARE(boxes.Shown().size(), 1);
    const std::string no_such_folder =
        std::make_error_code(std::errc::no_such_file_or_directory).message();
    QCOMPARE(boxes.Shown()[0].text, QStringLiteral("フォルダーを開けませんでした。\n") +
                                        program.File("gone") + u'\n' +
                                        QString::fromLocal8Bit(no_such_folder.c_str()));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("ファイルリストの読込み"));
    QVERIFY(dialog->isVisible());
    // Cancel changes nothing; the calc menu stays off.
    QTest::mouseClick(dialog->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    QCOMPARE(window.GetLogList().folder, program.File("gone"));
    QCOMPARE(MenuState(&window), QStringLiteral("110 00001"));
  }

  // More logs than a run takes: said so, nothing taken (never the first
  // 32,767 in silence), and the dialog stays open for another folder.
  void folderOfMoreLogsThanARunTakesIsRefused() {
    TempFolder program;
    MakeProgramFolder(program);
    TempFolder logs;
    for (qsizetype i = 0; i <= kMaxLogListCount; ++i) {
      logs.Write(QStringLiteral("%1.cbr").arg(i, 5, 10, QChar(u'0')), {});
    }
    program.Write("Tessdal.ini", "LogFolder=" + logs.Path().toUtf8() + "\r\n");
    ScriptedMessageBoxes boxes;
    ui::TessdalMainWindow window({program.Path(), &boxes});
    window.show();
    window.Start();
    TakeListThroughDialog(window);
    QCOMPARE(boxes.Shown().size(), 1);
    QCOMPARE(boxes.Shown()[0].text,
             QStringLiteral(
                 "３２７６８件のファイルがあります。一度に集計できるのは３２７６７件までです。"
                 "\nフォルダーを分けてください。"));
    QVERIFY(window.findChild<ui::GetListDialog*>("frmGetList")->isVisible());
    QVERIFY(window.GetLogList().names.isEmpty());
    QCOMPARE(MenuState(&window), QStringLiteral("110 00001"));
  }
};

}  // namespace tovek

QTEST_MAIN(tovek::TessdalWindowTest)
#include "tessdal_window_test.moc"
