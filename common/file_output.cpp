#include "common/file_output.h"

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <system_error>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tovek {
namespace {

std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

FileOutcome DiskFull(const QString& path) {
  FileOutcome outcome = FileOutcome::Failure(QString::fromLatin1(kDiskFullText));
  outcome.fault = FileFault::kDiskFull;
  outcome.path = path;
  return outcome;
}

// Qt describes an error by the platform's text for its errno: a full disk
// reads as the text of ENOSPC (or, over quota, EDQUOT).
bool IsDiskFullText(const QString& text) {
  if (text == qt_error_string(ENOSPC)) return true;
#ifdef EDQUOT
  if (text == qt_error_string(EDQUOT)) return true;
#endif
  return false;
}

// A failure the system reported as an error code, about `path`.
FileOutcome SystemFailure(const std::error_code& error, const QString& path) {
  if (error == std::errc::no_space_on_device) return DiskFull(path);
#ifdef EDQUOT
  if (error == std::error_condition(EDQUOT, std::generic_category())) return DiskFull(path);
#endif
  return FileOutcome::Failure(QString::fromLocal8Bit(error.message().c_str()));
}

FileOutcome ErrnoFailure(int error, const QString& path) {
  return SystemFailure(std::error_code(error, std::generic_category()), path);
}

// A name beside `path` for the file that is renamed over it once whole.
QString TemporaryNameBeside(const QString& path) {
  return path + QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16,
                                              QLatin1Char('0'));
}

QString FileNameOf(const QIODevice& device) {
  const auto* file = qobject_cast<const QFileDevice*>(&device);
  return file ? file->fileName() : QString();
}

}  // namespace

FileOutcome DeviceFailure(const QIODevice& device) {
  const QString text = device.errorString();
  if (IsDiskFullText(text)) return DiskFull(FileNameOf(device));
  return FileOutcome::Failure(text);
}

FileOutcome CheckOutputPath(const QString& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(std::filesystem::symlink_status(ToPath(path), error))) {
    return FileOutcome::Success();
  }
  FileOutcome outcome = FileOutcome::Failure(
      QStringLiteral("a symbolic link stands there; nothing is written through it (remove the "
                     "link or choose another folder)"));
  outcome.fault = FileFault::kLink;
  outcome.path = path;
  return outcome;
}

FileOutcome WriteAll(QIODevice& device, QByteArrayView bytes) {
  qsizetype done = 0;
  while (done < bytes.size()) {
    const qint64 written = device.write(bytes.data() + done, bytes.size() - done);
    if (written <= 0) return DeviceFailure(device);
    done += static_cast<qsizetype>(written);
  }
  if (auto* file = qobject_cast<QFileDevice*>(&device); file && !file->flush()) {
    return DeviceFailure(device);
  }
  return FileOutcome::Success();
}

FileOutcome WriteFileBytes(const QString& path, QByteArrayView bytes) {
  if (FileOutcome link = CheckOutputPath(path); !link.ok) return link;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return DeviceFailure(file);
  FileOutcome written = WriteAll(file, bytes);
  // A link put in the file's place between the check above and the opening
  // would have been followed by the save file: it is caught before anything
  // is renamed into place.
  if (written.ok) written = CheckOutputPath(path);
  if (!written.ok) {
    file.cancelWriting();
    return written;
  }
  if (!file.commit()) return DeviceFailure(file);
  return FileOutcome::Success();
}

