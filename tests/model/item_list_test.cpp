#include "model/item_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>

namespace ze {
namespace {

// "日本" in Shift_JIS and in UTF-8.
const std::string kNihonSjis = "\x93\xfa\x96\x7b";
const std::string kNihonUtf8 = "\xe6\x97\xa5\xe6\x9c\xac";

struct WriteCase {
    const char* name;
    std::int32_t kind;
    std::string itemName;
    std::string value;
    std::string written;
};

class WriteItem : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteItem, GivesResourceText) {
    CItemList list;
    list.AddItem(
        CItemData(static_cast<ItemKind>(GetParam().kind), GetParam().itemName, GetParam().value));
    EXPECT_EQ(list.WriteItem(0), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, WriteItem,
    testing::Values(
        WriteCase{"PlainText", 0, "Name", "Dialog", "'Name':'Dialog'"},
        WriteCase{"PlainTextKeepsSjis", 0, "Name", kNihonSjis, "'Name':'" + kNihonSjis + "'"},
        WriteCase{"Fixed", 1, "Command", "OPEN", "'Command':'OPEN'"},
        WriteCase{"UserTextToUtf8", 2, "Text", kNihonSjis, "'Text':'" + kNihonUtf8 + "'"},
        WriteCase{"UserTextDollarStillConverted", 2, "Text", "$" + kNihonSjis,
                  "'Text':'$" + kNihonUtf8 + "'"},
        WriteCase{"Choice", 3, "TAlign", "LEFT|TOP", "'TAlign':'LEFT|TOP'"},
        WriteCase{"Suggested", 4, "Width", "PARENT", "'Width':'PARENT'"},
        WriteCase{"ImageFileKeepsSjis", 5, "File", kNihonSjis + ".png",
                  "'File':'" + kNihonSjis + ".png'"},
        WriteCase{"Size", 6, "PosX", "10px", "'PosX':'10px'"},
        WriteCase{"ResourceTextBareUtf8", 10, "Data", "['a','" + kNihonSjis + "']",
                  "'Data':['a','" + kNihonUtf8 + "']"},
        WriteCase{"ResourceTextDollarQuotedAsStored", 10, "Data", "$" + kNihonSjis,
                  "'Data':'$" + kNihonSjis + "'"},
        WriteCase{"Number", 11, "Weight", "1", "'Weight':1"},
        WriteCase{"NumberZero", 11, "Weight", "0", "'Weight':0"},
        WriteCase{"NumberDollar", 11, "Min", "$MIN", "'Min':'$MIN'"},
        WriteCase{"Boolean", 12, "Clickable", "true", "'Clickable':true"},
        WriteCase{"EmptyValueLeftOut", 11, "Weight", "", ""},
        WriteCase{"EmptyNameLeftOut", 0, "", "x", ""}),
    [](const auto& row) { return std::string(row.param.name); });

CItemList ListOf(std::initializer_list<std::pair<const char*, const char*>> items) {
    CItemList list;
    for (const auto& [name, value] : items) {
        list.AddItem(CItemData(ItemKind::kPlainText, name, value));
    }
    return list;
}

TEST(ItemLookup, FirstMatchWins) {
    CItemList list = ListOf({{"Name", "first"}, {"Text", "t"}, {"Name", "second"}});
    EXPECT_EQ(list.GetItem("Name"), "first");
    EXPECT_TRUE(list.SetItem("Name", "changed"));
    EXPECT_EQ(list.GetItemData(0).GetValue(), "changed");
    EXPECT_EQ(list.GetItemData(2).GetValue(), "second");
    EXPECT_EQ(list.GetItem("name"), "");
    EXPECT_FALSE(list.SetItem("name", "x"));
    EXPECT_EQ(list.GetItemCount(), 3u);
}

TEST(ItemCompare, NamesAndValuesByPosition) {
    const CItemList list = ListOf({{"A", "1"}, {"B", "2"}});
    EXPECT_TRUE(list.IsSameItems(ListOf({{"A", "1"}, {"B", "2"}})));
    EXPECT_FALSE(list.IsSameItems(ListOf({{"B", "2"}, {"A", "1"}})));
    EXPECT_FALSE(list.IsSameItems(ListOf({{"A", "1"}, {"B", "3"}})));
    EXPECT_FALSE(list.IsSameItems(ListOf({{"A", "1"}})));
    EXPECT_FALSE(list.IsSameItems(ListOf({{"A", "1"}, {"B", "2"}, {"C", ""}})));

    CItemList otherKinds;
    const ChoiceList choices = {"x"};
    otherKinds.AddItem(CItemData(ItemKind::kChoice, "A", "1", &choices, "help"));
    otherKinds.AddItem(CItemData(ItemKind::kNumber, "B", "2"));
    EXPECT_TRUE(list.IsSameItems(otherKinds));
}

TEST(ItemCopy, ReplacesWithIndependentCopiesSharingChoices) {
    const ChoiceList choices = {"None", "POPUP"};
    const char* const help = "help";
    CItemList source;
    source.AddItem(CItemData(ItemKind::kSuggested, "TemplateType", "None", &choices, help));
    source.AddItem(CItemData(ItemKind::kNumber, "Weight", "1"));
    CItemList target = ListOf({{"Old", "x"}, {"Older", "y"}, {"Oldest", "z"}});

    target.CopyItems(source);
    ASSERT_EQ(target.GetItemCount(), 2u);
    EXPECT_TRUE(target.IsSameItems(source));
    EXPECT_EQ(target.GetItemKind(0), ItemKind::kSuggested);
    EXPECT_EQ(target.GetItemChoices(0), &choices);
    EXPECT_EQ(target.GetItemData(0).GetDescription(), help);
    EXPECT_EQ(target.GetItemChoices(1), nullptr);

    target.SetItem("Weight", "2");
    EXPECT_EQ(source.GetItem("Weight"), "1");
    target.CopyItems(target);
    EXPECT_EQ(target.GetItemCount(), 2u);
}

}  // namespace
}  // namespace ze

