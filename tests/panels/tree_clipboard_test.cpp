// Copy, delete (cut) and paste through the clipboard: the texts, where pasted
// elements go, the messages of refused pastes, deleted dialogs and their
// windows, and the history steps.

#include <algorithm>
#include <QAbstractItemModelTester>
#include <QTreeView>
#include <QtTest>
#include <memory>

#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/json_parser.h"
#include "model/mo_stream.h"
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

std::string ElementText(const CObjectData& element) {
    CJsonString text;
    element.WriteText(text, 0);
    return ResourceTextToUtf8(text.GetText());
}

QStringList ChildNames(const CObjectDataList& group) {
    QStringList names;
    for (const CObjectData* child : group.GetChildren()) {
        names << QString::fromStdString(Cp932ToUtf8(child->GetItem("Name")));
    }
    return names;
}

const char* const kPastedObject = "{'Name':'pasted','Type':'BUTTON','Text':'押す'}";
const char* const kPastedGroup =
    "{'Name':'box','Layout':'FRAME','Objects':[{'Name':'inner','Type':'TEXT'}]}";

}  // namespace

class TreeClipboardTest : public PanelTest {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(StartPanel());
        SetClipboardText("before");
    }
    void cleanup() { StopPanel(); }

    void CopyPutsTheTextOnTheClipboard_data() {
        QTest::addColumn<QString>("element");
        QTest::newRow("object with Japanese text") << "title";
        QTest::newRow("object with header columns and commands") << "grid";
        QTest::newRow("group with its subtree") << "pages";
        QTest::newRow("root group") << "root";
    }
    void CopyPutsTheTextOnTheClipboard() {
        QFETCH(QString, element);
        CObjectData& copied = Element(*main_, element.toStdString());
        panel_->SelectByUser(&copied);
        QVERIFY(panel_->CopyCurrent());
        QCOMPARE(ClipboardText().toStdString(), ElementText(copied));
        QVERIFY(messages_.messages.empty());
    }

    void CopyOfADialogIsItsMessage() {
        panel_->SelectByUser(main_);
        QVERIFY(panel_->CopyCurrent());
        CJsonString text;
        main_->WriteDialogMessage(text, 0);
        QCOMPARE(ClipboardText().toStdString(), ResourceTextToUtf8(text.GetText()));
        QVERIFY(ClipboardText().startsWith("{'Command':'DIALOG','Name':'Main'"));
    }

    void CopyOfOtherKindsLeavesTheClipboard_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("project root") << 0;
        QTest::newRow("header column") << 1;
        QTest::newRow("command") << 2;
        QTest::newRow("dialog without root group") << 3;
    }
    void CopyOfOtherKindsLeavesTheClipboard() {
        QFETCH(int, which);
        ZeClass* picks[] = {project_.get(), Element(*main_, "grid").GetHeaders()[0],
                            main_->GetCommands()[0], &Dialog(*project_, "Bare")};
        panel_->SelectByUser(picks[which]);
        QVERIFY(!panel_->CopyCurrent());
        QCOMPARE(ClipboardText(), QString("before"));
        QVERIFY(messages_.messages.empty());
    }

    void CopyWithoutCurrentItemTellsTheUser() {
        panel_->Discard();
        QVERIFY(!panel_->CopyCurrent());
        QCOMPARE(messages_.messages.size(), std::size_t{1});
        QCOMPARE(messages_.messages[0].text,
                 std::string("ツリーからコピーするオブジェクトを選択して下さい。"));
        QCOMPARE(messages_.messages[0].icon, MessageIcon::kWarning);
        // Deleting then does nothing, and says nothing more.
        panel_->DeleteCurrent();
        QCOMPARE(messages_.messages.size(), std::size_t{1});
    }

    void DeletingAnObjectCutsIt() {
        CObjectData& title = Element(*main_, "title");
        const std::string cut = ElementText(title);
        const std::string before = DialogText(*main_);
        panel_->SelectByUser(&title);
        host_.Clear();
        panel_->DeleteCurrent();
        QCOMPARE(ClipboardText().toStdString(), cut);
        QCOMPARE(ChildNames(*main_->GetRootGroup()), (QStringList{"grid", "toggle", "pages"}));
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QCOMPARE(panel_->GetCurrentElement(), main_->GetRootGroup());
        QCOMPARE(panel_->GetShownElement(), main_->GetRootGroup());
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), std::size_t{2});
        QCOMPARE(host_.Count("history"), 1);
        // The step brings the object back.
        const std::string after = DialogText(*main_);
        main_->GetUndoBuffer().Undo();
        QCOMPARE(DialogText(*main_), before);
        main_->GetUndoBuffer().Redo();
        QCOMPARE(DialogText(*main_), after);
    }

    void DeletingAHeaderColumnRenumbersTheRest() {
        CObjectData& grid = Element(*main_, "grid");
        ZeClass* second = grid.GetHeaders()[1];
        panel_->SelectByUser(grid.GetHeaders()[0]);
        panel_->DeleteCurrent();
        QCOMPARE(grid.GetHeaders().size(), std::size_t{1});
        QCOMPARE(grid.GetHeaders()[0], second);
        const QModelIndex gridIndex = panel_->TreeModel().IndexOf(&grid);
        QCOMPARE(panel_->TreeModel().LabelAt(panel_->TreeModel().index(0, 0, gridIndex)),
                 QString("Header:Cullum1"));
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QCOMPARE(panel_->GetCurrentElement(), &grid);
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), std::size_t{2});
    }

    void DeletingACommand_data() {
        QTest::addColumn<bool>("ofDialog");
        QTest::newRow("dialog command") << true;
        QTest::newRow("object command") << false;
    }
    void DeletingACommand() {
        QFETCH(bool, ofDialog);
        CObjectData& grid = Element(*main_, "grid");
        std::vector<ZeClass*>& commands = ofDialog ? main_->GetCommands() : grid.GetCommands();
        ZeClass* kept = commands[1];
        panel_->SelectByUser(commands[0]);
        panel_->DeleteCurrent();
        QCOMPARE(commands.size(), std::size_t{1});
        QCOMPARE(commands[0], kept);
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QCOMPARE(panel_->GetCurrentElement(), ofDialog ? static_cast<ZeClass*>(main_) : &grid);
        QCOMPARE(ClipboardText(), QString("before"));
    }

    void DeletingTheRootGroupEmptiesTheDialog() {
        panel_->SelectByUser(main_->GetRootGroup());
        panel_->DeleteCurrent();
        QCOMPARE(main_->GetRootGroup(), nullptr);
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QCOMPARE(panel_->GetCurrentElement(), main_);
        QVERIFY(ClipboardText().startsWith("{'Name':'root','Type'") ||
                ClipboardText().startsWith("{'Name':'root',"));
    }

    void CutOfADialog_data() {
        QTest::addColumn<QString>("deleted");
        QTest::addColumn<QString>("neighbour");
        QTest::newRow("first takes the next") << "Main"
                                              << "Second";
        QTest::newRow("middle takes the next") << "Second"
                                               << "Bare";
        QTest::newRow("last takes the previous") << "Bare"
                                                 << "Second";
    }
    void CutOfADialog() {
        QFETCH(QString, deleted);
        QFETCH(QString, neighbour);
        CZeDialogData& dialog = Dialog(*project_, deleted.toStdString());
        CZeDialogData& next = Dialog(*project_, neighbour.toStdString());
        const std::string text = DialogText(dialog);
        const std::size_t records = next.GetUndoBuffer().GetRecordCount();
        panel_->SelectByUser(&dialog);
        host_.Clear();

        panel_->DeleteCurrent();

        QCOMPARE(project_->GetDialogs().GetCount(), std::size_t{2});
        QCOMPARE(project_->GetDialogs().FindDialog(deleted.toStdString()), nullptr);
        QCOMPARE(panel_->GetCurrentDialog(), &next);
        QCOMPARE(panel_->GetCurrentElement(), &next);
        QCOMPARE(panel_->GetShownElement(), &next);
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        // A dialog without root group has no text to keep.
        QCOMPARE(ClipboardText().toStdString(), text.empty() ? std::string("before") : text);
        // The neighbour comes forward, the deleted dialog's windows go while
        // it still exists, and nothing is recorded for the dialog list.
        const std::string close = "close:" + deleted.toStdString();
        const std::string activate = "activate:" + neighbour.toStdString();
        const auto at = [this](const std::string& call) {
            return std::find(host_.calls.begin(), host_.calls.end(), call) - host_.calls.begin();
        };
        QCOMPARE(host_.Count(close), 1);
        QCOMPARE(host_.Count(activate), 1);
        QVERIFY(at(activate) < at(close));
        QCOMPARE(host_.Count("status:ダイアログの削除は元に戻せません。"), 1);
        QCOMPARE(host_.Count("history"), 0);
        QCOMPARE(next.GetUndoBuffer().GetRecordCount(), records);
    }

    void CutOfTheOnlyDialogLeavesNothingCurrent() {
        project_->GetDialogs().DeleteAll();
        project_->GetDialogs().CreateDialog("Solo");
        panel_->Reload();
        panel_->SelectByUser(project_->GetDialogs().GetDialog(0));
        host_.Clear();
        panel_->DeleteCurrent();
        QCOMPARE(project_->GetDialogs().GetCount(), std::size_t{0});
        QCOMPARE(panel_->GetCurrentDialog(), nullptr);
        QCOMPARE(panel_->GetCurrentElement(), nullptr);
        QCOMPARE(panel_->GetShownElement(), nullptr);
        QCOMPARE(TreeLabels(panel_->TreeModel()), QStringList{"Root = App"});
        QCOMPARE(host_.Count("close:Solo"), 1);
    }

    void PasteGoesWhereTheCurrentItemSays_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("children");
        const QStringList afterToggle{"grid", "toggle", "pasted", "title", "pages"};
        const QStringList atEnd{"grid", "toggle", "title", "pages", "pasted"};
        QTest::newRow("object, after") << "toggle" << 0 << "root" << afterToggle;
        QTest::newRow("object, first child") << "toggle" << 1 << "root" << afterToggle;
        QTest::newRow("object, last child") << "toggle" << 2 << "root" << afterToggle;
        QTest::newRow("group, after")
            << "page0" << 0 << "pages" << QStringList{"page0", "pasted", "page1"};
        QTest::newRow("group, first child")
            << "page0" << 1 << "page0" << QStringList{"pasted", "p0text"};
        QTest::newRow("group, last child")
            << "page0" << 2 << "page0" << QStringList{"p0text", "pasted"};
        QTest::newRow("root group, after") << "root" << 0 << "root" << atEnd;
        QTest::newRow("root group, first child")
            << "root" << 1 << "root" << QStringList{"pasted", "grid", "toggle", "title", "pages"};
        QTest::newRow("dialog, after") << "" << 0 << "root" << atEnd;
        QTest::newRow("dialog, first child")
            << "" << 1 << "root" << QStringList{"pasted", "grid", "toggle", "title", "pages"};
        QTest::newRow("dialog, last child") << "" << 2 << "root" << atEnd;
    }
    void PasteGoesWhereTheCurrentItemSays() {
        QFETCH(QString, current);
        QFETCH(int, mode);
        QFETCH(QString, target);
        QFETCH(QStringList, children);
        ZeClass* picked = current.isEmpty() ? static_cast<ZeClass*>(main_)
                                            : &Element(*main_, current.toStdString());
        panel_->SelectByUser(picked);
        Element(*main_, "title").SetSelected(true);
        SetClipboardText(kPastedObject);
        host_.Clear();

        panel_->PasteAtCurrent(mode);

        auto& group = static_cast<CObjectDataList&>(Element(*main_, target.toStdString()));
        QCOMPARE(ChildNames(group), children);
        CObjectData& pasted = Element(*main_, "pasted");
        QCOMPARE(pasted.GetParent(), &group);
        QCOMPARE(pasted.GetStore(), &main_->GetElementStore());
        QCOMPARE(pasted.GetItem("Text"), Utf8ToCp932("押す"));
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QCOMPARE(panel_->GetCurrentElement(), &pasted);
        QCOMPARE(panel_->GetShownElement(), &pasted);
        QVERIFY(panel_->TreeView().isExpanded(panel_->TreeModel().IndexOf(&group)));
        // The pasted element is the only one selected.
        QCOMPARE(main_->GetRootGroup()->CountSelected(), 1);
        QVERIFY(pasted.IsSelected());
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), std::size_t{2});
        QCOMPARE(host_.Count("history"), 1);
        QVERIFY(messages_.messages.empty());
    }

    void PasteIntoAnotherDialogUsesItsStore() {
        CZeDialogData& second = Dialog(*project_, "Second");
        panel_->SelectByUser(&Element(second, "other"));
        SetClipboardText(kPastedGroup);
        panel_->PasteAtCurrent(0);
        CObjectData& box = Element(second, "box");
        QCOMPARE(box.GetStore(), &second.GetElementStore());
        QCOMPARE(Element(second, "inner").GetStore(), &second.GetElementStore());
        QCOMPARE(second.GetUndoBuffer().GetRecordCount(), std::size_t{2});
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), std::size_t{1});
    }

    void CopyAndPasteMakeATwin() {
        CObjectData& grid = Element(*main_, "grid");
        panel_->SelectByUser(&grid);
        QVERIFY(panel_->CopyCurrent());
        panel_->PasteAtCurrent(0);
        const auto& children = main_->GetRootGroup()->GetChildren();
        QCOMPARE(children.size(), std::size_t{5});
        QVERIFY(children[1] != &grid);
        QCOMPARE(ElementText(*children[1]), ElementText(grid));
        QCOMPARE(children[1]->GetHeaders().size(), std::size_t{2});
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
    }

    void CopyAndPasteKeepJapaneseTextsInEveryCoding() {
        // Text is written as UTF-8, Name as stored (Shift_JIS): the
        // clipboard shows both readably and a paste reads both back.
        CObjectData& title = Element(*main_, "title");
        title.SetItem("Name", Utf8ToCp932("題名"));
        panel_->SelectByUser(&title);
        QVERIFY(panel_->CopyCurrent());
        QVERIFY(ClipboardText().contains(QStringLiteral("'Name':'題名'")));
        QVERIFY(ClipboardText().contains(QStringLiteral("'Text':'ようこそ'")));
        panel_->PasteAtCurrent(0);
        const auto& children = main_->GetRootGroup()->GetChildren();
        const auto at = std::find(children.begin(), children.end(), &title) - children.begin();
        const CObjectData& twin = *children[static_cast<std::size_t>(at) + 1];
        QCOMPARE(twin.GetItem("Name"), Utf8ToCp932("題名"));
        QCOMPARE(twin.GetItem("Text"), Utf8ToCp932("ようこそ"));
    }

    void AGroupPastedIntoADialogWithoutRootBecomesTheRoot() {
        CZeDialogData& bare = Dialog(*project_, "Bare");
        panel_->SelectByUser(&bare);
        SetClipboardText(kPastedGroup);
        panel_->PasteAtCurrent(0);
        QVERIFY(bare.GetRootGroup() != nullptr);
        QCOMPARE(bare.GetRootGroup()->GetItem("Name"), std::string("box"));
        QCOMPARE(bare.GetRootGroup()->GetParent(), nullptr);
        QCOMPARE(panel_->GetCurrentElement(), bare.GetRootGroup());
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QVERIFY(TreeLabels(panel_->TreeModel()).contains("..Group:FRAME(box)"));
    }

    void RefusedPastesChangeNothing_data() {
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::newRow("object into a dialog without root")
            << 0 << kPastedObject << "GROUPオブジェクトを登録して下さい。"
            << static_cast<int>(MessageIcon::kWarning);
        QTest::newRow("onto a header column") << 1 << kPastedObject
                                              << "登録する場所を決定するために、ツリーのダイアログ"
                                                 "、\nまたはオブジェクトを選択して下さい。"
                                              << static_cast<int>(MessageIcon::kWarning);
        QTest::newRow("onto a command") << 2 << kPastedGroup
                                        << "登録する場所を決定するために、ツリーのダイアログ、\nま"
                                           "たはオブジェクトを選択して下さい。"
                                        << static_cast<int>(MessageIcon::kWarning);
        QTest::newRow("onto the project root") << 3 << kPastedObject
                                               << "登録する場所を決定するために、ツリーのダイアログ"
                                                  "、\nまたはオブジェクトを選択して下さい。"
                                               << static_cast<int>(MessageIcon::kWarning);
        QTest::newRow("without a current item")
            << 4 << kPastedObject
            << "登録する場所を決定するために、ツリーのオブジェクトを選択して下さい。"
            << static_cast<int>(MessageIcon::kWarning);
    }
    void RefusedPastesChangeNothing() {
        QFETCH(int, current);
        QFETCH(QString, clipboard);
        QFETCH(QString, message);
        QFETCH(int, icon);
        CZeDialogData& bare = Dialog(*project_, "Bare");
        ZeClass* picks[] = {&bare, Element(*main_, "grid").GetHeaders()[0],
                            Element(*main_, "page1").GetCommands()[0], project_.get()};
        if (current < 4) {
            panel_->SelectByUser(picks[current]);
        } else {
            panel_->Discard();
            panel_->Reload();
            panel_->SelectByUser(nullptr);
            panel_->TreeModel().SetCurrent({});
        }
        SetClipboardText(clipboard);
        const std::string text = ProjectText(*project_);
        const QStringList labels = TreeLabels(panel_->TreeModel());
        const std::size_t stored = bare.GetElementStore().Count();
        host_.Clear();

        panel_->PasteAtCurrent(0);

        QCOMPARE(messages_.messages.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(messages_.messages[0].text), message);
        QCOMPARE(static_cast<int>(messages_.messages[0].icon), icon);
        QCOMPARE(ProjectText(*project_), text);
        QCOMPARE(TreeLabels(panel_->TreeModel()), labels);
        QCOMPARE(bare.GetElementStore().Count(), stored);
        QCOMPARE(host_.Count("history"), 0);
    }

    void UnreadableTextShowsTheParserReport() {
        panel_->SelectByUser(&Element(*main_, "title"));
        const QString broken = "{'Name':'x',";
        SetClipboardText(broken);
        const std::string text = ProjectText(*project_);
        panel_->PasteAtCurrent(0);
        JsonParser parser;
        QVERIFY(!parser.Parse(Utf8ToCp932(broken.toStdString())));
        QCOMPARE(messages_.messages.size(), std::size_t{1});
        QCOMPARE(messages_.messages[0].text, Cp932ToUtf8(parser.GetErrorText()));
        QCOMPARE(messages_.messages[0].icon, MessageIcon::kNone);
        QCOMPARE(ProjectText(*project_), text);
    }

    void AnEmptyClipboardDoesNothing() {
        panel_->SelectByUser(&Element(*main_, "title"));
        SetClipboardText("");
        const std::string text = ProjectText(*project_);
        host_.Clear();
        panel_->PasteAtCurrent(0);
        QCOMPARE(ProjectText(*project_), text);
        QVERIFY(messages_.messages.empty());
        QVERIFY(host_.calls.empty());
    }

    void CommandsAddEveryListedDialog() {
        panel_->SelectByUser(&Element(*main_, "title"));
        SetClipboardText(
            "{'Commands':["
            "{'Command':'DIALOG','Name':'Extra','Object':{'Name':'r','Layout':'FRAME','Objects':["
            "{'Name':'t','Type':'TEXT'}]}},"
            "{'Command':'POPUP','Name':'Main','Object':{'Name':'r2','Layout':'LINEAR',"
            "'Objects':[]}}]}");
        panel_->PasteAtCurrent(0);
        const CZeDialogDataList& dialogs = project_->GetDialogs();
        QCOMPARE(dialogs.GetCount(), std::size_t{5});
        QCOMPARE(dialogs.GetDialog(3)->GetItem("Name"), std::string("Extra"));
        QCOMPARE(dialogs.GetDialog(4)->GetItem("Name"), std::string("Main2"));
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QVERIFY(TreeLabels(panel_->TreeModel()).contains(".Dialog:Extra"));
        QVERIFY(TreeLabels(panel_->TreeModel()).contains("...Object:TEXT(t)"));
        // The item that was current stays current.
        QCOMPARE(panel_->GetCurrentElement(), &Element(*main_, "title"));
        QVERIFY(messages_.messages.empty());
    }

    void ACopiedDialogPastesAsANewDialog() {
        panel_->SelectByUser(main_);
        QVERIFY(panel_->CopyCurrent());
        panel_->PasteAtCurrent(0);
        CZeDialogData* copy = project_->GetDialogs().FindDialog("Main2");
        QVERIFY(copy != nullptr);
        // The same text but the name.
        std::string expected = DialogText(*main_);
        expected.replace(expected.find("'Main'"), 6, "'Main2'");
        QCOMPARE(DialogText(*copy), expected);
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QCOMPARE(main_->GetRootGroup()->GetChildren().size(), std::size_t{4});
    }

    void UndoAfterAPasteRestoresTheText() {
        panel_->SelectByUser(&Element(*main_, "toggle"));
        const std::string before = DialogText(*main_);
        SetClipboardText(kPastedGroup);
        panel_->PasteAtCurrent(0);
        const std::string after = DialogText(*main_);
        QVERIFY(after != before);
        main_->GetUndoBuffer().Undo();
        QCOMPARE(DialogText(*main_), before);
        main_->GetUndoBuffer().Redo();
        QCOMPARE(DialogText(*main_), after);
    }
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::TreeClipboardTest)
#include "tree_clipboard_test.moc"
