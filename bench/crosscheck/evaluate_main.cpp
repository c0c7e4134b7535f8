// tovek_crosscheck_evaluate: how right the cross-check's verdicts are on a
// contest whose truth is known (tovek_crosscheck_generate), under the
// committee's rules and two simpler checkers run by the same code, or for
// the --qsos output of any other run.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QTextStream>
#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <vector>

#include "calculator/crosscheck/contest_log.h"
#include "calculator/crosscheck/cross_check.h"
#include "common/progress.h"
#include "common/text_file.h"

namespace {

using tovek::crosscheck::CheckRules;
using tovek::crosscheck::ContestCheck;
using tovek::crosscheck::ContestLog;
using tovek::crosscheck::ContestQso;

const char kUsage[] =
    "Usage: tovek_crosscheck_evaluate DIR [--master FILE] [--start yyyy-mm-dd]\n"
    "                                 [--qsos FILE] [--examples N]\n\n"
    "Checks the logs of DIR/logs.txt in-process under three rule sets (ours, exact\n"
    "+-5 minutes, +-10 minutes with edit-distance-1 busts) and scores every verdict\n"
    "against DIR/truth.tsv and every clock against DIR/truth-clock.tsv.\n"
    "With --qsos, scores that file (tovek crosscheck --qsos output) instead.\n\n"
    "  --master FILE  the master call list (default: " TOVEK_MASTER_SCP
    ")\n"
    "  --start D      the first day of the contest (default 2026-09-26)\n"
    "  --examples N   mistakes shown of each kind (default 20)\n";

// The verdict words of the --qsos lines, by index.
const QStringList kVerdicts = {"OK",   "UNVERIFIED", "NIL",  "BUST", "XBUST",
                               "BAND", "UNIQUE",     "DUPE", "TIME"};
enum VerdictIndex { kOk, kUnverified, kNil, kBust, kXbust, kBand, kUnique, kDupe, kTime };
constexpr int kVerdictCount = 9;
constexpr int kMissing = kVerdictCount;  // a line the run gave no verdict

bool HasDetail(int verdict) { return verdict == kBust || verdict == kXbust || verdict == kBand; }
bool IsCreditedTruth(int verdict) {
  return verdict == kOk || verdict == kUnverified || verdict == kUnique;
}
// The verdicts that take a QSO away for a fault of its own log (DUPE costs
// nothing but the repeat).
bool IsPenalty(int verdict) {
  return verdict == kNil || verdict == kBust || verdict == kXbust || verdict == kBand ||
         verdict == kTime;
}

QString Key(const QString& call, int line) { return call + u'\t' + QString::number(line); }

// What the truth or a run says of one line.
struct Verdict {
  int verdict = kMissing;
  QString detail;
};

struct Truth {
  QStringList keys;  // "CALL\tLINE", in file order
  std::vector<Verdict> verdicts;
  QHash<QString, int> row_of_key;
  struct Clock {
    int offset = 0;
    int matchable = 0;
  };
  QHash<QString, Clock> clocks;
};

std::optional<QStringList> ReadLines(const QString& path, QTextStream& err) {
  // The generator's own files, as large as the contest made.
  const tovek::TextFileLines read =
      tovek::ReadTextLines(path, tovek::LineEnds::kCrLfCrOrLf, qint64{1} << 36);
  if (!read.outcome.ok) {
    err << path << ": " << read.outcome.error << '\n';
    return std::nullopt;
  }
  return read.lines;
}

std::optional<Truth> ReadTruth(const QString& folder, QTextStream& err) {
  const auto rows = ReadLines(QDir(folder).filePath("truth.tsv"), err);
  const auto clocks = ReadLines(QDir(folder).filePath("truth-clock.tsv"), err);
  if (!rows || !clocks) return std::nullopt;
  Truth truth;
  for (const QString& row : *rows) {
    const QStringList fields = row.split(u'\t');
    if (fields.size() != 4) continue;
    const QString key = Key(fields[0], fields[1].toInt());
    truth.row_of_key.insert(key, static_cast<int>(truth.keys.size()));
    truth.keys.append(key);
    truth.verdicts.push_back({static_cast<int>(kVerdicts.indexOf(fields[2])), fields[3]});
  }
  for (const QString& row : *clocks) {
    const QStringList fields = row.split(u'\t');
    if (fields.size() == 3) truth.clocks.insert(fields[0], {fields[1].toInt(), fields[2].toInt()});
  }
  return truth;
}

// One run's verdicts, lined up with the truth's rows.
struct Run {
  QString name;
  double seconds = -1;  // wall time of the check; -1 for a file
  std::vector<Verdict> verdicts;
  std::optional<ContestCheck> check;  // for the clocks and the pairing evidence
  int unknown_lines = 0;              // verdicts of lines the truth does not hold
};

void Place(Run& run, const Truth& truth, const QString& key, Verdict verdict) {
  const auto row = truth.row_of_key.find(key);
  if (row == truth.row_of_key.end()) {
    ++run.unknown_lines;
    return;
  }
  run.verdicts[static_cast<size_t>(*row)] = std::move(verdict);
}

Run CheckInProcess(const QString& name, const std::vector<ContestLog>& logs,
                   const tovek::crosscheck::KnownCalls& known, const CheckRules& rules,
                   const QDate& start, const Truth& truth) {
  Run run;
  run.name = name;
  run.verdicts.resize(truth.keys.size());
  tovek::NoProgress progress;
  QElapsedTimer timer;
  timer.start();
  run.check = tovek::crosscheck::CrossCheck(logs, known, rules, start, progress);
  run.seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
  for (size_t l = 0; l < logs.size(); ++l) {
    const auto& checks = run.check->logs[l].qsos;
    for (qsizetype q = 0; q < logs[l].qsos.size() && q < std::ssize(checks); ++q) {
      const auto& check = checks[static_cast<size_t>(q)];
      Place(run, truth, Key(logs[l].station, logs[l].qsos[q].line),
            {static_cast<int>(kVerdicts.indexOf(tovek::crosscheck::VerdictWord(check.verdict))),
             check.detail});
    }
  }
  return run;
}

std::optional<Run> ReadQsosFile(const QString& path, const Truth& truth, QTextStream& err) {
  const auto rows = ReadLines(path, err);
  if (!rows) return std::nullopt;
  Run run;
  run.name = QFileInfo(path).fileName();
  run.verdicts.resize(truth.keys.size());
  for (const QString& row : *rows) {
    const QStringList fields = row.split(u'\t');
    if (fields.size() < 3) continue;
    Place(run, truth, Key(fields[0], fields[1].toInt()),
          {static_cast<int>(kVerdicts.indexOf(fields[2])), fields.value(3)});
  }
  for (Verdict& verdict : run.verdicts) {
    if (verdict.verdict < 0) verdict.verdict = kMissing;
  }
  return run;
}

// The tallies of one run against the truth.
struct Score {
  std::array<std::int64_t, kVerdictCount> truth{};
  std::array<std::int64_t, kVerdictCount + 1> given{};
  std::array<std::int64_t, kVerdictCount> right{};
  std::array<std::int64_t, kVerdictCount> wrong_detail{};
  std::array<std::array<std::int64_t, kVerdictCount + 1>, kVerdictCount> confusion{};
  std::int64_t credited = 0;
  std::int64_t false_penalties = 0;
  std::int64_t penalised = 0;
  std::int64_t missed_penalties = 0;
};

Score Tally(const Truth& truth, const Run& run) {
  Score score;
  for (size_t i = 0; i < truth.verdicts.size(); ++i) {
    const Verdict& expected = truth.verdicts[i];
    const Verdict& given = run.verdicts[i];
    if (expected.verdict < 0) continue;
    const auto t = static_cast<size_t>(expected.verdict);
    const auto g = static_cast<size_t>(given.verdict);
    ++score.truth[t];
    ++score.given[g];
    ++score.confusion[t][g];
    if (t == g) {
      const bool detail_ok = !HasDetail(expected.verdict) || expected.detail == given.detail;
      ++(detail_ok ? score.right[t] : score.wrong_detail[t]);
    }
    if (IsCreditedTruth(expected.verdict)) {
      ++score.credited;
      if (IsPenalty(given.verdict)) ++score.false_penalties;
    } else if (IsPenalty(expected.verdict)) {
      ++score.penalised;
      if (given.verdict == kMissing || !IsPenalty(given.verdict)) ++score.missed_penalties;
    }
  }
  return score;
}

QString Share(std::int64_t part, std::int64_t whole) {
  if (whole == 0) return QStringLiteral("-");
  return QString::number(100.0 * static_cast<double>(part) / static_cast<double>(whole), 'f', 1) +
         u'%';
}

QString PerThousand(std::int64_t part, std::int64_t whole) {
  return whole == 0 ? QStringLiteral("-")
                    : QString::number(
                          1000.0 * static_cast<double>(part) / static_cast<double>(whole), 'f', 2);
}

void PrintScore(QTextStream& out, const Run& run, const Score& score) {
  out << "\n== " << run.name;
  if (run.seconds >= 0) out << ": the check took " << QString::number(run.seconds, 'f', 2) << " s";
  out << '\n';
  out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
             .arg(QStringLiteral("verdict"), -11)
             .arg(QStringLiteral("truth"), 8)
             .arg(QStringLiteral("given"), 8)
             .arg(QStringLiteral("right"), 8)
             .arg(QStringLiteral("detail"), 8)
             .arg(QStringLiteral("precision"), 10)
             .arg(QStringLiteral("recall"), 8);
  for (int v = 0; v < kVerdictCount; ++v) {
    const auto i = static_cast<size_t>(v);
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
               .arg(kVerdicts[v], -11)
               .arg(score.truth[i], 8)
               .arg(score.given[i], 8)
               .arg(score.right[i], 8)
               .arg(HasDetail(v) ? QString::number(score.wrong_detail[i]) : QStringLiteral("-"), 8)
               .arg(Share(score.right[i], score.given[i]), 10)
               .arg(Share(score.right[i], score.truth[i]), 8);
  }
  if (score.given[kMissing] > 0)
    out << "lines without a verdict: " << score.given[kMissing] << '\n';
  if (run.unknown_lines > 0)
    out << "verdicts of lines not in the truth: " << run.unknown_lines << '\n';
  out << "(detail: the verdict right, its call, number or band wrong)\n";
  out << "false penalties: " << PerThousand(score.false_penalties, score.credited)
      << " per 1,000 truly credited QSOs (" << score.false_penalties << " of " << score.credited
      << ")\n";
  out << "missed penalties: " << PerThousand(score.missed_penalties, score.penalised)
      << " per 1,000 truly penalised QSOs (" << score.missed_penalties << " of " << score.penalised
      << ")\n";
}

struct ClockMiss {
  QString call;
  int truth = 0;
  int found = 0;
  int evidence = 0;
};

void PrintClocks(QTextStream& out, const Run& run, const std::vector<ContestLog>& logs,
                 const Truth& truth, int examples) {
  int judged = 0;
  int right = 0;
  std::vector<ClockMiss> misses;
  for (size_t l = 0; l < logs.size(); ++l) {
    const auto clock = truth.clocks.find(logs[l].station);
    if (clock == truth.clocks.end() || clock->matchable < 20) continue;
    ++judged;
    const auto& model = run.check->logs[l].clock;
    if (std::abs(model.MainOffset() - clock->offset) <= 1) {
      ++right;
    } else {
      misses.push_back({logs[l].station, clock->offset, model.MainOffset(), model.evidence});
    }
  }
  out << "clocks: " << right << " of " << judged
      << " logs with 20 or more matchable QSOs within 1 minute of the truth ("
      << Share(right, judged) << ")\n";
  for (size_t i = 0; i < misses.size() && static_cast<int>(i) < examples; ++i) {
    out << QStringLiteral("  %1 ahead by %2 min, found %3 (from %4 QSOs)\n")
               .arg(misses[i].call, -12)
               .arg(misses[i].truth)
               .arg(misses[i].found)
               .arg(misses[i].evidence);
  }
}

void PrintConfusion(QTextStream& out, const Score& score) {
  out << "\nconfusion (rows: truth, columns: verdict given)\n" << QString(11, u' ');
  for (int g = 0; g <= kVerdictCount; ++g) {
    out << QStringLiteral("%1").arg(g == kMissing ? QStringLiteral("none") : kVerdicts[g], 11);
  }
  out << '\n';
  for (int t = 0; t < kVerdictCount; ++t) {
    out << QStringLiteral("%1").arg(kVerdicts[t], -11);
    for (int g = 0; g <= kVerdictCount; ++g) {
      out << QStringLiteral("%1").arg(
          score.confusion[static_cast<size_t>(t)][static_cast<size_t>(g)], 11);
    }
    out << '\n';
  }
}

// Where a line stands: its log and line, and the QSO as read.
struct LineRef {
  int log = -1;
  int qso = -1;
};

QString QsoText(const ContestQso& qso) {
  const QDateTime time = QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC)
                             .addSecs(static_cast<qint64>(qso.minute) * 60);
  return QStringLiteral("%1 %2 %3 %4")
      .arg(qso.Frequency().toString(), time.toString(QStringLiteral("yyyy-MM-dd HHmm")), qso.call,
           qso.ReceivedExchange().toString());
}

