#pragma once

#include "ui/plot/PlotCanvas.h"
#include "ui/plot/PlotGestures.h"
#include "ui/plot/PlotHooks.h"
#include "ui/plot/PlotScene.h"
#include "ui/plot/PlotSettings.h"
#include "ui/plot/PlotViewport.h"
#include "ui/plot/PlotWheelFilter.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QMenu;

namespace vemo {

class Store;

// What the plot did last with the mouse (PlotState), and whether it waits for a fit.
enum class PlotStates {
    kIdle,
    kFitted,
    kReduced,
    kPrevious,
    kRectangle,
    kFitRebuilt, // a chord fit that checks the list first
    kNeedsFit,   // new coordinates: fit all points when next shown
};

class PlotHintLabel;

// The point plot ("測点イメージ"): a map in surveying axes (X north up, Y east right) of the points of
// the coordinate list, the registered parcels and whatever the tools draw on it, driven by the mouse.
//
// Drawing operations called by the tools are kept as a list and replayed over the base picture at
// every paint, because the window system repaints whenever it likes; a repaint the plot itself asks
// for (a view command, a changed view) starts from a clean picture, as the paint procedure lists it.
class PlotView : public QWidget {
    Q_OBJECT

public:
    explicit PlotView(Store& store, QWidget* parent = nullptr);
    ~PlotView() override;

    // Colours and sizes; with `takeSwitches` also the start-up states of the three display toggles.
    void SetSettings(const PlotSettings& settings, bool takeSwitches = false);
    const PlotSettings& Settings() const { return settings_; }
    void SetHost(PlotHost* host) { host_ = host; }
    void AddClickTarget(PlotClickTarget* target, int order);
    void RemoveClickTarget(PlotClickTarget* target);
    void AddLayer(PlotLayer* layer, int order);
    void RemoveLayer(PlotLayer* layer);
    // The context menu the right button opens (the view commands); the plot does not own it.
    void SetContextMenu(QMenu* menu) { contextMenu_ = menu; }

    const PlotViewport& Viewport() const { return view_; }
    void SetView(double centreX, double centreY, double scale);
    int NameSize() const { return nameSize_; }
    PlotViewRecord PrevView() const { return prevView_; }
    PlotViewRecord RememberedView() const { return rememberedView_; }
    PlotStates PlotState() const { return plotState_; }
    bool RangeRemembered() const { return rangeOn_; }
    bool ParcelsShown() const { return parcelsOn_; }
    bool ParcelNamesShown() const { return parcelNamesOn_; }
    bool PointNamesShown() const { return pointNamesOn_; }
    // The current hint "short|long" ("|" when none).
    QString Hint() const { return hint_; }
    std::optional<QPoint> CrossHair() const { return crossHair_; }
    const PlotGestureState& Gestures() const { return gesture_; }
    // The points the last paint drew, in drawing order: what a click picks from.
    const XyzImagePoints& DrawnPoints() const { return scene_.DrawnPoints(); }

    // New coordinates were loaded or cleared: PlotState 99, no previous view; the plot fits all
    // points when it is next shown (at once when it is shown now).
    void CoordinatesLoaded();
    // The showing of the plot by "測点イメージ": when PlotState is 99 (or rows are being added by
    // "開く（追加）") the name index is rebuilt and all points fitted, the remembered view not used.
    void FitOnShow(bool openAdd = false);
    // A point was typed into the list: while the list began empty and the view is still the one the
    // last fit made, all points are fitted again, so the first points of a new list stay in view.
    void FollowNewPoints();

    // A panel opened beside the plot gave it a new area: the pixel centre becomes the middle of the plot
    // as it is laid out now, even while PlotState holds it otherwise; centre and scale stay.
    void CentrePixelsOnNewArea();

