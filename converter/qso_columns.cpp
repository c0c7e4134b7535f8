#include "converter/qso_columns.h"

#include <algorithm>

namespace tovek {
namespace {

constexpr std::array<const char*, kQsoColumnCount> kCaptions = {
    "FREQENCY", "MODE",    "DATE",        "TIME",     "MY CALLSIGN",
    "SEND RST", "SEND NO", "UR CALLSIGN", "RCVD RST", "RCVD NO"};

struct DefaultField {
  const char* field;
  QsoColumn column;
};

constexpr std::array<DefaultField, 8> kDefaultFields = {{
    {"OPERATOR", QsoColumn::kMyCall},
    {"FREQ", QsoColumn::kFrequency},
    {"MODE", QsoColumn::kMode},
    {"QSO_DATE", QsoColumn::kDate},
    {"TIME_ON", QsoColumn::kTime},
    {"RST_SENT", QsoColumn::kSentRst},
    {"CALL", QsoColumn::kHisCall},
    {"RST_RCVD", QsoColumn::kRcvdRst},
}};

}  // namespace

QString ColumnCaption(QsoColumn column) {
  return QString::fromLatin1(kCaptions[static_cast<size_t>(Index(column))]);
}

std::optional<QsoColumn> ColumnByCaption(const QString& caption) {
  for (const QsoColumn column : kQsoColumns) {
    if (ColumnCaption(column).compare(caption.trimmed(), Qt::CaseInsensitive) == 0) return column;
  }
  return std::nullopt;
}

bool OffersReplace(QsoColumn column) {
  switch (column) {
    case QsoColumn::kMyCall:
    case QsoColumn::kSentRst:
    case QsoColumn::kSentNo:
    case QsoColumn::kRcvdRst:
    case QsoColumn::kRcvdNo:
      return true;
    default:
      return false;
  }
}

QString ReplacementPreset(QsoColumn column) {
  return column == QsoColumn::kSentRst || column == QsoColumn::kRcvdRst ? QStringLiteral("599")
                                                                        : QString();
}

ColumnSources DefaultSources(const QStringList& field_names) {
  ColumnSources sources;
  for (const QString& name : field_names) {
    for (const DefaultField& entry : kDefaultFields) {
      ColumnSource& source = sources[static_cast<size_t>(Index(entry.column))];
      if (name == QLatin1String(entry.field) && source.kind == ColumnSource::Kind::kNone) {
        source = ColumnSource::Field(name);
      }
    }
  }
  return sources;
}

const WidthSpec* WidthSpecOf(QsoColumn column) {
  const auto found = std::find_if(kWidthSpecs.begin(), kWidthSpecs.end(),
                                  [&](const WidthSpec& width_spec) { return width_spec.column == column; });
  return found == kWidthSpecs.end() ? nullptr : &*found;
}

const WidthSpec* WidthSpecByKey(const QString& key) {
  const auto found =
      std::find_if(kWidthSpecs.begin(), kWidthSpecs.end(),
                   [&](const WidthSpec& width_spec) { return key == QLatin1String(width_spec.key); });
  return found == kWidthSpecs.end() ? nullptr : &*found;
}

std::int16_t* WidthField(QsoFieldWidths& widths, QsoColumn column) {
  switch (column) {
    case QsoColumn::kMyCall:
      return &widths.my_call;
    case QsoColumn::kHisCall:
      return &widths.his_call;
    case QsoColumn::kSentRst:
      return &widths.sent_rst;
    case QsoColumn::kSentNo:
      return &widths.sent_no;
    case QsoColumn::kRcvdRst:
      return &widths.rcvd_rst;
    case QsoColumn::kRcvdNo:
      return &widths.rcvd_no;
    default:
      return nullptr;
  }
}

const std::int16_t* WidthField(const QsoFieldWidths& widths, QsoColumn column) {
  return WidthField(const_cast<QsoFieldWidths&>(widths), column);
}

void ClampWidths(QsoFieldWidths& widths) {
  for (const WidthSpec& width_spec : kWidthSpecs) {
    std::int16_t* width = WidthField(widths, width_spec.column);
    *width = std::clamp<std::int16_t>(*width, 0, width_spec.max_width);
  }
}

QString TypedUpperCase(QString text) {
  for (QChar& c : text) {
    if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - u'a' + u'A');
  }
  return text;
}

}  // namespace tovek
