// Converting: `tovek adif2cbr` on an ADIF export of 32,767 records, against
// the floor of reading, decoding and cutting the file into its lines.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <string>

#include "bench/support/bench_data_paths.h"
#include "bench/support/ratio_report.h"

namespace tovek::bench {
namespace {

QString& AdifPath() {
  static QString path;
  return path;
}

QStringList& Arguments() {
  static QStringList args;
  return args;
}

void Adif2Cbr(benchmark::State& state) {
  for (auto _ : state) {
    const TovekRun run = RunTovekQuietly(Arguments());
    if (run.status != 0) state.SkipWithError(run.err.toStdString().c_str());
  }
}

void Floor(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadDecodeSplit(AdifPath(), LineEnds::kCrLfOrCr));
}

}  // namespace
}  // namespace tovek::bench

int main(int argc, char** argv) {
  using namespace tovek::bench;
  QCoreApplication app(argc, argv);
  AdifPath() = DataPath(argc, argv, "adif", "adif.adi");
  QTemporaryDir out;
  if (!out.isValid()) Fail(QStringLiteral("no temporary folder"));
  Arguments() = {"adif2cbr",
                 "--set", "CONTEST=TOVEK-WW-RTTY",
                 "--set", "CATEGORY-OPERATOR=SINGLE-OP",
                 "--set", "CATEGORY-BAND=ALL",
                 "--set", "CATEGORY-MODE=RTTY",
                 "--set", "CATEGORY-POWER=HIGH",
                 "--source", "SEND NO=STX",
                 "--source", "RCVD NO=SRX",
                 "--out", out.path(),
                 AdifPath()};
  const TovekRun first = RunTovekQuietly(Arguments());
  if (first.status != 0) Fail(QStringLiteral("tovek adif2cbr failed: ") + first.err);
  const QString cabrillo = first.out.trimmed();
  AddNote(AdifPath().toStdString() + ": " +
          std::to_string(ReadDecodeSplit(AdifPath(), tovek::LineEnds::kCrLfOrCr)) + " lines, " +
          std::to_string(QFileInfo(AdifPath()).size() / 1000) + " kB; its Cabrillo file " +
          std::to_string(ReadDecodeSplit(cabrillo, tovek::LineEnds::kCrLfOrCr)) + " lines");
  benchmark::RegisterBenchmark("converting/tovek_adif2cbr", Adif2Cbr)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("converting/floor", Floor)->Unit(benchmark::kMillisecond);
  AddRatio({"converting: tovek adif2cbr of 32,767 records / floor", "converting/tovek_adif2cbr",
            "converting/floor"});
  return RunWithRatios(argc, argv);
}
