#include "editor/ui/dialogs/column_dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "editor/ui/dialogs/up_down_spinner.h"

namespace tovek::ui {
namespace {

// 75 characters: half of it rounds to column 38.
const QString kSample =
    QStringLiteral("QSO: 14080 RY 2024-05-01 1200 JA1ABC        599 001    K1ABC        599 002");

QString Text(const QWidget& dialog, const char* name) {
  if (const auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name))) {
    return label->text();
  }
  if (const auto* box = dialog.findChild<QLineEdit*>(QString::fromLatin1(name))) {
    return box->text();
  }
  return QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

bool HasLabel(const QWidget& dialog, const QString& caption) {
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    if (label->text() == caption) return true;
  }
  return false;
}

void Click(QWidget& dialog, const char* name) {
  auto* button = dialog.findChild<QAbstractButton*>(QString::fromLatin1(name));
  QVERIFY2(button, name);
  QTest::mouseClick(button, Qt::LeftButton);
}

// The value of a dialog answered with "OK"; a cancelled one fails the test.
template <typename T>
T Given(const std::optional<T>& value) {
  if (!value) QTest::qFail("the dialog gave nothing", __FILE__, __LINE__);
  return value.value_or(T{});
}

// Runs `answer` on the modal dialog as soon as it is open.
void WhenModalOpens(std::function<void(QWidget&)> answer) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, answer] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      answer(*modal);
    }
  });
  timer->start();
}

}  // namespace

class ColumnDialogsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void FramesCaptionsAndFirstValues();
  void RememberedValuesAreBroughtIntoRange();
  void SpinnersAreBoundedAndMoveNumberAndPreview();
  void TypedLettersBecomeUpperCase();
  void CancelReturnsNothingAndRemembersNothing();
  void OkRemembersAndReturnsWhatToApply();
};

void ColumnDialogsTest::FramesCaptionsAndFirstValues() {
  const ColumnEditMemory memory;
  const KavrelSettings settings;
  struct Expected {
    std::unique_ptr<ColumnDialog> dialog;
    const char* name;
    QString caption;
    QString start_caption;
    int start;
    int preview_width;
  };
  Expected cases[] = {
      {std::make_unique<ChrInputDialog>(kSample, memory), "frmChrInPut", "文字の挿入", "挿入位置",
       38, 14},
      {std::make_unique<ChrReplaceDialog>(kSample, memory), "frmChrReplace", "文字の置換え",
       "開始位置", 38, 14},
      {std::make_unique<ChrDelDialog>(kSample, memory, settings), "frmChrDel", "文字の削除",
       "開始位置", 38, 14},
      {std::make_unique<Time4Dialog>(kSample, settings), "frmTime4", "時間を４桁に変更", "開始位置",
       17, 14},
      {std::make_unique<BandDialog>(kSample, settings), "frmBand", "バンドデータの右揃え",
       "開始位置", 6, 14},
      {std::make_unique<EditSetDialog>(kSample, settings), "frmEditSet", "桁の整列", "開始位置", 38,
       25},
  };
  for (const Expected& c : cases) {
    const ColumnDialog& dialog = *c.dialog;
    QCOMPARE(dialog.objectName(), QString::fromLatin1(c.name));
    QCOMPARE(dialog.windowTitle(), c.caption);
    QVERIFY2(HasLabel(dialog, c.start_caption), c.name);
    QCOMPARE(dialog.StartColumn(), c.start);
    QCOMPARE(dialog.StartSpinner()->Minimum(), 1);
    QCOMPARE(dialog.StartSpinner()->Maximum(), 75);
    QCOMPARE(Text(dialog, "lblStart"), QString::number(c.start));
    QCOMPARE(Text(dialog, "lblPreview"), kSample.mid(c.start - 1, c.preview_width));
    QCOMPARE(dialog.findChild<QPushButton*>("cmdOK")->text(), QString("OK"));
    QCOMPARE(dialog.findChild<QPushButton*>("cmdCancel")->text(), QString("ｷｬﾝｾﾙ"));
  }
  const auto& insert = static_cast<const ChrInputDialog&>(*cases[0].dialog);
  QCOMPARE(insert.Values(), (ColumnText{38, ""}));
  QVERIFY(HasLabel(insert, "挿入文字"));
  QVERIFY(HasLabel(*cases[1].dialog, "置換え文字"));
  const auto& del = static_cast<const ChrDelDialog&>(*cases[2].dialog);
  QCOMPARE(del.Values(), (ColumnSpan{38, 2}));
  QCOMPARE(del.LengthSpinner()->Maximum(), 13);
  QCOMPARE(Text(del, "lblLength"), QString("2"));
  QVERIFY(HasLabel(del, "データ長"));
  const auto& align = static_cast<const EditSetDialog&>(*cases[5].dialog);
  QCOMPARE(align.Values(), (ColumnSpan{38, 3}));
  QCOMPARE(align.WidthSpinner()->Maximum(), 15);
  QVERIFY(HasLabel(align, "データ長"));
}

