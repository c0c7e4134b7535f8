// Nothing is lost when writing fails: every file the programs write appears
// whole or not at all, an earlier file of its name stays as it was, and the
// editor's source log stays where it is until its Cabrillo file is whole.
// The failures are real ones: a disk that fills up in the middle of a file,
// a folder that turned read-only or vanished between two steps.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <functional>
#include <ostream>

#include "calculator/award_writer.h"
#include "calculator/ranking_writer.h"
#include "calculator/results_file.h"
#include "common/settings_file.h"
#include "converter/cabrillo3_writer.h"
#include "editor/cabrillo_writer.h"
#include "tests/regressions/file_system_faults.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::FileSizeLimit;
using testing::ReadBytes;
using testing::ReadOnlyFolder;
using testing::TempFolder;

const QByteArray kEarlier = "EARLIER FILE\r\n";
constexpr int kManyQsos = 400;  // some 30 kB of Cabrillo lines

// The files of a folder and their bytes.
QMap<QString, QByteArray> Contents(const QString& folder) {
  QMap<QString, QByteArray> files;
  for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
    files.insert(name, ReadBytes(QDir(folder).filePath(name)));
  }
  return files;
}

LogSummary Station() {
  LogSummary s;
  s.call_sign = "JA1XYZ";
  s.category = "SOHP";
  s.continent = "AS";
  s.entity = "JA";
  s.name = "Taro Yamada";
  s.address = "1-1 Chiyoda <LF> Tokyo";
  return s;
}

QsoList ManyQsos() {
  QsoList records;
  for (int i = 1; i <= kManyQsos; ++i) {
    records.append({static_cast<std::int16_t>(i), "14080", "RY",
                    QDateTime(QDate(2026, 9, 26), QTime(0, 12), Qt::UTC), "JA1XYZ", "599", "01",
                    "K1ABC", "599", "05"});
  }
  return records;
}

ResultTable ManyRows() {
  ResultTable rows;
  for (int i = 0; i < kManyQsos; ++i) {
    ResultRow row;
    row.call_sign = QStringLiteral("JA1X%1").arg(i);
    row.category = "SOHP";
    row.continent = "AS";
    row.entity = "JA";
    row.score = 1000 - i;
    row.name = "Taro Yamada";
    row.address = "1-1 Chiyoda <LF> Tokyo";
    rows.append(row);
  }
  return rows;
}

AdifRecordList ManyRecords() {
  AdifRecordList records;
  for (int i = 0; i < kManyQsos; ++i) {
    records.append(
        "<CALL:5>K1ABC<QSO_DATE:8>20260926<TIME_ON:4>0012<FREQ:6>14.080<MODE:4>RTTY"
        "<RST_SENT:3>599<RST_RCVD:3>599<OPERATOR:6>JA1XYZ<EOR>");
  }
  return records;
}

// One writer: it writes its file(s) into a folder and tells where the
// failure happened.
struct Written {
  bool ok = false;
  QString error;
  QString path;  // the file that could not be written
};

struct WriterCase {
  const char* name;
  // The names of the files the writer writes into the folder.
  std::function<QStringList()> files;
  std::function<Written(const QString& folder)> write;
};

// Names the writer in test output instead of dumping the bytes of the case.
void PrintTo(const WriterCase& writer, std::ostream* out) { *out << writer.name; }

const QDate kDate(2026, 10, 1);

QStringList RankingAndAwardFiles() {
  QStringList names;
  for (const RankingReport& report : RankingReports()) {
    names.append(OutputDatePrefix(kDate) + QString::fromLatin1(report.file_name));
  }
  for (const AwardFile& award : AwardFiles()) {
    names.append(OutputDatePrefix(kDate) + QString::fromLatin1(award.file_name));
  }
  return names;
}

