// tovek resolve: call signs to entity, continent and operating prefix.
#include <QDir>

#include "cli/command_inputs.h"
#include "cli/command_line.h"
#include "common/call_resolution.h"
#include "common/prefix_table.h"
#include "common/text_file.h"

namespace tovek::cli {
namespace {

const QString kUsage =
    QStringLiteral(
        "Usage: tovek resolve [--cty FILE] [--partial-cty] [CALL...]\n\n"
        "Resolves call signs as the editor and the score calculator do. The calls are\n"
        "the arguments or, when there are none, the lines of standard input (trimmed;\n"
        "empty lines are passed over). Prints one line per call:\n\n"
        "  CALL<TAB>ENTITY<TAB>CONTINENT<TAB>PORTABLE\n\n"
        "ENTITY and CONTINENT are empty when the call does not resolve, PORTABLE when no\n"
        "rule gives an operating prefix. Calls are compared as written (case matters).\n\n"
        "  --cty FILE   the prefix file (default: Cty.dat in the program folder)\n") +
    PartialCtyUsage(15) +
    QStringLiteral(
        "\nExit status: 0 done, 1 prefix file missing or unreadable (also one that stops\n"
        "at a bad line, unless --partial-cty), 2 usage error.\n");

void PrintResolution(QTextStream& out, const PrefixTable& table, const QString& call) {
  const DxccResult result = DxccCheck(table, call);
  const QStringList fields = {call, result.cty, result.cnt, PortablePrefix(call)};
  for (qsizetype i = 0; i < fields.size(); ++i) out << (i ? "\t" : "") << PlainText(fields[i]);
  out << '\n';
}

int Run(const QStringList& args, CommandIo& io) {
  QString error;
  const auto parsed = Arguments::Parse(args, {QStringLiteral("--cty")}, {kPartialCtyOption}, error);
  if (!parsed) {
    io.err << "tovek resolve: " << error << "\n" << kUsage;
    return kUsageError;
  }
  PrefixTable table;
  if (const int loaded = LoadPrefixFile(*parsed, io, table); loaded != kSuccess) return loaded;
  if (!parsed->Operands().isEmpty()) {
    for (const QString& call : parsed->Operands()) PrintResolution(io.out, table, call);
    return kSuccess;
  }
  QString line;
  while (io.in.readLineInto(&line)) {
    const QString call = line.trimmed();
    if (!call.isEmpty()) PrintResolution(io.out, table, call);
  }
  return kSuccess;
}

}  // namespace

Command ResolveCommand() {
  return {QStringLiteral("resolve"),
          QStringLiteral("call signs to entity, continent and operating prefix"), kUsage, Run};
}

}  // namespace tovek::cli
