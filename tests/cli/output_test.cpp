// What tovek puts out stays sound: a standard output that cannot be written
// fails the command, no control character of a log or a results file
// reaches a terminal or breaks a line, and an empty --out is refused alike.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTextStream>

#include "calculator/results_file.h"
#include "cli/command_line.h"
#include "tests/cli/review_test_support.h"

namespace tovek::cli {
namespace {

using testing::SamplesFolder;
using testing::Tovek;
using testing::TovekRun;
using testing::WriteSampleSettings;
using tovek::testing::ReadBytes;
using tovek::testing::TempFolder;

// Runs tovek with its standard output on a device that is always full.
TovekRun TovekIntoFullDevice(const QStringList& args) {
  QFile full(QStringLiteral("/dev/full"));
  if (!full.open(QIODevice::WriteOnly)) return {-1, {}, QStringLiteral("no /dev/full")};
  QString input;
  QString err_text;
  QTextStream in(&input);
  QTextStream out(&full);
  QTextStream err(&err_text);
  CommandIo io{in, out, err, QStringLiteral(TOVEK_PROGRAM_DIR)};
  const int status = RunTovek(args, io);
  err.flush();
  return {status, {}, err_text};
}

// True when `text` holds a control character other than the line's own
// tabs and line ends.
bool HasStrayControl(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) {
    return c != u'\t' && c != u'\n' && c.category() == QChar::Other_Control;
  });
}

TEST(TovekOutput, StandardOutputThatCannotBeWrittenFailsEveryCommand) {
  if (!QFileInfo::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  TempFolder folder;
  const QDir samples(SamplesFolder());
  const QString log = samples.filePath("ja1xyz.log");
  const QString cbr = samples.filePath("vk3xyz.cbr");
  const QString settings = WriteSampleSettings(folder);
  const QString rules = folder.Write("CrossCheck.ini", "TimeWindow=5\r\n");
  const QString saved = folder.File("contest.rlt");
  ASSERT_EQ(Tovek({"score", "--save", saved, cbr}).status, kSuccess);
  const QList<QStringList> commands = {
      {"help"},
      {"score", "--help"},
      {"resolve", "JA1ABC"},
      {"load", log},
      {"check", "--settings", settings, samples.filePath("ja3qrp.log")},
      {"score", cbr},
      {"results", saved},
      {"crosscheck", "--rules", rules, cbr},
      {"cabrillo", "--settings", settings, "--out", folder.File("out"), log},
  };
  for (const QStringList& args : commands) {
    const TovekRun run = TovekIntoFullDevice(args);
    const QString command = args.first() == u"help" ? "tovek help" : "tovek " + args.first();
    EXPECT_EQ(run.status, kRefused) << args.join(' ').toStdString();
    // Said once, with the reason.
    EXPECT_TRUE(run.err.endsWith(command +
                                 ": standard output: the disk is full (no space left on the "
                                 "device)\n"))
        << run.err.toStdString();
    EXPECT_EQ(run.err.count("standard output"), 1) << run.err.toStdString();
  }
}

TEST(TovekOutput, ControlCharactersNeverLeaveAsSuch) {
  TempFolder folder;
  // A header holding terminal escape sequences (clear the screen, set the
  // window title).
  const QString log = folder.Write(
      "vk3xyz.cbr",
      "START-OF-LOG: 2.0\r\nCALLSIGN: VK3XYZ\x1b[2J\r\nCATEGORY: SOHP\x1b]0;owned\x07\r\n"
      "ARRL-SECTION: OC\r\nLOCATION: VK\r\n"
      "QSO: 21085 RY 2026-09-26 0000 VK3XYZ        599 30     VK2ABC        599 33\r\n"
      "END-OF-LOG:\r\n");
  const TovekRun scored = Tovek({"score", log});
  EXPECT_EQ(scored.status, kSuccess);
  EXPECT_FALSE(HasStrayControl(scored.out)) << scored.out.toStdString();
  EXPECT_TRUE(scored.out.contains("\tVK3XYZ [2J\tSOHP ]0;\t")) << scored.out.toStdString();

  // A crafted results file: line breaks, tabs and escapes in its texts.
  ResultRow row;
  row.call_sign = "JA1\r\nXYZ";
  row.category = "SOHP";
  row.continent = "AS";
  row.entity = "JA\t\x1b[31m";
  row.score = 100;
  row.name = "Taro\r\nYamada";
  row.address = "1-1\tChiyoda\x0bTokyo";
  NoProgress progress;
  const QString results = folder.File("crafted.rlt");
  ASSERT_TRUE(ResultSave(results, {row}, progress).ok);
  const TovekRun read =
      Tovek({"results", "--out", folder.File("out"), "--date", "2026-10-01", results});
  EXPECT_EQ(read.status, kSuccess);
  const QStringList lines = read.out.split(u'\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 2) << read.out.toStdString();
  EXPECT_EQ(lines[1].split(u'\t').size(), 14);
  EXPECT_TRUE(lines[1].startsWith("1\tJA1  XYZ\tSOHP\t")) << lines[1].toStdString();
  EXPECT_FALSE(HasStrayControl(read.out));
  // Every line of every ranking and award file is one line of plain text.
  int files = 0;
  for (const char* sub : {"out/Results", "out/Awards"}) {
    const QDir dir(folder.File(sub));
    for (const QString& name : dir.entryList(QDir::Files)) {
      ++files;
      const QByteArray bytes = ReadBytes(dir.filePath(name));
      for (const QByteArray& line : bytes.split('\n')) {
        const QByteArray text = line.endsWith('\r') ? line.chopped(1) : line;
        EXPECT_FALSE(std::any_of(text.begin(), text.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
            << name.toStdString() << ": " << text.toStdString();
      }
    }
  }
  EXPECT_EQ(files, 25 + 8);
}

TEST(TovekOutput, EmptyOutFolderIsRefusedByEveryCommand) {
  TempFolder folder;
  const QString log = QDir(SamplesFolder()).filePath("ja1xyz.log");
  const QString adif = QDir(SamplesFolder()).filePath("ja1xyz.adi");
  const QList<QStringList> commands = {
      {"score", "--out", "", log},       {"results", "--out=", log},
      {"crosscheck", "--out", " ", log}, {"cabrillo", "--out", "", log},
      {"adif2cbr", "--out", "", adif},
  };
  for (const QStringList& args : commands) {
    const TovekRun run = Tovek(args);
    EXPECT_EQ(run.status, kUsageError) << args.join(' ').toStdString();
    EXPECT_TRUE(run.err.startsWith("tovek " + args.first() +
                                   ": --out takes a folder; an empty name is refused\n"))
        << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
  }
}

}  // namespace
}  // namespace tovek::cli
