// Messages that more than one of Kavrel's windows show.
#pragma once

namespace tovek::ui {

inline constexpr const char* kAskLogFolder = "ログフォルダーを指定してください";
// %1: the settings file, %2: the platform's description of the error.
inline constexpr const char* kSettingsNotSaved = "設定ファイル %1 を保存できませんでした。\n%2";

}  // namespace tovek::ui
