// What the user's own new elements start with: a new dialog's root group and
// the sizes of an inserted element, which pasted and loaded ones never get.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "model/dialog_data.h"
#include "model/editing/history_edits.h"
#include "model/editing/tree_edits.h"
#include "model/mo_stream.h"
#include "model/new_elements.h"
#include "model/object_data.h"
#include "model/resource_data.h"

namespace ze {
namespace {

constexpr auto kLast = PasteMode::kLastChild;

TEST(NewDialog, StartsWithAVerticalLinearRootThatFillsIt) {
    CZeResourceData project;
    CZeDialogData* first = CreateNewDialog(project.GetDialogs(), "Dialog");
    CZeDialogData* second = CreateNewDialog(project.GetDialogs(), "Dialog");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetItem("Name"), "Dialog2");
    for (const CZeDialogData* dialog : {first, second}) {
        const CObjectDataList* root = dialog->GetRootGroup();
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(root->GetParent(), nullptr);
        EXPECT_EQ(root->GetItem("Layout"), "LINEAR");
        EXPECT_EQ(root->GetItem("Width"), "PARENT");
        EXPECT_EQ(root->GetItem("Height"), "PARENT");
        EXPECT_EQ(root->GetItem("Vertical"), "true");
        EXPECT_FALSE(root->GetItem("Name").empty());
        EXPECT_TRUE(root->GetChildren().empty());
        // Nothing to undo: the root group is where the history starts.
        EXPECT_FALSE(CanUndo(*dialog));
    }
    // A dialog without a root group writes nothing; this one is a whole
    // dialog message.
    CJsonString text;
    EXPECT_TRUE(first->WriteDialogMessage(text, 0));
    EXPECT_NE(text.TakeText().find("'Layout':'LINEAR'"), std::string::npos);
}

TEST(NewDialog, UndoingTheFirstInsertKeepsTheRootGroup) {
    CZeResourceData project;
    CZeDialogData& dialog = *CreateNewDialog(project.GetDialogs(), "Dialog");
    CObjectDataList* root = dialog.GetRootGroup();
    ASSERT_TRUE(InsertElement(project, nullptr, &dialog, "BUTTON", kLast).changed);
    ASSERT_EQ(root->GetChildren().size(), 1U);
    UndoEdit(project, dialog);
    ASSERT_EQ(dialog.GetRootGroup(), root);
    EXPECT_TRUE(root->GetChildren().empty());
    EXPECT_EQ(root->GetItem("Width"), "PARENT");
}

TEST(NewDialog, ReadDialogsAndBareOnesKeepTheirMissingRoot) {
    CZeResourceData project;
    ASSERT_TRUE(project.LoadText("{'Name':'App','Commands':[{'Command':'DIALOG','Name':'Bare'}]}"));
    ASSERT_EQ(project.GetDialogs().GetCount(), 1U);
    EXPECT_EQ(project.GetDialogs().GetDialog(0)->GetRootGroup(), nullptr);
    EXPECT_EQ(project.GetDialogs().CreateDialog("Plain")->GetRootGroup(), nullptr);
}

TEST(InsertedSizes, EachTypeFitsTheDirectionOfItsParent) {
    // Width, Height and Weight under a vertical and under a horizontal
    // LINEAR: a length along the line that would fill the parent shares
    // the line instead.
    struct Sizes {
        const char* width;
        const char* height;
        const char* weight;
    };
    struct Case {
        const char* type;
        Sizes inColumn;
        Sizes inRow;
    };
    constexpr Sizes kWideRow{"PARENT", "CONTENT", ""};
    constexpr Sizes kSharedRow{"CONTENT", "CONTENT", "1"};
    constexpr Sizes kOwn{"CONTENT", "CONTENT", ""};
    constexpr Sizes kSharedColumn{"PARENT", "CONTENT", "1"};
    constexpr Sizes kTallSharedRow{"CONTENT", "PARENT", "1"};
    constexpr Case kCases[] = {
        {"TEXT", kWideRow, kSharedRow},
        {"EDIT", kWideRow, kSharedRow},
        {"BUTTON", kWideRow, kSharedRow},
        {"CHECKBOX", kWideRow, kSharedRow},
        {"TOGGLE", kWideRow, kSharedRow},
        {"RADIOBTN", kWideRow, kSharedRow},
        {"PICTURE", kOwn, kOwn},
        {"CANVAS", kSharedColumn, kTallSharedRow},
        {"GRID", kSharedColumn, kTallSharedRow},
        {"PULLDOWN", kWideRow, kSharedRow},
        {"PROGRESS", kWideRow, kSharedRow},
        {"SLIDEBAR", kWideRow, kSharedRow},
        {"METER", kOwn, kOwn},
        {"GRAPH", kSharedColumn, kTallSharedRow},
        {"VLIST", kSharedColumn, kTallSharedRow},
        {"HLIST", kWideRow, kSharedRow},
        {"FRAME", kWideRow, kSharedRow},
        {"LINEAR", kWideRow, kSharedRow},
        {"RADIO", kWideRow, kSharedRow},
        {"SCROLL", kSharedColumn, kTallSharedRow},
        {"HSCROLL", kWideRow, kSharedRow},
        {"PAGE", kSharedColumn, kTallSharedRow},
        {"TABLE", kWideRow, kSharedRow},
        {"TABLEROW", kWideRow, kSharedRow},
        {"RELATIVE", kWideRow, kSharedRow},
        {"button", kWideRow, kSharedRow},
    };
    CZeResourceData project;
    CZeDialogData& dialog = *CreateNewDialog(project.GetDialogs(), "Dialog");
    CObjectDataList* column = dialog.GetRootGroup();
    // A LINEAR inserted by the user lines its children up in a row; a
    // RADIOBTN goes only into a RADIO group, one of each direction.
    auto* row = static_cast<CObjectDataList*>(
        InsertElement(project, nullptr, column, "LINEAR", kLast).select);
    auto* radioColumn = static_cast<CObjectDataList*>(
        InsertElement(project, nullptr, column, "RADIO", kLast).select);
    auto* radioRow = static_cast<CObjectDataList*>(
        InsertElement(project, nullptr, column, "RADIO", kLast).select);
    ASSERT_NE(row, nullptr);
    ASSERT_NE(radioColumn, nullptr);
    ASSERT_NE(radioRow, nullptr);
    ASSERT_EQ(row->GetItem("Vertical"), "");
    radioColumn->SetItem("Vertical", "true");
    for (const Case& c : kCases) {
        const bool radioButton = std::string_view(c.type) == "RADIOBTN";
        for (const bool vertical : {true, false}) {
            SCOPED_TRACE(std::string(c.type) + (vertical ? " in a column" : " in a row"));
            CObjectDataList* parent =
                radioButton ? (vertical ? radioColumn : radioRow) : (vertical ? column : row);
            const EditResult result = InsertElement(project, nullptr, parent, c.type, kLast);
            ASSERT_NE(result.select, nullptr);
            const auto& added = static_cast<const CObjectData&>(*result.select);
            ASSERT_EQ(added.GetParent(), parent);
            const Sizes& expected = vertical ? c.inColumn : c.inRow;
            EXPECT_EQ(added.GetItem("Width"), expected.width);
            EXPECT_EQ(added.GetItem("Height"), expected.height);
            EXPECT_EQ(added.GetItem("Weight"), expected.weight);
            // Only the sizes: the type's other properties stay empty.
            EXPECT_EQ(added.GetItem("Margin"), "");
        }
    }
}

TEST(InsertedSizes, ParentsThatDoNotLineUpKeepTheTypesSizes) {
    // Stacked children overlap anyway, scrolled ones have unbounded room,
    // pages and table rows size their children their own way.
    const NewElementSize fill{"PARENT", "PARENT", ""};
    for (const GroupLayout layout :
         {GroupLayout::kFrame, GroupLayout::kRelative, GroupLayout::kScroll, GroupLayout::kHScroll,
          GroupLayout::kPage, GroupLayout::kTable, GroupLayout::kTableRow, GroupLayout::kUnset}) {
        for (const bool vertical : {true, false}) {
            EXPECT_EQ(FitNewElementSize(fill, layout, vertical), fill)
                << LayoutName(layout) << " " << vertical;
        }
    }
    const NewElementSize fixed{"12px", "PARENT", ""};
    EXPECT_EQ(FitNewElementSize(fixed, GroupLayout::kLinear, false), fixed);
    EXPECT_EQ(FitNewElementSize(fixed, GroupLayout::kRadio, true),
              (NewElementSize{"12px", "CONTENT", "1"}));
}

TEST(InsertedSizes, AGroupThatBecomesTheRootFillsTheDialog) {
    CZeResourceData project;
    CZeDialogData& bare = *project.GetDialogs().CreateDialog("Bare");
    const EditResult result = InsertElement(project, nullptr, &bare, "FRAME", kLast);
    ASSERT_EQ(result.select, bare.GetRootGroup());
    ASSERT_NE(bare.GetRootGroup(), nullptr);
    EXPECT_EQ(bare.GetRootGroup()->GetItem("Width"), "PARENT");
    EXPECT_EQ(bare.GetRootGroup()->GetItem("Height"), "PARENT");
}

TEST(InsertedSizes, PastedElementsKeepTheSizesOfTheirText) {
    struct Case {
        const char* text;
        const char* width;
        const char* height;
    };
    constexpr Case kCases[] = {
        {"{'Type':'BUTTON'}", "", ""},
        {"{'Type':'BUTTON','Width':'12px'}", "12px", ""},
        {"{'Type':'GROUP','Layout':'LINEAR','Objects':[{'Type':'TEXT'}]}", "", ""},
    };
    CZeResourceData project;
    CZeDialogData& dialog = *CreateNewDialog(project.GetDialogs(), "Dialog");
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.text);
        const EditResult result =
            PasteElement(project, nullptr, dialog.GetRootGroup(), c.text, kLast);
        ASSERT_NE(result.select, nullptr);
        auto& pasted = static_cast<CObjectData&>(*result.select);
        EXPECT_EQ(pasted.GetItem("Width"), c.width);
        EXPECT_EQ(pasted.GetItem("Height"), c.height);
        if (pasted.IsGroup()) {
            const auto& group = static_cast<CObjectDataList&>(pasted);
            ASSERT_EQ(group.GetChildren().size(), 1U);
            EXPECT_EQ(group.GetChildren()[0]->GetItem("Width"), "");
        }
    }
}

}  // namespace
}  // namespace ze
