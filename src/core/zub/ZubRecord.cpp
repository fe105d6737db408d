#include "core/zub/ZubRecord.h"

#include "core/text/Cp932.h"

namespace vemo {

namespace {

// Headers keep the blanks the instrument format puts after them: they size the editor's columns.
const ZubRecordKind kKinds[] = {
    {'A', "スタート・ブロック", 3, {"", "Ver.  ", "ChkS"}},
    {'B', "グループ１", 7, {"", "業務名 ", "機種", "番号 ", "観測者", "年月日 ", "ChkS  "}},
    {'C', "グループ２", 8, {"", "天候  ", "風力", "気温 ", "気圧 ", "PPM   ", "気圧単位", "ChkS  "}},
    {'D', "グループ３", 9, {"", "測点名 ", "備考", "器械高", "偏心 ", "対回数等", "開始時刻", "終了時刻", "ChkS  "}},
    {'E', "グループ４", 3, {"", "再測  ", "ChkS"}},
    {'F',
     "グループ５",
     13,
     {"", "目標点名", "備考", "目標高", "観測", "水平角 ", "鉛直角 ", "斜距離１", "斜距離２", "斜距離３", "斜距離４",
      "AUT", "C"}},
    {'Z', "エンド・ブロック", 2, {"", "ChkS  "}},
};

struct StatusEntry {
    char letter;
    int column;
    const char* text;
    bool withCell; // followed by the cell's own text
};

const StatusEntry kStatus[] = {
    {'A', 1, "出力バージョンナンバー", false},
    {'B', 1, "業務名：", true},
    {'B', 2, "機種：", true},
    {'B', 3, "番号：", true},
    {'B', 4, "観測者：", true},
    {'C', 1, "天候：1=晴れ 2=曇り 3=雨 4=雪", false},
    {'C', 2, "風力：1=無風 2=軟風 3=和風 4=疾風 5=強風", false},
    {'C', 3, "気温：単位℃", false},
    {'C', 4, "気圧：mmHg/mb（気圧単位フラグによる）", false},
    {'C', 5, "ＰＰＭ：トータルステーション側の補正ダイヤル値", false},
    {'C', 6, "気圧単位フラグ：0=mmHg 1=mb", false},
    {'D', 3, "器械高", false},
    {'D', 4, "偏心：0=無し 1=有り", false},
    {'D', 5, "対回数/セット数/方向数：H対回数V対回数Sセット数S設定数(以上0～9，9は0.5対回)方向数3桁", false},
    {'E', 1, "再測：0=無し 1=有り", false},
    {'F', 2, "備考：プリズム定数が必要な場合はここに記録する", false},
    {'F', 3, "目標高", false},
    {'F', 4, "観測番号：正,反観測: 正観測=r 反観測=l(1桁)  対回数:1～9(1桁) 方向番号:001～999(3桁)", false},
    {'F', 5, "水平角観測値", false},
    {'F', 6, "鉛直角観測値", false},
    {'F', 7, "斜距離観測値", false},
    {'F', 8, "斜距離観測値", false},
    {'F', 9, "斜距離観測値", false},
    {'F', 10, "斜距離観測値", false},
    {'F', 11, "手入力コード：水平角,鉛直角,斜距離: 0=自動入力 1=手入力(1桁)", false},
};

} // namespace

const ZubRecordKind* FindZubRecordKind(std::string_view letter) {
    if (letter.size() != 1) {
        return nullptr;
    }
    for (const ZubRecordKind& kind : kKinds) {
        if (kind.letter == letter[0]) {
            return &kind;
        }
    }
    return nullptr;
}

std::array<std::string, kZubCells> ZubHeaderTexts(std::string_view letter) {
    std::array<std::string, kZubCells> texts;
    if (const ZubRecordKind* kind = FindZubRecordKind(letter)) {
        for (int col = 1; col < kind->fieldCount; ++col) {
            texts[col] = Jp(kind->headers[col]);
        }
    }
    return texts;
}

std::string ZubStatusText(const ZubRow& row, int column) {
    const ZubRecordKind* kind = FindZubRecordKind(row[0]);
    if (kind == nullptr) {
        return {};
    }
    if (column == 0) {
        return Jp(kind->block);
    }
    for (const StatusEntry& entry : kStatus) {
        if (entry.letter == kind->letter && entry.column == column) {
            return Jp(entry.text) + (entry.withCell ? row[column] : std::string());
        }
    }
    return {};
}

bool IsDirectObservation(const ZubRow& row) {
    return row[kZubObsNumber].find('r') != std::string::npos;
}

} // namespace vemo
