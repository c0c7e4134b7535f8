#include "calculator/results_file.h"

#include <QFile>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <limits>

#include "common/file_output.h"
#include "common/legacy_numbers.h"

namespace tovek {
namespace {

// The record's fields in file order. Scores and counts sit between the text
// fields, so the layout is a list rather than a struct overlay: the record
// has no padding and must not get any.
enum class FieldKind { kText, kFloat64, kInt16 };

struct RecordField {
  FieldKind kind;
  qsizetype bytes;
  QString ResultRow::*text = nullptr;
  double ResultRow::*number = nullptr;
  std::int16_t ResultRow::*count = nullptr;
};

constexpr RecordField Text(QString ResultRow::*member, qsizetype bytes) {
  return {FieldKind::kText, bytes, member, nullptr, nullptr};
}
constexpr RecordField Float(double ResultRow::*member) {
  return {FieldKind::kFloat64, 8, nullptr, member, nullptr};
}
constexpr RecordField Count(std::int16_t ResultRow::*member) {
  return {FieldKind::kInt16, 2, nullptr, nullptr, member};
}

namespace w = result_width;

constexpr RecordField kRecordFields[] = {
    Text(&ResultRow::call_sign, w::kCallSign),
    Text(&ResultRow::category, w::kCategory),
    Float(&ResultRow::claimed_score),
    Float(&ResultRow::score),
    Text(&ResultRow::continent, w::kContinent),
    Text(&ResultRow::entity, w::kEntity),
    Text(&ResultRow::name, w::kName),
    Text(&ResultRow::operators, w::kOperators),
    Text(&ResultRow::club, w::kClub),
    Text(&ResultRow::address, w::kAddress),
    Text(&ResultRow::created_by, w::kCreatedBy),
    Text(&ResultRow::soapbox, w::kSoapbox),
    Count(&ResultRow::qso_lines),
    Count(&ResultRow::valid),
    Count(&ResultRow::dupes),
    Count(&ResultRow::points),
    Count(&ResultRow::mult1),
    Count(&ResultRow::mult2),
    Count(&ResultRow::total_mult),
};

constexpr qsizetype RecordSize() {
  qsizetype size = 0;
  for (const RecordField& field : kRecordFields) size += field.bytes;
  return size;
}
static_assert(RecordSize() == kResultRecordSize);

// CP932's double-byte characters start with a lead byte in these ranges; the
// second byte may be anything from 0x40 up, so only a walk from the start of
// the field tells where its characters begin.
bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The length of the longest run of whole characters from the start of
// `bytes` that fits into `limit` bytes.
qsizetype WholeCharacterLength(QByteArrayView bytes, qsizetype limit) {
  qsizetype end = 0;
  while (end < bytes.size()) {
    const qsizetype length = IsLeadByte(static_cast<unsigned char>(bytes[end])) ? 2 : 1;
    if (end + length > limit || end + length > bytes.size()) break;
    end += length;
  }
  return end;
}

bool IsPadding(QChar c) { return c == u' ' || c == QChar(u'\0'); }

bool FiniteScores(const ResultRow& row) {
  return std::isfinite(row.claimed_score) && std::isfinite(row.score);
}

}  // namespace

QByteArray EncodeResultText(QStringView text, qsizetype bytes) {
  const QByteArray encoded = EncodeCp932(text);
  QByteArray field = encoded.left(WholeCharacterLength(encoded, bytes));
  field.append(bytes - field.size(), ' ');
  return field;
}

QString DecodeResultText(QByteArrayView field) {
  const QString text = DecodeCp932(field.first(WholeCharacterLength(field, field.size())));
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && IsPadding(text[begin])) ++begin;
  while (end > begin && IsPadding(text[end - 1])) --end;
  return text.mid(begin, end - begin);
}

QByteArray EncodeResultRecord(const ResultRow& row) {
  QByteArray record;
  record.reserve(kResultRecordSize);
  for (const RecordField& field : kRecordFields) {
    switch (field.kind) {
      case FieldKind::kText:
        record.append(EncodeResultText(row.*field.text, field.bytes));
        break;
      case FieldKind::kFloat64: {
        char bytes[8];
        qToLittleEndian(row.*field.number, bytes);
        record.append(bytes, sizeof bytes);
        break;
      }
      case FieldKind::kInt16: {
        char bytes[2];
        qToLittleEndian(row.*field.count, bytes);
        record.append(bytes, sizeof bytes);
        break;
      }
    }
  }
  return record;
}

