#include "core/files/BlkFile.h"

#include "core/files/FileIo.h"
#include "core/io/BoundedRead.h"
#include "core/io/Utf8Text.h"
#include "core/parcels/ParcelEdit.h"
#include "core/store/CommaList.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/MessagesReading.h"
#include "core/text/NameBytes.h"
#include "core/text/Numbers.h"

namespace vemo {

namespace {

[[noreturn]] void BadLine(size_t lineNo) {
    throw Error(msg::BadParcelLine(lineNo));
}

Block ParseBlkLine(std::string_view line, size_t lineNo) {
    // A NUL would end the line for the comma list and drop the vertices after it unseen.
    if (line.find('\0') != std::string_view::npos) {
        throw FieldError(msg::LineHasControlByte(Excerpt(line, 48)));
    }
    std::vector<std::string> items = DecodeCommaList(line);
    if (items.size() < 2) {
        BadLine(lineNo);
    }
    Block block;
    block.BlockName = std::move(items[0]);
    RequireUsableName(block.BlockName, "画地名");
    block.NoRowCount = StrToInt(items[1]);
    if (block.NoRowCount < 0) {
        throw FieldError(msg::ParcelRowCountInvalid(Excerpt(items[1])));
    }
    // The editor opens a parcel with this many rows: a damaged count must not ask for billions.
    if (block.NoRowCount > kMaxParcelRows) {
        throw Error(msg::ParcelRowsTooMany(lineNo, Excerpt(items[1]), kMaxParcelRows));
    }
    if (items.size() - 2 > static_cast<size_t>(kMaxParcelRows)) {
        throw FieldError(msg::ParcelVerticesTooMany(items.size() - 2, kMaxParcelRows));
    }
    items.erase(items.begin(), items.begin() + 2);
    for (const std::string& vertex : items) {
        RequireUsableName(vertex, "点名");
    }
    // A trailing empty entry would be written as a bare trailing comma, which reads as no entry at all:
    // dropping it here keeps a read file and its rewrite the same.
    while (!items.empty() && items.back().empty()) {
        items.pop_back();
    }
    block.NoList = EncodeCommaList(items);
    return block;
}

} // namespace

std::string FormatBlkText(const std::vector<Block>& blocks) {
    std::string text;
    for (const Block& block : blocks) {
        // An empty name stays empty (EncodeCommaList would write "" for it).
        text += block.BlockName.empty() ? std::string() : EncodeCommaList({block.BlockName});
        text += ',';
        text += std::to_string(block.NoRowCount);
        text += ',';
        text += block.NoList;
        text += "\r\n";
    }
    return text;
}

std::vector<Block> ParseBlkText(std::string_view bytes, size_t maxBlocks) {
    std::vector<Block> blocks;
    LineCursor cursor(bytes);
    std::string_view line;
    while (cursor.Next(line)) {
        if (TrimView(line).empty()) {
            continue;
        }
        if (blocks.size() == maxBlocks) {
            throw Error(msg::TooManyParcels(kMaxBlocks, msg::Refused::Load));
        }
        AtLine(cursor.LineNo(), [&] { blocks.push_back(ParseBlkLine(line, cursor.LineNo())); });
    }
    return blocks;
}

bool ReadBlkFile(const std::filesystem::path& path, BlockList& blocks, bool append) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        return false;
    }
    RefuseUtf8Text(path, *bytes);
    size_t room = static_cast<size_t>(kMaxBlocks - (append ? blocks.Count() : 0));
    std::vector<Block> read = InFile(path, [&] { return ParseBlkText(*bytes, room); });
    if (!append) {
        blocks.ReplaceAll(std::move(read));
        return true;
    }
    for (Block& block : read) {
        blocks.Add(std::move(block));
    }
    return true;
}

void WriteBlkFile(const std::filesystem::path& path, const BlockList& blocks, bool backup) {
    WriteFileAtomic(path, FormatBlkText(blocks.All()), backup);
}

void ComputeLabelPoints(BlockList& blocks, const XyzNameIndex& index) {
    for (int p = 0; p < blocks.Count(); ++p) {
        Block block = blocks.At(p);
        ComputeLabelPoint(block, index);
        blocks.Replace(p, std::move(block));
    }
}

} // namespace vemo
