// The prefix table loaded from the public country file Cty.dat.
//
// The table has a prefix part and an exact-call part. Each part keeps its
// entries in 36 buckets by the key's first character ("A"-"Z", "1"-"9", "0")
// in file order; a lookup takes the first entry of the file whose key equals
// the text sought. An index gives that same first entry without scanning.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace tovek {

struct PrefixEntry {
  QString key;             // a prefix, or a complete call in the exact-call part
  QString primary_prefix;  // the entity's primary prefix without "*"
  QString continent;       // the entity's continent, or the entry's override

  friend bool operator==(const PrefixEntry&, const PrefixEntry&) = default;
};

// The entities in file order, each listed once by its primary prefix.
using EntityList = QStringList;

class PrefixTable {
 public:
  enum class Part { kPrefix, kExactCall };

  static constexpr int kBucketCount = 36;
  // A bucket counts its entries in 16 bits.
  static constexpr qsizetype kMaxBucketEntries = 32767;

  // Bucket of a key's first character, or -1 when it belongs to none
  // (lower-case letters, signs, an empty key).
  static int BucketOf(QStringView key);

  void Clear();

  enum class AddResult { kAdded, kNoBucket, kBucketFull };
  AddResult Add(Part part, PrefixEntry entry);

  // The first entry in file order whose key equals `key`, or null.
  const PrefixEntry* Find(Part part, QStringView key) const;

  // The hash the index files a key under. It is built one character at a
  // time, so the hashes of all leading parts of a call come from one pass:
  // start from KeyHashStart() and add each character with KeyHashNext().
  static constexpr std::uint64_t KeyHashStart() { return 0xcbf29ce484222325ull; }
  static constexpr std::uint64_t KeyHashNext(std::uint64_t hash, char16_t c) {
    return (hash ^ c) * 0x100000001b3ull;
  }
  static std::uint64_t KeyHash(QStringView key);

  // Find, for a key whose KeyHash is already known.
  const PrefixEntry* Find(Part part, QStringView key, std::uint64_t hash) const;

  const QList<PrefixEntry>& Bucket(Part part, int bucket) const;
  qsizetype Count(Part part) const;
  // The longest key of the part: no longer text can match.
  qsizetype LongestKey(Part part) const { return Of(part).longest_key; }
  bool IsEmpty() const { return Count(Part::kPrefix) == 0 && Count(Part::kExactCall) == 0; }

 private:
  // One slot of the index: where a key's first entry stands, and part of
  // the key's hash, compared before the key itself. Lookups allocate
  // nothing and touch little memory: they run for every leading part of
  // every call that is scored, and most of them find nothing.
  // A key of up to kPackedChars characters is held in the slot itself, so
  // that finding a prefix needs no look at the entry's text.
  struct Slot {
    std::uint64_t packed = 0;  // the characters of a short key
    std::uint32_t check = 0;   // the hash's upper half
    std::uint16_t index = 0;   // within the bucket, below kMaxBucketEntries
    std::uint8_t bucket = 0;
    std::uint8_t length = 0;  // of the key, kLongKey for any longer; 0: free
  };
  static constexpr qsizetype kPackedChars = 4;
  static constexpr std::uint8_t kLongKey = 255;
  struct Section {
    std::array<QList<PrefixEntry>, kBucketCount> buckets;
    std::vector<Slot> slots;  // open addressing; a power of two, at most half full
    // Two bits per key in a table small enough to stay in the cache: a text
    // with either bit clear is no key, and most lookups end there.
    std::vector<std::uint64_t> filter;
    qsizetype keys = 0;
    qsizetype longest_key = 0;
  };

  static size_t SlotOf(const Section& section, std::uint64_t hash);
  static void Grow(Section& section);
  static void Insert(Section& section, std::uint64_t hash, Slot slot);
  static size_t FilterWord(const Section& section, std::uint64_t hash);
  static std::uint64_t FilterBits(std::uint64_t hash);
  static std::uint64_t Packed(QStringView key);
  static std::uint8_t LengthField(QStringView key);

  const Section& Of(Part part) const { return part == Part::kPrefix ? prefixes_ : exact_calls_; }
  Section& Of(Part part) { return part == Part::kPrefix ? prefixes_ : exact_calls_; }

  Section prefixes_;
  Section exact_calls_;
};

struct PrefixLoadOutcome {
  enum class Status {
    kLoaded,   // the whole file was read
    kMissing,  // there is no such file; the table is empty
    kStopped,  // a line could not be taken apart; what came before it is kept
  };
  Status status = Status::kLoaded;
  int line_number = 0;  // 1-based line that stopped the loading (0: opening failed)
  QString error;        // what was wrong with it
};

// Empties the table (and the entity list, when given) and fills it from the
// Cty.dat file at `path`.
PrefixLoadOutcome LoadPrefixTable(const QString& path, PrefixTable& table,
                                  EntityList* entities = nullptr);

}  // namespace tovek
