// The award lists (".Awd"), one per region, in the "Awards" folder: for each
// category the number of participants and the winners with their names and
// postal addresses, for the certificates and plaques.
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include "calculator/ranking_writer.h"
#include "calculator/result_table.h"
#include "common/text_file.h"

namespace tovek {

struct AwardFile {
  const char* file_name;
  const char* title;
  Region region;
  // The award text behind the entry line of places 1, 2 and 3; the World
  // list has only its first place.
  QList<const char*> place_texts;
};

// The eight award files in the order they are written.
const QList<AwardFile>& AwardFiles();

// The address lines of an award entry, each five spaces and one line of the
// stored address split at the "<LF>" markers the editor puts between the
// lines (with a space on either side). One line of five spaces for an empty
// address.
QStringList AwardAddressLines(QStringView address);

// The section of one category: its participants line and two empty lines,
// then an entry for each of its first places.
QStringList AwardSectionLines(Category category, const QList<ResultRow>& list,
                              const QList<const char*>& place_texts);

// All lines of one award file.
QStringList AwardFileLines(const AwardFile& award, const RankingTables& tables);

// Writes the eight award files into `folder`, every name prefixed with the
// date ("2024-03-02WorldAwards.Awd"). Stops at the first file that cannot be
// written with the platform's description of the error.
OutputOutcome WriteAwardFiles(const QString& folder, QDate date, const RankingTables& tables);

}  // namespace tovek
