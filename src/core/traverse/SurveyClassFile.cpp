#include "core/traverse/SurveyClassFile.h"

#include "core/settings/IniFile.h"
#include "core/text/Bytes.h"

namespace vemo {

namespace {

constexpr const char* kSection = "Precision";
constexpr const char* kKey = "Class";

} // namespace

std::string SurveyClassPath(const std::string& trvPath) {
    const std::string_view extension = Extension(trvPath);
    std::string stem = trvPath;
    if (EqualsIgnoreCase(extension, ".Trv")) {
        stem.resize(trvPath.size() - 4);
    }
    return stem + ".Class.ini";
}

SurveyClass ReadSurveyClass(const std::string& trvPath) {
    const std::string key = IniFile(SurveyClassPath(trvPath)).ReadString(kSection, kKey, "");
    return ParseSurveyClass(key).value_or(SurveyClass{});
}

void WriteSurveyClass(const std::string& trvPath, const SurveyClass& surveyClass) {
    IniFile(SurveyClassPath(trvPath)).WriteString(kSection, kKey, SurveyClassKey(surveyClass));
}

namespace {

constexpr const char* kSheet = "Sheet";

// The keys of the heading, in the order of the form.
template <class Info, class Visit> void EachSheetKey(Info& info, Visit visit) {
    visit("Work", info.work);
    visit("Area", info.area);
    visit("Client", info.client);
    visit("Contractor", info.contractor);
    visit("Period", info.period);
    visit("Chief", info.chief);
    visit("Instruments", info.instruments);
}

} // namespace

PrecisionSheetInfo ReadPrecisionSheetInfo(const std::string& trvPath) {
    PrecisionSheetInfo info;
    const IniFile file(SurveyClassPath(trvPath));
    EachSheetKey(info, [&](const char* key, std::string& value) { value = file.ReadString(kSheet, key, ""); });
    return info;
}

void WritePrecisionSheetInfo(const std::string& trvPath, const PrecisionSheetInfo& info) {
    IniBatch batch;
    EachSheetKey(info, [&](const char* key, const std::string& value) { batch.String(kSheet, key, value); });
    IniFile(SurveyClassPath(trvPath)).Write(batch);
}

} // namespace vemo
