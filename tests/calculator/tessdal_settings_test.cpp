#include "calculator/tessdal_settings.h"

#include <gtest/gtest.h>

#include "tests/calculator/printers.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::TempFolder;

TEST(TessdalSettings, WrittenInKeyOrder) {
  TempFolder folder;
  TessdalSettings s;
  s.frm_left = 1200.5f;
  s.frm_top = 300;
  s.frm_height = 9000;
  s.frm_width = 15000;
  for (int i = 0; i < kResultColumnCount; ++i) s.grid_widths[i] = 100 * i;
  s.log_folder = "/home/op/logs";
  const SettingsFile file = TessdalSettingsFile(folder.Path(), s);
  ASSERT_TRUE(file.Save().ok);
  QByteArray expected = "frmLeft=1200.5\r\nfrmTop=300\r\nfrmHeight=9000\r\nfrmWidth=15000\r\n";
  for (int i = 0; i < kResultColumnCount; ++i) {
    expected += QStringLiteral("GridWidth%1=%2\r\n").arg(i).arg(100 * i).toLatin1();
  }
  expected += "LogFolder=/home/op/logs\r\n";
  EXPECT_EQ(testing::ReadBytes(folder.File("Tessdal.ini")), expected);
}

TEST(TessdalSettings, ValuesApplyAsReadWithoutDefaults) {
  TempFolder folder;
  folder.Write("Tessdal.ini",
               "frmTop=120\n"
               " GridWidth3 = 900 \n"
               "GridWidth4=0\n"
               "GridWidth5=wide\n"
               "gridwidth6=1\n"
               "LogFolder=/first\n"
               "LogFolder=  /second  \n"
               "no equals sign\n");
  TessdalSettings s;
  s.grid_widths.fill(795);
  EXPECT_EQ(TessdalSettingsFile(folder.Path(), s).Load(), SettingsLoadStatus::kLoaded);
  EXPECT_FALSE(s.frm_left.has_value());
  EXPECT_EQ(s.frm_top, 120.0f);
  std::array<std::int32_t, kResultColumnCount> widths;
  widths.fill(795);
  widths[3] = 900;
  widths[4] = 0;  // a stored 0 stays 0 and hides its column
  EXPECT_EQ(s.grid_widths, widths);
  EXPECT_EQ(s.log_folder, "/second");
}

TEST(TessdalSettings, EmptyFolderStaysEmptyAndMissingFileChangesNothing) {
  TempFolder folder;
  TessdalSettings s;
  s.log_folder = "/before";
  s.grid_widths.fill(10);
  EXPECT_EQ(TessdalSettingsFile(folder.Path(), s).Load(), SettingsLoadStatus::kMissing);
  EXPECT_EQ(s.log_folder, "/before");
  EXPECT_EQ(s.grid_widths[19], 10);
  folder.Write("Tessdal.ini", "LogFolder=\r\n");
  TessdalSettingsFile(folder.Path(), s).Load();
  EXPECT_TRUE(s.log_folder.isEmpty());
}

}  // namespace
}  // namespace tovek
