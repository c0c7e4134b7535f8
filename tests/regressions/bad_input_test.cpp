// Bad input handed to every reader on purpose, through tovek as a script or
// another program would hand it over: binary files, NUL bytes, bytes that
// are no CP932, a line of 10 MB, more rows, QSOs or records than a 16-bit
// count holds, ADIF lengths past the record, and call signs that try to
// leave their folder. Each gets a clear message or the readers' documented
// behaviour; nothing crashes, hangs or writes where it should not.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <ostream>

#include "calculator/results_file.h"
#include "cli/command_line.h"
#include "tests/cli/review_test_support.h"
#include "tests/support/test_files.h"

namespace tovek::cli {
namespace {

using testing::TovekRun;
using tovek::testing::ReadBytes;
using tovek::testing::TempFolder;

// What tovek is handed and what it must answer.
struct BadInputCase {
  const char* name;
  QByteArray file;  // written as "in.<suffix>" and passed last
  const char* suffix;
  QStringList args;  // "%F" stands for the folder, "%O" for the output folder
  int status;
  QString out;  // "%F" and "%O" as above
  QString err;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const BadInputCase& c, std::ostream* out) { *out << c.name; }

QString Expand(QString text, const QString& folder, const QString& out) {
  return text.replace("%F", folder).replace("%O", out);
}

class BadInput : public ::testing::TestWithParam<BadInputCase> {};

TEST_P(BadInput, IsAnsweredClearly) {
  const BadInputCase& c = GetParam();
  TempFolder folder;
  const QString out = folder.File("out");
  QStringList args;
  QDir().mkpath(out);
  for (const QString& arg : c.args) args.append(Expand(arg, folder.Path(), out));
  args.append(folder.Write(QStringLiteral("in.") + c.suffix, c.file));
  const TovekRun run = testing::Tovek(args);
  EXPECT_EQ(run.status, c.status);
  EXPECT_EQ(run.out, Expand(c.out, folder.Path(), out));
  EXPECT_EQ(run.err, Expand(c.err, folder.Path(), out));
  // A refusal writes nothing.
  if (c.status != kSuccess) {
    EXPECT_TRUE(QDir(out).isEmpty()) << QDir(out).entryList().join(' ').toStdString();
  }
}

// The first bytes of an image file, with NUL bytes, a DOS end-of-file mark
// and bytes that begin no CP932 character ("\x89P" is one: "臼").
const QByteArray kBinary("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\x01\0\xFF\xD8\xFF\xE0", 24);
const QString kBinaryRows = QStringLiteral("臼NG\n    \nIHDR    \uFFFDﾘ\uFFFD\uFFFD\n");

// Its bytes read best as CP932, all but three of them ("\xFF" twice and the
// lead byte "\xE0" at the end).
const QString kBinaryBadBytes =
    QStringLiteral(": read as CP932; 3 bytes are no character there, shown as U+FFFD\n");

const QString kIncompleteSummary = QStringLiteral(
    "[カテゴリ]　\n[コールサイン]　\n[コンチネント]　\n[エンティティ]　\nを確認してください！\n");

const QString kScoreHeader = QStringLiteral(
    "No\tCallSign\tCategory\tClaimedScore\tScore\tQsoLines\tValid\tDupes\tPoints\tMult1\tMult2\t"
    "TotalMult\tContinent\tEntity\n");

QByteArray KavrelLog(const QByteArray& call, const QByteArray& qso_rows) {
  return "START-OF-LOG: 3.0\r\nCALLSIGN: " + call +
         "\r\nCATEGORY: SINGLE-OP ALL HIGH\r\nARRL-SECTION: AS\r\n" + qso_rows + "END-OF-LOG:\r\n";
}

const QByteArray kQsoRow =
    "QSO: 14080 RY 2026-09-26 0012 JA1XYZ        599 01     K1ABC         599 05\r\n";

QStringList Adif2Cbr() {
  return {"adif2cbr",
          "--set",
          "CONTEST=TOVEK-WW-RTTY",
          "--set",
          "CATEGORY-OPERATOR=SINGLE-OP",
          "--set",
          "CATEGORY-BAND=ALL",
          "--set",
          "CATEGORY-MODE=RTTY",
          "--set",
          "CATEGORY-POWER=HIGH",
          "--replace",
          "SEND NO=01",
          "--replace",
          "RCVD NO=05",
          "--out",
          "%O"};
}

INSTANTIATE_TEST_SUITE_P(
    Tovek, BadInput,
    ::testing::Values(
        // The editor reads any file as text: the binary bytes become rows,
        // printed with blanks for their control characters.
        BadInputCase{"BinaryLogIsReadAsText",
                     kBinary,
                     "log",
                     {"load"},
                     kSuccess,
                     kBinaryRows,
                     "%F/in.log" + kBinaryBadBytes},
        // ... and the field layout reader finds no summary in them.
        BadInputCase{"BinaryLogHasNoSummary",
                     kBinary,
                     "log",
                     {"cabrillo", "--out", "%O"},
                     kRefused,
                     "",
                     "%F/in.log" + kBinaryBadBytes + kIncompleteSummary},
        // The score calculator gives it a row of its own, all counts 0.
        BadInputCase{"BinaryCabrilloLogScoresNothing",
                     kBinary,
                     "cbr",
                     {"score"},
                     kSuccess,
                     kScoreHeader + "1\t\t\t0\t0\t0\t0\t0\t0\t0\t0\t0\t\t\n",
                     "%F/in.cbr" + kBinaryBadBytes},
        // QSO lines that end before the worked call: each is a QSO with an
        // empty call, which resolves to no entity: valid once per band, no
        // points, a multiplier of the empty key; the third is a duplicate of
        // the first. (The call cache once copied the empty call from a null
        // pointer; the sanitizer build fails on that.)
        BadInputCase{"QsoLinesWithoutWorkedCallAreScored",
                     KavrelLog("JA1XYZ",
                               "QSO:  7035 RY 2026-09-26 0000 JA1XYZ        599 01\r\n"
                               "QSO: 14080 RY 2026-09-26 0012 JA1XYZ        599 01     K1ABC"
                               "         599 05\r\n"
                               "QSO:  7035 RY 2026-09-26 0013 JA1XYZ        599 01     \r\n"),
                     "cbr",
                     {"score"},
                     kSuccess,
                     kScoreHeader + "1\tJA1XYZ\tSINGLE-O\t0\t6\t3\t2\t1\t3\t1\t1\t2\tAS\t\n",
                     ""},
        // The converter finds no record in it.
        BadInputCase{"BinaryAdifHasNoRecord", kBinary, "adi", Adif2Cbr(), kRefused, "",
                     "%F/in.adi" + kBinaryBadBytes + "データ項目をセットしてください\n"},
        BadInputCase{"BinaryPrefixFileStopsAtItsFirstLine",
                     kBinary,
                     "dat",
                     {"resolve", "JA1ABC", "--cty"},
                     kRefused,
                     "",
                     "%F/in.dat: line 1: entity line without a primary prefix in column 70\n"
                     "%F/in.dat: the prefixes after that line are missing; give --partial-cty to "
                     "go on without them\n"},
        BadInputCase{"BinaryPrefixFileAcceptedAsPartial",
                     kBinary,
                     "dat",
                     {"resolve", "JA1ABC", "--partial-cty", "--cty"},
                     kSuccess,
                     "JA1ABC\t\t\tJA1\n",
                     "%F/in.dat: line 1: entity line without a primary prefix in column 70\n"},
        // A NUL byte in a call sign is a control character: no file name,
        // and the message shows it as a blank.
        BadInputCase{
            "NulInTheCallSign",
            KavrelLog(QByteArray("JA1\0XYZ", 7), kQsoRow),
            "log",
            {"cabrillo", "--out", "%O"},
            kRefused,
            "",
            QStringLiteral(
                "コールサイン \"JA1 XYZ\" からファイル名を作れません (制御文字はファイル名に"
                "使えません)。\r\nコールサインを確認してください。何も保存されていません。\n")},
        // Call signs that would put the file elsewhere.
        BadInputCase{
            "CallSignClimbsOutOfTheFolder",
            KavrelLog("JA/../../etc", kQsoRow),
            "log",
            {"cabrillo", "--out", "%O"},
            kRefused,
            "",
            QStringLiteral("コールサイン \"JA/../../ETC\" からファイル名を作れません (2 つ目の "
                           "\"/\" または \"\\\" はフォルダーの区切りになります)。\r\n"
                           "コールサインを確認してください。何も保存されていません。\n")},
        BadInputCase{
            "CallSignWithABackslash",
            KavrelLog("JA1XYZ\\..\\etc", kQsoRow),
            "log",
            {"cabrillo", "--out", "%O"},
            kRefused,
            "",
            QStringLiteral("コールサイン \"JA1XYZ\\..\\ETC\" からファイル名を作れません (2 つ目の "
                           "\"/\" または \"\\\" はフォルダーの区切りになります)。\r\n"
                           "コールサインを確認してください。何も保存されていません。\n")},
        BadInputCase{
            "CallSignOfTwoDots",
            KavrelLog("JA1XYZ..", kQsoRow),
            "log",
            {"cabrillo", "--out", "%O"},
            kRefused,
            "",
            QStringLiteral(
                "コールサイン \"JA1XYZ..\" からファイル名を作れません (\"..\" は上のフォルダー"
                "を指します)。\r\nコールサインを確認してください。何も保存されていませ"
                "ん。\n")},
        BadInputCase{"AdifStationCallClimbsOutOfTheFolder",
                     "<CALL:5>K1ABC<QSO_DATE:8>20260926<TIME_ON:4>0012<FREQ:6>14.080<MODE:4>RTTY"
                     "<RST_SENT:3>599<RST_RCVD:3>599<OPERATOR:9>../JA1XYZ<EOR>\r\n",
                     "adi", Adif2Cbr(), kRefused, "",
                     "コールサイン「../JA1XYZ」はファイル名に使えません\n作業を続行できません\n"}),
    [](const auto& test) { return std::string(test.param.name); });

// A declared length past the end of the record takes what is left of it,
// "<EOR>" included, as the value stands in the file: the QSO line shows it
// rather than losing the QSO.
TEST(AdifLength, PastTheRecordTakesTheRestOfTheRecord) {
  TempFolder folder;
  const QString out = folder.File("out");
  QDir().mkpath(out);
  QStringList args = Adif2Cbr();
  args.replaceInStrings("%O", out);
  args << folder.Write(
      "in.adi",
      "<QSO_DATE:8>20260926<TIME_ON:4>0012<FREQ:6>14.080<MODE:4>RTTY<RST_SENT:3>599"
      "<RST_RCVD:3>599<OPERATOR:6>JA1XYZ<CALL:50>K1ABC<EOR>\r\n");
  const TovekRun run = testing::Tovek(args);
  EXPECT_EQ(run.status, kSuccess);
  EXPECT_EQ(run.out, out + "/JA1XYZ.cbr\n");
  const QList<QByteArray> lines = ReadBytes(out + "/JA1XYZ.cbr").split('\n');
  ASSERT_EQ(lines.size(), 20);
  EXPECT_EQ(lines[17].toStdString(),
            "QSO: 14080 RY 2026-09-26 0012 JA1XYZ        599 01     K1ABC<EOR>    599 05 \r");
}

// Files far beyond what the programs were made for are read to their end in
// seconds, and whatever a 16-bit count cannot hold is reported.
class HugeInput : public ::testing::Test {
 protected:
  // Runs tovek and checks that it took less than `seconds`.
  TovekRun Timed(const QStringList& args, int seconds) {
    QElapsedTimer timer;
    timer.start();
    TovekRun run = testing::Tovek(args);
    EXPECT_LT(timer.elapsed(), seconds * 1000) << args.join(' ').toStdString();
    return run;
  }

