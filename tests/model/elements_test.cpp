#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/dialog_data.h"
#include "model/element_store.h"
#include "model/object_data.h"
#include "model/schema.h"
#include "model/ze_class.h"

namespace ze {
namespace {

// A small tree in its own store: root FRAME group holding objects a, b and a
// LINEAR group g holding c.
struct SmallTree {
    ElementStore store;
    CObjectDataList* root = nullptr;
    CObjectData* a = nullptr;
    CObjectData* b = nullptr;
    CObjectDataList* g = nullptr;
    CObjectData* c = nullptr;

    SmallTree() {
        root = Group(nullptr, GroupLayout::kFrame, "root");
        a = Object(root, ObjectType::kButton, "a");
        b = Object(root, ObjectType::kText, "b");
        g = Group(root, GroupLayout::kLinear, "g");
        c = Object(g, ObjectType::kText, "c");
    }
    CObjectDataList* Group(CObjectDataList* parent, GroupLayout layout, const std::string& name) {
        auto* group = store.Create<CObjectDataList>(parent);
        AddGroupItems(group->Items(), layout);
        group->SetItem("Name", name);
        if (parent != nullptr) {
            parent->AddObject(group);
        }
        return group;
    }
    CObjectData* Object(CObjectDataList* parent, ObjectType type, const std::string& name) {
        auto* object = store.Create<CObjectData>(parent);
        AddObjectItems(object->Items(), type, GroupLayout::kLinear);
        object->SetItem("Name", name);
        parent->AddObject(object);
        return object;
    }
};

std::vector<std::string> Names(const CObjectDataList& group) {
    std::vector<std::string> names;
    for (const CObjectData* child : group.GetChildren()) {
        names.push_back(child->GetItem("Name"));
        EXPECT_EQ(child->GetParent(), &group) << names.back();
    }
    return names;
}

TEST(ElementTest, SerialNumbersAreUniqueAndCopiesKeepTheirSource) {
    const std::uint64_t next = ZeClass::PeekNextSerial();
    ElementStore store;
    ZeClass* first = store.Create<ZeClass>(ElementKind::kCommand);
    ZeClass* second = store.Create<ZeClass>(ElementKind::kHeaderColumn);
    EXPECT_EQ(first->GetSerial(), next);
    EXPECT_EQ(second->GetSerial(), next + 1);

    CObjectData original(nullptr);
    original.SetExpanded(true);
    CObjectData copy(nullptr);
    EXPECT_NE(copy.GetSerial(), original.GetSerial());
    copy.CopyFrom(original);
    EXPECT_EQ(copy.GetSerial(), original.GetSerial());
    EXPECT_TRUE(copy.IsExpanded());
    EXPECT_EQ(ZeClass::PeekNextSerial(), next + 4);
}

TEST(ElementTest, TreeLabels) {
    SmallTree tree;
    tree.a->SetItem("Text", "OK");
    EXPECT_EQ(tree.a->GetTreeLabel(), "Object:BUTTON(a)OK");
    EXPECT_EQ(tree.b->GetTreeLabel(), "Object:TEXT(b)");
    EXPECT_EQ(tree.g->GetTreeLabel(), "Group:LINEAR(g)");

    auto* toggle = tree.Object(tree.root, ObjectType::kToggle, "sw1");
    toggle->SetItem("TextOn", "On");
    EXPECT_EQ(toggle->GetTreeLabel(), "Object:TOGGLE(sw1)On");

    ZeClass command(ElementKind::kCommand);
    command.Items().AddItem(CItemData(ItemKind::kPlainText, "Name", "x"));
    EXPECT_EQ(command.GetTreeLabel(), "Name(x)");
    EXPECT_EQ(CZeDialogData("Main").GetTreeLabel(), "Dialog:Main");
}

TEST(ElementTest, HeaderColumnsAndCommandsTakeNoChildren) {
    ElementStore store;
    ZeClass* column = CreateHeaderColumn(store);
    ZeClass* command = CreateCommand(store, "CLOSE", "OnClick");
    EXPECT_EQ(column->AddChild(command), 0);
    EXPECT_EQ(command->AddChild(column), 0);
    int held = 0;
    column->ForEachHeld([&](ZeClass&) { ++held; });
    command->ForEachHeld([&](ZeClass&) { ++held; });
    EXPECT_EQ(held, 0);
    EXPECT_EQ(column->Items().GetItemCount(), 6u);
    EXPECT_EQ(command->GetItem("Command"), "CLOSE");
}

TEST(ElementTest, CopyTakesListsAndIsSameItemsComparesThem) {
    SmallTree tree;
    ZeClass* command = CreateCommand(tree.store, "CLOSE", "OnClick");
    tree.a->AddChild(command);
    tree.a->AddHeader(CreateHeaderColumn(tree.store));
    tree.a->SetSelected(true);

    CObjectData copy(nullptr);
    copy.CopyFrom(*tree.a);
    EXPECT_EQ(copy.GetKind(), ElementKind::kObject);
    EXPECT_EQ(copy.GetParent(), tree.root);
    EXPECT_EQ(copy.GetCommands(), tree.a->GetCommands());
    EXPECT_EQ(copy.GetHeaders(), tree.a->GetHeaders());
    EXPECT_FALSE(copy.IsSelected());
    EXPECT_TRUE(tree.a->IsSameItems(copy));

    tree.a->SetItem("Name", "renamed");
    EXPECT_FALSE(tree.a->IsSameItems(copy));
    copy.CopyFrom(*tree.a);
    tree.a->GetCommands().clear();
    EXPECT_FALSE(tree.a->IsSameItems(copy));
    copy.CopyFrom(*tree.a);
    tree.a->SetParent(tree.g);
    EXPECT_FALSE(tree.a->IsSameItems(copy));

    CObjectDataList groupCopy(nullptr);
    groupCopy.CopyFrom(*tree.root);
    EXPECT_EQ(groupCopy.GetKind(), ElementKind::kGroup);
    EXPECT_EQ(groupCopy.GetChildren(), tree.root->GetChildren());
    EXPECT_TRUE(tree.root->IsSameItems(groupCopy));
    tree.root->Remove(tree.b, false);
    EXPECT_FALSE(tree.root->IsSameItems(groupCopy));
    // An object and a group never compare equal, whatever their items.
    EXPECT_FALSE(tree.root->IsSameItems(copy));
}

TEST(ElementTest, HitTestUsesThePaintedRectangles) {
    SmallTree tree;
    tree.root->SetPreviewRect({0, 0, 100, 100});
    tree.a->SetPreviewRect({10, 10, 50, 50});
    tree.b->SetPreviewRect({30, 30, 70, 70});  // overlaps a, added later
    tree.g->SetPreviewRect({0, 80, 100, 100});
    tree.c->SetPreviewRect({0, 80, 20, 100});

    EXPECT_EQ(tree.root->HitTestFromRoot(20, 20), tree.a);
    EXPECT_EQ(tree.root->HitTestFromRoot(40, 40), tree.b);
    EXPECT_EQ(tree.root->HitTestFromRoot(5, 90), tree.c);
    // Inside a group's frame but on none of its objects: no hit, not the group.
    EXPECT_EQ(tree.root->HitTestFromRoot(50, 90), nullptr);
    EXPECT_EQ(tree.root->HitTestFromRoot(90, 5), nullptr);
    // Right and bottom edges lie outside.
    EXPECT_EQ(tree.root->HitTestFromRoot(69, 69), tree.b);
    EXPECT_EQ(tree.root->HitTestFromRoot(70, 70), nullptr);
}

TEST(ElementTest, SelectionCountsAndSearches) {
    SmallTree tree;
    EXPECT_EQ(tree.root->FindSelected(), nullptr);
    tree.g->SetSelected(true);
    EXPECT_TRUE(tree.c->IsSelected());
    EXPECT_EQ(tree.root->CountSelected(), 1);  // a group counts its objects
    tree.a->SetSelected(true);
    EXPECT_EQ(tree.root->CountSelected(), 2);
    // From the last child to the first.
    EXPECT_EQ(tree.root->FindSelected(), tree.g);
    tree.root->ClearSelection();
    EXPECT_EQ(tree.root->CountSelected(), 0);
    EXPECT_FALSE(tree.c->IsSelected());

    EXPECT_EQ(tree.a->Depth(3), 3);
    EXPECT_EQ(tree.root->Depth(0), 2);
    ElementStore store;
    EXPECT_EQ(store.Create<CObjectDataList>(nullptr)->Depth(5), 0);
}

TEST(ElementTest, InsertRemoveAndDestroy) {
    SmallTree tree;
    auto* d = tree.store.Create<CObjectData>(nullptr);
    d->SetItem("Name", "d");
    AddObjectItems(d->Items(), ObjectType::kText, GroupLayout::kFrame);
    d->SetItem("Name", "d");
    tree.root->InsertBefore(d, tree.b);
    EXPECT_EQ(Names(*tree.root), (std::vector<std::string>{"a", "d", "b", "g"}));
    tree.root->Remove(d, false);
    tree.root->InsertAfter(d, tree.b);
    EXPECT_EQ(Names(*tree.root), (std::vector<std::string>{"a", "b", "d", "g"}));
    tree.root->Remove(d, false);
    tree.root->InsertBefore(d, nullptr);
    EXPECT_EQ(Names(*tree.root), (std::vector<std::string>{"d", "a", "b", "g"}));
    tree.root->Remove(d, false);
    tree.root->InsertAfter(d, tree.c);  // not a direct child: the end
    EXPECT_EQ(Names(*tree.root), (std::vector<std::string>{"a", "b", "g", "d"}));
    EXPECT_EQ(tree.root->IndexOf(tree.c), -1);
    EXPECT_FALSE(tree.root->Remove(tree.c, true));

    // Destroying a group frees it with its children, commands and headers.
    tree.c->AddChild(CreateCommand(tree.store, "CLOSE", "OnClick"));
    tree.c->AddHeader(CreateHeaderColumn(tree.store));
    const std::size_t before = tree.store.Count();
    EXPECT_TRUE(tree.root->Remove(tree.g, true));
    EXPECT_EQ(tree.store.Count(), before - 4);
    EXPECT_EQ(Names(*tree.root), (std::vector<std::string>{"a", "b", "d"}));
    // Elements of another store are not freed by this one.
    ElementStore other;
    tree.store.Destroy(CreateCommand(other, "CLOSE", "OnClick"));
    EXPECT_EQ(other.Count(), 1u);
}

// The store's index must answer for exactly the elements alive in it while
// thousands come and go in any order (entries shift back into the holes that
// destroyed ones leave), and a destroyed element's block taken again must not
// overlap a living element.
TEST(ElementStoreTest, KnowsExactlyItsLivingElementsThroughManyCreatesAndDestroys) {
    ElementStore store;
    std::vector<ZeClass*> alive;
    std::vector<ZeClass*> gone;
    std::uint32_t random = 12345;
    const auto next = [&random] {
        random = random * 1103515245u + 12345u;
        return random >> 8;
    };
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 1500; ++i) {
            ZeClass* command = CreateCommand(store, "OPEN", "OnClick");
            command->SetItem("File", std::to_string(reinterpret_cast<std::uintptr_t>(command)));
            alive.push_back(command);
        }
        for (int i = 0; i < 1000; ++i) {
            const std::size_t at = next() % alive.size();
            store.Destroy(alive[at]);
            gone.push_back(alive[at]);
            alive.erase(alive.begin() + static_cast<std::ptrdiff_t>(at));
        }
        ASSERT_EQ(store.Count(), alive.size());
        for (const ZeClass* element : alive) {
            ASSERT_TRUE(store.Owns(element));
            // Its own address, written when it was made: no later element
            // took its block.
            ASSERT_EQ(element->GetItem("File"),
                      std::to_string(reinterpret_cast<std::uintptr_t>(element)));
        }
        for (const ZeClass* element : gone) {
            ASSERT_FALSE(store.Owns(element));
        }
        gone.clear();  // their blocks are taken again by the next round
    }
    ElementStore other;
    const ZeClass outside(ElementKind::kCommand);
    EXPECT_FALSE(store.Owns(nullptr));
    EXPECT_FALSE(store.Owns(&outside));
    EXPECT_FALSE(store.Owns(CreateHeaderColumn(other)));
}

