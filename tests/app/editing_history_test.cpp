// Undo and redo of the panel's editing operations, end to end: the
// operation runs in the resource panel, Edit → Undo and Redo run in the
// dialog's window, and the dialog's resource text must come back byte for
// byte.
#include <QAction>
#include <QDockWidget>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>
#include <functional>

#include "app/child_frame.h"
#include "app/command_ids.h"
#include "app/dialog_document.h"
#include "app/dialog_view.h"
#include "app/panes/history_pane.h"
#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/editing/tree_edits.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "panels/property_list_ctrl.h"
#include "panels/resource_dlg.h"
#include "panels/resource_tree_model.h"
#include "support/editor_fixture.h"

using namespace ze;
using namespace ze::app;
using ze::app::test::DialogText;
using ze::app::test::EditorFixture;
using ze::app::test::ProjectText;

namespace {

using Operation = std::function<void(panels::CResourceDlg&, CZeDialogData&)>;

std::string TextOf(const CZeDialogData& dialog) {
    CJsonString text;
    dialog.WriteDialogMessage(text, 0);
    return text.TakeText();
}

CObjectData& Named(CZeDialogData& dialog, const std::string& name) {
    CObjectData* found = nullptr;
    std::function<void(CObjectData&)> visit = [&](CObjectData& element) {
        if (found == nullptr && element.GetItem("Name") == name) {
            found = &element;
        }
        if (element.IsGroup()) {
            for (CObjectData* child : static_cast<CObjectDataList&>(element).GetChildren()) {
                visit(*child);
            }
        }
    };
    visit(*dialog.GetRootGroup());
    Q_ASSERT(found != nullptr);
    return *found;
}

int RowOf(const ZeClass& element, const std::string& name) {
    const CItemList& items = element.Items();
    for (std::size_t row = 0; row < items.GetItemCount(); ++row) {
        if (items.GetItemData(row).GetName() == name) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

// Opens the edit field over the value of element's item name, as a click on
// the current row does; null when none opened.
QLineEdit* EditValue(panels::CPropertyListCtrl& list, const ZeClass& element,
                     const std::string& name) {
    const int row = RowOf(element, name);
    list.SetCurrentRow(row);
    list.StartEdit(row, 1);
    return qobject_cast<QLineEdit*>(list.OpenCell());
}

// A: text t1, button b1 (with a TIMER command), LINEAR group g holding text
// t2, grid "grid".
// B: text other.
const std::string kObjectsOfA =
    "{'Name':'t1','Type':'TEXT','Text':'one'},"
    "{'Name':'b1','Type':'BUTTON','Text':'press','Width':'120',"
    "'OnClick':{'Event':'OnClick','Command':'TIMER','Time':100}},"
    "{'Name':'g','Type':'GROUP','Layout':'LINEAR','Objects':["
    "{'Name':'t2','Type':'TEXT','Text':'two'}]},"
    "{'Name':'grid','Type':'GRID','Columns':'1','Header':[{'Text':'c1'}]}";

}  // namespace

Q_DECLARE_METATYPE(Operation)

class EditingHistoryTest : public QObject {
    Q_OBJECT

private:
    CZeDialogData& Open(EditorFixture& fixture) {
        CMainFrame& frame = fixture.Frame();
        const bool opened = frame.OpenFile(fixture.WriteFile(
            "history.moxspro",
            ProjectText("H", {DialogText("A", kObjectsOfA),
                              DialogText("B", "{'Name':'other','Type':'TEXT'}")})));
        Q_ASSERT(opened);
        CZeDialogData& dialog = *frame.GetProject().GetDialogs().GetDialog(0);
        frame.ActivateDialogWindow(dialog);
        return dialog;
    }

    static void Trigger(CMainFrame& frame, CommandId id) { frame.Action(id)->trigger(); }

private slots:
    void EveryOperationIsUndoneAndRedoneExactly_data() {
        QTest::addColumn<Operation>("operation");
        // What the Edit menu calls the step.
        QTest::addColumn<QString>("step");
        QTest::newRow("move down") << Operation([](panels::CResourceDlg& panel, CZeDialogData& a) {
            panel.SelectByUser(&Named(a, "t1"));
            panel.MoveDown();
        }) << QStringLiteral("移動 t1");
        QTest::newRow("move up") << Operation([](panels::CResourceDlg& panel, CZeDialogData& a) {
            panel.SelectByUser(&Named(a, "g"));
            panel.MoveUp();
        }) << QStringLiteral("移動 g");
        QTest::newRow("delete") << Operation([](panels::CResourceDlg& panel, CZeDialogData& a) {
            panel.SelectByUser(&Named(a, "b1"));
            panel.DeleteCurrent();
        }) << QStringLiteral("削除 b1");
        QTest::newRow("copy and paste")
            << Operation([](panels::CResourceDlg& panel, CZeDialogData& a) {
                   panel.SelectByUser(&Named(a, "g"));
                   QVERIFY(panel.CopyCurrent());
                   panel.SelectByUser(&Named(a, "t1"));
                   panel.PasteAtCurrent(PasteMode::kAfter);
               })
            << QStringLiteral("貼り付け Linear1");
        QTest::newRow("insert by name")
            << Operation([](panels::CResourceDlg& panel, CZeDialogData& a) {
                   panel.SelectByUser(&Named(a, "g"));
                   panel.InsertByName("button", PasteMode::kFirstChild);
               })
            << QStringLiteral("挿入 Button1");
        QTest::newRow("group") << Operation([](panels::CResourceDlg& panel, CZeDialogData& a) {
            panel.SelectByUser(&Named(a, "t1"));
            panel.SelectByUser(&Named(a, "b1"), true);
            panel.GroupSelected();
        }) << QStringLiteral("グループ化 2 個の要素");
        QTest::newRow("ungroup") << Operation([](panels::CResourceDlg& panel, CZeDialogData& a) {
            panel.SelectByUser(&Named(a, "g"));
            panel.UngroupCurrent();
        }) << QStringLiteral("グループ解除 g");
        QTest::newRow("type change")
            << Operation([](panels::CResourceDlg& panel, CZeDialogData& a) {
                   CObjectData& button = Named(a, "b1");
                   panel.SelectByUser(&button);
                   QVERIFY(panel.CommitProperty(button, "Type", "TEXT"));
               })
            << QStringLiteral("変更 b1 の Type");
        QTest::newRow("header column")
            << Operation([](panels::CResourceDlg& panel, CZeDialogData& a) {
                   CObjectData& grid = Named(a, "grid");
                   panel.SelectByUser(&grid);
                   QVERIFY(panel.CommitProperty(grid, "Columns", Utf8ToCp932("ヘッダ項目追加")));
               })
            << QStringLiteral("変更 grid の Columns");
        QTest::newRow("event command")
            << Operation([](panels::CResourceDlg& panel, CZeDialogData& a) {
                   CObjectData& button = Named(a, "b1");
                   panel.SelectByUser(&button);
                   QVERIFY(panel.CommitProperty(button, "OnClick", "TIMER"));
               })
            << QStringLiteral("変更 b1 の OnClick");
        QTest::newRow("image on FileOn")
            << Operation([](panels::CResourceDlg& panel, CZeDialogData& a) {
                   CObjectData& button = Named(a, "b1");
                   panel.SelectByUser(&button);
                   panel.PropertyList().SetCurrentRow(RowOf(button, "FileOn"));
                   panel.OnPaneEntryChosen(PaneEntryKind::kBuiltInImage, "btn[10-20].png");
                   QCOMPARE(button.GetItem("FileOn"), std::string("btn[10-20].png"));
               })
            << QStringLiteral("画像 b1 の FileOn");
        QTest::newRow("typed in the property list")
            << Operation([](panels::CResourceDlg& panel, CZeDialogData& a) {
                   CObjectData& text = Named(a, "t1");
                   panel.SelectByUser(&text);
                   QLineEdit* cell = EditValue(panel.PropertyList(), text, "Text");
                   QVERIFY(cell != nullptr);
                   cell->setText(QStringLiteral("ようこそ"));
                   QTest::keyClick(cell, Qt::Key_Return);
                   QCOMPARE(text.GetItem("Text"), Utf8ToCp932("ようこそ"));
               })
            << QStringLiteral("変更 t1 の Text");
        QTest::newRow("command property")
            << Operation([](panels::CResourceDlg& panel, CZeDialogData& a) {
                   ZeClass& timer = *Named(a, "b1").GetCommands()[0];
                   panel.SelectByUser(&timer);
                   QVERIFY(panel.CommitProperty(timer, "Time", "250"));
               })
            << QStringLiteral("変更 TIMER の Time");
        QTest::newRow("dialog property")
            << Operation([](panels::CResourceDlg& panel, CZeDialogData& a) {
                   QVERIFY(panel.CommitProperty(a, "TemplateType", "Shared"));
               })
            << QStringLiteral("変更 A の TemplateType");
    }

    void EveryOperationIsUndoneAndRedoneExactly() {
        QFETCH(Operation, operation);
        QFETCH(QString, step);
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        CZeDialogData& a = Open(fixture);
        panels::CResourceDlg& panel = frame.GetResourcePanel();
        QVERIFY(!frame.Action(CommandId::kEditUndo)->isEnabled());

        const std::string before = TextOf(a);
        operation(panel, a);
        const std::string after = TextOf(a);
        QVERIFY(after != before);
        QVERIFY(frame.Action(CommandId::kEditUndo)->isEnabled());
        QVERIFY(!frame.Action(CommandId::kEditRedo)->isEnabled());
        QCOMPARE(frame.Action(CommandId::kEditUndo)->text(), "元に戻す(&U): " + step);
        QCOMPARE(frame.Action(CommandId::kEditRedo)->text(), QStringLiteral("やり直し(&R)"));

        Trigger(frame, CommandId::kEditUndo);
        QCOMPARE(TextOf(a), before);
        QVERIFY(!frame.Action(CommandId::kEditUndo)->isEnabled());
        QVERIFY(frame.Action(CommandId::kEditRedo)->isEnabled());
        QCOMPARE(frame.Action(CommandId::kEditUndo)->text(), QStringLiteral("元に戻す(&U)"));
        QCOMPARE(frame.Action(CommandId::kEditRedo)->text(), "やり直し(&R): " + step);
        // The tree shows the restored dialog: every element has its item.
        QVERIFY(panel.TreeModel().IndexOf(&a).isValid());

        Trigger(frame, CommandId::kEditRedo);
        QCOMPARE(TextOf(a), after);
        QVERIFY(frame.Action(CommandId::kEditUndo)->isEnabled());
        QVERIFY(!frame.Action(CommandId::kEditRedo)->isEnabled());

        // Once more back, and a new step drops what redo could reach.
        Trigger(frame, CommandId::kEditUndo);
        QCOMPARE(TextOf(a), before);
        panel.SelectByUser(&Named(a, "t1"));
        panel.MoveDown();
        QVERIFY(!frame.Action(CommandId::kEditRedo)->isEnabled());
        Trigger(frame, CommandId::kEditUndo);
        QCOMPARE(TextOf(a), before);
    }

    void SeveralStepsGoBackAndForthInOrder() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        CZeDialogData& a = Open(fixture);
        panels::CResourceDlg& panel = frame.GetResourcePanel();

        std::vector<std::string> texts{TextOf(a)};
        panel.SelectByUser(&Named(a, "t1"));
        panel.MoveDown();
        texts.push_back(TextOf(a));
        panel.SelectByUser(&Named(a, "g"));
        panel.InsertByName("text", PasteMode::kLastChild);
        texts.push_back(TextOf(a));
        panel.SelectByUser(&Named(a, "b1"));
        panel.DeleteCurrent();
        texts.push_back(TextOf(a));

        for (int step = 2; step >= 0; --step) {
            Trigger(frame, CommandId::kEditUndo);
            QCOMPARE(TextOf(a), texts[static_cast<std::size_t>(step)]);
        }
        QVERIFY(!frame.Action(CommandId::kEditUndo)->isEnabled());
        for (std::size_t step = 1; step < texts.size(); ++step) {
            Trigger(frame, CommandId::kEditRedo);
            QCOMPARE(TextOf(a), texts[step]);
        }
    }

    void EachDialogKeepsItsOwnHistory() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        CZeDialogData& a = Open(fixture);
        CZeDialogData& b = *frame.GetProject().GetDialogs().GetDialog(1);
        panels::CResourceDlg& panel = frame.GetResourcePanel();

        const std::string aBefore = TextOf(a);
        const std::string bBefore = TextOf(b);
        panel.SelectByUser(&Named(a, "b1"));
        panel.DeleteCurrent();
        const std::string aAfter = TextOf(a);
        panel.SelectByUser(&Named(b, "other"));
        panel.InsertByName("checkbox", PasteMode::kAfter);
        const std::string bAfter = TextOf(b);

        // Selecting in B's tree made B's window the active one.
        QCOMPARE(frame.ActiveView()->GetDocument().GetDialog(), &b);
        Trigger(frame, CommandId::kEditUndo);
        QCOMPARE(TextOf(b), bBefore);
        QCOMPARE(TextOf(a), aAfter);
        QVERIFY(!frame.Action(CommandId::kEditUndo)->isEnabled());

        frame.ActivateDialogWindow(a);
        QVERIFY(frame.Action(CommandId::kEditUndo)->isEnabled());
        Trigger(frame, CommandId::kEditUndo);
        QCOMPARE(TextOf(a), aBefore);
        QCOMPARE(TextOf(b), bBefore);
    }

