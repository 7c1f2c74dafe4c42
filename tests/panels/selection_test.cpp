// Picking tree items: by the user (the project's selection, current dialog,
// page switch, window activation), and the tree following picks made
// elsewhere (no window activated).

#include <QAbstractButton>
#include <QLabel>
#include <QTreeView>
#include <QtTest>
#include <memory>

#include "model/dialog_data.h"
#include "model/editing/selection.h"
#include "model/editing/tree_edits.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/panel_buttons.h"
#include "panels/resource_dlg.h"
#include "panels/resource_tree_model.h"
#include "panels/support/recording_host.h"
#include "panels/support/sample_project.h"

namespace ze::panels::test {

namespace {

// The Name of every selected object and group of the dialog, in tree order.
QStringList SelectedNames(CObjectData& element) {
    QStringList names;
    if (element.IsSelected()) {
        names << QString::fromStdString(element.GetItem("Name"));
    }
    if (element.IsGroup()) {
        for (CObjectData* child : static_cast<CObjectDataList&>(element).GetChildren()) {
            names << SelectedNames(*child);
        }
    }
    return names;
}

}  // namespace

class SelectionTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        project_ = std::make_unique<CZeResourceData>();
        QVERIFY(LoadSampleProject(*project_));
        panel_ = std::make_unique<CResourceDlg>(*project_, host_, messages_, host_.link);
        host_.Clear();
        main_ = &Dialog(*project_, "Main");
        second_ = &Dialog(*project_, "Second");
    }
    void cleanup() {
        panel_.reset();
        project_.reset();
        messages_.messages.clear();
    }

    void StartsDisabledUntilTheFirstReload() {
        QVERIFY(!panel_->TreeView().isEnabled());
        QVERIFY(!panel_->PropertyArea().isEnabled());
        for (const auto id : PanelButtons::kIds) {
            QVERIFY(!panel_->Button(id).isEnabled());
        }
        QVERIFY(!panel_->Buttons().InsertLabel().isEnabled());
        QVERIFY(panel_->FolderField().isEnabled());
        QCOMPARE(panel_->GetCurrentDialog(), nullptr);
        panel_->Reload();
        QVERIFY(panel_->TreeView().isEnabled());
        QVERIFY(panel_->PropertyArea().isEnabled());
        for (const auto id : PanelButtons::kIds) {
            QVERIFY(panel_->Button(id).isEnabled());
        }
        QVERIFY(panel_->Buttons().InsertLabel().isEnabled());
        panel_->Discard();
        QVERIFY(panel_->TreeView().isEnabled());
    }

    void ReloadMakesTheFirstDialogCurrentWithoutOpeningIt() {
        panel_->Reload();
        QCOMPARE(panel_->GetCurrentDialog(), main_);
        QCOMPARE(panel_->GetCurrentElement(), main_);
        QCOMPARE(panel_->GetShownElement(), main_);
        QCOMPARE(panel_->TreeView().currentIndex(), panel_->TreeModel().IndexOf(main_));
        QVERIFY(host_.activated.empty());
        // Again after another dialog was current.
        panel_->SetCurrentDialog(second_);
        panel_->Reload();
        QCOMPARE(panel_->GetCurrentDialog(), main_);
        QCOMPARE(panel_->GetCurrentElement(), main_);
    }

    void ReloadOfAnEmptyProject() {
        CZeResourceData empty;
        CResourceDlg panel(empty, host_, messages_, host_.link);
        panel.Reload();
        QCOMPARE(panel.GetCurrentDialog(), nullptr);
        QCOMPARE(panel.GetCurrentElement(), nullptr);
        QCOMPARE(panel.GetShownElement(), nullptr);
        QCOMPARE(panel.TreeModel().rowCount(), 1);
    }

    void DiscardForgetsEverything() {
        panel_->Reload();
        panel_->SelectByUser(&Element(*main_, "grid"));
        panel_->Discard();
        // As the main window does after it.
        DiscardDialogs(*project_);
        QCOMPARE(panel_->TreeModel().rowCount(), 0);
        QCOMPARE(panel_->GetCurrentElement(), nullptr);
        QCOMPARE(panel_->GetShownElement(), nullptr);
        QCOMPARE(panel_->GetCurrentDialog(), nullptr);
        QVERIFY(!panel_->TreeModel().Current().isValid());
        panel_->Reload();
        QCOMPARE(panel_->TreeModel().rowCount(panel_->TreeModel().index(0, 0)), 0);
    }

    void SetCurrentDialogSelectsItsItemOnly() {
        panel_->Reload();
        host_.Clear();
        panel_->SetCurrentDialog(second_);
        QCOMPARE(panel_->GetCurrentDialog(), second_);
        QCOMPARE(panel_->GetCurrentElement(), second_);
        QCOMPARE(panel_->GetShownElement(), second_);
        QCOMPARE(panel_->TreeView().currentIndex(), panel_->TreeModel().IndexOf(second_));
        QVERIFY(host_.calls.empty());
        // The same dialog again changes nothing, not even the current item.
        panel_->SelectByUser(&Element(*second_, "other"));
        host_.Clear();
        panel_->SetCurrentDialog(second_);
        QCOMPARE(panel_->GetCurrentElement(), &Element(*second_, "other"));
    }

    void PickingADialogActivatesItsWindow() {
        panel_->Reload();
        Select(*project_, &Element(*second_, "other"));
        host_.Clear();
        panel_->SelectByUser(second_);
        QCOMPARE(panel_->GetCurrentDialog(), second_);
        QCOMPARE(panel_->GetCurrentElement(), second_);
        QCOMPARE(panel_->GetShownElement(), second_);
        QVERIFY(SelectedNames(*second_->GetRootGroup()).isEmpty());
        QCOMPARE(host_.calls, (std::vector<std::string>{"activate:Second"}));
    }

    void PickingWithoutControlSelectsOnlyThatElement() {
        panel_->Reload();
        Select(*project_, &Element(*second_, "other"));
        Select(*project_, &Element(*main_, "toggle"));
        SelectAlso(*project_, &Element(*main_, "page0"));
        host_.Clear();
        panel_->SelectByUser(&Element(*main_, "title"));
        QCOMPARE(SelectedNames(*main_->GetRootGroup()), QStringList{"title"});
        // One selection per project: another dialog keeps no marks.
        QCOMPARE(SelectedNames(*second_->GetRootGroup()), QStringList{});
        QCOMPARE(panel_->GetCurrentElement(), &Element(*main_, "title"));
        QCOMPARE(panel_->GetShownElement(), &Element(*main_, "title"));
        QCOMPARE(host_.calls, (std::vector<std::string>{"activate:Main"}));
    }

    void ClickingTheCurrentDialogOpensItsWindow() {
        panel_->Reload();
        panel_->resize(300, 600);
        panel_->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel_.get()));
        host_.Clear();
        // Current since the reload, without a window.
        const QRect rect = panel_->TreeView().visualRect(panel_->TreeModel().IndexOf(main_));
        QTest::mouseClick(panel_->TreeView().viewport(), Qt::LeftButton, Qt::NoModifier,
                          rect.center());
        QCOMPARE(host_.Count("activate:Main"), 1);
    }

    void PickingMovesTheCurrentDialog() {
        panel_->Reload();
        panel_->SelectByUser(&Element(*second_, "other"));
        QCOMPARE(panel_->GetCurrentDialog(), second_);
        QCOMPARE(host_.activated.back(), second_);
    }

    void PickingAGroupSelectsItsSubtree() {
        panel_->Reload();
        panel_->SelectByUser(&Element(*main_, "page1"));
        QCOMPARE(SelectedNames(*main_->GetRootGroup()), (QStringList{"page1", "p1button"}));
    }

    void ControlAddsToTheSelection() {
        panel_->Reload();
        panel_->SelectByUser(&Element(*main_, "grid"));
        panel_->SelectByUser(&Element(*main_, "p0text"), true);
        QCOMPARE(SelectedNames(*main_->GetRootGroup()), (QStringList{"grid", "p0text"}));
        QCOMPARE(panel_->GetCurrentElement(), &Element(*main_, "p0text"));
    }

    void ControlOnASelectedElementTogglesItOff_data() {
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("current");
        // The one picked last of those left, whatever the tree order.
        QTest::newRow("last left after") << QStringList{"grid", "title", "p1button"} << "title"
                                         << "p1button";
        QTest::newRow("last left before") << QStringList{"p0text", "title", "toggle"} << "toggle"
                                          << "title";
        QTest::newRow("a selected group counts") << QStringList{"title", "page1"} << "title"
                                                 << "page1";
        QTest::newRow("none left: the dialog") << QStringList{"title"} << "title"
                                               << "";
    }
    void ControlOnASelectedElementTogglesItOff() {
        QFETCH(QStringList, selected);
        QFETCH(QString, picked);
        QFETCH(QString, current);
        panel_->Reload();
        Select(*project_, &Element(*main_, selected.front().toStdString()));
        for (const QString& name : selected) {
            SelectAlso(*project_, &Element(*main_, name.toStdString()));
        }
        host_.Clear();
        CObjectData& pickedElement = Element(*main_, picked.toStdString());
        panel_->SelectByUser(&pickedElement, true);
        QVERIFY(!pickedElement.IsSelected());
        ZeClass* expected = current.isEmpty() ? static_cast<ZeClass*>(main_)
                                              : &Element(*main_, current.toStdString());
        QCOMPARE(panel_->GetCurrentElement(), expected);
        QCOMPARE(panel_->TreeView().currentIndex(), panel_->TreeModel().IndexOf(expected));
        // The property list shows the current element.
        QCOMPARE(panel_->GetShownElement(), expected);
        QCOMPARE(panel_->GetCurrentDialog(), main_);
        QCOMPARE(host_.calls, (std::vector<std::string>{"activate:Main"}));
    }

    void PickingAPageSwitchesThePage_data() {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<int>("page");
        QTest::newRow("second page") << "page1" << 1;
        QTest::newRow("first page") << "page0" << 0;
        QTest::newRow("an object on a page does not switch") << "p1button" << 7;
        QTest::newRow("the PAGE group itself does not switch") << "pages" << 7;
    }
    void PickingAPageSwitchesThePage() {
        QFETCH(QString, picked);
        QFETCH(int, page);
        panel_->Reload();
        main_->SetCurrentPage(7);
        panel_->SelectByUser(&Element(*main_, picked.toStdString()));
        QCOMPARE(main_->GetCurrentPage(), page);
    }

    void HeaderColumnsAndCommandsPickTheirOwner_data() {
        QTest::addColumn<QString>("owner");
        QTest::addColumn<int>("row");
        QTest::newRow("header column") << "grid" << 0;
        QTest::newRow("second header column") << "grid" << 1;
        QTest::newRow("object command") << "grid" << 3;
        QTest::newRow("group command") << "page1" << 0;
    }
    void HeaderColumnsAndCommandsPickTheirOwner() {
        QFETCH(QString, owner);
        QFETCH(int, row);
        panel_->Reload();
        Select(*project_, &Element(*main_, "toggle"));
        CObjectData& ownerElement = Element(*main_, owner.toStdString());
        ResourceTreeModel& model = panel_->TreeModel();
        const QModelIndex item = model.index(row, 0, model.IndexOf(&ownerElement));
        ZeClass* picked = model.ElementAt(item);
        QVERIFY(picked != nullptr);
        host_.Clear();
        panel_->SelectByUser(picked);
        QVERIFY(ownerElement.IsSelected());
        QVERIFY(!Element(*main_, "toggle").IsSelected());
        // The picked item stays current and shown.
        QCOMPARE(panel_->GetCurrentElement(), picked);
        QCOMPARE(panel_->GetShownElement(), picked);
        QCOMPARE(host_.calls, (std::vector<std::string>{"activate:Main"}));
        if (owner == "page1") {
            QCOMPARE(main_->GetCurrentPage(), 1);
        }
    }

    void ADialogCommandIsPickedAloneAndMarksNoObject() {
        panel_->Reload();
        Select(*project_, &Element(*main_, "toggle"));
        panel_->SetCurrentDialog(second_);
        host_.Clear();
        panel_->SelectByUser(main_->GetCommands()[0]);
        QCOMPARE(panel_->GetCurrentElement(), main_->GetCommands()[0]);
        QCOMPARE(panel_->GetCurrentDialog(), main_);
        QCOMPARE(SelectedNames(*main_->GetRootGroup()), QStringList{});
        QCOMPARE(host_.calls, (std::vector<std::string>{"activate:Main"}));
    }

    void DeeplyNestedElementsFindTheirDialog() {
        // Twenty groups deep, more than the walk up once allowed.
        std::string text = "{'Command':'DIALOG','Name':'Deep','Object':";
        for (int i = 0; i < 20; ++i) {
            text += "{'Name':'g" + std::to_string(i) + "','Layout':'FRAME','Objects':[";
        }
        text += "{'Name':'leaf','Type':'TEXT'}";
        for (int i = 0; i < 20; ++i) {
            text += "]}";
        }
        text += "}";
        QVERIFY(project_->LoadText(text));
        panel_->Reload();
        CZeDialogData& deep = Dialog(*project_, "Deep");
        host_.Clear();
        panel_->SelectByUser(&Element(deep, "leaf"));
        QVERIFY(Element(deep, "leaf").IsSelected());
        QCOMPARE(panel_->GetCurrentDialog(), &deep);
        QCOMPARE(host_.calls, (std::vector<std::string>{"activate:Deep"}));
    }

    // A pick made elsewhere (a preview, a finding, undo): the tree and the
    // property list follow, and no window is activated.
    void FollowsPicksMadeElsewhere_data() {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QStringList>("selected");
        QTest::newRow("an object") << "title" << QStringList{"title"};
        QTest::newRow("the dialog itself: nothing picked in it") << "dialog" << QStringList{};
    }
    void FollowsPicksMadeElsewhere() {
        QFETCH(QString, element);
        QFETCH(QStringList, selected);
        panel_->Reload();
        panel_->SetCurrentDialog(second_);
        Select(*project_, &Element(*main_, "toggle"));
        host_.Clear();
        ZeClass* target = element == "dialog" ? static_cast<ZeClass*>(main_)
                                              : &Element(*main_, element.toStdString());
        Select(*project_, target);
        QCOMPARE(panel_->GetCurrentElement(), target);
        QCOMPARE(panel_->GetShownElement(), target);
        QCOMPARE(panel_->TreeView().currentIndex(), panel_->TreeModel().IndexOf(target));
        QVERIFY(host_.calls.empty());
        QCOMPARE(SelectedNames(*main_->GetRootGroup()), selected);
    }

    void ClicksInTheViewRunTheHandling() {
        panel_->Reload();
        panel_->resize(300, 600);
        panel_->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel_.get()));
        QTreeView& view = panel_->TreeView();
        ResourceTreeModel& model = panel_->TreeModel();
        view.expandAll();
        auto click = [&](ZeClass* element, Qt::KeyboardModifiers modifiers) {
            const QRect rect = view.visualRect(model.IndexOf(element));
            QVERIFY(rect.isValid());
            QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers,
                              QPoint(rect.left() + 4, rect.center().y()));
        };
        host_.Clear();
        click(&Element(*main_, "grid"), Qt::NoModifier);
        click(&Element(*main_, "title"), Qt::ControlModifier);
        QCOMPARE(SelectedNames(*main_->GetRootGroup()), (QStringList{"grid", "title"}));
        QCOMPARE(panel_->GetCurrentElement(), &Element(*main_, "title"));
        click(second_, Qt::NoModifier);
        QCOMPARE(panel_->GetCurrentDialog(), second_);
        QCOMPARE(host_.Count("activate:Main"), 2);
        QCOMPARE(host_.Count("activate:Second"), 1);
        // Moving with the keyboard picks too.
        QTest::keyClick(&view, Qt::Key_Down);
        QCOMPARE(panel_->GetCurrentElement(), second_->GetRootGroup());
        QVERIFY(second_->GetRootGroup()->IsSelected());
        // Shift takes the siblings between; Ctrl on the current one drops it.
        click(&Element(*main_, "title"), Qt::NoModifier);
        click(&Element(*main_, "grid"), Qt::ShiftModifier);
        QCOMPARE(SelectedNames(*main_->GetRootGroup()), (QStringList{"grid", "toggle", "title"}));
        QCOMPARE(panel_->GetCurrentElement(), &Element(*main_, "grid"));
        click(&Element(*main_, "grid"), Qt::ControlModifier);
        QCOMPARE(SelectedNames(*main_->GetRootGroup()), (QStringList{"toggle", "title"}));
        QCOMPARE(panel_->GetCurrentElement(), &Element(*main_, "toggle"));
        // Ctrl+A: the children of the current element's group.
        QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
        const auto* parent = static_cast<CObjectData&>(Element(*main_, "title")).GetParent();
        QCOMPARE(project_->GetSelection().Elements().size(), parent->GetChildren().size());
    }

private:
    RecordingHost host_;
    RecordingMessages messages_;
    std::unique_ptr<CZeResourceData> project_;
    std::unique_ptr<CResourceDlg> panel_;
    CZeDialogData* main_ = nullptr;
    CZeDialogData* second_ = nullptr;
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::SelectionTest)
#include "selection_test.moc"
