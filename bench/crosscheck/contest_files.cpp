// The simulated contest on disk: the entrants' logs in both Cabrillo
// layouts, the file list, the truth, and the check that what was written
// bears the truth out.
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <algorithm>
#include <unordered_set>

#include "bench/crosscheck/contest_simulation.h"
#include "common/text_file.h"
#include "editor/cabrillo_writer.h"

namespace tovek::bench {
namespace {

// The generator's own files are as large as the contest it made.
constexpr qint64 kGeneratedFileLimit = qint64{1} << 36;

const Station& StationOf(const SimulatedContest& contest, const EntrantLog& log) {
  return contest.stations[static_cast<size_t>(log.station)];
}

QString ClaimedScore(const EntrantLog& log) { return QString::number(log.lines.size() * 3); }

QDateTime LoggedTime(const QDate& start, int minute) {
  return QDateTime(start, QTime(0, 0), Qt::UTC).addSecs(static_cast<qint64>(minute) * 60);
}

// The log editor's file: thirteen header lines and the fixed 75-character
// QSO line.
QStringList FixedLayoutLines(const SimulatedContest& contest, const EntrantLog& log) {
  const Station& station = StationOf(contest, log);
  LogSummary summary;
  summary.call_sign = station.call;
  summary.category = log.category;
  summary.continent = station.continent;
  summary.operators = station.call;
  summary.name = QStringLiteral("Operator of ") + station.call;
  summary.address = QStringLiteral("1 Main Street <LF> Springfield");
  summary.claimed_score = ClaimedScore(log);
  summary.created_by = QStringLiteral("TOVEK Kavrel");
  QsoList records;
  records.reserve(static_cast<qsizetype>(log.lines.size()));
  for (const LogLine& line : log.lines) {
    QsoRecord record;
    record.band = QStringLiteral("%1").arg(line.khz, 5);
    record.mode = QStringLiteral("RY");
    record.qso_time = LoggedTime(contest.shape.start, line.logged_minute);
    record.my_call = station.call;
    record.sent_rst = QStringLiteral("599");
    record.sent_rpt = station.exchange;
    record.his_call = line.call;
    record.rcvd_rst = QStringLiteral("599");
    record.rcvd_rpt = line.received_exchange;
    records.append(std::move(record));
  }
  return CabrilloLines(summary, records);
}

// A Cabrillo 3.0 file as contest loggers write it: fields apart by one
// blank.
QStringList FreeLayoutLines(const SimulatedContest& contest, const EntrantLog& log) {
  const Station& station = StationOf(contest, log);
  const bool multi = log.category == u"MO";
  QStringList lines = {
      QStringLiteral("START-OF-LOG: 3.0"),
      QStringLiteral("CONTEST: TOVEK-WW-RTTY"),
      QStringLiteral("CALLSIGN: ") + station.call,
      QStringLiteral("CATEGORY-OPERATOR: ") + (multi ? "MULTI-OP" : "SINGLE-OP"),
      QStringLiteral("CATEGORY-BAND: ALL"),
      QStringLiteral("CATEGORY-MODE: RTTY"),
      QStringLiteral("CATEGORY-POWER: ") + (log.category == u"SOLP" ? "LOW" : "HIGH"),
      QStringLiteral("CATEGORY: ") + log.category,
      QStringLiteral("ARRL-SECTION: ") + station.continent,
      QStringLiteral("CLAIMED-SCORE: ") + ClaimedScore(log),
      QStringLiteral("OPERATORS: ") + station.call,
      QStringLiteral("NAME: Operator of ") + station.call,
      QStringLiteral("CREATED-BY: RTTY Logger 2.4"),
  };
  for (const LogLine& line : log.lines) {
    const QDateTime time = LoggedTime(contest.shape.start, line.logged_minute);
    lines.append(QStringLiteral("QSO: %1 RY %2 %3 %4 599 %5 %6 599 %7")
                     .arg(QString::number(line.khz), time.toString(QStringLiteral("yyyy-MM-dd")),
                          time.toString(QStringLiteral("HHmm")), station.call, station.exchange,
                          line.call, line.received_exchange));
  }
  lines.append(QStringLiteral("END-OF-LOG:"));
  return lines;
}

QStringList LogFileLines(const SimulatedContest& contest, const EntrantLog& log) {
  return log.fixed_layout ? FixedLayoutLines(contest, log) : FreeLayoutLines(contest, log);
}

// The 1-based file line of a log's first QSO line.
int FirstQsoLine(const QStringList& file_lines) {
  for (qsizetype i = 0; i < file_lines.size(); ++i) {
    if (file_lines[i].startsWith(QStringLiteral("QSO:"))) return static_cast<int>(i) + 1;
  }
  return 0;
}

QString LogsFolder(const QString& folder) { return QDir(folder).filePath(QStringLiteral("logs")); }

// A QSO line read back: both layouts are fields apart by blanks, and no
// field of ours holds one.
struct ReadLine {
  int line_number = 0;
  int band = -1;
  int logged_minute = 0;
  QString my_call;
  QString sent_exchange;
  QString call;
  QString received_exchange;
};

struct ReadLog {
  QString station;
  std::vector<ReadLine> lines;
};

int BandOfKhz(int khz) {
  static constexpr int kEdges[kContestBandCount][2] = {
      {3500, 4000}, {7000, 7500}, {14000, 14500}, {21000, 21500}, {28000, 30000}};
  for (int band = 0; band < kContestBandCount; ++band) {
    if (khz >= kEdges[band][0] && khz < kEdges[band][1]) return band;
  }
  return -1;
}

std::optional<ReadLine> ParseLine(const QString& text, int line_number, const QDate& start) {
  const QStringList fields = text.mid(4).split(u' ', Qt::SkipEmptyParts);
  if (fields.size() != 10) return std::nullopt;
  const QDateTime time = QDateTime(QDate::fromString(fields[2], QStringLiteral("yyyy-MM-dd")),
                                   QTime::fromString(fields[3], QStringLiteral("HHmm")), Qt::UTC);
  if (!time.isValid()) return std::nullopt;
  ReadLine line;
  line.line_number = line_number;
  line.band = BandOfKhz(fields[0].toInt());
  line.logged_minute = static_cast<int>(QDateTime(start, QTime(0, 0), Qt::UTC).secsTo(time) / 60);
  line.my_call = fields[4];
  line.sent_exchange = fields[6];
  line.call = fields[7];
  line.received_exchange = fields[9];
  return line;
}

std::optional<ReadLog> ReadBack(const QString& path, const QDate& start, QStringList& faults) {
  TextLineReader reader(LineEnds::kCrLfCrOrLf, TextSource::kLog);
  if (const FileOutcome opened = reader.Open(path, max_file_size::kLog); !opened.ok) {
    faults.append(path + QStringLiteral(": ") + opened.error);
    return std::nullopt;
  }
  ReadLog log;
  QString text;
  int line_number = 0;
  while (reader.Next(text)) {
    ++line_number;
    if (text.startsWith(QStringLiteral("CALLSIGN:"))) log.station = text.mid(9).trimmed();
    if (!text.startsWith(QStringLiteral("QSO:"))) continue;
    if (std::optional<ReadLine> line = ParseLine(text, line_number, start)) {
      log.lines.push_back(*line);
    } else {
      faults.append(QStringLiteral("%1 line %2: cannot be read back").arg(path).arg(line_number));
    }
  }
  return log;
}

// Holds each line's truth against the files, the way a reader of the files
// who knows the on-air record would judge it.
class TruthCheck {
 public:
  TruthCheck(const SimulatedContest& contest, std::vector<ReadLog> logs, QStringList& faults)
      : contest_(contest), logs_(std::move(logs)), faults_(faults) {
    for (size_t l = 0; l < logs_.size(); ++l) {
      log_of_call_.insert(logs_[l].station, static_cast<int>(l));
      QSet<QString> calls;
      for (const ReadLine& line : logs_[l].lines) calls.insert(line.call);
      for (const QString& call : calls) ++logs_with_call_[call];
    }
    for (size_t s = 0; s < contest.stations.size(); ++s) {
      station_of_call_.insert(contest.stations[s].call, static_cast<int>(s));
    }
    for (const EntrantLog& log : contest.logs) {
      std::unordered_set<std::uint64_t>& worked = worked_at_.emplace_back();
      for (const LogLine& line : log.lines)
        worked.insert(StationMinute(line.partner, line.true_minute));
    }
    for (const OnAirQso& qso : contest.qsos) {
      on_air_.insert(PairMinute(qso.caller, qso.runner, qso.minute));
    }
  }

