// Copy, delete (cut) and paste through the clipboard: the texts, where pasted
// elements go, the messages of refused pastes, deleted dialogs and their
// windows, and the history steps.

#include <QTreeView>
#include <QtTest>
#include <algorithm>

#include "common/cp932.h"
#include "model/editing/selection.h"
#include "model/editing/tree_edits.h"
#include "model/dialog_data.h"
#include "model/json_parser.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/resource_dlg.h"
#include "panels/resource_tree_model.h"
#include "panels/support/panel_fixture.h"
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
const char* const kPickAPlace =
    "登録する場所を決定するために、ツリーのダイアログ、\nまたはオブジェクトを選択して下さい。";

}  // namespace

class TreeClipboardTest : public PanelTest {
    Q_OBJECT

    // What a test row names: a dialog, "project", "<owner> header" or
    // "<owner> command" (the first one), "" for nothing, or an element of Main.
    ZeClass* Pick(const QString& name) {
        const std::string owner = name.section(' ', 0, 0).toStdString();
        CZeDialogData* dialog = project_->GetDialogs().FindDialog(owner);
        CObjectData* object = owner.empty() || owner == "project" || dialog != nullptr
                                  ? nullptr
                                  : &Element(*main_, owner);
        if (name.endsWith(" header")) {
            return object->GetHeaders()[0];
        }
        if (name.endsWith(" command")) {
            return object != nullptr ? object->GetCommands()[0] : dialog->GetCommands()[0];
        }
        return object != nullptr   ? static_cast<ZeClass*>(object)
               : dialog != nullptr ? static_cast<ZeClass*>(dialog)
               : owner.empty()     ? nullptr
                                   : project_.get();
    }
    void Select(const QString& name) {
        if (name.isEmpty()) {
            ze::Select(*project_, nullptr);
        } else {
            panel_->SelectByUser(Pick(name));
        }
    }

private slots:
    void init() {
        QVERIFY(StartPanel());
        SetClipboardText("before");
    }
    void cleanup() { StopPanel(); }

    void CopyPutsTheTextOnTheClipboard_data() {
        QTest::addColumn<QString>("element");
        QTest::addColumn<bool>("copied");
        QTest::newRow("object with Japanese text") << "title" << true;
        QTest::newRow("object with header columns and commands") << "grid" << true;
        QTest::newRow("group with its subtree") << "pages" << true;
        QTest::newRow("root group") << "root" << true;
        QTest::newRow("dialog: its message") << "Main" << true;
        QTest::newRow("project root") << "project" << false;
        QTest::newRow("header column") << "grid header" << false;
        QTest::newRow("command") << "Main command" << false;
        QTest::newRow("dialog without root group") << "Bare" << false;
        QTest::newRow("nothing: a warning") << "" << false;
    }
    void CopyPutsTheTextOnTheClipboard() {
        QFETCH(QString, element);
        QFETCH(bool, copied);
        ZeClass* picked = Pick(element);
        Select(element);
        QCOMPARE(panel_->CopyCurrent(), copied);
        if (!copied) {
            QCOMPARE(ClipboardText(), QString("before"));
        } else if (picked == main_) {
            QCOMPARE(ClipboardText().toStdString(), DialogText(*main_));
            QVERIFY(ClipboardText().startsWith("{'Command':'DIALOG','Name':'Main'"));
        } else {
            QCOMPARE(ClipboardText().toStdString(),
                     ElementText(*static_cast<CObjectData*>(picked)));
        }
        QCOMPARE(messages_.messages.size(), std::size_t{picked == nullptr ? 1u : 0u});
        if (picked == nullptr) {
            QCOMPARE(messages_.messages[0].text,
                     std::string("ツリーからコピーするオブジェクトを選択して下さい。"));
            QCOMPARE(messages_.messages[0].icon, MessageIcon::kWarning);
            // Deleting then does nothing, and says nothing more.
            const std::string text = ProjectText(*project_);
            panel_->DeleteCurrent();
            QCOMPARE(messages_.messages.size(), std::size_t{1});
            QCOMPARE(ProjectText(*project_), text);
        }
    }

