// The `tovek` command line: one entry point over the same domain code as the
// windows, so that scripts and tests drive it without a process.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <optional>
#include <vector>

namespace tovek::cli {

enum ExitStatus { kSuccess = 0, kRefused = 1, kUsageError = 2 };

// Where a command reads and writes, and the program folder it takes its
// default data files from.
struct CommandIo {
  QTextStream& in;
  QTextStream& out;
  QTextStream& err;
  QString program_folder;
};

// Options and operands of one command. Options are "--name VALUE" (or
// "--name=VALUE"); a repeated option keeps every value in order.
class Arguments {
 public:
  // Splits `args`; `value_options` names the options that take a value and
  // `flag_options` those that do not. Anything else starting with "--" is an
  // error, reported in `error`.
  static std::optional<Arguments> Parse(const QStringList& args, const QStringList& value_options,
                                        const QStringList& flag_options, QString& error);

  QString Value(const QString& option, const QString& fallback = {}) const;
  QStringList Values(const QString& option) const;
  bool Has(const QString& option) const;
  const QStringList& Operands() const { return operands_; }

 private:
  std::vector<std::pair<QString, QString>> options_;
  QStringList operands_;
};

struct Command {
  QString name;
  QString summary;  // one line for `tovek help`
  QString usage;    // the full description for `tovek COMMAND --help`
  std::function<int(const QStringList& args, CommandIo& io)> run;
};

// Every command, in the order `tovek help` lists them.
const std::vector<Command>& Commands();

// Flushes standard output and tells whether a write to it failed (a full
// disk, a closed pipe): then the reason goes to standard error, prefixed with
// `command`, and the command must exit with kRefused: its output is cut.
bool OutputFailed(CommandIo& io, const QString& command);

// Runs `tovek` with its arguments (without the program name). A command
// whose output could not be written exits with kRefused.
int RunTovek(const QStringList& args, CommandIo& io);

// Commands, one file each.
Command ResolveCommand();
Command LoadCommand();
Command Adif2CbrCommand();
Command ScoreCommand();
Command CheckCommand();
Command CabrilloCommand();
Command ResultsCommand();
Command CrossCheckCommand();
Command PublishCommand();

}  // namespace tovek::cli
