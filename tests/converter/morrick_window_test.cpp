// Morrick's window: start-up, reading, choosing sources, widths, the convert
// checks and output, and closing, driven through its controls.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <memory>

#include "cli/command_line.h"
#include "common/ui/log_open_dialog.h"
#include "common/ui/program_info.h"
#include "converter/ui/morrick_main_window.h"
#include "tests/support/scripted_message_boxes.h"
#include "tests/support/test_files.h"

namespace tovek::ui {

using testing::ReadBytes;
using testing::ScriptedMessageBoxes;
using testing::TempFolder;

namespace {

class RecordingLauncher final : public TextEditorLauncher {
 public:
  void Open(const QString& path) override { opened.append(path); }
  QStringList opened;
};

// Two QSOs with every default field and the exchange numbers in STX/SRX.
const QByteArray kLog =
    "Test log\r\n<PROGRAMID:4>TEST<EOH>\r\n"
    "<OPERATOR:6>JA1ABC<FREQ:6>14.080<MODE:4>RTTY<QSO_DATE:8:D>20261205<TIME_ON:6>120305"
    "<RST_SENT:3>599<CALL:5>K1ABC<RST_RCVD:3>579<STX:3>001<SRX:2>42<EOR>\r\n"
    "<operator:6>ja1abc<freq:5>7.045<mode:3>ssb<qso_date:8>20261206<time_on:4>0005"
    "<rst_sent:2>59<call:4>w1aw<rst_rcvd:2>57<stx:3>002<srx:3>123<eor>\r\n";

const QString kRealFolder = QStringLiteral(TOVEK_REAL_DATA_DIR "/adif/");

bool IsRed(const QLabel* label) { return label->palette().color(QPalette::WindowText) == Qt::red; }

}  // namespace

class MorrickWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void cleanup();

  void FirstStartWithoutSettings();
  void SettingsAreAppliedAtStart();
  void ReadShowsDefaultSourcesAndSamples();
  void ReplaceShowsAndHidesBoxesAndCaptions();
  void TypedLettersBecomeCapitalsWhereTheBoxesSaySo();
  void SecondReadKeepsTheReportTexts();
  void WidthSpinnersSetTheWidths();
  void ConvertChecksAndTheirMessages();
  void ConvertWritesTheFileAndStartsTheEditor();
  void FileThatCannotBeWrittenIsReported();
  void ReadButtonGoesThroughTheOpenDialog();
  void ClosingAfterAReadAsksAndSaves();
  void SettingsThatCannotBeWrittenAreReported();
  void FontIsAppliedToTheDataFields();
  void WindowAndCommandLineWriteTheSameFile_data();
  void WindowAndCommandLineWriteTheSameFile();

 private:
  template <typename T>
  T* Find(const QString& name) {
    T* widget = window_->findChild<T*>(name);
    if (!widget) qFatal("no %s", qPrintable(name));
    return widget;
  }
  QString Text(const QString& label) { return Find<QLabel>(label)->text(); }
  void Start(const QByteArray& settings = {});
  void Choose(const QString& combo, const QString& item) {
    QComboBox* box = Find<QComboBox>(combo);
    const int index = box->findText(item);
    QVERIFY2(index >= 0, qPrintable(combo + ": no " + item));
    box->setCurrentIndex(index);
  }
  void FillHeader() {
    Choose("Combo1", "TOVEK-WW-RTTY");
    Choose("Combo2", "SINGLE-OP");
    Choose("Combo3", "20M");
    Choose("Combo4", "RTTY");
    Choose("Combo5", "LOW");
  }
  QStringList Samples() {
    QStringList samples;
    for (int number : {8, 9, 10, 11, 7, 12, 13, 14, 15, 16}) {
      samples.append(Text(QStringLiteral("lblValue%1").arg(number)));
    }
    return samples;
  }

  std::unique_ptr<TempFolder> folder_;
  QString program_;
  QString out_;
  ScriptedMessageBoxes boxes_;
  RecordingLauncher editor_;
  std::unique_ptr<MorrickMainWindow> window_;
};

void MorrickWindowTest::init() {
  folder_ = std::make_unique<TempFolder>();
  program_ = folder_->Path() + "/program";
  out_ = folder_->Path() + "/out";
  QDir().mkpath(program_);
  QDir().mkpath(out_);
  QDir().mkpath(folder_->Path() + "/adif");
  for (const char* list : {"Contest.lst", "CateOp.lst", "CateBand.lst", "CateMode.lst",
                           "CatePwr.lst", "CateStn.lst"}) {
    QVERIFY(QFile::copy(QStringLiteral(TOVEK_PROGRAM_DIR "/") + list, program_ + "/" + list));
  }
  folder_->Write("adif/log.adi", kLog);
  boxes_.Clear();
  editor_.opened.clear();
}