const std::vector<WriterCase>& Writers() {
  static const std::vector<WriterCase> writers = {
      {"KavrelCabrillo", [] { return QStringList{"JA1XYZ.cbr"}; },
       [](const QString& folder) {
         // The editor's folders all in one; the source log lies beside them.
         const LogFolders folders{folder, folder, folder, folder};
         NoProgress progress;
         const DataSaveOutcome saved = DataSave(folders, QDir(folder).filePath("source.log.txt"),
                                                Station(), ManyQsos(), progress);
         return Written{saved.status == SaveStatus::kSaved, saved.failure.error,
                        saved.cabrillo_path};
       }},
      {"KavrelErrorReport", [] { return QStringList{"JA1XYZ.err"}; },
       [](const QString& folder) {
         QStringList faults;
         for (int i = 0; i < kManyQsos; ++i) {
           faults.append(QStringLiteral("%1 MODE        QSO: 14080 CW 2026-09-26 0012").arg(i, 5));
         }
         const ErrSaveOutcome saved = ErrSave({folder, folder, folder, folder}, "JA1XYZ", faults);
         return Written{saved.status == ErrSaveStatus::kSaved, saved.failure.error, saved.path};
       }},
      {"MorrickCabrillo", [] { return QStringList{"JA1XYZ.cbr"}; },
       [](const QString& folder) {
         ConversionSetup setup;
         setup.sources[Index(QsoColumn::kMyCall)] = ColumnSource::Field("OPERATOR");
         setup.sources[Index(QsoColumn::kHisCall)] = ColumnSource::Field("CALL");
         setup.output_folder = folder;
         NoProgress progress;
         const CbrOutcome out = CbrOut(ManyRecords(), setup, progress);
         return Written{out.written && out.file.ok, out.file.error, out.path};
       }},
      {"ResultsFile", [] { return QStringList{"contest.rlt"}; },
       [](const QString& folder) {
         NoProgress progress;
         const QString path = QDir(folder).filePath("contest.rlt");
         const FileOutcome saved = ResultSave(path, ManyRows(), progress);
         return Written{saved.ok, saved.error, path};
       }},
      {"RankingAndAwardFiles", RankingAndAwardFiles,
       [](const QString& folder) {
         NoProgress progress;
         const OutputOutcome out =
             WriteRankingFiles({folder, folder}, kDate, RankRows(ManyRows()), progress);
         return Written{out.outcome.ok, out.outcome.error, out.path};
       }},
      {"SettingsFile", [] { return QStringList{"Kavrel.ini"}; },
       [](const QString& folder) {
         std::vector<QString> values(kManyQsos, QString(100, u'x'));
         std::vector<SettingKey> keys;
         for (int i = 0; i < kManyQsos; ++i) {
           keys.push_back({QStringLiteral("Key%1").arg(i), &values[static_cast<size_t>(i)], {}});
         }
         const SettingsFile file(QDir(folder).filePath("Kavrel.ini"), keys, DefaultsRule::kAsRead);
         const FileOutcome saved = file.Save();
         return Written{saved.ok, saved.error, file.Path()};
       }},
  };
  return writers;
}

class NothingLost : public ::testing::TestWithParam<WriterCase> {
 protected:
  // Every file the writer writes stands there already, as from an earlier
  // run, and so does the editor's source log.
  void SetUp() override {
    for (const QString& name : GetParam().files()) folder_.Write(name, kEarlier);
    folder_.Write("source.log.txt", "START-OF-LOG: 3.0\r\nCALLSIGN: JA1XYZ\r\n");
    before_ = Contents(folder_.Path());
  }

  // The write failed, said why, and left every file as it was.
  void ExpectNothingChanged(const Written& written) {
    EXPECT_FALSE(written.ok);
    EXPECT_FALSE(written.error.isEmpty());
    EXPECT_TRUE(GetParam().files().contains(QFileInfo(written.path).fileName()))
        << written.path.toStdString();
    EXPECT_EQ(ReadBytes(written.path), kEarlier);
    const QMap<QString, QByteArray> after = Contents(folder_.Path());
    // No half-written file and no temporary file is left behind; files the
    // writer finished before it failed are whole.
    EXPECT_EQ(after.keys(), before_.keys());
    EXPECT_EQ(after.value("source.log.txt"), before_.value("source.log.txt"));
  }

  TempFolder folder_;
  QMap<QString, QByteArray> before_;
};

TEST_P(NothingLost, WhenTheDiskFillsUpWhileWriting) {
  Written written;
  {
    FileSizeLimit full_disk(4096);
    written = GetParam().write(folder_.Path());
  }
  ExpectNothingChanged(written);
  // With room again the same write goes through and replaces the file whole.
  ASSERT_TRUE(GetParam().write(folder_.Path()).ok);
  EXPECT_NE(ReadBytes(written.path), kEarlier);
  EXPECT_TRUE(ReadBytes(written.path).endsWith("\r\n") || written.path.endsWith(".rlt"));
}

TEST_P(NothingLost, WhenTheFolderTurnedReadOnly) {
  Written written;
  {
    ReadOnlyFolder read_only(folder_.Path());
    if (!read_only.Active()) GTEST_SKIP() << "no way to make a folder read-only here";
    written = GetParam().write(folder_.Path());
  }
  ExpectNothingChanged(written);
}

// A link at an output path, to a file outside the folder or to nowhere, is
// refused: the file it points to stays as it was (or is not made) and the
// link stays a link.
TEST_P(NothingLost, WhenALinkStandsAtTheOutputPath) {
  TempFolder outside;
  const QString victim = outside.Write("victim.txt", "VICTIM\n");
  for (const QString& target : {victim, outside.File("made.txt")}) {
    for (const QString& name : GetParam().files()) {
      const QString path = QDir(folder_.Path()).filePath(name);
      QFile::remove(path);
      ASSERT_TRUE(QFile::link(target, path));
    }
    const Written written = GetParam().write(folder_.Path());
    EXPECT_FALSE(written.ok);
    EXPECT_TRUE(written.error.contains("symbolic link")) << written.error.toStdString();
    EXPECT_EQ(ReadBytes(victim), "VICTIM\n");
    EXPECT_FALSE(QFileInfo::exists(outside.File("made.txt")));
    for (const QString& name : GetParam().files()) {
      EXPECT_EQ(QFileInfo(QDir(folder_.Path()).filePath(name)).symLinkTarget(), target);
    }
    EXPECT_EQ(ReadBytes(folder_.File("source.log.txt")), before_.value("source.log.txt"));
  }
}

