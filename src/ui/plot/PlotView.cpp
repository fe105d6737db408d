#include "ui/plot/PlotView.h"

#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Hint.h"
#include "ui/plot/PlotGestureOverlay.h"

#include <QGuiApplication>
#include <QPainter>
#include <QResizeEvent>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vemo {

namespace {

template <typename T> void InsertOrdered(std::vector<T>& list, T entry) {
    auto at =
        std::upper_bound(list.begin(), list.end(), entry, [](const T& a, const T& b) { return a.order < b.order; });
    list.insert(at, entry);
}

// Text in points on the picture comes out as large as the widgets' text on this screen (an image has
// 96 dpi of its own).
void MatchScreenDpi(QImage& image, const QWidget& widget) {
    constexpr double kInchesPerMetre = 1 / 0.0254;
    image.setDotsPerMeterX(static_cast<int>(std::lround(widget.logicalDpiX() * kInchesPerMetre)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(widget.logicalDpiY() * kInchesPerMetre)));
}

} // namespace

PlotView::PlotView(Store& store, QWidget* parent) : QWidget(parent), store_(store) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The context menu opens on the release of the right button, so that a right press can still
    // become half of a chord gesture.
    setContextMenuPolicy(Qt::PreventContextMenu);
    SetSettings(PlotSettings{}, true);
    view_.scale = 1.0;
    hintLabel_ = new PlotHintLabel(this);
}

PlotView::~PlotView() = default;

void PlotView::SetSettings(const PlotSettings& settings, bool takeSwitches) {
    const bool wasOverview = nameSize_ == settings_.smallFont;
    settings_ = settings;
    nameSize_ = wasOverview ? settings_.smallFont : settings_.bigFont;
    if (takeSwitches) {
        pointNamesOn_ = settings_.namesInOverview;
        parcelsOn_ = settings_.parcels;
        parcelNamesOn_ = settings_.parcelNames;
    }
    RePaint();
}

void PlotView::AddClickTarget(PlotClickTarget* target, int order) {
    RemoveClickTarget(target);
    InsertOrdered(targets_, Ordered<PlotClickTarget>{target, order});
}

void PlotView::RemoveClickTarget(PlotClickTarget* target) {
    std::erase_if(targets_, [&](const auto& entry) { return entry.item == target; });
}

void PlotView::AddLayer(PlotLayer* layer, int order) {
    RemoveLayer(layer);
    InsertOrdered(layers_, Ordered<PlotLayer>{layer, order});
    update();
}

void PlotView::RemoveLayer(PlotLayer* layer) {
    std::erase_if(layers_, [&](const auto& entry) { return entry.item == layer; });
    update();
}

void PlotView::SetView(double centreX, double centreY, double scale) {
    view_.centreX = centreX;
    view_.centreY = centreY;
    view_.scale = scale;
    RePaint();
}

void PlotView::CentrePixelsOnNewArea() {
    view_.width = width();
    view_.height = height();
    view_.CentrePixels();
    RePaint();
}

void PlotView::CoordinatesLoaded() {
    plotState_ = PlotStates::kNeedsFit;
    prevView_ = PlotViewRecord{};
    fitted_.reset();
    followEntry_ = !store_.xyz.HasData();
    if (isVisible()) {
        FitOnShow();
    } else {
        RePaint();
    }
}

void PlotView::FitOnShow(bool openAdd) {
    if (plotState_ != PlotStates::kNeedsFit && !openAdd) {
        return;
    }
    if (!RebuildIndex()) {
        return;
    }
    plotState_ = PlotStates::kFitted;
    const PlotViewRecord old = view_.Record(nameSize_);
    if (const auto fit = FitViewport(store_.Index().Extents(), width(), height())) {
        view_ = *fit;
        nameSize_ = settings_.smallFont;
        if (view_.scale <= old.scale - 1e-6) {
            prevView_ = old;
        }
        RememberFit();
    }
    RePaint();
}

void PlotView::FollowNewPoints() {
    if (!followEntry_) {
        return;
    }
    // A view the user chose (zoom, pan) ends the following.
    if (fitted_ && !ViewIsFitted()) {
        followEntry_ = false;
        return;
    }
    if (!RebuildIndex()) {
        return;
    }
    if (const auto fit = FitViewport(store_.Index().Extents(), width(), height())) {
        view_ = *fit;
        nameSize_ = settings_.smallFont;
        plotState_ = PlotStates::kFitted;
        RememberFit();
        RePaint();
    }
}