void MorrickWindowTest::cleanup() {
  if (window_) {
    boxes_.Answer(Answer::kOk);
    window_->close();
  }
  window_.reset();
  folder_.reset();
}

void MorrickWindowTest::Start(const QByteArray& settings) {
  if (!settings.isEmpty()) testing::WriteBytes(program_ + "/Morrick.ini", settings);
  window_ = std::make_unique<MorrickMainWindow>(program_, boxes_, editor_);
  window_->Load();
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void MorrickWindowTest::FirstStartWithoutSettings() {
  Start();
  QCOMPARE(boxes_.Shown().size(), 1);
  QCOMPARE(boxes_.Shown()[0],
           (MessageRequest{"NOT Morrick.ini FILE !!", {}, Buttons::kOk, Icon::kNone}));
  QCOMPARE(window_->objectName(), QStringLiteral("frmMain"));
  QCOMPARE(window_->windowTitle(), QStringLiteral("Morrick"));
  QList<int> widths;
  QStringList numbers;
  for (int i = 1; i <= 6; ++i) {
    widths.append(Find<QSpinBox>(QStringLiteral("UpDown%1").arg(i))->value());
    numbers.append(Text(QStringLiteral("lblWidth%1").arg(i)));
  }
  QCOMPARE(widths, (QList<int>{14, 14, 4, 7, 4, 3}));
  QCOMPARE(numbers, (QStringList{"14", "14", "4", "7", "4", "3"}));
  QCOMPARE(Find<QSpinBox>("UpDown1")->maximum(), 20);
  QCOMPARE(Find<QSpinBox>("UpDown3")->maximum(), 7);
  QCOMPARE(Find<QSpinBox>("UpDown6")->maximum(), 10);
  QCOMPARE(window_->Settings().font_name, QStringLiteral("ＭＳ 明朝"));
  QCOMPARE(Text("lblCreatedBy"), QStringLiteral("Morrick 1.0.31"));
  QCOMPARE(Text("lblCreatedBy"),
           kMorrickInfo.title + " 1.0." + QString::number(kMorrickInfo.revision));
  QVERIFY(!Find<QPushButton>("Command2")->isEnabled());
  QVERIFY(Find<QPushButton>("Command1")->isEnabled());
  QVERIFY(!Find<QLabel>("lblNote")->isVisible());
  QCOMPARE(Text("lblNote"), QStringLiteral("赤字の項目は必須項目です"));
  for (const char* box : {"Text1", "Text11", "Text12", "Text13", "Text14"}) {
    QVERIFY2(!Find<QLineEdit>(box)->isVisible(), box);
  }
  QVERIFY(!Find<QLabel>("lblReplace1")->isVisible());
  QVERIFY(!Find<QLabel>("lblReplace2")->isVisible());
  QVERIFY(!IsRed(Find<QLabel>("lblCombo1")));
  QCOMPARE(Find<QComboBox>("Combo8")->count(), 0);
  QCOMPARE(Find<QComboBox>("Combo1")->currentText(), QString());
  QVERIFY(Find<QComboBox>("Combo1")->findText("TOVEK-WW-RTTY") >= 0);
  QCOMPARE(Find<QComboBox>("Combo5")->count(), 3);
  QCOMPARE(Find<QLineEdit>("Text11")->text(), QStringLiteral("599"));
  QCOMPARE(Find<QLineEdit>("Text13")->text(), QStringLiteral("599"));

  window_->close();
  QCOMPARE(boxes_.Shown().size(), 1);
  QVERIFY(!window_->isVisible());
  const QList<QByteArray> lines = ReadBytes(program_ + "/Morrick.ini").split('\n');
  QCOMPARE(lines.size(), 18);
  QVERIFY(lines[0].startsWith("MeLeft="));
  QCOMPARE(lines[4], QByteArray("AdiFontName=\x82\x6c\x82\x72 \x96\xbe\x92\xa9\r"));
  QCOMPARE(lines[16], QByteArray("RNoLen=3\r"));
  window_.reset();
}

void MorrickWindowTest::SettingsAreAppliedAtStart() {
  Start(
      "MeLeft=1440\r\nMeTop=2880\r\nContest=TOVEK-WW-RTTY\r\nCateOpe=NO-SUCH\r\nCateBand=20M\r\n"
      "CatePower=QRP\r\nCateStation=FIXED\r\nMyCallLen=10\r\nRNoLen=0\r\nSNoLen=44\r\n");
  QVERIFY(boxes_.Shown().isEmpty());
  QCOMPARE(Find<QComboBox>("Combo1")->currentText(), QStringLiteral("TOVEK-WW-RTTY"));
  // A saved text that is not a line of its list file is kept all the same.
  QCOMPARE(Find<QComboBox>("Combo2")->currentText(), QStringLiteral("NO-SUCH"));
  QCOMPARE(Find<QComboBox>("Combo3")->currentText(), QStringLiteral("20M"));
  QCOMPARE(Find<QComboBox>("Combo5")->currentText(), QStringLiteral("QRP"));
  QCOMPARE(Find<QComboBox>("Combo6")->currentText(), QStringLiteral("FIXED"));
  QCOMPARE(Find<QSpinBox>("UpDown1")->value(), 10);
  QCOMPARE(Text("lblWidth1"), QStringLiteral("10"));
  QCOMPARE(Find<QSpinBox>("UpDown4")->value(), 10);
  QCOMPARE(Find<QSpinBox>("UpDown6")->value(), 3);
  const int dpi = window_->logicalDpiX();
  // The saved place is the client area's, inside the frame.
  QCOMPARE(window_->geometry().topLeft(), QPoint(dpi, 2 * dpi));
}

void MorrickWindowTest::ReadShowsDefaultSourcesAndSamples() {
  Start("MyCallLen=14\r\n");
  const QString path = folder_->File("adif/log.adi");
  window_->AdifRead(path);
  QCOMPARE(window_->Records().size(), 2);
  QCOMPARE(Samples(), (QStringList{"14080", "RTTY", "2026-12-05", "12:03", "JA1ABC", "599", "",
                                   "K1ABC", "579", ""}));
  QCOMPARE(Text("lblCallsignValue"), QStringLiteral("JA1ABC"));
  const QStringList names = {"OPERATOR", "FREQ", "MODE",     "QSO_DATE", "TIME_ON",
                             "RST_SENT", "CALL", "RST_RCVD", "STX",      "SRX"};
  QComboBox* freq = Find<QComboBox>("Combo8");
  QCOMPARE(freq->count(), names.size());
  QComboBox* sent_no = Find<QComboBox>("Combo13");
  QStringList items;
  for (int i = 0; i < sent_no->count(); ++i) items.append(sent_no->itemText(i));
  QCOMPARE(items, names + QStringList{"REPLACE"});
  QCOMPARE(sent_no->currentIndex(), -1);
  QCOMPARE(Find<QComboBox>("Combo14")->count(), names.size());
  QCOMPARE(Find<QComboBox>("Combo7")->currentText(), QStringLiteral("OPERATOR"));

  QVERIFY(Find<QPushButton>("Command2")->isEnabled());
  QVERIFY(Find<QLabel>("lblNote")->isVisible());
  for (const char* caption : {"lblCallsign", "lblCombo1", "lblCombo2", "lblCombo3", "lblCombo4",
                              "lblCombo5", "lblCombo7", "lblCombo8", "lblCombo16"}) {
    QVERIFY2(IsRed(Find<QLabel>(caption)), caption);
  }
  QVERIFY(!IsRed(Find<QLabel>("lblCombo6")));
  QVERIFY(!IsRed(Find<QLabel>("lblText2")));
  QCOMPARE(Text("Panel1"), path);
  QCOMPARE(Text("Panel2"), QStringLiteral("2 QSO"));

  Choose("Combo13", "STX");
  Choose("Combo16", "SRX");
  QCOMPARE(Samples().mid(6), (QStringList{"001", "K1ABC", "579", "42"}));
  Choose("Combo8", "MODE");
  QCOMPARE(Text("lblValue8"), QString());
}

void MorrickWindowTest::ReplaceShowsAndHidesBoxesAndCaptions() {
  Start("MyCallLen=14\r\n");
  window_->AdifRead(folder_->File("adif/log.adi"));
  QLineEdit* sent_rst = Find<QLineEdit>("Text11");
  QLineEdit* rcvd_rst = Find<QLineEdit>("Text13");
  QLabel* shared = Find<QLabel>("lblReplace2");
  QLabel* own = Find<QLabel>("lblReplace1");

  Choose("Combo12", "REPLACE");
  QVERIFY(sent_rst->isVisible());
  QCOMPARE(sent_rst->text(), QStringLiteral("599"));
  QCOMPARE(Text("lblValue12"), QStringLiteral("599"));
  QVERIFY(shared->isVisible());
  QVERIFY(!own->isVisible());

  Choose("Combo15", "REPLACE");
  QVERIFY(rcvd_rst->isVisible());
  Choose("Combo12", "RST_SENT");
  QVERIFY(!sent_rst->isVisible());
  QCOMPARE(Text("lblValue12"), QStringLiteral("599"));
  QVERIFY(shared->isVisible());
  rcvd_rst->setText("5NN");
  QCOMPARE(Text("lblValue15"), QStringLiteral("5NN"));
  Choose("Combo15", "RST_RCVD");
  QVERIFY(!shared->isVisible());
  QCOMPARE(Text("lblValue15"), QStringLiteral("579"));

  Choose("Combo7", "REPLACE");
  QVERIFY(Find<QLineEdit>("Text1")->isVisible());
  QVERIFY(own->isVisible());
  QVERIFY(!shared->isVisible());
  QCOMPARE(Text("lblValue7"), QString());
  QCOMPARE(Text("lblCallsignValue"), QString());
  Choose("Combo7", "CALL");
  QVERIFY(!own->isVisible());
  QCOMPARE(Text("lblCallsignValue"), QStringLiteral("K1ABC"));
}

void MorrickWindowTest::TypedLettersBecomeCapitalsWhereTheBoxesSaySo() {
  Start("MyCallLen=14\r\n");
  window_->AdifRead(folder_->File("adif/log.adi"));
  Choose("Combo7", "REPLACE");
  QLineEdit* call = Find<QLineEdit>("Text1");
  QTest::keyClicks(call, "ja1abc/1");
  QCOMPARE(call->text(), QStringLiteral("JA1ABC/1"));
  QCOMPARE(Text("lblValue7"), QStringLiteral("JA1ABC/1"));
  QCOMPARE(Text("lblCallsignValue"), QStringLiteral("JA1ABC/1"));

  struct Typed {
    const char* box;
    const char* typed;
    QString expected;
  };
  const QList<Typed> cases = {{"Text2", "ja1abc jh1xyz", "JA1ABC JH1XYZ"},
                              {"Text3", "Taro Yamada", "Taro Yamada"},
                              {"Text9", "ja1abc@example.jp", "ja1abc@example.jp"},
                              {"Text12", "abc1", "ABC1"},
                              {"Text14", "as", "AS"}};
  Choose("Combo13", "REPLACE");
  Choose("Combo16", "REPLACE");
  for (const Typed& c : cases) {
    QLineEdit* box = Find<QLineEdit>(c.box);
    box->clear();
    QTest::keyClicks(box, c.typed);
    QCOMPARE(box->text(), c.expected);
  }
  QCOMPARE(Text("lblValue13"), QStringLiteral("ABC1"));
  QCOMPARE(Text("lblValue16"), QStringLiteral("AS"));
}

void MorrickWindowTest::SecondReadKeepsTheReportTexts() {
  Start("MyCallLen=14\r\n");
  window_->AdifRead(folder_->File("adif/log.adi"));
  for (const char* combo : {"Combo7", "Combo12", "Combo13", "Combo15", "Combo16"}) {
    Choose(combo, "REPLACE");
  }
  Find<QLineEdit>("Text1")->setText("JA1ABC");
  Find<QLineEdit>("Text11")->setText("5NN");
  Find<QLineEdit>("Text12")->setText("001");
  Find<QLineEdit>("Text14")->setText("AS");
  window_->AdifRead(folder_->File("adif/log.adi"));
  QCOMPARE(Find<QLineEdit>("Text1")->text(), QString());
  QCOMPARE(Find<QLineEdit>("Text11")->text(), QStringLiteral("5NN"));
  QCOMPARE(Find<QLineEdit>("Text12")->text(), QString());
  QCOMPARE(Find<QLineEdit>("Text13")->text(), QStringLiteral("599"));
  QCOMPARE(Find<QLineEdit>("Text14")->text(), QString());
  for (const char* box : {"Text1", "Text11", "Text12", "Text13", "Text14"}) {
    QVERIFY2(!Find<QLineEdit>(box)->isVisible(), box);
  }
  QVERIFY(!Find<QLabel>("lblReplace1")->isVisible());
  QVERIFY(!Find<QLabel>("lblReplace2")->isVisible());
  QCOMPARE(Samples(), (QStringList{"14080", "RTTY", "2026-12-05", "12:03", "JA1ABC", "599", "",
                                   "K1ABC", "579", ""}));
}

void MorrickWindowTest::WidthSpinnersSetTheWidths() {
  Start("MyCallLen=14\r\n");
  QSpinBox* my_call = Find<QSpinBox>("UpDown1");
  my_call->stepDown();
  QCOMPARE(my_call->value(), 13);
  QCOMPARE(Text("lblWidth1"), QStringLiteral("13"));
  my_call->setValue(25);
  QCOMPARE(Text("lblWidth1"), QStringLiteral("20"));
  Find<QSpinBox>("UpDown6")->setValue(0);
  QCOMPARE(window_->CurrentSetup().widths, (QsoFieldWidths{20, 14, 4, 7, 4, 0}));
}

void MorrickWindowTest::ConvertChecksAndTheirMessages() {
  Start("MyCallLen=14\r\nCbrLogFolder=" + (folder_->Path() + "/missing").toUtf8() + "\r\n");
  const MessageRequest missing{"データ項目をセットしてください", {}, Buttons::kOk, Icon::kNone};
  const MessageRequest no_folder{
      "ログフォルダーを設定してください\n作業を続行できません", {}, Buttons::kOk, Icon::kNone};
  QPushButton* convert = Find<QPushButton>("Command2");

  // A file without records: the command is enabled but the check fails.
  folder_->Write("adif/empty.adi", "<EOH><STATION_CALLSIGN:6>JA1ABC<EOR>");
  window_->AdifRead(folder_->File("adif/empty.adi"));
  QVERIFY(convert->isEnabled());
  QTest::mouseClick(convert, Qt::LeftButton);
  QCOMPARE(boxes_.Shown().size(), 1);
  QCOMPARE(boxes_.Shown().last(), missing);

  window_->AdifRead(folder_->File("adif/log.adi"));
  FillHeader();
  QTest::mouseClick(convert, Qt::LeftButton);
  QCOMPARE(boxes_.Shown().last(), missing);  // SEND NO and RCVD NO
  Choose("Combo13", "STX");
  Choose("Combo16", "SRX");
  Find<QComboBox>("Combo4")->setCurrentIndex(-1);
  QTest::mouseClick(convert, Qt::LeftButton);
  QCOMPARE(boxes_.Shown().last(), missing);
  Choose("Combo4", "RTTY");
  QTest::mouseClick(convert, Qt::LeftButton);
  QCOMPARE(boxes_.Shown().size(), 4);
  QCOMPARE(boxes_.Shown().last(), no_folder);

  QVERIFY(QDir().mkpath(folder_->Path() + "/missing"));
  Choose("Combo7", "REPLACE");
  Find<QLineEdit>("Text1")->setText("JA1ABC/1/P");
  QTest::mouseClick(convert, Qt::LeftButton);
  QCOMPARE(
      boxes_.Shown().last().text,
      QStringLiteral("コールサイン「JA1ABC/1/P」はファイル名に使えません\n作業を続行できません"));
  QCOMPARE(boxes_.Unexpected(), 5);
  QVERIFY(QDir(folder_->Path() + "/missing").isEmpty());
  QVERIFY(editor_.opened.isEmpty());
}

void MorrickWindowTest::ConvertWritesTheFileAndStartsTheEditor() {
  Start("MyCallLen=14\r\nCbrLogFolder=" + out_.toUtf8() + "\r\n");
  window_->AdifRead(folder_->File("adif/log.adi"));
  FillHeader();
  Choose("Combo13", "STX");
  Choose("Combo16", "REPLACE");
  Find<QLineEdit>("Text14")->setText(" as ");
  Find<QLineEdit>("Text5")->setText("  Tokyo ");
  QPushButton* convert = Find<QPushButton>("Command2");

  boxes_.Answer(Answer::kNo);
  QTest::mouseClick(convert, Qt::LeftButton);
  QCOMPARE(boxes_.Shown().last(), (MessageRequest{"JA1ABC.cbr ファイルを出力しますか ??", "Morrick",
                                                  Buttons::kYesNo, Icon::kQuestion}));
  QVERIFY(QDir(out_).isEmpty());
  QVERIFY(editor_.opened.isEmpty());

  boxes_.Answer(Answer::kYes);
  QTest::mouseClick(convert, Qt::LeftButton);
  QCOMPARE(editor_.opened, QStringList{out_ + "/JA1ABC.cbr"});
  QCOMPARE(
      ReadBytes(out_ + "/JA1ABC.cbr"),
      QByteArray("START-OF-LOG: 3.0\r\n"
                 "CALLSIGN: JA1ABC\r\n"
                 "CONTEST: TOVEK-WW-RTTY\r\n"
                 "CATEGORY-OPERATOR: SINGLE-OP\r\n"
                 "CATEGORY-BAND: 20M\r\n"
                 "CATEGORY-MODE: RTTY\r\n"
                 "CATEGORY-POWER: LOW\r\n"
                 "CATEGORY-STATION: \r\n"
                 "OPERATORS: \r\n"
                 "NAME: \r\n"
                 "ADDRESS: \r\n"
                 "ADDRESS-CITY: Tokyo\r\n"
                 "ADDRESS-STATE-PROVINCE: \r\n"
                 "ADDRESS-POSTALCODE: \r\n"
                 "ADDRESS-COUNTRY: \r\n"
                 "EMAIL: \r\n"
                 "CREATED-BY: Morrick 1.0.31\r\n"
                 "QSO: 14080 RY 2026-12-05 1203 JA1ABC        599 001    K1ABC         579 AS \r\n"
                 "QSO:  7045 PH 2026-12-06 0005 JA1ABC        59  002    W1AW          57  AS \r\n"
                 "END-OF-LOG:\r\n"));

  // Converting again replaces the file; the window stays as it was.
  Find<QSpinBox>("UpDown6")->setValue(2);
  boxes_.Answer(Answer::kYes);
  QTest::mouseClick(convert, Qt::LeftButton);
  QCOMPARE(editor_.opened.size(), 2);
  QVERIFY(ReadBytes(out_ + "/JA1ABC.cbr").contains("579 AS\r\n"));
  QCOMPARE(QDir(out_).entryList(QDir::Files), QStringList{"JA1ABC.cbr"});
  QCOMPARE(Text("lblValue16"), QStringLiteral(" AS "));
  QCOMPARE(boxes_.Unexpected(), 0);
}

void MorrickWindowTest::FileThatCannotBeWrittenIsReported() {
  Start("MyCallLen=14\r\nCbrLogFolder=" + out_.toUtf8() + "\r\n");
  QVERIFY(QDir(out_).mkdir("JA1ABC.cbr"));
  window_->AdifRead(folder_->File("adif/log.adi"));
  FillHeader();
  Choose("Combo13", "STX");
  Choose("Combo16", "SRX");
  boxes_.Answer(Answer::kYes);
  QTest::mouseClick(Find<QPushButton>("Command2"), Qt::LeftButton);
  QCOMPARE(boxes_.Shown().size(), 2);
  QVERIFY(!boxes_.Shown().last().text.isEmpty());
  QCOMPARE(boxes_.Shown().last().buttons, Buttons::kOk);
  QVERIFY(editor_.opened.isEmpty());
  QVERIFY(QFileInfo(out_ + "/JA1ABC.cbr").isDir());
}

void MorrickWindowTest::ReadButtonGoesThroughTheOpenDialog() {
  Start("MyCallLen=14\r\nAdiLogFolder=" + folder_->File("adif").toUtf8() + "\r\n");
  folder_->Write("adif/other.txt", "<CALL:4>W1AW<EOR>");
  folder_->Write("adif/skipped.log", "<CALL:4>W1AW<EOR>");
  QStringList listed;
  QString dialog_name;
  QTimer::singleShot(0, this, [&] {
    auto* dialog = qobject_cast<LogOpenDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    dialog_name = dialog->objectName();
    auto* files = dialog->findChild<QListWidget*>("File1");
    for (int i = 0; i < files->count(); ++i) listed.append(files->item(i)->text());
    dialog->findChild<QLineEdit*>("Text1")->setText(" log.adi ");
    QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  });
  QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
  QCOMPARE(dialog_name, QStringLiteral("frmLogOpen"));
  listed.sort();
  QCOMPARE(listed, (QStringList{"log.adi", "other.txt"}));
  QCOMPARE(window_->Records().size(), 2);
  QCOMPARE(Text("Panel1"), QDir(folder_->File("adif")).filePath("log.adi"));

  // With a log read the user is asked first; No leaves everything as it was.
  bool dialog_opened = false;
  QTimer::singleShot(0, this, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      dialog_opened = true;
      modal->close();
    }
  });
  boxes_.Answer(Answer::kNo);
  QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
  QCOMPARE(
      boxes_.Shown().last(),
      (MessageRequest{
          "現在のログを廃棄して新しいファイルを開きますか", {}, Buttons::kYesNo, Icon::kNone}));
  QTest::qWait(20);
  QVERIFY(!dialog_opened);
  QCOMPARE(window_->Records().size(), 2);
}

