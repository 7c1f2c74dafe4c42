// ze-screenshot-scene: the editor as scripts/screenshot.sh photographs it for
// the README, mid-edit. It starts exactly as ze-editor does (same command
// line, plus "--scene NAME" in front), then picks the first BUTTON of the
// dialog shown in the tree and
// - scene "edit" (the default): opens the drop-down of its "TColor"
//   property, as a user would with a click on the row's marker;
// - scene "zoom": makes the window larger, switches it to "実寸" and zooms
//   to 200 % about the page's corner, as Ctrl and four notches of the wheel
//   there would;
// - scene "device": makes the window larger and switches it to
//   "デバイス表示";
// - scene "devices": opens "デバイス一覧" over the main window.
// Not installed.
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <functional>

#include "app/command_ids.h"
#include "app/device_list_window.h"
#include "app/dialog_view.h"
#include "app/editor_app.h"
#include "model/dialog_data.h"
#include "model/element_casts.h"
#include "model/object_data.h"
#include "model/property_names.h"
#include "panels/property_list_ctrl.h"
#include "panels/resource_dlg.h"

namespace {

ze::CObjectData* FirstButton(ze::CObjectData& element) {
    if (element.GetItem(ze::prop::kType) == "BUTTON") {
        return &element;
    }
    for (ze::CObjectData* child : ze::ChildrenOf(element)) {
        if (ze::CObjectData* found = FirstButton(*child)) {
            return found;
        }
    }
    return nullptr;
}

// The first BUTTON of the dialog shown, picked; null when it has none.
ze::CObjectData* PickFirstButton(ze::app::CMainFrame& frame) {
    ze::panels::CResourceDlg& panel = frame.GetResourcePanel();
    ze::CZeDialogData* dialog = panel.GetCurrentDialog();
    ze::CObjectDataList* root = dialog != nullptr ? dialog->GetRootGroup() : nullptr;
    ze::CObjectData* button = root != nullptr ? FirstButton(*root) : nullptr;
    if (button != nullptr) {
        panel.SelectByUser(button);
    }
    return button;
}

void OpenColourDropDown(ze::app::CMainFrame& frame) {
    ze::panels::CResourceDlg& panel = frame.GetResourcePanel();
    ze::CObjectData* button = PickFirstButton(frame);
    if (button == nullptr) {
        return;
    }
    auto* list = panel.findChild<ze::panels::CPropertyListCtrl*>();
    const ze::CItemList& items = button->Items();
    for (std::size_t row = 0; row < items.GetItemCount(); ++row) {
        if (items.GetItemData(row).GetName() == ze::prop::kTColor) {
            list->SetCurrentRow(static_cast<int>(row));
            list->StartEdit(static_cast<int>(row), 2);
            break;
        }
    }
}

void ZoomDeviceSize(ze::app::CMainFrame& frame) {
    ze::CObjectData* button = PickFirstButton(frame);
    ze::app::CZeDialogEditorView* view = frame.ActiveView();
    if (button == nullptr || view == nullptr) {
        return;
    }
    // Most of the area, so that the zoomed preview shows more than the button.
    if (QMdiSubWindow* window = frame.GetMdiArea().activeSubWindow()) {
        window->resize(frame.GetMdiArea().viewport()->size() * 9 / 10);
    }
    frame.Action(ze::app::CommandId::kViewDeviceSize)->trigger();
    // About the page's top-left corner: the title above the button shows too.
    view->ZoomAt(200, QPointF(0, 0));
}

void ShowDeviceLook(ze::app::CMainFrame& frame) {
    if (QMdiSubWindow* window = frame.GetMdiArea().activeSubWindow()) {
        window->resize(frame.GetMdiArea().viewport()->size() * 9 / 10);
    }
    frame.Action(ze::app::CommandId::kViewDeviceLook)->trigger();
}

void ShowDeviceList(ze::app::CMainFrame& frame) {
    ze::app::CDeviceListWindow& list = frame.ShowDeviceList();
    list.setGeometry(QRect(frame.geometry().topLeft() + QPoint(20, 60),
                           QSize(frame.width() - 40, frame.height() - 120)));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    QString scene = QStringLiteral("edit");
    const qsizetype option = arguments.indexOf(QStringLiteral("--scene"));
    if (option > 0 && option + 1 < arguments.size()) {
        scene = arguments.at(option + 1);
        arguments.remove(option, 2);
    }
    ze::app::CZeDialogEditorApp editor;
    if (!editor.InitInstance(arguments)) {
        return 1;
    }
    ze::app::CMainFrame& frame = *editor.GetMainFrame();
    frame.show();
    // Once the window has its size, so that the drop-down opens where it is
    // drawn and the zoom keeps the button where it was.
    QTimer::singleShot(700, &frame, [&frame, scene] {
        // Whatever mode the settings left the windows in.
        frame.Action(ze::app::CommandId::kViewStructure)->trigger();
        if (scene == QStringLiteral("zoom")) {
            ZoomDeviceSize(frame);
        } else if (scene == QStringLiteral("device")) {
            ShowDeviceLook(frame);
        } else if (scene == QStringLiteral("devices")) {
            ShowDeviceList(frame);
        } else {
            OpenColourDropDown(frame);
        }
    });
    return QApplication::exec();
}
