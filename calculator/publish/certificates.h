// Award certificates: one A4 landscape PDF page per winner of the award
// lists, each as its own file and all of them in one file for printing.
// Painting needs a QGuiApplication (the fonts come from it).
#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include "calculator/publish/results_site.h"
#include "calculator/ranking_writer.h"
#include "calculator/result_table.h"

namespace tovek::publish {

// One winner as printed.
struct Certificate {
  QString file_name;  // "NaAwards-SOHP-1-W1AW.pdf"
  QString call_sign;
  Category category;
  Region region;
  qsizetype place;     // the position in the list, as in the award files
  QString award_text;  // "NA 1st", "World Top With Plaque"
  double score;
};

// The winners of the eight award lists in the order of the award files:
// by list, then category (SOHP, SOLP, MO), then place.
QList<Certificate> AwardCertificates(const RankingTables& tables);

// The file that holds every certificate, one page each.
inline const QString kAllCertificatesFile = QStringLiteral("AllCertificates.pdf");

// The face the certificates are set in: IPA Gothic, for the Japanese text.
inline const QString kCertificateFontFile =
    QStringLiteral("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf");

// The folder of a site that holds its certificates.
inline const QString kCertificateFolderName = QStringLiteral("certificates");

// Writes a PDF per certificate and kAllCertificatesFile into the site's
// kCertificateFolderName, made when missing. Stops at the first file (or the
// folder) that cannot be written.
OutputOutcome WriteCertificates(const QString& site_folder, const SiteInfo& info,
                                const ResultTable& rows);

}  // namespace tovek::publish
