#include "layout/layout_checks.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "layout/device_screens.h"
#include "layout/int32_math.h"
#include "layout/look_values.h"
#include "layout/text_expand.h"
#include "layout/text_measure.h"
#include "layout/text_values.h"
#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/property_names.h"
#include "model/resource_data.h"
#include "model/schema.h"
#include "model/tree_walk.h"
#include "model/user_text.h"

namespace ze {

using namespace int32_math;

namespace {

// The messages, UTF-8 here and Shift_JIS given out, in the user's
// language; "%1" ... "%3" are filled in.
struct Texts {
    static std::string Of(const char* source) { return UserText("Messages", source); }

    unsigned generation = TextTranslatorGeneration();
    std::string tooWide = Of(ZE_USER_TEXT(
        "Messages", "テキスト「%1」は幅 %2 px が必要ですが、表示できる幅は %3 px です。"));
    std::string tooTall = Of(ZE_USER_TEXT(
        "Messages", "テキスト「%1」は高さ %2 px が必要ですが、表示できる高さは %3 px です。"));
    std::string outsidePage =
        Of(ZE_USER_TEXT("Messages", "要素 (%1) がページ (%2) の外にはみ出しています。"));
    std::string clipped =
        Of(ZE_USER_TEXT("Messages", "要素 (%1) が親グループ (%2) の外にはみ出しています。"));
    std::string zeroSize = Of(ZE_USER_TEXT("Messages", "要素の大きさが %1 です。"));
    std::string overlap = Of(ZE_USER_TEXT("Messages", "要素が「%1」と重なっています。"));
};

const Texts& Text() {
    static Texts texts;
    if (texts.generation != TextTranslatorGeneration()) {
        texts = Texts{};
    }
    return texts;
}

// text with "%1", "%2", ... replaced by the arguments, each taken as it is.
std::string Filled(std::string_view text, std::initializer_list<std::string_view> arguments) {
    std::string out;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '%' && at + 1 < text.size() && text[at + 1] >= '1' &&
            static_cast<std::size_t>(text[at + 1] - '1') < arguments.size()) {
            out.append(arguments.begin()[text[at + 1] - '1']);
            ++at;
        } else {
            out += text[at];
        }
    }
    return out;
}

std::string BoxText(const Box& box) {
    return std::to_string(box.x) + "," + std::to_string(box.y) + " " + std::to_string(box.width) +
           "x" + std::to_string(box.height);
}

// The properties the checks read, from one walk over an element's items;
// the first item of a name counts.
enum Slot : std::size_t {
    kType,
    kLayout,
    kHide,
    kMargin,
    kPadding,
    kTSize,
    kText,
    kTextOn,
    kTextOff,
    kColumnHeight,
    kSlotCount
};
constexpr std::array<std::string_view, kSlotCount> kSlotNames = {
    prop::kType,  prop::kLayout, prop::kHide,   prop::kMargin,  prop::kPadding,
    prop::kTSize, prop::kText,   prop::kTextOn, prop::kTextOff, prop::kColumnHeight};

using Values = std::array<std::string_view, kSlotCount>;

Values ReadValues(const CItemList& items) {
    Values values{};
    std::array<bool, kSlotCount> seen{};
    for (std::size_t i = 0; i < items.GetItemCount(); ++i) {
        const CItemData& item = items.GetItemData(i);
        const std::string& name = item.GetName();
        for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
            if (!seen[slot] && kSlotNames[slot] == name) {
                seen[slot] = true;
                values[slot] = AsCString(item.GetValue());
                break;
            }
        }
    }
    return values;
}

// An object the user presses or types into: one the page cuts off cannot
// be used, which is worse than one that only looks cut.
bool IsClickable(ObjectType type, const CObjectData& element) {
    switch (type) {
        case ObjectType::kEdit:
        case ObjectType::kButton:
        case ObjectType::kCheckbox:
        case ObjectType::kToggle:
        case ObjectType::kRadioButton:
        case ObjectType::kPulldown:
        case ObjectType::kSlidebar:
            return true;
        default:
            return !element.GetCommands().empty();
    }
}

// One text an element shows, lengthened as asked.
struct ShownText {
    std::string_view property;
    std::string_view raw;   // the item's value
    std::string expanded;  // when lengthened
    bool isExpanded = false;

    std::string_view Text() const { return isExpanded ? std::string_view(expanded) : raw; }
};

// What the checks need of an element at every size, read once per dialog.
struct ElementFacts {
    bool hidden = false;
    bool clickable = false;
    GroupLayout layout = GroupLayout::kUnset;  // groups
    std::string_view margin;
    std::string_view padding;
    std::string_view textSize;
    std::string_view columnHeight;
    std::vector<ShownText> texts;
};