  void Run() {
    if (logs_.size() != contest_.logs.size()) {
      Fault(QStringLiteral("%1 logs read back, %2 written")
                .arg(logs_.size())
                .arg(contest_.logs.size()));
      return;
    }
    for (size_t l = 0; l < logs_.size(); ++l) CheckLog(static_cast<int>(l));
  }

  std::int64_t lines_checked() const { return lines_checked_; }

 private:
  static std::uint64_t PairMinute(int a, int b, int minute) {
    const auto low = static_cast<std::uint64_t>(std::min(a, b));
    const auto high = static_cast<std::uint64_t>(std::max(a, b));
    return (low << 44) | (high << 24) | static_cast<std::uint64_t>(minute + 1440);
  }

  static std::uint64_t StationMinute(int station, int minute) {
    return (static_cast<std::uint64_t>(station) << 24) | static_cast<std::uint64_t>(minute + 1440);
  }

  void Fault(const QString& text) { faults_.append(text); }

  void CheckLog(int l) {
    const ReadLog& read = logs_[static_cast<size_t>(l)];
    const EntrantLog& log = contest_.logs[static_cast<size_t>(l)];
    if (read.lines.size() != log.lines.size()) {
      Fault(QStringLiteral("%1: %2 QSO lines read back, %3 written")
                .arg(read.station)
                .arg(read.lines.size())
                .arg(log.lines.size()));
      return;
    }
    QSet<QString> worked;
    for (size_t i = 0; i < read.lines.size(); ++i) {
      const QString key = QString::number(read.lines[i].band) + u' ' + read.lines[i].call;
      const bool dupe = worked.contains(key);
      worked.insert(key);
      CheckLine(l, read.lines[i], log.lines[i], dupe);
      ++lines_checked_;
    }
  }

