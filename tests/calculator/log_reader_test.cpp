#include "calculator/log_reader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "tests/calculator/kavrel_cabrillo.h"
#include "tests/calculator/printers.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::KavrelQso;
using testing::TempFolder;

CabrilloSummary SampleSummary() {
  CabrilloSummary s;
  s.call_sign = "JA1ABC";
  s.category = "SOLP";
  s.claimed_score = "12,345";
  s.operators = "JA1ABC JA1XYZ";
  s.club = "Tokyo RTTY Club";
  s.continent = "AS";
  s.entity = "JA";
  s.name = "山田 太郎";
  s.created_by = "Kavrel 1.4";
  s.address = "1-2-3 Chiyoda <LF> Tokyo <LF> Japan";
  s.soapbox = "FB contest <LF> 73";
  return s;
}

TEST(ReadLog, KavrelLogGivesItsSummaryAndQsos) {
  TempFolder folder;
  const QString path = testing::WriteKavrelLog(folder.File("JA1ABC.cbr"), SampleSummary(),
                                               {{"14080", "K1XYZ"},
                                                {" 7025", "DL1ABC"},
                                                {" 3510", "VK2AAA/P"},
                                                {"21085", "ja3zzz"},
                                                {"28090", "PY2ABCDEFGHIJK"},
                                                {" 1825", "UA3ABC"},
                                                {"50100", "W1AW"}});
  const LogRead log = ReadLog(path);
  EXPECT_EQ(log.status, LogRead::Status::kRead);
  EXPECT_EQ(log.summary, SampleSummary());
  EXPECT_EQ(log.stn_cnt, "AS");
  EXPECT_EQ(log.qsos, (QsoEntryList{{"14", "K1XYZ"},
                                    {"7", "DL1ABC"},
                                    {"3.5", "VK2AAA/P"},
                                    {"21", "ja3zzz"},
                                    {"28", "PY2ABCDEFGHI"},
                                    {" 1825", "UA3ABC"},
                                    {"50100", "W1AW"}}));
}

TEST(ReadLog, EmptyValuesAndNoQsos) {
  TempFolder folder;
  CabrilloSummary only_call;
  only_call.call_sign = "W1AW";
  const LogRead log = ReadLog(testing::WriteKavrelLog(folder.File("W1AW.cbr"), only_call, {}));
  EXPECT_EQ(log.status, LogRead::Status::kRead);
  EXPECT_EQ(log.summary, only_call);
  EXPECT_TRUE(log.stn_cnt.isEmpty());
  EXPECT_TRUE(log.qsos.isEmpty());
}

TEST(BandOfFrequency, FiveBandsWithTheirUpperEdgesOutside) {
  const struct {
    const char* frequency;
    const char* band;
  } cases[] = {
      {" 3500", "3.5"},   {" 3999", "3.5"},   {" 4000", " 4000"}, {" 3499", " 3499"},
      {" 7000", "7"},     {"7499 ", "7"},     {" 7500", " 7500"}, {"14000", "14"},
      {"14499", "14"},    {"14500", "14500"}, {"21000", "21"},    {"21500", "21500"},
      {"28000", "28"},    {"29999", "28"},    {"30000", "30000"}, {" 1825", " 1825"},
      {"50100", "50100"}, {"14 02", "14 02"}, {"1 4 0", "1 4 0"}, {"7.0e3", "7"},
      {"RY 20", "RY 20"}, {"", ""},           {"140", "140"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BandOfFrequency(c.frequency), c.band) << c.frequency;
  }
}

TEST(ReadLogBytes, TagsArePlacedByTheFirstColonInAnyCase) {
  const LogRead log = ReadLogBytes(
      "start-of-log: 2.0\r\n"
      "  callsign  :  JA1ABC  \r\n"
      "Category: soPH\r\n"
      "ADDRESS: first line\r\n"
      "ADDRESS: second line\r\n"
      "CATEGORY-OPERATOR: SINGLE-OP\r\n"
      "NAME: a: b\r\n"
      "no colon at all\r\n"
      "\r\n"
      "X-QSO: 14000 RY 2024-10-19 1234 JA1TEST      599 10     K1XYZ          599 20\r\n"
      // Positions count from the colon, so a line indented by two keeps its
      // fields two columns to the right and reads the same.
      "  QSO: 14000 RY 2024-10-19 1234 JA1TEST      599 10     K1XYZ          599 20\r\n"
      "qso : 21010 RY 2024-10-19 1234 JA1TEST      599 10     W1AW           599 20\r\n"
      "QSO: 7010\r\n"
      "END-OF-LOG:\r\n");
  EXPECT_EQ(log.summary.call_sign, "JA1ABC");
  EXPECT_EQ(log.summary.category, "soPH");
  EXPECT_EQ(log.summary.address, "second line");
  EXPECT_EQ(log.summary.name, "a: b");
  EXPECT_EQ(log.qsos, (QsoEntryList{{"14", "K1XYZ"}, {"21", "W1AW"}, {"7", ""}}));
}

