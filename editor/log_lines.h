// The open log: its rows, and how a log file becomes rows.
#pragma once

#include <QString>
#include <QStringList>

#include "common/progress.h"
#include "common/text_file.h"

namespace tovek {

// The rows of the open log, 0-based. A row holds neither a line feed nor a
// tab. Row indices are 16-bit in every loop of the editor.
using LogLines = QStringList;
constexpr qsizetype kMaxLogRows = 32767;

// A row whose first four characters are exactly "QSO:".
bool IsQsoRow(QStringView row);

// The header tags that cut run-together rows apart, one per line of
// CabHeader.dat, trimmed. Empty lines are passed over: an empty tag would
// match everywhere and cut every row after its first colon. A missing or
// unreadable file gives no tags.
QStringList LoadHeaderTags(const QString& path);

// Cuts a text that holds several run-together rows in front of every header
// tag that starts after the first colon of the text still to be cut, and
// appends the pieces, untrimmed, to `rows`.
void SplitAtHeaderTags(QStringView text, const QStringList& tags, LogLines& rows,
                       Progress* progress = nullptr);

// One line of a log file as it becomes rows: line feeds and tabs removed,
// "X-QSO:" made "QSO:", a line with two colons or more cut at the header tags
// (pieces untrimmed), any other line trimmed.
void AddLogLine(QString line, const QStringList& tags, LogLines& rows,
                Progress* progress = nullptr);

struct LogReadOutcome {
  FileOutcome file;  // a failure carries the platform's description
  LogLines rows;     // the rows read, as far as reading got
  LogDecoding decoding;  // the encoding read in, and its bytes shown as U+FFFD
};

// Reads a log file into rows. A line ends at CR LF or CR; a lone LF stays
// in the line and is removed with it. Progress runs over the file's bytes.
LogReadOutcome ReadLogRows(const QString& path, const QStringList& tags,
                           Progress& progress);

}  // namespace tovek
