// An ADIF log as the converter reads it, its columns set up from record 1,
// and the Cabrillo 3.0 file written from it.
#include <QDir>

#include "converter/adif_reader.h"
#include "converter/cabrillo3_writer.h"
#include "fuzz/fuzz_support.h"

using namespace tovek;
using namespace tovek::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = ScratchFile(QStringLiteral("log.adi"), Bytes(data, size));
  const AdifReadOutcome read = AdifRead(path);
  FUZZ_EXPECT(read.file.ok);
  FUZZ_EXPECT(read.records.size() <= kMaxAdifRecords);
  for (const QString& record : read.records) {
    FUZZ_EXPECT(record.endsWith(QStringLiteral("<EOR>")) &&
                record.contains(QStringLiteral("<CALL:")));
  }

  const AdifSetup set = AdifSet(read.records);
  ConversionSetup setup;
  setup.sources = set.sources;
  // The station call from the first field that gives one, as a user picks it.
  for (const QString& name : set.names) {
    if (!read.records.isEmpty() &&
        !AdifFieldValue(read.records.first(), name).trimmed().isEmpty()) {
      setup.sources[Index(QsoColumn::kMyCall)] = ColumnSource::Field(name);
      break;
    }
  }
  setup.header.choices = {"TOVEK-WW-RTTY", "SINGLE-OP", "ALL", "RTTY", "HIGH", "FIXED"};
  setup.output_folder = ScratchFolder().path();
  for (const QsoColumn column : kQsoColumns) ColumnSample(read.records, setup, column);

  NoProgress progress;
  const QStringList lines = CbrLines(read.records, setup, progress);
  FUZZ_EXPECT(lines.size() == 18 + read.records.size());
  const ConvertCheck check = CheckConversion(read.records, setup);
  const QString call = StationCall(read.records, setup);
  ConvertCheckMessage(check, call);
  ConvertQuestion(call);
  if (check == ConvertCheck::kReady) {
    const CbrOutcome out = CbrOut(read.records, setup, progress);
    FUZZ_EXPECT(out.file.ok && out.written);
    // The file lands in the output folder, never beside or above it.
    FUZZ_EXPECT(QFileInfo(out.path).absolutePath() == QDir(setup.output_folder).absolutePath());
    QFile::remove(out.path);
  }
  return 0;
}
