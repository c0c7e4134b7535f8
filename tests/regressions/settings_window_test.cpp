// Each program's settings file, hand-edited into nonsense and made
// unwritable. Window placements of any size and sign open the window on a
// visible screen. At the close, a program folder that turned read-only, or a
// folder standing where the file should be, is reported with the platform's
// reason, and the file that was there stays as it was.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>

#include "calculator/ui/tessdal_main_window.h"
#include "converter/ui/morrick_main_window.h"
#include "converter/ui/text_editor_launcher.h"
#include "editor/ui/kavrel_main_window.h"
#include "tests/regressions/file_system_faults.h"
#include "tests/support/scripted_message_boxes.h"
#include "tests/support/test_files.h"

namespace tovek::ui {
namespace {

using testing::ReadBytes;
using testing::ScriptedMessageBoxes;
using testing::TempFolder;

class NoEditor final : public TextEditorLauncher {
 public:
  void Open(const QString&) override {}
};

enum class Fault { kReadOnlyFolder, kFolderInThePlace };

// A program folder with the shipped data files and a settings file.
void PrepareProgramFolder(const TempFolder& program, const char* settings_name,
                          const QByteArray& settings) {
  for (const char* name : {"Cty.dat", "CabHeader.dat", "Tovek.are", "Contest.lst", "CateOp.lst",
                           "CateBand.lst", "CateMode.lst", "CatePwr.lst", "CateStn.lst"}) {
    QFile::copy(QStringLiteral(TOVEK_PROGRAM_DIR "/") + QString::fromLatin1(name),
                program.File(QString::fromLatin1(name)));
  }
  if (!settings.isEmpty()) program.Write(QString::fromLatin1(settings_name), settings);
}

// Whether the window's frame lies, at least in part, on a screen.
bool OnAScreen(const QWidget& window) {
  const QList<QScreen*> screens = QGuiApplication::screens();
  return std::any_of(screens.begin(), screens.end(), [&](const QScreen* screen) {
    return screen->availableGeometry().intersects(window.frameGeometry());
  });
}

// Placements far off every screen, of no size, beyond every range.
const QStringList kAbsurdPlacements = {"-3.4e38", "3.4e38", "2147483647", "-2147483648", "1e30",
                                       "-1",      "0",      "99999999",   "-99999999"};

}  // namespace

class SettingsWindowTest : public QObject {
  Q_OBJECT

 private:
  // Starts a program's window, brings the fault about, closes the window
  // and returns the boxes shown at the close.
  QList<MessageRequest> CloseWith(Fault fault, const TempFolder& program, const char* settings_name,
                                  QWidget& window, ScriptedMessageBoxes& boxes) {
    const QString settings = program.File(QString::fromLatin1(settings_name));
    boxes.Clear();
    std::unique_ptr<testing::ReadOnlyFolder> read_only;
    if (fault == Fault::kReadOnlyFolder) {
      read_only = std::make_unique<testing::ReadOnlyFolder>(program.Path());
      if (!read_only->Active()) return {};
    } else {
      QFile::remove(settings);
      QDir(program.Path()).mkdir(QString::fromLatin1(settings_name));
    }
    window.close();
    return boxes.Shown();
  }

