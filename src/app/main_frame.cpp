#include "app/main_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <algorithm>
#include <utility>

#include "app/about_dialog.h"
#include "app/child_frame.h"
#include "app/command_ids.h"
#include "app/dialog_document.h"
#include "app/dialog_view.h"
#include "app/icons.h"
#include "app/link_status.h"
#include "app/menu_table.h"
#include "app/panes/log_dlg.h"
#include "app/preview_viewport.h"
#include "app/start_page.h"
#include "app/window_cascade.h"
#include "codegen/skeleton_generator.h"
#include "common/cp932.h"
#include "common/paths.h"
#include "common/qt/sjis_qstring.h"
#include "common/read_file.h"
#include "layout/qt/device_look.h"
#include "layout/qt/font_measure.h"
#include "link/device_link.h"
#include "model/editing/element_lookup.h"
#include "model/editing/history_edits.h"
#include "model/editing/save_point.h"
#include "model/editing/selection.h"
#include "model/editing/tree_edits.h"
#include "model/mo_stream.h"
#include "model/project_diff.h"
#include "model/property_names.h"
#include "panels/changes_watch.h"
#include "panels/findings_watch.h"
#include "panels/network_page.h"
#include "panels/resource_dlg.h"
#include "panels/selection_commands.h"
#include "panels/skeleton_dlg.h"
#include "panels/user_text_translator.h"

#include <QTreeView>

namespace ze::app {

namespace {

constexpr const char* kSettingSection = "SETTING";
constexpr int kStatusPane1Width = 40;
constexpr int kStatusPane2Width = 20;
constexpr QSize kToolButtonSize(25, 20);
// The size a new editing window asks for; it is smaller where the MDI area is.
constexpr QSize kChildFrameSize(520, 420);
// The log line stays Japanese like every log line; the status bar and the
// message box speak the user's language. The model says the same (its
// context, "Messages", holds their translations).
constexpr const char* kSavedMessage = QT_TRANSLATE_NOOP("Messages", "ファイルを保存しました。");
constexpr const char* kNotSavedMessage =
    QT_TRANSLATE_NOOP("Messages", "ファイルを保存できませんでした。");

}  // namespace

CMainFrame::CMainFrame(const EditorEnvironment& environment)
    : environment_(environment),
      savePoint_(std::make_unique<SavePoint>(project_)),
      recovery_(environment.recoveryFolder),
      settings_(environment.settingsPath.empty() ? CProfileSettings::PathIn(ExecutableFolder())
                                                 : environment.settingsPath),
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
    files_ = environment_.files != nullptr ? environment_.files : ownFiles_.get();
    project_.SetMessageSink(messages_);
    link_ = std::make_unique<link::CDeviceLink>();
    look_ = std::make_unique<DeviceLook>();
    services_.look = look_.get();

    setWindowIcon(EditorIcon());
    savePoint_->SetListener([this](bool modified) { setWindowModified(modified); });
    setAcceptDrops(true);
    // Wide enough that the captions of every tab of the "Log" bar show whole
    // beside the "Resource" bar, in English too.
    resize(1280, 800);

    mdiArea_ = new QMdiArea;
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] { SubWindowActivated(); });
    CreateStartPage();

    CreateActions();
    CreateLanguageMenu();
    CreateToolBar();
    CreateStatusBar();
    CreateBars();
    // After the panel: its answer to a dialog going (bringing the neighbour
    // forward) comes before the dialog's windows close.
    project_.Observers().Add(this);
    ReadSettings();
    MarkSaved();
    RefreshImages();
    recentFiles_.Load();
    ShowMenu(false);
    UpdateTitles();
    UpdateCommandStates();

    autosaveTimer_ = new QTimer(this);
    connect(autosaveTimer_, &QTimer::timeout, this, &CMainFrame::Autosave);
    if (autosaveSeconds_ > 0) {
        autosaveTimer_->start(autosaveSeconds_ * 1000);
    }
}

CMainFrame::~CMainFrame() {
    // A clean end: nothing to recover at the next start.
    recovery_.Remove();
    project_.Observers().Remove(this);
    // The windows refer to documents, the documents and the panel to the
    // project: they go before the project does, not with the base class.
    // Closed windows still waiting for deletion are among them.
    mdiArea_->disconnect(this);
    for (CChildFrame* frame : findChildren<CChildFrame*>()) {
        frame->disconnect(this);
        delete frame;
    }
    delete resourceBar_;
    delete logBar_;
    // The findings watch observes the project too.
    delete findings_;
    findings_ = nullptr;
    delete changes_;
    changes_ = nullptr;
    // The panel's network page referred to the link.
    link_.reset();
}

// ---------------------------------------------------------------- set-up