void MorrickWindowTest::ClosingAfterAReadAsksAndSaves() {
  Start("MyCallLen=14\r\nAdiLogFolder=/adif\r\nCbrLogFolder=/cbr\r\nAdiFontName=IPAGothic\r\n");
  window_->AdifRead(folder_->File("adif/log.adi"));
  FillHeader();
  Choose("Combo6", "FIXED");
  Find<QSpinBox>("UpDown2")->setValue(12);
  const MessageRequest question{"Morrick を終了しますか ??", "Morrick", Buttons::kOkCancel,
                                Icon::kQuestion};
  boxes_.Answer(Answer::kCancel);
  window_->close();
  QCOMPARE(boxes_.Shown().last(), question);
  QVERIFY(window_->isVisible());
  QVERIFY(!QFileInfo::exists(program_ + "/Morrick.ini") ||
          ReadBytes(program_ + "/Morrick.ini").startsWith("MyCallLen"));

  window_->setGeometry(QRect(QPoint(300, 200), window_->size()));
  boxes_.Answer(Answer::kOk);
  Find<QAction>("mnuEnd")->trigger();
  QVERIFY(!window_->isVisible());
  QCOMPARE(boxes_.Unexpected(), 0);
  const int dpi = window_->logicalDpiX();
  const QByteArray expected =
      "MeLeft=" + QByteArray::number(qRound(300 * 1440.0 / dpi)) +
      "\r\nMeTop=" + QByteArray::number(qRound(200 * 1440.0 / dpi)) +
      "\r\nAdiLogFolder=/adif\r\nCbrLogFolder=/cbr\r\nAdiFontName=IPAGothic\r\n"
      "Contest=TOVEK-WW-RTTY\r\nCateOpe=SINGLE-OP\r\nCateBand=20M\r\nCateMode=RTTY\r\n"
      "CatePower=LOW\r\nCateStation=FIXED\r\nMyCallLen=14\r\nUrCallLen=12\r\nSrstLen=4\r\n"
      "SNoLen=7\r\nRrstLen=4\r\nRNoLen=3\r\n";
  QCOMPARE(ReadBytes(program_ + "/Morrick.ini"), expected);
  window_.reset();
}

