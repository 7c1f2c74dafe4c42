#include "panels/resource_tree_model.h"

#include <QMimeData>
#include <algorithm>
#include <unordered_map>
#include <utility>

#include "common/qt/sjis_qstring.h"
#include "model/dialog_data.h"
#include "model/editing/selection_edits.h"
#include "model/object_data.h"
#include "model/property_names.h"
#include "model/resource_data.h"
#include "model/tree_walk.h"
#include "model/ze_class.h"
#include "panels/tree_drag.h"

namespace ze::panels {

struct ResourceTreeModel::Node {
    ZeClass* element = nullptr;
    QString label;
    bool expanded = false;
    Node* parent = nullptr;
    int row = 0;
    std::vector<std::unique_ptr<Node>> children;

    Node* Append(ZeClass* childElement, const std::string& sjisLabel, bool childExpanded) {
        auto child = std::make_unique<Node>();
        child->element = childElement;
        child->label = SjisToQString(sjisLabel);
        child->expanded = childExpanded;
        child->parent = this;
        child->row = static_cast<int>(children.size());
        children.push_back(std::move(child));
        return children.back().get();
    }
};

namespace {

bool IsSelectedObjectOrGroup(const ZeClass* element) {
    if (element == nullptr) {
        return false;
    }
    const auto kind = element->GetKind();
    if (kind != ElementKind::kObject && kind != ElementKind::kGroup) {
        return false;
    }
    return static_cast<const CObjectData*>(element)->IsSelected();
}

// Places the entries of a tree walk (parents before children, with their
// depth) under a node: the last node placed at each depth is the parent of
// the next deeper entry.
class NodePlacer {
public:
    explicit NodePlacer(ResourceTreeModel::Node& top) : lastAtDepth_{&top} {}

