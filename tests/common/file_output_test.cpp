#include "common/file_output.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

// Writes into a device that is always full, as a disk without room.
FileOutcome WriteToFullDevice(const QString&, QByteArrayView bytes) {
  QFile full(QStringLiteral("/dev/full"));
  if (!full.open(QIODevice::WriteOnly)) return FileOutcome::Failure(full.errorString());
  return WriteAll(full, bytes);
}

TEST(FileOutput, FullDiskIsNamedAsSuch) {
  if (!QFileInfo::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  // Small and large writes alike: a short write is tried again until the
  // device says why it stopped.
  for (const qsizetype size : {qsizetype{10}, qsizetype{200'000}}) {
    const FileOutcome written = WriteToFullDevice({}, QByteArray(size, 'x'));
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.fault, FileFault::kDiskFull);
    EXPECT_EQ(written.error, QLatin1String(kDiskFullText));
  }
}

TEST(FileOutput, MoveAcrossFileSystemsLeavesTheFileWholeInOnePlace) {
  if (!QFileInfo::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  TempFolder from;
  TempFolder to;
  const QByteArray log(50'000, 'q');
  const QString source = from.Write("ja1xyz.log", log);
  const QString target = to.File("ja1xyz.log");
  // The copy's disk is full: the log stays where it was, nothing is left at
  // the target, and the disk is named.
  const FileOutcome full = CopyAcross(source, target, WriteToFullDevice);
  EXPECT_EQ(full.fault, FileFault::kDiskFull);
  EXPECT_EQ(ReadBytes(source), log);
  EXPECT_TRUE(QDir(to.Path()).isEmpty());
  // With room, the copy is whole and the log is gone from its first place.
  ASSERT_TRUE(CopyAcross(source, target).ok);
  EXPECT_EQ(ReadBytes(target), log);
  EXPECT_FALSE(QFileInfo::exists(source));
  EXPECT_TRUE(QDir(to.Path()).entryList(QDir::Files | QDir::Hidden) == QStringList{"ja1xyz.log"});
}

}  // namespace
}  // namespace tovek
