#include "common/call_resolution.h"

#include <QVarLengthArray>
#include <algorithm>
#include <cstdint>

namespace tovek {
namespace {

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The longest leading part of `call`, at least two characters long, that ends
// in a digit ("JA1CALL" -> "JA1", "KH6ABC" -> "KH6"); empty when none.
QStringView UpToLastDigit(QStringView call) {
  for (qsizetype n = call.size(); n >= 2; --n) {
    if (IsDigit(call[n - 1])) return call.left(n);
  }
  return {};
}

// Puts the shorter part of a portable call first, so that the designator
// is what the prefix search sees. `swapped` holds the text when it had to
// be rearranged; most calls are searched as they stand.
QStringView SearchText(QStringView target, QVarLengthArray<char16_t, 32>& swapped) {
  const qsizetype slash = target.indexOf(u'/');
  if (slash < 0) return target;
  const QStringView left = target.left(slash);
  const QStringView right = target.mid(slash + 1);
  if (left.trimmed().size() > right.trimmed().size() && right.trimmed().size() > 1 &&
      right != u"QRP") {
    swapped.append(right.utf16(), right.size());
    swapped.append(u'/');
    swapped.append(left.utf16(), left.size());
    return QStringView(swapped.constData(), swapped.size());
  }
  return target;
}

}  // namespace

DxccEntries DxccLookup(const PrefixTable& table, QStringView target) {
  using Part = PrefixTable::Part;
  DxccEntries found;
  if (const PrefixEntry* exact = table.Find(Part::kExactCall, target)) {
    // An entry listed before any entity names none: the search goes on, and
    // only the continent it gave stays when nothing else matches.
    if (!exact->primary_prefix.isEmpty()) return {exact, nullptr};
    found.continent_only = exact;
  }
  QVarLengthArray<char16_t, 32> swapped;
  const QStringView text = SearchText(target, swapped);
  // The whole text is never a candidate; nor is anything longer than a key.
  const qsizetype longest = std::min(text.size() - 1, table.LongestKey(Part::kPrefix));
  if (longest < 1) return found;
  // The hashes of all leading parts in one pass, then the longest first.
  QVarLengthArray<std::uint64_t, 32> hashes(longest + 1);
  hashes[0] = PrefixTable::KeyHashStart();
  for (qsizetype n = 1; n <= longest; ++n) {
    hashes[n] = PrefixTable::KeyHashNext(hashes[n - 1], text[n - 1].unicode());
  }
  for (qsizetype n = longest; n >= 1; --n) {
    if (const PrefixEntry* entry = table.Find(Part::kPrefix, text.left(n), hashes[n])) {
      return {entry, nullptr};
    }
  }
  return found;
}

DxccResult DxccCheck(const PrefixTable& table, QStringView target) {
  const DxccEntries found = DxccLookup(table, target);
  if (found.resolved) return {found.resolved->primary_prefix, found.resolved->continent};
  if (found.continent_only) return {QString(), found.continent_only->continent};
  return {};
}

QString PortablePrefix(QStringView call) {
  const qsizetype slash = call.indexOf(u'/');
  if (slash < 0) return UpToLastDigit(call.trimmed()).toString();

  const QStringView base = call.left(slash).trimmed();
  const QStringView rest = call.mid(slash + 1).trimmed();
  if (rest.size() >= base.size() && rest != u"QRP") {
    // The designator is written in front of the home call.
    if (base.isEmpty()) return {};
    if (base.back() <= u'9' || base.size() > 2) return base.toString();
    return base.toString() + u'0';
  }

  QString result = UpToLastDigit(base).toString();
  if (rest.size() == 1 && IsDigit(rest[0])) {
    const QStringView home = UpToLastDigit(base);
    if (!home.isEmpty()) result = home.chopped(1).toString() + rest.toString();
  }
  if (rest.size() == 2 && IsDigit(rest[1])) {
    result = rest.toString();
  } else if (rest.size() == 2 && rest != u"MM") {
    result = rest.toString() + u'0';
  }
  if (rest.size() > 2 && rest != u"QRP") result = rest.toString();
  return result;
}

}  // namespace tovek
