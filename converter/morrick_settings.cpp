#include "converter/morrick_settings.h"

namespace tovek {

std::vector<SettingKey> MorrickSettingKeys(MorrickSettings& s) {
  std::vector<SettingKey> keys = {
      {"MeLeft", &s.me_left, {}},
      {"MeTop", &s.me_top, {}},
      {"AdiLogFolder", &s.adif_folder, {}},
      {"CbrLogFolder", &s.cabrillo_folder, {}},
      {"AdiFontName", &s.font_name, QStringLiteral("ＭＳ 明朝")},
      {"Contest", &s.header_choices[0], {}},
      {"CateOpe", &s.header_choices[1], {}},
      {"CateBand", &s.header_choices[2], {}},
      {"CateMode", &s.header_choices[3], {}},
      {"CatePower", &s.header_choices[4], {}},
      {"CateStation", &s.header_choices[5], {}},
  };
  for (const WidthSpec& width_spec : kWidthSpecs) {
    keys.push_back({QLatin1String(width_spec.key), WidthField(s.widths, width_spec.column),
                    QString::number(width_spec.default_width)});
  }
  return keys;
}

SettingsFile MorrickSettingsFile(const QString& path, MorrickSettings& settings) {
  return SettingsFile(path, MorrickSettingKeys(settings), DefaultsRule::kApplyDefaults);
}

SettingsLoadStatus LoadMorrickSettings(const QString& path, MorrickSettings& settings) {
  const SettingsLoadStatus status = MorrickSettingsFile(path, settings).Load();
  ClampWidths(settings.widths);
  return status;
}

}  // namespace tovek
