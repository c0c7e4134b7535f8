#include "common/prefix_table.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/call_resolution.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using Part = PrefixTable::Part;
using Status = PrefixLoadOutcome::Status;
using testing::TempFolder;

// An entity line with the continent in columns 37-38 and the primary prefix
// field from column 70, as the country file lays them out.
QByteArray EntityLine(const char* name, const char* continent, const char* prefix) {
  QByteArray line = QByteArray(name).leftJustified(26, ' ');
  line += "25:  45:  ";
  line += continent;
  line += ":   36.40:  -138.38:    -9.0:  ";
  line += prefix;
  return line;
}

class PrefixLoadTest : public ::testing::Test {
 protected:
  PrefixLoadOutcome Load(const QByteArray& content) {
    return LoadPrefixTable(folder_.Write("Cty.dat", content), table_, &entities_);
  }

  TempFolder folder_;
  PrefixTable table_;
  EntityList entities_;
};

TEST_F(PrefixLoadTest, EntityLineLayoutMatchesTheCountryFile) {
  const QByteArray japan = EntityLine("Japan:", "AS", "JA:");
  ASSERT_EQ(japan, "Japan:                    25:  45:  AS:   36.40:  -138.38:    -9.0:  JA:");
  ASSERT_EQ(Load(japan + "\r\n    JA,JD,JE,=JA1CALL;\r\n").status, Status::kLoaded);
  EXPECT_EQ(table_.Bucket(Part::kPrefix, PrefixTable::BucketOf(u"J")),
            (QList<PrefixEntry>{{"JA", "JA", "AS"}, {"JD", "JA", "AS"}, {"JE", "JA", "AS"}}));
  EXPECT_EQ(table_.Bucket(Part::kExactCall, PrefixTable::BucketOf(u"J")),
            (QList<PrefixEntry>{{"JA1CALL", "JA", "AS"}}));
  EXPECT_EQ(entities_, QStringList{"JA"});
}

TEST_F(PrefixLoadTest, MarkersAreCutAndBracesOverrideTheContinent) {
  Load(EntityLine("Asiatic Russia:", "AS", "UA9:") +
       "\n    UA9(17)[30],R9{EU},R8<1/2>,UA0~x~,=RA9A(18){EU}[31];\n");
  EXPECT_EQ(*table_.Find(Part::kPrefix, u"UA9"), (PrefixEntry{"UA9", "UA9", "AS"}));
  EXPECT_EQ(*table_.Find(Part::kPrefix, u"R9"), (PrefixEntry{"R9", "UA9", "EU"}));
  EXPECT_EQ(*table_.Find(Part::kPrefix, u"R8"), (PrefixEntry{"R8", "UA9", "AS"}));
  EXPECT_NE(table_.Find(Part::kPrefix, u"UA0~x~"), nullptr);  // other text stays in the key
  EXPECT_EQ(*table_.Find(Part::kExactCall, u"RA9A"), (PrefixEntry{"RA9A", "UA9", "EU"}));
}

TEST_F(PrefixLoadTest, StarredEntitiesAddNothingUntilTheNextEntity) {
  Load(EntityLine("Turkey:", "EU", "*TA1:") + "\n    TA1,=TA1X;\n" +
       EntityLine("Asiatic Turkey:", "AS", "TA:") + "\n    TA;\n");
  EXPECT_EQ(table_.Count(Part::kPrefix), 1);
  EXPECT_EQ(table_.Count(Part::kExactCall), 0);
  EXPECT_EQ(*table_.Find(Part::kPrefix, u"TA"), (PrefixEntry{"TA", "TA", "AS"}));
  EXPECT_EQ(entities_, QStringList{"TA"});
}

TEST_F(PrefixLoadTest, KeysWithoutABucketAreNotKeptButListTheEntity) {
  Load(EntityLine("Japan:", "AS", "JA:") + "\n    ja,-JA,;\n");
  EXPECT_TRUE(table_.IsEmpty());
  EXPECT_EQ(entities_, QStringList{"JA"});
}

TEST_F(PrefixLoadTest, FileOrderDecidesBetweenEqualKeys) {
  Load(EntityLine("First:", "EU", "F1:") + "\n    XX;\n" + EntityLine("Second:", "AF", "S2:") +
       "\n    XX,F1;\n" + EntityLine("First again:", "EU", "F1:") + "\n    F1X;\n");
  EXPECT_EQ(table_.Find(Part::kPrefix, u"XX")->primary_prefix, "F1");
  EXPECT_EQ(table_.Bucket(Part::kPrefix, PrefixTable::BucketOf(u"X")).size(), 2);
  EXPECT_EQ(entities_, (QStringList{"F1", "S2", "F1"}));
}

TEST_F(PrefixLoadTest, EmptyLineStopsTheLoadingAndKeepsWhatCameBefore) {
  const PrefixLoadOutcome outcome = Load(EntityLine("Japan:", "AS", "JA:") + "\r\n    JA;\r\n\r\n" +
                                         EntityLine("Hawaii:", "OC", "KH6:") + "\r\n    KH6;\r\n");
  EXPECT_EQ(outcome.status, Status::kStopped);
  EXPECT_EQ(outcome.line_number, 3);
  EXPECT_FALSE(outcome.error.isEmpty());
  EXPECT_NE(table_.Find(Part::kPrefix, u"JA"), nullptr);
  EXPECT_EQ(table_.Find(Part::kPrefix, u"KH6"), nullptr);
}

