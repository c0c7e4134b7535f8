// Scoring: `tovek score` over a whole contest (3,000 logs of about 1,000
// QSOs from bench/run), against the floor of reading, decoding and cutting
// the same files into lines in the same binary.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <string>

#include "bench/support/bench_data_paths.h"
#include "bench/support/ratio_report.h"
#include "calculator/log_list.h"

namespace tovek::bench {
namespace {

QString& ContestFolder() {
  static QString folder;
  return folder;
}

void TovekScore(benchmark::State& state) {
  for (auto _ : state) {
    const TovekRun run = RunTovekQuietly({QStringLiteral("score"), ContestFolder()});
    if (run.status != 0) state.SkipWithError(run.err.toStdString().c_str());
    benchmark::DoNotOptimize(run.out.size());
  }
}

void Floor(benchmark::State& state) {
  for (auto _ : state) {
    const QDir folder(ContestFolder());
    qint64 lines = 0;
    for (const QString& name : ListLogFiles(ContestFolder())) {
      lines += ReadDecodeSplit(folder.filePath(name), LineEnds::kCrLfCrOrLf);
    }
    benchmark::DoNotOptimize(lines);
  }
}

void Describe() {
  const QDir folder(ContestFolder());
  const QStringList names = ListLogFiles(ContestFolder());
  if (names.isEmpty()) Fail(ContestFolder() + ": no logs (run bench/run, or give --contest=DIR)");
  QStringList paths;
  qint64 lines = 0;
  for (const QString& name : names) {
    paths.append(folder.filePath(name));
    lines += ReadDecodeSplit(paths.last(), LineEnds::kCrLfCrOrLf);
  }
  const TovekRun run = RunTovekQuietly({QStringLiteral("score"), ContestFolder()});
  if (run.status != 0) Fail(QStringLiteral("tovek score failed: ") + run.err);
  AddNote("contest " + ContestFolder().toStdString() + ": " + std::to_string(names.size()) +
          " logs, " + std::to_string(lines) + " lines, " +
          std::to_string(TotalBytes(paths) / 1000000) + " MB");
}

}  // namespace
}  // namespace tovek::bench

int main(int argc, char** argv) {
  using namespace tovek::bench;
  QCoreApplication app(argc, argv);
  ContestFolder() = DataPath(argc, argv, "contest", "contest");
  Describe();
  benchmark::RegisterBenchmark("scoring/tovek_score", TovekScore)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1);
  benchmark::RegisterBenchmark("scoring/floor", Floor)->Unit(benchmark::kMillisecond)->Iterations(1);
  AddRatio({"scoring: tovek score against read-decode-split", "scoring/tovek_score",
            "scoring/floor", 3});
  return RunWithRatios(argc, argv);
}
