#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/layout_test_support.h"
#include "layout/preview_layout.h"
#include "layout/recording_canvas.h"

namespace ze {
namespace {

using Call = RecordingCanvas::Call;
using Kind = RecordingCanvas::Kind;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kPink{255, 200, 200};
const std::string kGothic =
    "MS \x83S\x83V\x83"
    "b\x83N";  // "MS ゴシック"

Call Fill(Box box, Rgb colour) {
    Call call;
    call.kind = Kind::kFill;
    call.box = box;
    call.colour = colour;
    return call;
}

Call Frame(Box box, Rgb colour) {
    Call call = Fill(box, colour);
    call.kind = Kind::kFrame;
    return call;
}

// The two labels of an object box: the short code at the top left in 9-pixel
// type, the name line centred in 12-pixel type.
std::vector<Call> Labels(Box box, const std::string& shortCode, const std::string& nameLine) {
    Call code;
    code.kind = Kind::kText;
    code.box = {box.x + 4, box.y + 1, box.width - 2, box.height - 2};
    code.text = shortCode;
    code.fontFace = kGothic;
    code.style.fontHeight = 9;
    Call name = code;
    name.box = {box.x + 1, box.y + 5, box.width - 2, box.height - 2};
    name.text = nameLine;
    name.style.fontHeight = 12;
    name.style.horizontal = HorizontalAlign::kCenter;
    name.style.vertical = VerticalAlign::kMiddle;
    return {code, name};
}

std::vector<Call> Object(Box box, Rgb fill, Rgb frame, const std::string& shortCode,
                         const std::string& nameLine) {
    std::vector<Call> calls{Fill(box, fill), Frame(box, frame)};
    for (const Call& label : Labels(box, shortCode, nameLine)) {
        calls.push_back(label);
    }
    return calls;
}

std::vector<Call> Join(std::initializer_list<std::vector<Call>> parts) {
    std::vector<Call> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

std::vector<Call> Paint(const LoadedDialog& loaded, int width = 400, int height = 300,
                        int expandPercent = 0) {
    RecordingCanvas canvas;
    EXPECT_TRUE(DrawPreview(loaded.project, *loaded.dialog, canvas, width, height, nullptr,
                            expandPercent));
    return canvas.Calls();
}

PreviewRect Rect(const LoadedDialog& loaded, std::string_view name) {
    return loaded.Named(name).GetPreviewRect();
}

std::vector<int> Corners(const PreviewRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

const char* const kFrameRoot =
    "{'Name':'root','Type':'GROUP','Layout':'FRAME','Width':'PARENT','Height':'PARENT',"
    "'Objects':[";

TEST(PreviewLayoutTest, A400By300ClientAreaGivesAPageAndAContentSizedObject) {
    const auto loaded =
        LoadDialog(std::string(kFrameRoot) +
                   "{'Name':'t','Type':'TEXT','Width':'CONTENT','Height':'CONTENT'}]}");
    const Box page{5, 5, 390, 290};
    // Base size min(390 / 16, 290 / 12) = 24: the object is 31 × 24.
    const Box object{5, 5, 31, 24};
    EXPECT_EQ(Paint(*loaded), Join({{Fill(page, kWhite), Frame(page, kGrey)},
                                    Object(object, kWhite, kBlack, "TXT", "t")}));
    EXPECT_EQ(Corners(Rect(*loaded, "t")), (std::vector<int>{5, 5, 36, 29}));
}

TEST(PreviewLayoutTest, ThePageDerivesFromTheProjectTheDialogAndTheClientArea) {
    auto loaded = LoadDialog(std::string(kFrameRoot) + "]}",
                             ",'TargetLayoutWidth':0,'TargetLayoutHeight':480");
    PreviewPage page = PreviewPageOf(loaded->project, *loaded->dialog, 400, 300);
    EXPECT_EQ(page.page, (Box{5, 5, 390, 290}));
    EXPECT_EQ(page.context.baseSize, 24);
    EXPECT_EQ(page.context.units.targetLayoutWidth, 100);
    EXPECT_EQ(page.context.units.targetLayoutHeight, 100);
    EXPECT_EQ(page.context.units.deviceWidth, 1024);
    EXPECT_EQ(page.context.units.deviceHeight, 800);
    EXPECT_EQ(page.context.units.previewWidth, 390);
    EXPECT_EQ(page.context.units.previewHeight, 290);

    loaded = LoadDialog(std::string(kFrameRoot) + "]}", ",'TargetLayoutWidth':320",
                        ",'DeviceWidth':'720','DeviceHeight':'x'");
    page = PreviewPageOf(loaded->project, *loaded->dialog, 210, 410);
    EXPECT_EQ(page.context.units.targetLayoutWidth, 100);
    EXPECT_EQ(page.context.units.targetLayoutHeight, 100);
    EXPECT_EQ(page.context.units.deviceWidth, 720);
    EXPECT_EQ(page.context.units.deviceHeight, 800);
    // Portrait: min(200 / 12, 400 / 16).
    EXPECT_EQ(page.context.baseSize, 16);

    loaded = LoadDialog(std::string(kFrameRoot) + "]}",
                        ",'TargetLayoutWidth':320,'TargetLayoutHeight':480");
    loaded->dialog->SetCurrentPage(2);
    page = PreviewPageOf(loaded->project, *loaded->dialog, 400, 300);
    EXPECT_EQ(page.context.units.targetLayoutWidth, 320);
    EXPECT_EQ(page.context.units.targetLayoutHeight, 480);
    EXPECT_EQ(page.page, (Box{5 - 2 * 390, 5, 390, 290}));
}

TEST(PreviewLayoutTest, WeightsShareWhatTheOtherChildrenLeave) {
    const auto loaded = LoadDialog(
        std::string(kFrameRoot) +
        "{'Name':'g','Type':'GROUP','Layout':'LINEAR','Width':'300px','Height':'CONTENT',"
        "'Objects':[{'Name':'a','Type':'TEXT','Width':'100px'},"
        "{'Name':'b','Type':'TEXT','Weight':1},{'Name':'c','Type':'TEXT','Weight':3}]}]}");
    const std::vector<Call> calls = Paint(*loaded);
    // The weight unit is (300 - 100) / 4 = 50.
    EXPECT_EQ(Corners(Rect(*loaded, "a")), (std::vector<int>{5, 5, 105, 29}));
    EXPECT_EQ(Corners(Rect(*loaded, "b")), (std::vector<int>{105, 5, 155, 29}));
    EXPECT_EQ(Corners(Rect(*loaded, "c")), (std::vector<int>{155, 5, 305, 29}));
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[2], Frame({5, 5, 300, 24}, kGrey));
}

TEST(PreviewLayoutTest, AWeightWithoutSpaceLeftFallsBackToTheContentSize) {
    const auto loaded = LoadDialog(
        std::string(kFrameRoot) +
        "{'Name':'g','Type':'GROUP','Layout':'LINEAR','Width':'100px','Objects':["
        "{'Name':'a','Type':'TEXT','Width':'100px'},{'Name':'b','Type':'TEXT','Weight':2}]}]}");
    Paint(*loaded);
    EXPECT_EQ(Corners(Rect(*loaded, "b")), (std::vector<int>{105, 5, 136, 29}));
}

TEST(PreviewLayoutTest, AlignmentMovesContentOnlyWithinAParentSizedGroup) {
    const std::string child =
        "'Objects':[{'Name':'o','Type':'TEXT','Width':'100px','Height':'20px'}]}]}";
    auto loaded = LoadDialog(std::string(kFrameRoot) +
                             "{'Name':'g','Type':'GROUP','Layout':'LINEAR','Width':'PARENT',"
                             "'Height':'CONTENT','Align':'RIGHT'," +
                             child);
    std::vector<Call> calls = Paint(*loaded);
    EXPECT_EQ(Corners(Rect(*loaded, "o")), (std::vector<int>{295, 5, 395, 25}));
    EXPECT_EQ(calls[2], Frame({5, 5, 390, 20}, kGrey));

    // A fixed width is what the content measure returns: nothing to align.
    loaded = LoadDialog(std::string(kFrameRoot) +
                        "{'Name':'g','Type':'GROUP','Layout':'LINEAR','Width':'200px',"
                        "'Align':'RIGHT'," +
                        child);
    Paint(*loaded);
    EXPECT_EQ(Corners(Rect(*loaded, "o")), (std::vector<int>{5, 5, 105, 25}));

    // A vertical group aligns on its height only.
    loaded = LoadDialog(std::string(kFrameRoot) +
                        "{'Name':'g','Type':'GROUP','Layout':'LINEAR','Vertical':true,"
                        "'Height':'PARENT','Align':'CENTER|MIDDLE'," +
                        child);
    calls = Paint(*loaded);
    EXPECT_EQ(Corners(Rect(*loaded, "o")), (std::vector<int>{5, 140, 105, 160}));
    EXPECT_EQ(calls[2], Frame({5, 5, 100, 290}, kGrey));

    // Any weight among the children turns alignment off.
    loaded = LoadDialog(std::string(kFrameRoot) +
                        "{'Name':'g','Type':'GROUP','Layout':'LINEAR','Width':'PARENT',"
                        "'Align':'RIGHT','Objects':[{'Name':'o','Type':'TEXT','Width':'100px'},"
                        "{'Name':'w','Type':'TEXT','Weight':-1}]}]}");
    Paint(*loaded);
    EXPECT_EQ(Rect(*loaded, "o").left, 5);
}

TEST(PreviewLayoutTest, OverlappingObjectsOfAFrameAreDrawnInListOrderAndTheLastWins) {
    const auto loaded =
        LoadDialog(std::string(kFrameRoot) +
                   "{'Name':'a','Type':'BUTTON','Width':'100px','Height':'100px','Text':'A'},"
                   "{'Name':'b','Type':'BUTTON','Width':'50px','Height':'50px','Text':'B'}]}");
    const Box page{5, 5, 390, 290};
    EXPECT_EQ(Paint(*loaded), Join({{Fill(page, kWhite), Frame(page, kGrey)},
                                    Object({5, 5, 100, 100}, kWhite, kBlack, "BTN", "a:A"),
                                    Object({5, 5, 50, 50}, kWhite, kBlack, "BTN", "b:B")}));
    CObjectDataList& root = *loaded->dialog->GetRootGroup();
    EXPECT_EQ(root.HitTestFromRoot(10, 10), &loaded->Named("b"));
    EXPECT_EQ(root.HitTestFromRoot(54, 54), &loaded->Named("b"));
    EXPECT_EQ(root.HitTestFromRoot(55, 55), &loaded->Named("a"));
    EXPECT_EQ(root.HitTestFromRoot(104, 5), &loaded->Named("a"));
    EXPECT_EQ(root.HitTestFromRoot(105, 5), nullptr);
    // Inside the group's frame but on no object.
    EXPECT_EQ(root.HitTestFromRoot(200, 200), nullptr);
}

TEST(PreviewLayoutTest, ThePageIndexShowsTheChosenChildOfAPageRow) {
    std::string root =
        "{'Name':'pages','Type':'GROUP','Layout':'PAGE','Width':'PARENT','Height':'PARENT',"
        "'Objects':[";
    for (int i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i);
        root += std::string(i > 0 ? "," : "") + "{'Name':'p" + n +
                "','Type':'GROUP','Layout':'FRAME','Width':'PARENT','Height':'PARENT',"
                "'Objects':[{'Name':'o" +
                n + "','Type':'TEXT','Width':'100px','Height':'100px'}]}";
    }
    const auto loaded = LoadDialog(root + "]}");
    loaded->dialog->SetCurrentPage(1);
    const std::vector<Call> calls = Paint(*loaded);
    const Box page{-385, 5, 390, 290};
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0], Fill(page, kWhite));
    EXPECT_EQ(calls[1], Frame(page, kGrey));
    EXPECT_EQ(calls[2], Frame(page, kGrey));
    EXPECT_EQ(Corners(Rect(*loaded, "o0")), (std::vector<int>{-385, 5, -285, 105}));
    EXPECT_EQ(Corners(Rect(*loaded, "o1")), (std::vector<int>{5, 5, 105, 105}));
    EXPECT_EQ(Corners(Rect(*loaded, "o2")), (std::vector<int>{395, 5, 495, 105}));
    EXPECT_EQ(loaded->dialog->GetRootGroup()->HitTestFromRoot(50, 50), &loaded->Named("o1"));
}

