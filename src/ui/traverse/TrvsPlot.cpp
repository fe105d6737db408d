#include "ui/traverse/TrvsPlot.h"

#include "core/settings/Settings.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsState.h"
#include "core/traverse/TrvsTable.h"
#include "ui/common/Hint.h"
#include "ui/plot/PlotCanvas.h"
#include "ui/plot/PlotGestureOverlay.h"
#include "ui/plot/PlotPick.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>

#include <cmath>
#include <cstring>
#include <numbers>

namespace vemo {
namespace {

// Direction from A to B in degrees clockwise from north, 0 .. 360.
double DirectionDeg(double ax, double ay, double bx, double by) {
    double deg = std::atan2(by - ay, bx - ax) * 180.0 / std::numbers::pi;
    return deg < 0 ? deg + 360.0 : deg;
}

// Halfway between two colours of the settings file, as the 24-bit numbers are averaged: the existing
// points fade towards the background so that the traverse stands out.
int Dimmed(int colour, int back) {
    return (colour + back) / 2;
}

bool Filled(const TrvsTable& table, int row) {
    for (int col : {kTrvColTarget, kTrvColHAngle, kTrvColVAngle, kTrvColSlope}) {
        if (table.Cell(row, col).empty()) {
            return false;
        }
    }
    return true;
}

} // namespace

TrvsPlot::TrvsPlot(Store& store, TrvsState& state, const TrvsHeader& header, const TrvsTable& table, QWidget* parent)
    : QWidget(parent), store_(store), state_(state), header_(header), table_(table) {
    setMinimumSize(200, 200);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A right press may be half of a chord; no menu of the window around may open on it.
    setContextMenuPolicy(Qt::PreventContextMenu);
    hintLabel_ = new PlotHintLabel(this);
    qRegisterMetaType<TrvsPick>();
    store_.xyz.AddObserver(this);
}

TrvsPlot::~TrvsPlot() {
    store_.xyz.RemoveObserver(this);
}

QWidget* TrvsPlot::ButtonBar() {
    if (bar_ != nullptr) {
        return bar_;
    }
    bar_ = new QWidget(parentWidget());
    auto* layout = new QHBoxLayout(bar_);
    layout->setContentsMargins(0, 0, 0, 0);
    auto make = [this, layout](const char* caption, const char* hint) {
        auto* button = new QToolButton(bar_);
        button->setText(QString::fromUtf8(caption));
        vemo::SetHint(button, QString::fromUtf8(hint));
        button->setCheckable(true);
        button->setChecked(true);
        layout->addWidget(button);
        return button;
    };
    lines_ = make("線", "放射線On/Off|トラバースイメージ上の放射線をOn/Offします");
    existing_ = make("既存点", "既存点On/Off|座標リストに登録されている既存点の描画をOn/Offします");
    realTime_ = make("描画", "RealTimeDrawOn/Off|キーボード入力と同時にイメージに反映します");
    layout->addStretch();
    connect(lines_, &QToolButton::clicked, this, qOverload<>(&QWidget::update));
    connect(existing_, &QToolButton::clicked, this, qOverload<>(&QWidget::update));
    connect(realTime_, &QToolButton::clicked, this, &TrvsPlot::recomputeRequested);
    return bar_;
}

bool TrvsPlot::RealTimeDrawing() const {
    return realTime_ == nullptr || realTime_->isChecked();
}
bool TrvsPlot::LinesShown() const {
    return lines_ == nullptr || lines_->isChecked();
}
bool TrvsPlot::ExistingShown() const {
    return existing_ == nullptr || existing_->isChecked();
}

void TrvsPlot::SetOptions(const TrvsOptions& options, const Settings& settings) {
    options_ = options;
    settings_ = PlotSettingsFrom(settings);
    existingValid_ = false;
    update();
}

void TrvsPlot::NewShowing() {
    view_.scale = 1.0;
    prevView_ = {};
    fitted_.reset();
    gesture_ = PlotGestureState{};
    SetHint(QStringLiteral("|"));
    if (auto extents = store_.IndexForDrawing().Extents(); !ExtentsEmpty(extents)) {
        state_.TrvsExtents = extents;
    }
    update();
}

void TrvsPlot::Fit() {
    const XyzExtents& e = state_.TrvsExtents;
    if (e.maxX - e.minX < kEmptyExtent || e.maxY - e.minY < kEmptyExtent) {
        update();
        return;
    }
    FitExtents();
}

// The traverse and the coordinate list fill the plot with 15 % to spare; a changed scale keeps the
// view before it as the previous view.
void TrvsPlot::FitExtents(bool remember) {
    const XyzExtents& e = state_.TrvsExtents;
    const double dx = e.maxX - e.minX;
    const double dy = e.maxY - e.minY;
    const PlotViewRecord saved = view_.Record(nameSize_);
    view_.width = width();
    view_.height = height();
    view_.centreX = (e.maxX + e.minX) / 2;
    view_.centreY = (e.maxY + e.minY) / 2;
    view_.CentrePixels();
    view_.scale = FitScale(dx, dy, width(), height(), true);
    nameSize_ = settings_.smallFont;
    if (remember && view_.scale != saved.scale) {
        prevView_ = saved;
    }
    fitted_ = view_;
    update();
}

void TrvsPlot::resizeEvent(QResizeEvent*) {
    view_.width = width();
    view_.height = height();
}

// The 計算簿 shown or hidden beside the plot changes the plot's size under a fitted traverse: fitted
// again, the whole traverse stays in sight.  A view the surveyor zoomed or moved since is left alone.
void TrvsPlot::KeepFitted() {
    if (fitted_ && fitted_->scale == view_.scale && fitted_->centreX == view_.centreX &&
        fitted_->centreY == view_.centreY && fitted_->pixelCentreX == view_.pixelCentreX &&
        fitted_->pixelCentreY == view_.pixelCentreY) {
        FitExtents(false);
    }
}

void TrvsPlot::RenderExistingLayer() {
    const QSize size = this->size().expandedTo(QSize(1, 1));
    if (existingLayer_.size() != size) {
        existingLayer_ = QImage(size, QImage::Format_RGB32);
    }
    existingLayer_.fill(ColourFromBgr(settings_.backColour));
    drawn_.Clear();
    if (ExistingShown()) {
        PaintExisting(existingLayer_);
    }
}

void TrvsPlot::paintEvent(QPaintEvent*) {
    view_.width = width();
    view_.height = height();
    const ExistingLayerKey key{view_, nameSize_, ExistingShown()};
    if (!existingValid_ || key != existingKey_) {
        RenderExistingLayer();
        existingKey_ = key;
        existingValid_ = true;
    }
    // The frame's buffer is kept between paints: the cross-hair alone repaints at every mouse move.
    if (frame_.size() != existingLayer_.size()) {
        frame_ = QImage(existingLayer_.size(), existingLayer_.format());
    }
    std::memcpy(frame_.bits(), existingLayer_.constBits(), static_cast<size_t>(existingLayer_.sizeInBytes()));
    {
        QPainter painter(&frame_);
        PaintTraverse(painter);
        if (LinesShown() && state_.TrvsPointCount > 0) {
            PaintLines(painter);
        }
        PaintGestureOverlay(painter, gesture_, crossHair_, settings_, size());
    }
    QPainter(this).drawImage(0, 0, frame_);
}

void TrvsPlot::PaintExisting(QImage& image) {
    if (ExtentsEmpty(store_.IndexForDrawing().Extents())) {
        return;
    }
    PlotSettings dimmed = settings_;
    dimmed.circleColour = Dimmed(settings_.circleColour, settings_.backColour);
    dimmed.nameColour = Dimmed(settings_.nameColour, settings_.backColour);
    dimmed.initials = {}; // one dimmed colour for every name
    PlotPointsRenderer::Options options;
    options.circle = nameSize_ == settings_.smallFont ? settings_.smallCircle : settings_.bigCircle;
    options.fontSize = nameSize_;
    renderer_.Render(image, store_.IndexForDrawing(), view_, dimmed, options, drawn_);
}

void TrvsPlot::PaintTraverse(QPainter& painter) {
    const int d = nameSize_ == settings_.smallFont ? settings_.smallCircle : settings_.bigCircle;
    painter.setFont(PlotNameFont(nameSize_));
    const QColor circle = ColourFromBgr(settings_.circleColour);
    const QColor name = ColourFromBgr(settings_.nameColour);
    const TrvsPoints& raw = state_.TrvsRawPoints;
    for (int slot : state_.PlottedSlots()) {
        if (!view_.IsVisible(raw.x[slot], raw.y[slot])) {
            continue;
        }
        const PlotPixel p = view_.ToPixel(raw.x[slot], raw.y[slot]);
        painter.setPen(circle);
        DrawPointCircle(painter, p, d);
        painter.setPen(name);
        const QPoint topLeft = PointNameTopLeft(p, d);
        painter.drawText(QRect(topLeft, QSize(400, 100)), Qt::AlignLeft | Qt::AlignTop, PlotText(raw.name[slot]));
    }
}

// A row's own instrument or backsight: a point of the coordinate list, or else a point computed
// before the row.
bool TrvsPlot::SlotPoint(const std::string& name, int beforeRow, double& x, double& y) const {
    if (auto found = store_.IndexForDrawing().Find(name)) {
        x = found->x;
        y = found->y;
        return true;
    }
    for (int slot = 0; slot < beforeRow && slot < kTrvsSlots - 2; ++slot) {
        if (state_.TrvsRawPoints.name[slot] == name) {
            x = state_.TrvsRawPoints.x[slot];
            y = state_.TrvsRawPoints.y[slot];
            return true;
        }
    }
    return false;
}

void TrvsPlot::PaintLines(QPainter& painter) {
    PlotCanvas canvas(painter, view_, settings_, store_.IndexForDrawing(), nameSize_, true);
    const TrvsPoints& raw = state_.TrvsRawPoints;
    const int dColour = static_cast<int>(options_.DColor);
    const TrvsMarker start = state_.startMarker;
    canvas.DrawSegment(raw.x[0], raw.y[0], start.x, start.y, dColour, PlotLineStyle::Dotted);
    canvas.DrawArrowHead(start.x, start.y, DirectionDeg(raw.x[0], raw.y[0], start.x, start.y), dColour);
    double fx = raw.x[0];
    double fy = raw.y[0];
    int lastLeg = 0;
    for (int row = 1; row < table_.RowCount() && row < kTrvsSlots - 2; ++row) {
        if (!Filled(table_, row)) {
            continue;
        }
        const std::string& instrument = table_.Cell(row, kTrvColInst);
        if (!instrument.empty() && !SlotPoint(instrument, row, fx, fy)) {
            continue;
        }
        const std::string& tm = table_.Cell(row, kTrvColTm);
        if (tm != "K") {
            if (lastLeg > 0) {
                fx = raw.x[lastLeg];
                fy = raw.y[lastLeg];
            }
            lastLeg = row;
        }
        const int colour = static_cast<int>(tm == "T"   ? options_.TColor
                                            : tm == "O" ? options_.OColor
                                                        : options_.KColor);
        canvas.DrawSegment(raw.x[row], raw.y[row], fx, fy, colour);
        if (tm == "T" || tm == "O") {
            canvas.DrawArrowHead(fx, fy, DirectionDeg(raw.x[row], raw.y[row], fx, fy), colour);
        }
    }
    for (int row = 1; row < table_.RowCount() && row < kTrvsSlots - 2; ++row) {
        double ix = 0, iy = 0, bx = 0, by = 0;
        if (table_.Cell(row, kTrvColTm) == "K" && !table_.Cell(row, kTrvColInst).empty() &&
            SlotPoint(table_.Cell(row, kTrvColInst), row, ix, iy) &&
            SlotPoint(table_.Cell(row, kTrvColBack), row, bx, by)) {
            canvas.DrawSegment(bx, by, ix, iy, static_cast<int>(options_.KTColor));
            canvas.DrawArrowHead(bx, by, DirectionDeg(ix, iy, bx, by), static_cast<int>(options_.KTColor));
        }
    }
    if (state_.hasEndMarker && state_.endPointSlot > 0) {
        const double ex = raw.x[state_.endPointSlot];
        const double ey = raw.y[state_.endPointSlot];
        const TrvsMarker end = state_.endMarker;
        canvas.DrawSegment(ex, ey, end.x, end.y, dColour, PlotLineStyle::Dotted);
        canvas.DrawArrowHead(end.x, end.y, DirectionDeg(ex, ey, end.x, end.y), dColour);
    }
}

TrvsPick TrvsPlot::Pick(double worldX, double worldY) const {
    TrvsPick pick;
    double best = 0;
    const TrvsPoints& raw = state_.TrvsRawPoints;
    auto distance2 = [&](double x, double y) { return (x - worldX) * (x - worldX) + (y - worldY) * (y - worldY); };
    bool picked = false;
    for (int slot : state_.PlottedSlots()) {
        const double d2 = distance2(raw.x[slot], raw.y[slot]);
        if (!picked || d2 < best) {
            pick = {raw.name[slot], raw.x[slot], raw.y[slot], 0};
            best = d2;
            picked = true;
        }
    }
    if (!ExistingShown()) {
        return pick;
    }
    const std::optional<int> nearest = PickNearestPoint(drawn_, worldX, worldY);
    if (nearest && (!picked || distance2(drawn_.x[*nearest], drawn_.y[*nearest]) < best)) {
        const std::string& name = drawn_.names[*nearest];
        const int row = FindPointRow(store_.xyz, 0, name, 0);
        const std::optional<double> z = row > 0 ? TryStrToFloat(store_.xyz.Cell(row, kColZ)) : std::nullopt;
        pick = {name, drawn_.x[*nearest], drawn_.y[*nearest], z.value_or(0.0)};
    }
    return pick;
}

} // namespace vemo
