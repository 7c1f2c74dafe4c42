// Discarding a project tells its observers once, with the dialogs out of the
// list but still alive, and leaves a new project's root; a load says which
// dialogs it had to rename.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/dialog_data.h"
#include "model/editing/project_observer.h"
#include "model/editing/save_point.h"
#include "model/editing/selection.h"
#include "model/editing/tree_edits.h"
#include "model/resource_data.h"

namespace ze {
namespace {

using Renames = std::vector<std::pair<std::string, std::string>>;

std::string DialogMessage(const std::string& name, const std::string& filler = {}) {
    return "{'Command':'DIALOG','Name':'" + name +
           "','Object':{'Name':'Root','Type':'GROUP','Layout':'LINEAR','Objects':[{'Name':'T',"
           "'Type':'TEXT','Text':'" +
           filler + "'}]}}";
}

std::string ProjectOf(const std::string& name, const std::vector<std::string>& dialogs) {
    std::string text = "{'Name':'" + name + "','DeviceWidth':'1024','Commands':[";
    for (std::size_t i = 0; i < dialogs.size(); ++i) {
        text += (i == 0 ? "" : ",\n") + dialogs[i];
    }
    return text + "]}";
}

// What an observer sees while it is told of the discard.
struct EmptiedWatcher : ProjectObserver {
    explicit EmptiedWatcher(CZeResourceData& watched) : project(watched) {
        held = watched.GetDialogs().GetDialog(0);
        watched.Observers().Add(this);
    }
    void DialogRemoving(CZeDialogData& /*dialog*/) override { ++removing; }
    void ProjectEmptied() override {
        ++emptied;
        dialogsThen = project.GetDialogs().GetCount();
        nameThen = project.GetItem("Name");
        // Still alive: what an observer holds may be compared with it.
        heldNameThen = held->GetItem("Name");
        selectionEmptyThen = project.GetSelection().Dialog() == nullptr;
    }
    CZeResourceData& project;
    CZeDialogData* held = nullptr;
    int removing = 0;
    int emptied = 0;
    std::size_t dialogsThen = 99;
    std::string nameThen;
    std::string heldNameThen;
    bool selectionEmptyThen = false;
};

struct DiscardCase {
    const char* name;
    void (*discard)(CZeResourceData&);
    std::string nameAfter;
    std::string widthAfter;
};

class Discard : public testing::TestWithParam<DiscardCase> {};

TEST_P(Discard, TellsOnceWithTheDialogsOutButAlive) {
    const DiscardCase& c = GetParam();
    CZeResourceData project;
    ASSERT_TRUE(project.LoadText(
        ProjectOf("SampleApp", {DialogMessage("A"), DialogMessage("B"), DialogMessage("C")})));
    SavePoint savePoint(project);
    Select(project, project.GetDialogs().GetDialog(1));
    ASSERT_NE(project.GetSelection().Dialog(), nullptr);
    EmptiedWatcher watcher(project);

    c.discard(project);

    EXPECT_EQ(watcher.emptied, 1);
    EXPECT_EQ(watcher.removing, 0);
    EXPECT_EQ(watcher.dialogsThen, 0u);
    EXPECT_EQ(watcher.nameThen, c.nameAfter);
    EXPECT_EQ(watcher.heldNameThen, "A");
    EXPECT_TRUE(watcher.selectionEmptyThen);
    EXPECT_EQ(project.GetDialogs().GetCount(), 0u);
    EXPECT_EQ(project.GetItem("Name"), c.nameAfter);
    EXPECT_EQ(project.GetItem("DeviceWidth"), c.widthAfter);
    EXPECT_EQ(project.GetSelection().Dialog(), nullptr);
    EXPECT_TRUE(project.GetSelection().Elements().empty());
    // A change no history takes back, until the project counts as saved.
    EXPECT_TRUE(savePoint.IsModified());
    savePoint.Mark();
    EXPECT_FALSE(savePoint.IsModified());
    // The emptied project takes a new file as a new one would.
    ASSERT_TRUE(project.LoadText(DialogMessage("A")));
    EXPECT_EQ(project.GetDialogs().GetDialog(0)->GetItem("Name"), "A");
}

INSTANTIATE_TEST_SUITE_P(
    Model, Discard,
    testing::Values(DiscardCase{"Project", DiscardProject, "", ""},
                    DiscardCase{"DialogsOnly", DiscardDialogs, "SampleApp", "1024"}),
    [](const testing::TestParamInfo<DiscardCase>& row) { return std::string(row.param.name); });

TEST(DiscardProject, ANewProjectsRootHasTheNewProjectsItems) {
    CZeResourceData fresh;
    CZeResourceData project;
    ASSERT_TRUE(
        project.LoadText("{'Name':'X','Extra':'kept?','Commands':[" + DialogMessage("A") + "]}"));
    ASSERT_GT(project.Items().GetItemCount(), fresh.Items().GetItemCount());
    DiscardProject(project);
    EXPECT_TRUE(project.Items().IsSameItems(fresh.Items()));
}

struct RenameCase {
    const char* name;
    std::vector<std::string> existing;
    std::string text;
    Renames renamed;
};

class LoadRenames : public testing::TestWithParam<RenameCase> {};

TEST_P(LoadRenames, NameWhatWasTaken) {
    const RenameCase& c = GetParam();
    CZeResourceData project;
    for (const std::string& name : c.existing) {
        project.GetDialogs().CreateDialog(name);
    }
    LoadDetails details;
    ASSERT_TRUE(project.LoadText(c.text, &details));
    EXPECT_EQ(details.renamed, c.renamed);
}

// Large enough that the dialogs are read on two threads at once.
std::string LargeProject() {
    std::vector<std::string> dialogs;
    const std::string filler(600, 'x');
    for (int i = 0; i < 600; ++i) {
        dialogs.push_back(DialogMessage(i % 100 == 0 ? "Main" : "D" + std::to_string(i), filler));
    }
    return ProjectOf("Large", dialogs);
}

// Its six Mains, read into a project that has one.
Renames LargeProjectRenames() {
    Renames renamed;
    for (int number = 2; number <= 7; ++number) {
        renamed.emplace_back("Main", "Main" + std::to_string(number));
    }
    return renamed;
}

INSTANTIATE_TEST_SUITE_P(
    Model, LoadRenames,
    testing::Values(
        RenameCase{"NoClash", {"B"}, ProjectOf("P", {DialogMessage("A")}), {}},
        RenameCase{"ClashWithTheProject",
                   {"A", "A2"},
                   ProjectOf("P", {DialogMessage("A"), DialogMessage("C")}),
                   {{"A", "A3"}}},
        RenameCase{"ClashWithinTheFile",
                   {},
                   ProjectOf("P", {DialogMessage("A"), DialogMessage("A"), DialogMessage("A")}),
                   {{"A", "A2"}, {"A", "A3"}}},
        RenameCase{"OneDialogMessage", {"A"}, DialogMessage("A"), {{"A", "A2"}}},
        RenameCase{"ReadOnTwoThreads", {"Main"}, LargeProject(), LargeProjectRenames()}),
    [](const testing::TestParamInfo<RenameCase>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace ze
