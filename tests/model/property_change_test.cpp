// The model side of committing a property value: unique dialog names,
// re-typing objects and groups, header columns, event commands and images.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
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

const CItemData& ItemNamed(const ZeClass& element, std::string_view name) {
    return element.Items().GetItemData(RowOf(element, name));
}

// A project with one dialog "Main" whose root group (LINEAR unless given)
// holds the objects the tests add.
class PropertyChangeTest : public ::testing::Test {
protected:
    PropertyChangeTest() { main_ = AddDialog("Main"); }

    CZeDialogData* AddDialog(std::string_view name, int rootLayout = layout_code::kLinear) {
        CZeDialogData* dialog = project_.GetDialogs().CreateDialog(name);
        auto* root = dialog->GetElementStore().Create<CObjectDataList>(nullptr);
        AddGroupItems(root->Items(), rootLayout);
        dialog->SetRootGroup(root);
        return dialog;
    }

    CObjectData* AddObject(CObjectDataList& parent, int type) {
        auto* object = parent.GetStore()->Create<CObjectData>(&parent);
        AddObjectItems(object->Items(), type, LayoutCode(parent.GetItem("Layout")));
        parent.AddObject(object);
        return object;
    }

    CObjectDataList* AddGroup(CObjectDataList& parent, int layout) {
        auto* group = parent.GetStore()->Create<CObjectDataList>(&parent);
        AddGroupItems(group->Items(), layout);
        parent.AddObject(group);
        return group;
    }

    // Stores value as the property list does, then applies the change.
    PropertyChangeResult Commit(ZeClass& element, std::string_view name, std::string_view value) {
        EXPECT_TRUE(element.SetItem(name, value)) << name;
        return ApplyPropertyChange(project_, element, name);
    }

    CObjectDataList& Root() { return *main_->GetRootGroup(); }

    CZeResourceData project_;
    CZeDialogData* main_ = nullptr;
};

// --- Dialog names ----------------------------------------------------------

struct RenameCase {
    const char* name;
    std::vector<std::string> others;  // dialogs after Main, in order
    std::size_t renamed;              // index in the dialog list
    std::string typed;
    std::string expected;
};

TEST_F(PropertyChangeTest, RenamedDialogGetsAUniqueName) {
    const std::vector<RenameCase> cases = {
        {"to an earlier dialog's name", {"Second"}, 1, "Main", "Main2"},
        {"skips a taken number", {"Main2", "Third"}, 2, "Main", "Main3"},
        {"empty becomes Dialog", {"Second"}, 1, "", "Dialog"},
        {"empty beside a Dialog", {"Dialog", "Third"}, 2, "", "Dialog2"},
        {"its own name stays", {"Second"}, 1, "Second", "Second"},
        {"a fresh name stays", {"Second"}, 1, "Settings", "Settings"},
        // The dialog itself is found first: the search ends there, although
        // a later dialog has the name too.
        {"found itself before a later one", {"Second"}, 0, "Second", "Second"},
        {"every number up to 3 taken", {"Main2", "Main3", "Fourth"}, 3, "Main", "Main4"},
        {"numbers follow the typed name", {"Main2", "Fourth"}, 2, "Main2", "Main22"},
    };
    for (const RenameCase& row : cases) {
        SCOPED_TRACE(row.name);
        CZeResourceData project;
        std::vector<CZeDialogData*> dialogs;
        dialogs.push_back(project.GetDialogs().CreateDialog("Main"));
        for (const std::string& other : row.others) {
            auto dialog = std::make_unique<CZeDialogData>(other);
            dialogs.push_back(dialog.get());
            project.GetDialogs().AddDialog(std::move(dialog));
        }
        CZeDialogData& renamed = *dialogs[row.renamed];
        renamed.SetItem("Name", row.typed);
        const PropertyChangeResult result = ApplyPropertyChange(project, renamed, "Name");
        EXPECT_EQ(renamed.GetItem("Name"), row.expected);
        EXPECT_TRUE(result.relabel);
        EXPECT_FALSE(result.itemsReplaced);
        EXPECT_EQ(result.added, nullptr);
    }
}

