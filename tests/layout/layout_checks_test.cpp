// The layout checks at two page sizes, with a font whose sizes can be
// worked out by hand: each check fires where the small page is too small,
// never where everything fits, and never for what is hidden.

#include "layout/layout_checks.h"
#include "common/cp932.h"
#include "layout/device_screens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/layout_test_support.h"
#include "layout/text_expand.h"
#include "layout/text_measure.h"

namespace ze {
namespace {

constexpr LayoutSize kSmall{200, 300};
constexpr LayoutSize kLarge{400, 600};

std::string Root(const std::string& children, const std::string& extra = "") {
    return "{'Name':'root','Type':'GROUP','Layout':'LINEAR','Width':'PARENT','Height':'PARENT',"
           "'Vertical':true" +
           extra + ",'Objects':[" + children + "]}";
}

std::vector<Finding> Check(LoadedDialog& loaded, std::vector<LayoutSize> sizes,
                           std::int32_t expand = 0) {
    FixedPitchMeasure measure;
    std::vector<Finding> findings;
    CheckDialogLayout(loaded.project, *loaded.dialog, {std::move(sizes), expand}, measure,
                      findings);
    return findings;
}

struct CheckCase {
    const char* name;
    std::string root;
    std::string_view check;
    const char* element;  // the Name of the element reported
    bool small;           // reported at kSmall
    bool large;           // reported at kLarge
};

class LayoutCheckTable : public ::testing::TestWithParam<CheckCase> {};

TEST_P(LayoutCheckTable, FiresAtTheSizesWhereItDoesNotFit) {
    const CheckCase& c = GetParam();
    const auto loaded = LoadDialog(c.root);
    const std::vector<Finding> findings = Check(*loaded, {kSmall, kLarge});
    for (const LayoutSize size : {kSmall, kLarge}) {
        int count = 0;
        for (const Finding& finding : findings) {
            if (finding.check == c.check && finding.pageWidth == size.width &&
                finding.pageHeight == size.height) {
                EXPECT_EQ(finding.element, &loaded->Named(c.element)) << finding.elementLabel;
                EXPECT_EQ(finding.dialog, loaded->dialog);
                EXPECT_EQ(finding.dialogName, "D");
                ++count;
            }
        }
        const bool expected = size == kSmall ? c.small : c.large;
        EXPECT_EQ(count, expected ? 1 : 0) << PageSizeText(size);
    }
}

// A 30-character text at 20 px is 300 px wide: more than the small page's
// 200, less than the large one's 400.
const std::string kLongButton =
    "{'Name':'Long','Type':'BUTTON','Width':'PARENT','Height':'40px','TSize':'20px',"
    "'Text':'ABCDEFGHIJKLMNOPQRSTUVWXYZ1234'";
// 5 % of the page's height: 15 px on the small page, 30 on the large.
const std::string kShortText =
    "{'Name':'Short','Type':'TEXT','Width':'PARENT','Height':'5','TSize':'20px','Text':'Hi'";
// 250 + 100 px: past the small page's bottom.
const std::string kLowButton =
    "{'Name':'Spacer','Type':'TEXT','Width':'PARENT','Height':'250px'},"
    "{'Name':'Low','Type':'BUTTON','Width':'PARENT','Height':'100px'";
const std::string kLowText =
    "{'Name':'Spacer','Type':'TEXT','Width':'PARENT','Height':'250px'},"
    "{'Name':'Low','Type':'TEXT','Width':'PARENT','Height':'100px'";
// A group 50 % of the page high (150 / 300 px) holding a 200 px child.
const std::string kTallChild =
    "{'Name':'Box','Type':'GROUP','Layout':'FRAME','Width':'PARENT','Height':'50','Objects':["
    "{'Name':'Tall','Type':'TEXT','Width':'PARENT','Height':'200px'";
// Weighted into what is left: nothing on the small page.
const std::string kSqueezed =
    "{'Name':'Spacer','Type':'TEXT','Width':'PARENT','Height':'300px'},"
    "{'Name':'Flex','Type':'GROUP','Layout':'LINEAR','Width':'PARENT','Height':'CONTENT',"
    "'Weight':1,'Objects':[]";
// A 100 px row whose button is 25 % of the page wide (50 / 100 px): the row
// then says it is 50 wide, and the next one is put over it.
std::string Row(const std::string& layout, const std::string& after) {
    return "{'Name':'Line','Type':'GROUP','Layout':'" + layout +
           "','Width':'PARENT','Height':'50px','Objects':["
           "{'Name':'Inner','Type':'GROUP','Layout':'LINEAR','Width':'100px','Height':'PARENT',"
           "'Objects':[{'Name':'In','Type':'BUTTON','Width':'25','Height':'PARENT'}]},"
           "{'Name':'After','Type':'TEXT','Width':'40px','Height':'PARENT'" +
           after + "}]}";
}

INSTANTIATE_TEST_SUITE_P(
    Checks, LayoutCheckTable,
    ::testing::Values(
        CheckCase{"TextTooWide", Root(kLongButton + "}"), check_id::kTextOverflow, "Long", true,
                  false},
        CheckCase{"TextFits",
                  Root("{'Name':'Ok','Type':'BUTTON','Width':'PARENT','Height':'40px',"
                       "'TSize':'20px','Text':'OK'}"),
                  check_id::kTextOverflow, "Ok", false, false},
        CheckCase{"TextHidden", Root(kLongButton + ",'Hide':'true'}"), check_id::kTextOverflow,
                  "Long", false, false},
        CheckCase{"TextUnderAHiddenGroup",
                  Root("{'Name':'G','Type':'GROUP','Layout':'FRAME','Width':'PARENT',"
                       "'Height':'40px','Hide':'true','Objects':[" +
                       kLongButton + "}]}"),
                  check_id::kTextOverflow, "Long", false, false},
        CheckCase{"TextTooTall", Root(kShortText + "}"), check_id::kTextOverflow, "Short", true,
                  false},
        CheckCase{"TextTooWideInsidePadding",
                  Root("{'Name':'Pad','Type':'TEXT','Width':'PARENT','Height':'40px','TSize':"
                       "'20px','Padding':'150,0,150,0','Text':'ABCDEFGHIJ'}"),
                  check_id::kTextOverflow, "Pad", true, true},
        CheckCase{"ToggleOffText",
                  Root("{'Name':'Tog','Type':'TOGGLE','Width':'PARENT','Height':'40px','TSize':"
                       "'20px','TextOn':'On','TextOff':'ABCDEFGHIJKLMNOPQRSTUVWXYZ1234'}"),
                  check_id::kTextOverflow, "Tog", true, false},
        CheckCase{"ButtonBelowThePage", Root(kLowButton + "}"), check_id::kOutsidePage, "Low",
                  true, false},
        CheckCase{"ButtonOnThePage",
                  Root("{'Name':'Low','Type':'BUTTON','Width':'PARENT','Height':'100px'}"),
                  check_id::kOutsidePage, "Low", false, false},
        CheckCase{"ButtonBelowThePageHidden", Root(kLowButton + ",'Hide':'true'}"),
                  check_id::kOutsidePage, "Low", false, false},
        CheckCase{"ChildOutsideItsGroup", Root(kTallChild + "}]}"), check_id::kClipped, "Tall",
                  true, false},
        CheckCase{"ChildInsideItsGroup",
                  Root("{'Name':'Box','Type':'GROUP','Layout':'FRAME','Width':'PARENT',"
                       "'Height':'50','Objects':[{'Name':'Tall','Type':'TEXT','Width':'PARENT',"
                       "'Height':'100px'}]}"),
                  check_id::kClipped, "Tall", false, false},
        CheckCase{"ChildOutsideItsGroupHidden", Root(kTallChild + ",'Hide':'true'}]}"),
                  check_id::kClipped, "Tall", false, false},
        CheckCase{"ScrolledChildIsNotClipped",
                  Root("{'Name':'Box','Type':'GROUP','Layout':'SCROLL','Width':'PARENT',"
                       "'Height':'50','Objects':[{'Name':'Tall','Type':'TEXT','Width':'PARENT',"
                       "'Height':'200px'}]}"),
                  check_id::kClipped, "Tall", false, false},
        CheckCase{"GroupSqueezedToNothing", Root(kSqueezed + "}"), check_id::kZeroSize, "Flex",
                  true, false},
        CheckCase{"GroupWithRoom",
                  Root("{'Name':'Flex','Type':'GROUP','Layout':'LINEAR','Width':'PARENT',"
                       "'Height':'CONTENT','Weight':1,'Objects':[]}"),
                  check_id::kZeroSize, "Flex", false, false},
        CheckCase{"GroupSqueezedHidden", Root(kSqueezed + ",'Hide':'true'}"),
                  check_id::kZeroSize, "Flex", false, false},
        CheckCase{"RowOverlaps", Root(Row("LINEAR", "")), check_id::kOverlap, "After", true,
                  false},
        CheckCase{"TableRowOverlaps", Root(Row("TABLEROW", "")), check_id::kOverlap, "After",
                  true, false},
        CheckCase{"FrameMayOverlap", Root(Row("FRAME", "")), check_id::kOverlap, "After", false,
                  false},
        CheckCase{"RowOverlapHidden", Root(Row("LINEAR", ",'Hide':'true'")), check_id::kOverlap,
                  "After", false, false}),
    [](const ::testing::TestParamInfo<CheckCase>& row) { return std::string(row.param.name); });

TEST(LayoutChecks, SeverityAndSizeOfOutsidePage) {
    // A button cut off cannot be pressed: an error; a text only looks cut.
    for (const auto& [root, severity] : {std::pair{Root(kLowButton + "}"), Severity::kError},
                                         std::pair{Root(kLowText + "}"), Severity::kWarning}}) {
        const auto loaded = LoadDialog(root);
        const std::vector<Finding> findings = Check(*loaded, {kSmall});
        ASSERT_EQ(findings.size(), 1u);
        EXPECT_EQ(findings[0].check, check_id::kOutsidePage);
        EXPECT_EQ(findings[0].severity, severity);
        EXPECT_EQ(findings[0].pageWidth, 200);
        EXPECT_EQ(findings[0].pageHeight, 300);
        EXPECT_EQ(Cp932ToUtf8(findings[0].message), "要素 (5,255 200x100) がページ (5,5 200x300) "
                                       "の外にはみ出しています。");
    }
}

TEST(LayoutChecks, InsideAGroupOffThePageOnlyWhatIsClickedIsReportedAgain) {
    const auto loaded = LoadDialog(
        Root("{'Name':'Spacer','Type':'TEXT','Width':'PARENT','Height':'250px'},"
             "{'Name':'Low','Type':'GROUP','Layout':'LINEAR','Width':'PARENT','Height':'100px',"
             "'Objects':[{'Name':'Label','Type':'TEXT','Width':'50px','Height':'PARENT'},"
             "{'Name':'Press','Type':'BUTTON','Width':'50px','Height':'PARENT'}]}"));
    std::vector<std::string> reported;
    for (const Finding& finding : Check(*loaded, {kSmall})) {
        EXPECT_EQ(finding.check, check_id::kOutsidePage);
        reported.push_back(finding.elementLabel + " " + std::string(SeverityName(finding.severity)));
    }
    EXPECT_EQ(reported, (std::vector<std::string>{"Group:LINEAR(Low) warning",
                                                  "Object:BUTTON(Press) error"}));
}

TEST(LayoutChecks, OnlyTheFirstPageOfAPageGroupIsChecked) {
    const auto loaded = LoadDialog(
        Root("{'Name':'Book','Type':'GROUP','Layout':'PAGE','Width':'PARENT','Height':'100px',"
             "'Objects':["
             "{'Name':'P1','Type':'GROUP','Layout':'FRAME','Width':'PARENT','Height':'PARENT',"
             "'Objects':[" +
             kLongButton +
             "}]},"
             "{'Name':'P2','Type':'GROUP','Layout':'FRAME','Width':'PARENT','Height':'PARENT',"
             "'Objects':[{'Name':'Long2','Type':'BUTTON','Width':'PARENT','Height':'40px',"
             "'TSize':'20px','Text':'ABCDEFGHIJKLMNOPQRSTUVWXYZ1234'}]}]}"));
    const std::vector<Finding> findings = Check(*loaded, {kSmall});
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].element, &loaded->Named("Long"));
}