    void Place(const TreeEntry& entry, int depth) {
        const auto at = static_cast<std::size_t>(depth);
        ResourceTreeModel::Node* node =
            lastAtDepth_[at]->Append(entry.element, entry.label, entry.expanded);
        lastAtDepth_.resize(at + 1);
        lastAtDepth_.push_back(node);
    }

private:
    std::vector<ResourceTreeModel::Node*> lastAtDepth_;
};

// Calls visit for each node below the given ones, depth first (a node, its
// children, then its next sibling), until visit returns false.
template <typename Visit>
void VisitDepthFirst(std::vector<const ResourceTreeModel::Node*> pending, Visit visit) {
    std::reverse(pending.begin(), pending.end());
    while (!pending.empty()) {
        const ResourceTreeModel::Node* node = pending.back();
        pending.pop_back();
        if (!visit(node)) {
            return;
        }
        for (auto it = node->children.rbegin(); it != node->children.rend(); ++it) {
            pending.push_back(it->get());
        }
    }
}

std::vector<const ResourceTreeModel::Node*> ChildrenOf(const ResourceTreeModel::Node& node) {
    std::vector<const ResourceTreeModel::Node*> children;
    for (const auto& child : node.children) {
        children.push_back(child.get());
    }
    return children;
}

}  // namespace

const QColor ResourceTreeModel::kRed{255, 0, 0};

ResourceTreeModel::ResourceTreeModel(QObject* parent)
    : QAbstractItemModel(parent), root_(std::make_unique<Node>()) {}

ResourceTreeModel::~ResourceTreeModel() = default;

void ResourceTreeModel::Build(CZeResourceData& project) {
    beginResetModel();
    root_ = std::make_unique<Node>();
    current_ = nullptr;
    project_ = &project;
    NodePlacer placer(*root_);
    WalkProjectTree(project,
                    [&placer](const TreeEntry& entry) { placer.Place(entry, entry.depth); });
    endResetModel();
}

void ResourceTreeModel::Clear() {
    beginResetModel();
    root_ = std::make_unique<Node>();
    current_ = nullptr;
    project_ = nullptr;
    endResetModel();
}

bool ResourceTreeModel::RemoveItem(const QModelIndex& index) {
    Node* node = NodeAt(index);
    if (node == nullptr) {
        return false;
    }
    if (IsCurrentInside(node)) {
        current_ = nullptr;
    }
    Node* parentNode = node->parent;
    const int row = node->row;
    beginRemoveRows(IndexOfNode(parentNode), row, row);
    auto& siblings = parentNode->children;
    siblings.erase(siblings.begin() + row);
    for (std::size_t i = static_cast<std::size_t>(row); i < siblings.size(); ++i) {
        siblings[i]->row = static_cast<int>(i);
    }
    endRemoveRows();
    return true;
}

bool ResourceTreeModel::RenewLabel(const ZeClass& element) {
    Node* node = NodeAt(IndexOf(&element));
    if (node == nullptr) {
        return false;
    }
    RenewNodeLabel(*node);
    return true;
}

void ResourceTreeModel::RenewNodeLabel(Node& node) {
    const ZeClass& element = *node.element;
    std::string sjis;
    switch (element.GetKind()) {
        case ElementKind::kProject:
            sjis = "Root = " + element.GetItem(prop::kName);
            break;
        case ElementKind::kHeaderColumn:
            // Header columns come first under their object.
            sjis = HeaderColumnLabel(node.row + 1);
            break;
        case ElementKind::kCommand:
            sjis = CommandLabel(element);
            break;
        default:
            sjis = element.GetTreeLabel();
            break;
    }
    const QString label = SjisToQString(sjis);
    if (node.label != label) {
        node.label = label;
        const QModelIndex index = IndexOfNode(&node);
        emit dataChanged(index, index, {Qt::DisplayRole});
    }
}

ResourceTreeModel::Node* ResourceTreeModel::ProjectNode() const {
    if (root_->children.empty()) {
        return nullptr;
    }
    Node* top = root_->children.front().get();
    return top->element != nullptr && top->element->GetKind() == ElementKind::kProject ? top
                                                                                       : nullptr;
}

void ResourceTreeModel::SyncChildren(Node& node) {
    const std::vector<ZeClass*> wanted = TreeChildren(*node.element);
    const QModelIndex parentIndex = IndexOfNode(&node);
    auto& children = node.children;
    const auto renumber = [&children] {
        for (std::size_t i = 0; i < children.size(); ++i) {
            children[i]->row = static_cast<int>(i);
        }
    };
    // Nodes of elements no longer listed go (as many as are listed stay).
    std::unordered_map<const ZeClass*, int> listed;
    for (const ZeClass* element : wanted) {
        ++listed[element];
    }
    for (std::size_t i = children.size(); i-- > 0;) {
        int& left = listed[children[i]->element];
        if (left > 0) {
            --left;
            continue;
        }
        if (IsCurrentInside(children[i].get())) {
            current_ = nullptr;
        }
        const int row = static_cast<int>(i);
        beginRemoveRows(parentIndex, row, row);
        children.erase(children.begin() + row);
        renumber();
        endRemoveRows();
    }
    // Then the kept ones move into place and new ones come in.
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (i < children.size() && children[i]->element == wanted[i]) {
            continue;
        }
        std::size_t from = i + 1;
        while (from < children.size() && children[from]->element != wanted[i]) {
            ++from;
        }
        if (from < children.size()) {
            beginMoveRows(parentIndex, static_cast<int>(from), static_cast<int>(from), parentIndex,
                          static_cast<int>(i));
            auto moved = std::move(children[from]);
            children.erase(children.begin() + static_cast<std::ptrdiff_t>(from));
            children.insert(children.begin() + static_cast<std::ptrdiff_t>(i), std::move(moved));
            renumber();
            endMoveRows();
            continue;
        }
        Node scratch;
        NodePlacer placer(scratch);
        WalkElementTree(*wanted[i], 0,
                        [&placer](const TreeEntry& entry) { placer.Place(entry, entry.depth); });
        std::unique_ptr<Node> built = std::move(scratch.children.front());
        built->parent = &node;
        const int row = static_cast<int>(i);
        beginInsertRows(parentIndex, row, row);
        children.insert(children.begin() + row, std::move(built));
        renumber();
        endInsertRows();
    }
    for (auto& child : children) {
        if (child->element->GetKind() == ElementKind::kHeaderColumn) {
            RenewNodeLabel(*child);
        }
    }
}

