#include "calculator/log_reader.h"

#include <QFileInfo>

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

QString* HeaderField(CabrilloSummary& summary, QStringView tag) {
  struct Field {
    const char16_t* tag;
    QString CabrilloSummary::*member;
  };
  static constexpr Field kFields[] = {
      {u"CALLSIGN", &CabrilloSummary::call_sign},
      {u"CATEGORY", &CabrilloSummary::category},
      {u"CLAIMED-SCORE", &CabrilloSummary::claimed_score},
      {u"OPERATORS", &CabrilloSummary::operators},
      {u"CLUB", &CabrilloSummary::club},
      {u"ARRL-SECTION", &CabrilloSummary::continent},
      {u"LOCATION", &CabrilloSummary::entity},
      {u"NAME", &CabrilloSummary::name},
      {u"CREATED-BY", &CabrilloSummary::created_by},
      {u"ADDRESS", &CabrilloSummary::address},
      {u"SOAPBOX", &CabrilloSummary::soapbox},
  };
  for (const Field& field : kFields) {
    if (tag == QStringView(field.tag)) return &(summary.*field.member);
  }
  return nullptr;
}

QsoEntry MakeQsoEntry(QStringView value) {
  const QString frequency = value.mid(kFrequencyStart, kFrequencyLength).toString();
  return {BandOfFrequency(frequency), TrimSpaces(value.mid(kCallStart, kCallLength)).toString()};
}

// Takes one line into the log; false when the QSO list is full.
bool TakeLine(QStringView line, LogRead& log) {
  const qsizetype colon = line.indexOf(u':');
  if (colon < 0) return true;
  const QString tag = TrimSpaces(line.left(colon).toString().toUpper());
  const QStringView value = line.mid(colon + 1);
  if (QString* field = HeaderField(log.summary, tag)) {
    *field = TrimSpaces(value).toString();
  } else if (tag == u"QSO") {
    if (log.qsos.size() >= kMaxLogQsos) return false;
    log.qsos.append(MakeQsoEntry(value));
  }
  return true;
}

void ReadLines(TextLineReader& reader, LogRead& log) {
  QString line;
  while (reader.Next(line)) {
    if (!TakeLine(line, log)) {
      log.status = LogRead::Status::kTooManyQsos;
      break;
    }
  }
  log.stn_cnt = log.summary.continent;
}

}  // namespace

QString BandOfFrequency(const QString& frequency_text) {
  const double khz = NumericValue(frequency_text);
  if (khz >= 3500 && khz < 4000) return QStringLiteral("3.5");
  if (khz >= 7000 && khz < 7500) return QStringLiteral("7");
  if (khz >= 14000 && khz < 14500) return QStringLiteral("14");
  if (khz >= 21000 && khz < 21500) return QStringLiteral("21");
  if (khz >= 28000 && khz < 30000) return QStringLiteral("28");
  return frequency_text;
}

LogRead ReadLog(const QString& path) {
  LogRead log;
  if (!QFileInfo::exists(path)) {
    log.status = LogRead::Status::kMissing;
    return log;
  }
  TextLineReader reader(LineEnds::kCrLfCrOrLf, TextSource::kLog);
  if (const FileOutcome opened = reader.Open(path); !opened.ok) {
    log.status = LogRead::Status::kUnreadable;
    log.error = opened.error;
    return log;
  }
  ReadLines(reader, log);
  return log;
}

LogRead ReadLogBytes(QByteArray bytes) {
  LogRead log;
  TextLineReader reader(LineEnds::kCrLfCrOrLf, TextSource::kLog);
  reader.OpenBytes(std::move(bytes));
  ReadLines(reader, log);
  return log;
}

}  // namespace tovek
