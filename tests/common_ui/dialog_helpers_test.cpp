// The small pieces behind the shared dialogs: version texts, bar scaling,
// folder listing and subfolder creation, path joining.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <limits>
#include <system_error>

#include "common/ui/folder_paths.h"
#include "common/ui/program_info.h"
#include "common/ui/progress_window.h"
#include "tests/support/test_files.h"

namespace tovek::ui {
namespace {

using tovek::testing::TempFolder;

QString SystemText(std::errc code) {
  return QString::fromLocal8Bit(std::make_error_code(code).message().c_str());
}

TEST(ProgramInfoTest, VersionBoxTextsOfTheThreePrograms) {
  struct Case {
    ProgramInfo info;
    const char16_t* caption;
    const char* version;
  };
  const Case cases[] = {
      {kKavrelInfo, u"Kavrel のバージョン", "Version 1.4 Build 33"},
      {kTessdalInfo, u"TOVEK CALC のバージョン", "Version 1.2 Build 7"},
      {kMorrickInfo, u"Morrick のバージョン", "Version 1.0 Build 31"},
      {{QStringLiteral("X"), 10, 0, 0, QStringLiteral("x")},
       u"X のバージョン",
       "Version 10.0 Build 0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AboutCaption(c.info), QString::fromUtf16(c.caption));
    EXPECT_EQ(VersionText(c.info), QString::fromLatin1(c.version));
  }
}

TEST(ScaleToBarTest, MapsAnyRangeOntoTheBar) {
  constexpr qint64 kIntMax = std::numeric_limits<int>::max();
  struct Case {
    qint64 maximum;
    qint64 value;
    BarSteps expected;
  };
  const Case cases[] = {
      {100, 40, {100, 40}},
      {100, 150, {100, 100}},  // past the end: full, not ignored
      {100, -5, {100, 0}},
      {0, 0, {1, 0}},  // an empty file: an empty bar, not a busy one
      {-3, 2, {1, 0}},
      {kIntMax, kIntMax, {static_cast<int>(kIntMax), static_cast<int>(kIntMax)}},
      {kIntMax + 1,
       kIntMax + 1,
       {static_cast<int>((kIntMax + 1) / 2), static_cast<int>((kIntMax + 1) / 2)}},
      {6'000'000'000, 3'000'000'000, {2'000'000'000, 1'000'000'000}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScaleToBar(c.maximum, c.value), c.expected) << c.maximum << " " << c.value;
  }
}

TEST(JoinFolderPathTest, OneSeparatorBetweenFolderAndName) {
  struct Case {
    const char* folder;
    const char* name;
    const char* expected;
  };
  const Case cases[] = {
      {"/data/logs", "ja1abc.cbr", "/data/logs/ja1abc.cbr"},
      {"/data/logs/", "ja1abc.cbr", "/data/logs/ja1abc.cbr"},
      {"/", "a.log", "/a.log"},
      {"/data/my logs", "JA1 ABC.txt", "/data/my logs/JA1 ABC.txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JoinFolderPath(QString::fromUtf8(c.folder), QString::fromUtf8(c.name)),
              QDir::toNativeSeparators(QString::fromUtf8(c.expected)));
  }
}

TEST(MatchingFileNamesTest, PatternsWithoutRegardToCaseSortedByName) {
  TempFolder folder;
  for (const char* name : {"b.CBR", "a.txt", "C.log", "x.adi", "notes.doc", "B.cbr", "log",
                           ".hidden.cbr", "JA10.cbr", "JA9.cbr"}) {
    folder.Write(QString::fromUtf8(name), "x");
  }
  QDir(folder.Path()).mkdir(QStringLiteral("folder.cbr"));

  EXPECT_EQ(MatchingFileNames(folder.Path(), {"*.cbr", "*.txt", "*.log"}),
            (QStringList{"a.txt", "B.cbr", "b.CBR", "C.log", "JA10.cbr", "JA9.cbr"}));
  EXPECT_EQ(MatchingFileNames(folder.Path(), {"*.adi", "*.txt"}), (QStringList{"a.txt", "x.adi"}));
  EXPECT_EQ(MatchingFileNames(folder.Path(), {"*.rlt"}), QStringList{});
  EXPECT_EQ(MatchingFileNames(folder.File("missing"), {"*.cbr"}), QStringList{});
}

TEST(CheckFolderListableTest, GivesThePlatformsReason) {
  TempFolder folder;
  folder.Write("file.txt", "x");
  EXPECT_TRUE(CheckFolderListable(folder.Path()).ok);

  const FileOutcome missing = CheckFolderListable(folder.File("gone"));
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.error, SystemText(std::errc::no_such_file_or_directory));

  const FileOutcome not_a_folder = CheckFolderListable(folder.File("file.txt"));
  EXPECT_FALSE(not_a_folder.ok);
  EXPECT_EQ(not_a_folder.error, SystemText(std::errc::not_a_directory));

  EXPECT_FALSE(CheckFolderListable({}).ok);
}

TEST(CreateSubfoldersTest, CreatesWhatIsMissingAndKeepsWhatIsThere) {
  TempFolder folder;
  QDir(folder.Path()).mkdir(QStringLiteral("OldLog"));
  folder.Write("OldLog/JA1ABC.log", "kept");

  const FileOutcome made = CreateSubfolders(folder.Path(), kDataSubfolders);
  EXPECT_TRUE(made.ok) << made.error.toStdString();
  QStringList present = QDir(folder.Path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  present.sort();
  EXPECT_EQ(present, (QStringList{"EditLog", "ErrRpt", "OldLog"}));
  EXPECT_EQ(testing::ReadBytes(folder.File("OldLog/JA1ABC.log")), "kept");
}

TEST(CreateSubfoldersTest, ReportsWhatStopsIt) {
  TempFolder folder;
  folder.Write("OldLog", "a file in the way");

  const FileOutcome blocked = CreateSubfolders(folder.Path(), kDataSubfolders);
  EXPECT_FALSE(blocked.ok);
  EXPECT_EQ(blocked.error, SystemText(std::errc::file_exists));
  // Stopped at the file: the folder before it was made, the one after not.
  EXPECT_TRUE(QFileInfo(folder.File("EditLog")).isDir());
  EXPECT_FALSE(QFileInfo::exists(folder.File("ErrRpt")));

  const FileOutcome gone = CreateSubfolders(folder.File("gone"), kDataSubfolders);
  EXPECT_FALSE(gone.ok);
  EXPECT_EQ(gone.error, SystemText(std::errc::no_such_file_or_directory));
  EXPECT_FALSE(QFileInfo::exists(folder.File("gone")));

  // An empty folder name must not create anything where the program runs.
  const FileOutcome empty = CreateSubfolders({}, kDataSubfolders);
  EXPECT_FALSE(empty.ok);
  EXPECT_FALSE(QFileInfo::exists(QStringLiteral("EditLog")));
}

TEST(StartFolderTest, StoredFolderWhenItCanBeListed) {
  TempFolder folder;
  const QString program = folder.File("program");
  QDir(folder.Path()).mkdir(QStringLiteral("program"));
  QDir(folder.Path()).mkdir(QStringLiteral("logs"));
  struct Case {
    QString stored;
    QString expected;
  };
  const Case cases[] = {
      {folder.File("logs"), folder.File("logs")},
      {QStringLiteral("  ") + folder.File("logs") + QStringLiteral(" "), folder.File("logs")},
      {{}, program},
      {QStringLiteral("   "), program},
      {folder.File("gone"), program},
  };
  for (const Case& c : cases) EXPECT_EQ(StartFolder(c.stored, program), c.expected);
}

}  // namespace
}  // namespace tovek::ui
