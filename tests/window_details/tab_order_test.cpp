// Tab order and keyboard access in every dialog and window with fields.
//
// Tab must visit every control that takes the focus, in reading order: down
// a column or along a row, moving to the next column on the right, and
// returning to the start only once, from the end. A control Tab cannot
// reach, or a jump back up or to the left in the middle of the cycle, is a
// fault a keyboard user meets at once.
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <functional>
#include <memory>

#include "calculator/ui/get_list_dialog.h"
#include "calculator/ui/result_file_dialog.h"
#include "calculator/ui/tessdal_main_window.h"
#include "common/prefix_table.h"
#include "common/ui/about_dialog.h"
#include "common/ui/folder_options_dialog.h"
#include "common/ui/font_dialog.h"
#include "common/ui/log_open_dialog.h"
#include "converter/ui/morrick_main_window.h"
#include "converter/ui/text_editor_launcher.h"
#include "editor/kavrel_settings.h"
#include "editor/ui/dialogs/column_dialogs.h"
#include "editor/ui/dialogs/string_edit_window.h"
#include "editor/ui/kavrel_main_window.h"
#include "editor/ui/review/check_settings_dialog.h"
#include "editor/ui/review/data_check_window.h"
#include "editor/ui/review/layout_reader_window.h"
#include "editor/ui/review/summary_window.h"
#include "tests/support/scripted_message_boxes.h"

namespace tovek::ui {
namespace {

const QString kSampleRow =
    QStringLiteral("QSO: 14080 RY 2026-09-26 0001 JA1ABC        599 25     K1XYZ         599 05");

class NoEditor final : public TextEditorLauncher {
 public:
  void Open(const QString&) override {}
};

// What a window needs to live on.
struct Host {
  testing::ScriptedMessageBoxes boxes;
  KavrelSettings kavrel_settings;
  ColumnEditMemory memory;
  LogLines rows{QStringLiteral("START-OF-LOG: 2.0"), QStringLiteral("CALLSIGN: JA1ABC"), kSampleRow,
                kSampleRow, QStringLiteral("END-OF-LOG:")};
  PrefixTable prefixes;
  EntityList entities;
  NoEditor editor;
  LogFolders folders;
  QString log_path;
  ErrorReportList error_report;
};

struct WindowCase {
  const char* name;
  std::function<std::unique_ptr<QWidget>(Host&)> make;
};

template <typename W, typename... Args>
std::unique_ptr<QWidget> Make(Args&&... args) {
  return std::make_unique<W>(std::forward<Args>(args)...);
}

const QList<WindowCase>& Windows() {
  static const QList<WindowCase> windows{
      {"frmAbout", [](Host&) { return Make<AboutDialog>(kKavrelInfo); }},
      {"frmOptionsKavrel",
       [](Host& h) {
         return Make<FolderOptionsDialog>(KavrelFolderOptions(QDir::tempPath()), h.boxes);
       }},
      {"frmOptionsMorrick",
       [](Host& h) {
         return Make<FolderOptionsDialog>(MorrickFolderOptions(QDir::tempPath(), QDir::tempPath()),
                                          h.boxes);
       }},
      {"frmFontKavrel",
       [](Host&) {
         return Make<FontDialog>(FontDialogVariant::kNameSizeStyle,
                                 FontChoice{QStringLiteral("IPAGothic"), 12, false, false}, nullptr,
                                 QStringList{"IPAGothic", "DejaVu Sans Mono"});
       }},
      {"frmFontMorrick",
       [](Host&) {
         return Make<FontDialog>(FontDialogVariant::kNameOnly,
                                 FontChoice{QStringLiteral("IPAGothic"), 12, false, false}, nullptr,
                                 QStringList{"IPAGothic", "DejaVu Sans Mono"});
       }},
      {"frmLogOpen",
       [](Host& h) {
         auto dialog = std::make_unique<LogOpenDialog>(KavrelLogOpenConfig(), h.boxes);
         dialog->SetFolder(QDir::tempPath());
         return std::unique_ptr<QWidget>(std::move(dialog));
       }},
      {"frmChrInPut", [](Host& h) { return Make<ChrInputDialog>(kSampleRow, h.memory); }},
      {"frmChrReplace", [](Host& h) { return Make<ChrReplaceDialog>(kSampleRow, h.memory); }},
      {"frmChrDel",
       [](Host& h) { return Make<ChrDelDialog>(kSampleRow, h.memory, h.kavrel_settings); }},
      {"frmTime4", [](Host& h) { return Make<Time4Dialog>(kSampleRow, h.kavrel_settings); }},
      {"frmBand", [](Host& h) { return Make<BandDialog>(kSampleRow, h.kavrel_settings); }},
      {"frmEditSet", [](Host& h) { return Make<EditSetDialog>(kSampleRow, h.kavrel_settings); }},
      {"frmTxtEdit",
       [](Host& h) {
         return Make<StringEditWindow>(h.rows, EditWindowMode::kList, 2, QFont(), h.boxes);
       }},
      {"frmChkSet",
       [](Host& h) {
         return Make<CheckSettingsDialog>(h.kavrel_settings, h.boxes, QDate(2026, 9, 27));
       }},
      {"frmDataCheck", [](Host& h) { return Make<DataCheckWindow>(h.rows, h.kavrel_settings); }},
      {"frmCabReadSet",
       [](Host& h) {
         return Make<LayoutReaderWindow>(h.rows, h.kavrel_settings, h.prefixes, h.entities,
                                         h.boxes);
       }},
      {"frmGetList",
       [](Host& h) { return Make<GetListDialog>(QDir::tempPath(), QDir::tempPath(), h.boxes); }},
      {"frmResult",
       [](Host& h) {
         return Make<ResultFileDialog>(QStringLiteral("Results"), QDir::tempPath(),
                                       QStringLiteral("x.rlt"), h.boxes);
       }},
      {"frmKavrel",
       [](Host& h) {
         return Make<SummaryWindow>(
             SummaryHost{&h.kavrel_settings, &h.folders, &h.log_path, &h.error_report, &h.boxes});
       }},
      {"frmMainKavrel",
       [](Host& h) {
         return Make<KavrelMainWindow>(KavrelEnvironment{QDir::tempPath(), &h.boxes});
       }},
      {"frmMainTessdal",
       [](Host& h) {
         return Make<TessdalMainWindow>(TessdalEnvironment{QDir::tempPath(), &h.boxes});
       }},
      {"frmMorrick",
       [](Host& h) {
         auto window = std::make_unique<MorrickMainWindow>(QDir::tempPath(), h.boxes, h.editor);
         return std::unique_ptr<QWidget>(std::move(window));
       }},
  };
  return windows;
}

// The control a focus widget belongs to: a spin box or combo box for the
// line edit inside it.
QWidget* Control(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    if (qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w)) return w;
    if (w->isWindow()) break;
  }
  return widget;
}

