#include "editor/cabrillo_writer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "tests/editor/editor_test_support.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

QsoRecord Example() {
  return {1,
          " 3500",
          "RY",
          QDateTime(QDate(2012, 10, 20), QTime(12, 34), Qt::UTC),
          "JA1CALL      ",
          "599",
          "45",
          "K1CALL       ",
          "599",
          "30"};
}

LogSummary Summary() {
  LogSummary s;
  s.call_sign = " JA1CALL ";
  s.category = "SOHP";
  s.claimed_score = "1234";
  s.continent = "AS";
  s.entity = "JA";
  s.operators = "JA1CALL";
  s.club = "";
  s.created_by = "Hand";
  s.name = "Taro Yamada";
  s.address = "1-1 Chiyoda <LF> Tokyo";
  s.soapbox = "楽しかった <LF> また来年";
  s.contest = "IGNORED";
  s.header_text = "IGNORED\r\n";
  return s;
}

TEST(QsoLine, TheExampleRecordInItsSeventyFiveColumns) {
  const QString line = QsoLine(Example());
  EXPECT_EQ(line, "QSO:  3500 RY 2012-10-20 1234 JA1CALL      599 45     K1CALL         599 30");
  EXPECT_EQ(line.size(), 75);
  EXPECT_EQ(line.mid(54, 12), "K1CALL      ");  // columns 55 to 66
  EXPECT_EQ(line.mid(5, 5), " 3500");           // columns 6 to 10
}

TEST(QsoLine, FieldsKeepTheirWidthsWhateverTheyHold) {
  QsoRecord record = Example();
  record.band = "7000 ";
  record.my_call = "JA1CALL/ABCDE";  // 13 characters: the 13th is dropped
  record.his_call = "K1CALL/ABCDEF";
  record.sent_rpt = "5 ";
  record.rcvd_rst = "5  ";
  record.qso_time = QDateTime(QDate(2012, 10, 21), QTime(0, 5), Qt::UTC);
  EXPECT_EQ(QsoLine(record),
            "QSO: 7000  RY 2012-10-21 0005 JA1CALL/ABCD 599 5      K1CALL/ABCDE   5   30");
}

TEST(CabrilloLines, HeaderThenQsoLinesThenEnd) {
  QsoRecord second = Example();
  second.no = 2;
  second.band = "14080";
  EXPECT_EQ(CabrilloLines(Summary(), {Example(), second}),
            (QStringList{
                "START-OF-LOG: 2.0",
                "CONTEST: TOVEK-WW-RTTY",
                "ARRL-SECTION: AS",
                "CATEGORY: SOHP",
                "CALLSIGN: JA1CALL",
                "OPERATORS: JA1CALL",
                "NAME: Taro Yamada",
                "ADDRESS: 1-1 Chiyoda <LF> Tokyo",
                "LOCATION: JA",
                "CLAIMED-SCORE: 1234",
                "CLUB: ",
                "CREATED-BY: Hand",
                "SOAPBOX: 楽しかった <LF> また来年",
                "QSO:  3500 RY 2012-10-20 1234 JA1CALL      599 45     K1CALL         599 30",
                "QSO: 14080 RY 2012-10-20 1234 JA1CALL      599 45     K1CALL         599 30",
                "END-OF-LOG:",
            }));
}

TEST(ErrorReportLines, WithAndWithoutItems) {
  EXPECT_EQ(ErrorReportLines({}), (QStringList{"TOVEK Contest Error Report", "", "",
                                               "No Error Data", "", "", "End of Error"}));
  EXPECT_EQ(ErrorReportLines({"   12 MODE        QSO: a", "   30 TIME        QSO: b"}),
            (QStringList{"TOVEK Contest Error Report", "", "", " Row  Error          Data",
                         "   12 MODE        QSO: a", "   30 TIME        QSO: b", "", "",
                         "End of Error"}));
}

struct NameCase {
  const char* name;
  QString call_sign;
  QString base;  // empty: refused
};

class OutputNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(OutputNameTest, NamesTheFilesOrRefuses) {
  const OutputName name = OutputNameOf(GetParam().call_sign);
  if (GetParam().base.isEmpty()) {
    EXPECT_FALSE(name.Ok()) << name.base.toStdString();
    EXPECT_FALSE(name.reason.isEmpty());
  } else {
    EXPECT_TRUE(name.Ok()) << name.reason.toStdString();
    EXPECT_EQ(name.Cabrillo(), GetParam().base + ".cbr");
    EXPECT_EQ(name.ErrorReport(), GetParam().base + ".err");
  }
}