TEST(ReadLogBytes, LoneLineFeedsEndLinesLikeCrLf) {
  const QByteArray crlf =
      "CALLSIGN: K1XYZ\r\nARRL-SECTION: NA\r\n"
      "QSO: 14080 RY 2024-10-19 1234 K1XYZ        599 10     JA1ABC         599 20\r\n"
      "QSO:  7040 RY 2024-10-19 1235 K1XYZ        599 10     JA1ABC         599 20\r\n";
  const LogRead expected = ReadLogBytes(crlf);
  ASSERT_EQ(expected.qsos.size(), 2);
  for (const QByteArray& ends : {QByteArray("\n"), QByteArray("\r")}) {
    QByteArray other = crlf;
    other.replace("\r\n", ends);
    const LogRead log = ReadLogBytes(other);
    EXPECT_EQ(log.summary, expected.summary);
    EXPECT_EQ(log.qsos, expected.qsos);
    EXPECT_EQ(log.stn_cnt, "NA");
  }
}

TEST(ReadLog, MissingFileAndFolderReadNothing) {
  TempFolder folder;
  const LogRead missing = ReadLog(folder.File("none.cbr"));
  EXPECT_EQ(missing.status, LogRead::Status::kMissing);
  EXPECT_EQ(missing.summary, CabrilloSummary{});
  EXPECT_TRUE(missing.qsos.isEmpty());
  ASSERT_TRUE(QDir(folder.Path()).mkdir("dir.cbr"));
  const LogRead unreadable = ReadLog(folder.File("dir.cbr"));
  EXPECT_EQ(unreadable.status, LogRead::Status::kUnreadable);
  EXPECT_FALSE(unreadable.error.isEmpty());
}

TEST(ReadLogBytes, StopsAtTheQsoLineThatTheCountCannotHold) {
  QByteArray bytes = "CALLSIGN: K1XYZ\r\nARRL-SECTION: NA\r\n";
  const QByteArray qso =
      "QSO: 14080 RY 2024-10-19 1234 K1XYZ        599 10     JA1ABC         599 20\r\n";
  for (int i = 0; i < kMaxLogQsos; ++i) bytes += qso;
  bytes += "QSO: 21080 RY 2024-10-19 1234 K1XYZ        599 10     JA9LAST        599 20\r\n";
  bytes += "CLUB: after the limit\r\n";
  const LogRead log = ReadLogBytes(bytes);
  EXPECT_EQ(log.status, LogRead::Status::kTooManyQsos);
  EXPECT_EQ(log.qsos.size(), kMaxLogQsos);
  EXPECT_EQ(log.qsos.constLast(), (QsoEntry{"14", "JA1ABC"}));
  EXPECT_TRUE(log.summary.club.isEmpty());
  EXPECT_EQ(log.stn_cnt, "NA");
}

TEST(ReadLogBytes, ShiftJisTextCountsCharactersNotBytes) {
  // A two-byte character before the colon does not move the fields.
  const LogRead log = ReadLogBytes(
      "NAME: \x8e\x52\x93\x63\r\n"
      "QSO: 14080 RY 2024-10-19 1234 \x8e\x52\x93\x63           599 10     JA1ABC         599 "
      "20\r\n");
  EXPECT_EQ(log.summary.name, QStringLiteral("山田"));
  EXPECT_EQ(log.qsos, (QsoEntryList{{"14", "JA1ABC"}}));
}

// A CP932 character cut in half at a line's end leaves a lone lead byte: it
// is marked in the text, reported, and no part of the call signs.
TEST(ReadLogBytes, CharacterCutAtTheLineEndStaysOutOfCallSigns) {
  const LogRead log = ReadLogBytes(
      "CALLSIGN: JA1XYZ\x81\r\n"
      "NAME: \x8e\x52\x93\x63\x81\r\n"
      "QSO: 14080 RY 2024-10-19 1234 JA1XYZ        599 10     JA1ABC\x81\r\n");
  EXPECT_EQ(log.summary.call_sign, "JA1XYZ");
  EXPECT_EQ(log.summary.name, QStringLiteral("山田\uFFFD"));
  EXPECT_EQ(log.qsos, (QsoEntryList{{"14", "JA1ABC"}}));
  EXPECT_EQ(log.decoding.encoding, TextEncoding::kCp932);
  EXPECT_EQ(log.decoding.bad_bytes, 3);
}