TEST(PreviewLayoutTest, LabelsShowTheShortCodeAndTheNameWithTheLabelText) {
    const auto loaded =
        LoadDialog(std::string(kFrameRoot) +
                   "{'Name':'sw','Type':'TOGGLE','Width':'100px','Height':'40px','TextOn':'On',"
                   "'Text':'ignored'},"
                   "{'Type':'BUTTON','Width':'100px','Height':'40px','Text':'OK'},"
                   "{'Type':'BUTTON','Width':'100px','Height':'40px','Text':'A'},"
                   "{'Name':'p','Type':'PICTURE','Width':'100px','Height':'40px','File':'a.png'},"
                   "{'Name':'g','Type':'GRID','Width':'100px','Height':'40px'},"
                   "{'Name':'c','Type':'CANVAS','Width':'100px','Height':'40px','File':'x.png'}]}");
    const auto texts = [&loaded](int expandPercent) {
        std::vector<std::string> found;
        for (const Call& call : Paint(*loaded, 400, 300, expandPercent)) {
            if (call.kind == Kind::kText) {
                found.push_back(call.text);
            }
        }
        return found;
    };
    EXPECT_EQ(texts(0), (std::vector<std::string>{"TOGL", "sw:On", "BTN", "OK", "BTN", "", "PIC",
                                                  "p:a.png", "GRID", "g", "CANVAS", "c"}));
    // Longer texts lengthen the label texts only, not names or file names.
    EXPECT_EQ(texts(100),
              (std::vector<std::string>{"TOGL", "sw:OnOn", "BTN", "OKOK", "BTN", "AA", "PIC",
                                        "p:a.png", "GRID", "g", "CANVAS", "c"}));
    // A type the tables do not know shows its Type text.
    loaded->Named("g").SetItem("Type", "FOO");
    EXPECT_EQ(texts(0)[8], "FOO");
}

