// tovek publish: a results file as a static web site.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>
#include <future>
#include <optional>

#include "calculator/crosscheck/large_heap.h"
#include "calculator/publish/certificates.h"
#include "calculator/publish/results_site.h"
#include "cli/command_inputs.h"
#include "cli/command_line.h"
#include "cli/results_output.h"

namespace tovek::cli {
namespace {

const QString kName = QStringLiteral("tovek publish");
const QString kContestOption = QStringLiteral("--contest");
const QString kCertificatesOption = QStringLiteral("--certificates");
const QString kLogsOption = QStringLiteral("--logs");
const QString kCrossCheckOption = QStringLiteral("--crosscheck");

const QString kUsage = QStringLiteral(
    "Usage: tovek publish --out DIR [--date yyyy-mm-dd] [--contest NAME] [--certificates]\n"
    "                     [--logs PATH]... [--crosscheck DIR] [--cty FILE] [--area FILE]\n"
    "                     FILE.rlt\n\n"
    "Writes a results file (the calculator's \".rlt\" file, or one written by\n"
    "'tovek score --save') as a web site that needs no server and no network,\n"
    "in Japanese and English:\n\n"
    "  index.html          the contest, the date, the entrants by category and\n"
    "                      continent, links to every list and entrant\n"
    "  WorldHigh.html ...  one page per ranking list (the 25 lists of the ranking\n"
    "  CheckLog.html       files, with the same places)\n"
    "  WorldAwards.html .. one page per award list (the 8 lists of the award\n"
    "  JaAwards.html       files)\n"
    "  entrants/N-CALL.html  one page per row: N its position in the file, CALL\n"
    "                      its call sign with anything but letters and digits as\n"
    "                      '_'\n"
    "  results.csv         every row, UTF-8, a header row, RFC 4180 quoting\n"
    "  results.json        every row and the places of every list\n\n"
    "Postal addresses are not published.\n\n"
    "  --out DIR       the site's folder, created when missing; files of the\n"
    "                  same names are replaced\n"
    "  --date DATE     the date of publication, yyyy-mm-dd (default: today)\n"
    "  --contest NAME  the contest's name on every page (default: the results\n"
    "                  file's name without its extension)\n"
    "  --certificates  also write the award certificates into DIR/certificates:\n"
    "                  one PDF (A4 landscape) per winner of the 8 award lists,\n"
    "                  named AWARDS-CATEGORY-PLACE-CALL.pdf (NaAwards-SOHP-1-W1AW.pdf),\n"
    "                  and AllCertificates.pdf with every one of them, a page each;\n"
    "                  places as in the award files\n"
    "  --logs PATH     the entrants' logs (repeatable; a folder stands for its\n"
    "                  \"*.cbr\" files): each entrant's page then shows its QSOs,\n"
    "                  points and multipliers per band as the calculator scores\n"
    "                  them, and its QSOs per hour for 48 hours from its first;\n"
    "                  a log goes with the row of its CALLSIGN\n"
    "  --crosscheck DIR  the folder of a cross-check ('tovek crosscheck --out DIR'):\n"
    "                  each entrant's page then shows its log's counts of every\n"
    "                  verdict and its QSO lines that are not OK (line number,\n"
    "                  verdict, detail; with --logs also the line as logged); a\n"
    "                  folder without the cross-check's files is refused\n"
    "  --cty FILE      with --logs: the prefix file (default: Cty.dat in the\n"
    "                  program folder)\n"
    "  --area FILE     with --logs: the area file (default: Tovek.are in the\n"
    "                  program folder)\n\n"
    "Exit status: 0 done; 1 the file cannot be read or is no results file, it\n"
    "holds no rows, the cross-check's files cannot be read, or a file of the site\n"
    "could not be written; 2 usage error (among them a missing or empty --out).\n");

int Refuse(CommandIo& io, const QString& message) {
  io.err << kName << ": " << message << '\n';
  return kRefused;
}

// The fonts certificates are set in come with a GUI application object;
// tovek makes one for this command (see main.cpp).
int WriteCertificateFiles(const QString& folder, const publish::SiteInfo& info,
                          const ResultTable& rows, CommandIo& io) {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    return Refuse(io, QStringLiteral("certificates cannot be painted without a GUI application"));
  }
  const OutputOutcome written = publish::WriteCertificates(folder, info, rows);
  if (!written.outcome.ok) {
    return Refuse(io, written.path + QStringLiteral(": ") + written.outcome.error);
  }
  return kSuccess;
}

// The scoring tables, loaded on a thread of their own while the results file
// is read: each takes some milliseconds, and one after the other they left a
// core idle. What the loading has to say is kept until it is taken.
class TablesLoading {
 public:
  TablesLoading(const Arguments& arguments, const CommandIo& io)
      : io_{io.in, io.out, error_stream_, io.program_folder},
        loaded_(std::async(std::launch::async, [this, &arguments] {
          return LoadScoringTables(arguments, io_, prefixes_, areas_);
        })) {}

