#include "ui/calc/CalcWindow.h"

#include "ui/calc/ConstructionPage.h"
#include "ui/calc/DivisionPage.h"
#include "ui/calc/PointGridPage.h"
#include "ui/calc/TransformPage.h"
#include "ui/plot/PlotCanvas.h"

#include <QButtonGroup>
#include <QDockWidget>
#include <QGridLayout>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace vemo {

namespace {

constexpr int kTabCount = 11;
constexpr int kTabsPerRow = 6;
// Result marks: a circle of this many pixels around the point, its label beside it.
constexpr int kMarkPixels = 14;

// Docked into the main window, the window is shown and hidden with its dock.
QWidget* Frame(QWidget* window) {
    auto* dock = qobject_cast<QDockWidget*>(window->parentWidget());
    return dock ? static_cast<QWidget*>(dock) : window;
}

} // namespace

CalcWindow::CalcWindow(CalcHost host, QWidget* parent) : QWidget(parent), host_(std::move(host)) {
    setWindowTitle(QStringLiteral("逆座標計算"));
    buttons_ = new QButtonGroup(this);
    buttons_->setExclusive(true);
    stack_ = new QStackedWidget(this);
    auto* tabs = new QGridLayout;
    tabs->setSpacing(1);
    pages_.resize(kTabCount, nullptr);
    for (int index = 0; index < kTabCount; ++index) {
        auto* button = new QToolButton(this);
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        buttons_->addButton(button, index);
        tabs->addWidget(button, index / kTabsPerRow, index % kTabsPerRow);
        setTab(index, QString(), new EmptyCalcPage(host_, this));
    }
    connect(buttons_, &QButtonGroup::idClicked, this, &CalcWindow::selectTab);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(tabs);
    layout->addWidget(stack_, 1);
}

CalcWindow::~CalcWindow() = default;

void CalcWindow::setTab(int index, const QString& text, CalcPage* page) {
    if (CalcPage* old = pages_[index]) {
        stack_->removeWidget(old);
        old->deleteLater();
    }
    pages_[index] = page;
    // F1 on a tab: inverse and perpendicular 20, the constructions 21, transformation 22, division 23.
    page->setProperty("helpContext", index <= 1 ? 20 : index <= 8 ? 21 : index == 9 ? 22 : 23);
    stack_->insertWidget(index, page);
    if (!text.isEmpty()) {
        buttons_->button(index)->setText(text);
    }
    connect(page, &CalcPage::overlayChanged, this, [this, page] {
        if (page == currentPage() && isVisible() && host_.repaintPlot) {
            host_.repaintPlot();
        }
    });
    connect(page, &CalcPage::closeRequested, this, &CalcWindow::closeWindow);
}

CalcPage* CalcWindow::currentPage() const {
    return pages_[current_];
}

void CalcWindow::selectTab(int index) {
    if (index < 0 || index >= tabCount()) {
        return;
    }
    current_ = index;
    buttons_->button(index)->setChecked(true);
    stack_->setCurrentWidget(pages_[index]);
    // Every tab names the panel, so the caption never stays on the previous calculation.
    const QString caption = pages_[index]->caption();
    setWindowTitle(caption.isEmpty() ? buttons_->button(index)->text().remove(QLatin1Char('&')) : caption);
    for (CalcPage* page : pages_) {
        page->clear();
    }
    pages_[index]->focusFirstInput();
    if (host_.repaintPlot) {
        host_.repaintPlot();
    }
}

void CalcWindow::openTab(int index) {
    QWidget* frame = Frame(this);
    frame->show();
    show();
    frame->raise();
    frame->activateWindow();
    selectTab(index);
}

void CalcWindow::closeWindow() {
    for (CalcPage* page : pages_) {
        page->clear();
    }
    Frame(this)->hide();
    if (host_.highlightPoint) {
        host_.highlightPoint({});
    }
}

void CalcWindow::runIdle() {
    if (isVisible()) {
        currentPage()->updateEnabling();
    }
}

void CalcWindow::refreshFromData() {
    if (isVisible()) {
        currentPage()->refresh();
    }
}

bool CalcWindow::acceptsPointName(bool fromCoordinateList) const {
    if (!isVisible()) {
        return false;
    }
    return !fromCoordinateList || current_ == CalcTab::kInverse || current_ == CalcTab::kPerpendicular ||
           current_ == CalcTab::kDivision;
}

bool CalcWindow::takePointName(const std::string& cp932) {
    return isVisible() && currentPage()->takePointName(cp932);
}

