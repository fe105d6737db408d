// 登録 of the construction tabs: the result points go into the coordinate list under the names of the
// result panel, each with the remark of its construction.
#include "ui/calc/ConstructionPage.h"

#include "core/calc/CalcEntry.h"
#include "core/edit/PointName.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "ui/calc/CalcFields.h"
#include "ui/calc/CalcGroups.h"
#include "ui/calc/ResultPanel.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Cp932Text.h"

#include <QPushButton>

namespace vemo {

namespace {

using Type = ConstructionPage::Type;

std::string Remark(Type type) {
    switch (type) {
    case Type::Offset:
        return "OffSet";
    case Type::Foot:
        return Jp("垂線");
    case Type::CornerCut:
        return Jp("隅切");
    case Type::ParallelShift:
        return Jp("平移");
    default:
        return Jp("交点");
    }
}

} // namespace

void ConstructionPage::registerResults() {
    if (!host_.store) {
        return;
    }
    registering_ = true;
    const bool registered = RunCommand(
        [this] {
            const std::string remark = Remark(type_);
            // An empty name or value ends the registration where it stands; the names are checked
            // together, so a refused one registers nothing.
            std::vector<CalcPoint> points;
            for (int i = 0; i < 2; ++i) {
                const std::string name = ToCp932OrThrow(panel_->name(i));
                if (!panel_->wanted(i)) {
                    continue;
                }
                if (name.empty() || !panel_->hasValue(i) || i >= static_cast<int>(results_.size())) {
                    break;
                }
                points.push_back({name, results_[i]});
                if (type_ == Type::ParallelShift) {
                    // The corners after the first follow under the names after P1's.
                    std::string next = name;
                    for (size_t k = 1; k < results_.size(); ++k) {
                        next = NextPointName(next, true);
                        points.push_back({next, results_[k]});
                    }
                }
            }
            RegisterCalcPoints(host_.store->xyz, points, remark);
            if (host_.pointsRegistered) {
                host_.pointsRegistered();
            }
        },
        this, QStringLiteral("座標登録"));
    registering_ = false;
    // A refused name keeps the results and names, so the surveyor can change the name and try again.
    if (registered) {
        resetAfterRegistration();
    }
}

void ConstructionPage::resetAfterRegistration() {
    panel_->clearValues();
    results_.clear();
    switch (type_) {
    case Type::LineLine:
        line2_->clear();
        line2_->first->setFocus();
        break;
    case Type::LineCircle:
        circle1_->clear();
        break;
    case Type::CircleCircle:
    case Type::ParallelShift:
        clear();
        break;
    case Type::Offset:
        along_->reset();
        across_->reset();
        break;
    case Type::Foot:
        base_->setName({});
        break;
    case Type::CornerCut:
        for (CalcNameEdit* field : corner_) {
            field->setName({});
        }
        cornerLength_->reset();
        break;
    }
    setOverlay({});
}

void ConstructionPage::registerCircleCentre() {
    if (!host_.store || !threePointCentre_ || !circle1_ || !circle1_->p3) {
        return;
    }
    RunCommand(
        [this] {
            const std::string name = circle1_->p3->name();
            if (name.empty()) {
                return;
            }
            RegisterCalcPoint(host_.store->xyz, name, threePointCentre_->centre, Jp("3点円中心"));
            if (host_.pointsRegistered) {
                host_.pointsRegistered();
            }
        },
        this, QStringLiteral("中心点座標登録"));
}

} // namespace vemo
