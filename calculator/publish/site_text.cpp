#include "calculator/publish/site_text.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <cstdio>

namespace tovek::publish {

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

void AppendJsonString(QByteArray& json, QStringView text) {
  // Every character JSON wants escaped is ASCII, and no byte of a longer
  // character's UTF-8 is: the text is converted once and its bytes looked at.
  const QByteArray utf8 = text.toUtf8();
  json.reserve(json.size() + utf8.size() + 2);
  json += '"';
  for (const char c : utf8) {
    switch (c) {
      case '"':
        json += "\\\"";
        break;
      case '\\':
        json += "\\\\";
        break;
      case '\n':
        json += "\\n";
        break;
      case '\r':
        json += "\\r";
        break;
      case '\t':
        json += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          json += escaped;
        } else {
          json += c;
        }
    }
  }
  json += '"';
}

void AppendJsonNumber(QByteArray& json, double value) {
  constexpr double kExactWhole = 9007199254740992.0;  // 2^53
  if (!std::isfinite(value)) {
    json += "null";
  } else if (value == std::trunc(value) && std::abs(value) < kExactWhole) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(value));
    json += digits;
  } else {
    json += QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
  }
}

QByteArray& JsonObjectWriter::Member(const char* name) {
  json_ += first_ ? "\"" : ", \"";
  first_ = false;
  json_ += name;
  json_ += "\": ";
  return json_;
}

JsonObjectWriter& JsonObjectWriter::Text(const char* name, QStringView value) {
  AppendJsonString(Member(name), value);
  return *this;
}

JsonObjectWriter& JsonObjectWriter::Number(const char* name, double value) {
  AppendJsonNumber(Member(name), value);
  return *this;
}

QByteArray& JsonArrayWriter::Next() {
  json_ += first_ ? "\n" : ",\n";
  first_ = false;
  json_.append(indent_, ' ');
  return json_;
}

JsonArrayWriter::~JsonArrayWriter() {
  if (!first_) {
    json_ += '\n';
    json_.append(indent_ - 2, ' ');
  }
  json_ += ']';
}

}  // namespace tovek::publish
