#include "calculator/tessdal_settings.h"

#include <QDir>

namespace tovek {

std::vector<SettingKey> TessdalSettingKeys(TessdalSettings& s) {
  std::vector<SettingKey> keys = {
      {"frmLeft", &s.frm_left, {}},
      {"frmTop", &s.frm_top, {}},
      {"frmHeight", &s.frm_height, {}},
      {"frmWidth", &s.frm_width, {}},
  };
  for (int column = 0; column < kResultColumnCount; ++column) {
    keys.push_back({QStringLiteral("GridWidth%1").arg(column), &s.grid_widths[column], {}});
  }
  keys.push_back({"LogFolder", &s.log_folder, {}});
  return keys;
}

SettingsFile TessdalSettingsFile(const QString& program_folder, TessdalSettings& settings) {
  return SettingsFile(QDir(program_folder).filePath(QString::fromLatin1(kTessdalSettingsFileName)),
                      TessdalSettingKeys(settings), DefaultsRule::kAsRead);
}

}  // namespace tovek
