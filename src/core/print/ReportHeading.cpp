#include "core/print/ReportHeading.h"

#include "core/print/ReportWrap.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

#include <ctime>

namespace vemo {

std::string HeadingLine(const ReportHeading& heading, int sheet, int sheets) {
    std::string text = std::string(8, ' ');
    if (!heading.site.empty()) {
        text += Jp("現場: ") + heading.site + "  ";
    }
    if (!heading.data.empty()) {
        text += Jp("データ: ") + heading.data + "  ";
    }
    text += heading.date;
    std::string page = std::to_string(sheet) + " / " + std::to_string(sheets);
    size_t used = text.size() + page.size();
    return text + std::string(used < kReportColumns ? kReportColumns - used : 2, ' ') + page;
}

std::string ReportDateToday() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Sprintf("%04d", local.tm_year + 1900) + Jp("年") + Sprintf("%02d", local.tm_mon + 1) + Jp("月") +
           Sprintf("%02d", local.tm_mday) + Jp("日");
}

} // namespace vemo
