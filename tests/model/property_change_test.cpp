// The model side of committing a property value: unique dialog names,
// re-typing objects and groups, header columns, event commands and images.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/json_parser.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "model/property_change.h"
#include "model/resource_data.h"
#include "model/schema.h"

namespace ze {
namespace {

std::vector<std::string> NamesOf(const CItemList& items) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < items.GetItemCount(); ++i) {
        names.push_back(items.GetItemData(i).GetName());
    }
    return names;
}

// The item names a new object of type (a group when type is kUnset) has.
std::vector<std::string> DefaultNames(ObjectType type, GroupLayout layout) {
    CItemList items;
    type == ObjectType::kUnset ? AddGroupItems(items, layout) : AddObjectItems(items, type, layout);
    return NamesOf(items);
}

std::size_t RowOf(const ZeClass& element, std::string_view name) {
    const CItemList& items = element.Items();
    for (std::size_t i = 0; i < items.GetItemCount(); ++i) {
        if (items.GetItemData(i).GetName() == name) {
            return i;
        }
    }
    ADD_FAILURE() << "no item " << name;
    return items.GetItemCount();
}

// A project with one dialog "Main" whose root group (LINEAR unless given)
// holds the objects the tests add.
class PropertyChangeTest : public ::testing::Test {
protected:
    PropertyChangeTest() { main_ = AddDialog("Main"); }

    CZeDialogData* AddDialog(std::string_view name, GroupLayout rootLayout = GroupLayout::kLinear) {
        CZeDialogData* dialog = project_.GetDialogs().CreateDialog(name);
        auto* root = dialog->GetElementStore().Create<CObjectDataList>(nullptr);
        AddGroupItems(root->Items(), rootLayout);
        dialog->SetRootGroup(root);
        return dialog;
    }

    CObjectData* AddObject(ObjectType type, CObjectDataList* parent = nullptr) {
        parent = parent != nullptr ? parent : main_->GetRootGroup();
        auto* object = parent->GetStore()->Create<CObjectData>(parent);
        AddObjectItems(object->Items(), type, LayoutCode(parent->GetItem("Layout")));
        parent->AddObject(object);
        return object;
    }

    CObjectDataList* AddGroup(GroupLayout layout) {
        CObjectDataList& root = *main_->GetRootGroup();
        auto* group = root.GetStore()->Create<CObjectDataList>(&root);
        AddGroupItems(group->Items(), layout);
        root.AddObject(group);
        return group;
    }

    // Stores value as the property list does, then applies the change.
    PropertyChangeResult Commit(ZeClass& element, std::string_view name, std::string_view value) {
        EXPECT_TRUE(element.SetItem(name, value)) << name;
        return ApplyPropertyChange(project_, element, name);
    }

    CZeResourceData project_;
    CZeDialogData* main_ = nullptr;
};

// --- Dialog names ----------------------------------------------------------

