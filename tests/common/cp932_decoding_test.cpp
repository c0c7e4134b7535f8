// CP932 text as the readers decode it. The platform's conversion table
// rotates three control bytes and marks undecodable bytes with a control
// character; both turned up, found by fuzzing, as bytes that changed when a
// file was read and written again.
#include <gtest/gtest.h>

#include "common/settings_file.h"
#include "common/text_file.h"
#include "tests/support/test_files.h"

namespace tovek {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

struct DecodeCase {
  const char* name;
  QByteArray bytes;
  QString text;
};

class Cp932Decoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Cp932Decoding, GivesTheCharactersOfTheCodePage) {
  EXPECT_EQ(DecodeCp932(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, Cp932Decoding,
    ::testing::Values(
        // A DOS editor's end-of-file mark, and the two bytes the table
        // rotates it with, are the control characters they are in ASCII.
        DecodeCase{"CtrlZAtTheEnd", "END-OF-LOG:\x1A", QStringLiteral("END-OF-LOG:\u001A")},
        DecodeCase{"FileSeparator",
                   "A\x1C"
                   "B",
                   QStringLiteral("A\u001CB")},
        DecodeCase{"Delete", "A\x7F", QStringLiteral("A\u007F")},
        DecodeCase{"EveryAsciiControl", QByteArray("\x00\x01\x09\x1B\x1F", 5),
                   QString::fromLatin1(QByteArray("\x00\x01\x09\x1B\x1F", 5))},
        DecodeCase{"YenAndTildeStayAscii", "\\~", QStringLiteral("\\~")},
        DecodeCase{"HalfWidthKatakana", "\xA1\xB6\xDF", QStringLiteral("｡ｶﾟ")},
        DecodeCase{"DoubleByte", "\x82\xA0\x93\xFA", QStringLiteral("あ日")},
        // Bytes that begin no character.
        DecodeCase{"UnusedSingleBytes", "\x80\xA0\xFD\xFE\xFF",
                   QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD")},
        // A lead byte without its second byte: what follows is read on its own.
        DecodeCase{"LeadByteAtTheEnd", "QSO\x82", QStringLiteral("QSO\uFFFD")},
        DecodeCase{"LeadByteBeforeAscii", "A\x81 Z", QStringLiteral("A\uFFFD Z")},
        DecodeCase{"LeadByteBeforeALineEnd", "\x88\r\n", QStringLiteral("\uFFFD\r\n")},
        DecodeCase{"LeadByteBeforeDelete", "\x88\x7F", QStringLiteral("\uFFFD\u007F")},
        DecodeCase{"UnassignedPair",
                   "\xEF\x4F"
                   "A",
                   QStringLiteral("\uFFFDA")}),
    [](const auto& test) { return std::string(test.param.name); });

// What is written for a decoded text reads back as the same text, and writes
// the same bytes again: a file never drifts from one save to the next.
TEST(Cp932RoundTrip, SavedTextReadsBackUnchanged) {
  const QByteArray bytes("\x1A\x1C\x7F\x80\xFF\x82\xA0\xEF\x4F\x81", 10);
  const QByteArray once = EncodeCp932(DecodeCp932(bytes));
  EXPECT_EQ(once, QByteArray("\x1A\x1C\x7F??\x82\xA0??", 9));
  EXPECT_EQ(EncodeCp932(DecodeCp932(once)), once);
}

// The settings value that the first fuzzed settings file held (a run of
// 0xFF bytes) changed each time the file was loaded and saved.
TEST(Cp932RoundTrip, SettingsValueOfUndecodableBytesIsStableAcrossSaves) {
  TempFolder folder;
  QString contest;
  const std::vector<SettingKey> keys = {{"Contest", &contest, {}}};
  const QString path = folder.Write("Morrick.ini", "Contest=TOVEK-WW-RT\xFF\xFF\xFFTY\r\n");
  SettingsFile file(path, keys, DefaultsRule::kAsRead);
  file.Load();
  EXPECT_EQ(contest, QStringLiteral("TOVEK-WW-RT\uFFFD\uFFFD\uFFFDTY"));
  ASSERT_TRUE(file.Save().ok);
  EXPECT_EQ(ReadBytes(path), QByteArray("Contest=TOVEK-WW-RT???TY\r\n"));
  file.Load();
  ASSERT_TRUE(file.Save().ok);
  EXPECT_EQ(ReadBytes(path), QByteArray("Contest=TOVEK-WW-RT???TY\r\n"));
}

}  // namespace
}  // namespace tovek
