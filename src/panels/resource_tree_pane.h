#pragma once

#include <QWidget>

#include "model/editing/edit_result.h"
#include "model/editing/project_observer.h"
#include "model/message_sink.h"
#include "panels/tree_drag.h"

class QItemSelection;
class QLineEdit;
class QModelIndex;
class QTreeView;

namespace ze {
class CZeResourceData;
class CZeDialogData;
class ZeClass;
}  // namespace ze

namespace ze::panels {

class PickTreeView;
class ResourcePanelHost;
class ResourceTreeModel;
class SelectionCommands;
class TreeFilter;

// The tree of the whole project with its find field. A pick of the user's
// becomes a call of the project's selection (alone, Ctrl toggles, Shift
// takes the siblings between, Ctrl+A the current group's children), a drag
// within the tree or from the insert grid becomes a drop edit, and the
// tree's keys (Delete, Alt+Up/Down) go to the selection commands. The tree
// follows the model and the selection through the change notification.
class ResourceTreePane : public QWidget, public TreeDropHandler, private ProjectObserver {
    Q_OBJECT
public:
    ResourceTreePane(CZeResourceData& project, SelectionCommands& commands,
                     ResourcePanelHost& host, MessageSink& messages, QWidget* parent = nullptr);
    ~ResourceTreePane() override;

    // Rebuilds the tree from the project and shows the selection.
    void Reload();
    // Deletes every item; no item or element is current after.
    void Discard();

    // The element of the current tree item (the selection's current
    // element), or null.
    ZeClass* CurrentElement() const;
    // The element the tree last showed as current; it follows the selection.
    ZeClass* ShownElement() const { return shownElement_; }

    // Handles the element's item as if the user had clicked it (control: the
    // Control key held). Nothing happens when the element has no item.
    void SelectByUser(ZeClass* element, bool control = false);
    // Ctrl+A in the tree: the children of the current group (of the current
    // object's group, of the current dialog's root group).
    void SelectChildrenOfCurrent();
    // Grouping works on the current dialog; the tree then shows the dialog
    // at the top and the group or elements the operation left picked.
    void GroupSelected();
    void UngroupCurrent();

    // TreeDropHandler: a tree element dragged to another place (Ctrl
    // copies), or an entry of the insert grid dropped into the tree.
    bool CanDrop(const QMimeData& mime, int row, const QModelIndex& parent, bool copy) override;
    bool Drop(const QMimeData& mime, int row, const QModelIndex& parent, bool copy) override;

    ResourceTreeModel& Model() { return *model_; }
    QTreeView& View();
    // Ctrl+F opens the find field above the tree; F3 steps to the next match.
    TreeFilter& Filter() { return *filter_; }
    QLineEdit& FindField() { return *findField_; }

signals:
    void ShownElementChanged(ze::ZeClass* element);
    // F2 on the tree: the current element's Name is to be edited.
    void NameEditRequested();

private:
    // ProjectObserver: the current item and the open nodes follow the model
    // and the selection.
    void ElementsChanged(const ElementChange& change) override;
    void DialogAdded(CZeDialogData& dialog) override;
    void DialogRemoving(CZeDialogData& dialog) override;
    void ProjectEmptied() override;
    void SelectionChanged(const Selection& selection) override;
    void FollowSelection(const Selection& selection);
    void ShowElement(ZeClass* element);

    // SelectionCommands::Apply, and the tree repainted with its marks.
    bool Apply(const EditResult& result);
    // Says in the status bar why the drop the pointer is over would not be
    // taken (the view shows it cannot), or takes back what was said.
    void TellDropRefusal(const EditResult& refusal);
    void AfterRegrouping(const EditResult& result);

    void CreateKeys();
    void OnTreeSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void OnExpansionChanged(const QModelIndex& index, bool expanded);
    // A pick of the item at index with keys held, as a click makes it.
    void HandleUserSelection(const QModelIndex& index, Qt::KeyboardModifiers keys);
    // Makes index the current item and selects it in the view, without the
    // user-selection handling; an invalid index leaves no item current.
    void SelectItemByProgram(const QModelIndex& index);
    void ExpandByFlags(const QModelIndex& under);
    // Runs change (which adds, moves or removes items) with the view's
    // resulting selection changes taken as the program's, not the user's.
    template <typename Change>
    void ChangeItems(Change change) {
        const bool before = selectingByProgram_;
        selectingByProgram_ = true;
        change();
        selectingByProgram_ = before;
    }
    void RedrawTree();
    // utf8 is a text marked with ZE_USER_TEXT; it is shown translated.
    void ShowMessage(const char* utf8, MessageIcon icon);

    CZeResourceData& project_;
    SelectionCommands& commands_;
    ResourcePanelHost& host_;
    MessageSink& messages_;
    ResourceTreeModel* model_;
    PickTreeView* tree_;
    QLineEdit* findField_;
    TreeFilter* filter_;
    ZeClass* shownElement_ = nullptr;
    std::string dropRefusalShown_;
    // Set while the pane itself selects or expands items, so the view's
    // signals are not taken for the user's.
    bool selectingByProgram_ = false;
    bool expandingByProgram_ = false;
};

}  // namespace ze::panels
