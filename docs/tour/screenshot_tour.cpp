// The screenshot tour: opens every window of Kavrel, Tessdal and Morrick on
// the sample contest, as the user's clicks open them (the menu commands and
// buttons by their names), and photographs each window with its frame by
// ImageMagick's import. Run by scripts/screenshots under a virtual display
// with a window manager; see there for the folders it expects.
//
//   screenshot_tour PROGRAM_FOLDER LOG_FOLDER ADIF_FOLDER BIG_LOG OUTPUT_FOLDER
//
// Each program is started and closed three times before its pictures are
// taken, so that they show the windows where the placements saved at the
// close put them; every start checks that the main window stands where the
// settings file that the tour began with puts it.
//
// Exit status 0 when every picture was taken and every window stood in its
// place; the names of those missing or misplaced go to standard error.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>

#include "calculator/ui/crosscheck_window.h"
#include "calculator/ui/tessdal_main_window.h"
#include "common/ui/message_boxes.h"
#include "common/ui/program_icon.h"
#include "common/ui/toolkit_translation.h"
#include "common/ui/twips.h"
#include "converter/ui/morrick_main_window.h"
#include "converter/ui/text_editor_launcher.h"
#include "editor/ui/kavrel_main_window.h"
#include "editor/ui/review/kavrel_review.h"
#include "tests/support/framed_window.h"

namespace tovek::tour {
namespace {

using ui::KavrelMainWindow;
using ui::MorrickMainWindow;
using ui::TessdalMainWindow;

// Long enough for a window to appear, be placed by the window manager and
// be painted.
constexpr int kPauseMs = 700;

// Morrick would start the desktop's text editor on the file it wrote.
class NoEditor final : public ui::TextEditorLauncher {
 public:
  void Open(const QString&) override {}
};

QWidget* TopLevel(const QString& name) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && window->objectName() == name) return window;
  }
  return nullptr;
}

QWidget* Modal() { return QApplication::activeModalWidget(); }

// A main window's placement as a settings file holds it: the client area's
// left, top, width and height in twips; a program that keeps no size has
// none (0).
struct Placement {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;

  // In the window's pixels; an empty size when the program keeps none.
  QRect On(const QWidget& window) const {
    return {ui::TwipsToPixels(left, &window), ui::TwipsToPixels(top, &window),
            ui::TwipsToPixels(width, &window), ui::TwipsToPixels(height, &window)};
  }
};

// Reads the placement under the keys `names` (left, top, width, height; a
// name left empty is no key of that program) from a settings file.
Placement ReadPlacement(const QString& path, const std::array<const char*, 4>& names) {
  QFile file(path);
  double values[4] = {0, 0, 0, 0};
  if (!file.open(QIODevice::ReadOnly)) return {};
  for (const QByteArray& line : file.readAll().split('\n')) {
    const qsizetype equals = line.indexOf('=');
    if (equals < 0) continue;
    const QByteArray key = line.left(equals).trimmed();
    for (size_t i = 0; i < names.size(); ++i) {
      if (names[i][0] != '\0' && key == names[i])
        values[i] = line.mid(equals + 1).trimmed().toDouble();
    }
  }
  return {values[0], values[1], values[2], values[3]};
}

