// What the published site and the certificates share: their names in both
// languages, HTML-escaped text, CSV fields, safe file names, whole files.
#pragma once

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

// An award category as file names and results.json write it: "SOHP", "SOLP",
// "MO".
const char* CategoryCode(Category category);

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


}  // namespace tovek::publish
