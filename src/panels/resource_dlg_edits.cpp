// The panel's gestures turned into calls of the model's edit API: moving,
// deleting, copying, pasting, inserting, grouping and ungrouping the current
// element, the insert requests of the image/log pane, property commits and
// image assignments. The tree and the property list follow the model through
// the change notification; the panel selects what each call leaves selected.

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <QTreeView>

#include "common/cp932.h"
#include "common/qt/sjis_qstring.h"
#include "model/dialog_data.h"
#include "model/editing/property_edits.h"
#include "model/editing/selection.h"
#include "model/editing/selection_edits.h"
#include "model/editing/tree_edits.h"
#include "model/item_list.h"
#include "model/resource_data.h"
#include "panels/pick_tree_view.h"
#include "panels/property_list_ctrl.h"
#include "panels/property_commits.h"
#include "panels/property_list_model.h"
#include "panels/resource_dlg.h"
#include "panels/resource_panel_host.h"
#include "panels/resource_tree_model.h"
#include "panels/selection_commands.h"

namespace ze::panels {

bool CResourceDlg::Apply(const EditResult& result) {
    const bool changed = commands_->Apply(result);
    RedrawTree();
    return changed;
}

void CResourceDlg::MoveUp() {
    Move(MoveDirection::kUp);
}

void CResourceDlg::MoveDown() {
    Move(MoveDirection::kDown);
}

void CResourceDlg::Move(MoveDirection direction) {
    commands_->Move(direction);
}

bool CResourceDlg::CopyCurrent() {
    return commands_->CopyCurrent();
}

void CResourceDlg::DeleteCurrent() {
    commands_->DeleteCurrent();
}

void CResourceDlg::PasteAtCurrent(PasteMode mode) {
    commands_->PasteAtCurrent(mode);
}

void CResourceDlg::InsertByName(std::string_view typeName, PasteMode mode) {
    commands_->InsertByName(typeName, mode);
}

void CResourceDlg::GroupSelected() {
    // Grouping works on the dialog whose window the user edits.
    if (GetCurrentDialog() == nullptr) {
        return;
    }
    AfterRegrouping(GroupSelection(project_, nullptr, GetCurrentElement()));
}

void CResourceDlg::UngroupCurrent() {
    AfterRegrouping(UngroupElement(project_, nullptr, GetCurrentElement()));
}

void CResourceDlg::AfterRegrouping(const EditResult& result) {
    if (result.select == nullptr || result.change.dialog == nullptr) {
        Apply(result);
        return;
    }
    tree_->scrollTo(model_->IndexOf(result.change.dialog), QAbstractItemView::PositionAtTop);
    Apply(result);
    tree_->scrollTo(model_->Current());
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

bool CResourceDlg::CommitProperty(ZeClass& element, std::string_view name, std::string_view value) {
    return commits_->CommitProperty(element, name, value);
}

void CResourceDlg::AssignImageToCurrentRow(PaneEntryKind kind, const std::string& name) {
    commits_->AssignImageAt(*propertyList_, propertyList_->GetCurrentRow(), kind, name);
}

}  // namespace ze::panels
