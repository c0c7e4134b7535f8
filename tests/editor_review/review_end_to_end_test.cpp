// A log's road through the review windows, as the main window drives it:
// the rows as DataRead leaves them, the data check window, the field layout
// reader, the summary view and "保　存"; its files against those of
// `tovek cabrillo`.
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextStream>
#include <QtTest>

#include "cli/command_line.h"
#include "common/text_file.h"
#include "editor/repair_commands.h"
#include "editor/ui/review/data_check_window.h"
#include "editor/ui/review/kavrel_review.h"
#include "editor/ui/review/layout_reader_window.h"
#include "editor/ui/review/summary_window.h"
#include "tests/editor_review/review_test_support.h"
#include "tests/support/scripted_message_boxes.h"

namespace tovek::ui {
namespace {

using testing::ReadBytes;
using testing::ScriptedMessageBoxes;

QString SamplesFolder() {
  return QDir(QStringLiteral(TOVEK_TEST_DATA_DIR "/../../samples")).absolutePath();
}

const QByteArray kSettings = "StartDate=2026/09/26\r\n";

// What `tovek cabrillo` writes for a copy of the sample, by file name.
QMap<QString, QByteArray> TovekCabrillo(const QString& sample) {
  QTemporaryDir folder;
  const QString log = QDir(folder.path()).filePath(QFileInfo(sample).fileName());
  testing::WriteBytes(log, ReadBytes(sample));
  const QString settings = QDir(folder.path()).filePath("Kavrel.ini");
  testing::WriteBytes(settings, kSettings);
  const QString out = QDir(folder.path()).filePath("out");
  QString none, out_text, err_text;
  QTextStream in(&none), out_stream(&out_text), err_stream(&err_text);
  cli::CommandIo io{in, out_stream, err_stream, QStringLiteral(TOVEK_PROGRAM_DIR)};
  const int status = cli::RunTovek({"cabrillo", "--settings", settings, "--out", out, log}, io);
  if (status != cli::kSuccess) qWarning("tovek cabrillo: %d", status);
  QMap<QString, QByteArray> files;
  for (const QString& name : QDir(out).entryList(QDir::Files)) {
    files[name] = ReadBytes(QDir(out).filePath(name));
  }
  return files;
}

}  // namespace

class ReviewEndToEndTest : public QObject {
  Q_OBJECT

  // The main window's state as the review sees it.
  struct Kavrel {
    QTemporaryDir logs;
    LogFolders folders;
    KavrelSettings settings;
    LogLines rows;
    QString current_log_path;
    ErrorReportList error_report;
    ScriptedMessageBoxes boxes;
    QWidget main_window;
    std::unique_ptr<KavrelReview> review;
    QStringList faults;
    int saved = 0;

    // Copies the sample into the log folder and opens it.
    explicit Kavrel(const QString& sample) {
      folders = LogFolders::Under(logs.path());
      for (const QString& folder : {folders.edit, folders.old, folders.reports}) {
        QDir().mkpath(folder);
      }
      settings = testing::SettingsFrom(kSettings);
      current_log_path = QDir(logs.path()).filePath(QFileInfo(sample).fileName());
      testing::WriteBytes(current_log_path, ReadBytes(sample));
      rows = testing::OpenRows(current_log_path);
      main_window.show();
      review = std::make_unique<KavrelReview>(
          ReviewHost{&main_window, &rows, &settings, &testing::Prefixes(), &testing::Entities(),
                     &folders, &current_log_path, &error_report, &boxes});
      QObject::connect(review.get(), &KavrelReview::FaultsFound,
                       [this](const QStringList& lines, int) { faults = lines; });
      // The main window's DataCls after a save.
      QObject::connect(review.get(), &KavrelReview::LogSaved, [this] {
        rows.clear();
        error_report.clear();
        ++saved;
      });
    }

    // "ﾃﾞｰﾀﾁｪｯｸ" then "チェック開始"; on faults the user goes on with the
    // "Kavrel" button; then "読　込".
    SummaryWindow* CheckAndRead() {
      review->OpenDataCheck();
      QTest::mouseClick(review->DataCheckWindowOpen()->findChild<QPushButton*>("cmdCheckStart"),
                        Qt::LeftButton);
      if (!QTest::qWaitFor([&] { return review->LayoutReaderOpen() || !faults.isEmpty(); })) {
        return nullptr;
      }
      if (!faults.isEmpty()) review->OpenLayoutReader();
      QTest::mouseClick(review->LayoutReaderOpen()->findChild<QPushButton*>("cmdRead"),
                        Qt::LeftButton);
      return review->SummaryOpen();
    }

    void Save(SummaryWindow* summary) {
      QTest::mouseClick(summary->findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
    }

    QByteArray Edited(const QString& name) const {
      return ReadBytes(QDir(folders.edit).filePath(name));
    }
    QByteArray Report(const QString& name) const {
      return ReadBytes(QDir(folders.reports).filePath(name));
    }
  };

