#include "calculator/publish/certificates.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QPainter>
#include <QPdfWriter>

#include "calculator/award_writer.h"
#include "calculator/publish/site_text.h"
#include "calculator/text_rules.h"
#include "common/file_output.h"

namespace tovek::publish {
namespace {

constexpr int kDotsPerInch = 300;

QString Plain(Bilingual name) {
  return QString::fromUtf8(name.ja) + QStringLiteral(" / ") + QString::fromUtf8(name.en);
}

// The IPA Gothic family, registered from its file when fontconfig does not
// offer it already.
QString CertificateFamily() {
  static const QString family = [] {
    const QString installed = QStringLiteral("IPAGothic");
    if (QFontDatabase::families().contains(installed)) return installed;
    const int id = QFontDatabase::addApplicationFont(kCertificateFontFile);
    const QStringList added = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    return added.isEmpty() ? installed : added.first();
  }();
  return family;
}

void PaintCertificate(QPainter& painter, const QRect& page, const SiteInfo& info,
                      const Certificate& certificate) {
  const QString family = CertificateFamily();
  auto font = [&](double points, bool bold) {
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
  };
  const int margin = page.width() / 20;
  painter.setPen(QPen(Qt::black, kDotsPerInch / 40));
  painter.drawRect(page.adjusted(margin / 2, margin / 2, -margin / 2, -margin / 2));
  QRect area = page.adjusted(margin, margin, -margin, -margin);
  const int full_height = area.height();
  // Each line takes its share of the full height, from the top down.
  auto line = [&](const QString& text, double points, bool bold, double height) {
    painter.setFont(font(points, bold));
    const int h = static_cast<int>(full_height * height);
    painter.drawText(QRect(area.left(), area.top(), area.width(), h),
                     Qt::AlignCenter | Qt::TextWordWrap, text);
    area.setTop(area.top() + h);
  };
  line(info.contest, 28, true, 0.16);
  line(QStringLiteral("賞状 / Certificate of Award"), 22, false, 0.12);
  line(certificate.call_sign, 48, true, 0.2);
  const QString place =
      QStringLiteral("順位 / Place: %1 (%2)").arg(certificate.place).arg(certificate.award_text);
  line(QStringLiteral("部門 / Category: ") + Plain(CategoryName(certificate.category)), 18, false,
       0.1);
  line(QStringLiteral("地域 / Region: ") + Plain(RegionName(certificate.region)), 18, false, 0.1);
  line(place, 18, false, 0.1);
  line(QStringLiteral("得点 / Score: ") + GroupedNumber(certificate.score), 18, false, 0.1);
  line(QStringLiteral("日付 / Date: ") + info.date.toString(Qt::ISODate), 14, false, 0.12);
}

// A PDF of the certificates, one page each.
QByteArray CertificatesPdf(const SiteInfo& info, const QList<Certificate>& certificates) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageOrientation(QPageLayout::Landscape);
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  writer.setResolution(kDotsPerInch);
  writer.setTitle(info.contest);
  writer.setCreator(QStringLiteral("TOVEK"));
  QPainter painter(&writer);
  const QRect page(QPoint(0, 0), writer.pageLayout().paintRectPixels(kDotsPerInch).size());
  for (qsizetype i = 0; i < certificates.size(); ++i) {
    if (i > 0) writer.newPage();
    PaintCertificate(painter, page, info, certificates[i]);
  }
  painter.end();
  return pdf;
}

}  // namespace

QList<Certificate> AwardCertificates(const RankingTables& tables) {
  QList<Certificate> certificates;
  for (const AwardFile& award : AwardFiles()) {
    const QString base = QFileInfo(QString::fromLatin1(award.file_name)).completeBaseName();
    for (const Category category : kAwardCategories) {
      const QList<ResultRow>& list = tables.List(category, award.region);
      const qsizetype winners = std::min(list.size(), award.place_texts.size());
      for (qsizetype k = 0; k < winners; ++k) {
        const ResultRow& row = list[k];
        const QString file_name = QStringLiteral("%1-%2-%3-%4.pdf")
                                      .arg(base, QLatin1String(CategoryCode(category)))
                                      .arg(k + 1)
                                      .arg(FileNamePart(row.call_sign));
        certificates.append({file_name, row.call_sign, category, award.region, k + 1,
                             TrimSpaces(QString::fromLatin1(award.place_texts[k])), row.score});
      }
    }
  }
  return certificates;
}

OutputOutcome WriteCertificates(const QString& site_folder, const SiteInfo& info,
                                const ResultTable& rows) {
  const QString folder = QDir(site_folder).filePath(kCertificateFolderName);
  if (!QDir().mkpath(folder)) {
    return {FileOutcome::Failure(QStringLiteral("the folder cannot be created")), folder};
  }
  const QList<Certificate> certificates = AwardCertificates(RankRows(rows));
  const QDir root(folder);
  for (const Certificate& certificate : certificates) {
    const QString path = root.filePath(certificate.file_name);
    const FileOutcome outcome = WriteFileBytes(path, CertificatesPdf(info, {certificate}));
    if (!outcome.ok) return {outcome, path};
  }
  const QString all = root.filePath(kAllCertificatesFile);
  const FileOutcome outcome = WriteFileBytes(all, CertificatesPdf(info, certificates));
  if (!outcome.ok) return {outcome, all};
  return {};
}

}  // namespace tovek::publish
