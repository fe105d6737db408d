#pragma once

#include "core/traverse/SurveyClass.h"

#include <string>

namespace vemo {

// The heading of a 精度管理表 as the public model form has it (CP932, any may be empty).
struct PrecisionSheetInfo {
    std::string work;        // 作業名
    std::string area;        // 地区名
    std::string client;      // 計画機関
    std::string contractor;  // 作業機関
    std::string period;      // 作業期間
    std::string chief;       // 主任技術者
    std::string instruments; // 使用機器
};

// The class of a traverse is kept beside its ".Trv" in a small settings file of its own, so that the
// ".Trv" stays byte for byte what other programs read: "<name>.Trv" -> "<name>.Class.ini", section
// [Precision], key Class (the key of SurveyClassKey, CP932).
std::string SurveyClassPath(const std::string& trvPath);
// The class kept for `trvPath`; none when there is no such file or it holds no class it understands.
SurveyClass ReadSurveyClass(const std::string& trvPath);
// Keeps `surveyClass` for `trvPath` (safe replace); throws vemo::Error when it cannot be written.
void WriteSurveyClass(const std::string& trvPath, const SurveyClass& surveyClass);

// The heading of the traverse's 精度管理表, kept in the same file (section [Sheet]).
PrecisionSheetInfo ReadPrecisionSheetInfo(const std::string& trvPath);
void WritePrecisionSheetInfo(const std::string& trvPath, const PrecisionSheetInfo& info);

} // namespace vemo
