// The three programs' settings files as each loads them at start, saved
// again as at close, and the values put to the use the windows make of them:
// a hand-edited file may hold any number in any key.
#include <QDate>
#include <QDir>

#include "calculator/tessdal_settings.h"
#include "converter/cabrillo3_writer.h"
#include "converter/morrick_settings.h"
#include "editor/cabrillo_reader.h"
#include "editor/check_settings.h"
#include "editor/column_edits.h"
#include "editor/data_check.h"
#include "editor/kavrel_settings.h"
#include "editor/sample_fields.h"
#include "fuzz/fuzz_support.h"

using namespace tovek;
using namespace tovek::fuzz;

namespace {

const QDate kToday(2026, 9, 1);

const LogLines& SampleLog() {
  static const LogLines rows = {
      "START-OF-LOG: 2.0",
      "CALLSIGN: JA1XYZ",
      "CATEGORY: SINGLE-OP ALL HIGH",
      "QSO: 14080 RY 2026-09-26 0012 JA1XYZ        599 01     K1ABC         599 05",
      "QSO:  7025 RY 2026-09-27 2359 JA1XYZ        599 01     DL1ABC        599 14",
      "QSO: 3512",
      "END-OF-LOG:",
  };
  return rows;
}

// Saving what was loaded and loading it again is stable: every value loaded
// can be written and read back, and the second save writes, byte for byte,
// what the first one wrote.
// `loaded` is the file as the program loaded it, bound to its settings.
template <class Settings, class MakeFile>
void CheckRoundTrip(const SettingsFile& loaded, MakeFile make_file) {
  static const QString copy_folder = [] {
    const QString path = ScratchFolder().filePath(QStringLiteral("copy"));
    QDir().mkpath(path);
    return path;
  }();
  Settings second;
  SettingsFile copy = make_file(copy_folder, second);
  QFile::remove(copy.Path());
  copy.Load();  // the defaults, as a program has them before its file is read
  for (size_t i = 0; i < loaded.Keys().size(); ++i) {
    FUZZ_EXPECT(SettingsFile::Assign(copy.Keys()[i], SettingsFile::Format(loaded.Keys()[i])));
  }
  FUZZ_EXPECT(copy.Save().ok);
  Settings third;
  SettingsFile again = make_file(copy_folder, third);
  again.Load();
  const QStringList written = copy.Lines();
  const QStringList read_back = again.Lines();
  FUZZ_EXPECT(written.size() == read_back.size());
  for (qsizetype i = 0; i < written.size(); ++i) {
    FUZZ_EXPECT(EncodeCp932(written[i]) == EncodeCp932(read_back[i]));
  }
}

void UseKavrelSettings(const KavrelSettings& s) {
  NoProgress progress;
  const LogLines& rows = SampleLog();
  const CheckColumns columns = CheckColumnsFrom(s.layout);
  const QStringList faults =
      DataCheck(rows, columns, s.start_date, s.limits, PrefixTable(), progress);
  FUZZ_EXPECT(faults.size() <= 3 * 3);
  for (const FieldSpan& field : CheckFields(columns, s.layout.rpt_len)) {
    FieldPreview(rows[3], field);
  }
  const std::vector<FieldSpan> fields = LayoutFields(s.layout);
  ColumnFields(fields, static_cast<int>(rows[3].size()));
  for (const FieldSpan& field : fields) FieldPreview(rows[3], field);
  const QsoReadOutcome read = ReadQsoRecords(rows, s.layout, progress);
  for (const QsoRecord& record : read.records) {
    FUZZ_EXPECT(record.band.size() == QsoRecord::kBandWidth);
    FUZZ_EXPECT(record.his_call.size() == QsoRecord::kCallWidth);
  }
  if (ParseStartDate(s.start_date)) {
    for (const DateUnit unit : {DateUnit::kYear, DateUnit::kMonth, DateUnit::kDay}) {
      FUZZ_EXPECT(ParseStartDate(StepStartDate(s.start_date, unit, 1, kToday)).has_value());
    }
  }
  const SpinnerStart start = StartColumnSpinner(rows[3], s.edit_pos, 6);
  FUZZ_EXPECT(start.minimum <= start.value && start.value <= start.maximum);
  const SpinnerStart length = LengthSpinner(s.edit_len, 5, 15);
  FUZZ_EXPECT(length.minimum <= length.value && length.value <= length.maximum);
}

void UseMorrickSettings(const MorrickSettings& s) {
  for (const WidthSpec& rule : kWidthSpecs) {
    const std::int16_t width = *WidthField(s.widths, rule.column);
    FUZZ_EXPECT(width >= 0 && width <= rule.max_width);
  }
  ConversionSetup setup;
  setup.widths = s.widths;
  for (size_t i = 0; i < s.header_choices.size(); ++i)
    setup.header.choices[i] = s.header_choices[i];
  const AdifRecordList records = {
      "<CALL:5>K1ABC<QSO_DATE:8>20260926<TIME_ON:4>0012<FREQ:6>14.080<MODE:4>RTTY"
      "<STATION_CALLSIGN:6>JA1XYZ<RST_SENT:3>599<RST_RCVD:3>599<EOR>"};
  setup.sources = AdifSet(records).sources;
  setup.sources[Index(QsoColumn::kMyCall)] = ColumnSource::Field("STATION_CALLSIGN");
  NoProgress progress;
  const QStringList lines = CbrLines(records, setup, progress);
  FUZZ_EXPECT(lines.size() == 19);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes = Bytes(data, size);
  const QString folder = ScratchFolder().path();
  ScratchFile(QString::fromLatin1(kKavrelSettingsFileName), bytes);
  ScratchFile(QString::fromLatin1(kTessdalSettingsFileName), bytes);
  const QString morrick = ScratchFile(QString::fromLatin1(kMorrickSettingsFileName), bytes);

  KavrelSettings kavrel;
  SettingsFile kavrel_file = KavrelSettingsFile(folder, kavrel, kToday);
  FUZZ_EXPECT(kavrel_file.Load() == SettingsLoadStatus::kLoaded);
  UseKavrelSettings(kavrel);
  CheckRoundTrip<KavrelSettings>(kavrel_file, [](const QString& f, KavrelSettings& s) {
    return KavrelSettingsFile(f, s, kToday);
  });

  TessdalSettings tessdal;
  SettingsFile tessdal_file = TessdalSettingsFile(folder, tessdal);
  FUZZ_EXPECT(tessdal_file.Load() == SettingsLoadStatus::kLoaded);
  CheckRoundTrip<TessdalSettings>(
      tessdal_file, [](const QString& f, TessdalSettings& s) { return TessdalSettingsFile(f, s); });

  // Morrick's loader does more than the key table's load (it keeps the
  // column widths in range), so the round trip loads the table itself.
  MorrickSettings morrick_settings;
  FUZZ_EXPECT(LoadMorrickSettings(morrick, morrick_settings) == SettingsLoadStatus::kLoaded);
  UseMorrickSettings(morrick_settings);
  const auto morrick_file = [](const QString& f, MorrickSettings& s) {
    return MorrickSettingsFile(QDir(f).filePath(QString::fromLatin1(kMorrickSettingsFileName)), s);
  };
  MorrickSettings morrick_table;
  SettingsFile morrick_loaded = morrick_file(folder, morrick_table);
  morrick_loaded.Load();
  CheckRoundTrip<MorrickSettings>(morrick_loaded, morrick_file);
  return 0;
}
