#include "core/parcels/AreaReports.h"

#include "core/geometry/Inverse.h"
#include "core/parcels/LandCategoryChiseki.h"
#include "core/parcels/ParcelArea.h"
#include "core/store/BlockList.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

#include <optional>

namespace vemo {

namespace {

const std::string kIndent(8, ' ');
const std::string kFiguresIndent = kIndent + std::string(54, ' ');

std::string Rule() {
    return kIndent + std::string(84, '-');
}

std::string AreaLine(const char* label, double area) {
    return Jp(label) + Sprintf(" %15.7f", area);
}
std::string ChisekiLine(const char* label, double chiseki) {
    return Jp(label) + Sprintf(" %10.2f ", chiseki) + Jp("㎡");
}
// The 地積 as registered for the parcel's land category; nothing without a category.
std::optional<std::string> CategoryLine(const ParcelCategoryOf& categoryOf, const std::string& parcel,
                                        const ParcelAreaFigures& figures) {
    std::string category = categoryOf ? categoryOf(parcel) : std::string();
    if (category.empty()) {
        return std::nullopt;
    }
    return Jp("地積（") + category + Jp("）") +
           Sprintf(" %10s ", FormatCategoryChiseki(figures.chisekiHundredths, category).c_str()) + Jp("㎡");
}
std::string TsuboLine(const char* label, double tsubo) {
    return Jp(label) + Sprintf(" %10.2f ", tsubo) + Jp("坪");
}

// One row of the ring table: the point, the difference of X and sum of Y with the point before it,
// their product (its term of the trapezoid sum) and the side from the point before.  Adding 0.0 turns a
// product of −10 and 0 into 0 rather than "-0.000000" on a legal report.
std::string RingRow(const RingPoint& point, const RingPoint& previous) {
    long double dx = static_cast<long double>(point.x) - previous.x;
    long double sy = static_cast<long double>(point.y) + previous.y;
    double side = InversePoints(previous.x, previous.y, point.x, point.y).distance;
    return kIndent + Sprintf(" %-12s%12.3f%12.3f%9.3f%12.3f%17.6f%8.3f", point.name.c_str(), point.x, point.y,
                             static_cast<double>(dx), static_cast<double>(sy), static_cast<double>(dx * sy) + 0.0,
                             side);
}

void AppendParcelTable(std::vector<ReportLine>& lines, const std::string& name, const std::vector<RingPoint>& ring) {
    lines.push_back({kIndent + name});
    lines.push_back({Rule()});
    lines.push_back(
        {Jp("            点名            X           Y      X-Y(n-1)  Y+Y(n-1)         倍面積       辺長")});
    lines.push_back({Rule()});
    for (size_t n = 1; n < ring.size(); ++n) {
        lines.push_back({RingRow(ring[n], ring[n - 1])});
    }
    if (!ring.empty()) {
        lines.push_back({RingRow(ring.front(), ring.back())});
    }
    lines.push_back({Rule()});
}

} // namespace

std::vector<std::string> AreaListLines(const BlockList& blocks, const std::vector<int>& positions,
                                       const XyzNameIndex& index, const ParcelCategoryOf& categoryOf) {
    std::vector<std::string> lines;
    AreaTotals totals;
    for (int p : positions) {
        const Block& block = blocks.At(p);
        ParcelAreaFigures figures = ParcelFigures(block.NoList, index);
        totals.Add(figures);
        lines.push_back(block.BlockName);
        lines.push_back(AreaLine("面積", figures.area));
        lines.push_back(ChisekiLine("地積", figures.chiseki));
        lines.push_back(TsuboLine("坪数", figures.tsubo));
        if (std::optional<std::string> registered = CategoryLine(categoryOf, block.BlockName, figures)) {
            lines.push_back(*registered);
        }
        lines.emplace_back();
    }
    lines.push_back(Jp("合計"));
    lines.push_back(AreaLine("面積", totals.area));
    lines.push_back(ChisekiLine("地積", totals.Chiseki()));
    lines.push_back(TsuboLine("坪数", totals.Tsubo()));
    return lines;
}

std::vector<ReportLine> AreaReportLines(const BlockList& blocks, const std::vector<int>& positions,
                                        const XyzNameIndex& index, const ParcelCategoryOf& categoryOf) {
    std::vector<ReportLine> lines{{}, TitleLine(Jp("　　　座標面積計算書")), {}};
    AreaTotals totals;
    for (int p : positions) {
        const Block& block = blocks.At(p);
        std::vector<RingPoint> ring = ParcelRingPoints(block.NoList, index);
        ParcelAreaFigures figures = RingAreaFigures(ring);
        totals.Add(figures);
        AppendParcelTable(lines, block.BlockName, ring);
        lines.push_back({kFiguresIndent + AreaLine("倍面積", figures.doubleArea)});
        lines.push_back({kFiguresIndent + AreaLine("面　積", figures.area)});
        lines.push_back({kFiguresIndent + ChisekiLine("地　積", figures.chiseki)});
        lines.push_back({kFiguresIndent + TsuboLine("坪　数", figures.tsubo)});
        if (std::optional<std::string> registered = CategoryLine(categoryOf, block.BlockName, figures)) {
            lines.push_back({kFiguresIndent + *registered});
        }
        lines.push_back({Rule()});
        lines.push_back({});
    }
    lines.push_back({Rule()});
    lines.push_back({kFiguresIndent + Jp("合　計")});
    lines.push_back({kFiguresIndent + AreaLine("面　積", totals.area)});
    lines.push_back({kFiguresIndent + ChisekiLine("地　積", totals.Chiseki())});
    lines.push_back({kFiguresIndent + TsuboLine("坪　数", totals.Tsubo())});
    lines.push_back({Rule()});
    return lines;
}

std::vector<ReportLine> ParcelListPrintLines(const BlockList& blocks) {
    std::vector<ReportLine> lines(2);
    for (const Block& block : blocks.All()) {
        lines.push_back({});
        lines.push_back({block.BlockName});
        lines.push_back({block.NoList});
        lines.push_back({});
    }
    return lines;
}

} // namespace vemo
