#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

#include "cli/command_line.h"
#include "tests/cli/tovek_run.h"
#include "tests/converter/qt_printers.h"
#include "tests/support/test_files.h"

namespace tovek::cli {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::Tovek;
using testing::TovekRun;

// Two QSOs as two logging programs might write them: the first with type
// letters and six-digit times, the second in lower case.
const QByteArray kLog =
    "Exported by hand<EOH>\r\n"
    "<CALL:6>JA1XYZ<QSO_DATE:8:D>20261205<TIME_ON:6>120305<FREQ:6>14.080<MODE:4>RTTY"
    "<RST_SENT:3>599<RST_RCVD:3>599<STX:3>001<SRX_STRING:4>0042<OPERATOR:6>JA1ABC<EOR>\r\n"
    "<call:5>K1abc<qso_date:8>20261205<time_on:4>1210<freq:5>7.045<mode:4>rtty"
    "<rst_sent:3>599<rst_rcvd:3>579<stx:3>002<srx_string:3>123<operator:6>ja1abc<eor>\r\n";

class Adif2Cbr : public ::testing::Test {
 protected:
  void SetUp() override {
    out_ = folder_.Path() + QStringLiteral("/out");
    QDir().mkpath(out_);
    lists_ = folder_.Path() + QStringLiteral("/lists");
    QDir().mkpath(lists_);
    testing::WriteBytes(lists_ + "/Contest.lst", "TOVEK-WW-RTTY\r\nOTHER-TEST\r\n");
    testing::WriteBytes(lists_ + "/CateOp.lst", "SINGLE-OP\r\nMULTI-OP\r\n");
    testing::WriteBytes(lists_ + "/CateBand.lst", "ALL\r\n20M\r\n");
    testing::WriteBytes(lists_ + "/CateMode.lst", "RTTY\r\n");
    testing::WriteBytes(lists_ + "/CatePwr.lst", "HIGH\nLOW\n");
    testing::WriteBytes(lists_ + "/CateStn.lst", "\r\nFIXED\r\n");
    log_ = folder_.Write("log.adi", kLog);
  }

  // Every required header value and both exchange columns.
  QStringList Complete() const {
    return {"adif2cbr",
            "--lists",
            lists_,
            "--set",
            "CONTEST=TOVEK-WW-RTTY",
            "--set",
            "CATEGORY-OPERATOR=SINGLE-OP",
            "--set",
            "CATEGORY-BAND=ALL",
            "--set",
            "CATEGORY-MODE=RTTY",
            "--set",
            "CATEGORY-POWER=LOW",
            "--source",
            "SEND NO=STX",
            "--source",
            "rcvd no=srx_string",
            "--out",
            out_,
            log_};
  }