// --- Re-typing ---------------------------------------------------------------

TEST_F(PropertyChangeTest, ButtonToTextKeepsSharedValuesAndFilledOrphans) {
    CObjectData* object = AddObject(Root(), object_type::kButton);
    object->SetItem("Name", "ok");
    object->SetItem("Width", "120px");
    object->SetItem("Text", Utf8ToCp932("表示"));
    object->SetItem("TColor", "RED");
    object->SetItem("FileOn", "on.png");
    object->SetItem("Attr", "");
    object->SetItem("FileOff", "");
    const ItemInfo* fileOnInfo = ItemNamed(*object, "FileOn").GetInfo();

    const PropertyChangeResult result = Commit(*object, "Type", "TEXT");

    EXPECT_TRUE(result.relabel);
    EXPECT_TRUE(result.itemsReplaced);
    EXPECT_EQ(result.added, nullptr);
    CItemList textItems;
    AddObjectItems(textItems, object_type::kText, layout_code::kLinear);
    std::vector<std::string> expected = NamesOf(textItems);
    expected.push_back("!FileOn");  // Attr and FileOff were empty: dropped
    EXPECT_EQ(NamesOf(object->Items()), expected);
    EXPECT_EQ(object->GetItem("Type"), "TEXT");
    EXPECT_EQ(object->GetItem("Name"), "ok");
    EXPECT_EQ(object->GetItem("Width"), "120px");
    EXPECT_EQ(object->GetItem("Text"), Utf8ToCp932("表示"));
    EXPECT_EQ(object->GetItem("TColor"), "RED");
    const CItemData& orphan = ItemNamed(*object, "!FileOn");
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
    EXPECT_TRUE(parser.GetString("Type", value));
    EXPECT_EQ(value, "TEXT");
    EXPECT_TRUE(parser.GetString("Width", value));
    EXPECT_EQ(value, "120px");
    EXPECT_TRUE(parser.GetString("!FileOn", value));
    EXPECT_EQ(value, "on.png");
    EXPECT_TRUE(parser.IsNull("FileOn"));
}

TEST_F(PropertyChangeTest, RetypingKeepsTheParentsExtraItems) {
    CZeDialogData* dialog = AddDialog("Rel", layout_code::kRelative);
    CObjectData* object = AddObject(*dialog->GetRootGroup(), object_type::kButton);
    object->SetItem("Name", "b");
    Commit(*object, "Type", "PICTURE");
    CItemList expected;
    AddObjectItems(expected, object_type::kPicture, layout_code::kRelative);
    CItemList unrelated;
    AddObjectItems(unrelated, object_type::kPicture, layout_code::kLinear);
    ASSERT_NE(NamesOf(expected), NamesOf(unrelated));
    EXPECT_EQ(NamesOf(object->Items()), NamesOf(expected));
    EXPECT_EQ(object->GetItem("Name"), "b");
}

TEST_F(PropertyChangeTest, RetypeSetsTheTypeItemWhateverItHeld) {
    CObjectData* object = AddObject(Root(), object_type::kButton);
    RetypeObject(*object, object_type::kSlidebar);
    EXPECT_EQ(object->GetItem("Type"), "SLIDEBAR");
    EXPECT_EQ(RowOf(*object, "FileThumb") < object->Items().GetItemCount(), true);
    // No "!Type" orphan: the old Type item took the new one's place.
    EXPECT_EQ(NamesOf(object->Items()).back(), "NotifyList");
}

TEST_F(PropertyChangeTest, NameHeldTwiceKeepsBothValues) {
    CObjectData* object = AddObject(Root(), object_type::kButton);
    object->SetItem("Text", "first");
    object->Items().AddItem(CItemData(2, "Text", "second"));
    Commit(*object, "Type", "TEXT");
    EXPECT_EQ(object->GetItem("Text"), "first");
    EXPECT_EQ(NamesOf(object->Items()).back(), "!Text");
    EXPECT_EQ(object->GetItem("!Text"), "second");
}

