#include "core/gis/SiteZone.h"

#include "core/files/FileIo.h"
#include "core/text/Numbers.h"

#include <sstream>
#include <string>

namespace vemo::gis {

std::optional<ZoneChoice> ReadSiteZone(const std::filesystem::path& siteFolder) {
    std::string text = ReadWholeFile(siteFolder / kSiteZoneFileName).value_or("");
    ZoneChoice choice;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.starts_with("Zone=")) {
            choice.zone = TryStrToInt(line.substr(5)).value_or(0);
        } else if (line.starts_with("Datum=") && !ParseDatum(line.substr(6), choice.datum)) {
            return std::nullopt;
        }
    }
    if (choice.zone < 1 || choice.zone > kZoneCount) {
        return std::nullopt;
    }
    return choice;
}

void WriteSiteZone(const std::filesystem::path& siteFolder, const ZoneChoice& choice) {
    ZoneEpsg(choice); // refuses a zone outside 1 .. 19 before anything is written
    std::string text = "Zone=" + std::to_string(choice.zone) + "\r\nDatum=" + DatumName(choice.datum) + "\r\n";
    WriteFileAtomic(siteFolder / kSiteZoneFileName, text, false);
}

} // namespace vemo::gis
