// The names of output files made from a station's call sign: Kavrel's
// Cabrillo file and error report, the cross-check's entrant reports.
#pragma once

#include <QString>

namespace tovek {

struct OutputName {
  QString base;    // the call sign, its first "/" written as "-"
  QString reason;  // why the call sign makes no file name; empty when it does

  bool Ok() const { return reason.isEmpty(); }
  QString Cabrillo() const { return base + QStringLiteral(".cbr"); }
  QString ErrorReport() const { return base + QStringLiteral(".err"); }
};

// The file name of a call sign, trimmed: "JA1CALL/3" gives "JA1CALL-3". A
// name that would still leave its folder or that a file system refuses (a
// second "/", "\", "..", a leading "." that would hide the file, a control
// character, one of : * ? " < > |, the U+FFFD that marks bytes the log's
// encoding could not read, or nothing at all) is refused: writing it would
// put the file elsewhere or fail halfway.
OutputName OutputNameOf(const QString& call_sign);

// What the user is told about a refused call sign.
QString RefusedCallSignMessage(const QString& call_sign, const OutputName& name);

}  // namespace tovek