void ColumnDialogsTest::RememberedValuesAreBroughtIntoRange() {
  const ColumnEditMemory memory{12, "RY", 5};
  KavrelSettings settings;
  settings.del_pos = 20;
  settings.time_pos = 26;
  settings.band_pos = 100;
  settings.edit_pos = 31;
  settings.edit_len = 20;
  QCOMPARE(ChrInputDialog(kSample, memory).Values(), (ColumnText{12, "RY"}));
  QCOMPARE(ChrReplaceDialog(kSample, memory).Values(), (ColumnText{12, "RY"}));
  QCOMPARE(ChrDelDialog(kSample, memory, settings).Values(), (ColumnSpan{20, 5}));
  QCOMPARE(Time4Dialog(kSample, settings).StartColumn(), 26);
  QCOMPARE(BandDialog(kSample, settings).StartColumn(), 75);
  QCOMPARE(EditSetDialog(kSample, settings).Values(), (ColumnSpan{31, 15}));
  // A short sample: 73 characters, half of it 36.
  QCOMPARE(ChrInputDialog(kSample.left(73), {}).StartColumn(), 36);
  settings.time_pos = -4;
  QCOMPARE(Time4Dialog(kSample, settings).StartColumn(), 1);
}

void ColumnDialogsTest::SpinnersAreBoundedAndMoveNumberAndPreview() {
  KavrelSettings settings;
  settings.edit_pos = 74;
  settings.edit_len = 14;
  EditSetDialog dialog(kSample, settings);
  UpDownSpinner* start = dialog.StartSpinner();
  Click(*start, "up");
  QCOMPARE(dialog.StartColumn(), 75);
  QCOMPARE(Text(dialog, "lblStart"), QString("75"));
  QCOMPARE(Text(dialog, "lblPreview"), QString("2"));
  QVERIFY(!start->UpButton()->isEnabled());
  start->SetValue(76);
  QCOMPARE(dialog.StartColumn(), 75);
  start->SetValue(2);
  Click(*start, "down");
  QCOMPARE(dialog.StartColumn(), 1);
  QCOMPARE(Text(dialog, "lblPreview"), kSample.left(25));
  QVERIFY(!start->DownButton()->isEnabled());
  Click(*start, "down");
  start->SetValue(0);
  QCOMPARE(dialog.StartColumn(), 1);
  // The keyboard moves it too.
  start->setFocus();
  QTest::keyClick(start, Qt::Key_PageUp);
  QCOMPARE(Text(dialog, "lblStart"), QString("11"));
  QCOMPARE(Text(dialog, "lblPreview"), kSample.mid(10, 25));

  UpDownSpinner* width = dialog.WidthSpinner();
  Click(*width, "up");
  Click(*width, "up");
  QCOMPARE(dialog.Values(), (ColumnSpan{11, 15}));
  QCOMPARE(Text(dialog, "lblLength"), QString("15"));
  width->SetValue(0);
  QCOMPARE(dialog.Values(), (ColumnSpan{11, 1}));
  QCOMPARE(Text(dialog, "lblLength"), QString("1"));
}

void ColumnDialogsTest::TypedLettersBecomeUpperCase() {
  ChrInputDialog dialog(kSample, {20, "x", 0});
  auto* text = dialog.findChild<QLineEdit*>("Text1");
  QVERIFY(text);
  // The remembered text is selected: typing replaces it.
  QTest::keyClicks(text, "ry 1z");
  QCOMPARE(dialog.Values(), (ColumnText{20, "RY 1Z"}));
  QTest::keyClicks(text, "Ab");
  QCOMPARE(text->text(), QString("RY 1ZAB"));
}

