#pragma once

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QTableView>
#include <memory>
#include <string_view>

#include "model/editing/edit_result.h"
#include "model/editing/project_observer.h"
#include "model/message_sink.h"

namespace ze {
class ZeClass;
}  // namespace ze

namespace ze::panels {

class PropertyListModel;

// Where the property list sends a value the user committed: the property
// page's PropertyCommits, which hands it to the model's edit API.
class PropertyCommitter {
public:
    PropertyCommitter() = default;
    virtual ~PropertyCommitter() = default;
    PropertyCommitter(const PropertyCommitter&) = delete;
    PropertyCommitter& operator=(const PropertyCommitter&) = delete;

    // value (Shift_JIS) for element's property called name, with all that
    // follows from it. The committer checks it (the list does not): false
    // when it was refused, the user having been told why.
    virtual bool CommitValue(ZeClass& element, std::string_view name, std::string_view value) = 0;
};

// The property list of the resource panel: the items of one element as rows
// of name and value, edited in place. A click on the marker column, or on a
// row that is already current, opens an edit field or a drop-down over the
// row, by the item's kind; Space, Enter and F2 edit the current row's value
// (Escape in the cell leaves it without storing), Up and Down move the
// current row, Delete empties a value. A committed value that has a
// Shift_JIS form is handed, with its property's name, to the committer,
// whose model checks it; a value refused here or there stays in its cell,
// all selected, until it is corrected or Escape gives up on it. An image dragged
// from the image grids may be dropped on an image file row. The list follows
// the model through the project's change notification: it never shows an
// element that has left its dialog's tree, and a cell open on an element that
// changes or goes closes without storing.
class CPropertyListCtrl : public QTableView, public ProjectObserver {
    Q_OBJECT
public:
    static constexpr int kKeyWidth = 120;
    static constexpr int kValueWidth = 215;
    static constexpr int kMarkerWidth = 20;
    // A drop-down covers its row and this many rows below it.
    static constexpr int kDropDownRowsBelow = 10;

    CPropertyListCtrl(MessageSink& messages, PropertyCommitter& committer,
                      QWidget* parent = nullptr);
    ~CPropertyListCtrl() override;

    // Nothing when element is already shown; else it is remembered, the
    // current row becomes 0 (-1 for null) and the row count is reset. An open
    // cell is closed without storing anything, so the element shown before
    // may be deleted once another one (or none) is shown.
    void ShowElement(ZeClass* element);
    // Several elements, element the current one of them: the properties they
    // all have (see PropertyListModel::SetElements); a commit reaches the
    // committer with element and the row of element's item.
    void ShowSelection(ZeClass* element, const std::vector<ZeClass*>& elements);
    ZeClass* GetElement() const;
    // The shown element's items changed in place (type change, undo): rows
    // recomputed, redrawn. An open cell is closed without storing anything.
    void Clear();
    int GetCurrentRow() const;
    void SetCurrentRow(int row);
    // Opens the editor of row and column (0 key, 1 value, 2 marker) by the
    // item's kind; nothing for rows at or beyond the item count. A cell that
    // is still open is committed first.
    void StartEdit(int row, int column);
    // The open edit field or drop-down cell, or null.
    QWidget* OpenCell() const;
    PropertyListModel& Model();

    // ProjectObserver
    void ElementsChanged(const ElementChange& change) override;
    void DialogRemoving(CZeDialogData& dialog) override;
    void ProjectEmptied() override;

signals:
    // The description of the item under the mouse (UTF-8), "..." below the
    // last item.
    void StatusTextChanged(const QString& text);
    // A click on the marker of an image file row: the user images or the
    // built-in ones; value is the row's value (Shift_JIS).
    void ImagePickerRequested(ze::PaneEntryKind kind, const QByteArray& value);
    // An image of the built-in (kBuiltInImage) or user images (kUserImage)
    // dropped on the image file row row; name is Shift_JIS.
    void ImageDropped(int row, ze::PaneEntryKind kind, const QByteArray& name);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // Images dragged from the image grids, over the viewport.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void Click(const QPoint& position);
    void MoveCurrentRow(int step);
    void DeleteValue(int row);
    void OpenEditField(int row, int column, const QString& text);
    void OpenDropDown(int row, const QStringList& choices);
    void RequestImagePicker(int row);
    // The row under a drag or drop that takes the image it carries; -1 when
    // it carries none or the row takes none.
    int ImageDropRow(const QDropEvent& event) const;
    void TrackDrag(QDragMoveEvent* event);
    template <typename Cell>
    void Adopt(Cell* cell);
    // text is null for a cancelled edit.
    void OnCellEnded(QWidget* cell, int row, int column, const QString* text, int step);
    // Checks text and commits it as the value of row's item; false when it
    // was refused (the user has been told, the property named) or the row
    // has no item.
    bool StoreValue(int row, const QString& text);
    // cell, which reported a refused value, stays the open cell.
    void KeepOpen(QWidget* cell);
    // The element shown has gone: nothing is shown.
    void Forget();
    void CommitOpenCell();
    void CloseOpenCell();
    void UpdateStatusText(int y);

    MessageSink& messages_;
    PropertyCommitter& committer_;
    std::unique_ptr<PropertyListModel> model_;
    QPointer<QWidget> openCell_;
    // The text the open cell started with: for a drop-down what its row
    // showed (an event row's commands).
    QString openedText_;
    // The row whose status text was sent last (-1 below the items).
    int statusRow_ = -2;
};

}  // namespace ze::panels
