#pragma once

#include <QAbstractItemModel>
#include <QColor>
#include <QModelIndexList>
#include <QString>
#include <memory>
#include <unordered_set>
#include <vector>

#include "model/editing/project_observer.h"

namespace ze {
class CZeDialogData;
class CZeResourceData;
class ZeClass;
}  // namespace ze

namespace ze::panels {

class TreeDropHandler;

// The project as the resource panel's tree shows it: one node per element,
// labelled and ordered as WalkProjectTree gives them, with the element
// pointer as item data. The model only reads the elements (labels when a
// subtree is built, selected flags when the colours are asked for). It
// follows the project's change notification in place: nodes of elements that
// stay are kept (and moved), so the view's selection and open nodes survive.
class ResourceTreeModel : public QAbstractItemModel, public ProjectObserver {
    Q_OBJECT
public:
    // Qt::UserRole: the element, a ZeClass* held in the variant as void*.
    static constexpr int kElementRole = Qt::UserRole;

    static const QColor kRed;

    explicit ResourceTreeModel(QObject* parent = nullptr);
    ~ResourceTreeModel() override;

    // Replaces every node by the tree of project (one model reset).
    void Build(CZeResourceData& project);
    // Removes every node; the current item is forgotten.
    void Clear();
    // Removes the item at index with its subtree. The current item is
    // forgotten when it was among them.
    bool RemoveItem(const QModelIndex& index);
    // Gives element's item the label the element has now (a header column's
    // label follows its row). False when element has no item.
    bool RenewLabel(const ZeClass& element);

    // ProjectObserver
    void ElementsChanged(const ElementChange& change) override;
    void DialogAdded(CZeDialogData& dialog) override;
    void DialogRemoving(CZeDialogData& dialog) override;
    void DialogRenamed(CZeDialogData& dialog) override;
    void DialogMoved(CZeDialogData& dialog, std::size_t from, std::size_t to) override;
    void ProjectEmptied() override;
    // While it follows a change: the view's selection changes then are the
    // model's doing, not the user's.
    bool IsFollowingChange() const { return following_ > 0; }

    // The first item, depth first from the top, whose element is element;
    // invalid when there is none.
    QModelIndex IndexOf(const ZeClass* element) const;
    ZeClass* ElementAt(const QModelIndex& index) const;
    QString LabelAt(const QModelIndex& index) const;

    // The items with children whose element's expanded flag is set (the
    // root item always), parents before children. With under valid, only
    // that item and its descendants.
    QModelIndexList IndexesToExpand(const QModelIndex& under = {}) const;

    // The panel's current item, drawn white on red.
    QModelIndex Current() const;
    void SetCurrent(const QModelIndex& index);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Drag and drop: every item but the project's can be dragged; what a
    // drop does is the handler's (none: nothing can be dropped).
    void SetDropHandler(TreeDropHandler* handler) { dropHandler_ = handler; }
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

    // One item: its element, label and children. Defined beside the model.
    struct Node;

private:
    // Brings the node's children in line with its element's lists: nodes of
    // elements that stay are kept (moved where needed), the others removed,
    // new elements get new subtrees. Header labels follow their rows.
    void SyncChildren(Node& node);
    // Syncs every node below node whose element is in changed, top down.
    void SyncChanged(Node& node, const std::unordered_set<const ZeClass*>& changed);
    void RenewNodeLabel(Node& node);
    // The item of the project root, or null before Build.
    Node* ProjectNode() const;
    Node* NodeAt(const QModelIndex& index) const;
    QModelIndex IndexOfNode(const Node* node) const;
    bool IsCurrentInside(const Node* node) const;

    // The invisible root: its children are the top-level items.
    std::unique_ptr<Node> root_;
    CZeResourceData* project_ = nullptr;  // the one built from, for drags
    const Node* current_ = nullptr;
    TreeDropHandler* dropHandler_ = nullptr;
    int following_ = 0;
};

}  // namespace ze::panels
