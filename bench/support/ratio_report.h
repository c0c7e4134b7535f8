// Benchmarks that matter as ratios: each figure is one benchmark's time
// against another's, both measured in the same run of the same binary.
//
// A benchmark binary registers its benchmarks with Google Benchmark as
// usual, declares the ratios it stands for, and calls RunWithRatios from
// main. Ratios are taken of processor time, and of the fastest repetition
// of each benchmark: on a shared machine wall-clock time also counts the
// neighbours. Repetitions of different benchmarks are interleaved, so that
// a busy minute hits both sides of a ratio alike.
#pragma once

#include <QString>
#include <string>
#include <vector>

namespace tovek::bench {

struct Ratio {
  std::string title;     // what the figure says, for the table
  std::string measured;  // benchmark name as registered, "/" and its argument if any
  std::string baseline;
  // The goal: measured / baseline at most `goal` (a cost), or, with
  // `speedup`, baseline / measured at least `goal`. 0: no goal.
  double goal = 0;
  bool speedup = false;
};

void AddRatio(Ratio ratio);

// A fact worth a line under the table (sizes of the data, counts checked).
void AddNote(const std::string& note);

// Runs the registered benchmarks (Google Benchmark's own flags apply;
// repetitions default to 3, interleaved), then prints the ratio table.
// The exit status is 0 when every benchmark ran, 1 otherwise. A goal that
// is not met is reported, not turned into a failure: the figures are what
// the benchmarks are for.
int RunWithRatios(int argc, char** argv);

// A setup failure: printed, and the binary exits with status 1.
[[noreturn]] void Fail(const QString& what);

// Arguments after the benchmark's own flags: "--name=value" pairs that
// Google Benchmark does not know (paths of the data). Empty when absent.
QString Option(int argc, char** argv, const char* name);

}  // namespace tovek::bench