void ResourceTreeModel::SyncChanged(Node& node, const std::unordered_set<const ZeClass*>& changed) {
    if (changed.contains(node.element)) {
        SyncChildren(node);
        RenewNodeLabel(node);
    }
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        SyncChanged(*node.children[i], changed);
    }
}

void ResourceTreeModel::ElementsChanged(const ElementChange& change) {
    ++following_;
    if (change.dialog == nullptr) {
        for (const ZeClass* element : change.changed) {
            RenewLabel(*element);
        }
    } else if (Node* dialog = NodeAt(IndexOf(change.dialog))) {
        const std::unordered_set<const ZeClass*> changed(change.changed.begin(),
                                                         change.changed.end());
        SyncChanged(*dialog, changed);
    }
    --following_;
}

void ResourceTreeModel::DialogAdded(CZeDialogData& /*dialog*/) {
    if (Node* project = ProjectNode()) {
        ++following_;
        SyncChildren(*project);
        --following_;
    }
}

void ResourceTreeModel::DialogMoved(CZeDialogData& dialog, std::size_t /*from*/,
                                    std::size_t /*to*/) {
    DialogAdded(dialog);
}

void ResourceTreeModel::DialogRemoving(CZeDialogData& dialog) {
    ++following_;
    RemoveItem(IndexOf(&dialog));
    --following_;
}

void ResourceTreeModel::ProjectEmptied() {
    ++following_;
    Clear();
    --following_;
}

void ResourceTreeModel::DialogRenamed(CZeDialogData& dialog) {
    RenewLabel(dialog);
}

bool ResourceTreeModel::IsCurrentInside(const Node* node) const {
    for (const Node* up = current_; up != nullptr; up = up->parent) {
        if (up == node) {
            return true;
        }
    }
    return false;
}

QModelIndex ResourceTreeModel::IndexOf(const ZeClass* element) const {
    if (element == nullptr) {
        return {};
    }
    // Dialogs stand right below the root item; no need to search their trees.
    if (element->GetKind() == ElementKind::kDialog) {
        if (const Node* project = ProjectNode()) {
            for (const auto& child : project->children) {
                if (child->element == element) {
                    return IndexOfNode(child.get());
                }
            }
        }
    }
    // The first item of a depth-first search holds the element.
    const Node* found = nullptr;
    VisitDepthFirst(ChildrenOf(*root_), [&](const Node* node) {
        found = node->element == element ? node : nullptr;
        return found == nullptr;
    });
    return IndexOfNode(found);
}

ZeClass* ResourceTreeModel::ElementAt(const QModelIndex& index) const {
    const Node* node = NodeAt(index);
    return node == nullptr ? nullptr : node->element;
}

QString ResourceTreeModel::LabelAt(const QModelIndex& index) const {
    const Node* node = NodeAt(index);
    return node == nullptr ? QString() : node->label;
}

QModelIndexList ResourceTreeModel::IndexesToExpand(const QModelIndex& under) const {
    QModelIndexList indexes;
    const Node* start = NodeAt(under);
    VisitDepthFirst(start != nullptr ? std::vector<const Node*>{start} : ChildrenOf(*root_),
                    [&](const Node* node) {
                        const bool expanded = node->element == nullptr ||
                                              node->element->GetKind() == ElementKind::kProject ||
                                              node->element->IsExpanded();
                        if (expanded && !node->children.empty()) {
                            indexes.push_back(IndexOfNode(node));
                        }
                        return true;
                    });
    return indexes;
}

QModelIndex ResourceTreeModel::Current() const {
    return IndexOfNode(current_);
}

