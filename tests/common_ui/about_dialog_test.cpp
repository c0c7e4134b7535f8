// The version box: its texts per program and the three ways it closes.
#include "common/ui/about_dialog.h"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "common/ui/program_icon.h"

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
  void ShowsTheProgramsIcon_data();
  void ShowsTheProgramsIcon();
  void ProgramIdentityGivesWindowsTheIcon();

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

void AboutDialogTest::ShowsTheProgramsIcon_data() {
  QTest::addColumn<int>("program");
  QTest::addColumn<QString>("image");
  QTest::newRow("Kavrel") << 0 << ":/icons/png/64/kavrel.png";
  QTest::newRow("Tessdal") << 1 << ":/icons/png/64/tessdal.png";
  QTest::newRow("Morrick") << 2 << ":/icons/png/64/morrick.png";
}

void AboutDialogTest::ShowsTheProgramsIcon() {
  QFETCH(int, program);
  QFETCH(QString, image);
  const ProgramInfo* infos[] = {&kKavrelInfo, &kTessdalInfo, &kMorrickInfo};
  AboutDialog box(*infos[program]);
  const QImage shown = box.findChild<QLabel*>("picIcon")->pixmap().toImage();
  const QImage expected(image);
  QVERIFY(!expected.isNull());
  QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied),
           expected.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

void AboutDialogTest::ProgramIdentityGivesWindowsTheIcon() {
  SetProgramIdentity(*qGuiApp, kMorrickInfo);
  QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("tovek-morrick"));
  const QList<QSize> sizes = QGuiApplication::windowIcon().availableSizes();
  QCOMPARE(
      sizes,
      (QList<QSize>{
          {16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
  QCOMPARE(
      QGuiApplication::windowIcon()
          .pixmap(QSize(48, 48), 1.0)
          .toImage()
          .convertToFormat(QImage::Format_ARGB32_Premultiplied),
      QImage(":/icons/png/48/morrick.png").convertToFormat(QImage::Format_ARGB32_Premultiplied));
  QCOMPARE(ProgramIcon(ProgramInfo{QStringLiteral("Other"), 1, 0, 0, QStringLiteral("other")})
               .availableSizes(),
           QList<QSize>());
}

}  // namespace tovek::ui

QTEST_MAIN(tovek::ui::AboutDialogTest)
#include "about_dialog_test.moc"
