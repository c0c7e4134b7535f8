// The station values of a Cabrillo header: six values chosen from list files
// and eight typed texts.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace tovek {

inline constexpr int kHeaderChoiceCount = 6;
inline constexpr int kHeaderTextCount = 8;

// The chosen values, in header order, with the list file each is chosen from.
inline constexpr std::array<const char*, kHeaderChoiceCount> kHeaderChoiceTags = {
    "CONTEST",       "CATEGORY-OPERATOR", "CATEGORY-BAND",
    "CATEGORY-MODE", "CATEGORY-POWER",    "CATEGORY-STATION"};
inline constexpr std::array<const char*, kHeaderChoiceCount> kHeaderListFiles = {
    "Contest.lst", "CateOp.lst", "CateBand.lst", "CateMode.lst", "CatePwr.lst", "CateStn.lst"};
// All but CATEGORY-STATION must be chosen before a log is converted.
inline constexpr int kRequiredHeaderChoices = 5;

// The typed values, in header order. Letters typed into OPERATORS are
// entered as capitals; the others keep what is typed.
inline constexpr std::array<const char*, kHeaderTextCount> kHeaderTextTags = {
    "OPERATORS",
    "NAME",
    "ADDRESS",
    "ADDRESS-CITY",
    "ADDRESS-STATE-PROVINCE",
    "ADDRESS-POSTALCODE",
    "ADDRESS-COUNTRY",
    "EMAIL"};
inline constexpr int kUpperCaseHeaderText = 0;

struct StationHeader {
  std::array<QString, kHeaderChoiceCount> choices;
  std::array<QString, kHeaderTextCount> texts;
};

// Which header value a tag names.
struct HeaderField {
  enum class Kind { kChoice, kText };
  Kind kind;
  int index;
};
std::optional<HeaderField> HeaderFieldByTag(const QString& tag);

// The choice lists, one per header choice, from the list files in `folder`:
// one item per line, each line taken as it stands. A missing file gives an
// empty list.
using HeaderLists = std::array<QStringList, kHeaderChoiceCount>;
HeaderLists LoadHeaderLists(const QString& folder);

}  // namespace tovek
