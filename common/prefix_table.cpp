#include "common/prefix_table.h"

#include <QFileInfo>
#include <algorithm>

#include "common/text_file.h"

namespace tovek {
namespace {

// Entity line columns, 1-based as the file format counts them.
constexpr qsizetype kContinentColumn = 37;
constexpr qsizetype kContinentWidth = 2;
constexpr qsizetype kPrimaryPrefixColumn = 70;
const QString kAliasIndent = QStringLiteral("    ");

struct CurrentEntity {
  QString primary_prefix;
  QString continent;
  bool skipped = false;
};

struct LineError {
  QString text;
};

bool IsAliasLine(const QString& line) { return line.startsWith(kAliasIndent); }

// Reads the continent and primary prefix of an entity line.
std::optional<LineError> ReadEntityLine(const QString& line, CurrentEntity& entity) {
  const QString field = line.mid(kPrimaryPrefixColumn - 1).trimmed();
  if (field.isEmpty()) {
    return LineError{QStringLiteral("entity line without a primary prefix in column %1")
                         .arg(kPrimaryPrefixColumn)};
  }
  entity.continent = line.mid(kContinentColumn - 1, kContinentWidth).trimmed();
  entity.primary_prefix = field.left(field.size() - 1);  // drop the closing ":"
  entity.skipped = entity.primary_prefix.startsWith(u'*');
  if (entity.skipped) entity.primary_prefix.remove(0, 1);
  return std::nullopt;
}

// Cuts an alias item at its first "(", "[", "<" and "{" in that order.
QString KeyOf(QStringView item) {
  for (const QChar marker : {u'(', u'[', u'<', u'{'}) {
    const qsizetype at = item.indexOf(marker);
    if (at >= 0) item = item.left(at);
  }
  return item.toString();
}

QString ContinentOf(QStringView item, const QString& entity_continent) {
  const qsizetype open = item.indexOf(u'{');
  if (open < 0) return entity_continent;
  const qsizetype close = item.indexOf(u'}', open + 1);
  return item.mid(open + 1, close < 0 ? -1 : close - open - 1).toString();
}

void AppendEntity(EntityList* entities, const QString& primary_prefix) {
  if (!entities) return;
  if (entities->isEmpty() || entities->constLast() != primary_prefix) {
    entities->append(primary_prefix);
  }
}

std::optional<LineError> ReadAliasLine(const QString& line, const CurrentEntity& entity,
                                       PrefixTable& table, EntityList* entities) {
  QString items = line.trimmed();
  if (items.isEmpty()) return std::nullopt;  // a line of blanks lists nothing
  if (items.endsWith(u';')) items.back() = u',';
  if (!items.endsWith(u',')) {
    return LineError{QStringLiteral("alias line ends with neither \",\" nor \";\"")};
  }
  if (entity.skipped) return std::nullopt;
  qsizetype start = 0;
  while (start < items.size()) {
    const qsizetype comma = items.indexOf(u',', start);
    QStringView item = QStringView(items).mid(start, comma - start);
    start = comma + 1;
    auto part = PrefixTable::Part::kPrefix;
    if (item.startsWith(u'=')) {
      part = PrefixTable::Part::kExactCall;
      item = item.mid(1);
    }
    AppendEntity(entities, entity.primary_prefix);
    const auto added =
        table.Add(part, {KeyOf(item), entity.primary_prefix, ContinentOf(item, entity.continent)});
    if (added == PrefixTable::AddResult::kBucketFull) {
      return LineError{QStringLiteral("more than %1 entries for one first character")
                           .arg(PrefixTable::kMaxBucketEntries)};
    }
  }
  return std::nullopt;
}

}  // namespace

int PrefixTable::BucketOf(QStringView key) {
  if (key.isEmpty()) return -1;
  const char16_t c = key[0].unicode();
  if (c >= u'A' && c <= u'Z') return c - u'A';
  if (c >= u'1' && c <= u'9') return 26 + (c - u'1');
  if (c == u'0') return 35;
  return -1;
}

void PrefixTable::Clear() {
  prefixes_ = {};
  exact_calls_ = {};
}

std::uint64_t PrefixTable::KeyHash(QStringView key) {
  std::uint64_t hash = KeyHashStart();
  for (const QChar c : key) hash = KeyHashNext(hash, c.unicode());
  return hash;
}

namespace {

constexpr std::uint64_t kSpreadA = 0x9E3779B97F4A7C15ull;
constexpr std::uint64_t kSpreadB = 0xC2B2AE3D27D4EB4Full;
// The filter has this many bits per slot, so sixteen or more per key.
constexpr size_t kFilterBitsPerSlot = 8;

}  // namespace

// A key's two bits of the filter lie in one word, so that asking the
// filter costs one read of memory: the lookups of a long run compete for
// the cache with the logs streaming through.
size_t PrefixTable::FilterWord(const Section& section, std::uint64_t hash) {
  return static_cast<size_t>((hash * kSpreadB) >> 32) & (section.filter.size() - 1);
}

std::uint64_t PrefixTable::FilterBits(std::uint64_t hash) {
  const std::uint64_t spread = hash * kSpreadA;
  return std::uint64_t{1} << (spread >> 4 & 63) | std::uint64_t{1} << (spread >> 10 & 63);
}

size_t PrefixTable::SlotOf(const Section& section, std::uint64_t hash) {
  // The high bits of a multiplied hash spread best over a power of two.
  return static_cast<size_t>((hash * kSpreadA) >> 32) & (section.slots.size() - 1);
}

std::uint64_t PrefixTable::Packed(QStringView key) {
  if (key.size() > kPackedChars) return 0;
  std::uint64_t packed = 0;
  for (const QChar c : key) packed = (packed << 16) | c.unicode();
  return packed;
}

std::uint8_t PrefixTable::LengthField(QStringView key) {
  return static_cast<std::uint8_t>(std::min<qsizetype>(key.size(), kLongKey));
}

void PrefixTable::Insert(Section& section, std::uint64_t hash, Slot slot) {
  size_t at = SlotOf(section, hash);
  while (section.slots[at].length != 0) at = (at + 1) & (section.slots.size() - 1);
  section.slots[at] = slot;
  section.filter[FilterWord(section, hash)] |= FilterBits(hash);
}

void PrefixTable::Grow(Section& section) {
  const std::vector<Slot> old = std::move(section.slots);
  section.slots.assign(std::max<size_t>(64, old.size() * 2), Slot{});
  section.filter.assign(section.slots.size() * kFilterBitsPerSlot / 64, 0);
  // Slots keep only part of a hash: the keys are hashed again.
  for (const Slot& slot : old) {
    if (slot.length != 0) {
      Insert(section, KeyHash(section.buckets[slot.bucket][slot.index].key), slot);
    }
  }
}

PrefixTable::AddResult PrefixTable::Add(Part part, PrefixEntry entry) {
  const int bucket = BucketOf(entry.key);
  if (bucket < 0) return AddResult::kNoBucket;
  Section& section = Of(part);
  QList<PrefixEntry>& list = section.buckets[bucket];
  if (list.size() >= kMaxBucketEntries) return AddResult::kBucketFull;
  section.longest_key = std::max(section.longest_key, entry.key.size());
  // The index keeps the first entry of a key: later duplicates never win.
  const std::uint64_t hash = KeyHash(entry.key);
  if (!Find(part, entry.key, hash)) {
    if (static_cast<size_t>(section.keys + 1) * 2 > section.slots.size()) Grow(section);
    Insert(section, hash,
           {Packed(entry.key), static_cast<std::uint32_t>(hash >> 32),
            static_cast<std::uint16_t>(list.size()), static_cast<std::uint8_t>(bucket),
            LengthField(entry.key)});
    ++section.keys;
  }
  list.append(std::move(entry));
  return AddResult::kAdded;
}

const PrefixEntry* PrefixTable::Find(Part part, QStringView key) const {
  if (key.size() > Of(part).longest_key) return nullptr;
  return Find(part, key, KeyHash(key));
}

const PrefixEntry* PrefixTable::Find(Part part, QStringView key, std::uint64_t hash) const {
  const Section& section = Of(part);
  if (section.slots.empty() || key.size() > section.longest_key) return nullptr;
  // The filter first: most texts sought are no key.
  const std::uint64_t bits = FilterBits(hash);
  if ((section.filter[FilterWord(section, hash)] & bits) != bits) return nullptr;
  const std::uint64_t spread = hash * kSpreadA;
  const auto check = static_cast<std::uint32_t>(hash >> 32);
  const std::uint8_t length = LengthField(key);
  const std::uint64_t packed = Packed(key);
  const size_t mask = section.slots.size() - 1;
  for (size_t at = static_cast<size_t>(spread >> 32) & mask;; at = (at + 1) & mask) {
    const Slot& slot = section.slots[at];
    if (slot.length == 0) return nullptr;
    if (slot.check != check || slot.length != length) continue;
    if (key.size() <= kPackedChars && slot.packed != packed) continue;
    const PrefixEntry& entry = section.buckets[slot.bucket][slot.index];
    if (key.size() <= kPackedChars || entry.key == key) return &entry;
  }
}

const QList<PrefixEntry>& PrefixTable::Bucket(Part part, int bucket) const {
  return Of(part).buckets.at(bucket);
}

qsizetype PrefixTable::Count(Part part) const {
  qsizetype count = 0;
  for (const auto& bucket : Of(part).buckets) count += bucket.size();
  return count;
}

PrefixLoadOutcome LoadPrefixTable(const QString& path, PrefixTable& table, EntityList* entities) {
  table.Clear();
  if (entities) entities->clear();
  if (!QFileInfo::exists(path)) return {PrefixLoadOutcome::Status::kMissing, 0, {}};

  TextLineReader reader(LineEnds::kCrLfCrOrLf);
  if (const FileOutcome opened = reader.Open(path, max_file_size::kReference); !opened.ok) {
    return {PrefixLoadOutcome::Status::kStopped, 0, opened.error};
  }
  CurrentEntity entity;
  QString line;
  for (int line_number = 1; reader.Next(line); ++line_number) {
    const std::optional<LineError> error = IsAliasLine(line)
                                               ? ReadAliasLine(line, entity, table, entities)
                                               : ReadEntityLine(line, entity);
    if (error) return {PrefixLoadOutcome::Status::kStopped, line_number, error->text};
  }
  return {};
}

}  // namespace tovek
