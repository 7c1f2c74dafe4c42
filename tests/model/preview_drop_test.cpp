// Where a drop on the preview lands, from the rectangles of the last paint,
// and the row an image dropped on an object fills.

#include "model/editing/preview_drop.h"

#include <gtest/gtest.h>

#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/resource_data.h"

namespace ze {
namespace {

// A row of three 40-pixel objects from x 0, a column group below them with
// one object, and an empty group.
constexpr const char* kProject = R"({'Name':'App','Commands':[
{'Command':'DIALOG','Name':'Main','Object':{'Name':'root','Type':'GROUP','Layout':'FRAME',
 'Objects':[
  {'Name':'row','Type':'GROUP','Layout':'LINEAR','Objects':[
   {'Name':'a','Type':'BUTTON'},{'Name':'b','Type':'TEXT'},{'Name':'c','Type':'PICTURE'}]},
  {'Name':'column','Type':'GROUP','Layout':'LINEAR','Vertical':'true','Objects':[
   {'Name':'d','Type':'TEXT'}]},
  {'Name':'empty','Type':'GROUP','Layout':'FRAME','Objects':[]}]}}]})";

struct Fixture {
    CZeResourceData project;
    CZeDialogData* dialog = nullptr;
    CObjectDataList* root = nullptr;

    Fixture() {
        EXPECT_TRUE(project.LoadText(kProject));
        dialog = project.GetDialogs().FindDialog("Main");
        root = dialog->GetRootGroup();
        root->SetPreviewRect({0, 0, 400, 300});
        Group(0).SetPreviewRect({0, 0, 400, 40});
        for (int i = 0; i < 3; ++i) {
            Group(0).GetChildren()[static_cast<std::size_t>(i)]->SetPreviewRect(
                {i * 40, 0, i * 40 + 40, 40});
        }
        Group(1).SetPreviewRect({0, 100, 200, 200});
        Group(1).GetChildren()[0]->SetPreviewRect({0, 100, 100, 130});
        Group(2).SetPreviewRect({250, 100, 350, 200});
    }
    CObjectDataList& Group(std::size_t index) {
        return *static_cast<CObjectDataList*>(root->GetChildren()[index]);
    }
    std::string NameOf(const ZeClass* element) const {
        return element == nullptr ? "end" : element->GetItem("Name");
    }
};

TEST(PreviewDropLanding, TheGapNearestThePointerAlongTheGroupsDirection) {
    struct Case {
        int x, y;
        const char* dragged;  // a child of row, or ""
        const char* group;
        const char* before;
        PreviewRect line;
    } const cases[] = {
        {5, 20, "", "row", "a", {0, 0, 1, 40}},
        {25, 20, "", "row", "b", {40, 0, 41, 40}},
        {105, 5, "", "row", "end", {120, 0, 121, 40}},
        {390, 5, "", "row", "end", {120, 0, 121, 40}},
        // The dragged object's own place is no gap: c lands between a and c.
        {45, 20, "b", "row", "c", {60, 0, 61, 40}},
        {110, 20, "a", "row", "end", {120, 0, 121, 40}},
        // A vertical group measures down.
        {150, 105, "", "column", "d", {0, 100, 200, 101}},
        {5, 190, "", "column", "end", {0, 130, 200, 131}},
        // An empty group: at its start.
        {300, 150, "", "empty", "end", {250, 100, 251, 200}},
        // Outside every inner group: the root, in front of the nearest.
        {5, 250, "", "root", "row", {0, 0, 1, 300}},
    };
    for (const Case& c : cases) {
        Fixture f;
        const ZeClass* dragged = nullptr;
        for (CObjectData* child : f.Group(0).GetChildren()) {
            if (child->GetItem("Name") == c.dragged) {
                dragged = child;
            }
        }
        const auto landing = PreviewDropLanding(*f.dialog, c.x, c.y, dragged);
        ASSERT_TRUE(landing) << c.x << "," << c.y;
        EXPECT_EQ(f.NameOf(landing->place.owner), c.group) << c.x << "," << c.y;
        EXPECT_EQ(f.NameOf(landing->place.before), c.before) << c.x << "," << c.y;
        const PreviewRect& line = landing->line;
        EXPECT_EQ((std::vector<int>{line.left, line.top, line.right, line.bottom}),
                  (std::vector<int>{c.line.left, c.line.top, c.line.right, c.line.bottom}))
            << c.x << "," << c.y;
    }
}

TEST(PreviewDropLanding, NoLandingOutsideTheRootOrForTheRootItself) {
    Fixture f;
    EXPECT_FALSE(PreviewDropLanding(*f.dialog, 400, 10, nullptr));
    EXPECT_FALSE(PreviewDropLanding(*f.dialog, -1, 10, nullptr));
    EXPECT_FALSE(PreviewDropLanding(*f.dialog, 10, 10, f.root));
    // A dragged group is never landed in: the point falls to its parent.
    const auto landing = PreviewDropLanding(*f.dialog, 50, 20, &f.Group(0));
    ASSERT_TRUE(landing);
    EXPECT_EQ(landing->place.owner, f.root);
}

TEST(ImageDropRow, TheShownImageRowElseTheFirst) {
    Fixture f;
    const CObjectData& button = *f.Group(0).GetChildren()[0];
    const CObjectData& text = *f.Group(0).GetChildren()[1];
    const auto row = [](const ZeClass& element, const char* name) {
        for (std::size_t i = 0; i < element.Items().GetItemCount(); ++i) {
            if (element.Items().GetItemData(i).GetName() == name) {
                return static_cast<int>(i);
            }
        }
        return -100;
    };
    EXPECT_EQ(ImageDropRow(button, row(button, "FileOn")), row(button, "FileOn"));
    EXPECT_EQ(ImageDropRow(button, row(button, "Text")), row(button, "FileOff"));
    EXPECT_EQ(ImageDropRow(button, -1), row(button, "FileOff"));
    EXPECT_EQ(ImageDropRow(button, 999), row(button, "FileOff"));
    EXPECT_EQ(ImageDropRow(text, 0), -1);
}

}  // namespace
}  // namespace ze