void CMainFrame::CreateActions() {
    using enum CommandId;
    for (const CommandText& text : CommandTexts()) {
        auto* action = new QAction(TranslatedMenuText(text.caption), this);
        action->setStatusTip(StatusTextOf(text));
        const QString tip = ToolTipOf(text);
        if (!tip.isEmpty()) {
            action->setToolTip(tip);
        }
        action->setShortcuts(text.keys);
        action->setData(static_cast<int>(text.id));
        addAction(action);  // the keys work whichever menu is shown
        actions_[text.id] = action;
    }
    for (const CommandId id : {kViewToolBar, kViewStatusBar, kViewResourcePanel, kViewLogPane}) {
        actions_[id]->setCheckable(true);
    }
    // The active window's sizing: one of the two.
    auto* sizing = new QActionGroup(this);
    for (const auto& [id, mode] : {std::pair{kViewFitWindow, PreviewSizing::kFitWindow},
                                   std::pair{kViewDeviceSize, PreviewSizing::kDeviceSize}}) {
        actions_[id]->setCheckable(true);
        sizing->addAction(actions_[id]);
        connect(actions_[id], &QAction::triggered, this, [this, mode = mode] {
            if (CZeDialogEditorView* view = ActiveView()) {
                view->SetSizing(mode);
            }
            UpdateCommandStates();
        });
    }

    // The active window's paint mode: one of the two; Ctrl+D switches.
    auto* looks = new QActionGroup(this);
    for (const auto& [id, look] : {std::pair{kViewStructure, PreviewLook::kStructure},
                                   std::pair{kViewDeviceLook, PreviewLook::kDevice}}) {
        actions_[id]->setCheckable(true);
        looks->addAction(actions_[id]);
        connect(actions_[id], &QAction::triggered, this,
                [this, look = look] { SetActiveLook(look); });
    }
    connect(actions_[kSwitchLook], &QAction::triggered, this, [this] {
        if (CZeDialogEditorView* view = ActiveView()) {
            SetActiveLook(view->Look() == PreviewLook::kDevice ? PreviewLook::kStructure
                                                               : PreviewLook::kDevice);
        }
    });
    connect(actions_[kViewDeviceList], &QAction::triggered, this, [this] { ShowDeviceList(); });

    const std::map<CommandId, void (CMainFrame::*)()> handlers = {
        {kFileOpen, &CMainFrame::OnFileOpen},
        {kSaveProject, &CMainFrame::OnSaveProject},
        {kSaveProjectAs, &CMainFrame::OnSaveProjectAs},
        {kSaveResource, &CMainFrame::OnSaveResource},
        {kDiscardAll, &CMainFrame::OnDiscardAll},
        {kFileClose, &CMainFrame::OnCloseDocument},
        {kCreateSkeleton, &CMainFrame::OnCreateSkeleton},
        {kClearLog, &CMainFrame::OnClearLog},
        {kAppAbout, &CMainFrame::OnAbout},
        {kFilePrint, &CMainFrame::OnPrint},
        {kFilePrintPreview, &CMainFrame::OnPrintPreview},
        {kFilePrintSetup, &CMainFrame::OnPrintSetup},
        {kViewResourcePanel, &CMainFrame::ToggleResourceBar},
        {kViewLogPane, &CMainFrame::ToggleLogBar},
        {kWindowArrange, &CMainFrame::ArrangeIcons},
    };
    for (const auto& [id, handler] : handlers) {
        connect(actions_[id], &QAction::triggered, this, [this, handler = handler] {
            (this->*handler)();
            UpdateCommandStates();
        });
    }
    connect(actions_[kFileNew], &QAction::triggered, this, [this] { OnFileNew(); });
    connect(actions_[kWindowNew], &QAction::triggered, this, [this] { OnWindowNew(); });
    connect(actions_[kAppExit], &QAction::triggered, this, &QWidget::close);
    connect(actions_[kSendDialog], &QAction::triggered, this, [this] { OnSendDialog(); });
    connect(actions_[kNextPane], &QAction::triggered, this, [this] { FocusPane(1); });
    connect(actions_[kPreviousPane], &QAction::triggered, this, [this] { FocusPane(-1); });
    connect(actions_[kWindowCascade], &QAction::triggered, mdiArea_, &QMdiArea::cascadeSubWindows);
    connect(actions_[kWindowTile], &QAction::triggered, mdiArea_, &QMdiArea::tileSubWindows);

    // Undo and redo step through the history of the dialog picked, whether
    // or not it has a window; cut, copy and paste act on what is picked.
    connect(actions_[kEditUndo], &QAction::triggered, this, [this] { StepHistory(false); });
    connect(actions_[kEditRedo], &QAction::triggered, this, [this] { StepHistory(true); });
    connect(actions_[kEditCopy], &QAction::triggered, this, [this] {
        if (services_.edit != nullptr) {
            services_.edit->CopyCurrent();
        }
    });
    connect(actions_[kEditCut], &QAction::triggered, this, [this] {
        if (services_.edit != nullptr) {
            services_.edit->CopyCurrent();
            services_.edit->DeleteCurrent();
        }
    });
    connect(actions_[kEditPaste], &QAction::triggered, this, [this] {
        if (services_.edit != nullptr) {
            services_.edit->PasteAtCurrent(PasteMode::kAfter);
        }
    });
    // The view entries belong to the active editing window.
    const std::map<CommandId, void (CZeDialogEditorView::*)()> viewHandlers = {
        {kRedraw, &CZeDialogEditorView::OnRedraw},
        {kZoomIn, &CZeDialogEditorView::ZoomIn},
        {kZoomOut, &CZeDialogEditorView::ZoomOut},
        {kZoomReset, &CZeDialogEditorView::ZoomReset},
    };
    for (const auto& [id, handler] : viewHandlers) {
        connect(actions_[id], &QAction::triggered, this, [this, handler = handler] {
            CZeDialogEditorView* view = ActiveView();
            if (view == nullptr) {
                return;
            }
            (view->*handler)();
            UpdateCommandStates();
        });
    }
}

