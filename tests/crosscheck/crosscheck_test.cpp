// The cross-check on small contests made by hand, where the right verdict of
// every line is plain; the error model, the clock fit and the QSO reader on
// the cases that decide them.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <stdexcept>

#include "calculator/crosscheck/check_reports.h"
#include "calculator/crosscheck/clock_fit.h"
#include "calculator/crosscheck/cross_check.h"
#include "calculator/crosscheck/parallel_work.h"
#include "calculator/crosscheck/rtty_errors.h"

namespace tovek::crosscheck {
namespace {

// ---- hand-made contests ----

struct Line {
  const char* frequency;
  int minute;  // from the first day's 00:00, as the station's clock says
  const char* call;
  const char* received = "05";
};

struct Station {
  const char* call;
  const char* sends;  // the exchange number this station sends
  std::vector<Line> lines;
};

constexpr int kHeaderLines = 3;

QString Time(int minute) {
  const QDateTime at = QDateTime(QDate(2026, 9, 26), QTime(0, 0), Qt::UTC).addSecs(minute * 60);
  return at.toString("yyyy-MM-dd HHmm");
}

// Each station's log in the free layout, its QSO lines from line 4 on.
std::vector<ContestLog> Logs(const std::vector<Station>& stations) {
  std::vector<ContestLog> logs;
  for (const Station& s : stations) {
    QString text =
        QStringLiteral("START-OF-LOG: 3.0\r\nCALLSIGN: %1\r\nCATEGORY: SOLP\r\n").arg(s.call);
    for (const Line& l : s.lines) {
      text += QStringLiteral("QSO: %1 RY %2 %3 599 %4 %5 599 %6\r\n")
                  .arg(l.frequency, Time(l.minute), s.call, s.sends, l.call, l.received);
    }
    logs.push_back(ReadContestLogBytes(QString(s.call) + ".log", text.toUtf8()));
  }
  return logs;
}

// "CALL LINE VERDICT DETAIL" of every line that is not OK.
QStringList Faults(const std::vector<Station>& stations, const CheckRules& rules = {},
                   const KnownCalls& known = {}, std::optional<QDate> start = {}) {
  const std::vector<ContestLog> logs = Logs(stations);
  NoProgress progress;
  const ContestCheck check = CrossCheck(logs, known, rules, start, progress);
  QStringList faults;
  for (const QString& line : QsoVerdictLines(logs, check)) {
    if (line.section(u'\t', 2, 2) != u"OK") faults << line.split(u'\t').join(u' ').trimmed();
  }
  return faults;
}

// Four stations that all work each other on 14 MHz, an hour apart per pair,
// and send "05": every line OK. Scenarios change one thing.
std::vector<Station> Contest() {
  return {{"JA1ABC",
           "25",
           {{"14085", 60, "K1XYZ"}, {"14085", 120, "DL1ABC"}, {"14085", 180, "VK3XYZ"}}},
          {"K1XYZ",
           "05",
           {{"14085", 60, "JA1ABC", "25"}, {"14090", 240, "DL1ABC"}, {"14090", 300, "VK3XYZ"}}},
          {"DL1ABC",
           "05",
           {{"14085", 120, "JA1ABC", "25"}, {"14090", 240, "K1XYZ"}, {"14095", 360, "VK3XYZ"}}},
          {"VK3XYZ",
           "05",
           {{"14085", 180, "JA1ABC", "25"}, {"14090", 300, "K1XYZ"}, {"14095", 360, "DL1ABC"}}}};
}

TEST(CrossCheck, AContestWithoutErrorsIsAllOk) { EXPECT_EQ(Faults(Contest()), QStringList()); }

TEST(CrossCheck, BlameFallsOnTheSideThatErred) {
  // K1XYZ copied JA1ABC with a lost figures shift; JA1ABC's line stays OK.
  auto busted = Contest();
  busted[1].lines[0].call = "JAQABC";
  EXPECT_EQ(Faults(busted), QStringList{"K1XYZ 4 BUST JA1ABC"});

  // DL1ABC copied K1XYZ's number as 06: only DL1ABC's line.
  auto exchange = Contest();
  exchange[2].lines[1].received = "06";
  EXPECT_EQ(Faults(exchange), QStringList{"DL1ABC 5 XBUST 05"});

  // A QSO that K1XYZ logged and VK3XYZ never made.
  auto one_sided = Contest();
  one_sided[1].lines.push_back({"21085", 400, "VK3XYZ"});
  EXPECT_EQ(Faults(one_sided), QStringList{"K1XYZ 7 NIL"});

  // DL1ABC's logger still said 14 MHz when it worked VK3XYZ on 21 MHz: its
  // QSOs around that one were on 21 MHz, VK3XYZ stayed on 21 MHz.
  auto band = Contest();
  band[2].lines = {{"14085", 120, "JA1ABC", "25"},
                   {"14090", 240, "K1XYZ"},
                   {"21010", 350, "K1ABC"},
                   {"14095", 360, "VK3XYZ"},
                   {"21010", 370, "W1ABC"}};
  band[3].lines[2] = {"21095", 360, "DL1ABC"};
  band[3].lines.push_back({"21095", 355, "K1ABC"});
  band[3].lines.push_back({"21095", 365, "W1ABC"});
  EXPECT_EQ(Faults(band),
            QStringList({"DL1ABC 6 UNVERIFIED", "DL1ABC 7 BAND 21000", "DL1ABC 8 UNVERIFIED",
                         "VK3XYZ 7 UNVERIFIED", "VK3XYZ 8 UNVERIFIED"}));
}

TEST(CrossCheck, StationsWithoutALogAreJudgedByTheOtherLogs) {
  auto contest = Contest();
  // 9A2ABC (no log) in three logs, once with another number; 3D2XYZ in one
  // log only, but in the master list; ZZ9ZZZ nowhere else.
  contest[0].lines.push_back({"14085", 400, "9A2ABC", "11"});
  contest[1].lines.push_back({"14085", 410, "9A2ABC", "11"});
  contest[2].lines.push_back({"14085", 420, "9A2ABC", "17"});
  contest[3].lines.push_back({"14085", 430, "9A2ABC", "11"});
  contest[0].lines.push_back({"21085", 500, "3D2XYZ"});
  contest[0].lines.push_back({"21085", 510, "ZZ9ZZZ"});
  EXPECT_EQ(Faults(contest, {}, {"3D2XYZ"}),
            QStringList({"JA1ABC 7 UNVERIFIED", "JA1ABC 8 UNVERIFIED", "JA1ABC 9 UNIQUE",
                         "K1XYZ 7 UNVERIFIED", "DL1ABC 7 XBUST 11", "VK3XYZ 7 UNVERIFIED"}));
  // With two other logs needed, a call only one other log has is not genuine.
  CheckRules strict;
  strict.min_appearances = 4;
  EXPECT_TRUE(Faults(contest, strict).contains("JA1ABC 7 UNIQUE"));
}

TEST(CrossCheck, ACallNobodyElseLoggedIsAMiscopyOfAStationOnTheAir) {
  // W1ABC sent no log but two logs hear it on 21 MHz; JA1ABC's "WQABC"
  // there is W1ABC with a lost figures shift. The same copy on 7 MHz, where
  // nobody heard W1ABC, stays UNIQUE.
  auto contest = Contest();
  contest[1].lines.push_back({"21085", 600, "W1ABC"});
  contest[2].lines.push_back({"21085", 610, "W1ABC"});
  contest[0].lines.push_back({"21085", 605, "WQABC"});
  contest[0].lines.push_back({"7085", 700, "WQABC"});
  EXPECT_EQ(Faults(contest), QStringList({"JA1ABC 7 BUST W1ABC", "JA1ABC 8 UNIQUE",
                                          "K1XYZ 7 UNVERIFIED", "DL1ABC 7 UNVERIFIED"}));
  // Plain edit distance has no shift errors to prefer, but finds the call.
  CheckRules edits;
  edits.bust_search = CheckRules::BustSearch::kEditDistance1;
  EXPECT_TRUE(Faults(contest, edits).contains("JA1ABC 7 BUST W1ABC"));
}

TEST(CrossCheck, ClocksAreCorrectedBeforeTheTimeWindow) {
  // VK3XYZ's clock is an hour ahead, or DL1ABC's a day behind: still all OK.
  NoProgress progress;
  for (const auto& [station, shift] : {std::pair{3, 60}, std::pair{2, -1440}}) {
    auto contest = Contest();
    for (Line& l : contest[station].lines) l.minute += shift;
    const std::vector<ContestLog> logs = Logs(contest);
    const ContestCheck check = CrossCheck(logs, {}, {}, QDate(2026, 9, 26), progress);
    for (size_t l = 0; l < logs.size(); ++l) {
      EXPECT_EQ(check.logs[l].clock.MainOffset(), static_cast<int>(l) == station ? shift : 0);
      EXPECT_EQ(check.logs[l].Count(Verdict::kOk), 3);
    }
    // Without the correction the simple rules find NILs where nobody erred.
    CheckRules simple;
    simple.clock_correction = false;
    EXPECT_EQ(Faults(contest, simple).size(), 6);
  }
}

TEST(CrossCheck, DupesAndQsosOutsideThePeriod) {
  auto contest = Contest();
  contest[0].lines.push_back({"14085", 65, "K1XYZ"});    // worked before on 14 MHz
  contest[0].lines.push_back({"7085", 2885, "ZZ9ZZZ"});  // 48 h and 5 min after the start
  EXPECT_EQ(Faults(contest, {}, {}, QDate(2026, 9, 26)),
            QStringList({"JA1ABC 7 DUPE", "JA1ABC 8 TIME"}));
}

// ---- the parts ----

TEST(MiscopyCost, RttyErrorsAreCheaperThanOtherEdits) {
  const struct {
    const char* sent;
    const char* copied;
    double rtty;
    double edits;
  } cases[] = {
      {"JA1ABC", "JA1ABC", 0, 0},
      {"JA1ABC", "JAQABC", rtty_cost::kShiftRun, 1},  // lost figures shift
      {"JA1ABC", "JA1-?:", rtty_cost::kShiftRun, 3},  // lost letters shift: a run
      {"599", "TOO", rtty_cost::kShiftRun, 3},
      {"K1ABE", "K1ABZ", rtty_cost::kOneBit, 1},  // E 10000, Z 10001
      {"K1ABC", "K1ABX", rtty_cost::kKeyboard, 1},
      {"K1ABC", "K1BAC", rtty_cost::kSwapped, 2},
      {"K1ABC", "K1AB", rtty_cost::kDropped, 1},
      {"K1ABC", "K1ABCC", rtty_cost::kAdded, 1},
      {"K1ABC", "K1ABL", rtty_cost::kOther, 1},
  };
  for (const auto& c : cases) {
    const QString sent(c.sent);
    const QString copied(c.copied);
    EXPECT_DOUBLE_EQ(MiscopyCost(sent, copied, ErrorModel::kRtty), c.rtty) << c.copied;
    EXPECT_DOUBLE_EQ(MiscopyCost(sent, copied, ErrorModel::kEditDistance1), c.edits) << c.copied;
  }
}

TEST(MiscopyCost, EveryOneErrorOriginIsFound) {
  const struct {
    const char* copied;
    const char* sent;
    ErrorModel model;
  } cases[] = {{"JAQABC", "JA1ABC", ErrorModel::kRtty},   {"K1ABZ", "K1ABE", ErrorModel::kRtty},
               {"K1BAC", "K1ABC", ErrorModel::kRtty},     {"K1AB", "K1ABC", ErrorModel::kRtty},
               {"K1ABCC", "K1ABC", ErrorModel::kRtty},    {"JA1-?:", "JA1ABC", ErrorModel::kRtty},
               {"1ABC", "K1ABC", ErrorModel::kEditDistance1},
               {"K1ABCD", "K1ABC", ErrorModel::kEditDistance1},
               {"K2ABC", "K1ABC", ErrorModel::kEditDistance1}};
  for (const auto& c : cases) {
    bool found = false;
    ForEachOneErrorOrigin(QString(c.copied), c.model,
                          [&](QStringView origin) { found = found || origin == QLatin1String(c.sent); });
    EXPECT_TRUE(found) << c.copied;
  }
}

TEST(FitClock, FindsTheOffsetMostSharedQsosAgreeOn) {
  const auto samples = [](std::initializer_list<int> residuals, int first_minute = 0) {
    std::vector<ClockSample> s;
    int minute = first_minute;
    for (const int r : residuals) s.push_back({minute += 30, r});
    return s;
  };
  EXPECT_EQ(FitClock(samples({0, 1, 0, -1, 0, 37, 0})).offset, 0);
  EXPECT_EQ(FitClock(samples({60, 61, 60, 0, 60, 59})).offset, 60);   // an outlier
  EXPECT_EQ(FitClock(samples({-1440, -1440, -1439})).offset, -1440);  // a wrong date
  EXPECT_EQ(FitClock(samples({60, 60})).offset, 0);                   // too little to say
  EXPECT_EQ(FitClock(samples({5, 40, 90, 200})).offset, 0);           // no agreement

  const ClockModel jump = FitClock(samples({0, 0, 1, 0, 0, 0, 60, 60, 61, 60}));
  EXPECT_EQ(jump.offset, 0);
  EXPECT_EQ(jump.later_offset, 60);
  EXPECT_EQ(jump.jump_minute, 7 * 30);
  EXPECT_EQ(jump.MainOffset(), 0);
  EXPECT_EQ(jump.OffsetAt(6 * 30), 0);
  EXPECT_EQ(jump.OffsetAt(8 * 30), 60);
}

TEST(ParseQsoLine, ReadsBothLayouts) {
  const QString fixed = " 3500 RY 2012-10-20 1234 JA1CALL       599 45     K1CALL        599 30";
  const ContestQso a = ParseQsoLine(fixed, 14);
  EXPECT_EQ(a.line, 14);
  EXPECT_EQ(a.band, 0);
  EXPECT_EQ(a.minute, MinuteOf(2012, 10, 20, 12, 34));
  const auto fields = [](const ContestQso& q) {
    QStringList texts;
    for (int f = 0; f < ContestQso::kFieldCount; ++f) {
      texts << q.FieldText(static_cast<ContestQso::Field>(f)).toString();
    }
    return texts << q.call.toString();
  };
  EXPECT_EQ(fields(a), QStringList({"3500", "RY", "JA1CALL", "599", "45", "599", "30", "K1CALL"}));

  const ContestQso b = ParseQsoLine(u" 14085 RY 2026-09-26 0451 w1xyz 599 08 DL1ABC 599 06 0", 9);
  EXPECT_EQ(b.band, 2);
  EXPECT_EQ(b.minute, MinuteOf(2026, 9, 26, 4, 51));
  EXPECT_EQ(fields(b), QStringList({"14085", "RY", "w1xyz", "599", "08", "599", "06", "DL1ABC"}));

  EXPECT_EQ(ParseQsoLine(u" 1825 RY 2026-09-26 2460 W1XYZ 599 08 DL1ABC 599 06", 1).minute,
            kNoTime);
  EXPECT_EQ(ParseQsoLine(u" 1825 RY 2026-09-26 2300 W1XYZ 599 08 DL1ABC 599 06", 1).band,
            kOtherBand);
  EXPECT_TRUE(ParseQsoLine(u"", 1).call.isEmpty());
  // Reading the minute alone gives what the whole parse gives, in either layout.
  for (const QStringView line :
       {QStringView(fixed), QStringView(u" 14085 RY 2026-09-26 0451 w1xyz 599 08 DL1ABC 599 06"),
        QStringView(u" 7000\tRY\t20260926\t04:51 W1XYZ 599 08 DL1ABC 599 06"),
        QStringView(u" 1825 RY 2026-09-26 2460 W1XYZ"), QStringView(u" 14085 RY 2026-09-26"),
        QStringView(u"")}) {
    EXPECT_EQ(QsoLineMinute(line), ParseQsoLine(line, 1).minute) << line.toString().toStdString();
  }

  // A log read keeps its lines' texts wherever it moves, the worked call upper-cased.
  std::vector<ContestLog> logs;
  logs.push_back(ReadContestLogBytes(
      "w1xyz.log", "CALLSIGN: w1xyz\nQSO: 14085 RY 2026-09-26 0451 w1xyz 599 08 dl1abc 599 06\n"));
  logs.resize(64);
  ASSERT_EQ(logs[0].qsos.size(), 1);
  EXPECT_EQ(logs[0].station, "W1XYZ");
  EXPECT_EQ(logs[0].qsos[0].call, u"DL1ABC");
  EXPECT_EQ(logs[0].qsos[0].FieldText(ContestQso::kMyCall), u"w1xyz");
}

TEST(ForEachInParallel, DoesEveryItemOnceAndStopsWhenAsked) {
  std::vector<std::atomic<int>> done(1000);
  std::atomic<bool> worker_in_range{true};
  EXPECT_TRUE(ForEachInParallel(done.size(), [&](size_t item, int worker) {
    if (worker < 0 || worker >= ParallelWorkers()) worker_in_range = false;
    ++done[item];
  }));
  EXPECT_TRUE(worker_in_range);
  EXPECT_TRUE(std::all_of(done.begin(), done.end(), [](const auto& d) { return d == 1; }));

  // Stopped, the job says so. The other threads hold their first item until
  // then: free, they could take every item before the calling thread, which
  // alone asks whether to stop, had done one.
  size_t last_done = 0;
  std::atomic<bool> stopping{false};
  EXPECT_FALSE(ForEachInParallel(
      1000,
      [&](size_t, int worker) {
        while (worker != 0 && !stopping) std::this_thread::yield();
      },
      [&](size_t n) { last_done = n; }, [&] { return stopping = last_done >= 10; }));
  EXPECT_GE(last_done, 10u);

  EXPECT_THROW(ForEachInParallel(100,
                                 [](size_t item, int) {
                                   if (item == 50) throw std::runtime_error("item 50");
                                 }),
               std::runtime_error);
}

}  // namespace
}  // namespace tovek::crosscheck
