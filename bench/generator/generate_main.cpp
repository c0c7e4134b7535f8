// tovek_bench_generate: writes the benchmarks' data, the same bytes for the
// same seed.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <map>

#include "bench/generator/bench_data.h"
#include "common/prefix_table.h"

namespace {

const char kUsage[] =
    "Usage: tovek_bench_generate [--scp FILE] [--cty FILE] [--seed N] COMMAND OPTIONS\n\n"
    "  contest --logs N --qsos M --out DIR   N entrant logs of about M QSOs each,\n"
    "                                        in the editor's Cabrillo layout\n"
    "  rawlog --rows N --out FILE            an entrant's damaged log of N rows\n"
    "  lflog --qsos N --out FILE             a log of N QSO rows with lone LF line ends\n"
    "  adif --records N --out FILE           an ADIF export of N records\n\n"
    "  --scp FILE  the call signs (default: " TOVEK_MASTER_SCP ")\n"
    "  --cty FILE  the prefix file (default: " TOVEK_CTY_DAT ")\n"
    "  --seed N    the seed (default 1)\n";

int Usage(QTextStream& err, const QString& problem) {
  err << "tovek_bench_generate: " << problem << "\n\n" << kUsage;
  return 2;
}

bool WriteFile(const QString& path, const QByteArray& bytes, QTextStream& err) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    err << path << ": " << file.errorString() << '\n';
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  QString command;
  std::map<QString, QString> options = {{"--scp", TOVEK_MASTER_SCP},
                                        {"--cty", TOVEK_CTY_DAT},
                                        {"--seed", "1"}};
  const QStringList args = app.arguments().mid(1);
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (args[i].startsWith(QStringLiteral("--"))) {
      if (i + 1 >= args.size()) return Usage(err, args[i] + QStringLiteral(" needs a value"));
      options[args[i]] = args[i + 1];
      ++i;
    } else if (command.isEmpty()) {
      command = args[i];
    } else {
      return Usage(err, QStringLiteral("unexpected ") + args[i]);
    }
  }
  const auto number = [&](const QString& option, qint64 fallback) {
    const auto found = options.find(option);
    if (found == options.end()) return fallback;
    bool ok = false;
    const qint64 value = found->second.toLongLong(&ok);
    return ok && value > 0 ? value : -1;
  };
  const qint64 seed = number("--seed", 1);
  const QString target = options.count("--out") ? options["--out"] : QString();
  if (command.isEmpty() || target.isEmpty() || seed < 0) {
    return Usage(err, QStringLiteral("a COMMAND, --out and a positive --seed are needed"));
  }

  tovek::PrefixTable prefixes;
  const tovek::bench::PoolOutcome pool =
      tovek::bench::LoadCallPool(options["--scp"], options["--cty"], prefixes);
  if (!pool.error.isEmpty()) {
    err << pool.error << '\n';
    return 1;
  }

  if (command == u"contest") {
    tovek::bench::ContestShape shape;
    shape.seed = static_cast<std::uint64_t>(seed);
    shape.logs = static_cast<int>(number("--logs", shape.logs));
    shape.qsos = static_cast<int>(number("--qsos", shape.qsos));
    if (shape.logs < 1 || shape.logs > 32767 || shape.qsos < 1 || shape.qsos > 27000) {
      return Usage(err, QStringLiteral("--logs takes 1 to 32767, --qsos 1 to 27000"));
    }
    if (!QDir().mkpath(target)) {
      err << target << ": the folder could not be made\n";
      return 1;
    }
    tovek::bench::ContestFacts facts;
    const tovek::bench::WriteOutcome written =
        tovek::bench::WriteContest(target, shape, pool.pool, prefixes, facts);
    if (!written.ok) {
      err << written.error << '\n';
      return 1;
    }
    out << target << ": " << facts.logs << " logs, " << facts.qso_lines << " QSO lines, "
        << facts.bytes << " bytes; " << facts.duplicates << " duplicates, " << facts.portables
        << " portable calls, " << facts.unresolved << " unresolved calls, " << facts.out_of_band
        << " QSOs off the five bands; categories " << facts.categories.join(u',')
        << "; continents " << facts.continents.join(u',') << '\n';
    return 0;
  }
  if (command == u"rawlog") {
    tovek::bench::RawLogShape shape;
    shape.seed = static_cast<std::uint64_t>(seed);
    shape.rows = static_cast<int>(number("--rows", shape.rows));
    if (shape.rows < 30 || shape.rows > 32767) return Usage(err, "--rows takes 30 to 32767");
    tovek::bench::RawLogFacts facts;
    const QByteArray bytes = tovek::bench::RawLog(shape, pool.pool, facts);
    if (!WriteFile(target, bytes, err)) return 1;
    out << target << ": " << facts.lines << " rows as read, " << facts.qsos << " QSOs, "
        << bytes.size() << " bytes; " << facts.blank_rows << " blank, " << facts.doubled_rows
        << " doubled, " << facts.split_rows << " broken, " << facts.lf_joined_rows
        << " joined by a lone LF, " << facts.left_frequencies << " flush-left frequencies, "
        << facts.tabbed_rows << " with tabs, " << facts.ignored_qso_rows << " X-QSO, "
        << facts.colon_times << " times with a colon\n";
    return 0;
  }
  if (command == u"lflog") {
    const qint64 qsos = number("--qsos", 30000);
    if (qsos < 1 || qsos > 32000) return Usage(err, "--qsos takes 1 to 32000");
    const QByteArray bytes =
        tovek::bench::LfOnlyLog(static_cast<std::uint64_t>(seed), static_cast<int>(qsos),
                                pool.pool);
    if (!WriteFile(target, bytes, err)) return 1;
    out << target << ": " << qsos << " QSO rows with lone LF line ends, " << bytes.size()
        << " bytes\n";
    return 0;
  }
  if (command == u"adif") {
    const qint64 records = number("--records", 32767);
    if (records < 1 || records > 32767) return Usage(err, "--records takes 1 to 32767");
    tovek::bench::AdifFacts facts;
    const QByteArray bytes = tovek::bench::AdifLog(static_cast<std::uint64_t>(seed),
                                                   static_cast<int>(records), pool.pool, facts);
    if (!WriteFile(target, bytes, err)) return 1;
    out << target << ": " << facts.records << " records, " << bytes.size() << " bytes; "
        << facts.field_per_line_records << " one field per line, " << facts.lower_case_records
        << " in lower case\n";
    return 0;
  }
  return Usage(err, QStringLiteral("no command ") + command);
}
