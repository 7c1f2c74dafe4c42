// Moving the current element up and down: every kind of element, the ends of
// each list, the tree kept in step, the history step of a dialog's tree.

#include <QAbstractItemModelTester>
#include <QTreeView>
#include <QtTest>
#include <memory>
#include <vector>

#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/resource_dlg.h"
#include "panels/resource_tree_model.h"
#include "panels/support/panel_fixture.h"
#include "panels/support/recording_host.h"
#include "panels/support/sample_project.h"
#include "panels/support/tree_snapshot.h"

namespace ze::panels::test {

class TreeMoveTest : public PanelTest {
    Q_OBJECT

private:
    // "dialog:<name>", "object:<name>" (in Main), "header:<object>:<n>",
    // "command:<owner>:<n>" (owner a dialog or an object of Main).
    ZeClass* Pick(const QString& selector) {
        const QStringList parts = selector.split(':');
        CZeDialogData& main = Dialog(*project_, "Main");
        if (parts[0] == "dialog") {
            return &Dialog(*project_, parts[1].toStdString());
        }
        if (parts[0] == "object") {
            return &Element(main, parts[1].toStdString());
        }
        const auto n = parts[2].toULong();
        if (parts[0] == "header") {
            return Element(main, parts[1].toStdString()).GetHeaders()[n];
        }
        if (CZeDialogData* dialog = project_->GetDialogs().FindDialog(parts[1].toStdString())) {
            return dialog->GetCommands()[n];
        }
        return Element(main, parts[1].toStdString()).GetCommands()[n];
    }

    // The list the selected element stands in.
    std::vector<ZeClass*> ListOf(const QString& selector) {
        const QStringList parts = selector.split(':');
        std::vector<ZeClass*> list;
        if (parts[0] == "dialog") {
            for (std::size_t i = 0; i < project_->GetDialogs().GetCount(); ++i) {
                list.push_back(project_->GetDialogs().GetDialog(i));
            }
        } else if (parts[0] == "object") {
            auto* object = static_cast<CObjectData*>(Pick(selector));
            for (CObjectData* child : object->GetParent()->GetChildren()) {
                list.push_back(child);
            }
        } else if (parts[0] == "header") {
            list = Element(Dialog(*project_, "Main"), parts[1].toStdString()).GetHeaders();
        } else if (CZeDialogData* dialog =
                       project_->GetDialogs().FindDialog(parts[1].toStdString())) {
            list = dialog->GetCommands();
        } else {
            list = Element(Dialog(*project_, "Main"), parts[1].toStdString()).GetCommands();
        }
        return list;
    }

    // The positions the elements of before now have, in the new order.
    static QStringList Order(const std::vector<ZeClass*>& before,
                             const std::vector<ZeClass*>& after) {
        QStringList order;
        for (ZeClass* element : after) {
            for (std::size_t i = 0; i < before.size(); ++i) {
                if (before[i] == element) {
                    order << QString::number(i);
                }
            }
        }
        return order;
    }

private slots:
    void init() {
        QVERIFY(StartPanel());
    }
    void cleanup() { StopPanel(); }

    void MovesEveryKind_data() {
        QTest::addColumn<QString>("selector");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<bool>("recorded");
        QTest::newRow("dialog down")
            << "dialog:Main" << false << QStringList{"1", "0", "2"} << false;
        QTest::newRow("dialog up") << "dialog:Bare" << true << QStringList{"0", "2", "1"} << false;
        QTest::newRow("object up")
            << "object:toggle" << true << QStringList{"1", "0", "2", "3"} << true;
        QTest::newRow("object down")
            << "object:grid" << false << QStringList{"1", "0", "2", "3"} << true;
        QTest::newRow("group up") << "object:pages" << true << QStringList{"0", "1", "3", "2"}
                                  << true;
        QTest::newRow("nested group down")
            << "object:page0" << false << QStringList{"1", "0"} << true;
        QTest::newRow("header down") << "header:grid:0" << false << QStringList{"1", "0"} << true;
        QTest::newRow("header up") << "header:grid:1" << true << QStringList{"1", "0"} << true;
        QTest::newRow("dialog command down")
            << "command:Main:0" << false << QStringList{"1", "0"} << true;
        QTest::newRow("object command up")
            << "command:grid:1" << true << QStringList{"1", "0"} << true;
    }
    void MovesEveryKind() {
        QFETCH(QString, selector);
        QFETCH(bool, up);
        QFETCH(QStringList, order);
        QFETCH(bool, recorded);
        ZeClass* element = Pick(selector);
        panel_->SelectByUser(element);
        const std::vector<ZeClass*> before = ListOf(selector);
        CZeDialogData& main = Dialog(*project_, "Main");
        const std::size_t records = main.GetUndoBuffer().GetRecordCount();
        host_.Clear();

        up ? panel_->MoveUp() : panel_->MoveDown();

        QCOMPARE(Order(before, ListOf(selector)), order);
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QCOMPARE(panel_->GetCurrentElement(), element);
        QCOMPARE(panel_->TreeModel().ElementAt(panel_->TreeView().currentIndex()), element);
        QCOMPARE(main.GetUndoBuffer().GetRecordCount(), records + (recorded ? 1 : 0));
        QCOMPARE(host_.Count("history"), recorded ? 1 : 0);
        QVERIFY(messages_.messages.empty());
        if (element->GetKind() == ElementKind::kObject ||
            element->GetKind() == ElementKind::kGroup) {
            // The moved element is the one selected in its dialog.
            QVERIFY(static_cast<CObjectData*>(element)->IsSelected());
            QCOMPARE(FirstSelected(main), element);
        }
    }