ResultRow DecodeResultRecord(QByteArrayView record) {
  ResultRow row;
  qsizetype offset = 0;
  for (const RecordField& field : kRecordFields) {
    if (offset >= record.size()) break;
    const QByteArrayView bytes =
        record.sliced(offset, std::min(field.bytes, record.size() - offset));
    offset += field.bytes;
    switch (field.kind) {
      case FieldKind::kText:
        row.*field.text = DecodeResultText(bytes);
        break;
      case FieldKind::kFloat64:
        // A number cut off by the end of the file stays 0.
        if (bytes.size() == 8) row.*field.number = qFromLittleEndian<double>(bytes.data());
        break;
      case FieldKind::kInt16:
        if (bytes.size() == 2) row.*field.count = qFromLittleEndian<std::int16_t>(bytes.data());
        break;
    }
  }
  return row;
}

qint64 ResultRecordCount(qint64 length) {
  return static_cast<qint64>(RoundHalfEven(static_cast<double>(length) / kResultRecordSize));
}

FileOutcome ResultSave(const QString& log_name, const ResultTable& rows, Progress& progress) {
  if (rows.isEmpty()) return FileOutcome::Success();
  progress.SetMaximum(rows.size());
  QByteArray bytes;
  bytes.reserve(rows.size() * kResultRecordSize);
  for (qsizetype i = 0; i < rows.size(); ++i) {
    progress.SetValue(i + 1);
    bytes.append(EncodeResultRecord(rows[i]));
    progress.Yield();
  }
  return WriteFileBytes(log_name, bytes);
}

ResultFileRead ResultRead(const QString& log_name, Progress& progress) {
  ResultFileRead read;
  // The size is judged below, where it tells how many records there are.
  if (FileOutcome checked = CheckInputFile(log_name, std::numeric_limits<qint64>::max());
      !checked.ok) {
    read.outcome = std::move(checked);
    return read;
  }
  QFile file(log_name);
  if (!file.open(QIODevice::ReadOnly)) {
    read.outcome = FileOutcome::Failure(file.errorString());
    return read;
  }
  const qint64 length = file.size();
  const qint64 count = ResultRecordCount(length);
  read.partial = length % kResultRecordSize != 0;
  // The table holds one row per log of a run, and a run takes at most
  // 32,767 logs: a longer file is no results file (a file chosen by mistake,
  // gigabytes long), and reading it would fill the memory with garbage rows.
  if (count > kMaxCount16) {
    read.outcome = FileOutcome::Failure(
        QString::fromUtf8(kNotResultsFile).arg(log_name).arg(kMaxCount16 + 1));
    return read;
  }
  if (count > 0) {
    progress.SetLabel(0, QStringLiteral("READ LOG DATA"));
    progress.SetMaximum(count);
  }
  ResultTable rows;
  rows.reserve(count);
  for (qint64 i = 0; i < count; ++i) {
    const QByteArray record = file.read(kResultRecordSize);
    // Only the last record may come short; anything less means the file
    // changed or could not be read while we were at it.
    const qint64 expected = std::min<qint64>(kResultRecordSize, length - i * kResultRecordSize);
    if (record.size() != expected) {
      const QString error = file.error() != QFileDevice::NoError
                                ? file.errorString()
                                : QString::fromUtf8(kNotResultsFile).arg(log_name).arg(i + 1);
      read.outcome = FileOutcome::Failure(error);
      return read;
    }
    ResultRow row = DecodeResultRecord(record);
    if (!FiniteScores(row)) {
      read.outcome =
          FileOutcome::Failure(QString::fromUtf8(kNotResultsFile).arg(log_name).arg(i + 1));
      return read;
    }
    rows.append(std::move(row));
    progress.SetValue(i + 1);
    progress.Yield();
  }
  read.rows = std::move(rows);
  return read;
}

QString ResultFileName(QStringView typed) {
  const QStringView text = typed.trimmed();
  if (text.isEmpty()) return {};
  const qsizetype dot = text.indexOf(u'.');
  if (dot < 0) return text.toString() + u'.' + kResultFileExtension;
  return text.first(dot + 1).trimmed().toString() + kResultFileExtension;
}

}  // namespace tovek
