// The rows of a log as the field layout reader takes them: the header scan
// (CabTempRead), the records cut at the basic layout (CabRead), and the
// Cabrillo 2.0 lines written from them, read back by the score calculator's
// reader, which takes the band and the worked call from fixed columns.
#include "calculator/log_reader.h"
#include "calculator/text_rules.h"
#include "editor/cabrillo_reader.h"
#include "editor/cabrillo_writer.h"
#include "editor/kavrel_settings.h"
#include "editor/log_lines.h"
#include "common/output_names.h"
#include "fuzz/fuzz_support.h"

using namespace tovek;
using namespace tovek::fuzz;

namespace {

FieldLayout BasicLayout() {
  KavrelSettings settings;
  SettingsFile(QString(), KavrelSettingKeys(settings, QDate(2026, 9, 1)),
               DefaultsRule::kApplyDefaults)
      .Load();
  return settings.layout;
}

// The rows a reading gives, without the file: each line as the editor adds it.
LogLines RowsOf(const QByteArray& bytes) {
  TextLineReader reader(LineEnds::kCrLfOrCr, TextSource::kLog);
  reader.OpenBytes(bytes);
  LogLines rows;
  QString line;
  while (reader.Next(line)) AddLogLine(line, ShippedHeaderTags(), rows);
  return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FieldLayout layout = BasicLayout();
  const LogLines rows = RowsOf(Bytes(data, size));

  HeaderScan scan = CabTempRead(rows, ShippedPrefixes());
  if (!scan.sample_row.isEmpty()) {
    const qsizetype colon = scan.sample_row.indexOf(u':');
    FUZZ_EXPECT(colon >= 0 && scan.sample_row.left(colon).toUpper().trimmed() == u"QSO");
  }
  LogSummary& summary = scan.summary;
  FillSummaryDefaults(summary);
  IncompleteSummaryMessage(summary);
  const OutputName name = OutputNameOf(summary.call_sign);
  if (name.Ok()) {
    FUZZ_EXPECT(!name.base.contains(u'/') && !name.base.contains(u'\\') &&
                !name.base.contains(QStringLiteral("..")));
  }

  NoProgress progress;
  const QsoReadOutcome read = ReadQsoRecords(rows, layout, progress);
  FUZZ_EXPECT(read.records.size() <= kMaxLogRows);
  if (!read.ok) FUZZ_EXPECT(read.failed_row >= 0 && !read.error.isEmpty());

  const QStringList lines = CabrilloLines(summary, read.records);
  FUZZ_EXPECT(lines.size() == 13 + read.records.size() + 1);
  for (const QsoRecord& record : read.records) FUZZ_EXPECT(QsoLine(record).size() == 75);

  // The calculator reads what the editor wrote: one QSO per record, the
  // band and the worked call from their columns.
  QByteArray file;
  for (const QString& line : lines) file += EncodeCp932(line) + "\r\n";
  const LogRead log = ReadLogBytes(file);
  FUZZ_EXPECT(log.status == LogRead::Status::kRead);
  FUZZ_EXPECT(log.qsos.size() == read.records.size());
  // The calculator reads a file whose bytes all happen to be valid UTF-8 (a
  // call of half-width katakana pairs can make them so) as UTF-8: compare
  // with the line as it decodes it.
  const bool utf8 = DetectLogEncoding(file) == TextEncoding::kUtf8;
  for (qsizetype i = 0; i < log.qsos.size(); ++i) {
    const QByteArray bytes = EncodeCp932(QsoLine(read.records[i]));
    const QString written = utf8 ? QString::fromUtf8(bytes) : DecodeCp932(bytes);
    FUZZ_EXPECT(log.qsos[i].band == BandOfFrequency(written.mid(5, 5)));
    FUZZ_EXPECT(log.qsos[i].call == CallSignText(written.mid(54, 12)));
  }
  return 0;
}
