#pragma once

#include "core/store/Store.h"
#include "core/traverse/TrvsOptions.h"
#include "ui/plot/PlotGestures.h"
#include "ui/plot/PlotPointsRenderer.h"
#include "ui/plot/PlotSettings.h"
#include "ui/plot/PlotViewport.h"
#include "ui/plot/PlotWheelFilter.h"
#include "ui/plot/XyzImagePoints.h"

#include <QMetaType>
#include <QWidget>

#include <optional>
#include <string>

class QToolButton;

namespace vemo {

class PlotHintLabel;
struct Settings;
struct TrvsHeader;
struct TrvsState;
class TrvsTable;

// A point picked on the traverse plot: a computed traverse point (Z 0) or a point of the coordinate
// list with the Z of its row.
struct TrvsPick {
    std::string name; // CP932; empty when nothing was near
    double x = 0;
    double y = 0;
    double z = 0;
};

// The traverse plot: the unadjusted traverse as it is typed, so that a wrong angle shows at once.
// The start point and every computed point with its name, the legs and side shots coloured by their
// turning mode, the known directions at the start and end as dotted arrows, and, dimmed, the points of
// the coordinate list.  The view uses the main plot's transform, fit rule and gestures: a left drag of
// 100 pixels or more pans by half a screen, of 200 or more by a whole one (shorter is a click, which
// picks the nearest point for the field or cell that has the focus); a chord with both buttons or the
// middle one zooms to a rectangle, fits the traverse, goes back to the previous view, zooms out or
// re-centres; the wheel zooms about the pointed point or moves the view.
class TrvsPlot : public QWidget, private XyzListObserver {
    Q_OBJECT
public:
    TrvsPlot(Store& store, TrvsState& state, const TrvsHeader& header, const TrvsTable& table,
             QWidget* parent = nullptr);
    ~TrvsPlot() override;

    // The three toggle buttons above the plot ("線", "既存点", "描画"), made once.
    QWidget* ButtonBar();
    void SetOptions(const TrvsOptions& options, const Settings& settings);

    // A new showing or a new traverse: scale 1, no previous view, no gesture under way.
    void NewShowing();
    // The fit of the traverse and the coordinate list (after a computation); nothing when the extents
    // are empty.
    void Fit();
    // After the window changed the plot's size (the 計算簿 shown or hidden): a view still as the last fit
    // left it is fitted to the new size; a view zoomed or moved since stays as it is.
    void KeepFitted();
    bool RealTimeDrawing() const;
    bool LinesShown() const;
    bool ExistingShown() const;

    const PlotViewport& Viewport() const { return view_; }
    PlotViewRecord PrevView() const { return prevView_; }
    int NameSize() const { return nameSize_; }
    // The current hint "short|long" ("|" when none) and the cross-hair's position.
    QString Hint() const { return hint_; }
    std::optional<QPoint> CrossHair() const { return crossHair_; }
    const PlotGestureState& Gestures() const { return gesture_; }
    // The wheel at a global position (angleDelta y: positive is turned away from the user); true when
    // the plot took it.  The traverse window routes every wheel event of the application here.
    bool HandleWheel(QPoint globalPos, int angleDeltaY);
    // The point nearest to a world position: computed points first, then the drawn existing points when
    // they are strictly nearer.
    TrvsPick Pick(double worldX, double worldY) const;
    // The existing points the last paint drew, in drawing order.
    const XyzImagePoints& DrawnExisting() const { return drawn_; }

signals:
    void pointPicked(const TrvsPick& pick);
    void recomputeRequested();
    // The hint changed: the short part shows at the press point, the long part in the status bar.
    void hintChanged(const QString& toolTip, const QString& statusText);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The dimmed points of the coordinate list are the costly part of a paint (up to 99,998 of them);
    // they are kept as a picture of their own and drawn again only when the view, the list, the
    // colours or the "既存点" button changed, not at every move of the cross-hair.
    struct ExistingLayerKey {
        PlotViewport view;
        int nameSize = 0;
        bool shown = false;
        friend bool operator==(const ExistingLayerKey&, const ExistingLayerKey&) = default;
    };
    void RenderExistingLayer();
    void CellsChanged(int, int, int, int) override { existingValid_ = false; }
    void RowsInserted(int, int) override { existingValid_ = false; }
    void RowsRemoved(int, int) override { existingValid_ = false; }
    void Reset() override { existingValid_ = false; }

    void PaintExisting(QImage& image);
    void PaintTraverse(QPainter& painter);
    void PaintLines(QPainter& painter);
    bool SlotPoint(const std::string& name, int beforeRow, double& x, double& y) const;
    // `remember`: a changed scale keeps the view before it as the previous view (not when KeepFitted fits).
    void FitExtents(bool remember = true);

    // Mouse (TrvsPlotMouse.cpp).
    void SetHint(const QString& hint);
    void ReleaseChord(const PlotRelease& release, QPoint pos);
    void Click(QPoint pos);

    Store& store_;
    TrvsState& state_;
    const TrvsHeader& header_;
    const TrvsTable& table_;
    TrvsOptions options_;
    PlotSettings settings_;
    PlotViewport view_;
    PlotViewRecord prevView_;
    // The view the last fit gave (KeepFitted fits again while the view is still this one).
    std::optional<PlotViewport> fitted_;
    int nameSize_ = 5;
    PlotPointsRenderer renderer_;
    XyzImagePoints drawn_;
    QImage existingLayer_;
    ExistingLayerKey existingKey_;
    bool existingValid_ = false;
    QImage frame_;
    PlotGestureState gesture_;
    PlotWheel wheel_;
    std::optional<QPoint> crossHair_;
    QString hint_ = QStringLiteral("|");
    PlotHintLabel* hintLabel_ = nullptr;
    QWidget* bar_ = nullptr;
    QToolButton* lines_ = nullptr;
    QToolButton* existing_ = nullptr;
    QToolButton* realTime_ = nullptr;
};

} // namespace vemo

Q_DECLARE_METATYPE(vemo::TrvsPick)
