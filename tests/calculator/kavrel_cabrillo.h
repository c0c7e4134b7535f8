// Test logs in the Cabrillo 2.0 layout that Kavrel writes: thirteen header
// lines in fixed order, then 75-character QSO lines (frequency in columns
// 6-10, worked call in columns 55-66), then END-OF-LOG, CR LF line ends,
// CP932 text.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "calculator/log_reader.h"
#include "common/text_file.h"

namespace tovek::testing {

struct KavrelQso {
  QString band;  // the five frequency characters, e.g. "14080", " 7025"
  QString his_call;
  QString my_call = QStringLiteral("JA1TEST");
  QString time = QStringLiteral("1234");
};

// A station's header values as most tests vary them; a test sets the others
// on what it gets back.
inline CabrilloSummary StationSummary(const char* call, const char* category,
                                      const char* continent, const char* entity,
                                      const char* claimed_score = "100") {
  CabrilloSummary s;
  s.call_sign = QString::fromLatin1(call);
  s.category = QString::fromLatin1(category);
  s.continent = QString::fromLatin1(continent);
  s.entity = QString::fromLatin1(entity);
  s.claimed_score = QString::fromLatin1(claimed_score);
  return s;
}

inline QString Fixed(const QString& text, int width) {
  return text.left(width).leftJustified(width, u' ');
}

inline QString KavrelQsoLine(const KavrelQso& qso) {
  return QStringLiteral("QSO: ") + Fixed(qso.band, 5) + QStringLiteral(" RY 2024-10-19 ") +
         Fixed(qso.time, 4) + u' ' + Fixed(qso.my_call, 12) + QStringLiteral(" 599 10     ") +
         Fixed(qso.his_call, 12) + QStringLiteral("   599 20");
}

inline QStringList KavrelLogLines(const CabrilloSummary& s, const QList<KavrelQso>& qsos) {
  QStringList lines = {
      "START-OF-LOG: 2.0",
      "CONTEST: TOVEK-WW-RTTY",
      "ARRL-SECTION: " + s.continent,
      "CATEGORY: " + s.category,
      "CALLSIGN: " + s.call_sign,
      "OPERATORS: " + s.operators,
      "NAME: " + s.name,
      "ADDRESS: " + s.address,
      "LOCATION: " + s.entity,
      "CLAIMED-SCORE: " + s.claimed_score,
      "CLUB: " + s.club,
      "CREATED-BY: " + s.created_by,
      "SOAPBOX: " + s.soapbox,
  };
  for (const KavrelQso& qso : qsos) lines.append(KavrelQsoLine(qso));
  lines.append("END-OF-LOG:");
  return lines;
}

// Writes the log as Kavrel does; returns its path.
inline QString WriteKavrelLog(const QString& path, const CabrilloSummary& summary,
                              const QList<KavrelQso>& qsos) {
  if (!WriteTextLines(path, KavrelLogLines(summary, qsos)).ok) return {};
  return path;
}

}  // namespace tovek::testing
