// Editing: an entrant's damaged log of 32,767 rows read as the editor reads
// it and put through the five load passes, and the same for a log of 30,000
// QSO rows saved with lone LF line ends, each against the floor of reading,
// decoding and cutting the file into its lines.
//
// The LF-only log arrives as one line of megabytes that SplitAtHeaderTags
// cuts again at the header tags. Searching every tag afresh from each cut
// would make that quadratic; the literal search is kept here to show it, on
// logs small enough to wait for, next to the real one on growing logs.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <map>
#include <string>

#include "bench/support/bench_data_paths.h"
#include "bench/support/ratio_report.h"
#include "editor/load_passes.h"
#include "editor/log_lines.h"
#include "editor/undo_lines.h"

namespace tovek::bench {
namespace {

struct Data {
  QString raw_log;
  QString lf_log;
  QStringList tags;
  // The LF-only log as SplitAtHeaderTags gets it (line feeds removed), cut
  // after its first n rows, by n.
  std::map<int, QString> lf_texts;
};

Data& Loaded() {
  static Data data;
  return data;
}

struct Loaded_ {
  LogLines rows;
  LoadPassesOutcome passes;
  qsizetype rows_read = 0;
};

Loaded_ LoadAsTheEditorDoes(const QString& path) {
  NoProgress progress;
  LogReadOutcome read = ReadLogRows(path, Loaded().tags, progress);
  if (!read.file.ok) Fail(path + QStringLiteral(": ") + read.file.error);
  Loaded_ loaded;
  loaded.rows_read = read.rows.size();
  UndoLines undo;
  loaded.passes = RunLoadPasses(read.rows, undo, progress);
  loaded.rows = std::move(read.rows);
  return loaded;
}

void Load(benchmark::State& state, const QString* path) {
  for (auto _ : state) benchmark::DoNotOptimize(LoadAsTheEditorDoes(*path).rows.size());
}

void Floor(benchmark::State& state, const QString* path, LineEnds rule) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadDecodeSplit(*path, rule));
}

// Every tag searched again from the first colon of what is left, at every
// cut: the search that the cut positions' cache replaces.
void LiteralSplitAtHeaderTags(QStringView text, const QStringList& tags, LogLines& rows) {
  qsizetype start = 0;
  while (start < text.size()) {
    const qsizetype colon = text.indexOf(u':', start);
    if (colon < 0) break;
    qsizetype cut = text.size();
    for (const QString& tag : tags) {
      const qsizetype found = text.indexOf(tag, colon + 1);
      if (found >= 0 && found < cut) cut = found;
    }
    if (cut >= text.size() - 1) break;
    rows.append(text.mid(start, cut - start).toString());
    start = cut;
  }
  if (start < text.size()) rows.append(text.mid(start).toString());
}

void Split(benchmark::State& state, bool literal) {
  const QString& text = Loaded().lf_texts.at(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    LogLines rows;
    if (literal) {
      LiteralSplitAtHeaderTags(text, Loaded().tags, rows);
    } else {
      SplitAtHeaderTags(text, Loaded().tags, rows);
    }
    benchmark::DoNotOptimize(rows.size());
  }
}

std::string Describe(const Loaded_& loaded) {
  qsizetype qso_rows = 0;
  for (const QString& row : loaded.rows) qso_rows += IsQsoRow(row) ? 1 : 0;
  return std::to_string(loaded.rows_read) + " rows read, " + std::to_string(loaded.rows.size()) +
         " after the passes, " + std::to_string(qso_rows) + " QSO rows" +
         (loaded.passes.uneven_lengths ? ", uneven lengths reported" : "");
}

void Prepare(int argc, char** argv) {
  Data& data = Loaded();
  data.raw_log = DataPath(argc, argv, "rawlog", "rawlog.txt");
  data.lf_log = DataPath(argc, argv, "lflog", "lflog.log");
  data.tags = LoadHeaderTags(ProgramFile("CabHeader.dat"));
  if (data.tags.isEmpty()) Fail(QStringLiteral("no header tags in the program folder"));
  AddNote(data.raw_log.toStdString() + ": " + Describe(LoadAsTheEditorDoes(data.raw_log)));
  AddNote(data.lf_log.toStdString() + ": " + Describe(LoadAsTheEditorDoes(data.lf_log)));

  TextLineReader reader(LineEnds::kCrLfOrCr, TextSource::kLog);
  if (!reader.Open(data.lf_log, max_file_size::kLog).ok)
    Fail(data.lf_log + QStringLiteral(": cannot be read"));
  QString whole;
  reader.Next(whole);
  whole.remove(u'\n');
  for (const int rows : {1000, 2000, 7500, 15000, 30000}) {
    // The header's rows and `rows` QSO rows.
    qsizetype end = 0;
    for (int n = 0; n <= rows && end >= 0; ++n) end = whole.indexOf(QStringLiteral("QSO:"), end + 1);
    data.lf_texts[rows] = end < 0 ? whole : whole.left(end);
  }
  // The figures compare like with like only when both cut the same rows.
  for (const int rows : {1000, 2000}) {
    LogLines literal, cached;
    LiteralSplitAtHeaderTags(data.lf_texts[rows], data.tags, literal);
    SplitAtHeaderTags(data.lf_texts[rows], data.tags, cached);
    if (literal != cached) Fail(QStringLiteral("the literal tag search cuts differently"));
  }
}

}  // namespace
}  // namespace tovek::bench

int main(int argc, char** argv) {
  using namespace tovek::bench;
  QCoreApplication app(argc, argv);
  Prepare(argc, argv);
  const Data& data = Loaded();
  const auto ms = benchmark::kMillisecond;
  benchmark::RegisterBenchmark("editing/load_32767_rows", Load, &data.raw_log)->Unit(ms);
  benchmark::RegisterBenchmark("editing/floor_32767_rows", Floor, &data.raw_log,
                               tovek::LineEnds::kCrLfOrCr)
      ->Unit(ms);
  benchmark::RegisterBenchmark("editing/load_lf_only", Load, &data.lf_log)->Unit(ms);
  // The LF-only log's lines are those its lone LFs end.
  benchmark::RegisterBenchmark("editing/floor_lf_only", Floor, &data.lf_log,
                               tovek::LineEnds::kCrLfCrOrLf)
      ->Unit(ms);
  benchmark::RegisterBenchmark("editing/split_lf_only", Split, false)
      ->Arg(7500)
      ->Arg(15000)
      ->Arg(30000)
      ->Unit(ms);
  benchmark::RegisterBenchmark("editing/literal_split_lf_only", Split, true)
      ->Arg(1000)
      ->Arg(2000)
      ->Unit(ms)
      ->Iterations(1);
  AddRatio({"editing: 32,767-row damaged log, read + 5 passes / floor",
            "editing/load_32767_rows", "editing/floor_32767_rows", 5});
  AddRatio({"editing: LF-only log of 30,000 QSO rows, read + 5 passes / floor",
            "editing/load_lf_only", "editing/floor_lf_only", 5});
  AddRatio({"SplitAtHeaderTags, twice the rows (30,000 / 15,000; 2 is linear)",
            "editing/split_lf_only/30000", "editing/split_lf_only/15000"});
  AddRatio({"literal tag search, twice the rows (2,000 / 1,000; 4 is quadratic)",
            "editing/literal_split_lf_only/2000", "editing/literal_split_lf_only/1000"});
  AddRatio({"literal tag search on 2,000 rows / SplitAtHeaderTags on 30,000",
            "editing/literal_split_lf_only/2000", "editing/split_lf_only/30000"});
  return RunWithRatios(argc, argv);
}