template <typename T = QAbstractButton>
T* Child(QWidget* parent, const char* name) {
  return parent ? parent->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

class Tour : public QObject {
 public:
  using Step = std::function<void()>;
  using Finder = std::function<QWidget*()>;

  explicit Tour(QString output) : output_(std::move(output)) {}

  // Every step schedules the next one before it runs: a step that opens a
  // modal dialog returns only when the dialog closes, and the tour goes on
  // inside the dialog's event loop meanwhile.
  void Do(Step step) { steps_.append({std::move(step), false}); }
  // A step that processes events while it works (reading, scoring): the
  // next step waits until it is done.
  void Long(Step step) { steps_.append({std::move(step), true}); }

  // Photographs the window `find` gives, under `name`.
  void Shoot(const QString& name, Finder find) {
    Do([this, name, find] { Take(name, find()); });
  }
  void ShootModal(const QString& name) { Shoot(name, &Modal); }
  void ShootTop(const QString& name, const QString& object_name) {
    Shoot(name, [object_name] { return TopLevel(object_name); });
  }

  // A long step during which the window `object_name` shows for a while
  // (the progress window): its picture is taken in the middle of the work.
  void LongWithShot(Step step, const QString& name, const QString& object_name) {
    Long([this, step, name, object_name] {
      // The window may show for a fraction of a second: look for it often.
      auto* watch = new QTimer(this);
      watch->setInterval(5);
      connect(watch, &QTimer::timeout, this, [this, watch, name, object_name] {
        if (QWidget* window = TopLevel(object_name)) {
          watch->stop();
          Take(name, window, /*settle=*/false);
        }
      });
      watch->start();
      step();
      if (watch->isActive()) Take(name, nullptr);
      watch->deleteLater();
    });
  }

  // Answers the message box on top with `button`.
  void Answer(QMessageBox::StandardButton button) {
    Do([this, button] {
      auto* box = qobject_cast<QMessageBox*>(Modal());
      if (box && box->button(button)) return box->button(button)->click();
      // A question left open would be under the program when a later step
      // closes it: the box goes, and the tour reports the step.
      std::fprintf(stderr, "screenshot_tour: no box with that button to answer\n");
      missing_.append(QStringLiteral("(an answer)"));
      if (QWidget* modal = Modal()) modal->close();
    });
  }
  void Click(Finder find_button) {
    Do([find_button] {
      if (auto* button = qobject_cast<QAbstractButton*>(find_button())) button->click();
    });
  }
  void Trigger(QWidget* window, const char* action) {
    Do([window, action] {
      if (auto* item = window->findChild<QAction*>(QString::fromLatin1(action))) item->trigger();
    });
  }
  // Once the window manager has framed the window `find` gives, checks
  // that its client area stands where `placement` puts it.
  void CheckPlace(const QString& what, Finder find, Placement placement) {
    Do([this, what, find, placement] {
      QWidget* window = find();
      const bool was_busy = busy_;
      busy_ = true;
      const auto done = qScopeGuard([this, was_busy] { busy_ = was_busy; });
      if (!window || !testing::WaitUntilFramed(*window)) {
        std::fprintf(stderr, "screenshot_tour: %s was not framed\n", qPrintable(what));
        missing_.append(what);
        return;
      }
      const QRect wanted = placement.On(*window);
      const QRect client = window->geometry();
      const bool in_place =
          wanted.size().isEmpty() ? client.topLeft() == wanted.topLeft() : client == wanted;
      if (in_place) return;
      std::fprintf(stderr,
                   "screenshot_tour: %s stands at %d,%d %dx%d, its settings say %d,%d %dx%d\n",
                   qPrintable(what), client.x(), client.y(), client.width(), client.height(),
                   wanted.x(), wanted.y(), wanted.width(), wanted.height());
      missing_.append(what);
    });
  }

  void CloseModal() {
    Do([] {
      if (QWidget* modal = Modal()) modal->close();
    });
  }

  void Run() { Fire(); }
  const QStringList& Missing() const { return missing_; }

 private:
  struct Entry {
    Step step;
    bool long_running;
  };

  void Fire() {
    QTimer::singleShot(kPauseMs, this, [this] {
      if (busy_) return Fire();
      if (steps_.isEmpty()) return QCoreApplication::exit(missing_.isEmpty() ? 0 : 1);
      const Entry entry = steps_.takeFirst();
      Fire();
      busy_ = entry.long_running;
      entry.step();
      busy_ = false;
    });
  }

  void Take(const QString& name, QWidget* window, bool settle = true) {
    if (!window) {
      missing_.append(name);
      // What the screen showed instead, for whoever mends the tour.
      const QString screen = QDir::temp().filePath(QStringLiteral("tour-missing-%1.png").arg(name));
      QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), screen});
      std::fprintf(stderr, "screenshot_tour: no window for %s (the screen: %s)\n", qPrintable(name),
                   qPrintable(screen));
      return;
    }
    window = window->window();
    window->raise();
    // The waits below run the event loop: the next step must not run in
    // them (it would answer the box before its picture is taken).
    const bool was_busy = busy_;
    busy_ = true;
    const auto done = qScopeGuard([this, was_busy] { busy_ = was_busy; });
    if (settle) {
      // Framed and placed by the window manager, or the picture shows the
      // window without its title bar; a window the manager leaves unframed
      // is taken as it is once it shows.
      if (!testing::WaitUntilFramed(*window) && !QTest::qWaitForWindowExposed(window)) {
        missing_.append(name);
        return;
      }
      // A folder list reads its folders in the background and opens the
      // way to its start folder as they arrive: the picture waits until the
      // start folder is in view.
      QTest::qWaitFor(
          [window] {
            for (const QTreeView* tree : window->findChildren<QTreeView*>()) {
              const QModelIndex current = tree->currentIndex();
              if (current.isValid() &&
                  !tree->viewport()->rect().intersects(tree->visualRect(current))) {
                return false;
              }
            }
            return true;
          },
          5000);
      QTest::qWait(200);
    } else {
      QCoreApplication::processEvents();
    }
    const QString path = QDir(output_).filePath(name + QStringLiteral(".png"));
    // The screen as it shows the window with its frame: a picture of the
    // window's own contents would be black where another window covers it.
    // Until the window manager has told the frame's size (the frame is then
    // no larger than the client area), the window is taken by itself, its
    // frame asked of the X server.
    const QRect frame = window->frameGeometry();
    QStringList arguments;
    if (frame.top() < window->geometry().top()) {
      arguments << QStringLiteral("-window") << QStringLiteral("root") << QStringLiteral("-crop")
                << QStringLiteral("%1x%2+%3+%4").arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y())
                << QStringLiteral("+repage");
    } else {
      arguments << QStringLiteral("-frame") << QStringLiteral("-window") << QString::number(window->winId());
    }
    arguments << QStringLiteral("-strip") << path;
    const int status = QProcess::execute(QStringLiteral("import"), arguments);
    if (status != 0) missing_.append(name);
    std::printf("%s\n", qPrintable(path));
  }

  QString output_;
  QList<Entry> steps_;
  QStringList missing_;
  bool busy_ = false;
};