QString Evidence(const Run& run, const std::vector<ContestLog>& logs, const LineRef& ref) {
  if (!run.check || ref.log < 0) return {};
  const auto& check =
      run.check->logs[static_cast<size_t>(ref.log)].qsos[static_cast<size_t>(ref.qso)];
  if (check.other_log < 0) return QStringLiteral("; paired with nothing");
  const ContestLog& other = logs[static_cast<size_t>(check.other_log)];
  return QStringLiteral("; paired with %1 line %2 (%3), %4 min apart")
      .arg(other.station)
      .arg(other.qsos[check.other_qso].line)
      .arg(QsoText(other.qsos[check.other_qso]))
      .arg(check.time_difference);
}

void PrintExamples(QTextStream& out, const Truth& truth, const Run& run,
                   const std::vector<ContestLog>& logs, int examples) {
  QHash<QString, LineRef> refs;
  for (size_t l = 0; l < logs.size(); ++l) {
    for (qsizetype q = 0; q < logs[l].qsos.size(); ++q) {
      refs.insert(Key(logs[l].station, logs[l].qsos[q].line),
                  {static_cast<int>(l), static_cast<int>(q)});
    }
  }
  // Kinds of mistakes: a wrong verdict, or the right one with a wrong detail.
  std::map<std::pair<int, int>, std::vector<size_t>> kinds;
  for (size_t i = 0; i < truth.verdicts.size(); ++i) {
    const Verdict& expected = truth.verdicts[i];
    const Verdict& given = run.verdicts[i];
    if (expected.verdict < 0) continue;
    const bool wrong = expected.verdict != given.verdict ||
                       (HasDetail(expected.verdict) && expected.detail != given.detail);
    if (wrong) kinds[{expected.verdict, given.verdict}].push_back(i);
  }
  out << "\nmistakes of " << run.name << ", up to " << examples << " of each kind\n";
  for (const auto& [kind, rows] : kinds) {
    const QString given = kind.second == kMissing ? QStringLiteral("none") : kVerdicts[kind.second];
    out << "-- truth " << kVerdicts[kind.first] << ", given " << given << ": " << rows.size()
        << '\n';
    for (size_t n = 0; n < rows.size() && static_cast<int>(n) < examples; ++n) {
      const size_t row = rows[n];
      const LineRef ref = refs.value(truth.keys[static_cast<qsizetype>(row)]);
      QString text = truth.keys[static_cast<qsizetype>(row)];
      text.replace(u'\t', QStringLiteral(" line "));
      if (ref.log >= 0) {
        text +=
            QStringLiteral(" (%1)").arg(QsoText(logs[static_cast<size_t>(ref.log)].qsos[ref.qso]));
      }
      out << "  " << text << ": truth " << kVerdicts[kind.first] << ' '
          << truth.verdicts[row].detail << ", given " << given << ' ' << run.verdicts[row].detail
          << Evidence(run, logs, ref) << '\n';
    }
  }
}

