#include "ui/main/StartHint.h"

#include "core/store/Store.h"

namespace vemo {

StartHint::StartHint(const Store& store, QWidget* parent) : QLabel(parent), store_(store) {
    setObjectName(QStringLiteral("StartHint"));
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setForegroundRole(QPalette::PlaceholderText);
}

QString StartHint::GuideText() {
    return QStringLiteral("はじめに\n\n"
                          "現場を作る: ﾌｧｲﾙ →「現場フォルダ作成」\n"
                          "座標を入力する: 現場を選び、ﾌｧｲﾙ →「新規座標」\n"
                          "データを開く: データツリーで座標・画地を選び、データツリー →「開く」(Ctrl+O)\n"
                          "他のシステムのデータ: ﾌｧｲﾙ →「SIMAフォーマットを開く」「日調連フォーマットを開く」、\n"
                          "または .sim / .Xyz ファイルをこのウィンドウにドロップ");
}

// The list is empty when it holds only its one entry row and nothing is typed in it.
void StartHint::showEvent(QShowEvent* event) {
    const XyzList& list = store_.xyz;
    const bool noData = list.RowCount() <= 2 && list.Cell(1, kColName).empty() && list.Cell(1, kColX).empty();
    setText(noData ? GuideText() : QString());
    QLabel::showEvent(event);
}

} // namespace vemo
