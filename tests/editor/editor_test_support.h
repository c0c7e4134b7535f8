// What the editor's domain tests share: readable rows in failure messages,
// a progress that writes down every call, and the table of a command that
// edits rows.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <functional>
#include <ostream>

#include "common/progress.h"
#include "editor/log_lines.h"
#include "editor/undo_lines.h"

inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace tovek::testing {

// Names the cases of a table after their `name` field.
struct ParamName {
  template <typename Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& param_info) const {
    return param_info.param.name;
  }
};

class RecordingProgress final : public Progress {
 public:
  void SetMaximum(qint64 maximum) override { calls.append(QStringLiteral("max %1").arg(maximum)); }
  void SetValue(qint64 value) override { calls.append(QStringLiteral("value %1").arg(value)); }
  void SetLabel(int label, const QString& text) override {
    calls.append(QStringLiteral("label %1 %2").arg(label).arg(text));
  }
  void Yield() override { calls.append(QStringLiteral("yield")); }

  QStringList calls;
};

// One case of a command that changes rows: what it is given, what it leaves.
struct RowsEditCase {
  using Command = std::function<void(LogLines&, UndoLines&, Progress&)>;
  const char* name;
  Command command;
  LogLines rows;
  LogLines expected;

  friend void PrintTo(const RowsEditCase& c, std::ostream* out) { *out << c.name; }
};

// Every such command edits the rows after taking the undo snapshot of them.
inline void ExpectEditAfterSnapshot(const RowsEditCase& edit) {
  LogLines rows = edit.rows;
  UndoLines undo;
  NoProgress progress;
  edit.command(rows, undo, progress);
  EXPECT_EQ(rows, edit.expected);
  EXPECT_EQ(undo.Rows(), edit.rows);
  EXPECT_EQ(undo.Availability(), (UndoAvailability{true, true}));
}

}  // namespace tovek::testing
