// Where the benchmarks find their data and the program's data files, and the
// work that every benchmark is measured against.
#pragma once

#include <QString>
#include <QStringList>

#include "common/text_file.h"

namespace tovek::bench {

// The data a benchmark reads: the option's value ("--contest=DIR"), or the
// name under the folder that bench/run generates into.
QString DataPath(int argc, char** argv, const char* option, const char* default_name);

// A data file of the program folder (Cty.dat, Tovek.are, CabHeader.dat ...).
QString ProgramFile(const char* name);

// The floor: the file read, its bytes decoded (a log's encoding decided as
// the readers decide it) and cut into lines by `rule`, every line made a
// string. No reader of a file can do less. Returns the number of lines.
qint64 ReadDecodeSplit(const QString& path, LineEnds rule);

// The size of the files in bytes.
qint64 TotalBytes(const QStringList& paths);

struct TovekRun {
  int status = 0;
  QString out;
  QString err;
};

// Runs `tovek` in this process, the program folder being its own; what it
// prints is kept, not shown.
TovekRun RunTovekQuietly(const QStringList& args);

}  // namespace tovek::bench
