// The arrows that lead to a selected element the page does not show, and
// the sizes of new elements that keep a row of them on the page.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/layout_test_support.h"
#include "layout/off_page_marks.h"
#include "layout/preview_layout.h"
#include "layout/recording_canvas.h"
#include "model/editing/property_edits.h"
#include "model/editing/tree_edits.h"
#include "model/new_elements.h"

namespace ze {
namespace {

using Kind = RecordingCanvas::Kind;

constexpr Rgb kRed{255, 0, 0};
// A 400 × 300 client area.
constexpr Box kPage{5, 5, 390, 290};
constexpr std::int32_t kSize = kOffPageArrowSize;

std::vector<RecordingCanvas::Call> Arrows(const RecordingCanvas& canvas) {
    std::vector<RecordingCanvas::Call> arrows;
    for (const RecordingCanvas::Call& call : canvas.Calls()) {
        if (call.kind == Kind::kArrow) {
            arrows.push_back(call);
        }
    }
    return arrows;
}

TEST(OffPageMarks, AnArrowAtTheEdgePointsTowardsTheElement) {
    struct Case {
        const char* name;
        PreviewRect rect;
        bool marked;
        Box arrow;
        ArrowDirection pointing;
    };
    const Case cases[] = {
        {"off right",
         {400, 100, 450, 130},
         true,
         {395 - kSize, 108, kSize, kSize},
         ArrowDirection::kRight},
        {"off left", {-60, 100, -10, 130}, true, {5, 108, kSize, kSize}, ArrowDirection::kLeft},
        {"below",
         {100, 300, 160, 330},
         true,
         {123, 295 - kSize, kSize, kSize},
         ArrowDirection::kDown},
        {"above", {100, -40, 160, -10}, true, {123, 5, kSize, kSize}, ArrowDirection::kUp},
        // Only the red sliver in the margin beside the page showed it.
        {"against the right edge",
         {395, 100, 420, 130},
         true,
         {395 - kSize, 108, kSize, kSize},
         ArrowDirection::kRight},
        // Farther below than beside: the arrow keeps within the bottom edge.
        {"far below right",
         {500, 900, 520, 920},
         true,
         {395 - kSize, 295 - kSize, kSize, kSize},
         ArrowDirection::kDown},
        // Farther beside than above: the arrow keeps within the left edge.
        {"far left, above",
         {-200, -50, -100, -30},
         true,
         {5, 5, kSize, kSize},
         ArrowDirection::kLeft},
        {"half on the page", {380, 100, 420, 130}, false, {}, ArrowDirection::kRight},
        {"on the page", {100, 100, 160, 130}, false, {}, ArrowDirection::kRight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto loaded = LoadDialog(
            "{'Name':'root','Type':'GROUP','Layout':'FRAME','Width':'PARENT','Height':'PARENT',"
            "'Objects':[{'Name':'b','Type':'BUTTON'},{'Name':'c','Type':'BUTTON'}]}");
        CObjectData& selected = loaded->Named("b");
        selected.SetPreviewRect(c.rect);
        selected.SetSelected(true);
        // Off the page too, but not selected.
        loaded->Named("c").SetPreviewRect(PreviewRect{500, 500, 520, 520});
        const std::vector<OffPageMark> marks = OffPageMarks(*loaded->dialog->GetRootGroup(), kPage);
        if (!c.marked) {
            EXPECT_TRUE(marks.empty());
            continue;
        }
        ASSERT_EQ(marks.size(), 1u);
        EXPECT_EQ(marks[0].element, &selected);
        EXPECT_EQ(marks[0].arrow, c.arrow);
        EXPECT_EQ(marks[0].pointing, c.pointing);
    }
}

TEST(OffPageMarks, ASelectedGroupStandsForWhatIsInIt) {
    const auto loaded = LoadDialog(
        "{'Name':'root','Type':'GROUP','Layout':'FRAME','Width':'PARENT','Height':'PARENT',"
        "'Objects':[{'Name':'g','Type':'GROUP','Layout':'FRAME','Objects':["
        "{'Name':'a','Type':'BUTTON'},{'Name':'b','Type':'BUTTON'}]},"
        "{'Name':'c','Type':'BUTTON'}]}");
    for (const char* name : {"g", "a", "b"}) {
        loaded->Named(name).SetPreviewRect(PreviewRect{-90, 10, -10, 40});
    }
    loaded->Named("c").SetPreviewRect(PreviewRect{100, 400, 140, 420});
    loaded->Named("g").SetSelected(true);  // with a and b
    loaded->Named("c").SetSelected(true);
    const std::vector<OffPageMark> marks = OffPageMarks(*loaded->dialog->GetRootGroup(), kPage);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0].element, &loaded->Named("g"));
    EXPECT_EQ(marks[0].pointing, ArrowDirection::kLeft);
    EXPECT_EQ(marks[1].element, &loaded->Named("c"));
    EXPECT_EQ(marks[1].pointing, ArrowDirection::kDown);
}

// A row inserted as the user does: a LINEAR, a BUTTON, another after it.
struct InsertedRow {
    CZeResourceData project;
    CZeDialogData* dialog = CreateNewDialog(project.GetDialogs(), "Dialog");
    CObjectData* row = nullptr;
    CObjectData* first = nullptr;
    CObjectData* second = nullptr;

