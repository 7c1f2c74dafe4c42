#include "model/schema.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "common/cp932.h"

namespace ze {
namespace {

using ChoicesFn = const ChoiceList& (*)();

// One expected item; help and value are UTF-8 (help null for none).
struct Expected {
    std::string name;
    std::int32_t kind;
    ChoicesFn choices;
    const char* help;
    std::string value;
};

std::string HelpOf(const CItemData& item) {
    return item.GetDescription() ? Cp932ToUtf8(item.GetDescription()) : "(none)";
}

void ExpectItems(const CItemList& items, const std::vector<Expected>& expected) {
    std::vector<std::string> names;
    std::vector<std::string> expectedNames;
    for (std::size_t i = 0; i < items.GetItemCount(); ++i) {
        names.push_back(items.GetItemData(i).GetName());
    }
    for (const Expected& e : expected) {
        expectedNames.push_back(e.name);
    }
    ASSERT_EQ(names, expectedNames);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const CItemData& item = items.GetItemData(i);
        const Expected& e = expected[i];
        SCOPED_TRACE(testing::Message() << "item " << i << " " << e.name);
        EXPECT_EQ(static_cast<std::int32_t>(item.GetKind()), e.kind);
        EXPECT_EQ(item.GetChoices(), e.choices ? &e.choices() : nullptr);
        EXPECT_EQ(HelpOf(item), e.help ? e.help : "(none)");
        EXPECT_EQ(Cp932ToUtf8(item.GetValue()), e.value);
    }
}

std::vector<std::string> Split(const std::string& names) {
    std::istringstream in(names);
    std::vector<std::string> out;
    for (std::string name; in >> name;) {
        out.push_back(name);
    }
    return out;
}

void InsertAfter(std::vector<std::string>& names, const std::string& anchor,
                 std::initializer_list<const char*> inserted) {
    const auto at = std::find(names.begin(), names.end(), anchor);
    ASSERT_NE(at, names.end()) << anchor;
    names.insert(at + 1, inserted.begin(), inserted.end());
}

// ---------------------------------------------------------------------------
// Help texts shared by several schemas.

const char* const kSizeHelp =
    "PARENT:包括しているグループオブジェクトの大きさの最大に合わせる。CONTENT:"
    "オブジェクト自身の大き"
    "さそのまま。数値:プライベートユニット。";
const char* const kWeightHelp =
    "グループ内オブジェクトの大きさを'比'で指定します。同じ大きさを指定することで等幅配置などが可能"
    "。";
const char* const kPaddingHelp =
    "パディング。オブジェクトの内側のオフセット。カンマ区切りで左から時計周りで４辺指定。左,上,右,"
    "下。";
const char* const kMarginHelp =
    "マージン。オブジェクトの外側のオフセット。カンマ区切りで左から時計周りで４辺指定。左,上,右,下"
    "。";
const char* const kHideHelp = "更新する表示属性（通常/消す）";
const char* const kDisableHelp = "更新する表示属性（通常/無効）";
const char* const kColourHelp = "色を指定します。";
const char* const kClickableHelp = "クリック可能/不可能を指定します。";
const char* const kPickHelp = "コマンド名を選択するとコマンドが追加されます";
const char* const kTSizeHelp = "テキストのサイズを指定します";
const char* const kAlignHelp =
    "LEFT:左寄せ CENTER:中央 RIGHT:右寄せ TOP:上寄せ MIDDLE:中央 BOTTOM:下寄せ。 '|'で組合せ可能。";
const char* const kFileSourceHelp =
    "BUILTIN:プリインストール(省略時)。STATION:MOXサーバから取得。URI:Webサイトからダウンロード。"
    "STORAGE:端末の外部フォルダから取得";
const char* const kFilePathHelp = "指定したファイルがWebにある場合に指定";
const char* const kNotifyListHelp = "CONDITIONコマンドで送信される要素";

// ---------------------------------------------------------------------------
// Object schema

// Kind, choices and help of each object property; the value is left empty.
const std::map<std::string, Expected>& ObjectCatalogue() {
    static const std::map<std::string, Expected> catalogue = [] {
        const std::vector<Expected> rows = {
            {"Name", 0, nullptr,
             "このオブジェクトの名前（識別子）。コマンドの送受信時にオブジェクトを識別する為に使用"
             "。"
             "ダイアログ毎でユニークであること。",
             ""},
            {"Alias", 0, nullptr,
             "このオブジェクトの別名（補助識別子）。重複可能、重複させて使用することで、コマンド "
             "'UPDATE'、'CONDITION'送受信時に一括指定可能。カンマ区切りで複数指定可能。",
             ""},
            {"Type", 3, &choices::ObjectTypeNames, "機能オブジェクトの種類", ""},
            {"Width", 4, &choices::Sizes, kSizeHelp, ""},
            {"Height", 4, &choices::Sizes, kSizeHelp, ""},
            {"Weight", 11, nullptr, kWeightHelp, ""},
            {"PosX", 6, nullptr,
             "包括しているグループオブジェクトの左上座標からの相対X座標。プライベートユニット。",
             ""},
            {"PosY", 6, nullptr,
             "包括しているグループオブジェクトの左上座標からの相対Y座標。プライベートユニット。",
             ""},
            {"Padding", 4, &choices::Offsets, kPaddingHelp, ""},
            {"Margin", 4, &choices::Offsets, kMarginHelp, ""},
            {"Hide", 12, nullptr, kHideHelp, ""},
            {"Disable", 12, nullptr, kDisableHelp, ""},
            {"BGColor", 4, &choices::Colours, kColourHelp, ""},
            {"ScaleType", 4, &choices::ScaleTypes, "画像の表示方法を指定します", ""},
            {"Clickable", 12, nullptr, kClickableHelp, ""},
            {"OnClick", 3, &choices::CommandNames, kPickHelp, ""},
            {"OnSlide", 3, &choices::CommandNames, kPickHelp, ""},
            {"OnTouch", 3, &choices::CommandNames, kPickHelp, ""},
            {"OnRelease", 3, &choices::CommandNames, kPickHelp, ""},
            {"Attr", 4, &choices::Attributes, "属性を指定します", ""},
            {"Text", 2, nullptr, "ボタン上に表示するテキストを指定します。", ""},
            {"TextOff", 2, nullptr, "属性OFF時にボタン上に表示するテキストを指定します。", ""},
            {"TextOn", 2, nullptr, "属性ON時にボタン上に表示するテキストを指定します。", ""},
            {"TSize", 6, nullptr, kTSizeHelp, ""},
            {"TColor", 4, &choices::Colours, kColourHelp, ""},
            {"TAlign", 3, &choices::Alignments, kAlignHelp, ""},
            {"Stretch", 12, nullptr, "カラムの幅を自動伸縮する/しないを指定します", ""},
            {"Wrap", 12, nullptr,
             "カラムに収まらない長さの文字列の表示方法を指定します。true:改行して表示する "
             "false:何もしない",
             ""},
            {"Span", 11, nullptr,
             "隣のカラムとくっつけて１つのカラムにします。（くっつけるカラムの数を指定します）",
             ""},
            {"File", 5, nullptr, "画像ファイル名を指定します", ""},
            {"FileOff", 5, nullptr, "通常状態で表示されるオブジェクトの画像ファイル名", ""},
            {"FileOn", 5, nullptr, "押下などアクティブ状態で表示されるオブジェクトの画像ファイル名",
             ""},
            {"FileThumb", 5, nullptr, "スライドバーのつまみ画像", ""},
            {"FileCursor", 5, nullptr, "メーターオブジェクトの動く画像ファイル名（針）", ""},
            {"FileTop", 5, nullptr, "メーターオブジェクトの最前面画像（枠）", ""},
            {"CenterPosBase", 0, nullptr, "メーターオブジェクトの背景画像の中心座標", ""},
            {"CenterPosCursor", 0, nullptr, "メーターオブジェクトの動く画像の中心座標", ""},
            {"CenterPosTop", 0, nullptr, "メーターオブジェクトの最前面画像の中心座標", ""},
            {"Revers", 12, nullptr, "Cursor画像の回転方向/移動方向を逆にします", ""},
            {"Pattern", 3, &choices::MeterPatterns, "メーターオブジェクトの動作パターンタイプ", ""},
            {"FileSource", 3, &choices::FileSources, kFileSourceHelp, ""},
            {"FilePath", 0, nullptr, kFilePathHelp, ""},
            {"EnablePinch", 12, nullptr, "スクロール・ピンチズームを使う/使わないを指定します", ""},
            {"EnableCache", 12, nullptr, "キャッシュの有効/無効を指定します", ""},
            {"Thumbnail", 12, nullptr, "サムネイル（縮小読込機能）の有効/無効を指定します", ""},
            {"DateScale", 12, nullptr, "trueを指定するとX軸が日付になります", ""},
            {"AutoScroll", 12, nullptr, "自動スクロールの有効/無効を指定します", ""},
            {"ScaleLock", 12, nullptr, "trueを指定するとY軸スケールが変更できなくなります", ""},
            {"ColumnHeight", 6, nullptr, "カラムの高さを指定します。", ""},
            {"Columns", 3, &choices::Columns, nullptr, ""},
            {"Position", 11, nullptr, "指定した位置にスクロールします", ""},
            {"Min", 11, nullptr, "最小値を指定します", ""},
            {"Max", 11, nullptr, "最大値を指定します", ""},
            {"Vertical", 12, nullptr,
             "バーの配置方向を指定します。デフォルト（省略時：flase）は水平方向です。trueで垂直方向"
             "になります。",
             ""},
            {"NotifyList", 0, nullptr, kNotifyListHelp, ""},
        };
        std::map<std::string, Expected> byName;
        for (const Expected& row : rows) {
            byName.emplace(row.name, row);
        }
        return byName;
    }();
    return catalogue;
}

// The properties whose kind or help text depends on the object type.
const std::map<std::pair<ObjectType, std::string>, Expected>& ObjectOverrides() {
    static const std::map<std::pair<ObjectType, std::string>, Expected> overrides = {
        {{ObjectType::kProgress, "FileBase"},
         {"FileBase", 5, nullptr, "プログレスのベース画像ファイル名", ""}},
        {{ObjectType::kSlidebar, "FileBase"},
         {"FileBase", 5, nullptr, "スライドバーのベース画像ファイル名", ""}},
        {{ObjectType::kMeter, "FileBase"},
         {"FileBase", 5, nullptr, "メーターオブジェクトの背景画像ファイル名（目盛）", ""}},
        {{ObjectType::kProgress, "FileActive"},
         {"FileActive", 5, nullptr, "プログレスのアクティブ部分の画像ファイル名", ""}},
        {{ObjectType::kSlidebar, "FileActive"},
         {"FileActive", 5, nullptr, "スライドバーのアクティブ部分の画像ファイル名", ""}},
        {{ObjectType::kPicture, "OffsetX"},
         {"OffsetX", 0, nullptr, "横方向オフセット値を指定します", ""}},
        {{ObjectType::kPicture, "OffsetY"},
         {"OffsetY", 0, nullptr, "縦方向オフセット値を指定します", ""}},
        {{ObjectType::kPicture, "ScaleX"},
         {"ScaleX", 0, nullptr, "横方向スケール値を指定します", ""}},
        {{ObjectType::kPicture, "ScaleY"},
         {"ScaleY", 0, nullptr, "縦方向スケール値を指定します", ""}},
        {{ObjectType::kGraph, "OffsetX"},
         {"OffsetX", 0, nullptr, "X軸のオフセット値を指定します", ""}},
        {{ObjectType::kGraph, "OffsetY"},
         {"OffsetY", 0, nullptr, "Y軸のオフセット値を指定します", ""}},
        {{ObjectType::kGraph, "ScaleX"}, {"ScaleX", 0, nullptr, "X軸のスケール値を指定します", ""}},
        {{ObjectType::kGraph, "ScaleY"}, {"ScaleY", 0, nullptr, "Y軸のスケール値を指定します", ""}},
        {{ObjectType::kGrid, "Data"}, {"Data", 10, nullptr, "データの初期値を指定します。", ""}},
        {{ObjectType::kPulldown, "Data"},
         {"Data", 10, nullptr, "データの初期値を指定します。", ""}},
        {{ObjectType::kVList, "Data"}, {"Data", 10, nullptr, "リスト項目の内容", ""}},
        {{ObjectType::kHList, "Data"}, {"Data", 10, nullptr, "リスト項目の内容", ""}},
        {{ObjectType::kEdit, "Value"}, {"Value", 2, nullptr, "値を指定します", ""}},
        {{ObjectType::kRadioButton, "Value"}, {"Value", 2, nullptr, "値を指定します", ""}},
        {{ObjectType::kProgress, "Value"}, {"Value", 0, nullptr, "初期値を指定します", ""}},
        {{ObjectType::kSlidebar, "Value"}, {"Value", 0, nullptr, "初期値を指定します", ""}},
        {{ObjectType::kMeter, "Value"}, {"Value", 0, nullptr, "初期値を指定します", ""}},
    };
    return overrides;
}

Expected ObjectProperty(ObjectType type, const std::string& name) {
    if (const auto it = ObjectOverrides().find({type, name}); it != ObjectOverrides().end()) {
        return it->second;
    }
    const auto it = ObjectCatalogue().find(name);
    EXPECT_NE(it, ObjectCatalogue().end()) << name;
    return it == ObjectCatalogue().end() ? Expected{name, -1, nullptr, nullptr, ""} : it->second;
}

struct ObjectCase {
    const char* label;
    ObjectType type;
    const char* typeText;
    const char* items;           // under a LINEAR parent
    const char* tableRowAnchor;  // Stretch, Wrap and Span follow it under TABLEROW
};

#define ZE_HEAD "Name Alias Type Width Height Weight Padding Margin Hide Disable BGColor "

const ObjectCase kObjectCases[] = {
    {"TEXT", ObjectType::kText, "TEXT",
     ZE_HEAD "Clickable OnClick Text TSize TColor TAlign FileSource FilePath NotifyList", "TAlign"},
    {"EDIT", ObjectType::kEdit, "EDIT",
     ZE_HEAD "Clickable OnClick File FileSource FilePath Value NotifyList", "OnClick"},
    {"BUTTON", ObjectType::kButton, "BUTTON",
     ZE_HEAD "Clickable OnClick Attr Text TSize TColor TAlign FileOff FileOn FileSource FilePath "
             "NotifyList",
     "TAlign"},
    {"CHECKBOX", ObjectType::kCheckbox, "CHECKBOX",
     ZE_HEAD "Clickable OnClick Attr Text TSize TColor TAlign FileOff FileOn FileSource FilePath "
             "NotifyList",
     "TAlign"},
    {"TOGGLE", ObjectType::kToggle, "TOGGLE",
     ZE_HEAD "Clickable OnClick Attr TextOff TextOn TSize TColor TAlign FileOff FileOn FileSource "
             "FilePath NotifyList",
     "TAlign"},
    {"RADIOBTN", ObjectType::kRadioButton, "RADIOBTN",
     ZE_HEAD "Clickable OnClick Attr Text TSize TColor TAlign FileOff FileOn FileSource FilePath "
             "Value NotifyList",
     "TAlign"},
    {"PICTURE", ObjectType::kPicture, "PICTURE",
     ZE_HEAD "ScaleType Clickable OnClick File FileSource FilePath EnablePinch EnableCache "
             "Thumbnail OffsetX OffsetY ScaleX ScaleY NotifyList",
     "OnClick"},
    {"CANVAS", ObjectType::kCanvas, "CANVAS",
     ZE_HEAD "Clickable OnClick File FileSource FilePath NotifyList", "OnClick"},
    {"GRID", ObjectType::kGrid, "GRID",
     ZE_HEAD "Clickable OnClick Data FileOff FileOn FileSource FilePath ColumnHeight Columns "
             "NotifyList",
     "Data"},
    {"PULLDOWN", ObjectType::kPulldown, "PULLDOWN",
     ZE_HEAD "Clickable OnClick Data FileOff FileOn FileSource FilePath ColumnHeight NotifyList",
     "Data"},
    {"PROGRESS", ObjectType::kProgress, "PROGRESS",
     ZE_HEAD "Clickable OnClick FileBase FileActive FileSource FilePath Min Max Value Vertical "
             "NotifyList",
     "OnClick"},
    {"SLIDEBAR", ObjectType::kSlidebar, "SLIDEBAR",
     ZE_HEAD "OnSlide OnTouch OnRelease FileBase FileActive FileThumb FileSource FilePath Min Max "
             "Value Vertical NotifyList",
     "OnRelease"},
    {"METER", ObjectType::kMeter, "METER",
     ZE_HEAD "Clickable OnClick Revers Pattern FileBase FileCursor FileTop CenterPosBase "
             "CenterPosCursor CenterPosTop FileSource FilePath Min Max Value NotifyList",
     "OnClick"},
    {"GRAPH", ObjectType::kGraph, "GRAPH",
     ZE_HEAD "Clickable OnClick File FileSource FilePath EnablePinch EnableCache OffsetX OffsetY "
             "ScaleX ScaleY DateScale AutoScroll ScaleLock NotifyList",
     "OnClick"},
    {"VLIST", ObjectType::kVList, "VLIST",
     ZE_HEAD "Clickable OnClick Position Data FileSource FilePath NotifyList", "OnClick"},
    {"HLIST", ObjectType::kHList, "HLIST",
     ZE_HEAD "Clickable OnClick Position Data FileSource FilePath NotifyList", "OnClick"},
    {"Unset", ObjectType::kUnset, "Unset",
     ZE_HEAD "Clickable OnClick FileSource FilePath NotifyList", "OnClick"},
    // An index past the table is no type either.
    {"PastTheTable", ObjectType::kCount, "Unset",
     ZE_HEAD "Clickable OnClick FileSource FilePath NotifyList", "OnClick"},
};

#undef ZE_HEAD

struct ParentCase {
    const char* label;
    GroupLayout layout;
};

const ParentCase kParentCases[] = {
    {"Linear", GroupLayout::kLinear},     {"Frame", GroupLayout::kFrame},
    {"Table", GroupLayout::kTable},       {"Unset", GroupLayout::kUnset},
    {"Relative", GroupLayout::kRelative}, {"TableRow", GroupLayout::kTableRow},
};

class SchemaObject : public testing::TestWithParam<std::tuple<ObjectCase, ParentCase>> {};

TEST_P(SchemaObject, ItemsInOrderWithKindsChoicesHelpAndValues) {
    const auto& [object, parent] = GetParam();
    std::vector<std::string> names = Split(object.items);
    if (parent.layout == GroupLayout::kRelative) {
        InsertAfter(names, "Weight", {"PosX", "PosY"});
    }
    if (parent.layout == GroupLayout::kTableRow) {
        InsertAfter(names, object.tableRowAnchor, {"Stretch", "Wrap", "Span"});
    }
    std::vector<Expected> expected;
    for (const std::string& name : names) {
        expected.push_back(ObjectProperty(object.type, name));
        if (name == "Type") {
            expected.back().value = object.typeText;
        }
    }

    CItemList items;
    AddObjectItems(items, object.type, parent.layout);
    ExpectItems(items, expected);
}

INSTANTIATE_TEST_SUITE_P(SchemaAllTypes, SchemaObject,
                         testing::Combine(testing::ValuesIn(kObjectCases),
                                          testing::ValuesIn(kParentCases)),
                         [](const auto& row) {
                             return std::string(std::get<0>(row.param).label) + "_" +
                                    std::get<1>(row.param).label;
                         });

// The insertions spelled out once in full, independent of the helpers above.
TEST(SchemaObjectInFull, SlidebarUnderTableRowAndTextUnderRelative) {
    const auto namesOf = [](ObjectType type, GroupLayout layout) {
        CItemList items;
        AddObjectItems(items, type, layout);
        std::string names;
        for (std::size_t i = 0; i < items.GetItemCount(); ++i) {
            names += (i ? " " : "") + items.GetItemData(i).GetName();
        }
        return names;
    };
    EXPECT_EQ(namesOf(ObjectType::kSlidebar, GroupLayout::kTableRow),
              "Name Alias Type Width Height Weight Padding Margin Hide Disable BGColor OnSlide "
              "OnTouch OnRelease Stretch Wrap Span FileBase FileActive FileThumb FileSource "
              "FilePath Min Max Value Vertical NotifyList");
    EXPECT_EQ(namesOf(ObjectType::kText, GroupLayout::kRelative),
              "Name Alias Type Width Height Weight PosX PosY Padding Margin Hide Disable BGColor "
              "Clickable OnClick Text TSize TColor TAlign FileSource FilePath NotifyList");
}

// ---------------------------------------------------------------------------
// Group schema

TEST(SchemaGroup, ItemsPerLayout) {
    const Expected name{"Name", 0, nullptr, "このオブジェクトの名前です。", ""};
    const Expected alias{"Alias", 0, nullptr,
                         "ラジオグループ専用の要素です。値通知コマンド「NOTIFY」で使用します。",
                         ""};
    const Expected type{"Type", 1, nullptr, "グループオブジェクトの種類", "GROUP"};
    const std::vector<Expected> middle = {
        {"Width", 4, &choices::Sizes, kSizeHelp, ""},
        {"Height", 4, &choices::Sizes, kSizeHelp, ""},
        {"Weight", 11, nullptr, kWeightHelp, ""},
        {"Padding", 4, &choices::Offsets, nullptr, ""},
        {"Margin", 4, &choices::Offsets, nullptr, ""},
        {"Hide", 12, nullptr, kHideHelp, ""},
        {"Disable", 12, nullptr, kDisableHelp, ""},
        {"BGColor", 4, &choices::Colours, kColourHelp, ""},
        {"Align", 3, &choices::Alignments, kAlignHelp, ""},
    };
    const Expected vertical{"Vertical", 12, nullptr,
                            "並べる方向を指定します。デフォルト（省略時：flase）は水平方向です。"
                            "trueで垂直方向になります。",
                            ""};
    const Expected notifyList{"NotifyList", 0, nullptr, kNotifyListHelp, "Name"};

    const std::pair<int, const char*> layouts[] = {
        {-1, "Unset"},   {0, "FRAME"},    {1, "LINEAR"}, {2, "RADIO"},
        {3, "SCROLL"},   {4, "HSCROLL"},  {5, "PAGE"},   {6, "TABLE"},
        {7, "TABLEROW"}, {8, "RELATIVE"}, {9, "Unset"},
    };
    for (const auto& [number, text] : layouts) {
        SCOPED_TRACE(text);
        const GroupLayout code = GroupLayoutAt(number);
        std::vector<Expected> expected = {name};
        if (code == GroupLayout::kRadio) {
            expected.push_back(alias);
        }
        expected.push_back(type);
        expected.push_back(
            {"Layout", 3, &choices::GroupTypeNames, "グループオブジェクトの種類", text});
        expected.insert(expected.end(), middle.begin(), middle.end());
        if (code == GroupLayout::kLinear || code == GroupLayout::kRadio) {
            expected.push_back(vertical);
        }
        expected.push_back(notifyList);

        CItemList items;
        AddGroupItems(items, code);
        ExpectItems(items, expected);
        ExpectItems(GroupItems(code), expected);
    }
}

// ---------------------------------------------------------------------------
// Header column, project and dialog items

TEST(SchemaElement, HeaderColumnItems) {
    CItemList items;
    AddHeaderColumnItems(items);
    ExpectItems(items, {
                           {"TSize", 6, nullptr, kTSizeHelp, ""},
                           {"TColor", 4, &choices::Colours, nullptr, ""},
                           {"TAlign", 3, &choices::Alignments, kAlignHelp, ""},
                           {"Margin", 4, &choices::Offsets, nullptr, ""},
                           {"BGColor", 4, &choices::Colours, kColourHelp, ""},
                           {"Clickable", 12, nullptr, kClickableHelp, ""},
                       });
    EXPECT_EQ(HeaderColumnItemCount(), items.GetItemCount());
}

TEST(SchemaElement, ProjectItems) {
    CItemList items;
    AddProjectItems(items);
    ExpectItems(items, {
                           {"Name", 0, nullptr, nullptr, ""},
                           {"DeviceWidth", 11, nullptr, nullptr, ""},
                           {"DeviceHeight", 11, nullptr, nullptr, ""},
                       });
}

TEST(SchemaElement, DialogItemsKeepTheNameAsGiven) {
    const std::string sjisName = Utf8ToCp932("画面2");
    CItemList items;
    AddDialogItems(items, sjisName);
    ExpectItems(
        items,
        {
            {"Name", 0, nullptr, nullptr, "画面2"},
            {"TemplateType", 4, &choices::TemplateTypes,
             "スケルトンソースコードのテンプレートの種類を決定します。", ""},
            {"TargetLayoutWidth", 11, nullptr, "画面の幅を任意の数値指定。単位'pu'で使用。", ""},
            {"TargetLayoutHeight", 11, nullptr, "画面の高さを任意の数値指定。単位'pu'で使用。", ""},
            {"OnOpen", 3, &choices::CommandNames, kPickHelp, ""},
            {"OnClose", 3, &choices::CommandNames, kPickHelp, ""},
            {"OnTimer", 3, &choices::CommandNames, kPickHelp, ""},
            {"PopupTitle", 2, nullptr, "Popupダイアログのタイトル。TemplateTypeがPOPUP時のみ使用。",
             ""},
            {"PopupMessage", 2, nullptr,
             "Popupダイアログのメッセージ。TemplateTypeがPOPUP時のみ使用。", ""},
            {"PopupButton1", 2, nullptr,
             "Popupダイアログの左ボタンテキスト。TemplateTypeがPOPUP時のみ使用。", ""},
            {"PopupButton2", 2, nullptr,
             "Popupダイアログの右ボタンテキスト。TemplateTypeがPOPUP時のみ使用。", ""},
            {"PopupButton3", 2, nullptr,
             "Popupダイアログの中央ボタンテキスト。TemplateTypeがPOPUP時のみ使用。", ""},
        });
    EXPECT_EQ(items.GetItem("Name"), sjisName);
}

// ---------------------------------------------------------------------------
// Command schema

const char* const kCommandHelp = "コマンド名";
const char* const kTargetNameHelp =
    "対象オブジェクトの名前(Name)を指定。カンマ区切りで複数指定可能。";
const char* const kTargetAliasHelp = "対象オブジェクトの別名(Alias)を指定。複数指定不可。";
const char* const kSendHelp = "ファイル取得コマンドをステーションへ送信します。";
const char* const kCommandFileHelp = "コマンド対象のファイルを指定します。";

struct CommandCase {
    const char* label;
    std::string command;  // Shift_JIS
    std::string event;
    std::vector<Expected> items;  // after Event
};

std::vector<Expected> UpdateItems() {
    return {
        {"Command", 1, nullptr, kCommandHelp, "NOTIFY"},
        {"MakeCommand", 1, nullptr, "生成コマンド名", "UPDATE"},
        {"Name", 0, nullptr, kTargetNameHelp, ""},
        {"Alias", 0, nullptr, kTargetAliasHelp, ""},
        {"Text", 2, nullptr, "更新するテキスト値", ""},
        {"TextOff", 2, nullptr, "属性OFF時にボタン上に表示するテキストを指定します。", ""},
        {"TextOn", 2, nullptr, "属性ON時にボタン上に表示するテキストを指定します。", ""},
        {"Attr", 4, &choices::Attributes, "更新する属性", ""},
        {"Data", 10, nullptr, "更新するデータ", ""},
        {"Value", 2, nullptr, "更新する値", ""},
        {"Min", 11, nullptr, "最小値を指定します", ""},
        {"Max", 11, nullptr, "最大値を指定します", ""},
        {"Width", 4, &choices::Sizes, kSizeHelp, ""},
        {"Height", 4, &choices::Sizes, kSizeHelp, ""},
        {"Weight", 11, nullptr, kWeightHelp, ""},
        {"Padding", 4, &choices::Offsets, kPaddingHelp, ""},
        {"Margin", 4, &choices::Offsets, kMarginHelp, ""},
        {"Hide", 12, nullptr, kHideHelp, ""},
        {"Disable", 12, nullptr, kDisableHelp, ""},
        {"BGColor", 4, &choices::Colours, kColourHelp, ""},
        {"TSize", 6, nullptr, kTSizeHelp, ""},
        {"TColor", 4, &choices::Colours, kColourHelp, ""},
        {"TAlign", 3, &choices::Alignments, kAlignHelp, ""},
        {"File", 5, nullptr, "画像ファイル名を指定します", ""},
        {"FileBase", 5, nullptr, "プログレスのベース画像ファイル名", ""},
        {"FileOff", 5, nullptr, "通常状態で表示されるオブジェクトの画像ファイル名", ""},
        {"FileOn", 5, nullptr, "押下などアクティブ状態で表示されるオブジェクトの画像ファイル名",
         ""},
        {"FileActive", 5, nullptr, "プログレスのアクティブ部分の画像ファイル名", ""},
        {"FileCursor", 5, nullptr, "メーターオブジェクトの動く画像ファイル名（針）", ""},
        {"FileTop", 5, nullptr, "メーターオブジェクトの最前面画像（枠）", ""},
        {"FileThumb", 5, nullptr, "スライドバーのつまみ画像", ""},
        {"FileSource", 3, &choices::FileSources, kFileSourceHelp, ""},
        {"FilePath", 0, nullptr, kFilePathHelp, ""},
        {"CenterPosBase", 0, nullptr, "メーターオブジェクトの背景画像の中心座標", ""},
        {"CenterPosCursor", 0, nullptr, "メーターオブジェクトの動く画像の中心座標", ""},
        {"CenterPosTop", 0, nullptr, "メーターオブジェクトの最前面画像の中心座標", ""},
        {"OffsetX", 0, nullptr, "ピクチャーオブジェクトのオフセットX", ""},
        {"OffsetY", 0, nullptr, "ピクチャーオブジェクトのオフセットY", ""},
        {"ScaleX", 0, nullptr, "ピクチャーオブジェクトのスケールX", ""},
        {"ScaleY", 0, nullptr, "ピクチャーオブジェクトのスケールY", ""},
        {"Thumbnail", 12, nullptr, "サムネイル（縮小読込機能）の有効/無効を指定します", ""},
        {"EnablePinch", 12, nullptr, "スクロール・ピンチズームを使う/使わないを指定します", ""},
        {"EnableCache", 12, nullptr, "キャッシュの有効/無効を指定します", ""},
        {"OffsetX", 0, nullptr, "Xオフセット値を指定します", ""},
        {"OffsetY", 0, nullptr, "Yオフセット値を指定します", ""},
        {"ScaleX", 0, nullptr, "Xスケール値を指定します", ""},
        {"ScaleY", 0, nullptr, "Yスケール値を指定します", ""},
        {"DateScale", 12, nullptr, "trueを指定するとX軸が日付になります", ""},
        {"AutoScroll", 12, nullptr, "自動スクロールの有効/無効を指定します", ""},
        {"ScaleLock", 12, nullptr, "trueを指定するとY軸スケールが変更できなくなります", ""},
    };
}

std::vector<CommandCase> CommandCases() {
    const Expected fileSource{"FileSource", 3, &choices::FileSources, kFileSourceHelp, ""};
    const Expected filePath{"FilePath", 0, nullptr, kFilePathHelp, ""};
    const Expected targetName{"Name", 0, nullptr, kTargetNameHelp, ""};
    const Expected targetAlias{"Alias", 0, nullptr, kTargetAliasHelp, ""};
    const auto command = [](const char* value) {
        return Expected{"Command", 1, nullptr, kCommandHelp, value};
    };
    return {
        {"CONDITION",
         "CONDITION",
         "OnClick",
         {command("NOTIFY"),
          {"MakeCommand", 1, nullptr, "生成コマンド名", "CONDITION"},
          targetName,
          targetAlias}},
        {"UPDATE", "UPDATE", "OnOpen", UpdateItems()},
        {"OPEN",
         "OPEN",
         "OnClick",
         {command("OPEN"), {"File", 0, nullptr, kCommandFileHelp, ""}, fileSource, filePath}},
        {"CLOSE", "CLOSE", "OnClose", {command("CLOSE")}},
        {"SOUND",
         "SOUND",
         "OnRelease",
         {command("SOUND"), {"File", 0, nullptr, kCommandFileHelp, ""}, fileSource, filePath}},
        {"TIMER",
         "TIMER",
         "OnTimer",
         {command("TIMER"), {"Time", 11, nullptr, "インターバルをミリ秒で指定します。", ""}}},
        {"DELETE",
         "DELETE",
         "OnClick",
         {command("DELETE"),
          targetName,
          targetAlias,
          {"Delete", 3, &choices::DeleteTypes,
           "削除タイプ THIS:指定したオブジェクトを削除(省略時)。CHILD:"
           "指定したオブジェクトの子オブジェクトを全て削除。",
           ""}}},
        {"GETFILE",
         "GETFILE",
         "OnTouch",
         {command("SENDCOMMAND"),
          {"SendCommand", 1, nullptr, kSendHelp, "GETFILE"},
          {"File", 0, nullptr, "取得するファイル名", ""},
          fileSource,
          filePath,
          {"ObjectName", 0, nullptr, "受信したことを通知するオブジェクトの名前", ""}}},
        {"HELLO",
         "HELLO",
         "OnTouch",
         {command("SENDCOMMAND"), {"SendCommand", 1, nullptr, kSendHelp, "HELLO"}}},
        // Names that are no command add the event only.
        {"Cancel", Utf8ToCp932("キャンセル"), "OnClick", {}},
        {"LowerCase", "update", "OnClick", {}},
        {"Empty", "", "OnSlide", {}},
    };
}

class SchemaCommand : public testing::TestWithParam<CommandCase> {};

TEST_P(SchemaCommand, EventThenTheCommandsItems) {
    std::vector<Expected> expected = {
        {"Event", 1, nullptr, "コマンド開始トリガー", GetParam().event}};
    expected.insert(expected.end(), GetParam().items.begin(), GetParam().items.end());

    CItemList items;
    AddCommandItems(items, GetParam().command, GetParam().event);
    ExpectItems(items, expected);
}

INSTANTIATE_TEST_SUITE_P(SchemaAllCommands, SchemaCommand, testing::ValuesIn(CommandCases()),
                         [](const auto& row) { return std::string(row.param.label); });

// First-match lookups see only the picture variant; writers walk every item.
TEST(SchemaCommandUpdate, KeepsBothOffsetAndScaleItems) {
    CItemList items;
    AddCommandItems(items, "UPDATE", "OnClick");
    for (const char* name : {"OffsetX", "OffsetY", "ScaleX", "ScaleY"}) {
        int count = 0;
        for (std::size_t i = 0; i < items.GetItemCount(); ++i) {
            count += items.GetItemData(i).GetName() == name;
        }
        EXPECT_EQ(count, 2) << name;
    }
    EXPECT_TRUE(items.SetItem("OffsetX", "5"));
    EXPECT_EQ(items.GetItem("OffsetX"), "5");
}

// ---------------------------------------------------------------------------
// Choice lists

struct ChoiceCase {
    const char* label;
    ChoicesFn list;
    std::vector<std::string> utf8;
};

class SchemaChoices : public testing::TestWithParam<ChoiceCase> {};

TEST_P(SchemaChoices, TextsInOrder) {
    std::vector<std::string> texts;
    for (const std::string& sjis : GetParam().list()) {
        texts.push_back(Cp932ToUtf8(sjis));
    }
    EXPECT_EQ(texts, GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    SchemaAllLists, SchemaChoices,
    testing::Values(
        ChoiceCase{"Colours",
                   &choices::Colours,
                   {"BLACK", "WHITE", "DKGRAY", "GRAY", "LTGRAY", "RED", "GREEN", "BLUE", "CYAN",
                    "MAGENTA", "YELLOW", "TRANSPARENT", "#RRGGBB"}},
        ChoiceCase{"Sizes", &choices::Sizes, {"PARENT", "CONTENT"}},
        ChoiceCase{"Offsets", &choices::Offsets, {"0,0,0,0", "10,10,10,10"}},
        ChoiceCase{
            "ObjectTypeNames",
            &choices::ObjectTypeNames,
            {"TEXT", "EDIT", "BUTTON", "CHECKBOX", "TOGGLE", "RADIOBTN", "PICTURE", "CANVAS",
             "GRID", "PULLDOWN", "PROGRESS", "SLIDEBAR", "METER", "GRAPH", "VLIST", "HLIST"}},
        ChoiceCase{"GroupTypeNames",
                   &choices::GroupTypeNames,
                   {"FRAME", "LINEAR", "RADIO", "SCROLL", "HSCROLL", "PAGE", "TABLE", "TABLEROW",
                    "RELATIVE"}},
        ChoiceCase{"Alignments",
                   &choices::Alignments,
                   {"LEFT", "CENTER", "RIGHT", "TOP", "MIDDLE", "BOTTOM", "LEFT|TOP", "LEFT|MIDDLE",
                    "LEFT|BOTTOM", "CENTER|TOP", "CENTER|MIDDLE", "CENTER|BOTTOM", "RIGHT|TOP",
                    "RIGHT|MIDDLE", "RIGHT|BOTTOM"}},
        ChoiceCase{"Attributes", &choices::Attributes, {"ON", "OFF", "TOGGLE"}},
        ChoiceCase{"Columns", &choices::Columns, {"キャンセル", "ヘッダ項目追加"}},
        ChoiceCase{"CommandNames",
                   &choices::CommandNames,
                   {"キャンセル", "CONDITION", "UPDATE", "OPEN", "CLOSE", "SOUND", "TIMER",
                    "DELETE", "GETFILE", "HELLO"}},
        ChoiceCase{"ScaleTypes",
                   &choices::ScaleTypes,
                   {"SCALE_100PER", "SCALE_WIDTH", "SCALE_HEIGHT", "SCALE_AUTO", "SCALE_JUST"}},
        ChoiceCase{"FileSources", &choices::FileSources, {"BUILTIN", "STATION", "STORAGE", "URI"}},
        ChoiceCase{"TemplateTypes", &choices::TemplateTypes, {"None", "Shared", "Unique", "POPUP"}},
        ChoiceCase{"MeterPatterns", &choices::MeterPatterns, {"CIRCLE", "HORIZONTAL", "VERTICAL"}},
        ChoiceCase{"DeleteTypes", &choices::DeleteTypes, {"THIS", "CHILD"}}),
    [](const auto& row) { return std::string(row.param.label); });

// Every command on offer builds more than its Event, so picking one never
// yields a bare command; only the cancel entry does.
TEST(SchemaChoicesCommandNames, EachOfferedCommandHasASchema) {
    const ChoiceList& names = choices::CommandNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        CItemList items;
        AddCommandItems(items, names[i], "OnClick");
        EXPECT_EQ(items.GetItemCount() > 1, i != 0) << Cp932ToUtf8(names[i]);
    }
}

// ---------------------------------------------------------------------------
// Type and layout tables and lookups

TEST(SchemaLookup, NewElementLabels) {
    EXPECT_EQ(Cp932ToUtf8(NewObjectLabel()), "新規Object");
    EXPECT_EQ(Cp932ToUtf8(NewGroupLabel()), "新規Group");
}

struct TypeRow {
    ObjectType index;
    const char* name;
    const char* shortCode;
    const char* labelProperty;
};

TEST(SchemaLookup, ObjectTypeTable) {
    const TypeRow rows[] = {
        {ObjectType::kText, "TEXT", "TXT", "Text"},
        {ObjectType::kEdit, "EDIT", "EDIT", "Text"},
        {ObjectType::kButton, "BUTTON", "BTN", "Text"},
        {ObjectType::kCheckbox, "CHECKBOX", "CHK", "Text"},
        {ObjectType::kToggle, "TOGGLE", "TOGL", "TextOn"},
        {ObjectType::kRadioButton, "RADIOBTN", "RADO", "Text"},
        {ObjectType::kPicture, "PICTURE", "PIC", "File"},
        {ObjectType::kCanvas, "CANVAS", "CANVAS", ""},
        {ObjectType::kGrid, "GRID", "GRID", ""},
        {ObjectType::kPulldown, "PULLDOWN", "PDWN", ""},
        {ObjectType::kProgress, "PROGRESS", "PROG", ""},
        {ObjectType::kSlidebar, "SLIDEBAR", "SLID", ""},
        {ObjectType::kMeter, "METER", "METR", "File"},
        {ObjectType::kGraph, "GRAPH", "GRPH", ""},
        {ObjectType::kVList, "VLIST", "VLST", ""},
        {ObjectType::kHList, "HLIST", "HLST", ""},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const TypeRow& row = rows[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(IndexOf(row.index), static_cast<int>(i));
        EXPECT_EQ(ObjectTypeAt(static_cast<int>(i)), row.index);
        EXPECT_EQ(ObjectTypeIndex(row.name), row.index);
        EXPECT_EQ(ObjectTypeName(row.index), row.name);
        EXPECT_EQ(ObjectShortCode(row.index), row.shortCode);
        EXPECT_EQ(ObjectLabelProperty(row.index), row.labelProperty);
    }
    for (ObjectType outside : {ObjectType::kUnset, ObjectType::kCount}) {
        EXPECT_EQ(ObjectTypeName(outside), "");
        EXPECT_EQ(ObjectShortCode(outside), "");
        EXPECT_EQ(ObjectLabelProperty(outside), "");
    }
}

TEST(SchemaLookup, LayoutTable) {
    const char* const names[] = {"FRAME", "LINEAR", "RADIO",    "SCROLL",  "HSCROLL",
                                 "PAGE",  "TABLE",  "TABLEROW", "RELATIVE"};
    const GroupLayout codes[] = {
        GroupLayout::kFrame,  GroupLayout::kLinear,   GroupLayout::kRadio,
        GroupLayout::kScroll, GroupLayout::kHScroll,  GroupLayout::kPage,
        GroupLayout::kTable,  GroupLayout::kTableRow, GroupLayout::kRelative};
    static_assert(std::size(names) == IndexOf(GroupLayout::kCount));
    for (int i = 0; i < IndexOf(GroupLayout::kCount); ++i) {
        EXPECT_EQ(IndexOf(codes[i]), i);
        EXPECT_EQ(GroupLayoutAt(i), codes[i]);
        EXPECT_EQ(LayoutCode(names[i]), codes[i]) << names[i];
        EXPECT_EQ(LayoutName(codes[i]), names[i]);
    }
    EXPECT_EQ(LayoutName(GroupLayout::kUnset), "");
    EXPECT_EQ(LayoutName(GroupLayout::kCount), "");
}

struct LookupCase {
    const char* label;
    std::string text;  // Shift_JIS
    int exactType;
    int typeIgnoringCase;
    int exactLayout;
    int layoutIgnoringCase;
};

class SchemaLookupByText : public testing::TestWithParam<LookupCase> {};

TEST_P(SchemaLookupByText, ExactAndIgnoringCase) {
    const LookupCase& c = GetParam();
    EXPECT_EQ(IndexOf(ObjectTypeIndex(c.text)), c.exactType);
    EXPECT_EQ(IndexOf(ObjectTypeIndexIgnoringCase(c.text)), c.typeIgnoringCase);
    EXPECT_EQ(IndexOf(LayoutCode(c.text)), c.exactLayout);
    EXPECT_EQ(IndexOf(LayoutCodeIgnoringCase(c.text)), c.layoutIgnoringCase);
}

INSTANTIATE_TEST_SUITE_P(
    SchemaTexts, SchemaLookupByText,
    testing::Values(LookupCase{"UpperType", "TEXT", 0, 0, -1, -1},
                    LookupCase{"LowerType", "text", -1, 0, -1, -1},
                    LookupCase{"MixedType", "RadioBtn", -1, 5, -1, -1},
                    LookupCase{"LastType", "hlist", -1, 15, -1, -1},
                    LookupCase{"UpperLayout", "RELATIVE", -1, -1, 8, 8},
                    LookupCase{"MixedLayout", "TableRow", -1, -1, -1, 7},
                    LookupCase{"FirstLayout", "frame", -1, -1, -1, 0},
                    LookupCase{"Prefix", "TABLE", -1, -1, 6, 6},
                    LookupCase{"TrailingSpace", "TEXT ", -1, -1, -1, -1},
                    LookupCase{"Longer", "TEXTS", -1, -1, -1, -1},
                    LookupCase{"Empty", "", -1, -1, -1, -1},
                    LookupCase{"Unset", "Unset", -1, -1, -1, -1},
                    LookupCase{"GroupTypeText", "GROUP", -1, -1, -1, -1},
                    LookupCase{"ObjectHeading", Utf8ToCp932("新規Object"), -1, -1, -1, -1},
                    LookupCase{"GroupHeading", Utf8ToCp932("新規Group"), -1, -1, -1, -1},
                    LookupCase{"HeadingOtherCase", Utf8ToCp932("新規OBJECT"), -1, -1, -1, -1},
                    // Full-width letters are not ASCII letters.
                    LookupCase{"FullWidth", Utf8ToCp932("ＴＥＸＴ"), -1, -1, -1, -1}),
    [](const auto& row) { return std::string(row.param.label); });

}  // namespace
}  // namespace ze
