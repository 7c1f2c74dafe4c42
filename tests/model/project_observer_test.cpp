// Observers and projects go in any order: an observer destroyed first is no
// longer told, a project destroyed first leaves its observers nothing to
// touch when they go, and New is told as a dialog added.
#include <gtest/gtest.h>

#include <memory>

#include "model/dialog_data.h"
#include "model/editing/project_observer.h"
#include "model/editing/save_point.h"
#include "model/editing/tree_edits.h"
#include "model/resource_data.h"

namespace ze {
namespace {

struct CountingObserver : ProjectObserver {
    void DialogAdded(CZeDialogData& /*dialog*/) override { ++added; }
    int added = 0;
};

TEST(ProjectObserverLifetime, EitherSideMayGoFirst) {
    {
        // The observer goes first: the project no longer tells it.
        CZeResourceData project;
        auto observer = std::make_unique<CountingObserver>();
        // The project's selection is its first observer.
        const std::size_t own = project.Observers().Count();
        project.Observers().Add(observer.get());
        project.Observers().Add(observer.get());  // once only
        EXPECT_EQ(project.Observers().Count(), own + 1);
        observer.reset();
        EXPECT_EQ(project.Observers().Count(), own);
        EXPECT_NE(NewDialog(project), nullptr);
    }
    {
        // The project goes first: the observer's own end touches nothing.
        CountingObserver observer;
        auto project = std::make_unique<CZeResourceData>();
        project->Observers().Add(&observer);
        NewDialog(*project);
        EXPECT_EQ(observer.added, 1);
        project.reset();
    }
    {
        // One observer of two projects, removed from one by hand.
        CountingObserver observer;
        CZeResourceData first;
        CZeResourceData second;
        first.Observers().Add(&observer);
        second.Observers().Add(&observer);
        first.Observers().Remove(&observer);
        NewDialog(first);
        NewDialog(second);
        EXPECT_EQ(observer.added, 1);
    }
}

TEST(ProjectObserverLifetime, NewDialogCountsAsAChangeWithItsRootGroup) {
    CZeResourceData project;
    SavePoint savePoint(project);
    ASSERT_FALSE(savePoint.IsModified());
    CZeDialogData* dialog = NewDialog(project);
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(dialog->GetRootGroup(), nullptr);
    EXPECT_TRUE(savePoint.IsModified());
    EXPECT_EQ(NewDialog(project)->GetItem("Name"), "Dialog2");
}

}  // namespace
}  // namespace ze