ElementFacts ReadFacts(const CObjectData& element, std::int32_t expandPercent) {
    const Values values = ReadValues(element.Items());
    ElementFacts facts;
    facts.hidden = IsTrueText(values[kHide]);
    facts.margin = values[kMargin];
    facts.padding = values[kPadding];
    facts.textSize = values[kTSize];
    facts.columnHeight = values[kColumnHeight];
    if (element.IsGroup()) {
        facts.layout = LayoutCode(values[kLayout]);
        return facts;
    }
    const ObjectType type = ObjectTypeIndex(values[kType]);
    facts.clickable = IsClickable(type, element);
    const auto add = [&](std::string_view property, std::string_view text) {
        if (!text.empty()) {
            ShownText& shown = facts.texts.emplace_back();
            shown.property = property;
            shown.raw = text;
            if (expandPercent > 0) {
                shown.expanded = ExpandedText(text, expandPercent);
                shown.isExpanded = true;
            }
        }
    };
    switch (type) {
        case ObjectType::kText:
        case ObjectType::kButton:
        case ObjectType::kCheckbox:
        case ObjectType::kRadioButton:
            add(prop::kText, values[kText]);
            break;
        case ObjectType::kToggle:
            add(prop::kTextOn, values[kTextOn]);
            add(prop::kTextOff, values[kTextOff]);
            break;
        default:
            break;
    }
    return facts;
}

bool Reaches(const Box& inner, const Box& outer) {
    return inner.x < outer.x || inner.y < outer.y ||
           std::int64_t{inner.x} + inner.width > std::int64_t{outer.x} + outer.width ||
           std::int64_t{inner.y} + inner.height > std::int64_t{outer.y} + outer.height;
}

bool Overlaps(const Box& a, const Box& b) {
    return std::int64_t{a.x} < std::int64_t{b.x} + b.width &&
           std::int64_t{b.x} < std::int64_t{a.x} + a.width &&
           std::int64_t{a.y} < std::int64_t{b.y} + b.height &&
           std::int64_t{b.y} < std::int64_t{a.y} + a.height;
}

// The checks of one dialog at one size, over a layout already placed.
class SizeCheck {
public:
    SizeCheck(const PreviewLayout& layout, const std::vector<ElementFacts>& facts,
              const CZeDialogData& dialog, const Box& page, LayoutSize size,
              const UnitContext& units, std::int32_t expandPercent, TextMeasure& measure,
              std::vector<Finding>& findings)
        : layout_(layout),
          facts_(facts),
          dialog_(dialog),
          page_(page),
          size_(size),
          units_(units),
          expandPercent_(expandPercent),
          measure_(measure),
          findings_(findings),
          dialogName_(dialog.GetItem(prop::kName)) {}

    // parentOutside: the parent group reaches outside the page already;
    // what it holds is reported again only when it can be clicked.
    void Element(std::uint32_t index, const Box* parent, bool scrolled,
                 bool parentOutside = false) {
        const ElementFacts& facts = facts_[index];
        if (facts.hidden) {
            return;
        }
        CObjectData& element = layout_.ElementAt(index);
        const Box& box = layout_.PlacedBox(index);
        bool outside = false;
        if (box.width <= 0 || box.height <= 0) {
            Add(element, check_id::kZeroSize, Severity::kWarning, "",
                Filled(Text().zeroSize, {std::to_string(box.width) + "x" +
                                         std::to_string(box.height)}));
        } else {
            if (!scrolled && Reaches(box, page_)) {
                outside = true;
            }
            if (outside && (!parentOutside || facts.clickable)) {
                Add(element, check_id::kOutsidePage,
                    facts.clickable ? Severity::kError : Severity::kWarning, "",
                    Filled(Text().outsidePage, {BoxText(box), BoxText(page_)}));
            }
            if (!outside && !scrolled && parent != nullptr && Reaches(box, *parent)) {
                Add(element, check_id::kClipped, Severity::kWarning, "",
                    Filled(Text().clipped, {BoxText(box), BoxText(*parent)}));
            }
            if (!element.IsGroup()) {
                Texts(element, facts, box);
            }
        }
        if (!element.IsGroup()) {
            return;
        }
        const std::uint32_t first = layout_.FirstChild(index);
        const std::uint32_t count = facts.layout == GroupLayout::kPage
                                        ? std::min<std::uint32_t>(layout_.ChildCount(index), 1)
                                        : layout_.ChildCount(index);
        const bool scrolls = scrolled || facts.layout == GroupLayout::kScroll ||
                             facts.layout == GroupLayout::kHScroll;
        for (std::uint32_t c = first; c < first + count; ++c) {
            Element(c, &box, scrolls, outside || parentOutside);
        }
        if (facts.layout == GroupLayout::kLinear || facts.layout == GroupLayout::kTable ||
            facts.layout == GroupLayout::kTableRow) {
            Overlap(first, count);
        }
    }

private:
    void Add(const ZeClass& element, std::string_view check, Severity severity,
             std::string_view property, std::string message, std::string label = {}) {
        Finding finding;
        finding.severity = severity;
        finding.check = check;
        finding.dialog = &dialog_;
        finding.element = &element;
        finding.dialogName = dialogName_;
        finding.elementLabel = label.empty() ? element.GetTreeLabel() : std::move(label);
        finding.property = property;
        finding.message = std::move(message);
        finding.pageWidth = size_.width;
        finding.pageHeight = size_.height;
        findings_.push_back(std::move(finding));
    }

