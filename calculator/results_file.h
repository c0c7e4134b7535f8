// The results file (".rlt"): the results table as fixed 493-byte binary
// records, no header, so that a contest's results can be published again
// without reading every log anew. Files written by earlier versions of the
// calculator are read as they are, byte for byte.
#pragma once

#include <QByteArray>
#include <QString>

#include "calculator/result_table.h"
#include "common/progress.h"
#include "common/text_file.h"

namespace tovek {

inline constexpr qsizetype kResultRecordSize = 493;
inline const QString kResultFileExtension = QStringLiteral("rlt");

// A text field: the text in CP932, padded with spaces to `bytes` bytes. A
// text whose encoded form is longer is cut after the last whole character
// that fits, and the space left by a double-byte character that does not
// fit is padded too: a field never ends in half a character.
QByteArray EncodeResultText(QStringView text, qsizetype bytes);

// A text field read back: decoded from CP932 and trimmed of spaces (and of
// the NUL bytes an unwritten field holds). A last lead byte without its
// second byte (a double-byte character cut in half) is dropped.
QString DecodeResultText(QByteArrayView field);

// One row as its 493-byte record.
QByteArray EncodeResultRecord(const ResultRow& row);

// A record read back. A record shorter than 493 bytes (the last one of a
// truncated file) is read as far as it goes; the fields beyond are empty
// and 0.
ResultRow DecodeResultRecord(QByteArrayView record);

// The number of records of a file of `length` bytes: the length divided by
// the record size, rounded to the nearest whole number (halves to even), so
// a last record more than half there is read.
qint64 ResultRecordCount(qint64 length);

// Writes the rows to `log_name` as records in order. The file appears whole
// or not at all: a failure leaves an earlier file of the name untouched.
// With no rows nothing is written (and nothing fails).
FileOutcome ResultSave(const QString& log_name, const ResultTable& rows, Progress& progress);

struct ResultFileRead {
  FileOutcome outcome;
  // Empty whenever the read failed: a failed read shows no results.
  ResultTable rows;
  // The file's length was not a whole number of records.
  bool partial = false;
};

// Reads every record of `log_name` in file order. A record whose scores are
// not finite numbers cannot come from a calculation: the file is taken for
// something else, and the read fails with kNotResultsFile's text; so does a
// file of more than 32,767 records, which no run can have written.
ResultFileRead ResultRead(const QString& log_name, Progress& progress);

// %1: the file's path, %2: the record number (1-based).
inline constexpr const char* kNotResultsFile =
    "%1 は集計データファイルではありません（%2 件目のデータが読めません）。";

// The file name for a name typed into the results-file dialog: trimmed;
// without a "." it gets ".rlt", otherwise whatever follows its first "." is
// replaced by "rlt" ("contest" -> "contest.rlt", "contest.txt" ->
// "contest.rlt", "a.b.c" -> "a.rlt"). Empty when the text is empty.
QString ResultFileName(QStringView typed);

}  // namespace tovek