void ResourceTreeModel::SetCurrent(const QModelIndex& index) {
    const Node* node = NodeAt(index);
    if (node == current_) {
        return;
    }
    const QModelIndex before = IndexOfNode(current_);
    current_ = node;
    const QList<int> roles{Qt::ForegroundRole, Qt::BackgroundRole};
    if (before.isValid()) {
        emit dataChanged(before, before, roles);
    }
    if (index.isValid()) {
        emit dataChanged(index, index, roles);
    }
}

ResourceTreeModel::Node* ResourceTreeModel::NodeAt(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this) {
        return nullptr;
    }
    return static_cast<Node*>(index.internalPointer());
}

QModelIndex ResourceTreeModel::IndexOfNode(const Node* node) const {
    if (node == nullptr || node == root_.get()) {
        return {};
    }
    return createIndex(node->row, 0, const_cast<Node*>(node));
}

QModelIndex ResourceTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) {
        return {};
    }
    const Node* parentNode = parent.isValid() ? NodeAt(parent) : root_.get();
    if (parentNode == nullptr || row >= static_cast<int>(parentNode->children.size())) {
        return {};
    }
    return IndexOfNode(parentNode->children[static_cast<std::size_t>(row)].get());
}

QModelIndex ResourceTreeModel::parent(const QModelIndex& child) const {
    const Node* node = NodeAt(child);
    if (node == nullptr) {
        return {};
    }
    return IndexOfNode(node->parent);
}

int ResourceTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) {
        return 0;
    }
    const Node* node = parent.isValid() ? NodeAt(parent) : root_.get();
    return node == nullptr ? 0 : static_cast<int>(node->children.size());
}

int ResourceTreeModel::columnCount(const QModelIndex& /*parent*/) const {
    return 1;
}

QVariant ResourceTreeModel::data(const QModelIndex& index, int role) const {
    const Node* node = NodeAt(index);
    if (node == nullptr) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return node->label;
        case kElementRole:
            return QVariant::fromValue(static_cast<void*>(node->element));
        case Qt::ForegroundRole:
            if (node == current_) {
                return QColor(Qt::white);
            }
            return IsSelectedObjectOrGroup(node->element) ? kRed : QColor(Qt::black);
        case Qt::BackgroundRole:
            return node == current_ ? kRed : QColor(Qt::white);
        default:
            return {};
    }
}

Qt::ItemFlags ResourceTreeModel::flags(const QModelIndex& index) const {
    const Node* node = NodeAt(index);
    if (node == nullptr) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (node->element != nullptr && node->element->GetKind() != ElementKind::kProject) {
        flags |= Qt::ItemIsDragEnabled;
    }
    return flags;
}

Qt::DropActions ResourceTreeModel::supportedDragActions() const {
    return Qt::MoveAction | Qt::CopyAction;
}

Qt::DropActions ResourceTreeModel::supportedDropActions() const {
    return Qt::MoveAction | Qt::CopyAction;
}

QStringList ResourceTreeModel::mimeTypes() const {
    return {QString::fromLatin1(kElementMimeType), QString::fromLatin1(kInsertTypeMimeType)};
}

QMimeData* ResourceTreeModel::mimeData(const QModelIndexList& indexes) const {
    ZeClass* element = indexes.isEmpty() ? nullptr : ElementAt(indexes.front());
    if (element == nullptr) {
        return nullptr;
    }
    return ElementMime(project_ != nullptr ? DraggedWith(*project_, *element)
                                           : std::vector<ZeClass*>{element});
}

bool ResourceTreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int row,
                                        int /*column*/, const QModelIndex& parent) const {
    return data != nullptr && dropHandler_ != nullptr &&
           dropHandler_->CanDrop(*data, row, parent, action == Qt::CopyAction);
}

bool ResourceTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row,
                                     int /*column*/, const QModelIndex& parent) {
    // The handler changes the project; the tree follows its notification,
    // so the view has no rows of its own to remove afterwards.
    return data != nullptr && dropHandler_ != nullptr &&
           dropHandler_->Drop(*data, row, parent, action == Qt::CopyAction);
}

}  // namespace ze::panels
