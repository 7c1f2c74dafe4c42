#include "app/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMimeData>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeView>
#include <QUrl>
#include <functional>
#include <utility>

#include "app/about_dialog.h"
#include "app/child_frame.h"
#include "app/dialog_document.h"
#include "app/icons.h"
#include "app/panes/history_pane.h"
#include "app/panes/log_dlg.h"
#include "app/start_page.h"
#include "app/step_captions.h"
#include "codegen/skeleton_generator.h"
#include "common/paths.h"
#include "common/qt/sjis_qstring.h"
#include "layout/qt/device_look.h"
#include "layout/qt/font_measure.h"
#include "link/device_link.h"
#include "model/editing/history_edits.h"
#include "model/editing/selection.h"
#include "model/property_names.h"
#include "panels/changes_watch.h"
#include "panels/findings_watch.h"
#include "panels/network_page.h"
#include "panels/panel_tabs.h"
#include "panels/property_list_ctrl.h"
#include "panels/resource_dlg.h"
#include "panels/selection_commands.h"
#include "panels/skeleton_dlg.h"
#include "panels/user_text_translator.h"

namespace ze::app {

namespace {

constexpr const char* kSettingSection = "SETTING";
constexpr int kStatusPane1Width = 40;

}  // namespace

CMainFrame::CMainFrame(const EditorEnvironment& environment)
    : environment_(environment),
      settings_(EditorSettings(environment.settingsPath, environment.programFolder)),
      recentFiles_(settings_) {
    // The model's messages follow the editor's language.
    panels::TranslateUserTexts();
    if (environment_.programFolder.empty()) {
        environment_.programFolder = ExecutableFolder();
    }
    if (environment_.messages == nullptr) {
        ownMessages_ = std::make_unique<QtMessageSink>(this);
    }
    if (environment_.files == nullptr) {
        ownFiles_ = std::make_unique<QtFileChooser>(this);
    }
    messages_ = environment_.messages != nullptr ? environment_.messages : ownMessages_.get();
    fileChooser_ = environment_.files != nullptr ? environment_.files : ownFiles_.get();
    project_.SetMessageSink(messages_);
    // The save point follows the project before anything else does.
    ProjectFileHost& fileHost = *this;
    files_ = std::make_unique<ProjectFileCommands>(project_, fileHost, *messages_, *fileChooser_,
                                                   recentFiles_, environment.recoveryFolder);
    link_ = std::make_unique<link::CDeviceLink>();
    look_ = std::make_unique<DeviceLook>();
    services_.look = look_.get();

    setWindowIcon(EditorIcon());
    setAcceptDrops(true);
    // Wide enough that the captions of every tab of the "Log" bar show whole
    // beside the "Resource" bar, in English too.
    resize(1280, 800);

    windows_ = std::make_unique<DialogWindows>(project_, services_);
    setCentralWidget(&windows_->Area());
    connect(windows_.get(), &DialogWindows::WindowsChanged, this, &CMainFrame::WindowsChanged);
    connect(windows_.get(), &DialogWindows::ViewportChanged, this,
            &CMainFrame::UpdateCommandStates);
    CreateStartPage();

    commands_ = new CommandMenus(*this, recentFiles_, settings_);
    connect(commands_, &CommandMenus::MenuAboutToShow, this, &CMainFrame::UpdateCommandStates);
    connect(commands_, &CommandMenus::StatusMessage, this, &CMainFrame::ShowStatusText);
    connect(commands_, &CommandMenus::RecentFileChosen, this, [this](const std::string& path) {
        files_->OpenRecentFile(path);
        UpdateCommandStates();
    });
    CreateStatusBar();
    CreateBars();
    ConnectCommands();
    // After the panel: its answer to a dialog going (bringing the neighbour
    // forward) comes before the dialog's windows close.
    project_.Observers().Add(this);
    ReadSettings();
    files_->MarkSaved();
    RefreshImages();
    recentFiles_.Load();
    commands_->ShowMenu(false);
    UpdateTitles();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
    // The device list goes after the bars the command states read.
    if (deviceList_ != nullptr) {
        deviceList_->removeEventFilter(this);
    }
    project_.Observers().Remove(this);
    // The windows refer to documents, the documents and the panel to the
    // project: they go before the project does, not with the base class.
    // Closed windows still waiting for deletion are among them.
    windows_->DeleteAll();
    // Whatever the link still says while it closes its sockets finds no
    // bars and no command states to update.
    link_->disconnect(this);
    linkStatus_->disconnect(this);
    delete resourceBar_;
    delete logBar_;
    delete historyBar_;
    // The findings and changes watches observe the project too.
    review_.reset();
    // The panel's network page referred to the link.
    link_.reset();
    // A clean end: nothing to recover at the next start.
    files_.reset();
}

// ---------------------------------------------------------------- set-up

void CMainFrame::ConnectCommands() {
    using enum CommandId;
    CommandMenus& commands = *commands_;
    // Most commands leave a state the entries follow at once.
    const auto on = [this, &commands](CommandId id, std::function<void()> handler) {
        commands.On(id, [this, handler = std::move(handler)] {
            handler();
            UpdateCommandStates();
        });
    };
    on(kFileOpen, [this] { files_->OnFileOpen(); });
    on(kSaveProject, [this] { files_->OnSaveProject(); });
    on(kSaveProjectAs, [this] { files_->OnSaveProjectAs(); });
    on(kSaveResource, [this] { files_->OnSaveResource(); });
    on(kDiscardAll, [this] { files_->OnDiscardAll(); });
    on(kFileClose, [this] { windows_->CloseActiveDocument(); });
    on(kCreateSkeleton, [this] { OnCreateSkeleton(); });
    on(kClearLog, [this] { logPane_->ClearLog(); });
    on(kAppAbout, [this] {
        CAboutDlg about(this);
        about.exec();
    });
    on(kFilePrint, [this] {
        if (CZeDialogEditorView* view = ActiveView()) {
            printing_.Print(*view, this);
        }
    });
    on(kFilePrintPreview, [this] {
        if (CZeDialogEditorView* view = ActiveView()) {
            printing_.Preview(*view, this);
        }
    });
    on(kFilePrintSetup, [this] { printing_.PageSetup(this); });
    on(kViewResourcePanel, [this] { resourceBar_->setVisible(resourceBar_->isHidden()); });
    on(kViewLogPane, [this] { logBar_->setVisible(logBar_->isHidden()); });
    on(kViewHistory, [this] {
        historyBar_->setVisible(historyBar_->isHidden());
        if (!historyBar_->isHidden()) {
            historyBar_->raise();
        }
    });
    on(kWindowArrange, [this] { windows_->ArrangeIcons(); });
    on(kRedraw, [this] { OnRedraw(); });
    for (const auto& [id, mode] : {std::pair{kViewFitWindow, PreviewSizing::kFitWindow},
                                   std::pair{kViewDeviceSize, PreviewSizing::kDeviceSize}}) {
        on(id, [this, mode = mode] {
            if (CZeDialogEditorView* view = ActiveView()) {
                view->SetSizing(mode);
            }
        });
    }
    // The view entries belong to the active editing window.
    for (const auto& [id, handler] : {std::pair{kZoomIn, &CZeDialogEditorView::ZoomIn},
                                      std::pair{kZoomOut, &CZeDialogEditorView::ZoomOut},
                                      std::pair{kZoomReset, &CZeDialogEditorView::ZoomReset}}) {
        on(id, [this, handler = handler] {
            if (CZeDialogEditorView* view = ActiveView()) {
                (view->*handler)();
            }
        });
    }

    // The active window's paint mode; Ctrl+D switches.
    for (const auto& [id, look] : {std::pair{kViewStructure, PreviewLook::kStructure},
                                   std::pair{kViewDeviceLook, PreviewLook::kDevice}}) {
        commands.On(id, [this, look = look] { SetActiveLook(look); });
    }
    commands.On(kSwitchLook, [this] {
        if (CZeDialogEditorView* view = ActiveView()) {
            SetActiveLook(view->Look() == PreviewLook::kDevice ? PreviewLook::kStructure
                                                               : PreviewLook::kDevice);
        }
    });
    commands.On(kViewDeviceList, [this] { ShowDeviceList(); });
    commands.On(kFileNew, [this] { OnFileNew(); });
    commands.On(kWindowNew, [this] { OnWindowNew(); });
    commands.On(kAppExit, [this] { close(); });
    // "データ送信": the panel sends the dialog being edited to the device.
    commands.On(kSendDialog, [this] { resourcePanel_->SendCurrentDialog(); });
    commands.On(kNextPane, [this] { windows_->FocusPane(1); });
    commands.On(kPreviousPane, [this] { windows_->FocusPane(-1); });
    connect(Action(kWindowCascade), &QAction::triggered, &windows_->Area(),
            &QMdiArea::cascadeSubWindows);
    connect(Action(kWindowTile), &QAction::triggered, &windows_->Area(), &QMdiArea::tileSubWindows);

    // Undo and redo step through the history of the dialog picked, whether
    // or not it has a window; cut, copy and paste act on what is picked.
    commands.On(kEditUndo, [this] { StepHistory(false); });
    commands.On(kEditRedo, [this] { StepHistory(true); });
    commands.On(kEditCopy, [this] {
        if (services_.edit != nullptr) {
            services_.edit->CopyCurrent();
        }
    });
    commands.On(kEditCut, [this] {
        if (services_.edit != nullptr) {
            services_.edit->CopyCurrent();
            services_.edit->DeleteCurrent();
        }
    });
    commands.On(kEditPaste, [this] {
        if (services_.edit != nullptr) {
            services_.edit->PasteAtCurrent(PasteMode::kAfter);
        }
    });
}

void CMainFrame::CreateStatusBar() {
    zoomPane_ = new QLabel;
    zoomPane_->setObjectName(QStringLiteral("ZoomPane"));
    zoomPane_->setFixedWidth(kStatusPane1Width);
    zoomPane_->setAlignment(Qt::AlignCenter);
    problemsPane_ = new QLabel;
    problemsPane_->setObjectName(QStringLiteral("ProblemsPane"));
    problemsPane_->setAlignment(Qt::AlignCenter);
    statusBar()->addPermanentWidget(problemsPane_);
    changesPane_ = new QLabel;
    changesPane_->setObjectName(QStringLiteral("ChangesPane"));
    changesPane_->setAlignment(Qt::AlignCenter);
    statusBar()->addPermanentWidget(changesPane_);
    statusBar()->addPermanentWidget(zoomPane_);
    // The lamp and the count of devices at the right end.
    linkStatus_ = new CLinkStatus(*link_, *statusBar(), this);
}

void CMainFrame::CreateBars() {
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);
    // The "Resource" bar runs along the whole right edge, the "Log" bar
    // along the bottom up to it.
    setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
    setCorner(Qt::TopRightCorner, Qt::RightDockWidgetArea);

