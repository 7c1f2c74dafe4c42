#pragma once

#include <QMainWindow>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_ids.h"
#include "app/desktop_dialogs.h"
#include "app/device_list_window.h"
#include "app/dialog_view.h"
#include "app/profile_settings.h"
#include "app/recent_file_list.h"
#include "app/recovery_store.h"
#include "link/core/log_line.h"
#include "link/link_indicator.h"
#include "model/editing/project_observer.h"
#include "model/resource_data.h"
#include "panels/resource_panel_host.h"

class QAction;
class QDockWidget;
class QLabel;
class QMdiArea;
class QPrinter;
class QTimer;
class QToolBar;

namespace ze {
class SavePoint;
}  // namespace ze

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
class CLinkStatus;
class CLogDlg;
class CStartPage;
class CZeDialogEditorDoc;
class CZeDialogEditorView;

// Where the editor finds its settings and images, and how it asks the user
// things. Every field has the desktop default when left empty; tests point
// them at temporary folders and recording dialogs.
struct EditorEnvironment {
    std::string settingsPath;   // default: "VaVoririvuZuvazu.ini" beside the executable
    std::string programFolder;  // default: the executable's folder (objects/, assets/, samples/)
    QString recoveryFolder;     // default: RecoveryStore::DefaultFolder()
    MessageSink* messages = nullptr;
    FileChooser* files = nullptr;
};

// The main window: the editing windows of the open dialogs in an MDI area,
// the toolbar, the status bar with the link indicator, and the "Resource"
// and "Log" bars. It owns the project and the device link for its whole life,
// reads the settings when it is created and writes them when it closes. It
// follows the project's changes for its Edit entries and for the windows of
// a dialog that goes.
class CMainFrame : public QMainWindow, public panels::ResourcePanelHost, private ProjectObserver {
    Q_OBJECT

public:
    static constexpr int kDefaultListenPort = 5000;
    static constexpr int kDefaultHttpPort = 8080;
    // Seconds between autosaves of a modified project ("AutosaveInterval"
    // in the settings; 0 turns autosave off).
    static constexpr int kDefaultAutosaveSeconds = 60;

    explicit CMainFrame(const EditorEnvironment& environment = {});
    ~CMainFrame() override;

    CZeResourceData& GetProject() { return project_; }
    panels::CResourceDlg& GetResourcePanel() { return *resourcePanel_; }
    link::CDeviceLink& GetDeviceLink() { return *link_; }
    CLogDlg& GetLogPane() { return *logPane_; }
    panels::FindingsWatch& GetFindings() { return *findings_; }
    panels::ChangesWatch& GetChanges() { return *changes_; }
    QMdiArea& GetMdiArea() { return *mdiArea_; }
    // Over the MDI area while no dialog window is open.
    CStartPage& GetStartPage() { return *startPage_; }
    QDockWidget& GetResourceBar() { return *resourceBar_; }
    QDockWidget& GetLogBar() { return *logBar_; }
    CProfileSettings& GetSettings() { return settings_; }
    CRecentFileList& GetRecentFiles() { return recentFiles_; }
    MessageSink& GetMessages() { return *messages_; }
    int GetHttpPort() const { return httpPort_; }

    // The action of a command id (menus, toolbar, keys); null for an unknown id.
    QAction* Action(CommandId id) const;
    // Whether menu 129 (a dialog window is open) is the one shown.
    bool IsDialogMenuShown() const { return dialogMenuShown_; }
    std::vector<CChildFrame*> ChildFrames() const;
    CChildFrame* ActiveChildFrame() const;
    CZeDialogEditorView* ActiveView() const;

    // Operations the panels and the link use.
    void WriteLog(std::string_view text, link::LogKind kind);
    void SetLinkIndicator(link::LinkIndicator state);
    link::LinkIndicator GetLinkIndicator() const { return linkIndicator_; }
    // A property of the project root (for example Name), Shift_JIS.
    std::string GetRootProperty(std::string_view name) const;
    // The active window's title becomes the project's Name.
    void SetActiveDocumentTitle();
    // Scans the image folders of the program and of the project folder.
    void RefreshImages();
    // The "問題" tab: its list and counts follow the checks; a chosen
    // finding selects its element and property.
    void ShowFindings();
    void CreateLanguageMenu();
    void ChooseFinding(int index);
    // The "変更" tab: its count follows every comparison, its list too while
    // it is in sight; a chosen change selects its element (what is left of
    // a removed one's place) and its property.
    void ShowChanges();
    void ChooseChange(int index);
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