TEST(LayoutChecks, HeaderNumbersAreMeasuredInTheirCells) {
    // Twelve columns across 200 px leave cells of 16 or 17 px: "10" at 20 px
    // is 20 wide; "1" to "9" are 10.
    std::string header;
    for (int i = 0; i < 12; ++i) {
        header += std::string(i == 0 ? "" : ",") + "{'TSize':'20px'}";
    }
    const auto loaded =
        LoadDialog(Root("{'Name':'Grid','Type':'GRID','Width':'PARENT','Height':'100px',"
                        "'Header':[" +
                        header + "]}"));
    const std::vector<Finding> findings = Check(*loaded, {kSmall, kLarge});
    std::vector<std::string> labels;
    for (const Finding& finding : findings) {
        EXPECT_EQ(finding.check, check_id::kTextOverflow);
        EXPECT_EQ(finding.property, "TSize");
        labels.push_back(finding.elementLabel + "@" + std::to_string(finding.pageWidth));
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"Header:Cullum10@200", "Header:Cullum11@200",
                                                "Header:Cullum12@200"}));
    EXPECT_EQ(findings[0].element, loaded->Named("Grid").GetHeaders()[9]);
}

TEST(LayoutChecks, ExpandedTextsAreMeasured) {
    // 16 characters, 160 px: fit 200 as they are, not lengthened by half.
    const auto loaded =
        LoadDialog(Root("{'Name':'B','Type':'BUTTON','Width':'PARENT','Height':'40px',"
                        "'TSize':'20px','Text':'ABCDEFGHIJKLMNOP'}"));
    EXPECT_TRUE(Check(*loaded, {kSmall}).empty());
    const std::vector<Finding> findings = Check(*loaded, {kSmall}, 50);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(Cp932ToUtf8(findings[0].message),
              "テキスト「ABCDEFGHIJKLMNOPABCDEFGH」は幅 240 px が必要ですが、表示できる幅は 200 px "
              "です。");
}

