// Call sign to entity and continent, and portable call to operating prefix.
#pragma once

#include <QString>
#include <QStringView>

#include "common/prefix_table.h"

namespace tovek {

struct DxccResult {
  QString cty;  // the entity's primary prefix; empty when the call does not resolve
  QString cnt;  // the entity's continent; empty when the call does not resolve

  bool Resolved() const { return !cty.isEmpty(); }
  friend bool operator==(const DxccResult&, const DxccResult&) = default;
};

// Resolves a call sign: first as a complete call of the exact-call part, then
// by its longest prefix (never the whole text) after moving a longer home call
// behind a portable designator ("JA1CALL/KH6" is looked up as "KH6/JA1CALL").
// Comparison is case-sensitive; callers pass the call trimmed.
DxccResult DxccCheck(const PrefixTable& table, QStringView target);

// Where DxccCheck takes its answer from, for callers that only read it:
// the entry whose primary prefix and continent resolve the call (null when
// none does), and otherwise an exact-call entry that names no entity, whose
// continent DxccCheck still gives (or null). Both point into the table.
struct DxccEntries {
  const PrefixEntry* resolved = nullptr;
  const PrefixEntry* continent_only = nullptr;
};
DxccEntries DxccLookup(const PrefixTable& table, QStringView target);

// The prefix naming the call area a station operates from ("JA1CALL/3" ->
// "JA3", "JA1CALL/PA" -> "PA0", "W1/JA1CALL" -> "W1"); empty when no rule
// gives one.
QString PortablePrefix(QStringView call);

}  // namespace tovek