void CMainFrame::CreateToolBar() {
    toolBar_ = new QToolBar(QCoreApplication::translate("Editor", "ツール バー"), this);
    toolBar_->setObjectName(QStringLiteral("ToolBar"));
    toolBar_->setIconSize(QSize(16, 16));
    for (const CommandId id : ToolBarIds()) {
        if (id == kSeparator) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = actions_.at(id);
        action->setIcon(CommandIcon(id, *style()));
        toolBar_->addAction(action);
        toolBar_->widgetForAction(action)->setFixedSize(kToolButtonSize);
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
    connect(actions_[CommandId::kViewToolBar], &QAction::toggled, toolBar_, &QWidget::setVisible);
    connect(toolBar_, &QToolBar::visibilityChanged, actions_[CommandId::kViewToolBar],
            &QAction::setChecked);
}

void CMainFrame::CreateStatusBar() {
    zoomPane_ = new QLabel;
    zoomPane_->setObjectName(QStringLiteral("ZoomPane"));
    zoomPane_->setFixedWidth(kStatusPane1Width);
    zoomPane_->setAlignment(Qt::AlignCenter);
    indicatorPane_ = new QLabel;
    indicatorPane_->setFixedWidth(kStatusPane2Width);
    indicatorPane_->setAlignment(Qt::AlignCenter);
    indicatorPane_->setPixmap(LinkIndicatorPixmap(link::LinkIndicator::NoAnswer));
    problemsPane_ = new QLabel;
    problemsPane_->setObjectName(QStringLiteral("ProblemsPane"));
    problemsPane_->setAlignment(Qt::AlignCenter);
    statusBar()->addPermanentWidget(problemsPane_);
    changesPane_ = new QLabel;
    changesPane_->setObjectName(QStringLiteral("ChangesPane"));
    changesPane_->setAlignment(Qt::AlignCenter);
    statusBar()->addPermanentWidget(changesPane_);
    statusBar()->addPermanentWidget(zoomPane_);
    statusBar()->addPermanentWidget(indicatorPane_);
    connect(actions_[CommandId::kViewStatusBar], &QAction::toggled, statusBar(),
            &QWidget::setVisible);
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
            deviceList_->ShowDialog(resourcePanel_->GetCurrentDialog());
        }
    });
    // F6 lands on the tree and on the log pane's tabs.
    resourcePanel_->setFocusProxy(&resourcePanel_->TreeView());
    logPane_->setFocusProxy(logPane_->findChild<QTabWidget*>());

    const auto follow = [](QDockWidget* bar, QAction* action) {
        connect(bar, &QDockWidget::visibilityChanged, action,
                [bar, action] { action->setChecked(!bar->isHidden()); });
    };
    follow(logBar_, actions_[CommandId::kViewLogPane]);
    follow(resourceBar_, actions_[CommandId::kViewResourcePanel]);

    connect(logPane_, &CLogDlg::EntryChosen, this,
            [this](PaneEntryKind kind, const QByteArray& text) {
                resourcePanel_->OnPaneEntryChosen(kind, text.toStdString());
            });

    findings_ = new panels::FindingsWatch(project_, this);
    connect(findings_, &panels::FindingsWatch::Updated, this, &CMainFrame::ShowFindings);
    findings_->EnableLayoutChecks(std::make_unique<FontTextMeasure>(),
                                  DeviceListCheckOptions(settings_));
    connect(&logPane_->Problems(), &CFindingsList::FindingChosen, this, &CMainFrame::ChooseFinding);

    changes_ = new panels::ChangesWatch(project_, this);
    connect(changes_, &panels::ChangesWatch::Updated, this, &CMainFrame::ShowChanges);
    connect(&logPane_->Changes(), &CChangesList::ChangeChosen, this, &CMainFrame::ChooseChange);
    connect(logPane_, &CLogDlg::CurrentTabChanged, this, &CMainFrame::FillChangesList);
    connect(logBar_, &QDockWidget::visibilityChanged, this, &CMainFrame::FillChangesList);

    // The copy, cut and paste entries of the editing windows are the panel's.
    SetEditCommands(&resourcePanel_->Commands());

    // The device link's log lines, the indicator and whether there is a
    // device to send to show in this window.
    link::CDeviceLink& link = *link_;
    connect(&link, &link::CDeviceLink::LogWritten, this,
            [this](const QByteArray& text, link::LogKind kind) {
                WriteLog(text.toStdString(), kind);
            });
    connect(&link, &link::CDeviceLink::IndicatorChanged, this, &CMainFrame::SetLinkIndicator);
    linkStatus_ = new CLinkStatus(link, *indicatorPane_, *statusBar(), this);
    // "データ送信" follows the send button.
    connect(&link, &link::CDeviceLink::ControlsChanged, this,
            [this](const link::LinkControls& controls) { SetDeviceConnected(controls.send); });
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
    autosaveSeconds_ = std::max(
        0, settings_.ReadInt(kSettingSection, "AutosaveInterval", kDefaultAutosaveSeconds));
    newWindowLook_ = settings_.ReadInt(kSettingSection, "PreviewLook", 0) == 1
                         ? PreviewLook::kDevice
                         : PreviewLook::kStructure;
    autoSend_ = settings_.ReadInt(kSettingSection, "AutoSend", 0) == 1;
    resourcePanel_->NetworkPage().AutoSendBox().setChecked(autoSend_);
}

void CMainFrame::SetActiveLook(PreviewLook look) {
    if (CZeDialogEditorView* view = ActiveView()) {
        view->SetLook(look);
    }
    // Written only when the user changes it: the settings file keeps its
    // bytes otherwise.
    if (look != newWindowLook_) {
        newWindowLook_ = look;
        settings_.WriteInt(kSettingSection, "PreviewLook", look == PreviewLook::kDevice ? 1 : 0);
    }
    UpdateCommandStates();
}

CDeviceListWindow& CMainFrame::ShowDeviceList() {
    if (deviceList_ == nullptr) {
        deviceList_ =
            std::make_unique<CDeviceListWindow>(project_, services_, settings_, *messages_, this);
        connect(deviceList_.get(), &CDeviceListWindow::CheckOptionsChanged, findings_,
                &panels::FindingsWatch::SetLayoutOptions);
    }
    deviceList_->ShowDialog(resourcePanel_->GetCurrentDialog());
    deviceList_->show();
    deviceList_->raise();
    deviceList_->activateWindow();
    return *deviceList_;
}

void CMainFrame::WriteSettings() {
    const std::string folder = WithTrailingSeparator(resourcePanel_->GetProjectFolder());
    settings_.WriteString(kSettingSection, "ProjectFolder", PathToProfileText(folder));
    settings_.WriteInt(kSettingSection, "ListenPort", resourcePanel_->GetListenPort());
    settings_.WriteInt(kSettingSection, "HttpPort", httpPort_);
}

// ---------------------------------------------------------------- menus

void CMainFrame::ShowMenu(bool withDialog) {
    dialogMenuShown_ = withDialog;
    QMenuBar* bar = menuBar();
    // The menus of the other bar are deleted with their entries.
    for (QAction* action : bar->actions()) {
        if (QMenu* menu = action->menu()) {
            menu->deleteLater();
        }
    }
    bar->clear();
    for (const MenuLayout& layout : withDialog ? MenuWithDialog() : MenuWithoutDialog()) {
        QMenu* menu = bar->addMenu(TranslatedMenuText(layout.caption));
        const std::vector<CommandId> ids = layout.ids;
        const auto fill = [this, menu, ids] {
            menu->clear();
            for (const CommandId id : ids) {
                if (id == kSeparator) {
                    menu->addSeparator();
                } else if (id == CommandId::kRecentFile) {
                    FillRecentFiles(*menu);
                } else {
                    menu->addAction(actions_.at(id));
                }
            }
        };
        const bool view = std::string_view(layout.caption) == "表示(&V)";
        const auto fillWithLanguage = [this, fill, menu, view] {
            fill();
            if (view) {
                menu->addSeparator();
                menu->addMenu(languageMenu_);
            }
        };
        fillWithLanguage();
        connect(menu, &QMenu::aboutToShow, this, [this, fillWithLanguage] {
            fillWithLanguage();
            UpdateCommandStates();
        });
    }
}