TEST(LayoutChecks, LeavesThePreviewRectanglesAlone) {
    const auto loaded = LoadDialog(Root(kLowButton + "}"));
    CObjectData& low = loaded->Named("Low");
    low.SetPreviewRect(PreviewRect{1, 2, 3, 4});
    Check(*loaded, {kSmall, kLarge});
    const PreviewRect& rect = low.GetPreviewRect();
    EXPECT_EQ(std::vector<int>({rect.left, rect.top, rect.right, rect.bottom}),
              std::vector<int>({1, 2, 3, 4}));
}

TEST(LayoutChecks, CheckerKeepsEachDialogUntilAskedAgain) {
    const auto loaded = LoadDialog(Root(kLongButton + "}"));
    FixedPitchMeasure measure;
    LayoutChecker checker(measure);
    checker.SetOptions({{kSmall, kLarge}, 0});
    checker.CheckAll(loaded->project);
    EXPECT_EQ(checker.Findings(loaded->project).size(), 1u);
    // The text shortened: found again only once its dialog is checked.
    loaded->Named("Long").SetItem("Text", "OK");
    EXPECT_EQ(checker.Findings(loaded->project).size(), 1u);
    checker.CheckDialog(loaded->project, *loaded->dialog);
    EXPECT_TRUE(checker.Findings(loaded->project).empty());
    checker.ForgetDialog(*loaded->dialog);
    EXPECT_TRUE(checker.DialogFindings(*loaded->dialog).empty());
}

