// Small helpers for tests that read and write files.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <stdexcept>

namespace tovek::testing {

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    throw std::runtime_error("cannot write test file " + path.toStdString());
  }
}

inline QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

// A temporary folder that names its files.
class TempFolder {
 public:
  TempFolder() {
    if (!dir_.isValid()) throw std::runtime_error("cannot create a temporary folder");
  }
  QString Path() const { return dir_.path(); }
  QString File(const QString& name) const { return dir_.filePath(name); }
  QString Write(const QString& name, const QByteArray& bytes) const {
    WriteBytes(File(name), bytes);
    return File(name);
  }

 private:
  QTemporaryDir dir_;
};

}  // namespace tovek::testing