TEST_F(PrefixLoadTest, UnfinishedAliasLineStopsTheLoading) {
  const PrefixLoadOutcome outcome =
      Load(EntityLine("Japan:", "AS", "JA:") + "\n    JA,JD\n    JE;\n");
  EXPECT_EQ(outcome.status, Status::kStopped);
  EXPECT_EQ(outcome.line_number, 2);
  EXPECT_TRUE(table_.IsEmpty());
}

TEST_F(PrefixLoadTest, MissingFileLeavesEverythingEmpty) {
  table_.Add(Part::kPrefix, {"OLD", "OLD", "EU"});
  entities_ = {"OLD"};
  EXPECT_EQ(LoadPrefixTable(folder_.File("Cty.dat"), table_, &entities_).status, Status::kMissing);
  EXPECT_TRUE(table_.IsEmpty());
  EXPECT_TRUE(entities_.isEmpty());
  EXPECT_FALSE(DxccCheck(table_, u"JA1ABC").Resolved());
}

TEST(PrefixTableBuckets, FirstCharacterChoosesTheBucket) {
  EXPECT_EQ(PrefixTable::BucketOf(u"A1"), 0);
  EXPECT_EQ(PrefixTable::BucketOf(u"Z"), 25);
  EXPECT_EQ(PrefixTable::BucketOf(u"1A"), 26);
  EXPECT_EQ(PrefixTable::BucketOf(u"9M"), 34);
  EXPECT_EQ(PrefixTable::BucketOf(u"0S"), 35);
  EXPECT_EQ(PrefixTable::BucketOf(u"a"), -1);
  EXPECT_EQ(PrefixTable::BucketOf(u""), -1);
}

TEST(PrefixTableBuckets, ABucketHoldsAtMost32767Entries) {
  PrefixTable table;
  for (int i = 0; i < PrefixTable::kMaxBucketEntries; ++i) {
    ASSERT_EQ(table.Add(Part::kExactCall, {QStringLiteral("K%1").arg(i), "K", "NA"}),
              PrefixTable::AddResult::kAdded);
  }
  EXPECT_EQ(table.Add(Part::kExactCall, {"KX", "K", "NA"}), PrefixTable::AddResult::kBucketFull);
  EXPECT_EQ(table.Add(Part::kExactCall, {"JX", "JA", "AS"}), PrefixTable::AddResult::kAdded);
}

// The country file the programs ship with, from the distribution.
class RealCountryFileTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    outcome_ = LoadPrefixTable(QStringLiteral(TOVEK_PROGRAM_DIR "/Cty.dat"), table_, &entities_);
  }
  static inline PrefixTable table_;
  static inline EntityList entities_;
  static inline PrefixLoadOutcome outcome_;
};

TEST_F(RealCountryFileTest, LoadsWholeWithLinuxLineEnds) {
  ASSERT_EQ(outcome_.status, Status::kLoaded) << outcome_.error.toStdString();
  EXPECT_EQ(entities_.size(), 340);  // 346 entities, 6 of them starred
  EXPECT_EQ(entities_.first(), "1A");
  EXPECT_EQ(entities_.last(), "ZS8");
  EXPECT_EQ(table_.Count(Part::kPrefix), 7719);
  EXPECT_EQ(table_.Count(Part::kExactCall), 19478);
}

// The index must name, for every key of the real file (tens of thousands,
// so its slots fill, grow and collide), the entry a scan of the key's
// bucket from its start finds; and nothing for a text no bucket holds.
TEST_F(RealCountryFileTest, IndexFindsTheFirstEntryOfEveryKey) {
  for (const Part part : {Part::kPrefix, Part::kExactCall}) {
    for (int bucket = 0; bucket < PrefixTable::kBucketCount; ++bucket) {
      const QList<PrefixEntry>& entries = table_.Bucket(part, bucket);
      for (const PrefixEntry& entry : entries) {
        const auto first = std::find_if(entries.begin(), entries.end(),
                                        [&](const PrefixEntry& e) { return e.key == entry.key; });
        ASSERT_EQ(table_.Find(part, entry.key), &*first) << entry.key.toStdString();
        ASSERT_EQ(table_.Find(part, entry.key + u'#'), nullptr) << entry.key.toStdString();
      }
    }
  }
}

TEST_F(RealCountryFileTest, ResolvesKnownCalls) {
  struct Case {
    const char16_t* call;
    DxccResult expected;
  };
  const Case cases[] = {
      {u"JA1ABC", {"JA", "AS"}},     {u"KH6ABC", {"KH6", "OC"}},   {u"UA9AA", {"UA9", "AS"}},
      {u"W1AW", {"K", "NA"}},        {u"VK2ABC", {"VK", "OC"}},    {u"VE3ABC", {"VE", "NA"}},
      {u"ZS6ABC", {"ZS", "AF"}},     {u"DL1ABC/P", {"DL", "EU"}},  {u"JA1ABC/KH6", {"KH6", "OC"}},
      {u"4U1UN", {"4U1U", "NA"}},    // exact call
      {u"7N2DAB/LH", {"JA", "AS"}},  // exact call with a slash
      {u"IG9ABC", {"I", "EU"}},      // African Italy is starred: Italy's "I" answers
      {u"4U1VIC", {"OE", "EU"}},     // so is the Vienna centre's exact-call list
      {u"BV9S", {"BV", "AS"}},       // the whole text is never a prefix candidate
      {u"JA", {}},                   {u"ja1abc", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DxccCheck(table_, c.call), c.expected) << QString::fromUtf16(c.call).toStdString();
  }
}

}  // namespace
}  // namespace tovek