INSTANTIATE_TEST_SUITE_P(CallSigns, OutputNameTest,
                         ::testing::Values(NameCase{"Plain", "JA1CALL", "JA1CALL"},
                                           NameCase{"Trimmed", " JA1CALL ", "JA1CALL"},
                                           NameCase{"PortableSlash", "JA1CALL/3", "JA1CALL-3"},
                                           NameCase{"PrefixSlash", "KH6/JA1CALL", "KH6-JA1CALL"},
                                           NameCase{"SecondSlash", "JA1CALL/1/P", ""},
                                           NameCase{"Backslash", "JA1\\CALL", ""},
                                           NameCase{"ParentFolder", "../JA1CALL", ""},
                                           NameCase{"ParentAfterTheSlash", "/..", ""},
                                           NameCase{"OneDotAlone", ".", ""},
                                           NameCase{"HiddenName", ".JA1CALL", ""},
                                           NameCase{"ControlCharacter", "JA1\nCALL", ""},
                                           NameCase{"UnreadableByte", "JA1CALL\xEF\xBF\xBD", ""},
                                           NameCase{"WindowsReserved", "JA1CALL?", ""},
                                           NameCase{"Colon", "C:JA1", ""},
                                           NameCase{"Empty", "  ", ""},
                                           NameCase{"OneDotIsFine", "JA1.CALL", "JA1.CALL"}),
                         testing::ParamName());

TEST(RefusedCallSignMessage, NamesTheCallAndTheReason) {
  const OutputName name = OutputNameOf("JA1CALL/1/P");
  EXPECT_EQ(RefusedCallSignMessage("JA1CALL/1/P", name),
            "コールサイン \"JA1CALL/1/P\" からファイル名を作れません (2 つ目の \"/\" または "
            "\"\\\" はフォルダーの区切りになります)。\r\nコールサインを確認してください。"
            "何も保存されていません。");
  // The call is shown as plain text: its escape sequence reaches no terminal.
  EXPECT_TRUE(RefusedCallSignMessage("JA1\x1b[2J", OutputNameOf("JA1\x1b[2J"))
                  .startsWith("コールサイン \"JA1 [2J\" からファイル名を作れません (制御文字"));
}

// A log folder with its three subfolders and an opened source log.
struct LogFolderFixture {
  TempFolder temp;
  LogFolders folders = LogFolders::Under(temp.Path());
  QString source;

  explicit LogFolderFixture(bool with_subfolders = true) {
    if (with_subfolders) {
      for (const QString& folder : {folders.edit, folders.old, folders.reports}) {
        QDir().mkpath(folder);
      }
    }
    source = temp.Write("ja1call.log", "raw log\r\n");
  }

  DataSaveOutcome Save(const LogSummary& summary = Summary(),
                       const QsoList& records = {Example()}) {
    NoProgress progress;
    return DataSave(folders, source, summary, records, progress);
  }
};

QByteArray CabrilloBytes() {
  QByteArray bytes;
  for (const QString& line : CabrilloLines(Summary(), {Example()})) {
    bytes += EncodeCp932(line) + "\r\n";
  }
  return bytes;
}

TEST(DataSave, WritesTheCabrilloFileThenMovesTheSourceLog) {
  LogFolderFixture log;
  const DataSaveOutcome saved = log.Save();
  EXPECT_EQ(saved.status, SaveStatus::kSaved);
  EXPECT_EQ(saved.cabrillo_path, QDir(log.folders.edit).filePath("JA1CALL.cbr"));
  EXPECT_EQ(ReadBytes(saved.cabrillo_path), CabrilloBytes());
  EXPECT_TRUE(ReadBytes(saved.cabrillo_path).contains("\x8a\x79\x82\xb5"));  // 楽し in CP932
  EXPECT_FALSE(QFile::exists(log.source));
  EXPECT_EQ(ReadBytes(QDir(log.folders.old).filePath("ja1call.log")), "raw log\r\n");
  EXPECT_TRUE(saved.move.earlier_kept_as.isEmpty());
}

TEST(DataSave, MissingFoldersOrSourceWriteNothing) {
  {
    LogFolderFixture log(false);
    EXPECT_EQ(log.Save().status, SaveStatus::kFoldersMissing);
    EXPECT_TRUE(QFile::exists(log.source));
  }
  {
    LogFolderFixture log;
    QFile::remove(log.source);
    EXPECT_EQ(log.Save().status, SaveStatus::kFoldersMissing);
    EXPECT_TRUE(QDir(log.folders.edit).isEmpty());
  }
}

TEST(DataSave, NoRecordsWritesNothing) {
  LogFolderFixture log;
  EXPECT_EQ(log.Save(Summary(), {}).status, SaveStatus::kNothingToSave);
  EXPECT_TRUE(QDir(log.folders.edit).isEmpty());
  EXPECT_TRUE(QFile::exists(log.source));
}

TEST(DataSave, CallSignThatLeavesTheFolderIsRefused) {
  LogFolderFixture log;
  LogSummary summary = Summary();
  summary.call_sign = "../../JA1CALL";
  const DataSaveOutcome saved = log.Save(summary);
  EXPECT_EQ(saved.status, SaveStatus::kNameRefused);
  EXPECT_FALSE(saved.CabrilloWritten());
  EXPECT_TRUE(QDir(log.folders.edit).isEmpty());
  EXPECT_FALSE(QFile::exists(QDir(log.temp.Path()).filePath("../JA1CALL.cbr")));
  EXPECT_TRUE(QFile::exists(log.source));
}