void MorrickWindowTest::SettingsThatCannotBeWrittenAreReported() {
  // A folder in the file's place cannot be replaced by the file.
  QVERIFY(QDir(program_).mkdir("Morrick.ini"));
  Start();
  QVERIFY(boxes_.Shown().isEmpty());
  window_->close();
  QVERIFY(!window_->isVisible());
  QCOMPARE(boxes_.Shown().size(), 1);
  QVERIFY(boxes_.Shown()[0].text.startsWith("Morrick.ini\n"));
  QVERIFY(boxes_.Shown()[0].text.size() > 12);
  QVERIFY(QFileInfo(program_ + "/Morrick.ini").isDir());
  window_.reset();
}

void MorrickWindowTest::FontIsAppliedToTheDataFields() {
  Start("MyCallLen=14\r\n");
  window_->SetFont("IPAGothic");
  for (const char* name : {"Combo1", "Combo16", "Text1", "Text9", "Text14", "lblValue8",
                           "lblCallsignValue", "lblCreatedBy", "lblWidth6"}) {
    QCOMPARE(window_->findChild<QWidget*>(name)->font().family(), QStringLiteral("IPAGothic"));
  }
  QVERIFY(Find<QLabel>("lblCombo8")->font().family() != QStringLiteral("IPAGothic"));
}

