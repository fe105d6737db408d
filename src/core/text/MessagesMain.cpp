#include "core/text/MessagesMain.h"

#include "core/text/Cp932.h"

namespace vemo::msg {

std::string AlreadyRunning() {
    return Jp("Vemoは既に起動しています");
}

std::string UnexpectedError() {
    return Jp("予期しないエラーが発生しました");
}

std::string InternalError(std::string_view detail) {
    return Jp("内部エラーが発生しました（") + std::string(detail) + Jp("）");
}

std::string NotShiftJis() {
    return Jp("Shift-JISで表せない文字が含まれています");
}

std::string UnsavedChanges() {
    return Jp("未保存の変更あり");
}

std::string SelectRowWithXY() {
    return Jp("X と Y のある点の行を選んでください");
}

std::string CannotStartProgram(std::string_view program) {
    return Jp("プログラム「") + std::string(program) +
           Jp("」を起動できません。\n環境設定の「実行ファイル」ページでパスを確かめて下さい。");
}

std::string CannotFinishPrinting() {
    return Jp("印刷を終了できません");
}

std::string NoHelpPageFound() {
    return Jp("見つかりませんでした");
}

} // namespace vemo::msg
