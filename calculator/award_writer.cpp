#include "calculator/award_writer.h"

#include <QDir>

#include "calculator/log_list.h"
#include "calculator/ranking_writer.h"
#include "calculator/text_rules.h"

namespace tovek {
namespace {

const QString kIndent = QStringLiteral("     ");
const QString kLineMarker = QStringLiteral("<LF>");
constexpr qsizetype kNameWidth = 25;

struct SectionCaption {
  Category category;
  const char* with_entries;  // followed by the count and " 局"
  const char* empty;
};

// The empty-list lines use full-width spaces and a full-width zero, the
// others ordinary spaces, as the certificates team has always received them.
constexpr SectionCaption kSections[] = {
    {Category::kSohp, "シングルオペ，オールバンド，ハイパワー 部門 参加 ",
     "シングルオペ，オールバンド，ハイパワー 部門　参加局　０"},
    {Category::kSolp, "シングルオペ，オールバンド，ローパワー 部門 参加 ",
     "シングルオペ，オールバンド，ローパワー 部門　参加局　０"},
    {Category::kMo, "マルチオペ，オールバンド 部門 参加 ",
     "マルチオペ，オールバンド 部門　参加局　０"},
};

QString Indented(QStringView line) { return kIndent + line.toString(); }

const SectionCaption& CaptionOf(Category category) {
  for (const SectionCaption& caption : kSections) {
    if (caption.category == category) return caption;
  }
  return kSections[0];
}

}  // namespace

const QList<AwardFile>& AwardFiles() {
  using R = Region;
  static const QList<AwardFile> files = {
      {"WorldAwards.Awd", "ワールド　アワード", R::kWorld, {"  World Top With Plaque"}},
      {"NaAwards.Awd", "北アメリカ　アワード", R::kNa, {"  NA 1st", "  NA 2nd", "  NA 3rd"}},
      {"SaAwards.Awd", "南アメリカ　アワード", R::kSa, {"  SA 1st", "  SA 2nd", "  SA 3rd"}},
      {"EuAwards.Awd", "ヨーロッパ　アワード", R::kEu, {"  EU 1st", "  EU 2nd", "  EU 3rd"}},
      {"AsAwards.Awd", "アジア　アワード", R::kAs, {"  AS 1st", "  AS 2nd", "  AS 3rd"}},
      {"OcAwards.Awd", "オセアニア　アワード", R::kOc, {"  OC 1st", "  OC 2nd", "  OC 3rd"}},
      {"AfAwards.Awd", "アフリカ　アワード", R::kAf, {"  AF 1st", "  AF 2nd", "  AF 3rd"}},
      {"JaAwards.Awd",
       "ジャパン　アワード",
       R::kJa,
       {"  JA Top With Plaque", "  JA 2nd", "  JA 3rd"}},
  };
  return files;
}

// The search for a marker starts at the second character of what is left,
// so that a rest starting with a marker is written as it stands rather than
// giving an empty line: award lists printed before keep their look. The
// separator's space after a marker is skipped; any other character there is
// the next line's first and stays.
QStringList AwardAddressLines(QStringView address) {
  QStringView rest = address;
  qsizetype marker = rest.indexOf(kLineMarker, 1);
  if (marker < 0) return {Indented(TrimSpaces(rest))};
  QStringList lines;
  while (marker >= 0) {
    lines.append(Indented(TrimSpaces(rest.first(marker))));
    rest = rest.sliced(marker + kLineMarker.size());
    if (rest.startsWith(u' ')) rest = rest.sliced(1);
    marker = rest.indexOf(kLineMarker, 1);
  }
  const QStringView last = TrimSpaces(rest);
  if (!last.isEmpty()) lines.append(Indented(last));
  return lines;
}

QStringList AwardSectionLines(Category category, const QList<ResultRow>& list,
                              const QList<const char*>& place_texts) {
  const SectionCaption& caption = CaptionOf(category);
  if (list.isEmpty()) return {QString::fromUtf8(caption.empty), QString(), QString()};
  QStringList lines = {QString::fromUtf8(caption.with_entries) + FullWidthNumber(list.size()) +
                           QStringLiteral(" 局"),
                       QString(), QString()};
  // Awards go by position: of two stations tied for first, the second listed
  // gets the 2nd-place award and shows place 2.
  const qsizetype winners = std::min(list.size(), place_texts.size());
  for (qsizetype i = 0; i < winners; ++i) {
    const ResultRow& row = list[i];
    lines.append(kRankingHeader);
    lines.append(RankingLine(i + 1, row) + QString::fromLatin1(place_texts[i]));
    lines.append(kIndent + row.name.left(kNameWidth).leftJustified(kNameWidth, u' '));
    lines.append(AwardAddressLines(row.address));
    lines.append(QString());
    lines.append(QString());
  }
  return lines;
}

QStringList AwardFileLines(const AwardFile& award, const RankingTables& tables) {
  QStringList lines = {QString::fromUtf8(award.title), QString(), QString()};
  for (const SectionCaption& section : kSections) {
    lines.append(AwardSectionLines(section.category, tables.List(section.category, award.region),
                                   award.place_texts));
  }
  return lines;
}

OutputOutcome WriteAwardFiles(const QString& folder, QDate date, const RankingTables& tables) {
  const QString prefix = OutputDatePrefix(date);
  const QDir awards(folder);
  for (const AwardFile& award : AwardFiles()) {
    const QString path = awards.filePath(prefix + QString::fromLatin1(award.file_name));
    const FileOutcome outcome = WriteTextLines(path, AwardFileLines(award, tables));
    if (!outcome.ok) return {outcome, path};
  }
  return {};
}

}  // namespace tovek
