#include "model/schema.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "common/cp932.h"
#include "model/property_names.h"
#include "model/schema_texts.h"

namespace ze {

namespace {

using schema_text::Help;
using schema_text::HelpText;

// ---------------------------------------------------------------------------
// Type and layout tables

struct ObjectTypeInfo {
    std::string_view name;
    std::string_view shortCode;
    std::string_view labelProperty;
};

constexpr std::array<ObjectTypeInfo, IndexOf(ObjectType::kCount)> kObjectTypes = {{
    {"TEXT", "TXT", "Text"},
    {"EDIT", "EDIT", "Text"},
    {"BUTTON", "BTN", "Text"},
    {"CHECKBOX", "CHK", "Text"},
    {"TOGGLE", "TOGL", "TextOn"},
    {"RADIOBTN", "RADO", "Text"},
    {"PICTURE", "PIC", "File"},
    {"CANVAS", "CANVAS", ""},
    {"GRID", "GRID", ""},
    {"PULLDOWN", "PDWN", ""},
    {"PROGRESS", "PROG", ""},
    {"SLIDEBAR", "SLID", ""},
    {"METER", "METR", "File"},
    {"GRAPH", "GRPH", ""},
    {"VLIST", "VLST", ""},
    {"HLIST", "HLST", ""},
}};

constexpr std::array<std::string_view, IndexOf(GroupLayout::kCount)> kLayoutNames = {
    "FRAME", "LINEAR", "RADIO", "SCROLL", "HSCROLL", "PAGE", "TABLE", "TABLEROW", "RELATIVE",
};

constexpr bool IsObjectType(ObjectType type) {
    return IndexOf(type) >= 0 && type < ObjectType::kCount;
}

constexpr bool IsLayout(GroupLayout layout) {
    return IndexOf(layout) >= 0 && layout < GroupLayout::kCount;
}

constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The table entries are plain ASCII, so folding byte by byte is safe: a
// Shift_JIS lead byte (0x81 and up) never equals an entry byte, so a text
// holding a double-byte character never matches whatever its trail byte is.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

bool Equal(std::string_view a, std::string_view b) {
    return a == b;
}

using Comparison = bool (*)(std::string_view, std::string_view);

// The new-element label heads the insert lists but is not a type, so the
// lookups never match it.
ObjectType FindObjectType(std::string_view text, Comparison equal) {
    for (std::size_t i = 0; i < kObjectTypes.size(); ++i) {
        if (equal(kObjectTypes[i].name, text)) {
            return ObjectTypeAt(static_cast<int>(i));
        }
    }
    return ObjectType::kUnset;
}

GroupLayout FindLayout(std::string_view text, Comparison equal) {
    for (std::size_t i = 0; i < kLayoutNames.size(); ++i) {
        if (equal(kLayoutNames[i], text)) {
            return GroupLayoutAt(static_cast<int>(i));
        }
    }
    return GroupLayout::kUnset;
}

// ---------------------------------------------------------------------------
// Item descriptions

using ChoicesFn = const ChoiceList& (*)();

struct ItemDef {
    std::string_view name;
    ItemKind kind;
    ChoicesFn choices;
    Help help;
    std::string_view value;  // initial value
};

// The shared description of the item a definition makes; looked up once per
// definition and thread.
const ItemInfo* InfoOf(const ItemDef& def) {
    // A few direct-mapped slots in front of the map: a load adds the same
    // handful of definitions to every element it makes.
    struct Recent {
        const ItemDef* def = nullptr;
        const ItemInfo* info = nullptr;
    };
    thread_local std::array<Recent, 64> recent;
    Recent& slot = recent[(reinterpret_cast<std::uintptr_t>(&def) / sizeof(ItemDef)) % 64];
    if (slot.def == &def) {
        return slot.info;
    }
    thread_local std::unordered_map<const ItemDef*, const ItemInfo*> cache;
    auto [it, inserted] = cache.try_emplace(&def, nullptr);
    if (inserted) {
        it->second = InternItemInfo(def.kind, def.name, def.choices ? &def.choices() : nullptr,
                                    HelpText(def.help));
    }
    slot = {&def, it->second};
    return it->second;
}

void Add(CItemList& items, const ItemDef& def, std::string_view value) {
    items.AddItem(CItemData(InfoOf(def), value));
}

void Add(CItemList& items, const ItemDef& def) {
    Add(items, def, def.value);
}

void AddAll(CItemList& items, std::span<const ItemDef> defs) {
    for (const ItemDef& def : defs) {
        Add(items, def);
    }
}

// ---------------------------------------------------------------------------
// Object schema

// A bit per object type, for the properties whose kind or help text differs
// between types.
using TypeMask = std::uint32_t;
constexpr TypeMask kAnyType = 0;

constexpr TypeMask Types(std::initializer_list<ObjectType> types) {
    TypeMask mask = 0;
    for (ObjectType t : types) {
        mask |= TypeMask{1} << IndexOf(t);
    }
    return mask;
}

struct CatalogueEntry {
    TypeMask types;  // kAnyType, or the types the entry is for
    ItemDef def;
};

// Looked up by name and type; the first entry that fits wins, so the
// entries for particular types come before any general one of the same name.
constexpr CatalogueEntry kObjectCatalogue[] = {
    {kAnyType, {"Name", ItemKind::kPlainText, nullptr, Help::kObjectName, ""}},
    {kAnyType, {"Alias", ItemKind::kPlainText, nullptr, Help::kObjectAlias, ""}},
    {kAnyType, {"Type", ItemKind::kChoice, &choices::ObjectTypeNames, Help::kObjectType, ""}},
    {kAnyType, {"Width", ItemKind::kSuggested, &choices::Sizes, Help::kSize, ""}},
    {kAnyType, {"Height", ItemKind::kSuggested, &choices::Sizes, Help::kSize, ""}},
    {kAnyType, {"Weight", ItemKind::kNumber, nullptr, Help::kWeight, ""}},
    {kAnyType, {"PosX", ItemKind::kSize, nullptr, Help::kPosX, ""}},
    {kAnyType, {"PosY", ItemKind::kSize, nullptr, Help::kPosY, ""}},
    {kAnyType, {"Padding", ItemKind::kSuggested, &choices::Offsets, Help::kPadding, ""}},
    {kAnyType, {"Margin", ItemKind::kSuggested, &choices::Offsets, Help::kMargin, ""}},
    {kAnyType, {"Hide", ItemKind::kBoolean, nullptr, Help::kHide, ""}},
    {kAnyType, {"Disable", ItemKind::kBoolean, nullptr, Help::kDisable, ""}},
    {kAnyType, {"BGColor", ItemKind::kSuggested, &choices::Colours, Help::kColour, ""}},
    {kAnyType, {"ScaleType", ItemKind::kSuggested, &choices::ScaleTypes, Help::kScaleType, ""}},
    {kAnyType, {"Clickable", ItemKind::kBoolean, nullptr, Help::kClickable, ""}},
    {kAnyType, {"OnClick", ItemKind::kChoice, &choices::CommandNames, Help::kCommandPick, ""}},
    {kAnyType, {"OnSlide", ItemKind::kChoice, &choices::CommandNames, Help::kCommandPick, ""}},
    {kAnyType, {"OnTouch", ItemKind::kChoice, &choices::CommandNames, Help::kCommandPick, ""}},
    {kAnyType, {"OnRelease", ItemKind::kChoice, &choices::CommandNames, Help::kCommandPick, ""}},
    {kAnyType, {"Attr", ItemKind::kSuggested, &choices::Attributes, Help::kAttr, ""}},
    {kAnyType, {"Text", ItemKind::kUserText, nullptr, Help::kText, ""}},
    {kAnyType, {"TextOff", ItemKind::kUserText, nullptr, Help::kTextOff, ""}},
    {kAnyType, {"TextOn", ItemKind::kUserText, nullptr, Help::kTextOn, ""}},
    {kAnyType, {"TSize", ItemKind::kSize, nullptr, Help::kTSize, ""}},
    {kAnyType, {"TColor", ItemKind::kSuggested, &choices::Colours, Help::kColour, ""}},
    {kAnyType, {"TAlign", ItemKind::kChoice, &choices::Alignments, Help::kAlignment, ""}},
    {kAnyType, {"Stretch", ItemKind::kBoolean, nullptr, Help::kStretch, ""}},
    {kAnyType, {"Wrap", ItemKind::kBoolean, nullptr, Help::kWrap, ""}},
    {kAnyType, {"Span", ItemKind::kNumber, nullptr, Help::kSpan, ""}},
    {kAnyType, {"File", ItemKind::kImageFile, nullptr, Help::kFile, ""}},
    {kAnyType, {"FileOff", ItemKind::kImageFile, nullptr, Help::kFileOff, ""}},
    {kAnyType, {"FileOn", ItemKind::kImageFile, nullptr, Help::kFileOn, ""}},
    {Types({ObjectType::kProgress}),
     {"FileBase", ItemKind::kImageFile, nullptr, Help::kFileBaseProgress, ""}},
    {Types({ObjectType::kSlidebar}),
     {"FileBase", ItemKind::kImageFile, nullptr, Help::kFileBaseSlidebar, ""}},
    {Types({ObjectType::kMeter}),
     {"FileBase", ItemKind::kImageFile, nullptr, Help::kFileBaseMeter, ""}},
    {Types({ObjectType::kProgress}),
     {"FileActive", ItemKind::kImageFile, nullptr, Help::kFileActiveProgress, ""}},
    {Types({ObjectType::kSlidebar}),
     {"FileActive", ItemKind::kImageFile, nullptr, Help::kFileActiveSlidebar, ""}},
    {kAnyType, {"FileThumb", ItemKind::kImageFile, nullptr, Help::kFileThumb, ""}},
    {kAnyType, {"FileCursor", ItemKind::kImageFile, nullptr, Help::kFileCursor, ""}},
    {kAnyType, {"FileTop", ItemKind::kImageFile, nullptr, Help::kFileTop, ""}},
    {kAnyType, {"CenterPosBase", ItemKind::kPlainText, nullptr, Help::kCenterPosBase, ""}},
    {kAnyType, {"CenterPosCursor", ItemKind::kPlainText, nullptr, Help::kCenterPosCursor, ""}},
    {kAnyType, {"CenterPosTop", ItemKind::kPlainText, nullptr, Help::kCenterPosTop, ""}},
    {kAnyType, {"Revers", ItemKind::kBoolean, nullptr, Help::kRevers, ""}},
    {kAnyType, {"Pattern", ItemKind::kChoice, &choices::MeterPatterns, Help::kPattern, ""}},
    {kAnyType, {"FileSource", ItemKind::kChoice, &choices::FileSources, Help::kFileSource, ""}},
    {kAnyType, {"FilePath", ItemKind::kPlainText, nullptr, Help::kFilePath, ""}},
    {kAnyType, {"EnablePinch", ItemKind::kBoolean, nullptr, Help::kEnablePinch, ""}},
    {kAnyType, {"EnableCache", ItemKind::kBoolean, nullptr, Help::kEnableCache, ""}},
    {kAnyType, {"Thumbnail", ItemKind::kBoolean, nullptr, Help::kThumbnail, ""}},
    {Types({ObjectType::kPicture}),
     {"OffsetX", ItemKind::kPlainText, nullptr, Help::kPictureOffsetX, ""}},
    {Types({ObjectType::kPicture}),
     {"OffsetY", ItemKind::kPlainText, nullptr, Help::kPictureOffsetY, ""}},
    {Types({ObjectType::kPicture}),
     {"ScaleX", ItemKind::kPlainText, nullptr, Help::kPictureScaleX, ""}},
    {Types({ObjectType::kPicture}),
     {"ScaleY", ItemKind::kPlainText, nullptr, Help::kPictureScaleY, ""}},
    {Types({ObjectType::kGraph}),
     {"OffsetX", ItemKind::kPlainText, nullptr, Help::kGraphOffsetX, ""}},
    {Types({ObjectType::kGraph}),
     {"OffsetY", ItemKind::kPlainText, nullptr, Help::kGraphOffsetY, ""}},
    {Types({ObjectType::kGraph}),
     {"ScaleX", ItemKind::kPlainText, nullptr, Help::kGraphScaleX, ""}},
    {Types({ObjectType::kGraph}),
     {"ScaleY", ItemKind::kPlainText, nullptr, Help::kGraphScaleY, ""}},
    {kAnyType, {"DateScale", ItemKind::kBoolean, nullptr, Help::kDateScale, ""}},
    {kAnyType, {"AutoScroll", ItemKind::kBoolean, nullptr, Help::kAutoScroll, ""}},
    {kAnyType, {"ScaleLock", ItemKind::kBoolean, nullptr, Help::kScaleLock, ""}},
    {Types({ObjectType::kGrid, ObjectType::kPulldown}),
     {"Data", ItemKind::kResourceText, nullptr, Help::kGridData, ""}},
    {Types({ObjectType::kVList, ObjectType::kHList}),
     {"Data", ItemKind::kResourceText, nullptr, Help::kListData, ""}},
    {kAnyType, {"ColumnHeight", ItemKind::kSize, nullptr, Help::kColumnHeight, ""}},
    {kAnyType, {"Columns", ItemKind::kChoice, &choices::Columns, Help::kNone, ""}},
    {kAnyType, {"Position", ItemKind::kNumber, nullptr, Help::kPosition, ""}},
    {kAnyType, {"Min", ItemKind::kNumber, nullptr, Help::kMin, ""}},
    {kAnyType, {"Max", ItemKind::kNumber, nullptr, Help::kMax, ""}},
    {Types({ObjectType::kEdit, ObjectType::kRadioButton}),
     {"Value", ItemKind::kUserText, nullptr, Help::kValue, ""}},
    {Types({ObjectType::kProgress, ObjectType::kSlidebar, ObjectType::kMeter}),
     {"Value", ItemKind::kPlainText, nullptr, Help::kInitialValue, ""}},
    {kAnyType, {"Vertical", ItemKind::kBoolean, nullptr, Help::kBarVertical, ""}},
    {kAnyType, {"NotifyList", ItemKind::kPlainText, nullptr, Help::kNotifyList, ""}},
};

constexpr const ItemDef* FindObjectItem(std::string_view name, ObjectType type) {
    for (const CatalogueEntry& entry : kObjectCatalogue) {
        const bool typeFits = entry.types == kAnyType ||
                              (IsObjectType(type) && ((entry.types >> IndexOf(type)) & 1) != 0);
        if (typeFits && entry.def.name == name) {
            return &entry.def;
        }
    }
    return nullptr;
}

using Names = std::span<const std::string_view>;

// Items of every object, around the optional PosX and PosY.
constexpr std::string_view kLeadingItems[] = {"Name", "Alias", "Type", "Width", "Height", "Weight"};
constexpr std::string_view kRelativeItems[] = {"PosX", "PosY"};
constexpr std::string_view kCommonItems[] = {"Padding", "Margin", "Hide", "Disable", "BGColor"};
constexpr std::string_view kTableRowItems[] = {"Stretch", "Wrap", "Span"};

// The items after BGColor, per type.
constexpr std::string_view kTextItems[] = {"Clickable",  "OnClick",  "Text",
                                           "TSize",      "TColor",   "TAlign",
                                           "FileSource", "FilePath", "NotifyList"};
constexpr std::string_view kEditItems[] = {"Clickable", "OnClick", "File",      "FileSource",
                                           "FilePath",  "Value",   "NotifyList"};
constexpr std::string_view kButtonItems[] = {"Clickable", "OnClick",    "Attr",     "Text",
                                             "TSize",     "TColor",     "TAlign",   "FileOff",
                                             "FileOn",    "FileSource", "FilePath", "NotifyList"};
constexpr std::string_view kRadioButtonItems[] = {
    "Clickable", "OnClick", "Attr",       "Text",     "TSize", "TColor",    "TAlign",
    "FileOff",   "FileOn",  "FileSource", "FilePath", "Value", "NotifyList"};
constexpr std::string_view kToggleItems[] = {
    "Clickable", "OnClick", "Attr",   "TextOff",    "TextOn",   "TSize",     "TColor",
    "TAlign",    "FileOff", "FileOn", "FileSource", "FilePath", "NotifyList"};
constexpr std::string_view kPictureItems[] = {
    "ScaleType",   "Clickable", "OnClick", "File",    "FileSource", "FilePath", "EnablePinch",
    "EnableCache", "Thumbnail", "OffsetX", "OffsetY", "ScaleX",     "ScaleY",   "NotifyList"};
constexpr std::string_view kCanvasItems[] = {"Clickable",  "OnClick",  "File",
                                             "FileSource", "FilePath", "NotifyList"};
constexpr std::string_view kGridItems[] = {"Clickable", "OnClick",    "Data",     "FileOff",
                                           "FileOn",    "FileSource", "FilePath", "ColumnHeight",
                                           "Columns",   "NotifyList"};
constexpr std::string_view kPulldownItems[] = {"Clickable", "OnClick",      "Data",
                                               "FileOff",   "FileOn",       "FileSource",
                                               "FilePath",  "ColumnHeight", "NotifyList"};
constexpr std::string_view kProgressItems[] = {"Clickable",  "OnClick",  "FileBase",  "FileActive",
                                               "FileSource", "FilePath", "Min",       "Max",
                                               "Value",      "Vertical", "NotifyList"};
constexpr std::string_view kSlidebarItems[] = {
    "OnSlide",  "OnTouch", "OnRelease", "FileBase", "FileActive", "FileThumb", "FileSource",
    "FilePath", "Min",     "Max",       "Value",    "Vertical",   "NotifyList"};
constexpr std::string_view kMeterItems[] = {
    "Clickable", "OnClick",       "Revers",          "Pattern",      "FileBase",   "FileCursor",
    "FileTop",   "CenterPosBase", "CenterPosCursor", "CenterPosTop", "FileSource", "FilePath",
    "Min",       "Max",           "Value",           "NotifyList"};
constexpr std::string_view kGraphItems[] = {
    "Clickable",   "OnClick",     "File",       "FileSource", "FilePath",
    "EnablePinch", "EnableCache", "OffsetX",    "OffsetY",    "ScaleX",
    "ScaleY",      "DateScale",   "AutoScroll", "ScaleLock",  "NotifyList"};
constexpr std::string_view kListItems[] = {"Clickable",  "OnClick",  "Position",  "Data",
                                           "FileSource", "FilePath", "NotifyList"};
constexpr std::string_view kUnsetItems[] = {"Clickable", "OnClick", "FileSource", "FilePath",
                                            "NotifyList"};

struct TypeItems {
    Names items;
    // Under a TABLEROW parent, Stretch, Wrap and Span follow this item.
    std::string_view tableRowAnchor;
};

constexpr TypeItems ItemsOfType(ObjectType type) {
    switch (type) {
        case ObjectType::kText:
            return {kTextItems, "TAlign"};
        case ObjectType::kEdit:
            return {kEditItems, "OnClick"};
        case ObjectType::kButton:
        case ObjectType::kCheckbox:
            return {kButtonItems, "TAlign"};
        case ObjectType::kToggle:
            return {kToggleItems, "TAlign"};
        case ObjectType::kRadioButton:
            return {kRadioButtonItems, "TAlign"};
        case ObjectType::kPicture:
            return {kPictureItems, "OnClick"};
        case ObjectType::kCanvas:
            return {kCanvasItems, "OnClick"};
        case ObjectType::kGrid:
            return {kGridItems, "Data"};
        case ObjectType::kPulldown:
            return {kPulldownItems, "Data"};
        case ObjectType::kProgress:
            return {kProgressItems, "OnClick"};
        case ObjectType::kSlidebar:
            return {kSlidebarItems, "OnRelease"};
        case ObjectType::kMeter:
            return {kMeterItems, "OnClick"};
        case ObjectType::kGraph:
            return {kGraphItems, "OnClick"};
        case ObjectType::kVList:
        case ObjectType::kHList:
            return {kListItems, "OnClick"};
        default:
            return {kUnsetItems, "OnClick"};
    }
}

constexpr bool AllCatalogued(ObjectType type, Names names) {
    for (std::string_view name : names) {
        if (FindObjectItem(name, type) == nullptr) {
            return false;
        }
    }
    return true;
}

// Each name a type lists must have a catalogue entry for that type, so the
// builder can take the lookup for granted.
constexpr bool EveryObjectItemCatalogued() {
    for (int index = IndexOf(ObjectType::kUnset); index < IndexOf(ObjectType::kCount); ++index) {
        const ObjectType type = ObjectTypeAt(index);
        for (Names names : {Names(kLeadingItems), Names(kRelativeItems), Names(kCommonItems),
                            Names(kTableRowItems), ItemsOfType(type).items}) {
            if (!AllCatalogued(type, names)) {
                return false;
            }
        }
    }
    return true;
}
static_assert(EveryObjectItemCatalogued());

// ---------------------------------------------------------------------------
// Group, header column, dialog and project schemas

constexpr ItemDef kGroupName{"Name", ItemKind::kPlainText, nullptr, Help::kGroupName, ""};
constexpr ItemDef kRadioAlias{"Alias", ItemKind::kPlainText, nullptr, Help::kRadioAlias, ""};
constexpr ItemDef kGroupType{"Type", ItemKind::kFixed, nullptr, Help::kGroupType, "GROUP"};
constexpr ItemDef kGroupLayout{"Layout", ItemKind::kChoice, &choices::GroupTypeNames,
                               Help::kGroupType, ""};
constexpr ItemDef kGroupMiddle[] = {
    {"Width", ItemKind::kSuggested, &choices::Sizes, Help::kSize, ""},
    {"Height", ItemKind::kSuggested, &choices::Sizes, Help::kSize, ""},
    {"Weight", ItemKind::kNumber, nullptr, Help::kWeight, ""},
    {"Padding", ItemKind::kSuggested, &choices::Offsets, Help::kNone, ""},
    {"Margin", ItemKind::kSuggested, &choices::Offsets, Help::kNone, ""},
    {"Hide", ItemKind::kBoolean, nullptr, Help::kHide, ""},
    {"Disable", ItemKind::kBoolean, nullptr, Help::kDisable, ""},
    {"BGColor", ItemKind::kSuggested, &choices::Colours, Help::kColour, ""},
    {"Align", ItemKind::kChoice, &choices::Alignments, Help::kAlignment, ""},
};
constexpr ItemDef kGroupVertical{"Vertical", ItemKind::kBoolean, nullptr, Help::kGroupVertical, ""};
constexpr ItemDef kGroupNotifyList{"NotifyList", ItemKind::kPlainText, nullptr, Help::kNotifyList,
                                   "Name"};

constexpr ItemDef kHeaderColumnItems[] = {
    {"TSize", ItemKind::kSize, nullptr, Help::kTSize, ""},
    {"TColor", ItemKind::kSuggested, &choices::Colours, Help::kNone, ""},
    {"TAlign", ItemKind::kChoice, &choices::Alignments, Help::kAlignment, ""},
    {"Margin", ItemKind::kSuggested, &choices::Offsets, Help::kNone, ""},
    {"BGColor", ItemKind::kSuggested, &choices::Colours, Help::kColour, ""},
    {"Clickable", ItemKind::kBoolean, nullptr, Help::kClickable, ""},
};

constexpr ItemDef kProjectItems[] = {
    {"Name", ItemKind::kPlainText, nullptr, Help::kNone, ""},
    {"DeviceWidth", ItemKind::kNumber, nullptr, Help::kNone, ""},
    {"DeviceHeight", ItemKind::kNumber, nullptr, Help::kNone, ""},
};

constexpr ItemDef kDialogName{"Name", ItemKind::kPlainText, nullptr, Help::kNone, ""};
constexpr ItemDef kDialogItems[] = {
    {"TemplateType", ItemKind::kSuggested, &choices::TemplateTypes, Help::kTemplateType, ""},
    {"TargetLayoutWidth", ItemKind::kNumber, nullptr, Help::kTargetLayoutWidth, ""},
    {"TargetLayoutHeight", ItemKind::kNumber, nullptr, Help::kTargetLayoutHeight, ""},
    {"OnOpen", ItemKind::kChoice, &choices::CommandNames, Help::kCommandPick, ""},
    {"OnClose", ItemKind::kChoice, &choices::CommandNames, Help::kCommandPick, ""},
    {"OnTimer", ItemKind::kChoice, &choices::CommandNames, Help::kCommandPick, ""},
    {"PopupTitle", ItemKind::kUserText, nullptr, Help::kPopupTitle, ""},
    {"PopupMessage", ItemKind::kUserText, nullptr, Help::kPopupMessage, ""},
    {"PopupButton1", ItemKind::kUserText, nullptr, Help::kPopupButton1, ""},
    {"PopupButton2", ItemKind::kUserText, nullptr, Help::kPopupButton2, ""},
    {"PopupButton3", ItemKind::kUserText, nullptr, Help::kPopupButton3, ""},
};

// ---------------------------------------------------------------------------
// Command schema

constexpr ItemDef kEvent{"Event", ItemKind::kFixed, nullptr, Help::kEvent, ""};

constexpr ItemDef Command(std::string_view value) {
    return {"Command", ItemKind::kFixed, nullptr, Help::kCommand, value};
}

constexpr ItemDef kTargetName{"Name", ItemKind::kPlainText, nullptr, Help::kTargetName, ""};
constexpr ItemDef kTargetAlias{"Alias", ItemKind::kPlainText, nullptr, Help::kTargetAlias, ""};
constexpr ItemDef kFileSource{"FileSource", ItemKind::kChoice, &choices::FileSources,
                              Help::kFileSource, ""};
constexpr ItemDef kFilePath{"FilePath", ItemKind::kPlainText, nullptr, Help::kFilePath, ""};

constexpr ItemDef kConditionItems[] = {
    Command("NOTIFY"),
    {"MakeCommand", ItemKind::kFixed, nullptr, Help::kMakeCommand, "CONDITION"},
    kTargetName,
    kTargetAlias,
};

constexpr ItemDef kUpdateItems[] = {
    Command("NOTIFY"),
    {"MakeCommand", ItemKind::kFixed, nullptr, Help::kMakeCommand, "UPDATE"},
    kTargetName,
    kTargetAlias,
    {"Text", ItemKind::kUserText, nullptr, Help::kUpdateText, ""},
    {"TextOff", ItemKind::kUserText, nullptr, Help::kTextOff, ""},
    {"TextOn", ItemKind::kUserText, nullptr, Help::kTextOn, ""},
    {"Attr", ItemKind::kSuggested, &choices::Attributes, Help::kUpdateAttr, ""},
    {"Data", ItemKind::kResourceText, nullptr, Help::kUpdateData, ""},
    {"Value", ItemKind::kUserText, nullptr, Help::kUpdateValue, ""},
    {"Min", ItemKind::kNumber, nullptr, Help::kMin, ""},
    {"Max", ItemKind::kNumber, nullptr, Help::kMax, ""},
    {"Width", ItemKind::kSuggested, &choices::Sizes, Help::kSize, ""},
    {"Height", ItemKind::kSuggested, &choices::Sizes, Help::kSize, ""},
    {"Weight", ItemKind::kNumber, nullptr, Help::kWeight, ""},
    {"Padding", ItemKind::kSuggested, &choices::Offsets, Help::kPadding, ""},
    {"Margin", ItemKind::kSuggested, &choices::Offsets, Help::kMargin, ""},
    {"Hide", ItemKind::kBoolean, nullptr, Help::kHide, ""},
    {"Disable", ItemKind::kBoolean, nullptr, Help::kDisable, ""},
    {"BGColor", ItemKind::kSuggested, &choices::Colours, Help::kColour, ""},
    {"TSize", ItemKind::kSize, nullptr, Help::kTSize, ""},
    {"TColor", ItemKind::kSuggested, &choices::Colours, Help::kColour, ""},
    {"TAlign", ItemKind::kChoice, &choices::Alignments, Help::kAlignment, ""},
    {"File", ItemKind::kImageFile, nullptr, Help::kFile, ""},
    {"FileBase", ItemKind::kImageFile, nullptr, Help::kFileBaseProgress, ""},
    {"FileOff", ItemKind::kImageFile, nullptr, Help::kFileOff, ""},
    {"FileOn", ItemKind::kImageFile, nullptr, Help::kFileOn, ""},
    {"FileActive", ItemKind::kImageFile, nullptr, Help::kFileActiveProgress, ""},
    {"FileCursor", ItemKind::kImageFile, nullptr, Help::kFileCursor, ""},
    {"FileTop", ItemKind::kImageFile, nullptr, Help::kFileTop, ""},
    {"FileThumb", ItemKind::kImageFile, nullptr, Help::kFileThumb, ""},
    kFileSource,
    kFilePath,
    {"CenterPosBase", ItemKind::kPlainText, nullptr, Help::kCenterPosBase, ""},
    {"CenterPosCursor", ItemKind::kPlainText, nullptr, Help::kCenterPosCursor, ""},
    {"CenterPosTop", ItemKind::kPlainText, nullptr, Help::kCenterPosTop, ""},
    // The same names twice: the first four are for pictures, the second four
    // for graphs; the device reads both.
    {"OffsetX", ItemKind::kPlainText, nullptr, Help::kUpdatePictureOffsetX, ""},
    {"OffsetY", ItemKind::kPlainText, nullptr, Help::kUpdatePictureOffsetY, ""},
    {"ScaleX", ItemKind::kPlainText, nullptr, Help::kUpdatePictureScaleX, ""},
    {"ScaleY", ItemKind::kPlainText, nullptr, Help::kUpdatePictureScaleY, ""},
    {"Thumbnail", ItemKind::kBoolean, nullptr, Help::kThumbnail, ""},
    {"EnablePinch", ItemKind::kBoolean, nullptr, Help::kEnablePinch, ""},
    {"EnableCache", ItemKind::kBoolean, nullptr, Help::kEnableCache, ""},
    {"OffsetX", ItemKind::kPlainText, nullptr, Help::kUpdateOffsetX, ""},
    {"OffsetY", ItemKind::kPlainText, nullptr, Help::kUpdateOffsetY, ""},
    {"ScaleX", ItemKind::kPlainText, nullptr, Help::kUpdateScaleX, ""},
    {"ScaleY", ItemKind::kPlainText, nullptr, Help::kUpdateScaleY, ""},
    {"DateScale", ItemKind::kBoolean, nullptr, Help::kDateScale, ""},
    {"AutoScroll", ItemKind::kBoolean, nullptr, Help::kAutoScroll, ""},
    {"ScaleLock", ItemKind::kBoolean, nullptr, Help::kScaleLock, ""},
};

constexpr ItemDef kOpenItems[] = {
    Command("OPEN"),
    {"File", ItemKind::kPlainText, nullptr, Help::kCommandFile, ""},
    kFileSource,
    kFilePath,
};

constexpr ItemDef kCloseItems[] = {Command("CLOSE")};

constexpr ItemDef kSoundItems[] = {
    Command("SOUND"),
    {"File", ItemKind::kPlainText, nullptr, Help::kCommandFile, ""},
    kFileSource,
    kFilePath,
};

constexpr ItemDef kTimerItems[] = {
    Command("TIMER"),
    {"Time", ItemKind::kNumber, nullptr, Help::kTime, ""},
};

constexpr ItemDef kDeleteItems[] = {
    Command("DELETE"),
    kTargetName,
    kTargetAlias,
    {"Delete", ItemKind::kChoice, &choices::DeleteTypes, Help::kDeleteType, ""},
};

constexpr ItemDef kGetFileItems[] = {
    Command("SENDCOMMAND"),
    {"SendCommand", ItemKind::kFixed, nullptr, Help::kSendCommand, "GETFILE"},
    {"File", ItemKind::kPlainText, nullptr, Help::kFetchedFile, ""},
    kFileSource,
    kFilePath,
    {"ObjectName", ItemKind::kPlainText, nullptr, Help::kNotifiedObject, ""},
};

constexpr ItemDef kHelloItems[] = {
    Command("SENDCOMMAND"),
    {"SendCommand", ItemKind::kFixed, nullptr, Help::kSendCommand, "HELLO"},
};

struct CommandSchema {
    std::string_view command;
    std::span<const ItemDef> items;
};

constexpr CommandSchema kCommands[] = {
    {"CONDITION", kConditionItems}, {"UPDATE", kUpdateItems},   {"OPEN", kOpenItems},
    {"CLOSE", kCloseItems},         {"SOUND", kSoundItems},     {"TIMER", kTimerItems},
    {"DELETE", kDeleteItems},       {"GETFILE", kGetFileItems}, {"HELLO", kHelloItems},
};

// ---------------------------------------------------------------------------
// Choice lists

template <std::size_t N>
ChoiceList ListOf(const std::array<std::string_view, N>& texts) {
    return ChoiceList(texts.begin(), texts.end());
}

// Japanese source literals become the model's Shift_JIS.
std::string Sjis(std::string_view utf8) {
    return Utf8ToCp932(utf8);
}

const std::string& CancelText() {
    static const std::string text = Sjis("キャンセル");
    return text;
}

}  // namespace

// ---------------------------------------------------------------------------

namespace choices {

const ChoiceList& Colours() {
    static const ChoiceList list = {"BLACK",  "WHITE",       "DKGRAY", "GRAY", "LTGRAY",
                                    "RED",    "GREEN",       "BLUE",   "CYAN", "MAGENTA",
                                    "YELLOW", "TRANSPARENT", "#RRGGBB"};
    return list;
}

const ChoiceList& Sizes() {
    static const ChoiceList list = {"PARENT", "CONTENT"};
    return list;
}

const ChoiceList& Offsets() {
    static const ChoiceList list = {"0,0,0,0", "10,10,10,10"};
    return list;
}

const ChoiceList& ObjectTypeNames() {
    static const ChoiceList list = [] {
        ChoiceList names;
        for (const ObjectTypeInfo& info : kObjectTypes) {
            names.emplace_back(info.name);
        }
        return names;
    }();
    return list;
}

const ChoiceList& GroupTypeNames() {
    static const ChoiceList list = ListOf(kLayoutNames);
    return list;
}

const ChoiceList& Alignments() {
    static const ChoiceList list = {"LEFT",        "CENTER",       "RIGHT",         "TOP",
                                    "MIDDLE",      "BOTTOM",       "LEFT|TOP",      "LEFT|MIDDLE",
                                    "LEFT|BOTTOM", "CENTER|TOP",   "CENTER|MIDDLE", "CENTER|BOTTOM",
                                    "RIGHT|TOP",   "RIGHT|MIDDLE", "RIGHT|BOTTOM"};
    return list;
}

const ChoiceList& Attributes() {
    static const ChoiceList list = {"ON", "OFF", "TOGGLE"};
    return list;
}

const ChoiceList& Columns() {
    static const ChoiceList list = {CancelText(), Sjis("ヘッダ項目追加")};
    return list;
}

const ChoiceList& CommandNames() {
    static const ChoiceList list = [] {
        ChoiceList names = {CancelText()};
        for (const CommandSchema& schema : kCommands) {
            names.emplace_back(schema.command);
        }
        return names;
    }();
    return list;
}

const ChoiceList& ScaleTypes() {
    static const ChoiceList list = {"SCALE_100PER", "SCALE_WIDTH", "SCALE_HEIGHT", "SCALE_AUTO",
                                    "SCALE_JUST"};
    return list;
}

const ChoiceList& FileSources() {
    static const ChoiceList list = {"BUILTIN", "STATION", "STORAGE", "URI"};
    return list;
}

const ChoiceList& TemplateTypes() {
    static const ChoiceList list = {"None", "Shared", "Unique", "POPUP"};
    return list;
}

const ChoiceList& MeterPatterns() {
    static const ChoiceList list = {"CIRCLE", "HORIZONTAL", "VERTICAL"};
    return list;
}

const ChoiceList& DeleteTypes() {
    static const ChoiceList list = {"THIS", "CHILD"};
    return list;
}

}  // namespace choices

const std::string& NewObjectLabel() {
    static const std::string label = Sjis("新規Object");
    return label;
}

const std::string& NewGroupLabel() {
    static const std::string label = Sjis("新規Group");
    return label;
}

ObjectType ObjectTypeIndex(std::string_view type) {
    return FindObjectType(type, Equal);
}

GroupLayout LayoutCode(std::string_view layout) {
    return FindLayout(layout, Equal);
}

ObjectType ObjectTypeIndexIgnoringCase(std::string_view type) {
    return FindObjectType(type, EqualIgnoringAsciiCase);
}

GroupLayout LayoutCodeIgnoringCase(std::string_view layout) {
    return FindLayout(layout, EqualIgnoringAsciiCase);
}

std::string_view ObjectTypeName(ObjectType type) {
    return IsObjectType(type) ? kObjectTypes[static_cast<std::size_t>(type)].name
                              : std::string_view();
}

std::string_view LayoutName(GroupLayout layout) {
    return IsLayout(layout) ? kLayoutNames[static_cast<std::size_t>(layout)] : std::string_view();
}

std::string_view ObjectShortCode(ObjectType type) {
    return IsObjectType(type) ? kObjectTypes[static_cast<std::size_t>(type)].shortCode
                              : std::string_view();
}

std::string_view ObjectLabelProperty(ObjectType type) {
    return IsObjectType(type) ? kObjectTypes[static_cast<std::size_t>(type)].labelProperty
                              : std::string_view();
}

namespace {

void BuildObjectItems(CItemList& items, ObjectType type, GroupLayout parentLayout) {
    const auto add = [&](Names names) {
        for (std::string_view name : names) {
            const ItemDef& def = *FindObjectItem(name, type);
            if (name == prop::kType) {
                Add(items, def, type == ObjectType::kUnset ? "Unset" : ObjectTypeName(type));
            } else {
                Add(items, def);
            }
        }
    };

    add(kLeadingItems);
    if (parentLayout == GroupLayout::kRelative) {
        add(kRelativeItems);
    }
    add(kCommonItems);
    const TypeItems typeItems = ItemsOfType(type);
    for (std::size_t i = 0; i < typeItems.items.size(); ++i) {
        add(typeItems.items.subspan(i, 1));
        if (parentLayout == GroupLayout::kTableRow &&
            typeItems.items[i] == typeItems.tableRowAnchor) {
            add(kTableRowItems);
        }
    }
}

// Only RELATIVE and TABLEROW parents change an object's items.
std::size_t ParentClass(GroupLayout parentLayout) {
    return parentLayout == GroupLayout::kRelative   ? 1
           : parentLayout == GroupLayout::kTableRow ? 2
                                                    : 0;
}

// Every object's items, built once per type and kind of parent: loading a
// project makes tens of thousands of objects.
// The templates go by type number + 1, kUnset first.
const CItemList& ObjectTemplate(ObjectType type, GroupLayout parentLayout) {
    static const auto templates = [] {
        std::array<std::array<CItemList, 3>, IndexOf(ObjectType::kCount) + 1> built;
        constexpr GroupLayout kParents[] = {GroupLayout::kLinear, GroupLayout::kRelative,
                                            GroupLayout::kTableRow};
        for (int t = IndexOf(ObjectType::kUnset); t < IndexOf(ObjectType::kCount); ++t) {
            for (GroupLayout parent : kParents) {
                BuildObjectItems(built[static_cast<std::size_t>(t + 1)][ParentClass(parent)],
                                 ObjectTypeAt(t), parent);
            }
        }
        return built;
    }();
    return templates[static_cast<std::size_t>(IndexOf(type) + 1)][ParentClass(parentLayout)];
}

const CItemList& CommandTemplate(std::size_t index) {
    static const auto templates = [] {
        std::array<CItemList, std::size(kCommands)> built;
        for (std::size_t i = 0; i < built.size(); ++i) {
            AddAll(built[i], kCommands[i].items);
        }
        return built;
    }();
    return templates[index];
}

}  // namespace

const CItemList& ObjectItems(ObjectType type, GroupLayout parentLayout) {
    // A number outside the table is an object whose type is not set.
    return ObjectTemplate(IsObjectType(type) ? type : ObjectType::kUnset, parentLayout);
}

void AddObjectItems(CItemList& items, ObjectType type, GroupLayout parentLayout) {
    items.AppendItems(ObjectItems(type, parentLayout));
}

const CItemList& GroupItems(GroupLayout layout) {
    // Built once per layout: a load makes thousands of groups, and copying
    // a built list costs less than building one. A number outside the
    // layouts is a group whose layout is not set.
    static const auto templates = [] {
        std::array<CItemList, IndexOf(GroupLayout::kCount) + 1> built;
        for (int l = IndexOf(GroupLayout::kUnset); l < IndexOf(GroupLayout::kCount); ++l) {
            const GroupLayout code = GroupLayoutAt(l);
            CItemList& items = built[static_cast<std::size_t>(l + 1)];
            Add(items, kGroupName);
            if (code == GroupLayout::kRadio) {
                Add(items, kRadioAlias);
            }
            Add(items, kGroupType);
            Add(items, kGroupLayout, IsLayout(code) ? LayoutName(code) : "Unset");
            AddAll(items, kGroupMiddle);
            if (code == GroupLayout::kLinear || code == GroupLayout::kRadio) {
                Add(items, kGroupVertical);
            }
            Add(items, kGroupNotifyList);
        }
        return built;
    }();
    const GroupLayout known = IsLayout(layout) ? layout : GroupLayout::kUnset;
    return templates[static_cast<std::size_t>(IndexOf(known) + 1)];
}

void AddGroupItems(CItemList& items, GroupLayout layout) {
    items.AppendItems(GroupItems(layout));
}

void AddHeaderColumnItems(CItemList& items) {
    AddAll(items, kHeaderColumnItems);
}

std::size_t HeaderColumnItemCount() {
    return std::size(kHeaderColumnItems);
}

const CItemList* CommandItems(std::string_view command) {
    for (std::size_t i = 0; i < std::size(kCommands); ++i) {
        if (kCommands[i].command == command) {
            return &CommandTemplate(i);
        }
    }
    return nullptr;
}

void AddCommandItems(CItemList& items, std::string_view command, std::string_view event) {
    AddCommandItems(items, CommandItems(command), event);
}

void AddCommandItems(CItemList& items, const CItemList* templateItems, std::string_view event) {
    items.Reserve(items.GetItemCount() + 1 +
                  (templateItems != nullptr ? templateItems->GetItemCount() : 0));
    Add(items, kEvent, event);
    if (templateItems != nullptr) {
        items.AppendItems(*templateItems);
    }
}

void AddProjectItems(CItemList& items) {
    AddAll(items, kProjectItems);
}

void AddDialogItems(CItemList& items, std::string_view name) {
    Add(items, kDialogName, name);
    AddAll(items, kDialogItems);
}

}  // namespace ze
