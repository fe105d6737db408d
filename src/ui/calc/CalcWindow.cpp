#include "ui/calc/CalcWindow.h"

#include "ui/plot/PlotCanvas.h"

#include <QButtonGroup>
#include <QDockWidget>
#include <QGridLayout>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace vemo {

namespace {

constexpr int kTabsPerRow = 6;
// Result marks: a circle of this many pixels around the point, its label beside it.
constexpr int kMarkPixels = 14;

// Docked into the main window, the window is shown and hidden with its dock.
QWidget* Frame(QWidget* window) {
    auto* dock = qobject_cast<QDockWidget*>(window->parentWidget());
    return dock ? static_cast<QWidget*>(dock) : window;
}

} // namespace

CalcWindow::CalcWindow(CalcHost host, std::span<const CalcTabInfo> tabs, QWidget* parent)
    : QWidget(parent), host_(std::move(host)), tabs_(tabs) {
    setWindowTitle(QString::fromUtf8(tabs_.front().command));
    buttons_ = new QButtonGroup(this);
    buttons_->setExclusive(true);
    stack_ = new QStackedWidget(this);
    auto* buttonRows = new QGridLayout;
    buttonRows->setSpacing(1);
    for (int index = 0; index < static_cast<int>(tabs_.size()); ++index) {
        auto* button = new QToolButton(this);
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setText(QString::fromUtf8(tabs_[index].button));
        buttons_->addButton(button, index);
        buttonRows->addWidget(button, index / kTabsPerRow, index % kTabsPerRow);
        addTab(tabs_[index], index);
    }
    connect(buttons_, &QButtonGroup::idClicked, this, &CalcWindow::selectTab);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttonRows);
    layout->addWidget(stack_, 1);
}

CalcWindow::~CalcWindow() = default;

void CalcWindow::addTab(const CalcTabInfo& tab, int index) {
    CalcPage* page = CreateCalcPage(tab, host_);
    pages_.push_back(page);
    page->setProperty("helpContext", tab.helpContext);
    stack_->insertWidget(index, page);
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
    return !fromCoordinateList || currentInfo().takesListRows;
}

bool CalcWindow::takePointName(const std::string& cp932) {
    return isVisible() && currentPage()->takePointName(cp932);
}

QString CalcWindow::shortDragHint(PlotDirection direction) const {
    if (direction == PlotDirection::Up) {
        const bool registers = isVisible() && currentInfo().registersOnUpwardDrag;
        return registers ? QStringLiteral("座標登録|座標リストに計算結果を追加登録します") : QString();
    }
    for (const CalcTabInfo& tab : tabs_) {
        if (tab.openingDrag == direction) {
            if (isVisible() && &tab == &currentInfo()) {
                return QStringLiteral("クリア|クリア");
            }
            const QString command = QString::fromUtf8(tab.command);
            return command + QLatin1Char('|') + command;
        }
    }
    return {};
}

void CalcWindow::runShortDrag(PlotDirection direction) {
    if (direction == PlotDirection::Up) {
        if (isVisible() && currentInfo().registersOnUpwardDrag) {
            currentPage()->registerResults();
        }
        return;
    }
    for (int index = 0; index < tabCount(); ++index) {
        if (tabs_[index].openingDrag != direction) {
            continue;
        }
        if (isVisible() && current_ == index) {
            currentPage()->clear();
            currentPage()->focusFirstInput();
        } else {
            openTab(index);
        }
        return;
    }
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
    auto* window = new CalcWindow(std::move(host), CalcTabs(), parent);
    window->selectTab(0);
    return window;
}

} // namespace vemo
