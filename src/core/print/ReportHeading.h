#pragma once

#include <string>

namespace vemo {

// What heads every sheet of a report handed to a client: the site, the data set and the date (CP932,
// any of them may be empty).
struct ReportHeading {
    std::string site;
    std::string data;
    std::string date;
    // The source the data's terms of use require to be named ("出典：…"), printed at the foot of every
    // sheet; empty when the data name none.
    std::string source;
};

// The heading line of sheet `sheet` (1-based) of `sheets`: "現場: <site>  データ: <data>  <date>" with
// "<sheet> / <sheets>" at the right end of the report's width.
std::string HeadingLine(const ReportHeading& heading, int sheet, int sheets);

// Today's date in local time as the heading writes it: "2026年12月09日".
std::string ReportDateToday();

} // namespace vemo
