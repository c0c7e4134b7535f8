// tovek adif2cbr: an ADIF log to a Cabrillo 3.0 file, as the converter's
// window writes it.
#include <QDir>
#include <QFileInfo>

#include "cli/command_inputs.h"
#include "cli/command_line.h"
#include "converter/adif_reader.h"
#include "converter/cabrillo3_writer.h"
#include "converter/morrick_settings.h"
#include "converter/station_header.h"

namespace tovek::cli {
namespace {

const QString kName = QStringLiteral("tovek adif2cbr: ");

const QString kUsage = QStringLiteral(
    "Usage: tovek adif2cbr [--settings FILE] [--lists DIR] [--source COLUMN=FIELD]...\n"
    "                      [--replace COLUMN=TEXT]... [--set TAG=VALUE]... [--width KEY=N]...\n"
    "                      --out DIR ADIFFILE\n\n"
    "Converts an ADIF log into a Cabrillo 3.0 file exactly as the converter's window\n"
    "does, without asking and without starting an editor, and prints the file's path.\n"
    "The log is read and every column takes its default field (FREQ, MODE, QSO_DATE,\n"
    "TIME_ON, OPERATOR, RST_SENT, CALL, RST_RCVD, where record 1 has them); then the\n"
    "options below change what the window's boxes would hold.\n\n"
    "  --settings FILE        a Morrick.ini whose header choices and widths are taken first\n"
    "  --lists DIR            the folder of the list files Contest.lst ... CateStn.lst\n"
    "                         (default: the program folder)\n"
    "  --source COLUMN=FIELD  feed a column from a field of record 1; COLUMN is the\n"
    "                         window's caption: FREQENCY, MODE, DATE, TIME, MY CALLSIGN,\n"
    "                         SEND RST, SEND NO, UR CALLSIGN, RCVD RST, RCVD NO\n"
    "  --replace COLUMN=TEXT  a fixed text for MY CALLSIGN, SEND RST, SEND NO, RCVD RST\n"
    "                         or RCVD NO (letters a to z become capitals, as typed)\n"
    "  --set TAG=VALUE        a header value: CONTEST, CATEGORY-OPERATOR, CATEGORY-BAND,\n"
    "                         CATEGORY-MODE, CATEGORY-POWER, CATEGORY-STATION (one of the\n"
    "                         lines of its list file), OPERATORS (letters become\n"
    "                         capitals), NAME, ADDRESS, ADDRESS-CITY,\n"
    "                         ADDRESS-STATE-PROVINCE, ADDRESS-POSTALCODE,\n"
    "                         ADDRESS-COUNTRY, EMAIL\n"
    "  --width KEY=N          a column width: MyCallLen, UrCallLen (0 to 20), SrstLen,\n"
    "                         RrstLen (0 to 7), SNoLen, RNoLen (0 to 10)\n"
    "  --out DIR              the folder that receives CALL.cbr (CALL: the station call,\n"
    "                         its first \"/\" written as \"-\")\n\n"
    "Exit status: 0 written, 1 the log or settings could not be read, a check failed\n"
    "(its message on standard error) or the file could not be written, 2 usage error.\n");

struct Assignment {
  QString key;
  QString value;
};

// What the options ask for, checked as far as it can be without the log.
struct Changes {
  std::vector<std::pair<QsoColumn, QString>> sources;       // field names
  std::vector<std::pair<QsoColumn, QString>> replacements;  // as typed
  std::vector<std::pair<HeaderField, QString>> header;      // as typed
  std::vector<std::pair<QsoColumn, std::int16_t>> widths;
};

// Each parser returns an error text, or an empty one when all is well.
QString SplitAssignment(const QString& option, const QString& text, Assignment& assignment) {
  const qsizetype equals = text.indexOf(u'=');
  if (equals < 0) return option + QStringLiteral(": \"%1\" has no \"=\"").arg(text);
  assignment = {text.left(equals), text.mid(equals + 1)};
  return {};
}

QString ParseColumns(const Arguments& args, const QString& option,
                     std::vector<std::pair<QsoColumn, QString>>& parsed) {
  for (const QString& text : args.Values(option)) {
    Assignment assignment;
    if (QString error = SplitAssignment(option, text, assignment); !error.isEmpty()) return error;
    const std::optional<QsoColumn> column = ColumnByCaption(assignment.key);
    if (!column) return option + QStringLiteral(": no column \"%1\"").arg(assignment.key);
    parsed.emplace_back(*column, assignment.value);
  }
  return {};
}

QString ParseHeader(const Arguments& args, const HeaderLists& lists, Changes& changes) {
  const QString option = QStringLiteral("--set");
  for (const QString& text : args.Values(option)) {
    Assignment assignment;
    if (QString error = SplitAssignment(option, text, assignment); !error.isEmpty()) return error;
    const std::optional<HeaderField> field = HeaderFieldByTag(assignment.key);
    if (!field) return option + QStringLiteral(": no header tag \"%1\"").arg(assignment.key);
    const auto index = static_cast<size_t>(field->index);
    if (field->kind == HeaderField::Kind::kChoice && !lists[index].contains(assignment.value)) {
      return option + QStringLiteral(": \"%1\" is not a line of %2 (%3)")
                          .arg(assignment.value, QLatin1String(kHeaderListFiles[index]),
                               lists[index].join(QStringLiteral(", ")));
    }
    changes.header.emplace_back(*field, assignment.value);
  }
  return {};
}

QString ParseWidths(const Arguments& args, Changes& changes) {
  const QString option = QStringLiteral("--width");
  for (const QString& text : args.Values(option)) {
    Assignment assignment;
    if (QString error = SplitAssignment(option, text, assignment); !error.isEmpty()) return error;
    const WidthSpec* width_spec = WidthSpecByKey(assignment.key.trimmed());
    if (!width_spec) return option + QStringLiteral(": no width \"%1\"").arg(assignment.key);
    bool ok = false;
    const int width = assignment.value.trimmed().toInt(&ok);
    if (!ok || width < 0 || width > width_spec->max_width) {
      return option + QStringLiteral(": %1 takes a whole number from 0 to %2")
                          .arg(QLatin1String(width_spec->key))
                          .arg(width_spec->max_width);
    }
    changes.widths.emplace_back(width_spec->column, static_cast<std::int16_t>(width));
  }
  return {};
}

QString ParseChanges(const Arguments& args, const HeaderLists& lists, Changes& changes) {
  QString error = ParseColumns(args, QStringLiteral("--source"), changes.sources);
  if (error.isEmpty())
    error = ParseColumns(args, QStringLiteral("--replace"), changes.replacements);
  for (const auto& [column, text] : changes.replacements) {
    if (error.isEmpty() && !OffersReplace(column)) {
      error = QStringLiteral("--replace: column %1 takes no fixed text").arg(ColumnCaption(column));
    }
  }
  if (error.isEmpty()) error = ParseHeader(args, lists, changes);
  if (error.isEmpty()) error = ParseWidths(args, changes);
  return error;
}

// The header choices and widths a settings file holds, as the window takes
// them: a saved choice that is not a line of its list leaves the box empty.
void ApplySettings(const MorrickSettings& settings, const HeaderLists& lists,
                   ConversionSetup& setup) {
  for (size_t i = 0; i < lists.size(); ++i) {
    if (lists[i].contains(settings.header_choices[i])) {
      setup.header.choices[i] = settings.header_choices[i];
    }
  }
  setup.widths = settings.widths;
}

// The options' texts go in as they would be typed into the window's boxes.
void ApplyTypedValues(const Changes& changes, ConversionSetup& setup) {
  for (const auto& [column, text] : changes.replacements) {
    setup.sources[static_cast<size_t>(Index(column))] = ColumnSource::Replace();
    setup.replacements[static_cast<size_t>(Index(column))] = TypedUpperCase(text);
  }
  for (const auto& [field, text] : changes.header) {
    const auto index = static_cast<size_t>(field.index);
    if (field.kind == HeaderField::Kind::kChoice) {
      setup.header.choices[index] = text;
    } else {
      setup.header.texts[index] = field.index == kUpperCaseHeaderText ? TypedUpperCase(text) : text;
    }
  }
  for (const auto& [column, width] : changes.widths) *WidthField(setup.widths, column) = width;
}

int Run(const QStringList& arguments, CommandIo& io) {
  QString error;
  const auto args = Arguments::Parse(
      arguments, {"--settings", "--lists", "--source", "--replace", "--set", "--width", "--out"},
      {}, error);
  if (!args) {
    io.err << kName << error << "\n" << kUsage;
    return kUsageError;
  }
  if (args->Operands().size() != 1 || !args->Has(QStringLiteral("--out"))) {
    io.err << kName << "one ADIF file and --out DIR are needed\n" << kUsage;
    return kUsageError;
  }
  if (const QString empty = EmptyOutFolderError(*args); !empty.isEmpty()) {
    io.err << kName << empty << '\n' << kUsage;
    return kUsageError;
  }
  const QString adif_path = args->Operands().first();
  const HeaderLists lists =
      LoadHeaderLists(args->Value(QStringLiteral("--lists"), io.program_folder));
  Changes changes;
  if (QString usage = ParseChanges(*args, lists, changes); !usage.isEmpty()) {
    io.err << kName << usage << '\n';
    return kUsageError;
  }

  ConversionSetup setup;
  setup.output_folder = args->Value(QStringLiteral("--out"));
  if (args->Has(QStringLiteral("--settings"))) {
    const QString path = args->Value(QStringLiteral("--settings"));
    MorrickSettings settings;
    if (LoadMorrickSettings(path, settings) == SettingsLoadStatus::kMissing) {
      io.err << kName << "no settings file " << path << '\n';
      return kRefused;
    }
    ApplySettings(settings, lists, setup);
  }

  const AdifReadOutcome read = AdifRead(adif_path);
  if (!read.file.ok) {
    io.err << adif_path << ": " << read.file.error << '\n';
    return kRefused;
  }
  io.err << BadBytesNote(adif_path, read.decoding);
  if (read.truncated) {
    io.err << kName << "only the first " << kMaxAdifRecords << " records of " << adif_path
           << " were read\n";
  }
  const AdifSetup adif = AdifSet(read.records);
  setup.sources = adif.sources;
  for (const auto& [column, text] : changes.sources) {
    const QString field = text.trimmed().toUpper();
    if (!adif.names.contains(field)) {
      io.err << kName << field << " is not a field of record 1 of " << adif_path << '\n';
      return kRefused;
    }
    setup.sources[static_cast<size_t>(Index(column))] = ColumnSource::Field(field);
  }
  ApplyTypedValues(changes, setup);

  const ConvertCheck check = CheckConversion(read.records, setup);
  if (check != ConvertCheck::kReady) {
    io.err << ConvertCheckMessage(check, StationCall(read.records, setup),
                                  UnreadableDateTimeRecords(read.records, setup))
           << '\n';
    return kRefused;
  }
  NoProgress progress;
  const CbrOutcome written = CbrOut(read.records, setup, progress);
  if (!written.file.ok) {
    io.err << written.path << ": " << written.file.error << '\n';
    return kRefused;
  }
  io.out << written.path << '\n';
  return kSuccess;
}

}  // namespace

Command Adif2CbrCommand() {
  return {QStringLiteral("adif2cbr"), QStringLiteral("an ADIF log to a Cabrillo 3.0 file"), kUsage,
          Run};
}

}  // namespace tovek::cli
