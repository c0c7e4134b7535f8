#include "calculator/area_table.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QMap>

#include "calculator/scoring.h"
#include "common/call_resolution.h"
#include "tests/calculator/printers.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::TempFolder;

QList<AreaEntry> Entries(const QStringList& lines) {
  AreaTable table;
  for (const QString& line : lines) AddAreaLine(line, table);
  return table.Entries();
}

TEST(AddAreaLine, CodeInTheFirstThreeColumnsTokensFromTheSeventh) {
  EXPECT_EQ(Entries({"JA1   JA1 JE1   JF1;"}),
            (QList<AreaEntry>{{"JA1", "JA1"}, {"JE1", "JA1"}, {"JF1", "JA1"}}));
  // One token ends before the terminator, whatever the terminator is.
  EXPECT_EQ(Entries({"K1    W1;"}), (QList<AreaEntry>{{"W1", "K1"}}));
  EXPECT_EQ(Entries({"K1    W1x"}), (QList<AreaEntry>{{"W1", "K1"}}));
  // Spaces around the line go before the columns are counted.
  EXPECT_EQ(Entries({"   VE3   VE3 VA3 ;   "}), (QList<AreaEntry>{{"VE3", "VE3"}, {"VA3", "VE3"}}));
  // Columns 4 to 6 are not read; a longer token is kept (it never matches).
  EXPECT_EQ(Entries({"ABCDEFX1 LONG;"}), (QList<AreaEntry>{{"X1", "ABC"}, {"LONG", "ABC"}}));
  // Lines that hold no token add nothing.
  EXPECT_EQ(Entries({"", "    ", ";", "K1;", "K1     ;"}), QList<AreaEntry>{});
}

TEST(AreaTable, FirstEntryOfATokenDecides) {
  AreaTable table;
  AddAreaLine(u"AAA   X1 X2;", table);
  AddAreaLine(u"BBB   X2 X3;", table);
  EXPECT_EQ(table.Count(), 4);
  EXPECT_EQ(*table.Find(u"X2"), "AAA");
  EXPECT_EQ(*table.Find(u"X3"), "BBB");
  EXPECT_EQ(table.Find(u"X4"), nullptr);
  EXPECT_EQ(table.Find(u""), nullptr);
}

TEST(LoadAreaFile, EveryLineEndAndAMissingFile) {
  TempFolder folder;
  for (const QByteArray& ends : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
    const QString path = folder.Write("Tovek.are", "JA1   JA1 7K1;" + ends + "K1    W1 K1;" + ends);
    AreaTable table;
    EXPECT_EQ(LoadAreaFile(path, table).status, AreaLoadOutcome::Status::kLoaded);
    EXPECT_EQ(table.Entries(),
              (QList<AreaEntry>{{"JA1", "JA1"}, {"7K1", "JA1"}, {"W1", "K1"}, {"K1", "K1"}}));
  }
  AreaTable table;
  AddAreaLine(u"OLD   X1;", table);
  EXPECT_EQ(LoadAreaFile(folder.File("none.are"), table).status, AreaLoadOutcome::Status::kMissing);
  EXPECT_EQ(table.Count(), 0);
  ASSERT_TRUE(QDir(folder.Path()).mkdir("dir.are"));
  const AreaLoadOutcome unreadable = LoadAreaFile(folder.File("dir.are"), table);
  EXPECT_EQ(unreadable.status, AreaLoadOutcome::Status::kUnreadable);
  EXPECT_FALSE(unreadable.error.isEmpty());
}

// The area file that ships beside the program.
class ShippedAreaFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(LoadAreaFile(QStringLiteral(TOVEK_DATA_SOURCE_DIR "/Tovek.are"), areas_).status,
              AreaLoadOutcome::Status::kLoaded);
    ASSERT_EQ(LoadPrefixTable(QStringLiteral(TOVEK_PROGRAM_DIR "/Cty.dat"), prefixes_).status,
              PrefixLoadOutcome::Status::kLoaded);
  }
  // The area a station gets when it is the first of its log.
  QString AreaOf(const QString& call) const { return AreaOfStation(areas_, call, {}); }

  AreaTable areas_;
  PrefixTable prefixes_;
};

