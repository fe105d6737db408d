#include "core/division/RegisterDivision.h"

#include "core/edit/NewPointNames.h"
#include "core/edit/PointName.h"
#include "core/edit/RegisteredName.h"
#include "core/store/CommaList.h"
#include "core/store/RegistrationRows.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "core/text/Messages.h"
#include "core/text/MessagesCalc.h"
#include "core/text/Numbers.h"

#include <algorithm>

namespace vemo {

namespace {

void CheckParcelName(const Store& store, const std::string& name) {
    if (name.empty()) {
        throw Error(msg::ParcelNumberMissing());
    }
    const auto& blocks = store.blocks.All();
    if (std::any_of(blocks.begin(), blocks.end(), [&](const Block& b) { return b.BlockName == name; })) {
        throw Error(msg::ParcelNumberTaken(name));
    }
}

void AddParcel(Store& store, const DivisionPart& part, const DivisionRegistration& names, const std::string& name) {
    Block block;
    block.BlockName = name;
    std::vector<std::string> items = NamedPart(part, names.p1Name, names.p2Name);
    items.emplace_back(); // the list ends with a comma, as the parcel editor writes it
    block.NoList = EncodeCommaList(items);
    block.NoRowCount = DivisionPartRowCount(part);
    ComputeLabelPoint(block, store.Index());
    store.blocks.Add(std::move(block));
}

} // namespace

DivisionRegistration SuggestDivisionNames(const Store& store) {
    DivisionRegistration names;
    names.p1Name = NameAfterLastCoordinateRow(store.xyz);
    names.p2Name = NextPointName(names.p1Name, true);
    const int count = store.blocks.Count();
    if (count == 0) {
        names.securedParcelName = "1";
        names.remainderParcelName = "2";
    } else {
        names.securedParcelName = NextPointName(store.blocks.At(count - 1).BlockName, true);
        names.remainderParcelName = NextPointName(names.securedParcelName, true);
    }
    return names;
}

std::string DivisionPointText(double metres) {
    return Sprintf("%11.3f", metres);
}

int DivisionPartRowCount(const DivisionPart& part) {
    return static_cast<int>(part.names.size()) + 1;
}

std::vector<std::string> NamedPart(const DivisionPart& part, const std::string& p1Name, const std::string& p2Name) {
    std::vector<std::string> names = part.names;
    for (const auto& [placeholder, name] : {std::pair{kP1Placeholder, &p1Name}, std::pair{kP2Placeholder, &p2Name}}) {
        auto it = std::find(names.begin(), names.end(), placeholder);
        if (it != names.end()) {
            *it = *name;
        }
    }
    return names;
}

void CheckDivisionNames(const Store& store, const DivisionResult& result, const DivisionRegistration& names) {
    const bool newP1 = result.p1Vertex.empty(), newP2 = result.p2 && result.p2Vertex.empty();
    if (newP1 && newP2 && !names.p1Name.empty() && names.p2Name == names.p1Name) {
        throw Error(msg::SameNameForP1AndP2());
    }
    NewPointNames pointNames(store.xyz);
    if (newP1) {
        pointNames.Claim(names.p1Name);
    }
    if (newP2) {
        pointNames.Claim(names.p2Name);
    }
    if (names.keepSecured) {
        CheckParcelName(store, names.securedParcelName);
    }
    if (names.keepRemainder) {
        CheckParcelName(store, names.remainderParcelName);
    }
    if (names.keepSecured && names.keepRemainder && names.securedParcelName == names.remainderParcelName) {
        throw Error(msg::SameNumberForBothParts());
    }
    // Checked before anything is written, so a full parcel list never leaves the points without parcels.
    if (store.blocks.Count() + int{names.keepSecured} + int{names.keepRemainder} > kMaxBlocks) {
        throw Error(msg::TooManyParcels(kMaxBlocks, msg::Refused::Add));
    }
}

void RegisterDivision(Store& store, const DivisionResult& result, const DivisionRegistration& names) {
    CheckDivisionNames(store, result, names);
    const std::string remark = Jp("面分");
    // A corner the dividing line passes through is already in the list: only new points are written.
    std::vector<NewPoint> points;
    if (result.p1Vertex.empty()) {
        points.push_back({names.p1Name, Format3(result.p1.x), Format3(result.p1.y), "0.000", remark});
    }
    if (result.p2 && result.p2Vertex.empty()) {
        points.push_back({names.p2Name, Format3(result.p2->x), Format3(result.p2->y), "0.000", remark});
    }
    if (!points.empty()) {
        RegisterNewPoints(store.xyz, points, std::max(RegistrationAnchorRow(store.xyz), 1) + 1);
        store.RebuildNameIndex();
    }
    if (names.keepSecured) {
        AddParcel(store, result.secured, names, names.securedParcelName);
    }
    if (names.keepRemainder) {
        AddParcel(store, result.remainder, names, names.remainderParcelName);
    }
}

} // namespace vemo