void CMainFrame::FillRecentFiles(QMenu& menu) {
    const std::vector<std::string>& entries = recentFiles_.GetEntries();
    if (entries.empty()) {
        QAction* placeholder = actions_.at(CommandId::kRecentFile);
        placeholder->setEnabled(false);
        menu.addAction(placeholder);
        return;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string path = entries[i];
        QAction* action =
            menu.addAction(QString::fromStdString(CRecentFileList::MenuCaption(i, path)));
        action->setStatusTip(QString::fromStdString(path));
        connect(action, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
    }
}

void CMainFrame::OpenRecentFile(const std::string& path) {
    if (!QFileInfo::exists(QString::fromStdString(path))) {
        const auto& all = recentFiles_.GetEntries();
        const auto found = std::find(all.begin(), all.end(), path);
        if (found != all.end()) {
            recentFiles_.Remove(static_cast<std::size_t>(found - all.begin()));
        }
    }
    OpenFile(path);
    UpdateCommandStates();
}

void CMainFrame::OpenExample(const std::string& path) {
    const bool wasUntitled = projectFile_.empty();
    if (OpenFile(path)) {
        // The example is where the program is installed (or the source
        // tree): a save asks where to go instead of writing over it.
        if (wasUntitled) {
            projectFile_.clear();
            UpdateTitles();
        }
        if (project_.GetDialogs().GetCount() > 0) {
            ActivateDialogWindow(*project_.GetDialogs().GetDialog(0));
        }
    }
    UpdateCommandStates();
}

void CMainFrame::CreateStartPage() {
    startPage_ = new CStartPage(*mdiArea_, environment_.programFolder);
    connect(startPage_, &CStartPage::NewChosen, this, [this] { OnFileNew(); });
    connect(startPage_, &CStartPage::OpenChosen, this, [this] {
        OnFileOpen();
        UpdateCommandStates();
    });
    connect(startPage_, &CStartPage::FileChosen, this, [this](const QString& path) {
        if (path == startPage_->ExampleProject()) {
            OpenExample(path.toStdString());
        } else {
            OpenRecentFile(path.toStdString());
        }
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

QAction* CMainFrame::Action(CommandId id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void CMainFrame::UpdateCommandStates() {
    using enum CommandId;
    CZeDialogEditorView* view = ActiveView();
    const bool hasView = view != nullptr;
    for (const CommandId id :
         {kEditCopy, kEditCut, kEditPaste, kRedraw, kSaveResource, kFilePrint, kFilePrintPreview,
          kFileClose, kWindowNew, kWindowCascade, kWindowTile, kWindowArrange}) {
        actions_[id]->setEnabled(hasView);
    }
    const PreviewViewport* preview = hasView ? &view->Viewport() : nullptr;
    for (const CommandId id : {kViewFitWindow, kViewDeviceSize, kZoomReset, kViewStructure,
                               kViewDeviceLook, kSwitchLook}) {
        actions_[id]->setEnabled(hasView);
    }
    actions_[kViewStructure]->setChecked(hasView && view->Look() == PreviewLook::kStructure);
    actions_[kViewDeviceLook]->setChecked(hasView && view->Look() == PreviewLook::kDevice);
    actions_[kZoomIn]->setEnabled(hasView && preview->ZoomPercent() < PreviewViewport::kMaxZoom);
    actions_[kZoomOut]->setEnabled(hasView && preview->ZoomPercent() > PreviewViewport::kMinZoom);
    actions_[kViewFitWindow]->setChecked(hasView && preview->Sizing() == PreviewSizing::kFitWindow);
    actions_[kViewDeviceSize]->setChecked(hasView &&
                                          preview->Sizing() == PreviewSizing::kDeviceSize);
    zoomPane_->setText(hasView ? QStringLiteral("%1%").arg(preview->ZoomPercent()) : QString());
    const CZeDialogData* picked = project_.GetSelection().Dialog();
    actions_[kEditUndo]->setEnabled(picked != nullptr && CanUndo(*picked));
    actions_[kEditRedo]->setEnabled(picked != nullptr && CanRedo(*picked));
    actions_[kSendDialog]->setEnabled(deviceConnected_);
    actions_[kViewToolBar]->setChecked(!toolBar_->isHidden());
    actions_[kViewStatusBar]->setChecked(!statusBar()->isHidden());
    actions_[kViewResourcePanel]->setChecked(!resourceBar_->isHidden());
    actions_[kViewLogPane]->setChecked(!logBar_->isHidden());
    UpdateStartPage();
}

// ---------------------------------------------------------------- windows

std::vector<CChildFrame*> CMainFrame::ChildFrames() const {
    std::vector<CChildFrame*> frames;
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        auto* frame = qobject_cast<CChildFrame*>(window);
        if (frame != nullptr && frame->property("closed").toBool() == false) {
            frames.push_back(frame);
        }
    }
    return frames;
}

CChildFrame* CMainFrame::ActiveChildFrame() const {
    auto* frame = qobject_cast<CChildFrame*>(mdiArea_->activeSubWindow());
    if (frame == nullptr || frame->property("closed").toBool()) {
        return nullptr;
    }
    return frame;
}

CZeDialogEditorView* CMainFrame::ActiveView() const {
    CChildFrame* frame = ActiveChildFrame();
    return frame == nullptr ? nullptr : &frame->GetView();
}

CChildFrame* CMainFrame::OpenWindow(std::shared_ptr<CZeDialogEditorDoc> document) {
    auto* frame = new CChildFrame(std::move(document), services_);
    frame->GetView().SetLook(newWindowLook_);
    mdiArea_->addSubWindow(frame);
    connect(frame, &CChildFrame::Closed, this, &CMainFrame::ChildFrameClosed);
    connect(&frame->GetView(), &CZeDialogEditorView::ViewportChanged, this,
            &CMainFrame::UpdateCommandStates);
    frame->setGeometry(CascadeGeometryFor(*frame));
    frame->show();
    mdiArea_->setActiveSubWindow(frame);
    if (!dialogMenuShown_) {
        ShowMenu(true);
    }
    UpdateTitles();
    // setActiveSubWindow reports nothing when the main window is not active.
    frame->GetView().OnActivateView();
    PutActiveViewInTabOrder();
    UpdateCommandStates();
    return frame;
}

QRect CMainFrame::CascadeGeometryFor(const CChildFrame& frame) const {
    std::vector<QPoint> taken;
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        if (window != &frame && !window->isHidden() && !window->isMinimized() &&
            !window->property("closed").toBool()) {
            taken.push_back(window->pos());
        }
    }
    // One title bar down and right per window. A main window not shown yet
    // has not laid its area out: its size says nothing.
    QStyleOptionTitleBar option;
    option.initFrom(&frame);
    const int step = frame.style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, &frame);
    const QSize area = mdiArea_->isVisible() ? mdiArea_->viewport()->size() : QSize();
    return CascadeGeometry(taken, kChildFrameSize, area, step);
}

void CMainFrame::ChildFrameClosed(CChildFrame* frame) {
    frame->setProperty("closed", true);
    CZeDialogEditorDoc& document = frame->GetDocument();
    const std::vector<CChildFrame*> frames = ChildFrames();
    const bool lastOfDocument = std::none_of(frames.begin(), frames.end(), [&](CChildFrame* other) {
        return &other->GetDocument() == &document;
    });
    if (lastOfDocument) {
        document.OnCloseDocument();
    }
    if (frames.empty()) {
        ShowMenu(false);
    }
    UpdateTitles();
    UpdateCommandStates();
    // A maximized window that closes puts back the main window's title and
    // modified marker as they were when it was maximized, after this call:
    // the marker is set again from the project once the close is over.
    QMetaObject::invokeMethod(this, [this] { UpdateTitles(); }, Qt::QueuedConnection);
}

void CMainFrame::SubWindowActivated() {
    if (CZeDialogEditorView* view = ActiveView()) {
        view->OnActivateView();
    }
    PutActiveViewInTabOrder();
    UpdateTitles();
    UpdateCommandStates();
}

void CMainFrame::PutActiveViewInTabOrder() {
    // The windows behind are no stops: Tab would bring them forward one
    // after the other. A click still gives their view the focus.
    CZeDialogEditorView* active = ActiveView();
    for (CChildFrame* frame : ChildFrames()) {
        // The window's frame passes the focus to its view anyway.
        frame->setFocusPolicy(Qt::NoFocus);
        CZeDialogEditorView& view = frame->GetView();
        view.setFocusPolicy(&view == active ? Qt::StrongFocus : Qt::ClickFocus);
    }
    if (active != nullptr) {
        QWidget::setTabOrder(&resourcePanel_->PropertyList(), active);
    }
}

void CMainFrame::UpdateTitles() {
    std::map<const CZeDialogEditorDoc*, int> windowsOf;
    const std::vector<CChildFrame*> frames = ChildFrames();
    for (CChildFrame* frame : frames) {
        ++windowsOf[&frame->GetDocument()];
    }
    std::map<const CZeDialogEditorDoc*, int> numbered;
    for (CChildFrame* frame : frames) {
        const CZeDialogEditorDoc* document = &frame->GetDocument();
        QString title = document->DialogTitle();
        if (windowsOf[document] > 1) {
            title += QStringLiteral(":%1").arg(++numbered[document]);
        }
        frame->setWindowTitle(title);
    }
    // The project file, the modified marker, the application.
    const QString file = projectFile_.empty()
                             ? QCoreApplication::translate("Editor", "無題")
                             : QFileInfo(QString::fromStdString(projectFile_)).fileName();
    setWindowTitle(file + QStringLiteral("[*] - ") + QString::fromUtf8(kMessageBoxTitle));
    setWindowModified(savePoint_->IsModified());
}

void CMainFrame::CloseDocumentWindows(CZeDialogEditorDoc& document) {
    for (CChildFrame* frame : ChildFrames()) {
        if (&frame->GetDocument() == &document) {
            frame->close();
        }
    }
}

void CMainFrame::CloseAllWindows() {
    for (CChildFrame* frame : ChildFrames()) {
        frame->close();
    }
}

void CMainFrame::ArrangeIcons() {
    // The minimised windows in a row along the bottom of the area.
    int x = 0;
    const int bottom = mdiArea_->viewport()->height();
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        if (window->isMinimized()) {
            window->move(x, bottom - window->height());
            x += window->width();
        }
    }
}

QWidget* CMainFrame::FocusedPane() const {
    for (QWidget* pane : Panes()) {
        if (pane->isAncestorOf(QApplication::focusWidget()) ||
            pane == QApplication::focusWidget()) {
            return pane;
        }
    }
    return nullptr;
}

std::vector<QWidget*> CMainFrame::Panes() const {
    std::vector<QWidget*> panes;
    if (CZeDialogEditorView* view = ActiveView()) {
        panes.push_back(view);
    }
    for (QDockWidget* bar : {resourceBar_, logBar_}) {
        if (!bar->isHidden()) {
            panes.push_back(bar->widget());
        }
    }
    return panes;
}

void CMainFrame::FocusPane(int step) {
    const std::vector<QWidget*> panes = Panes();
    if (panes.empty()) {
        return;
    }
    const auto at = std::find(panes.begin(), panes.end(), FocusedPane());
    const int count = static_cast<int>(panes.size());
    const int current =
        at == panes.end() ? (step > 0 ? -1 : 0) : static_cast<int>(at - panes.begin());
    QWidget* next = panes[static_cast<std::size_t>(((current + step) % count + count) % count)];
    next->setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::ActivateDialogWindow(CZeDialogData& dialog) {
    // Of several windows on the dialog, the active one stays in front.
    CChildFrame* active = ActiveChildFrame();
    if (active != nullptr && active->GetDocument().GetDialog() == &dialog) {
        return;
    }
    for (CChildFrame* frame : ChildFrames()) {
        if (frame->GetDocument().GetDialog() == &dialog) {
            if (frame->isMinimized()) {
                frame->showNormal();
            }
            mdiArea_->setActiveSubWindow(frame);
            return;
        }
    }
    auto document = std::make_shared<CZeDialogEditorDoc>(project_);
    if (!document->OnOpenDocument(dialog.GetItem(prop::kName))) {
        return;
    }
    // Two dialogs may share a name after a rename; the window is for this one.
    document->OpenDialog(dialog);
    OpenWindow(std::move(document));
}

void CMainFrame::RedrawViews() {
    for (CChildFrame* frame : ChildFrames()) {
        frame->GetView().viewport()->update();
    }
    if (deviceList_ != nullptr) {
        for (int i = 0; i < deviceList_->TileCount(); ++i) {
            deviceList_->TileView(i).viewport()->update();
        }
    }
}

void CMainFrame::ProjectFolderChanged(const std::string& /*folder*/) {
    RefreshImages();
}

void CMainFrame::ShowStatusText(const QString& text) {
    statusBar()->showMessage(text);
}

// ---------------------------------------------------------------- operations

void CMainFrame::CloseDialogWindows(CZeDialogData& dialog) {
    for (CChildFrame* frame : ChildFrames()) {
        if (frame->GetDocument().GetDialog() == &dialog) {
            frame->close();
        }
    }
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

void CMainFrame::WriteLog(std::string_view text, link::LogKind kind) {
    logPane_->WriteLog(text, kind);
}

void CMainFrame::SetLinkIndicator(link::LinkIndicator state) {
    if (state == linkIndicator_) {
        return;
    }
    linkIndicator_ = state;
    indicatorPane_->setPixmap(LinkIndicatorPixmap(state));
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
    findings_->CheckAll(
        folder.empty() ? ProjectFiles{}
                       : ProjectFiles::Scan(
                             folder, WithTrailingSeparator(environment_.programFolder) + "assets"));
    look_->SetSources({resourcePanel_->GetProjectFolder(),
                       WithTrailingSeparator(environment_.programFolder) + "assets"});
    RedrawViews();
}

void CMainFrame::CreateLanguageMenu() {
    // Named in both languages: whoever cannot read the one finds the other.
    languageMenu_ = new QMenu(QStringLiteral("言語 / Language"), this);
    languageMenu_->setObjectName(QStringLiteral("LanguageMenu"));
    auto* group = new QActionGroup(languageMenu_);
    const std::string chosen = settings_.ReadString(kSettingSection, "Language", "");
    const bool english = QCoreApplication::translate("Menu", "ファイル(&F)") != "ファイル(&F)";
    for (const auto& [code, name] : {std::pair{"ja", "日本語"}, std::pair{"en", "English"}}) {
        QAction* action = languageMenu_->addAction(QString::fromUtf8(name));
        action->setCheckable(true);
        action->setData(QString::fromLatin1(code));
        action->setChecked(chosen.empty() ? (std::string_view(code) == "en") == english
                                          : chosen == code);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, code = std::string(code)] {
            settings_.WriteString(kSettingSection, "Language", code);
            ShowStatusText(QStringLiteral(
                "言語は次回の起動から変わります / The language changes at the next start"));
        });
    }
}

void CMainFrame::ShowFindings() {
    const FindingCounts counts = findings_->Counts();
    logPane_->Problems().SetFindings(findings_->Findings());
    logPane_->SetProblemCount(counts.errors + counts.warnings);
    problemsPane_->setText(QCoreApplication::translate("Editor", "エラー %1 件 / 警告 %2 件")
                               .arg(counts.errors)
                               .arg(counts.warnings));
}

void CMainFrame::ChooseFinding(int index) {
    const std::vector<Finding>& findings = findings_->Findings();
    if (index < 0 || static_cast<std::size_t>(index) >= findings.size()) {
        return;
    }
    const Finding& finding = findings[static_cast<std::size_t>(index)];
    if (finding.element == nullptr) {
        // A file of the project folder: shown in the user images, when it
        // is one of them.
        if (!finding.file.empty()) {
            logPane_->ShowTab(CLogDlg::kUserImagesTab);
            logPane_->Grid(CLogDlg::kUserImagesTab).SelectByName(Utf8ToCp932(finding.file));
        }
        return;
    }
    // The list may be a moment old: an element that has left the project
    // since is not selected.
    ZeClass* element = nullptr;
    if (finding.dialog == nullptr) {
        element = finding.element == &project_ ? &project_ : nullptr;
    } else if (project_.GetDialogs().IndexOf(finding.dialog) >= 0 &&
               IsInTree(*finding.dialog, *finding.element)) {
        element = const_cast<ZeClass*>(finding.element);
    }
    if (element == nullptr) {
        return;
    }
    // The finding's element is picked alone, as a click in the tree picks.
    resourcePanel_->SelectByUser(element);
    if (finding.pageWidth != 0) {
        ShowDeviceList().RevealSize(QSize(finding.pageWidth, finding.pageHeight));
    }
    ShowPropertyRow(*element, finding.property);
}

void CMainFrame::ShowPropertyRow(const ZeClass& element, const std::string& property) {
    if (property.empty()) {
        return;
    }
    const CItemList& items = element.Items();
    for (std::size_t row = 0; row < items.GetItemCount(); ++row) {
        if (items.GetItemData(row).GetName() == property) {
            resourcePanel_->ShowTab(1);
            resourcePanel_->PropertyList().SetCurrentRow(static_cast<int>(row));
            break;
        }
    }
}

bool CMainFrame::ChangesTabShown() const {
    return logPane_->CurrentTab() == CLogDlg::kChangesTab && !logBar_->isHidden();
}

void CMainFrame::FillChangesList() {
    if (changesListStale_ && ChangesTabShown()) {
        changesListStale_ = false;
        logPane_->Changes().SetChanges(changes_->Changes());
    }
}

void CMainFrame::ShowChanges() {
    const std::size_t count = changes_->Changes().size();
    logPane_->SetChangeCount(count);
    changesPane_->setText(QCoreApplication::translate("Editor", "変更 %1 件").arg(count));
    // Thousands of rows cost more to list than to count: an empty list is
    // cheap and shows at once that nothing is left.
    changesListStale_ = true;
    if (count == 0 || ChangesTabShown()) {
        changesListStale_ = false;
        logPane_->Changes().SetChanges(changes_->Changes());
    }
}

void CMainFrame::ChooseChange(int index) {
    const std::vector<ProjectChange>& changes = changes_->Changes();
    if (index < 0 || static_cast<std::size_t>(index) >= changes.size()) {
        return;
    }
    const ProjectChange& change = changes[static_cast<std::size_t>(index)];
    if (ZeClass* element = ElementOfChange(project_, change)) {
        // Picked alone, as a click in the tree picks, as a finding is.
        resourcePanel_->SelectByUser(element);
        ShowPropertyRow(*element, change.property);
    }
}

void CMainFrame::SetProjectFolder(const std::string& folder) {
    resourcePanel_->SetProjectFolder(folder);
    RefreshImages();
}

void CMainFrame::SetDeviceConnected(bool connected) {
    deviceConnected_ = connected;
    UpdateCommandStates();
}

void CMainFrame::SetEditCommands(panels::EditCommands* edit) {
    services_.edit = edit;
}

// ---------------------------------------------------------------- commands

CChildFrame* CMainFrame::OnFileNew() {
    auto document = std::make_shared<CZeDialogEditorDoc>(project_);
    if (!document->OnNewDocument()) {
        return nullptr;
    }
    resourcePanel_->Reload();
    findings_->CheckAll();
    return OpenWindow(std::move(document));
}

bool CMainFrame::OpenFile(const std::string& path) {
    const QFileInfo file(QString::fromStdString(path));
    const auto cannotRead = [this, &file] {
        messages_->ShowMessage(
            QStringToSjisForDisplay(
                QCoreApplication::translate("Editor", "ファイルを読み込めませんでした。\n%1")
                    .arg(file.absoluteFilePath())),
            MessageIcon::kWarning);
    };
    if (!file.isFile() || !file.isReadable()) {
        cannotRead();
        return false;
    }
    // Opening into an unchanged project leaves nothing to save; opening into
    // a changed one keeps the question for the close. Only a project opened
    // into an empty one becomes the file saves go to: a merge of several
    // files is saved where the user says.
    const bool wasSaved = !HasUnsavedChanges();
    const bool wasEmpty = wasSaved && projectFile_.empty() && project_.GetDialogs().GetCount() == 0;
    LoadDetails details;
    if (!project_.LoadFile(path, &details)) {
        if (details.readResult == ReadFileResult::kTooLarge) {
            messages_->ShowMessage(
                QStringToSjisForDisplay(
                    QCoreApplication::translate(
                        "Editor", "ファイルが大きすぎるため読み込めませんでした（上限 %1 MiB）。\n%2")
                        .arg(kMaxReadFileBytes / (1024 * 1024))
                        .arg(file.absoluteFilePath())),
                MessageIcon::kWarning);
        } else if (details.errorReport.empty()) {
            cannotRead();
        } else {
            files_->ShowLoadError(file.absoluteFilePath(), details.errorReport);
        }
        return false;
    }
    if (wasSaved) {
        MarkSaved();
    } else {
        savePoint_->Touch();
        changes_->CompareLater();
    }
    if (wasEmpty && details.wholeProject) {
        projectFile_ = file.absoluteFilePath().toStdString();
    }
    recentFiles_.Add(path);
    resourcePanel_->Reload();
    findings_->CheckAllLater();
    UpdateTitles();
    UpdateCommandStates();
    return true;
}

QString CMainFrame::FileDialogFolder() const {
    return OpenStartFolder(projectFile_, resourcePanel_->GetProjectFolder(),
                           recentFiles_.GetEntries());
}

void CMainFrame::OnFileOpen() {
    const std::optional<std::string> path = files_->ChooseOpenFile(
        {QCoreApplication::translate("Editor",
                                     "リソースファイル (*.moxspro *.json);;すべてのファイル (*)"),
         QStringLiteral("moxspro"), QString(),
         FileDialogFolder()});
    if (path) {
        OpenFile(*path);
    }
}

void CMainFrame::OnSaveProject() {
    if (projectFile_.empty()) {
        OnSaveProjectAs();
    } else {
        SaveProjectTo(projectFile_);
    }
}

void CMainFrame::OnSaveProjectAs() {
    const std::optional<std::string> path = files_->ChooseSaveFile(
        {QCoreApplication::translate("Editor", "リソースファイル (*.moxspro)"),
         QStringLiteral("moxspro"), QString::fromStdString(projectFile_),
         FileDialogFolder()});
    if (path) {
        SaveProjectTo(*path);
    }
}

bool CMainFrame::SaveProjectTo(const std::string& path) {
    const bool saved = project_.SaveToFile(path, "");
    if (saved) {
        projectFile_ = QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
        recentFiles_.Add(path);
        MarkSaved();
        UpdateTitles();
    }
    TellSaved(saved, path);
    return saved;
}

void CMainFrame::TellSaved(bool saved, const std::string& path) {
    if (!saved) {
        messages_->ShowMessage(
            QStringToSjisForDisplay(QCoreApplication::translate("Messages", kNotSavedMessage)),
            MessageIcon::kWarning);
        return;
    }
    ShowStatusText(QCoreApplication::translate("Messages", kSavedMessage));
    WriteLog(QStringToSjisForDisplay(QString::fromUtf8(kSavedMessage) + QLatin1Char(' ') +
                                     QString::fromStdString(path)),
             link::LogKind::Info);
}

void CMainFrame::OnSaveResource() {
    CChildFrame* frame = ActiveChildFrame();
    CZeDialogData* dialog = frame == nullptr ? nullptr : frame->GetDocument().GetDialog();
    if (dialog == nullptr) {
        return;
    }
    const std::string name = dialog->GetItem(prop::kName);
    const std::optional<std::string> path =
        files_->ChooseSaveFile({QCoreApplication::translate("Editor", "リソースファイル (*.json)"),
                                QStringLiteral("json"), SjisToQString(name),
                                FileDialogFolder()});
    if (path) {
        TellSaved(project_.SaveToFile(*path, name), *path);
    }
}

void CMainFrame::OnDiscardAll() {
    CloseAllWindows();
    // The tree and the property list let the dialogs go before they do.
    resourcePanel_->Discard();
    DiscardDialogs(project_);
    findings_->CheckAll();
    // Nothing is left to save over the file the dialogs came from.
    projectFile_.clear();
    MarkSaved();
    UpdateTitles();
}

void CMainFrame::OnCloseDocument() {
    if (CChildFrame* frame = ActiveChildFrame()) {
        CloseDocumentWindows(frame->GetDocument());
    }
}

CChildFrame* CMainFrame::OnWindowNew() {
    CChildFrame* frame = ActiveChildFrame();
    return frame == nullptr ? nullptr : OpenWindow(frame->GetView().SharedDocument());
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
    }
    const CZeDialogEditorView* view = ActiveView();
    const CZeDialogData* dialog = view != nullptr ? view->GetDocument().GetDialog() : nullptr;
    skeletonDlg_->Open(dialog != nullptr ? dialog->GetItem(prop::kName) : std::string());
}