    void DeletingAnObjectCutsIt_data() {
        QTest::addColumn<QString>("deleted");
        QTest::addColumn<QStringList>("children");
        QTest::newRow("object") << "title" << QStringList{"grid", "toggle", "pages"};
        QTest::newRow("root group") << "root" << QStringList{};
    }
    void DeletingAnObjectCutsIt() {
        QFETCH(QString, deleted);
        QFETCH(QStringList, children);
        auto& element = static_cast<CObjectData&>(*Pick(deleted));
        const std::string cut = ElementText(element);
        panel_->SelectByUser(&element);
        host_.Clear();
        panel_->DeleteCurrent();
        QCOMPARE(ClipboardText().toStdString(), cut);
        CObjectDataList* root = main_->GetRootGroup();
        QCOMPARE(root != nullptr ? ChildNames(*root) : QStringList{}, children);
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        ZeClass* parent = root != nullptr ? static_cast<ZeClass*>(root) : main_;
        QCOMPARE(panel_->GetCurrentElement(), parent);
        QCOMPARE(panel_->GetShownElement(), parent);
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), std::size_t{2});
        QCOMPARE(host_.Count("history"), 1);
    }

    void DeletingAColumnOrCommandKeepsTheRest_data() {
        QTest::addColumn<QString>("deleted");
        QTest::newRow("header column") << "grid header";
        QTest::newRow("dialog command") << "Main command";
        QTest::newRow("object command") << "grid command";
    }
    void DeletingAColumnOrCommandKeepsTheRest() {
        QFETCH(QString, deleted);
        ZeClass* parent = Pick(deleted.section(' ', 0, 0));
        auto* object = dynamic_cast<CObjectData*>(parent);
        std::vector<ZeClass*>& list = deleted.endsWith("header") ? object->GetHeaders()
                                      : object != nullptr        ? object->GetCommands()
                                                                 : main_->GetCommands();
        const std::vector<ZeClass*> rest(list.begin() + 1, list.end());
        panel_->SelectByUser(Pick(deleted));
        panel_->DeleteCurrent();
        QCOMPARE(list, rest);
        // In step also means the remaining column is renumbered.
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QCOMPARE(panel_->GetCurrentElement(), parent);
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), std::size_t{2});
        QCOMPARE(ClipboardText(), QString("before"));
    }

    void CutOfADialog_data() {
        QTest::addColumn<QStringList>("dialogs");  // the deleted one and its neighbour
        QTest::newRow("first takes the next") << QStringList{"Main", "Second"};
        QTest::newRow("middle takes the next") << QStringList{"Second", "Bare"};
        QTest::newRow("last takes the previous") << QStringList{"Bare", "Second"};
    }
    void CutOfADialog() {
        QFETCH(QStringList, dialogs);
        const QString deleted = dialogs[0];
        const QString neighbour = dialogs[1];
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
        DiscardDialogs(*project_);
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
        QTest::addColumn<int>("at");  // the pasted child's place in target
        QTest::newRow("object, after") << "toggle" << 0 << "root" << 2;
        QTest::newRow("object, first child") << "toggle" << 1 << "root" << 2;
        QTest::newRow("object, last child") << "toggle" << 2 << "root" << 2;
        QTest::newRow("group, after") << "page0" << 0 << "pages" << 1;
        QTest::newRow("group, first child") << "page0" << 1 << "page0" << 0;
        QTest::newRow("group, last child") << "page0" << 2 << "page0" << 1;
        QTest::newRow("root group, after") << "root" << 0 << "root" << 4;
        QTest::newRow("root group, first child") << "root" << 1 << "root" << 0;
        QTest::newRow("dialog, after") << "Main" << 0 << "root" << 4;
        QTest::newRow("dialog, first child") << "Main" << 1 << "root" << 0;
        QTest::newRow("dialog, last child") << "Main" << 2 << "root" << 4;
    }
    void PasteGoesWhereTheCurrentItemSays() {
        QFETCH(QString, current);
        QFETCH(int, mode);
        QFETCH(QString, target);
        QFETCH(int, at);
        auto& group = static_cast<CObjectDataList&>(Element(*main_, target.toStdString()));
        QStringList children = ChildNames(group);
        children.insert(at, "pasted");
        panel_->SelectByUser(Pick(current));
        Element(*main_, "title").SetSelected(true);
        SetClipboardText(kPastedObject);
        host_.Clear();

        panel_->PasteAtCurrent(static_cast<PasteMode>(mode));

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
        QCOMPARE(host_.Count("history"), 1);
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), std::size_t{2});
        QVERIFY(messages_.messages.empty());
    }

    void AGroupPastedIntoOtherDialogsUsesTheirStores() {
        CZeDialogData& second = Dialog(*project_, "Second");
        panel_->SelectByUser(&Element(second, "other"));
        SetClipboardText(kPastedGroup);
        panel_->PasteAtCurrent(PasteMode::kAfter);
        QCOMPARE(Element(second, "inner").GetStore(), &second.GetElementStore());
        QCOMPARE(second.GetUndoBuffer().GetRecordCount(), std::size_t{2});
        QCOMPARE(main_->GetUndoBuffer().GetRecordCount(), std::size_t{1});
        // Into a dialog without root group it becomes the root.
        CZeDialogData& bare = Dialog(*project_, "Bare");
        panel_->SelectByUser(&bare);
        panel_->PasteAtCurrent(PasteMode::kAfter);
        QVERIFY(bare.GetRootGroup() != nullptr);
        QCOMPARE(bare.GetRootGroup()->GetParent(), nullptr);
        QCOMPARE(Element(bare, "inner").GetStore(), &bare.GetElementStore());
        QCOMPARE(panel_->GetCurrentElement(), bare.GetRootGroup());
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QCOMPARE(TreeLabels(panel_->TreeModel()).last(), QString("...Object:TEXT(inner)"));
    }

    void CopyAndPasteMakeATwin() {
        // The twin differs only by its name, which the dialog already has.
        const auto twin = [this](CObjectData& original, const std::string& name) {
            panel_->SelectByUser(&original);
            QVERIFY(panel_->CopyCurrent());
            panel_->PasteAtCurrent(PasteMode::kAfter);
            const auto& children = main_->GetRootGroup()->GetChildren();
            const auto at = std::find(children.begin(), children.end(), &original);
            QVERIFY(at + 1 < children.end() && at[1] != &original);
            std::string expected = ElementText(original);
            const std::string oldName = "'Name':'" + Cp932ToUtf8(original.GetItem("Name")) + "'";
            expected.replace(expected.find(oldName), oldName.size(), "'Name':'" + name + "'");
            QCOMPARE(ElementText(*at[1]), expected);
            QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        };
        twin(Element(*main_, "grid"), "Grid1");  // header columns and commands too
        // Text is written as UTF-8, Name as stored (Shift_JIS): the clipboard
        // shows both readably and a paste reads both back.
        CObjectData& title = Element(*main_, "title");
        title.SetItem("Name", Utf8ToCp932("題名"));
        twin(title, "Text1");
        QVERIFY(ClipboardText().contains(QStringLiteral("'Name':'題名'")));
        QVERIFY(ClipboardText().contains(QStringLiteral("'Text':'ようこそ'")));
    }

    void RefusedPastesChangeNothing_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("message");
        QTest::newRow("object into a dialog without root")
            << "Bare" << kPastedObject << "GROUPオブジェクトを登録して下さい。";
        QTest::newRow("onto a header column") << "grid header" << kPastedObject << kPickAPlace;
        QTest::newRow("onto a command") << "page1 command" << kPastedGroup << kPickAPlace;
        QTest::newRow("onto the project root") << "project" << kPastedObject << kPickAPlace;
        QTest::newRow("without a current item")
            << "" << kPastedObject
            << "登録する場所を決定するために、ツリーのオブジェクトを選択して下さい。";
        QTest::newRow("empty clipboard: no message") << "title" << QString() << QString();
        // The parser's own report, without an icon.
        QTest::newRow("unreadable text") << "title" << QString("{'Name':'x',") << "*";
    }
    void RefusedPastesChangeNothing() {
        QFETCH(QString, current);
        QFETCH(QString, clipboard);
        QFETCH(QString, message);
        CZeDialogData& bare = Dialog(*project_, "Bare");
        Select(current);
        SetClipboardText(clipboard);
        const std::string text = ProjectText(*project_);
        const QStringList labels = TreeLabels(panel_->TreeModel());
        const std::size_t stored = bare.GetElementStore().Count();
        host_.Clear();

        panel_->PasteAtCurrent(PasteMode::kAfter);

        QCOMPARE(messages_.messages.size(), std::size_t{message.isEmpty() ? 0u : 1u});
        if (message == "*") {
            JsonParser parser;
            QVERIFY(!parser.Parse(Utf8ToCp932(clipboard.toStdString())));
            QCOMPARE(messages_.messages[0].text, Cp932ToUtf8(parser.GetErrorText()));
            QCOMPARE(messages_.messages[0].icon, MessageIcon::kNone);
        } else if (!message.isEmpty()) {
            QCOMPARE(QString::fromStdString(messages_.messages[0].text), message);
            QCOMPARE(messages_.messages[0].icon, MessageIcon::kWarning);
        }
        QCOMPARE(ProjectText(*project_), text);
        QCOMPARE(TreeLabels(panel_->TreeModel()), labels);
        QCOMPARE(bare.GetElementStore().Count(), stored);
        QCOMPARE(host_.Count("history"), 0);
    }

    void DialogTextsAddDialogs() {
        panel_->SelectByUser(main_);
        QVERIFY(panel_->CopyCurrent());
        panel_->PasteAtCurrent(PasteMode::kAfter);
        // A copied dialog comes back with the same text but the name.
        std::string expected = DialogText(*main_);
        expected.replace(expected.find("'Main'"), 6, "'Main2'");
        QCOMPARE(DialogText(Dialog(*project_, "Main2")), expected);
        QCOMPARE(main_->GetRootGroup()->GetChildren().size(), std::size_t{4});

        panel_->SelectByUser(&Element(*main_, "title"));
        SetClipboardText(
            "{'Commands':["
            "{'Command':'DIALOG','Name':'Extra','Object':{'Name':'r','Layout':'FRAME','Objects':["
            "{'Name':'t','Type':'TEXT'}]}},"
            "{'Command':'POPUP','Name':'Main','Object':{'Name':'r2','Layout':'LINEAR',"
            "'Objects':[]}}]}");
        panel_->PasteAtCurrent(PasteMode::kAfter);
        const CZeDialogDataList& dialogs = project_->GetDialogs();
        QCOMPARE(dialogs.GetCount(), std::size_t{6});
        QCOMPARE(dialogs.GetDialog(4)->GetItem("Name"), std::string("Extra"));
        QCOMPARE(dialogs.GetDialog(5)->GetItem("Name"), std::string("Main3"));
        QCOMPARE(TreeLabels(panel_->TreeModel()), LabelsFromProject(*project_));
        QVERIFY(TreeLabels(panel_->TreeModel()).contains("...Object:TEXT(t)"));
        // The item that was current stays current.
        QCOMPARE(panel_->GetCurrentElement(), &Element(*main_, "title"));
        QVERIFY(messages_.messages.empty());
    }
};

}  // namespace ze::panels::test

QTEST_MAIN(ze::panels::test::TreeClipboardTest)
#include "tree_clipboard_test.moc"