    // The project file saves go to: the one the project was opened from
    // (while the project was empty) or last saved to; empty for none.
    const std::string& GetProjectFile() const { return projectFile_; }

    // Commands.
    CChildFrame* OnFileNew();
    // Reads the file into the project (its dialogs are added) and rebuilds
    // the tree; no window is opened. False when it could not be read; a file
    // that does not parse is reported with the parser's report.
    bool OpenFile(const std::string& path);
    void OnFileOpen();
    // Saves to the project file without asking; asks for one when there is
    // none.
    void OnSaveProject();
    // Asks where to save, always.
    void OnSaveProjectAs();
    void OnSaveResource();
    void OnDiscardAll();
    void OnCloseDocument();
    CChildFrame* OnWindowNew();
    // Opens the skeleton dialog when the project has a Name, else says so.
    void OnCreateSkeleton();
    // "データ送信": the panel sends the dialog being edited to the device.
    void OnSendDialog();
    // The skeleton dialog once "スケルトンの作成(&M)" has opened it, else null.
    panels::CSkeletonDlg* GetSkeletonDialog() const { return skeletonDlg_; }
    void OnClearLog();
    void OnAbout();
    void OnPrint();
    void OnPrintPreview();
    void OnPrintSetup();
    void ToggleResourceBar();
    void ToggleLogBar();
    // "構造表示" / "デバイス表示" for the active window; new windows start in
    // the mode chosen last, which the settings keep ("PreviewLook").
    void SetActiveLook(PreviewLook look);
    // "デバイス一覧": opens (or raises) the window, showing the current dialog.
    CDeviceListWindow& ShowDeviceList();
    // The window once opened, else null.
    CDeviceListWindow* GetDeviceList() const { return deviceList_.get(); }
    // Writes "ProjectFolder", "ListenPort" and "HttpPort" to the settings.
    void WriteSettings();
    // Whether the project changed since it was last opened into an
    // unchanged project, saved, or discarded (undo back to that state
    // counts as unchanged).
    bool HasUnsavedChanges() const;