    void Texts(const CObjectData& element, const ElementFacts& facts, const Box& box) {
        const Box framed = ShrinkBox(box, ParseInsets(facts.margin, units_));
        const Box content = ShrinkBox(framed, ParseInsets(facts.padding, units_));
        const std::int32_t fontHeight = TextSizeInPixels(facts.textSize, units_);
        for (const ShownText& shown : facts.texts) {
            Fit(element, shown.property, shown.Text(), fontHeight, content);
        }
        if (!element.GetHeaders().empty()) {
            Header(element, facts, content);
        }
    }

    // A text against the area it is drawn in: its widest line and its lines
    // together.
    void Fit(const ZeClass& element, std::string_view property, std::string_view text,
             std::int32_t fontHeight, const Box& area, const std::string& label = {}) {
        std::int32_t widest = -1;  // of the lines that do not fit
        std::int32_t lines = 0;
        for (std::size_t start = 0; start <= text.size(); ++lines) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            const std::string_view line = text.substr(start, end - start);
            // No character of the device font is wider than its size and a
            // quarter: a line that fits even so needs no measuring, which is
            // most lines of most dialogs.
            const std::int64_t bound = static_cast<std::int64_t>(line.size()) * fontHeight * 5 / 4;
            if (bound > area.width && !measure_.LineFits(line, fontHeight, area.width)) {
                widest = std::max(widest, measure_.LineWidth(line, fontHeight));
            }
            start = end + 1;
        }
        // The last line needs only its glyphs' height, the font size; the
        // lines before it their spacing too.
        const std::int32_t tall =
            int32_math::Add(Mul(lines - 1, measure_.LineHeight(fontHeight)), fontHeight);
        if (widest >= 0) {
            Add(element, check_id::kTextOverflow, Severity::kWarning, property,
                Filled(Text().tooWide, {text, std::to_string(widest),
                                        std::to_string(std::max(area.width, 0))}),
                label);
        } else if (tall > area.height) {
            Add(element, check_id::kTextOverflow, Severity::kWarning, property,
                Filled(Text().tooTall, {text, std::to_string(tall),
                                        std::to_string(std::max(area.height, 0))}),
                label);
        }
    }

    // A GRID's header row: one cell of equal width per column, each showing
    // its number at the column's TSize, as the device look draws it.
    void Header(const CObjectData& grid, const ElementFacts& facts, const Box& area) {
        const std::vector<ZeClass*>& columns = grid.GetHeaders();
        const auto count = static_cast<std::int64_t>(columns.size());
        const auto edge = [&](std::size_t at) {
            return static_cast<std::int32_t>(area.x +
                                             area.width * static_cast<std::int64_t>(at) / count);
        };
        std::int32_t rowHeight = HeightOr(facts.columnHeight, units_, 0);
        std::vector<Values> values;
        values.reserve(columns.size());
        for (const ZeClass* column : columns) {
            values.push_back(ReadValues(column->Items()));
        }
        if (rowHeight == 0) {
            for (const Values& column : values) {
                rowHeight = std::max(
                    rowHeight, measure_.LineHeight(TextSizeInPixels(column[kTSize], units_)));
            }
        }
        rowHeight = std::min(rowHeight, area.height);
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const Box cell{edge(i), area.y, edge(i + 1) - edge(i), rowHeight};
            const Box inner = ShrinkBox(cell, ParseInsets(values[i][kMargin], units_));
            number_ = ExpandedText(std::to_string(i + 1), expandPercent_);
            Fit(*columns[i], "TSize", number_, TextSizeInPixels(values[i][kTSize], units_), inner,
                HeaderColumnLabel(static_cast<int>(i) + 1));
        }
    }

    // Children of a group that lines them up: any two that share pixels.
    void Overlap(std::uint32_t first, std::uint32_t count) {
        std::vector<std::uint32_t> shown;
        for (std::uint32_t c = first; c < first + count; ++c) {
            const Box& box = layout_.PlacedBox(c);
            if (!facts_[c].hidden && box.width > 0 && box.height > 0) {
                shown.push_back(c);
            }
        }
        for (std::size_t a = 0; a < shown.size(); ++a) {
            for (std::size_t b = a + 1; b < shown.size(); ++b) {
                if (Overlaps(layout_.PlacedBox(shown[a]), layout_.PlacedBox(shown[b]))) {
                    Add(layout_.ElementAt(shown[b]), check_id::kOverlap, Severity::kWarning, "",
                        Filled(Text().overlap, {layout_.ElementAt(shown[a]).GetTreeLabel()}));
                }
            }
        }
    }

    const PreviewLayout& layout_;
    const std::vector<ElementFacts>& facts_;
    const CZeDialogData& dialog_;
    Box page_;
    LayoutSize size_;
    const UnitContext& units_;
    std::int32_t expandPercent_;
    TextMeasure& measure_;
    std::vector<Finding>& findings_;
    std::string dialogName_;
    std::string number_;
};