  // Waits for the tables: kSuccess, or the loading's status with its
  // message written to `err`.
  int Take(QTextStream& err) {
    const int loaded = loaded_.get();
    err << errors_;
    return loaded;
  }
  const PrefixTable& Prefixes() const { return prefixes_; }
  const AreaTable& Areas() const { return areas_; }

 private:
  QString errors_;
  QTextStream error_stream_{&errors_};
  CommandIo io_;
  PrefixTable prefixes_;
  AreaTable areas_;
  std::future<int> loaded_;  // last: it waits for the thread before the rest goes
};

int Run(const QStringList& args, CommandIo& io) {
  QString error;
  const auto parsed = Arguments::Parse(
      args,
      {kOutOption, kDateOption, kContestOption, kLogsOption, kCrossCheckOption, "--cty", "--area"},
      {kCertificatesOption}, error);
  if (parsed && parsed->Operands().size() != 1) error = QStringLiteral("give one FILE.rlt");
  // An empty --out would put the site into whatever folder tovek runs in.
  if (parsed && error.isEmpty()) error = EmptyOutFolderError(*parsed);
  if (parsed && error.isEmpty() && !parsed->Has(kOutOption)) {
    error = QStringLiteral("--out DIR is required");
  }
  const std::optional<QDate> date =
      parsed && error.isEmpty() ? OutputDate(*parsed, error) : std::nullopt;
  if (!error.isEmpty()) {
    io.err << kName << ": " << error << "\n" << kUsage;
    return kUsageError;
  }
  // One site and the process ends: the heap may keep what it takes, in
  // large pages (a site's tables, logs and pages fault in far fewer pages).
  crosscheck::UseLargePagesForHeap();
  std::optional<TablesLoading> tables;
  if (parsed->Has(kLogsOption)) tables.emplace(*parsed, io);
  const QString path = parsed->Operands().first();
  const std::optional<ResultTable> rows = ReadResultsFile(path, kName, io);
  if (!rows) return kRefused;
  if (rows->isEmpty()) return Refuse(io, path + QStringLiteral(": no result rows to publish"));
  publish::SiteInfo info{
      parsed->Value(kContestOption, QFileInfo(path).completeBaseName()), *date, {}, {}};
  if (parsed->Has(kCrossCheckOption)) {
    publish::CheckResultsRead checks = publish::ReadCheckResults(parsed->Value(kCrossCheckOption));
    if (!checks.outcome.ok) {
      return Refuse(io, checks.path + QStringLiteral(": ") + checks.outcome.error);
    }
    info.checks = std::move(checks.checks);
  }
  const QString folder = parsed->Value(kOutOption);
  if (!QDir().mkpath(folder)) {
    return Refuse(io, folder + QStringLiteral(": the folder cannot be created"));
  }
  if (tables) {
    if (const int loaded = tables->Take(io.err); loaded != kSuccess) return loaded;
    NoProgress progress;
    info.activity =
        publish::ReadActivity(LogPaths(parsed->Values(kLogsOption)), tables->Prefixes(),
                              tables->Areas(), progress, publish::NotOkLineNumbers(info.checks));
  }
  const OutputOutcome written = publish::WriteResultsSite(folder, info, *rows);
  if (!written.outcome.ok) {
    return Refuse(io, written.path + QStringLiteral(": ") + written.outcome.error);
  }
  if (parsed->Has(kCertificatesOption)) return WriteCertificateFiles(folder, info, *rows, io);
  return kSuccess;
}

}  // namespace

Command PublishCommand() {
  return {QStringLiteral("publish"), QStringLiteral("write a results file as a web site"), kUsage,
          Run};
}

}  // namespace tovek::cli
