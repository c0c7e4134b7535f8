// frmChkSet, "ログチェックの設定": the contest start date and the two band
// plans the data check holds QSOs to. Modal; OK writes into the settings,
// which Kavrel.ini receives when Kavrel closes.
#pragma once

#include <QDate>
#include <QDialog>
#include <vector>

#include "editor/check_settings.h"
#include "editor/kavrel_settings.h"

class QLabel;
class QLineEdit;

namespace tovek::ui {

class MessageBoxes;

// Controls, by objectName: "lblStartDate" (the date), "UpDown1" to
// "UpDown3" (year, month, day; each holds "cmdUp" and "cmdDown"), one box
// per limit named after its key ("Llimit80", "JaHlimit80_1" ...), "cmdOK"
// ("O K"), "cmdCancel" ("ｷｬﾝｾﾙ").
class CheckSettingsDialog final : public QDialog {
  Q_OBJECT

 public:
  // `today` is where the date buttons start when the stored date is none.
  CheckSettingsDialog(KavrelSettings& settings, MessageBoxes& boxes, const QDate& today,
                      QWidget* parent = nullptr);

  QString ShownDate() const;
  QLineEdit* LimitEdit(const QString& key) const;

  // "O K": stores the date and every limit and closes, or, when a box holds
  // no 16-bit value, says which and stays open with nothing changed.
  void accept() override;

 private:
  QWidget* BuildDateFrame();
  QWidget* BuildPlanFrame(BandPlan plan);
  void StepDate(DateUnit unit, int steps);

  KavrelSettings& settings_;
  MessageBoxes& boxes_;
  QDate today_;
  QLabel* date_ = nullptr;
  std::vector<QLineEdit*> limit_boxes_;  // in LimitBoxes() order
};

}  // namespace tovek::ui
