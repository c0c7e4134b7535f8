#include "converter/cabrillo3_writer.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "common/legacy_numbers.h"
#include "common/output_names.h"

namespace tovek {
namespace {

const QString kSpace = QStringLiteral(" ");

bool IsBlankOnly(const QString& text) { return text.trimmed().isEmpty(); }

// The value of a column for one record.
QString ColumnValue(const QString& record, const ConversionSetup& setup, QsoColumn column) {
  const ColumnSource& source = setup.sources[static_cast<size_t>(Index(column))];
  switch (source.kind) {
    case ColumnSource::Kind::kField:
      return AdifFieldValue(record, source.field);
    case ColumnSource::Kind::kReplace:
      return setup.replacements[static_cast<size_t>(Index(column))].trimmed();
    case ColumnSource::Kind::kNone:
      break;
  }
  return {};
}

QString PaddedAndCut(const QString& value, int padding, int width) {
  return (value + QString(padding, u' ')).left(std::max(width, 0));
}

QString ModeText(const QString& value) {
  if (value == u"RTTY") return QStringLiteral("RY ");
  if (value == u"SSB") return QStringLiteral("PH ");
  if (value == u"CW") return QStringLiteral("CW ");
  return QStringLiteral("   ");
}

QString DashedDate(const QString& value) {
  return value.mid(0, 4) + u'-' + value.mid(4, 2) + u'-' + value.mid(6, 2);
}

bool IsDigits(QStringView text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool IsReadableDate(const QString& value) {
  return value.size() == 8 && IsDigits(value) &&
         QDate::fromString(value, QStringLiteral("yyyyMMdd")).isValid();
}

bool IsReadableTime(const QString& value) {
  if ((value.size() != 4 && value.size() != 6) || !IsDigits(value)) return false;
  return value.mid(0, 2).toInt() < 24 && value.mid(2, 2).toInt() < 60 &&
         (value.size() == 4 || value.mid(4, 2).toInt() < 60);
}

}  // namespace

QString MorrickCreatedBy() {
  return QStringLiteral("%1 %2.%3.%4")
      .arg(QLatin1String(kMorrickTitle))
      .arg(kMorrickMajor)
      .arg(kMorrickMinor)
      .arg(kMorrickRevision);
}

std::array<QString, kQsoColumnCount> PresetReplacements() {
  std::array<QString, kQsoColumnCount> texts;
  for (const QsoColumn column : kQsoColumns) {
    texts[static_cast<size_t>(Index(column))] = ReplacementPreset(column);
  }
  return texts;
}

QString FrequencyKhz(const QString& value) {
  const std::optional<double> mhz = ParseDecimal(value);
  if (!mhz || *mhz < 0) return {};
  const double khz = *mhz * 1000.0;
  if (!std::isfinite(khz)) return {};
  // The product of a decimal fraction is often a hair below the whole kHz it
  // stands for (2.002 * 1000 = 2001.9999999999998): 15 significant digits
  // are all a double holds for sure, so round to them first.
  const double rounded = QString::number(khz, 'g', 15).toDouble();
  return QString::number(std::trunc(rounded), 'f', 0);
}

QString DisplayText(QsoColumn column, const QString& value) {
  switch (column) {
    case QsoColumn::kFrequency:
      return FrequencyKhz(value);
    case QsoColumn::kDate:
      return value.isEmpty() ? QString() : DashedDate(value);
    case QsoColumn::kTime:
      return value.isEmpty() ? QString() : value.mid(0, 2) + u':' + value.mid(2, 2);
    default:
      return value;
  }
}

QString ColumnText(QsoColumn column, const QString& value, const QsoFieldWidths& widths) {
  switch (column) {
    case QsoColumn::kFrequency: {
      const QString khz = FrequencyKhz(value);
      return (khz.size() > 5 ? khz.right(5) : khz.rightJustified(5)) + kSpace;
    }
    case QsoColumn::kMode:
      return ModeText(value);
    case QsoColumn::kDate:
      return (DashedDate(value) + kSpace).leftJustified(11, u' ', true);
    case QsoColumn::kTime:
      return value.left(4).leftJustified(4) + kSpace;
    default: {
      const WidthSpec* width_spec = WidthSpecOf(column);
      return PaddedAndCut(value, width_spec->padding, *WidthField(widths, column));
    }
  }
}

QString ColumnSample(const AdifRecordList& records, const ConversionSetup& setup,
                     QsoColumn column) {
  const ColumnSource& source = setup.sources[static_cast<size_t>(Index(column))];
  switch (source.kind) {
    case ColumnSource::Kind::kField:
      if (records.isEmpty()) return {};
      return DisplayText(column, AdifFieldValue(records.first(), source.field));
    case ColumnSource::Kind::kReplace:
      return setup.replacements[static_cast<size_t>(Index(column))];
    case ColumnSource::Kind::kNone:
      break;
  }
  return {};
}

QString StationCall(const AdifRecordList& records, const ConversionSetup& setup) {
  return ColumnSample(records, setup, QsoColumn::kMyCall);
}

std::optional<QString> CbrFileBaseName(const QString& station_call) {
  const OutputName name = OutputNameOf(station_call);
  if (!name.Ok()) return std::nullopt;
  return name.base;
}

ConvertCheck CheckConversion(const AdifRecordList& records, const ConversionSetup& setup) {
  const QString call = StationCall(records, setup);
  bool missing = IsBlankOnly(call);
  for (int i = 0; i < kRequiredHeaderChoices; ++i) {
    missing = missing || IsBlankOnly(setup.header.choices[static_cast<size_t>(i)]);
  }
  for (const QsoColumn column : kQsoColumns) {
    missing = missing || IsBlankOnly(ColumnSample(records, setup, column));
  }
  if (missing) return ConvertCheck::kMissingValues;
  if (setup.output_folder.isEmpty() || !QFileInfo(setup.output_folder).isDir()) {
    return ConvertCheck::kNoOutputFolder;
  }
  if (!CbrFileBaseName(call)) return ConvertCheck::kUnsafeFileName;
  if (!UnreadableDateTimeRecords(records, setup).isEmpty()) {
    return ConvertCheck::kUnreadableDateTime;
  }
  return ConvertCheck::kReady;
}

QList<qsizetype> UnreadableDateTimeRecords(const AdifRecordList& records,
                                           const ConversionSetup& setup) {
  QList<qsizetype> unreadable;
  for (qsizetype i = 0; i < records.size(); ++i) {
    if (!IsReadableDate(ColumnValue(records[i], setup, QsoColumn::kDate).trimmed()) ||
        !IsReadableTime(ColumnValue(records[i], setup, QsoColumn::kTime).trimmed())) {
      unreadable.append(i + 1);
    }
  }
  return unreadable;
}

QString ConvertCheckMessage(ConvertCheck check, const QString& station_call,
                            const QList<qsizetype>& records) {
  switch (check) {
    case ConvertCheck::kMissingValues:
      return QStringLiteral("データ項目をセットしてください");
    case ConvertCheck::kNoOutputFolder:
      return QStringLiteral("ログフォルダーを設定してください\n作業を続行できません");
    case ConvertCheck::kUnsafeFileName:
      return QStringLiteral("コールサイン「%1」はファイル名に使えません\n作業を続行できません")
          .arg(PlainText(station_call.trimmed()));
    case ConvertCheck::kUnreadableDateTime: {
      // The first ten are enough to find the pattern in the file.
      constexpr qsizetype kListed = 10;
      QStringList numbers;
      for (qsizetype i = 0; i < std::min(records.size(), kListed); ++i) {
        numbers.append(QString::number(records[i]));
      }
      QString list = numbers.join(QStringLiteral(", "));
      if (records.size() > kListed) {
        list += QStringLiteral(" ほか %1 件").arg(records.size() - kListed);
      }
      return QStringLiteral(
                 "日付 (yyyymmdd) または時刻 (hhmm) が読めないレコードがあります: %1\n"
                 "作業を続行できません")
          .arg(list);
    }
    case ConvertCheck::kReady:
      break;
  }
  return {};
}

QString ConvertQuestion(const QString& station_call) {
  const QString name = CbrFileBaseName(station_call).value_or(station_call.trimmed());
  return name + QStringLiteral(".cbr ファイルを出力しますか ??");
}

QStringList CbrLines(const AdifRecordList& records, const ConversionSetup& setup,
                     Progress& progress) {
  QStringList lines;
  lines.reserve(records.size() + 18);
  lines.append(QStringLiteral("START-OF-LOG: 3.0"));
  lines.append(QStringLiteral("CALLSIGN: ") + StationCall(records, setup).trimmed());
  // The chosen values stand as they are; the typed ones lose their blanks.
  for (int i = 0; i < kHeaderChoiceCount; ++i) {
    lines.append(QLatin1String(kHeaderChoiceTags[static_cast<size_t>(i)]) + QStringLiteral(": ") +
                 setup.header.choices[static_cast<size_t>(i)]);
  }
  for (int i = 0; i < kHeaderTextCount; ++i) {
    lines.append(QLatin1String(kHeaderTextTags[static_cast<size_t>(i)]) + QStringLiteral(": ") +
                 setup.header.texts[static_cast<size_t>(i)].trimmed());
  }
  lines.append(QStringLiteral("CREATED-BY: ") + setup.created_by.trimmed());
  progress.SetMaximum(records.size());
  for (qsizetype i = 0; i < records.size(); ++i) {
    QString line = QStringLiteral("QSO: ");
    line.reserve(128);  // a QSO line is some 80 characters: one allocation, not one per column
    for (const QsoColumn column : kQsoColumns) {
      line += ColumnText(column, ColumnValue(records[i], setup, column), setup.widths);
    }
    lines.append(line);
    progress.SetValue(i + 1);
    progress.Yield();
  }
  lines.append(QStringLiteral("END-OF-LOG:"));
  return lines;
}

CbrOutcome CbrOut(const AdifRecordList& records, const ConversionSetup& setup, Progress& progress) {
  CbrOutcome outcome;
  const QString call = StationCall(records, setup);
  const std::optional<QString> name = CbrFileBaseName(call);
  if (!name) {
    outcome.file = FileOutcome::Failure(ConvertCheckMessage(ConvertCheck::kUnsafeFileName, call));
    return outcome;
  }
  outcome.path = QDir(setup.output_folder).filePath(*name + QStringLiteral(".cbr"));
  if (records.isEmpty()) return outcome;
  outcome.file = WriteTextLines(outcome.path, CbrLines(records, setup, progress));
  outcome.written = outcome.file.ok;
  return outcome;
}

}  // namespace tovek
