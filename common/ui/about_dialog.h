// The version box (frmAbout): the program's title and version, a credit
// line and an icon. It has no result.
#pragma once

#include <QDialog>

#include "common/ui/program_info.h"

namespace tovek::ui {

class AboutDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(const ProgramInfo& info, QWidget* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tovek::ui