TEST_F(PropertyChangeTest, UnknownTypeChangesNoItems) {
    CObjectData* object = AddObject(Root(), object_type::kButton);
    const std::vector<std::string> before = NamesOf(object->Items());
    const PropertyChangeResult result = Commit(*object, "Type", "BUTTONX");
    EXPECT_FALSE(result.itemsReplaced);
    EXPECT_EQ(NamesOf(object->Items()), before);
    RetypeObject(*object, object_type::kCount);
    RetypeObject(*object, -1);
    EXPECT_EQ(NamesOf(object->Items()), before);
}

TEST_F(PropertyChangeTest, LayoutChangeRebuildsTheGroupsItems) {
    CObjectDataList* group = AddGroup(Root(), layout_code::kLinear);
    group->SetItem("Name", "row");
    group->SetItem("Vertical", "true");
    group->SetItem("Width", "PARENT");
    CObjectData* child = AddObject(*group, object_type::kText);

    const PropertyChangeResult result = Commit(*group, "Layout", "RADIO");
    CItemList radio;
    AddGroupItems(radio, layout_code::kRadio);
    EXPECT_EQ(NamesOf(group->Items()), NamesOf(radio));  // Alias added, Vertical kept
    EXPECT_EQ(group->GetItem("Vertical"), "true");
    EXPECT_TRUE(result.relabel);
    EXPECT_TRUE(result.itemsReplaced);

    Commit(*group, "Layout", "FRAME");
    CItemList frame;
    AddGroupItems(frame, layout_code::kFrame);
    std::vector<std::string> expected = NamesOf(frame);
    expected.push_back("!Vertical");  // the empty Alias is dropped
    EXPECT_EQ(NamesOf(group->Items()), expected);
    EXPECT_EQ(group->GetItem("Layout"), "FRAME");
    EXPECT_EQ(group->GetItem("Type"), "GROUP");
    EXPECT_EQ(group->GetItem("Width"), "PARENT");
    EXPECT_EQ(group->GetTreeLabel(), "Group:FRAME(row)");
    ASSERT_EQ(group->GetChildren().size(), 1u);
    EXPECT_EQ(group->GetChildren().front(), child);

    // "Type" on a group and "Layout" on an object are no re-typing.
    EXPECT_FALSE(ApplyPropertyChange(project_, *group, "Type").itemsReplaced);
    CObjectData* text = AddObject(Root(), object_type::kText);
    text->Items().AddItem(CItemData(0, "Layout", "FRAME"));
    EXPECT_FALSE(ApplyPropertyChange(project_, *text, "Layout").itemsReplaced);
}

// --- Header columns ------------------------------------------------------------

TEST_F(PropertyChangeTest, AddingHeaderColumnsCountsThem) {
    CObjectData* grid = AddObject(Root(), object_type::kGrid);
    grid->AddHeader(CreateHeaderColumn(*grid->GetStore()));
    grid->SetItem("Columns", "1");
    const std::string add = Utf8ToCp932("ヘッダ項目追加");

    const PropertyChangeResult first = Commit(*grid, "Columns", add);
    ASSERT_NE(first.added, nullptr);
    EXPECT_EQ(first.added->GetKind(), element_kind::kHeaderColumn);
    EXPECT_EQ(first.added->GetStore(), grid->GetStore());
    CItemList defaults;
    AddHeaderColumnItems(defaults);
    EXPECT_TRUE(first.added->Items().IsSameItems(defaults));
    EXPECT_EQ(grid->GetItem("Columns"), "2");

    const PropertyChangeResult second = Commit(*grid, "Columns", add);
    EXPECT_EQ(grid->GetItem("Columns"), "3");
    ASSERT_EQ(grid->GetHeaders().size(), 3u);
    EXPECT_EQ(grid->GetHeaders()[1], first.added);
    EXPECT_EQ(grid->GetHeaders()[2], second.added);
    EXPECT_FALSE(second.relabel);

    const PropertyChangeResult cancel = Commit(*grid, "Columns", Utf8ToCp932("キャンセル"));
    EXPECT_EQ(cancel.added, nullptr);
    EXPECT_EQ(grid->GetItem("Columns"), "3");
    EXPECT_EQ(grid->GetHeaders().size(), 3u);

    // Anything typed just gives back the count.
    Commit(*grid, "Columns", "7");
    EXPECT_EQ(grid->GetItem("Columns"), "3");
}