void MorrickWindowTest::WindowAndCommandLineWriteTheSameFile_data() {
  QTest::addColumn<QString>("file");
  QTest::newRow("N1MM RTTY contest")
      << "JI1FLB_N1MM-Logger-ADIF-file-to-JARL-Contest-log-convertor_JI1FLB.adi";
  QTest::newRow("N1MM CW contest") << "ham2k_lib-qson-adif_src_lib_samples_ki2d-n1mm.adi";
  QTest::newRow("Logger32") << "ham2k_lib-qson-adif_src_lib_samples_k0xm-logger32.adi";
  QTest::newRow("LogHX") << "ham2k_lib-qson-adif_src_lib_samples_r6yy-loghk.adi";
  QTest::newRow("Club Log") << "ham2k_lib-qson-adif_src_lib_samples_ki2d-clublog.adi";
  QTest::newRow("MixW") << "ham2k_lib-qson-adif_src_lib_samples_wo7r-mixw2.adi";
  QTest::newRow("N3FJP") << "farmergreg_adif_testdata_N3FJP-AClogAdif.adi";
  QTest::newRow("LoTW") << "farmergreg_adif_testdata_lotwreport.adi";
  QTest::newRow("Log4OM") << "farmergreg_adif_testdata_Log4OM.adi";
  QTest::newRow("HAMRS") << "ham2k_lib-qson-adif_src_lib_samples_ki2d-pota.adi";
  QTest::newRow("QLog") << "urbancamo_adif-processor_src_test_resources_adif_LU7HF.adi";
  QTest::newRow("SKCCLogger") << "farmergreg_adif_testdata_skcc-logger.adi";
  QTest::newRow("QRZ") << "urbancamo_adif-processor_src_test_resources_adif_m0nom_p.204681."
                          "20210116183312.adi";
}