    // Offers each recovery file left by an editor that did not close
    // cleanly: restored, it becomes this project, unsaved; discarded, it is
    // deleted. True when one was restored (the others wait for a later
    // start).
    bool OfferRecovery();
    // Writes the recovery file now when the project changed since the last
    // one (the autosave timer calls this); removes it when the project is
    // unchanged.
    void Autosave();
    RecoveryStore& GetRecoveryStore() { return recovery_; }
    // The project as a save writes it.
    std::string ProjectText() const;
    int GetAutosaveSeconds() const { return autosaveSeconds_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // ProjectObserver
    void DialogRemoving(CZeDialogData& dialog) override;
    void HistoryMoved(CZeDialogData& dialog) override;
    void SelectionChanged(const Selection& selection) override;
    // Edit > Undo (Redo with forward) on the picked dialog's history.
    void StepHistory(bool forward);

    void CreateActions();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateBars();
    void ReadSettings();
    // The project as it is now counts as saved.
    void MarkSaved();
    // Makes the row of property in the property list current, when the
    // element it shows has one of that name.
    void ShowPropertyRow(const ZeClass& element, const std::string& property);
    bool ChangesTabShown() const;
    void FillChangesList();
    bool SaveProjectTo(const std::string& path);
    // Success in the status bar and the log, failure in a message box.
    void TellSaved(bool saved, const std::string& path);
    bool RestoreRecovery(const RecoveryStore::LeftOver& leftOver);
    void ShowMenu(bool withDialog);
    void FillRecentFiles(QMenu& menu);
    // An entry of the recent files; one that is gone leaves the list.
    void OpenRecentFile(const std::string& path);
    void CreateStartPage();
    // The bundled example, opened as an untitled project with its first
    // dialog's window.
    void OpenExample(const std::string& path);
    // Where the file dialogs start (OpenStartFolder).
    QString FileDialogFolder() const;
    // Shown with its recent files while no dialog window is open.
    void UpdateStartPage();
    // A window on document; its view shares the document with the other
    // windows of the same dialog.
    CChildFrame* OpenWindow(std::shared_ptr<CZeDialogEditorDoc> document);
    // Where a new window goes: the next step of the cascade that fits in
    // the visible part of the MDI area.
    QRect CascadeGeometryFor(const CChildFrame& frame) const;
    void ChildFrameClosed(CChildFrame* frame);
    void SubWindowActivated();
    // Tab goes from the panel's property list to the active window's view,
    // the one view that Tab reaches.
    void PutActiveViewInTabOrder();
    void CloseDocumentWindows(CZeDialogEditorDoc& document);
    void CloseAllWindows();
    void UpdateTitles();
    void ArrangeIcons();
    // F6 and Shift+F6: the focus goes to the next (step 1) or previous
    // (step -1) of the active dialog window, the resource panel and the log
    // pane.
    void FocusPane(int step);
    std::vector<QWidget*> Panes() const;
    QWidget* FocusedPane() const;
    QPrinter& Printer();

    EditorEnvironment environment_;
    CZeResourceData project_;
    std::unique_ptr<SavePoint> savePoint_;
    std::string projectFile_;
    RecoveryStore recovery_;
    QTimer* autosaveTimer_ = nullptr;
    int autosaveSeconds_ = kDefaultAutosaveSeconds;
    // The save point's revision the recovery file holds.
    std::uint64_t autosavedRevision_ = 0;
    // Lives as long as the window; the panel's network page drives it.
    std::unique_ptr<link::CDeviceLink> link_;
    CProfileSettings settings_;
    CRecentFileList recentFiles_;
    std::unique_ptr<QtMessageSink> ownMessages_;
    std::unique_ptr<QtFileChooser> ownFiles_;
    MessageSink* messages_ = nullptr;
    FileChooser* files_ = nullptr;

    QMdiArea* mdiArea_ = nullptr;
    CStartPage* startPage_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    // Status-bar pane 1: the active window's zoom.
    QLabel* zoomPane_ = nullptr;
    QLabel* indicatorPane_ = nullptr;
    // "端末 N 台" and the indicator's tooltip.
    CLinkStatus* linkStatus_ = nullptr;
    // The counts of the "問題" tab.
    QLabel* problemsPane_ = nullptr;
    // "変更 N 件".
    QLabel* changesPane_ = nullptr;
    // "言語 / Language" in the View menu: the language of the next start.
    QMenu* languageMenu_ = nullptr;
    panels::FindingsWatch* findings_ = nullptr;
    panels::ChangesWatch* changes_ = nullptr;
    // The changes were compared while their tab was out of sight: the list
    // is filled when it comes into sight, not for every comparison.
    bool changesListStale_ = false;
    QDockWidget* resourceBar_ = nullptr;
    QDockWidget* logBar_ = nullptr;
    panels::CResourceDlg* resourcePanel_ = nullptr;
    CLogDlg* logPane_ = nullptr;
    panels::CSkeletonDlg* skeletonDlg_ = nullptr;
    std::map<CommandId, QAction*> actions_;
    std::vector<QAction*> recentActions_;
    std::unique_ptr<QPrinter> printer_;

    // Before the services and every view that paints with it.
    std::unique_ptr<DeviceLook> look_;
    // The paint mode new windows start in; the last one chosen.
    PreviewLook newWindowLook_ = PreviewLook::kStructure;
    // "自動送信" as the settings keep it.
    bool autoSend_ = false;
    ViewServices services_;
    // Its tiles refer to the services and the project: it goes before them.
    std::unique_ptr<CDeviceListWindow> deviceList_;
    bool dialogMenuShown_ = false;
    bool deviceConnected_ = false;
    link::LinkIndicator linkIndicator_ = link::LinkIndicator::NoAnswer;
    int httpPort_ = kDefaultHttpPort;
};

}  // namespace ze::app