TEST_F(PropertyChangeTest, RenamedDialogGetsAUniqueName) {
    struct Row {
        const char* name;
        std::vector<std::string> others;  // dialogs after Main, in order
        std::size_t renamed;              // index in the dialog list
        std::string typed;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {"to an earlier dialog's name", {"Second"}, 1, "Main", "Main2"},
        {"skips a taken number", {"Main2", "Third"}, 2, "Main", "Main3"},
        {"empty becomes Dialog", {"Second"}, 1, "", "Dialog"},
        {"empty beside a Dialog", {"Dialog", "Third"}, 2, "", "Dialog2"},
        {"a fresh name stays", {"Second"}, 1, "Settings", "Settings"},
        // The search ends at the dialog itself, although a later one has the
        // name too.
        {"found itself before a later one", {"Second"}, 0, "Second", "Second"},
        {"every number up to 3 taken", {"Main2", "Main3", "Fourth"}, 3, "Main", "Main4"},
        {"numbers follow the typed name", {"Main2", "Fourth"}, 2, "Main2", "Main22"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CZeResourceData project;
        std::vector<CZeDialogData*> dialogs{project.GetDialogs().CreateDialog("Main")};
        for (const std::string& other : row.others) {
            dialogs.push_back(project.GetDialogs().CreateDialog(other));
        }
        CZeDialogData& renamed = *dialogs[row.renamed];
        renamed.SetItem("Name", row.typed);
        const PropertyChangeResult result = ApplyPropertyChange(project, renamed, "Name");
        EXPECT_EQ(renamed.GetItem("Name"), row.expected);
        EXPECT_TRUE(result.relabel);
        EXPECT_FALSE(result.itemsReplaced);
    }
}

// --- Re-typing ---------------------------------------------------------------

TEST_F(PropertyChangeTest, ButtonToTextKeepsSharedValuesAndFilledOrphans) {
    CObjectData* object = AddObject(ObjectType::kButton);
    object->SetItem("Name", "ok");
    object->SetItem("Width", "120px");
    object->SetItem("Text", Utf8ToCp932("表示"));
    object->SetItem("FileOn", "on.png");
    object->SetItem("Attr", "");
    const ItemInfo* fileOnInfo = object->Items().GetItemData(RowOf(*object, "FileOn")).GetInfo();

    const PropertyChangeResult result = Commit(*object, "Type", "TEXT");

    EXPECT_TRUE(result.relabel);
    EXPECT_TRUE(result.itemsReplaced);
    EXPECT_EQ(result.added, nullptr);
    std::vector<std::string> expected = DefaultNames(ObjectType::kText, GroupLayout::kLinear);
    expected.push_back("!FileOn");  // Attr was empty: dropped
    EXPECT_EQ(NamesOf(object->Items()), expected);
    EXPECT_EQ(object->GetItem("Width"), "120px");
    const CItemData& orphan = object->Items().GetItemData(RowOf(*object, "!FileOn"));
    EXPECT_EQ(orphan.GetValue(), "on.png");
    EXPECT_EQ(orphan.GetKind(), fileOnInfo->kind);
    EXPECT_EQ(orphan.GetChoices(), fileOnInfo->choices);
    EXPECT_EQ(orphan.GetDescription(), fileOnInfo->description);
    EXPECT_EQ(object->GetTreeLabel(), "Object:TEXT(ok)" + Utf8ToCp932("表示"));

    // The element still writes text the reader takes.
    CJsonString text;
    object->WriteText(text, 0);
    JsonParser parser;
    ASSERT_TRUE(parser.Parse(text.GetText())) << parser.GetErrorText();
    std::string value;
    EXPECT_TRUE(parser.GetString("!FileOn", value));
    EXPECT_EQ(value, "on.png");
    EXPECT_TRUE(parser.IsNull("FileOn"));
}

TEST_F(PropertyChangeTest, RetypingFollowsTheParentsLayoutAndDoubledNames) {
    CZeDialogData* dialog = AddDialog("Rel", GroupLayout::kRelative);
    CObjectData* object = AddObject(ObjectType::kButton, dialog->GetRootGroup());
    object->SetItem("Name", "b");
    Commit(*object, "Type", "PICTURE");
    ASSERT_NE(DefaultNames(ObjectType::kPicture, GroupLayout::kRelative),
              DefaultNames(ObjectType::kPicture, GroupLayout::kLinear));
    EXPECT_EQ(NamesOf(object->Items()), DefaultNames(ObjectType::kPicture, GroupLayout::kRelative));
    EXPECT_EQ(object->GetItem("Name"), "b");

    // A name held twice keeps both values, the second as an orphan.
    CObjectData* twice = AddObject(ObjectType::kButton);
    twice->SetItem("Text", "first");
    twice->Items().AddItem(CItemData(ItemKind::kUserText, "Text", "second"));
    Commit(*twice, "Type", "TEXT");
    EXPECT_EQ(twice->GetItem("Text"), "first");
    EXPECT_EQ(NamesOf(twice->Items()).back(), "!Text");
    EXPECT_EQ(twice->GetItem("!Text"), "second");

    // The old Type item takes the new one's place: no "!Type" orphan.
    CObjectData* slider = AddObject(ObjectType::kButton);
    RetypeObject(*slider, ObjectType::kSlidebar);
    EXPECT_EQ(slider->GetItem("Type"), "SLIDEBAR");
    EXPECT_EQ(NamesOf(slider->Items()).back(), "NotifyList");
}

TEST_F(PropertyChangeTest, UnknownTypeChangesNoItems) {
    CObjectData* object = AddObject(ObjectType::kButton);
    const std::vector<std::string> before = NamesOf(object->Items());
    EXPECT_FALSE(Commit(*object, "Type", "BUTTONX").itemsReplaced);
    RetypeObject(*object, ObjectType::kCount);
    RetypeObject(*object, ObjectType::kUnset);
    EXPECT_EQ(NamesOf(object->Items()), before);
}

TEST_F(PropertyChangeTest, LayoutChangeRebuildsTheGroupsItems) {
    CObjectDataList* group = AddGroup(GroupLayout::kLinear);
    group->SetItem("Name", "row");
    group->SetItem("Vertical", "true");
    group->SetItem("Width", "PARENT");
    CObjectData* child = AddObject(ObjectType::kText, group);

    const PropertyChangeResult result = Commit(*group, "Layout", "RADIO");
    EXPECT_EQ(NamesOf(group->Items()), DefaultNames(ObjectType::kUnset, GroupLayout::kRadio));
    EXPECT_EQ(group->GetItem("Vertical"), "true");
    EXPECT_TRUE(result.relabel);
    EXPECT_TRUE(result.itemsReplaced);

    Commit(*group, "Layout", "FRAME");
    std::vector<std::string> expected = DefaultNames(ObjectType::kUnset, GroupLayout::kFrame);
    expected.push_back("!Vertical");  // the empty Alias is dropped
    EXPECT_EQ(NamesOf(group->Items()), expected);
    EXPECT_EQ(group->GetItem("Type"), "GROUP");
    EXPECT_EQ(group->GetItem("Width"), "PARENT");
    EXPECT_EQ(group->GetTreeLabel(), "Group:FRAME(row)");
    EXPECT_EQ(group->GetChildren(), std::vector<CObjectData*>{child});

    // "Type" on a group and "Layout" on an object are no re-typing.
    EXPECT_FALSE(ApplyPropertyChange(project_, *group, "Type").itemsReplaced);
    CObjectData* text = AddObject(ObjectType::kText);
    text->Items().AddItem(CItemData(ItemKind::kPlainText, "Layout", "FRAME"));
    EXPECT_FALSE(ApplyPropertyChange(project_, *text, "Layout").itemsReplaced);
}

TEST_F(PropertyChangeTest, TextChangesRelabelOtherPropertiesDoNothing) {
    CObjectData* button = AddObject(ObjectType::kButton);
    button->Items().AddItem(CItemData(ItemKind::kUserText, "TextOn", ""));
    EXPECT_TRUE(Commit(*button, "Text", "a").relabel);
    EXPECT_TRUE(Commit(*button, "TextOn", "b").relabel);
    const PropertyChangeResult width = Commit(*button, "Width", "10");
    EXPECT_FALSE(width.relabel || width.itemsReplaced || width.added != nullptr);
    EXPECT_EQ(button->GetItem("Width"), "10");
}

// --- Header columns and event commands -----------------------------------------

TEST_F(PropertyChangeTest, AddingHeaderColumnsCountsThem) {
    CObjectData* grid = AddObject(ObjectType::kGrid);
    grid->AddHeader(CreateHeaderColumn(*grid->GetStore()));
    grid->SetItem("Columns", "1");
    const std::string add = Utf8ToCp932("ヘッダ項目追加");

    const PropertyChangeResult first = Commit(*grid, "Columns", add);
    ASSERT_NE(first.added, nullptr);
    EXPECT_EQ(first.added->GetKind(), ElementKind::kHeaderColumn);
    EXPECT_EQ(first.added->GetStore(), grid->GetStore());
    CItemList defaults;
    AddHeaderColumnItems(defaults);
    EXPECT_TRUE(first.added->Items().IsSameItems(defaults));
    EXPECT_EQ(grid->GetItem("Columns"), "2");

    const PropertyChangeResult second = Commit(*grid, "Columns", add);
    EXPECT_EQ(grid->GetItem("Columns"), "3");
    EXPECT_EQ(grid->GetHeaders(),
              (std::vector<ZeClass*>{grid->GetHeaders()[0], first.added, second.added}));
    EXPECT_FALSE(second.relabel);

    // A cancel or anything typed just gives back the count.
    for (const std::string& typed : {Utf8ToCp932("キャンセル"), std::string("7")}) {
        EXPECT_EQ(Commit(*grid, "Columns", typed).added, nullptr);
        EXPECT_EQ(grid->GetItem("Columns"), "3");
        EXPECT_EQ(grid->GetHeaders().size(), 3u);
    }
}

TEST_F(PropertyChangeTest, CommandPickedUnderAnEventIsAdded) {
    CObjectData* button = AddObject(ObjectType::kButton);
    CObjectData* slider = AddObject(ObjectType::kSlidebar);
    CObjectDataList* group = AddGroup(GroupLayout::kFrame);
    group->Items().AddItem(CItemData(ItemKind::kChoice, "OnClick", ""));
    struct Row {
        ZeClass* owner;
        const char* event;
        const char* value;
        const char* item;  // the command's item that holds the value
    };
    const std::vector<Row> rows = {
        {button, "OnClick", "TIMER", "Command"},
        {button, "OnClick", "CONDITION", "MakeCommand"},
        {main_, "OnOpen", "HELLO", "SendCommand"},
        {slider, "OnSlide", "UPDATE", "MakeCommand"},
        {slider, "OnTouch", "UPDATE", "MakeCommand"},
        {slider, "OnRelease", "UPDATE", "MakeCommand"},
        {group, "OnClick", "CLOSE", "Command"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.event) + " " + row.value);
        std::vector<ZeClass*>& commands = row.owner == main_
                                              ? main_->GetCommands()
                                              : static_cast<CObjectData*>(row.owner)->GetCommands();
        const std::size_t count = commands.size();
        const PropertyChangeResult result = Commit(*row.owner, row.event, row.value);
        EXPECT_EQ(row.owner->GetItem(row.event), "");
        ASSERT_EQ(commands.size(), count + 1);
        ASSERT_EQ(result.added, commands.back());
        EXPECT_EQ(result.added->GetKind(), ElementKind::kCommand);
        EXPECT_EQ(result.added->GetStore(), &main_->GetElementStore());
        EXPECT_EQ(result.added->GetItem("Event"), row.event);
        EXPECT_EQ(result.added->GetItem(row.item), row.value);
        if (std::string_view(row.item) == "MakeCommand") {
            EXPECT_EQ(result.added->GetItem("Command"), "NOTIFY");
        }
    }
    EXPECT_EQ(NamesOf(button->GetCommands()[0]->Items()),
              (std::vector<std::string>{"Event", "Command", "Time"}));

    CObjectData* other = AddObject(ObjectType::kButton);
    for (const std::string& value :
         {Utf8ToCp932("キャンセル"), std::string("TIMERS"), std::string("timer")}) {
        SCOPED_TRACE(Cp932ToUtf8(value));
        EXPECT_EQ(Commit(*other, "OnClick", value).added, nullptr);
        EXPECT_EQ(other->GetItem("OnClick"), "");
        EXPECT_TRUE(other->GetCommands().empty());
    }
}