    logPane_ = new CLogDlg;
    logBar_ = new QDockWidget(QStringLiteral("Log"), this);
    logBar_->setObjectName(QStringLiteral("Log"));
    logBar_->setAllowedAreas(Qt::BottomDockWidgetArea);
    logBar_->setWidget(logPane_);
    addDockWidget(Qt::BottomDockWidgetArea, logBar_);

    resourcePanel_ = new panels::CResourceDlg(project_, *this, *messages_, *link_);
    resourceBar_ = new QDockWidget(QStringLiteral("Resource"), this);
    resourceBar_->setObjectName(QStringLiteral("Resource"));
    resourceBar_->setAllowedAreas(Qt::RightDockWidgetArea);
    resourceBar_->setWidget(resourcePanel_);
    addDockWidget(Qt::RightDockWidgetArea, resourceBar_);
    services_.drops = &resourcePanel_->Commands();
    // A tab beside the panel, as long as the panel.
    historyPane_ = new CHistoryPane(project_);
    historyBar_ = new QDockWidget(QCoreApplication::translate("Editor", "履歴"), this);
    historyBar_->setObjectName(QStringLiteral("History"));
    historyBar_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    historyBar_->setWidget(historyPane_);
    addDockWidget(Qt::RightDockWidgetArea, historyBar_);
    tabifyDockWidget(resourceBar_, historyBar_);
    resourceBar_->raise();
    // "自動送信" is kept once the user changes it.
    connect(&resourcePanel_->NetworkPage(), &panels::CNetworkPage::AutoSendChanged, this,
            [this](bool on) {
                if (on != autoSend_) {
                    autoSend_ = on;
                    settings_.WriteInt(kSettingSection, "AutoSend", on ? 1 : 0);
                }
            });
    // The device list shows the dialog the panel works on.
    connect(resourcePanel_, &panels::CResourceDlg::ShownElementChanged, this, [this] {
        if (deviceList_ != nullptr) {
            deviceList_->ShowDialog(project_.GetSelection().Dialog());
        }
    });
    // F6 lands on the tree and on the log pane's tabs; Tab goes from the
    // property list to the active window's view.
    resourcePanel_->setFocusProxy(&resourcePanel_->TreeView());
    logPane_->setFocusProxy(logPane_->findChild<QTabWidget*>());
    windows_->SetPaneBars({resourceBar_, logBar_});
    windows_->SetTabPredecessor(&resourcePanel_->PropertyList());