  void CheckLine(int l, const ReadLine& read, const LogLine& line, bool dupe) {
    const EntrantLog& log = contest_.logs[static_cast<size_t>(l)];
    const QString where = QStringLiteral("%1 line %2 (%3 %4): ")
                              .arg(logs_[static_cast<size_t>(l)].station)
                              .arg(read.line_number)
                              .arg(TruthWord(line.truth), line.detail);
    const int t = line.true_minute;
    if (std::abs(read.logged_minute - t - log.clock.OffsetAt(t)) > 1) {
      Fault(where + QStringLiteral("logged time is not true time on the log's clock"));
    }
    if (dupe != (line.truth == Truth::kDupe)) {
      Fault(where + QStringLiteral("an earlier line of the same call and band: %1").arg(dupe));
    }
    if (dupe) return;
    const int corrected = read.logged_minute - log.clock.OffsetAt(t);
    const bool outside = corrected < 0 || corrected >= kContestMinutes;
    if (outside != (line.truth == Truth::kOutOfTime)) {
      Fault(where + QStringLiteral("made outside the period: %1").arg(outside));
    }
    if (outside) return;
    const int station = log.station;
    const auto partner_log = log_of_call_.find(read.call);
    const bool partner_sent = partner_log != log_of_call_.end();
    switch (line.truth) {
      case Truth::kOk:
        if (!partner_sent || !PartnerLogged(*partner_log, t, station) ||
            read.received_exchange != SentBy(*partner_log) ||
            read.band != contest_.qsos[static_cast<size_t>(line.qso)].band) {
          Fault(where + QStringLiteral("not borne out by the partner's log"));
        }
        break;
      case Truth::kNil:
        if (!partner_sent || PartnerLogged(*partner_log, t, station)) {
          Fault(where + QStringLiteral("the partner's log is missing or holds the QSO"));
        }
        break;
      case Truth::kBust:
        if (line.detail == read.call || !station_of_call_.contains(line.detail) ||
            !on_air_.count(PairMinute(station, station_of_call_.value(line.detail), t))) {
          Fault(where + QStringLiteral("no miscopy of a station worked then"));
        }
        break;
      case Truth::kExchangeBust:
        if (!station_of_call_.contains(read.call) || read.received_exchange == line.detail ||
            contest_.stations[static_cast<size_t>(station_of_call_.value(read.call))].exchange !=
                line.detail) {
          Fault(where + QStringLiteral("no miscopy of the number sent"));
        }
        break;
      case Truth::kBand: {
        // The call may be miscopied too: the partner is the station worked.
        const int worked_log = contest_.stations[static_cast<size_t>(line.partner)].log;
        if (worked_log < 0 || line.detail == ContestBandName(read.band) ||
            !PartnerLoggedOnBand(worked_log, t, station, line.detail)) {
          Fault(where + QStringLiteral("the partner did not log it on the band given"));
        }
        break;
      }
      case Truth::kUnverified:
      case Truth::kUnique: {
        const bool known =
            contest_.master_calls.contains(read.call) || logs_with_call_.value(read.call) >= 2;
        if (partner_sent || known != (line.truth == Truth::kUnverified)) {
          Fault(where + QStringLiteral("the call's log, other logs and MASTER.SCP say otherwise"));
        }
        break;
      }
      case Truth::kDupe:
      case Truth::kOutOfTime:
        break;
    }
  }

