// Tessdal's cross-check: the menu item, the run with its cancel button, the
// check window's grid, reports and checked results, compared with what
// tovek crosscheck prints and writes for the same logs.
#include "calculator/ui/crosscheck_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "calculator/ui/result_file_dialog.h"
#include "calculator/ui/tessdal_main_window.h"
#include "common/ui/progress_window.h"
#include "tests/support/scripted_message_boxes.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::ScriptedMessageBoxes;
using testing::TempFolder;
using ui::Answer;
using ui::Buttons;
using ui::CrossCheckWindow;
using ui::MessageRequest;

QByteArray Log(const char* call, const char* category, const char* section, const char* sent,
               const QList<QStringList>& qsos) {
  QByteArray text = QStringLiteral(
                        "START-OF-LOG: 3.0\r\nCALLSIGN: %1\r\nCATEGORY: %2\r\n"
                        "ARRL-SECTION: %3\r\n")
                        .arg(call, category, section)
                        .toLatin1();
  for (const QStringList& q : qsos) {
    text += QStringLiteral("QSO: %1 RY 2026-09-26 %2 %3 599 %4 %5 599 %6\r\n")
                .arg(q[0], q[1], call, sent, q[2], q[3])
                .toLatin1();
  }
  return text + "END-OF-LOG:\r\n";
}

QAction* Action(QWidget* window, const char* name) {
  return window->findChild<QAction*>(QString::fromLatin1(name));
}

// Each row's cells joined by tabs, as tovek prints a log's figures.
QStringList GridLines(const QTableWidget* grid) {
  QStringList lines;
  for (int r = 0; r < grid->rowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < grid->columnCount(); ++c) cells.append(grid->item(r, c)->text());
    lines.append(cells.join(u'\t'));
  }
  return lines;
}

QStringList ColumnTexts(const QTableWidget* grid, int column) {
  QStringList texts;
  for (int r = 0; r < grid->rowCount(); ++r) texts.append(grid->item(r, column)->text());
  return texts;
}

}  // namespace

class CrossCheckWindowTest : public QObject {
  Q_OBJECT

 private:
  // A program folder with the data files, an empty Tessdal.ini and a master
  // call list of its own (so that Debian's list, when installed, is not the
  // one read); three logs: JA1AAA and W1AW agree, K1XYZ busted JA1AAA's
  // call, JA1AAA also worked stations that sent no log.
  void SetUpContest() {
    const QDir bin(QStringLiteral(TOVEK_PROGRAM_DIR));
    QVERIFY(QFile::copy(bin.filePath("Cty.dat"), program_->File("Cty.dat")));
    QVERIFY(QFile::copy(QStringLiteral(TOVEK_DATA_SOURCE_DIR "/Tovek.are"),
                        program_->File("Tovek.are")));
    program_->Write("Tessdal.ini", "");
    program_->Write("MASTER.SCP", "# known calls\nDL1ABC\nVK2ABC\n9A2ABC\nF5ABC\nG3ABC\nI2ABC\n");
    logs_->Write("JA1AAA.cbr", Log("JA1AAA", "SOLP", "AS", "25",
                                   {{"14080", "0100", "W1AW", "08"},
                                    {"21080", "0200", "K1XYZ", "05"},
                                    {"21085", "0210", "DL1ABC", "14"},
                                    {"28085", "0220", "VK2ABC", "30"},
                                    {"7040", "1200", "W1AW", "08"},
                                    {"14090", "0300", "9A2ABC", "15"},
                                    {"14091", "0310", "F5ABC", "14"},
                                    {"14092", "0320", "G3ABC", "14"},
                                    {"21090", "0330", "I2ABC", "15"},
                                    {"28091", "0350", "ZS6AB", "38"},
                                    {"3580", "1300", "DL1ABC", "14"}}));
    logs_->Write("K1XYZ.cbr",
                 Log("K1XYZ", "SOHP", "NA", "05",
                     {{"21080", "0201", "JAQAAA", "25"}, {"7040", "0300", "W1AW", "08"}}));
    logs_->Write("W1AW.cbr", Log("W1AW", "MO", "NA", "08",
                                 {{"14080", "0101", "JA1AAA", "25"},
                                  {"7040", "0300", "K1XYZ", "05"},
                                  {"7040", "1201", "JA1AAA", "25"}}));
  }