    // The mouse wheel at a global position (angleDelta y: positive is turned away from the user).
    // True when the plot took it.  A PlotWheelFilter routes every wheel event of the application here.
    bool HandleWheel(QPoint globalPos, int angleDeltaY);

public slots:
    void RePaint(); // ImgRePaint "再描画(&R)"
    // The points or parcels changed: the picture is drawn again from the data at the next paint, with
    // what the tools drew over it kept.
    void DataChanged();
    void ZoomIn();                     // ImgUp "拡大(&U)": scale x 1.5
    void ZoomOut();                    // ImgDown "縮小(&D)": scale x 0.8
    bool FitAll();                     // all points, or the remembered view while "範囲記憶" is on
    void FitAllPoints();               // ImgFitAll "全体表示(&A)": all points whatever "範囲記憶" says
    void SetRangeRemembered(bool on);  // ImgRange "範囲記憶(&G)"
    void SetParcelsShown(bool on);     // ImgBlkDisp "画地表示"
    void SetParcelNamesShown(bool on); // ImgBlkNameDisp "画地名表示"
    void SetPointNamesShown(bool on);  // ImgPNameDisp "点名-全点表示時"

public:
    // The marked point (names CP932).
    void HighlightPoint(const std::string& name);
    void UnhighlightPoint();
    // A drawing of a tool, made of the operations of PlotCanvas (for example
    // `plot.Draw([=](PlotCanvas& c) { c.DrawCircle(x, y, r, colour); })`): drawn now and replayed over
    // the base picture at every paint until the plot next starts from a clean picture.
    void Draw(std::function<void(PlotCanvas&)> draw);

signals:
    // The hint changed: the short part is the tool tip, the long part goes to the status bar.
    void hintChanged(const QString& toolTip, const QString& statusText);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    template <typename T> struct Ordered {
        T* item;
        int order;
    };

    void RenderBase();
    // The points whose names the base picture places first: the marked point, the list's current point.
    std::vector<std::string> NamedFirst() const;
    QSize DevicePixelSize() const;
    void PaintOverlays(QPainter& painter);
    bool RebuildIndex();
    void SetHint(const QString& hint);
    // The view a fit of all points made, with the extents it showed (fitted_).
    void RememberFit();
    bool ViewIsFitted() const;

    // Mouse (PlotViewMouse.cpp).
    PlotGestureRules GestureRules() const;
    void ActOnRelease(const PlotRelease& release, QPoint pos);
    void ReleaseChord(const PlotRelease& release, QPoint pos);
    void ChordFit(int dx, int dy);
    void DispatchClick(QPoint pos);

    Store& store_;
    PlotSettings settings_;
    PlotHost* host_ = nullptr;
    QMenu* contextMenu_ = nullptr;
    std::vector<Ordered<PlotClickTarget>> targets_;
    std::vector<Ordered<PlotLayer>> layers_;

    PlotViewport view_;
    int nameSize_ = 5;
    PlotViewRecord prevView_;
    PlotViewRecord rememberedView_;
    PlotStates plotState_ = PlotStates::kNeedsFit;
    bool rangeOn_ = false;
    bool parcelsOn_ = true;
    bool parcelNamesOn_ = true;
    bool pointNamesOn_ = true;

    PlotScene scene_;
    QImage base_;
    QImage frame_;
    bool baseValid_ = false;
    std::vector<std::string> baseNamedFirst_;
    std::vector<std::function<void(PlotCanvas&)>> overlays_;
    std::string highlighted_;

    PlotGestureState gesture_;
    QString hint_ = QStringLiteral("|");
    PlotHintLabel* hintLabel_ = nullptr;
    QPoint pointer_; // where the pointer was last seen: a new hint shows there
    std::optional<QPoint> crossHair_;
    PlotWheel wheel_;
    bool fitPending_ = false;
    // The extents the last fit of all points showed and the view it made: while the view stays so, a
    // new plot size (a panel opened beside it) fits the same extents again instead of cutting them off.
    struct FittedRegion {
        XyzExtents extents;
        PlotViewRecord view;
    };
    std::optional<FittedRegion> fitted_;
    bool followEntry_ = false; // the list began empty: typed points are fitted as they come
};

} // namespace vemo