    const auto follow = [](QDockWidget* bar, QAction* action) {
        connect(bar, &QDockWidget::visibilityChanged, action,
                [bar, action] { action->setChecked(!bar->isHidden()); });
    };
    follow(logBar_, Action(CommandId::kViewLogPane));
    follow(resourceBar_, Action(CommandId::kViewResourcePanel));
    follow(historyBar_, Action(CommandId::kViewHistory));

    connect(logPane_, &CLogDlg::EntryChosen, this,
            [this](PaneEntryKind kind, const QByteArray& text) {
                resourcePanel_->OnPaneEntryChosen(kind, text.toStdString());
            });

    review_ = std::make_unique<ReviewTabs>(project_, *logPane_, *logBar_, *problemsPane_,
                                           *changesPane_);
    review_->Findings().EnableLayoutChecks(std::make_unique<FontTextMeasure>(),
                                           DeviceListCheckOptions(settings_));
    connect(review_.get(), &ReviewTabs::SizeToReveal, this,
            [this](QSize size) { ShowDeviceList(false).RevealSize(size); });
    connect(review_.get(), &ReviewTabs::DialogToShow, this, [this](CZeDialogData* dialog) {
        if (dialog != nullptr) {
            ActivateDialogWindow(*dialog);
        }
    });
    connect(review_.get(), &ReviewTabs::PropertyRowToShow, this, [this](int row) {
        resourcePanel_->ShowTab(panels::PanelTab::kProperty);
        resourcePanel_->PropertyList().SetCurrentRow(row);
    });

