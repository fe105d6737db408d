#include "core/store/Store.h"

namespace vemo {

std::string CaptionText(const CurrentNames& names) {
    if (!names.BlkName.empty()) {
        return names.CaseName + " - " + names.XyzName + " - " + names.BlkName + " [Vemo]";
    }
    if (!names.XyzName.empty()) {
        return names.CaseName + " - " + names.XyzName + " [Vemo]";
    }
    if (!names.CaseName.empty()) {
        return names.CaseName + " [Vemo]";
    }
    return "[Vemo]";
}

} // namespace vemo
