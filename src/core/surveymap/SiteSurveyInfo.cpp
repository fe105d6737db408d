#include "core/surveymap/SiteSurveyInfo.h"

#include "core/files/FileIo.h"
#include "core/io/SafeReplace.h"
#include "core/io/Utf8Text.h"
#include "core/parcels/LandCategoryChiseki.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/MessagesFiles.h"
#include "core/text/MessagesSurveyMap.h"

#include <algorithm>

namespace vemo::surveymap {

namespace {

std::vector<std::string_view> SplitTabs(std::string_view value) {
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        size_t tab = value.find('\t', start);
        parts.push_back(value.substr(start, tab - start));
        if (tab == std::string_view::npos) {
            return parts;
        }
        start = tab + 1;
    }
}

bool ParseRole(std::string_view text, ParcelRole& role) {
    if (text == "subject") {
        role = ParcelRole::Subject;
    } else if (text == "adjacent") {
        role = ParcelRole::Adjacent;
    } else if (text == "-" || text.empty()) {
        role = ParcelRole::None;
    } else {
        return false;
    }
    return true;
}

const char* RoleText(ParcelRole role) {
    switch (role) {
    case ParcelRole::Subject:
        return "subject";
    case ParcelRole::Adjacent:
        return "adjacent";
    case ParcelRole::None:
        break;
    }
    return "-";
}

struct LinePlace {
    std::string_view fileName;
    size_t line;
};

// One "key=value" line into `info`; false when the line means nothing.
bool TakeLine(std::string_view key, std::string_view value, SiteSurveyInfo& info, bool& markersSeen, bool& controlsSeen,
              LinePlace place) {
    std::string* title = key == "District"     ? &info.title.district
                         : key == "SurveyDate" ? &info.title.surveyDate
                         : key == "Surveyor"   ? &info.title.surveyor
                         : key == "Office"     ? &info.title.office
                         : key == "Applicant"  ? &info.title.applicant
                         : key == "MadeDate"   ? &info.title.madeDate
                                               : nullptr;
    if (title != nullptr) {
        *title = value;
        return true;
    }
    std::vector<std::string_view> parts = SplitTabs(value);
    if (key == "Parcel" && !parts[0].empty() && parts.size() <= 3) {
        ParcelSurveyInfo& parcel = info.ParcelEntry(std::string(parts[0]));
        parcel.category = parts.size() > 1 ? std::string(parts[1]) : "";
        // A 地目 the register does not know would print a wrong 地積 (「宅地 」 taken for other land).
        if (!parcel.category.empty() && !IsLandCategory(parcel.category)) {
            throw Error(msg::SiteInfoBadCategory(place.fileName, place.line, parcel.name, parcel.category));
        }
        return ParseRole(parts.size() > 2 ? parts[2] : "", parcel.role);
    }
    if (key == "Marker" && parts.size() == 2 && !parts[0].empty()) {
        MarkerSymbol symbol;
        if (!ParseSymbolName(parts[1], symbol)) {
            return false;
        }
        if (!std::exchange(markersSeen, true)) {
            info.markers.clear();
        }
        info.markers.emplace_back(parts[0], symbol);
        return true;
    }
    if ((key == "ControlKind" || key == "ControlName") && !value.empty()) {
        if (!std::exchange(controlsSeen, true)) {
            info.controlKinds.clear();
        }
        (key == "ControlKind" ? info.controlKinds : info.controlNames).emplace_back(value);
        return true;
    }
    return false;
}

void Refuse(std::string_view fileName, size_t lineNumber) {
    throw Error(msg::SiteInfoBadLine(fileName, lineNumber));
}

void CheckNoBreaks(const std::string& value, std::string_view field, bool tabsAllowed) {
    if (value.find_first_of(tabsAllowed ? "\r\n" : "\t\r\n") != std::string::npos) {
        throw Error(msg::BreakInField(field, value));
    }
}

} // namespace

