// Cty.dat as the editor and the calculator load it, and the call sign
// resolution over whatever table it gave.
#include <QRegularExpression>
#include <QStringList>

#include "common/call_resolution.h"
#include "common/prefix_table.h"
#include "common/text_file.h"
#include "fuzz/fuzz_support.h"

using namespace tovek;
using namespace tovek::fuzz;

namespace {

// Every key found leads to the first entry of the file with that key, in
// the bucket of its first character.
void CheckIndex(const PrefixTable& table, PrefixTable::Part part) {
  for (int bucket = 0; bucket < PrefixTable::kBucketCount; ++bucket) {
    const QList<PrefixEntry>& entries = table.Bucket(part, bucket);
    FUZZ_EXPECT(entries.size() <= PrefixTable::kMaxBucketEntries);
    for (const PrefixEntry& entry : entries) {
      FUZZ_EXPECT(PrefixTable::BucketOf(entry.key) == bucket);
      const PrefixEntry* found = table.Find(part, entry.key);
      FUZZ_EXPECT(found && found->key == entry.key);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes = Bytes(data, size);
  const QString path = ScratchFile(QStringLiteral("Cty.dat"), bytes);
  PrefixTable table;
  EntityList entities;
  const PrefixLoadOutcome outcome = LoadPrefixTable(path, table, &entities);
  FUZZ_EXPECT(outcome.status != PrefixLoadOutcome::Status::kMissing);
  if (outcome.status == PrefixLoadOutcome::Status::kStopped) {
    FUZZ_EXPECT(outcome.line_number >= 1 && !outcome.error.isEmpty());
  }
  CheckIndex(table, PrefixTable::Part::kPrefix);
  CheckIndex(table, PrefixTable::Part::kExactCall);
  for (qsizetype i = 1; i < entities.size(); ++i) FUZZ_EXPECT(entities[i] != entities[i - 1]);

  // Calls of every shape the logs bring, and calls made of the file's own
  // lines, looked up in the table the file gave.
  QStringList calls = {"",          "/",         "//",        "JA1ABC",
                       "JA1ABC/3",  "W1/JA1ABC", "K1ABC/KH6", "JA1ABC/QRP",
                       "JA1ABC/MM", "A",         "3D2/R",     "VK9/JA1ABC/P"};
  static const QRegularExpression separators(QStringLiteral("[\r\n,;]"));
  const QStringList lines = DecodeCp932(bytes).split(separators);
  for (qsizetype i = 0; i < lines.size() && i < 64; ++i) calls.append(lines[i].trimmed());
  for (const QString& call : calls) {
    const DxccResult result = DxccCheck(table, call);
    // A call resolves only to an entity the file lists.
    if (result.Resolved()) FUZZ_EXPECT(entities.contains(result.cty));
    const QString prefix = PortablePrefix(call);
    FUZZ_EXPECT(prefix.size() <= call.size() + 1);
  }
  return 0;
}
