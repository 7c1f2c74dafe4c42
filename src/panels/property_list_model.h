#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>
#include <string_view>
#include <vector>

#include "model/editing/property_edits.h"

#include "model/item_data.h"

namespace ze {
class CItemData;
class ZeClass;
}  // namespace ze

namespace ze::panels {

// The items of one element as the property list shows them: a row per item
// (name, value, edit marker) and ten empty rows below; of several elements,
// a row per property they all have. The model holds no
// text of its own; every cell is read from the element when asked for, so
// a value changed in place shows at the next repaint. The row count is
// fixed when the element is set and renewed only by Recount, like a virtual
// list: cells of rows beyond the items as they are now stay empty.
class PropertyListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kKeyColumn = 0;
    static constexpr int kValueColumn = 1;
    static constexpr int kMarkerColumn = 2;
    static constexpr int kColumnCount = 3;
    // Empty rows below the last item, so that there is room to click.
    static constexpr int kSpareRows = 10;

    // The item's kind (int) for rows with an item; nothing below them.
    static constexpr int kKindRole = Qt::UserRole;
    // The item's description (UTF-8), empty without one; "..." below the items.
    static constexpr int kDescriptionRole = Qt::UserRole + 1;
    // True on the row an image dragged over the list would land on.
    static constexpr int kDropTargetRole = Qt::UserRole + 2;

    static const QColor kCurrentKeyBackground;  // 255, 230, 230
    static const QColor kCurrentText;           // 255, 0, 0
    static const QColor kOddRowBackground;      // white
    static const QColor kEvenRowBackground;     // 240, 255, 255
    static const QColor kText;                  // black
    // The value cell of a property whose values differ.
    static const QColor kMixedBackground;  // 224, 224, 224

    explicit PropertyListModel(QObject* parent = nullptr);

    // Shows element (null for none): the current row becomes 0 (-1 for
    // none) and the rows are counted anew.
    void SetElement(ZeClass* element);
    // Shows the properties all of elements have, in element's order (element
    // is the current one of them); a value that differs between them shows
    // empty and grey, its values in the tooltip. One element or none is
    // SetElement's case.
    void SetElements(ZeClass* element, const std::vector<ZeClass*>& elements);
    ZeClass* Element() const { return element_; }
    // The elements shown (the current one alone when only it is).
    const std::vector<ZeClass*>& Elements() const { return elements_; }
    // Counts the rows again after the element's items changed in place.
    void Recount();
    // The rows with an item as they are now (0 without an element).
    int ItemCount() const;
    // The item of the current element at row, or null for rows without one.
    CItemData* ItemAt(int row) const;
    // The row of the current element's items that row shows (row itself
    // unless several elements are shown; the item count for none).
    std::size_t ItemRow(int row) const;
    // Whether the elements shown have different values at row.
    bool IsMixed(int row) const;

    int CurrentRow() const { return currentRow_; }
    // row is kept within the rows (-1 when there are none).
    void SetCurrentRow(int row);
    // The row's cells are to be painted again.
    void RefreshRow(int row);
    // The row an image dragged over the list would land on, -1 for none.
    int DropRow() const { return dropRow_; }
    void SetDropRow(int row);
    // Whether row holds an event (OnClick and the others): its value stays
    // empty, and it shows the commands the element has on that event.
    bool IsEventRow(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The marker text of an item kind: "▼" for the kinds with choices, ">>"
    // for image file names, empty otherwise.
    static QString MarkerText(ItemKind kind);

private:
    QVariant CellText(int row, int column) const;

    // Several elements: the properties they share, found again on Recount.
    void Share();

    ZeClass* element_ = nullptr;
    std::vector<ZeClass*> elements_;
    std::vector<SharedProperty> shared_;
    int rows_ = 0;
    int currentRow_ = -1;
    int dropRow_ = -1;
};

}  // namespace ze::panels
