#include "core/store/StoreEdit.h"

#include "core/text/Cp932.h"

namespace vemo {
namespace {

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
// Spelled out for clang before 17, which does not deduce aggregate template arguments (the fuzz build).
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

// Heap bytes of a string beyond the short-string buffer held inside the object.
std::size_t HeapBytes(const std::string& text) {
    static const std::size_t inlineCapacity = std::string().capacity();
    return text.capacity() > inlineCapacity ? text.capacity() + 1 : 0;
}

std::size_t HeapBytes(const XyzRow& row) {
    std::size_t bytes = 0;
    for (const std::string& cell : row) {
        bytes += HeapBytes(cell);
    }
    return bytes;
}

std::size_t HeapBytes(const Block& block) {
    return HeapBytes(block.BlockName) + HeapBytes(block.NoList);
}

template <class T> std::size_t HeapBytes(const std::vector<T>& items) {
    std::size_t bytes = items.capacity() * sizeof(T);
    if constexpr (!std::is_arithmetic_v<T>) {
        for (const T& item : items) {
            bytes += HeapBytes(item);
        }
    }
    return bytes;
}

template <class T> std::size_t HeapBytes(const std::unique_ptr<T>& item) {
    return item ? sizeof(T) + HeapBytes(*item) : 0;
}

} // namespace

void ApplyEdit(StoreEdit&& edit, XyzList& xyz, BlockList& blocks) {
    using namespace reversal;
    std::visit(Overloaded{
                   [&](SetXyzCell& e) { xyz.SetCell(e.row, e.col, std::move(e.text)); },
                   [&](SetXyzRow& e) { xyz.SetRow(e.row, *e.cells); },
                   [&](RemoveXyzRows& e) { xyz.RemoveRows(e.row, e.count); },
                   [&](InsertXyzRows& e) { xyz.InsertRows(e.row, std::move(e.rows)); },
                   [&](RemoveXyzRowSet& e) { xyz.RemoveRowSet(e.rows); },
                   [&](InsertXyzRowSet& e) { xyz.InsertRowSet(std::move(e.rows), std::move(e.cells)); },
                   [&](ReplaceXyzRows& e) { xyz.ReplaceAll(std::move(e.rows)); },
                   [&](RemoveBlock& e) { blocks.Remove(e.position); },
                   [&](InsertBlock& e) { blocks.Insert(e.position, std::move(*e.block)); },
                   [&](ReplaceBlock& e) { blocks.Replace(e.position, std::move(*e.block)); },
                   [&](ReplaceBlocks& e) { blocks.ReplaceAll(std::move(e.blocks)); },
               },
               edit.change);
}

std::size_t EditBytes(const StoreEdit& edit) {
    using namespace reversal;
    return sizeof(StoreEdit) +
           std::visit(Overloaded{
                          [](const SetXyzCell& e) { return HeapBytes(e.text); },
                          [](const SetXyzRow& e) { return HeapBytes(e.cells); },
                          [](const RemoveXyzRows&) { return std::size_t{0}; },
                          [](const InsertXyzRows& e) { return HeapBytes(e.rows); },
                          [](const RemoveXyzRowSet& e) { return HeapBytes(e.rows); },
                          [](const InsertXyzRowSet& e) { return HeapBytes(e.rows) + HeapBytes(e.cells); },
                          [](const ReplaceXyzRows& e) { return HeapBytes(e.rows); },
                          [](const RemoveBlock&) { return std::size_t{0}; },
                          [](const InsertBlock& e) { return HeapBytes(e.block); },
                          [](const ReplaceBlock& e) { return HeapBytes(e.block); },
                          [](const ReplaceBlocks& e) { return HeapBytes(e.blocks); },
                      },
                      edit.change);
}

std::string DefaultStepName(const StoreEdit& firstEdit) {
    // Named after the change the reversal undoes.
    using namespace reversal;
    const char* name = std::visit(Overloaded{
                                      [](const SetXyzCell&) { return "座標入力"; },
                                      [](const SetXyzRow&) { return "座標入力"; },
                                      [](const RemoveXyzRows&) { return "行挿入"; },
                                      [](const InsertXyzRows&) { return "行削除"; },
                                      [](const RemoveXyzRowSet&) { return "行挿入"; },
                                      [](const InsertXyzRowSet&) { return "行削除"; },
                                      [](const ReplaceXyzRows&) { return "座標読込"; },
                                      [](const RemoveBlock&) { return "画地登録"; },
                                      [](const InsertBlock&) { return "画地削除"; },
                                      [](const ReplaceBlock&) { return "画地変更"; },
                                      [](const ReplaceBlocks&) { return "画地読込"; },
                                  },
                                  firstEdit.change);
    return Jp(name);
}

} // namespace vemo
