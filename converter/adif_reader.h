// Reading an ADIF log as plain text: the records, the field names of the
// first record and the value of a field in a record. Nothing here knows ADIF
// data types; values stay text until the Cabrillo writer lays them out.
#pragma once

#include <QString>
#include <QStringList>

#include "common/legacy_numbers.h"
#include "common/text_file.h"
#include "converter/qso_columns.h"

namespace tovek {

// The records of a log, each in upper case, its lines joined with nothing
// between them, without the file header and ending with its "<EOR>". Record
// 1 of the log is element 0.
using AdifRecordList = QStringList;

// The field names of record 1, in the order their tags stand (a name that
// occurs twice is listed twice).
using AdifFieldNames = QStringList;

// The record count is 16-bit: a log holds at most this many records.
inline constexpr int kMaxAdifRecords = kMaxCount16;

struct AdifReadOutcome {
  AdifRecordList records;
  // Failure when the file is missing or cannot be read: the list is then empty.
  FileOutcome file;
  // The log held more records than a list takes; the records after the
  // first kMaxAdifRecords were not read.
  bool truncated = false;
  LogDecoding decoding;  // the encoding read in, and its bytes shown as U+FFFD
};

// Reads the log at `path`. A lone LF does not end a line, so a file with LF
// line ends is one long line to the reader, which is harmless: records are
// cut at "<EOR>", not at line ends.
AdifReadOutcome AdifRead(const QString& path);

// The same from lines already open (for tests and tools).
AdifReadOutcome AdifReadLines(TextLineReader& reader);

// What a read sets up: the field names of record 1 and the source each
// column gets by default.
struct AdifSetup {
  AdifFieldNames names;
  ColumnSources sources;
};
AdifSetup AdifSet(const AdifRecordList& records);

// The field names of one record text.
AdifFieldNames AdifFieldNamesOf(const QString& record);

// The value of the first field called `name` in `record`, unchanged; empty
// when the record has no such field.
QString AdifFieldValue(const QString& record, const QString& name);

}  // namespace tovek