// Whatever the window shows, the command line given the same choices writes
// the same bytes.
void MorrickWindowTest::WindowAndCommandLineWriteTheSameFile() {
  QFETCH(QString, file);
  const QString path = kRealFolder + file;
  if (!QFileInfo::exists(path)) QSKIP("no real data");
  const QString cli_out = folder_->Path() + "/cli";
  QDir().mkpath(cli_out);
  Start("MyCallLen=14\r\nUrCallLen=13\r\nCbrLogFolder=" + out_.toUtf8() + "\r\n");
  window_->AdifRead(path);
  QVERIFY(!window_->Records().isEmpty());
  FillHeader();
  Choose("Combo6", "FIXED");
  Find<QLineEdit>("Text3")->setText("Taro Yamada");
  QTest::keyClicks(Find<QLineEdit>("Text2"), "ja1abc");
  Find<QSpinBox>("UpDown5")->setValue(5);
  QStringList args = {"adif2cbr",
                      "--lists",
                      program_,
                      "--width",
                      "UrCallLen=13",
                      "--width",
                      "RrstLen=5",
                      "--set",
                      "CONTEST=TOVEK-WW-RTTY",
                      "--set",
                      "CATEGORY-OPERATOR=SINGLE-OP",
                      "--set",
                      "CATEGORY-BAND=20M",
                      "--set",
                      "CATEGORY-MODE=RTTY",
                      "--set",
                      "CATEGORY-POWER=LOW",
                      "--set",
                      "CATEGORY-STATION=FIXED",
                      "--set",
                      "NAME=Taro Yamada",
                      "--set",
                      "OPERATORS=ja1abc"};
  // Exchange numbers from the fields that hold them where there are any.
  const QStringList names = tovek::AdifSet(window_->Records()).names;
  const QString sent = names.contains("STX") ? "STX" : QString();
  const QString rcvd = names.contains("SRX")                  ? "SRX"
                       : names.contains("APP_N1MM_EXCHANGE1") ? "APP_N1MM_EXCHANGE1"
                                                              : QString();
  if (!sent.isEmpty()) {
    Choose("Combo13", sent);
    args << "--source"
         << "SEND NO=" + sent;
  }
  if (!rcvd.isEmpty()) {
    Choose("Combo16", rcvd);
    args << "--source"
         << "RCVD NO=" + rcvd;
  }
  if (Text("lblValue11").isEmpty() && names.contains("TIME_OFF")) {
    Choose("Combo11", "TIME_OFF");
    args << "--source"
         << "TIME=time_off";
  }
  // Columns record 1 leaves empty take a fixed text, typed.
  struct Fixed {
    int combo;
    int box;
    QString caption;
  };
  const QList<Fixed> fixed = {{7, 1, "MY CALLSIGN"},
                              {12, 11, "SEND RST"},
                              {13, 12, "SEND NO"},
                              {15, 13, "RCVD RST"},
                              {16, 14, "RCVD NO"}};
  for (const auto& [combo, box_number, caption] : fixed) {
    if (!Text(QStringLiteral("lblValue%1").arg(combo)).isEmpty()) continue;
    Choose(QStringLiteral("Combo%1").arg(combo), "REPLACE");
    const QString box = QStringLiteral("Text%1").arg(box_number);
    Find<QLineEdit>(box)->clear();
    QTest::keyClicks(Find<QLineEdit>(box), caption == "MY CALLSIGN" ? "ja1abc" : "5nn");
    args << "--replace" << caption + (caption == "MY CALLSIGN" ? "=ja1abc" : "=5nn");
  }
  for (const QString& sample : Samples()) {
    if (sample.isEmpty()) QSKIP("record 1 lacks a column that takes no fixed text");
  }
  const QString call = Text("lblCallsignValue").trimmed();

  boxes_.Answer(Answer::kYes);
  QTest::mouseClick(Find<QPushButton>("Command2"), Qt::LeftButton);
  QCOMPARE(editor_.opened.size(), 1);
  QCOMPARE(boxes_.Unexpected(), 0);

  QString in_text, out_text, err_text;
  QTextStream in(&in_text), out(&out_text), err(&err_text);
  cli::CommandIo io{in, out, err, program_};
  QCOMPARE(cli::RunTovek(args << "--out" << cli_out << path, io), 0);
  out.flush();
  err.flush();
  QCOMPARE(err_text, QString());
  const QString name = QFileInfo(editor_.opened.first()).fileName();
  QCOMPARE(out_text, cli_out + "/" + name + "\n");
  const QByteArray window_bytes = ReadBytes(editor_.opened.first());
  QCOMPARE(window_bytes.count("\nQSO: "), window_->Records().size());
  QVERIFY(window_bytes.contains("\r\nCALLSIGN: " + call.toUtf8() + "\r\n"));
  QCOMPARE(ReadBytes(cli_out + "/" + name), window_bytes);
}

}  // namespace tovek::ui

QTEST_MAIN(tovek::ui::MorrickWindowTest)
#include "morrick_window_test.moc"