    void UndoSelectsTheElementTheHistoryReturns() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        CZeDialogData& a = Open(fixture);
        panels::CResourceDlg& panel = frame.GetResourcePanel();
        CObjectData& button = Named(a, "b1");
        panel.SelectByUser(&button);
        QVERIFY(panel.CommitProperty(button, "Text", "changed"));

        panel.SelectByUser(&Named(a, "t1"));
        Trigger(frame, CommandId::kEditUndo);
        QCOMPARE(button.GetItem("Text"), std::string("press"));
        QCOMPARE(panel.GetCurrentElement(), static_cast<ZeClass*>(&button));
        QCOMPARE(panel.GetShownElement(), static_cast<ZeClass*>(&button));
        QCOMPARE(panel.TreeModel().LabelAt(panel.TreeModel().IndexOf(&button)),
                 QStringLiteral("Object:BUTTON(b1)press"));
    }

    void UndoneInsertLeavesNothingToEdit() {
        // Insert an EDIT after Open... the user's way: the pane's entry and
        // "後ろ", then Ctrl+Z, then a Name typed into the property list.
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        CZeDialogData& a = Open(fixture);
        panels::CResourceDlg& panel = frame.GetResourcePanel();
        CObjectDataList& group = static_cast<CObjectDataList&>(Named(a, "g"));
        const std::string before = TextOf(a);
        panel.SelectByUser(&Named(a, "t2"));
        panel.InsertByName("edit", PasteMode::kAfter);
        ZeClass* inserted = panel.GetShownElement();
        QVERIFY(inserted != nullptr && inserted->GetItem("Type") == "EDIT");
        const std::string insertedName = inserted->GetItem("Name");

        Trigger(frame, CommandId::kEditUndo);
        panels::CPropertyListCtrl& list = panel.PropertyList();
        QVERIFY(list.GetElement() != inserted);
        QVERIFY(panel.GetShownElement() != inserted);
        // What is shown and current is in the tree: what was picked when the
        // insert was made; the group it was put in stays open.
        QCOMPARE(panel.GetCurrentElement(), static_cast<ZeClass*>(&Named(a, "t2")));
        QCOMPARE(list.GetElement(), static_cast<ZeClass*>(&Named(a, "t2")));
        panel.SelectByUser(&group);
        QVERIFY(panel.TreeView().isExpanded(panel.TreeModel().IndexOf(&group)));

        // An edit now goes to the group as a step of its own, which leaves
        // nothing for redo to bring back.
        QLineEdit* cell = EditValue(list, group, "Name");
        QVERIFY(cell != nullptr);
        cell->setText(QStringLiteral("Ghost"));
        QTest::keyClick(cell, Qt::Key_Return);
        QCOMPARE(group.GetItem("Name"), std::string("Ghost"));
        QCOMPARE(inserted->GetItem("Name"), insertedName);
        QVERIFY(!frame.Action(CommandId::kEditRedo)->isEnabled());
        std::string renamed = before;
        renamed.replace(renamed.find("'Name':'g'"), 10, "'Name':'Ghost'");
        QCOMPARE(TextOf(a), renamed);
        Trigger(frame, CommandId::kEditUndo);
        QCOMPARE(TextOf(a), before);
        Trigger(frame, CommandId::kEditRedo);
        QCOMPARE(TextOf(a), renamed);
    }

    void ACommitThatChangesNothingKeepsRedo() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        CZeDialogData& a = Open(fixture);
        panels::CResourceDlg& panel = frame.GetResourcePanel();
        CObjectData& text = Named(a, "t1");
        panel.SelectByUser(&text);
        QVERIFY(panel.CommitProperty(text, "Text", "changed"));
        Trigger(frame, CommandId::kEditUndo);
        QVERIFY(frame.Action(CommandId::kEditRedo)->isEnabled());
        const std::size_t records = a.GetUndoBuffer().GetRecordCount();

        // A cell opened and left without typing.
        panels::CPropertyListCtrl& list = panel.PropertyList();
        panel.SelectByUser(&text);
        QLineEdit* cell = EditValue(list, text, "Text");
        QVERIFY(cell != nullptr);
        QTest::keyClick(cell, Qt::Key_Return);

        QCOMPARE(a.GetUndoBuffer().GetRecordCount(), records);
        QVERIFY(frame.Action(CommandId::kEditRedo)->isEnabled());
        Trigger(frame, CommandId::kEditRedo);
        QCOMPARE(text.GetItem("Text"), std::string("changed"));
        QCOMPARE(panel.GetCurrentElement(), static_cast<ZeClass*>(&text));
    }

    void DeletingTheElementOfAnOpenCellClosesItUnstored() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        CZeDialogData& a = Open(fixture);
        panels::CResourceDlg& panel = frame.GetResourcePanel();
        CObjectData& button = Named(a, "b1");
        panel.SelectByUser(&button);
        panels::CPropertyListCtrl& list = panel.PropertyList();
        QPointer<QLineEdit> cell = EditValue(list, button, "Text");
        QVERIFY(cell != nullptr);
        cell->setText(QStringLiteral("typed"));

        // Deleted from elsewhere (Edit → Cut) while the cell is open.
        DeleteElement(frame.GetProject(), &a, &button);
        QVERIFY(list.OpenCell() == nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(cell.isNull());
        QCOMPARE(button.GetItem("Text"), std::string("press"));
        QVERIFY(list.GetElement() != &button);
        Trigger(frame, CommandId::kEditUndo);
        QCOMPARE(button.GetItem("Text"), std::string("press"));
    }

    void DeletingADialogSaysItCannotBeUndone() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        CZeDialogData& a = Open(fixture);
        panels::CResourceDlg& panel = frame.GetResourcePanel();
        panel.SelectByUser(&a);
        panel.DeleteCurrent();
        QCOMPARE(frame.GetProject().GetDialogs().GetCount(), std::size_t{1});
        QCOMPARE(frame.statusBar()->currentMessage(),
                 QStringLiteral("ダイアログの削除は元に戻せません。"));
        // Only B's window is left, and its history has nothing to undo.
        QCOMPARE(frame.ChildFrames().size(), std::size_t{1});
        QCOMPARE(frame.ActiveView()->GetDocument().GetDialog(),
                 frame.GetProject().GetDialogs().GetDialog(0));
        QVERIFY(!frame.Action(CommandId::kEditUndo)->isEnabled());
    }

    // The "履歴" pane lists the picked dialog's steps, the loaded state
    // first and saved; a click undoes or redoes to a step, and the Edit
    // menu and the dialog follow.
    void TheHistoryPaneStepsToTheStepClicked() {
        EditorFixture fixture;
        CMainFrame& frame = fixture.Frame();
        CZeDialogData& a = Open(fixture);
        CZeDialogData& b = *frame.GetProject().GetDialogs().GetDialog(1);
        panels::CResourceDlg& panel = frame.GetResourcePanel();
        CHistoryPane& pane = frame.GetHistoryPane();
        frame.show();
        frame.GetHistoryBar().raise();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));

        std::vector<std::string> texts{TextOf(a)};
        panel.SelectByUser(&Named(a, "t1"));
        panel.MoveDown();
        texts.push_back(TextOf(a));
        panel.SelectByUser(&Named(a, "b1"));
        panel.DeleteCurrent();
        texts.push_back(TextOf(a));
        CObjectData& t2 = Named(a, "t2");
        panel.SelectByUser(&t2);
        QVERIFY(panel.CommitProperty(t2, "Text", "again"));
        texts.push_back(TextOf(a));

        const auto rows = [&pane] {
            QStringList captions;
            for (int i = 0; i < pane.count(); ++i) {
                captions << pane.item(i)->text();
            }
            return captions;
        };
        const auto saved = [&pane] {
            QList<int> marked;
            for (int i = 0; i < pane.count(); ++i) {
                if (!pane.item(i)->icon().isNull()) {
                    marked << i;
                }
            }
            return marked;
        };
        const auto click = [&pane](int row) {
            QListWidgetItem* item = pane.item(row);
            pane.scrollToItem(item);
            QTest::mouseClick(pane.viewport(), Qt::LeftButton, {},
                              pane.visualItemRect(item).center());
        };
        QCOMPARE(rows(), QStringList({"最初の状態", "移動 t1", "削除 b1", "変更 t2 の Text"}));
        QCOMPARE(pane.currentRow(), 3);
        QVERIFY(pane.item(3)->font().bold() && !pane.item(2)->font().bold());
        // Opened from its file: the loaded state is the saved one.
        QCOMPARE(saved(), QList<int>({0}));

        click(1);
        QCOMPARE(TextOf(a), texts[1]);
        QCOMPARE(pane.currentRow(), 1);
        QVERIFY(pane.item(1)->font().bold());
        QCOMPARE(frame.Action(CommandId::kEditUndo)->text(),
                 QStringLiteral("元に戻す(&U): 移動 t1"));
        QCOMPARE(frame.Action(CommandId::kEditRedo)->text(),
                 QStringLiteral("やり直し(&R): 削除 b1"));
        // The steps redo reaches stay listed, greyed.
        QCOMPARE(pane.count(), 4);
        QVERIFY(pane.item(3)->foreground().color() != pane.item(1)->foreground().color());
        click(3);
        QCOMPARE(TextOf(a), texts[3]);
        click(0);
        QCOMPARE(TextOf(a), texts[0]);
        QVERIFY(!frame.Action(CommandId::kEditUndo)->isEnabled());
        QVERIFY(!frame.isWindowModified());
        click(2);
        QCOMPARE(TextOf(a), texts[2]);
        QVERIFY(frame.isWindowModified());

        // Saved here: the mark moves to this step.
        frame.Files().OnSaveProject();
        QVERIFY(!frame.isWindowModified());
        QCOMPARE(saved(), QList<int>({2}));
        // Undo from the menu moves the current step too.
        Trigger(frame, CommandId::kEditUndo);
        QCOMPARE(pane.currentRow(), 1);

        // The pane follows the dialog worked on.
        frame.ActivateDialogWindow(b);
        QCOMPARE(rows(), QStringList({"最初の状態"}));
        panel.SelectByUser(&Named(b, "other"));
        panel.InsertByName("checkbox", PasteMode::kAfter);
        QCOMPARE(rows(), QStringList({"最初の状態", "挿入 Checkbox1"}));
        frame.ActivateDialogWindow(a);
        QCOMPARE(rows().size(), 4);
    }
};

QTEST_MAIN(EditingHistoryTest)
#include "editing_history_test.moc"
