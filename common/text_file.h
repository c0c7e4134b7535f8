// Reading and writing the suite's text files.
//
// Every file the programs write is CP932 (Shift_JIS) text, and so is every
// settings and data file they read. Entrant logs and ADIF files come from
// many logging programs, a growing number of which write UTF-8: those files
// are read as UTF-8 when their bytes say so (see DetectLogEncoding). Writing
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
  kCrLfOrCr,    // entrant logs: a lone LF stays inside the line
  kCrLfCrOrLf,  // data files: a lone LF ends the line too
};

// What a reader takes the bytes of a file for.
enum class TextSource {
  kDataFile,  // settings and data files: always CP932
  kLog,       // entrant logs and ADIF files: CP932 or UTF-8, decided by DetectLogEncoding
};

enum class TextEncoding { kCp932, kUtf8 };

// The encoding of a log's bytes and how many of its bytes that encoding
// cannot read (each becomes U+FFFD in the text).
struct LogDecoding {
  TextEncoding encoding = TextEncoding::kCp932;
  qsizetype bad_bytes = 0;
};

// The encoding that explains a log's bytes best: UTF-8 when they begin with
// the UTF-8 byte-order mark, or when read as UTF-8 they form more
// well-formed characters of two bytes or more than they hold bytes UTF-8
// cannot read; otherwise the one of the two that finds fewer bytes it cannot
// read, UTF-8 when both find as many and there is a byte above 0x7F.
// Japanese CP932 text is practically never valid UTF-8 (its lead and trail
// bytes break the UTF-8 sequence rules), while one character cut in half by
// a byte-limited export leaves an otherwise UTF-8 file with one or two bad
// bytes among its many characters; pure ASCII reads the same either way.
LogDecoding DetectLogDecoding(QByteArrayView bytes);
TextEncoding DetectLogEncoding(QByteArrayView bytes);

// The number of bytes that are no character in CP932 (a byte that begins
// none, a lead byte without its trail byte, a pair the code page lacks) and
// in UTF-8 (a byte where no well-formed sequence starts).
qsizetype Cp932BadBytes(QByteArrayView bytes);
qsizetype Utf8BadBytes(QByteArrayView bytes);

// True when `bytes` is well-formed UTF-8: shortest forms only, no surrogate
// code points, nothing above U+10FFFF, no sequence cut off at the end.
bool IsValidUtf8(QByteArrayView bytes);

// Decodes CP932 bytes. Bytes that are no CP932 character become U+FFFD.
QString DecodeCp932(QByteArrayView bytes);

// Encodes text as CP932; a character CP932 cannot hold is written as "?".
QByteArray EncodeCp932(QStringView text);

// What went wrong with a file, where the windows say it in their own words.
enum class FileFault {
  kPlatform,  // `error` is the platform's description
  kDiskFull,  // no space left on the device
  kLink,      // a symbolic link stands at the output path
};

// Outcome of a file operation: ok, or the platform's description of the error
// (in English where the suite names the fault itself).
struct FileOutcome {
  bool ok = true;
  QString error;
  FileFault fault = FileFault::kPlatform;
  QString path;  // the file a named fault is about

  static FileOutcome Success() { return {}; }
  static FileOutcome Failure(QString text) {
    return {false, std::move(text), FileFault::kPlatform, {}};
  }
};

// Text as it leaves the programs, on a terminal or in a written line: each
// control character (C0, DEL, C1, line and paragraph separators) becomes one
// blank, so that no field breaks its line or its columns and no escape
// sequence reaches a terminal.
QString PlainText(QString text);

// The largest file each kind of input can be, far above any real one. The
// readers hold a file several times over while they read it, so a file
// beyond its kind's limit (a disk image, a device file, a file chosen by
// mistake) is refused before a byte of it is read.
namespace max_file_size {
// A log holds at most 32,767 rows; 2,048 bytes a row is several times the
// longest line a logging program writes.
inline constexpr qint64 kLog = 32767LL * 2048;
// An ADIF file: 32,767 records of 4 KiB (a record with every field of the
// format filled in stays under 2 KiB).
inline constexpr qint64 kAdif = 32767LL * 4096;
// The prefix file and the cross-check's list of known calls: the
// distributed ones are some 300 and 500 KB.
inline constexpr qint64 kReference = 16LL * 1024 * 1024;
// Settings, tag, list and area files: lines a person wrote.
inline constexpr qint64 kDataFile = 4LL * 1024 * 1024;
// The cross-check's tab-separated results: far above the lines of the
// largest contest it takes, every one of them not OK.
inline constexpr qint64 kCheckResults = 512LL * 1024 * 1024;
}  // namespace max_file_size

// Whether `path` may be read as an input of at most `max_size` bytes: a
// folder, a device or a pipe (which would never end, or block the reader
// for ever) is refused, and so is a file beyond the size. A path that does
// not exist passes; opening it then tells why.
FileOutcome CheckInputFile(const QString& path, qint64 max_size);

// Reads the whole file at `path` into `bytes` after CheckInputFile; a file
// that grew beyond `max_size` meanwhile is refused as well. On failure
// `bytes` is empty and the outcome says why.
FileOutcome ReadInputFile(const QString& path, qint64 max_size, QByteArray& bytes);

// Reads a text file one line at a time. The whole file is read when it is
// opened, a log's encoding is decided once from all its bytes, and lines are
// decoded as they are taken. Lines are cut on bytes: CR and LF never occur
// inside a multi-byte character of either encoding. A UTF-8 byte-order mark
// is not part of the first line.
class TextLineReader {
 public:
  explicit TextLineReader(LineEnds rule = LineEnds::kCrLfOrCr,
                          TextSource source = TextSource::kDataFile)
      : rule_(rule), source_(source) {}

  // Opens and reads the file, after CheckInputFile. On failure the outcome
  // carries the reason.
  FileOutcome Open(const QString& path, qint64 max_size);

  // Reads lines from bytes already in memory (for tests and tools).
  void OpenBytes(QByteArray bytes);

  // Size of the file in bytes.
  qint64 Size() const { return bytes_.size(); }

  // The encoding the lines are decoded from.
  TextEncoding Encoding() const { return decoding_.encoding; }

  // The encoding and the bytes of the file it cannot read; the lines show
  // each such byte as U+FFFD.
  const LogDecoding& Decoding() const { return decoding_; }

  // Takes the next line into `line` and its length in bytes, line ends not
  // counted, into `byte_length`. False at the end of the file.
  bool Next(QString& line, qsizetype* byte_length = nullptr);

 private:
  void Start();

  LineEnds rule_;
  TextSource source_;
  LogDecoding decoding_;
  QByteArray bytes_;
  qsizetype position_ = 0;
};

// Reads all lines of a file. On failure `lines` holds nothing.
struct TextFileLines {
  FileOutcome outcome;
  QStringList lines;
};
TextFileLines ReadTextLines(const QString& path, LineEnds rule,
                            qint64 max_size = max_file_size::kDataFile);

// Writes the lines as CP932 plain text (see PlainText), each followed by CR
// LF, through WriteFileBytes: whole or not at all, never through a link.
FileOutcome WriteTextLines(const QString& path, const QStringList& lines);

}  // namespace tovek
