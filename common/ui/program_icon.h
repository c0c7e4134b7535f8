// Each program's icon, built into the program, and what ties its windows to
// its menu entry on the desktop.
#pragma once

#include <QIcon>

#include "common/ui/program_info.h"

class QGuiApplication;

namespace tovek::ui {

// The program's icon in every size it is drawn at; null for an unknown name.
QIcon ProgramIcon(const ProgramInfo& info);

// The name of the program's desktop entry, without ".desktop".
QString DesktopEntryName(const ProgramInfo& info);

// Gives every window of the program its icon and names the desktop entry the
// windows belong to, so the desktop shows them under the menu entry's icon.
void SetProgramIdentity(QGuiApplication& application, const ProgramInfo& info);

}  // namespace tovek::ui
