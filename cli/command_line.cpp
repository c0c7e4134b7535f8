#include "cli/command_line.h"

#include <algorithm>

#include "common/file_output.h"

namespace tovek::cli {
namespace {

const QString kHelpOption = QStringLiteral("--help");

void PrintOverview(QTextStream& out) {
  out << "Usage: tovek COMMAND [OPTIONS] [ARGUMENTS]\n\n"
         "The TOVEK contest tools without windows. Commands:\n";
  // The summaries start in one column, a blank or more behind the longest name.
  qsizetype width = 0;
  for (const Command& command : Commands()) width = std::max(width, command.name.size());
  for (const Command& command : Commands()) {
    out << "  " << command.name.leftJustified(width + 2) << command.summary << '\n';
  }
  out << "\nRun 'tovek COMMAND --help' for a command's options and output.\n"
         "Every command exits with 1 when its standard output cannot be written.\n";
}

}  // namespace

std::optional<Arguments> Arguments::Parse(const QStringList& args,
                                          const QStringList& value_options,
                                          const QStringList& flag_options, QString& error) {
  Arguments parsed;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (arg == u"--") {
      parsed.operands_ += args.mid(i + 1);
      break;
    }
    if (!arg.startsWith(u"--")) {
      parsed.operands_.append(arg);
      continue;
    }
    const qsizetype equals = arg.indexOf(u'=');
    const QString name = equals < 0 ? arg : arg.left(equals);
    if (flag_options.contains(name) && equals < 0) {
      parsed.options_.emplace_back(name, QString());
    } else if (value_options.contains(name)) {
      if (equals >= 0) {
        parsed.options_.emplace_back(name, arg.mid(equals + 1));
      } else if (i + 1 < args.size()) {
        parsed.options_.emplace_back(name, args[++i]);
      } else {
        error = QStringLiteral("option %1 needs a value").arg(name);
        return std::nullopt;
      }
    } else {
      error = QStringLiteral("unknown option %1").arg(name);
      return std::nullopt;
    }
  }
  return parsed;
}

QString Arguments::Value(const QString& option, const QString& fallback) const {
  const QStringList values = Values(option);
  return values.isEmpty() ? fallback : values.last();
}

QStringList Arguments::Values(const QString& option) const {
  QStringList values;
  for (const auto& [name, value] : options_) {
    if (name == option) values.append(value);
  }
  return values;
}

bool Arguments::Has(const QString& option) const {
  return std::any_of(options_.begin(), options_.end(),
                     [&](const auto& entry) { return entry.first == option; });
}

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {ResolveCommand(), LoadCommand(),
                                                Adif2CbrCommand(), ScoreCommand(),
                                                CheckCommand(), CabrilloCommand(),
                                                ResultsCommand(), CrossCheckCommand(),
                                                PublishCommand()};
  return commands;
}

bool OutputFailed(CommandIo& io, const QString& command) {
  io.out.flush();
  if (io.out.status() == QTextStream::Ok) return false;
  const QIODevice* device = io.out.device();
  const QString reason = device ? DeviceFailure(*device).error : QString();
  io.err << command << ": standard output: "
         << (reason.isEmpty() || reason == QStringLiteral("Unknown error")
                 ? QStringLiteral("the output could not be written")
                 : reason)
         << '\n';
  io.err.flush();
  // Said once: what was not written is dropped, the stream is clear again.
  io.out.resetStatus();
  return true;
}

namespace {

int RunCommand(const QStringList& args, CommandIo& io) {
  if (args.isEmpty()) {
    PrintOverview(io.err);
    return kUsageError;
  }
  const QString& name = args.first();
  if (name == u"help" || name == kHelpOption || name == u"-h") {
    if (args.size() > 1) return RunCommand({args[1], kHelpOption}, io);
    PrintOverview(io.out);
    return kSuccess;
  }
  for (const Command& command : Commands()) {
    if (command.name != name) continue;
    const QStringList rest = args.mid(1);
    if (rest.contains(kHelpOption)) {
      io.out << command.usage;
      return kSuccess;
    }
    return command.run(rest, io);
  }
  io.err << "tovek: unknown command '" << name << "'\n\n";
  PrintOverview(io.err);
  return kUsageError;
}

}  // namespace

int RunTovek(const QStringList& args, CommandIo& io) {
  const int status = RunCommand(args, io);
  const QString name = args.isEmpty() || args.first().startsWith(u'-')
                           ? QStringLiteral("tovek")
                           : QStringLiteral("tovek ") + args.first();
  return OutputFailed(io, name) ? kRefused : status;
}

}  // namespace tovek::cli