namespace ze {
namespace {

// Values of 11 bytes stay inside the item, longer ones go to the heap; both
// must survive copies, moves and assignment from their own text.
TEST(ItemTextTest, KeepsEveryLengthThroughCopiesAndMoves) {
    for (const std::size_t length : {0u, 1u, 10u, 11u, 12u, 13u, 16u, 300u}) {
        std::string text(length, 'x');
        for (std::size_t i = 0; i < length; ++i) {
            text[i] = static_cast<char>('a' + i % 26);
        }
        ItemText value(text);
        EXPECT_EQ(value.View(), text) << length;
        ItemText copy(value);
        ItemText moved(std::move(value));
        EXPECT_EQ(copy.View(), text) << length;
        EXPECT_EQ(moved.View(), text) << length;
        EXPECT_EQ(value.View(), "") << length;  // NOLINT: moved-from is empty

        const ItemText& self = copy;  // clang refuses "copy = copy" itself
        copy = self;
        EXPECT_EQ(copy.View(), text) << length;
        copy.Assign(copy.View().substr(length / 2));  // from its own bytes
        EXPECT_EQ(copy.View(), text.substr(length / 2)) << length;
        moved = ItemText("short");
        EXPECT_EQ(moved.View(), "short");
        moved = copy;
        EXPECT_EQ(moved.View(), text.substr(length / 2)) << length;
    }
}

// A lent block is the lender's: the value never frees it (ASan would report
// freeing memory that is no heap block), and nothing but the value itself
// and its moves within one list refers to it.
TEST(ItemTextTest, LentBlockStaysTheLendersAndCopiesHaveTheirOwn) {
    const std::string text = "a value longer than eleven bytes";
    alignas(4) char block[64];
    ASSERT_LE(ItemText::LentBlockSize(text.size()), sizeof block);
    {
        ItemText value;
        value.AssignLent(text, block);
        EXPECT_TRUE(value.IsLent());
        EXPECT_EQ(value.View(), text);
        const ItemText copy(value);
        ItemText taken(value);
        taken = value;
        ItemText moved(std::move(value));
        EXPECT_TRUE(moved.IsLent());
        moved.TakeOver();
        EXPECT_FALSE(copy.IsLent());
        EXPECT_FALSE(taken.IsLent());
        EXPECT_FALSE(moved.IsLent());
        std::fill(std::begin(block), std::end(block), '#');
        EXPECT_EQ(copy.View(), text);
        EXPECT_EQ(taken.View(), text);
        EXPECT_EQ(moved.View(), text);
    }
    ItemText reassigned;
    reassigned.AssignLent(text, block);
    reassigned.Assign("short");
    EXPECT_FALSE(reassigned.IsLent());
    EXPECT_EQ(reassigned.View(), "short");
}

// Room lent to a list holds its first items; past it the list moves to storage
// of its own, and a moved list never refers to the room or its lent values.
TEST(ItemListRoom, HoldsItemsUntilOutgrownAndStaysBehindOnMoves) {
    alignas(CItemData) std::byte room[3 * sizeof(CItemData)];
    const auto inRoom = [&room](const CItemList& list) {
        const auto* at = reinterpret_cast<const std::byte*>(&list.GetItemData(0));
        return at >= room && at < room + sizeof room;
    };
    const std::string longText = "a value longer than eleven bytes";
    alignas(4) char textBlock[64];

    CItemList list;
    list.UseRoom(reinterpret_cast<CItemData*>(room), 3);
    for (const char* name : {"A", "B", "C"}) {
        list.AddItem(CItemData(ItemKind::kPlainText, name, name));
    }
    EXPECT_TRUE(inRoom(list));
    list.AppendItems(list);  // from its own items, past the room
    EXPECT_FALSE(inRoom(list));
    ASSERT_EQ(list.GetItemCount(), 6u);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(list.GetItemData(i).GetValue(), std::string(1, static_cast<char>('A' + i % 3)));
    }