  // What tovek crosscheck prints for the logs with the window's data files
  // and rules, without its header line.
  QStringList TovekLines(const QStringList& extra) {
    QProcess tovek;
    tovek.start(QStringLiteral(TOVEK_PROGRAM_DIR "/tovek"),
                QStringList{"crosscheck", "--cty", program_->File("Cty.dat"), "--area",
                            program_->File("Tovek.are"), "--master", program_->File("MASTER.SCP"),
                            "--rules", program_->File("CrossCheck.ini")} +
                    extra + QStringList{logs_->Path()});
    if (!tovek.waitForFinished(20000) || tovek.exitCode() != 0) return {"tovek failed"};
    QStringList lines = QString::fromUtf8(tovek.readAllStandardOutput()).split(u'\n');
    lines.removeFirst();
    lines.removeAll(QString());
    return lines;
  }

  // The main window started on the program folder with the logs as its list.
  std::unique_ptr<ui::TessdalMainWindow> StartWindow() {
    auto window =
        std::make_unique<ui::TessdalMainWindow>(ui::TessdalEnvironment{program_->Path(), &boxes_});
    window->show();
    window->Start();
    return window;
  }
  void TakeLogs(ui::TessdalMainWindow& window) {
    window.TakeLogList({logs_->Path(), ListLogFiles(logs_->Path())});
  }

  std::optional<TempFolder> program_;
  std::optional<TempFolder> logs_;
  ScriptedMessageBoxes boxes_;

 private Q_SLOTS:
  void init() {
    program_.emplace();
    logs_.emplace();
    boxes_.Clear();
    SetUpContest();
  }