std::vector<std::string> SiteSurveyInfo::DefaultControlKinds() {
    return {Jp("基準点"), Jp("多角点")};
}

const ParcelSurveyInfo* SiteSurveyInfo::Parcel(std::string_view name) const {
    auto found =
        std::find_if(parcels.begin(), parcels.end(), [&](const ParcelSurveyInfo& p) { return p.name == name; });
    return found == parcels.end() ? nullptr : &*found;
}

ParcelSurveyInfo& SiteSurveyInfo::ParcelEntry(const std::string& name) {
    auto found =
        std::find_if(parcels.begin(), parcels.end(), [&](const ParcelSurveyInfo& p) { return p.name == name; });
    if (found != parcels.end()) {
        return *found;
    }
    return parcels.emplace_back(ParcelSurveyInfo{name, "", ParcelRole::None});
}

SiteSurveyInfo ParseSiteSurveyInfo(std::string_view text, std::string_view fileName) {
    SiteSurveyInfo info;
    bool markersSeen = false;
    bool controlsSeen = false;
    size_t lineNumber = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
        start = end == std::string_view::npos ? text.size() : end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string_view::npos || !TakeLine(line.substr(0, equals), line.substr(equals + 1), info,
                                                          markersSeen, controlsSeen, {fileName, lineNumber})) {
            Refuse(fileName, lineNumber);
        }
    }
    return info;
}

std::string SiteSurveyInfoText(const SiteSurveyInfo& info) {
    const std::pair<const char*, const std::string*> titles[] = {
        {"District", &info.title.district}, {"SurveyDate", &info.title.surveyDate}, {"Surveyor", &info.title.surveyor},
        {"Office", &info.title.office},     {"Applicant", &info.title.applicant},   {"MadeDate", &info.title.madeDate}};
    std::string text;
    for (const auto& [key, value] : titles) {
        CheckNoBreaks(*value, key, false);
        text += std::string(key) + "=" + *value + "\r\n";
    }
    for (const ParcelSurveyInfo& parcel : info.parcels) {
        CheckNoBreaks(parcel.name, Jp("地番"), false);
        CheckNoBreaks(parcel.category, Jp("地目"), false);
        text += "Parcel=" + parcel.name + "\t" + parcel.category + "\t" + RoleText(parcel.role) + "\r\n";
    }
    for (const auto& [kind, symbol] : info.markers) {
        CheckNoBreaks(kind, Jp("点種"), false);
        text += "Marker=" + kind + "\t" + std::string(SymbolName(symbol)) + "\r\n";
    }
    for (const std::string& kind : info.controlKinds) {
        CheckNoBreaks(kind, Jp("基準点の点種"), true);
        text += "ControlKind=" + kind + "\r\n";
    }
    for (const std::string& name : info.controlNames) {
        CheckNoBreaks(name, Jp("基準点の点名"), true);
        text += "ControlName=" + name + "\r\n";
    }
    return text;
}

SiteSurveyInfo ReadSiteSurveyInfo(const std::filesystem::path& siteFolder) {
    std::filesystem::path path = siteFolder / kSiteSurveyFileName;
    if (!std::filesystem::exists(path)) {
        return {};
    }
    return ReadSiteSurveyInfoFile(path);
}

SiteSurveyInfo ReadSiteSurveyInfoFile(const std::filesystem::path& file) {
    std::optional<std::string> text = ReadWholeFile(file);
    if (!text) {
        throw Error(msg::CannotOpenInput(MessagePath(file)));
    }
    RefuseUtf8Text(file, *text);
    return ParseSiteSurveyInfo(*text, MessagePath(file));
}

void WriteSiteSurveyInfo(const std::filesystem::path& siteFolder, const SiteSurveyInfo& info) {
    WriteFileAtomic(siteFolder / kSiteSurveyFileName, SiteSurveyInfoText(info), false);
}

} // namespace vemo::surveymap
