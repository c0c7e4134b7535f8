// Tessdal's settings and their file, Tessdal.ini in the program folder.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/settings_file.h"

namespace tovek {

inline constexpr int kResultColumnCount = 20;

struct TessdalSettings {
  // Main window placement in twips, present when the file held it.
  std::optional<float> frm_left, frm_top, frm_height, frm_width;
  // Results grid column widths in twips. Tessdal has no defaults step: the
  // window puts its own widths here before loading, and a key the file lacks
  // leaves them as they are (a stored 0 hides its column).
  std::array<std::int32_t, kResultColumnCount> grid_widths{};
  QString log_folder;
};

inline constexpr const char* kTessdalSettingsFileName = "Tessdal.ini";

// The key table of Tessdal.ini in written order, bound to `settings`.
std::vector<SettingKey> TessdalSettingKeys(TessdalSettings& settings);

// Tessdal.ini in `program_folder`, bound to `settings`; values apply as read.
SettingsFile TessdalSettingsFile(const QString& program_folder, TessdalSettings& settings);

}  // namespace tovek
