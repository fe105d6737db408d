#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace vemo {

enum class FileKind;
struct FileFormat;
struct ForeignData;
class Store;

class FileCommandHost;
class Workspace;

// The exchange formats (FileFormats: SIMA, 日調連): a file read into the store in place of the data
// being edited; the coordinate list (with its parcels where the format carries them and the parcel
// editor is shown) or the selection list written.  Each command shows its own messages.
class ExchangeCommands {
public:
    // `giveUpData` asks about unsaved changes and starts new coordinates; false when the surveyor kept
    // the data.  All references must outlive the commands; `window` parents the dialogs.
    ExchangeCommands(Workspace& workspace, FileCommandHost& host, QWidget* window, std::function<bool()> giveUpData);

    void open(FileKind kind); // the open dialog, then load
    void save(FileKind kind); // the coordinate list
    // The selection panel's buttons: the selection list's names (CP932) in order.
    void saveSelection(FileKind kind, const std::vector<std::string>& names);
    // Reads the whole file, asks every question, then puts it in place of the data being edited.
    void load(const FileFormat& format, const std::filesystem::path& file);

private:
    void write(const FileFormat& format, bool fromSelection, const std::vector<std::string>& names);
    bool acceptLongNames(ForeignData& data);
    // Registry map data: the parcels chosen in its dialog; nothing when the surveyor cancelled.
    std::optional<ForeignData> chooseFromRegistryMap(const std::filesystem::path& file);
    // What the import left out or renamed, and the site's zone from the map's 座標系.
    void reportRegistryMap(const ForeignData& data, const std::filesystem::path& siteFolder);

    Workspace& workspace_;
    Store& store_;
    FileCommandHost& host_;
    QWidget* window_;
    std::function<bool()> giveUpData_;
};

} // namespace vemo