void ColumnDialogsTest::CancelReturnsNothingAndRemembersNothing() {
  ColumnEditMemory memory{12, "RY", 5};
  KavrelSettings settings;
  settings.del_pos = 20;
  settings.edit_pos = 31;
  settings.edit_len = 4;
  const auto cancel = [](QWidget& dialog) { Click(dialog, "cmdCancel"); };
  WhenModalOpens(cancel);
  QVERIFY(!AskInputText(nullptr, kSample, memory));
  WhenModalOpens(cancel);
  QVERIFY(!AskChangeText(nullptr, kSample, memory));
  WhenModalOpens(cancel);
  QVERIFY(!AskDataDel(nullptr, kSample, memory, settings));
  WhenModalOpens(cancel);
  QVERIFY(!AskTime4Col(nullptr, kSample, settings));
  WhenModalOpens(cancel);
  QVERIFY(!AskBandRight(nullptr, kSample, settings));
  WhenModalOpens([](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  QVERIFY(!AskDataCalSet(nullptr, kSample, settings));
  QCOMPARE(memory.cpos, 12);
  QCOMPARE(memory.change_chr, QString("RY"));
  QCOMPARE(memory.del_len, 5);
  QCOMPARE(settings.del_pos, 20);
  QCOMPARE(settings.time_pos, 0);
  QCOMPARE(settings.band_pos, 0);
  QCOMPARE(settings.edit_pos, 31);
  QCOMPARE(settings.edit_len, 4);
}

void ColumnDialogsTest::OkRemembersAndReturnsWhatToApply() {
  ColumnEditMemory memory;
  KavrelSettings settings;
  WhenModalOpens([](QWidget& dialog) {
    QCOMPARE(dialog.objectName(), QString("frmChrInPut"));
    dialog.findChild<UpDownSpinner*>("UpDown1")->SetValue(6);
    QTest::keyClicks(dialog.findChild<QLineEdit*>("Text1"), "1");
    Click(dialog, "cmdOK");
  });
  QCOMPARE(Given(AskInputText(nullptr, kSample, memory)), (ColumnText{6, "1"}));
  QCOMPARE(memory.cpos, 6);
  QCOMPARE(memory.change_chr, QString("1"));
  // The replace dialog opens where the insert dialog was used last.
  WhenModalOpens([](QWidget& dialog) {
    QCOMPARE(Text(dialog, "lblStart"), QString("6"));
    QCOMPARE(Text(dialog, "Text1"), QString("1"));
    QTest::keyClicks(dialog.findChild<QLineEdit*>("Text1"), "ry");
    QTest::keyClick(dialog.findChild<QLineEdit*>("Text1"), Qt::Key_Return);
  });
  QCOMPARE(Given(AskChangeText(nullptr, kSample, memory)), (ColumnText{6, "RY"}));
  QCOMPARE(memory.change_chr, QString("RY"));

  WhenModalOpens([](QWidget& dialog) {
    dialog.findChild<UpDownSpinner*>("UpDown2")->SetValue(13);
    Click(dialog, "cmdOK");
  });
  QCOMPARE(Given(AskDataDel(nullptr, kSample, memory, settings)), (ColumnSpan{38, 13}));
  QCOMPARE(settings.del_pos, 38);
  QCOMPARE(memory.del_len, 13);

  const auto ok = [](QWidget& dialog) { Click(dialog, "cmdOK"); };
  WhenModalOpens(ok);
  QCOMPARE(Given(AskTime4Col(nullptr, kSample, settings)), 17);
  QCOMPARE(settings.time_pos, 17);
  WhenModalOpens(ok);
  QCOMPARE(Given(AskBandRight(nullptr, kSample, settings)), 6);
  QCOMPARE(settings.band_pos, 6);
  WhenModalOpens(ok);
  QCOMPARE(Given(AskDataCalSet(nullptr, kSample, settings)), (ColumnSpan{38, 3}));
  QCOMPARE(settings.edit_pos, 38);
  QCOMPARE(settings.edit_len, 3);
}

}  // namespace tovek::ui

QTEST_MAIN(tovek::ui::ColumnDialogsTest)
#include "column_dialogs_test.moc"
