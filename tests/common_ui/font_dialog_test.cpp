// The font picker: which fonts it offers, and what OK and cancel give back
// in the editor's and the converter's variants.
#include "common/ui/font_dialog.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "common/ui/data_font.h"
#include "common/ui/font_filter.h"

namespace tovek::ui {
namespace {

// Fonts of the machine used to check the measuring: two fixed-pitch and two
// proportional ones, Latin and Japanese.
const QStringList kFixed{"DejaVu Sans Mono", "IPAGothic"};
const QStringList kProportional{"DejaVu Sans", "IPAPGothic"};

QStringList Listed(QDialog& dialog) {
  auto* list = dialog.findChild<QListWidget*>("List1");
  QStringList names;
  for (int i = 0; i < list->count(); ++i) names.append(list->item(i)->text());
  return names;
}

QLabel* NameLabel(QDialog& dialog) { return dialog.findChild<QLabel*>("Label1"); }
QLabel* Sample(QDialog& dialog) { return dialog.findChild<QLabel*>("Label2"); }

void ClickName(QDialog& dialog, const QString& name) {
  auto* list = dialog.findChild<QListWidget*>("List1");
  const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
  QVERIFY2(!found.isEmpty(), qPrintable(name));
  list->scrollToItem(found.first());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(found.first()).center());
}

bool Installed(const QStringList& families) {
  const QStringList present = QFontDatabase::families();
  for (const QString& family : families) {
    if (!present.contains(family)) return false;
  }
  return true;
}

}  // namespace

class FontDialogTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void FixedPitchTest_data();
  void FixedPitchTest();
  void SymbolAndAliasFacesAreNotOffered();
  void OffersOnlyFixedPitchFonts();
  void EditorVariantStartsFromTheCurrentFont();
  void EditorOkReturnsTheSampleFont();
  void ConverterVariantReturnsTheNameOnly();
  void MissingStoredFaceIsDrawnInItsStandIn();
  void CancelReturnsNothing();
};

void FontDialogTest::FixedPitchTest_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("width_m");
  QTest::addColumn<int>("width_i");
  QTest::addColumn<bool>("listed");
  QTest::newRow("fixed") << "ＭＳ ゴシック" << 24 << 24 << true;
  QTest::newRow("proportional") << "ＭＳ Ｐゴシック" << 40 << 11 << false;
  QTest::newRow("nearly equal") << "Narrow" << 24 << 23 << false;
  QTest::newRow("vertical") << "@ＭＳ ゴシック" << 24 << 24 << false;
  QTest::newRow("dollar") << "$Printer" << 24 << 24 << false;
  QTest::newRow("ampersand") << "&Printer" << 24 << 24 << false;
  QTest::newRow("@ inside the name") << "Mono@Home" << 24 << 24 << true;
}

void FontDialogTest::FixedPitchTest() {
  QFETCH(QString, name);
  QFETCH(int, width_m);
  QFETCH(int, width_i);
  QTEST(PassesFixedPitchTest({name, width_m, width_i}), "listed");
}

// Faces of equal "M" and "I" that are no fonts to read a log in.
void FontDialogTest::SymbolAndAliasFacesAreNotOffered() {
  QVERIFY(!PassesFixedPitchTest({"D050000L", 40, 40, "D050000L", /*symbol=*/true}));
  QVERIFY(!PassesFixedPitchTest({"DejaVu Sans Mono", 29, 29, "Monospace"}));
  QVERIFY(PassesFixedPitchTest({"DejaVu Sans Mono", 29, 29, "dejavu sans mono"}));
  const QStringList screen = ScreenFixedPitchFamilies();
  for (const QString& family : screen) {
    const FontMeasure measure = MeasureFontFamily(family);
    QVERIFY2(!measure.symbol && measure.name_in_effect.compare(family, Qt::CaseInsensitive) == 0,
             qPrintable(family));
  }
}

void FontDialogTest::OffersOnlyFixedPitchFonts() {
  if (!Installed(kFixed + kProportional)) QSKIP("the DejaVu and IPA fonts are not installed");
  QCOMPARE(FixedPitchFamilies(kProportional + kFixed), kFixed);

  const QStringList screen = ScreenFixedPitchFamilies();
  for (const QString& family : kFixed) QVERIFY2(screen.contains(family), qPrintable(family));
  for (const QString& family : kProportional)
    QVERIFY2(!screen.contains(family), qPrintable(family));

  FontDialog dialog(FontDialogVariant::kNameSizeStyle, {"DejaVu Sans Mono", 12, false, false});
  QCOMPARE(Listed(dialog), screen);
}