QString CalcWindow::shortDragHint(PlotDirection direction) const {
    const bool inverse = isVisible() && current_ == CalcTab::kInverse;
    const bool perpendicular = isVisible() && current_ == CalcTab::kPerpendicular;
    if (direction == PlotDirection::Up) {
        const bool results = isVisible() && current_ >= CalcTab::kLineLine && current_ <= CalcTab::kParallelShift;
        return results ? QStringLiteral("座標登録|座標リストに計算結果を追加登録します") : QString();
    }
    if (direction == PlotDirection::Left) {
        return inverse ? QStringLiteral("クリア|クリア") : QStringLiteral("逆座標計算|逆座標計算");
    }
    if (direction == PlotDirection::Right) {
        return perpendicular ? QStringLiteral("クリア|クリア") : QStringLiteral("垂線長計算|垂線長計算");
    }
    return {};
}

void CalcWindow::runShortDrag(PlotDirection direction) {
    if (direction == PlotDirection::Up) {
        if (auto* page = qobject_cast<ConstructionPage*>(currentPage()); page && isVisible()) {
            page->registerResults();
        }
        return;
    }
    const int tab = direction == PlotDirection::Left ? CalcTab::kInverse : CalcTab::kPerpendicular;
    if (direction != PlotDirection::Left && direction != PlotDirection::Right) {
        return;
    }
    if (isVisible() && current_ == tab) {
        currentPage()->clear();
        currentPage()->focusFirstInput();
        return;
    }
    openTab(tab);
}

void CalcWindow::PaintLayer(PlotCanvas& canvas) {
    if (!isVisible()) {
        return;
    }
    const CalcOverlay& overlay = currentPage()->overlay();
    const int colour = canvas.Settings().parcelHitColour;
    for (const OverlaySegment& segment : overlay.segments) {
        canvas.DrawSegment(segment.from.x, segment.from.y, segment.to.x, segment.to.y, colour,
                           segment.dotted ? PlotLineStyle::Dotted : PlotLineStyle::Solid);
    }
    for (const OverlayCircle& circle : overlay.circles) {
        canvas.DrawCircle(circle.centre.x, circle.centre.y, circle.radius, colour);
    }
    const double scale = canvas.View().scale > 0 ? canvas.View().scale : 1.0;
    const double markRadius = kMarkPixels / 2.0 / scale;
    for (const OverlayMark& mark : overlay.marks) {
        canvas.DrawCircle(mark.at.x, mark.at.y, markRadius, colour);
        canvas.DrawParcelLabel(mark.label, colour, mark.at.x + 2.2 * markRadius, mark.at.y + 2.2 * markRadius);
    }
}

void CalcWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit shownChanged(true);
}

void CalcWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit shownChanged(false);
    if (host_.repaintPlot) {
        host_.repaintPlot();
    }
}

CalcWindow* CreateCalcWindow(CalcHost host, QWidget* parent) {
    auto* window = new CalcWindow(std::move(host), parent);
    CalcHost& shared = window->host();
    using Kind = ConstructionPage::Type;
    window->setTab(CalcTab::kInverse, QStringLiteral("逆座標"),
                   new PointGridPage(PointGridPage::Kind::Inverse, shared));
    window->setTab(CalcTab::kPerpendicular, QStringLiteral("垂線長"),
                   new PointGridPage(PointGridPage::Kind::Perpendicular, shared));
    const std::pair<int, Kind> constructions[] = {{CalcTab::kLineLine, Kind::LineLine},
                                                  {CalcTab::kLineCircle, Kind::LineCircle},
                                                  {CalcTab::kCircleCircle, Kind::CircleCircle},
                                                  {CalcTab::kOffset, Kind::Offset},
                                                  {CalcTab::kFoot, Kind::Foot},
                                                  {CalcTab::kCornerCut, Kind::CornerCut},
                                                  {CalcTab::kParallelShift, Kind::ParallelShift}};
    const QString texts[] = {QStringLiteral("直線×直線"), QStringLiteral("直線×円"),  QStringLiteral("円×円"),
                             QStringLiteral("ｵﾌｾｯﾄ"),     QStringLiteral("垂線の足"), QStringLiteral("隅切"),
                             QStringLiteral("平行移動点")};
    for (size_t i = 0; i < std::size(constructions); ++i) {
        window->setTab(constructions[i].first, texts[i], new ConstructionPage(constructions[i].second, shared));
    }
    window->setTab(CalcTab::kTransform, QStringLiteral("座標変換"), new TransformPage(shared));
    window->setTab(CalcTab::kDivision, QStringLiteral("定面積分割"), new DivisionPage(shared));
    window->selectTab(CalcTab::kInverse);
    return window;
}

} // namespace vemo