struct Folders {
  QString program;
  QString logs;
  QString adif;
  QString big_log;
};

// Closes a program's main window (it saves its settings) and drops it.
template <typename Window>
Tour::Step CloseAndDrop(std::shared_ptr<std::unique_ptr<Window>> window) {
  return [window] {
    (*window)->close();
    window->reset();
  };
}

// A program started and closed three times, then started once more for its
// pictures: from the second start on, its main window stands where the
// close before saved it. At every start the window must stand where the
// settings file put it at first, or it creeps.
void StartedAfterThreeRestarts(Tour& tour, const QString& program, const Tour::Step& start,
                               const Tour::Finder& window, const Tour::Step& stop,
                               const Placement& placement) {
  for (int start_number = 1; start_number <= 4; ++start_number) {
    tour.Do(start);
    tour.CheckPlace(QStringLiteral("%1 (start %2)").arg(program).arg(start_number), window,
                    placement);
    if (start_number < 4) tour.Do(stop);
  }
}

// Kavrel: a clean log through the data check, the field layout reader and
// the summary; a log with faults to the string edit window; every dialog of
// the menus; the progress window while a large log is read.
void KavrelPart(Tour& tour, const Folders& folders, std::shared_ptr<ui::MessageBoxes> boxes,
                std::shared_ptr<std::unique_ptr<KavrelMainWindow>> kavrel) {
  auto window = [kavrel] { return static_cast<QWidget*>(kavrel->get()); };
  StartedAfterThreeRestarts(
      tour, QStringLiteral("Kavrel"),
      [folders, boxes, kavrel] {
        QApplication::setWindowIcon(ui::ProgramIcon(ui::kKavrelInfo));
        *kavrel = std::make_unique<KavrelMainWindow>(
            ui::KavrelEnvironment{folders.program, boxes.get(), QDate(2026, 9, 28)});
        (*kavrel)->show();
        (*kavrel)->Start();
      },
      window, CloseAndDrop(kavrel),
      ReadPlacement(QDir(folders.program).filePath(QStringLiteral("Kavrel.ini")),
                    {"frmLeft", "frmTop", "frmWidth", "frmHeight"}));
  tour.Shoot(QStringLiteral("kavrel-start"), window);
  tour.Click([kavrel] { return (*kavrel)->ToolbarButton(KavrelMainWindow::kOpenButton); });
  tour.Do([] {
    if (auto* name = Child<QLineEdit>(TopLevel(QStringLiteral("frmLogOpen")), "Text1")) {
      name->setText(QStringLiteral("k1abc.txt"));
    }
  });
  tour.ShootTop(QStringLiteral("kavrel-log-open"), QStringLiteral("frmLogOpen"));
  tour.Long([] {
    if (auto* ok = Child(TopLevel(QStringLiteral("frmLogOpen")), "Command1")) ok->click();
  });
  // The data check window stays on top of the main window: it steps aside
  // for the main window's picture.
  auto stepped_aside = std::make_shared<QPointer<QWidget>>();
  tour.Do([stepped_aside] {
    *stepped_aside = TopLevel(QStringLiteral("frmDataCheck"));
    if (*stepped_aside) (*stepped_aside)->hide();
  });
  tour.Shoot(QStringLiteral("kavrel-main"), window);
  tour.Do([stepped_aside] {
    if (*stepped_aside) (*stepped_aside)->show();
  });
  tour.ShootTop(QStringLiteral("kavrel-data-check"), QStringLiteral("frmDataCheck"));
  tour.Click([] { return Child(TopLevel(QStringLiteral("frmDataCheck")), "cmdCheckStart"); });
  tour.ShootTop(QStringLiteral("kavrel-layout-reader"), QStringLiteral("frmCabReadSet"));
  tour.Click([] { return Child(TopLevel(QStringLiteral("frmCabReadSet")), "cmdRead"); });
  tour.ShootTop(QStringLiteral("kavrel-summary"), QStringLiteral("frmKavrel"));
  tour.Do([] {
    if (QWidget* summary = TopLevel(QStringLiteral("frmKavrel"))) summary->close();
    if (QWidget* reader = TopLevel(QStringLiteral("frmCabReadSet"))) reader->close();
  });

  // A log with faults, opened as the user opens it: its rows differ in
  // length, which Kavrel says before the data check lists the faults in the
  // string edit window.
  tour.Click([kavrel] { return (*kavrel)->ToolbarButton(KavrelMainWindow::kOpenButton); });
  tour.ShootModal(QStringLiteral("kavrel-discard-question"));
  tour.Answer(QMessageBox::Yes);
  tour.Do([] {
    if (auto* name = Child<QLineEdit>(TopLevel(QStringLiteral("frmLogOpen")), "Text1")) {
      name->setText(QStringLiteral("ja3qrp.log"));
    }
  });
  tour.Click([] { return Child(TopLevel(QStringLiteral("frmLogOpen")), "Command1"); });
  tour.ShootModal(QStringLiteral("kavrel-uneven-rows"));
  tour.Answer(QMessageBox::Ok);
  tour.Click([] { return Child(TopLevel(QStringLiteral("frmDataCheck")), "cmdCheckStart"); });
  tour.ShootTop(QStringLiteral("kavrel-string-edit"), QStringLiteral("frmTxtEdit"));
  tour.Click([] { return Child(TopLevel(QStringLiteral("frmTxtEdit")), "cmdClose"); });

  const struct {
    const char* action;
    const char* picture;
  } kDialogs[] = {
      {"mnuChrReplace", "kavrel-chr-replace"}, {"mnuChrInput", "kavrel-chr-input"},
      {"mnuChrDel", "kavrel-chr-delete"},      {"mnuTime4Col", "kavrel-time4"},
      {"mnuBandCol", "kavrel-band"},           {"mnuColSort", "kavrel-edit-set"},
      {"mnuChkSet", "kavrel-check-settings"},  {"mnuFont", "kavrel-font"},
      {"mnuHelpAbout", "kavrel-about"},
  };
  for (const auto& dialog : kDialogs) {
    tour.Do([kavrel, dialog] {
      if (auto* item = (*kavrel)->findChild<QAction*>(QString::fromLatin1(dialog.action))) {
        item->trigger();
      }
    });
    tour.ShootModal(QString::fromLatin1(dialog.picture));
    tour.CloseModal();
  }
  tour.Do([kavrel] {
    if (auto* item = (*kavrel)->findChild<QAction*>(QStringLiteral("mnuDirSet"))) item->trigger();
  });
  tour.ShootTop(QStringLiteral("kavrel-folder"), QStringLiteral("frmOptions"));
  tour.Do([] {
    if (QWidget* options = TopLevel(QStringLiteral("frmOptions"))) options->close();
  });

  tour.LongWithShot([folders, kavrel] { (*kavrel)->DataRead(folders.big_log); },
                    QStringLiteral("kavrel-progress"), QStringLiteral("frmBar"));
  tour.Do([] {
    if (QWidget* check = TopLevel(QStringLiteral("frmDataCheck"))) check->close();
  });
  tour.Do([kavrel] { (*kavrel)->close(); });
  tour.ShootModal(QStringLiteral("kavrel-quit-question"));
  tour.Answer(QMessageBox::Yes);
  tour.Do([kavrel] { kavrel->reset(); });
}

