// Resolution: every call sign of MASTER.SCP through DxccCheck, against the
// literal lookup it replaces (scan one bucket of the table from its first
// entry for every candidate), which is kept here as the baseline. Both must
// give the same entity and continent for every call before anything is
// timed.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <string>

#include "bench/support/ratio_report.h"
#include "common/call_resolution.h"
#include "common/prefix_table.h"
#include "common/text_file.h"

namespace tovek::bench {
namespace {

using Part = PrefixTable::Part;

// The first entry of the key's bucket, scanned from its start, whose key
// equals `key`.
const PrefixEntry* ScanBucket(const PrefixTable& table, Part part, QStringView key) {
  const int bucket = PrefixTable::BucketOf(key);
  if (bucket < 0) return nullptr;
  for (const PrefixEntry& entry : table.Bucket(part, bucket)) {
    if (entry.key == key) return &entry;
  }
  return nullptr;
}

// The lookup as the committee's rules state it, scan by scan.
DxccResult LiteralDxccCheck(const PrefixTable& table, const QString& target) {
  DxccResult result;
  if (const PrefixEntry* exact = ScanBucket(table, Part::kExactCall, target)) {
    result = {exact->primary_prefix, exact->continent};
    if (!result.cty.isEmpty()) return result;
  }
  QString s = target;
  const qsizetype slash = target.indexOf(u'/');
  if (slash >= 0) {
    const QString left = target.left(slash);
    const QString right = target.mid(slash + 1);
    if (left.trimmed().size() > right.trimmed().size() && right.trimmed().size() > 1 &&
        right != u"QRP") {
      s = right + u'/' + left;
    }
  }
  for (qsizetype n = s.size() - 1; n >= 0; --n) {
    if (const PrefixEntry* entry = ScanBucket(table, Part::kPrefix, QStringView(s).left(n))) {
      return {entry->primary_prefix, entry->continent};
    }
  }
  return result;
}

struct Data {
  PrefixTable table;
  QStringList calls;
};

Data& Loaded() {
  static Data data;
  return data;
}

void ResolveAll(benchmark::State& state, DxccResult (*resolve)(const PrefixTable&, const QString&)) {
  const Data& data = Loaded();
  qsizetype resolved = 0;
  for (auto _ : state) {
    resolved = 0;
    for (const QString& call : data.calls) {
      const DxccResult where = resolve(data.table, call);
      resolved += where.Resolved() ? 1 : 0;
      benchmark::DoNotOptimize(where);
    }
  }
  state.counters["calls"] = static_cast<double>(data.calls.size());
  state.counters["resolved"] = static_cast<double>(resolved);
  state.counters["calls/s"] = benchmark::Counter(static_cast<double>(data.calls.size()),
                                                 benchmark::Counter::kIsIterationInvariantRate);
}

DxccResult Indexed(const PrefixTable& table, const QString& call) { return DxccCheck(table, call); }

void Load(int argc, char** argv) {
  Data& data = Loaded();
  QString cty = Option(argc, argv, "cty");
  if (cty.isEmpty()) cty = QStringLiteral(TOVEK_PROGRAM_DIR "/Cty.dat");
  QString scp = Option(argc, argv, "scp");
  if (scp.isEmpty()) scp = QStringLiteral(TOVEK_MASTER_SCP);
  const PrefixLoadOutcome loaded = LoadPrefixTable(cty, data.table);
  if (loaded.status != PrefixLoadOutcome::Status::kLoaded) Fail(cty + ": not loaded " + loaded.error);
  const TextFileLines lines = ReadTextLines(scp, LineEnds::kCrLfCrOrLf);
  if (!lines.outcome.ok) Fail(scp + ": " + lines.outcome.error);
  for (const QString& line : lines.lines) {
    const QString call = line.trimmed();
    if (!call.isEmpty() && !call.startsWith(u'#')) data.calls.append(call);
  }
  // The figure means nothing unless both give the same answer everywhere.
  qsizetype differ = 0;
  QStringList examples;
  for (const QString& call : data.calls) {
    if (DxccCheck(data.table, call) == LiteralDxccCheck(data.table, call)) continue;
    if (differ++ < 5) examples.append(call);
  }
  if (differ > 0) {
    Fail(QStringLiteral("DxccCheck and the literal scan differ on %1 calls: %2")
             .arg(differ)
             .arg(examples.join(u' ')));
  }
  AddNote(std::to_string(data.calls.size()) + " calls of " + scp.toStdString() +
          ", identical entity and continent from both lookups; " +
          std::to_string(data.table.Count(Part::kPrefix)) + " prefixes and " +
          std::to_string(data.table.Count(Part::kExactCall)) + " exact calls in the table");
}

}  // namespace
}  // namespace tovek::bench

int main(int argc, char** argv) {
  using namespace tovek::bench;
  QCoreApplication app(argc, argv);
  Load(argc, argv);
  benchmark::RegisterBenchmark("resolution/DxccCheck", ResolveAll, &Indexed)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("resolution/literal_scan", ResolveAll, &LiteralDxccCheck)
      ->Unit(benchmark::kMillisecond);
  AddRatio({"resolution: DxccCheck against the literal bucket scan", "resolution/DxccCheck",
            "resolution/literal_scan", 20, true});
  return RunWithRatios(argc, argv);
}
