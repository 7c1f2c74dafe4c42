// Inserting new groups and objects by type name, and the pane's requests that
// lead to an insert, a paste or an image.

#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>

#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/editing/selection.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/resource_dlg.h"
#include "panels/resource_tree_model.h"
#include "panels/support/panel_fixture.h"
#include "panels/support/sample_project.h"
#include "panels/support/tree_snapshot.h"

namespace ze::panels::test {

namespace {

// The labels (or the names) of group's children, in order.
QStringList Children(const CObjectDataList& group, bool labels = true) {
    QStringList texts;
    for (const CObjectData* child : group.GetChildren()) {
        texts << QString::fromStdString(
            Cp932ToUtf8(labels ? child->GetTreeLabel() : child->GetItem("Name")));
    }
    return texts;
}

const char* const kPickAPlace =
    "登録する場所を決定するために、ツリーのダイアログ、\nまたはオブジェクトを選択して下さい。";

}  // namespace

class TreeInsertTest : public PanelTest {
    Q_OBJECT

    CObjectDataList& Group(const char* name) {
        return static_cast<CObjectDataList&>(Element(*main_, name));
    }

private slots:
    void init() { QVERIFY(StartPanel()); }
    void cleanup() { StopPanel(); }

    void InsertsWhereTheCurrentItemSays_data() {
        QTest::addColumn<QStringList>("where");  // current ("" the dialog), type name, group
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("at");  // the new child's place in the group
        QTest::addColumn<QString>("label");
        const auto row = [](const char* name, const QStringList& where, int mode, int at,
                            const char* label) {
            QTest::newRow(name) << where << mode << at << label;
        };
        row("object, after", {"title", "BUTTON", "root"}, 0, 3, "Object:BUTTON(Button1)");
        row("object, first child forced after", {"title", "button", "root"}, 1, 3,
            "Object:BUTTON(Button1)");
        row("object, last child forced after", {"title", "Button", "root"}, 2, 3,
            "Object:BUTTON(Button1)");
        row("group, after", {"page0", "frame", "pages"}, 0, 1, "Group:FRAME(Frame1)");
        row("group, first child", {"page1", "TEXT", "page1"}, 1, 0, "Object:TEXT(Text1)");
        row("group, last child", {"page1", "linear", "page1"}, 2, 1, "Group:LINEAR(Linear1)");
        row("root group, after appends", {"root", "EDIT", "root"}, 0, 4, "Object:EDIT(Edit1)");
        row("dialog, first child", {"", "radio", "root"}, 1, 0, "Group:RADIO(Radio1)");
    }
    void InsertsWhereTheCurrentItemSays() {
        QFETCH(QStringList, where);
        QFETCH(int, mode);
        QFETCH(int, at);
        QFETCH(QString, label);
        const QString current = where[0];
        CObjectDataList& group = Group(where[2].toUtf8().constData());
        QStringList children = Children(group);
        children.insert(at, label);
        panel_->SelectByUser(current.isEmpty() ? static_cast<ZeClass*>(main_)
                                               : &Element(*main_, current.toStdString()));
        Element(*main_, "toggle").SetSelected(true);
        host_.Clear();

        panel_->InsertByName(where[1].toStdString(), static_cast<PasteMode>(mode));

        QCOMPARE(Children(group), children);
        auto* inserted = static_cast<CObjectData*>(panel_->GetCurrentElement());
        QCOMPARE(inserted->GetParent(), &group);
        QCOMPARE(QString::fromStdString(inserted->GetTreeLabel()), label);
        QCOMPARE(inserted->GetStore(), &main_->GetElementStore());
        QCOMPARE(panel_->GetShownElement(), inserted);
        // Only the new element is selected (a group counts no selection).
        QCOMPARE(main_->GetRootGroup()->FindSelected(), inserted);
        QCOMPARE(main_->GetRootGroup()->CountSelected(), inserted->IsGroup() ? 0 : 1);
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QVERIFY(group.IsExpanded());
        QVERIFY(panel_->TreeView().isExpanded(panel_->TreeModel().IndexOf(&group)));
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), std::size_t{2});
        QCOMPARE(host_.Count("history"), 1);
        QVERIFY(messages_.messages.empty());
    }

    void NewGridsRadioButtonsAndRootGroups() {
        panel_->SelectByUser(&Element(*main_, "title"));
        panel_->InsertByName("grid", PasteMode::kAfter);
        auto* grid = static_cast<CObjectData*>(panel_->GetCurrentElement());
        QCOMPARE(grid->GetItem("Type"), std::string("GRID"));
        QCOMPARE(grid->GetItem("Columns"), std::string("1"));
        QCOMPARE(grid->GetHeaders().size(), std::size_t{1});
        QCOMPARE(grid->GetHeaders()[0]->GetStore(), &main_->GetElementStore());
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QVERIFY(TreeLabels(panel_->TreeModel()).contains("...Object:GRID(Grid1)"));

        panel_->InsertByName("RADIO", PasteMode::kAfter);
        auto* radio = static_cast<CObjectDataList*>(panel_->GetCurrentElement());
        panel_->InsertByName("RadioBtn", PasteMode::kFirstChild);
        QCOMPARE(Children(*radio), QStringList{"Object:RADIOBTN(Radiobtn1)"});
        QVERIFY(messages_.messages.empty());

        CZeDialogData& bare = Dialog(*project_, "Bare");
        panel_->SelectByUser(&bare);
        panel_->InsertByName("Table", PasteMode::kAfter);
        CObjectDataList* root = bare.GetRootGroup();
        QVERIFY(root != nullptr);
        QCOMPARE(root->GetParent(), nullptr);
        QCOMPARE(root->GetStore(), &bare.GetElementStore());
        QCOMPARE(panel_->GetCurrentElement(), root);
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QCOMPARE(TreeLabels(panel_->TreeModel()).last(), QString("..Group:TABLE(Table1)"));
        QCOMPARE(bare.GetUndoBuffer().GetRecordCount(), std::size_t{2});
    }

    void RefusedInsertsChangeNothing_data() {
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("typeName");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("message");
        QTest::newRow("object into a dialog without root")
            << 0 << "TEXT" << 0 << "GROUPオブジェクトを登録して下さい。";
        QTest::newRow("onto a header column") << 1 << "TEXT" << 0 << kPickAPlace;
        QTest::newRow("onto a command") << 2 << "FRAME" << 0 << kPickAPlace;
        QTest::newRow("onto the project root") << 3 << "FRAME" << 0 << kPickAPlace;
        QTest::newRow("without a current item")
            << 4 << "TEXT" << 0
            << "登録する場所を決定するために、ツリーのオブジェクトを選択して下さい。";
        QTest::newRow("a name of no type") << 5 << "BUTTONS" << 0 << "";
        QTest::newRow("the heading of the type table") << 5 << "新規Object" << 0 << "";
        const char* const radio = "ラジオボタンはラジオグループに追加して下さい。";
        QTest::newRow("RADIOBTN into LINEAR") << 5 << "RadioBtn" << 0 << radio;
        QTest::newRow("RADIOBTN into FRAME") << 6 << "RADIOBTN" << 1 << radio;
    }
    void RefusedInsertsChangeNothing() {
        QFETCH(int, current);
        QFETCH(QString, typeName);
        QFETCH(int, mode);
        QFETCH(QString, message);
        CZeDialogData& bare = Dialog(*project_, "Bare");
        ZeClass* picks[] = {&bare,
                            Element(*main_, "grid").GetHeaders()[1],
                            main_->GetCommands()[1],
                            project_.get(),
                            nullptr,
                            &Element(*main_, "title"),
                            &Element(*main_, "page0")};
        if (picks[current] != nullptr) {
            panel_->SelectByUser(picks[current]);
        } else {
            Select(*project_, nullptr);  // nothing picked, no dialog current
        }
        const std::string text = ProjectText(*project_);
        const QStringList labels = TreeLabels(panel_->TreeModel());
        const std::size_t stored =
            bare.GetElementStore().Count() + main_->GetElementStore().Count();
        host_.Clear();

        panel_->InsertByName(Utf8ToCp932(typeName.toStdString()), static_cast<PasteMode>(mode));

        QCOMPARE(messages_.messages.size(), std::size_t{message.isEmpty() ? 0u : 1u});
        if (!message.isEmpty()) {
            QCOMPARE(QString::fromStdString(messages_.messages[0].text), message);
            // The radio button's refusal comes without an icon.
            QCOMPARE(messages_.messages[0].icon, typeName.startsWith("Radio", Qt::CaseInsensitive)
                                                     ? MessageIcon::kNone
                                                     : MessageIcon::kWarning);
        }
        QCOMPARE(ProjectText(*project_), text);
        QCOMPARE(TreeLabels(panel_->TreeModel()), labels);
        QCOMPARE(bare.GetElementStore().Count() + main_->GetElementStore().Count(), stored);
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), std::size_t{1});
        QVERIFY(host_.calls.empty());
        QVERIFY(current != 6 || static_cast<CObjectData*>(picks[current])->IsSelected());
    }

    void ThePaneAsksForInsertsPastesAndImages_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("mode");  // -1: a double click
        QTest::addColumn<QString>("added");
        QTest::addColumn<int>("images");
        QTest::newRow("type list, first child") << 0 << "CHECKBOX" << 1 << "0:Checkbox1" << 0;
        QTest::newRow("type list, last child") << 0 << "CHECKBOX" << 2 << "1:Checkbox1" << 0;
        QTest::newRow("clipboard sample, first child") << 3 << "Clipboard" << 1 << "0:pasted" << 0;
        QTest::newRow("clipboard sample, last child") << 3 << "Clipboard" << 2 << "1:pasted" << 0;
        QTest::newRow("another sample") << 3 << "Other" << 2 << "" << 0;
        QTest::newRow("built-in image") << 1 << "btn.png" << 2 << "" << 0;
        QTest::newRow("user image") << 2 << "CHECKBOX" << 2 << "" << 0;
        QTest::newRow("nothing selected") << -1 << "" << 2 << "" << 0;
        // A double click works on the current element, the toggle: new
        // elements go after it, before the title.
        QTest::newRow("double click, type list") << 0 << "slidebar" << -1 << "2:Slidebar1" << 0;
        QTest::newRow("double click, clipboard sample")
            << 3 << "Clipboard" << -1 << "2:pasted" << 0;
        QTest::newRow("double click, built-in image") << 1 << "btn[1-2].png" << -1 << "" << 1;
        QTest::newRow("double click, user image") << 2 << "photo.jpg" << -1 << "" << 1;
        QTest::newRow("double click, another sample") << 3 << "Sample" << -1 << "" << 0;
    }
    void ThePaneAsksForInsertsPastesAndImages() {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(int, mode);
        QFETCH(QString, added);
        QFETCH(int, images);
        // Buttons work on page1's children, a double click after the toggle.
        CObjectDataList& target = Group(mode < 0 ? "root" : "page1");
        panel_->SelectByUser(mode < 0 ? &Element(*main_, "toggle") : &target);
        QStringList expected = Children(target, false);
        if (kind >= 0) {
            host_.paneEntry = PaneSelection{static_cast<PaneEntryKind>(kind), name.toStdString()};
        }
        SetClipboardText("{'Name':'pasted','Type':'TEXT'}");
        QSignalSpy chosen(panel_.get(), &CResourceDlg::ImageChosen);

        if (mode < 0) {
            panel_->OnPaneEntryChosen(static_cast<PaneEntryKind>(kind), name.toStdString());
        } else {
            panel_->InsertFromPane(static_cast<PasteMode>(mode));
        }

        if (!added.isEmpty()) {
            expected.insert(added.section(':', 0, 0).toInt(), added.section(':', 1));
        }
        QCOMPARE(Children(target, false), expected);
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
