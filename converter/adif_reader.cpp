#include "converter/adif_reader.h"

#include <algorithm>
#include <cmath>

namespace tovek {
namespace {

const QString kEndOfRecord = QStringLiteral("<EOR>");
const QString kEndOfHeader = QStringLiteral("<EOH>");
const QString kCallTag = QStringLiteral("<CALL:");

// Upper case character by character: a value's declared length counts
// characters, so no letter may turn into two ("ß" stays as it is).
void AppendUpperCase(QString& text, const QString& line) {
  const qsizetype start = text.size();
  text.append(line);
  for (qsizetype i = start; i < text.size(); ++i) text[i] = text[i].toUpper();
}

// The length written in a tag: the leading number of the text between its
// ":" and ">" (so a type letter behind a second ":" is passed over).
qsizetype DeclaredLength(QStringView text) {
  // A length too large for any number is longer than any record.
  const std::optional<double> declared = ReadNumericValue(text);
  if (!declared) return qsizetype{1} << 50;
  const double length = RoundHalfEven(*declared);
  if (!(length > 0)) return 0;
  return length >= 1e15 ? qsizetype{1} << 50 : static_cast<qsizetype>(length);
}

// Whether a value of `length` characters from the start of `rest` ends where
// a field can end: at the end of the text, or before the next tag with only
// blanks and line breaks in between.
bool EndsAtFieldBoundary(QStringView rest, qsizetype length) {
  qsizetype i = length;
  while (i < rest.size() &&
         (rest[i] == u' ' || rest[i] == u'\t' || rest[i] == u'\r' || rest[i] == u'\n')) {
    ++i;
  }
  return i >= rest.size() || rest[i] == u'<';
}

qsizetype Utf8Bytes(QChar c) {
  if (c.unicode() < 0x80) return 1;
  if (c.unicode() < 0x800) return 2;
  return c.isSurrogate() ? 2 : 3;  // a pair is four bytes
}

qsizetype Cp932Bytes(QChar c) {
  const char16_t u = c.unicode();
  return u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F) ? 1 : 2;  // ASCII and half-width katakana
}

// The characters at the start of `rest` whose encoded bytes number exactly
// `bytes`, or -1 when no run of characters has that size.
qsizetype CharactersInBytes(QStringView rest, qsizetype bytes, qsizetype (*size_of)(QChar)) {
  qsizetype total = 0;
  qsizetype count = 0;
  while (total < bytes && count < rest.size()) total += size_of(rest[count++]);
  return total == bytes ? count : -1;
}

// The length in characters of a value whose tag declares `declared`. Most
// programs count characters, some count the bytes of their file's encoding
// (UTF-8, or CP932 in Japanese programs); the two differ only when the value
// holds non-ASCII characters. The character count holds unless it ends in
// the middle of text while a byte count ends at a field boundary.
qsizetype ValueLength(QStringView rest, qsizetype declared) {
  if (declared >= rest.size() || EndsAtFieldBoundary(rest, declared)) return declared;
  for (auto size_of : {&Utf8Bytes, &Cp932Bytes}) {
    const qsizetype characters = CharactersInBytes(rest, declared, size_of);
    if (characters >= 0 && characters != declared && EndsAtFieldBoundary(rest, characters)) {
      return characters;
    }
  }
  return declared;
}

// Takes the complete records out of `pending`, from `start` on, leaving
// `start` at the text that follows the last "<EOR>". `scanned` is where the
// search for "<EOR>" may begin: a file without "<EOR>" must not be searched
// again from its start for every line. False once the list is full.
bool TakeRecords(const QString& pending, qsizetype& start, qsizetype& scanned,
                 AdifReadOutcome& outcome) {
  for (;;) {
    const qsizetype end = pending.indexOf(kEndOfRecord, std::max(start, scanned));
    if (end < 0) {
      scanned = std::max(start, pending.size() - kEndOfRecord.size() + 1);
      return true;
    }
    const qsizetype record_end = end + kEndOfRecord.size();
    QStringView record = QStringView(pending).mid(start, record_end - start);
    start = record_end;
    while (start < pending.size() && pending[start] == u' ') ++start;
    const qsizetype header_end = record.indexOf(kEndOfHeader);
    if (header_end >= 0) record = record.mid(header_end + kEndOfHeader.size());
    if (!record.contains(kCallTag)) continue;
    if (outcome.records.size() >= kMaxAdifRecords) {
      outcome.truncated = true;
      return false;
    }
    outcome.records.append(record.toString());
  }
}

}  // namespace

AdifReadOutcome AdifReadLines(TextLineReader& reader) {
  AdifReadOutcome outcome;
  outcome.decoding = reader.Decoding();
  QString pending;
  qsizetype start = 0;
  qsizetype scanned = 0;
  QString line;
  while (reader.Next(line)) {
    if (start > 0) {
      pending.remove(0, start);
      scanned = std::max<qsizetype>(0, scanned - start);
      start = 0;
    }
    AppendUpperCase(pending, line);
    if (!TakeRecords(pending, start, scanned, outcome)) break;
  }
  // Text after the last "<EOR>" is an unterminated record or trailing
  // text: it is not a record.
  return outcome;
}

AdifReadOutcome AdifRead(const QString& path) {
  TextLineReader reader(LineEnds::kCrLfOrCr, TextSource::kLog);
  const FileOutcome opened = reader.Open(path, max_file_size::kAdif);
  if (!opened.ok) {
    AdifReadOutcome outcome;
    outcome.file = opened;
    return outcome;
  }
  return AdifReadLines(reader);
}

AdifFieldNames AdifFieldNamesOf(const QString& record) {
  AdifFieldNames names;
  qsizetype position = 0;
  for (;;) {
    const qsizetype open = record.indexOf(u'<', position);
    if (open < 0) break;
    const qsizetype colon = record.indexOf(u':', open);
    if (colon < 0) break;
    const qsizetype close = record.indexOf(u'>', colon);
    if (close < 0) break;
    names.append(record.mid(open + 1, colon - open - 1));
    const qsizetype length =
        ValueLength(QStringView(record).mid(close + 1),
                    DeclaredLength(QStringView(record).mid(colon + 1, close - colon - 1)));
    position = close + 1 + std::min(length, record.size() - close - 1);
  }
  return names;
}

AdifSetup AdifSet(const AdifRecordList& records) {
  AdifSetup setup;
  if (!records.isEmpty()) setup.names = AdifFieldNamesOf(records.first());
  setup.sources = DefaultSources(setup.names);
  return setup;
}

QString AdifFieldValue(const QString& record, const QString& name) {
  const QString tag = u'<' + name + u':';
  const qsizetype found = record.indexOf(tag);
  if (found < 0) return {};
  const qsizetype colon = found + tag.size() - 1;
  const qsizetype close = record.indexOf(u'>', colon);
  if (close < 0) return {};
  const qsizetype length =
      ValueLength(QStringView(record).mid(close + 1),
                  DeclaredLength(QStringView(record).mid(colon + 1, close - colon - 1)));
  return record.mid(close + 1, std::min(length, record.size() - close - 1));
}

}  // namespace tovek