  // The one box shown: the file named, the platform's reason behind it.
  static void ExpectReported(const QList<MessageRequest>& shown, const QString& first_line,
                             Icon icon) {
    QCOMPARE(shown.size(), 1);
    const QStringList lines = shown[0].text.split(u'\n');
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], first_line);
    QVERIFY(!lines[1].trimmed().isEmpty());
    QCOMPARE(shown[0].buttons, Buttons::kOk);
    QCOMPARE(shown[0].icon, icon);
  }

 private Q_SLOTS:
  void AbsurdPlacements_data() {
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("size");
    for (qsizetype i = 0; i < kAbsurdPlacements.size(); ++i) {
      const QString& value = kAbsurdPlacements[i];
      const QString& other = kAbsurdPlacements[(i + 4) % kAbsurdPlacements.size()];
      QTest::newRow(qPrintable(value + " " + other)) << value << other << other;
    }
  }
  void AbsurdPlacements() {
    QFETCH(QString, left);
    QFETCH(QString, top);
    QFETCH(QString, size);
    TempFolder program, logs;
    const QByteArray placement = QStringLiteral(
                                     "frmLeft=%1\r\nfrmTop=%2\r\nfrmWidth=%3\r\n"
                                     "frmHeight=%3\r\n")
                                     .arg(left, top, size)
                                     .toLatin1();
    PrepareProgramFolder(program, "Kavrel.ini",
                         placement + "LogFolder=" + logs.Path().toUtf8() + "\r\nKavrelLeft=" +
                             size.toLatin1() + "\r\nCabRTop=" + size.toLatin1() + "\r\n");
    ScriptedMessageBoxes boxes;
    {
      KavrelMainWindow kavrel(KavrelEnvironment{program.Path(), &boxes, QDate(2026, 9, 1)});
      kavrel.show();
      kavrel.Start();
      QVERIFY(OnAScreen(kavrel));
      QVERIFY(kavrel.width() > 0 && kavrel.height() > 0);
    }
    program.Write("Tessdal.ini", placement + "GridWidth3=" + size.toLatin1() + "\r\n");
    {
      TessdalMainWindow tessdal({program.Path(), &boxes});
      tessdal.show();
      tessdal.Start();
      QVERIFY(OnAScreen(tessdal));
      QVERIFY(tessdal.width() > 0 && tessdal.height() > 0);
    }
    program.Write("Morrick.ini", QStringLiteral("MeLeft=%1\r\nMeTop=%2\r\nMyCallLen=%3\r\n")
                                     .arg(left, top, size)
                                     .toLatin1());
    {
      NoEditor editor;
      MorrickMainWindow morrick(program.Path(), boxes, editor);
      morrick.Load();
      morrick.show();
      QVERIFY(OnAScreen(morrick));
    }
    // No start-up message: nonsense in a settings file is passed over.
    QCOMPARE(boxes.Shown().size(), 0);
  }

  void Kavrel_data() {
    QTest::addColumn<bool>("read_only");
    QTest::newRow("read-only folder") << true;
    QTest::newRow("folder in the file's place") << false;
  }
  void Kavrel() {
    QFETCH(bool, read_only);
    const Fault fault = read_only ? Fault::kReadOnlyFolder : Fault::kFolderInThePlace;
    TempFolder program, logs;
    const QByteArray settings = "LogFolder=" + logs.Path().toUtf8() + "\r\n";
    PrepareProgramFolder(program, "Kavrel.ini", settings);
    ScriptedMessageBoxes boxes;
    KavrelMainWindow window(KavrelEnvironment{program.Path(), &boxes, QDate(2026, 9, 1)});
    window.show();
    window.Start();
    QCOMPARE(boxes.Shown().size(), 0);
    const QList<MessageRequest> shown = CloseWith(fault, program, "Kavrel.ini", window, boxes);
    if (fault == Fault::kReadOnlyFolder && shown.isEmpty()) QSKIP("no read-only folder here");
    ExpectReported(
        shown,
        QStringLiteral("設定ファイル %1 を保存できませんでした。").arg(program.File("Kavrel.ini")),
        Icon::kExclamation);
    if (fault == Fault::kReadOnlyFolder) QCOMPARE(ReadBytes(program.File("Kavrel.ini")), settings);
  }

  void Tessdal_data() { Kavrel_data(); }
  void Tessdal() {
    QFETCH(bool, read_only);
    const Fault fault = read_only ? Fault::kReadOnlyFolder : Fault::kFolderInThePlace;
    TempFolder program;
    const QByteArray settings = "GridWidth1=1500\r\n";
    PrepareProgramFolder(program, "Tessdal.ini", settings);
    QVERIFY(QDir(program.Path()).mkdir("Results") && QDir(program.Path()).mkdir("Awards"));
    ScriptedMessageBoxes boxes;
    TessdalMainWindow window({program.Path(), &boxes});
    window.show();
    window.Start();
    QCOMPARE(boxes.Shown().size(), 0);
    const QList<MessageRequest> shown = CloseWith(fault, program, "Tessdal.ini", window, boxes);
    if (fault == Fault::kReadOnlyFolder && shown.isEmpty()) QSKIP("no read-only folder here");
    ExpectReported(
        shown,
        QStringLiteral("設定ファイル %1 を保存できませんでした。").arg(program.File("Tessdal.ini")),
        Icon::kExclamation);
    if (fault == Fault::kReadOnlyFolder) {
      QCOMPARE(ReadBytes(program.File("Tessdal.ini")), settings);
    }
  }

  void Morrick_data() { Kavrel_data(); }
  void Morrick() {
    QFETCH(bool, read_only);
    const Fault fault = read_only ? Fault::kReadOnlyFolder : Fault::kFolderInThePlace;
    TempFolder program;
    const QByteArray settings = "MyCallLen=14\r\n";
    PrepareProgramFolder(program, "Morrick.ini", settings);
    ScriptedMessageBoxes boxes;
    NoEditor editor;
    MorrickMainWindow window(program.Path(), boxes, editor);
    window.Load();
    window.show();
    QCOMPARE(boxes.Shown().size(), 0);
    const QList<MessageRequest> shown = CloseWith(fault, program, "Morrick.ini", window, boxes);
    if (fault == Fault::kReadOnlyFolder && shown.isEmpty()) QSKIP("no read-only folder here");
    ExpectReported(shown, QStringLiteral("Morrick.ini"), Icon::kNone);
    if (fault == Fault::kReadOnlyFolder) {
      QCOMPARE(ReadBytes(program.File("Morrick.ini")), settings);
    }
  }
};

}  // namespace tovek::ui

QTEST_MAIN(tovek::ui::SettingsWindowTest)
#include "settings_window_test.moc"