    // The copy, cut and paste entries of the editing windows are the panel's.
    SetEditCommands(&resourcePanel_->Commands());

    // Once the bars are there: the send command follows the link.
    connect(linkStatus_, &CLinkStatus::DeviceConnectedChanged, this,
            &CMainFrame::UpdateCommandStates);
    // The device link's log lines show in the log pane.
    connect(
        link_.get(), &link::CDeviceLink::LogWritten, this,
        [this](const QByteArray& text, link::LogKind kind) { WriteLog(text.toStdString(), kind); });
}

void CMainFrame::ReadSettings() {
    const std::string folder =
        PathFromProfileText(settings_.ReadString(kSettingSection, "ProjectFolder", ""));
    resourcePanel_->SetProjectFolder(folder);
    resourcePanel_->SetListenPort(
        settings_.ReadInt(kSettingSection, "ListenPort", kDefaultListenPort));
    httpPort_ = settings_.ReadInt(kSettingSection, "HttpPort", kDefaultHttpPort);
    link_->SetHttpPort(httpPort_);
    link_->SetMaxDevices(
        settings_.ReadInt(kSettingSection, "MaxDevices", link::CDeviceLink::kDefaultMaxDevices));
    // Read only: the settings file keeps the keys it always had.
    files_->StartAutosave(
        settings_.ReadInt(kSettingSection, "AutosaveInterval", kDefaultAutosaveSeconds));
    windows_->SetNewWindowLook(settings_.ReadInt(kSettingSection, "PreviewLook", 0) == 1
                                   ? PreviewLook::kDevice
                                   : PreviewLook::kStructure);
    autoSend_ = settings_.ReadInt(kSettingSection, "AutoSend", 0) == 1;
    resourcePanel_->NetworkPage().AutoSendBox().setChecked(autoSend_);
}