TEST(PreviewLayoutTest, SelectedElementsAreDrawnInTheSecondPassOnTop) {
    const auto loaded =
        LoadDialog(std::string(kFrameRoot) +
                   "{'Name':'a','Type':'TEXT','Width':'50px','Height':'50px'},"
                   "{'Name':'u','Type':'TEXT','Width':'60px','Height':'60px'},"
                   "{'Name':'g','Type':'GROUP','Layout':'FRAME','Width':'100px','Height':'100px',"
                   "'Objects':[{'Name':'c','Type':'TEXT','Width':'20px','Height':'20px'}]}]}");
    loaded->Named("a").SetSelected(true);
    loaded->Named("g").SetSelected(true);  // with c below it
    ASSERT_TRUE(loaded->Named("c").IsSelected());
    const Box page{5, 5, 390, 290};
    EXPECT_EQ(Paint(*loaded), Join({{Fill(page, kWhite), Frame(page, kGrey)},
                                    Object({5, 5, 60, 60}, kWhite, kBlack, "TXT", "u"),
                                    Object({5, 5, 50, 50}, kPink, kRed, "TXT", "a"),
                                    {Frame({5, 5, 100, 100}, kRed)},
                                    Object({5, 5, 20, 20}, kPink, kRed, "TXT", "c")}));
    // Every object keeps the rectangle of its last placing, drawn or not.
    EXPECT_EQ(Corners(Rect(*loaded, "u")), (std::vector<int>{5, 5, 65, 65}));
    EXPECT_EQ(Corners(Rect(*loaded, "c")), (std::vector<int>{5, 5, 25, 25}));
}

