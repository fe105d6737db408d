#pragma once

#include "core/surveymap/MarkerSymbol.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vemo::surveymap {

// What the survey map needs beyond the coordinate and parcel files, kept in a small file of the
// program's own in the site folder beside "VemoZone.txt", so the native files stay as other programs
// read them.  All text CP932.
constexpr const char* kSiteSurveyFileName = "VemoSurveyMap.txt";

struct SurveyTitle {
    std::string district;   // 地番区域の名称 ("○○市△△町一丁目")
    std::string surveyDate; // 測量年月日, as written ("令和8年12月1日")
    std::string surveyor;   // 作成者
    std::string office;     // 事務所
    std::string applicant;  // 申請人
    std::string madeDate;   // 作成年月日, as written
};

enum class ParcelRole { None, Subject, Adjacent };

struct ParcelSurveyInfo {
    std::string name;     // the parcel's BlockName, which is its 地番
    std::string category; // 地目, one of LandCategories(); empty when not stated
    ParcelRole role = ParcelRole::None;
};

struct SiteSurveyInfo {
    SurveyTitle title;
    std::vector<ParcelSurveyInfo> parcels;
    MarkerMapping markers = DefaultMarkerMapping();
    // Control points (基準点) shown with their coordinates: by 点種 text contained in the point's kind,
    // or by name.
    std::vector<std::string> controlKinds = DefaultControlKinds();
    std::vector<std::string> controlNames;

    static std::vector<std::string> DefaultControlKinds();
    const ParcelSurveyInfo* Parcel(std::string_view name) const;
    ParcelSurveyInfo& ParcelEntry(const std::string& name); // adds an entry when there is none
};

// "District=", "SurveyDate=", "Surveyor=", "Office=", "Applicant=", "MadeDate=", "Parcel=<name>\t<地目>\t
// <subject|adjacent|->", "Marker=<点種>\t<symbol>", "ControlKind=<点種>", "ControlName=<点名>", one a
// line.  Marker lines replace the default mapping, control lines the default kinds.  A line that is none
// of these, or a 地目 that is not one of the register's (「宅地 」, 「宅池」), throws vemo::Error naming
// `fileName` and the line (and the parcel and the text).
SiteSurveyInfo ParseSiteSurveyInfo(std::string_view text, std::string_view fileName);
std::string SiteSurveyInfoText(const SiteSurveyInfo& info);

// The site folder's file; the defaults when there is none.
SiteSurveyInfo ReadSiteSurveyInfo(const std::filesystem::path& siteFolder);
// A file of this form anywhere; throws vemo::Error when it cannot be read or was saved as UTF-8 (refused
// as every reader of the program's CP932 files refuses it, before a byte is taken as CP932).
SiteSurveyInfo ReadSiteSurveyInfoFile(const std::filesystem::path& file);
// Replaces the file safely; throws vemo::Error when the folder cannot be written.
void WriteSiteSurveyInfo(const std::filesystem::path& siteFolder, const SiteSurveyInfo& info);

} // namespace vemo::surveymap