void CMainFrame::WriteSettings() {
    const std::string folder = WithTrailingSeparator(resourcePanel_->GetProjectFolder());
    settings_.WriteString(kSettingSection, "ProjectFolder", PathToProfileText(folder));
    settings_.WriteInt(kSettingSection, "ListenPort", resourcePanel_->GetListenPort());
    settings_.WriteInt(kSettingSection, "HttpPort", httpPort_);
}

void CMainFrame::CreateStartPage() {
    startPage_ = new CStartPage(windows_->Area(), environment_.programFolder);
    connect(startPage_, &CStartPage::NewChosen, this, [this] { OnFileNew(); });
    connect(startPage_, &CStartPage::OpenChosen, this, [this] {
        files_->OnFileOpen();
        UpdateCommandStates();
    });
    connect(startPage_, &CStartPage::FileChosen, this, [this](const QString& path) {
        if (path == startPage_->ExampleProject()) {
            files_->OpenExample(path.toStdString());
        } else {
            files_->OpenRecentFile(path.toStdString());
        }
        UpdateCommandStates();
    });
}

void CMainFrame::UpdateStartPage() {
    const bool noWindow = ChildFrames().empty();
    if (noWindow) {
        startPage_->SetRecentFiles(recentFiles_.GetEntries());
        startPage_->SetProjectHasDialogs(project_.GetDialogs().GetCount() > 0);
    }
    startPage_->setVisible(noWindow);
}

// ---------------------------------------------------------------- state

void CMainFrame::WindowsChanged() {
    const bool withDialog = !ChildFrames().empty();
    if (withDialog != commands_->IsDialogMenuShown()) {
        commands_->ShowMenu(withDialog);
    }
    UpdateTitles();
    UpdateCommandStates();
}

void CMainFrame::UpdateTitles() {
    windows_->UpdateTitles();
    setWindowTitle(files_->TitleName() + QStringLiteral("[*] - ") +
                   QString::fromUtf8(kMessageBoxTitle));
    setWindowModified(files_->HasUnsavedChanges());
}

