#include "core/zub/PrecisionSheet.h"

#include "core/text/Cp932.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsOptions.h"
#include "core/traverse/TrvsResults.h"

#include <cmath>

namespace vemo {

namespace {

// Pads CP932 text to `width` columns (a double-byte character takes two, as on the printed sheet).
std::string Pad(std::string text, size_t width) {
    if (text.size() < width) {
        text.append(width - text.size(), ' ');
    }
    return text;
}

std::string Field(const char* caption, const std::string& value) {
    return Pad(Jp(caption), 12) + ": " + value;
}

} // namespace

std::vector<PrecisionSheetDistance> TraverseLegDistances(const AdjustedTraverse& adjusted) {
    std::vector<PrecisionSheetDistance> legs;
    if (adjusted.stations.empty()) {
        return legs;
    }
    const bool closed = adjusted.trvsType == kTrvsClosed;
    std::string fromName = adjusted.start.name;
    double fromX = adjusted.start.x, fromY = adjusted.start.y;
    for (int k = 0; k < adjusted.legs; ++k) {
        const TrvsStation& s = adjusted.stations[static_cast<size_t>(k)];
        // The last station row of a closed traverse returns to the start; it places no point.
        const bool back = closed && k + 1 == adjusted.legs;
        const double toX = back ? adjusted.start.x : s.x;
        const double toY = back ? adjusted.start.y : s.y;
        if (s.hd > 0) {
            legs.push_back({fromName, s.name, std::hypot(toX - fromX, toY - fromY), s.hd});
        }
        fromName = s.name;
        fromX = toX;
        fromY = toY;
    }
    return legs;
}

std::vector<ReportLine> PrecisionSheetLines(const PrecisionSheet& sheet) {
    std::vector<ReportLine> lines{{}, TitleLine(Jp("　　　　　　　精 度 管 理 表")), {}};
    const PrecisionSheetInfo& i = sheet.info;
    lines.push_back({Field("作業名", i.work)});
    lines.push_back({Field("地区名", i.area)});
    lines.push_back({Pad(Field("計画機関", i.client), 44) + Field("作業機関", i.contractor)});
    lines.push_back({Pad(Field("作業期間", i.period), 44) + Field("主任技術者", i.chief)});
    lines.push_back({Field("使用機器", i.instruments)});
    lines.push_back({Field("精度の級", SurveyClassName(sheet.surveyClass))});
    lines.push_back({});

    lines.push_back({Jp("1. 路線の閉合差")});
    int number = 0;
    for (const PrecisionSheetRoute& route : sheet.routes) {
        ++number;
        lines.push_back({Sprintf(Jp("路線 %d  %s - %s").c_str(), number, route.from.c_str(), route.to.c_str())});
        const std::vector<std::string> judged = JudgementLines(route.judgement);
        // The first line names the class, already in the heading.
        for (size_t k = 1; k < judged.size(); ++k) {
            lines.push_back({"    " + judged[k]});
        }
    }
    if (sheet.routes.empty()) {
        lines.push_back({Jp("    （路線なし）")});
    }
    lines.push_back({});

    lines.push_back({Jp("2. 観測の点検")});
    if (sheet.stations.empty()) {
        lines.push_back({Jp("    （観測手簿なし）")});
    } else {
        for (const std::string& line : ZubCheckLines(sheet.stations, sheet.limits ? &*sheet.limits : nullptr)) {
            lines.push_back({"    " + line});
        }
    }

    int cadastral = sheet.cadastralIndex;
    if (cadastral < 0 && sheet.surveyClass.kind == SurveyClass::Kind::Cadastral) {
        cadastral = sheet.surveyClass.index;
    }
    if (cadastral >= 0 && !sheet.distances.empty()) {
        lines.push_back({});
        lines.push_back({Jp("3. 点間距離の点検（精度区分 ") + CadastralClassName(cadastral) + Jp("）")});
        lines.push_back({Jp("    点名 - 点名               計算距離    測定距離     較差     公差  判定")});
        for (const PrecisionSheetDistance& d : sheet.distances) {
            const double difference = d.measured - d.computed;
            const double tolerance = CadastralDistanceToleranceM(cadastral, d.computed);
            const std::string names = Pad(d.from + " - " + d.to, 24);
            lines.push_back({"    " + names +
                             Sprintf("%11.3f %11.3f %8.3f %8.3f  ", d.computed, d.measured, difference, tolerance) +
                             (std::fabs(difference) <= tolerance ? Jp("適") : Jp("不適"))});
        }
    }
    return lines;
}

} // namespace vemo
