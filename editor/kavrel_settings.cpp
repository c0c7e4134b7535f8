#include "editor/kavrel_settings.h"

#include <QDir>

namespace tovek {
namespace {

template <typename Int, size_t N>
void AddNumbered(std::vector<SettingKey>& keys, const QString& name_format,
                 std::array<Int, N>& values, const std::array<const char*, N>& defaults,
                 int first_number = 0) {
  for (size_t i = 0; i < N; ++i) {
    keys.push_back({name_format.arg(first_number + static_cast<int>(i)), &values[i],
                    QString::fromLatin1(defaults[i])});
  }
}

template <size_t N>
void AddBands(std::vector<SettingKey>& keys, const char* prefix, std::array<std::int16_t, N>& values,
              const std::array<const char*, N>& bands, const std::array<const char*, N>& defaults) {
  for (size_t i = 0; i < N; ++i) {
    keys.push_back({QString::fromLatin1(prefix) + QString::fromLatin1(bands[i]), &values[i],
                    QString::fromLatin1(defaults[i])});
  }
}

}  // namespace

std::vector<SettingKey> KavrelSettingKeys(KavrelSettings& s, const QDate& today) {
  std::vector<SettingKey> keys = {
      {"frmLeft", &s.frm_left, {}},
      {"frmTop", &s.frm_top, {}},
      {"frmHeight", &s.frm_height, {}},
      {"frmWidth", &s.frm_width, {}},
      {"KavrelLeft", &s.summary_left, {}},
      {"KavrelTop", &s.summary_top, {}},
      {"KavrelHeight", &s.summary_height, "7000"},
      {"KavrelWidth", &s.summary_width, "11500"},
      {"CabRLeft", &s.layout_reader_left, {}},
      {"CabRTop", &s.layout_reader_top, {}},
  };
  AddNumbered(keys, QStringLiteral("GridWidth%1"), s.grid_widths,
              {"795", "945", "795", "1830", "1020", "1785", "660", "810", "1785", "660", "810"});
  const std::vector<SettingKey> middle = {
      {"EditPos", &s.edit_pos, {}},
      {"EditLen", &s.edit_len, {}},
      {"TimePos", &s.time_pos, {}},
      {"BandPos", &s.band_pos, {}},
      {"DelPos", &s.del_pos, {}},
      {"FontName", &s.font_name, QStringLiteral("ＭＳ ゴシック")},
      {"FontSize", &s.font_size, "14"},
      {"FontBold", &s.font_bold, {}},
      {"FontItalic", &s.font_italic, {}},
      {"LogFolder", &s.log_folder, {}},
      {"StartDate", &s.start_date, today.toString(QStringLiteral("yyyy/MM/dd"))},
      {"CabBandPos", &s.layout.band_pos, "6"},
      {"CabModePos", &s.layout.mode_pos, "12"},
      {"CabDatePos", &s.layout.date_pos, "15"},
      {"CabMCallPos", &s.layout.my_call_pos, "31"},
      {"CabSrstPos", &s.layout.sent_rst_pos, "45"},
      {"CabSRptPos", &s.layout.sent_rpt_pos, "49"},
      {"CabHCallPos", &s.layout.his_call_pos, "56"},
      {"CabRrstPos", &s.layout.rcvd_rst_pos, "70"},
      {"CabRRptPos", &s.layout.rcvd_rpt_pos, "74"},
      {"CabMCallLen", &s.layout.my_call_len, "12"},
      {"CabHCallLen", &s.layout.his_call_len, "12"},
      {"CabRptlen", &s.layout.rpt_len, "2"},
  };
  keys.insert(keys.end(), middle.begin(), middle.end());
  const std::array<const char*, 5> bands = {"80", "40", "20", "15", "10"};
  AddBands(keys, "Hlimit", s.limits.high, bands, {"4000", "7300", "14350", "21450", "29700"});
  AddBands(keys, "Llimit", s.limits.low, bands, {"3500", "7000", "14000", "21000", "28000"});
  AddNumbered(keys, QStringLiteral("JaHlimit80_%1"), s.limits.ja_high80,
              {"3580", "3612", "3687", "3716", "3770", "3805"}, 1);
  AddNumbered(keys, QStringLiteral("JaLlimit80_%1"), s.limits.ja_low80,
              {"3530", "3599", "3662", "3702", "3745", "3791"}, 1);
  const std::array<const char*, 4> ja_bands = {"40", "20", "15", "10"};
  AddBands(keys, "JaHlimit", s.limits.ja_high, ja_bands, {"7200", "14350", "21450", "29700"});
  AddBands(keys, "JaLlimit", s.limits.ja_low, ja_bands, {"7030", "14070", "21070", "28070"});
  return keys;
}

SettingsFile KavrelSettingsFile(const QString& program_folder, KavrelSettings& settings,
                                const QDate& today) {
  return SettingsFile(QDir(program_folder).filePath(QString::fromLatin1(kKavrelSettingsFileName)),
                      KavrelSettingKeys(settings, today), DefaultsRule::kApplyDefaults);
}

}  // namespace tovek
