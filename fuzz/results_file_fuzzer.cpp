// A results file as the score calculator opens it (ResultRead), saved again
// (ResultSave) and published: the ranking tables, files and award lists.
#include <QFile>

#include "calculator/award_writer.h"
#include "calculator/ranking_writer.h"
#include "calculator/result_table.h"
#include "calculator/results_file.h"
#include "fuzz/fuzz_support.h"

using namespace tovek;
using namespace tovek::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes = Bytes(data, size);
  const QString path = ScratchFile(QStringLiteral("results.rlt"), bytes);
  NoProgress progress;
  const ResultFileRead read = ResultRead(path, progress);
  if (!read.outcome.ok) {
    // A failed read shows no results.
    FUZZ_EXPECT(read.rows.isEmpty() && !read.outcome.error.isEmpty());
    return 0;
  }
  FUZZ_EXPECT(read.rows.size() == ResultRecordCount(bytes.size()));
  FUZZ_EXPECT(read.partial == (bytes.size() % kResultRecordSize != 0));

  // What was read is saved and read back unchanged.
  const QString copy = ScratchFolder().filePath(QStringLiteral("copy.rlt"));
  QFile::remove(copy);
  FUZZ_EXPECT(ResultSave(copy, read.rows, progress).ok);
  // An empty table writes no file at all.
  FUZZ_EXPECT(QFile::exists(copy) == !read.rows.isEmpty());
  if (read.rows.isEmpty()) return 0;
  const ResultFileRead again = ResultRead(copy, progress);
  FUZZ_EXPECT(again.outcome.ok && !again.partial);
  FUZZ_EXPECT(again.rows.size() == read.rows.size());
  for (qsizetype i = 0; i < read.rows.size(); ++i) {
    // Texts may lose what CP932 cannot hold; numbers and counts never change.
    const ResultRow& a = read.rows[i];
    const ResultRow& b = again.rows[i];
    FUZZ_EXPECT(EncodeResultRecord(a) == EncodeResultRecord(b));
    // The grid's cells give the row back as it was read.
    FUZZ_EXPECT(RowFromGridCells(GridCells(a), ResultRow()) == a);
  }

  const RankingTables tables = RankRows(read.rows);
  FUZZ_EXPECT(tables.TotalEntries() <= 3 * read.rows.size());
  for (const RankingReport& report : RankingReports()) {
    const QList<ResultRow>& list = ReportList(tables, report);
    const QStringList lines = RankingFileLines(QString::fromLatin1(report.title), list);
    FUZZ_EXPECT(lines.size() >= list.size());
  }
  for (const AwardFile& award : AwardFiles()) AwardFileLines(award, tables);
  return 0;
}