  TempFolder folder_;
  QString out_;
  QString lists_;
  QString log_;
};

TEST_F(Adif2Cbr, WritesTheWholeFileAndPrintsItsPath) {
  const TovekRun run = Tovek(Complete());
  EXPECT_EQ(run.status, kSuccess) << run.err.toStdString();
  EXPECT_EQ(run.out, out_ + "/JA1ABC.cbr\n");
  EXPECT_TRUE(run.err.isEmpty());
  EXPECT_EQ(ReadBytes(out_ + "/JA1ABC.cbr"),
            "START-OF-LOG: 3.0\r\n"
            "CALLSIGN: JA1ABC\r\n"
            "CONTEST: TOVEK-WW-RTTY\r\n"
            "CATEGORY-OPERATOR: SINGLE-OP\r\n"
            "CATEGORY-BAND: ALL\r\n"
            "CATEGORY-MODE: RTTY\r\n"
            "CATEGORY-POWER: LOW\r\n"
            "CATEGORY-STATION: \r\n"
            "OPERATORS: \r\n"
            "NAME: \r\n"
            "ADDRESS: \r\n"
            "ADDRESS-CITY: \r\n"
            "ADDRESS-STATE-PROVINCE: \r\n"
            "ADDRESS-POSTALCODE: \r\n"
            "ADDRESS-COUNTRY: \r\n"
            "EMAIL: \r\n"
            "CREATED-BY: Morrick 1.0.31\r\n"
            "QSO: 14080 RY 2026-12-05 1203 JA1ABC        599 001    JA1XYZ        599 004\r\n"
            "QSO:  7045 RY 2026-12-05 1210 JA1ABC        599 002    K1ABC         579 123\r\n"
            "END-OF-LOG:\r\n");
}

TEST_F(Adif2Cbr, TypedTextsReplacementsAndWidths) {
  QStringList args = Complete();
  args.removeLast();
  args << "--replace"
       << "MY CALLSIGN= ja1abc/1 "
       << "--replace"
       << "RCVD RST=5nn"
       << "--set"
       << "OPERATORS=ja1abc jh1xyz"
       << "--set"
       << "NAME=Taro Yamada"
       << "--set"
       << "CATEGORY-STATION=FIXED"
       << "--set"
       << "EMAIL=a=b@example.org"
       << "--width"
       << "MyCallLen=9"
       << "--width"
       << "RNoLen=0"
       << "--width"
       << "SNoLen=10" << log_;
  const TovekRun run = Tovek(args);
  ASSERT_EQ(run.status, kSuccess) << run.err.toStdString();
  EXPECT_EQ(run.out, out_ + "/JA1ABC-1.cbr\n");
  const QList<QByteArray> lines = ReadBytes(out_ + "/JA1ABC-1.cbr").split('\n');
  ASSERT_EQ(lines.size(), 21);
  EXPECT_EQ(lines[1], "CALLSIGN: JA1ABC/1\r");
  EXPECT_EQ(lines[7], "CATEGORY-STATION: FIXED\r");
  EXPECT_EQ(lines[8], "OPERATORS: JA1ABC JH1XYZ\r");
  EXPECT_EQ(lines[9], "NAME: Taro Yamada\r");
  EXPECT_EQ(lines[15], "EMAIL: a=b@example.org\r");
  EXPECT_EQ(lines[17], "QSO: 14080 RY 2026-12-05 1203 JA1ABC/1 599 001       JA1XYZ        5NN \r");
  EXPECT_EQ(lines[18], "QSO:  7045 RY 2026-12-05 1210 JA1ABC/1 599 002       K1ABC         5NN \r");
}

TEST_F(Adif2Cbr, SettingsSupplyHeaderChoicesAndWidthsFirst) {
  const QString ini = folder_.Write("Morrick.ini",
                                    "Contest=OTHER-TEST\r\nCateOpe=MULTI-OP\r\nCateBand=160M\r\n"
                                    "CateMode=RTTY\r\nCatePower=HIGH\r\nUrCallLen=6\r\n"
                                    "SrstLen=99\r\nAdiLogFolder=/elsewhere\r\n");
  const QStringList base = {
      "adif2cbr", "--settings",         ini,     "--lists", lists_, "--source", "SEND NO=STX",
      "--source", "RCVD NO=SRX_STRING", "--out", out_};
  // 160M is no line of the band list: the box stays empty, as in the window.
  TovekRun run = Tovek(base + QStringList{log_});
  EXPECT_EQ(run.status, kRefused);
  EXPECT_EQ(run.err, "データ項目をセットしてください\n");

  run = Tovek(base + QStringList{"--set", "CATEGORY-BAND=20M", "--set", "CONTEST=TOVEK-WW-RTTY",
                                 "--width", "UrCallLen=7", log_});
  ASSERT_EQ(run.status, kSuccess) << run.err.toStdString();
  const QList<QByteArray> lines = ReadBytes(out_ + "/JA1ABC.cbr").split('\n');
  EXPECT_EQ(lines[2], "CONTEST: TOVEK-WW-RTTY\r");
  EXPECT_EQ(lines[3], "CATEGORY-OPERATOR: MULTI-OP\r");
  EXPECT_EQ(lines[4], "CATEGORY-BAND: 20M\r");
  EXPECT_EQ(lines[6], "CATEGORY-POWER: HIGH\r");
  // A width beyond its spinner's range is brought to the range's end (7).
  EXPECT_EQ(lines[17],
            "QSO: 14080 RY 2026-12-05 1203 JA1ABC        599    001    JA1XYZ 599 004\r");

  EXPECT_EQ(Tovek({"adif2cbr", "--settings", folder_.File("none.ini"), "--out", out_, log_}).status,
            kRefused);
}

TEST_F(Adif2Cbr, ChecksReportTheirMessages) {
  QStringList args = Complete();
  args.removeLast();
  struct Case {
    QStringList extra;
    QString err;
  };
  const QList<Case> cases = {
      {{"--replace", "MY CALLSIGN=  "}, "データ項目をセットしてください\n"},
      {{"--source", "SEND NO=STX", "--replace", "RCVD NO="}, "データ項目をセットしてください\n"},
      {{"--out", folder_.File("missing")},
       "ログフォルダーを設定してください\n作業を続行できません\n"},
      {{"--replace", "MY CALLSIGN=JA1ABC/1/P"},
       "コールサイン「JA1ABC/1/P」はファイル名に使えません\n作業を続行できません\n"},
      {{"--replace", "MY CALLSIGN=../JA1ABC"},
       "コールサイン「../JA1ABC」はファイル名に使えません\n作業を続行できません\n"},
      // "..cbr" would be a hidden file.
      {{"--replace", "MY CALLSIGN=."},
       "コールサイン「.」はファイル名に使えません\n作業を続行できません\n"},
  };
  for (const Case& c : cases) {
    const TovekRun run = Tovek(args + c.extra + QStringList{log_});
    EXPECT_EQ(run.status, kRefused) << c.extra.join(' ').toStdString();
    EXPECT_EQ(run.err, c.err) << c.extra.join(' ').toStdString();
    EXPECT_TRUE(run.out.isEmpty());
  }
  EXPECT_TRUE(QDir(out_).isEmpty());
  EXPECT_FALSE(QFileInfo::exists(folder_.Path() + "/JA1ABC.cbr"));

  const TovekRun unread = Tovek({"adif2cbr", "--out", out_, folder_.File("none.adi")});
  EXPECT_EQ(unread.status, kRefused);
  EXPECT_TRUE(unread.err.startsWith(folder_.File("none.adi") + ": "));

  const TovekRun no_field = Tovek(args + QStringList{"--source", "SEND NO=SRX", log_});
  EXPECT_EQ(no_field.status, kRefused);
  EXPECT_EQ(no_field.err, "tovek adif2cbr: SRX is not a field of record 1 of " + log_ + "\n");
}

// A line break or another control character inside a value would split the
// QSO line (the calculator would read a phantom QSO): each is written as a
// blank. Dates and times that are none are refused with their records.
TEST_F(Adif2Cbr, ValuesNeverBreakALineAndUnreadableDatesAndTimesAreNamed) {
  const QByteArray good =
      "<CALL:5>K1ABC<QSO_DATE:8>20261205<TIME_ON:4>1210<FREQ:5>7.045<MODE:4>RTTY<RST_SENT:3>599"
      "<RST_RCVD:3>579<STX:3>002"
      "<SRX_STRING:3>123<OPERATOR:6>JA1ABC<EOR>\r\n";
  QByteArray broken = good;
  broken.replace("<CALL:5>K1ABC", "<CALL:15>K1ABC\nQSO:\x1b[2J\x7f");
  QStringList args = Complete();
  args.last() = folder_.Write("broken.adi", "<EOH>" + good + broken);
  const TovekRun written = Tovek(args);
  ASSERT_EQ(written.status, kSuccess) << written.err.toStdString();
  const QStringList lines = QString::fromLatin1(ReadBytes(out_ + "/JA1ABC.cbr")).split("\r\n");
  ASSERT_EQ(lines.size(), 17 + 2 + 1 + 1);  // the header, two QSOs, the end, and after it
  for (const QString& line : lines) {
    EXPECT_FALSE(line.contains(QRegularExpression("[\\x00-\\x1f\\x7f]"))) << line.toStdString();
  }
  EXPECT_EQ(lines[18].indexOf("K1ABC QSO: [2J"), lines[17].indexOf("K1ABC"));

  QByteArray dates = good;
  for (const auto& [from, to] :
       {std::pair<QByteArray, QByteArray>{"<QSO_DATE:8>20261205", "<QSO_DATE:10>ABCD-EF-GH"},
        {"<TIME_ON:4>1210", "<TIME_ON:2>25"},
        {"<TIME_ON:4>1210", "<TIME_ON:4>9999"},
        {"<QSO_DATE:8>20261205", "<QSO_DATE:8>20260230"},
        {"<TIME_ON:4>1210", "<TIME_ON:6>1210ss"}}) {
    dates += QByteArray(good).replace(from, to);
  }
  QDir(out_).removeRecursively();
  QDir().mkpath(out_);
  args.last() = folder_.Write("dates.adi", "<EOH>" + dates);
  const TovekRun refused = Tovek(args);
  EXPECT_EQ(refused.status, kRefused);
  EXPECT_EQ(refused.err,
            "日付 (yyyymmdd) または時刻 (hhmm) が読めないレコードがあります: 2, 3, 4, 5, 6\n"
            "作業を続行できません\n");
  EXPECT_TRUE(QDir(out_).isEmpty());
}

TEST_F(Adif2Cbr, UsageErrors) {
  const QList<QStringList> cases = {
      {"adif2cbr", log_},
      {"adif2cbr", "--out", out_},
      {"adif2cbr", "--out", out_, log_, log_},
      {"adif2cbr", "--lists", lists_, "--set", "CONTEST=CQ-WW-RTTY", "--out", out_, log_},
      {"adif2cbr", "--set", "CALLSIGN=JA1ABC", "--out", out_, log_},
      {"adif2cbr", "--set", "NAME", "--out", out_, log_},
      {"adif2cbr", "--source", "FREQUENCY=FREQ", "--out", out_, log_},
      {"adif2cbr", "--replace", "UR CALLSIGN=JA1XYZ", "--out", out_, log_},
      {"adif2cbr", "--width", "MyCallLen=21", "--out", out_, log_},
      {"adif2cbr", "--width", "SrstLen=-1", "--out", out_, log_},
      {"adif2cbr", "--width", "SNoLen=x", "--out", out_, log_},
      {"adif2cbr", "--width", "mycalllen=5", "--out", out_, log_},
      {"adif2cbr", "--colour", "red", "--out", out_, log_},
  };
  for (const QStringList& args : cases) {
    const TovekRun run = Tovek(args);
    EXPECT_EQ(run.status, kUsageError) << args.join(' ').toStdString();
    EXPECT_FALSE(run.err.isEmpty());
  }
  EXPECT_TRUE(QDir(out_).isEmpty());
  EXPECT_EQ(
      Tovek({"adif2cbr", "--lists", lists_, "--set", "CATEGORY-POWER=QRP", "--out", out_, log_})
          .err,
      "tovek adif2cbr: --set: \"QRP\" is not a line of CatePwr.lst (HIGH, LOW)\n");
  EXPECT_TRUE(Tovek({"adif2cbr", "--help"}).out.startsWith("Usage: tovek adif2cbr"));
  EXPECT_TRUE(Tovek({"help"}).out.contains("adif2cbr"));
}

TEST_F(Adif2Cbr, ShippedListsOfferTheContest) {
  QStringList args = Complete();
  args.removeAt(args.indexOf("--lists") + 1);
  args.removeAt(args.indexOf("--lists"));
  const TovekRun run = Tovek(args);
  EXPECT_EQ(run.status, kSuccess) << run.err.toStdString();
}

TEST_F(Adif2Cbr, ProgramWritesTheFileAndItsPathInUtf8) {
  QProcess process;
  process.start(QStringLiteral(TOVEK_PROGRAM_DIR "/tovek"), Complete());
  ASSERT_TRUE(process.waitForFinished(10000));
  EXPECT_EQ(process.exitCode(), 0);
  EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()), out_ + "/JA1ABC.cbr\n");
  QStringList args = Complete();
  args.removeLast();
  process.start(QStringLiteral(TOVEK_PROGRAM_DIR "/tovek"),
                args + QStringList{"--out", folder_.File("nowhere"), log_});
  ASSERT_TRUE(process.waitForFinished(10000));
  EXPECT_EQ(process.exitCode(), 1);
  EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()),
            "ログフォルダーを設定してください\n作業を続行できません\n");
}

}  // namespace
}  // namespace tovek::cli
