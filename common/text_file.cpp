#include "common/text_file.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <array>
#include <cstdint>

#include "common/file_output.h"

namespace tovek {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr const char* kCodePage = "CP932";
constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr qsizetype kUtf8ByteOrderMarkSize = 3;

FileOutcome TooLarge(qint64 size, qint64 max_size) {
  return FileOutcome::Failure(
      QStringLiteral("too large for this kind of file: %1 bytes, at most %2 are read")
          .arg(size)
          .arg(max_size));
}

bool StartsWithUtf8ByteOrderMark(QByteArrayView bytes) {
  return bytes.startsWith(QByteArrayView(kUtf8ByteOrderMark, kUtf8ByteOrderMarkSize));
}

// The length of the UTF-8 sequence that starts at `i`, or 0 when the bytes
// there are no well-formed sequence (RFC 3629 table of valid byte ranges).
qsizetype Utf8SequenceLength(const unsigned char* data, qsizetype size, qsizetype i) {
  const unsigned char lead = data[i];
  if (lead < 0x80) return 1;
  qsizetype length = 0;
  unsigned char second_min = 0x80;
  unsigned char second_max = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) second_min = 0xA0;  // no overlong forms
    if (lead == 0xED) second_max = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) second_min = 0x90;  // no overlong forms
    if (lead == 0xF4) second_max = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (i + length > size) return 0;
  if (data[i + 1] < second_min || data[i + 1] > second_max) return 0;
  for (qsizetype k = 2; k < length; ++k) {
    if (data[i + k] < 0x80 || data[i + k] > 0xBF) return 0;
  }
  return length;
}

}  // namespace

bool IsValidUtf8(QByteArrayView bytes) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const qsizetype size = bytes.size();
  qsizetype i = 0;
  while (i < size) {
    const qsizetype length = Utf8SequenceLength(data, size, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

namespace {

struct Utf8Reading {
  qsizetype characters = 0;  // well-formed sequences of two bytes or more
  qsizetype bad_bytes = 0;
};

Utf8Reading ReadAsUtf8(QByteArrayView bytes) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const qsizetype size = bytes.size();
  Utf8Reading reading;
  qsizetype i = 0;
  while (i < size) {
    const qsizetype length = Utf8SequenceLength(data, size, i);
    if (length == 0) ++reading.bad_bytes;
    if (length > 1) ++reading.characters;
    i += std::max<qsizetype>(length, 1);
  }
  return reading;
}

}  // namespace

qsizetype Utf8BadBytes(QByteArrayView bytes) { return ReadAsUtf8(bytes).bad_bytes; }

namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr char16_t kIcuSubstitute = 0x1A;

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// The characters of double-byte pairs already looked up, by the pair's two
// bytes; 0 marks a pair not looked up yet.
class Cp932DecodingCache {
 public:
  char16_t Of(unsigned char lead, unsigned char trail) {
    char16_t& slot = table_[(lead << 8) | trail];
    if (slot == 0) {
      // Opening a converter is far dearer than decoding a pair, so keep one.
      thread_local QStringDecoder decoder(kCodePage, QStringConverter::Flag::Stateless);
      decoder.resetState();
      const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      const QString decoded = decoder.decode(QByteArrayView(pair, 2));
      slot = decoded.size() == 1 && decoded[0].unicode() != kIcuSubstitute ? decoded[0].unicode()
                                                                           : kReplacement;
    }
    return slot;
  }

 private:
  std::array<char16_t, 0x10000> table_{};
};

}  // namespace

// ICU's table for the code page (IBM-943) is asked only about double-byte
// pairs: it rotates the control bytes 0x1A, 0x1C and 0x7F (a DOS
// log's closing Ctrl-Z came back as U+001C and was written out so), and it
// gives U+001A, not U+FFFD, for bytes that are no character.
QString DecodeCp932(QByteArrayView bytes) {
  thread_local Cp932DecodingCache cache;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const qsizetype size = bytes.size();
  // No byte gives more than one character: the text is made at its longest
  // and cut to what the bytes gave, written directly rather than appended
  // character by character (every line of every log passes through here).
  QString text(size, Qt::Uninitialized);
  char16_t* out = reinterpret_cast<char16_t*>(text.data());
  qsizetype length = 0;
  for (qsizetype i = 0; i < size; ++i) {
    const unsigned char b = data[i];
    if (b < 0x80) {
      out[length++] = b;
    } else if (b >= 0xA1 && b <= 0xDF) {
      out[length++] = static_cast<char16_t>(0xFF61 + (b - 0xA1));  // half-width katakana
    } else if (IsLeadByte(b) && i + 1 < size && IsTrailByte(data[i + 1])) {
      out[length++] = cache.Of(b, data[i + 1]);
      ++i;
    } else {
      // A byte that begins no character, or a lead byte without its second
      // byte; what follows is read on its own.
      out[length++] = kReplacement;
    }
  }
  text.truncate(length);
  return text;
}

