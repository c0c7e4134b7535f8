#include "calculator/crosscheck/check_reports.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>

#include "calculator/result_table.h"
#include "common/file_output.h"
#include "common/output_names.h"

namespace tovek::crosscheck {
namespace {

QString Minute(int minute) {
  if (minute == kNoTime) return QStringLiteral("(no time)        ");
  static const QDateTime kEpoch(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
  return kEpoch.addSecs(qint64{minute} * 60).toString(QStringLiteral("yyyy-MM-dd HHmm"));
}

// Texts from logs may hold anything; reports are ASCII.
QString Ascii(QStringView text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) out.append(c.unicode() >= 0x20 && c.unicode() < 0x7F ? c : u'?');
  return out;
}

// A QSO line as its log holds it, its fields one blank apart.
QString QsoText(const ContestQso& q) {
  QStringList words;
  for (const QStringView word : q.text.tokenize(u' ', Qt::SkipEmptyParts)) {
    words << word.toString();
  }
  return Ascii(words.join(u' '));
}

// A failed write, the file named in front of the reason.
FileOutcome AtPath(const QString& path, FileOutcome written) {
  written.error = path + QStringLiteral(": ") + written.error;
  written.path = path;
  return written;
}

QString Signed(int minutes) {
  return minutes > 0 ? QStringLiteral("+%1").arg(minutes) : QString::number(minutes);
}

QString ClockText(const ClockModel& clock) {
  if (clock.evidence == 0) {
    return QStringLiteral(
        "Your clock could not be measured: no QSO of yours is in another log. "
        "Times were taken as logged.");
  }
  const auto against = [](int offset) {
    if (offset == 0) return QStringLiteral("in step with the other logs");
    return QStringLiteral("%1 minutes %2 the other logs")
        .arg(std::abs(offset))
        .arg(offset > 0 ? QStringLiteral("ahead of") : QStringLiteral("behind"));
  };
  if (clock.jump_minute != kNoTime) {
    return QStringLiteral("Your clock was %1 until %2 (your time), and %3 from then on.")
        .arg(against(clock.offset), Minute(clock.jump_minute), against(clock.later_offset));
  }
  return QStringLiteral("Your clock was %1 (measured on %2 QSOs).")
      .arg(against(clock.offset))
      .arg(clock.evidence);
}

QString Evidence(const CheckedContest& contest, size_t log, size_t line) {
  const QsoCheck& check = contest.check.logs[log].qsos[line];
  QString text;
  switch (check.verdict) {
    case Verdict::kNil:
      text = QStringLiteral("not in the log of %1").arg(Ascii(contest.logs[log].qsos[line].call));
      break;
    case Verdict::kBust:
      text = QStringLiteral("you copied %1, the station worked was %2")
                 .arg(Ascii(contest.logs[log].qsos[line].call), Ascii(check.detail));
      break;
    case Verdict::kExchangeBust:
      text = QStringLiteral("you copied number %1, the number sent was %2")
                 .arg(Ascii(contest.logs[log].qsos[line].ReceivedExchange().toString()),
                      Ascii(check.detail));
      break;
    case Verdict::kBand:
      text = QStringLiteral("the other station logged it on %1 kHz").arg(check.detail);
      break;
    case Verdict::kUnique:
      text = contest.logs[log].qsos[line].call.isEmpty()
                 ? QStringLiteral("the line has no call")
                 : QStringLiteral("the call is in no other log and no known call explains it");
      break;
    case Verdict::kUnverified:
      text = QStringLiteral("no log from this station; the call is confirmed elsewhere");
      break;
    case Verdict::kDupe:
      text = QStringLiteral("worked before on this band");
      break;
    case Verdict::kOutOfTime:
      text = QStringLiteral("outside the contest period after clock correction");
      break;
    case Verdict::kOk:
      break;
  }
  if (check.other_log >= 0) {
    const auto& other = contest.logs[static_cast<size_t>(check.other_log)];
    text += QStringLiteral("; their line %1: %2 (%3 min apart after correction)")
                .arg(other.qsos[check.other_qso].line)
                .arg(QsoText(other.qsos[check.other_qso]))
                .arg(check.time_difference);
  }
  return text;
}

QString Row(const QString& label, qint64 value) {
  return QStringLiteral("  %1%2").arg(label, -28).arg(value, 10);
}

void AddScoreArithmetic(const CheckedContest& contest, size_t log, QStringList& out) {
  const CheckedScore& score = contest.scores[log];
  const BandSlot& claimed = score.claimed.tally[kTotalSlot];
  const BandSlot& credited = score.credited.tally[kTotalSlot];
  const int claimed_mults = claimed.mult1 + claimed.mult2;
  const int credited_mults = credited.mult1 + credited.mult2;
  out << QStringLiteral("Score")
      << QStringLiteral("  As calculated from your log: %1 QSO points x %2 multipliers = %3")
             .arg(claimed.points)
             .arg(claimed_mults)
             .arg(score.claimed.score)
      << QStringLiteral("  Credited QSOs: %1, worth %2 QSO points and %3 multipliers")
             .arg(credited.valid)
             .arg(credited.points)
             .arg(credited_mults);
  // The calculation reads the log editor's fixed columns; the check reads
  // any layout, so a log in another one can be credited more than it was
  // calculated to claim.
  if (claimed.points == 0 && credited.points > 0) {
    out << QStringLiteral(
               "  Note: the calculation reads QSO lines in the log editor's fixed columns")
        << QStringLiteral(
               "  and found no points here; the credited QSOs are read from the lines as")
        << QStringLiteral("  written.");
  }
  const LogCheck& check = contest.check.logs[log];
  for (const Verdict v : {Verdict::kNil, Verdict::kBust, Verdict::kExchangeBust}) {
    const double penalty = PenaltyOf(v, contest.rules);
    if (penalty > 0 && check.Count(v) > 0) {
      out << QStringLiteral("  Penalty: %1 %2 x %3 QSOs' worth of points each")
                 .arg(check.Count(v))
                 .arg(VerdictWord(v))
                 .arg(penalty);
    }
  }
  if (score.penalty_points > 0) {
    out << QStringLiteral("  Penalty points: %1").arg(std::llround(score.penalty_points));
  }
  out << QStringLiteral("  Checked score: %1 QSO points x %2 multipliers = %3")
             .arg(score.points)
             .arg(credited_mults)
             .arg(score.score)
      << QString();
}

void AddReverseList(const CheckedContest& contest, size_t log, const LinesAboutStations& about,
                    QStringList& out) {
  const QString& station = contest.logs[log].station;
  out << QStringLiteral("What other logs say of your call");
  static const std::vector<LineRef> kNone;
  const auto found = about.constFind(station);
  const std::vector<LineRef>& lines = station.isEmpty() || found == about.cend() ? kNone : *found;
  if (lines.empty())
    out << QStringLiteral(
        "  Nobody miscopied your call or your number, and every QSO others logged with you is in "
        "your log.");
  for (const LineRef& r : lines) {
    const ContestLog& other = contest.logs[r.log];
    const ContestQso& q = other.qsos[static_cast<qsizetype>(r.line)];
    const Verdict v = contest.check.logs[r.log].qsos[r.line].verdict;
    const QString what =
        v == Verdict::kBust ? QStringLiteral("miscopied your call as %1").arg(Ascii(q.call))
        : v == Verdict::kNil
            ? QStringLiteral("logged a QSO with you that is not in your log (NIL for them)")
            : QStringLiteral("copied your number as %1")
                  .arg(Ascii(q.ReceivedExchange().toString()));
    out << QStringLiteral("  %1 %2 on %3 kHz: %4")
               .arg(Ascii(other.station), -12)
               .arg(Minute(q.minute), BandName(q.band), what);
  }
  out << QString();
}

}  // namespace

QStringList LogFigureNames() {
  return {"CallSign", "Category",  "QsoLines",           "Ok",    "Unverified",
          "Nil",      "Bust",      "ExchangeBust",       "Band",  "Unique",
          "Dupe",     "OutOfTime", "ClockOffsetMinutes", "Score", "CheckedScore"};
}

QStringList LogFigures(const CheckedContest& contest, size_t log) {
  const ContestLog& l = contest.logs[log];
  const LogCheck& c = contest.check.logs[log];
  QStringList figures{
      PlainText(l.station.isEmpty() ? QFileInfo(l.path).completeBaseName() : l.station),
      PlainText(l.scored.summary.category), QString::number(l.qsos.size())};
  for (int v = 0; v < kVerdictCount; ++v) figures << QString::number(c.counts[v]);
  figures << QString::number(c.clock.MainOffset())
          << QString::number(contest.scores[log].claimed.score)
          << QString::number(contest.scores[log].score);
  return figures;
}

QStringList QsoVerdictNames() { return {"CallSign", "Line", "Verdict", "Detail"}; }

QStringList QsoVerdictLines(const std::vector<ContestLog>& logs, const ContestCheck& check,
                            VerdictLines which) {
  QStringList lines;
  for (size_t l = 0; l < logs.size(); ++l) {
    for (size_t q = 0; q < check.logs[l].qsos.size(); ++q) {
      const QsoCheck& c = check.logs[l].qsos[q];
      if (which == VerdictLines::kNotOk && c.verdict == Verdict::kOk) continue;
      lines << PlainText(logs[l].station) + u'\t' +
                   QString::number(logs[l].qsos[static_cast<qsizetype>(q)].line) + u'\t' +
                   VerdictWord(c.verdict) + u'\t' + PlainText(c.detail);
    }
  }
  return lines;
}

QString ReportFileName(const QString& station) {
  const OutputName name = OutputNameOf(station);
  return name.Ok() ? name.base + QStringLiteral(".lcr") : QString();
}

LinesAboutStations IndexLinesAboutStations(const CheckedContest& contest) {
  LinesAboutStations about;
  for (size_t l = 0; l < contest.logs.size(); ++l) {
    const auto& qsos = contest.logs[l].qsos;
    for (size_t q = 0; q < static_cast<size_t>(qsos.size()); ++q) {
      const QsoCheck& c = contest.check.logs[l].qsos[q];
      if (c.verdict == Verdict::kBust) {
        about[c.detail].push_back({l, q});
      } else if (c.verdict == Verdict::kNil || c.verdict == Verdict::kExchangeBust) {
        about[qsos[static_cast<qsizetype>(q)].call.toString()].push_back({l, q});
      }
    }
  }
  return about;
}

QStringList EntrantReport(const CheckedContest& contest, size_t log) {
  return EntrantReport(contest, log, IndexLinesAboutStations(contest));
}

QStringList EntrantReport(const CheckedContest& contest, size_t log,
                          const LinesAboutStations& about) {
  const ContestLog& l = contest.logs[log];
  const LogCheck& check = contest.check.logs[log];
  QStringList out;
  out << QStringLiteral("TOVEK-WW-RTTY log cross-check report for %1").arg(Ascii(l.station))
      << QStringLiteral("Category: %1   QSO lines: %2")
             .arg(l.scored.summary.category.isEmpty() ? QStringLiteral("(none in the log)")
                                                      : Ascii(l.scored.summary.category))
             .arg(l.qsos.size())
      << QString() << ClockText(check.clock)
      << QStringLiteral("All times below are as logged; QSOs were matched after the correction.")
      << QString() << QStringLiteral("Verdicts");
  const char* const meaning[kVerdictCount] = {
      "confirmed by the other station's log",
      "the other station sent no log; call confirmed elsewhere",
      "not in the other station's log (not credited)",
      "call miscopied (not credited)",
      "received number miscopied (not credited)",
      "logged on the wrong band (not credited)",
      "call in no other log",
      "duplicate (no points)",
      "outside the contest period (not credited)"};
  for (int v = 0; v < kVerdictCount; ++v) {
    out << QStringLiteral("  %1%2  %3")
               .arg(VerdictWord(static_cast<Verdict>(v)), -11)
               .arg(check.counts[v], 6)
               .arg(QString::fromLatin1(meaning[v]));
  }
  out << QString();
  AddScoreArithmetic(contest, log, out);
  out << QStringLiteral("Your QSO lines that are not OK")
      << QStringLiteral("  Line  Time as logged   Band   Call         Verdict");
  int listed = 0;
  for (size_t q = 0; q < check.qsos.size(); ++q) {
    const QsoCheck& c = check.qsos[q];
    if (c.verdict == Verdict::kOk) continue;
    const ContestQso& qso = l.qsos[static_cast<qsizetype>(q)];
    out << QStringLiteral("  %1  %2  %3  %4 %5")
               .arg(qso.line, 4)
               .arg(Minute(qso.minute))
               .arg(BandName(qso.band), -5)
               .arg(Ascii(qso.call), -12)
               .arg(VerdictWord(c.verdict))
        << QStringLiteral("        %1").arg(Evidence(contest, log, q));
    ++listed;
  }
  if (listed == 0) out << QStringLiteral("  (none)");
  out << QString();
  AddReverseList(contest, log, about, out);
  out << QStringLiteral("End of report");
  return out;
}

QStringList CommitteeSummary(const CheckedContest& contest) {
  QStringList out;
  std::array<qint64, kVerdictCount> totals{};
  for (const LogCheck& c : contest.check.logs) {
    for (int v = 0; v < kVerdictCount; ++v) totals[static_cast<size_t>(v)] += c.counts[v];
  }
  out << QStringLiteral("TOVEK-WW-RTTY cross-check summary") << QString()
      << QStringLiteral("Logs: %1").arg(contest.logs.size()) << QStringLiteral("Verdicts");
  for (int v = 0; v < kVerdictCount; ++v) {
    out << Row(VerdictWord(static_cast<Verdict>(v)), totals[static_cast<size_t>(v)]);
  }
  out << QString() << QStringLiteral("Clocks that were corrected (minutes ahead; QSOs measured)");
  for (size_t l = 0; l < contest.logs.size(); ++l) {
    const ClockModel& clock = contest.check.logs[l].clock;
    if (clock.offset == 0 && clock.later_offset == 0) continue;
    QString line = QStringLiteral("  %1%2  (%3)")
                       .arg(Ascii(contest.logs[l].station), -14)
                       .arg(Signed(clock.offset), 6)
                       .arg(clock.evidence);
    if (clock.jump_minute != kNoTime) {
      line += QStringLiteral("  jumped to %1 at %2")
                  .arg(Signed(clock.later_offset), Minute(clock.jump_minute));
    }
    out << line;
  }

  // Faults per checkable QSO: lines another log could confirm or refute.
  struct Rate {
    size_t log;
    int faults;
    int checkable;
  };
  std::vector<Rate> rates;
  qint64 all_busts = 0;
  qint64 all_checkable = 0;
  for (size_t l = 0; l < contest.logs.size(); ++l) {
    const LogCheck& c = contest.check.logs[l];
    const int faults = c.Count(Verdict::kNil) + c.Count(Verdict::kBust) +
                       c.Count(Verdict::kExchangeBust) + c.Count(Verdict::kBand);
    const int checkable = faults + c.Count(Verdict::kOk);
    all_busts += c.Count(Verdict::kBust);
    all_checkable += checkable;
    if (checkable >= 20) rates.push_back({l, faults, checkable});
  }
  std::sort(rates.begin(), rates.end(), [](const Rate& a, const Rate& b) {
    return qint64{a.faults} * b.checkable > qint64{b.faults} * a.checkable;
  });
  out << QString()
      << QStringLiteral(
             "Logs with most faults (NIL, BUST, XBUST, BAND per checkable QSO; 20 or more)");
  for (size_t i = 0; i < rates.size() && i < 20; ++i) {
    out << QStringLiteral("  %1%2 of %3  (%4%)")
               .arg(Ascii(contest.logs[rates[i].log].station), -14)
               .arg(rates[i].faults, 6)
               .arg(rates[i].checkable)
               .arg(100.0 * rates[i].faults / rates[i].checkable, 0, 'f', 1);
  }
  out << QString()
      << QStringLiteral("Bust rate over checkable QSOs: %1 of %2 (%3%)")
             .arg(all_busts)
             .arg(all_checkable)
             .arg(all_checkable ? 100.0 * all_busts / all_checkable : 0.0, 0, 'f', 2);

  // Stations that sent no log, by the number of logs that worked them.
  QSet<QString> sent;
  for (const ContestLog& l : contest.logs) sent.insert(l.station);
  QHash<QString, int> worked_by;
  for (size_t l = 0; l < contest.logs.size(); ++l) {
    QSet<QString> seen;
    const auto& qsos = contest.logs[l].qsos;
    for (size_t q = 0; q < static_cast<size_t>(qsos.size()); ++q) {
      const Verdict v = contest.check.logs[l].qsos[q].verdict;
      const QString call = qsos[static_cast<qsizetype>(q)].call.toString();
      if ((v == Verdict::kUnverified || v == Verdict::kExchangeBust) && !sent.contains(call) &&
          !seen.contains(call)) {
        seen.insert(call);
        ++worked_by[call];
      }
    }
  }
  std::vector<std::pair<int, QString>> missing;
  for (auto it = worked_by.cbegin(); it != worked_by.cend(); ++it)
    missing.push_back({-it.value(), it.key()});
  std::sort(missing.begin(), missing.end());
  out << QString() << QStringLiteral("Stations without a log, worked by most logs");
  for (size_t i = 0; i < missing.size() && i < 30; ++i) {
    out << QStringLiteral("  %1%2").arg(Ascii(missing[i].second), -14).arg(-missing[i].first, 6);
  }
  out << QString() << QStringLiteral("End of summary");
  return out;
}

FileOutcome WriteReports(const CheckedContest& contest, const QString& folder) {
  if (!QDir().mkpath(folder)) {
    return FileOutcome::Failure(QStringLiteral("%1: the folder cannot be created").arg(folder));
  }
  const QDir dir(folder);
  const LinesAboutStations about = IndexLinesAboutStations(contest);
  QStringList unnamed;
  for (size_t l = 0; l < contest.logs.size(); ++l) {
    const QString name = ReportFileName(contest.logs[l].station);
    if (name.isEmpty()) {
      unnamed << Ascii(QFileInfo(contest.logs[l].path).fileName());
      continue;
    }
    const QString path = dir.filePath(name);
    if (const FileOutcome written = WriteTextLines(path, EntrantReport(contest, l, about));
        !written.ok) {
      return AtPath(path, written);
    }
  }
  QStringList summary_lines = CommitteeSummary(contest);
  if (!unnamed.isEmpty()) {
    summary_lines.insert(summary_lines.size() - 1,
                         QStringLiteral("No report for these logs: their CALLSIGN makes no file "
                                        "name (empty, a second \"/\", \"..\" or a character a "
                                        "file name cannot hold): ") +
                             unnamed.join(QStringLiteral(", ")));
  }
  QStringList figures{LogFigureNames().join(u'\t')};
  for (size_t l = 0; l < contest.logs.size(); ++l) figures << LogFigures(contest, l).join(u'\t');
  const QStringList not_ok = QStringList{QsoVerdictNames().join(u'\t')} +
                             QsoVerdictLines(contest.logs, contest.check, VerdictLines::kNotOk);
  // The report files are CP932 text like the suite's other files; the
  // tab-separated ones hold the lines as tovek prints them (UTF-8, LF), tabs
  // and all.
  const QString summary = dir.filePath(QString::fromLatin1(kSummaryFileName));
  if (const FileOutcome written = WriteTextLines(summary, summary_lines); !written.ok) {
    return AtPath(summary, written);
  }
  const std::pair<const char*, const QStringList&> tables[] = {
      {kLogFiguresFileName, figures},
      {kNotOkLinesFileName, not_ok},
  };
  for (const auto& [name, lines] : tables) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    if (const FileOutcome written = WriteFileBytes(path, (lines.join(u'\n') + u'\n').toUtf8());
        !written.ok) {
      return AtPath(path, written);
    }
  }
  return FileOutcome::Success();
}

}  // namespace tovek::crosscheck