void CMainFrame::UpdateCommandStates() {
    CommandContext context;
    context.view = ActiveView();
    const Selection& selection = project_.GetSelection();
    const CZeDialogData* picked = selection.Dialog();
    context.canUndo = picked != nullptr && CanUndo(*picked);
    context.canRedo = picked != nullptr && CanRedo(*picked);
    if (picked != nullptr) {
        context.undoCaption = context.canUndo ? UndoCaption(StepToUndo(*picked)) : QString();
        context.redoCaption = context.canRedo ? RedoCaption(StepToRedo(*picked)) : QString();
    }
    context.canEdit = services_.edit != nullptr && selection.Current() != nullptr;
    context.deviceListShown = deviceList_ != nullptr && deviceList_->isVisible();
    context.deviceConnected = linkStatus_->IsDeviceConnected();
    context.statusBarShown = !statusBar()->isHidden();
    context.resourceBarShown = !resourceBar_->isHidden();
    context.logBarShown = !logBar_->isHidden();
    context.historyBarShown = !historyBar_->isHidden();
    commands_->UpdateStates(context);
    const CZeDialogEditorView* view = context.view;
    zoomPane_->setText(view != nullptr ? QStringLiteral("%1%").arg(view->Viewport().ZoomPercent())
                                       : QString());
    UpdateStartPage();
}

QAction* CMainFrame::Action(CommandId id) const {
    return commands_->Action(id);
}

bool CMainFrame::IsDialogMenuShown() const {
    return commands_->IsDialogMenuShown();
}

std::vector<CChildFrame*> CMainFrame::ChildFrames() const {
    return windows_->ChildFrames();
}

CChildFrame* CMainFrame::ActiveChildFrame() const {
    return windows_->ActiveChildFrame();
}

CZeDialogEditorView* CMainFrame::ActiveView() const {
    return windows_->ActiveView();
}

QMdiArea& CMainFrame::GetMdiArea() {
    return windows_->Area();
}

panels::FindingsWatch& CMainFrame::GetFindings() {
    return review_->Findings();
}

panels::ChangesWatch& CMainFrame::GetChanges() {
    return review_->Changes();
}

// ---------------------------------------------------------------- the panel's host

void CMainFrame::ActivateDialogWindow(CZeDialogData& dialog) {
    windows_->ActivateDialogWindow(dialog);
}

void CMainFrame::CloseDialogWindows(CZeDialogData& dialog) {
    windows_->CloseDialogWindows(dialog);
}

void CMainFrame::RedrawViews() {
    windows_->RedrawViews();
    RedrawDeviceList();
}

void CMainFrame::RedrawDeviceList() {
    if (deviceList_ != nullptr) {
        for (int i = 0; i < deviceList_->TileCount(); ++i) {
            deviceList_->TileView(i).viewport()->update();
        }
    }
}

void CMainFrame::OnRedraw() {
    if (CZeDialogEditorView* view = ActiveView()) {
        view->OnRedraw();
    }
    if (deviceList_ != nullptr && deviceList_->isVisible()) {
        RedrawDeviceList();
    }
}

void CMainFrame::ProjectFolderChanged(const std::string& /*folder*/) {
    RefreshImages();
}

void CMainFrame::ShowStatusText(const QString& text) {
    statusBar()->showMessage(text);
}

std::optional<panels::PaneSelection> CMainFrame::SelectedPaneEntry() const {
    const std::optional<PaneEntry> entry = logPane_->EntryToInsert();
    if (!entry) {
        return std::nullopt;
    }
    return panels::PaneSelection{entry->kind, entry->text};
}

void CMainFrame::ShowImageList(PaneEntryKind kind, const std::string& name) {
    const int tab =
        kind == PaneEntryKind::kUserImage ? CLogDlg::kUserImagesTab : CLogDlg::kBuiltInImagesTab;
    logBar_->show();
    logPane_->ShowTab(tab);
    logPane_->Grid(tab).SelectByName(name);
}

void CMainFrame::WriteLog(std::string_view text, link::LogKind kind) {
    logPane_->WriteLog(text, kind);
}

void CMainFrame::SetLinkIndicator(link::LinkIndicator state) {
    linkStatus_->SetIndicator(state);
}

link::LinkIndicator CMainFrame::GetLinkIndicator() const {
    return linkStatus_->Indicator();
}

std::string CMainFrame::GetRootProperty(std::string_view name) const {
    return project_.GetItem(name);
}

