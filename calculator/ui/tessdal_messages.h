// Messages of Tessdal's windows that are not quoted captions of one dialog.
#pragma once

namespace tovek::ui {

// %1: the settings file, %2: the platform's description of the error.
inline constexpr const char* kTessdalSettingsNotSaved =
    "設定ファイル %1 を保存できませんでした。\n%2";
// %1: the log file. The QSO count of a log is 16-bit.
inline constexpr const char* kTooManyQsoLines =
    "%1\n交信データが 32767 行を超えています。32767 行目までを集計します。";
// %1: the folder, %2: the platform's description of the error.
inline constexpr const char* kFolderNotCreated = "フォルダー %1 を作成できませんでした。\n%2";

// %1: the rules file, %2: the platform's description of the error.
inline constexpr const char* kRulesNotCreated =
    "相互チェックのルールファイル %1 を作成できませんでした。既定のルールでチェックします。\n%2";
// %1: the master call list, %2: why it could not be read.
inline constexpr const char* kKnownCallsUnread =
    "コールサインリスト %1 を読めませんでした。リストなしでチェックします。\n%2";

// %1: the folder chosen for the web site.
inline constexpr const char* kSiteFolderNotEmpty =
    "フォルダ %1 は空ではありません。上書きしますか？";
inline constexpr const char* kPublishTitle = "Web公開";
// Asked when a cross-check is open in its window.
inline constexpr const char* kPublishCrossCheck =
    "相互チェックの画面に表示中の結果も、各局のページに載せますか？";
// %1: the site's index.html.
inline constexpr const char* kSitePublished = "Web公開が完了しました。\n%1";

}  // namespace tovek::ui