qsizetype Cp932BadBytes(QByteArrayView bytes) {
  thread_local Cp932DecodingCache cache;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const qsizetype size = bytes.size();
  qsizetype bad = 0;
  for (qsizetype i = 0; i < size; ++i) {
    const unsigned char b = data[i];
    if (b < 0x80 || (b >= 0xA1 && b <= 0xDF)) continue;
    if (IsLeadByte(b) && i + 1 < size && IsTrailByte(data[i + 1])) {
      if (cache.Of(b, data[i + 1]) == kReplacement) bad += 2;
      ++i;
    } else {
      ++bad;
    }
  }
  return bad;
}

LogDecoding DetectLogDecoding(QByteArrayView bytes) {
  if (StartsWithUtf8ByteOrderMark(bytes)) {
    return {TextEncoding::kUtf8, Utf8BadBytes(bytes.sliced(kUtf8ByteOrderMarkSize))};
  }
  const bool has_non_ascii =
      std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
  if (!has_non_ascii) return {};
  const Utf8Reading utf8 = ReadAsUtf8(bytes);
  // CP932 reads nearly any pair of bytes above 0x80 as some character, so
  // its count of bad bytes alone would take UTF-8 Japanese for CP932. What
  // tells them apart is that CP932 text forms well-formed UTF-8 characters
  // only by chance, a few among many bytes that break the UTF-8 rules.
  if (utf8.characters > utf8.bad_bytes) return {TextEncoding::kUtf8, utf8.bad_bytes};
  const qsizetype cp932_bad = Cp932BadBytes(bytes);
  if (utf8.bad_bytes <= cp932_bad) return {TextEncoding::kUtf8, utf8.bad_bytes};
  return {TextEncoding::kCp932, cp932_bad};
}

TextEncoding DetectLogEncoding(QByteArrayView bytes) { return DetectLogDecoding(bytes).encoding; }

namespace {

// The CP932 bytes of one code point, or "?" when CP932 has no such character.
// A fresh converter per code point: an ICU converter that met an unencodable
// character keeps reporting errors after resetState().
QByteArray EncodeCodePoint(QStringView code_point) {
  QStringEncoder encoder(kCodePage, QStringConverter::Flag::Stateless);
  const QByteArray encoded = encoder.encode(code_point);
  if (encoder.hasError() || encoded.isEmpty() || (encoded == "?" && code_point != u"?")) {
    return QByteArrayLiteral("?");
  }
  return encoded;
}

// Encodings already looked up, by code point of the basic plane; 0 marks one
// not looked up yet. Logs hold few distinct non-ASCII characters.
class Cp932EncodingCache {
 public:
  QByteArrayView Of(char16_t c) {
    std::uint16_t& slot = table_[c];
    if (slot == 0) {
      const QByteArray bytes = EncodeCodePoint(QStringView(&c, 1));
      slot = bytes.size() == 1
                 ? static_cast<std::uint8_t>(bytes[0])
                 : static_cast<std::uint16_t>((static_cast<std::uint8_t>(bytes[0]) << 8) |
                                              static_cast<std::uint8_t>(bytes[1]));
    }
    if (slot <= 0xff) {
      single_ = static_cast<char>(slot);
      return QByteArrayView(&single_, 1);
    }
    pair_[0] = static_cast<char>(slot >> 8);
    pair_[1] = static_cast<char>(slot & 0xff);
    return QByteArrayView(pair_, 2);
  }

 private:
  std::array<std::uint16_t, 0x10000> table_{};
  char single_ = 0;
  char pair_[2] = {};
};

}  // namespace

QByteArray EncodeCp932(QStringView text) {
  thread_local Cp932EncodingCache cache;
  QByteArray out;
  out.reserve(text.size() * 2);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c < 0x80) {
      out.append(static_cast<char>(c));
    } else if (QChar::isSurrogate(c)) {
      // Nothing beyond the basic plane is in CP932: one "?" per character.
      if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
      out.append('?');
    } else {
      out.append(cache.Of(c));
    }
  }
  return out;
}

