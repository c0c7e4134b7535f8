#include "calculator/publish/certificates.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QRegularExpression>

#include "tests/calculator/small_contest.h"
#include "tests/support/test_files.h"

namespace tovek::publish {
namespace {

using testing::TempFolder;

// Painting text needs the fonts of a GUI application; no display is used.
void StartGuiApplication() {
  if (QGuiApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "publish_tests";
  static char* argv[] = {name, nullptr};
  static QGuiApplication application(argc, argv);
}

qsizetype PdfPages(const QByteArray& pdf) {
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
  return QString::fromLatin1(pdf).count(page);
}

// The winners by position in their lists, as in the award files: of the two
// SOLP stations tied in Asia and Japan, the second listed gets the 2nd award.
TEST(Certificates, OnePerWinnerOfTheAwardLists) {
  const QList<Certificate> certificates = AwardCertificates(RankRows(testing::SmallContest()));
  QStringList files;
  QStringList awards;
  for (const Certificate& certificate : certificates) {
    files.append(certificate.file_name);
    awards.append(certificate.award_text);
  }
  EXPECT_EQ(files, (QStringList{"WorldAwards-SOHP-1-DL1ABC.pdf", "WorldAwards-SOLP-1-JA2BBB.pdf",
                                "WorldAwards-MO-1-K1ZZ.pdf", "NaAwards-SOHP-1-W1AW.pdf",
                                "NaAwards-MO-1-K1ZZ.pdf", "SaAwards-SOHP-1-PY2AA.pdf",
                                "EuAwards-SOHP-1-DL1ABC.pdf", "EuAwards-SOHP-2-G3XX.pdf",
                                "EuAwards-SOHP-3-F5YY.pdf", "AsAwards-SOHP-1-JA1AAA.pdf",
                                "AsAwards-SOLP-1-JA2BBB.pdf", "AsAwards-SOLP-2-JA3CCC.pdf",
                                "JaAwards-SOHP-1-JA1AAA.pdf", "JaAwards-SOLP-1-JA2BBB.pdf",
                                "JaAwards-SOLP-2-JA3CCC.pdf"}));
  EXPECT_EQ(awards.mid(12), (QStringList{"JA Top With Plaque", "JA Top With Plaque", "JA 2nd"}));
}

TEST(Certificates, APdfPerWinnerAndOneWithEveryPage) {
  StartGuiApplication();
  TempFolder folder;
  const ResultTable rows = testing::SmallContest();
  const SiteInfo info{QStringLiteral("JA DX コンテスト"), QDate(2024, 3, 2), {}, {}};
  ASSERT_TRUE(WriteCertificates(folder.Path(), info, rows).outcome.ok);
  const QDir certificates(folder.File(kCertificateFolderName));
  const QStringList names = certificates.entryList(QDir::Files);
  const qsizetype winners = AwardCertificates(RankRows(rows)).size();
  EXPECT_EQ(names.size(), winners + 1);
  for (const QString& name : names) {
    const QByteArray pdf = testing::ReadBytes(certificates.filePath(name));
    EXPECT_TRUE(pdf.startsWith("%PDF-")) << name.toStdString();
    EXPECT_EQ(PdfPages(pdf), name == kAllCertificatesFile ? winners : 1) << name.toStdString();
    // The Japanese face is embedded.
    EXPECT_TRUE(pdf.contains("IPAGothic")) << name.toStdString();
  }

  // A file where the folder belongs: nothing is written, and the folder is named.
  TempFolder blocked;
  blocked.Write(kCertificateFolderName, "not a folder");
  const OutputOutcome refused = WriteCertificates(blocked.Path(), info, rows);
  EXPECT_FALSE(refused.outcome.ok);
  EXPECT_EQ(refused.path, blocked.File(kCertificateFolderName));
}

}  // namespace
}  // namespace tovek::publish
