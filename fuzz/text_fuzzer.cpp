// The text rules under every reader: encoding detection and decoding, CP932
// encoding, the numeric value of a text, and the file names made from a call
// sign, which must never leave their folder.
#include <QDir>
#include <QFileInfo>
#include <cmath>

#include "common/legacy_numbers.h"
#include "common/text_file.h"
#include "converter/cabrillo3_writer.h"
#include "common/output_names.h"
#include "fuzz/fuzz_support.h"

using namespace tovek;
using namespace tovek::fuzz;

namespace {

void CheckFileName(const QString& call) {
  const QDir folder(QStringLiteral("/logs/EditLog"));
  const OutputName name = OutputNameOf(call);
  if (name.Ok()) {
    const QFileInfo file(folder.filePath(name.Cabrillo()));
    FUZZ_EXPECT(QDir::cleanPath(file.absolutePath()) == folder.path());
    FUZZ_EXPECT(file.fileName() == name.Cabrillo());
  } else {
    FUZZ_EXPECT(!RefusedCallSignMessage(call, name).isEmpty());
  }
  if (const std::optional<QString> base = CbrFileBaseName(call)) {
    const QFileInfo file(folder.filePath(*base + QStringLiteral(".cbr")));
    FUZZ_EXPECT(QDir::cleanPath(file.absolutePath()) == folder.path());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes = Bytes(data, size);
  const bool valid = IsValidUtf8(bytes);
  // (Qt drops a leading byte-order mark when it decodes.)
  if (valid) {
    FUZZ_EXPECT(QString::fromUtf8(bytes).toUtf8() ==
                (bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes));
  }
  const TextEncoding encoding = DetectLogEncoding(bytes);
  const QString text =
      encoding == TextEncoding::kUtf8 ? QString::fromUtf8(bytes) : DecodeCp932(bytes);
  // Encoding, decoding and encoding again gives the same bytes.
  const QByteArray encoded = EncodeCp932(text);
  FUZZ_EXPECT(EncodeCp932(DecodeCp932(encoded)) == encoded);

  const double value = NumericValue(text);
  FUZZ_EXPECT(std::isfinite(value));
  if (const std::optional<double> parsed = ParseDecimal(text)) FUZZ_EXPECT(!std::isnan(*parsed));
  if (std::isfinite(value)) {
    if (const auto small = ToInt16(value)) FUZZ_EXPECT(*small == RoundHalfEven(value));
    ToInt32(value);
  }

  CheckFileName(text);
  for (const QString& line : text.split(u'\n')) CheckFileName(line);
  return 0;
}
