// The resource tree: labels and order, expanded flags in both directions,
// locating items and the model contract after every kind of rebuild.

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "model/editing/selection.h"
#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/resource_dlg.h"
#include "panels/resource_tree_model.h"
#include "panels/support/recording_host.h"
#include "panels/support/sample_project.h"
#include "panels/support/tree_snapshot.h"

namespace ze::panels::test {

namespace {

// One line per item: a dot per depth level, the label, " +" when expanded
// in the view.
QStringList Lines(CResourceDlg& panel, const QModelIndex& parent = {}, int depth = 0) {
    QStringList lines;
    ResourceTreeModel& model = panel.TreeModel();
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        lines << QString(depth, '.') + model.data(index).toString() +
                     (panel.TreeView().isExpanded(index) ? " +" : "");
        lines << Lines(panel, index, depth + 1);
    }
    return lines;
}

}  // namespace

class TreeModelTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        project_ = std::make_unique<CZeResourceData>();
        QVERIFY(LoadSampleProject(*project_));
        panel_ = std::make_unique<CResourceDlg>(*project_, host_, messages_, host_.link);
        host_.Clear();
    }
    void cleanup() {
        panel_.reset();
        project_.reset();
    }

    void LabelsAndOrderCoverEveryKind() {
        Dialog(*project_, "Main").SetExpanded(true);
        panel_->Reload();
        const QStringList expected{
            "Root = App +",
            ".Dialog:Main +",
            "..Command:TIMER",
            "..Command:CLOSE",
            "..Group:LINEAR(root)",
            "...Object:GRID(grid)",
            "....Header:Cullum1",
            "....Header:Cullum2",
            "....Command:NOTIFY",
            "....Command:TIMER",
            "...Object:TOGGLE(toggle)On",
            "...Object:TEXT(title)ようこそ",
            "...Group:PAGE(pages)",
            "....Group:FRAME(page0)",
            ".....Object:TEXT(p0text)A",
            "....Group:FRAME(page1)",
            ".....Command:CLOSE",
            ".....Object:BUTTON(p1button)B",
            ".Dialog:Second",
            "..Group:FRAME(root2)",
            "...Object:TEXT(other)",
            ".Dialog:Bare",
        };
        QCOMPARE(Lines(*panel_), expected);
    }

    void ItemDataIsTheElement() {
        panel_->Reload();
        ResourceTreeModel& model = panel_->TreeModel();
        CZeDialogData& main = Dialog(*project_, "Main");
        const QModelIndex rootItem = model.index(0, 0);
        QCOMPARE(model.data(rootItem, ResourceTreeModel::kElementRole).value<void*>(),
                 static_cast<void*>(project_.get()));
        const QModelIndex gridItem = model.IndexOf(&Element(main, "grid"));
        QCOMPARE(model.data(gridItem, ResourceTreeModel::kElementRole).value<void*>(),
                 static_cast<void*>(&Element(main, "grid")));
        QCOMPARE(model.ElementAt(model.index(1, 0, gridItem)),
                 Element(main, "grid").GetHeaders()[1]);
    }

    void ExpandedFlagsAreApplied_data() {
        QTest::addColumn<bool>("expanded");
        QTest::newRow("flags set") << true;
        QTest::newRow("flags clear") << false;
    }
    void ExpandedFlagsAreApplied() {
        QFETCH(bool, expanded);
        CZeDialogData& main = Dialog(*project_, "Main");
        // Flags below a collapsed parent still count once the parent opens.
        main.SetExpanded(false);
        main.GetRootGroup()->SetExpanded(expanded);
        Element(main, "grid").SetExpanded(expanded);
        Element(main, "page1").SetExpanded(expanded);
        Element(main, "pages").SetExpanded(!expanded);
        panel_->Reload();
        ResourceTreeModel& model = panel_->TreeModel();
        QTreeView& view = panel_->TreeView();
        QVERIFY(view.isExpanded(model.index(0, 0)));  // the root, always
        QVERIFY(!view.isExpanded(model.IndexOf(&main)));
        QCOMPARE(view.isExpanded(model.IndexOf(main.GetRootGroup())), expanded);
        QCOMPARE(view.isExpanded(model.IndexOf(&Element(main, "grid"))), expanded);
        QCOMPARE(view.isExpanded(model.IndexOf(&Element(main, "page1"))), expanded);
        QCOMPARE(view.isExpanded(model.IndexOf(&Element(main, "pages"))), !expanded);
        // Applying them wrote nothing back.
        QVERIFY(!main.IsExpanded());
        QCOMPARE(Element(main, "grid").IsExpanded(), expanded);
    }

    void ExpandingAndCollapsingWritesTheFlag() {
        panel_->Reload();
        CZeDialogData& second = Dialog(*project_, "Second");
        QTreeView& view = panel_->TreeView();
        const QModelIndex item = panel_->TreeModel().IndexOf(&second);
        QVERIFY(!second.IsExpanded());
        view.expand(item);
        QVERIFY(second.IsExpanded());
        view.collapse(item);
        QVERIFY(!second.IsExpanded());
        // A reload shows what the user left.
        view.expand(item);
        panel_->Reload();
        QVERIFY(view.isExpanded(panel_->TreeModel().IndexOf(&second)));
    }

    void LocatingGivesTheFirstItemDepthFirst() {
        panel_->Reload();
        ResourceTreeModel& model = panel_->TreeModel();
        CZeDialogData& main = Dialog(*project_, "Main");
        CObjectData& button = Element(main, "p1button");
        const QModelIndex index = model.IndexOf(&button);
        QCOMPARE(model.LabelAt(index), QString("Object:BUTTON(p1button)B"));
        QCOMPARE(model.LabelAt(index.parent()), QString("Group:FRAME(page1)"));
        QCOMPARE(model.ElementAt(model.IndexOf(main.GetCommands()[1])), main.GetCommands()[1]);
        QVERIFY(!model.IndexOf(nullptr).isValid());
        // An element of the project that is not in the tree.
        CObjectDataList stray(nullptr);
        QVERIFY(!model.IndexOf(&stray).isValid());
    }

    void ModelContractHoldsThroughReloadRebuildAndDiscard() {
        QAbstractItemModelTester tester(&panel_->TreeModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        panel_->Reload();
        QCOMPARE(panel_->TreeModel().rowCount(), 1);
        QCOMPARE(panel_->TreeModel().rowCount(panel_->TreeModel().index(0, 0)), 3);
        CZeDialogData& main = Dialog(*project_, "Main");
        ElementChange change;
        change.dialog = &main;
        change.changed = {&main, main.GetRootGroup()};
        panel_->TreeModel().ElementsChanged(change);
        panel_->Reload();
        panel_->Discard();
        QCOMPARE(panel_->TreeModel().rowCount(), 0);
        panel_->Reload();
    }

    void RebuildingASubtreeFollowsTheElements() {
        panel_->Reload();
        QAbstractItemModelTester tester(&panel_->TreeModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        CZeDialogData& main = Dialog(*project_, "Main");
        CObjectDataList& pages = static_cast<CObjectDataList&>(Element(main, "pages"));
        CObjectData& toggle = Element(main, "toggle");
        // The toggle moves into the PAGE group and the dialog is renamed.
        main.GetRootGroup()->Remove(&toggle, false);
        pages.InsertAfter(&toggle, nullptr);
        main.SetItem("Name", "Renamed");
        pages.SetExpanded(true);
        panel_->SelectByUser(&Element(main, "title"));
        QSignalSpy labels(&panel_->TreeModel(), &QAbstractItemModel::dataChanged);

        // As undo tells it: the elements whose lists or items it restored.
        ElementChange change;
        change.dialog = &main;
        change.changed = {&main, main.GetRootGroup(), &pages, &toggle};
        project_->Observers().Notify(
            [&](ProjectObserver& observer) { observer.ElementsChanged(change); });
        Select(*project_, &toggle);
        ResourceTreeModel& model = panel_->TreeModel();
        const QModelIndex mainItem = model.IndexOf(&main);
        QCOMPARE(model.LabelAt(mainItem), QString("Dialog:Renamed"));
        QVERIFY(!labels.isEmpty());
        const QModelIndex toggleItem = model.IndexOf(&toggle);
        QCOMPARE(model.LabelAt(toggleItem.parent()), QString("Group:PAGE(pages)"));
        QCOMPARE(toggleItem.row(), 2);
        QVERIFY(panel_->TreeView().isExpanded(toggleItem.parent()));
        QCOMPARE(panel_->GetCurrentElement(), &toggle);
        QCOMPARE(panel_->GetShownElement(), &toggle);
        // The other dialogs' items were left alone.
        QCOMPARE(model.rowCount(model.index(0, 0)), 3);
        QCOMPARE(model.LabelAt(model.IndexOf(&Dialog(*project_, "Second"))),
                 QString("Dialog:Second"));
    }

    void AMoveInTheModelIsOneRowMove() {
        // Alone, without the panel answering the changes.
        ResourceTreeModel model;
        model.Build(*project_);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        CZeDialogData& main = Dialog(*project_, "Main");
        CObjectData& grid = Element(main, "grid");
        auto& siblings = grid.GetParent()->GetChildren();
        const auto at = std::find(siblings.begin(), siblings.end(), &grid);
        QVERIFY(at + 1 != siblings.end());
        // The grid's first header column moves with its object.
        QPersistentModelIndex header(model.index(0, 0, model.IndexOf(&grid)));
        QSignalSpy moved(&model, &QAbstractItemModel::rowsMoved);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        std::iter_swap(at, at + 1);
        ElementChange change;
        change.dialog = &main;
        change.changed = {grid.GetParent()};
        model.ElementsChanged(change);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(removed.count(), 0);
        QCOMPARE(model.LabelAt(model.IndexOf(&grid).siblingAtRow(model.IndexOf(&grid).row() - 1)),
                 QString("Object:TOGGLE(toggle)On"));
        QCOMPARE(header.parent(), model.IndexOf(&grid));
        QCOMPARE(model.ElementAt(header), grid.GetHeaders()[0]);
        QCOMPARE(TreeLabels(model), LabelsFromProject(*project_));
    }

    void RemovingAnItemForgetsTheCurrentBelowIt() {
        // Alone, without the panel answering the changes.
        ResourceTreeModel model;
        model.Build(*project_);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        CZeDialogData& main = Dialog(*project_, "Main");
        CZeDialogData& second = Dialog(*project_, "Second");
        model.SetCurrent(model.IndexOf(&Element(main, "p0text")));
        QVERIFY(model.RemoveItem(model.IndexOf(&main)));
        QVERIFY(!model.Current().isValid());
        QVERIFY(!model.IndexOf(&main).isValid());
        QCOMPARE(model.IndexOf(&second).row(), 0);
        QCOMPARE(model.rowCount(model.index(0, 0)), 2);
        // The current item elsewhere stays.
        model.SetCurrent(model.IndexOf(&second));
        QVERIFY(model.RemoveItem(model.IndexOf(&Element(second, "other"))));
        QCOMPARE(model.Current(), model.IndexOf(&second));
        QVERIFY(!model.RemoveItem({}));
    }

    void RenewingLabels_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("label");
        QTest::newRow("project root") << 0 << "Root = Renamed";
        QTest::newRow("dialog") << 1 << "Dialog:Renamed";
        QTest::newRow("object") << 2 << "Object:GRID(Renamed)";
        QTest::newRow("second header column") << 3 << "Header:Cullum2";
        QTest::newRow("command") << 4 << "Command:Renamed";
    }
    void RenewingLabels() {
        QFETCH(int, which);
        QFETCH(QString, label);
        // Alone, without the panel answering the changes.
        ResourceTreeModel model;
        model.Build(*project_);
        CZeDialogData& main = Dialog(*project_, "Main");
        CObjectData& grid = Element(main, "grid");
        ZeClass* elements[] = {project_.get(), &main, &grid, grid.GetHeaders()[1],
                               main.GetCommands()[0]};
        ZeClass& element = *elements[which];
        element.SetItem(which == 4 ? "Command" : "Name", "Renamed");
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.RenewLabel(element));
        QCOMPARE(model.LabelAt(model.IndexOf(&element)), label);
        QCOMPARE(changed.count(), which == 3 ? 0 : 1);
        CObjectDataList stray(nullptr);
        QVERIFY(!model.RenewLabel(stray));
    }

    void HistoryStepWithoutSelectionSelectsTheDialog() {
        panel_->Reload();
        CZeDialogData& second = Dialog(*project_, "Second");
        Select(*project_, &second);
        QCOMPARE(panel_->GetCurrentElement(), &second);
        QCOMPARE(panel_->GetShownElement(), &second);
        QCOMPARE(host_.Count("activate:Second"), 0);
    }

private:
    RecordingHost host_;
    RecordingMessages messages_;
    std::unique_ptr<CZeResourceData> project_;
    std::unique_ptr<CResourceDlg> panel_;
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::TreeModelTest)
#include "tree_model_test.moc"