// --- Event commands ------------------------------------------------------------

TEST_F(PropertyChangeTest, CommandPickedUnderAnEventIsAdded) {
    CObjectData* button = AddObject(Root(), object_type::kButton);
    const PropertyChangeResult result = Commit(*button, "OnClick", "TIMER");
    EXPECT_EQ(button->GetItem("OnClick"), "");
    ASSERT_EQ(button->GetCommands().size(), 1u);
    ZeClass* command = button->GetCommands().front();
    EXPECT_EQ(result.added, command);
    EXPECT_EQ(command->GetKind(), element_kind::kCommand);
    EXPECT_EQ(command->GetItem("Event"), "OnClick");
    EXPECT_EQ(command->GetItem("Command"), "TIMER");
    EXPECT_EQ(command->GetStore(), button->GetStore());
    EXPECT_EQ(NamesOf(command->Items()), (std::vector<std::string>{"Event", "Command", "Time"}));

    Commit(*button, "OnClick", "CONDITION");
    ASSERT_EQ(button->GetCommands().size(), 2u);
    EXPECT_EQ(button->GetCommands()[1]->GetItem("Command"), "NOTIFY");
    EXPECT_EQ(button->GetCommands()[1]->GetItem("MakeCommand"), "CONDITION");
}

TEST_F(PropertyChangeTest, CancelledOrUnknownCommandAddsNothing) {
    CObjectData* button = AddObject(Root(), object_type::kButton);
    for (const std::string& value :
         {Utf8ToCp932("キャンセル"), std::string("TIMERS"), std::string("timer")}) {
        SCOPED_TRACE(Cp932ToUtf8(value));
        const PropertyChangeResult result = Commit(*button, "OnClick", value);
        EXPECT_EQ(result.added, nullptr);
        EXPECT_EQ(button->GetItem("OnClick"), "");
        EXPECT_TRUE(button->GetCommands().empty());
    }
}

TEST_F(PropertyChangeTest, DialogCommandsGoToTheDialogsStore) {
    main_->SetItem("OnOpen", "HELLO");
    const PropertyChangeResult result = ApplyPropertyChange(project_, *main_, "OnOpen");
    ASSERT_EQ(main_->GetCommands().size(), 1u);
    EXPECT_EQ(result.added, main_->GetCommands().front());
    EXPECT_EQ(result.added->GetStore(), &main_->GetElementStore());
    EXPECT_EQ(result.added->GetItem("Event"), "OnOpen");
    EXPECT_EQ(result.added->GetItem("SendCommand"), "HELLO");
    EXPECT_EQ(main_->GetItem("OnOpen"), "");
}

TEST_F(PropertyChangeTest, SlidebarEventsAndGroupCommands) {
    CObjectData* slider = AddObject(Root(), object_type::kSlidebar);
    for (const char* event : {"OnSlide", "OnTouch", "OnRelease"}) {
        SCOPED_TRACE(event);
        const PropertyChangeResult result = Commit(*slider, event, "UPDATE");
        ASSERT_NE(result.added, nullptr);
        EXPECT_EQ(result.added->GetItem("Event"), event);
        EXPECT_EQ(slider->GetItem(event), "");
    }
    EXPECT_EQ(slider->GetCommands().size(), 3u);

    CObjectDataList* group = AddGroup(Root(), layout_code::kFrame);
    group->Items().AddItem(CItemData(3, "OnClick", "CLOSE"));
    const PropertyChangeResult result = ApplyPropertyChange(project_, *group, "OnClick");
    ASSERT_EQ(group->GetCommands().size(), 1u);
    EXPECT_EQ(result.added, group->GetCommands().front());
}

