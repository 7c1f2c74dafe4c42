#pragma once

#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_ids.h"
#include "app/command_menus.h"
#include "app/desktop_dialogs.h"
#include "app/device_list_window.h"
#include "app/dialog_view.h"
#include "app/dialog_windows.h"
#include "app/link_status.h"
#include "app/preview_printing.h"
#include "app/profile_settings.h"
#include "app/project_file_commands.h"
#include "app/recent_file_list.h"
#include "app/recovery_store.h"
#include "app/review_tabs.h"
#include "link/core/log_line.h"
#include "link/link_indicator.h"
#include "model/editing/project_observer.h"
#include "model/resource_data.h"
#include "panels/resource_panel_host.h"

class QAction;
class QDockWidget;
class QLabel;
class QMdiArea;

namespace ze::link {
class CDeviceLink;
}  // namespace ze::link

namespace ze::panels {
class CResourceDlg;
class CSkeletonDlg;
class ChangesWatch;
class EditCommands;
class FindingsWatch;
}  // namespace ze::panels

namespace ze::app {

class CChildFrame;
class CHistoryPane;
class CLogDlg;
class CStartPage;
class CZeDialogEditorDoc;
class CZeDialogEditorView;

// Where the editor finds its settings and images, and how it asks the user
// things. Every field has the desktop default when left empty; tests point
// them at temporary folders and recording dialogs.
struct EditorEnvironment {
    // The settings file read and written; default: the user's own
    // (UserSettingsPath). The one in programFolder gives the defaults below it.
    std::string settingsPath;
    std::string programFolder;  // default: the executable's folder (objects/, assets/, samples/)
    QString recoveryFolder;     // default: RecoveryStore::DefaultFolder()
    MessageSink* messages = nullptr;
    FileChooser* files = nullptr;
};

// The main window. It owns the project, the device link and the settings
// for its whole life and wires its parts together: the file commands
// (ProjectFileCommands), the editing windows (DialogWindows), the commands
// with their menus and toolbar (CommandMenus), the "問題" and "変更" tabs
// (ReviewTabs), the link's lamp and device count (CLinkStatus) and the
// printing of a preview (PreviewPrinting). Itself it holds the "Resource"
// and "Log" bars, the status bar, the settings it reads when it is created
// and writes when it closes, and what the panel asks of it. It follows the
// project's changes for its Edit entries and for the windows of a dialog
// that goes.
class CMainFrame : public QMainWindow,
                   public panels::ResourcePanelHost,
                   private ProjectObserver,
                   private ProjectFileHost {
    Q_OBJECT

public:
    static constexpr int kDefaultListenPort = 5000;
    static constexpr int kDefaultHttpPort = 8080;
    static constexpr int kDefaultAutosaveSeconds = ProjectFileCommands::kDefaultAutosaveSeconds;

    explicit CMainFrame(const EditorEnvironment& environment = {});
    ~CMainFrame() override;

    CZeResourceData& GetProject() { return project_; }
    panels::CResourceDlg& GetResourcePanel() { return *resourcePanel_; }
    link::CDeviceLink& GetDeviceLink() { return *link_; }
    CLogDlg& GetLogPane() { return *logPane_; }
    panels::FindingsWatch& GetFindings();
    panels::ChangesWatch& GetChanges();
    QMdiArea& GetMdiArea();
    // Over the MDI area while no dialog window is open.
    CStartPage& GetStartPage() { return *startPage_; }
    QDockWidget& GetResourceBar() { return *resourceBar_; }
    QDockWidget& GetLogBar() { return *logBar_; }
    QDockWidget& GetHistoryBar() { return *historyBar_; }
    CHistoryPane& GetHistoryPane() { return *historyPane_; }
    CProfileSettings& GetSettings() { return settings_; }
    CRecentFileList& GetRecentFiles() { return recentFiles_; }
    MessageSink& GetMessages() { return *messages_; }
    int GetHttpPort() const { return httpPort_; }

    // The parts.
    ProjectFileCommands& Files() { return *files_; }
    DialogWindows& Windows() { return *windows_; }
    CommandMenus& Commands() { return *commands_; }
    ReviewTabs& Review() { return *review_; }
    CLinkStatus& LinkStatus() { return *linkStatus_; }

    // The action of a command id (menus, toolbar, keys); null for an unknown id.
    QAction* Action(CommandId id) const;
    // Whether menu 129 (a dialog window is open) is the one shown.
    bool IsDialogMenuShown() const;
    std::vector<CChildFrame*> ChildFrames() const;
    CChildFrame* ActiveChildFrame() const;
    CZeDialogEditorView* ActiveView() const;

    // Operations the panels and the link use.
    void WriteLog(std::string_view text, link::LogKind kind) override;
    void SetLinkIndicator(link::LinkIndicator state);
    link::LinkIndicator GetLinkIndicator() const;
    // A property of the project root (for example Name), Shift_JIS.
    std::string GetRootProperty(std::string_view name) const;
    // The active window's title becomes the project's Name.
    void SetActiveDocumentTitle();
    // Scans the image folders of the program and of the project folder.
    void RefreshImages();
    void ChooseFinding(int index);
    // Puts folder (an operating-system path) in the panel's folder field and
    // scans the images again.
    void SetProjectFolder(const std::string& folder);
    // The send command is enabled only while a device is connected.
    void SetDeviceConnected(bool connected);
    // The panel that carries out copy, cut and paste; until one is set those
    // Edit entries do nothing but repaint.
    void SetEditCommands(panels::EditCommands* edit);
    // Enables the commands for the current state (active window, history).
    void UpdateCommandStates();

    // ResourcePanelHost
    void ActivateDialogWindow(CZeDialogData& dialog) override;
    // Repaints every preview (after the image folders were scanned again).
    void RedrawViews();
    void ProjectFolderChanged(const std::string& folder) override;
    void ShowStatusText(const QString& text) override;
    std::optional<panels::PaneSelection> SelectedPaneEntry() const override;
    void ShowImageList(PaneEntryKind kind, const std::string& name) override;
    // Closes every editing window of dialog.
    void CloseDialogWindows(CZeDialogData& dialog);

    // Commands. The file commands, autosave and recovery are Files()'.
    CChildFrame* OnFileNew();
    bool OpenFile(const std::string& path);
    CChildFrame* OnWindowNew();
    // Opens the skeleton dialog when the project has a Name, else says so.
    void OnCreateSkeleton();
    // The skeleton dialog once "スケルトンの作成(&M)" has opened it, else null.
    panels::CSkeletonDlg* GetSkeletonDialog() const { return skeletonDlg_; }
    // "構造表示" / "デバイス表示" for the active window; new windows start in
    // the mode chosen last, which the settings keep ("PreviewLook").
    void SetActiveLook(PreviewLook look);
    // "デバイス一覧": opens (or raises) the window, showing the current dialog;
    // without takeFocus the keyboard focus stays where it is.
    CDeviceListWindow& ShowDeviceList(bool takeFocus = true);
    // The window once opened, else null.
    CDeviceListWindow* GetDeviceList() const { return deviceList_.get(); }
    // Writes "ProjectFolder", "ListenPort" and "HttpPort" to the settings.
    void WriteSettings();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ProjectObserver
    void DialogRemoving(CZeDialogData& dialog) override;
    void HistoryMoved(CZeDialogData& dialog) override;
    void SelectionChanged(const Selection& selection) override;

    // ProjectFileHost
    void ProjectReloaded(bool checkLater) override;
    void DialogsDiscarding() override;
    void DialogsDiscarded() override;
    void ProjectFileChanged() override;
    void ModifiedChanged(bool modified) override;
    void SetChangesBaseline(std::string text) override;
    void CompareChangesLater() override;
    CZeDialogData* ActiveDialog() const override;
    void OpenDialogWindow(CZeDialogData& dialog) override;
    std::string ProjectFolder() const override;

    // Edit > Undo (Redo with forward) on the picked dialog's history.
    void StepHistory(bool forward);
    // Undo, redo, cut, copy and paste by their keys in another top-level
    // window of the editor.
    void ShareEditKeys(QWidget& window) const;
    // What each command does.
    void ConnectCommands();
    void CreateStatusBar();
    void CreateBars();
    void ReadSettings();
    void CreateStartPage();
    // Shown with its recent files while no dialog window is open.
    void UpdateStartPage();
    // A window opened, closed or came forward: the menu bar, the titles and
    // the commands follow.
    void WindowsChanged();
    // The project file, the modified marker, the application.
    void UpdateTitles();
    // "再描画": the active window's preview and the device list's.
    void OnRedraw();
    void RedrawDeviceList();

    EditorEnvironment environment_;
    CZeResourceData project_;
    // Lives as long as the window; the panel's network page drives it.
    std::unique_ptr<link::CDeviceLink> link_;
    CProfileSettings settings_;
    CRecentFileList recentFiles_;
    std::unique_ptr<QtMessageSink> ownMessages_;
    std::unique_ptr<QtFileChooser> ownFiles_;
    MessageSink* messages_ = nullptr;
    FileChooser* fileChooser_ = nullptr;

    // Before the services and every view that paints with it.
    std::unique_ptr<DeviceLook> look_;
    ViewServices services_;

    std::unique_ptr<ProjectFileCommands> files_;
    std::unique_ptr<DialogWindows> windows_;
    CommandMenus* commands_ = nullptr;
    std::unique_ptr<ReviewTabs> review_;
    CLinkStatus* linkStatus_ = nullptr;
    PreviewPrinting printing_;

    CStartPage* startPage_ = nullptr;
    // Status-bar pane 1: the active window's zoom.
    QLabel* zoomPane_ = nullptr;
    // The counts of the "問題" tab.
    QLabel* problemsPane_ = nullptr;
    // "変更 N 件".
    QLabel* changesPane_ = nullptr;
    QDockWidget* resourceBar_ = nullptr;
    QDockWidget* logBar_ = nullptr;
    // "履歴": the steps of the picked dialog's history.
    QDockWidget* historyBar_ = nullptr;
    CHistoryPane* historyPane_ = nullptr;
    panels::CResourceDlg* resourcePanel_ = nullptr;
    CLogDlg* logPane_ = nullptr;
    panels::CSkeletonDlg* skeletonDlg_ = nullptr;

    // "自動送信" as the settings keep it.
    bool autoSend_ = false;
    // Its tiles refer to the services and the project: it goes before them.
    std::unique_ptr<CDeviceListWindow> deviceList_;
    int httpPort_ = kDefaultHttpPort;
};

}  // namespace ze::app
