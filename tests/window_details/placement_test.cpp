// Windows keep their place through ten opens and ten restarts on a desktop
// with a window manager (this test runs under openbox): a placement saved
// from the frame and set again as the client area moved a framed window up
// by its title bar every time.
#include <QDir>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

#include "calculator/ui/tessdal_main_window.h"
#include "converter/ui/morrick_main_window.h"
#include "converter/ui/text_editor_launcher.h"
#include "editor/ui/kavrel_main_window.h"
#include "editor/ui/review/layout_reader_window.h"
#include "editor/ui/review/summary_window.h"
#include "tests/support/framed_window.h"
#include "tests/support/scripted_message_boxes.h"
#include "tests/support/test_files.h"

namespace tovek::ui {
namespace {

class NoEditor final : public TextEditorLauncher {
 public:
  void Open(const QString&) override {}
};

constexpr int kTimes = 10;

}  // namespace

class PlacementTest : public QObject {
  Q_OBJECT

  QTemporaryDir program_;
  testing::ScriptedMessageBoxes boxes_;
  NoEditor editor_;

  // Starts the program's main window as its main() does.
  std::unique_ptr<QMainWindow> StartProgram(const QString& program) {
    const QString folder = program_.path();
    if (program == u"kavrel") {
      auto window = std::make_unique<KavrelMainWindow>(KavrelEnvironment{folder, &boxes_});
      window->show();
      window->Start();
      return window;
    }
    if (program == u"tessdal") {
      auto window = std::make_unique<TessdalMainWindow>(TessdalEnvironment{folder, &boxes_});
      window->show();
      window->Start();
      return window;
    }
    auto window = std::make_unique<MorrickMainWindow>(folder, boxes_, editor_);
    window->Load();
    window->show();
    return window;
  }

 private Q_SLOTS:
  // The window manager starts beside the test: wait until it frames windows.
  void initTestCase() {
    QWidget probe;
    probe.show();
    QVERIFY(QTest::qWaitFor(
        [&] { return probe.frameGeometry().top() < probe.geometry().top(); }, 20000));
  }

  void init() { boxes_.Clear(); }

  void MainWindowsKeepTheirPlaceOverTenRestarts_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QByteArray>("settings");
    QTest::newRow("kavrel") << "kavrel"
                            << "Kavrel.ini"
                            << QByteArray("frmLeft=3000\r\nfrmTop=3000\r\nfrmHeight=6000\r\n"
                                          "frmWidth=9000\r\nLogFolder=/tmp\r\n");
    QTest::newRow("tessdal") << "tessdal"
                             << "Tessdal.ini"
                             << QByteArray("frmLeft=3000\r\nfrmTop=3000\r\nfrmHeight=6000\r\n"
                                           "frmWidth=9000\r\n");
    QTest::newRow("morrick") << "morrick"
                             << "Morrick.ini" << QByteArray("MeLeft=3000\r\nMeTop=3000\r\n");
  }

  void MainWindowsKeepTheirPlaceOverTenRestarts() {
    QFETCH(QString, program);
    QFETCH(QString, ini);
    QFETCH(QByteArray, settings);
    testing::WriteBytes(QDir(program_.path()).filePath(ini), settings);
    QList<QRect> places;
    for (int start = 0; start <= kTimes; ++start) {
      std::unique_ptr<QMainWindow> window = StartProgram(program);
      QVERIFY(testing::WaitUntilFramed(*window));
      places.append(window->geometry());
      QVERIFY(window->close());
    }
    QCOMPARE(places, QList<QRect>(kTimes + 1, places.first()));
  }

  void ReviewWindowsKeepTheirPlaceOverTenOpens_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("field layout reader") << "frmCabReadSet";
    QTest::newRow("summary view") << "frmKavrel";
  }

  void ReviewWindowsKeepTheirPlaceOverTenOpens() {
    QFETCH(QString, window);
    KavrelSettings settings;
    settings.layout_reader_left = settings.layout_reader_top = 3000;
    settings.summary_left = settings.summary_top = 3000;
    const LogLines rows{"START-OF-LOG: 3.0", "CALLSIGN: JA1XYZ",
                        "QSO: 14080 RY 2026-09-26 0000 JA1XYZ 599 45 K1ABC 599 05"};
    const PrefixTable prefixes;
    const EntityList entities;
    const LogFolders folders;
    QString log_path;
    const ErrorReportList report;
    QList<QRect> places;
    for (int open = 0; open <= kTimes; ++open) {
      std::unique_ptr<QWidget> opened;
      if (window == u"frmCabReadSet") {
        opened = std::make_unique<LayoutReaderWindow>(rows, settings, prefixes, entities, boxes_);
      } else {
        opened = std::make_unique<SummaryWindow>(
            SummaryHost{&settings, &folders, &log_path, &report, &boxes_});
      }
      opened->setAttribute(Qt::WA_DeleteOnClose, false);
      opened->show();
      QVERIFY(testing::WaitUntilFramed(*opened));
      places.append(opened->geometry());
      QVERIFY(opened->close());
    }
    QCOMPARE(places, QList<QRect>(kTimes + 1, places.first()));
  }
};

}  // namespace tovek::ui

QTEST_MAIN(tovek::ui::PlacementTest)
#include "placement_test.moc"