TEST(PreviewLayoutTest, ADialogWithoutRootGroupPaintsNothing) {
    CZeResourceData project;
    CZeDialogData* dialog = project.GetDialogs().CreateDialog("Dialog");
    RecordingCanvas canvas;
    EXPECT_TRUE(DrawPreview(project, *dialog, canvas, 400, 300));
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST(PreviewLayoutTest, AGroupMeasureCountsZeroChildSizesOnlyWhenNotTopLevel) {
    const auto loaded = LoadDialog(
        std::string(kFrameRoot) +
        "{'Name':'g','Type':'GROUP','Layout':'LINEAR','Width':'CONTENT','Height':'CONTENT',"
        "'Weight':2,'Objects':[{'Name':'a','Type':'TEXT','Width':'100px'},"
        "{'Name':'b','Type':'TEXT','Weight':1}]}]}");
    PreviewLayout layout;
    LayoutContext context;
    context.units.previewWidth = 390;
    context.units.previewHeight = 290;
    context.baseSize = 24;
    layout.Reset(loaded->Named("g"), context);
    // b measures 0 wide; a parent's call counts it as the offered 20. In a
    // vertical parent the group's own weight makes its height 0.
    EXPECT_EQ(layout.Measure(20, length::kContent, true, false), (LayoutSize{120, 0}));
    // In a horizontal parent the group's own weight makes its width 0.
    EXPECT_EQ(layout.Measure(20, length::kContent, false, false), (LayoutSize{0, 24}));
    // Top-level: the zero counts as zero, and the weights make the width
    // computed even for a fixed Width.
    EXPECT_EQ(layout.Measure(20, length::kContent, false, true), (LayoutSize{100, 24}));
    EXPECT_EQ(layout.Measure(5, 10, true, false), (LayoutSize{105, 0}));

    layout.Reset(loaded->Named("a"), context);
    EXPECT_EQ(layout.Measure(50, 10, false, false), (LayoutSize{100, 10}));
    EXPECT_EQ(layout.Measure(50, length::kContent, false, false), (LayoutSize{100, 24}));
    layout.Reset(loaded->Named("b"), context);
    EXPECT_EQ(layout.Measure(20, 30, false, true), (LayoutSize{0, 24}));
    EXPECT_EQ(layout.Measure(20, 30, true, true), (LayoutSize{20, 0}));
}

TEST(PreviewLayoutTest, APaintMeasuresEachGroupAFewTimesHoweverDeepTheNesting) {
    std::string root;
    constexpr int kDepth = 14;
    for (int i = 0; i < kDepth; ++i) {
        root += "{'Name':'g" + std::to_string(i) +
                "','Type':'GROUP','Layout':'LINEAR','Width':'CONTENT','Height':'PARENT',"
                "'Vertical':" +
                (i % 2 == 0 ? "true" : "false") + ",'Objects':[" +
                "{'Type':'TEXT','Weight':1},{'Type':'TEXT','Width':'20px'},";
    }
    root += "{'Type':'TEXT'}";
    for (int i = 0; i < kDepth; ++i) {
        root += "]}";
    }
    const auto loaded = LoadDialog(root);
    RecordingCanvas canvas;
    PreviewStats stats;
    DrawPreview(loaded->project, *loaded->dialog, canvas, 400, 300, &stats);
    EXPECT_EQ(stats.elements, 3u * kDepth + 1);
    EXPECT_LE(stats.measureEvaluations, 12 * stats.elements);
}

}  // namespace
}  // namespace ze
