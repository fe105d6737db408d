#include "ui/settings/FolderCheck.h"

#include "core/io/SafeReplace.h"
#include "core/text/Bytes.h"
#include "core/text/MessagesSettings.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/settings/SettingsPages.h"

#include <QLineEdit>

#include <filesystem>

namespace vemo {
namespace fs = std::filesystem;
namespace {

bool Refuse(QLineEdit* field, const QString& text) {
    MessageBox::Show(field->window(), text, MessageBox::Kind::Error);
    return false;
}

bool CheckFolder(QLineEdit* field, const QString& caption, std::string_view cp932, bool required) {
    const std::string captionCp932 = ToCp932(caption).value_or(std::string());
    if (TrimView(cp932).empty()) {
        return !required || Refuse(field, FromCp932(msg::FolderEmpty(captionCp932)));
    }
    // The folder as typed (or as filled: the file system's own name), not the CP932 form, which may
    // stand for another character (〜 and ～ share a code): the messages take it in place of "%1".
    const fs::path folder = NativePath(field->text().trimmed());
    const QString shown = PathText(folder);
    std::error_code ec;
    if (fs::is_directory(folder, ec)) {
        return true;
    }
    if (fs::exists(folder, ec)) {
        return Refuse(field, FromCp932(msg::NotAFolder(captionCp932, "%1")).arg(shown));
    }
    const auto answer =
        MessageBox::Ask(field->window(), FromCp932(msg::FolderMissingCreateIt(captionCp932, "%1")).arg(shown),
                        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes) {
        return false;
    }
    if (!fs::create_directories(folder, ec) && !fs::is_directory(folder)) {
        return Refuse(
            field, FromCp932(msg::CannotCreateFolder(captionCp932, "%1", WriteFailureReason(ec.value()))).arg(shown));
    }
    return true;
}

} // namespace

QLineEdit* CheckFolders(const DataPage& page, const Settings::DirKeys& dirs) {
    const std::string* values[] = {&dirs.DatDir, &dirs.TmpDir, &dirs.DatDir2, &dirs.DatDir3};
    for (size_t i = 0; i < 4; ++i) {
        if (!CheckFolder(page.folderField(i), DataPage::kFolderCaptions[i], *values[i], i < 2)) {
            return page.folderField(i);
        }
    }
    return nullptr;
}

} // namespace vemo
