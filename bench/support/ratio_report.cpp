#include "bench/support/ratio_report.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <thread>

namespace tovek::bench {
namespace {

std::vector<Ratio>& Ratios() {
  static std::vector<Ratio> ratios;
  return ratios;
}

std::vector<std::string>& Notes() {
  static std::vector<std::string> notes;
  return notes;
}

double Seconds(double value, benchmark::TimeUnit unit) {
  switch (unit) {
    case benchmark::kNanosecond:
      return value * 1e-9;
    case benchmark::kMicrosecond:
      return value * 1e-6;
    case benchmark::kMillisecond:
      return value * 1e-3;
    case benchmark::kSecond:
      return value;
  }
  return value;
}

// The console report as usual, and the fastest repetition of each
// benchmark kept for the ratios.
class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;
      // Arguments tell the sizes of one benchmark apart.
      std::string name = run.run_name.function_name;
      if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
      if (run.error_occurred) {
        failed_ = true;
        continue;
      }
      const Times times{Seconds(run.GetAdjustedCPUTime(), run.time_unit),
                        Seconds(run.GetAdjustedRealTime(), run.time_unit)};
      auto [slot, added] = fastest_.try_emplace(name, times);
      if (!added) {
        slot->second.cpu = std::min(slot->second.cpu, times.cpu);
        slot->second.real = std::min(slot->second.real, times.real);
      }
    }
  }

  struct Times {
    double cpu;   // the process's processor time: what the work costs
    double real;  // wall-clock time, which neighbours on the machine stretch
  };

  bool Failed() const { return failed_; }
  const std::map<std::string, Times>& Fastest() const { return fastest_; }

 private:
  std::map<std::string, Times> fastest_;
  bool failed_ = false;
};

std::string Machine() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string line;
  std::string model = "unknown processor";
  while (std::getline(cpuinfo, line)) {
    if (line.rfind("model name", 0) == 0) {
      model = line.substr(line.find(':') + 2);
      break;
    }
  }
  std::ostringstream text;
  text << model << ", " << std::thread::hardware_concurrency() << " logical cores";
  return text.str();
}

std::string Fixed(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

void PrintRatios(const RatioReporter& reporter) {
  const auto& fastest = reporter.Fastest();
  std::printf("\nRatios of processor time (fastest repetition of each side, same run; %s)\n",
              Machine().c_str());
  for (const Ratio& ratio : Ratios()) {
    const auto measured = fastest.find(ratio.measured);
    const auto baseline = fastest.find(ratio.baseline);
    if (measured == fastest.end() || baseline == fastest.end()) continue;
    const double m = measured->second.cpu;
    const double b = baseline->second.cpu;
    std::string figure;
    std::string verdict;
    if (ratio.speedup) {
      const double times = m > 0 ? b / m : std::numeric_limits<double>::infinity();
      figure = Fixed(times, 1) + " times faster";
      if (ratio.goal > 0)
        verdict = times >= ratio.goal ? "goal >= " + Fixed(ratio.goal, 1) + ": met"
                                      : "goal >= " + Fixed(ratio.goal, 1) + ": NOT MET";
    } else {
      const double times = b > 0 ? m / b : std::numeric_limits<double>::infinity();
      figure = Fixed(times, 2) + " x";
      if (ratio.goal > 0)
        verdict = times <= ratio.goal ? "goal <= " + Fixed(ratio.goal, 2) + ": met"
                                      : "goal <= " + Fixed(ratio.goal, 2) + ": NOT MET";
    }
    std::printf("  %-66s %18s  %s\n      %s %.3f s (wall %.3f s) / %s %.3f s (wall %.3f s)\n",
                ratio.title.c_str(), figure.c_str(), verdict.c_str(), ratio.measured.c_str(), m,
                measured->second.real, ratio.baseline.c_str(), b, baseline->second.real);
  }
  for (const std::string& note : Notes()) std::printf("  %s\n", note.c_str());
  std::fflush(stdout);
}

bool IsBenchmarkFlag(const char* arg) {
  return std::strncmp(arg, "--benchmark", 11) == 0 || std::strncmp(arg, "--v=", 4) == 0 ||
         std::strcmp(arg, "--help") == 0;
}

}  // namespace

void AddRatio(Ratio ratio) { Ratios().push_back(std::move(ratio)); }

void AddNote(const std::string& note) { Notes().push_back(note); }

void Fail(const QString& what) {
  std::fprintf(stderr, "%s\n", what.toLocal8Bit().constData());
  std::exit(1);
}

QString Option(int argc, char** argv, const char* name) {
  const std::string prefix = std::string("--") + name + "=";
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0) {
      return QString::fromLocal8Bit(argv[i] + prefix.size());
    }
  }
  return {};
}

int RunWithRatios(int argc, char** argv) {
  // Defaults first: flags given on the command line come later and win.
  // On a machine shared with other work a repetition now and then runs at
  // half speed; the fastest of five, taken in random order on both sides
  // of a ratio, is steady from run to run.
  std::vector<char*> args = {argv[0]};
  static char repetitions[] = "--benchmark_repetitions=5";
  static char interleaving[] = "--benchmark_enable_random_interleaving=true";
  args.push_back(repetitions);
  args.push_back(interleaving);
  for (int i = 1; i < argc; ++i) {
    if (IsBenchmarkFlag(argv[i])) args.push_back(argv[i]);
  }
  int count = static_cast<int>(args.size());
  args.push_back(nullptr);
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 2;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  PrintRatios(reporter);
  return reporter.Failed() ? 1 : 0;
}

}  // namespace tovek::bench
