// Reading and writing the suite's text files.
//
// Every file the programs read or write is CP932 (Shift_JIS) text. Writing
// always ends lines with CR LF. Reading knows two line rules: logs keep the
// classic one (a line ends at CR LF or CR, a lone LF stays inside the line,
// the editor removes it later), while data files also end a line at a lone
// LF, because files saved on Linux (the distributed Cty.dat among them) have
// nothing else.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tovek {

enum class LineEnds {
  kCrLfOrCr,       // entrant logs: a lone LF stays inside the line
  kCrLfCrOrLf,     // data files: a lone LF ends the line too
};

// Decodes CP932 bytes. Bytes that are no CP932 character become U+FFFD.
QString DecodeCp932(QByteArrayView bytes);

// Encodes text as CP932; a character CP932 cannot hold is written as "?".
QByteArray EncodeCp932(QStringView text);

// Outcome of a file operation: ok, or the platform's description of the error.
struct FileOutcome {
  bool ok = true;
  QString error;

  static FileOutcome Success() { return {}; }
  static FileOutcome Failure(QString text) { return {false, std::move(text)}; }
};

// Reads a text file one line at a time. The whole file is read when it is
// opened; lines are decoded as they are taken.
class TextLineReader {
 public:
  explicit TextLineReader(LineEnds rule = LineEnds::kCrLfOrCr) : rule_(rule) {}

  // Opens and reads the file. On failure the outcome carries the reason.
  FileOutcome Open(const QString& path);

  // Reads lines from bytes already in memory (for tests and tools).
  void OpenBytes(QByteArray bytes);

  // Size of the file in bytes.
  qint64 Size() const { return bytes_.size(); }

  // Takes the next line into `line` and its length in bytes, line ends not
  // counted, into `byte_length`. False at the end of the file.
  bool Next(QString& line, qsizetype* byte_length = nullptr);

 private:
  LineEnds rule_;
  QByteArray bytes_;
  qsizetype position_ = 0;
};

// Reads all lines of a file. On failure `lines` holds nothing.
struct TextFileLines {
  FileOutcome outcome;
  QStringList lines;
};
TextFileLines ReadTextLines(const QString& path, LineEnds rule);

// Writes the lines as CP932 text, each followed by CR LF. The file appears
// whole or not at all: a failure leaves an earlier file of the name untouched.
FileOutcome WriteTextLines(const QString& path, const QStringList& lines);

}  // namespace tovek