void FontDialogTest::EditorVariantStartsFromTheCurrentFont() {
  FontDialog dialog(FontDialogVariant::kNameSizeStyle, {"DejaVu Sans Mono", 14, true, false},
                    nullptr, kFixed);
  QCOMPARE(dialog.objectName(), QStringLiteral("frmFont"));
  QCOMPARE(dialog.windowTitle(), QStringLiteral("データ欄フォントの設定"));
  QCOMPARE(dialog.findChild<QGroupBox*>("Frame1")->title(), QStringLiteral("FONT SETTING"));
  QCOMPARE(dialog.findChild<QLabel*>("Label3")->text(), QStringLiteral("Font Size"));
  QCOMPARE(dialog.findChild<QCheckBox*>("Check1")->text(), QStringLiteral("FontBold"));
  QCOMPARE(dialog.findChild<QCheckBox*>("Check2")->text(), QStringLiteral("Font Italic"));
  QCOMPARE(Sample(dialog)->text(), QStringLiteral("1234567890ABCDEFGHIJ"));

  QCOMPARE(NameLabel(dialog)->text(), QStringLiteral("DejaVu Sans Mono"));
  QCOMPARE(dialog.findChild<QSpinBox*>("UpDown1")->value(), 14);
  QVERIFY(dialog.findChild<QCheckBox*>("Check1")->isChecked());
  QVERIFY(!dialog.findChild<QCheckBox*>("Check2")->isChecked());
  for (QLabel* label : {NameLabel(dialog), Sample(dialog)}) {
    QCOMPARE(label->font().family(), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(label->font().pointSize(), 14);
    QVERIFY(label->font().bold());
    QVERIFY(!label->font().italic());
  }
  QCOMPARE(dialog.findChild<QListWidget*>("List1")->font().family(),
           QStringLiteral("DejaVu Sans Mono"));
  QCOMPARE(dialog.findChild<QListWidget*>("List1")->currentItem()->text(),
           QStringLiteral("DejaVu Sans Mono"));
}

void FontDialogTest::EditorOkReturnsTheSampleFont() {
  FontDialog dialog(FontDialogVariant::kNameSizeStyle, {"ＭＳ ゴシック", 14, false, false}, nullptr,
                    kFixed);
  dialog.show();
  ClickName(dialog, "IPAGothic");
  QCOMPARE(NameLabel(dialog)->text(), QStringLiteral("IPAGothic"));
  QCOMPARE(NameLabel(dialog)->font().family(), QStringLiteral("IPAGothic"));
  QCOMPARE(Sample(dialog)->font().family(), QStringLiteral("IPAGothic"));

  dialog.findChild<QSpinBox*>("UpDown1")->setValue(18);
  QTest::mouseClick(dialog.findChild<QCheckBox*>("Check2"), Qt::LeftButton);
  QCOMPARE(Sample(dialog)->font().pointSize(), 18);
  QVERIFY(Sample(dialog)->font().italic());
  QCOMPARE(NameLabel(dialog)->font().pointSize(), 18);

  QTest::mouseClick(dialog.findChild<QPushButton*>("Command1"), Qt::LeftButton);
  QVERIFY(!dialog.isVisible());
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QCOMPARE(dialog.Choice(), (FontChoice{"IPAGothic", 18, false, true}));
}

void FontDialogTest::ConverterVariantReturnsTheNameOnly() {
  FontDialog dialog(FontDialogVariant::kNameOnly, {"ＭＳ 明朝"}, nullptr, kFixed);
  QVERIFY(dialog.findChild<QSpinBox*>() == nullptr);
  QVERIFY(dialog.findChild<QCheckBox*>() == nullptr);
  QCOMPARE(NameLabel(dialog)->text(), QStringLiteral("ＭＳ 明朝"));
  QCOMPARE(Sample(dialog)->font().family(), InstalledDataFontFamily(QStringLiteral("ＭＳ 明朝")));
  dialog.show();
  ClickName(dialog, "DejaVu Sans Mono");
  QTest::mouseClick(dialog.findChild<QPushButton*>("Command1"), Qt::LeftButton);
  QCOMPARE(dialog.Choice(), (FontChoice{"DejaVu Sans Mono", 0, false, false}));
}

// The stored face of Japanese Windows on a system without it: the dialog
// names it, draws it in the installed stand-in (the toolkit's own substitute
// was a symbol face), and OK without a change keeps the stored name.
void FontDialogTest::MissingStoredFaceIsDrawnInItsStandIn() {
  if (!Installed({"IPAGothic"}) || Installed({"ＭＳ ゴシック"})) {
    QSKIP("needs IPAGothic and no MS face installed");
  }
  FontDialog dialog(FontDialogVariant::kNameSizeStyle, {"ＭＳ ゴシック", 12, false, false}, nullptr,
                    kFixed);
  QCOMPARE(NameLabel(dialog)->text(), QStringLiteral("ＭＳ ゴシック"));
  for (QWidget* shown : {static_cast<QWidget*>(NameLabel(dialog)), static_cast<QWidget*>(Sample(dialog)),
                         static_cast<QWidget*>(dialog.findChild<QListWidget*>("List1"))}) {
    QCOMPARE(QFontInfo(shown->font()).family(), QStringLiteral("IPAGothic"));
  }
  auto* list = dialog.findChild<QListWidget*>("List1");
  QVERIFY(list->currentItem());
  QCOMPARE(list->currentItem()->text(), QStringLiteral("IPAGothic"));
  dialog.show();
  // Walking into the list must not choose its first face.
  QTest::keyClick(&dialog, Qt::Key_Tab);
  list->setFocus();
  QCOMPARE(NameLabel(dialog)->text(), QStringLiteral("ＭＳ ゴシック"));
  QTest::mouseClick(dialog.findChild<QPushButton*>("Command1"), Qt::LeftButton);
  QCOMPARE(dialog.Choice(), (FontChoice{"ＭＳ ゴシック", 12, false, false}));
}

void FontDialogTest::CancelReturnsNothing() {
  FontDialog dialog(FontDialogVariant::kNameSizeStyle, {"IPAGothic", 10, false, false}, nullptr,
                    kFixed);
  dialog.show();
  ClickName(dialog, "DejaVu Sans Mono");
  dialog.findChild<QSpinBox*>("UpDown1")->setValue(20);
  QCOMPARE(dialog.findChild<QPushButton*>("Command2")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
  QTest::mouseClick(dialog.findChild<QPushButton*>("Command2"), Qt::LeftButton);
  QVERIFY(!dialog.isVisible());
  QCOMPARE(dialog.result(), int(QDialog::Rejected));
  QVERIFY(!dialog.Choice().has_value());
}

}  // namespace tovek::ui

QTEST_MAIN(tovek::ui::FontDialogTest)
#include "font_dialog_test.moc"
