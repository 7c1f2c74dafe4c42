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

TEST(InsertedSizes, EachTypeGetsItsWidthAndHeight) {
    struct Case {
        const char* type;
        const char* width;
        const char* height;
    };
    constexpr Case kCases[] = {
        {"TEXT", "PARENT", "CONTENT"},      {"EDIT", "PARENT", "CONTENT"},
        {"BUTTON", "PARENT", "CONTENT"},    {"CHECKBOX", "PARENT", "CONTENT"},
        {"TOGGLE", "PARENT", "CONTENT"},    {"RADIOBTN", "PARENT", "CONTENT"},
        {"PICTURE", "CONTENT", "CONTENT"},  {"CANVAS", "PARENT", "PARENT"},
        {"GRID", "PARENT", "PARENT"},       {"PULLDOWN", "PARENT", "CONTENT"},
        {"PROGRESS", "PARENT", "CONTENT"},  {"SLIDEBAR", "PARENT", "CONTENT"},
        {"METER", "CONTENT", "CONTENT"},    {"GRAPH", "PARENT", "PARENT"},
        {"VLIST", "PARENT", "PARENT"},      {"HLIST", "PARENT", "CONTENT"},
        {"FRAME", "PARENT", "CONTENT"},     {"LINEAR", "PARENT", "CONTENT"},
        {"RADIO", "PARENT", "CONTENT"},     {"SCROLL", "PARENT", "PARENT"},
        {"HSCROLL", "PARENT", "CONTENT"},   {"PAGE", "PARENT", "PARENT"},
        {"TABLE", "PARENT", "CONTENT"},     {"TABLEROW", "PARENT", "CONTENT"},
        {"RELATIVE", "PARENT", "CONTENT"},  {"button", "PARENT", "CONTENT"},
    };
    CZeResourceData project;
    CZeDialogData& dialog = *CreateNewDialog(project.GetDialogs(), "Dialog");
    // A RADIOBTN goes only into a RADIO group.
    ZeClass* radio = InsertElement(project, nullptr, &dialog, "RADIO", kLast).select;
    ASSERT_NE(radio, nullptr);
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.type);
        const bool radioButton = std::string_view(c.type) == "RADIOBTN";
        const EditResult result = InsertElement(
            project, nullptr, radioButton ? radio : dialog.GetRootGroup(), c.type, kLast);
        ASSERT_NE(result.select, nullptr);
        const auto& added = static_cast<const CObjectData&>(*result.select);
        EXPECT_EQ(added.GetItem("Width"), c.width);
        EXPECT_EQ(added.GetItem("Height"), c.height);
        // Only the two sizes: the type's other properties stay empty.
        EXPECT_EQ(added.GetItem("Weight"), "");
    }
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
