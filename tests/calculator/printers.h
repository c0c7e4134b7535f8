// Readable GoogleTest output for the Qt and calculator types the tests compare.
#pragma once

#include <QString>
#include <ostream>

#include "calculator/log_reader.h"
#include "calculator/result_table.h"

inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace tovek {

inline void PrintTo(const QsoEntry& qso, std::ostream* os) {
  *os << "{\"" << qso.band.toStdString() << "\", \"" << qso.call.toStdString() << "\"}";
}

inline void PrintTo(const BandSlot& s, std::ostream* os) {
  *os << "{valid " << s.valid << ", dupes " << s.dupes << ", points " << s.points << ", mult1 "
      << s.mult1 << ", mult2 " << s.mult2 << "}";
}

inline void PrintTo(const ResultRow& r, std::ostream* os) {
  *os << "{" << r.call_sign.toStdString() << "|" << r.category.toStdString() << "|"
      << r.claimed_score << "|" << r.score << "|" << r.continent.toStdString() << "|"
      << r.entity.toStdString() << "|" << r.name.toStdString() << "|" << r.qso_lines << "/"
      << r.valid << "/" << r.dupes << "/" << r.points << "/" << r.mult1 << "/" << r.mult2 << "/"
      << r.total_mult << "}";
}

}  // namespace tovek
