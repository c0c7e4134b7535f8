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

// Both writers keep the same promises; the unsynced one only skips the sync.
TEST(FileOutput, EveryWriterReplacesWholeAndNeverWritesThroughALink) {
  const std::pair<const char*, FileWriter> writers[] = {
      {"synced", WriteFileBytes},
      {"unsynced", WriteFileBytesUnsynced},
  };
  for (const auto& [name, write] : writers) {
    SCOPED_TRACE(name);
    TempFolder folder;
    const QString page = folder.Write("page.html", "old");
    ASSERT_TRUE(write(page, "new page").ok);
    EXPECT_EQ(ReadBytes(page), "new page");
    // A name nothing holds yet: the file appears under it, and nothing else.
    const QString fresh = folder.File("fresh.html");
    ASSERT_TRUE(write(fresh, "first page").ok);
    EXPECT_EQ(ReadBytes(fresh), "first page");
    QFile::remove(fresh);
    // A link at the path is refused; it and what it points to stay as they are.
    const QString target = folder.Write("target.txt", "kept");
    const QString link = folder.File("link.html");
    ASSERT_TRUE(QFile::link(target, link));
    const FileOutcome refused = write(link, "evil");
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.fault, FileFault::kLink);
    EXPECT_EQ(ReadBytes(target), "kept");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    // A folder that is not there: a failure, and nothing written anywhere.
    EXPECT_FALSE(write(folder.File("missing/page.html"), "x").ok);
    EXPECT_EQ(QDir(folder.Path())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              (QStringList{"link.html", "page.html", "target.txt"}));
  }
}

}  // namespace
}  // namespace tovek