// Room for the schema's rows in the element's block, more items than that,
// and long values in the store's memory, all outlive nothing they rely on:
// a copy outside the store keeps its values after the store is gone.
TEST(ElementStoreTest, ItemsInTheElementsBlockAndValuesInTheStore) {
    ZeClass copy(ElementKind::kObject);
    const std::string longValue(40, 'v');
    {
        ElementStore store;
        const CItemList& schema = ObjectItems(ObjectType::kText, GroupLayout::kLinear);
        auto* object = store.CreateWithRoom<CObjectData>(schema.GetItemCount(), nullptr);
        object->Items().AppendItems(schema);
        store.SetValueInStore(object->Items().GetItemData(0), longValue);
        store.SetValueInStore(object->Items().GetItemData(1), "short");
        object->Items().AddItem(CItemData(ItemKind::kPlainText, "Extra", "beyond the room"));
        EXPECT_EQ(object->Items().GetItemCount(), schema.GetItemCount() + 1);
        EXPECT_EQ(object->Items().GetItemData(0).GetValue(), longValue);
        EXPECT_EQ(object->Items().GetItemData(1).GetValue(), "short");
        copy.CopyFrom(*object);
        store.Destroy(object);
        EXPECT_EQ(store.Count(), 0u);
    }
    EXPECT_EQ(copy.Items().GetItemData(0).GetValue(), longValue);
    EXPECT_EQ(copy.Items().GetItemData(1).GetValue(), "short");
    EXPECT_EQ(copy.GetItem("Extra"), "beyond the room");
}