TEST_F(ShippedAreaFile, TokensFitTheLookupAndLeadToOneAreaEach) {
  QMap<QString, QString> area_of_token;
  for (const AreaEntry& entry : areas_.Entries()) {
    EXPECT_LE(entry.token.size(), 3) << entry.token.toStdString();
    EXPECT_GE(entry.token.size(), 2) << entry.token.toStdString();
    EXPECT_LE(entry.area.size(), 3) << entry.area.toStdString();
    EXPECT_FALSE(area_of_token.contains(entry.token)) << entry.token.toStdString();
    area_of_token.insert(entry.token, entry.area);
  }
  // Two- and three-character keys of one call must not both match: the
  // shorter one would win. A two-character token is a one-letter prefix and
  // its digit, so no three-character token may begin with one.
  for (auto it = area_of_token.cbegin(); it != area_of_token.cend(); ++it) {
    if (it.key().size() == 3) {
      EXPECT_FALSE(area_of_token.contains(it.key().left(2))) << it.key().toStdString();
    }
  }
}

TEST_F(ShippedAreaFile, CallsOfTheFourEntitiesGetTheirArea) {
  const struct {
    const char* call;
    const char* area;
  } cases[] = {
      {"JA1ABC", "JA1"},   {"JR6ABC", "JA6"},   {"JS3XYZ", "JA3"},   {"7K3ABC", "JA1"},
      {"7N4AAA", "JA1"},   {"7J1ABC", "JA1"},   {"8J3EXPO", "JA3"},  {"JH0ABC", "JA0"},
      {"JA1ABC/3", "JA3"}, {"JA1ABC/P", "JA1"}, {"W1AW", "K1"},      {"K6ABC", "K6"},
      {"N0AX", "K0"},      {"KD9ABC", "K9"},    {"WA2ABC", "K2"},    {"AA7AA", "K7"},
      {"AL7ABC", "K7"},    {"K1ABC/4", "K4"},   {"W4/JA1ABC", "K4"}, {"VE3ABC", "VE3"},
      {"VA7ABC", "VE7"},   {"VO1ABC", "VO1"},   {"VO2ABC", "VO1"},   {"VY0ABC", "VY0"},
      {"VY1ABC", "VY1"},   {"VY2ABC", "VY2"},   {"CG3ABC", "VE3"},   {"XM3ABC", "VE3"},
      {"VE8ABC", "VE8"},   {"VK2ABC", "VK2"},   {"VK6ABC/P", "VK6"}, {"AX3ABC", "VK3"},
      {"VI8ABC", "VK8"},
  };
  for (const auto& c : cases) EXPECT_EQ(AreaOf(c.call), c.area) << c.call;
}

// Every call of JA, K, VE and VK in the public super check partial file
// should find its area; the count of those that do not is the measure of the
// area file's coverage.
TEST_F(ShippedAreaFile, CoversTheRealCallsOfTheFourEntities) {
  const QString master = QStringLiteral("/usr/share/hamradio-files/MASTER.SCP");
  if (!QFileInfo::exists(master)) GTEST_SKIP() << "no MASTER.SCP";
  const TextFileLines lines = ReadTextLines(master, LineEnds::kCrLfCrOrLf);
  ASSERT_TRUE(lines.outcome.ok);
  int calls = 0;
  QMap<QString, int> by_entity;
  QStringList without_area;
  for (const QString& line : lines.lines) {
    const QString call = line.trimmed();
    if (call.isEmpty() || call.startsWith(u'#')) continue;
    const QString entity = DxccCheck(prefixes_, call).cty;
    if (!CountsAreas(entity)) continue;
    ++calls;
    ++by_entity[entity];
    if (AreaOf(call).isEmpty()) without_area.append(call);
  }
  std::cout << calls << " calls (JA " << by_entity["JA"] << ", K " << by_entity["K"] << ", VE "
            << by_entity["VE"] << ", VK " << by_entity["VK"] << "); " << without_area.size()
            << " without an area: " << without_area.join(u' ').toStdString() << '\n';
  EXPECT_GT(calls, 20000);
  EXPECT_LE(without_area.size(), calls / 1000);
}

}  // namespace
}  // namespace tovek
