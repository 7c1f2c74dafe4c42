// Whether a project counts as modified, from its change notification alone:
// edits, undo back to the saved step, changes no history takes back.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "item_rows.h"
#include "model/dialog_data.h"
#include "model/editing/history_edits.h"
#include "model/editing/property_edits.h"
#include "model/editing/save_point.h"
#include "model/editing/tree_edits.h"
#include "model/object_data.h"
#include "model/resource_data.h"

namespace ze {
namespace {

constexpr const char* kProject = R"({'Name':'App','Commands':[
{'Command':'DIALOG','Name':'Main','Object':{'Name':'root','Type':'GROUP','Layout':'LINEAR',
 'Objects':[{'Name':'title','Type':'TEXT','Text':'hello'}]}},
{'Command':'DIALOG','Name':'Other','Object':{'Name':'top','Type':'GROUP','Layout':'FRAME'}}]})";

struct Tracked {
    CZeResourceData project;
    CZeDialogData* main = nullptr;
    ZeClass* title = nullptr;
    std::vector<bool> flips;
    std::unique_ptr<SavePoint> point;

    Tracked() {
        EXPECT_TRUE(project.LoadText(kProject));
        main = project.GetDialogs().GetDialog(0);
        title = main->GetRootGroup()->GetChildren().front();
        point = std::make_unique<SavePoint>(project);
        point->SetListener([this](bool modified) { flips.push_back(modified); });
    }
    void SetText(const char* text) {
        ASSERT_TRUE(CommitProperty(project, main, title, RowOf(*title, "Text"), text).changed);
    }
};

TEST(SavePoint, UndoBackToTheSavedStepIsClean) {
    Tracked t;
    EXPECT_FALSE(t.point->IsModified());
    t.SetText("a");
    EXPECT_TRUE(t.point->IsModified());
    UndoEdit(t.project, *t.main);
    EXPECT_FALSE(t.point->IsModified());
    RedoEdit(t.project, *t.main);
    EXPECT_TRUE(t.point->IsModified());

    // Saved after "a": undo leaves the saved state, redo comes back to it.
    t.point->Mark();
    UndoEdit(t.project, *t.main);
    EXPECT_TRUE(t.point->IsModified());
    RedoEdit(t.project, *t.main);
    EXPECT_FALSE(t.point->IsModified());

    // A step recorded in place of the saved one after an undo stands at the
    // same position but is another state.
    UndoEdit(t.project, *t.main);
    t.SetText("b");
    EXPECT_TRUE(t.point->IsModified());
    EXPECT_EQ(t.flips, (std::vector<bool>{true, false, true, false, true, false, true}));
}

TEST(SavePoint, ChangesWithoutHistoryStayUntilTheNextMark) {
    const struct {
        const char* what;
        std::function<void(Tracked&)> change;
        bool modified;
    } cases[] = {
        {"the project root",
         [](Tracked& t) {
             CommitProperty(t.project, nullptr, &t.project, RowOf(t.project, "Name"), "Other");
         },
         true},
        {"a dialog removed",
         [](Tracked& t) { DeleteElement(t.project, nullptr, t.project.GetDialogs().GetDialog(1)); },
         true},
        {"a dialog moved",
         [](Tracked& t) { MoveElement(t.project, nullptr, t.main, MoveDirection::kDown); }, true},
        {"a touch", [](Tracked& t) { t.point->Touch(); }, true},
        // Made without a word to the observers, and unchanged since.
        {"an empty new dialog", [](Tracked& t) { t.project.GetDialogs().CreateDialog("New"); },
         false},
    };
    for (const auto& c : cases) {
        Tracked t;
        t.SetText("a");
        c.change(t);
        UndoEdit(t.project, *t.main);
        EXPECT_EQ(t.point->IsModified(), c.modified) << c.what;
        t.point->Mark();
        EXPECT_FALSE(t.point->IsModified()) << c.what;
    }
}

}  // namespace
}  // namespace ze
