#include "core/geometry/Angles.h"
#include "core/geometry/Inverse.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsHeader.h"
#include "ui/traverse/TrvsGrid.h"
#include "ui/traverse/TrvsHeaderPanel.h"
#include "ui/traverse/TrvsPlot.h"
#include "ui/traverse/TrvsWindow.h"

#include <QApplication>
#include <QLineEdit>

namespace vemo {
namespace {

// The known direction between a picked point and the start or end point, packed D.MMSS: from the
// picked point for an incoming direction, towards it for an outgoing one.
std::string DirectionText(const TrvsPick& pick, const std::string& px, const std::string& py, bool incoming) {
    const double x = HeaderNumber(px);
    const double y = HeaderNumber(py);
    const Inverse inverse = incoming ? InversePoints(pick.x, pick.y, x, y) : InversePoints(x, y, pick.x, pick.y);
    return FormatFixed(DegToDms(inverse.direction.value_or(0.0)), 4);
}

} // namespace

// A point picked on the plot goes where the cursor is: into the start or end point with its
// coordinates, into a backsight or sighting point with the direction it gives, or into the
// instrument or backsight cell of the table, which then checks it as if it had been typed.
void TrvsWindow::TakePick(const TrvsPick& pick) {
    using F = TrvsHeaderPanel;
    const F::Field field = headerPanel_->FocusedField();
    auto focus = [this](F::Field next) { headerPanel_->FieldWidget(next)->setFocus(); };
    // A known station takes the picked point's name and coordinates.
    auto station = [&pick](std::string& no, std::string& x, std::string& y, std::string& z) {
        no = pick.name;
        x = Format3(pick.x);
        y = Format3(pick.y);
        z = Sprintf("%9.3f", pick.z);
    };
    switch (field) {
    case F::T0No:
    case F::T0X:
    case F::T0Y:
        station(header_.T0No, header_.T0X, header_.T0Y, header_.T0Z);
        headerPanel_->Push();
        focus(F::T1No);
        return;
    case F::T1No:
    case F::T1Angle:
        header_.T1No = pick.name;
        header_.T1Angle = DirectionText(pick, header_.T0X, header_.T0Y, header_.startIncoming);
        headerPanel_->Push();
        if (header_.TrvsType == kTrvsConnected) {
            focus(F::T2No);
        } else {
            grid_->setFocus();
        }
        return;
    case F::T2No:
    case F::T2X:
    case F::T2Y:
        station(header_.T2No, header_.T2X, header_.T2Y, header_.T2Z);
        headerPanel_->Push();
        focus(F::T3No);
        return;
    case F::T3No:
    case F::T3Angle:
        header_.T3No = pick.name;
        header_.T3Angle = DirectionText(pick, header_.T2X, header_.T2Y, header_.endIncoming);
        headerPanel_->Push();
        grid_->setFocus();
        return;
    default:
        break;
    }
    const int col = grid_->CurrentCol();
    const bool tableFocused = grid_->hasFocus() || grid_->isAncestorOf(QApplication::focusWidget());
    if (tableFocused && grid_->StationInput() && (col == kTrvColInst || col == kTrvColBack)) {
        table_.SetCell(grid_->CurrentRow(), col, pick.name);
        grid_->Refill();
        grid_->setFocus();
        grid_->LeaveCell();
    }
}

} // namespace vemo