  // Whether the partner's log holds a line with us at this true minute, of
  // any call and band: a partner who miscopied our call still worked us.
  bool PartnerLogged(int partner, int true_minute, int own_station) const {
    return worked_at_[static_cast<size_t>(partner)].count(StationMinute(own_station, true_minute));
  }

  // Whether it holds that line on `band`, as its file says, or on a band
  // of its own logger's mistake.
  bool PartnerLoggedOnBand(int partner, int true_minute, int own_station,
                           const QString& band) const {
    const ReadLog& read = logs_[static_cast<size_t>(partner)];
    const EntrantLog& log = contest_.logs[static_cast<size_t>(partner)];
    for (size_t i = 0; i < read.lines.size(); ++i) {
      const LogLine& line = log.lines[i];
      if (line.true_minute == true_minute && line.partner == own_station &&
          (line.wrong_band || ContestBandName(read.lines[i].band) == band)) {
        return true;
      }
    }
    return false;
  }

  QString SentBy(int partner) const {
    const ReadLog& read = logs_[static_cast<size_t>(partner)];
    return read.lines.empty() ? QString() : read.lines.front().sent_exchange;
  }

  const SimulatedContest& contest_;
  std::vector<ReadLog> logs_;
  QStringList& faults_;
  QHash<QString, int> log_of_call_;
  QHash<QString, int> logs_with_call_;
  QHash<QString, int> station_of_call_;
  std::unordered_set<std::uint64_t> on_air_;
  std::vector<std::unordered_set<std::uint64_t>> worked_at_;  // per log: station and true minute
  std::int64_t lines_checked_ = 0;
};

// The truth as written, checked against the logs read back: one row per
// QSO line, in the order of the list.
void CheckTruthRows(const QString& folder, const std::vector<ReadLog>& logs, QStringList& faults) {
  const TextFileLines truth = ReadTextLines(QDir(folder).filePath(QStringLiteral("truth.tsv")),
                                            LineEnds::kCrLfCrOrLf, kGeneratedFileLimit);
  qsizetype row = 0;
  for (const ReadLog& log : logs) {
    for (const ReadLine& line : log.lines) {
      const QStringList fields =
          row < truth.lines.size() ? truth.lines[row].split(u'\t') : QStringList();
      if (fields.size() != 4 || fields[0] != log.station ||
          fields[1] != QString::number(line.line_number)) {
        faults.append(QStringLiteral("truth.tsv row %1 is not %2 line %3")
                          .arg(row + 1)
                          .arg(log.station)
                          .arg(line.line_number));
        return;
      }
      ++row;
    }
  }
  if (row != truth.lines.size()) faults.append(QStringLiteral("truth.tsv has rows left over"));
}

QString Percent(std::int64_t part, std::int64_t whole) {
  return QString::number(whole == 0 ? 0.0 : 100.0 * part / whole, 'f', 2) + u'%';
}

QString Counts(const std::vector<std::int64_t>& counts, const char* (*name)(int)) {
  QStringList parts;
  for (size_t i = 0; i < counts.size(); ++i) {
    parts.append(
        QStringLiteral("%1 %2").arg(QLatin1String(name(static_cast<int>(i)))).arg(counts[i]));
  }
  return parts.join(QStringLiteral(", "));
}

const char* CallMiscopyLabel(int kind) { return CallMiscopyName(static_cast<CallMiscopy>(kind)); }
const char* ExchangeMiscopyLabel(int kind) {
  return ExchangeMiscopyName(static_cast<ExchangeMiscopy>(kind));
}
std::int64_t Sum(const std::vector<std::int64_t>& counts) {
  std::int64_t sum = 0;
  for (const std::int64_t count : counts) sum += count;
  return sum;
}

QStringList LogSizeLines(const SimulatedContest& contest) {
  std::vector<std::pair<int, QString>> sizes;
  for (const EntrantLog& log : contest.logs) {
    sizes.emplace_back(static_cast<int>(log.lines.size()), StationOf(contest, log).call);
  }
  std::sort(sizes.begin(), sizes.end(),
            [](const auto& a, const auto& b) { return a.first > b.first; });
  const auto at = [&](double share) {
    return sizes[static_cast<size_t>(share * static_cast<double>(sizes.size() - 1))].first;
  };
  QStringList biggest;
  for (size_t i = 0; i < std::min<size_t>(5, sizes.size()); ++i) {
    biggest.append(QStringLiteral("%1 %2").arg(sizes[i].second).arg(sizes[i].first));
  }
  return {QStringLiteral("QSO lines per log: most %1, 10% of logs above %2, median %3, "
                         "fewest %4; biggest: %5")
              .arg(sizes.front().first)
              .arg(at(0.1))
              .arg(at(0.5))
              .arg(sizes.back().first)
              .arg(biggest.join(QStringLiteral(", ")))};
}

}  // namespace

WriteOutcome WriteReportLines(const QString& path, const QStringList& lines) {
  QSaveFile file(path);
  QByteArray bytes;
  for (const QString& line : lines) bytes += line.toUtf8() + '\n';
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    return {false, path + QStringLiteral(": ") + file.errorString()};
  }
  return {};
}

