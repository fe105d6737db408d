#include "core/text/MessagesSettings.h"

#include "core/text/Cp932.h"

namespace vemo::msg {

std::string SettingUnreadable(std::string_view reason, std::string_view section, std::string_view key, int used) {
    return std::string(reason) + Jp("（設定ファイル [") + std::string(section) + "] " + std::string(key) +
           Jp("、既定値 ") + std::to_string(used) + Jp(" を使います）");
}

std::string SettingsOutOfRange(std::string_view changes) {
    return Jp("設定ファイル VEMO.ini に範囲外の値があったので、範囲内の値を使います（環境設定の OK "
              "で書き直されます）：") +
           std::string(changes);
}

std::string SettingHasLineBreak(std::string_view section, std::string_view key) {
    return Jp("設定値に改行は書けません: ") + std::string(section) + " " + std::string(key);
}

std::string SettingsMoved(std::string_view oldFolder, std::string_view settingsFolder, std::string_view dataFolder) {
    return Jp("設定ファイルとオートセーブファイルを ") + std::string(oldFolder) + Jp(" から ") +
           std::string(settingsFolder) + Jp(" と ") + std::string(dataFolder) + Jp(" へ移しました。");
}

std::string FolderEmpty(std::string_view caption) {
    return std::string(caption) + Jp(" が空です。データを置くフォルダを指定して下さい。");
}

std::string NotAFolder(std::string_view caption, std::string_view path) {
    return std::string(caption) + Jp("「") + std::string(path) + Jp("」はフォルダではありません。");
}

std::string FolderMissingCreateIt(std::string_view caption, std::string_view path) {
    return std::string(caption) + Jp("「") + std::string(path) + Jp("」がありません。\n作成しますか？");
}

std::string CannotCreateFolder(std::string_view caption, std::string_view path, std::string_view reason) {
    return std::string(caption) + Jp("「") + std::string(path) + Jp("」を作成できません：") + std::string(reason);
}

std::string FolderNameNotCp932(std::string_view caption) {
    return std::string(caption) + Jp(" の名前に、設定ファイル VEMO.ini（Shift-JIS）に書けない文字があります。"
                                     "その文字を含まないフォルダを選んで下さい");
}

std::string AssociationFailed(bool registering, std::string_view reason) {
    return Jp("ファイルの関連付けを") + Jp(registering ? "登録" : "解除") + Jp("できませんでした。\n") +
           std::string(reason);
}

std::string MimeToolMissing() {
    return Jp("xdg-mime を起動できません（パッケージ xdg-utils が必要です）");
}

std::string MimeToolFailed(std::string_view request, std::string_view detail) {
    return "xdg-mime " + std::string(request) + Jp(" が失敗しました") +
           (detail.empty() ? std::string() : Jp("：") + std::string(detail));
}

std::string MimeDefinitionNotWritten() {
    return Jp("MIME 定義を一時フォルダに書き込めません");
}

std::string MimeDefaultsNotRewritten() {
    return Jp("mimeapps.list を書き換えられません");
}

} // namespace vemo::msg
