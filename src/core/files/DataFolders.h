#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// The folder model behind the data tree: sites (level 0) below the data folder root, coordinate data
// (level 1) in a site, parcel data (level 2) in coordinate data.  A level-1 or level-2 node exists
// because of its folder; the data file beside the folder (".Xyz" / ".Blk") decides its icon.

// The icon of a node: that of its level, or MissingData for data whose file is missing.
enum class DataIcon : int { Site = 0, Coordinates = 1, Parcels = 2, MissingData = 3 };
constexpr DataIcon IconOfLevel(int level) {
    return static_cast<DataIcon>(level);
}

struct DataNode {
    std::string name; // CP932, the folder name
    int level = 0;
    DataIcon icon = DataIcon::Site; // a missing data file leaves the node without children
    std::vector<DataNode> children;
};

// The sites below `datDir`, sorted by name (byte order of the CP932 names, as the tree lists them).
// Files are never nodes; folders whose name has no CP932 form are left out.  A missing or unreadable
// root gives an empty tree.
std::vector<DataNode> BuildDataTree(const std::filesystem::path& datDir);

// A name for a site, coordinate or parcel folder: not empty, not "." or "..", no control byte, none of
// \ / : * ? " < > | as a character of its own (the second byte of a double-byte character may be any
// of them), not ending in a blank or a dot, at most 200 bytes.
bool IsValidDataName(std::string_view cp932Name);

// Creates the folder for a new site or new data.  False when the name is not valid, the folder exists
// or it cannot be made; the caller shows DuplicateFolderMessage then.
bool CreateDataFolder(const std::filesystem::path& parent, std::string_view cp932Name);

// Renames the node whose folder is `parent`/`oldName` at `level`: the folder and, at levels 1 and 2,
// its data file ("<name>.Xyz" / "<name>.Blk", when there is one).  Nothing is ever overwritten: when the
// new folder or the new data file exists, or the data file cannot take the new name, everything is put
// back as it was and vemo::Error "ディレクトリ名が重複しているかまたは不正です" is thrown.
void RenameDataNode(const std::filesystem::path& parent, int level, std::string_view oldName, std::string_view newName);

// Saving over a node whose names differ from the data being edited asks "データ名が異なります！
// 強制保存しますか？": only when the current names are both set and either differs.
bool SaveNamesDiffer(std::string_view curCase, std::string_view curXyz, std::string_view nodeCase,
                     std::string_view nodeXyz);
// The parcel check of a level-2 save: a current parcel name that differs from the node's.
bool SaveParcelNameDiffers(std::string_view curBlk, std::string_view nodeBlk);

} // namespace vemo
