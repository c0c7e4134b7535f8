// Morrick's product: the Cabrillo 3.0 file of one log, and the checks that
// come before it.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "common/progress.h"
#include "common/text_file.h"
#include "converter/adif_reader.h"
#include "converter/qso_columns.h"
#include "converter/station_header.h"

namespace tovek {

// The program that writes the files, for their CREATED-BY line.
inline constexpr const char* kMorrickTitle = "Morrick";
inline constexpr int kMorrickMajor = 1;
inline constexpr int kMorrickMinor = 0;
inline constexpr int kMorrickRevision = 31;

// "Morrick 1.0.31".
QString MorrickCreatedBy();

// The replacement texts before anything is typed: "599" for both RSTs.
std::array<QString, kQsoColumnCount> PresetReplacements();

// Everything a conversion needs besides the records.
struct ConversionSetup {
  ColumnSources sources;
  // The replacement boxes' texts as typed, by column (only the columns that
  // offer a replacement use theirs).
  std::array<QString, kQsoColumnCount> replacements = PresetReplacements();
  QsoFieldWidths widths;
  StationHeader header;
  QString created_by = MorrickCreatedBy();
  QString output_folder;
};

// A frequency in MHz as whole kHz, without blanks: the product is rounded to
// 15 significant digits before its fraction is dropped, so 2.002 gives 2002
// and not 2001. Empty when the value is not a decimal number of MHz (an
// empty field, "14,080", a negative number).
QString FrequencyKhz(const QString& value);

// The form in which the window shows a record-1 value of the column.
QString DisplayText(QsoColumn column, const QString& value);

// The column's part of a QSO line, separating blanks included.
QString ColumnText(QsoColumn column, const QString& value, const QsoFieldWidths& widths);

// What a column shows for record 1: the display form of its field's value,
// or the replacement text as typed; empty without a source or a record.
QString ColumnSample(const AdifRecordList& records, const ConversionSetup& setup, QsoColumn column);

// The station call: what the "MY CALLSIGN" column shows.
QString StationCall(const AdifRecordList& records, const ConversionSetup& setup);

// The name of the Cabrillo file, without ".cbr", for a station call: the
// editor's name for it (OutputNameOf). Nothing when the name could leave the
// output folder, would be hidden, or no file system would take it.
std::optional<QString> CbrFileBaseName(const QString& station_call);

enum class ConvertCheck {
  kReady,
  kMissingValues,       // a required value is empty (or blanks only)
  kNoOutputFolder,      // the output folder is not set or not a folder
  kUnsafeFileName,      // the station call cannot name a file
  kUnreadableDateTime,  // a record's date or time is no date or time
};
ConvertCheck CheckConversion(const AdifRecordList& records, const ConversionSetup& setup);

// The records (1-based) whose date is not eight digits of a calendar date
// (yyyymmdd) or whose time is not four or six digits of a time of day
// (hhmm or hhmmss): their QSO line would carry no date or time a reader of
// the file can take.
QList<qsizetype> UnreadableDateTimeRecords(const AdifRecordList& records,
                                           const ConversionSetup& setup);

// The message that reports a check's failure; `records` are those of
// UnreadableDateTimeRecords.
QString ConvertCheckMessage(ConvertCheck check, const QString& station_call,
                            const QList<qsizetype>& records = {});

// The question asked before writing: "JA1ABC.cbr ファイルを出力しますか ??".
QString ConvertQuestion(const QString& station_call);

// The lines of the file: 17 header lines, one QSO line per record and the
// end line. A control character of a value (a line break inside an ADIF
// value above all) is written as a blank, so that every line of the file is
// one line of the log. `progress` is given its turn after every QSO line.
QStringList CbrLines(const AdifRecordList& records, const ConversionSetup& setup,
                     Progress& progress);

struct CbrOutcome {
  QString path;
  bool written = false;
  // Failure: the platform's description of why the file could not be
  // written; an earlier file of the name is then untouched.
  FileOutcome file;
};

// Writes the output folder's Cabrillo file for the station call (CP932, CR
// LF, replacing a file of that name). With no records nothing is written.
CbrOutcome CbrOut(const AdifRecordList& records, const ConversionSetup& setup, Progress& progress);

}  // namespace tovek