void PlotView::RememberFit() {
    fitted_ = FittedRegion{store_.Index().Extents(), view_.Record(nameSize_)};
}

bool PlotView::ViewIsFitted() const {
    return fitted_ && fitted_->view.scale == view_.scale && fitted_->view.centreX == view_.centreX &&
           fitted_->view.centreY == view_.centreY;
}

bool PlotView::RebuildIndex() {
    return RunCommand([this] { store_.Index(); }, this);
}

void PlotView::RePaint() {
    overlays_.clear();
    baseValid_ = false;
    update();
}

void PlotView::DataChanged() {
    baseValid_ = false;
    update();
}

void PlotView::ZoomIn() {
    view_.scale *= 1.5;
    RePaint();
}

void PlotView::ZoomOut() {
    view_.scale *= 0.8;
    RePaint();
}

bool PlotView::FitAll() {
    const auto fit = FitViewport(store_.Index().Extents(), width(), height());
    if (!fit) {
        return false;
    }
    view_ = *fit;
    if (rangeOn_) {
        view_.centreX = rememberedView_.centreX;
        view_.centreY = rememberedView_.centreY;
        view_.scale = rememberedView_.scale;
    }
    nameSize_ = settings_.smallFont;
    if (rangeOn_) {
        fitted_.reset();
    } else {
        RememberFit();
    }
    RePaint();
    return true;
}

void PlotView::FitAllPoints() {
    if (!RebuildIndex()) {
        return;
    }
    const auto fit = FitViewport(store_.Index().Extents(), width(), height());
    if (!fit) {
        return;
    }
    const PlotViewRecord saved = view_.Record(nameSize_);
    view_ = *fit;
    nameSize_ = settings_.smallFont;
    plotState_ = PlotStates::kFitted;
    if (view_.scale != saved.scale) {
        prevView_ = saved;
    }
    RememberFit();
    RePaint();
}

void PlotView::SetRangeRemembered(bool on) {
    rangeOn_ = on;
    if (on) {
        rememberedView_ = view_.Record(0);
    }
}

void PlotView::SetParcelsShown(bool on) {
    parcelsOn_ = on;
    if (store_.blocks.Count() > 0 && !(host_ && host_->ParcelEditorShown())) {
        RePaint();
    }
}

void PlotView::SetParcelNamesShown(bool on) {
    parcelNamesOn_ = on;
    if (store_.blocks.Count() > 0) {
        RePaint();
    }
}

void PlotView::SetPointNamesShown(bool on) {
    pointNamesOn_ = on;
    if (nameSize_ == settings_.smallFont) {
        RePaint();
    }
}

void PlotView::Draw(std::function<void(PlotCanvas&)> draw) {
    overlays_.push_back(std::move(draw));
    update();
}

void PlotView::HighlightPoint(const std::string& name) {
    if (!store_.FindPointXY(name)) {
        return;
    }
    highlighted_ = name;
    Draw([name](PlotCanvas& canvas) { canvas.HighlightPoint(name); });
}

void PlotView::UnhighlightPoint() {
    if (highlighted_.empty()) {
        return;
    }
    const std::string name = std::exchange(highlighted_, std::string());
    Draw([name](PlotCanvas& canvas) { canvas.DrawPointNormally(name); });
}

QSize PlotView::DevicePixelSize() const {
    return (size() * devicePixelRatioF()).expandedTo(QSize(1, 1));
}

void PlotView::RenderBase() {
    // The picture has the screen's own pixels (twice the logical ones at 200 %), so that names and
    // lines are drawn at its resolution instead of enlarged.
    const QSize size = DevicePixelSize();
    if (base_.size() != size || base_.devicePixelRatio() != devicePixelRatioF()) {
        base_ = QImage(size, QImage::Format_RGB32);
        base_.setDevicePixelRatio(devicePixelRatioF());
        MatchScreenDpi(base_, *this);
    }
    PlotSceneState state;
    state.view = view_;
    state.nameSize = nameSize_;
    state.pointNames = pointNamesOn_;
    state.hideNames = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
    state.parcels = parcelsOn_;
    state.parcelNames = parcelNamesOn_;
    state.editorShown = host_ && host_->ParcelEditorShown();
    state.namedFirst = NamedFirst();
    scene_.Render(base_, store_, settings_, state);
    baseNamedFirst_ = std::move(state.namedFirst);
    baseValid_ = true;
}