  TempFolder folder_;
};

TEST_F(HugeInput, LogOfOneLineOf10Megabytes) {
  const QByteArray line(10 * 1024 * 1024, 'A');
  const QString log = folder_.Write("one-line.log", line);
  TovekRun run = Timed({"load", log}, 60);
  EXPECT_EQ(run.status, kSuccess);
  EXPECT_EQ(run.out, QString::fromLatin1(line) + '\n');
  // The score calculator: a line without a tag holds nothing.
  const QString cabrillo = folder_.Write("one-line.cbr", line);
  run = Timed({"score", cabrillo}, 60);
  EXPECT_EQ(run.status, kSuccess);
  EXPECT_EQ(run.out, kScoreHeader + "1\t\t\t0\t0\t0\t0\t0\t0\t0\t0\t0\t\t\n");
}

TEST_F(HugeInput, LogWhoseQsosStandOnOneLineOf10Megabytes) {
  // A Linux log read with CR line ends only: every QSO on one line, cut at
  // the "QSO:" tags into rows of their own.
  QByteArray qsos;
  const QByteArray row =
      "QSO: 14080 RY 2026-09-26 0012 JA1XYZ        599 01     K1ABC         599 05\n";
  while (qsos.size() < 10 * 1024 * 1024) qsos += row;
  const QString log = folder_.Write("linux.log", "CALLSIGN: JA1XYZ\n" + qsos);
  const TovekRun run = Timed({"load", log}, 120);
  EXPECT_EQ(run.status, kSuccess);
  const qsizetype qso_count = qsos.size() / row.size();
  EXPECT_EQ(run.out.count('\n'), qso_count + 1);
  EXPECT_TRUE(
      run.out.startsWith("CALLSIGN: JA1XYZ\n" + QString::fromLatin1(row.chopped(1)) + '\n'));
}

TEST_F(HugeInput, LogOfMoreQsosThanACountHolds) {
  // 40,000 QSO rows: the editor holds every row, the field layout reader
  // stops at the first QSO its list cannot count.
  QByteArray rows;
  for (int i = 0; i < 40000; ++i) rows += kQsoRow;
  const QString log = folder_.Write("big.log", KavrelLog("JA1XYZ", rows));
  const QString out = folder_.File("out");
  TovekRun run = Timed({"cabrillo", "--out", out, log}, 120);
  EXPECT_EQ(run.status, kRefused);
  EXPECT_EQ(run.err, QStringLiteral("tovek cabrillo: 行 32771: QSO が 32767 を超えています\n"));
  EXPECT_TRUE(QDir(out).isEmpty());
  // The score calculator counts up to the 32,767th QSO line and says so.
  const QString cabrillo = folder_.Write("big.cbr", KavrelLog("JA1XYZ", rows));
  run = Timed({"score", cabrillo}, 120);
  EXPECT_EQ(run.status, kSuccess);
  EXPECT_EQ(run.err, cabrillo + ": more than 32767 QSO lines; scored up to there\n");
  EXPECT_TRUE(run.out.startsWith(kScoreHeader + "1\tJA1XYZ\t"));
  EXPECT_TRUE(run.out.contains("\t32767\t1\t32766\t"));
}

TEST_F(HugeInput, AdifOfMoreRecordsThanACountHolds) {
  QByteArray records;
  for (int i = 0; i < 33000; ++i) {
    records +=
        "<CALL:5>K1ABC<QSO_DATE:8>20260926<TIME_ON:4>0012<FREQ:6>14.080<MODE:4>RTTY"
        "<RST_SENT:3>599<RST_RCVD:3>599<OPERATOR:6>JA1XYZ<EOR>\n";
  }
  const QString adif = folder_.Write("big.adi", records);
  QStringList args = Adif2Cbr();
  args.replaceInStrings("%O", folder_.File("out"));
  QDir().mkpath(folder_.File("out"));
  const TovekRun run = Timed(args << adif, 120);
  EXPECT_EQ(run.status, kSuccess);
  EXPECT_EQ(run.err, "tovek adif2cbr: only the first 32767 records of " + adif + " were read\n");
  const QByteArray written = ReadBytes(folder_.File("out/JA1XYZ.cbr"));
  EXPECT_EQ(written.count("\r\nQSO: "), 32767);
}

}  // namespace
}  // namespace tovek::cli