namespace {

#ifdef Q_OS_LINUX

// False, with errno set, when not every byte could be written.
bool WriteAllTo(int fd, QByteArrayView bytes) {
  for (qsizetype done = 0; done < bytes.size();) {
    const ssize_t written =
        ::write(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return false;
    if (written == 0) {
      errno = ENOSPC;
      return false;
    }
    done += written;
  }
  return true;
}

// Gives the open file `fd` the name `name` too; false, with errno set (EEXIST
// when something holds the name), when it cannot.
bool NameFile(int fd, const QByteArray& name) {
  const QByteArray open_file = "/proc/self/fd/" + QByteArray::number(fd);
  return ::linkat(AT_FDCWD, open_file.constData(), AT_FDCWD, name.constData(),
                  AT_SYMLINK_FOLLOW) == 0;
}

// Linux makes a file without a name in a folder (O_TMPFILE) and names it once
// it is whole (linkat, which never replaces): a new file appears whole or not
// at all with one change to its folder instead of two (a temporary name,
// then the rename). That halves the system's work for a site of thousands of
// new pages. Where a file or a link holds the name, the written file takes a
// temporary name and is renamed over it, as on the portable road, and a link
// is refused. Nothing when the file system (or a missing /proc) does not
// allow this road: the caller takes the portable one.
std::optional<FileOutcome> WriteUnnamedThenName(const QString& path, QByteArrayView bytes) {
  const QByteArray name = QFile::encodeName(path);
  const qsizetype slash = name.lastIndexOf('/');
  const QByteArray folder = slash < 0 ? QByteArray(".") : name.left(std::max<qsizetype>(slash, 1));
  const int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) return std::nullopt;
  // A file without a name goes away when it is closed: all a failure needs.
  const auto closed = [fd](std::optional<FileOutcome> outcome) {
    ::close(fd);
    return outcome;
  };
  if (!WriteAllTo(fd, bytes)) return closed(ErrnoFailure(errno, path));
  QByteArray named = name;
  if (!NameFile(fd, name)) {
    if (errno != EEXIST) return closed(std::nullopt);
    if (FileOutcome link = CheckOutputPath(path); !link.ok) return closed(link);
    named = QFile::encodeName(TemporaryNameBeside(path));
    if (!NameFile(fd, named)) return closed(ErrnoFailure(errno, path));
  }
  // A file system that writes back late may only now say the bytes did not fit.
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(named.constData());
    return ErrnoFailure(error, path);
  }
  if (named != name && ::rename(named.constData(), name.constData()) != 0) {
    const int error = errno;
    ::unlink(named.constData());
    return ErrnoFailure(error, path);
  }
  return FileOutcome::Success();
}

#else

std::optional<FileOutcome> WriteUnnamedThenName(const QString&, QByteArrayView) {
  return std::nullopt;
}

#endif

}  // namespace

FileOutcome WriteFileBytesUnsynced(const QString& path, QByteArrayView bytes) {
  if (std::optional<FileOutcome> written = WriteUnnamedThenName(path, bytes)) return *written;
  // A name of our own that nothing holds yet: NewOnly creates it or fails,
  // and never opens a file or a link that stands there.
  QFile file;
  for (int attempt = 0;; ++attempt) {
    file.setFileName(TemporaryNameBeside(path));
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) break;
    if (attempt == 3 || file.error() != QFileDevice::OpenError || !file.exists()) {
      return DeviceFailure(file);
    }
  }
  FileOutcome written = WriteAll(file, bytes);
  file.close();
  if (written.ok && file.error() != QFileDevice::NoError) written = DeviceFailure(file);
  // Nothing is written through a link at the path: the rename would replace
  // it, never follow it. It is refused all the same, as the synced writer
  // refuses it; one look right before the rename serves for both.
  if (written.ok) written = CheckOutputPath(path);
  if (written.ok) {
    std::error_code error;
    std::filesystem::rename(ToPath(file.fileName()), ToPath(path), error);
    if (!error) return FileOutcome::Success();
    written = SystemFailure(error, path);
  }
  file.remove();
  return written;
}

FileOutcome MoveFileWhole(const QString& from, const QString& to) {
  std::error_code error;
  std::filesystem::rename(ToPath(from), ToPath(to), error);
  if (!error) return FileOutcome::Success();
  if (error == std::errc::cross_device_link) return CopyAcross(from, to);
  return SystemFailure(error, to);
}

FileOutcome CopyAcross(const QString& from, const QString& to, const FileWriter& write) {
  QFile source(from);
  if (!source.open(QIODevice::ReadOnly)) return DeviceFailure(source);
  const QByteArray bytes = source.readAll();
  if (source.error() != QFileDevice::NoError) return DeviceFailure(source);
  source.close();
  if (FileOutcome copied = write(to, bytes); !copied.ok) return copied;
  if (!source.remove()) {
    const FileOutcome failure = DeviceFailure(source);
    QFile::remove(to);
    return failure;
  }
  return FileOutcome::Success();
}

}  // namespace tovek