INSTANTIATE_TEST_SUITE_P(Writers, NothingLost, ::testing::ValuesIn(Writers()),
                         [](const auto& test) { return std::string(test.param.name); });

// The editor's save, one folder at a time going wrong between the data check
// and "保　存".
class EditorSave : public ::testing::Test {
 protected:
  void SetUp() override {
    folders_ = LogFolders::Under(temp_.Path());
    for (const QString& folder : {folders_.edit, folders_.old, folders_.reports}) {
      ASSERT_TRUE(QDir().mkpath(folder));
    }
    source_ = temp_.Write("ja1xyz.log", kSourceLog);
  }

  DataSaveOutcome Save() {
    NoProgress progress;
    return DataSave(folders_, source_, Station(), ManyQsos(), progress);
  }

  const QByteArray kSourceLog = "START-OF-LOG: 3.0\r\nCALLSIGN: JA1XYZ\r\n";
  TempFolder temp_;
  LogFolders folders_;
  QString source_;
};

TEST_F(EditorSave, EditLogVanished) {
  ASSERT_TRUE(QDir(folders_.edit).removeRecursively());
  const DataSaveOutcome saved = Save();
  EXPECT_EQ(saved.status, SaveStatus::kFoldersMissing);
  EXPECT_FALSE(saved.CabrilloWritten());
  EXPECT_EQ(ReadBytes(source_), kSourceLog);
  EXPECT_TRUE(QDir(folders_.old).isEmpty());
}

TEST_F(EditorSave, EditLogTurnedReadOnly) {
  DataSaveOutcome saved;
  {
    ReadOnlyFolder read_only(folders_.edit);
    if (!read_only.Active()) GTEST_SKIP() << "no way to make a folder read-only here";
    saved = Save();
  }
  EXPECT_EQ(saved.status, SaveStatus::kWriteFailed);
  EXPECT_FALSE(saved.failure.error.isEmpty());
  EXPECT_FALSE(saved.CabrilloWritten());
  // The source log was not moved: it is the only copy.
  EXPECT_EQ(ReadBytes(source_), kSourceLog);
  EXPECT_TRUE(QDir(folders_.old).isEmpty());
  EXPECT_TRUE(QDir(folders_.edit).isEmpty());
}

TEST_F(EditorSave, OldLogTurnedReadOnly) {
  DataSaveOutcome saved;
  {
    ReadOnlyFolder read_only(folders_.old);
    if (!read_only.Active()) GTEST_SKIP() << "no way to make a folder read-only here";
    saved = Save();
  }
  // The Cabrillo file is whole; the source log stays where it was, and the
  // editor says that it could not be moved.
  EXPECT_EQ(saved.status, SaveStatus::kMoveFailed);
  EXPECT_FALSE(saved.failure.error.isEmpty());
  EXPECT_TRUE(saved.CabrilloWritten());
  EXPECT_EQ(ReadBytes(source_), kSourceLog);
  const QList<QByteArray> lines = ReadBytes(saved.cabrillo_path).split('\n');
  EXPECT_EQ(lines.size(), 13 + kManyQsos + 2);
  EXPECT_EQ(lines[lines.size() - 2], "END-OF-LOG:\r");
}

TEST_F(EditorSave, LinkInOldLogIsNotFollowed) {
  TempFolder outside;
  const QString old_name = QDir(folders_.old).filePath("ja1xyz.log");
  ASSERT_TRUE(QFile::link(outside.File("moved.log"), old_name));
  const DataSaveOutcome saved = Save();
  EXPECT_EQ(saved.status, SaveStatus::kMoveFailed);
  EXPECT_EQ(saved.failure.fault, FileFault::kLink);
  EXPECT_EQ(ReadBytes(source_), kSourceLog);
  EXPECT_FALSE(QFileInfo::exists(outside.File("moved.log")));
  EXPECT_TRUE(QFileInfo(old_name).isSymLink());
}

TEST_F(EditorSave, SourceLogVanished) {
  ASSERT_TRUE(QFile::remove(source_));
  const DataSaveOutcome saved = Save();
  EXPECT_EQ(saved.status, SaveStatus::kFoldersMissing);
  EXPECT_TRUE(QDir(folders_.edit).isEmpty());
}

TEST_F(EditorSave, ErrRptVanished) {
  ASSERT_TRUE(QDir(folders_.reports).removeRecursively());
  const ErrSaveOutcome saved = ErrSave(folders_, "JA1XYZ", {});
  EXPECT_EQ(saved.status, ErrSaveStatus::kFolderMissing);
  EXPECT_FALSE(QFileInfo::exists(folders_.reports));
}

}  // namespace
}  // namespace tovek