TEST(ElementTest, MoveIfSelectedNeverMovesAGroupIntoItself) {
    SmallTree tree;
    tree.g->SetSelected(true);
    EXPECT_EQ(tree.g->MoveIfSelected(*tree.g), 0);
    // g holds the target directly; it is searched instead, and c (selected
    // through g) is already in its place.
    auto* inner = tree.Group(tree.g, GroupLayout::kLinear, "inner");
    EXPECT_EQ(tree.g->MoveIfSelected(*inner), 0);
    EXPECT_EQ(Names(*tree.g), (std::vector<std::string>{"inner"}));
    EXPECT_EQ(Names(*inner), (std::vector<std::string>{"c"}));
}

TEST(ElementTest, GroupSelectedGathersTheSelectionInFrontOfTheChosenElement) {
    SmallTree tree;
    tree.b->SetSelected(true);
    tree.c->SetSelected(true);
    CObjectDataList* group = GroupSelected(*tree.root, *tree.b);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->GetItem("Layout"), "LINEAR");
    EXPECT_TRUE(group->IsExpanded());
    EXPECT_TRUE(group->IsSelected());
    EXPECT_EQ(tree.root->GetChildren(), (std::vector<CObjectData*>{tree.a, group, tree.g}));
    EXPECT_EQ(Names(*group), (std::vector<std::string>{"b", "c"}));
    EXPECT_TRUE(tree.g->GetChildren().empty());
    EXPECT_TRUE(tree.c->IsSelected());
    EXPECT_FALSE(tree.a->IsSelected());
}

