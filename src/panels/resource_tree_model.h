#pragma once

#include <QAbstractItemModel>
#include <QColor>
#include <QModelIndexList>
#include <QString>
#include <memory>
#include <vector>

namespace ze {
class CZeResourceData;
class ZeClass;
}  // namespace ze

namespace ze::panels {

// The project as the resource panel's tree shows it: one node per element,
// labelled and ordered as WalkProjectTree gives them, with the element
// pointer as item data. The model only reads the elements (labels when a
// subtree is built, selected flags when the colours are asked for); the
// panel changes them.
class ResourceTreeModel : public QAbstractItemModel {
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
    // Rebuilds the subtree of element's item in place (label and children),
    // after the element's tree changed under it. False when element has no
    // item. The current item is forgotten when it was below element.
    bool RebuildSubtree(ZeClass& element);
    // Moves the item at index below its next sibling, with its subtree (one
    // row move). False when it has no next sibling.
    bool MoveBelowNextSibling(const QModelIndex& index);
    // Removes the item at index with its subtree. The current item is
    // forgotten when it was among them.
    bool RemoveItem(const QModelIndex& index);
    // Gives element's item the label the element has now (a header column's
    // label follows its row). False when element has no item.
    bool RenewLabel(const ZeClass& element);

    // The first item, depth first from the top, whose element is element;
    // invalid when there is none.
    QModelIndex IndexOf(const ZeClass* element) const;
    ZeClass* ElementAt(const QModelIndex& index) const;
    QString LabelAt(const QModelIndex& index) const;

    // The items whose element's expanded flag was set when the item was
    // built (the root item always), parents before children. With under
    // valid, only that item and its descendants.
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

    // One item: its element, label and children. Defined beside the model.
    struct Node;

private:
    Node* NodeAt(const QModelIndex& index) const;
    QModelIndex IndexOfNode(const Node* node) const;
    bool IsCurrentInside(const Node* node) const;

    // The invisible root: its children are the top-level items.
    std::unique_ptr<Node> root_;
    const Node* current_ = nullptr;
};

}  // namespace ze::panels
