#include "calculator/award_writer.h"

#include <gtest/gtest.h>

#include <QDir>

#include "calculator/ranking_writer.h"
#include "tests/calculator/printers.h"
#include "tests/calculator/small_contest.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::ContestRow;
using testing::TempFolder;

const QString kHeader = QStringLiteral(" No   CallSign     QSO's  Point  Multi  Score  Conti");
const QString kSohpEmpty =
    QStringLiteral("シングルオペ，オールバンド，ハイパワー 部門　参加局　０");
const QString kSolpEmpty =
    QStringLiteral("シングルオペ，オールバンド，ローパワー 部門　参加局　０");
const QString kMoEmpty = QStringLiteral("マルチオペ，オールバンド 部門　参加局　０");

// The name line: five spaces and the name filled to its 25 characters.
QString NameLine(const QString& name) { return "     " + name + QString(25 - name.size(), u' '); }

TEST(AwardAddressLines, SplitAtTheMarkers) {
  const std::pair<QString, QStringList> cases[] = {
      {"Hauptstr. 1 <LF> 12345 Berlin <LF> Germany",
       {"     Hauptstr. 1", "     12345 Berlin", "     Germany"}},
      {"1 rue de la Paix", {"     1 rue de la Paix"}},
      {"", {"     "}},
      {"   Padded   ", {"     Padded"}},
      // A marker at the very start is not searched for.
      {"<LF> Town", {"     <LF> Town"}},
      {"Street <LF> ", {"     Street"}},
      {"A <LF>  <LF> B", {"     A", "     ", "     B"}},
      // Without the separator's space nothing of the next line is lost.
      {"Street<LF>Town", {"     Street", "     Town"}},
      {QStringLiteral("東京都千代田区 <LF> 1-2-3"),
       {QStringLiteral("     東京都千代田区"), "     1-2-3"}},
  };
  for (const auto& [address, lines] : cases) {
    EXPECT_EQ(AwardAddressLines(address), lines) << address.toStdString();
  }
}

TEST(AwardSectionLines, CountsInFullWidthDigits) {
  QList<ResultRow> fifteen;
  for (int i = 0; i < 15; ++i) {
    fifteen.append(ContestRow("K" + QString::number(i), "MO", "NA", "K", 100 - i, 1, 1, 1, "", ""));
  }
  const QStringList lines = AwardSectionLines(Category::kMo, fifteen, {"  NA 1st"});
  ASSERT_EQ(lines.size(), 3 + 6);
  EXPECT_EQ(lines[0], QStringLiteral("マルチオペ，オールバンド 部門 参加 １５ 局"));
  EXPECT_EQ(lines[4], "  1 K0                 1      1    1        100  NA  NA 1st");
  EXPECT_EQ(AwardSectionLines(Category::kSolp, {}, {"  NA 1st"}),
            (QStringList{kSolpEmpty, "", ""}));
}

class AwardFilesTest : public ::testing::Test {
 protected:
  QByteArray Award(const char* name) const {
    return testing::ReadBytes(folder_.File("2024-03-02" + QString::fromLatin1(name)));
  }
  static QByteArray FileBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) bytes += EncodeCp932(line) + "\r\n";
    return bytes;
  }
  TempFolder folder_;
};

