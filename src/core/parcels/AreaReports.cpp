#include "core/parcels/AreaReports.h"

#include "core/geometry/Inverse.h"
#include "core/parcels/LandCategoryChiseki.h"
#include "core/parcels/ParcelArea.h"
#include "core/print/ReportWrap.h"
#include "core/store/BlockList.h"
#include "core/text/Cp932.h"
#include "core/text/Messages.h"
#include "core/text/Numbers.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace vemo {

namespace {

const std::string kIndent(8, ' ');
const std::string kFiguresIndent = kIndent + std::string(54, ' ');

std::string Rule() {
    return kIndent + std::string(84, '-');
}

// Text right-aligned in `width` columns (CP932: one column a byte); wider text is kept whole.
std::string Right(std::string text, size_t width) {
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}
std::string Left(std::string text, size_t width) {
    return text.size() < width ? text + std::string(width - text.size(), ' ') : text;
}

// 倍面積 and 面積 with seven decimals: from the exact sum in mm² when there is one (S × 10⁷ = mm² × 10,
// A × 10⁷ = |mm²| × 5), so the printed figure is the sum of the printed products.
std::string DoubleAreaText(const ParcelAreaFigures& f) {
    return f.exact ? Right(ScaledDecimal(f.doubleAreaMm2 * 10, 7), 15) : Sprintf("%15.7f", f.doubleArea);
}
std::string AreaText(bool exact, __int128 doubleAreaMm2, double area) {
    __int128 magnitude = doubleAreaMm2 < 0 ? -doubleAreaMm2 : doubleAreaMm2;
    return exact ? Right(ScaledDecimal(magnitude * 5, 7), 15) : Sprintf("%15.7f", area);
}

std::string AreaLine(const char* label, const std::string& area) {
    return Jp(label) + " " + area;
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
    return Jp("地積（") + category + Jp("）") + Sprintf(" %10s ", FormatCategoryChiseki(figures, category).c_str()) +
           Jp("㎡");
}
std::string TsuboLine(const char* label, double tsubo) {
    return Jp(label) + Sprintf(" %10.2f ", tsubo) + Jp("坪");
}

// A row made of fixed-width fields; a figure that fills its field is still set off by a space.  A field
// wider than planned (a point name of 13 to 16 bytes) is owed back by the blanks that lead the fields
// after it, one blank always kept, so the later columns stay under their heads and inside the rule.
class Row {
public:
    Row& operator<<(const std::string& field) {
        std::string text = field;
        if (owed_ > 0) {
            size_t blanks = std::min(text.find_first_not_of(' '), text.size());
            size_t taken = std::min(owed_, blanks > 0 ? blanks - 1 : 0);
            text.erase(0, taken);
            owed_ -= taken;
        }
        if (!text_.empty() && text_.back() != ' ' && !text.empty() && text.front() != ' ') {
            text_ += ' ';
        }
        text_ += text;
        return *this;
    }
    void Owe(size_t columns) { owed_ += columns; }
    std::string Text() const { return text_; }

private:
    std::string text_;
    size_t owed_ = 0;
};

constexpr size_t kNameColumns = 12;

bool OnMillimetreGrid(const RingPoint& p) {
    return std::fabs(p.x) <= kExactCoordinateLimit && std::fabs(p.y) <= kExactCoordinateLimit;
}

// Where the coordinate columns (X, Y, X-Y(n-1), Y+Y(n-1)) of a missing point would be: 12 + 12 + 9 + 12.
constexpr size_t kCoordinateColumns = 45;

} // namespace

std::string AreaTableRow(const RingPoint& point, const RingPoint& previous) {
    double side = InversePoints(previous.x, previous.y, point.x, point.y).distance;
    Row row;
    row << kIndent + " " + Left(point.name, kNameColumns);
    row.Owe(point.name.size() > kNameColumns ? point.name.size() - kNameColumns : 0);
    std::string product;
    if (OnMillimetreGrid(point) && OnMillimetreGrid(previous)) {
        __int128 dx = Millimetres(point.x) - Millimetres(previous.x);
        __int128 sy = Millimetres(point.y) + Millimetres(previous.y);
        if (point.found) {
            row << Right(ScaledDecimal(Millimetres(point.x), 3), 12)
                << Right(ScaledDecimal(Millimetres(point.y), 3), 12) << Right(ScaledDecimal(dx, 3), 9)
                << Right(ScaledDecimal(sy, 3), 12);
        }
        product = Right(ScaledDecimal(dx * sy, 6), 17);
    } else {
        long double dx = static_cast<long double>(point.x) - previous.x;
        long double sy = static_cast<long double>(point.y) + previous.y;
        if (point.found) {
            row << Sprintf("%12.3f", point.x) << Sprintf("%12.3f", point.y) << Sprintf("%9.3f", static_cast<double>(dx))
                << Sprintf("%12.3f", static_cast<double>(sy));
        }
        product = Sprintf("%17.6f", static_cast<double>(dx * sy) + 0.0); // + 0.0: never "-0.000000"
    }
    if (!point.found) {
        row << Left(Jp("  ** 座標リストにない点 **"), kCoordinateColumns);
    }
    row << product << Sprintf("%8.3f", side);
    return row.Text();
}

