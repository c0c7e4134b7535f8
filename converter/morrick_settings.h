// Morrick's settings and their file, Morrick.ini in the program folder.
#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "common/settings_file.h"
#include "converter/qso_columns.h"
#include "converter/station_header.h"

namespace tovek {

struct MorrickSettings {
  // Main window position in twips, present when the file held it.
  std::optional<float> me_left, me_top;
  QString adif_folder;
  QString cabrillo_folder;
  QString font_name;
  // The last texts of the six header choices (CONTEST to CATEGORY-STATION).
  std::array<QString, kHeaderChoiceCount> header_choices;
  QsoFieldWidths widths{0, 0, 0, 0, 0, 0};
};

inline constexpr const char* kMorrickSettingsFileName = "Morrick.ini";

// The seventeen keys in written order, bound to `settings`.
std::vector<SettingKey> MorrickSettingKeys(MorrickSettings& settings);

SettingsFile MorrickSettingsFile(const QString& path, MorrickSettings& settings);

// Loads the file at `path` into `settings`: defaults for what is missing or
// 0, widths brought into their spinners' ranges.
SettingsLoadStatus LoadMorrickSettings(const QString& path, MorrickSettings& settings);

}  // namespace tovek