struct Options {
  QString folder;
  QString master = QStringLiteral(TOVEK_MASTER_SCP);
  QDate start = QDate(2026, 9, 26);
  QString qsos;
  int examples = 20;
};

std::optional<Options> ParseOptions(const QStringList& args, QTextStream& err) {
  Options options;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (!arg.startsWith(QStringLiteral("--"))) {
      if (!options.folder.isEmpty()) return std::nullopt;
      options.folder = arg;
      continue;
    }
    if (i + 1 >= args.size()) return std::nullopt;
    const QString value = args[++i];
    if (arg == u"--master") {
      options.master = value;
    } else if (arg == u"--start") {
      options.start = QDate::fromString(value, Qt::ISODate);
    } else if (arg == u"--qsos") {
      options.qsos = value;
    } else if (arg == u"--examples") {
      options.examples = value.toInt();
    } else {
      err << "unknown option " << arg << '\n';
      return std::nullopt;
    }
  }
  if (options.folder.isEmpty() || !options.start.isValid()) return std::nullopt;
  return options;
}

std::vector<ContestLog> ReadLogs(const QString& folder, const QStringList& paths) {
  std::vector<ContestLog> logs;
  logs.reserve(static_cast<size_t>(paths.size()));
  for (const QString& path : paths) {
    if (path.trimmed().isEmpty()) continue;
    logs.push_back(tovek::crosscheck::ReadContestLog(QDir(folder).absoluteFilePath(path)));
  }
  return logs;
}