TEST(ElementTest, GroupSelectedKeepsSelectedAncestorsInPlace) {
    SmallTree tree;
    // g is selected (and with it c); the new group goes in front of c, inside g.
    tree.g->SetSelected(true);
    tree.a->SetSelected(true);
    CObjectDataList* group = GroupSelected(*tree.root, *tree.c);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->GetParent(), tree.g);
    EXPECT_EQ(Names(*tree.root), (std::vector<std::string>{"b", "g"}));
    EXPECT_EQ(tree.g->GetChildren().front(), group);
    EXPECT_EQ(Names(*group), (std::vector<std::string>{"a", "c"}));
    EXPECT_FALSE(group->Holds(tree.g));
}

TEST(ElementTest, GroupSelectedRefusesWithoutSelectionOrParent) {
    SmallTree tree;
    const std::size_t count = tree.store.Count();
    EXPECT_EQ(GroupSelected(*tree.root, *tree.a), nullptr);
    tree.a->SetSelected(true);
    EXPECT_EQ(GroupSelected(*tree.root, *tree.root), nullptr);
    EXPECT_EQ(tree.store.Count(), count);
    EXPECT_EQ(Names(*tree.root), (std::vector<std::string>{"a", "b", "g"}));
}

TEST(ElementTest, UngroupPutsTheChildrenInTheGroupsPlace) {
    SmallTree tree;
    tree.Object(tree.g, ObjectType::kEdit, "e");
    EXPECT_EQ(Ungroup(*tree.g), tree.c);
    EXPECT_EQ(Names(*tree.root), (std::vector<std::string>{"a", "b", "c", "e"}));
    EXPECT_TRUE(tree.g->GetChildren().empty());
    EXPECT_TRUE(tree.store.Owns(tree.g));  // taken out, not destroyed

    auto* empty = tree.Group(tree.root, GroupLayout::kFrame, "empty");
    EXPECT_EQ(Ungroup(*empty), nullptr);
    EXPECT_EQ(tree.root->IndexOf(empty), 4);
    EXPECT_EQ(Ungroup(*tree.root), nullptr);
}

