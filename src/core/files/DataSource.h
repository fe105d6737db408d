#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vemo {

// Data taken from a published source (the ministry's registry map data) may be used only with the source
// named.  The data set keeps it in its profile as a line "出典<tab>｜<the source>", so that it stays with
// the points when they are saved, opened again or copied with their folder, and every report and drawing
// made from them prints it as "出典：<the source>".  All text CP932.

// The printed line ("出典：…") as a profile line ("出典\t｜…").
std::string SourceProfileLine(std::string_view printed);

// The printed line of the profile's 出典 line; empty when it has none.
std::string SourceOfProfile(std::string_view profile);

// `profile` with its 出典 line set to `printed` (replaced where there is one, else added at the end,
// with the profile's own line ends).  An empty `printed` leaves the profile as it is.
std::string ProfileWithSource(std::string_view profile, std::string_view printed);

// The printed source of the data set whose coordinate file is `xyzFile` ("<site>/<name>.Xyz", its profile
// "<site>/<name>/Xyz.Pro"); empty when the profile is missing or names none.
std::string SourceOfDataSet(const std::filesystem::path& xyzFile);

// Records `printed` in the profile of the data set of `xyzFile`, making the data set's folder and profile
// when there are none (the default labels, the first value the data's name).  Written safely.
void RecordSourceOfDataSet(const std::filesystem::path& xyzFile, std::string_view printed);

} // namespace vemo
