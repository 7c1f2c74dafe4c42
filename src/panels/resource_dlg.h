#pragma once

#include <QByteArray>
#include <QWidget>
#include <memory>
#include <string>
#include <string_view>

#include "link/device_link.h"
#include "model/editing/edit_result.h"
#include "model/editing/project_observer.h"
#include "model/message_sink.h"
#include "panels/editor_panel.h"
#include "panels/project_folder_field.h"
#include "panels/property_list_ctrl.h"
#include "panels/tree_drag.h"

class QAbstractButton;
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

class CNetworkPage;
class LiveSync;
class CPropertyListCtrl;
class PanelButtons;
enum class PanelButtonId : int;
class PanelTabs;
class PickTreeView;
class PropertyCommits;
class SelectionCommands;
class ResourcePanelHost;
class ResourceTreeModel;
class TreeFilter;
class TypeTables;

// The resource panel docked in the main window: the project folder row, the
// tree of the whole project, the tool buttons that change the tree, and two
// pages below them (the property list, the device link controls) switched by
// a tab strip. It turns the user's gestures into calls of the model's edit
// API, and the user's picks into calls of the project's selection; the tree
// and the property list follow the model and the selection through the
// project's change notification.
class CResourceDlg : public QWidget, public TreeDropHandler, private ProjectObserver {
    Q_OBJECT
public:
    // link is the main window's; the network page drives it.
    CResourceDlg(CZeResourceData& project, ResourcePanelHost& host, MessageSink& messages,
                 link::CDeviceLink& link, QWidget* parent = nullptr);
    ~CResourceDlg() override;

    // Enables the editing controls, rebuilds the tree from the project, makes
    // the first dialog current (without opening its window) and shows it.
    void Reload();
    // Deletes every tree item; no item, dialog or element is current after.
    void Discard();
    void ShowElement(ZeClass* element);
    ZeClass* GetShownElement() const;
    // The element of the current tree item (the selection's current
    // element), or null.
    ZeClass* GetCurrentElement() const;

    // The selection's current dialog.
    CZeDialogData* GetCurrentDialog() const;
    // A dialog other than the current one becomes current, nothing picked
    // in it.
    void SetCurrentDialog(CZeDialogData* dialog);

    // The operations on the selection the Edit menu and the previews use
    // too; the panel's buttons and keys go through them.
    SelectionCommands& Commands() { return *commands_; }

    // The tree operations on the picked elements.
    void MoveUp();
    void MoveDown();
    void DeleteCurrent();
    bool CopyCurrent();
    void PasteAtCurrent(PasteMode mode);
    // A new group or object of the type called typeName (ASCII, any letter
    // case); a name that is no type inserts nothing.
    void InsertByName(std::string_view typeName, PasteMode mode);
    void GroupSelected();
    void UngroupCurrent();
    // F2: the property list's Name row of the current item opens for editing.
    void EditCurrentName();
    // The insert buttons: the entry selected in the image/log pane decides.
    void InsertFromPane(PasteMode mode);
    // A double click on an entry of the image/log pane (name Shift_JIS).
    void OnPaneEntryChosen(PaneEntryKind kind, const std::string& name);
    // The value (Shift_JIS) of element's property name becomes value, as if
    // the user had committed it in the property list.
    bool CommitProperty(ZeClass& element, std::string_view name, std::string_view value);
    // TreeDropHandler: a tree element dragged to another place (Ctrl
    // copies), or an entry of the insert grid dropped into the tree.
    bool CanDrop(const QMimeData& mime, int row, const QModelIndex& parent, bool copy) override;
    bool Drop(const QMimeData& mime, int row, const QModelIndex& parent, bool copy) override;

    // An operating-system path (UTF-8), as the folder field holds it.
    std::string GetProjectFolder() const;
    void SetProjectFolder(const std::string& folder);
    int GetListenPort() const;
    void SetListenPort(int port);

    link::CDeviceLink& Link() { return link_; }
    // Sends the current dialog over the connection; false when there is no
    // connection or no current dialog, or the sending failed.
    bool SendCurrentDialog();

