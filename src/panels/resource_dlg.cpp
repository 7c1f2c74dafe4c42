#include "panels/resource_dlg.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QShortcut>
#include <QTreeView>
#include <QVBoxLayout>
#include <vector>

#include "model/dialog_data.h"
#include "model/editing/selection.h"
#include "model/property_names.h"
#include "model/resource_data.h"
#include "model/user_text.h"
#include "panels/focus_ring.h"
#include "panels/live_sync.h"
#include "panels/network_page.h"
#include "panels/panel_buttons.h"
#include "panels/panel_tabs.h"
#include "panels/pick_tree_view.h"
#include "panels/property_commits.h"
#include "panels/resource_panel_host.h"
#include "panels/resource_tree_delegate.h"
#include "panels/resource_tree_model.h"
#include "panels/selection_commands.h"
#include "panels/tree_filter.h"

namespace ze::panels {

namespace {

constexpr int kMargin = 5;

// Notes whether a left press landed on the tree's current item, before the
// view handles it: such a press changes no selection.
class CurrentItemPress : public QObject {
public:
    explicit CurrentItemPress(QTreeView& tree) : QObject(&tree), tree_(tree) {
        tree.viewport()->installEventFilter(this);
    }
    bool OnCurrent() const { return onCurrent_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* press = static_cast<QMouseEvent*>(event);
            const QModelIndex index = tree_.indexAt(press->position().toPoint());
            onCurrent_ = index.isValid() && index == tree_.currentIndex() &&
                         press->modifiers() == Qt::NoModifier;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QTreeView& tree_;
    bool onCurrent_ = false;
};

}  // namespace

CResourceDlg::CResourceDlg(CZeResourceData& project, ResourcePanelHost& host, MessageSink& messages,
                           link::CDeviceLink& link, QWidget* parent)
    : QWidget(parent),
      project_(project),
      host_(host),
      messages_(messages),
      link_(link),
      commands_(std::make_unique<SelectionCommands>(project, host, messages)),
      commits_(std::make_unique<PropertyCommits>(project, *commands_)),
      model_(new ResourceTreeModel(this)),
      tree_(new PickTreeView(this)),
      findField_(new QLineEdit(this)),
      filter_(new TreeFilter(*tree_, *model_, *findField_, this)),
      folderField_(new ProjectFolderField(this)),
      buttons_(new PanelButtons([&host](const QString& text) { host.ShowStatusText(text); }, this)),
      tables_(new TypeTables(this)),
      propertyArea_(new QWidget(this)),
      networkArea_(new QWidget(this)),
      tabs_(new PanelTabs(this)) {
    tree_->setModel(model_);
    tree_->setItemDelegate(new ResourceTreeDelegate(tree_));
    tree_->setHeaderHidden(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row is one line of text; the view then lays out a large project
    // without measuring each row.
    tree_->setUniformRowHeights(true);
    // Elements are dragged to another place in the tree; a drop the rules
    // refuse shows the forbidden cursor before the button is released.
    tree_->setDragDropMode(QAbstractItemView::DragDrop);
    tree_->setDefaultDropAction(Qt::MoveAction);
    tree_->setDropIndicatorShown(true);
    model_->SetDropHandler(this);
    // The rows around the items are the view's own; whatever of a current
    // row the style paints outside the item takes the item's colours.
    QPalette palette = tree_->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, ResourceTreeModel::kRed);
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    tree_->setPalette(palette);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addWidget(folderField_);
    layout->addWidget(findField_);
    // The tree takes half of the height below the folder row; the buttons,
    // the page shown and the tab strip share the other half.
    layout->addWidget(tree_, 1);
    auto* lower = new QWidget(this);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(buttons_);
    lowerLayout->addWidget(tables_);
    lowerLayout->addWidget(propertyArea_, 1);
    lowerLayout->addWidget(networkArea_, 1);
    lowerLayout->addWidget(tabs_);
    layout->addWidget(lower, 1);
    tables_->hide();

    CreatePages();
    // The tree and the property list first: the panel's own answers select
    // items they already show.
    project_.Observers().Add(model_);
    project_.Observers().Add(propertyList_);
    project_.Observers().Add(this);
    SetEditingEnabled(false);
    ShowTab(PanelTabs::kPropertyTab);
    CreateKeys();
    SetUpKeyboardFocus();

    connect(tree_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection& deselected) {
                OnTreeSelectionChanged(selected, deselected);
            });
    // A click on the item that is current already changes no selection, yet
    // the user asks for its dialog's window: after a reload the first
    // dialog's item is current without a window.
    tree_->SetKeepsPicks([this](const QModelIndex& index) {
        const ZeClass* element = model_->ElementAt(index);
        const Selection& selection = project_.GetSelection();
        return element != nullptr && selection.Elements().size() > 1 &&
               selection.Contains(*element);
    });
    connect(tree_, &PickTreeView::PickReleased, this,
            [this](const QModelIndex& index) { HandleUserSelection(index, Qt::NoModifier); });
    auto* press = new CurrentItemPress(*tree_);
    connect(tree_, &QTreeView::clicked, this, [this, press](const QModelIndex& index) {
        const ZeClass* element = model_->ElementAt(index);
        CZeDialogData* dialog = project_.GetSelection().Dialog();
        if (press->OnCurrent() && element != nullptr &&
            element->GetKind() != ElementKind::kProject && dialog != nullptr) {
            host_.ActivateDialogWindow(*dialog);
        }
    });
    connect(tree_, &QTreeView::expanded, this,
            [this](const QModelIndex& index) { OnExpansionChanged(index, true); });
    connect(tree_, &QTreeView::collapsed, this,
            [this](const QModelIndex& index) { OnExpansionChanged(index, false); });
    connect(buttons_, &PanelButtons::Clicked, this, [this](PanelButtonId id) { OnButton(id); });
    connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) { ShowTab(tab); });
    connect(folderField_, &ProjectFolderField::FolderChanged, this,
            [this](const QString& folder) {
                // The device is served from the folder the user sees.
                link_.SetProjectFolder(folder.toStdString());
                host_.ProjectFolderChanged(folder.toStdString());
            });
}

