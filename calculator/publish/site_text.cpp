#include "calculator/publish/site_text.h"

#include <QRegularExpression>

namespace tovek::publish {

const char* CategoryCode(Category category) {
  switch (category) {
    case Category::kSohp:
      return "SOHP";
    case Category::kSolp:
      return "SOLP";
    case Category::kMo:
      return "MO";
  }
  return "";
}

Bilingual CategoryName(Category category) {
  switch (category) {
    case Category::kSohp:
      return {"シングルオペ ハイパワー", "Single operator high power"};
    case Category::kSolp:
      return {"シングルオペ ローパワー", "Single operator low power"};
    case Category::kMo:
      return {"マルチオペ", "Multi operator"};
  }
  return {"", ""};
}

Bilingual RegionName(Region region) {
  switch (region) {
    case Region::kWorld:
      return {"全世界", "World"};
    case Region::kNa:
      return {"北アメリカ", "North America"};
    case Region::kSa:
      return {"南アメリカ", "South America"};
    case Region::kEu:
      return {"ヨーロッパ", "Europe"};
    case Region::kAs:
      return {"アジア", "Asia"};
    case Region::kOc:
      return {"オセアニア", "Oceania"};
    case Region::kAf:
      return {"アフリカ", "Africa"};
    case Region::kJa:
      return {"日本", "Japan"};
  }
  return {"", ""};
}

QString HtmlEscaped(QStringView text) {
  QString escaped;
  escaped.reserve(text.size());
  for (const QChar c : text) {
    switch (c.unicode()) {
      case u'&':
        escaped += u"&amp;";
        break;
      case u'<':
        escaped += u"&lt;";
        break;
      case u'>':
        escaped += u"&gt;";
        break;
      case u'"':
        escaped += u"&quot;";
        break;
      case u'\'':
        escaped += u"&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

QString FileNamePart(QStringView text) {
  QString part;
  part.reserve(text.size());
  for (const QChar c : text) {
    const bool plain =
        (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
    part += plain ? c : u'_';
  }
  return part;
}

QString CsvField(QStringView text) {
  // A spreadsheet takes a cell that starts with one of these as a formula
  // (which may run a command or send the sheet away); a number with a sign
  // is a number and stays as it is.
  static const QRegularExpression kSignedNumber(
      QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
  QString field = text.toString();
  if (!field.isEmpty() && QStringView(u"=+-@").contains(field.front()) &&
      !kSignedNumber.match(field).hasMatch()) {
    field.prepend(u'\'');
  }
  const bool quoted = field.contains(u',') || field.contains(u'"') || field.contains(u'\r') ||
                      field.contains(u'\n');
  if (!quoted) return field;
  field.replace(u'"', QStringLiteral("\"\""));
  return u'"' + field + u'"';
}

QString CsvRecord(const QStringList& fields) {
  QStringList cells;
  cells.reserve(fields.size());
  for (const QString& field : fields) cells.append(CsvField(field));
  return cells.join(u',') + QStringLiteral("\r\n");
}

}  // namespace tovek::publish
