// tovek_crosscheck_generate: a simulated contest with its truth, for
// measuring the cross-check; the same files for the same seed.
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>
#include <map>

#include "bench/crosscheck/contest_simulation.h"
#include "common/prefix_table.h"

namespace {

const char kUsage[] =
    "Usage: tovek_crosscheck_generate --out DIR [--logs N] [--seed S] [--start yyyy-mm-dd]\n"
    "                                 [--scp FILE] [--cty FILE]\n\n"
    "Simulates a 48-hour RTTY contest on the air and writes the logs that N of its\n"
    "stations sent (DIR/logs/CALL.cbr, both Cabrillo layouts), their list\n"
    "(DIR/logs.txt), the verdict every QSO line deserves (DIR/truth.tsv, as\n"
    "tovek crosscheck --qsos writes them), each log's clock offset\n"
    "(DIR/truth-clock.tsv) and what was injected (DIR/truth-summary.txt).\n\n"
    "  --logs N    logs sent (default 300)\n"
    "  --seed S    the seed (default 1)\n"
    "  --start D   the first day of the contest (default 2026-09-26)\n"
    "  --scp FILE  the master call list (default: " TOVEK_MASTER_SCP
    ")\n"
    "  --cty FILE  the prefix file (default: " TOVEK_CTY_DAT ")\n";

int Usage(QTextStream& err, const QString& problem) {
  err << "tovek_crosscheck_generate: " << problem << "\n\n" << kUsage;
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  std::map<QString, QString> options = {{"--scp", TOVEK_MASTER_SCP},
                                        {"--cty", TOVEK_CTY_DAT},
                                        {"--seed", "1"},
                                        {"--logs", "300"},
                                        {"--start", "2026-09-26"}};
  const QStringList args = app.arguments().mid(1);
  for (qsizetype i = 0; i < args.size(); i += 2) {
    if (!options.count(args[i]) && args[i] != u"--out") return Usage(err, "unknown " + args[i]);
    if (i + 1 >= args.size()) return Usage(err, args[i] + QStringLiteral(" needs a value"));
    options[args[i]] = args[i + 1];
  }
  tovek::bench::SimulationShape shape;
  bool seed_ok = false;
  bool logs_ok = false;
  shape.seed = options["--seed"].toULongLong(&seed_ok);
  shape.logs = options["--logs"].toInt(&logs_ok);
  shape.start = QDate::fromString(options["--start"], Qt::ISODate);
  const QString folder = options.count("--out") ? options["--out"] : QString();
  if (folder.isEmpty()) return Usage(err, QStringLiteral("--out is needed"));
  if (!seed_ok || !logs_ok || shape.logs < 2 || shape.logs > 20000 || !shape.start.isValid()) {
    return Usage(err, QStringLiteral("--seed takes a number, --logs 2 to 20000, --start a date"));
  }

  tovek::PrefixTable prefixes;
  const tovek::bench::PoolOutcome pool =
      tovek::bench::LoadCallPool(options["--scp"], options["--cty"], prefixes);
  if (!pool.error.isEmpty()) {
    err << pool.error << '\n';
    return 1;
  }
  const tovek::bench::SimulatedContest contest =
      tovek::bench::SimulateContest(shape, pool.pool, prefixes);
  if (!contest.error.isEmpty()) {
    err << contest.error << '\n';
    return 1;
  }
  if (const tovek::bench::WriteOutcome written =
          tovek::bench::WriteSimulatedContest(folder, contest);
      !written.ok) {
    err << written.error << '\n';
    return 1;
  }
  const QStringList faults = tovek::bench::CheckTruth(folder, contest);
  const QStringList summary = tovek::bench::SummaryLines(contest, faults);
  const QString summary_path = QDir(folder).filePath(QStringLiteral("truth-summary.txt"));
  if (const tovek::bench::WriteOutcome written =
          tovek::bench::WriteReportLines(summary_path, summary);
      !written.ok) {
    err << written.error << '\n';
    return 1;
  }
  out << summary.join(u'\n') << '\n';
  return faults.isEmpty() ? 0 : 1;
}
