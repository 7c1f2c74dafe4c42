// Grouping the selected elements of a dialog and dissolving a group: the
// model, the tree, what is current and selected afterwards, the refusals and
// the history steps.

#include <QAbstractItemModelTester>
#include <QTreeView>
#include <QtTest>
#include <memory>

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

namespace {

// The group's subtree as "name(child child ...)", groups only in brackets.
QString Shape(const CObjectData& element) {
    QString shape = QString::fromStdString(element.GetItem("Name"));
    if (element.IsGroup()) {
        QStringList children;
        for (const CObjectData* child :
             static_cast<const CObjectDataList&>(element).GetChildren()) {
            children << Shape(*child);
        }
        shape += "(" + children.join(' ') + ")";
    }
    return shape;
}

}  // namespace

class TreeGroupingTest : public PanelTest {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(StartPanel());
    }
    void cleanup() { StopPanel(); }

    void GroupsTheSelectedElements_data() {
        QTest::addColumn<QStringList>("picks");
        QTest::addColumn<QString>("shape");
        QTest::newRow("one object")
            << QStringList{"toggle"}
            << "root(grid (toggle) title pages(page0(p0text) page1(p1button)))";
        QTest::newRow("two siblings, the later one current")
            << QStringList{"grid", "title"}
            << "root(toggle (grid title) pages(page0(p0text) page1(p1button)))";
        QTest::newRow("from two levels")
            << QStringList{"p0text", "toggle"}
            << "root(grid (toggle p0text) title pages(page0() page1(p1button)))";
        QTest::newRow("a group")
            << QStringList{"page1"}
            << "root(grid toggle title pages(page0(p0text) (page1(p1button))))";
    }
    void GroupsTheSelectedElements() {
        QFETCH(QStringList, picks);
        QFETCH(QString, shape);
        for (int i = 0; i < picks.size(); ++i) {
            panel_->SelectByUser(&Element(*main_, picks[i].toStdString()), i > 0);
        }
        CObjectData& chosen = Element(*main_, picks.last().toStdString());
        QCOMPARE(panel_->GetCurrentElement(), &chosen);
        host_.Clear();

        panel_->GroupSelected();

        QCOMPARE(Shape(*main_->GetRootGroup()), shape);
        auto* group = static_cast<CObjectDataList*>(panel_->GetCurrentElement());
        QVERIFY(group != nullptr);
        QVERIFY(group->IsGroup());
        QCOMPARE(group->GetItem("Layout"), std::string("LINEAR"));
        QCOMPARE(group->GetStore(), &main_->GetElementStore());
        QCOMPARE(panel_->GetShownElement(), group);
        QVERIFY(group->IsSelected());
        QCOMPARE(main_->GetRootGroup()->FindSelected(), group);
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QVERIFY(panel_->TreeView().isExpanded(panel_->TreeModel().IndexOf(group)));
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), std::size_t{2});
        QCOMPARE(host_.Count("history"), 1);
        QCOMPARE(host_.Count("activate:Main"), 1);
    }

    void GroupingRefusals_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("nothing selected") << 0;
        QTest::newRow("the root group") << 1;
        QTest::newRow("a dialog") << 2;
        QTest::newRow("a header column with nothing selected") << 3;
        QTest::newRow("no current item") << 4;
    }
    void GroupingRefusals() {
        QFETCH(int, which);
        CObjectData& title = Element(*main_, "title");
        switch (which) {
            case 0:
                panel_->SelectByUser(&title);
                title.SetSelected(false);
                break;
            case 1:
                panel_->SelectByUser(main_->GetRootGroup());
                break;
            case 2:
                panel_->SelectByUser(main_);
                title.SetSelected(true);
                break;
            case 3:
                panel_->SelectByUser(Element(*main_, "grid").GetHeaders()[0]);
                main_->GetRootGroup()->ClearSelection();
                break;
            default:
                title.SetSelected(true);
                panel_->TreeModel().SetCurrent({});
                break;
        }
        const std::string text = ProjectText(*project_);
        const QStringList labels = TreeLabels(panel_->TreeModel());
        host_.Clear();
        panel_->GroupSelected();
        QCOMPARE(ProjectText(*project_), text);
        QCOMPARE(TreeLabels(panel_->TreeModel()), labels);
        QVERIFY(host_.calls.empty());
        QVERIFY(messages_.messages.empty());
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), std::size_t{1});
    }

    void UngroupPutsTheChildrenInPlace() {
        CObjectData& page0 = Element(*main_, "page0");
        CObjectData& p0text = Element(*main_, "p0text");
        auto& pages = static_cast<CObjectDataList&>(Element(*main_, "pages"));
        // A second child so the order shows.
        panel_->SelectByUser(&p0text);
        panel_->InsertByName("EDIT", PasteMode::kAfter);
        panel_->SelectByUser(&page0);
        host_.Clear();

        panel_->UngroupCurrent();

        QCOMPARE(Shape(pages), QString("pages(p0text Edit1 page1(p1button))"));
        QCOMPARE(p0text.GetParent(), &pages);
        QCOMPARE(pages.IndexOf(&page0), -1);
        QCOMPARE(panel_->GetCurrentElement(), &p0text);
        QCOMPARE(panel_->GetShownElement(), &p0text);
        QVERIFY(p0text.IsSelected());
        QCOMPARE(main_->GetRootGroup()->CountSelected(), 1);
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), std::size_t{3});
        QCOMPARE(host_.Count("history"), 1);
    }

    void UngroupRefusals_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("two siblings selected") << 0;
        QTest::newRow("no sibling selected") << 1;
        QTest::newRow("the root group") << 2;
        QTest::newRow("an object") << 3;
        QTest::newRow("an empty group") << 4;
    }
    void UngroupRefusals() {
        QFETCH(int, which);
        CObjectData& page0 = Element(*main_, "page0");
        switch (which) {
            case 0:
                panel_->SelectByUser(&page0);
                panel_->SelectByUser(&Element(*main_, "page1"), true);
                panel_->SelectByUser(&page0, false);
                Element(*main_, "page1").SetSelected(true);
                break;
            case 1:
                panel_->SelectByUser(&page0);
                page0.SetSelected(false);
                break;
            case 2:
                panel_->SelectByUser(main_->GetRootGroup());
                break;
            case 3:
                panel_->SelectByUser(&Element(*main_, "title"));
                break;
            default:
                panel_->SelectByUser(&page0);
                panel_->InsertByName("FRAME", PasteMode::kAfter);
                break;
        }
        const std::string text = ProjectText(*project_);
        const QStringList labels = TreeLabels(panel_->TreeModel());
        const std::size_t records = main_->GetUndoBuffer().GetRecordCount();
        host_.Clear();
        panel_->UngroupCurrent();
        QCOMPARE(ProjectText(*project_), text);
        QCOMPARE(TreeLabels(panel_->TreeModel()), labels);
        QVERIFY(host_.calls.empty());
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), records);
    }

    void UndoAfterGroupingAndUngrouping() {
        const std::string before = DialogText(*main_);
        panel_->SelectByUser(&Element(*main_, "toggle"));
        panel_->SelectByUser(&Element(*main_, "title"), true);
        panel_->GroupSelected();
        const std::string grouped = DialogText(*main_);
        QVERIFY(grouped != before);
        panel_->UngroupCurrent();
        const std::string ungrouped = DialogText(*main_);
        QCOMPARE(main_->GetUndoBuffer().GetIndex(), 3);
        main_->GetUndoBuffer().Undo();
        QCOMPARE(DialogText(*main_), grouped);
        main_->GetUndoBuffer().Undo();
        QCOMPARE(DialogText(*main_), before);
        main_->GetUndoBuffer().Redo();
        QCOMPARE(DialogText(*main_), grouped);
        main_->GetUndoBuffer().Redo();
        QCOMPARE(DialogText(*main_), ungrouped);
    }
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::TreeGroupingTest)
#include "tree_grouping_test.moc"