// Tessdal: the log list, the calculation with its progress window, the
// results and a result's summary, the cross-check window and a report,
// saving the results, the output and web questions and the version box.
void TessdalPart(Tour& tour, const Folders& folders, std::shared_ptr<ui::MessageBoxes> boxes,
                 std::shared_ptr<std::unique_ptr<TessdalMainWindow>> tessdal) {
  auto window = [tessdal] { return static_cast<QWidget*>(tessdal->get()); };
  StartedAfterThreeRestarts(
      tour, QStringLiteral("Tessdal"),
      [folders, boxes, tessdal] {
        QApplication::setWindowIcon(ui::ProgramIcon(ui::kTessdalInfo));
        *tessdal = std::make_unique<TessdalMainWindow>(
            ui::TessdalEnvironment{folders.program, boxes.get()});
        (*tessdal)->show();
        (*tessdal)->Start();
      },
      window, CloseAndDrop(tessdal),
      ReadPlacement(QDir(folders.program).filePath(QStringLiteral("Tessdal.ini")),
                    {"frmLeft", "frmTop", "frmWidth", "frmHeight"}));
  tour.Do([tessdal] {
    if (auto* item = (*tessdal)->findChild<QAction*>(QStringLiteral("mnuGetList"))) item->trigger();
  });
  auto log_list = [tessdal] { return (*tessdal)->findChild<QWidget*>(QStringLiteral("frmGetList")); };
  tour.Shoot(QStringLiteral("tessdal-log-list"), log_list);
  tour.Click([log_list] { return Child(log_list(), "Command1"); });
  tour.LongWithShot(
      [tessdal] {
        if (auto* item = (*tessdal)->findChild<QAction*>(QStringLiteral("mnuCalcStart"))) {
          item->trigger();
        }
      },
      QStringLiteral("tessdal-progress"), QStringLiteral("frmBar"));
  tour.Do([tessdal] { (*tessdal)->Grid1_Click(1); });
  tour.Shoot(QStringLiteral("tessdal-main"), window);
  // The cross-check of the same logs, and one entrant's report.
  tour.Long([tessdal] {
    if (auto* item = (*tessdal)->findChild<QAction*>(QStringLiteral("mnuCrossCheck"))) {
      item->trigger();
    }
  });
  tour.ShootTop(QStringLiteral("tessdal-crosscheck"), QStringLiteral("frmCrossCheck"));
  tour.Do([tessdal] {
    if (auto* view = (*tessdal)->CrossCheckView()) view->ShowReport(0);
  });
  tour.ShootTop(QStringLiteral("tessdal-crosscheck-report"), QStringLiteral("frmCheckReport"));
  tour.Do([tessdal] {
    if (auto* item = (*tessdal)->findChild<QAction*>(QStringLiteral("mnuSaveAs"))) item->trigger();
  });
  tour.ShootModal(QStringLiteral("tessdal-save-question"));
  tour.Answer(QMessageBox::Ok);
  tour.Do([] {
    if (auto* name = Child<QLineEdit>(Modal(), "Text1")) name->setText(QStringLiteral("TOVEK2026"));
  });
  tour.ShootModal(QStringLiteral("tessdal-result-file"));
  tour.Long([] {
    if (auto* ok = Child(Modal(), "Command1")) ok->click();
  });
  tour.Do([tessdal] {
    if (auto* item = (*tessdal)->findChild<QAction*>(QStringLiteral("mnuOutput"))) item->trigger();
  });
  tour.ShootModal(QStringLiteral("tessdal-output-question"));
  tour.Answer(QMessageBox::Ok);
  // Web公開 with the cross-check still open, into a folder that holds files:
  // whether to show the check, then whether to overwrite, both answered No.
  tour.Do([tessdal, folders] { (*tessdal)->PublishTo(folders.program); });
  tour.ShootModal(QStringLiteral("tessdal-publish-crosscheck"));
  tour.Answer(QMessageBox::No);
  tour.ShootModal(QStringLiteral("tessdal-publish-question"));
  tour.Answer(QMessageBox::No);
  tour.Do([tessdal] {
    if (auto* view = (*tessdal)->CrossCheckView()) view->close();
  });
  tour.Do([tessdal] {
    if (auto* item = (*tessdal)->findChild<QAction*>(QStringLiteral("mnuVersion"))) item->trigger();
  });
  tour.ShootModal(QStringLiteral("tessdal-about"));
  tour.CloseModal();
  tour.Do([tessdal] {
    (*tessdal)->close();
    tessdal->reset();
  });
}

