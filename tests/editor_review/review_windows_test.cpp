// The check settings dialog, the data check window and its run, the field
// layout reader and the summary view, each on its own.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include "common/ui/twips.h"
#include "editor/ui/review/check_settings_dialog.h"
#include "editor/ui/review/data_check_window.h"
#include "editor/ui/review/kavrel_review.h"
#include "editor/ui/review/layout_reader_window.h"
#include "editor/ui/review/sample_grid.h"
#include "editor/ui/review/summary_window.h"
#include "tests/editor_review/review_test_support.h"
#include "tests/support/scripted_message_boxes.h"

namespace tovek::ui {
namespace {

using testing::Box;
using testing::OpenWindow;
using testing::ScriptedMessageBoxes;
using testing::SettingsFrom;

const QString kRow = "QSO:  3500 RY 2012-10-20 1234 JA1CALL       599 45     K1CALL        599 30";

template <typename T = QToolButton>
T* Child(QWidget* window, const QString& name) {
  T* found = window->findChild<T*>(name);
  if (!found) qFatal("no %s", qPrintable(name));
  return found;
}

void Click(QWidget* window, const QString& name, int times = 1) {
  for (int i = 0; i < times; ++i) {
    QTest::mouseClick(Child<QAbstractButton>(window, name), Qt::LeftButton);
  }
}

QString Text(QWidget* window, const QString& name) { return Child<QLabel>(window, name)->text(); }

}  // namespace

class ReviewWindowsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { testing::CloseAll(); }

  // ---- frmChkSet ----------------------------------------------------------

  void CheckSettingsDateButtonsDoCalendarArithmetic() {
    KavrelSettings settings = SettingsFrom("StartDate=2012/10/20\r\n");
    ScriptedMessageBoxes boxes;
    CheckSettingsDialog dialog(settings, boxes, QDate(2026, 12, 9));
    QCOMPARE(dialog.ShownDate(), "2012/10/20");
    QWidget* month = Child<QWidget>(&dialog, "UpDown2");
    Click(month, "cmdUp", 2);
    Click(Child<QWidget>(&dialog, "UpDown3"), "cmdDown");
    QCOMPARE(dialog.ShownDate(), "2012/12/19");
    Click(Child<QWidget>(&dialog, "UpDown1"), "cmdUp");
    QCOMPARE(dialog.ShownDate(), "2013/12/19");
    QCOMPARE(settings.start_date, "2012/10/20");  // not before OK
    dialog.accept();
    QCOMPARE(settings.start_date, "2013/12/19");
  }