    InsertedRow() {
        row = static_cast<CObjectData*>(
            InsertElement(project, nullptr, dialog->GetRootGroup(), "LINEAR", PasteMode::kLastChild)
                .select);
        first = static_cast<CObjectData*>(
            InsertElement(project, nullptr, row, "BUTTON", PasteMode::kLastChild).select);
        second = static_cast<CObjectData*>(
            InsertElement(project, nullptr, first, "BUTTON", PasteMode::kAfter).select);
    }
};

bool OnPage(const PreviewRect& r) {
    return r.left >= kPage.x && r.top >= kPage.y && r.right <= kPage.x + kPage.width &&
           r.bottom <= kPage.y + kPage.height;
}

TEST(OffPageMarks, NewButtonsInARowStayOnThePage) {
    InsertedRow inserted;
    ASSERT_NE(inserted.second, nullptr);
    ASSERT_EQ(inserted.second->GetParent(), inserted.row);
    ASSERT_TRUE(inserted.second->IsSelected());
    RecordingCanvas canvas;
    DrawPreview(inserted.project, *inserted.dialog, canvas, 400, 300);
    DrawOffPageMarks(inserted.project, *inserted.dialog, canvas, 400, 300);
    const PreviewRect a = inserted.first->GetPreviewRect();
    const PreviewRect b = inserted.second->GetPreviewRect();
    EXPECT_TRUE(OnPage(a));
    EXPECT_TRUE(OnPage(b));
    // Side by side, sharing the row.
    EXPECT_EQ(a.right, b.left);
    EXPECT_EQ(a.right - a.left, b.right - b.left);
    EXPECT_TRUE(Arrows(canvas).empty());
}

TEST(OffPageMarks, AButtonPushedOffThePageGetsItsArrow) {
    // The first button as wide as the row, as new buttons were.
    InsertedRow inserted;
    ASSERT_NE(inserted.second, nullptr);
    inserted.first->SetItem("Width", "PARENT");
    inserted.first->SetItem("Weight", "");
    RecordingCanvas canvas;
    DrawPreview(inserted.project, *inserted.dialog, canvas, 400, 300);
    const std::size_t drawn = canvas.Calls().size();
    DrawOffPageMarks(inserted.project, *inserted.dialog, canvas, 400, 300);
    const PreviewRect b = inserted.second->GetPreviewRect();
    EXPECT_EQ(b.left, kPage.x + kPage.width);
    // Drawn last, over the preview, in the selection's red.
    ASSERT_EQ(canvas.Calls().size(), drawn + 1);
    const RecordingCanvas::Call& arrow = canvas.Calls().back();
    EXPECT_EQ(arrow.kind, Kind::kArrow);
    EXPECT_EQ(arrow.pointing, ArrowDirection::kRight);
    EXPECT_EQ(arrow.colour, kRed);
    EXPECT_EQ(arrow.box.x + arrow.box.width, kPage.x + kPage.width);
    EXPECT_EQ(arrow.box.y + arrow.box.height / 2, (b.top + b.bottom) / 2);

    // Another page of a PAGE group in sight moves the layout left by a
    // page: the second button comes into sight, the first leaves it; the
    // page shown keeps its place.
    inserted.dialog->GetRootGroup()->SetSelected(false);
    inserted.first->SetSelected(true);
    inserted.dialog->SetCurrentPage(1);
    RecordingCanvas paged;
    DrawPreview(inserted.project, *inserted.dialog, paged, 400, 300);
    DrawOffPageMarks(inserted.project, *inserted.dialog, paged, 400, 300);
    const std::vector<RecordingCanvas::Call> arrows = Arrows(paged);
    ASSERT_EQ(arrows.size(), 1u);
    EXPECT_EQ(arrows[0].pointing, ArrowDirection::kLeft);
    EXPECT_EQ(arrows[0].box.x, kPage.x);
}

}  // namespace
}  // namespace ze
