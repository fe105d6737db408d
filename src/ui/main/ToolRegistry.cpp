#include "ui/main/ToolRegistry.h"

#include "ui/common/CommandGuard.h"
#include "ui/plot/PlotView.h"

#include <algorithm>

namespace vemo {

// A point-name taker as the plot sees it: a click target in the taker's order.
class PointNameClickTarget : public PlotClickTarget {
public:
    explicit PointNameClickTarget(const PointNameTaker& taker) : taker_(taker) {}
    bool AcceptsPointClick() const override { return taker_.accepts(PointSource::PlotClick); }
    void PointClicked(const std::string& cp932Name) override { taker_.take(cp932Name); }

private:
    const PointNameTaker& taker_;
};

struct ToolRegistry::Entry {
    QObject* owner = nullptr;
    ToolRegistration registration;
    std::unique_ptr<PointNameClickTarget> nameTarget;
    QMetaObject::Connection ownerGone;
};

ToolRegistry::ToolRegistry(QObject* parent) : QObject(parent) {}

ToolRegistry::~ToolRegistry() {
    for (auto& entry : entries_) {
        QObject::disconnect(entry->ownerGone);
        detach(*entry);
    }
}

void ToolRegistry::add(QObject* owner, ToolRegistration registration) {
    auto entry = std::make_unique<Entry>();
    entry->owner = owner;
    entry->registration = std::move(registration);
    if (entry->registration.pointNames) {
        entry->nameTarget = std::make_unique<PointNameClickTarget>(*entry->registration.pointNames);
    }
    entry->ownerGone = connect(owner, &QObject::destroyed, this, [this, owner] { remove(owner); });
    attach(*entry);
    entries_.push_back(std::move(entry));
}

void ToolRegistry::remove(QObject* owner) {
    std::erase_if(entries_, [&](const std::unique_ptr<Entry>& entry) {
        if (entry->owner != owner) {
            return false;
        }
        QObject::disconnect(entry->ownerGone);
        detach(*entry);
        return true;
    });
}

void ToolRegistry::setPlot(PlotView* plot) {
    for (auto& entry : entries_) {
        detach(*entry);
    }
    plot_ = plot;
    for (auto& entry : entries_) {
        attach(*entry);
    }
}

void ToolRegistry::attach(Entry& entry) {
    if (!plot_) {
        return;
    }
    const ToolRegistration& r = entry.registration;
    if (r.clickTarget != nullptr) {
        plot_->AddClickTarget(r.clickTarget, r.clickOrder);
    }
    if (entry.nameTarget) {
        plot_->AddClickTarget(entry.nameTarget.get(), r.pointNames->order);
    }
    if (r.layer != nullptr) {
        plot_->AddLayer(r.layer, r.layerOrder);
    }
}

void ToolRegistry::detach(Entry& entry) {
    if (!plot_) {
        return;
    }
    const ToolRegistration& r = entry.registration;
    if (r.clickTarget != nullptr) {
        plot_->RemoveClickTarget(r.clickTarget);
    }
    if (entry.nameTarget) {
        plot_->RemoveClickTarget(entry.nameTarget.get());
    }
    if (r.layer != nullptr) {
        plot_->RemoveLayer(r.layer);
    }
}

const ClosablePanel* ToolRegistry::panelToClose() const {
    const ClosablePanel* best = nullptr;
    for (const auto& entry : entries_) {
        const auto& panel = entry->registration.panel;
        if (panel && panel->shown() && (best == nullptr || panel->order < best->order)) {
            best = &*panel;
        }
    }
    return best;
}

const ShortDrag* ToolRegistry::dragFor(PlotDirection direction) const {
    const ShortDrag* best = nullptr;
    for (const auto& entry : entries_) {
        const auto& drag = entry->registration.shortDrag;
        if (drag && (best == nullptr || drag->order < best->order) && !drag->hint(direction).isEmpty()) {
            best = &*drag;
        }
    }
    return best;
}

QString ToolRegistry::shortDragHint(PlotDirection direction) const {
    if (direction == PlotDirection::Down) {
        const ClosablePanel* panel = panelToClose();
        return panel != nullptr ? panel->hint : QString();
    }
    const ShortDrag* drag = dragFor(direction);
    return drag != nullptr ? drag->hint(direction) : QString();
}

void ToolRegistry::runShortDrag(PlotDirection direction) {
    if (direction == PlotDirection::Down) {
        if (const ClosablePanel* panel = panelToClose()) {
            panel->close();
        }
        return;
    }
    if (const ShortDrag* drag = dragFor(direction)) {
        drag->run(direction);
    }
}

bool ToolRegistry::offerPointName(PointSource source, const std::string& cp932Name) {
    const PointNameTaker* best = nullptr;
    for (const auto& entry : entries_) {
        const auto& taker = entry->registration.pointNames;
        if (taker && (best == nullptr || taker->order < best->order) && taker->accepts(source)) {
            best = &*taker;
        }
    }
    if (best == nullptr) {
        return false;
    }
    best->take(cp932Name);
    return true;
}

void ToolRegistry::tellFiles(void (*tell)(const FileEvents&)) {
    for (size_t i = 0; i < entries_.size(); ++i) {
        tell(entries_[i]->registration.files);
    }
}

std::vector<std::string> ToolRegistry::selectionNames() const {
    for (const auto& entry : entries_) {
        if (const auto& ask = entry->registration.files.selectionNames) {
            return ask();
        }
    }
    return {};
}

std::vector<int> ToolRegistry::selectedParcels() const {
    for (const auto& entry : entries_) {
        if (const auto& ask = entry->registration.files.selectedParcels) {
            return ask();
        }
    }
    return {};
}

void ToolRegistry::runIdle(QWidget* messageParent) {
    // By index: a rule may register or withdraw tools.  A failing rule would show its message at every
    // idle pass: it is shown once and dropped.
    for (size_t i = 0; i < entries_.size(); ++i) {
        auto& idle = entries_[i]->registration.idle;
        if (idle && !RunCommand(idle, messageParent)) {
            idle = nullptr;
        }
    }
}

void ToolRegistry::runClose(QWidget* messageParent) {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (const auto& close = entries_[i]->registration.close) {
            RunCommand(close, messageParent);
        }
    }
}

} // namespace vemo
