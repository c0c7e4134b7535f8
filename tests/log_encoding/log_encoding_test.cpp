// Every reader of logs and ADIF files decides a file's encoding the same
// way: the same station's log gives the same text in Kavrel, Tessdal and
// Morrick whether its program wrote it in CP932 or in UTF-8.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "calculator/log_reader.h"
#include "common/progress.h"
#include "common/text_file.h"
#include "converter/adif_reader.h"
#include "editor/log_lines.h"
#include "tests/converter/qt_printers.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::TempFolder;

enum class Written { kCp932, kUtf8, kUtf8WithByteOrderMark };

QByteArray Encode(const QString& text, Written written) {
  switch (written) {
    case Written::kCp932:
      return EncodeCp932(text);
    case Written::kUtf8:
      return text.toUtf8();
    case Written::kUtf8WithByteOrderMark:
      return "\xEF\xBB\xBF" + text.toUtf8();
  }
  return {};
}

// A QSO line of the column layout Kavrel writes: frequency in columns 6-10,
// the worked call in columns 55-66.
QString QsoLine(const QString& worked_call) {
  return QStringLiteral("QSO: 14080 RY 2024-01-06 1200 JA1ABC").leftJustified(54, u' ') +
         worked_call.leftJustified(13, u' ') + QStringLiteral("599 14");
}

struct StationCase {
  const char* name;
  Written written;
  QString station_name;
  QString soapbox;
  QString worked_call;
  QString adif_name;  // the NAME value as the ADIF reader gives it: upper case
};

class SameTextInEveryReader : public ::testing::TestWithParam<StationCase> {
 protected:
  QString WriteLog() const {
    const StationCase& c = GetParam();
    const QString text = QStringList{
        QStringLiteral("START-OF-LOG: 2.0"),
        QStringLiteral("CALLSIGN: JA1ABC"),
        QStringLiteral("NAME: ") + c.station_name,
        QStringLiteral("SOAPBOX: ") + c.soapbox,
        QsoLine(c.worked_call),
        QStringLiteral("END-OF-LOG:"),
        {}}.join(QStringLiteral("\r\n"));
    return folder_.Write(QStringLiteral("ja1abc.log"), Encode(text, c.written));
  }

  // The declared lengths count characters, as most logging programs write them.
  QString WriteAdif() const {
    const StationCase& c = GetParam();
    const QString text =
        QStringLiteral("Exported\r\n<ADIF_VER:5>3.1.4 <EOH>\r\n<CALL:%1>%2 <NAME:%3>%4 <EOR>\r\n")
            .arg(c.worked_call.size())
            .arg(c.worked_call)
            .arg(c.station_name.size())
            .arg(c.station_name);
    return folder_.Write(QStringLiteral("ja1abc.adi"), Encode(text, c.written));
  }

  TempFolder folder_;
};

TEST_P(SameTextInEveryReader, KavrelRows) {
  const StationCase& c = GetParam();
  NoProgress progress;
  const LogReadOutcome read = ReadLogRows(WriteLog(), {}, progress);
  ASSERT_TRUE(read.file.ok);
  const LogLines expected{QStringLiteral("START-OF-LOG: 2.0"),
                          QStringLiteral("CALLSIGN: JA1ABC"),
                          QStringLiteral("NAME: ") + c.station_name,
                          QStringLiteral("SOAPBOX: ") + c.soapbox,
                          QsoLine(c.worked_call),
                          QStringLiteral("END-OF-LOG:")};
  EXPECT_EQ(read.rows, expected);
}

TEST_P(SameTextInEveryReader, TessdalSummaryAndQsos) {
  const StationCase& c = GetParam();
  const LogRead read = ReadLog(WriteLog());
  ASSERT_EQ(read.status, LogRead::Status::kRead);
  CabrilloSummary expected;
  expected.call_sign = QStringLiteral("JA1ABC");
  expected.name = c.station_name;
  expected.soapbox = c.soapbox;
  EXPECT_EQ(read.summary, expected);
  EXPECT_EQ(read.qsos, (QsoEntryList{{QStringLiteral("14"), c.worked_call}}));
}

TEST_P(SameTextInEveryReader, MorrickRecords) {
  const StationCase& c = GetParam();
  const AdifReadOutcome read = AdifRead(WriteAdif());
  ASSERT_TRUE(read.file.ok);
  ASSERT_EQ(read.records.size(), 1);
  EXPECT_EQ(AdifFieldValue(read.records.first(), QStringLiteral("NAME")), c.adif_name);
  EXPECT_EQ(AdifFieldValue(read.records.first(), QStringLiteral("CALL")), c.worked_call);
  EXPECT_EQ(AdifFieldNamesOf(read.records.first()), (AdifFieldNames{"CALL", "NAME"}));
}

