// What the editor's domain tests share: readable rows in failure messages
// and a progress that writes down every call.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <ostream>

#include "common/progress.h"

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

}  // namespace tovek::testing
