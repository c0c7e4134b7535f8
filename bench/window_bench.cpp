// Windows: the scoring run through Tessdal's main window and the log load
// through Kavrel's, offscreen, each against the same work without windows.
// The windows may cost their progress window, their grid or list and the
// events they let through at most every 30 ms; nothing per row.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "bench/support/bench_data_paths.h"
#include "bench/support/ratio_report.h"
#include "calculator/log_list.h"
#include "calculator/ui/tessdal_main_window.h"
#include "common/ui/message_boxes.h"
#include "editor/load_passes.h"
#include "editor/log_lines.h"
#include "editor/ui/kavrel_main_window.h"
#include "editor/undo_lines.h"

namespace tovek::bench {
namespace {

// Answers every box at once, as a user who has seen it all before.
class AnsweringMessageBoxes final : public ui::MessageBoxes {
 public:
  ui::Answer Show(QWidget*, const ui::MessageRequest& request) override {
    ++shown_;
    return request.buttons == ui::Buttons::kYesNo ? ui::Answer::kYes : ui::Answer::kOk;
  }
  int Shown() const { return shown_; }

 private:
  int shown_ = 0;
};

struct Setup {
  QTemporaryDir program_folder;
  QString contest;
  QString raw_log;
  QString lf_log;
  QStringList tags;
  AnsweringMessageBoxes messages;
  std::unique_ptr<ui::TessdalMainWindow> tessdal;
  std::unique_ptr<ui::KavrelMainWindow> kavrel;
};

Setup& The() {
  static Setup setup;
  return setup;
}

// Closes what a load opened besides the main windows (the data check window
// opens after every load), so that the next load starts alike.
void CloseOtherWindows() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget != The().kavrel.get() && widget != The().tessdal.get() && widget->isVisible()) {
      widget->close();
    }
  }
  QApplication::processEvents();
}

// What the windows leave to the event loop (laying out and painting a grid
// or list that got thousands of rows) belongs to the operation: a user
// waits for it as much as for the rows.
void Settle() { QApplication::processEvents(); }

void TessdalRun(benchmark::State& state) {
  for (auto _ : state) {
    The().tessdal->RunCalculation();
    Settle();
    if (The().tessdal->RowCount() != The().tessdal->GetLogList().Count()) {
      state.SkipWithError("the run did not give one row per log");
    }
  }
}

void HeadlessScore(benchmark::State& state) {
  for (auto _ : state) {
    const TovekRun run = RunTovekQuietly({QStringLiteral("score"), The().contest});
    if (run.status != 0) state.SkipWithError(run.err.toStdString().c_str());
  }
}

void KavrelLoad(benchmark::State& state, const QString* path) {
  for (auto _ : state) {
    The().kavrel->DataRead(*path);
    Settle();
    state.PauseTiming();
    CloseOtherWindows();
    state.ResumeTiming();
  }
}

// The editor's domain calls of DataRead without a window: like the window,
// it holds the previous log and its undo snapshot until the next load
// replaces them (the snapshot outlives clearing), so both sides free the
// same memory and allocate into the same kind of heap.
struct HeadlessEditor {
  LogLines rows;
  UndoLines undo;
};

void HeadlessLoad(benchmark::State& state, const QString* path) {
  static HeadlessEditor editor;
  for (auto _ : state) {
    NoProgress progress;
    editor.rows.clear();
    LogReadOutcome read = ReadLogRows(*path, The().tags, progress);
    editor.rows = std::move(read.rows);
    benchmark::DoNotOptimize(RunLoadPasses(editor.rows, editor.undo, progress).ran);
  }
}

void CopyProgramFile(const char* name) {
  const QString target = QDir(The().program_folder.path()).filePath(QString::fromLatin1(name));
  if (!QFile::copy(ProgramFile(name), target)) Fail(QStringLiteral("cannot copy ") + name);
}

void Prepare(int argc, char** argv) {
  Setup& setup = The();
  setup.contest = DataPath(argc, argv, "contest", "contest");
  setup.raw_log = DataPath(argc, argv, "rawlog", "rawlog.txt");
  setup.lf_log = DataPath(argc, argv, "lflog", "lflog.log");
  setup.tags = LoadHeaderTags(ProgramFile("CabHeader.dat"));
  // A program folder of its own: the windows write their settings and
  // folders there, never into the build's.
  const QDir program(setup.program_folder.path());
  for (const char* name : {"Cty.dat", "Tovek.are", "CabHeader.dat"}) CopyProgramFile(name);
  program.mkpath(QStringLiteral("logs"));
  QFile ini(program.filePath(QStringLiteral("Kavrel.ini")));
  if (!ini.open(QIODevice::WriteOnly)) Fail(QStringLiteral("cannot write Kavrel.ini"));
  ini.write("LogFolder=" + program.filePath(QStringLiteral("logs")).toLocal8Bit() + "\r\n");
  ini.close();

  setup.tessdal = std::make_unique<ui::TessdalMainWindow>(
      ui::TessdalEnvironment{program.path(), &setup.messages});
  setup.tessdal->show();
  setup.tessdal->Start();
  setup.tessdal->TakeLogList(LogList{setup.contest, ListLogFiles(setup.contest)});
  if (setup.tessdal->GetLogList().Count() == 0) Fail(setup.contest + QStringLiteral(": no logs"));

  setup.kavrel = std::make_unique<ui::KavrelMainWindow>(
      ui::KavrelEnvironment{program.path(), &setup.messages});
  setup.kavrel->show();
  setup.kavrel->Start();
  CloseOtherWindows();
  AddNote("windows offscreen (QT_QPA_PLATFORM=" +
          qEnvironmentVariable("QT_QPA_PLATFORM").toStdString() + "); contest of " +
          std::to_string(setup.tessdal->GetLogList().Count()) + " logs");
}

}  // namespace
}  // namespace tovek::bench

int main(int argc, char** argv) {
  using namespace tovek::bench;
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Prepare(argc, argv);
  const Setup& setup = The();
  const auto ms = benchmark::kMillisecond;
  benchmark::RegisterBenchmark("windows/tessdal_run", TessdalRun)->Unit(ms)->Iterations(1);
  benchmark::RegisterBenchmark("windows/headless_score", HeadlessScore)->Unit(ms)->Iterations(1);
  benchmark::RegisterBenchmark("windows/kavrel_load_32767_rows", KavrelLoad, &setup.raw_log)
      ->Unit(ms)
      ->Iterations(3);
  benchmark::RegisterBenchmark("windows/headless_load_32767_rows", HeadlessLoad, &setup.raw_log)
      ->Unit(ms)
      ->Iterations(3);
  benchmark::RegisterBenchmark("windows/kavrel_load_lf_only", KavrelLoad, &setup.lf_log)
      ->Unit(ms)
      ->Iterations(3);
  benchmark::RegisterBenchmark("windows/headless_load_lf_only", HeadlessLoad, &setup.lf_log)
      ->Unit(ms)
      ->Iterations(3);
  AddRatio({"windows: Tessdal's run / tovek score", "windows/tessdal_run", "windows/headless_score",
            1.3});
  AddRatio({"windows: Kavrel's DataRead of 32,767 rows / headless",
            "windows/kavrel_load_32767_rows", "windows/headless_load_32767_rows", 1.5});
  AddRatio({"windows: Kavrel's DataRead of the LF-only log / headless",
            "windows/kavrel_load_lf_only", "windows/headless_load_lf_only", 1.5});
  const int status = RunWithRatios(argc, argv);
  The().kavrel.reset();
  The().tessdal.reset();
  return status;
}