  void CheckSettingsBoxesTakeDigitsAndThePoint() {
    KavrelSettings settings = SettingsFrom("");
    ScriptedMessageBoxes boxes;
    CheckSettingsDialog dialog(settings, boxes, QDate(2026, 12, 9));
    dialog.show();
    QLineEdit* box = dialog.LimitEdit("JaLlimit80_1");
    QCOMPARE(box->text(), "3530");
    box->clear();
    QTest::keyClicks(box, "35a0");
    QCOMPARE(box->text(), "350");
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, "30.5");
    QCOMPARE(box->text(), "3530.5");
    dialog.LimitEdit("JaHlimit80_1")->setText("3531.5");
    dialog.LimitEdit("Hlimit20")->setText("0");
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(settings.limits.ja_low80[0], 3530);
    QCOMPARE(settings.limits.ja_high80[0], 3532);
    QCOMPARE(settings.limits.high[2], 0);
    QCOMPARE(boxes.Shown().size(), 0);
  }

  void CheckSettingsRefusesABoxWithout16BitValue() {
    KavrelSettings settings = SettingsFrom("StartDate=2012/10/20\r\n");
    ScriptedMessageBoxes boxes;
    CheckSettingsDialog dialog(settings, boxes, QDate(2026, 12, 9));
    dialog.show();
    Click(Child<QWidget>(&dialog, "UpDown3"), "cmdUp");
    dialog.LimitEdit("Hlimit80")->setText("40000");
    dialog.LimitEdit("Llimit40")->setText("7001");
    dialog.LimitEdit("JaLlimit10")->setText(".");
    Click(&dialog, "cmdOK");
    QCOMPARE(boxes.Shown(),
             QList<MessageRequest>{Box("次の欄の値はバンドの限度 (0～32767 kHz) になりません。\r\n"
                                       "国外バンドプラン 80m 上　限: 40000\r\n"
                                       "国内バンドプラン 10m 下　限: .\r\n"
                                       "設定は変更されていません。",
                                       "ログチェックの設定", Buttons::kOk, Icon::kExclamation)});
    QVERIFY(dialog.isVisible());
    QCOMPARE(settings.start_date, "2012/10/20");
    QCOMPARE(settings.limits.low[1], 7000);
    QCOMPARE(dialog.focusWidget(), dialog.LimitEdit("Hlimit80"));
  }

  void CheckSettingsCancelChangesNothing() {
    KavrelSettings settings = SettingsFrom("StartDate=2012/10/20\r\n");
    ScriptedMessageBoxes boxes;
    CheckSettingsDialog dialog(settings, boxes, QDate(2026, 12, 9));
    Click(Child<QWidget>(&dialog, "UpDown1"), "cmdDown");
    dialog.LimitEdit("Llimit20")->setText("14001");
    Click(&dialog, "cmdCancel");
    QCOMPARE(settings.start_date, "2012/10/20");
    QCOMPARE(settings.limits.low[2], 14000);
  }

  // ---- frmDataCheck and DataCheck -----------------------------------------

  void DataCheckWindowPlacesFourFieldsOnTheFirstQsoRow() {
    const KavrelSettings settings = SettingsFrom("");
    const LogLines rows = {"CALLSIGN: JA1CALL", "NAME: Taro", kRow};
    const auto close_windows = qScopeGuard([] { testing::CloseAll(); });
    auto* window = new DataCheckWindow(rows, settings);
    window->show();
    QCOMPARE(window->Preview(0), " 3500");
    QCOMPARE(window->Preview(1), "RY");
    QCOMPARE(window->Preview(2), "2012-10-20 1234");
    QCOMPARE(window->Preview(3), "30");
    QCOMPARE(window->Grid()->columnCount(), 75);
    QCOMPARE(window->Grid()->ColumnColour(5), QColor(255, 128, 128));
    QCOMPARE(window->Grid()->ColumnColour(11), QColor(255, 192, 128));
    QCOMPARE(window->Grid()->ColumnColour(28), QColor(255, 255, 128));
    QCOMPARE(window->Grid()->ColumnColour(29), window->palette().window().color());
    QCOMPARE(window->Grid()->ColumnColour(73), QColor(128, 255, 128));
    Click(window, "cmdLeft0");
    QCOMPARE(window->Preview(0), "  350");
    QCOMPARE(Text(window, "lblStart0"), "5");
    QCOMPARE(window->Grid()->ColumnColour(4), QColor(255, 128, 128));
    Click(window, "cmdLeft1", 20);
    QCOMPARE(window->Columns().mode, 1);
    QCOMPARE(window->Preview(1), "QS");
    Click(window, "cmdRight2");
    QCOMPARE(window->Preview(2), "012-10-20 1234");

    QSignalSpy requested(window, &DataCheckWindow::CheckRequested);
    Click(window, "cmdCheckStart");
    QCOMPARE(requested.size(), 1);
    QCOMPARE(requested[0][0].value<CheckColumns>(), (CheckColumns{5, 1, 16, 74}));
    QVERIFY(!window->isVisible());
  }

  // The sample grid opens with its window's column first in view (column
  // 50 of the data check, 40 of the layout reader), also where the 75
  // characters of the row end before the grid's right edge.
  void SampleGridOpensAtItsWindowsColumn() {
    KavrelSettings settings = SettingsFrom("");
    testing::ScriptedMessageBoxes boxes;
    const LogLines rows{kRow};
    const auto close_windows = qScopeGuard([] { testing::CloseAll(); });
    auto* check = new DataCheckWindow(rows, settings);
    auto* reader = new LayoutReaderWindow(rows, settings, testing::Prefixes(), testing::Entities(),
                                          boxes);
    check->show();
    reader->show();
    QVERIFY(QTest::qWaitForWindowExposed(check) && QTest::qWaitForWindowExposed(reader));
    QTRY_COMPARE(check->Grid()->columnAt(0), 50);
    QTRY_COMPARE(reader->Grid()->columnAt(0), 40);
  }

  void DataCheckWindowEscapeClosesWithoutChecking() {
    const KavrelSettings settings = SettingsFrom("");
    const auto close_windows = qScopeGuard([] { testing::CloseAll(); });
    auto* window = new DataCheckWindow(LogLines{kRow}, settings);
    window->show();
    QSignalSpy requested(window, &DataCheckWindow::CheckRequested);
    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
    QCOMPARE(requested.size(), 0);
  }

  void DataCheckHandsFaultsOnOrOpensTheLayoutReader() {
    KavrelSettings settings = SettingsFrom("StartDate=2012/10/20\r\n");
    LogLines rows = {"CALLSIGN: JA1CALL", "CATEGORY: SOHP", kRow};
    ScriptedMessageBoxes boxes;
    QString path;
    ErrorReportList report;
    const LogFolders folders;
    const auto close_windows = qScopeGuard([] { testing::CloseAll(); });
    KavrelReview review({nullptr, &rows, &settings, &testing::Prefixes(), &testing::Entities(),
                         &folders, &path, &report, &boxes});
    QSignalSpy faults(&review, &KavrelReview::FaultsFound);
    QSignalSpy status(&review, &KavrelReview::StatusText);
    QSignalSpy repaint(&review, &KavrelReview::ListRepaint);

    review.OpenDataCheck();
    QVERIFY(review.DataCheckWindowOpen());
    Click(review.DataCheckWindowOpen(), "cmdCheckStart");
    QTRY_COMPARE(faults.size(), 1);
    // JA1CALL is held to the domestic plan, which has no 3500 kHz.
    QCOMPARE(faults[0][0].toStringList(), QStringList{"    2 FREQENCY    " + kRow});
    QCOMPARE(faults[0][1].toInt(), 2);
    QCOMPARE(status.size(), 2);
    QCOMPARE(status[0][1].toString(), "データチェック中です");
    QCOMPARE(status[1][1].toString(), "データチェックを終了しました");
    QCOMPARE(repaint.size(), 2);
    QVERIFY(!review.LayoutReaderOpen());

    rows[2].replace(5, 5, " 3550");
    review.DataCheck(CheckColumns{});
    QCOMPARE(faults.size(), 1);
    QVERIFY(review.LayoutReaderOpen());
    QVERIFY(review.LayoutReaderOpen()->isVisible());
  }

  // ---- frmCabReadSet --------------------------------------------------------

  void LayoutReaderShowsTheHeaderScanAndTheFields() {
    KavrelSettings settings = SettingsFrom("");
    ScriptedMessageBoxes boxes;
    const LogLines rows = {"START-OF-LOG: 2.0",
                           "CALLSIGN: ja1call",
                           "CATEGORY-OPERATOR: SINGLE-OP",
                           "CATEGORY-POWER: LOW",
                           "ADDRESS: A",
                           "ADDRESS-CITY: B",
                           "ARRL-SECTION: DX",
                           kRow};
    const auto close_windows = qScopeGuard([] { testing::CloseAll(); });
    auto* window =
        new LayoutReaderWindow(rows, settings, testing::Prefixes(), testing::Entities(), boxes);
    window->show();
    const LogSummary summary = window->Summary();
    QCOMPARE(summary.call_sign, "JA1CALL");
    QCOMPARE(summary.category, "SOLP");
    QCOMPARE(summary.address, "A <LF> B");
    QCOMPARE(summary.continent, "AS");
    QCOMPARE(summary.entity, "JA");
    QCOMPARE(Child<QPlainTextEdit>(window, "txtHeaderText")->toPlainText(),
             rows.mid(0, 7).join("\n") + "\n");
    QCOMPARE(Child<QComboBox>(window, "cboEntity")->count(), testing::Entities().size());
    const QStringList previews = {
        " 3500", "RY", "2012-10-20 1234", "JA1CALL", "599", "45", "K1CALL", "599", "30"};
    for (int i = 0; i < kLayoutFieldCount; ++i) QCOMPARE(window->Preview(i), previews[i]);
    QCOMPARE(Text(window, "lblWidth3"), "12");
    QCOMPARE(window->Grid()->ColumnColour(30), QColor(128, 255, 128));
    QCOMPARE(window->Grid()->ColumnColour(69), QColor(192, 64, 0));
    QCOMPARE(window->Grid()->ColumnColour(73), QColor(192, 192, 0));

    Click(window, "cmdDown3", 20);
    QCOMPARE(Text(window, "lblWidth3"), "3");
    QCOMPARE(window->Preview(3), "JA1");
    Click(window, "cmdUp8", 2);
    QCOMPARE(Text(window, "lblWidth5"), "4");
    QCOMPARE(window->Preview(8), "30");
    Click(window, "cmdLeft8", 2);
    QCOMPARE(window->Preview(8), "9 30");
    QCOMPARE(settings.layout.rcvd_rpt_pos, 74);  // the window's own layout only
  }

  void LayoutReaderStoresItsLayoutAsTheBasicOneOnYes() {
    KavrelSettings settings = SettingsFrom("");
    ScriptedMessageBoxes boxes;
    QWidget main;
    main.show();
    const auto close_windows = qScopeGuard([] { testing::CloseAll(); });
    const LogLines rows = {kRow};
    auto* window = new LayoutReaderWindow(rows, settings, testing::Prefixes(), testing::Entities(),
                                          boxes, &main);
    window->show();
    Click(window, "cmdRight0");
    Click(window, "cmdUp6");
    boxes.Answer(Answer::kNo);
    window->mDataPosSet();
    QCOMPARE(settings.layout.band_pos, 6);
    boxes.Answer(Answer::kYes);
    window->mDataPosSet();
    QCOMPARE(settings.layout.band_pos, 7);
    QCOMPARE(settings.layout.his_call_len, 13);
    const MessageRequest question =
        Box("データの位置と長さを基本の設定にしますか？", "基本データ位置、長さの設定",
            Buttons::kYesNo, Icon::kCritical);
    QCOMPARE(boxes.Shown(), (QList<MessageRequest>{question, question}));
    QVERIFY(main.isVisible());
  }

  void LayoutReaderRefusesAnIncompleteSummary() {
    KavrelSettings settings = SettingsFrom("");
    ScriptedMessageBoxes boxes;
    const auto close_windows = qScopeGuard([] { testing::CloseAll(); });
    LogLines rows = {"CATEGORY: SOHP", kRow};
    auto* window =
        new LayoutReaderWindow(rows, settings, testing::Prefixes(), testing::Entities(), boxes);
    window->show();
    QSignalSpy done(window, &LayoutReaderWindow::ReadingDone);
    Click(window, "cmdRead");
    QCOMPARE(boxes.Shown(), QList<MessageRequest>{
                                Box("[コールサイン]　\r\n[コンチネント]　\r\n[エンティティ]　\r\n"
                                    "を確認してください！",
                                    "サマリーデータエラー")});
    QVERIFY(window->isVisible());
    QCOMPARE(done.size(), 0);
    // Step R1 filled the name and address before the refusal.
    QCOMPARE(Child<QLineEdit>(window, "txtName")->text(), "No Name");
    QCOMPARE(Child<QLineEdit>(window, "txtAddress")->text(), "No Address");

    Child<QLineEdit>(window, "txtCallSign")->setText("K1CALL");
    Child<QComboBox>(window, "cboContinent")->setCurrentText("NA");
    Child<QComboBox>(window, "cboEntity")->setCurrentText("K");
    // A row fixed in the log while the window was open is read as fixed.
    rows.append(QString(kRow).replace(5, 5, "14080"));
    Click(window, "cmdRead");
    QCOMPARE(done.size(), 1);
    const QsoList records = done[0][1].value<QsoList>();
    QCOMPARE(records.size(), 2);
    QCOMPARE(records[1].band, "14080");
    QCOMPARE(records[1].no, 2);
    QCOMPARE(done[0][0].value<LogSummary>().call_sign, "K1CALL");
    QVERIFY(!window->isVisible());
  }

  void LayoutReaderStopsAtADateThatDoesNotParse() {
    KavrelSettings settings = SettingsFrom("CabRLeft=1440\r\nCabRTop=2880\r\n");
    ScriptedMessageBoxes boxes;
    QString bad = kRow;
    bad.replace(14, 10, "2012-13-40");
    const LogLines rows = {"CALLSIGN: JA1CALL", "CATEGORY: SOHP", kRow, bad};
    const auto close_windows = qScopeGuard([] { testing::CloseAll(); });
    auto* window =
        new LayoutReaderWindow(rows, settings, testing::Prefixes(), testing::Entities(), boxes);
    window->show();
    QSignalSpy done(window, &LayoutReaderWindow::ReadingDone);
    window->setGeometry(QRect(QPoint(150, 60), window->size()));  // the client area's place
    Click(window, "cmdRead");
    QCOMPARE(boxes.Shown(),
             QList<MessageRequest>{Box("行 3: 日時 \"2012-13-40 12:34\" を読み取れません")});
    QCOMPARE(done.size(), 0);
    QVERIFY(!window->isVisible());
    QCOMPARE(settings.layout_reader_left, static_cast<int>(PixelsToTwipsForTest(150)));
    QCOMPARE(settings.layout_reader_top, static_cast<int>(PixelsToTwipsForTest(60)));
  }

  // ---- frmKavrel --------------------------------------------------------------

  void SummaryGridShowsOneRowPerRecord() {
    KavrelSettings settings = SettingsFrom("");
    ScriptedMessageBoxes boxes;
    QString path = "/logs/ja1call.log";
    const LogFolders folders;
    const ErrorReportList report;
    const auto close_windows = qScopeGuard([] { testing::CloseAll(); });
    auto* window = new SummaryWindow({&settings, &folders, &path, &report, &boxes});
    window->show();
    QCOMPARE(window->Grid()->rowCount(), 1);  // an empty grid keeps one empty row
    QVERIFY(!window->Grid()->item(0, 0));
    window->Save();  // nothing to save: nothing happens
    QVERIFY(window->isVisible());
    QCOMPARE(boxes.Shown().size(), 0);

    QsoList records;
    for (int i = 1; i <= 1000; ++i) {
      records.append({static_cast<std::int16_t>(i), i == 2 ? "14000" : " 7000", "RY",
                      QDateTime(QDate(2012, 10, 20), QTime(9, 5), Qt::UTC), "JA1CALL      ", "599",
                      "5 ", "K1CALL       ", "599", "30"});
    }
    window->SetRecords(records);
    window->FrmLogLoad();
    QCOMPARE(window->Grid()->rowCount(), 1000);
    QStringList first;
    for (int column = 0; column < SummaryWindow::kColumns; ++column) {
      first.append(window->Grid()->item(0, column)->text());
    }
    QCOMPARE(first, (QStringList{"0001", "7000", "RY", "2012-10-20", "0905", "JA1CALL", "599", "5",
                                 "K1CALL", "599", "30"}));
    QCOMPARE(window->Grid()->item(1, 1)->text(), "14000");
    QCOMPARE(window->Grid()->item(998, 0)->text(), "0999");
    QCOMPARE(window->Grid()->item(999, 0)->text(), "1000");
    QCOMPARE(window->Grid()->item(0, 1)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(window->Grid()->horizontalHeaderItem(10)->text(), "Rcvd");
  }

  void SummaryRemembersPlacementAndColumnWidths() {
    KavrelSettings settings = SettingsFrom("GridWidth3=2880\r\n");
    ScriptedMessageBoxes boxes;
    QString path;
    const LogFolders folders;
    const ErrorReportList report;
    const auto close_windows = qScopeGuard([] { testing::CloseAll(); });
    auto* window = new SummaryWindow({&settings, &folders, &path, &report, &boxes});
    window->show();
    QCOMPARE(window->Grid()->columnWidth(3), PixelsForTest(2880));
    QCOMPARE(window->width(), PixelsForTest(11500));
    window->Grid()->setColumnWidth(8, PixelsForTest(2400));
    window->close();
    QCOMPARE(settings.grid_widths[8], 2400);
    QCOMPARE(settings.grid_widths[3], 2880);
    QCOMPARE(settings.summary_width, int(PixelsToTwipsForTest(PixelsForTest(11500))));
    QCOMPARE(settings.summary_height, int(PixelsToTwipsForTest(PixelsForTest(7000))));
  }

 private:
  static double PixelsToTwipsForTest(int pixels) {
    QWidget probe;
    return PixelsToTwips(pixels, &probe);
  }
  static int PixelsForTest(double twips) {
    QWidget probe;
    return TwipsToPixels(twips, &probe);
  }
};

}  // namespace tovek::ui

QTEST_MAIN(tovek::ui::ReviewWindowsTest)
#include "review_windows_test.moc"