QString Describe(QWidget* widget) {
  QString name = widget->objectName();
  if (name.isEmpty()) name = QString::fromLatin1(widget->metaObject()->className());
  return name;
}

QRect RectIn(QWidget* window, QWidget* widget) {
  return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

// A step that goes back against reading order: to a control on the left
// that does not lie below, or up within the same column.
bool GoesBack(const QRect& from, const QRect& to) {
  const bool left = to.right() < from.left();
  const bool below = to.top() >= from.bottom() - from.height() / 2;
  const bool above = to.bottom() <= from.top() + from.height() / 2;
  const bool same_column = to.left() < from.right() && from.left() < to.right();
  return (left && !below) || (above && same_column);
}

// The controls Tab should reach.
QSet<QWidget*> TabStops(QWidget* window) {
  QSet<QWidget*> stops;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (w->window() != window || !w->isVisibleTo(window) || !w->isEnabled()) continue;
    if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy()) continue;
    if (Control(w) != w) continue;
    stops.insert(w);
  }
  return stops;
}

class TabOrderTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void TabWalksEveryControlInReadingOrder_data();
  void TabWalksEveryControlInReadingOrder();
  void EveryMenuCommandHasAnAccessKey_data();
  void EveryMenuCommandHasAnAccessKey();
};

void TabOrderTest::TabWalksEveryControlInReadingOrder_data() {
  QTest::addColumn<int>("index");
  for (int i = 0; i < Windows().size(); ++i) QTest::newRow(Windows()[i].name) << i;
}

