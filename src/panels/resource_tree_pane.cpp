#include "panels/resource_tree_pane.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QShortcut>
#include <QTreeView>
#include <QVBoxLayout>

#include "model/dialog_data.h"
#include "model/editing/selection.h"
#include "model/editing/tree_edits.h"
#include "model/resource_data.h"
#include "model/user_text.h"
#include "panels/pick_tree_view.h"
#include "panels/resource_panel_host.h"
#include "panels/resource_tree_delegate.h"
#include "panels/resource_tree_model.h"
#include "panels/selection_commands.h"
#include "panels/tree_filter.h"

namespace ze::panels {

namespace {

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

ResourceTreePane::ResourceTreePane(CZeResourceData& project, SelectionCommands& commands,
                                   ResourcePanelHost& host, MessageSink& messages, QWidget* parent)
    : QWidget(parent),
      project_(project),
      commands_(commands),
      host_(host),
      messages_(messages),
      model_(new ResourceTreeModel(this)),
      tree_(new PickTreeView(this)),
      findField_(new QLineEdit(this)),
      filter_(new TreeFilter(*tree_, *model_, *findField_, this)) {
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
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(findField_);
    layout->addWidget(tree_, 1);
    setFocusProxy(tree_);

    // The items first: the pane's answers select items they already show.
    project_.Observers().Add(model_);
    project_.Observers().Add(this);
    CreateKeys();

    connect(tree_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection& deselected) {
                OnTreeSelectionChanged(selected, deselected);
            });
    tree_->SetKeepsPicks([this](const QModelIndex& index) {
        const ZeClass* element = model_->ElementAt(index);
        const Selection& selection = project_.GetSelection();
        return element != nullptr && selection.Elements().size() > 1 &&
               selection.Contains(*element);
    });
    connect(tree_, &PickTreeView::PickReleased, this,
            [this](const QModelIndex& index) { HandleUserSelection(index, Qt::NoModifier); });
    // A click on the item that is current already changes no selection, yet
    // the user asks for its dialog's window: after a reload the first
    // dialog's item is current without a window.
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
}

ResourceTreePane::~ResourceTreePane() {
    project_.Observers().Remove(this);
    project_.Observers().Remove(model_);
}

void ResourceTreePane::CreateKeys() {
    const auto bind = [](QWidget* where, QKeySequence keys, Qt::ShortcutContext context,
                         auto action) {
        auto* shortcut = new QShortcut(keys, where);
        shortcut->setContext(context);
        QObject::connect(shortcut, &QShortcut::activated, where, action);
    };
    bind(tree_, QKeySequence::Delete, Qt::WidgetShortcut, [this] { commands_.DeleteCurrent(); });
    bind(tree_, QKeySequence(Qt::Key_F2), Qt::WidgetShortcut, [this] { emit NameEditRequested(); });
    bind(tree_, QKeySequence(Qt::ALT | Qt::Key_Up), Qt::WidgetShortcut,
         [this] { commands_.Move(MoveDirection::kUp); });
    bind(tree_, QKeySequence(Qt::ALT | Qt::Key_Down), Qt::WidgetShortcut,
         [this] { commands_.Move(MoveDirection::kDown); });
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

void ResourceTreePane::Reload() {
    // The dialogs may be new objects at the addresses of old ones.
    shownElement_ = nullptr;
    ChangeItems([this] { model_->Build(project_); });
    ExpandByFlags({});

    const CZeDialogDataList& dialogs = project_.GetDialogs();
    Select(project_, dialogs.GetCount() > 0 ? dialogs.GetDialog(0) : nullptr);
    FollowSelection(project_.GetSelection());
}

void ResourceTreePane::Discard() {
    ChangeItems([this] { model_->Clear(); });
    ShowElement(nullptr);
    RedrawTree();
}

void ResourceTreePane::ShowElement(ZeClass* element) {
    shownElement_ = element;
    emit ShownElementChanged(element);
}

ZeClass* ResourceTreePane::CurrentElement() const {
    return model_->ElementAt(model_->Current());
}

QTreeView& ResourceTreePane::View() {
    return *tree_;
}

bool ResourceTreePane::Apply(const EditResult& result) {
    const bool changed = commands_.Apply(result);
    RedrawTree();
    return changed;
}

void ResourceTreePane::GroupSelected() {
    if (project_.GetSelection().Dialog() == nullptr) {
        return;
    }
    AfterRegrouping(GroupSelection(project_, nullptr, CurrentElement()));
}

void ResourceTreePane::UngroupCurrent() {
    AfterRegrouping(UngroupElement(project_, nullptr, CurrentElement()));
}

void ResourceTreePane::AfterRegrouping(const EditResult& result) {
    if (result.select == nullptr || result.change.dialog == nullptr) {
        Apply(result);
        return;
    }
    tree_->scrollTo(model_->IndexOf(result.change.dialog), QAbstractItemView::PositionAtTop);
    Apply(result);
    tree_->scrollTo(model_->Current());
}

void ResourceTreePane::SelectItemByProgram(const QModelIndex& index) {
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

void ResourceTreePane::ExpandByFlags(const QModelIndex& under) {
    const bool before = expandingByProgram_;
    expandingByProgram_ = true;
    for (const QModelIndex& index : model_->IndexesToExpand(under)) {
        tree_->expand(index);
    }
    expandingByProgram_ = before;
}

void ResourceTreePane::OnExpansionChanged(const QModelIndex& index, bool expanded) {
    if (expandingByProgram_) {
        return;
    }
    if (ZeClass* element = model_->ElementAt(index)) {
        element->SetExpanded(expanded);
    }
}

void ResourceTreePane::RedrawTree() {
    tree_->viewport()->update();
}

void ResourceTreePane::ShowMessage(const char* utf8, MessageIcon icon) {
    messages_.ShowMessage(UserText("Messages", utf8), icon);
}

}  // namespace ze::panels
