#include "editor/ui/dialogs/column_dialogs.h"

#include <QLineEdit>

#include "editor/ui/dialogs/up_down_spinner.h"

namespace tovek::ui {
namespace {

const QString kStartCaption = QStringLiteral("開始位置");
const QString kLengthCaption = QStringLiteral("データ長");
constexpr int kShortPreview = 14;
constexpr int kLongPreview = 25;
constexpr int kLongestDelete = 13;
constexpr int kFirstDeleteLength = 2;
constexpr int kWidestSlot = 15;
constexpr int kFirstSlotWidth = 3;
constexpr int kFirstTimeColumn = 17;
constexpr int kFirstBandColumn = 6;

SpinnerStart HalfwayStart(const QString& sample, int remembered) {
  return StartColumnSpinner(sample, remembered, HalfLength(sample));
}

std::int16_t Stored(int value) { return static_cast<std::int16_t>(value); }

}  // namespace

ChrInputDialog::ChrInputDialog(const QString& sample_row, const ColumnEditMemory& memory,
                               QWidget* parent)
    : ColumnDialog({QStringLiteral("frmChrInPut"), QStringLiteral("文字の挿入"),
                    QStringLiteral("挿入位置"), kShortPreview},
                   sample_row, HalfwayStart(sample_row, memory.cpos), parent),
      text_(AddTextBox(QStringLiteral("挿入文字"), memory.change_chr)) {}

ColumnText ChrInputDialog::Values() const { return {StartColumn(), text_->text()}; }

ChrReplaceDialog::ChrReplaceDialog(const QString& sample_row, const ColumnEditMemory& memory,
                                   QWidget* parent)
    : ColumnDialog({QStringLiteral("frmChrReplace"), QStringLiteral("文字の置換え"), kStartCaption,
                    kShortPreview},
                   sample_row, HalfwayStart(sample_row, memory.cpos), parent),
      text_(AddTextBox(QStringLiteral("置換え文字"), memory.change_chr)) {}

ColumnText ChrReplaceDialog::Values() const { return {StartColumn(), text_->text()}; }

ChrDelDialog::ChrDelDialog(const QString& sample_row, const ColumnEditMemory& memory,
                           const KavrelSettings& settings, QWidget* parent)
    : ColumnDialog(
          {QStringLiteral("frmChrDel"), QStringLiteral("文字の削除"), kStartCaption, kShortPreview},
          sample_row, HalfwayStart(sample_row, settings.del_pos), parent),
      length_(AddLengthSpinner(
          kLengthCaption,
          tovek::LengthSpinner(memory.del_len, kFirstDeleteLength, kLongestDelete))) {}

ColumnSpan ChrDelDialog::Values() const { return {StartColumn(), length_->Value()}; }

Time4Dialog::Time4Dialog(const QString& sample_row, const KavrelSettings& settings, QWidget* parent)
    : ColumnDialog({QStringLiteral("frmTime4"), QStringLiteral("時間を４桁に変更"), kStartCaption,
                    kShortPreview},
                   sample_row, StartColumnSpinner(sample_row, settings.time_pos, kFirstTimeColumn),
                   parent) {}

BandDialog::BandDialog(const QString& sample_row, const KavrelSettings& settings, QWidget* parent)
    : ColumnDialog({QStringLiteral("frmBand"), QStringLiteral("バンドデータの右揃え"),
                    kStartCaption, kShortPreview},
                   sample_row, StartColumnSpinner(sample_row, settings.band_pos, kFirstBandColumn),
                   parent) {}

EditSetDialog::EditSetDialog(const QString& sample_row, const KavrelSettings& settings,
                             QWidget* parent)
    : ColumnDialog(
          {QStringLiteral("frmEditSet"), QStringLiteral("桁の整列"), kStartCaption, kLongPreview},
          sample_row, HalfwayStart(sample_row, settings.edit_pos), parent),
      width_(AddLengthSpinner(
          kLengthCaption, tovek::LengthSpinner(settings.edit_len, kFirstSlotWidth, kWidestSlot))) {}

ColumnSpan EditSetDialog::Values() const { return {StartColumn(), width_->Value()}; }

std::optional<ColumnText> AskInputText(QWidget* parent, const QString& sample_row,
                                       ColumnEditMemory& memory) {
  ChrInputDialog dialog(sample_row, memory, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const ColumnText values = dialog.Values();
  memory.cpos = Stored(values.column);
  memory.change_chr = values.text;
  return values;
}

std::optional<ColumnText> AskChangeText(QWidget* parent, const QString& sample_row,
                                        ColumnEditMemory& memory) {
  ChrReplaceDialog dialog(sample_row, memory, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const ColumnText values = dialog.Values();
  memory.cpos = Stored(values.column);
  memory.change_chr = values.text;
  return values;
}

std::optional<ColumnSpan> AskDataDel(QWidget* parent, const QString& sample_row,
                                     ColumnEditMemory& memory, KavrelSettings& settings) {
  ChrDelDialog dialog(sample_row, memory, settings, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const ColumnSpan values = dialog.Values();
  settings.del_pos = Stored(values.column);
  memory.del_len = Stored(values.length);
  return values;
}

std::optional<int> AskTime4Col(QWidget* parent, const QString& sample_row,
                               KavrelSettings& settings) {
  Time4Dialog dialog(sample_row, settings, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  settings.time_pos = Stored(dialog.StartColumn());
  return dialog.StartColumn();
}

std::optional<int> AskBandRight(QWidget* parent, const QString& sample_row,
                                KavrelSettings& settings) {
  BandDialog dialog(sample_row, settings, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  settings.band_pos = Stored(dialog.StartColumn());
  return dialog.StartColumn();
}

std::optional<ColumnSpan> AskDataCalSet(QWidget* parent, const QString& sample_row,
                                        KavrelSettings& settings) {
  EditSetDialog dialog(sample_row, settings, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const ColumnSpan values = dialog.Values();
  settings.edit_pos = Stored(values.column);
  settings.edit_len = Stored(values.length);
  return values;
}

}  // namespace tovek::ui
