#pragma once

#include <QWidget>
#include <string>

#include "model/message_sink.h"
#include "panels/editor_panel.h"
#include "panels/project_folder_field.h"

class QItemSelection;
class QModelIndex;
class QTreeView;

namespace ze {
class CZeResourceData;
class CZeDialogData;
class ZeClass;
}  // namespace ze

namespace ze::panels {

class ResourcePanelHost;
class ResourceTreeModel;

// The resource panel docked in the main window: the project folder row, the
// tree of the whole project, and below it the area the editing controls and
// the property list go into. It keeps the tree, the current dialog and the
// selected flags of the dialogs in step when the user picks a tree item.
class CResourceDlg : public QWidget, public EditorPanel {
    Q_OBJECT
public:
    CResourceDlg(CZeResourceData& project, ResourcePanelHost& host, MessageSink& messages,
                 QWidget* parent = nullptr);
    ~CResourceDlg() override;

    // Enables the editing controls, rebuilds the tree from the project, makes
    // the first dialog current (without opening its window) and shows it.
    void Reload();
    // Deletes every tree item; no item, dialog or element is current after.
    void Discard();
    void ShowElement(ZeClass* element);
    ZeClass* GetShownElement() const;
    // The element of the current tree item, or null.
    ZeClass* GetCurrentElement() const;

    CZeDialogData* GetCurrentDialog() const override;
    void SetCurrentDialog(CZeDialogData* dialog) override;
    void SelectFromView(CZeDialogData* dialog, ZeClass* element) override;
    void RefreshAfterHistoryStep(CZeDialogData& dialog, ZeClass* selected) override;

    // An operating-system path (UTF-8), as the folder field holds it.
    std::string GetProjectFolder() const;
    void SetProjectFolder(const std::string& folder);
    int GetListenPort() const;
    void SetListenPort(int port);

    ResourceTreeModel& TreeModel();
    QTreeView& TreeView();
    ProjectFolderField& FolderField();
    // The area below the tree that holds the editing controls; disabled
    // until the first Reload.
    QWidget& EditingArea();

    // Handles the element's item as if the user had clicked it (control: the
    // Control key held). Nothing happens when the element has no item.
    void SelectByUser(ZeClass* element, bool control = false);

private:
    void OnTreeSelectionChanged(const QItemSelection& selected);
    void OnExpansionChanged(const QModelIndex& index, bool expanded);
    // The selection handling of a click on the item at index.
    void HandleUserSelection(const QModelIndex& index, bool control);
    void SelectObjectOrGroup(const QModelIndex& index, ZeClass& element, bool control);
    // Makes index the current item and selects it in the view, without the
    // user-selection handling; an invalid index leaves no item current.
    void SelectItemByProgram(const QModelIndex& index);
    void ExpandByFlags(const QModelIndex& under);
    void RedrawTree();
    void ShowMessage(const char* utf8, MessageIcon icon);

    CZeResourceData& project_;
    ResourcePanelHost& host_;
    MessageSink& messages_;
    ResourceTreeModel* model_;
    QTreeView* tree_;
    ProjectFolderField* folderField_;
    QWidget* editingArea_;
    CZeDialogData* currentDialog_ = nullptr;
    ZeClass* shownElement_ = nullptr;
    int listenPort_ = 5000;
    // Set while the panel itself selects or expands items, so the view's
    // signals are not taken for the user's.
    bool selectingByProgram_ = false;
    bool expandingByProgram_ = false;
};

}  // namespace ze::panels
