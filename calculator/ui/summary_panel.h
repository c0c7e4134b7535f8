// The panel across the top of Tessdal's main window: one log's summary, the
// log being scored during a run or the row last clicked in the grid.
#pragma once

#include <QWidget>
#include <array>

#include "calculator/log_reader.h"
#include "calculator/result_table.h"

class QGridLayout;
class QLabel;

namespace tovek::ui {

class SummaryPanel final : public QWidget {
  Q_OBJECT

 public:
  // The 19 values, in the order of their captions.
  enum Field {
    kCallSign,
    kCategory,
    kClaimedScore,
    kScore,
    kContinent,
    kEntity,
    kName,
    kOperators,
    kClub,
    kAddress,
    kCreatedBy,
    kSoapbox,
    kQsoLines,
    kValid,
    kDupes,
    kPoints,
    kMult1,
    kMult2,
    kTotalMult,
    kFieldCount
  };

  explicit SummaryPanel(QWidget* parent = nullptr);

  QString Value(Field field) const;
  QString Caption(Field field) const;

  // The header values of the log as read.
  void ShowSummary(const CabrilloSummary& summary);
  // The calculated score and totals of a log just scored.
  void ShowCounts(const ResultRow& row, const LogScore& score);
  // Every value of a result row.
  void ShowRow(const ResultRow& row);
  void Clear();

 private:
  void Set(Field field, const QString& text);

  std::array<QLabel*, kFieldCount> captions_{};
  std::array<QLabel*, kFieldCount> values_{};
};

}  // namespace tovek::ui