 private Q_SLOTS:
  void cleanup() { testing::CloseAll(); }

  void SampleLogsGiveTheFilesOfTovekCabrillo_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("call");
    QTest::addColumn<bool>("faults");
    QTest::newRow("dl1abc") << "dl1abc.log"
                            << "DL1ABC" << false;
    QTest::newRow("ja1xyz") << "ja1xyz.log"
                            << "JA1XYZ" << true;
    QTest::newRow("k1abc") << "k1abc.txt"
                           << "K1ABC" << false;
    QTest::newRow("vk3xyz") << "vk3xyz.cbr"
                            << "VK3XYZ" << false;
    QTest::newRow("w1xyz") << "w1xyz.log"
                           << "W1XYZ" << false;
  }

  void SampleLogsGiveTheFilesOfTovekCabrillo() {
    QFETCH(QString, file);
    QFETCH(QString, call);
    QFETCH(bool, faults);
    const QString sample = QDir(SamplesFolder()).filePath(file);
    Kavrel kavrel(sample);
    SummaryWindow* summary = kavrel.CheckAndRead();
    QVERIFY(summary);
    QCOMPARE(kavrel.faults.isEmpty(), !faults);
    QCOMPARE(summary->StatusPanelText(3), kavrel.current_log_path);
    kavrel.Save(summary);

    QCOMPARE(kavrel.boxes.Shown().size(), 0);
    QCOMPARE(kavrel.saved, 1);
    QVERIFY(kavrel.rows.isEmpty());
    QVERIFY(kavrel.current_log_path.isEmpty());
    QVERIFY(!kavrel.review->SummaryOpen());
    const QMap<QString, QByteArray> tovek = TovekCabrillo(sample);
    QCOMPARE(kavrel.Edited(call + ".cbr"), tovek.value(call + ".cbr"));
    QVERIFY(!tovek.value(call + ".cbr").isEmpty());
    if (faults) {
      // Nobody deleted the faulty rows, so the report has nothing to list;
      // tovek cabrillo lists every fault of the check.
      QCOMPARE(kavrel.Report(call + ".err"),
               QByteArray("TOVEK Contest Error Report\r\n\r\n\r\nNo Error Data\r\n\r\n\r\n"
                          "End of Error\r\n"));
      QVERIFY(tovek.value(call + ".err").contains(" FREQENCY    QSO:  3585 RY "));
    } else {
      QCOMPARE(kavrel.Report(call + ".err"), tovek.value(call + ".err"));
    }
    // The source log now lies in OldLog, unchanged.
    QVERIFY(!QFile::exists(QDir(kavrel.logs.path()).filePath(file)));
    QCOMPARE(ReadBytes(QDir(kavrel.folders.old).filePath(file)), ReadBytes(sample));
  }

  void TimesWithColonsGoThroughOnceTheColonsAreDeleted() {
    const QString sample = QDir(SamplesFolder()).filePath("ja3qrp.log");
    Kavrel kavrel(sample);
    // "ｺﾛﾝ削除" as the toolbar runs it.
    UndoLines undo;
    NoProgress progress;
    ColonDel(kavrel.rows, undo, progress);
    SummaryWindow* summary = kavrel.CheckAndRead();
    QVERIFY(summary);
    QCOMPARE(summary->Records().size(), 22);
    kavrel.Save(summary);
    QCOMPARE(kavrel.saved, 1);
    const QStringList lines = DecodeCp932(kavrel.Edited("JA3QRP.cbr")).split("\r\n");
    QCOMPARE(lines[13],
             "QSO:  3585 RY 2026-09-26 0000 JA3QRP       599 25     OH2ABC         599 18");
    QCOMPARE(lines[14],
             "QSO:  7035 RY 2026-09-26 0137 JA3QRP       599 25     9A2ABC         599 31");
    QCOMPARE(lines[13 + 22], "END-OF-LOG:");
    for (int i = 13; i < 13 + 22; ++i) QCOMPARE(lines[i].size(), 75);
  }

  void AFailedWriteLeavesTheLogInMemory() {
    const QString sample = QDir(SamplesFolder()).filePath("vk3xyz.cbr");
    Kavrel kavrel(sample);
    // A folder where the Cabrillo file should go: it cannot be written.
    QDir(kavrel.folders.edit).mkdir("VK3XYZ.cbr");
    const LogLines rows = kavrel.rows;
    const QString path = kavrel.current_log_path;
    SummaryWindow* summary = kavrel.CheckAndRead();
    QVERIFY(summary);
    kavrel.Save(summary);
    QCOMPARE(kavrel.boxes.Shown().size(), 1);
    const MessageRequest shown = kavrel.boxes.Shown().first();
    QVERIFY(!shown.text.isEmpty());
    QCOMPARE(shown.title, QString());
    QCOMPARE(shown.buttons, Buttons::kOk);
    QCOMPARE(kavrel.saved, 0);
    QCOMPARE(kavrel.rows, rows);
    QCOMPARE(kavrel.current_log_path, path);
    QVERIFY(summary->isVisible());
    QCOMPARE(summary->Records().size(), 20);
    QCOMPARE(summary->StatusPanelText(3), path);
    QVERIFY(QFile::exists(path));
    QVERIFY(QDir(kavrel.folders.old).isEmpty());
    QVERIFY(QDir(kavrel.folders.reports).isEmpty());

    // Once the obstacle is gone, the same window saves.
    QDir(kavrel.folders.edit).rmdir("VK3XYZ.cbr");
    kavrel.Save(summary);
    QCOMPARE(kavrel.saved, 1);
    QCOMPARE(kavrel.Edited("VK3XYZ.cbr"), TovekCabrillo(sample).value("VK3XYZ.cbr"));
  }

