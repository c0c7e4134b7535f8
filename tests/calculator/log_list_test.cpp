#include "calculator/log_list.h"

#include <gtest/gtest.h>

#include <QDir>

#include "tests/calculator/printers.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::TempFolder;

TEST(ListLogFiles, CabrilloFilesInAnyCaseSortedIgnoringCase) {
  TempFolder folder;
  for (const char* name : {"w1aw.cbr", "JA1ABC.CBR", "ja1abc.cbr", "K1XYZ.Cbr", "notes.log",
                           "VK2ABC.cbr.txt", "DL1ABC.cbr", ".hidden.cbr", "cbr"}) {
    folder.Write(name, "");
  }
  ASSERT_TRUE(QDir(folder.Path()).mkdir("folder.cbr"));
  EXPECT_EQ(ListLogFiles(folder.Path()),
            (QStringList{"DL1ABC.cbr", "JA1ABC.CBR", "ja1abc.cbr", "K1XYZ.Cbr", "w1aw.cbr"}));
  EXPECT_TRUE(ListLogFiles(folder.File("missing")).isEmpty());
}

TEST(LogList, PathsJoinFolderAndName) {
  const LogList list{"/logs", {"A.cbr", "B.cbr"}};
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Path(1), "/logs/B.cbr");
}

TEST(FullWidthNumber, DigitsBecomeFullWidth) {
  EXPECT_EQ(FullWidthNumber(25), QStringLiteral("２５"));
  EXPECT_EQ(FullWidthNumber(1), QStringLiteral("１"));
  EXPECT_EQ(FullWidthNumber(32767), QStringLiteral("３２７６７"));
  EXPECT_EQ(FullWidthNumber(0), QStringLiteral("０"));
}

}  // namespace
}  // namespace tovek