std::vector<std::string> PlotView::NamedFirst() const {
    std::vector<std::string> names;
    if (!highlighted_.empty()) {
        names.push_back(highlighted_);
    }
    if (host_) {
        if (std::string cursorPoint = host_->ListCursorPointName(); !cursorPoint.empty()) {
            names.push_back(std::move(cursorPoint));
        }
    }
    return names;
}

void PlotView::paintEvent(QPaintEvent*) {
    // The marked and the current point keep room for their names among the crowd of the others.
    if (!baseValid_ || base_.size() != DevicePixelSize() || NamedFirst() != baseNamedFirst_) {
        RenderBase();
    }
    // The frame is the base picture with everything drawn over it; its buffer is kept between paints,
    // since the cross-hair alone repaints at every move of the mouse.
    if (frame_.size() != base_.size() || frame_.logicalDpiY() != base_.logicalDpiY()) {
        frame_ = QImage(base_.size(), base_.format());
        MatchScreenDpi(frame_, *this);
    }
    if (frame_.devicePixelRatio() != base_.devicePixelRatio()) {
        frame_.setDevicePixelRatio(base_.devicePixelRatio());
    }
    std::memcpy(frame_.bits(), base_.constBits(), static_cast<size_t>(base_.sizeInBytes()));
    {
        QPainter painter(&frame_);
        if (!ExtentsEmpty(store_.IndexForDrawing().Extents())) {
            PaintOverlays(painter);
        }
        PaintGestureOverlay(painter, gesture_, crossHair_, settings_, size());
    }
    QPainter(this).drawImage(0, 0, frame_);
}

void PlotView::PaintOverlays(QPainter& painter) {
    PlotCanvas canvas(painter, view_, settings_, store_.IndexForDrawing(), nameSize_, pointNamesOn_);
    if (host_) {
        const std::string cursorPoint = host_->ListCursorPointName();
        if (!cursorPoint.empty()) {
            canvas.HighlightPoint(cursorPoint);
        }
    }
    for (const auto& layer : layers_) {
        layer.item->PaintLayer(canvas);
    }
    for (const auto& draw : overlays_) {
        draw(canvas);
    }
}

void PlotView::resizeEvent(QResizeEvent* event) {
    view_.width = event->size().width();
    view_.height = event->size().height();
    // While the plot waits for its first fit the fit sets the pixel centre itself.
    if (plotState_ != PlotStates::kNeedsFit) {
        view_.CentrePixels();
    }
    // A fitted view stays fitted when a panel beside the plot takes or gives back room.
    if (ViewIsFitted()) {
        if (const auto fit = FitViewport(fitted_->extents, view_.width, view_.height)) {
            view_ = *fit;
            fitted_->view = view_.Record(nameSize_);
        }
    }
    RePaint();
}

void PlotView::showEvent(QShowEvent*) {
    crossHair_.reset();
    if (plotState_ == PlotStates::kNeedsFit && store_.xyz.HasData() && !fitPending_) {
        // The area gets its real size only when the window lays it out after this event: fit then.
        fitPending_ = true;
        QTimer::singleShot(0, this, [this] {
            fitPending_ = false;
            if (isVisible()) {
                FitOnShow();
            }
        });
    }
}

void PlotView::hideEvent(QHideEvent*) {
    crossHair_.reset();
}

void PlotView::SetHint(const QString& hint) {
    if (hint == hint_) {
        return;
    }
    hint_ = hint;
    // Shown at once where the pointer is, in the colour of what the drag would do: a tooltip would
    // wait for the mouse to rest, and a drag never rests.
    hintLabel_->ShowHint(hint, pointer_);
    const HintParts parts = SplitHint(hint);
    emit hintChanged(parts.shortPart, parts.longPart);
}

} // namespace vemo