// Real logs written by other programs: Cabrillo 2.0 files in the template's
// layout read as Kavrel's do; 3.0 files with wider columns give whatever
// stands at the fixed positions.
class RealLogs : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = QStringLiteral(TOVEK_REAL_DATA_DIR "/cabrillo");
    if (!QFileInfo(folder_).isDir()) GTEST_SKIP() << "no real logs at " << folder_.toStdString();
  }
  LogRead Read(const char* name) {
    return ReadLog(QDir(folder_).filePath(QString::fromLatin1(name)));
  }
  QString folder_;
};

TEST_F(RealLogs, Cabrillo20TemplateLayout) {
  const LogRead ga = Read("s53zo_Hamradio-Contest-logs-Archives_CQWW_cw_2005_4x1ga.log");
  EXPECT_EQ(ga.status, LogRead::Status::kRead);
  EXPECT_EQ(ga.summary.call_sign, "4X1GA");
  EXPECT_EQ(ga.summary.category, "CHECKLOG");
  EXPECT_EQ(ga.summary.continent, "DX");
  EXPECT_EQ(ga.summary.claimed_score, "0");
  EXPECT_EQ(ga.summary.name, "ARCADY");
  ASSERT_EQ(ga.qsos.size(), 102);
  EXPECT_EQ(ga.qsos.mid(0, 3), (QsoEntryList{{"3.5", "3V5A"}, {"3.5", "ZB2X"}, {"3.5", "R1MVC"}}));

  const LogRead abd = Read("s53zo_Hamradio-Contest-logs-Archives_CQWW_cw_2005_7j1abd.log");
  EXPECT_EQ(abd.summary.call_sign, "7J1ABD");
  EXPECT_EQ(abd.summary.category, "SINGLE-OP ALL HIGH CW");
  EXPECT_EQ(abd.summary.name, "Daniel J. Domondon");
  EXPECT_EQ(abd.summary.claimed_score, "104859");
  EXPECT_TRUE(abd.summary.operators.isEmpty());
  ASSERT_EQ(abd.qsos.size(), 251);
  EXPECT_EQ(abd.qsos.mid(0, 3), (QsoEntryList{{"21", "WH0V"}, {"21", "JT1CO"}, {"21", "W6YA"}}));

  const LogRead ao =
      Read("kd4d_Contest-Log-Analyzer_CONTEST_LOGS_REPORTS_Logs_2025_arrl-fd_W3AO-CWSSB.log");
  EXPECT_EQ(ao.summary.address, "MITCHELLVILLE - MD - 20716 - UNITED STATES");
  EXPECT_EQ(ao.summary.continent, "MDC");
  ASSERT_EQ(ao.qsos.size(), 8407);
  EXPECT_EQ(ao.qsos.mid(0, 3), (QsoEntryList{{"21", "AD4GG"}, {"21", "K0BH"}, {"21", "KE4HAM"}}));
}

TEST_F(RealLogs, Cabrillo30OnlyWhatStandsAtTheFixedPositions) {
  const LogRead mm =
      Read("kd4d_Contest-Log-Analyzer_CONTEST_LOGS_REPORTS_Logs_2024_cq-ww-rtty_k3mm.log");
  EXPECT_EQ(mm.status, LogRead::Status::kRead);
  EXPECT_EQ(mm.summary.call_sign, "K3MM");
  EXPECT_EQ(mm.summary.entity, "MDC");
  EXPECT_TRUE(mm.summary.category.isEmpty());  // only CATEGORY-... lines
  EXPECT_EQ(mm.summary.claimed_score, "4732035");
  ASSERT_EQ(mm.qsos.size(), 2700);
  // N1MM's frequency field is seven wide: the five characters read are "  141".
  EXPECT_EQ(mm.qsos[0], (QsoEntry{"  141", "5  MD   W9TD"}));

  const LogRead z = Read("thxo_cabrillo_tests_I44Z.log");
  EXPECT_EQ(z.summary.operators, "AD6E K6XX");
  EXPECT_EQ(z.summary.address, "2164 Kamaile St");
  ASSERT_EQ(z.qsos.size(), 6);
  EXPECT_EQ(z.qsos[0], (QsoEntry{"14", ""}));
}

TEST_F(RealLogs, EveryRealFileReadsWithoutFault) {
  for (const QString& name : QDir(folder_).entryList(QDir::Files)) {
    const LogRead log = ReadLog(QDir(folder_).filePath(name));
    EXPECT_EQ(log.status, LogRead::Status::kRead) << name.toStdString();
    EXPECT_LE(log.qsos.size(), kMaxLogQsos);
  }
}

}  // namespace
}  // namespace tovek