INSTANTIATE_TEST_SUITE_P(
    Logs, SameTextInEveryReader,
    ::testing::Values(StationCase{"Cp932Japanese", Written::kCp932, QStringLiteral("山田 太郎"),
                                  QStringLiteral("ｺﾝﾃｽﾄ ありがとう ①"), QStringLiteral("JA9XYZ"),
                                  QStringLiteral("山田 太郎")},
                      StationCase{"Utf8JapaneseAndAccented", Written::kUtf8,
                                  QStringLiteral("山田 José"),
                                  QStringLiteral("Merci à tous – we’ll be back ①"),
                                  QStringLiteral("F5ÄBC"), QStringLiteral("山田 JOSÉ")},
                      StationCase{"Utf8WithByteOrderMark", Written::kUtf8WithByteOrderMark,
                                  QStringLiteral("Łukasz Żółć"), QStringLiteral("ありがとう"),
                                  QStringLiteral("SP1XYZ"), QStringLiteral("ŁUKASZ ŻÓŁĆ")},
                      StationCase{"Utf8HalfWidthKatakana", Written::kUtf8,
                                  QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"), QStringLiteral("ｺﾝﾃｽﾄ"),
                                  QStringLiteral("JA9XYZ"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ")}),
    [](const auto& test) { return std::string(test.param.name); });

// Files written by other people's programs.
QString RealFile(const char* relative) {
  return QStringLiteral(TOVEK_REAL_DATA_DIR "/") + QString::fromLatin1(relative);
}

TEST(RealUtf8Logs, SoapboxQuotesAndDashesReadInKavrel) {
  const QString path = RealFile(
      "cabrillo/kd4d_Contest-Log-Analyzer_CONTEST_LOGS_REPORTS_Logs_2024_cq-ww-cw_k1lz.log");
  if (!QFileInfo::exists(path)) GTEST_SKIP() << "no real data at " << path.toStdString();
  // The log ends its lines with LF alone: Kavrel cuts its rows at the header
  // tags, as it does for every such log.
  NoProgress progress;
  const LogReadOutcome read = ReadLogRows(
      path, LoadHeaderTags(QStringLiteral(TOVEK_PROGRAM_DIR "/CabHeader.dat")), progress);
  ASSERT_TRUE(read.file.ok);
  const LogLines expected_soapbox{
      QStringLiteral("SOAPBOX: And, we always know we’ll be competing against the very best "
                     "MULTI MULTI"),
      QStringLiteral("SOAPBOX: contest teams in the USA – and the super stations KC1XX and "
                     "K3LR, who need no")};
  const qsizetype at = read.rows.indexOf(expected_soapbox.first());
  ASSERT_GE(at, 0) << read.rows.mid(0, 30).join(u'|').toStdString();
  EXPECT_EQ(read.rows.mid(at, 2), expected_soapbox);
  for (const QString& row : read.rows)
    ASSERT_FALSE(row.contains(QChar::ReplacementCharacter)) << row.toStdString();
}

struct RealAdifValue {
  const char* name;
  const char* file;
  const char* field;
  QString value;  // of the first record that has a non-ASCII value in the field
};

class RealUtf8Adif : public ::testing::TestWithParam<RealAdifValue> {};

TEST_P(RealUtf8Adif, ValuesReadInMorrick) {
  const QString path = RealFile(GetParam().file);
  if (!QFileInfo::exists(path)) GTEST_SKIP() << "no real data at " << path.toStdString();
  const AdifReadOutcome read = AdifRead(path);
  ASSERT_TRUE(read.file.ok);
  const QString field = QString::fromLatin1(GetParam().field);
  QString first_non_ascii;
  for (const QString& record : read.records) {
    const QString value = AdifFieldValue(record, field);
    if (std::any_of(value.begin(), value.end(), [](QChar c) { return c.unicode() > 0x7f; })) {
      first_non_ascii = value;
      break;
    }
  }
  EXPECT_EQ(first_non_ascii, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Exports, RealUtf8Adif,
    ::testing::Values(RealAdifValue{"Hamrs",
                                    "adif/ham2k_lib-qson-adif_src_lib_samples_ki2d-pota.adi", "QTH",
                                    QStringLiteral("TÍA JUANA ZULIA")},
                      RealAdifValue{"Logger32",
                                    "adif/ham2k_lib-qson-adif_src_lib_samples_k0xm-logger32.adi",
                                    "COUNTRY", QStringLiteral("REPUBLIC OF T\uFFFDRKIYE")},
                      // This program counts a value's length in UTF-8 bytes.
                      RealAdifValue{"QrzLogbook",
                                    "adif/urbancamo_adif-processor_src_test_resources_adif_"
                                    "m0nom_p.204681.20210116183312.adi",
                                    "QTH", QStringLiteral("41900 PETÄJÄVESI")}),
    [](const auto& test) { return std::string(test.param.name); });

// An ADIF export with one Latin-1 byte ("Dörenberg") is no valid UTF-8: it
// stays CP932, so it reads as it did before.
TEST(RealNonUtf8Adif, StaysCp932) {
  const QString path = RealFile("adif/urbancamo_adif-processor_src_test_resources_adif_DP9X.adi");
  if (!QFileInfo::exists(path)) GTEST_SKIP() << "no real data at " << path.toStdString();
  TextLineReader reader(LineEnds::kCrLfOrCr, TextSource::kLog);
  ASSERT_TRUE(reader.Open(path, max_file_size::kLog).ok);
  EXPECT_EQ(reader.Encoding(), TextEncoding::kCp932);
}

}  // namespace
}  // namespace tovek