namespace tovek {
namespace {

using tovek::testing::ReadBytes;
using tovek::testing::TempFolder;

ResultRow Row(const QString& call, double score) {
  ResultRow row;
  row.call_sign = call;
  row.category = "SOHP";
  row.claimed_score = score + 0.5;
  row.score = score;
  row.continent = "AS";
  row.entity = "JA";
  row.name = QStringLiteral("山田 太郎");
  row.address = "1-1 Chiyoda <LF> Tokyo";
  row.soapbox = QString(200, u'x');
  row.qso_lines = 321;
  row.valid = 300;
  row.total_mult = 77;
  return row;
}

// A results file cut at every length from nothing to three whole records
// and one byte: the whole records come back as they were saved, a last
// record more than half there is read as far as it goes, and nothing fails.
TEST(ResultsFileOfEveryLength, ReadsTheRecordsThatAreThere) {
  TempFolder folder;
  const ResultTable saved = {Row("JA1AAA", 3000), Row("JA1BBB", 2000), Row("JA1CCC", 1000)};
  NoProgress progress;
  ASSERT_TRUE(ResultSave(folder.File("whole.rlt"), saved, progress).ok);
  const QByteArray whole = ReadBytes(folder.File("whole.rlt")) + "X";
  ASSERT_EQ(whole.size(), 3 * kResultRecordSize + 1);
  for (qsizetype length = 0; length <= whole.size(); ++length) {
    const QString path = folder.Write("cut.rlt", whole.left(length));
    const ResultFileRead read = ResultRead(path, progress);
    ASSERT_TRUE(read.outcome.ok) << length;
    const qsizetype records = (length + kResultRecordSize / 2) / kResultRecordSize;
    ASSERT_EQ(read.rows.size(), records) << length;
    EXPECT_EQ(read.partial, length % kResultRecordSize != 0) << length;
    for (qsizetype i = 0; i < records && (i + 1) * kResultRecordSize <= length; ++i) {
      EXPECT_EQ(read.rows[i], saved[i]) << length;
    }
    if (length % kResultRecordSize > kResultRecordSize / 2) {
      // The cut record keeps its call sign; what the file lost is empty or 0.
      EXPECT_EQ(read.rows.last().call_sign, saved[records - 1].call_sign) << length;
      EXPECT_EQ(read.rows.last().total_mult, 0) << length;
    }
  }
}

// Bytes that no calculation wrote: a record whose scores are no finite
// numbers is refused with a message, and nothing is shown.
TEST(ResultsFileOfGarbage, IsRefusedOrReadWithoutACrash) {
  TempFolder folder;
  NoProgress progress;
  for (int byte = 0; byte < 256; ++byte) {
    const QByteArray bytes(2 * kResultRecordSize, static_cast<char>(byte));
    const QString path = folder.Write("garbage.rlt", bytes);
    const ResultFileRead read = ResultRead(path, progress);
    // Only 0xFF fills a double's exponent with ones: NaN.
    const bool finite = byte != 0xFF;
    EXPECT_EQ(read.outcome.ok, finite) << byte;
    if (finite) {
      EXPECT_EQ(read.rows.size(), 2) << byte;
    } else {
      EXPECT_TRUE(read.rows.isEmpty()) << byte;
      EXPECT_EQ(
          read.outcome.error,
          QStringLiteral("%1 は集計データファイルではありません（1 件目のデータが読めません）。")
              .arg(path))
          << byte;
    }
  }
}

// A file far longer than any run's results (chosen by mistake: an image, a
// disk image) is refused at once rather than read into millions of rows.
TEST(ResultsFileOfHugeLength, IsRefusedBeforeAnythingIsRead) {
  TempFolder folder;
  NoProgress progress;
  for (const qint64 records : {qint64{32768}, qint64{40} * 1000 * 1000}) {
    const QString path = folder.File("huge.rlt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(records * kResultRecordSize));
    file.close();
    const ResultFileRead read = ResultRead(path, progress);
    EXPECT_FALSE(read.outcome.ok);
    EXPECT_TRUE(read.rows.isEmpty());
    EXPECT_EQ(
        read.outcome.error,
        QStringLiteral("%1 は集計データファイルではありません（32768 件目のデータが読めません）。")
            .arg(path));
  }
  // The longest table a run can make is read whole.
  QFile file(folder.File("longest.rlt"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(qint64{32767} * kResultRecordSize));
  file.close();
  const ResultFileRead read = ResultRead(file.fileName(), progress);
  EXPECT_TRUE(read.outcome.ok);
  EXPECT_EQ(read.rows.size(), 32767);
  EXPECT_EQ(read.rows.last(), ResultRow());
}

// Whatever is no file of a sensible size is refused by every reader before
// a byte is read, through tovek as in the windows: a pipe once blocked for
// ever, /dev/zero and a sparse file of gigabytes filled the memory.
TEST(NoFileOrFarTooLarge, IsRefusedByEveryReaderBeforeReading) {
  TempFolder folder;
  const QString pipe = folder.File("pipe");
  ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  const QString huge = folder.File("huge");
  {
    QFile file(huge);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(max_file_size::kAdif + 1));
  }
  const QString not_a_file =
      QStringLiteral(": not a regular file (a folder, a device or a pipe); only files are read\n");
  const QString too_large = QStringLiteral(": too large for this kind of file: %1 bytes, at most ")
                                .arg(max_file_size::kAdif + 1);
  const QString out = folder.File("out");
  QDir().mkpath(out);
  for (const QString& path : {pipe, QStringLiteral("/dev/zero"), folder.Path(), huge}) {
    const QString refused = path == huge ? path + too_large : path + not_a_file;
    const QList<QStringList> commands = {
        {"load", path},
        {"check", path},
        {"cabrillo", "--out", out, path},
        {"adif2cbr", "--out", out, path},
        {"resolve", "--cty", path, "JA1ABC"},
        {"score", "--area", path, folder.Write("a.cbr", "CALLSIGN: JA1ABC\r\n")},
    };
    for (const QStringList& command : commands) {
      const testing::TovekRun run = testing::Tovek(command);
      EXPECT_EQ(run.status, cli::kRefused) << command.join(' ').toStdString();
      EXPECT_TRUE(run.err.startsWith(refused)) << run.err.toStdString();
      EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    }
    // A log the run cannot read gets its row, as one that is missing (a
    // folder given to score stands for its logs).
    if (path == folder.Path()) continue;
    const testing::TovekRun scored = testing::Tovek({"score", path});
    EXPECT_EQ(scored.status, cli::kSuccess);
    EXPECT_TRUE(scored.err.startsWith(refused)) << scored.err.toStdString();
  }
  EXPECT_TRUE(QDir(out).isEmpty());
}

}  // namespace
}  // namespace tovek
