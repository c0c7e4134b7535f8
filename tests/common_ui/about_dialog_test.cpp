// The version box: its texts per program and the three ways it closes.
#include "common/ui/about_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace tovek::ui {

class AboutDialogTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void ShowsTitleAndVersion_data();
  void ShowsTitleAndVersion();
  void OkButtonCloses();
  void EscCloses();
  void FocusLeavingTheButtonCloses();
  void PopupTakingTheFocusDoesNotClose();

 private:
  // Shows the box without blocking and waits until its button has the focus.
  static void ShowActive(AboutDialog& box) {
    box.show();
    box.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    QTRY_VERIFY(box.findChild<QPushButton*>("cmdOK")->hasFocus());
  }
};

void AboutDialogTest::ShowsTitleAndVersion_data() {
  QTest::addColumn<int>("program");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("version");
  QTest::newRow("Kavrel") << 0 << "Kavrel のバージョン"
                          << "Kavrel"
                          << "Version 1.4 Build 33";
  QTest::newRow("Tessdal") << 1 << "TOVEK CALC のバージョン"
                           << "TOVEK CALC"
                           << "Version 1.2 Build 7";
  QTest::newRow("Morrick") << 2 << "Morrick のバージョン"
                           << "Morrick"
                           << "Version 1.0 Build 31";
}

void AboutDialogTest::ShowsTitleAndVersion() {
  QFETCH(int, program);
  const ProgramInfo* infos[] = {&kKavrelInfo, &kTessdalInfo, &kMorrickInfo};
  AboutDialog box(*infos[program]);

  QCOMPARE(box.objectName(), QStringLiteral("frmAbout"));
  QTEST(box.windowTitle(), "caption");
  QTEST(box.findChild<QLabel*>("lblTitle")->text(), "title");
  QTEST(box.findChild<QLabel*>("lblVersion")->text(), "version");
  QVERIFY(!box.findChild<QLabel*>("lblDescription")->text().isEmpty());
  QVERIFY(!box.findChild<QLabel*>("picIcon")->pixmap().isNull());
  QCOMPARE(box.findChild<QPushButton*>("cmdOK")->text(), QStringLiteral("O K"));
}

void AboutDialogTest::OkButtonCloses() {
  AboutDialog box(kKavrelInfo);
  ShowActive(box);
  QTest::mouseClick(box.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
  QVERIFY(!box.isVisible());
}

void AboutDialogTest::EscCloses() {
  AboutDialog box(kTessdalInfo);
  ShowActive(box);
  QTest::keyClick(&box, Qt::Key_Escape);
  QVERIFY(!box.isVisible());
}

void AboutDialogTest::FocusLeavingTheButtonCloses() {
  AboutDialog box(kMorrickInfo);
  ShowActive(box);

  QLineEdit elsewhere;
  elsewhere.show();
  elsewhere.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
  QTRY_VERIFY(!box.isVisible());
}

void AboutDialogTest::PopupTakingTheFocusDoesNotClose() {
  AboutDialog box(kKavrelInfo);
  ShowActive(box);

  QMenu menu(&box);
  menu.addAction(QStringLiteral("x"));
  menu.popup(box.mapToGlobal(QPoint(5, 5)));
  QTRY_VERIFY(menu.isVisible());
  QTest::qWait(20);
  QVERIFY(box.isVisible());
  menu.close();
  QVERIFY(box.isVisible());
}

}  // namespace tovek::ui

QTEST_MAIN(tovek::ui::AboutDialogTest)
#include "about_dialog_test.moc"
