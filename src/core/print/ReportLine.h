#pragma once

#include <string>
#include <vector>

namespace vemo {

// One line of a printed report: CP932 text laid out in a fixed-pitch font (a half-width character takes
// one cell, a double-byte character two), so the columns of the listings stay aligned.
struct ReportLine {
    enum class Style { Body, Title };
    // A table that may run over a sheet's foot (a parcel's ring in the area report) marks its head (the
    // parcel's name and the column heading) Head and its trailing line End: a sheet that begins between
    // the head and End repeats the head first, so a continued table is never without its name and
    // columns, and the head never stands alone at a sheet's foot.
    enum class Role { Plain, Head, End };
    std::string text;
    Style style = Style::Body; // Body: 10 points plain; Title: 18 points italic
    Role role = Role::Plain;

    friend bool operator==(const ReportLine&, const ReportLine&) = default;
};

inline ReportLine TitleLine(std::string text) {
    return {std::move(text), ReportLine::Style::Title};
}

// A report made of fixed pages (each printed on a sheet of its own), built one page at a time so that a
// list of a thousand pages never sits in memory whole.
class PagedReport {
public:
    virtual ~PagedReport() = default;
    virtual int PageCount() const = 0;
    virtual std::vector<ReportLine> Page(int page) const = 0; // page 0 .. PageCount() - 1
};

} // namespace vemo
