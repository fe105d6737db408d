#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vemo {

// Folders are held without a trailing separator and joined with "/" (the platform accepts it
// everywhere).  These are native paths (UTF-8 on Linux), the form the file system wants.

// "a" + "/" + "b", without doubling a separator that "a" already ends with.
std::string JoinPath(std::string_view folder, std::string_view name);

// Folder of the running executable (/proc/self/exe on Linux).
std::string ExecutableFolder();

// True when a file can be created in the folder (tested by creating and removing one, which also
// catches read-only mounts and access lists that permission bits do not show).
bool IsWritableFolder(const std::string& folder);

// The path of the file `name` in `folder`, matching an existing file's name without regard to ASCII
// case ("Vemo.ini" and "vemo.INI" are "VEMO.ini"); `folder` + "/" + `name` when none exists.  An exact
// match wins over other spellings; among several other spellings the first in byte order is taken.
std::string FindFileIgnoreCase(const std::string& folder, std::string_view name);

// The settings file of a program folder: FindFileIgnoreCase(folder, "VEMO.ini").
std::string SettingsFilePath(const std::string& programFolder);

// Core text, folder settings included, is CP932; file names on Linux are UTF-8.  These convert a
// folder between the two; a path that has no form in the other encoding is returned unchanged.
std::string PathToCp932(std::string_view nativePath);
// PathFromCp932 finds an existing folder whose name has the same CP932 form when the plain
// conversion names none (CP932 has one code for 〜 and ～ and a few other pairs).
std::string PathFromCp932(std::string_view cp932Path);

// The entry of `parent` whose name has the CP932 form `cp932Name`: the plain conversion when it
// exists, else an existing entry with that CP932 form, else the plain conversion (a name to create).
std::filesystem::path ExistingEntryOfCp932Name(const std::filesystem::path& parent, std::string_view cp932Name);

} // namespace vemo
