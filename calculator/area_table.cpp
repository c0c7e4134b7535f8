#include "calculator/area_table.h"

#include <QFileInfo>
#include <algorithm>

#include "calculator/text_rules.h"

namespace tovek {

void AreaTable::Clear() {
  entries_.clear();
  first_by_token_.clear();
  short_tokens_.clear();
  short_count_ = 0;
}

size_t AreaTable::ShortSlot(quint64 key) const {
  const size_t mask = short_tokens_.size() - 1;
  size_t at = static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 40) & mask;
  while (short_tokens_[at].index >= 0 && short_tokens_[at].key != key) at = (at + 1) & mask;
  return at;
}

std::optional<quint64> AreaTable::ShortKey(QStringView token) {
  if (token.size() > 3) return std::nullopt;
  quint64 key = static_cast<quint64>(token.size());
  for (const QChar c : token) key = (key << 16) | c.unicode();
  return key;
}

void AreaTable::Append(AreaEntry entry) {
  // The first entry of the file decides for its token.
  if (!first_by_token_.contains(entry.token)) {
    first_by_token_.insert(entry.token, entries_.size());
    if (const std::optional<quint64> key = ShortKey(entry.token)) {
      if (static_cast<size_t>(short_count_ + 1) * 2 > short_tokens_.size()) {
        const std::vector<ShortToken> old = std::move(short_tokens_);
        short_tokens_.assign(std::max<size_t>(64, old.size() * 2), ShortToken{});
        for (const ShortToken& token : old) {
          if (token.index >= 0) short_tokens_[ShortSlot(token.key)] = token;
        }
      }
      short_tokens_[ShortSlot(*key)] = {*key, entries_.size()};
      ++short_count_;
    }
  }
  entries_.append(std::move(entry));
}

const QString* AreaTable::Find(QStringView token) const {
  if (const std::optional<quint64> key = ShortKey(token)) {
    if (short_tokens_.empty()) return nullptr;
    const ShortToken& found = short_tokens_[ShortSlot(*key)];
    return found.index < 0 ? nullptr : &entries_[found.index].area;
  }
  const auto found = first_by_token_.constFind(token.toString());
  return found == first_by_token_.constEnd() ? nullptr : &entries_[*found].area;
}

void AddAreaLine(QStringView line, AreaTable& table) {
  QStringView text = TrimSpaces(line);
  if (text.isEmpty()) return;
  text.chop(1);
  const QString area = TrimSpaces(text.left(3)).toString();
  QStringView rest = TrimSpaces(text.mid(std::min<qsizetype>(6, text.size())));
  while (!rest.isEmpty()) {
    const qsizetype space = rest.indexOf(u' ');
    const QStringView token = space < 0 ? rest : TrimSpaces(rest.left(space));
    if (!token.isEmpty()) table.Append({token.toString(), area});
    if (space < 0) break;
    rest = TrimSpaces(rest.mid(space + 1));
  }
}

AreaLoadOutcome LoadAreaFile(const QString& path, AreaTable& table) {
  table.Clear();
  if (!QFileInfo::exists(path)) return {AreaLoadOutcome::Status::kMissing, {}};
  TextLineReader reader(LineEnds::kCrLfCrOrLf);
  if (const FileOutcome opened = reader.Open(path, max_file_size::kDataFile); !opened.ok) {
    return {AreaLoadOutcome::Status::kUnreadable, opened.error};
  }
  QString line;
  while (reader.Next(line)) AddAreaLine(line, table);
  return {};
}

namespace {

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }
// An upper-case letter or anything after it in character order.
bool IsAbove64(QChar c) { return c.unicode() > 64; }

// A portable call whose designator is a lone district digit: the digit takes
// the place of the home call's district digit. Empty when the home call's
// second and third characters show no district digit.
QString WithNewDistrict(QStringView home, QStringView digit) {
  if (home.size() < 3) return {};
  const QChar second = home[1];
  const QChar third = home[2];
  if ((IsDigit(second) || IsAbove64(second)) && IsDigit(third)) {
    return home.left(2).toString() + digit.toString() + home.mid(3).toString();
  }
  if (IsDigit(second) && IsAbove64(third))
    return home.left(1).toString() + digit.toString() + home.mid(2).toString();
  return {};
}

}  // namespace

QString AreaWorkingCall(QStringView call) {
  const qsizetype slash = call.indexOf(u'/');
  if (slash < 0) return call.toString();
  const QStringView before = call.left(slash);
  const QStringView after = call.mid(slash + 1);
  const QStringView after_trimmed = TrimSpaces(after);
  if (TrimSpaces(before).size() > after_trimmed.size() && after_trimmed.size() > 1 &&
      after_trimmed != u"QRP") {
    return after.toString() + u'/' + before.toString();
  }
  if (after_trimmed.size() == 1 && after.size() == 1 && IsDigit(after[0])) {
    return WithNewDistrict(before, after);
  }
  return call.toString();
}

const QString* AreaOfCall(const AreaTable& table, QStringView call) {
  // A call without "/" is its own working call: no copy is made of it.
  QString rearranged;
  QStringView working = call;
  if (call.contains(u'/')) {
    rearranged = AreaWorkingCall(call);
    working = rearranged;
  }
  const QString* area = nullptr;
  for (qsizetype n = 3; n >= 1; --n) {
    if (const QString* found = table.Find(working.left(n))) area = found;
  }
  return area;
}

QString LookupArea(const AreaTable& table, QStringView call, const QString& current_area) {
  const QString* area = AreaOfCall(table, call);
  return area ? *area : current_area;
}

}  // namespace tovek