    ResourceTreeModel& TreeModel();
    QTreeView& TreeView();
    // Ctrl+F opens the find field above the tree; F3 steps to the next match.
    TreeFilter& Filter();
    QLineEdit& FindField();
    ProjectFolderField& FolderField();
    // The nine tool buttons by control id (32813 "▲" ... 1085 "G解除").
    QAbstractButton& Button(PanelButtonId id);
    PanelButtons& Buttons();
    TypeTables& Tables();
    // Where the property list goes, below the buttons on the "プロパティー"
    // page; disabled until the first Reload.
    QWidget& PropertyArea();
    // Where the device link controls go (the "接続" page).
    QWidget& NetworkArea();
    // 0 "接続", 1 "プロパティー".
    void ShowTab(int tab);
    int CurrentTab() const;
    PanelTabs& Tabs();
    CPropertyListCtrl& PropertyList();
    CNetworkPage& NetworkPage();
    // "自動送信" of the network page.
    LiveSync& GetLiveSync() { return *liveSync_; }

    // Handles the element's item as if the user had clicked it (control: the
    // Control key held). Nothing happens when the element has no item.
    void SelectByUser(ZeClass* element, bool control = false);
    // Ctrl+A in the tree: the children of the current group (of the current
    // object's group, of the current dialog's root group).
    void SelectChildrenOfCurrent();

signals:
    void ShownElementChanged(ze::ZeClass* element);
    // A built-in or user image was double-clicked in the pane; name is
    // Shift_JIS.
    void ImageChosen(ze::PaneEntryKind kind, const QByteArray& name);

private:
    // ProjectObserver: what the panel itself keeps (the current dialog, the
    // element shown, open nodes) follows the model.
    void ElementsChanged(const ElementChange& change) override;
    void DialogAdded(CZeDialogData& dialog) override;
    void DialogRemoving(CZeDialogData& dialog) override;
    void SelectionChanged(const Selection& selection) override;
    // The tree's current item, the element shown and the property list
    // follow the selection.
    void FollowSelection(const Selection& selection);

    // SelectionCommands::Apply, and the tree repainted with its marks.
    bool Apply(const EditResult& result);

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
    void RebuildWholeTree();
    void RedrawTree();
    // utf8 is a text marked with ZE_USER_TEXT; it is shown translated.
    void ShowMessage(const char* utf8, MessageIcon icon);
    // The property list and the network controls on their pages, bound to
    // the panel.
    void CreatePages();
    // An image double-clicked in the pane goes to the property list's
    // current row (name Shift_JIS).
    void AssignImageToCurrentRow(PaneEntryKind kind, const std::string& name);
    void SetEditingEnabled(bool enabled);
    // Delete, F2 and Alt+Up/Down in the tree; Ctrl+F and F3 in the window.
    void CreateKeys();
    // Tab goes down the panel as it is laid out, and each place shows
    // clearly that it has the focus.
    void SetUpKeyboardFocus();
    void OnButton(PanelButtonId id);
    void Move(MoveDirection direction);
    // After grouping or ungrouping: the dialog's item at the top, then the
    // element the operation left handled as a click.
    void AfterRegrouping(const EditResult& result);

    CZeResourceData& project_;
    ResourcePanelHost& host_;
    MessageSink& messages_;
    link::CDeviceLink& link_;
    std::unique_ptr<SelectionCommands> commands_;
    // The property list's commits; after commands_, which it uses.
    std::unique_ptr<PropertyCommits> commits_;
    ResourceTreeModel* model_;
    PickTreeView* tree_;
    QLineEdit* findField_;
    TreeFilter* filter_;
    ProjectFolderField* folderField_;
    PanelButtons* buttons_;
    TypeTables* tables_;
    QWidget* propertyArea_;
    QWidget* networkArea_;
    PanelTabs* tabs_;
    CPropertyListCtrl* propertyList_ = nullptr;
    CNetworkPage* networkPage_ = nullptr;
    LiveSync* liveSync_ = nullptr;
    // The dialog the live sync was last told about.
    CZeDialogData* followedDialog_ = nullptr;
    ZeClass* shownElement_ = nullptr;
    // Set while the panel itself selects or expands items, so the view's
    // signals are not taken for the user's.
    bool selectingByProgram_ = false;
    bool expandingByProgram_ = false;
};

}  // namespace ze::panels
