#include "ui/common/Cp932Text.h"

#include <QFile>

#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesMain.h"

namespace vemo {

QString FromCp932(std::string_view cp932) {
    const std::string utf8 = Cp932ToUtf8(cp932);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::optional<std::string> ToCp932(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToCp932(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

std::string ToCp932OrThrow(const QString& text) {
    if (auto bytes = ToCp932(text)) {
        return *std::move(bytes);
    }
    // The offending character cannot be part of a CP932 message, so the message does not quote it.
    throw Error(msg::NotShiftJis());
}

std::filesystem::path NativePath(const QString& fileName) {
    return std::filesystem::path(QFile::encodeName(fileName).toStdString());
}

QString PathText(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

} // namespace vemo
