#include "calculator/log_reader.h"

#include <QFileInfo>
#include <algorithm>
#include <array>

#include "calculator/text_rules.h"
#include "common/legacy_numbers.h"
#include "common/text_file.h"

namespace tovek {
namespace {

// Positions within a QSO line's value (the text after the colon), 0-based:
// in a line beginning "QSO: " these are columns 6-10 and 55-66.
constexpr qsizetype kFrequencyStart = 1;
constexpr qsizetype kFrequencyLength = 5;
constexpr qsizetype kCallStart = 50;
constexpr qsizetype kCallLength = 12;

// A tag whose length is known when the program is built: every line is
// compared with a dozen of them.
template <size_t N>
constexpr QStringView Tag(const char16_t (&text)[N]) {
  return QStringView(text, N - 1);
}

constexpr QStringView kQsoTag = Tag(u"QSO");

QString* HeaderField(CabrilloSummary& summary, QStringView tag) {
  struct Field {
    QStringView tag;
    QString CabrilloSummary::*member;
  };
  static constexpr Field kFields[] = {
      {Tag(u"CALLSIGN"), &CabrilloSummary::call_sign},
      {Tag(u"CATEGORY"), &CabrilloSummary::category},
      {Tag(u"CLAIMED-SCORE"), &CabrilloSummary::claimed_score},
      {Tag(u"OPERATORS"), &CabrilloSummary::operators},
      {Tag(u"CLUB"), &CabrilloSummary::club},
      {Tag(u"ARRL-SECTION"), &CabrilloSummary::continent},
      {Tag(u"LOCATION"), &CabrilloSummary::entity},
      {Tag(u"NAME"), &CabrilloSummary::name},
      {Tag(u"CREATED-BY"), &CabrilloSummary::created_by},
      {Tag(u"ADDRESS"), &CabrilloSummary::address},
      {Tag(u"SOAPBOX"), &CabrilloSummary::soapbox},
  };
  for (const Field& field : kFields) {
    if (tag == field.tag) return &(summary.*field.member);
  }
  return nullptr;
}

// The band of a QSO's frequency text, or nothing off the five bands.
const QString* ContestBand(QStringView frequency_text) {
  static const QString kBands[] = {QStringLiteral("3.5"), QStringLiteral("7"), QStringLiteral("14"),
                                   QStringLiteral("21"), QStringLiteral("28")};
  // The usual field is digits behind blanks: its value needs no parser.
  double khz = 0;
  for (const QChar c : frequency_text) {
    if (c == u' ') continue;
    if (c < u'0' || c > u'9') {
      khz = NumericValue(frequency_text);
      break;
    }
    khz = khz * 10 + (c.unicode() - u'0');
  }
  if (khz >= 3500 && khz < 4000) return &kBands[0];
  if (khz >= 7000 && khz < 7500) return &kBands[1];
  if (khz >= 14000 && khz < 14500) return &kBands[2];
  if (khz >= 21000 && khz < 21500) return &kBands[3];
  if (khz >= 28000 && khz < 30000) return &kBands[4];
  return nullptr;
}


QsoEntry MakeQsoEntry(QStringView value) {
  const QStringView frequency = value.mid(kFrequencyStart, kFrequencyLength);
  const QString* band = ContestBand(frequency);
  return {band ? *band : frequency.toString(),
          CallSignText(value.mid(kCallStart, kCallLength)).toString()};
}

// The longest tag that the fast road below upper-cases; a longer one is no
// tag the reader knows.
constexpr qsizetype kTagBuffer = 32;

// The tag of a line: the text before its colon, upper-cased and trimmed of
// spaces. Tags are ASCII, which is upper-cased here without a copy of the
// line; a tag with any other character takes the general road, where
// upper-casing may change a text's length.
QStringView LineTag(QStringView before_colon, std::array<char16_t, kTagBuffer>& buffer,
                    QString& general) {
  const QStringView trimmed = TrimSpaces(before_colon);
  if (trimmed.size() <= kTagBuffer) {
    bool ascii = true;
    for (qsizetype i = 0; i < trimmed.size() && ascii; ++i) {
      const char16_t c = trimmed[i].unicode();
      ascii = c < 0x80;
      buffer[static_cast<size_t>(i)] = c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c;
    }
    if (ascii) return QStringView(buffer.data(), trimmed.size());
  }
  general = TrimSpaces(before_colon.toString().toUpper());
  return general;
}

// Takes one line into the log; false when the QSO list is full.
bool TakeLine(QStringView line, int line_number, LogRead& log, const QsoLineVisitor* visitor) {
  const qsizetype colon = line.indexOf(u':');
  if (colon < 0) return true;
  std::array<char16_t, kTagBuffer> buffer;
  QString general;
  const QStringView tag = LineTag(line.left(colon), buffer, general);
  const QStringView value = line.mid(colon + 1);
  if (QString* field = HeaderField(log.summary, tag)) {
    *field = (field == &log.summary.call_sign ? CallSignText(value) : TrimSpaces(value)).toString();
  } else if (tag == kQsoTag) {
    if (log.qsos.size() >= kMaxLogQsos) return false;
    log.qsos.append(MakeQsoEntry(value));
    if (visitor) (*visitor)(value, line_number);
  }
  return true;
}

void ReadLines(TextLineReader& reader, LogRead& log, const QsoLineVisitor* visitor = nullptr) {
  // A QSO line is some 80 bytes: room for them all at once, not by doubling.
  log.qsos.reserve(std::min<qint64>(reader.Size() / 64 + 1, kMaxLogQsos));
  QString line;
  int line_number = 0;
  while (reader.Next(line)) {
    if (!TakeLine(line, ++line_number, log, visitor)) {
      log.status = LogRead::Status::kTooManyQsos;
      break;
    }
  }
  log.stn_cnt = log.summary.continent;
  log.decoding = reader.Decoding();
}

}  // namespace

QStringView CallSignText(QStringView text) {
  constexpr char16_t kBadByte = 0xFFFD;
  QStringView call = TrimSpaces(text);
  while (!call.isEmpty() && (call.front() == kBadByte || call.back() == kBadByte)) {
    call = TrimSpaces(call.front() == kBadByte ? call.sliced(1) : call.chopped(1));
  }
  return call;
}

QString BandOfFrequency(const QString& frequency_text) {
  const QString* band = ContestBand(frequency_text);
  return band ? *band : frequency_text;
}

namespace {

LogRead ReadLogFile(const QString& path, const QsoLineVisitor* visitor) {
  LogRead log;
  TextLineReader reader(LineEnds::kCrLfCrOrLf, TextSource::kLog);
  // Whether a log that cannot be read is there at all is asked only then:
  // a contest of thousands of logs need not look each one up twice.
  if (const FileOutcome opened = reader.Open(path, max_file_size::kLog); !opened.ok) {
    if (!QFileInfo::exists(path)) {
      log.status = LogRead::Status::kMissing;
      return log;
    }
    log.status = LogRead::Status::kUnreadable;
    log.error = opened.error;
    return log;
  }
  ReadLines(reader, log, visitor);
  return log;
}

}  // namespace

LogRead ReadLog(const QString& path) { return ReadLogFile(path, nullptr); }

LogRead ReadLog(const QString& path, const QsoLineVisitor& visitor) {
  return ReadLogFile(path, &visitor);
}

LogRead ReadLogBytes(QByteArray bytes) {
  LogRead log;
  TextLineReader reader(LineEnds::kCrLfCrOrLf, TextSource::kLog);
  reader.OpenBytes(std::move(bytes));
  ReadLines(reader, log);
  return log;
}

LogRead ReadLogBytes(QByteArray bytes, const QsoLineVisitor& visitor) {
  LogRead log;
  TextLineReader reader(LineEnds::kCrLfCrOrLf, TextSource::kLog);
  reader.OpenBytes(std::move(bytes));
  ReadLines(reader, log, &visitor);
  return log;
}

}  // namespace tovek
