#pragma once

#include <QByteArray>
#include <QWidget>
#include <memory>
#include <string>
#include <string_view>

#include "link/device_link.h"
#include "model/editing/edit_result.h"
#include "model/message_sink.h"
#include "panels/project_folder_field.h"

class QAbstractButton;
class QLineEdit;
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
enum class PanelTab : int;
class PanelTabs;
class PropertyPage;
class ResourcePanelHost;
class ResourceTreeModel;
class ResourceTreePane;
class SelectionCommands;
class TreeFilter;
class TypeTables;

// The resource panel docked in the main window. It holds widgets with one
// job each: the project folder row, the tree of the whole project, the tool
// buttons, and two pages below them (the property list, the device link
// controls) switched by a tab strip. The tree, the property list and the
// live sync each follow the model and the project's selection on their
// own; the panel lays them out, routes its buttons and the image/log
// pane's requests to the selection commands, and keeps the Tab order.
// Windows that edit the project go through the selection commands
// (Commands()) and the model's edit API, never through the panel.
class CResourceDlg : public QWidget {
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

    // The operations on the selection the Edit menu and the previews use
    // too; the panel's buttons and keys go through them.
    SelectionCommands& Commands() { return *commands_; }
    ResourceTreePane& Tree() { return *tree_; }
    PropertyPage& Properties() { return *properties_; }

    // The selection's current dialog.
    CZeDialogData* GetCurrentDialog() const;
    // A dialog other than the current one becomes current, nothing picked
    // in it.
    void SetCurrentDialog(CZeDialogData* dialog);

    // The insert buttons: the entry selected in the image/log pane decides.
    void InsertFromPane(PasteMode mode);
    // A double click on an entry of the image/log pane (name Shift_JIS).
    void OnPaneEntryChosen(PaneEntryKind kind, const std::string& name);

    // An operating-system path (UTF-8), as the folder field holds it.
    std::string GetProjectFolder() const;
    void SetProjectFolder(const std::string& folder);
    int GetListenPort() const;
    void SetListenPort(int port);

    link::CDeviceLink& Link() { return link_; }
    // Sends the current dialog over the connection; false when there is no
    // connection or no current dialog, or the sending failed.
    bool SendCurrentDialog();

    ProjectFolderField& FolderField() { return *folderField_; }
    // The nine tool buttons by control id (32813 "▲" ... 1085 "G解除").
    QAbstractButton& Button(PanelButtonId id);
    PanelButtons& Buttons() { return *buttons_; }
    TypeTables& Tables() { return *tables_; }
    // The "プロパティー" page's place; disabled until the first Reload.
    QWidget& PropertyArea();
    // Where the device link controls go (the "接続" page).
    QWidget& NetworkArea() { return *networkArea_; }
    void ShowTab(PanelTab tab);
    PanelTab CurrentTab() const;
    PanelTabs& Tabs() { return *tabs_; }
    CPropertyListCtrl& PropertyList();
    CNetworkPage& NetworkPage() { return *networkPage_; }
    // "自動送信" of the network page.
    LiveSync& GetLiveSync() { return *liveSync_; }

    // Shorthands for the tree's and the selection commands' calls, as the
    // panel's own buttons make them.
    ResourceTreeModel& TreeModel();
    QTreeView& TreeView();
    TreeFilter& Filter();
    ZeClass* GetCurrentElement() const;
    ZeClass* GetShownElement() const;
    void SelectByUser(ZeClass* element, bool control = false);
    void SelectChildrenOfCurrent();
    void MoveUp();
    void MoveDown();
    void DeleteCurrent();
    bool CopyCurrent();
    void PasteAtCurrent(PasteMode mode);
    void InsertByName(std::string_view typeName, PasteMode mode);
    void GroupSelected();
    void UngroupCurrent();
    // F2: the property list's Name row of the current item opens for editing.
    void EditCurrentName();
    bool CommitProperty(ZeClass& element, std::string_view name, std::string_view value);

signals:
    void ShownElementChanged(ze::ZeClass* element);
    // A built-in or user image was double-clicked in the pane; name is
    // Shift_JIS.
    void ImageChosen(ze::PaneEntryKind kind, const QByteArray& name);

private:
    void SetEditingEnabled(bool enabled);
    // Tab goes down the panel as it is laid out, and each place shows
    // clearly that it has the focus.
    void SetUpKeyboardFocus();
    void OnButton(PanelButtonId id);

    CZeResourceData& project_;
    ResourcePanelHost& host_;
    link::CDeviceLink& link_;
    std::unique_ptr<SelectionCommands> commands_;
    ProjectFolderField* folderField_;
    ResourceTreePane* tree_;
    PanelButtons* buttons_;
    TypeTables* tables_;
    PropertyPage* properties_;
    QWidget* networkArea_;
    CNetworkPage* networkPage_;
    PanelTabs* tabs_;
    LiveSync* liveSync_;
};

}  // namespace ze::panels