    CItemList lent;
    lent.UseRoom(reinterpret_cast<CItemData*>(room), 3);
    lent.AddItem(CItemData(ItemKind::kPlainText, "Name", ""));
    lent.GetItemData(0).SetValueLent(longText, textBlock);
    lent.AddItem(CItemData(ItemKind::kPlainText, "Text", "t"));
    const CItemList moved = std::move(lent);
    EXPECT_EQ(lent.GetItemCount(), 0u);  // NOLINT: moved-from is empty
    EXPECT_FALSE(inRoom(moved));
    EXPECT_FALSE(moved.GetItemData(0).IsValueLent());
    std::fill(std::begin(room), std::end(room), std::byte{0xFF});
    std::fill(std::begin(textBlock), std::end(textBlock), '#');
    EXPECT_EQ(moved.GetItem("Name"), longText);
    EXPECT_EQ(moved.GetItem("Text"), "t");

    // The room is reused by a list assigned into it, and copies fill it.
    CItemList again;
    again.UseRoom(reinterpret_cast<CItemData*>(room), 3);
    again.CopyItems(moved);
    EXPECT_TRUE(inRoom(again));
    EXPECT_TRUE(again.IsSameItems(moved));
    again = ListOf({{"X", "1"}, {"Y", "2"}, {"Z", "3"}, {"W", "4"}});
    EXPECT_EQ(again.GetItemCount(), 4u);
    EXPECT_EQ(again.GetItem("W"), "4");
}

TEST(ItemTextTest, ItemsShareTheirDescriptionAndStaySmall) {
    static const ChoiceList choices = {"A"};
    const CItemData first(ItemKind::kChoice, "Mode", "A", &choices, "help");
    const CItemData second(ItemKind::kChoice, "Mode", "B", &choices, "help");
    const CItemData other(ItemKind::kPlainText, "Mode", "A", &choices, "help");
    EXPECT_EQ(first.GetInfo(), second.GetInfo());
    EXPECT_NE(first.GetInfo(), other.GetInfo());
    EXPECT_EQ(second.GetChoices(), &choices);
    EXPECT_STREQ(second.GetDescription(), "help");
    static_assert(sizeof(CItemData) == 16);
    static_assert(sizeof(CItemList) == 16);
}

}  // namespace
}  // namespace ze
