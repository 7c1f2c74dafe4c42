// ze-screenshot-scene: the editor as scripts/screenshot.sh photographs it for
// the README, mid-edit. It starts exactly as ze-editor does (same command
// line), then picks the first BUTTON of the dialog shown in the tree and
// opens the drop-down of its "TColor" property, as a user would with a click
// on the row's marker. Not installed.
#include <QApplication>
#include <QTimer>
#include <functional>

#include "app/editor_app.h"
#include "model/dialog_data.h"
#include "model/object_data.h"
#include "panels/property_list_ctrl.h"
#include "panels/resource_dlg.h"

namespace {

ze::CObjectData* FirstButton(ze::CObjectData& element) {
    if (element.GetItem("Type") == "BUTTON") {
        return &element;
    }
    if (element.IsGroup()) {
        for (ze::CObjectData* child : static_cast<ze::CObjectDataList&>(element).GetChildren()) {
            if (ze::CObjectData* found = FirstButton(*child)) {
                return found;
            }
        }
    }
    return nullptr;
}

void OpenColourDropDown(ze::app::CMainFrame& frame) {
    ze::panels::CResourceDlg& panel = frame.GetResourcePanel();
    ze::CZeDialogData* dialog = panel.GetCurrentDialog();
    ze::CObjectDataList* root = dialog != nullptr ? dialog->GetRootGroup() : nullptr;
    ze::CObjectData* button = root != nullptr ? FirstButton(*root) : nullptr;
    if (button == nullptr) {
        return;
    }
    panel.SelectByUser(button);
    auto* list = panel.findChild<ze::panels::CPropertyListCtrl*>();
    const ze::CItemList& items = button->Items();
    for (std::size_t row = 0; row < items.GetItemCount(); ++row) {
        if (items.GetItemData(row).GetName() == "TColor") {
            list->SetCurrentRow(static_cast<int>(row));
            list->StartEdit(static_cast<int>(row), 2);
            break;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ze::app::CZeDialogEditorApp editor;
    if (!editor.InitInstance(QCoreApplication::arguments())) {
        return 1;
    }
    ze::app::CMainFrame& frame = *editor.GetMainFrame();
    frame.show();
    // Once the window has its size, so the drop-down opens where it is drawn.
    QTimer::singleShot(700, &frame, [&frame] { OpenColourDropDown(frame); });
    return QApplication::exec();
}
