#include "common/call_resolution.h"

#include <gtest/gtest.h>

namespace tovek {
namespace {

using Part = PrefixTable::Part;

// JA (AS), K and W (K, NA), KH6 (OC), PA (EU) and the exact call K1CALL/KH6.
PrefixTable SmallTable() {
  PrefixTable table;
  for (const PrefixEntry& entry : {PrefixEntry{"JA", "JA", "AS"}, PrefixEntry{"K", "K", "NA"},
                                   PrefixEntry{"W", "K", "NA"}, PrefixEntry{"KH6", "KH6", "OC"},
                                   PrefixEntry{"PA", "PA", "EU"}}) {
    table.Add(Part::kPrefix, entry);
  }
  table.Add(Part::kExactCall, {"K1CALL/KH6", "K", "NA"});
  return table;
}

struct DxccCase {
  const char* call;
  DxccResult expected;
};

class DxccCheckTest : public ::testing::TestWithParam<DxccCase> {};

TEST_P(DxccCheckTest, Resolves) {
  EXPECT_EQ(DxccCheck(SmallTable(), QString::fromUtf8(GetParam().call)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, DxccCheckTest,
    ::testing::Values(DxccCase{"JA1CALL", {"JA", "AS"}},
                      DxccCase{"KH6CALL", {"KH6", "OC"}},     // longer prefix wins over K
                      DxccCase{"K1CALL/KH6", {"K", "NA"}},    // exact call before portable rules
                      DxccCase{"JA1CALL/KH6", {"KH6", "OC"}}, // looked up as KH6/JA1CALL
                      DxccCase{"KH6/JA1CALL", {"KH6", "OC"}},
                      DxccCase{"JA1CALL/P", {"JA", "AS"}},     // one-letter designator
                      DxccCase{"JA1CALL/QRP", {"JA", "AS"}},
                      DxccCase{"JA1CALL/MM", {}},              // MM/JA1CALL: no M entries
                      DxccCase{"JA", {}},                      // only "J" is a candidate
                      DxccCase{"K", {}},                       // no candidate at all
                      DxccCase{"ja1call", {}},                 // no bucket
                      DxccCase{"", {}},
                      DxccCase{"W1AW", {"K", "NA"}},
                      DxccCase{"KH6", {"K", "NA"}},            // "KH" misses, "K" answers
                      DxccCase{"PA/JA1CALL", {"PA", "EU"}}));

TEST(DxccCheckOrder, FirstEntryInFileOrderWinsWithinOneLength) {
  PrefixTable table;
  table.Add(Part::kPrefix, {"VK9", "VK9X", "OC"});
  table.Add(Part::kPrefix, {"VK9", "VK9C", "OC"});
  table.Add(Part::kPrefix, {"VK", "VK", "OC"});
  EXPECT_EQ(DxccCheck(table, u"VK9ABC"), (DxccResult{"VK9X", "OC"}));
}

TEST(DxccCheckOrder, ExactEntryWithoutEntityKeepsOnlyItsContinent) {
  PrefixTable table;
  table.Add(Part::kExactCall, {"X1ABC", "", "SA"});
  EXPECT_EQ(DxccCheck(table, u"X1ABC"), (DxccResult{"", "SA"}));
  table.Add(Part::kPrefix, {"X1", "XE", "NA"});
  EXPECT_EQ(DxccCheck(table, u"X1ABC"), (DxccResult{"XE", "NA"}));
}

struct PortableCase {
  const char* call;
  const char* expected;
};

class PortablePrefixTest : public ::testing::TestWithParam<PortableCase> {};

TEST_P(PortablePrefixTest, GivesTheOperatingPrefix) {
  EXPECT_EQ(PortablePrefix(QString::fromUtf8(GetParam().call)),
            QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Calls, PortablePrefixTest,
    ::testing::Values(PortableCase{"JA1CALL", "JA1"}, PortableCase{"JA1CALL/3", "JA3"},
                      PortableCase{"JA1CALL/P", "JA1"}, PortableCase{"JA1CALL/MM", "JA1"},
                      PortableCase{"JA1CALL/QRP", "JA1"}, PortableCase{"JA1CALL/W1", "W1"},
                      PortableCase{"JA1CALL/PA", "PA0"}, PortableCase{"JA1CALL/KH6", "KH6"},
                      PortableCase{"W1/JA1CALL", "W1"}, PortableCase{"PA/JA1CALL", "PA0"},
                      PortableCase{"KH6/JA1CALL", "KH6"}, PortableCase{"ABC/P", ""},
                      PortableCase{"ABC", ""},
                      PortableCase{"K1ABC/4", "K4"},       // the area digit is replaced
                      PortableCase{"KH6ABC", "KH6"},
                      PortableCase{"2E0ABC", "2E0"},       // a digit in front counts too
                      PortableCase{" JA1CALL ", "JA1"},    // trimmed without a slash
                      PortableCase{"JA1CALL / 3", "JA3"},  // parts trimmed
                      PortableCase{"VE3ABC/VE7", "VE7"},
                      PortableCase{"QRP/JA1A", "QRP"},    // a long front part stands as it is
                      PortableCase{"/JA1CALL", ""}));

}  // namespace
}  // namespace tovek