FileOutcome CheckInputFile(const QString& path, qint64 max_size) {
  const QFileInfo info(path);
  if (!info.exists()) return FileOutcome::Success();
  // Asked before opening: opening a pipe waits for a writer, and reading a
  // device such as /dev/zero never ends.
  if (!info.isFile()) {
    return FileOutcome::Failure(
        QStringLiteral("not a regular file (a folder, a device or a pipe); only files are read"));
  }
  if (info.size() > max_size) return TooLarge(info.size(), max_size);
  return FileOutcome::Success();
}

FileOutcome ReadInputFile(const QString& path, qint64 max_size, QByteArray& bytes) {
  bytes.clear();
  if (FileOutcome checked = CheckInputFile(path, max_size); !checked.ok) return checked;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return FileOutcome::Failure(file.errorString());
  // Read as long as it is (a buffer of the limit's size for every file would
  // be wasted); a file that grew since it was looked at is read on, to one
  // byte beyond the limit at most.
  bytes = file.read(std::min(file.size(), max_size + 1));
  char next = 0;
  while (bytes.size() <= max_size && file.getChar(&next)) bytes.append(next);
  if (file.error() != QFileDevice::NoError) {
    bytes.clear();
    return FileOutcome::Failure(file.errorString());
  }
  if (bytes.size() > max_size) {
    bytes.clear();
    return TooLarge(file.size(), max_size);
  }
  return FileOutcome::Success();
}

FileOutcome TextLineReader::Open(const QString& path, qint64 max_size) {
  // A failed read leaves no lines, not even those of a file read before.
  const FileOutcome read = ReadInputFile(path, max_size, bytes_);
  Start();
  return read;
}

void TextLineReader::OpenBytes(QByteArray bytes) {
  bytes_ = std::move(bytes);
  Start();
}

void TextLineReader::Start() {
  position_ = 0;
  decoding_ = source_ == TextSource::kLog ? DetectLogDecoding(bytes_) : LogDecoding{};
  if (decoding_.encoding == TextEncoding::kUtf8 && StartsWithUtf8ByteOrderMark(bytes_)) {
    position_ = kUtf8ByteOrderMarkSize;
  }
}

bool TextLineReader::Next(QString& line, qsizetype* byte_length) {
  const qsizetype size = bytes_.size();
  if (position_ >= size) return false;
  const char* data = bytes_.constData();
  qsizetype end = position_;
  if (rule_ == LineEnds::kCrLfOrCr) {
    while (end < size && data[end] != kCr) ++end;
  } else {
    while (end < size && data[end] != kCr && data[end] != kLf) ++end;
  }
  const QByteArrayView raw(data + position_, end - position_);
  line = decoding_.encoding == TextEncoding::kUtf8 ? QString::fromUtf8(raw) : DecodeCp932(raw);
  if (byte_length) *byte_length = raw.size();
  position_ = end;
  if (position_ < size && data[position_] == kCr) {
    ++position_;
    if (position_ < size && data[position_] == kLf) ++position_;
  } else if (position_ < size && data[position_] == kLf) {
    ++position_;
  }
  return true;
}

TextFileLines ReadTextLines(const QString& path, LineEnds rule, qint64 max_size) {
  TextFileLines result;
  TextLineReader reader(rule);
  result.outcome = reader.Open(path, max_size);
  if (!result.outcome.ok) return result;
  QString line;
  while (reader.Next(line)) result.lines.append(line);
  return result;
}

namespace {

bool IsControl(QChar c) {
  const QChar::Category category = c.category();
  return category == QChar::Other_Control || category == QChar::Separator_Line ||
         category == QChar::Separator_Paragraph;
}

}  // namespace

QString PlainText(QString text) {
  // Most texts are clean: they are returned without a copy.
  if (std::none_of(text.cbegin(), text.cend(), IsControl)) return text;
  for (QChar& c : text) {
    if (IsControl(c)) c = u' ';
  }
  return text;
}

FileOutcome WriteTextLines(const QString& path, const QStringList& lines) {
  QByteArray bytes;
  // Room for the lines as ASCII at once: a file of 32,767 QSO lines would
  // otherwise be copied over and over as it grows.
  qsizetype ascii_size = 0;
  for (const QString& line : lines) ascii_size += line.size() + 2;
  bytes.reserve(ascii_size);
  for (const QString& line : lines) {
    bytes.append(EncodeCp932(PlainText(line)));
    bytes.append("\r\n");
  }
  return WriteFileBytes(path, bytes);
}

}  // namespace tovek