// Morrick: the open dialog, a log read and mapped, the convert question,
// the font and folder dialogs and the version box.
void MorrickPart(Tour& tour, const Folders& folders, std::shared_ptr<ui::MessageBoxes> boxes,
                 std::shared_ptr<std::unique_ptr<MorrickMainWindow>> morrick,
                 std::shared_ptr<NoEditor> editor) {
  auto window = [morrick] { return static_cast<QWidget*>(morrick->get()); };
  StartedAfterThreeRestarts(
      tour, QStringLiteral("Morrick"),
      [folders, boxes, morrick, editor] {
        QApplication::setWindowIcon(ui::ProgramIcon(ui::kMorrickInfo));
        *morrick = std::make_unique<MorrickMainWindow>(folders.program, *boxes, *editor);
        (*morrick)->Load();
        (*morrick)->show();
      },
      window, CloseAndDrop(morrick),
      ReadPlacement(QDir(folders.program).filePath(QStringLiteral("Morrick.ini")),
                    {"MeLeft", "MeTop", "", ""}));
  tour.Click([morrick] { return Child(morrick->get(), "Command1"); });
  tour.Do([] {
    if (auto* name = Child<QLineEdit>(Modal(), "Text1"))
      name->setText(QStringLiteral("ja1xyz.adi"));
  });
  tour.ShootModal(QStringLiteral("morrick-log-open"));
  tour.Long([] {
    if (auto* ok = Child(Modal(), "Command1")) ok->click();
  });
  tour.Do([morrick] {
    // The header as the station's operator would fill it in.
    const struct {
      const char* box;
      const char* text;
    } kChoices[] = {{"Combo1", "TOVEK-WW-RTTY"}, {"Combo2", "SINGLE-OP"}, {"Combo3", "ALL"},
                    {"Combo4", "RTTY"},          {"Combo5", "HIGH"},      {"Combo6", "FIXED"}};
    for (const auto& choice : kChoices) {
      if (auto* box = Child<QComboBox>(morrick->get(), choice.box)) {
        box->setCurrentIndex(box->findText(QString::fromLatin1(choice.text)));
      }
    }
    // The exchange numbers, which the file keeps in fields of its own: a
    // column's choice box is named after its caption's number.
    const struct {
      const char* caption;
      const char* field;
    } kColumns[] = {{"SEND NO", "STX"}, {"RCVD NO", "SRX"}};
    for (const auto& column : kColumns) {
      for (QLabel* caption : (*morrick)->findChildren<QLabel*>()) {
        if (caption->text() != QLatin1String(column.caption) ||
            !caption->objectName().startsWith(QLatin1String("lblCombo"))) {
          continue;
        }
        const QString box_name = caption->objectName().mid(3);
        if (auto* box = (*morrick)->findChild<QComboBox*>(box_name)) {
          box->setCurrentIndex(box->findText(QString::fromLatin1(column.field)));
        }
      }
    }
  });
  tour.Shoot(QStringLiteral("morrick-main"), window);
  tour.Click([morrick] { return Child(morrick->get(), "Command2"); });
  tour.ShootModal(QStringLiteral("morrick-convert-question"));
  tour.Answer(QMessageBox::No);
  const struct {
    const char* action;
    const char* picture;
  } kDialogs[] = {
      {"mnuFont", "morrick-font"},
      {"mnuLogFolder", "morrick-folders"},
      {"mnuAbout", "morrick-about"},
  };
  for (const auto& dialog : kDialogs) {
    tour.Do([morrick, dialog] {
      if (auto* item = (*morrick)->findChild<QAction*>(QString::fromLatin1(dialog.action))) {
        item->trigger();
      }
    });
    tour.ShootModal(QString::fromLatin1(dialog.picture));
    tour.CloseModal();
  }
  tour.Do([morrick] { (*morrick)->close(); });
  tour.ShootModal(QStringLiteral("morrick-quit-question"));
  tour.Answer(QMessageBox::Ok);
  tour.Do([morrick] { morrick->reset(); });
}

}  // namespace
}  // namespace tovek::tour

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // The message boxes' buttons in Japanese, as the programs show them.
  tovek::ui::LoadToolkitTranslation(app);
  // The tour closes each program's main window before it starts the next.
  app.setQuitOnLastWindowClosed(false);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() != 6) {
    std::fprintf(stderr,
                 "usage: screenshot_tour PROGRAM_FOLDER LOG_FOLDER ADIF_FOLDER BIG_LOG OUTPUT\n");
    return 2;
  }
  using namespace tovek;
  const tour::Folders folders{args[1], args[2], args[3], args[4]};
  tour::Tour tour(args[5]);
  auto kavrel_boxes = std::make_shared<ui::QtMessageBoxes>(QStringLiteral("Kavrel"));
  auto tessdal_boxes = std::make_shared<ui::QtMessageBoxes>(QStringLiteral("TOVEK CALC"));
  auto morrick_boxes = std::make_shared<ui::QtMessageBoxes>(QStringLiteral("Morrick"));
  auto kavrel = std::make_shared<std::unique_ptr<ui::KavrelMainWindow>>();
  auto tessdal = std::make_shared<std::unique_ptr<ui::TessdalMainWindow>>();
  auto morrick = std::make_shared<std::unique_ptr<ui::MorrickMainWindow>>();
  tour::KavrelPart(tour, folders, kavrel_boxes, kavrel);
  tour::TessdalPart(tour, folders, tessdal_boxes, tessdal);
  tour::MorrickPart(tour, folders, morrick_boxes, morrick, std::make_shared<tour::NoEditor>());
  tour.Run();
  const int status = app.exec();
  for (const QString& name : tour.Missing())
    std::fprintf(stderr, "missing: %s\n", qPrintable(name));
  return status;
}
