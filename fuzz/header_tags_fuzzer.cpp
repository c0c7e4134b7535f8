// CabHeader.dat, the header tag list, and run-together rows cut at its tags.
#include <QDir>

#include "common/text_file.h"
#include "editor/log_lines.h"
#include "fuzz/fuzz_support.h"

using namespace tovek;
using namespace tovek::fuzz;

namespace {

// Cutting at tags keeps every character: the pieces, untrimmed, make up the
// text again.
void CheckSplit(const QString& text, const QStringList& tags) {
  LogLines pieces;
  SplitAtHeaderTags(text, tags, pieces);
  FUZZ_EXPECT(pieces.join(QString()) == text);
  for (const QString& piece : pieces) FUZZ_EXPECT(!piece.isEmpty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes = Bytes(data, size);
  const QStringList tags = LoadHeaderTags(ScratchFile(QStringLiteral("CabHeader.dat"), bytes));
  for (const QString& tag : tags) FUZZ_EXPECT(!tag.isEmpty() && tag == tag.trimmed());

  // The sample logs' run-together rows and the file's own lines, cut at the
  // file's tags.
  static const QStringList kRunTogether = {
      "START-OF-LOG: 3.0CALLSIGN: JA1XYZCONTEST: TOVEK-WW-RTTYCATEGORY: SINGLE-OP ALL HIGH",
      "SOAPBOX:QSO: 14080 RY 2026-09-26 0012 JA1XYZ 599 01 K1ABC 599 05",
      "NAME: Taro YamadaADDRESS: 1-2-3 Chiyoda:ADDRESS-CITY: TokyoEND-OF-LOG:",
      "::::",
      ":",
      "CALLSIGN:",
      "QSO: 14080 RY 2026-09-26 00:12 JA1XYZ"};
  for (const QString& text : kRunTogether) CheckSplit(text, tags);
  TextLineReader reader(LineEnds::kCrLfOrCr, TextSource::kLog);
  reader.OpenBytes(bytes);
  QString line;
  LogLines rows;
  for (int n = 0; n < 16 && reader.Next(line); ++n) {
    CheckSplit(line, tags);
    AddLogLine(line, tags, rows);
  }
  for (const QString& row : rows) FUZZ_EXPECT(!row.contains(u'\n') && !row.contains(u'\t'));
  return 0;
}