WriteOutcome WriteSimulatedContest(const QString& folder, const SimulatedContest& contest) {
  const QString logs_folder = LogsFolder(folder);
  if (!QDir().mkpath(logs_folder)) return {false, logs_folder + QStringLiteral(": cannot be made")};
  QStringList paths;
  QStringList truth;
  QStringList clocks;
  for (const EntrantLog& log : contest.logs) {
    const QString path = QFileInfo(QDir(logs_folder).filePath(log.file_name)).absoluteFilePath();
    const QStringList file_lines = LogFileLines(contest, log);
    if (const FileOutcome written = WriteTextLines(path, file_lines); !written.ok) {
      return {false, path + QStringLiteral(": ") + written.error};
    }
    paths.append(path);
    const QString call = StationOf(contest, log).call.toUpper();
    const int first = FirstQsoLine(file_lines);
    for (size_t i = 0; i < log.lines.size(); ++i) {
      const LogLine& line = log.lines[i];
      truth.append(call + u'\t' + QString::number(first + static_cast<int>(i)) + u'\t' +
                   TruthWord(line.truth) + u'\t' + line.detail);
    }
    clocks.append(call + u'\t' + QString::number(log.main_offset) + u'\t' +
                  QString::number(log.matchable));
  }
  for (const auto& [name, lines] :
       {std::pair{"logs.txt", paths}, {"truth.tsv", truth}, {"truth-clock.tsv", clocks}}) {
    const WriteOutcome written =
        WriteReportLines(QDir(folder).filePath(QLatin1String(name)), lines);
    if (!written.ok) return written;
  }
  return {};
}

QStringList CheckTruth(const QString& folder, const SimulatedContest& contest) {
  QStringList faults;
  const TextFileLines list = ReadTextLines(QDir(folder).filePath(QStringLiteral("logs.txt")),
                                           LineEnds::kCrLfCrOrLf, kGeneratedFileLimit);
  if (!list.outcome.ok) return {QStringLiteral("logs.txt: ") + list.outcome.error};
  std::vector<ReadLog> logs;
  for (const QString& path : list.lines) {
    std::optional<ReadLog> log = ReadBack(path, contest.shape.start, faults);
    if (!log) return faults;
    logs.push_back(std::move(*log));
  }
  CheckTruthRows(folder, logs, faults);
  TruthCheck(contest, std::move(logs), faults).Run();
  return faults;
}

