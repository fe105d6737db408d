#include "core/files/Exchange.h"

#include "core/files/Fields.h"
#include "core/files/FileIo.h"
#include "core/store/CommaList.h"
#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Numbers.h"

#include <algorithm>

namespace vemo {

std::vector<std::string> ExchangeItems(std::string_view line) {
    std::string packed(line);
    // 0x20 is never the second byte of a CP932 character, so this cannot break a character.
    packed.erase(std::remove(packed.begin(), packed.end(), ' '), packed.end());
    return DecodeCommaList(packed);
}

std::string ExchangeName(const std::string& name, const std::string& number) {
    std::string trimmed = Trim(name);
    return trimmed.empty() ? "*" + number : trimmed;
}

XyzRow ExchangeRow(std::string name, std::string_view x, std::string_view y, std::string_view z) {
    XyzRow row;
    row[kColName] = std::move(name);
    row[kColX] = ReadCoordinateText(x);
    row[kColY] = ReadCoordinateText(y);
    row[kColZ] = ReadCoordinateText(z);
    return row;
}

void ThrowShortLine(const char* utf8Kind, size_t lineNo) {
    throw Error(Jp(utf8Kind) + Jp("の") + Sprintf("%zu", lineNo) + Jp("行目の項目が足りません"));
}

void ThrowTooManyPoints() {
    throw Error(Jp("点数が上限の99998点を超えるため読み込めません"));
}

std::string ReadExchangeFile(const std::filesystem::path& path) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        throw Error(MessagePath(path) + Jp("を開けません"));
    }
    return std::move(*bytes);
}

} // namespace vemo