void CMainFrame::SetActiveDocumentTitle() {
    if (CChildFrame* frame = ActiveChildFrame()) {
        frame->setWindowTitle(SjisToQString(GetRootProperty(prop::kName)));
    }
}

void CMainFrame::RefreshImages() {
    logPane_->RefreshImages(environment_.programFolder, resourcePanel_->GetProjectFolder());
    // The file checks look at the same folders as the image grids.
    const std::string folder = resourcePanel_->GetProjectFolder();
    review_->Findings().CheckAll(
        folder.empty() ? ProjectFiles{}
                       : ProjectFiles::Scan(
                             folder, WithTrailingSeparator(environment_.programFolder) + "assets"));
    look_->SetSources({resourcePanel_->GetProjectFolder(),
                       WithTrailingSeparator(environment_.programFolder) + "assets"});
    RedrawViews();
}

void CMainFrame::ChooseFinding(int index) {
    review_->ChooseFinding(index);
}

void CMainFrame::SetProjectFolder(const std::string& folder) {
    resourcePanel_->SetProjectFolder(folder);
    RefreshImages();
}

void CMainFrame::SetDeviceConnected(bool connected) {
    linkStatus_->SetDeviceConnected(connected);
}

void CMainFrame::SetEditCommands(panels::EditCommands* edit) {
    services_.edit = edit;
}

// ---------------------------------------------------------------- the project

void CMainFrame::DialogRemoving(CZeDialogData& dialog) {
    // Its windows show the dialog; they go before the dialog does.
    CloseDialogWindows(dialog);
}

void CMainFrame::HistoryMoved(CZeDialogData& /*dialog*/) {
    UpdateCommandStates();
}

void CMainFrame::SelectionChanged(const Selection& /*selection*/) {
    // Undo and redo follow the dialog picked.
    UpdateCommandStates();
}

void CMainFrame::ShareEditKeys(QWidget& window) const {
    // The actions' keys work in the window whose actions they are: a window
    // of its own gets them too (a text field there keeps its own keys).
    for (const CommandId id : {CommandId::kEditUndo, CommandId::kEditRedo, CommandId::kEditCut,
                               CommandId::kEditCopy, CommandId::kEditPaste}) {
        window.addAction(Action(id));
    }
}

void CMainFrame::StepHistory(bool forward) {
    CZeDialogData* dialog = project_.GetSelection().Dialog();
    // The keys reach a disabled-looking entry only through a stale state:
    // ask the history again.
    if (dialog == nullptr || (forward ? !CanRedo(*dialog) : !CanUndo(*dialog))) {
        return;
    }
    // The step picks what it touched; the tree, the property list and every
    // view follow.
    forward ? RedoEdit(project_, *dialog) : UndoEdit(project_, *dialog);
    UpdateCommandStates();
}

void CMainFrame::ProjectReloaded(bool checkLater) {
    resourcePanel_->Reload();
    if (checkLater) {
        review_->Findings().CheckAllLater();
    } else {
        review_->Findings().CheckAll();
    }
}

void CMainFrame::DialogsDiscarding() {
    windows_->CloseAllWindows();
    // The tree and the property list let the dialogs go before they do.
    resourcePanel_->Discard();
}

void CMainFrame::DialogsDiscarded() {
    review_->Findings().CheckAll();
}

void CMainFrame::ProjectFileChanged() {
    UpdateTitles();
    UpdateCommandStates();
}

void CMainFrame::ModifiedChanged(bool modified) {
    setWindowModified(modified);
    // A save moves the history's saved mark.
    if (historyPane_ != nullptr) {
        historyPane_->Refresh();
    }
}

void CMainFrame::SetChangesBaseline(std::string text) {
    review_->Changes().SetBaseline(std::move(text));
}

void CMainFrame::CompareChangesLater() {
    review_->Changes().CompareLater();
}