const std::vector<Finding> kNoFindings;

}  // namespace

std::string PageSizeText(LayoutSize size) {
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

std::vector<LayoutSize> DefaultDevicePageSizes() {
    std::vector<LayoutSize> sizes;
    for (const LayoutSize& screen : kDefaultScreens) {
        sizes.push_back(screen);
        sizes.push_back({screen.height, screen.width});
    }
    return sizes;
}

void CheckDialogLayout(const CZeResourceData& project, CZeDialogData& dialog,
                       const LayoutCheckOptions& options, TextMeasure& measure,
                       std::vector<Finding>& findings) {
    CObjectDataList* root = dialog.GetRootGroup();
    if (root == nullptr || options.sizes.empty()) {
        return;
    }
    PreviewLayout layout;
    layout.SetKeepsPreviewRects(false);
    std::vector<ElementFacts> facts;
    for (const LayoutSize& size : options.sizes) {
        // A device list tile: the page is the device's size, 5 pixels in.
        PreviewPage page =
            PreviewPageOf(project, dialog, Add(size.width, 10), Add(size.height, 10));
        page.page.x = 5;
        layout.Reset(*root, page.context);
        if (facts.empty()) {
            // The element order of a Reset does not depend on the size.
            facts.reserve(layout.ElementCount());
            for (std::size_t i = 0; i < layout.ElementCount(); ++i) {
                facts.push_back(ReadFacts(layout.ElementAt(i), options.expandPercent));
            }
        }
        NullCanvas canvas;
        layout.Place(canvas, page.page.x, page.page.y, page.page.width, page.page.height, false,
                     -1, 0);
        SizeCheck check(layout, facts, dialog, page.page, size, page.context.units,
                        options.expandPercent, measure, findings);
        check.Element(0, nullptr, false);
    }
}

void LayoutChecker::SetOptions(LayoutCheckOptions options) {
    options_ = std::move(options);
    dialogs_.clear();
}

void LayoutChecker::CheckAll(const CZeResourceData& project) {
    dialogs_.clear();
    measure_.RunMeasuring([&] {
        const CZeDialogDataList& dialogs = project.GetDialogs();
        for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
            Check(project, *dialogs.GetDialog(i));
        }
    });
}

void LayoutChecker::CheckDialog(const CZeResourceData& project, CZeDialogData& dialog) {
    measure_.RunMeasuring([&] { Check(project, dialog); });
}

void LayoutChecker::Check(const CZeResourceData& project, CZeDialogData& dialog) {
    std::vector<Finding>& findings = dialogs_[&dialog];
    findings.clear();
    CheckDialogLayout(project, dialog, options_, measure_, findings);
}

void LayoutChecker::ForgetDialog(const CZeDialogData& dialog) {
    dialogs_.erase(&dialog);
}

std::vector<Finding> LayoutChecker::Findings(const CZeResourceData& project) const {
    std::vector<Finding> all;
    AppendFindings(project, all);
    return all;
}

void LayoutChecker::AppendFindings(const CZeResourceData& project,
                                   std::vector<Finding>& out) const {
    const CZeDialogDataList& dialogs = project.GetDialogs();
    std::size_t count = 0;
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        count += DialogFindings(*dialogs.GetDialog(i)).size();
    }
    out.reserve(out.size() + count);
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        const std::vector<Finding>& found = DialogFindings(*dialogs.GetDialog(i));
        out.insert(out.end(), found.begin(), found.end());
    }
}

const std::vector<Finding>& LayoutChecker::DialogFindings(const CZeDialogData& dialog) const {
    const auto found = dialogs_.find(&dialog);
    return found == dialogs_.end() ? kNoFindings : found->second;
}

}  // namespace ze