// --- Images ----------------------------------------------------------------------

TEST(CentrePositionTest, ComesFromTheLastBracketsAfterTheFirstCharacter) {
    // Image names in UTF-8 and their centres. "ゼ" is 0x83 0x5B and "‐"
    // 0x81 0x5D: their second bytes are no brackets.
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"btn[10-20].png", "10,20"}, {"a[5].png", "5"},         {"a[1-2]b[3-4].png", "3,4"},
        {"a]b[1-2].png", "1,2"},     {"[10-20].png", ""},       {"a1-2].png", ""},
        {"a[1-2.png", ""},           {"a[].png", ""},           {"plain.png", ""},
        {"ゼ[3-4]ー.png", "3,4"},    {"p[1-ゼ2].png", "1,ゼ2"}, {"ゼ1-2].png", ""},
        {"p[1-2]‐.png", "1,2"}};
    for (const auto& [image, centre] : rows) {
        EXPECT_EQ(Cp932ToUtf8(CentrePositionFromImageName(Utf8ToCp932(image))), centre) << image;
    }
    for (const char* name : {"File", "FileOn", "FileThumb", "FileTop"}) {
        EXPECT_TRUE(TakesImage(name)) << name;
    }
    for (const char* name : {"FileSource", "FilePath", "file", "Files", "", "CenterPosBase"}) {
        EXPECT_FALSE(TakesImage(name)) << name;
    }
}

