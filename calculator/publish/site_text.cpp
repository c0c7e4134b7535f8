#include "calculator/publish/site_text.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

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

QByteArray JsonString(QStringView text) {
  QByteArray json;
  json.reserve(text.size() + 2);
  json += '"';
  qsizetype plain = 0;  // the start of the characters not yet taken over
  auto escape = [&](qsizetype at, QByteArrayView replacement) {
    json += text.sliced(plain, at - plain).toUtf8();
    json += replacement;
    plain = at + 1;
  };
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c == u'"') {
      escape(i, "\\\"");
    } else if (c == u'\\') {
      escape(i, "\\\\");
    } else if (c == u'\n') {
      escape(i, "\\n");
    } else if (c == u'\r') {
      escape(i, "\\r");
    } else if (c == u'\t') {
      escape(i, "\\t");
    } else if (c < 0x20) {
      escape(i, QByteArray("\\u00").append(QByteArray::number(c, 16).rightJustified(2, '0')));
    }
  }
  json += text.sliced(plain).toUtf8();
  json += '"';
  return json;
}

QByteArray JsonNumber(double value) {
  constexpr double kExactWhole = 9007199254740992.0;  // 2^53
  if (!std::isfinite(value)) return QByteArrayLiteral("null");
  if (value == std::trunc(value) && std::abs(value) < kExactWhole) {
    return QByteArray::number(static_cast<qint64>(value));
  }
  return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

QByteArray JsonObject(std::initializer_list<JsonMember> members) {
  QByteArray json;
  json.reserve(256);
  json += '{';
  for (const JsonMember& member : members) {
    if (json.size() > 1) json += ", ";
    json += '"';
    json += member.name;
    json += "\": ";
    json += member.value;
  }
  json += '}';
  return json;
}

QByteArray JsonArray(const QByteArrayList& values, int indent) {
  if (values.isEmpty()) return QByteArrayLiteral("[]");
  const QByteArray inner = '\n' + QByteArray(indent, ' ');
  return '[' + inner + values.join(',' + inner) + '\n' + QByteArray(indent - 2, ' ') + ']';
}

}  // namespace tovek::publish
