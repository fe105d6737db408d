#include "core/calc/CalcEntry.h"
#include "core/text/MessagesNotices.h"

#include "core/edit/NewPointNames.h"
#include "core/edit/PointName.h"
#include "core/edit/RegisteredName.h"
#include "core/store/CommaList.h"
#include "core/store/RegistrationRows.h"
#include "core/store/XyzList.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Bytes.h"
#include "core/text/Messages.h"
#include "core/text/MessagesCalc.h"
#include "core/text/Numbers.h"

#include <algorithm>
#include <cstdlib>

namespace vemo {

namespace {

long long NumberOf(std::string_view digits) {
    return digits.empty() ? 0 : std::strtoll(std::string(digits).c_str(), nullptr, 10);
}

} // namespace

std::string GridNameRefusal(const std::vector<std::string>& names, int row, std::string_view name, bool radial,
                            const XyzNameIndex& index, std::string_view grid) {
    if (row >= 2 && static_cast<size_t>(row - 2) < names.size() && names[row - 2] == name) {
        return grid.empty() ? msg::SameAsPreviousPoint() : msg::SameAsPreviousPointIn(name, grid);
    }
    if (radial && row != 2 && names.size() >= 2 && names[1] == name) {
        return msg::SameAsBasePoint();
    }
    if (!index.Find(name)) {
        return msg::NotFound(name);
    }
    return {};
}

std::vector<std::string> SerialEntryNames(std::string_view previous, std::string_view target,
                                          const XyzNameIndex& index) {
    const DigitRun from = SplitTrailingDigits(previous);
    const DigitRun to = SplitTrailingDigits(target);
    if (target == previous || !index.Find(target) || from.prefix != to.prefix) {
        return {};
    }
    const long long goal = NumberOf(to.digits);
    const bool up = NumberOf(from.digits) < goal;
    std::vector<std::string> names;
    std::string name(previous);
    // The number moves one step at a time towards the goal; a name in another width (A05 for A5) ends
    // the series when the number reaches the goal.
    while (names.size() < static_cast<size_t>(index.Count())) {
        name = NextPointName(name, up);
        if (name.empty() || !index.Find(name)) {
            break;
        }
        names.push_back(name);
        const long long number = NumberOf(SplitTrailingDigits(name).digits);
        if (name == target || (up ? number >= goal : number <= goal)) {
            break;
        }
    }
    return names;
}

std::string ProposeNewPointName(const XyzList& list) {
    return NameAfterLastCoordinateRow(list);
}

std::vector<int> RegisterCalcPoints(XyzList& list, const std::vector<CalcPoint>& points,
                                    const std::string& remarkCp932) {
    std::vector<NewPoint> rows;
    rows.reserve(points.size());
    for (const CalcPoint& p : points) {
        rows.push_back({p.name, Format3(p.point.x), Format3(p.point.y), "0.000", remarkCp932});
    }
    return RegisterNewPoints(list, rows, RegistrationAnchorRow(list) + 1);
}

int RegisterCalcPoint(XyzList& list, const std::string& name, PlanePoint point, const std::string& remarkCp932) {
    return RegisterCalcPoints(list, {{name, point}}, remarkCp932).front();
}

Block GridParcel(const std::vector<std::string>& gridNames, const XyzNameIndex& index, int parcelCount) {
    Block block;
    block.BlockName = "*" + std::to_string(parcelCount + 1);
    block.NoList = EncodeCommaList(gridNames);
    block.NoRowCount = static_cast<int>(gridNames.size());
    ComputeLabelPoint(block, index);
    return block;
}

} // namespace vemo