TEST_F(PropertyChangeTest, ImagesSetTheirOwnCentresOnly) {
    // An UPDATE command has FileOn and the centre positions.
    ZeClass* update = CreateCommand(main_->GetElementStore(), "UPDATE", "OnClick");
    ASSERT_TRUE(AssignImage(*update, RowOf(*update, "FileOn"), 1, "btn[10-20].png"));
    EXPECT_EQ(update->GetItem("FileOn"), "btn[10-20].png");
    EXPECT_EQ(update->GetItem("CenterPosCursor"), "10,20");
    EXPECT_EQ(update->GetItem("CenterPosBase"), "");
    EXPECT_EQ(update->GetItem("FileSource"), "");

    CObjectData* meter = AddObject(ObjectType::kMeter);
    ASSERT_TRUE(AssignImage(*meter, RowOf(*meter, "FileBase"), 1, "base[1-2].png"));
    ASSERT_TRUE(AssignImage(*meter, RowOf(*meter, "FileCursor"), 1, "cur[3-4].png"));
    ASSERT_TRUE(AssignImage(*meter, RowOf(*meter, "FileTop"), 1, "top[5-6].png"));
    EXPECT_EQ(meter->GetItem("CenterPosBase"), "1,2");
    EXPECT_EQ(meter->GetItem("CenterPosCursor"), "3,4");
    EXPECT_EQ(meter->GetItem("CenterPosTop"), "5,6");
    // An image without a centre leaves the old centre alone.
    ASSERT_TRUE(AssignImage(*meter, RowOf(*meter, "FileTop"), 1, "plain.png"));
    EXPECT_EQ(meter->GetItem("FileTop"), "plain.png");
    EXPECT_EQ(meter->GetItem("CenterPosTop"), "5,6");

    // Elements without a centre item get the image and no new item.
    CObjectData* button = AddObject(ObjectType::kButton);
    ZeClass* sound = CreateCommand(main_->GetElementStore(), "SOUND", "OnClick");
    for (auto [element, row] :
         {std::pair{static_cast<ZeClass*>(button), "FileOn"}, std::pair{sound, "File"}}) {
        SCOPED_TRACE(row);
        const std::size_t count = element->Items().GetItemCount();
        ASSERT_TRUE(AssignImage(*element, RowOf(*element, row), 2, "beep[1-2].wav"));
        EXPECT_EQ(element->GetItem(row), "beep[1-2].wav");
        EXPECT_EQ(element->Items().GetItemCount(), count);
    }
}

