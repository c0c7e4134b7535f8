// Cross-checking a contest's logs against each other: every QSO line of
// every log gets exactly one verdict, with the evidence behind it.
//
// The check runs in stages over the whole contest:
//  1. each log's clock offset is estimated from the QSOs it shares with the
//     other logs (robust to outliers; whole hours and days; one jump);
//  2. QSO lines are paired one to one across logs: exact calls on the same
//     band first, closest in corrected time first; then pairs where one side
//     miscopied the other's call; then pairs logged on different bands;
//  3. each line left over is judged by what the other logs say of its call:
//     a station that sent a log and holds no such QSO (NIL), a miscopy of a
//     station on the air then (BUST), a call confirmed elsewhere
//     (UNVERIFIED), or a call nobody else heard (UNIQUE).
// Blame is one-sided: the side that copied correctly keeps its QSO.
#pragma once

#include <QDate>
#include <QSet>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "calculator/crosscheck/contest_log.h"
#include "common/progress.h"

namespace tovek::crosscheck {

enum class Verdict : std::uint8_t {
  kOk,            // matched; call, band and exchange agree
  kUnverified,    // no log from the other station, its call judged genuine
  kNil,           // the other station's log holds no such QSO
  kBust,          // the logged call is a miscopy (detail: the call worked)
  kExchangeBust,  // the received number is wrong (detail: the number sent)
  kBand,          // logged on the wrong band (detail: the right band)
  kUnique,        // a call nobody else logged and no known call explains
  kDupe,          // the scoring's duplicate rule
  kOutOfTime,     // outside the contest period after clock correction
};
inline constexpr int kVerdictCount = 9;

// "OK", "UNVERIFIED", "NIL", "BUST", "XBUST", "BAND", "UNIQUE", "DUPE", "TIME".
QString VerdictWord(Verdict verdict);

// Whether a QSO with this verdict keeps its points.
bool IsCredited(Verdict verdict, bool unique_credit);

// How the check decides. The committee's rules are the defaults (and
// CrossCheck.ini); the other switches exist so that simpler checkers can be
// run side by side with the same code.
struct CheckRules {
  int time_window = 10;         // minutes between the two sides, after correction
  double nil_penalty = 0;       // extra QSOs' worth of points taken off per NIL
  double bust_penalty = 0;      // ... per BUST
  double exchange_penalty = 0;  // ... per XBUST
  bool unique_credit = true;    // whether UNIQUE QSOs count
  int min_appearances = 1;      // other logs that make a non-submitter genuine

  enum class BustSearch {
    kRttyModel,      // shift errors, ITA2 one-bit errors, insertions, deletions, swaps
    kEditDistance1,  // any single edit counts the same
    kNone,           // no bust search: an unmatched call is NIL, UNVERIFIED or UNIQUE
  };
  bool clock_correction = true;
  BustSearch bust_search = BustSearch::kRttyModel;
  bool band_errors = true;  // look for QSOs logged on the other band
};

// A log's clock: how many minutes it was ahead of the contest's clock, with
// at most one jump (a clock set right, or wrong, in mid-contest).
struct ClockModel {
  int offset = 0;        // before the jump (the whole log without one)
  int later_offset = 0;  // from `jump_minute` on
  int jump_minute = kNoTime;
  int evidence = 0;  // QSOs the offset was measured on

  int OffsetAt(int logged_minute) const {
    return jump_minute != kNoTime && logged_minute >= jump_minute ? later_offset : offset;
  }
  // The offset that holds for most of the log.
  int MainOffset() const { return main_is_later ? later_offset : offset; }
  bool main_is_later = false;
};

struct QsoCheck {
  Verdict verdict = Verdict::kOk;
  QString detail;  // BUST: the call worked; XBUST: the number sent; BAND: the band
  // The evidence: the other station's line this one was paired with, and
  // the minutes between the two after both clocks were corrected.
  int other_log = -1;
  int other_qso = -1;
  int time_difference = 0;
};

struct LogCheck {
  ClockModel clock;
  std::vector<QsoCheck> qsos;  // one per QSO line, in file order
  std::array<int, kVerdictCount> counts{};

  int Count(Verdict verdict) const { return counts[static_cast<int>(verdict)]; }
};

// Calls known to be on the air although they sent no log (a master call
// list): upper-cased.
using KnownCalls = QSet<QString>;

// Reads a master call list: one call per line, "#" lines are comments.
// Nothing when the file cannot be read (`error` then says why).
std::optional<KnownCalls> ReadKnownCalls(const QString& path, QString& error);

struct ContestCheck {
  std::vector<LogCheck> logs;  // in the order of the logs given
};

// Checks the logs against each other. With a `start` date, QSOs outside the
// 48 hours from that day's 00:00 (after clock correction) are out of time.
// `progress` counts the logs through each stage; `cancelled`, asked as it
// goes, ends the check early (what it returns then is incomplete).
ContestCheck CrossCheck(const std::vector<ContestLog>& logs, const KnownCalls& known,
                        const CheckRules& rules, std::optional<QDate> start, Progress& progress,
                        const std::function<bool()>& cancelled = {});

}  // namespace tovek::crosscheck
