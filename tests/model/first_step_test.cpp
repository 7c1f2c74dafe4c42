// A dialog's first undo step holds no copies until the tree first changes.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

#include "item_rows.h"
#include "model/dialog_data.h"
#include "model/editing/element_lookup.h"
#include "model/editing/history_edits.h"
#include "model/editing/property_edits.h"
#include "model/editing/tree_edits.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "model/resource_data.h"

namespace ze {
namespace {

// Objects with commands and a GRID with header columns: every kind of
// element the store holds.
constexpr const char* kProject =
    "{'Commands':[{'Command':'DIALOG','Name':'D',"
    "'OnOpen':{'Event':'OnOpen','Command':'TIMER','Time':100},"
    "'Object':{'Type':'GROUP','Layout':'LINEAR','Objects':["
    "{'Name':'t','Type':'TEXT','Text':'one'},"
    "{'Name':'b','Type':'BUTTON','OnClick':{'Event':'OnClick','Command':'CLOSE'}},"
    "{'Name':'g','Type':'GRID','Header':[{'TSize':'10pt'},{}]}]}},"
    "{'Command':'DIALOG','Name':'E','Object':{'Type':'GROUP','Layout':'FRAME'}}]}";

EditResult Commit(CZeResourceData& project, CZeDialogData& dialog, ZeClass& element,
                  std::string_view name, std::string_view value) {
    return CommitProperty(project, &dialog, &element, RowOf(element, name), value);
}

std::string ProjectText(const CZeResourceData& project) {
    CJsonString text;
    project.WriteProject(text, "");
    return text.TakeText();
}

// What a never-edited dialog holds: the tree in its store, one empty step.
void ExpectNothingCopied(const CZeDialogData& dialog) {
    const UndoBuffer& history = dialog.GetUndoBuffer();
    EXPECT_TRUE(dialog.IsFirstStepPending());
    ASSERT_EQ(history.GetRecordCount(), 1u);
    EXPECT_EQ(history.GetIndex(), 1);
    EXPECT_TRUE(history.GetRecord(0).Backups().empty());
    EXPECT_EQ(dialog.GetElementStore().Count(), TreeElements(dialog).size());
    EXPECT_EQ(dialog.GetElementStore().RetiredCount(), 0u);
}

TEST(FirstStepTest, ALoadedOrCreatedDialogCopiesNothingUntilItsFirstEdit) {
    CZeResourceData project;
    ASSERT_TRUE(project.LoadText(kProject));
    const CZeDialogDataList& dialogs = project.GetDialogs();
    ASSERT_EQ(dialogs.GetCount(), 2u);
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        ExpectNothingCopied(*dialogs.GetDialog(i));
    }
    ExpectNothingCopied(*project.GetDialogs().CreateDialog("F"));

    // Reading, writing and the checks of undo and redo copy nothing either.
    const std::string loaded = ProjectText(project);
    CZeDialogData& d = *dialogs.GetDialog(0);
    EXPECT_FALSE(CanUndo(d));
    EXPECT_FALSE(CanRedo(d));
    EXPECT_FALSE(UndoEdit(project, d).changed);
    ExpectNothingCopied(d);

    // The first edit keeps the tree as it was, so undo brings back the text
    // the project was loaded with; the other dialogs still copy nothing.
    ZeClass* text = d.GetRootGroup()->GetChildren()[0];
    ASSERT_TRUE(Commit(project, d, *text, "Text", "two").changed);
    EXPECT_FALSE(d.IsFirstStepPending());
    EXPECT_EQ(d.GetUndoBuffer().GetRecordCount(), 2u);
    EXPECT_FALSE(d.GetUndoBuffer().GetRecord(0).Backups().empty());
    ExpectNothingCopied(*dialogs.GetDialog(1));
    const std::string edited = ProjectText(project);
    ASSERT_TRUE(UndoEdit(project, d).changed);
    EXPECT_EQ(ProjectText(project), loaded);
    ASSERT_TRUE(RedoEdit(project, d).changed);
    EXPECT_EQ(ProjectText(project), edited);
}

// The kinds of first edit that change the tree's shape, each undone back to
// the loaded text.
TEST(FirstStepTest, AnyFirstEditIsUndoneToTheLoadedText) {
    using Edit = bool (*)(CZeResourceData&, CZeDialogData&);
    const std::pair<const char*, Edit> edits[] = {
        {"delete an object",
         [](CZeResourceData& project, CZeDialogData& d) {
             return DeleteElement(project, &d, d.GetRootGroup()->GetChildren()[1]).changed;
         }},
        {"change a command",
         [](CZeResourceData& project, CZeDialogData& d) {
             return Commit(project, d, *d.GetCommands()[0], "Time", "5").changed;
         }},
        {"change the dialog",
         [](CZeResourceData& project, CZeDialogData& d) {
             return Commit(project, d, d, "Name", "Renamed").changed;
         }},
    };
    for (const auto& [what, edit] : edits) {
        SCOPED_TRACE(what);
        CZeResourceData project;
        ASSERT_TRUE(project.LoadText(kProject));
        CZeDialogData& d = *project.GetDialogs().GetDialog(0);
        const std::string loaded = ProjectText(project);
        ASSERT_TRUE(edit(project, d));
        EXPECT_NE(ProjectText(project), loaded);
        ASSERT_TRUE(UndoEdit(project, d).changed);
        EXPECT_EQ(ProjectText(project), loaded);
    }
}

}  // namespace
}  // namespace ze