TEST_F(AwardFilesTest, SmallContestGivesEightFilesWithTheirWinners) {
  const RankingTables tables = RankRows(testing::SmallContest());
  ASSERT_TRUE(WriteAwardFiles(folder_.Path(), QDate(2024, 3, 2), tables).outcome.ok);
  EXPECT_EQ(
      QDir(folder_.Path()).entryList(QDir::Files, QDir::Name),
      (QStringList{"2024-03-02AfAwards.Awd", "2024-03-02AsAwards.Awd", "2024-03-02EuAwards.Awd",
                   "2024-03-02JaAwards.Awd", "2024-03-02NaAwards.Awd", "2024-03-02OcAwards.Awd",
                   "2024-03-02SaAwards.Awd", "2024-03-02WorldAwards.Awd"}));

  // Only the first of each world list, though SOHP has seven entries.
  EXPECT_EQ(Award("WorldAwards.Awd"),
            FileBytes({QStringLiteral("ワールド　アワード"),
                       "",
                       "",
                       QStringLiteral("シングルオペ，オールバンド，ハイパワー 部門 参加 ７ 局"),
                       "",
                       "",
                       kHeader,
                       "  1 DL1ABC           100    300    3        900  EU  World Top With Plaque",
                       NameLine("Hans Muster"),
                       "     Hauptstr. 1",
                       "     12345 Berlin",
                       "     Germany",
                       "",
                       "",
                       QStringLiteral("シングルオペ，オールバンド，ローパワー 部門 参加 ２ 局"),
                       "",
                       "",
                       kHeader,
                       "  1 JA2BBB            50    100    5        500  AS  World Top With Plaque",
                       NameLine(QStringLiteral("鈴木一郎")),
                       QStringLiteral("     名古屋市"),
                       QStringLiteral("     愛知県"),
                       "",
                       "",
                       QStringLiteral("マルチオペ，オールバンド 部門 参加 １ 局"),
                       "",
                       "",
                       kHeader,
                       "  1 K1ZZ              30    100    3        300  NA  World Top With Plaque",
                       NameLine("Big Gun Club"),
                       "     Box 1",
                       "     Boston MA",
                       "     USA",
                       "",
                       ""}));

  // Three winners of four; an empty address is a line of five spaces.
  EXPECT_EQ(Award("EuAwards.Awd"),
            FileBytes({QStringLiteral("ヨーロッパ　アワード"),
                       "",
                       "",
                       QStringLiteral("シングルオペ，オールバンド，ハイパワー 部門 参加 ４ 局"),
                       "",
                       "",
                       kHeader,
                       "  1 DL1ABC           100    300    3        900  EU  EU 1st",
                       NameLine("Hans Muster"),
                       "     Hauptstr. 1",
                       "     12345 Berlin",
                       "     Germany",
                       "",
                       "",
                       kHeader,
                       "  2 G3XX              65    130    5        650  EU  EU 2nd",
                       NameLine("John Smith"),
                       "     ",
                       "",
                       "",
                       kHeader,
                       "  3 F5YY              60    120    5        600  EU  EU 3rd",
                       NameLine("Jean Dupont"),
                       "     1 rue de la Paix",
                       "",
                       "",
                       kSolpEmpty,
                       "",
                       "",
                       kMoEmpty,
                       "",
                       ""}));

  // Tied for first: the second listed gets the 2nd-place award and place 2.
  EXPECT_EQ(Award("JaAwards.Awd"),
            FileBytes({QStringLiteral("ジャパン　アワード"),
                       "",
                       "",
                       QStringLiteral("シングルオペ，オールバンド，ハイパワー 部門 参加 １ 局"),
                       "",
                       "",
                       kHeader,
                       "  1 JA1AAA            80    200    4        800  AS  JA Top With Plaque",
                       NameLine(QStringLiteral("山田　太郎")),
                       QStringLiteral("     東京都千代田区"),
                       "     1-2-3",
                       "",
                       "",
                       QStringLiteral("シングルオペ，オールバンド，ローパワー 部門 参加 ２ 局"),
                       "",
                       "",
                       kHeader,
                       "  1 JA2BBB            50    100    5        500  AS  JA Top With Plaque",
                       NameLine(QStringLiteral("鈴木一郎")),
                       QStringLiteral("     名古屋市"),
                       QStringLiteral("     愛知県"),
                       "",
                       "",
                       kHeader,
                       "  2 JA3CCC            50    125    4        500  AS  JA 2nd",
                       NameLine(QStringLiteral("佐藤花子")),
                       QStringLiteral("     大阪市"),
                       "",
                       "",
                       kMoEmpty,
                       "",
                       ""}));

  // The Japanese leaders appear in the Asian list too.
  const QString as_awards = DecodeCp932(Award("AsAwards.Awd"));
  EXPECT_TRUE(
      as_awards.contains("  1 JA1AAA            80    200    4        800  AS  AS 1st\r\n"));
  EXPECT_TRUE(
      as_awards.contains("  2 JA3CCC            50    125    4        500  AS  AS 2nd\r\n"));

  EXPECT_EQ(Award("AfAwards.Awd"),
            FileBytes({QStringLiteral("アフリカ　アワード"), "", "", kSohpEmpty, "", "", kSolpEmpty,
                       "", "", kMoEmpty, "", ""}));
  EXPECT_EQ(Award("SaAwards.Awd"),
            FileBytes({QStringLiteral("南アメリカ　アワード"), "", "",
                       QStringLiteral("シングルオペ，オールバンド，ハイパワー 部門 参加 １ 局"), "",
                       "", kHeader, "  1 PY2AA              0      0    0          0  SA  SA 1st",
                       NameLine("Jose"), "     Sao Paulo", "", "", kSolpEmpty, "", "", kMoEmpty, "",
                       ""}));
}

TEST_F(AwardFilesTest, TitlesAndPlaceTextsOfEveryFile) {
  QStringList seen;
  for (const AwardFile& award : AwardFiles()) {
    seen.append(QString::fromLatin1(award.file_name) + u'|' + QString::fromUtf8(award.title) +
                u'|' + QString::number(award.place_texts.size()) + u'|' +
                QString::fromLatin1(award.place_texts.first()));
  }
  EXPECT_EQ(seen,
            (QStringList{
                QStringLiteral("WorldAwards.Awd|ワールド　アワード|1|  World Top With Plaque"),
                QStringLiteral("NaAwards.Awd|北アメリカ　アワード|3|  NA 1st"),
                QStringLiteral("SaAwards.Awd|南アメリカ　アワード|3|  SA 1st"),
                QStringLiteral("EuAwards.Awd|ヨーロッパ　アワード|3|  EU 1st"),
                QStringLiteral("AsAwards.Awd|アジア　アワード|3|  AS 1st"),
                QStringLiteral("OcAwards.Awd|オセアニア　アワード|3|  OC 1st"),
                QStringLiteral("AfAwards.Awd|アフリカ　アワード|3|  AF 1st"),
                QStringLiteral("JaAwards.Awd|ジャパン　アワード|3|  JA Top With Plaque"),
            }));
}

TEST_F(AwardFilesTest, AFileThatCannotBeWrittenStopsTheRest) {
  ASSERT_TRUE(QDir(folder_.Path()).mkdir("2024-03-02EuAwards.Awd"));
  const OutputOutcome written =
      WriteAwardFiles(folder_.Path(), QDate(2024, 3, 2), RankRows(testing::SmallContest()));
  EXPECT_FALSE(written.outcome.ok);
  EXPECT_EQ(written.path, folder_.File("2024-03-02EuAwards.Awd"));
  EXPECT_EQ(QDir(folder_.Path()).entryList(QDir::Files, QDir::Name),
            (QStringList{"2024-03-02NaAwards.Awd", "2024-03-02SaAwards.Awd",
                         "2024-03-02WorldAwards.Awd"}));
}

}  // namespace
}  // namespace tovek
