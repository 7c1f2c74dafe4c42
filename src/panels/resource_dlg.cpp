#include "panels/resource_dlg.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <vector>

#include "model/dialog_data.h"
#include "model/editing/selection.h"
#include "model/property_names.h"
#include "model/resource_data.h"
#include "panels/focus_ring.h"
#include "panels/live_sync.h"
#include "panels/network_page.h"
#include "panels/panel_buttons.h"
#include "panels/panel_tabs.h"
#include "panels/property_list_ctrl.h"
#include "panels/property_page.h"
#include "panels/resource_panel_host.h"
#include "panels/resource_tree_pane.h"
#include "panels/selection_commands.h"

namespace ze::panels {

namespace {

constexpr int kMargin = 5;

}  // namespace

CResourceDlg::CResourceDlg(CZeResourceData& project, ResourcePanelHost& host, MessageSink& messages,
                           link::CDeviceLink& link, QWidget* parent)
    : QWidget(parent),
      project_(project),
      host_(host),
      link_(link),
      commands_(std::make_unique<SelectionCommands>(project, host, messages)),
      folderField_(new ProjectFolderField(this)),
      tree_(new ResourceTreePane(project, *commands_, host, messages, this)),
      buttons_(new PanelButtons([&host](const QString& text) { host.ShowStatusText(text); }, this)),
      tables_(new TypeTables(this)),
      properties_(new PropertyPage(project, *commands_, host, messages, this)),
      networkArea_(new QWidget(this)),
      networkPage_(new CNetworkPage(link, messages, networkArea_)),
      tabs_(new PanelTabs(this)),
      liveSync_(new LiveSync(
          project, link, [&project] { return project.GetSelection().Dialog(); }, this)) {
    auto* networkLayout = new QVBoxLayout(networkArea_);
    networkLayout->setContentsMargins(0, 0, 0, 0);
    networkLayout->addWidget(networkPage_);
    networkLayout->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addWidget(folderField_);
    // The tree takes half of the height below the folder row; the buttons,
    // the page shown and the tab strip share the other half.
    layout->addWidget(tree_, 1);
    auto* lower = new QWidget(this);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(buttons_);
    lowerLayout->addWidget(tables_);
    lowerLayout->addWidget(properties_, 1);
    lowerLayout->addWidget(networkArea_, 1);
    lowerLayout->addWidget(tabs_);
    layout->addWidget(lower, 1);
    tables_->hide();

    SetEditingEnabled(false);
    ShowTab(PanelTab::kProperty);
    SetUpKeyboardFocus();

    connect(tree_, &ResourceTreePane::ShownElementChanged, this,
            &CResourceDlg::ShownElementChanged);
    connect(tree_, &ResourceTreePane::NameEditRequested, this, [this] { EditCurrentName(); });
    connect(properties_, &PropertyPage::ShowRequested, this,
            [this] { ShowTab(PanelTab::kProperty); });
    connect(this, &CResourceDlg::ImageChosen, this,
            [this](PaneEntryKind kind, const QByteArray& name) {
                properties_->AssignImageToCurrentRow(kind, name.toStdString());
            });
    connect(buttons_, &PanelButtons::Clicked, this, [this](PanelButtonId id) { OnButton(id); });
    connect(tabs_, &QTabBar::currentChanged, this,
            [this](int tab) { ShowTab(static_cast<PanelTab>(tab)); });
    connect(folderField_, &ProjectFolderField::FolderChanged, this,
            [this](const QString& folder) {
                // The device is served from the folder the user sees.
                link_.SetProjectFolder(folder.toStdString());
                host_.ProjectFolderChanged(folder.toStdString());
            });
    connect(networkPage_, &CNetworkPage::SendRequested, this, [this] { SendCurrentDialog(); });
    connect(networkPage_, &CNetworkPage::AutoSendChanged, liveSync_, &LiveSync::SetEnabled);
}

CResourceDlg::~CResourceDlg() {
    // The parts that hold the selection commands go before them.
    delete liveSync_;
    delete properties_;
    delete tree_;
}

void CResourceDlg::SetUpKeyboardFocus() {
    // The folder row, the filter field while it shows, the tree, the tool
    // buttons (one stop: the one that takes Tab), the property list (the
    // main window puts the preview next), the link controls in its place on
    // their tab, the tabs.
    std::vector<QWidget*> stops{&folderField_->Edit(), &folderField_->BrowseButton(),
                                &tree_->FindField(), &tree_->View()};
    for (const PanelButtonId id : PanelButtons::kIds) {
        stops.push_back(buttons_->Button(id));
    }
    stops.insert(stops.end(), {&PropertyList(), networkPage_, tabs_});
    for (std::size_t i = 1; i < stops.size(); ++i) {
        // Qt leaves a widget that takes no focus out of the order; the
        // buttons that do not take Tab now need their place for when they do.
        QWidget* first = stops[i - 1];
        QWidget* second = stops[i];
        const Qt::FocusPolicy policies[] = {first->focusPolicy(), second->focusPolicy()};
        first->setFocusPolicy(Qt::FocusPolicy(policies[0] | Qt::TabFocus));
        second->setFocusPolicy(Qt::FocusPolicy(policies[1] | Qt::TabFocus));
        QWidget::setTabOrder(first, second);
        first->setFocusPolicy(policies[0]);
        second->setFocusPolicy(policies[1]);
    }
    FocusRing::Attach(tree_->View());
    FocusRing::Attach(PropertyList());
    FocusRing::Attach(folderField_->BrowseButton());
    FocusRing::Attach(*tabs_);
}

void CResourceDlg::SetEditingEnabled(bool enabled) {
    tree_->View().setEnabled(enabled);
    properties_->setEnabled(enabled);
    buttons_->setEnabled(enabled);
}

void CResourceDlg::OnButton(PanelButtonId id) {
    switch (id) {
        case PanelButtons::kMoveUp:
            MoveUp();
            break;
        case PanelButtons::kMoveDown:
            MoveDown();
            break;
        case PanelButtons::kDelete:
            DeleteCurrent();
            break;
        case PanelButtons::kCopy:
            CopyCurrent();
            break;
        case PanelButtons::kGroup:
            GroupSelected();
            break;
        case PanelButtons::kUngroup:
            UngroupCurrent();
            break;
        case PanelButtons::kInsertAfter:
            InsertFromPane(PasteMode::kAfter);
            break;
        case PanelButtons::kInsertFirst:
            InsertFromPane(PasteMode::kFirstChild);
            break;
        case PanelButtons::kInsertLast:
            InsertFromPane(PasteMode::kLastChild);
            break;
    }
}

void CResourceDlg::Reload() {
    SetEditingEnabled(true);
    folderField_->setEnabled(true);
    tree_->Reload();
    // The picks may be new elements at the addresses of old ones: the list
    // and the devices get them whether or not the selection changed.
    properties_->ShowSelection();
    liveSync_->EditedDialogChanged();
}

void CResourceDlg::Discard() {
    tree_->Discard();
    properties_->ShowNothing();
}

CZeDialogData* CResourceDlg::GetCurrentDialog() const {
    return project_.GetSelection().Dialog();
}

void CResourceDlg::SetCurrentDialog(CZeDialogData* dialog) {
    if (dialog != nullptr && dialog != GetCurrentDialog()) {
        Select(project_, dialog);
    }
}

void CResourceDlg::InsertFromPane(PasteMode mode) {
    const std::optional<PaneSelection> entry = host_.SelectedPaneEntry();
    if (!entry) {
        // Else the button would do nothing and say nothing.
        host_.ShowStatusText(QCoreApplication::translate(
            "Editor", "挿入するオブジェクトを「挿入オブジェクト」から選択して下さい。"));
        return;
    }
    if (entry->kind == PaneEntryKind::kInsertType) {
        InsertByName(entry->name, mode);
    } else if (entry->kind == PaneEntryKind::kClipboard && entry->name == "Clipboard") {
        PasteAtCurrent(mode);
    }
}

void CResourceDlg::OnPaneEntryChosen(PaneEntryKind kind, const std::string& name) {
    switch (kind) {
        case PaneEntryKind::kInsertType:
            InsertByName(name, PasteMode::kAfter);
            break;
        case PaneEntryKind::kClipboard:
            if (name == "Clipboard") {
                PasteAtCurrent(PasteMode::kAfter);
            }
            break;
        case PaneEntryKind::kBuiltInImage:
        case PaneEntryKind::kUserImage:
            emit ImageChosen(kind, QByteArray::fromStdString(name));
            break;
    }
}

std::string CResourceDlg::GetProjectFolder() const {
    return folderField_->Folder().toStdString();
}

void CResourceDlg::SetProjectFolder(const std::string& folder) {
    folderField_->SetFolder(QString::fromStdString(folder));
    link_.SetProjectFolder(folder);
}

int CResourceDlg::GetListenPort() const {
    return networkPage_->GetPort();
}

void CResourceDlg::SetListenPort(int port) {
    networkPage_->SetPort(port);
}

bool CResourceDlg::SendCurrentDialog() {
    const CZeDialogData* dialog = GetCurrentDialog();
    if (!link_.HasConnection() || dialog == nullptr) {
        return false;
    }
    return link_.SendDialog(project_, dialog->GetItem(prop::kName));
}

QAbstractButton& CResourceDlg::Button(PanelButtonId id) {
    QAbstractButton* button = buttons_->Button(id);
    Q_ASSERT(button != nullptr);
    return *button;
}

QWidget& CResourceDlg::PropertyArea() {
    return *properties_;
}

void CResourceDlg::ShowTab(PanelTab tab) {
    if (tab != PanelTab::kLink && tab != PanelTab::kProperty) {
        return;
    }
    const bool link = tab == PanelTab::kLink;
    networkArea_->setVisible(link);
    buttons_->setVisible(!link);
    properties_->setVisible(!link);
    if (tabs_->currentIndex() != static_cast<int>(tab)) {
        tabs_->setCurrentIndex(static_cast<int>(tab));
    }
}

PanelTab CResourceDlg::CurrentTab() const {
    return static_cast<PanelTab>(tabs_->currentIndex());
}

CPropertyListCtrl& CResourceDlg::PropertyList() {
    return properties_->List();
}

ResourceTreeModel& CResourceDlg::TreeModel() {
    return tree_->Model();
}

QTreeView& CResourceDlg::TreeView() {
    return tree_->View();
}

TreeFilter& CResourceDlg::Filter() {
    return tree_->Filter();
}

ZeClass* CResourceDlg::GetCurrentElement() const {
    return tree_->CurrentElement();
}

ZeClass* CResourceDlg::GetShownElement() const {
    return tree_->ShownElement();
}

void CResourceDlg::SelectByUser(ZeClass* element, bool control) {
    tree_->SelectByUser(element, control);
}

void CResourceDlg::SelectChildrenOfCurrent() {
    tree_->SelectChildrenOfCurrent();
}

void CResourceDlg::MoveUp() {
    commands_->Move(MoveDirection::kUp);
}

void CResourceDlg::MoveDown() {
    commands_->Move(MoveDirection::kDown);
}

void CResourceDlg::DeleteCurrent() {
    commands_->DeleteCurrent();
}

bool CResourceDlg::CopyCurrent() {
    return commands_->CopyCurrent();
}

void CResourceDlg::PasteAtCurrent(PasteMode mode) {
    commands_->PasteAtCurrent(mode);
}

void CResourceDlg::InsertByName(std::string_view typeName, PasteMode mode) {
    commands_->InsertByName(typeName, mode);
}

void CResourceDlg::GroupSelected() {
    tree_->GroupSelected();
}

void CResourceDlg::UngroupCurrent() {
    tree_->UngroupCurrent();
}

void CResourceDlg::EditCurrentName() {
    properties_->EditName(tree_->CurrentElement());
}

bool CResourceDlg::CommitProperty(ZeClass& element, std::string_view name, std::string_view value) {
    return properties_->CommitProperty(element, name, value);
}

}  // namespace ze::panels