  void ALinkAtTheCabrilloFileIsNotFollowed() {
    Kavrel kavrel(QDir(SamplesFolder()).filePath("vk3xyz.cbr"));
    const testing::TempFolder outside;
    const QString link = QDir(kavrel.folders.edit).filePath("VK3XYZ.cbr");
    QVERIFY(QFile::link(outside.File("elsewhere.cbr"), link));
    SummaryWindow* summary = kavrel.CheckAndRead();
    QVERIFY(summary);
    kavrel.Save(summary);
    QCOMPARE(kavrel.boxes.Shown(),
             QList<MessageRequest>{
                 testing::Box(link + " はシンボリックリンクです。リンクの先には書き込みません。\r\n"
                                     "リンクを取り除くか、別のフォルダーを選んでください。")});
    QCOMPARE(kavrel.saved, 0);
    QVERIFY(!QFileInfo::exists(outside.File("elsewhere.cbr")));
    QVERIFY(QDir(kavrel.folders.old).isEmpty());
  }

  // The save moves the log the summary was read from, whatever log the
  // main window has opened since; the other log stays where it is.
  void SaveMovesTheLogTheSummaryCameFrom() {
    Kavrel kavrel(QDir(SamplesFolder()).filePath("dl1abc.log"));
    const QString dl1abc = kavrel.current_log_path;
    SummaryWindow* summary = kavrel.CheckAndRead();
    QVERIFY(summary);
    const QString w1xyz = QDir(kavrel.logs.path()).filePath("w1xyz.log");
    testing::WriteBytes(w1xyz, ReadBytes(QDir(SamplesFolder()).filePath("w1xyz.log")));
    kavrel.current_log_path = w1xyz;
    kavrel.Save(summary);
    QVERIFY(!QFile::exists(dl1abc));
    QVERIFY(QFile::exists(QDir(kavrel.folders.old).filePath("dl1abc.log")));
    QVERIFY(QFile::exists(w1xyz));
    QCOMPARE(kavrel.current_log_path, w1xyz);
    QCOMPARE(QDir(kavrel.folders.edit).entryList(QDir::Files), QStringList{"DL1ABC.cbr"});
  }

  void MissingFoldersKeepTheLogAndSayWhy() {
    const QString sample = QDir(SamplesFolder()).filePath("w1xyz.log");
    Kavrel kavrel(sample);
    QDir(kavrel.folders.old).removeRecursively();
    SummaryWindow* summary = kavrel.CheckAndRead();
    QVERIFY(summary);
    kavrel.Save(summary);
    QCOMPARE(kavrel.boxes.Shown(),
             QList<MessageRequest>{
                 testing::Box("作業を続行できません\r\nログフォルダーを設定してください")});
    QCOMPARE(kavrel.saved, 0);
    QVERIFY(!kavrel.rows.isEmpty());
    QVERIFY(QDir(kavrel.folders.edit).isEmpty());
  }

  void AnEarlierDifferentLogInOldLogIsKept() {
    const QString sample = QDir(SamplesFolder()).filePath("k1abc.txt");
    Kavrel kavrel(sample);
    testing::WriteBytes(QDir(kavrel.folders.old).filePath("k1abc.txt"), "an earlier log\r\n");
    SummaryWindow* summary = kavrel.CheckAndRead();
    QVERIFY(summary);
    kavrel.Save(summary);
    const QString kept = QDir(kavrel.folders.old).filePath("k1abc.1.txt");
    QCOMPARE(kavrel.boxes.Shown(),
             QList<MessageRequest>{
                 testing::Box("OldLog には同じ名前の別のログがありました。\r\nそのログは " + kept +
                              " として残してあります。")});
    QCOMPARE(kavrel.saved, 1);
    QCOMPARE(ReadBytes(kept), QByteArray("an earlier log\r\n"));
    QCOMPARE(ReadBytes(QDir(kavrel.folders.old).filePath("k1abc.txt")), ReadBytes(sample));
  }
};

}  // namespace tovek::ui

QTEST_MAIN(tovek::ui::ReviewEndToEndTest)
#include "review_end_to_end_test.moc"