std::vector<ReportLine> ParcelAreaBlock(const std::string& name, const std::vector<RingPoint>& ring,
                                        const ParcelAreaFigures& figures,
                                        const std::optional<std::string>& categoryLine) {
    std::vector<ReportLine> lines;
    constexpr ReportLine::Role kHead = ReportLine::Role::Head; // repeated on a sheet the block runs onto
    lines.push_back({kIndent + name, ReportLine::Style::Body, kHead});
    lines.push_back({Rule(), ReportLine::Style::Body, kHead});
    lines.push_back({Jp("            点名            X           Y      X-Y(n-1)  Y+Y(n-1)         倍面積       辺長"),
                     ReportLine::Style::Body, kHead});
    lines.push_back({Rule(), ReportLine::Style::Body, kHead});
    for (size_t n = 1; n < ring.size(); ++n) {
        lines.push_back({AreaTableRow(ring[n], ring[n - 1])});
    }
    if (!ring.empty()) {
        lines.push_back({AreaTableRow(ring.front(), ring.back())});
    }
    lines.push_back({Rule()});
    lines.push_back({kFiguresIndent + AreaLine("倍面積", DoubleAreaText(figures))});
    lines.push_back(
        {kFiguresIndent + AreaLine("面　積", AreaText(figures.exact, figures.doubleAreaMm2, figures.area))});
    lines.push_back({kFiguresIndent + ChisekiLine("地　積", figures.chiseki)});
    lines.push_back({kFiguresIndent + TsuboLine("坪　数", figures.tsubo)});
    if (categoryLine) {
        lines.push_back({kFiguresIndent + *categoryLine});
    }
    std::vector<std::string> missing = MissingRingNames(ring);
    if (!missing.empty()) {
        for (const std::string& line : WrapAtCommas(Jp("※ ") + msg::MissingParcelPoints(missing, !ring.front().found),
                                                    kReportColumns - kIndent.size())) {
            lines.push_back({kIndent + line});
        }
    }
    lines.push_back({Rule()});
    lines.push_back({"", ReportLine::Style::Body, ReportLine::Role::End});
    return lines;
}

std::vector<std::string> AreaListLines(const BlockList& blocks, const std::vector<int>& positions,
                                       const XyzNameIndex& index, const ParcelCategoryOf& categoryOf) {
    std::vector<std::string> lines;
    AreaTotals totals;
    for (int p : positions) {
        const Block& block = blocks.At(p);
        std::vector<RingPoint> ring = ParcelRingPoints(block.NoList, index);
        ParcelAreaFigures figures = RingAreaFigures(ring);
        totals.Add(figures);
        lines.push_back(block.BlockName);
        if (std::vector<std::string> missing = MissingRingNames(ring); !missing.empty()) {
            lines.push_back(Jp("※ ") + msg::MissingParcelPoints(missing, !ring.front().found));
        }
        lines.push_back(AreaLine("面積", AreaText(figures.exact, figures.doubleAreaMm2, figures.area)));
        lines.push_back(ChisekiLine("地積", figures.chiseki));
        lines.push_back(TsuboLine("坪数", figures.tsubo));
        if (std::optional<std::string> registered = CategoryLine(categoryOf, block.BlockName, figures)) {
            lines.push_back(*registered);
        }
        lines.emplace_back();
    }
    lines.push_back(Jp("合計"));
    lines.push_back(AreaLine("面積", AreaText(totals.exact, totals.doubleAreasMm2, totals.area)));
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
        std::vector<ReportLine> parcel =
            ParcelAreaBlock(block.BlockName, ring, figures, CategoryLine(categoryOf, block.BlockName, figures));
        lines.insert(lines.end(), parcel.begin(), parcel.end());
    }
    lines.push_back({Rule()});
    lines.push_back({kFiguresIndent + Jp("合　計")});
    lines.push_back({kFiguresIndent + AreaLine("面　積", AreaText(totals.exact, totals.doubleAreasMm2, totals.area))});
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
        for (std::string& line : WrapAtCommas(block.NoList)) {
            lines.push_back({std::move(line)});
        }
        lines.push_back({});
    }
    return lines;
}

} // namespace vemo
