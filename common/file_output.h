// Writing and moving the suite's output files.
//
// Every file appears whole or not at all (a temporary file beside it, renamed
// into place); a full disk is named as such; and no output goes through a
// symbolic link. A link at an output path is refused, not replaced: the suite
// never makes links, so one standing where it writes was put there by someone,
// by mistake or to send the file elsewhere. Following it would write outside
// the folder; replacing it would silently undo what a user may have set up on
// purpose. Refusing keeps the link and whatever it points to as they are and
// tells the user which path to fix.
#pragma once

#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <functional>

#include "common/text_file.h"

namespace tovek {

// The English text of a full disk (the windows show their own words).
inline constexpr char kDiskFullText[] = "the disk is full (no space left on the device)";

// The outcome of a failed operation on `device`, its error text as the
// platform gives it; a full disk is named as such.
FileOutcome DeviceFailure(const QIODevice& device);

// Refuses a symbolic link at `path`, one that points nowhere too. Fine when
// nothing or an ordinary file stands there.
FileOutcome CheckOutputPath(const QString& path);

// Writes all of `bytes` into the open `device` and flushes it. A short write
// is tried again, so that the failure that stopped it is the one reported.
FileOutcome WriteAll(QIODevice& device, QByteArrayView bytes);

// Writes `bytes` as the file `path`, whole or not at all; a failure leaves an
// earlier file of the name untouched and no temporary file behind.
FileOutcome WriteFileBytes(const QString& path, QByteArrayView bytes);

// The same, without waiting for the disk: the bytes go into a new file,
// which takes the name `path` once every byte is written (whole or not at
// all, no link followed, a full disk named), but the file is left to the
// system's cache rather than synced. For output of many small files that
// can be made again from their source at any time, where a sync per file
// costs more than all the rest of the work.
FileOutcome WriteFileBytesUnsynced(const QString& path, QByteArrayView bytes);

using FileWriter = std::function<FileOutcome(const QString& path, QByteArrayView bytes)>;

// Moves the file `from` to `to` (replacing a file there) so that it is whole
// in exactly one of the two places, whatever fails. Within one file system
// the move is a rename; across file systems, `CopyAcross` does it.
FileOutcome MoveFileWhole(const QString& from, const QString& to);

// The move across file systems: `write` puts a whole copy at `to` (or
// nothing), and only then the file at `from` goes; when it cannot, the copy
// goes again.
FileOutcome CopyAcross(const QString& from, const QString& to,
                       const FileWriter& write = WriteFileBytes);

}  // namespace tovek