  void showsTheFiguresTovekPrintsSortsNumbersAndOpensReports() {
    auto window = StartWindow();
    const QList<QAction*> items = window->findChild<QMenu*>("mnuCalc")->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0]->objectName(), QStringLiteral("mnuCalcStart"));
    QCOMPARE(items[1]->objectName(), QStringLiteral("mnuCrossCheck"));
    QCOMPARE(items[1]->text(), QStringLiteral("相互チェック(&X)"));
    // No list yet: the menu is off, as for the calculation.
    QVERIFY(!window->findChild<QMenu*>("mnuCalc")->menuAction()->isEnabled());
    TakeLogs(*window);
    Action(window.get(), "mnuCrossCheck")->trigger();
    QCOMPARE(boxes_.Shown().size(), 0);
    QVERIFY(QFileInfo::exists(program_->File("CrossCheck.ini")));  // written with the defaults

    auto* view = window->findChild<CrossCheckWindow*>("frmCrossCheck");
    QVERIFY(view);
    QVERIFY(view->isVisible());
    QCOMPARE(view->windowTitle(), QStringLiteral("相互チェック"));
    QVERIFY(!view->findChild<QCheckBox*>("chkPeriod")->isChecked());
    QCOMPARE(view->findChild<QDateEdit*>("dtpStart")->date(), QDate(2026, 9, 26));
    auto* grid = view->findChild<QTableWidget*>("grdCrossCheck");
    QStringList headers;
    for (int c = 0; c < grid->columnCount(); ++c)
      headers.append(grid->horizontalHeaderItem(c)->text());
    QCOMPARE(headers, (QStringList{"コールサイン", "部門", "QSO数", "OK", "未確認", "NIL", "BUST",
                                   "XBUST", "BAND", "UNIQUE", "DUPE", "期間外", "時計補正(分)",
                                   "得点", "確認後得点"}));
    const QStringList printed = TovekLines({});
    QCOMPARE(printed.size(), 3);
    QCOMPARE(GridLines(grid), printed);
    QCOMPARE(ColumnTexts(grid, 6), (QStringList{"0", "1", "0"}));  // K1XYZ's BUST

    // QSO counts 11, 2, 3 sort as numbers, not as texts.
    grid->sortByColumn(2, Qt::AscendingOrder);
    QCOMPARE(ColumnTexts(grid, 0), (QStringList{"K1XYZ", "W1AW", "JA1AAA"}));
    grid->sortByColumn(0, Qt::DescendingOrder);
    QCOMPARE(ColumnTexts(grid, 0), (QStringList{"W1AW", "K1XYZ", "JA1AAA"}));

    // A double click on the sorted grid opens the report of that row's log.
    const QRect k1xyz = grid->visualRect(grid->model()->index(1, 3));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, k1xyz.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, k1xyz.center());
    const QList<QWidget*> reports = view->findChildren<QWidget*>("frmCheckReport");
    QCOMPARE(reports.size(), 1);
    QVERIFY(reports[0]->isVisible());
    QCOMPARE(reports[0]->windowTitle(), QStringLiteral("チェックレポート - K1XYZ"));
    auto* text = reports[0]->findChild<QPlainTextEdit*>("txtReport");
    QVERIFY(text->isReadOnly());
    QVERIFY(text->font().fixedPitch() || QFontInfo(text->font()).fixedPitch());
    QVERIFY(text->toPlainText().contains(
        QStringLiteral("     5  2026-09-26 0201  21000  JAQAAA       BUST\n"
                       "        you copied JAQAAA, the station worked was JA1AAA;")));
  }

  void savesCheckedResultsAndReportsOfItsOwnRunAndChecksAgainWithThePeriod() {
    auto window = StartWindow();
    TakeLogs(*window);
    window->RunCrossCheck();
    auto* view = window->CrossCheckView();
    QVERIFY(view);
    QPointer<QWidget> report = view->ShowReport(0);

    // A later log list changes nothing the window writes.
    window->TakeLogList({logs_->Path(), {"W1AW.cbr"}});

    // The results-file dialog of the main window's saves, on "Results".
    bool dialog_seen = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<ui::ResultFileDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      dialog_seen = true;
      QCOMPARE(dialog->windowTitle(), QStringLiteral("確認後の集計データを保存"));
      dialog->findChild<QLineEdit*>("Text1")->setText("checked");
      QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    });
    QTest::mouseClick(view->findChild<QPushButton*>("cmdSaveChecked"), Qt::LeftButton);
    QVERIFY(dialog_seen);
    const QByteArray saved = testing::ReadBytes(program_->File("Results/checked.rlt"));
    QCOMPARE(saved.size(), 3 * 493);
    QVERIFY(TovekLines({"--save", program_->File("tovek.rlt")}).size() == 3);
    QCOMPARE(saved, testing::ReadBytes(program_->File("tovek.rlt")));

    TempFolder out;
    QVERIFY(view->WriteReportsTo(out.File("reports")));
    QCOMPARE(QDir(out.File("reports")).entryList(QDir::Files),
             (QStringList{"CrossCheck.txt", "CrossCheckLines.tsv", "CrossCheckLogs.tsv",
                          "JA1AAA.lcr", "K1XYZ.lcr", "W1AW.lcr"}));
    QVERIFY(view->statusBar()->currentMessage().contains("reports"));
    // A folder that cannot be made is said, through the message boxes.
    out.Write("file", "x");
    QVERIFY(!view->WriteReportsTo(out.File("file/reports")));
    QCOMPARE(boxes_.Shown().size(), 1);
    QCOMPARE(boxes_.Shown()[0].icon, ui::Icon::kExclamation);
    QVERIFY(!boxes_.Shown()[0].text.isEmpty());

    // Checked again from the day after the QSOs: every line is out of time,
    // as tovek says with the same first day; the old run's reports close.
    view->findChild<QCheckBox*>("chkPeriod")->setChecked(true);
    QVERIFY(view->findChild<QDateEdit*>("dtpStart")->isEnabled());
    view->findChild<QDateEdit*>("dtpStart")->setDate(QDate(2026, 9, 27));
    QTest::mouseClick(view->findChild<QPushButton*>("cmdRecheck"), Qt::LeftButton);
    QCOMPARE(window->CrossCheckView(), view);
    QCOMPARE(view->Start(), std::optional<QDate>(QDate(2026, 9, 27)));
    auto* grid = view->findChild<QTableWidget*>("grdCrossCheck");
    QCOMPARE(GridLines(grid), TovekLines({"--start", "2026-09-27"}));
    QCOMPARE(ColumnTexts(grid, 11), ColumnTexts(grid, 2));
    QVERIFY(view->findChild<QLabel*>("lblSummary")->text().contains("2026-09-27"));
    QVERIFY(!report || !report->isVisible());
  }

  // With a cross-check open, Web公開 asks whether to show it: Yes puts each
  // entrant's counts and lines that are not OK, as the check found them, on
  // its page; No publishes the results alone.
  void publishingOffersTheOpenCrossCheck() {
    auto window = StartWindow();
    TakeLogs(*window);
    window->RunCalculation();
    window->RunCrossCheck();
    QVERIFY(window->CrossCheckView());
    const MessageRequest question{
        QStringLiteral("相互チェックの画面に表示中の結果も、各局のページに載せますか？"),
        QStringLiteral("Web公開"), Buttons::kYesNo, ui::Icon::kQuestion};
    for (const Answer answer : {Answer::kYes, Answer::kNo}) {
      TempFolder site;
      boxes_.Clear();
      boxes_.Answer(answer);
      boxes_.Answer(Answer::kOk);
      QVERIFY(window->PublishTo(site.Path()));
      QCOMPARE(boxes_.Shown().size(), 2);
      QCOMPARE(boxes_.Shown()[0], question);
      const QStringList k1xyz = QDir(site.File("entrants")).entryList({"*-K1XYZ.html"});
      QCOMPARE(k1xyz.size(), 1);
      const QString page = QString::fromUtf8(testing::ReadBytes(site.File("entrants/" + k1xyz[0])));
      QCOMPARE(page.contains(u"クロスチェック"), answer == Answer::kYes);
      // The busted call of K1XYZ's line 5, with the line as logged.
      QCOMPARE(page.contains(u"<tr><th scope=\"row\">5</th><td>BUST</td><td class=\"text\">JA1AAA"
                             u"</td><td class=\"text\">QSO: 21080 RY 2026-09-26 0201 K1XYZ 599 05 "
                             u"JAQAAA 599 25</td></tr>"),
               answer == Answer::kYes);
    }
  }

  void cancelStopsTheCheckAndNothingElseRunsMeanwhile() {
    auto window = StartWindow();
    TakeLogs(*window);
    QString during;
    QTimer::singleShot(0, [&] {
      // The first Yield of the run: the commands are off, a calculation
      // asked for now does not start.
      during = QString::number(window->Busy()) +
               QString::number(Action(window.get(), "mnuCalcStart")->isEnabled()) +
               QString::number(Action(window.get(), "mnuCrossCheck")->isEnabled()) +
               QString::number(window->findChild<QMenu*>("mnuFile")->menuAction()->isEnabled());
      window->RunCalculation();
      QVERIFY(!window->CrossCheckLogs({}, std::nullopt));
      auto* bar = window->findChild<ui::ProgressWindow*>("frmBar");
      QVERIFY(bar);
      QTest::mouseClick(bar->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    });
    Action(window.get(), "mnuCrossCheck")->trigger();
    QCOMPARE(during, QStringLiteral("1000"));
    QCOMPARE(window->RowCount(), 0);
    QVERIFY(!window->CrossCheckView());
    QVERIFY(!window->findChild<ui::ProgressWindow*>("frmBar"));
    QVERIFY(!window->Busy());
    QVERIFY(Action(window.get(), "mnuCalcStart")->isEnabled());
    QVERIFY(Action(window.get(), "mnuCrossCheck")->isEnabled());
    QVERIFY(window->findChild<QMenu*>("mnuFile")->menuAction()->isEnabled());

    // The calculation's progress window has no cancel button.
    QTimer::singleShot(0, [&] {
      auto* bar = window->findChild<ui::ProgressWindow*>("frmBar");
      during = bar && !bar->findChild<QPushButton*>() ? "no button" : "button";
    });
    window->RunCalculation();
    QCOMPARE(during, QStringLiteral("no button"));
  }
};

}  // namespace tovek

QTEST_MAIN(tovek::CrossCheckWindowTest)
#include "crosscheck_window_test.moc"