TEST(DataSave, FailedWriteKeepsTheEarlierFileAndTheSourceLog) {
  LogFolderFixture log;
  // A folder where the file should go: nothing can be written in its place.
  QDir(log.folders.edit).mkdir("JA1CALL.cbr");
  const DataSaveOutcome saved = log.Save();
  EXPECT_EQ(saved.status, SaveStatus::kWriteFailed);
  EXPECT_FALSE(saved.CabrilloWritten());
  EXPECT_FALSE(saved.failure.error.isEmpty());
  EXPECT_TRUE(QFile::exists(log.source));
  EXPECT_EQ(QDir(log.folders.edit).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
            QStringList{"JA1CALL.cbr"});
  EXPECT_TRUE(QDir(log.folders.old).isEmpty());
}

TEST(DataSave, SavingAgainReplacesTheCabrilloFile) {
  LogFolderFixture log;
  log.temp.Write("EditLog/JA1CALL.cbr", "older\r\n");
  EXPECT_EQ(log.Save().status, SaveStatus::kSaved);
  EXPECT_EQ(ReadBytes(QDir(log.folders.edit).filePath("JA1CALL.cbr")), CabrilloBytes());
}

TEST(MoveToOldLog, KeepsADifferentEarlierLogUnderANumberedName) {
  LogFolderFixture log;
  log.temp.Write("OldLog/ja1call.log", "first log\r\n");
  log.temp.Write("OldLog/ja1call.1.log", "second log\r\n");
  const DataSaveOutcome saved = log.Save();
  EXPECT_EQ(saved.status, SaveStatus::kSaved);
  EXPECT_EQ(saved.move.earlier_kept_as, QDir(log.folders.old).filePath("ja1call.2.log"));
  EXPECT_EQ(ReadBytes(QDir(log.folders.old).filePath("ja1call.log")), "raw log\r\n");
  EXPECT_EQ(ReadBytes(QDir(log.folders.old).filePath("ja1call.1.log")), "second log\r\n");
  EXPECT_EQ(ReadBytes(QDir(log.folders.old).filePath("ja1call.2.log")), "first log\r\n");
}

TEST(MoveToOldLog, ReplacesAnIdenticalEarlierLog) {
  LogFolderFixture log;
  log.temp.Write("OldLog/ja1call.log", "raw log\r\n");
  const MoveOutcome moved = MoveToOldLog(log.source, log.folders.old);
  EXPECT_TRUE(moved.file.ok);
  EXPECT_TRUE(moved.earlier_kept_as.isEmpty());
  EXPECT_EQ(QDir(log.folders.old).entryList(QDir::Files), QStringList{"ja1call.log"});
  EXPECT_FALSE(QFile::exists(log.source));
}

TEST(MoveToOldLog, NameWithoutSuffixGetsANumberBehind) {
  TempFolder temp;
  QDir().mkpath(temp.File("OldLog"));
  const QString source = temp.Write("LOGFILE", "new\r\n");
  temp.Write("OldLog/LOGFILE", "old\r\n");
  const MoveOutcome moved = MoveToOldLog(source, temp.File("OldLog"));
  EXPECT_TRUE(moved.file.ok);
  EXPECT_EQ(moved.earlier_kept_as, QDir(temp.File("OldLog")).filePath("LOGFILE.1"));
}

TEST(MoveToOldLog, ALogOpenedFromOldLogStaysPut) {
  TempFolder temp;
  QDir().mkpath(temp.File("OldLog"));
  const QString source = temp.Write("OldLog/a.log", "log\r\n");
  const MoveOutcome moved = MoveToOldLog(source, temp.File("OldLog"));
  EXPECT_TRUE(moved.file.ok);
  EXPECT_EQ(ReadBytes(source), "log\r\n");
}

TEST(ErrSave, WritesTheReportNamedAfterTheCallSign) {
  LogFolderFixture log;
  const ErrSaveOutcome saved = ErrSave(log.folders, "JA1CALL/3", {"   12 MODE        QSO: a"});
  EXPECT_EQ(saved.status, ErrSaveStatus::kSaved);
  EXPECT_EQ(saved.path, QDir(log.folders.reports).filePath("JA1CALL-3.err"));
  EXPECT_EQ(ReadBytes(saved.path),
            "TOVEK Contest Error Report\r\n\r\n\r\n Row  Error          Data\r\n"
            "   12 MODE        QSO: a\r\n\r\n\r\nEnd of Error\r\n");
}

TEST(ErrSave, MissingFolderOrRefusedNameWritesNothing) {
  LogFolderFixture without(false);
  EXPECT_EQ(ErrSave(without.folders, "JA1CALL", {}).status, ErrSaveStatus::kFolderMissing);
  LogFolderFixture with;
  EXPECT_EQ(ErrSave(with.folders, "JA1CALL/1/P", {}).status, ErrSaveStatus::kNameRefused);
  EXPECT_TRUE(QDir(with.folders.reports).isEmpty());
}

}  // namespace
}  // namespace tovek