std::vector<std::pair<QString, CheckRules>> RuleSets() {
  CheckRules exact;
  exact.time_window = 5;
  exact.clock_correction = false;
  exact.bust_search = CheckRules::BustSearch::kNone;
  exact.band_errors = false;
  CheckRules edit = exact;
  edit.time_window = 10;
  edit.bust_search = CheckRules::BustSearch::kEditDistance1;
  return {
      {QStringLiteral("ours (the committee's rules)"), CheckRules()},
      {QStringLiteral("exact +-5 min (no clock correction, no bust search, no band errors)"),
       exact},
      {QStringLiteral("+-10 min and edit distance 1 (no clock correction, no band errors)"), edit}};
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  const std::optional<Options> options = ParseOptions(app.arguments().mid(1), err);
  if (!options) {
    err << kUsage;
    return 2;
  }
  const std::optional<Truth> truth = ReadTruth(options->folder, err);
  const auto paths = ReadLines(QDir(options->folder).filePath("logs.txt"), err);
  if (!truth || !paths) return 1;

  QElapsedTimer timer;
  timer.start();
  const std::vector<ContestLog> logs = ReadLogs(options->folder, *paths);
  std::int64_t lines = 0;
  for (const ContestLog& log : logs) lines += log.qsos.size();
  out << logs.size() << " logs, " << lines << " QSO lines read in "
      << QString::number(static_cast<double>(timer.nsecsElapsed()) / 1e9, 'f', 2)
      << " s; truth: " << truth->keys.size() << " lines\n";

  if (!options->qsos.isEmpty()) {
    const std::optional<Run> run = ReadQsosFile(options->qsos, *truth, err);
    if (!run) return 1;
    const Score score = Tally(*truth, *run);
    PrintScore(out, *run, score);
    PrintConfusion(out, score);
    PrintExamples(out, *truth, *run, logs, options->examples);
    return 0;
  }
  QString error;
  const std::optional<tovek::crosscheck::KnownCalls> known =
      tovek::crosscheck::ReadKnownCalls(options->master, error);
  if (!known) {
    err << options->master << ": " << error << '\n';
    return 1;
  }
  std::vector<Run> runs;
  for (const auto& [name, rules] : RuleSets()) {
    runs.push_back(CheckInProcess(name, logs, *known, rules, options->start, *truth));
    const Score score = Tally(*truth, runs.back());
    PrintScore(out, runs.back(), score);
    if (rules.clock_correction) PrintClocks(out, runs.back(), logs, *truth, options->examples);
  }
  const Score ours = Tally(*truth, runs.front());
  PrintConfusion(out, ours);
  PrintExamples(out, *truth, runs.front(), logs, options->examples);
  return 0;
}