TEST_F(PropertyChangeTest, TextChangesRelabelOtherPropertiesDoNothing) {
    CObjectData* button = AddObject(Root(), object_type::kButton);
    button->Items().AddItem(CItemData(2, "TextOn", ""));
    EXPECT_TRUE(Commit(*button, "Text", "a").relabel);
    EXPECT_TRUE(Commit(*button, "TextOn", "b").relabel);
    const PropertyChangeResult width = Commit(*button, "Width", "10");
    EXPECT_FALSE(width.relabel);
    EXPECT_FALSE(width.itemsReplaced);
    EXPECT_EQ(width.added, nullptr);
    EXPECT_EQ(button->GetItem("Width"), "10");
}

// --- Images ----------------------------------------------------------------------

TEST(CentrePositionTest, ComesFromTheLastBracketsAfterTheFirstCharacter) {
    struct Row {
        const char* name;
        std::string image;  // UTF-8
        std::string centre;
    };
    const std::vector<Row> rows = {
        {"two numbers", "btn[10-20].png", "10,20"},
        {"no extension", "btn[10-20]", "10,20"},
        {"three numbers", "g[1-2-3].png", "1,2,3"},
        {"one number", "a[5].png", "5"},
        {"last brackets win", "a[1-2]b[3-4].png", "3,4"},
        {"close bracket earlier too", "a]b[1-2].png", "1,2"},
        {"open bracket first", "[10-20].png", ""},
        {"close bracket first", "]ab", ""},
        {"no open bracket", "a1-2].png", ""},
        {"no close bracket", "a[1-2.png", ""},
        {"empty brackets", "a[].png", ""},
        {"no brackets", "plain.png", ""},
        {"Japanese before", "ゼ[3-4]ー.png", "3,4"},
        {"Japanese inside", "p[1-ゼ2].png", "1,ゼ2"},
        // "ゼ" is 0x83 0x5B and "‐" 0x81 0x5D: their second bytes are no
        // brackets.
        {"second byte is no open bracket", "ゼ1-2].png", ""},
        {"second byte is no close bracket", "p[1-2]‐.png", "1,2"},
        {"double-byte first character", "ゼ[7-8].png", "7,8"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Cp932ToUtf8(CentrePositionFromImageName(Utf8ToCp932(row.image))), row.centre);
    }
}

TEST(CentrePositionTest, ImageProperties) {
    for (const char* name : {"File", "FileOn", "FileOff", "FileThumb", "FileBase", "FileActive",
                             "FileCursor", "FileTop"}) {
        EXPECT_TRUE(TakesImage(name)) << name;
    }
    for (const char* name : {"FileSource", "FilePath", "file", "Files", "", "CenterPosBase"}) {
        EXPECT_FALSE(TakesImage(name)) << name;
    }
}

TEST_F(PropertyChangeTest, BuiltInImageOnFileOnSetsTheCursorCentre) {
    // An UPDATE command has FileOn and the centre positions.
    ZeClass* update = CreateCommand(main_->GetElementStore(), "UPDATE", "OnClick");
    ASSERT_TRUE(AssignImage(*update, RowOf(*update, "FileOn"), 1, "btn[10-20].png"));
    EXPECT_EQ(update->GetItem("FileOn"), "btn[10-20].png");
    EXPECT_EQ(update->GetItem("CenterPosCursor"), "10,20");
    EXPECT_EQ(update->GetItem("CenterPosBase"), "");
    EXPECT_EQ(update->GetItem("FileSource"), "");

    // A BUTTON has no centre position: it gets the image and nothing more.
    CObjectData* button = AddObject(Root(), object_type::kButton);
    const std::size_t count = button->Items().GetItemCount();
    ASSERT_TRUE(AssignImage(*button, RowOf(*button, "FileOn"), 1, "btn[10-20].png"));
    EXPECT_EQ(button->GetItem("FileOn"), "btn[10-20].png");
    EXPECT_EQ(button->Items().GetItemCount(), count);
}

