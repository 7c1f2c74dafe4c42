// Several elements picked through the real main window: Ctrl+click in the
// tree and the preview, a rubber band, one value given to ten buttons and
// taken back by one undo, undo with no dialog window open, and what is
// picked after a move or a delete is undone.
#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>
#include <string>

#include "app/child_frame.h"
#include "app/command_ids.h"
#include "app/dialog_view.h"
#include "model/dialog_data.h"
#include "model/editing/selection.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/property_list_ctrl.h"
#include "panels/property_list_model.h"
#include "panels/resource_dlg.h"
#include "panels/resource_tree_model.h"
#include "support/editor_fixture.h"

using namespace ze;
using namespace ze::app;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

namespace {

// Ten buttons in a vertical LINEAR group with a text after them.
std::string TenButtons() {
    std::string objects = "{'Name':'col','Type':'GROUP','Layout':'LINEAR','Vertical':'true',"
                          "'Width':'PARENT','Height':'PARENT','Objects':[";
    for (int i = 0; i < 10; ++i) {
        objects += "{'Name':'b" + std::to_string(i) + "','Type':'BUTTON','Text':'B" +
                   std::to_string(i) + "','BGColor':'#" + (i % 2 ? "00FF00" : "0000FF") + "'},";
    }
    return objects + "{'Name':'t','Type':'TEXT','Text':'end'}]}";
}

std::string Text(const CZeDialogData& dialog) {
    CJsonString text;
    dialog.WriteDialogMessage(text, 0);
    return text.TakeText();
}

std::vector<std::string> PickedNames(const CZeResourceData& project) {
    std::vector<std::string> names;
    for (const ZeClass* element : project.GetSelection().Elements()) {
        names.push_back(element->GetItem("Name"));
    }
    return names;
}

}  // namespace

class MultiSelectTest : public QObject {
    Q_OBJECT

    CZeDialogData& Open(EditorFixture& fixture, bool window = true) {
        CMainFrame& frame = fixture.Frame();
        const bool opened = frame.OpenFile(fixture.WriteFile(
            "multi.moxspro", ProjectText("M", {DialogText("A", TenButtons()),
                                               DialogText("B", "{'Name':'x','Type':'TEXT'}")})));
        Q_ASSERT(opened);
        CZeDialogData& dialog = *frame.GetProject().GetDialogs().GetDialog(0);
        if (window) {
            frame.ActivateDialogWindow(dialog);
        }
        return dialog;
    }

    static CObjectDataList& Column(CZeDialogData& dialog) {
        return static_cast<CObjectDataList&>(*dialog.GetRootGroup()->GetChildren()[0]);
    }
    static ZeClass* Child(CZeDialogData& dialog, std::size_t i) {
        return Column(dialog).GetChildren()[i];
    }

private slots:
    void OneValueToTenButtonsIsOneUndoStep() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        CZeDialogData& a = Open(fixture);
        panels::CResourceDlg& panel = frame.GetResourcePanel();
        const std::string before = Text(a);
        panel.SelectByUser(Child(a, 0));
        for (std::size_t i = 1; i < 10; ++i) {
            panel.SelectByUser(Child(a, i), true);
        }
        QCOMPARE(frame.GetProject().GetSelection().Elements().size(), std::size_t{10});

        // The list shows what all of them have; a value that differs shows
        // empty, grey, its values in the tooltip.
        panels::CPropertyListCtrl& list = panel.PropertyList();
        panels::PropertyListModel& model = list.Model();
        const auto rowOf = [&model](const std::string& name) {
            for (int row = 0; row < model.ItemCount(); ++row) {
                if (model.ItemAt(row)->GetName() == name) {
                    return row;
                }
            }
            return -1;
        };
        const int colour = rowOf("BGColor");
        QVERIFY(colour >= 0);
        QVERIFY(model.IsMixed(colour));
        QCOMPARE(model.index(colour, 1).data().toString(), QString());
        QCOMPARE(model.index(colour, 1).data(Qt::BackgroundRole).value<QColor>(),
                 panels::PropertyListModel::kMixedBackground);
        QVERIFY(model.index(colour, 1).data(Qt::ToolTipRole).toString().contains("#00FF00"));
        QVERIFY(!model.IsMixed(rowOf("Type")));

        const int text = rowOf("Text");
        list.SetCurrentRow(text);
        list.StartEdit(text, 1);
        auto* field = qobject_cast<QLineEdit*>(list.OpenCell());
        QVERIFY(field != nullptr);
        QCOMPARE(field->text(), QString());
        field->setText("Same");
        QTest::keyClick(field, Qt::Key_Return);
        for (std::size_t i = 0; i < 10; ++i) {
            QCOMPARE(Child(a, i)->GetItem("Text"), std::string("Same"));
        }
        QVERIFY(!model.IsMixed(text));

