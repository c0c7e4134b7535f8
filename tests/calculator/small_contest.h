// A small contest's results in grid order (highest score first): ties for
// second place in SOHP World and for first in SOLP, four European SOHP
// stations, Japanese stations in AS and JA, a CHECKLOG log, a lower-case
// category, and addresses with two markers, one marker, none and empty.
#pragma once

#include <QString>

#include "calculator/result_table.h"

namespace tovek::testing {

inline ResultRow ContestRow(const QString& call, const QString& category, const QString& continent,
                            const QString& entity, double score, std::int16_t valid,
                            std::int16_t points, std::int16_t total_mult, const QString& name,
                            const QString& address) {
  ResultRow row;
  row.call_sign = call;
  row.category = category;
  row.continent = continent;
  row.entity = entity;
  row.score = score;
  row.claimed_score = score;
  row.valid = valid;
  row.qso_lines = valid;
  row.points = points;
  row.total_mult = total_mult;
  row.mult1 = 1;
  row.mult2 = static_cast<std::int16_t>(total_mult - 1);
  row.name = name;
  row.address = address;
  return row;
}

inline ResultTable SmallContest() {
  return {
      ContestRow("DL1ABC", "SOHP", "EU", "DL", 900, 100, 300, 3, "Hans Muster",
                 "Hauptstr. 1 <LF> 12345 Berlin <LF> Germany"),
      ContestRow("JA1AAA", "SOHP", "AS", "JA", 800, 80, 200, 4, QStringLiteral("山田　太郎"),
                 QStringLiteral("東京都千代田区 <LF> 1-2-3")),
      ContestRow("W1AW", "SOHP", "NA", "K", 800, 1234, 100, 8, "ARRL",
                 "225 Main St <LF> Newington CT"),
      ContestRow("G3XX", "SOHP", "EU", "G", 650, 65, 130, 5, "John Smith", ""),
      ContestRow("F5YY", "SOHP", "EU", "F", 600, 60, 120, 5, "Jean Dupont", "1 rue de la Paix"),
      ContestRow("OH1ZZ", "SOHP", "EU", "OH", 550, 55, 110, 5, "Matti", "Helsinki"),
      ContestRow("JA2BBB", "SOLP", "AS", "JA", 500, 50, 100, 5, QStringLiteral("鈴木一郎"),
                 QStringLiteral("名古屋市 <LF> 愛知県")),
      ContestRow("JA3CCC", "SOLP", "AS", "JA", 500, 50, 125, 4, QStringLiteral("佐藤花子"),
                 QStringLiteral("大阪市")),
      ContestRow("K1ZZ", "MO", "NA", "K", 300, 30, 100, 3, "Big Gun Club",
                 "Box 1 <LF> Boston MA <LF> USA"),
      ContestRow("ja9zzz", "CHECKLOG", "AS", "JA", 0, 3, 9, 2, "Check", ""),
      ContestRow("PY2AA", "sohp", "SA", "PY", 0, 0, 0, 0, "Jose", "Sao Paulo"),
  };
}

}  // namespace tovek::testing
