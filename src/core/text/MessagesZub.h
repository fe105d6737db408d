#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vemo::msg {

// Messages of the field book (ZUB) files and of the serial line, CP932.

// Reading and writing a field book.
std::string ZubFileLine(std::size_t line, std::string_view what); // ZUBファイルの <n> 行目: <what>
std::string ZubSeparatorsUnreadable(); // レコードの区切り（項目ごとのカンマとチェック文字）が読めません
std::string ZubLetterMissing(); // 先頭の項目がレコードの種類（英字 1 文字）ではありません
std::string ZubTooManyFields(); // レコードの項目が多すぎます
std::string ZubFieldsBeyond(char letter, int limit); // <letter> レコードの項目が <limit> 個を超えています
std::string ZubNoStartBlock();      // ZUBファイルの 1 行目がスタート・ブロック(A)ではありません
std::string ZubFieldHasLineBreak(); // 項目に改行が含まれているため、この記録は書けません
std::string ZubCheckIsLineBreak(); // チェック文字が改行になるため、この記録は書けません（…）
std::string ZubWrongChecks(int lines); // チェック文字が合わない行が <n> 行あります
std::string ZubNoEndBlock();           // エンド・ブロック(Z)で終わっていません

// The transfer of a field book into the traverse table: notes of what it left out.
std::string ZubNote(int zubRow, std::string_view what); // ZUBの <n> 行目: <what>
std::string ZubObservationBeforeSetup(); // 器械点（D レコード）より前の観測なので取り込みません
std::string ZubObservationNotNumeric(); // 角度・距離・高さに数でない項目があるので取り込みません
std::string ZubRecordNotObservation(std::string_view letter); // <letter> レコードは観測でないので取り込みません
// 正観測は <limit> 行まで取り込みます: 残りの <n> 件は取り込みません
std::string ZubObservationsBeyond(int limit, int left);
// "器械点 <name> の座標が…" / "後視点 <name> の座標が座標リストにもそれより前の観測にもありません".
std::string ZubSetupPointUnknown(bool instrument, std::string_view name);

// Sending over the serial line.
std::string ZubPointsNotInList();    // 座標リストにない点は送りませんでした:
std::string ZubPointsUnsendable();   // チェック文字が改行になる点は送れません:
std::string ZubSent(bool succeeded); // 送信完了！ / 送信失敗！
// "送信中 <index> / <count> 行: <what>", with "（<n> 回目）" from the second attempt on.
std::string ZubSending(int index, int count, std::string_view what, int attempt);

// What a status line names of a record: "点 <name>", "始めのレコード", "終わりのレコード", "レコード",
// "観測 <target>", "器械点 <station>", "<letter> レコード".
std::string ZubPointWord(std::string_view name);
std::string ZubStartRecordWord();
std::string ZubEndRecordWord();
std::string ZubRecordWord();
std::string ZubObservationWord(std::string_view target);
std::string ZubStationWord(std::string_view station);
std::string ZubLetterRecordWord(std::string_view letter);

// Receiving over the serial line.
std::string ZubLineRefused();   // 乱れた行を受け付けず、送り直しを求めました
std::string ZubEndReceived();   // 終わりのレコードを受信しました
std::string ZubStartReceived(); // 始めのレコードを受信しました
std::string ZubPointReceived(int stored, std::string_view name); // <n> 点目 <name> を受信しました
std::string ZubLineReceived(int stored, std::string_view what);  // <n> 行目を受信しました: <what>
// The closing report: "受信完了" / "受信を中止しました", then a line each for what was stored, refused
// and flagged.
std::string ZubReceived(bool succeeded);
std::string ZubReceivedCount(bool points, int count); // 受信した点: <n> 点 / 受信した行: <n> 行
std::string ZubRefusedLines(int count);               // 乱れていて送り直しを求めた行: <n> 行
std::string ZubMoreLines(int count);                  // ほか <n> 行
// 前の行と同じ内容で届いた行: <n> 行（読み直しか送り直しかは区別できないので残した。…）
std::string ZubRepeatedLines(int count);
std::string ZubBookLineAt(int line, std::string_view text); // <n> 行目: <text>
std::string ZubRefusedPoints(int count);                    // 座標リストに入れなかった点: <n> 点
std::string ZubFlaggedPoints();                             // 前の点と名前だけが違う点（…）:

} // namespace vemo::msg
