// The area file Tovek.are: which call-sign prefixes of the entities JA, K,
// VE and VK belong to which area, for the second kind of multiplier.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <optional>
#include <vector>

#include "common/text_file.h"

namespace tovek {

struct AreaEntry {
  QString token;  // a call-sign prefix; one longer than three characters never matches
  QString area;   // the area code, one to three characters

  friend bool operator==(const AreaEntry&, const AreaEntry&) = default;
};

// The area entries in file order. A lookup takes the first entry of the file
// whose token equals the text sought; an index gives that entry at once.
class AreaTable {
 public:
  void Clear();
  void Append(AreaEntry entry);
  const QList<AreaEntry>& Entries() const { return entries_; }
  qsizetype Count() const { return entries_.size(); }

  // The area of the first entry whose token is exactly `token`, or null.
  const QString* Find(QStringView token) const;

 private:
  // A token of one to three characters packed into a number: the lookups
  // of every scored QSO ask for nothing longer, and ask without a copy.
  static std::optional<quint64> ShortKey(QStringView token);
  // The slot of a packed token in `short_tokens_`: its own, or the free
  // one where it would go.
  size_t ShortSlot(quint64 key) const;

  struct ShortToken {
    quint64 key = 0;
    qsizetype index = -1;  // of the first entry; -1: a free slot
  };

  QList<AreaEntry> entries_;
  QHash<QString, qsizetype> first_by_token_;
  // Open addressing over the packed short tokens; a power of two, at most
  // half full.
  std::vector<ShortToken> short_tokens_;
  qsizetype short_count_ = 0;
};

inline constexpr const char* kAreaFileName = "Tovek.are";

// Adds the entries of one line of the area file: the line trimmed and its
// last character (the terminator) dropped, the area code in its first three
// characters, the tokens from its seventh on, separated by spaces. Lines
// that hold nothing, and empty tokens, add nothing: an empty token would give
// its area to every call that reduces to nothing.
void AddAreaLine(QStringView line, AreaTable& table);

struct AreaLoadOutcome {
  enum class Status { kLoaded, kMissing, kUnreadable };
  Status status = Status::kLoaded;
  QString error;  // the platform's description when unreadable
};

// Empties the table and fills it from the area file at `path`. A line ends at
// CR LF, CR or LF.
AreaLoadOutcome LoadAreaFile(const QString& path, AreaTable& table);

// The area of a call sign: the call (a portable call made working call first)
// is looked up by its first three, two and one characters; the area of the
// shortest key that matches wins. When none matches, `current_area` is
// returned unchanged.
QString LookupArea(const AreaTable& table, QStringView call, const QString& current_area);

// The same lookup: the area of the shortest key that matches, or null when
// none does. It points into the table.
const QString* AreaOfCall(const AreaTable& table, QStringView call);

// The text that the area lookup compares with the tokens, made from a call
// that may hold a "/". Exposed for tests.
QString AreaWorkingCall(QStringView call);

}  // namespace tovek
