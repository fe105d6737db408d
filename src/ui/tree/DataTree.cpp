#include "ui/tree/DataTree.h"

#include "core/files/DataFolders.h"
#include "core/files/DataPaths.h"
#include "core/text/Error.h"
#include "ui/common/Cp932Text.h"
#include "ui/common/MessageBox.h"
#include "ui/tree/DataTreeIcons.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <functional>

namespace vemo {
namespace {

constexpr int kNameRole = Qt::UserRole;
constexpr int kLevelRole = Qt::UserRole + 1;
constexpr int kIconRole = Qt::UserRole + 2;

const QString kExpandText = QStringLiteral("<< + >>");
const QString kCollapseText = QStringLiteral(">> - <<");

QByteArray Bytes(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

void AddNodes(QTreeWidgetItem* parent, const std::vector<DataNode>& nodes,
              const std::function<QTreeWidgetItem*(const DataNode&)>& make) {
    for (const DataNode& node : nodes) {
        QTreeWidgetItem* item = make(node);
        parent->addChild(item);
        AddNodes(item, node.children, make);
    }
}

int CountBelow(const QTreeWidgetItem* item) {
    int count = 1;
    for (int i = 0; i < item->childCount(); ++i) {
        count += CountBelow(item->child(i));
    }
    return count;
}

} // namespace

DataTree::DataTree(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DataTree"));
    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    expand_ = new QPushButton(kExpandText, this);
    menu_ = new QMenu(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(tree_, 1);
    layout->addWidget(expand_);
    setFocusProxy(tree_);

    connect(expand_, &QPushButton::clicked, this, &DataTree::toggleExpandAll);
    connect(tree_, &QTreeWidget::itemChanged, this, &DataTree::onItemChanged);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { emit nodeDoubleClicked(item); });
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &DataTree::selectionChanged);
    connect(tree_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { menu_->popup(tree_->viewport()->mapToGlobal(pos)); });
    for (size_t i = 0; i < folderActions_.size(); ++i) {
        folderActions_[i] = new QAction(this);
        folderActions_[i]->setCheckable(true);
        connect(folderActions_[i], &QAction::triggered, this, [this, i] { chooseFolder(static_cast<int>(i)); });
    }
    rebuildMenu();
}

QTreeWidgetItem* DataTree::makeItem(const std::string& name, int level, DataIcon icon) {
    auto* item = new QTreeWidgetItem;
    const QSignalBlocker quiet(tree_);
    item->setText(0, FromCp932(name));
    item->setData(0, kNameRole, Bytes(name));
    item->setData(0, kLevelRole, level);
    item->setData(0, kIconRole, static_cast<int>(icon));
    item->setIcon(0, DataTreeNodeIcon(level, icon));
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

void DataTree::rebuild(const std::filesystem::path& datDir) {
    datDir_ = datDir;
    const QSignalBlocker quiet(tree_);
    tree_->clear();
    allExpanded_ = false;
    expand_->setText(kExpandText);
    const auto make = [this](const DataNode& node) { return makeItem(node.name, node.level, node.icon); };
    for (const DataNode& site : BuildDataTree(datDir)) {
        QTreeWidgetItem* item = make(site);
        tree_->addTopLevelItem(item);
        AddNodes(item, site.children, make);
    }
}

QTreeWidgetItem* DataTree::selectedItem() const {
    const QList<QTreeWidgetItem*> items = tree_->selectedItems();
    return items.isEmpty() ? nullptr : items.front();
}

DataNodePath DataTree::selectedPath() const {
    return pathOf(selectedItem());
}

DataNodePath DataTree::pathOf(const QTreeWidgetItem* item) {
    DataNodePath path;
    if (item == nullptr) {
        return path;
    }
    path.level = levelOf(item);
    std::vector<std::string> names;
    for (const QTreeWidgetItem* at = item; at != nullptr; at = at->parent()) {
        names.insert(names.begin(), nameOf(at));
    }
    path.site = names.size() > 0 ? names[0] : std::string();
    path.xyz = names.size() > 1 ? names[1] : std::string();
    path.blk = names.size() > 2 ? names[2] : std::string();
    return path;
}

int DataTree::levelOf(const QTreeWidgetItem* item) {
    return item == nullptr ? -1 : item->data(0, kLevelRole).toInt();
}

std::string DataTree::nameOf(const QTreeWidgetItem* item) {
    if (item == nullptr) {
        return {};
    }
    const QByteArray bytes = item->data(0, kNameRole).toByteArray();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

DataIcon DataTree::iconOf(const QTreeWidgetItem* item) {
    return item == nullptr ? DataIcon::MissingData : static_cast<DataIcon>(item->data(0, kIconRole).toInt());
}

void DataTree::setNodeIcon(QTreeWidgetItem* item, DataIcon icon) {
    const QSignalBlocker quiet(tree_);
    item->setData(0, kIconRole, static_cast<int>(icon));
    item->setIcon(0, DataTreeNodeIcon(levelOf(item), icon));
}

void DataTree::select(QTreeWidgetItem* item) {
    tree_->clearSelection();
    if (item != nullptr) {
        tree_->setCurrentItem(item);
        item->setSelected(true);
        tree_->scrollToItem(item);
    }
}

QTreeWidgetItem* DataTree::addSite(const std::string& name) {
    QTreeWidgetItem* item = makeItem(name, 0, DataIcon::Site);
    const QSignalBlocker quiet(tree_);
    tree_->addTopLevelItem(item);
    return item;
}

QTreeWidgetItem* DataTree::addChild(QTreeWidgetItem* parent, const std::string& name) {
    const int level = levelOf(parent) + 1;
    QTreeWidgetItem* item = makeItem(name, level, IconOfLevel(level));
    const QSignalBlocker quiet(tree_);
    parent->addChild(item);
    return item;
}

QTreeWidgetItem* DataTree::findSite(const std::string& name) const {
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
        if (nameOf(tree_->topLevelItem(i)) == name) {
            return tree_->topLevelItem(i);
        }
    }
    return nullptr;
}

QTreeWidgetItem* DataTree::findNode(const DataNodePath& path) const {
    if (path.level < 0) {
        return nullptr;
    }
    QTreeWidgetItem* node = findSite(path.site);
    if (path.level >= 1) {
        node = childNamed(node, path.xyz);
    }
    if (path.level >= 2) {
        node = childNamed(node, path.blk);
    }
    return node;
}

QTreeWidgetItem* DataTree::childNamed(const QTreeWidgetItem* parent, const std::string& name) {
    for (int i = 0; parent != nullptr && i < parent->childCount(); ++i) {
        if (nameOf(parent->child(i)) == name) {
            return parent->child(i);
        }
    }
    return nullptr;
}

int DataTree::nodeCount() const {
    int count = 0;
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
        count += CountBelow(tree_->topLevelItem(i));
    }
    return count;
}

std::optional<int> DataTree::selectedAbsoluteIndex() const {
    const QTreeWidgetItem* selected = selectedItem();
    if (selected == nullptr) {
        return std::nullopt;
    }
    int index = 0;
    for (QTreeWidgetItemIterator it(tree_); *it != nullptr; ++it, ++index) {
        if (*it == selected) {
            return index;
        }
    }
    return std::nullopt;
}

void DataTree::selectAbsoluteIndex(int index) {
    if (index < 0 || index >= nodeCount()) {
        return;
    }
    QTreeWidgetItemIterator it(tree_);
    for (int i = 0; i < index; ++i) {
        ++it;
    }
    select(*it);
}

void DataTree::toggleExpandAll() {
    allExpanded_ = !allExpanded_;
    if (allExpanded_) {
        tree_->expandAll();
    } else {
        tree_->collapseAll();
    }
    expand_->setText(allExpanded_ ? kCollapseText : kExpandText);
}

} // namespace vemo
