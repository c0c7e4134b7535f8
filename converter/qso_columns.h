// The ten columns of a Cabrillo QSO line and what feeds each of them.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

namespace tovek {

// In line order.
enum class QsoColumn {
  kFrequency,
  kMode,
  kDate,
  kTime,
  kMyCall,
  kSentRst,
  kSentNo,
  kHisCall,
  kRcvdRst,
  kRcvdNo,
};

inline constexpr int kQsoColumnCount = 10;
inline constexpr std::array<QsoColumn, kQsoColumnCount> kQsoColumns = {
    QsoColumn::kFrequency, QsoColumn::kMode,    QsoColumn::kDate,   QsoColumn::kTime,
    QsoColumn::kMyCall,    QsoColumn::kSentRst, QsoColumn::kSentNo, QsoColumn::kHisCall,
    QsoColumn::kRcvdRst,   QsoColumn::kRcvdNo};

constexpr int Index(QsoColumn column) { return static_cast<int>(column); }

// The caption the window shows for the column ("FREQENCY", "SEND NO", ...).
QString ColumnCaption(QsoColumn column);

// The column of a caption, compared without regard to letter case.
std::optional<QsoColumn> ColumnByCaption(const QString& caption);

// Whether the column may take a fixed text instead of a field.
bool OffersReplace(QsoColumn column);

// The text a column's replacement box holds before the user types anything.
QString ReplacementPreset(QsoColumn column);

// What feeds one column: a field of the records, a fixed text, or nothing yet.
struct ColumnSource {
  enum class Kind { kNone, kField, kReplace };
  Kind kind = Kind::kNone;
  QString field;  // the field name, for kField

  static ColumnSource Field(QString name) { return {Kind::kField, std::move(name)}; }
  static ColumnSource Replace() { return {Kind::kReplace, {}}; }

  friend bool operator==(const ColumnSource&, const ColumnSource&) = default;
};

using ColumnSources = std::array<ColumnSource, kQsoColumnCount>;

// The source each column gets after a read: the first field of these names,
// where record 1 has it. "SEND NO" and "RCVD NO" get none.
ColumnSources DefaultSources(const QStringList& field_names);

// Widths in characters of the six columns whose width the user sets.
struct QsoFieldWidths {
  std::int16_t my_call = 14;
  std::int16_t his_call = 14;
  std::int16_t sent_rst = 4;
  std::int16_t sent_no = 7;
  std::int16_t rcvd_rst = 4;
  std::int16_t rcvd_no = 3;

  friend bool operator==(const QsoFieldWidths&, const QsoFieldWidths&) = default;
};

// One adjustable width: its settings key, its column, its default, the
// largest width its spinner offers, and the blanks its value is padded with
// before it is cut to the width.
struct WidthSpec {
  const char* key;
  QsoColumn column;
  std::int16_t default_width;
  std::int16_t max_width;
  int padding;
};

// In the order of the settings file.
inline constexpr std::array<WidthSpec, 6> kWidthSpecs = {{
    {"MyCallLen", QsoColumn::kMyCall, 14, 20, 20},
    {"UrCallLen", QsoColumn::kHisCall, 14, 20, 20},
    {"SrstLen", QsoColumn::kSentRst, 4, 7, 7},
    {"SNoLen", QsoColumn::kSentNo, 7, 10, 10},
    {"RrstLen", QsoColumn::kRcvdRst, 4, 7, 7},
    {"RNoLen", QsoColumn::kRcvdNo, 3, 10, 10},
}};

// The width rule of a column with an adjustable width, or nothing.
const WidthSpec* WidthSpecOf(QsoColumn column);
const WidthSpec* WidthSpecByKey(const QString& key);

// The width of a column with an adjustable width; nullptr for the others.
std::int16_t* WidthField(QsoFieldWidths& widths, QsoColumn column);
const std::int16_t* WidthField(const QsoFieldWidths& widths, QsoColumn column);

// Brings every width into its spinner's range (a hand-edited settings file
// may hold anything).
void ClampWidths(QsoFieldWidths& widths);

// Text as it stands in a box that enters typed letters a to z as capitals.
QString TypedUpperCase(QString text);

}  // namespace tovek
