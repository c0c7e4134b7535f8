// Tovek.are as the score calculator loads it, and the area lookups of
// calls of every shape over whatever table it gave.
#include <QStringList>
#include <algorithm>

#include "calculator/area_table.h"
#include "calculator/scoring.h"
#include "common/text_file.h"
#include "fuzz/fuzz_support.h"

using namespace tovek;
using namespace tovek::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes = Bytes(data, size);
  AreaTable table;
  const AreaLoadOutcome outcome =
      LoadAreaFile(ScratchFile(QString::fromLatin1(kAreaFileName), bytes), table);
  FUZZ_EXPECT(outcome.status == AreaLoadOutcome::Status::kLoaded);
  for (const AreaEntry& entry : table.Entries()) {
    FUZZ_EXPECT(!entry.token.isEmpty() && !entry.token.contains(u' '));
    FUZZ_EXPECT(entry.area.size() <= 3);
    const QString* found = table.Find(entry.token);
    FUZZ_EXPECT(found != nullptr);
  }

  QStringList calls = {"",         "/",        "JA1ABC",  "JA1ABC/3",  "JA1ABC/QRP", "K1ABC",
                       "W6/K1ABC", "VE3XYZ/7", "VK2AB/P", "KH6/K1ABC", "J/A",        "K/1"};
  const QStringList tokens = DecodeCp932(bytes).split(u' ', Qt::SkipEmptyParts);
  for (qsizetype i = 0; i < tokens.size() && i < 64; ++i) {
    calls.append(tokens[i]);
    calls.append(tokens[i] + u'/' + QString::number(i % 10));
  }
  for (const QString& call : calls) {
    const QString area = LookupArea(table, call, QStringLiteral("?"));
    FUZZ_EXPECT(area == u"?" ||
                table.Entries().end() !=
                    std::find_if(table.Entries().begin(), table.Entries().end(),
                                 [&](const AreaEntry& e) { return e.area == area; }));
    AreaOfStation(table, call, QString());
  }
  return 0;
}
