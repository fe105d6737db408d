#pragma once

#include <string>
#include <string_view>

namespace vemo::msg {

// The messages of the settings: the settings file, the settings dialog's folders and the file
// associations.  CP932 like every message; names and paths passed in are CP932 already.

// A value of the settings file that does not read, taken as its default:
// "<reason>（設定ファイル [<section>] <key>、既定値 <n> を使います）".
std::string SettingUnreadable(std::string_view reason, std::string_view section, std::string_view key, int used);
// "設定ファイル VEMO.ini に範囲外の値があったので、範囲内の値を使います（環境設定の OK で書き直されます）："
// followed by `changes` (one "\n[section] key=old -> new" each).
std::string SettingsOutOfRange(std::string_view changes);
std::string SettingHasLineBreak(std::string_view section,
                                std::string_view key); // 設定値に改行は書けません: <section> <key>
// "設定ファイルとオートセーブファイルを <old> から <settings> と <data> へ移しました。"
std::string SettingsMoved(std::string_view oldFolder, std::string_view settingsFolder, std::string_view dataFolder);

// The folders of the settings dialog; `caption` names the field ("ﾃﾞｰﾀﾌｫﾙﾀﾞ", ...).
std::string FolderEmpty(std::string_view caption); // <caption> が空です。データを置くフォルダを指定して下さい。
std::string NotAFolder(std::string_view caption,
                       std::string_view path); // <caption>「<path>」はフォルダではありません。
// "<caption>「<path>」がありません。\n作成しますか？"
std::string FolderMissingCreateIt(std::string_view caption, std::string_view path);
// "<caption>「<path>」を作成できません：<reason>"
std::string CannotCreateFolder(std::string_view caption, std::string_view path, std::string_view reason);
// "<caption> の名前に、設定ファイル
// VEMO.ini（Shift-JIS）に書けない文字があります。その文字を含まないフォルダを選んで下さい"
std::string FolderNameNotCp932(std::string_view caption);

// File associations: "ファイルの関連付けを登録できませんでした。\n<reason>" (解除 when withdrawing).
std::string AssociationFailed(bool registering, std::string_view reason);
std::string MimeToolMissing(); // xdg-mime を起動できません（パッケージ xdg-utils が必要です）
// "xdg-mime <request> が失敗しました" with "：<detail>" when the tool said why.
std::string MimeToolFailed(std::string_view request, std::string_view detail);
std::string MimeDefinitionNotWritten(); // MIME 定義を一時フォルダに書き込めません
std::string MimeDefaultsNotRewritten(); // mimeapps.list を書き換えられません

} // namespace vemo::msg