TEST_F(PropertyChangeTest, MeterImagesSetTheirOwnCentres) {
    CObjectData* meter = AddObject(Root(), object_type::kMeter);
    const std::size_t count = meter->Items().GetItemCount();
    ASSERT_TRUE(AssignImage(*meter, RowOf(*meter, "FileBase"), 1, "base[1-2].png"));
    ASSERT_TRUE(AssignImage(*meter, RowOf(*meter, "FileCursor"), 1, "cur[3-4].png"));
    ASSERT_TRUE(AssignImage(*meter, RowOf(*meter, "FileTop"), 1, "top[5-6].png"));
    EXPECT_EQ(meter->GetItem("CenterPosBase"), "1,2");
    EXPECT_EQ(meter->GetItem("CenterPosCursor"), "3,4");
    EXPECT_EQ(meter->GetItem("CenterPosTop"), "5,6");
    EXPECT_EQ(meter->Items().GetItemCount(), count);

    // An image without a centre leaves the old centre alone.
    ASSERT_TRUE(AssignImage(*meter, RowOf(*meter, "FileTop"), 1, "plain.png"));
    EXPECT_EQ(meter->GetItem("FileTop"), "plain.png");
    EXPECT_EQ(meter->GetItem("CenterPosTop"), "5,6");
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
        {"built-in, BUILTIN stays", 1, "BUILTIN", "BUILTIN"},
        {"built-in replaces STATION", 1, "STATION", "BUILTIN"},
        {"built-in replaces URI", 1, "URI", "BUILTIN"},
        {"user, empty becomes STATION", 2, "", "STATION"},
        {"user replaces BUILTIN", 2, "BUILTIN", "STATION"},
        {"user, STATION stays", 2, "STATION", "STATION"},
        {"other kind leaves it", 3, "URI", "URI"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CObjectData* picture = AddObject(Root(), object_type::kPicture);
        picture->SetItem("FileSource", row.before);
        ASSERT_TRUE(AssignImage(*picture, RowOf(*picture, "File"), row.entryKind, "a.png"));
        EXPECT_EQ(picture->GetItem("File"), "a.png");
        EXPECT_EQ(picture->GetItem("FileSource"), row.after);
    }
}

TEST_F(PropertyChangeTest, ImageGoesToTheRowItselfAndOnlyToImageRows) {
    CObjectData* picture = AddObject(Root(), object_type::kPicture);
    picture->SetItem("Name", "pic");
    CItemList before;
    before.CopyItems(picture->Items());
    EXPECT_FALSE(AssignImage(*picture, RowOf(*picture, "Name"), 1, "a[1-2].png"));
    EXPECT_FALSE(AssignImage(*picture, RowOf(*picture, "FileSource"), 2, "a.png"));
    EXPECT_FALSE(AssignImage(*picture, picture->Items().GetItemCount(), 2, "a.png"));
    EXPECT_FALSE(AssignImage(*picture, 1000, 2, "a.png"));
    EXPECT_TRUE(picture->Items().IsSameItems(before));

    // With a name held twice the row chosen is the one that changes.
    picture->Items().AddItem(CItemData(5, "File", "second.png"));
    const std::size_t last = picture->Items().GetItemCount() - 1;
    ASSERT_TRUE(AssignImage(*picture, last, 1, "b.png"));
    EXPECT_EQ(picture->GetItem("File"), "");
    EXPECT_EQ(picture->Items().GetItemData(last).GetValue(), "b.png");
}

TEST_F(PropertyChangeTest, CommandsTakeImagesWithoutACentreItem) {
    CObjectData* button = AddObject(Root(), object_type::kButton);
    button->SetItem("OnClick", "SOUND");
    ZeClass* sound = ApplyPropertyChange(project_, *button, "OnClick").added;
    ASSERT_NE(sound, nullptr);
    const std::size_t count = sound->Items().GetItemCount();
    ASSERT_TRUE(AssignImage(*sound, RowOf(*sound, "File"), 2, "beep[1-2].wav"));
    EXPECT_EQ(sound->GetItem("File"), "beep[1-2].wav");
    EXPECT_EQ(sound->GetItem("FileSource"), "STATION");
    EXPECT_EQ(sound->Items().GetItemCount(), count);
}

}  // namespace
}  // namespace ze
