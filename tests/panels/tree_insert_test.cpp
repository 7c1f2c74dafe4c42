// Inserting new groups and objects by type name, and the pane's requests that
// lead to an insert, a paste or an image.

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>
#include <memory>

#include "common/cp932.h"
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

// The labels of group's children, in order.
QStringList ChildLabels(const CObjectDataList& group) {
    QStringList labels;
    for (const CObjectData* child : group.GetChildren()) {
        labels << QString::fromStdString(Cp932ToUtf8(child->GetTreeLabel()));
    }
    return labels;
}

}  // namespace

class TreeInsertTest : public PanelTest {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(StartPanel());
    }
    void cleanup() { StopPanel(); }

    void InsertsWhereTheCurrentItemSays_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("typeName");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("children");
        const QStringList afterTitle{"Object:GRID(grid)", "Object:TOGGLE(toggle)On",
                                     "Object:TEXT(title)ようこそ", "Object:BUTTON()",
                                     "Group:PAGE(pages)"};
        QTest::newRow("object, after") << "title" << 0 << "BUTTON"
                                       << "root" << afterTitle;
        QTest::newRow("object, first child forced after") << "title" << 1 << "button"
                                                          << "root" << afterTitle;
        QTest::newRow("object, last child forced after") << "title" << 2 << "Button"
                                                         << "root" << afterTitle;
        QTest::newRow("group, after")
            << "page0" << 0 << "frame"
            << "pages" << QStringList{"Group:FRAME(page0)", "Group:FRAME()", "Group:FRAME(page1)"};
        QTest::newRow("group, first child")
            << "page1" << 1 << "TEXT"
            << "page1" << QStringList{"Object:TEXT()", "Object:BUTTON(p1button)B"};
        QTest::newRow("group, last child")
            << "page1" << 2 << "linear"
            << "page1" << QStringList{"Object:BUTTON(p1button)B", "Group:LINEAR()"};
        QTest::newRow("root group, after appends")
            << "root" << 0 << "EDIT"
            << "root"
            << QStringList{"Object:GRID(grid)", "Object:TOGGLE(toggle)On",
                           "Object:TEXT(title)ようこそ", "Group:PAGE(pages)", "Object:EDIT()"};
        QTest::newRow("dialog, first child")
            << "" << 1 << "radio"
            << "root"
            << QStringList{"Group:RADIO()", "Object:GRID(grid)", "Object:TOGGLE(toggle)On",
                           "Object:TEXT(title)ようこそ", "Group:PAGE(pages)"};
    }
    void InsertsWhereTheCurrentItemSays() {
        QFETCH(QString, current);
        QFETCH(int, mode);
        QFETCH(QString, typeName);
        QFETCH(QString, target);
        QFETCH(QStringList, children);
        ZeClass* picked = current.isEmpty() ? static_cast<ZeClass*>(main_)
                                            : &Element(*main_, current.toStdString());
        panel_->SelectByUser(picked);
        Element(*main_, "toggle").SetSelected(true);
        host_.Clear();

        panel_->InsertByName(typeName.toStdString(), mode);

        auto& group = static_cast<CObjectDataList&>(Element(*main_, target.toStdString()));
        QCOMPARE(ChildLabels(group), children);
        CObjectData* inserted = nullptr;
        for (CObjectData* child : group.GetChildren()) {
            if (child->GetItem("Name").empty()) {
                inserted = child;
            }
        }
        QVERIFY(inserted != nullptr);
        QCOMPARE(inserted->GetParent(), &group);
        QCOMPARE(inserted->GetStore(), &main_->GetElementStore());
        QCOMPARE(panel_->GetCurrentElement(), inserted);
        QCOMPARE(panel_->GetShownElement(), inserted);
        QCOMPARE(main_->GetRootGroup()->FindSelected(), inserted);
        QCOMPARE(main_->GetRootGroup()->CountSelected(), inserted->IsGroup() ? 0 : 1);
        QVERIFY(inserted->IsSelected());
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QVERIFY(group.IsExpanded());
        QVERIFY(panel_->TreeView().isExpanded(panel_->TreeModel().IndexOf(&group)));
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), std::size_t{2});
        QCOMPARE(host_.Count("history"), 1);
        QVERIFY(messages_.messages.empty());
    }

    void ANewGridHasOneColumn() {
        panel_->SelectByUser(&Element(*main_, "title"));
        panel_->InsertByName("grid", 0);
        auto* grid = static_cast<CObjectData*>(panel_->GetCurrentElement());
        QVERIFY(grid != nullptr);
        QCOMPARE(grid->GetItem("Type"), std::string("GRID"));
        QCOMPARE(grid->GetItem("Columns"), std::string("1"));
        QCOMPARE(grid->GetHeaders().size(), std::size_t{1});
        QCOMPARE(grid->GetHeaders()[0]->GetKind(), element_kind::kHeaderColumn);
        QCOMPARE(grid->GetHeaders()[0]->GetStore(), &main_->GetElementStore());
        ResourceTreeModel& model = panel_->TreeModel();
        const QModelIndex index = model.IndexOf(grid);
        QCOMPARE(model.rowCount(index), 1);
        QCOMPARE(model.LabelAt(model.index(0, 0, index)), QString("Header:Cullum1"));
    }

    void RadioButtonsOnlyIntoRadioGroups_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("RADIO") << "RADIO" << true;
        QTest::newRow("LINEAR") << "LINEAR" << false;
        QTest::newRow("FRAME") << "FRAME" << false;
    }
    void RadioButtonsOnlyIntoRadioGroups() {
        QFETCH(QString, layout);
        QFETCH(bool, accepted);
        panel_->SelectByUser(&Element(*main_, "page1"));
        panel_->InsertByName(layout.toStdString(), 2);
        auto* group = static_cast<CObjectDataList*>(panel_->GetCurrentElement());
        QCOMPARE(group->GetItem("Layout"), layout.toStdString());
        const std::string text = ProjectText(*project_);
        const QStringList labels = TreeLabels(panel_->TreeModel());
        const std::size_t records = main_->GetUndoBuffer().GetRecordCount();
        const std::size_t stored = main_->GetElementStore().Count();
        host_.Clear();

        panel_->InsertByName("RadioBtn", 1);

        if (accepted) {
            QCOMPARE(group->GetChildren().size(), std::size_t{1});
            QCOMPARE(group->GetChildren()[0]->GetItem("Type"), std::string("RADIOBTN"));
            QVERIFY(messages_.messages.empty());
            QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        } else {
            QCOMPARE(messages_.messages.size(), std::size_t{1});
            QCOMPARE(messages_.messages[0].text,
                     std::string("ラジオボタンはラジオグループに追加して下さい。"));
            QCOMPARE(messages_.messages[0].icon, MessageIcon::kNone);
            QCOMPARE(ProjectText(*project_), text);
            QCOMPARE(TreeLabels(panel_->TreeModel()), labels);
            QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), records);
            QCOMPARE(main_->GetElementStore().Count(), stored);
            QCOMPARE(host_.Count("history"), 0);
            // The group keeps its selection.
            QVERIFY(group->IsSelected());
        }
    }

    void AGroupIntoADialogWithoutRootBecomesTheRoot() {
        CZeDialogData& bare = Dialog(*project_, "Bare");
        panel_->SelectByUser(&bare);
        panel_->InsertByName("Table", 0);
        CObjectDataList* root = bare.GetRootGroup();
        QVERIFY(root != nullptr);
        QCOMPARE(root->GetItem("Layout"), std::string("TABLE"));
        QCOMPARE(root->GetParent(), nullptr);
        QCOMPARE(root->GetStore(), &bare.GetElementStore());
        QCOMPARE(panel_->GetCurrentElement(), root);
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QCOMPARE(TreeLabels(panel_->TreeModel()).last(), QString("..Group:TABLE()"));
        QCOMPARE(bare.GetUndoBuffer().GetRecordCount(), std::size_t{2});
    }

    void RefusedInsertsChangeNothing_data() {
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("typeName");
        QTest::addColumn<QString>("message");
        QTest::newRow("object into a dialog without root") << 0 << "TEXT"
                                                           << "GROUPオブジェクトを登録して下さい。";
        QTest::newRow("onto a header column") << 1 << "TEXT"
                                              << "登録する場所を決定するために、ツリーのダイアログ"
                                                 "、\nまたはオブジェクトを選択して下さい。";
        QTest::newRow("onto a command") << 2 << "FRAME"
                                        << "登録する場所を決定するために、ツリーのダイアログ、\nま"
                                           "たはオブジェクトを選択して下さい。";
        QTest::newRow("onto the project root") << 3 << "FRAME"
                                               << "登録する場所を決定するために、ツリーのダイアログ"
                                                  "、\nまたはオブジェクトを選択して下さい。";
        QTest::newRow("without a current item")
            << 4 << "TEXT"
            << "登録する場所を決定するために、ツリーのオブジェクトを選択して下さい。";
        QTest::newRow("a name of no type") << 5 << "BUTTONS"
                                           << "";
        QTest::newRow("the heading of the type table") << 5 << "新規Object"
                                                       << "";
    }
    void RefusedInsertsChangeNothing() {
        QFETCH(int, current);
        QFETCH(QString, typeName);
        QFETCH(QString, message);
        CZeDialogData& bare = Dialog(*project_, "Bare");
        ZeClass* picks[] = {&bare,
                            Element(*main_, "grid").GetHeaders()[1],
                            main_->GetCommands()[1],
                            project_.get(),
                            nullptr,
                            &Element(*main_, "title")};
        if (picks[current] != nullptr) {
            panel_->SelectByUser(picks[current]);
        } else {
            panel_->TreeModel().SetCurrent({});
        }
        const std::string text = ProjectText(*project_);
        const QStringList labels = TreeLabels(panel_->TreeModel());
        const std::size_t stored =
            bare.GetElementStore().Count() + main_->GetElementStore().Count();
        host_.Clear();

        panel_->InsertByName(Utf8ToCp932(typeName.toStdString()), 0);

        if (message.isEmpty()) {
            QVERIFY(messages_.messages.empty());
        } else {
            QCOMPARE(messages_.messages.size(), std::size_t{1});
            QCOMPARE(QString::fromStdString(messages_.messages[0].text), message);
            QCOMPARE(messages_.messages[0].icon, MessageIcon::kWarning);
        }
        QCOMPARE(ProjectText(*project_), text);
        QCOMPARE(TreeLabels(panel_->TreeModel()), labels);
        QCOMPARE(bare.GetElementStore().Count() + main_->GetElementStore().Count(), stored);
        QVERIFY(host_.calls.empty());
    }

    void UndoAfterAnInsertRestoresTheText() {
        panel_->SelectByUser(&Element(*main_, "page0"));
        const std::string before = DialogText(*main_);
        panel_->InsertByName("GRID", 1);
        const std::string after = DialogText(*main_);
        QVERIFY(after != before);
        main_->GetUndoBuffer().Undo();
        QCOMPARE(DialogText(*main_), before);
        main_->GetUndoBuffer().Redo();
        QCOMPARE(DialogText(*main_), after);
    }

    void InsertButtonsAskThePane_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("children");
        const QStringList unchanged{"p1button"};
        QTest::newRow("type list, first child")
            << 0 << "CHECKBOX" << 1 << QStringList{"", "p1button"};
        QTest::newRow("type list, last child")
            << 0 << "CHECKBOX" << 2 << QStringList{"p1button", ""};
        QTest::newRow("clipboard sample, first child")
            << 3 << "Clipboard" << 1 << QStringList{"pasted", "p1button"};
        QTest::newRow("clipboard sample, last child")
            << 3 << "Clipboard" << 2 << QStringList{"p1button", "pasted"};
        QTest::newRow("another sample") << 3 << "Other" << 2 << unchanged;
        QTest::newRow("built-in image") << 1 << "btn.png" << 2 << unchanged;
        QTest::newRow("user image") << 2 << "CHECKBOX" << 2 << unchanged;
        QTest::newRow("nothing selected") << -1 << "" << 2 << unchanged;
    }
    void InsertButtonsAskThePane() {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(int, mode);
        QFETCH(QStringList, children);
        if (kind >= 0) {
            host_.paneEntry = PaneSelection{kind, name.toStdString()};
        }
        SetClipboardText("{'Name':'pasted','Type':'TEXT'}");
        auto& page1 = static_cast<CObjectDataList&>(Element(*main_, "page1"));
        panel_->SelectByUser(&page1);
        QSignalSpy images(panel_.get(), &CResourceDlg::ImageChosen);

        panel_->InsertFromPane(mode);

        QStringList names;
        for (const CObjectData* child : page1.GetChildren()) {
            names << QString::fromStdString(child->GetItem("Name"));
        }
        QCOMPARE(names, children);
        QCOMPARE(images.count(), 0);
    }

    void DoubleClicksInThePane_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("children");
        QTest::addColumn<int>("images");
        QTest::newRow("type list inserts after")
            << 0 << "slidebar" << QStringList{"p0text", "", "B"} << 0;
        QTest::newRow("clipboard sample pastes after")
            << 3 << "Clipboard" << QStringList{"p0text", "pasted", "B"} << 0;
        QTest::newRow("built-in image") << 1 << "btn[1-2].png" << QStringList{"p0text", "B"} << 1;
        QTest::newRow("user image") << 2 << "photo.jpg" << QStringList{"p0text", "B"} << 1;
        QTest::newRow("another sample") << 3 << "Sample" << QStringList{"p0text", "B"} << 0;
    }
    void DoubleClicksInThePane() {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(QStringList, children);
        QFETCH(int, images);
        auto& page0 = static_cast<CObjectDataList&>(Element(*main_, "page0"));
        // The button stands after the text; new elements go between.
        CObjectData& button = Element(*main_, "p1button");
        static_cast<CObjectDataList&>(Element(*main_, "page1")).Remove(&button, false);
        page0.InsertAfter(&button, nullptr);
        button.SetItem("Name", "B");
        panel_->Reload();
        panel_->SelectByUser(&Element(*main_, "p0text"));
        SetClipboardText("{'Name':'pasted','Type':'TEXT'}");
        QSignalSpy chosen(panel_.get(), &CResourceDlg::ImageChosen);

        panel_->OnPaneEntryChosen(kind, name.toStdString());

        QStringList names;
        for (const CObjectData* child : page0.GetChildren()) {
            names << QString::fromStdString(child->GetItem("Name"));
        }
        QCOMPARE(names, children);
        QCOMPARE(chosen.count(), images);
        if (images == 1) {
            QCOMPARE(chosen[0][0].toInt(), kind);
            QCOMPARE(chosen[0][1].toByteArray(), name.toUtf8());
        }
    }
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::TreeInsertTest)
#include "tree_insert_test.moc"