CResourceDlg::~CResourceDlg() {
    // A cell still open would commit into this panel while it goes.
    propertyList_->ShowElement(nullptr);
    project_.Observers().Remove(this);
    project_.Observers().Remove(propertyList_);
    project_.Observers().Remove(model_);
}

void CResourceDlg::CreateKeys() {
    const auto bind = [](QWidget* where, QKeySequence keys, Qt::ShortcutContext context,
                         auto action) {
        auto* shortcut = new QShortcut(keys, where);
        shortcut->setContext(context);
        QObject::connect(shortcut, &QShortcut::activated, where, action);
    };
    bind(tree_, QKeySequence::Delete, Qt::WidgetShortcut, [this] { DeleteCurrent(); });
    bind(tree_, QKeySequence(Qt::Key_F2), Qt::WidgetShortcut, [this] { EditCurrentName(); });
    bind(tree_, QKeySequence(Qt::ALT | Qt::Key_Up), Qt::WidgetShortcut, [this] { MoveUp(); });
    bind(tree_, QKeySequence(Qt::ALT | Qt::Key_Down), Qt::WidgetShortcut, [this] { MoveDown(); });
    bind(tree_, QKeySequence::SelectAll, Qt::WidgetShortcut, [this] { SelectChildrenOfCurrent(); });
    bind(this, QKeySequence(Qt::CTRL | Qt::Key_F), Qt::WindowShortcut, [this] {
        if (tree_->isEnabled()) {
            filter_->Open();
        }
    });
    bind(this, QKeySequence(Qt::Key_F3), Qt::WindowShortcut, [this] {
        const QModelIndex next = filter_->NextMatch();
        if (next.isValid()) {
            HandleUserSelection(next, Qt::NoModifier);
        }
    });
    connect(filter_, &TreeFilter::MatchChosen, this, [this](const QModelIndex& index) {
        HandleUserSelection(index, Qt::NoModifier);
        tree_->setFocus(Qt::ShortcutFocusReason);
    });
    // Opening the ancestors of a match is no choice of the user's: the
    // elements keep their own open flags.
    filter_->SetExpander([this](const QModelIndex& index) {
        const bool before = expandingByProgram_;
        expandingByProgram_ = true;
        tree_->expand(index);
        expandingByProgram_ = before;
    });
}

void CResourceDlg::SetUpKeyboardFocus() {
    // The folder row, the filter field while it shows, the tree, the tool
    // buttons (one stop: the one that takes Tab), the property list (the
    // main window puts the preview next), the link controls in its place on
    // their tab, the tabs.
    std::vector<QWidget*> stops{&folderField_->Edit(), &folderField_->BrowseButton(), findField_,
                                tree_};
    for (const PanelButtonId id : PanelButtons::kIds) {
        stops.push_back(buttons_->Button(id));
    }
    stops.insert(stops.end(), {propertyList_, networkPage_, tabs_});
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
    FocusRing::Attach(*tree_);
    FocusRing::Attach(*propertyList_);
    FocusRing::Attach(folderField_->BrowseButton());
    FocusRing::Attach(*tabs_);
}

void CResourceDlg::EditCurrentName() {
    ZeClass* element = GetCurrentElement();
    if (element == nullptr || element != propertyList_->GetElement()) {
        return;
    }
    const CItemList& items = element->Items();
    for (std::size_t row = 0; row < items.GetItemCount(); ++row) {
        if (items.GetItemData(row).GetName() == prop::kName) {
            ShowTab(PanelTabs::kPropertyTab);
            propertyList_->SetCurrentRow(static_cast<int>(row));
            propertyList_->StartEdit(static_cast<int>(row), 1);
            return;
        }
    }
}

