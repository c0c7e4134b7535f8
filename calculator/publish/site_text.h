// What the published site and the certificates share: their names in both
// languages, HTML-escaped text, CSV fields, safe file names, whole files.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "calculator/result_table.h"
#include "common/text_file.h"

namespace tovek::publish {

// A name in Japanese and in English.
struct Bilingual {
  const char* ja;
  const char* en;
};

// The names of the award categories and of the regions of the lists.
Bilingual CategoryName(Category category);
Bilingual RegionName(Region region);

// The categories of the award lists, in their order.
inline constexpr Category kAwardCategories[] = {Category::kSohp, Category::kSolp, Category::kMo};

// The text as HTML character data or attribute value: "&", "<", ">", '"'
// and "'" become references, so nothing a log holds can open a tag, an
// attribute or a script.
QString HtmlEscaped(QStringView text);

// A text as part of a file name: every character but ASCII letters and
// digits made "_", so that no call sign ("../x", "A/B", "<b>") can name a
// file elsewhere or need quoting in a link.
QString FileNamePart(QStringView text);

// One CSV field (RFC 4180): as it is, or in double quotes with every quote
// doubled when it holds a comma, a quote, a CR or an LF. A text that starts
// with "=", "+", "-" or "@" and is no number gets a "'" in front, so that no
// spreadsheet runs it as a formula.
QString CsvField(QStringView text);

// One CSV record: the fields joined by commas, ended by CR LF.
QString CsvRecord(const QStringList& fields);

// JSON text in UTF-8, written straight into one buffer: results.json holds
// an object per entrant, and Qt's JSON classes sort and copy an object's
// members at every insert and copy the whole document twice more.
//
// A string, quoted, with quotes, backslashes and control characters escaped.
void AppendJsonString(QByteArray& json, QStringView text);
// A number: whole numbers without a fraction, others in their shortest exact
// form; null for an infinite or undefined one, which JSON cannot hold.
void AppendJsonNumber(QByteArray& json, double value);

// An object on one line: {"name": value, ...}, closed when it goes.
class JsonObjectWriter {
 public:
  explicit JsonObjectWriter(QByteArray& json) : json_(json) { json_ += '{'; }
  ~JsonObjectWriter() { json_ += '}'; }
  JsonObjectWriter(const JsonObjectWriter&) = delete;
  JsonObjectWriter& operator=(const JsonObjectWriter&) = delete;

  JsonObjectWriter& Text(const char* name, QStringView value);
  JsonObjectWriter& Number(const char* name, double value);
  // The name of a member whose value the caller writes next.
  QByteArray& Member(const char* name);

 private:
  QByteArray& json_;
  bool first_ = true;
};

// An array with one value per line, indented by `indent` spaces, closed when
// it goes; Next() starts the line of the next value.
class JsonArrayWriter {
 public:
  JsonArrayWriter(QByteArray& json, int indent) : json_(json), indent_(indent) { json_ += '['; }
  ~JsonArrayWriter();
  JsonArrayWriter(const JsonArrayWriter&) = delete;
  JsonArrayWriter& operator=(const JsonArrayWriter&) = delete;

  QByteArray& Next();

 private:
  QByteArray& json_;
  int indent_;
  bool first_ = true;
};


}  // namespace tovek::publish
