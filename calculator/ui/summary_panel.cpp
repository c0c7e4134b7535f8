#include "calculator/ui/summary_panel.h"

#include <QGridLayout>
#include <QLabel>

#include "common/ui/twips.h"

namespace tovek::ui {
namespace {

struct FieldSpec {
  const char* caption;
  const char* name;  // the value label's object name
};

constexpr FieldSpec kFields[SummaryPanel::kFieldCount] = {
    {"ｺｰﾙｻｲﾝ", "lblCallSign"},
    {"カテゴリー", "lblCategory"},
    {"申請スコアー", "lblClaimedScore"},
    {"計算スコアー", "lblScore"},
    {"大　陸", "lblContinent"},
    {"ｴﾝﾃｨﾃｨ", "lblEntity"},
    {"名  前", "lblName"},
    {"ｵﾍﾟﾚｰﾀｰｽﾞ", "lblOperators"},
    {"クラブ名", "lblClub"},
    {"住   所", "lblAddress"},
    {"作成ツール", "lblCreatedBy"},
    {"意見、感想", "lblSoapbox"},
    {"交信ﾃﾞｰﾀ数", "lblQsoLines"},
    {"有効交信数", "lblValid"},
    {"重　複", "lblDupes"},
    {"ポイント", "lblPoints"},
    {"ﾏﾙﾁ1", "lblMult1"},
    {"ﾏﾙﾁ2", "lblMult2"},
    {"総ﾏﾙﾁ", "lblTotalMult"},
};

// Short values stand in a block of rows, up to five pairs to a row; the six
// long texts each take a row of their own reaching to the right edge.
constexpr int kPairsPerRow = 5;
constexpr SummaryPanel::Field kShortFields[] = {
    SummaryPanel::kCallSign,  SummaryPanel::kCategory,     SummaryPanel::kContinent,
    SummaryPanel::kEntity,    SummaryPanel::kClaimedScore, SummaryPanel::kScore,
    SummaryPanel::kQsoLines,  SummaryPanel::kValid,        SummaryPanel::kDupes,
    SummaryPanel::kPoints,    SummaryPanel::kMult1,        SummaryPanel::kMult2,
    SummaryPanel::kTotalMult,
};
constexpr SummaryPanel::Field kLongFields[] = {
    SummaryPanel::kName,    SummaryPanel::kOperators, SummaryPanel::kClub,
    SummaryPanel::kAddress, SummaryPanel::kCreatedBy, SummaryPanel::kSoapbox,
};
// The long values end this far short of the panel's right edge.
constexpr double kRightGapTwips = 275;

}  // namespace

SummaryPanel::SummaryPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SummaryPanel"));
  for (int i = 0; i < kFieldCount; ++i) {
    captions_[i] = new QLabel(QString::fromUtf8(kFields[i].caption), this);
    captions_[i]->setObjectName(QStringLiteral("Caption") +
                                QString::fromLatin1(kFields[i].name).mid(3));
    values_[i] = new QLabel(this);
    values_[i]->setObjectName(QString::fromLatin1(kFields[i].name));
    values_[i]->setFrameShape(QFrame::Panel);
    values_[i]->setFrameShadow(QFrame::Sunken);
    values_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    values_[i]->setMinimumWidth(80);
  }
  auto* grid = new QGridLayout(this);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(3);
  int position = 0;
  for (const Field field : kShortFields) {
    const int row = position / kPairsPerRow;
    const int pair = position % kPairsPerRow;
    grid->addWidget(captions_[field], row, 2 * pair);
    grid->addWidget(values_[field], row, 2 * pair + 1);
    ++position;
  }
  int row = (position + kPairsPerRow - 1) / kPairsPerRow;
  for (const Field field : kLongFields) {
    grid->addWidget(captions_[field], row, 0);
    grid->addWidget(values_[field], row, 1, 1, 2 * kPairsPerRow - 1);
    values_[field]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    ++row;
  }
  for (int column = 1; column < 2 * kPairsPerRow; column += 2) grid->setColumnStretch(column, 1);
  QMargins margins = grid->contentsMargins();
  margins.setRight(TwipsToPixels(kRightGapTwips, this));
  grid->setContentsMargins(margins);
}

QString SummaryPanel::Value(Field field) const { return values_.at(field)->text(); }
QString SummaryPanel::Caption(Field field) const { return captions_.at(field)->text(); }

void SummaryPanel::Set(Field field, const QString& text) { values_.at(field)->setText(text); }

void SummaryPanel::ShowSummary(const CabrilloSummary& s) {
  Set(kCallSign, s.call_sign);
  Set(kCategory, s.category);
  Set(kClaimedScore, s.claimed_score);
  Set(kContinent, s.continent);
  Set(kEntity, s.entity);
  Set(kName, s.name);
  Set(kOperators, s.operators);
  Set(kClub, s.club);
  Set(kAddress, s.address);
  Set(kCreatedBy, s.created_by);
  Set(kSoapbox, s.soapbox);
}

void SummaryPanel::ShowCounts(const ResultRow& row, const LogScore& score) {
  const BandSlot& total = score.tally[kTotalSlot];
  Set(kScore, FormatNumber(row.score));
  Set(kQsoLines, QString::number(row.qso_lines));
  Set(kValid, QString::number(total.valid));
  Set(kDupes, QString::number(total.dupes));
  Set(kPoints, QString::number(total.points));
  Set(kMult1, QString::number(total.mult1));
  Set(kMult2, QString::number(total.mult2));
  Set(kTotalMult, QString::number(total.mult1 + total.mult2));
}

void SummaryPanel::ShowRow(const ResultRow& row) {
  Set(kCallSign, row.call_sign);
  Set(kCategory, row.category);
  Set(kClaimedScore, FormatNumber(row.claimed_score));
  Set(kContinent, row.continent);
  Set(kEntity, row.entity);
  Set(kName, row.name);
  Set(kOperators, row.operators);
  Set(kClub, row.club);
  Set(kAddress, row.address);
  Set(kCreatedBy, row.created_by);
  Set(kSoapbox, row.soapbox);
  Set(kScore, FormatNumber(row.score));
  Set(kQsoLines, QString::number(row.qso_lines));
  Set(kValid, QString::number(row.valid));
  Set(kDupes, QString::number(row.dupes));
  Set(kPoints, QString::number(row.points));
  Set(kMult1, QString::number(row.mult1));
  Set(kMult2, QString::number(row.mult2));
  Set(kTotalMult, QString::number(row.total_mult));
}

void SummaryPanel::Clear() {
  for (QLabel* value : values_) value->clear();
}

}  // namespace tovek::ui
