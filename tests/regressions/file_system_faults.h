// Faults of the file system brought about on purpose: a folder that refuses
// new files, and a disk that fills up while a file is being written.
#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tovek::testing {

// While it lives, the folder takes no new files and gives none up: its
// write permission is taken away and, for a superuser (whom permissions do
// not stop), it is marked immutable where the file system allows it.
// Active() tells whether the folder really refuses a file; a test skips
// when it does not.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const QString& path) : path_(QFile::encodeName(path)) {
    struct stat status {};
    if (::stat(path_.constData(), &status) != 0) return;
    mode_ = status.st_mode & 07777;
    ::chmod(path_.constData(), mode_ & ~0222);
    if (::geteuid() == 0) immutable_ = SetImmutable(true);
    const QByteArray probe = path_ + "/.probe";
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    active_ = fd < 0;
    if (fd >= 0) {
      ::close(fd);
      ::unlink(probe.constData());
    }
  }
  ~ReadOnlyFolder() {
    if (immutable_) SetImmutable(false);
    if (mode_ != 0) ::chmod(path_.constData(), mode_);
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  bool Active() const { return active_; }

 private:
  bool SetImmutable(bool on) {
    const int fd = ::open(path_.constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
      flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
      done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
  }

  QByteArray path_;
  mode_t mode_ = 0;
  bool immutable_ = false;
  bool active_ = false;
};

// While it lives, no file of the process grows beyond `bytes`: a write past
// that fails as on a full disk (the signal that would end the process is
// ignored, so the write returns its error instead).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &before_);
    previous_handler_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = before_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &before_);
    ::signal(SIGXFSZ, previous_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit before_{};
  sighandler_t previous_handler_ = SIG_DFL;
};

}  // namespace tovek::testing
