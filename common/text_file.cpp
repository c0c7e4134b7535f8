#include "common/text_file.h"

#include <QFile>
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

TextEncoding DetectLogEncoding(QByteArrayView bytes) {
  if (StartsWithUtf8ByteOrderMark(bytes)) return TextEncoding::kUtf8;
  const bool has_non_ascii =
      std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
  return has_non_ascii && IsValidUtf8(bytes) ? TextEncoding::kUtf8 : TextEncoding::kCp932;
}

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

FileOutcome TextLineReader::Open(const QString& path) {
  QFile file(path);
  bool read = file.open(QIODevice::ReadOnly);
  if (read) {
    bytes_ = file.readAll();
    read = file.error() == QFileDevice::NoError;
  }
  // A failed read leaves no lines, not even those of a file read before.
  if (!read) bytes_.clear();
  Start();
  return read ? FileOutcome::Success() : FileOutcome::Failure(file.errorString());
}

void TextLineReader::OpenBytes(QByteArray bytes) {
  bytes_ = std::move(bytes);
  Start();
}

void TextLineReader::Start() {
  position_ = 0;
  encoding_ = source_ == TextSource::kLog ? DetectLogEncoding(bytes_) : TextEncoding::kCp932;
  if (encoding_ == TextEncoding::kUtf8 && StartsWithUtf8ByteOrderMark(bytes_)) {
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
  line = encoding_ == TextEncoding::kUtf8 ? QString::fromUtf8(raw) : DecodeCp932(raw);
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

TextFileLines ReadTextLines(const QString& path, LineEnds rule) {
  TextFileLines result;
  TextLineReader reader(rule);
  result.outcome = reader.Open(path);
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
