// A contest of logs cut from one input at each "START-OF-LOG" (so the seeds,
// whole logs, make one-log contests and the fuzzer joins and splits them),
// cross-checked, scored and reported: every line gets exactly one verdict,
// the report and summary are ASCII, and a checked score never exceeds what
// the credited QSOs can earn.
#include "calculator/crosscheck/check_reports.h"
#include "calculator/crosscheck/crosscheck_run.h"
#include "fuzz/fuzz_support.h"

using namespace tovek;
using namespace tovek::crosscheck;
using namespace tovek::fuzz;

namespace {

std::vector<ContestLog> ContestOf(const QByteArray& bytes) {
  std::vector<ContestLog> logs;
  qsizetype start = 0;
  while (start < bytes.size() && logs.size() < 8) {
    qsizetype next = bytes.indexOf("START-OF-LOG", start + 1);
    if (next < 0) next = bytes.size();
    logs.push_back(ReadContestLogBytes(QStringLiteral("log%1.cbr").arg(logs.size()),
                                       bytes.mid(start, next - start)));
    start = next;
  }
  return logs;
}

bool IsAscii(const QStringList& lines) {
  for (const QString& line : lines) {
    for (const QChar c : line) {
      if (c.unicode() < 0x20 || c.unicode() >= 0x7F) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<ContestLog> logs = ContestOf(Bytes(data, size));
  NoProgress progress;
  CheckRules rules;
  rules.bust_penalty = 1;
  const ContestCheck check = CrossCheck(logs, {"K1ABC"}, rules, QDate(2026, 9, 26), progress);
  FUZZ_EXPECT(check.logs.size() == logs.size());
  CallFactsCache cache(4);
  std::vector<CheckedScore> scores;
  for (size_t l = 0; l < logs.size(); ++l) {
    const LogCheck& c = check.logs[l];
    FUZZ_EXPECT(c.qsos.size() == static_cast<size_t>(logs[l].qsos.size()));
    int counted = 0;
    for (const int count : c.counts) counted += count;
    FUZZ_EXPECT(counted == logs[l].qsos.size());
    for (const QsoCheck& q : c.qsos) {
      FUZZ_EXPECT(q.other_log < static_cast<int>(logs.size()));
      if (q.other_log >= 0) {
        FUZZ_EXPECT(q.other_qso >= 0 &&
                    q.other_qso < logs[static_cast<size_t>(q.other_log)].qsos.size());
      }
    }
    const LogScore claimed =
        LogDataSearch(logs[l].scored, ShippedPrefixes(), ShippedAreas(), progress, cache);
    scores.push_back(
        ScoreCheckedLog(logs[l], c, rules, ShippedPrefixes(), ShippedAreas(), cache, claimed));
    const CheckedScore& s = scores.back();
    FUZZ_EXPECT(s.score >= 0 && s.points >= 0);
    FUZZ_EXPECT(s.points <= s.credited.tally[tovek::kTotalSlot].points);
  }
  const CheckedContest contest{logs, check, scores, rules};
  const LinesAboutStations about = IndexLinesAboutStations(contest);
  for (size_t l = 0; l < logs.size(); ++l) FUZZ_EXPECT(IsAscii(EntrantReport(contest, l, about)));
  FUZZ_EXPECT(IsAscii(CommitteeSummary(contest)));
  for (const QString& line : QsoVerdictLines(logs, check)) FUZZ_EXPECT(line.count(u'\t') == 3);
  return 0;
}