QStringList SummaryLines(const SimulatedContest& contest, const QStringList& faults) {
  const SimulationFacts& facts = contest.facts;
  const int active = facts.stations - facts.silent_stations;
  std::int64_t lines = 0;
  int fixed_logs = 0;
  std::vector<std::int64_t> truths(kTruthCount);
  for (const EntrantLog& log : contest.logs) {
    lines += static_cast<std::int64_t>(log.lines.size());
    if (log.fixed_layout) ++fixed_logs;
    for (const LogLine& line : log.lines) ++truths[static_cast<size_t>(line.truth)];
  }
  QStringList summary = {
      QStringLiteral("Contest TOVEK-WW-RTTY, seed %1: 48 hours from %2 00:00 UTC")
          .arg(contest.shape.seed)
          .arg(contest.shape.start.toString(Qt::ISODate)),
      QStringLiteral("On the air: %1 stations (%2 casual calls not in MASTER.SCP, %3 portable); "
                     "%4 of them made QSOs")
          .arg(facts.stations)
          .arg(facts.casual_stations)
          .arg(facts.portable_stations)
          .arg(active),
      QStringLiteral("Logs sent: %1 of the %2 stations that made QSOs (%3): %4 in the log "
                     "editor's fixed Cabrillo 2.0 layout, %5 in Cabrillo 3.0")
          .arg(contest.logs.size())
          .arg(active)
          .arg(Percent(static_cast<std::int64_t>(contest.logs.size()), active))
          .arg(fixed_logs)
          .arg(static_cast<int>(contest.logs.size()) - fixed_logs),
      QStringLiteral("QSOs on the air: %1 (%2 with a runner already worked on the band, %3 "
                     "outside the 48 hours); QSO lines in the logs: %4")
          .arg(facts.on_air_qsos)
          .arg(facts.on_air_dupes)
          .arg(facts.out_of_period_qsos)
          .arg(lines),
  };
  summary += LogSizeLines(contest);
  summary += {
      QString(),
      QStringLiteral("Injected into the logs:"),
      QStringLiteral("  QSOs between two entrants that one of them never logged: %1")
          .arg(facts.dropped_lines),
      QStringLiteral("  lines logged on the previous band (the logger not switched): %1")
          .arg(facts.wrong_band_lines),
      QStringLiteral("  miscopied calls: %1 (%2)")
          .arg(Sum(facts.call_miscopies))
          .arg(Counts(facts.call_miscopies, CallMiscopyLabel)),
      QStringLiteral("  miscopied numbers: %1 (%2)")
          .arg(Sum(facts.exchange_miscopies))
          .arg(Counts(facts.exchange_miscopies, ExchangeMiscopyLabel)),
      QStringLiteral("  times logged a minute off the station's clock: %1").arg(facts.noisy_times),
  };
  QStringList clocks;
  for (int kind = 0; kind < kClockKindCount; ++kind) {
    clocks.append(QStringLiteral("%1 %2")
                      .arg(QLatin1String(ClockKindName(static_cast<StationClock::Kind>(kind))))
                      .arg(facts.clock_kinds[static_cast<size_t>(kind)]));
  }
  summary.append(QStringLiteral("  clocks of the logs: ") + clocks.join(QStringLiteral(", ")));
  summary += {QString(),
              QStringLiteral("Truth (a line with two errors takes the first of DUPE, TIME, BAND, "
                             "BUST, XBUST, NIL):")};
  for (int truth = 0; truth < kTruthCount; ++truth) {
    summary.append(QStringLiteral("  %1 %2 (%3)")
                       .arg(TruthWord(static_cast<Truth>(truth)), -10)
                       .arg(truths[static_cast<size_t>(truth)], 8)
                       .arg(Percent(truths[static_cast<size_t>(truth)], lines)));
  }
  summary.append(QString());
  if (faults.isEmpty()) {
    summary.append(
        QStringLiteral("Consistency: the %1 QSO lines read back bear the truth out").arg(lines));
  } else {
    summary.append(QStringLiteral("Consistency: %1 faults; the first:").arg(faults.size()));
    for (qsizetype i = 0; i < std::min<qsizetype>(20, faults.size()); ++i) {
      summary.append(QStringLiteral("  ") + faults[i]);
    }
  }
  return summary;
}

}  // namespace tovek::bench
