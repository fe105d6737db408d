#pragma once

#include <functional>

class QTableWidget;

namespace vemo {

// 一行挿入 (Ctrl+Insert) and 一行削除 (Ctrl+Delete) in the context menu of a calculation grid whose
// column 0 holds the row labels; `changed` runs after either (relabel, recompute, redraw).
void AddGridRowActions(QTableWidget& grid, const std::function<void()>& changed);

} // namespace vemo