TreeFilter& CResourceDlg::Filter() {
    return *filter_;
}

QLineEdit& CResourceDlg::FindField() {
    return *findField_;
}

void CResourceDlg::SetEditingEnabled(bool enabled) {
    tree_->setEnabled(enabled);
    propertyArea_->setEnabled(enabled);
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

    // The dialogs may be new objects at the addresses of old ones.
    followedDialog_ = nullptr;
    shownElement_ = nullptr;
    RebuildWholeTree();

    const CZeDialogDataList& dialogs = project_.GetDialogs();
    Select(project_, dialogs.GetCount() > 0 ? dialogs.GetDialog(0) : nullptr);
    FollowSelection(project_.GetSelection());
}

void CResourceDlg::Discard() {
    ChangeItems([this] { model_->Clear(); });
    followedDialog_ = nullptr;
    propertyList_->ShowElement(nullptr);
    ShowElement(nullptr);
    RedrawTree();
}

void CResourceDlg::ShowElement(ZeClass* element) {
    shownElement_ = element;
    emit ShownElementChanged(element);
}

ZeClass* CResourceDlg::GetShownElement() const {
    return shownElement_;
}

ZeClass* CResourceDlg::GetCurrentElement() const {
    return model_->ElementAt(model_->Current());
}

CZeDialogData* CResourceDlg::GetCurrentDialog() const {
    return project_.GetSelection().Dialog();
}

void CResourceDlg::SetCurrentDialog(CZeDialogData* dialog) {
    if (dialog != nullptr && dialog != GetCurrentDialog()) {
        Select(project_, dialog);
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

ResourceTreeModel& CResourceDlg::TreeModel() {
    return *model_;
}

QTreeView& CResourceDlg::TreeView() {
    return *tree_;
}

ProjectFolderField& CResourceDlg::FolderField() {
    return *folderField_;
}

QAbstractButton& CResourceDlg::Button(PanelButtonId id) {
    QAbstractButton* button = buttons_->Button(id);
    Q_ASSERT(button != nullptr);
    return *button;
}

PanelButtons& CResourceDlg::Buttons() {
    return *buttons_;
}

TypeTables& CResourceDlg::Tables() {
    return *tables_;
}

QWidget& CResourceDlg::PropertyArea() {
    return *propertyArea_;
}

QWidget& CResourceDlg::NetworkArea() {
    return *networkArea_;
}

PanelTabs& CResourceDlg::Tabs() {
    return *tabs_;
}

void CResourceDlg::ShowTab(int tab) {
    if (tab != PanelTabs::kLinkTab && tab != PanelTabs::kPropertyTab) {
        return;
    }
    const bool link = tab == PanelTabs::kLinkTab;
    networkArea_->setVisible(link);
    buttons_->setVisible(!link);
    propertyArea_->setVisible(!link);
    if (tabs_->currentIndex() != tab) {
        tabs_->setCurrentIndex(tab);
    }
}

int CResourceDlg::CurrentTab() const {
    return tabs_->currentIndex();
}

bool CResourceDlg::SendCurrentDialog() {
    const CZeDialogData* dialog = GetCurrentDialog();
    if (!link_.HasConnection() || dialog == nullptr) {
        return false;
    }
    return link_.SendDialog(project_, dialog->GetItem(prop::kName));
}

void CResourceDlg::SelectItemByProgram(const QModelIndex& index) {
    const bool before = selectingByProgram_;
    selectingByProgram_ = true;
    model_->SetCurrent(index);
    QItemSelectionModel* selection = tree_->selectionModel();
    if (index.isValid()) {
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        // Opens the item's parents; their expanded flags follow as for a
        // click on their buttons.
        tree_->scrollTo(index);
    } else {
        selection->clearSelection();
    }
    selectingByProgram_ = before;
}

void CResourceDlg::ExpandByFlags(const QModelIndex& under) {
    const bool before = expandingByProgram_;
    expandingByProgram_ = true;
    for (const QModelIndex& index : model_->IndexesToExpand(under)) {
        tree_->expand(index);
    }
    expandingByProgram_ = before;
}

void CResourceDlg::OnExpansionChanged(const QModelIndex& index, bool expanded) {
    if (expandingByProgram_) {
        return;
    }
    if (ZeClass* element = model_->ElementAt(index)) {
        element->SetExpanded(expanded);
    }
}

void CResourceDlg::RebuildWholeTree() {
    ChangeItems([this] { model_->Build(project_); });
    ExpandByFlags({});
}

void CResourceDlg::RedrawTree() {
    tree_->viewport()->update();
}

void CResourceDlg::ShowMessage(const char* utf8, MessageIcon icon) {
    messages_.ShowMessage(UserText("Messages", utf8), icon);
}

}  // namespace ze::panels