TEST_F(PropertyChangeTest, FileSourceFollowsTheKindOfImage) {
    struct Row {
        const char* name;
        int entryKind;
        const char* before;
        const char* after;
    };
    const std::vector<Row> rows = {
        {"built-in, empty stays", 1, "", ""},
        {"built-in replaces STATION", 1, "STATION", "BUILTIN"},
        {"built-in replaces URI", 1, "URI", "BUILTIN"},
        {"user, empty becomes STATION", 2, "", "STATION"},
        {"user replaces BUILTIN", 2, "BUILTIN", "STATION"},
        {"other kind leaves it", 3, "URI", "URI"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CObjectData* picture = AddObject(ObjectType::kPicture);
        picture->SetItem("FileSource", row.before);
        ASSERT_TRUE(AssignImage(*picture, RowOf(*picture, "File"), row.entryKind, "a.png"));
        EXPECT_EQ(picture->GetItem("File"), "a.png");
        EXPECT_EQ(picture->GetItem("FileSource"), row.after);
    }
}

TEST_F(PropertyChangeTest, ImageGoesToTheRowItselfAndOnlyToImageRows) {
    CObjectData* picture = AddObject(ObjectType::kPicture);
    picture->SetItem("Name", "pic");
    CItemList before;
    before.CopyItems(picture->Items());
    EXPECT_FALSE(AssignImage(*picture, RowOf(*picture, "Name"), 1, "a[1-2].png"));
    EXPECT_FALSE(AssignImage(*picture, RowOf(*picture, "FileSource"), 2, "a.png"));
    EXPECT_FALSE(AssignImage(*picture, picture->Items().GetItemCount(), 2, "a.png"));
    EXPECT_FALSE(AssignImage(*picture, 1000, 2, "a.png"));
    EXPECT_TRUE(picture->Items().IsSameItems(before));

    // With a name held twice the row chosen is the one that changes.
    picture->Items().AddItem(CItemData(ItemKind::kImageFile, "File", "second.png"));
    const std::size_t last = picture->Items().GetItemCount() - 1;
    ASSERT_TRUE(AssignImage(*picture, last, 1, "b.png"));
    EXPECT_EQ(picture->GetItem("File"), "");
    EXPECT_EQ(picture->Items().GetItemData(last).GetValue(), "b.png");
}

}  // namespace
}  // namespace ze