void CMainFrame::OnSendDialog() {
    resourcePanel_->SendCurrentDialog();
}

void CMainFrame::OnClearLog() {
    logPane_->ClearLog();
}

void CMainFrame::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

QPrinter& CMainFrame::Printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *printer_;
}

void CMainFrame::OnPrint() {
    CZeDialogEditorView* view = ActiveView();
    if (view == nullptr) {
        return;
    }
    QPrintDialog dialog(&Printer(), this);
    if (dialog.exec() == QDialog::Accepted) {
        view->PrintTo(Printer());
    }
}

void CMainFrame::OnPrintPreview() {
    CZeDialogEditorView* view = ActiveView();
    if (view == nullptr) {
        return;
    }
    QPrintPreviewDialog preview(&Printer(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, view,
            [view](QPrinter* printer) { view->PrintTo(*printer); });
    preview.exec();
}

void CMainFrame::OnPrintSetup() {
    QPageSetupDialog setup(&Printer(), this);
    setup.exec();
}

void CMainFrame::ToggleResourceBar() {
    resourceBar_->setVisible(resourceBar_->isHidden());
}

void CMainFrame::ToggleLogBar() {
    logBar_->setVisible(logBar_->isHidden());
}

// ---------------------------------------------------------------- events

bool CMainFrame::HasUnsavedChanges() const {
    return savePoint_->IsModified();
}

std::string CMainFrame::ProjectText() const {
    CJsonString text;
    project_.WriteProject(text, "");
    return text.TakeText();
}

void CMainFrame::MarkSaved() {
    savePoint_->Mark();
    changes_->SetBaseline(ProjectText());
    recovery_.Remove();
    autosavedRevision_ = savePoint_->Revision();
}

void CMainFrame::Autosave() {
    if (!savePoint_->IsModified()) {
        // Undone back to the saved state: nothing to recover.
        recovery_.Remove();
        autosavedRevision_ = savePoint_->Revision();
        return;
    }
    if (autosavedRevision_ == savePoint_->Revision() && !recovery_.OwnTextPath().isEmpty()) {
        return;
    }
    if (recovery_.Write(ProjectText(), QString::fromStdString(projectFile_))) {
        autosavedRevision_ = savePoint_->Revision();
    } else {
        ShowStatusText(QCoreApplication::translate("Editor", "自動保存できませんでした: %1")
                           .arg(recovery_.Folder()));
    }
}

bool CMainFrame::OfferRecovery() {
    bool restored = false;
    for (const RecoveryStore::LeftOver& leftOver : recovery_.FindLeftOvers()) {
        if (restored) {
            break;
        }
        switch (files_->AskRecover({leftOver.originFile, leftOver.written})) {
            case RecoveryAnswer::kRestore:
                restored = RestoreRecovery(leftOver);
                break;
            case RecoveryAnswer::kDiscard:
                recovery_.Delete(leftOver);
                break;
            case RecoveryAnswer::kLater:
                break;
        }
    }
    recovery_.ReleaseLeftOvers();
    return restored;
}

bool CMainFrame::RestoreRecovery(const RecoveryStore::LeftOver& leftOver) {
    std::string text;
    LoadDetails details;
    if (!ReadFileBytes(leftOver.textPath.toStdString(), text)) {
        messages_->ShowMessage(
            QStringToSjisForDisplay(
                QCoreApplication::translate("Editor", "ファイルを読み込めませんでした。\n%1")
                    .arg(leftOver.textPath)),
            MessageIcon::kWarning);
        return false;
    }
    std::string before = ProjectText();
    if (!project_.LoadText(text, &details)) {
        files_->ShowLoadError(leftOver.textPath, details.errorReport);
        return false;
    }
    // The changes are those since the file the edits started from, when it
    // is still there to read.
    std::string origin;
    const bool originRead =
        !leftOver.originFile.isEmpty() && ReadFileBytes(leftOver.originFile.toStdString(), origin);
    changes_->SetBaseline(originRead ? std::move(origin) : std::move(before));
    changes_->CompareLater();
    // The edits were never saved: the project is modified from the start,
    // and its own recovery file replaces the old one at once.
    projectFile_ = leftOver.originFile.toStdString();
    savePoint_->Mark();
    savePoint_->Touch();
    resourcePanel_->Reload();
    findings_->CheckAll();
    UpdateTitles();
    UpdateCommandStates();
    Autosave();
    if (!recovery_.OwnTextPath().isEmpty()) {
        recovery_.Delete(leftOver);
    }
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (HasUnsavedChanges()) {
        const SaveAnswer answer = files_->AskSaveChanges();
        if (answer == SaveAnswer::kSave) {
            OnSaveProject();
        }
        if (answer == SaveAnswer::kCancel || (answer == SaveAnswer::kSave && HasUnsavedChanges())) {
            event->ignore();
            return;
        }
    }
    WriteSettings();
    // Saved or discarded as the user said: nothing is left to recover, and
    // no autosave may write the discarded changes again.
    autosaveTimer_->stop();
    recovery_.Remove();
    CloseAllWindows();
    event->accept();
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