CZeDialogData* CMainFrame::ActiveDialog() const {
    CChildFrame* frame = ActiveChildFrame();
    return frame == nullptr ? nullptr : frame->GetDocument().GetDialog();
}

void CMainFrame::OpenDialogWindow(CZeDialogData& dialog) {
    ActivateDialogWindow(dialog);
}

std::string CMainFrame::ProjectFolder() const {
    return resourcePanel_->GetProjectFolder();
}

// ---------------------------------------------------------------- commands

CChildFrame* CMainFrame::OnFileNew() {
    auto document = std::make_shared<CZeDialogEditorDoc>(project_);
    if (!document->OnNewDocument()) {
        return nullptr;
    }
    resourcePanel_->Reload();
    review_->Findings().CheckAll();
    return windows_->OpenWindow(std::move(document));
}

bool CMainFrame::OpenFile(const std::string& path) {
    return files_->OpenFile(path);
}

CChildFrame* CMainFrame::OnWindowNew() {
    return windows_->OpenAnotherWindow();
}

void CMainFrame::OnCreateSkeleton() {
    if (GetRootProperty(prop::kName).empty()) {
        messages_->ShowMessage(NoApplicationNameMessage(), MessageIcon::kNone);
        return;
    }
    // Made once; its options, output folder and log stay between uses.
    if (skeletonDlg_ == nullptr) {
        skeletonDlg_ = new panels::CSkeletonDlg(project_, resourcePanel_->GetProjectFolder(), this);
        skeletonDlg_->SetMessageSink(messages_);
        ShareEditKeys(*skeletonDlg_);
    }
    const CZeDialogEditorView* view = ActiveView();
    const CZeDialogData* dialog = view != nullptr ? view->GetDocument().GetDialog() : nullptr;
    skeletonDlg_->Open(dialog != nullptr ? dialog->GetItem(prop::kName) : std::string());
}

void CMainFrame::SetActiveLook(PreviewLook look) {
    if (CZeDialogEditorView* view = ActiveView()) {
        view->SetLook(look);
    }
    // Written only when the user changes it: the settings file keeps its
    // bytes otherwise.
    if (look != windows_->NewWindowLook()) {
        windows_->SetNewWindowLook(look);
        settings_.WriteInt(kSettingSection, "PreviewLook", look == PreviewLook::kDevice ? 1 : 0);
    }
    UpdateCommandStates();
}

CDeviceListWindow& CMainFrame::ShowDeviceList(bool takeFocus) {
    if (deviceList_ == nullptr) {
        deviceList_ =
            std::make_unique<CDeviceListWindow>(project_, services_, settings_, *messages_, this);
        connect(deviceList_.get(), &CDeviceListWindow::CheckOptionsChanged, &review_->Findings(),
                &panels::FindingsWatch::SetLayoutOptions);
        // Redraw follows whether its previews are on screen.
        deviceList_->installEventFilter(this);
        ShareEditKeys(*deviceList_);
    }
    deviceList_->ShowDialog(project_.GetSelection().Dialog());
    deviceList_->Present(takeFocus);
    return *deviceList_;
}

// ---------------------------------------------------------------- events

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!files_->AskBeforeClose()) {
        event->ignore();
        return;
    }
    WriteSettings();
    // Saved or discarded as the user said: nothing is left to recover, and
    // no autosave may write the discarded changes again.
    files_->Closing();
    windows_->CloseAllWindows();
    event->accept();
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // An editing window that hides or is maximized sets the marker from its
    // own state (never modified) whenever the window system gets round to
    // it; the marker is the project's.
    if (event->type() == QEvent::ModifiedChange && files_ != nullptr &&
        isWindowModified() != files_->HasUnsavedChanges()) {
        setWindowModified(files_->HasUnsavedChanges());
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == deviceList_.get() &&
        (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        UpdateCommandStates();
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            OpenFile(url.toLocalFile().toStdString());
        }
    }
    event->acceptProposedAction();
    activateWindow();
}

}  // namespace ze::app