void TabOrderTest::TabWalksEveryControlInReadingOrder() {
  QFETCH(int, index);
  Host host;
  std::unique_ptr<QWidget> window = Windows()[index].make(host);
  if (auto* dialog = qobject_cast<QDialog*>(window.get())) dialog->setModal(false);
  window->show();
  window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  QTest::qWait(50);

  QWidget* start = QApplication::focusWidget();
  if (!start) {
    QTest::keyClick(window.get(), Qt::Key_Tab);
    start = QApplication::focusWidget();
  }
  QVERIFY2(start, "nothing takes the focus");
  QList<QWidget*> cycle{Control(start)};
  // Grids move between their cells on Tab and pass the focus on at the end.
  for (int presses = 0; presses < 5000; ++presses) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* now = QApplication::focusWidget();
    QVERIFY2(now && now->window() == window.get(), "Tab left the window");
    now = Control(now);
    if (now == cycle.last()) continue;
    if (now == cycle.first()) break;
    QVERIFY2(!cycle.contains(now),
             qPrintable("Tab goes round without its first control: " + Describe(now)));
    cycle.append(now);
  }
  QEXPECT_FAIL("frmKavrel", "Tab moves round the cells of Grid1 and never leaves it", Abort);
  QVERIFY2(Control(QApplication::focusWidget()) == cycle.first(),
           qPrintable("Tab stays in " + Describe(cycle.last())));

  QStringList order;
  for (QWidget* w : cycle) order.append(Describe(w));
  const QSet<QWidget*> expected = TabStops(window.get());
  for (QWidget* w : expected) {
    QVERIFY2(cycle.contains(w), qPrintable("Tab never reaches " + Describe(w) + " in " +
                                           order.join(QStringLiteral(" > "))));
  }

  // Reading order: the one step back is the one from the end to the start,
  // wherever the cycle starts.
  QStringList backward;
  for (int i = 0; i < cycle.size(); ++i) {
    QWidget* from = cycle[i];
    QWidget* to = cycle[(i + 1) % cycle.size()];
    if (GoesBack(RectIn(window.get(), from), RectIn(window.get(), to))) {
      backward.append(Describe(from) + " > " + Describe(to));
    }
  }
  QEXPECT_FAIL("frmCabReadSet",
               "continent and entity come after the soapbox, not after the claimed score", Abort);
  QVERIFY2(cycle.size() < 2 || backward.size() == 1,
           qPrintable("steps against reading order: " + backward.join(QStringLiteral(", ")) +
                      " in " + order.join(QStringLiteral(" > "))));
}

void TabOrderTest::EveryMenuCommandHasAnAccessKey_data() {
  QTest::addColumn<int>("program");
  QTest::newRow("Kavrel") << 0;
  QTest::newRow("Tessdal") << 1;
  QTest::newRow("Morrick") << 2;
}

// Alt and the menu's letter, then the item's letter, reach every command.
void TabOrderTest::EveryMenuCommandHasAnAccessKey() {
  QFETCH(int, program);
  Host host;
  std::unique_ptr<QMainWindow> window;
  if (program == 0) {
    window = std::make_unique<KavrelMainWindow>(KavrelEnvironment{QDir::tempPath(), &host.boxes});
  } else if (program == 1) {
    window = std::make_unique<TessdalMainWindow>(TessdalEnvironment{QDir::tempPath(), &host.boxes});
  } else {
    window = std::make_unique<MorrickMainWindow>(QDir::tempPath(), host.boxes, host.editor);
  }
  QStringList missing;
  QStringList bar_keys;
  for (QAction* menu_action : window->menuBar()->actions()) {
    const QKeySequence key = QKeySequence::mnemonic(menu_action->text());
    if (key.isEmpty()) missing.append(menu_action->text());
    if (bar_keys.contains(key.toString())) missing.append(menu_action->text() + " (taken)");
    bar_keys.append(key.toString());
    for (QAction* item : menu_action->menu()->actions()) {
      if (item->isSeparator()) continue;
      if (QKeySequence::mnemonic(item->text()).isEmpty() && item->shortcut().isEmpty()) {
        missing.append(menu_action->text() + " > " + item->text());
      }
    }
  }
  QEXPECT_FAIL("Kavrel", "ログチェックの設定(S) has no \"&\" before its S", Abort);
  QCOMPARE(missing, QStringList());
}

}  // namespace
}  // namespace tovek::ui

QTEST_MAIN(tovek::ui::TabOrderTest)
#include "tab_order_test.moc"
