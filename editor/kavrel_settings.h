// Kavrel's settings and their file, Kavrel.ini in the program folder.
#pragma once

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/settings_file.h"

namespace tovek {

// Upper and lower band limits in kHz of the plan for stations abroad, and of
// the domestic plan (six 80 m segments, then 40, 20, 15 and 10 m).
struct BandPlans {
  std::array<std::int16_t, 5> high{};  // 80, 40, 20, 15, 10 m
  std::array<std::int16_t, 5> low{};
  std::array<std::int16_t, 6> ja_high80{};
  std::array<std::int16_t, 6> ja_low80{};
  std::array<std::int16_t, 4> ja_high{};  // 40, 20, 15, 10 m
  std::array<std::int16_t, 4> ja_low{};
};

// The default columns of a QSO row's fields for the field layout reader.
struct FieldLayout {
  std::int16_t band_pos = 0;
  std::int16_t mode_pos = 0;
  std::int16_t date_pos = 0;
  std::int16_t my_call_pos = 0;
  std::int16_t sent_rst_pos = 0;
  std::int16_t sent_rpt_pos = 0;
  std::int16_t his_call_pos = 0;
  std::int16_t rcvd_rst_pos = 0;
  std::int16_t rcvd_rpt_pos = 0;
  std::int16_t my_call_len = 0;
  std::int16_t his_call_len = 0;
  std::int16_t rpt_len = 0;
};

struct KavrelSettings {
  // Main window placement in twips, present when the file held it.
  std::optional<float> frm_left, frm_top, frm_height, frm_width;
  // Summary window and field layout reader placement, twips.
  std::int32_t summary_left = 0, summary_top = 0, summary_height = 0, summary_width = 0;
  std::int32_t layout_reader_left = 0, layout_reader_top = 0;
  std::array<std::int32_t, 11> grid_widths{};
  // Columns remembered by the edit dialogs; 0 lets a dialog use its own.
  std::int16_t edit_pos = 0, edit_len = 0, time_pos = 0, band_pos = 0, del_pos = 0;
  QString font_name;
  std::int16_t font_size = 0;
  bool font_bold = false;
  bool font_italic = false;
  QString log_folder;
  QString start_date;  // "yyyy/mm/dd"
  FieldLayout layout;
  BandPlans limits;
};

inline constexpr const char* kKavrelSettingsFileName = "Kavrel.ini";

// The key table of Kavrel.ini in written order, bound to `settings`. The
// start date defaults to `today`.
std::vector<SettingKey> KavrelSettingKeys(KavrelSettings& settings, const QDate& today);

// Kavrel.ini in `program_folder`, bound to `settings`.
SettingsFile KavrelSettingsFile(const QString& program_folder, KavrelSettings& settings,
                                const QDate& today = QDate::currentDate());

}  // namespace tovek
