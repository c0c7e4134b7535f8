// What the fuzz targets share: a scratch file for the readers that take a
// path, the shipped data files, and a small reader of parameters that takes
// them from the end of an input so that the rest stays a file as it was.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "calculator/area_table.h"
#include "common/prefix_table.h"
#include "editor/log_lines.h"

namespace tovek::fuzz {

// A folder that lives as long as the fuzzing process: in memory where the
// system offers a memory file system, since every input is written to a
// file and every save ends in QSaveFile's flush to disk, which on a real
// disk cost more than the reading itself (a settings input took 60 ms).
// fuzz/run names one (TOVEK_FUZZ_SCRATCH) when the runs must repeat
// themselves exactly: a random name is text the target compares, and the
// fuzzer learns from what is compared.
inline const QDir& ScratchFolder() {
  static const QDir folder = [] {
    const QString fixed = qEnvironmentVariable("TOVEK_FUZZ_SCRATCH");
    if (!fixed.isEmpty()) {
      if (!QDir().mkpath(fixed)) std::abort();
      return QDir(fixed);
    }
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    static const QTemporaryDir temporary =
        memory.isDir() && memory.isWritable()
            ? QTemporaryDir(QStringLiteral("/dev/shm/tovek-fuzz-XXXXXX"))
            : QTemporaryDir();
    if (!temporary.isValid()) std::abort();
    return QDir(temporary.path());
  }();
  return folder;
}

// Writes `bytes` to the scratch file `name` and returns its path.
inline QString ScratchFile(const QString& name, const QByteArray& bytes) {
  const QString path = ScratchFolder().filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
    std::abort();
  }
  return path;
}

inline QByteArray Bytes(const std::uint8_t* data, std::size_t size) {
  return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The Cty.dat the programs ship, loaded once.
inline const PrefixTable& ShippedPrefixes() {
  static const PrefixTable table = [] {
    PrefixTable loaded;
    if (LoadPrefixTable(QStringLiteral(TOVEK_CTY_DAT), loaded).status !=
        PrefixLoadOutcome::Status::kLoaded) {
      std::abort();
    }
    return loaded;
  }();
  return table;
}

inline const AreaTable& ShippedAreas() {
  static const AreaTable table = [] {
    AreaTable loaded;
    if (LoadAreaFile(QStringLiteral(TOVEK_DATA_DIR "/Tovek.are"), loaded).status !=
        AreaLoadOutcome::Status::kLoaded) {
      std::abort();
    }
    return loaded;
  }();
  return table;
}

inline const QStringList& ShippedHeaderTags() {
  static const QStringList tags = LoadHeaderTags(QStringLiteral(TOVEK_DATA_DIR "/CabHeader.dat"));
  return tags;
}

// Parameters taken from the end of an input. A file from the seed corpus
// ends in a line end or a letter, which reads as "use the defaults"; the
// fuzzer finds the other choices by changing the last bytes.
class TrailingParameters {
 public:
  TrailingParameters(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  // The next byte from the end, or 0 when the input is used up.
  std::uint8_t Byte() { return size_ > 0 ? data_[--size_] : 0; }

  // A value from `low` to `high`.
  int Between(int low, int high) { return low + Byte() % (high - low + 1); }

  // What is left of the input in front of the bytes taken.
  QByteArray Rest() const { return Bytes(data_, size_); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

// Stops the fuzzer with a report when an expectation about an outcome fails:
// an abort is what libFuzzer saves as a crashing input.
#define FUZZ_EXPECT(condition)                                                      \
  do {                                                                              \
    if (!(condition)) {                                                             \
      qCritical("expectation failed at %s:%d: %s", __FILE__, __LINE__, #condition); \
      std::abort();                                                                 \
    }                                                                               \
  } while (false)

}  // namespace tovek::fuzz
