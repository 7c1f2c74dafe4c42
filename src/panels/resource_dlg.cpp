#include "panels/resource_dlg.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPalette>
#include <QTreeView>
#include <QVBoxLayout>

#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/resource_data.h"
#include "panels/resource_panel_host.h"
#include "panels/resource_tree_delegate.h"
#include "panels/resource_tree_model.h"

namespace ze::panels {

namespace {

constexpr int kMargin = 5;

}  // namespace

CResourceDlg::CResourceDlg(CZeResourceData& project, ResourcePanelHost& host, MessageSink& messages,
                           QWidget* parent)
    : QWidget(parent),
      project_(project),
      host_(host),
      messages_(messages),
      model_(new ResourceTreeModel(this)),
      tree_(new QTreeView(this)),
      folderField_(new ProjectFolderField(this)),
      editingArea_(new QWidget(this)) {
    tree_->setModel(model_);
    tree_->setItemDelegate(new ResourceTreeDelegate(tree_));
    tree_->setHeaderHidden(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row is one line of text; the view then lays out a large project
    // without measuring each row.
    tree_->setUniformRowHeights(true);
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
    // The tree takes half of the height below the folder row; the editing
    // controls and the property list fill the other half.
    layout->addWidget(tree_, 1);
    layout->addWidget(editingArea_, 1);

    tree_->setEnabled(false);
    editingArea_->setEnabled(false);

    connect(tree_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) { OnTreeSelectionChanged(selected); });
    connect(tree_, &QTreeView::expanded, this,
            [this](const QModelIndex& index) { OnExpansionChanged(index, true); });
    connect(tree_, &QTreeView::collapsed, this,
            [this](const QModelIndex& index) { OnExpansionChanged(index, false); });
    connect(folderField_, &ProjectFolderField::FolderChanged, this,
            [this](const QString& folder) { host_.ProjectFolderChanged(folder.toStdString()); });
}

CResourceDlg::~CResourceDlg() = default;

void CResourceDlg::Reload() {
    tree_->setEnabled(true);
    editingArea_->setEnabled(true);
    folderField_->setEnabled(true);

    // The dialogs may be new objects at the addresses of old ones.
    currentDialog_ = nullptr;
    shownElement_ = nullptr;
    model_->Build(project_);
    ExpandByFlags({});

    const CZeDialogDataList& dialogs = project_.GetDialogs();
    if (dialogs.GetCount() > 0) {
        SetCurrentDialog(dialogs.GetDialog(0));
    }
    RedrawTree();
}

void CResourceDlg::Discard() {
    model_->Clear();
    currentDialog_ = nullptr;
    ShowElement(nullptr);
    RedrawTree();
}

void CResourceDlg::ShowElement(ZeClass* element) {
    shownElement_ = element;
}

ZeClass* CResourceDlg::GetShownElement() const {
    return shownElement_;
}

ZeClass* CResourceDlg::GetCurrentElement() const {
    return model_->ElementAt(model_->Current());
}

CZeDialogData* CResourceDlg::GetCurrentDialog() const {
    return currentDialog_;
}

void CResourceDlg::SetCurrentDialog(CZeDialogData* dialog) {
    if (dialog == currentDialog_) {
        return;
    }
    currentDialog_ = dialog;
    if (dialog != nullptr) {
        const QModelIndex index = model_->IndexOf(dialog);
        if (index.isValid()) {
            SelectItemByProgram(index);
        }
        ShowElement(dialog);
    }
    RedrawTree();
}

void CResourceDlg::SelectFromView(CZeDialogData* dialog, ZeClass* element) {
    ZeClass* target = element;
    if (target == nullptr || target == dialog) {
        target = dialog;
    }
    const QModelIndex index = model_->IndexOf(target);
    SelectItemByProgram(index);
    ShowElement(target);
    // An element picked in the preview is selected as a pick in the tree
    // selects it: alone, or added to the selection with Control held.
    if (index.isValid() && target != dialog) {
        HandleUserSelection(index,
                            QGuiApplication::keyboardModifiers().testFlag(Qt::ControlModifier));
    }
    RedrawTree();
}

void CResourceDlg::RefreshAfterHistoryStep(CZeDialogData& dialog, ZeClass* selected) {
    // Undo and redo put elements back into the dialog's tree; only that
    // dialog's items are built again.
    if (model_->RebuildSubtree(dialog)) {
        ExpandByFlags(model_->IndexOf(&dialog));
    }
    ZeClass* target = selected != nullptr ? selected : &dialog;
    SelectItemByProgram(model_->IndexOf(target));
    ShowElement(target);
    RedrawTree();
}

std::string CResourceDlg::GetProjectFolder() const {
    return folderField_->Folder().toStdString();
}

void CResourceDlg::SetProjectFolder(const std::string& folder) {
    folderField_->SetFolder(QString::fromStdString(folder));
}

int CResourceDlg::GetListenPort() const {
    return listenPort_;
}

void CResourceDlg::SetListenPort(int port) {
    listenPort_ = port;
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

QWidget& CResourceDlg::EditingArea() {
    return *editingArea_;
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

void CResourceDlg::RedrawTree() {
    tree_->viewport()->update();
}

void CResourceDlg::ShowMessage(const char* utf8, MessageIcon icon) {
    messages_.ShowMessage(Utf8ToCp932(utf8), icon);
}

}  // namespace ze::panels