        // One undo gives them all back, still picked.
        frame.Action(CommandId::kEditUndo)->trigger();
        QCOMPARE(Text(a), before);
        QCOMPARE(frame.GetProject().GetSelection().Elements().size(), std::size_t{10});
        frame.Action(CommandId::kEditRedo)->trigger();
        QCOMPARE(Child(a, 9)->GetItem("Text"), std::string("Same"));
    }

    void CtrlClickAndRubberBandInThePreview() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        CZeDialogData& a = Open(fixture);
        CChildFrame* window = frame.ActiveChildFrame();
        QVERIFY(window != nullptr);
        CZeDialogEditorView& view = window->GetView();
        window->resize(500, 700);
        view.Render();  // lay out as shown
        const auto centre = [&](std::size_t i) {
            const PreviewRect& r = static_cast<CObjectData*>(Child(a, i))->GetPreviewRect();
            return view.Viewport()
                .ToWindow(QPointF((r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0))
                .toPoint();
        };
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, centre(1));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ControlModifier, centre(3));
        QCOMPARE(PickedNames(frame.GetProject()), (std::vector<std::string>{"b1", "b3"}));
        // The tree shows the current one.
        QCOMPARE(frame.GetResourcePanel().GetCurrentElement(), Child(a, 3));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ControlModifier, centre(1));
        QCOMPARE(PickedNames(frame.GetProject()), (std::vector<std::string>{"b3"}));

        // A band from beside the first button to beside the third covers
        // three of them.
        const PreviewRect& first = static_cast<CObjectData*>(Child(a, 0))->GetPreviewRect();
        const PreviewRect& third = static_cast<CObjectData*>(Child(a, 2))->GetPreviewRect();
        const QPoint from =
            view.Viewport().ToWindow(QPointF(first.right + 2, first.top - 1)).toPoint();
        const QPoint to = view.Viewport().ToWindow(QPointF(first.left - 1, third.bottom + 1)).toPoint();
        QVERIFY(from.x() < view.viewport()->width());
        QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, from);
        QMouseEvent move(QEvent::MouseMove, to, view.viewport()->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &move);
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, to);
        QCOMPARE(PickedNames(frame.GetProject()), (std::vector<std::string>{"b0", "b1", "b2"}));

        // A plain press on one of them keeps them all for a drag; a release
        // without one picks it alone, in the preview and in the tree.
        QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, centre(1));
        QCOMPARE(PickedNames(frame.GetProject()).size(), std::size_t{3});
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, centre(1));
        QCOMPARE(PickedNames(frame.GetProject()), (std::vector<std::string>{"b1"}));
        panels::CResourceDlg& panel = frame.GetResourcePanel();
        panel.SelectByUser(Child(a, 2), true);
        QTreeView& tree = panel.TreeView();
        const QPoint row = tree.visualRect(panel.TreeModel().IndexOf(Child(a, 1))).center();
        QTest::mousePress(tree.viewport(), Qt::LeftButton, Qt::NoModifier, row);
        QCOMPARE(PickedNames(frame.GetProject()), (std::vector<std::string>{"b1", "b2"}));
        QTest::mouseRelease(tree.viewport(), Qt::LeftButton, Qt::NoModifier, row);
        QCOMPARE(PickedNames(frame.GetProject()), (std::vector<std::string>{"b1"}));
        QCOMPARE(tree.currentIndex(), panel.TreeModel().IndexOf(Child(a, 1)));

        // Esc lets them go; the dialog is what is left.
        QTest::keyClick(&view, Qt::Key_Escape);
        QVERIFY(frame.GetProject().GetSelection().Elements().empty());
        QCOMPARE(frame.GetResourcePanel().GetCurrentElement(), static_cast<ZeClass*>(&a));
    }

    void UndoWithNoWindowAndWhatItPicks() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        CZeDialogData& a = Open(fixture, false);
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        panels::CResourceDlg& panel = frame.GetResourcePanel();
        // Picking in the tree and moving bring the dialog's window forward;
        // it is closed before the undo.
        const auto closeWindows = [&frame] {
            for (CChildFrame* window : frame.ChildFrames()) {
                window->close();
            }
            QCoreApplication::processEvents();
        };
        panel.SelectByUser(Child(a, 2));
        const std::string before = Text(a);
        ZeClass* moved = Child(a, 2);
        panel.MoveUp();
        QVERIFY(Text(a) != before);
        closeWindows();
        QVERIFY(frame.ChildFrames().empty());
        QVERIFY(frame.Action(CommandId::kEditUndo)->isEnabled());
        QTest::keySequence(&frame, QKeySequence::Undo);
        QCOMPARE(Text(a), before);
        // The moved button stays picked, not its group.
        QCOMPARE(PickedNames(frame.GetProject()), std::vector<std::string>{"b2"});
        QCOMPARE(panel.GetCurrentElement(), moved);
        QVERIFY(!Column(a).IsSelected());

        // Undoing a delete picks the element it brings back, in the tree and
        // the property list alike.
        panel.SelectByUser(Child(a, 4));
        panel.DeleteCurrent();
        QCOMPARE(Column(a).GetChildren().size(), std::size_t{10});
        closeWindows();
        QTest::keySequence(&frame, QKeySequence::Undo);
        QCOMPARE(Text(a), before);
        QCOMPARE(PickedNames(frame.GetProject()), std::vector<std::string>{"b4"});
        QCOMPARE(panel.GetCurrentElement(), Child(a, 4));
        QCOMPARE(panel.PropertyList().GetElement(), Child(a, 4));
    }
};

QTEST_MAIN(MultiSelectTest)
#include "multi_select_test.moc"