TEST(DialogTest, NewDialogsGetUniqueNames) {
    CZeDialogDataList dialogs;
    EXPECT_EQ(dialogs.CreateDialog("Dialog")->GetItem("Name"), "Dialog");
    EXPECT_EQ(dialogs.CreateDialog("Dialog")->GetItem("Name"), "Dialog2");
    EXPECT_EQ(dialogs.CreateDialog("Dialog")->GetItem("Name"), "Dialog3");
    dialogs.DeleteDialog(dialogs.FindDialog("Dialog"));
    EXPECT_EQ(dialogs.CreateDialog("Dialog")->GetItem("Name"), "Dialog");
    EXPECT_EQ(dialogs.CreateDialog("Dialog2")->GetItem("Name"), "Dialog22");
    EXPECT_EQ(dialogs.GetCount(), 4u);
    EXPECT_EQ(dialogs.FindDialog("dialog"), nullptr);

    dialogs.Swap(0, 1);
    EXPECT_EQ(dialogs.GetDialog(0)->GetItem("Name"), "Dialog3");
    EXPECT_EQ(dialogs.IndexOf(dialogs.FindDialog("Dialog2")), 1);
    dialogs.DeleteAll();
    EXPECT_EQ(dialogs.GetCount(), 0u);
    EXPECT_EQ(dialogs.Items().GetItemCount(), 0u);
}

TEST(DialogTest, CommandsAndRootGroup) {
    CZeDialogData dialog("Main");
    EXPECT_EQ(dialog.GetCurrentPage(), 0);
    EXPECT_EQ(dialog.GetRootGroup(), nullptr);
    EXPECT_EQ(dialog.AddChild(CreateCommand(dialog.GetElementStore(), "CLOSE", "OnOpen")), 0);
    EXPECT_EQ(dialog.AddCommand(CreateCommand(dialog.GetElementStore(), "TIMER", "OnTimer")), 1);
    EXPECT_EQ(dialog.GetCommands().size(), 2u);

    CJsonString text;
    EXPECT_FALSE(dialog.WriteDialogMessage(text, 0));
    EXPECT_EQ(text.GetText(), "");
}

}  // namespace
}  // namespace ze