    void MovesPastTheEndChangeNothing_data() {
        QTest::addColumn<QString>("selector");
        QTest::addColumn<bool>("up");
        QTest::newRow("first dialog up") << "dialog:Main" << true;
        QTest::newRow("last dialog down") << "dialog:Bare" << false;
        QTest::newRow("first object up") << "object:grid" << true;
        QTest::newRow("last group down") << "object:pages" << false;
        QTest::newRow("only child up") << "object:p0text" << true;
        QTest::newRow("only child down") << "object:p1button" << false;
        QTest::newRow("first header up") << "header:grid:0" << true;
        QTest::newRow("last header down") << "header:grid:1" << false;
        QTest::newRow("first command up") << "command:Main:0" << true;
        QTest::newRow("last command down") << "command:Main:1" << false;
        QTest::newRow("root group up") << "object:root" << true;
    }
    void MovesPastTheEndChangeNothing() {
        QFETCH(QString, selector);
        QFETCH(bool, up);
        panel_->SelectByUser(Pick(selector));
        const std::string text = ProjectText(*project_);
        const QStringList labels = TreeLabels(panel_->TreeModel());
        const std::size_t records = Dialog(*project_, "Main").GetUndoBuffer().GetRecordCount();
        host_.Clear();

        up ? panel_->MoveUp() : panel_->MoveDown();

        QCOMPARE(ProjectText(*project_), text);
        QCOMPARE(TreeLabels(panel_->TreeModel()), labels);
        QCOMPARE(Dialog(*project_, "Main").GetUndoBuffer().GetRecordCount(), records);
        QVERIFY(host_.calls.empty());
        QVERIFY(messages_.messages.empty());
    }

    void MovingTheRootDoesNothing() {
        panel_->SelectByUser(project_.get());
        const QStringList labels = TreeLabels(panel_->TreeModel());
        panel_->MoveDown();
        panel_->MoveUp();
        QCOMPARE(TreeLabels(panel_->TreeModel()), labels);
        QCOMPARE(project_->GetDialogs().GetDialog(0), &Dialog(*project_, "Main"));
    }

    void MovingADialogKeepsOpenNodesOpen() {
        CZeDialogData& main = Dialog(*project_, "Main");
        panel_->TreeView().expand(panel_->TreeModel().IndexOf(&main));
        panel_->SelectByUser(&main);
        host_.Clear();
        panel_->MoveDown();
        QVERIFY(panel_->TreeView().isExpanded(panel_->TreeModel().IndexOf(&main)));
        QCOMPARE(panel_->TreeModel().IndexOf(&main).row(), 1);
        // The window of the moved dialog comes forward, as for a click.
        QCOMPARE(host_.Count("activate:Main"), 1);
    }

    void UndoAfterAMoveRestoresTheText() {
        CZeDialogData& main = Dialog(*project_, "Main");
        const std::string before = DialogText(main);
        panel_->SelectByUser(&Element(main, "title"));
        panel_->MoveUp();
        const std::string after = DialogText(main);
        QVERIFY(after != before);
        QCOMPARE(main.GetUndoBuffer().GetIndex(), 2);
        main.GetUndoBuffer().Undo();
        QCOMPARE(DialogText(main), before);
        main.GetUndoBuffer().Redo();
        QCOMPARE(DialogText(main), after);
    }

private:
    static ZeClass* FirstSelected(CZeDialogData& dialog) {
        return dialog.GetRootGroup()->FindSelected();
    }

};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::TreeMoveTest)
#include "tree_move_test.moc"