TEST(TextExpansion, LengthensEachLineFromItself) {
    const struct {
        std::string text;
        int percent;
        std::string expanded;
    } cases[] = {
        {"ABC", 0, "ABC"},
        {"ABC", 50, "ABCAB"},        // 1.5 characters round up
        {"ABC", 100, "ABCABC"},
        {"AB", 1, "ABA"},            // any share adds at least one
        {"", 100, ""},
        {"AB\nCDEF", 50, "ABA\nCDEFCD"},
        // Two-byte characters stay whole: "あい" in Shift_JIS.
        {"\x82\xA0\x82\xA2", 50, "\x82\xA0\x82\xA2\x82\xA0"},
        {"A\x82\xA0", 100, "A\x82\xA0" "A\x82\xA0"},
        // Numbers stay as they are, texts with a number in them do not.
        {"1", 100, "1"},
        {"-0.5", 100, "-0.5"},
        {"50%", 50, "50%"},
        {"12:30", 50, "12:30"},
        {"1 / 3", 100, "1 / 3"},
        {"1,234", 100, "1,234"},
        {"\x82\x50\x82\x51", 100, "\x82\x50\x82\x51"},  // "１２"
        {"Total\n100", 100, "TotalTotal\n100"},
        {"x1", 100, "x1x1"},
        {"1\x8C\xC2", 100, "1\x8C\xC2" "1\x8C\xC2"},  // "1個"
        {"-", 100, "--"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandedText(c.text, c.percent), c.expanded) << c.text << " " << c.percent;
    }
    FixedPitchMeasure measure;
    EXPECT_EQ(measure.LineWidth("A\x82\xA0" "B", 20), 40);
}

TEST(LayoutChecks, DefaultDevicePageSizesAreUprightThenTurned) {
    const std::vector<LayoutSize> sizes = DefaultDevicePageSizes();
    ASSERT_EQ(sizes.size(), 8u);
    EXPECT_EQ(sizes[0], (LayoutSize{360, 640}));
    EXPECT_EQ(sizes[1], (LayoutSize{640, 360}));
    EXPECT_EQ(sizes[7], (LayoutSize{1280, 800}));
}

}  // namespace
}  // namespace ze
