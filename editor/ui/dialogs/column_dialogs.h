// The six column dialogs. Each opens on the sample row (the log's first QSO
// row, FirstQsoRow) and the values remembered from its last "OK"; "OK"
// gives what to apply, "ｷｬﾝｾﾙ" gives nothing and changes nothing.
//
// The Ask functions run a dialog modally. On "OK" they store the values the
// dialog remembers (in `memory` or `settings`) and return what the matching
// command of editor/column_edits.h or editor/repair_commands.h takes; the
// caller then runs that command, which takes the undo snapshot itself.
#pragma once

#include <QString>
#include <optional>

#include "editor/column_edits.h"
#include "editor/kavrel_settings.h"
#include "editor/ui/dialogs/column_dialog.h"

class QLineEdit;

namespace tovek::ui {

// A start column and the text to insert or overwrite there.
struct ColumnText {
  int column = 1;
  QString text;

  friend bool operator==(const ColumnText&, const ColumnText&) = default;
};

// A start column and a length (delete) or width (alignment).
struct ColumnSpan {
  int column = 1;
  int length = 1;

  friend bool operator==(const ColumnSpan&, const ColumnSpan&) = default;
};

// frmChrInPut, "文字の挿入": column (Cpos, or half the sample) and text.
class ChrInputDialog final : public ColumnDialog {
  Q_OBJECT
 public:
  ChrInputDialog(const QString& sample_row, const ColumnEditMemory& memory,
                 QWidget* parent = nullptr);
  ColumnText Values() const;

 private:
  QLineEdit* text_;
};

// frmChrReplace, "文字の置換え": column (Cpos, or half the sample) and text.
class ChrReplaceDialog final : public ColumnDialog {
  Q_OBJECT
 public:
  ChrReplaceDialog(const QString& sample_row, const ColumnEditMemory& memory,
                   QWidget* parent = nullptr);
  ColumnText Values() const;

 private:
  QLineEdit* text_;
};

// frmChrDel, "文字の削除": column (DelPos, or half the sample) and length
// (DelLen, or 2; at most 13).
class ChrDelDialog final : public ColumnDialog {
  Q_OBJECT
 public:
  ChrDelDialog(const QString& sample_row, const ColumnEditMemory& memory,
               const KavrelSettings& settings, QWidget* parent = nullptr);
  ColumnSpan Values() const;
  UpDownSpinner* LengthSpinner() const { return length_; }

 private:
  UpDownSpinner* length_;
};

// frmTime4, "時間を４桁に変更": column (TimePos, or 17).
class Time4Dialog final : public ColumnDialog {
  Q_OBJECT
 public:
  Time4Dialog(const QString& sample_row, const KavrelSettings& settings, QWidget* parent = nullptr);
};

// frmBand, "バンドデータの右揃え": column (BandPos, or 6).
class BandDialog final : public ColumnDialog {
  Q_OBJECT
 public:
  BandDialog(const QString& sample_row, const KavrelSettings& settings, QWidget* parent = nullptr);
};

// frmEditSet, "桁の整列": column (EditPos, or half the sample), preview of 25
// characters, and width (EditLen, or 3; at most 15).
class EditSetDialog final : public ColumnDialog {
  Q_OBJECT
 public:
  EditSetDialog(const QString& sample_row, const KavrelSettings& settings,
                QWidget* parent = nullptr);
  ColumnSpan Values() const;
  UpDownSpinner* WidthSpinner() const { return width_; }

 private:
  UpDownSpinner* width_;
};

// "OK" stores Cpos and ChangeChr; then InputText(column, text).
std::optional<ColumnText> AskInputText(QWidget* parent, const QString& sample_row,
                                       ColumnEditMemory& memory);
// "OK" stores Cpos and ChangeChr; then ChangeText(column, text).
std::optional<ColumnText> AskChangeText(QWidget* parent, const QString& sample_row,
                                        ColumnEditMemory& memory);
// "OK" stores DelPos and DelLen; then DataDel(column, length).
std::optional<ColumnSpan> AskDataDel(QWidget* parent, const QString& sample_row,
                                     ColumnEditMemory& memory, KavrelSettings& settings);
// "OK" stores TimePos; then Time4Col(column).
std::optional<int> AskTime4Col(QWidget* parent, const QString& sample_row,
                               KavrelSettings& settings);
// "OK" stores BandPos; then BandRight(column).
std::optional<int> AskBandRight(QWidget* parent, const QString& sample_row,
                                KavrelSettings& settings);
// "OK" stores EditPos and EditLen; then DataCalSet(column, width).
std::optional<ColumnSpan> AskDataCalSet(QWidget* parent, const QString& sample_row,
                                        KavrelSettings& settings);

}  // namespace tovek::ui
