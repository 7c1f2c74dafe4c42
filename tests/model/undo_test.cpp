#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/dialog_data.h"
#include "model/element_store.h"
#include "model/message_sink.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "model/schema.h"
#include "model/undo_buffer.h"

namespace ze {
namespace {

// A loaded dialog: root FRAME group holding objects a and b.
struct History {
    CZeResourceData project;
    CZeDialogData* dialog = nullptr;
    CObjectDataList* root = nullptr;
    CObjectData* a = nullptr;
    CObjectData* b = nullptr;

    History() {
        EXPECT_TRUE(project.LoadText(
            "{'Commands':[{'Command':'DIALOG','Name':'D','Object':{'Name':'root','Type':'GROUP',"
            "'Layout':'FRAME','Objects':[{'Name':'a','Type':'TEXT','Text':'one'},"
            "{'Name':'b','Type':'BUTTON'}]}}]}"));
        dialog = project.GetDialogs().FindDialog("D");
        root = dialog->GetRootGroup();
        a = root->GetChildren()[0];
        b = root->GetChildren()[1];
    }
    UndoBuffer& Buffer() { return dialog->GetUndoBuffer(); }
    CObjectData* NewObject(const std::string& name) {
        auto* object = dialog->GetElementStore().Create<CObjectData>(root);
        AddObjectItems(object->Items(), ObjectType::kText, GroupLayout::kFrame);
        object->SetItem("Name", name);
        return object;
    }
};

std::vector<UndoAction> Actions(const UndoRecord& record) {
    std::vector<UndoAction> actions;
    for (const auto& backup : record.Backups()) {
        actions.push_back(backup->GetAction());
    }
    return actions;
}

std::vector<std::string> Names(const CObjectDataList& group) {
    std::vector<std::string> names;
    for (const CObjectData* child : group.GetChildren()) {
        names.push_back(child->GetItem("Name"));
    }
    return names;
}

std::string DialogText(const CZeDialogData& dialog) {
    CJsonString text;
    dialog.WriteDialogMessage(text, 0);
    return text.TakeText();
}

constexpr UndoAction kCreate = UndoAction::kCreate;
constexpr UndoAction kModify = UndoAction::kModify;
constexpr UndoAction kOriginal = UndoAction::kOriginal;

TEST(UndoTest, TheFirstStepIsTakenWhenADialogIsLoadedOrCreated) {
    History history;
    UndoBuffer& buffer = history.Buffer();
    ASSERT_EQ(buffer.GetRecordCount(), 1u);
    EXPECT_EQ(buffer.GetIndex(), 1);
    // The dialog itself, then its root group and the root's objects.
    EXPECT_EQ(Actions(buffer.GetRecord(0)),
              (std::vector<UndoAction>{kCreate, kOriginal, kCreate, kOriginal, kCreate,
                                         kOriginal, kCreate, kOriginal}));
    // Copies keep the serial of their element and are not the element.
    const UndoRecord& first = buffer.GetRecord(0);
    EXPECT_EQ(first.Backups()[1]->GetElement(), history.dialog);
    EXPECT_EQ(first.Backups()[3]->GetElement(), history.root);
    EXPECT_NE(first.Backups()[2]->GetElement(), history.root);
    EXPECT_EQ(first.Backups()[2]->GetSerial(), history.root->GetSerial());
    EXPECT_EQ(first.Backups()[4]->GetElement()->GetItem("Text"), "one");
    EXPECT_FALSE(buffer.CanRedo());
    // The first step cannot be undone.
    EXPECT_EQ(buffer.Undo(), nullptr);
    EXPECT_EQ(buffer.GetIndex(), 1);

    CZeDialogData* created = history.project.GetDialogs().CreateDialog("Dialog");
    EXPECT_EQ(created->GetUndoBuffer().GetRecordCount(), 1u);
    EXPECT_EQ(created->GetUndoBuffer().GetIndex(), 1);
    EXPECT_EQ(Actions(created->GetUndoBuffer().GetRecord(0)),
              (std::vector<UndoAction>{kCreate, kOriginal}));
}

TEST(UndoTest, AStepRecordsWhatChangedAndUndoAndRedoRestoreIt) {
    History history;
    UndoBuffer& buffer = history.Buffer();
    history.a->SetItem("Text", "two");
    history.dialog->RecordUndoStep();
    ASSERT_EQ(buffer.GetRecordCount(), 2u);
    EXPECT_EQ(buffer.GetIndex(), 2);
    EXPECT_EQ(Actions(buffer.GetRecord(1)), (std::vector<UndoAction>{kModify}));

    // Nothing changed: the step is recorded, empty.
    history.dialog->RecordUndoStep();
    EXPECT_EQ(buffer.GetRecordCount(), 3u);
    EXPECT_TRUE(buffer.GetRecord(2).Backups().empty());

    EXPECT_EQ(buffer.Undo(), nullptr);  // the empty step
    EXPECT_EQ(buffer.Undo(), history.a);
    EXPECT_EQ(history.a->GetItem("Text"), "one");
    EXPECT_EQ(buffer.GetIndex(), 1);
    EXPECT_TRUE(buffer.CanRedo());
    EXPECT_EQ(buffer.Undo(), nullptr);

    EXPECT_EQ(buffer.Redo(), history.a);
    EXPECT_EQ(history.a->GetItem("Text"), "two");
    EXPECT_EQ(buffer.Redo(), nullptr);
    EXPECT_EQ(buffer.GetIndex(), 3);
    EXPECT_FALSE(buffer.CanRedo());
    EXPECT_EQ(buffer.Redo(), nullptr);
    EXPECT_EQ(buffer.GetIndex(), 3);

    // A new step after undo drops what redo could have reached.
    buffer.Undo();
    buffer.Undo();
    history.b->SetItem("Text", "b!");
    history.dialog->RecordUndoStep();
    EXPECT_EQ(buffer.GetRecordCount(), 2u);
    EXPECT_EQ(buffer.GetIndex(), 2);
    EXPECT_FALSE(buffer.CanRedo());
    EXPECT_EQ(buffer.Undo(), history.b);
    EXPECT_EQ(history.b->GetItem("Text"), "");
    EXPECT_EQ(history.a->GetItem("Text"), "one");
}

TEST(UndoTest, CopiesAreFoundByStepAndLiveElementsInAnyStep) {
    History history;
    UndoBuffer& buffer = history.Buffer();
    const std::uint64_t serial = history.a->GetSerial();
    history.a->SetItem("Text", "two");
    history.dialog->RecordUndoStep();
    history.a->SetItem("Text", "three");
    history.dialog->RecordUndoStep();

    EXPECT_EQ(buffer.FindLatestCopy(serial, -1)->GetItem("Text"), "three");
    EXPECT_EQ(buffer.FindLatestCopy(serial, 1)->GetItem("Text"), "two");
    EXPECT_EQ(buffer.FindLatestCopy(serial, 0)->GetItem("Text"), "one");
    EXPECT_EQ(buffer.FindLatestCopy(serial, 99)->GetItem("Text"), "three");
    buffer.Undo();
    EXPECT_EQ(buffer.FindLatestCopy(serial, -1)->GetItem("Text"), "two");
    EXPECT_EQ(buffer.FindLatestCopy(12345678, -1), nullptr);

    EXPECT_EQ(buffer.FindLiveElement(serial, -1), history.a);
    EXPECT_EQ(buffer.FindLiveElement(serial, 0), history.a);
    EXPECT_EQ(buffer.FindLiveElement(serial, 99), history.a);
    EXPECT_EQ(buffer.FindLiveElement(12345678, -1), nullptr);
}

TEST(UndoTest, AnObjectIsSelectedBeforeTheGroupThatCameFirst) {
    History history;
    UndoBuffer& buffer = history.Buffer();
    history.root->SetItem("Align", "RIGHT");
    history.b->SetItem("Text", "x");
    history.dialog->RecordUndoStep();
    EXPECT_EQ(Actions(buffer.GetRecord(1)), (std::vector<UndoAction>{kModify, kModify}));
    EXPECT_EQ(buffer.Undo(), history.b);
    EXPECT_EQ(history.root->GetItem("Align"), "");
    EXPECT_EQ(buffer.Redo(), history.b);

    // A step that changed only the group selects the group.
    history.root->SetItem("Align", "LEFT");
    history.dialog->RecordUndoStep();
    EXPECT_EQ(buffer.Undo(), history.root);
    EXPECT_EQ(history.root->GetItem("Align"), "RIGHT");
}

TEST(UndoTest, AnAddedElementLeavesTheTreeOnUndoAndComesBackOnRedo) {
    History history;
    UndoBuffer& buffer = history.Buffer();
    CObjectData* c = history.NewObject("c");
    history.root->AddObject(c);
    history.dialog->RecordUndoStep();
    EXPECT_EQ(Actions(buffer.GetRecord(1)),
              (std::vector<UndoAction>{kModify, kCreate, kOriginal}));

    EXPECT_EQ(buffer.Undo(), c);
    EXPECT_EQ(Names(*history.root), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(c->GetItem("Name"), "c");  // alive, out of the tree
    EXPECT_EQ(buffer.Redo(), c);
    EXPECT_EQ(Names(*history.root), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(c->GetParent(), history.root);
}

TEST(UndoTest, ADestroyedElementStaysAliveWhileAStepReachesIt) {
    History history;
    UndoBuffer& buffer = history.Buffer();
    ElementStore& store = history.dialog->GetElementStore();
    CObjectData* b = history.b;
    b->AddChild(CreateCommand(store, "CLOSE", "OnClick"));
    history.dialog->RecordUndoStep();
    ZeClass* command = b->GetCommands()[0];
    const std::size_t count = store.Count();

    ASSERT_TRUE(history.root->Remove(b, true));
    history.dialog->RecordUndoStep();
    EXPECT_TRUE(store.Owns(b));
    EXPECT_TRUE(store.IsRetired(b));
    EXPECT_TRUE(store.IsRetired(command));
    EXPECT_EQ(store.Count(), count);

    // Undo puts it back with its command; a new step makes it live again.
    buffer.Undo();
    EXPECT_EQ(Names(*history.root), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(b->GetCommands()[0]->GetItem("Command"), "CLOSE");
    history.dialog->RecordUndoStep();
    EXPECT_FALSE(store.IsRetired(b));
    EXPECT_FALSE(store.IsRetired(command));
    EXPECT_EQ(store.RetiredCount(), 0u);
}

TEST(UndoTest, ADestroyedElementIsFreedOnceTheHistoryDropsItsSteps) {
    History history;
    UndoBuffer& buffer = history.Buffer();
    ElementStore& store = history.dialog->GetElementStore();
    const std::size_t count = store.Count();
    CObjectData* c = history.NewObject("c");
    history.root->AddObject(c);
    history.dialog->RecordUndoStep();
    history.root->Remove(c, true);
    history.dialog->RecordUndoStep();
    EXPECT_TRUE(store.IsRetired(c));

    buffer.Undo();  // c back in the tree, still retired
    EXPECT_EQ(Names(*history.root), (std::vector<std::string>{"a", "b", "c"}));
    buffer.Undo();  // c out of the tree
    EXPECT_TRUE(store.Owns(c));
    // The new step drops the two steps that knew c.
    history.a->SetItem("Text", "new");
    history.dialog->RecordUndoStep();
    EXPECT_FALSE(store.Owns(c));
    EXPECT_EQ(store.Count(), count);
    EXPECT_EQ(store.RetiredCount(), 0u);
}

TEST(UndoTest, WithoutHistoryADestroyedElementIsFreedAtOnce) {
    CZeDialogData dialog("bare");
    ElementStore& store = dialog.GetElementStore();
    auto* root = store.Create<CObjectDataList>(nullptr);
    auto* child = store.Create<CObjectData>(root);
    root->AddObject(child);
    dialog.SetRootGroup(root);
    root->Remove(child, true);
    EXPECT_FALSE(store.Owns(child));
    EXPECT_EQ(store.Count(), 1u);
}

TEST(UndoTest, ADialogDiesWithItsHistoryAndItsRetiredElements) {
    // Run under the address sanitizer: nothing leaks, nothing is freed twice.
    auto project = std::make_unique<CZeResourceData>();
    ASSERT_TRUE(project->LoadText(
        "{'Commands':[{'Command':'DIALOG','Name':'D','Object':{'Name':'root','Type':'GROUP',"
        "'Layout':'LINEAR','Objects':[{'Name':'g','Type':'GROUP','Layout':'FRAME','Objects':["
        "{'Name':'x','Type':'GRID','Header':[{'TSize':'1'}]}]}]}}]}"));
    CZeDialogData* dialog = project->GetDialogs().FindDialog("D");
    CObjectDataList* root = dialog->GetRootGroup();
    CObjectData* group = root->GetChildren()[0];
    ASSERT_TRUE(root->Remove(group, true));
    dialog->RecordUndoStep();
    dialog->GetUndoBuffer().Undo();
    EXPECT_EQ(root->GetChildren()[0], group);
    project.reset();
}

class RecordingSink : public MessageSink {
public:
    void ShowMessage(const std::string& text, MessageIcon /*icon*/) override {
        texts.push_back(text);
    }
    std::vector<std::string> texts;
};

TEST(UndoTest, EveryElementOfADialogIsCopiedButNoProjectParts) {
    History history;
    UndoBuffer& buffer = history.Buffer();
    RecordingSink sink;
    buffer.SetMessageSink(&sink);
    UndoRecord record;
    CZeDialogDataList list;
    EXPECT_FALSE(buffer.AppendCopy(record, kCreate, list));
    EXPECT_TRUE(record.Backups().empty());
    EXPECT_EQ(sink.texts, (std::vector<std::string>{"error!"}));

    ZeClass* column = CreateHeaderColumn(history.dialog->GetElementStore());
    const std::string key = column->Items().GetItemData(0).GetName();
    column->SetItem(key, "c1");
    ASSERT_TRUE(buffer.AppendCopy(record, kCreate, *column));
    EXPECT_EQ(record.Backups()[0]->GetElement()->GetItem(key), "c1");
    EXPECT_EQ(record.Backups()[0]->GetSerial(), column->GetSerial());

    ASSERT_TRUE(buffer.AppendCopy(record, kModify, *history.dialog));
    const ZeClass* copy = record.Backups()[1]->GetElement();
    EXPECT_NE(dynamic_cast<const CZeDialogData*>(copy), nullptr);
    EXPECT_EQ(copy->GetItem("Name"), "D");
    EXPECT_EQ(copy->GetSerial(), history.dialog->GetSerial());
}

// Dialog properties, dialog commands, the root group itself and the items of
// commands are edited in place like everything else; undo puts them back.
// A command the history does not keep is not copied at all.
TEST(UndoTest, DialogPropertiesCommandsAndTheRootGroupComeBack) {
    History history;
    CZeDialogData& dialog = *history.dialog;
    CObjectDataList* root = history.root;
    ZeClass* command = CreateCommand(dialog.GetElementStore(), "TIMER", "OnOpen");
    dialog.AddCommand(command);
    dialog.RecordUndoStep();
    const auto copiesOf = [&dialog](const ZeClass& element) {
        int copies = 0;
        const UndoBuffer& buffer = dialog.GetUndoBuffer();
        for (std::size_t i = 0; i < buffer.GetRecordCount(); ++i) {
            for (const auto& backup : buffer.GetRecord(i).Backups()) {
                copies += backup->GetSerial() == element.GetSerial() ? 1 : 0;
            }
        }
        return copies;
    };
    EXPECT_EQ(copiesOf(*command), 0);
    const std::string before = DialogText(dialog);

    dialog.SetItem("TemplateType", "Shared");
    // A command joins the history before it changes, as when it is shown.
    dialog.GetUndoBuffer().KeepBeforeChange(*command);
    dialog.GetUndoBuffer().KeepBeforeChange(*command);
    command->SetItem("Time", "500");
    dialog.SetRootGroup(nullptr);
    dialog.GetElementStore().Destroy(root);
    dialog.RecordUndoStep();
    EXPECT_EQ(DialogText(dialog), "");

    // Kept once (copy and live element in the first record), then changed.
    EXPECT_EQ(copiesOf(*command), 3);
    ASSERT_EQ(dialog.GetUndoBuffer().Undo(), &dialog);
    EXPECT_EQ(dialog.GetRootGroup(), root);
    EXPECT_EQ(DialogText(dialog), before);
    EXPECT_EQ(command->GetItem("Time"), "");

    dialog.GetUndoBuffer().Redo();
    EXPECT_EQ(dialog.GetRootGroup(), nullptr);
    EXPECT_EQ(dialog.GetItem("TemplateType"), "Shared");
    EXPECT_EQ(command->GetItem("Time"), "500");
}

}  // namespace
}  // namespace ze
