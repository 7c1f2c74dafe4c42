// Refusing item values that a save and a load would not give back.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/item_value_check.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "model/schema.h"

namespace ze {
namespace {

constexpr const char* kAccepted = nullptr;
constexpr const char* kNotResourceText = "値をリソースデータとして読み込めません。";
constexpr const char* kNotReadBack = "値を保存すると読み戻せません。";

struct ValueCase {
    const char* name;
    std::int32_t kind;
    // Both texts are UTF-8 here and Shift_JIS in the model; bytes that are no
    // text of their own are spelt as escapes and kept as they are.
    std::string value;
    const char* message;  // kAccepted, or the refusal (UTF-8)
    // What a load gives back when it is not the value itself; empty = same.
    std::string comesBackAs = {};
    bool rawBytes = false;
};

std::string Sjis(const ValueCase& row) {
    return row.rawBytes ? row.value : Utf8ToCp932(row.value);
}

// "ソ" (0x83 0x5C) and "表" (0x95 0x5C) end in a backslash byte; "ー"
// (0x81 0x5B) in "[". "縺ゅ≠" is Shift_JIS whose bytes also make well-formed
// UTF-8 ("ああ"), which the reader's coding guess takes for UTF-8.
const std::vector<ValueCase>& Cases() {
    static const std::vector<ValueCase> cases = {
        // Quoted, written as stored (kinds 0 to 9 but 2).
        {"plain ascii", 0, "Button1", kAccepted},
        {"double quote is the other quote", 0, "say \"hi\"", kAccepted},
        {"single quote", 0, "it's", "値に「'」は使えません。"},
        {"backslash", 0, "C:\\dir", "値に「\\」は使えません。"},
        {"tab", 0, "a\tb", "値に制御文字(0x09)は使えません。"},
        {"line feed", 4, "a\nb", "値に制御文字(0x0A)は使えません。"},
        {"escape byte", 0, "a\x1b", "値に制御文字(0x1B)は使えません。"},
        {"zero byte", 0, std::string("a\0b", 3), "値に制御文字(0x00)は使えません。", {}, true},
        {"byte 0x1F", 5, "x\x1f", "値に制御文字(0x1F)は使えません。"},
        {"space and tilde", 0, " ~ ", kAccepted},
        {"fullwidth backslash", 0, "＼", kAccepted},
        {"katakana with 0x5C second byte", 0, "ソフト", "値に「ソ」は使えません。"},
        {"kanji with 0x5C second byte", 4, "表示", "値に「表」は使えません。"},
        {"0x5C second byte before n", 0, "ソn", "値に「ソ」は使えません。"},
        {"named after harmless text", 0, "ボタンソ", "値に「ソ」は使えません。"},
        {"long vowel 0x81 0x5B", 0, "メーター", kAccepted},
        {"neighbour of the 0x5C characters", 0, "ゾタ", kAccepted},
        {"half-width katakana as stored", 0, "ｱｲｳｶﾞ", kAccepted},
        {"NEC and IBM characters", 0, "①髙", kAccepted},
        {"lead byte before a quote", 0, "\x83'", "値に「'」は使えません。", {}, true},
        {"Shift_JIS that reads as UTF-8", 0, "縺ゅ≠", kNotReadBack},
        {"fixed kind", 1, "NOTIFY", kAccepted},
        // Kind 2 is written as UTF-8: no 0x5C second bytes there.
        {"user text with 0x5C second bytes", 2, "ソフト表示", kAccepted},
        {"user text that reads as UTF-8 as stored", 2, "縺ゅ≠", kAccepted},
        {"user text widens half-width katakana", 2, "ｱｲｳｶﾞ", kAccepted, "アイウガ"},
        {"user text NEC and IBM characters", 2, "①髙", kAccepted},
        {"user text dashes and tildes", 2, "～－￢∥￠￡", kAccepted},
        {"user text single quote", 2, "don't", "値に「'」は使えません。"},
        {"user text backslash", 2, "a\\b", "値に「\\」は使えません。"},
        {"user text carriage return", 2, "a\rb", "値に制御文字(0x0D)は使えません。"},
        // Bare values (kind 10 and up).
        {"integer", 11, "120", kAccepted},
        {"negative integer", 11, "-5", kAccepted},
        {"real", 11, "1.5", kAccepted, "1.500000"},
        {"surrounding spaces", 11, " 7 ", kAccepted, "7"},
        {"true", 12, "true", kAccepted},
        {"false", 12, "false", kAccepted},
        {"array", 10, "['a','b']", kAccepted},
        {"array of Japanese", 10, "['表','ソ']", kAccepted},
        {"array over lines", 10, "[1,\n2]", kAccepted, "[1,2]"},
        {"object", 10, "{'a':1}", kAccepted},
        {"placeholder in a number", 11, "$MIN", kAccepted},
        {"placeholder with a quote", 11, "$A'B", "値に「'」は使えません。"},
        // A placeholder is written quoted but not converted.
        {"placeholder with 0x5C second byte", 10, "$ソ", "値に「ソ」は使えません。"},
        {"word", 11, "abc", kNotResourceText},
        {"two numbers", 11, "1 2", kNotResourceText},
        {"number then a member", 11, "1,'X':2", kNotResourceText},
        {"number then closing brace", 11, "1}", kNotResourceText},
        {"number then closing bracket", 11, "1]", kNotResourceText},
        {"array then bracket", 10, "[1]]", kNotResourceText},
        {"unclosed array", 10, "[1,2", kNotResourceText},
        {"number with letters", 11, "12px", kNotResourceText},
        {"capital True", 12, "True", kNotResourceText},
        {"null loads as not set", 11, "null", kNotResourceText},
        {"only spaces", 11, "  ", kNotResourceText},
        {"bare Japanese", 10, "表示", kNotResourceText},
    };
    return cases;
}

TEST(ItemValueCheckTest, RefusesWhatTheReaderCannotTakeBack) {
    for (const ValueCase& row : Cases()) {
        SCOPED_TRACE(row.name);
        const ValueRefusal result = CheckItemValue(static_cast<ItemKind>(row.kind), Sjis(row));
        if (row.message == kAccepted) {
            EXPECT_FALSE(result.refused);
            EXPECT_EQ(result.message, "");
        } else {
            EXPECT_TRUE(result.refused);
            EXPECT_EQ(Cp932ToUtf8(result.message), row.message);
        }
    }
}

TEST(ItemValueCheckTest, EmptyValueIsAlwaysAccepted) {
    for (const std::int32_t kind : {0, 1, 2, 5, 9, 10, 11, 12, 99}) {
        SCOPED_TRACE(kind);
        EXPECT_FALSE(CheckItemValue(static_cast<ItemKind>(kind), "").refused);
    }
}

// The name of an item of a GRID object with the kind (one per kind that the
// table uses), so the value can go through a real save and load.
const char* CarrierItem(std::int32_t kind) {
    switch (kind) {
        case 0:
            return "Name";
        case 1:
            return nullptr;  // a fixed Type of a group, not worth a carrier
        case 2:
            return "Text";
        case 4:
            return "Width";
        case 5:
            return "FileOn";
        case 10:
            return "Data";
        case 11:
            return "Weight";
        case 12:
            return "Clickable";
        default:
            return nullptr;
    }
}

// The value of the item after the project is saved as text and loaded into
// a new project; nothing when the text does not load.
std::optional<std::string> SavedAndLoaded(std::int32_t kind, const std::string& value) {
    CZeResourceData project;
    CZeDialogData* dialog = project.GetDialogs().CreateDialog("Main");
    auto* root = dialog->GetElementStore().Create<CObjectDataList>(nullptr);
    AddGroupItems(root->Items(), GroupLayout::kLinear);
    dialog->SetRootGroup(root);
    auto* object = dialog->GetElementStore().Create<CObjectData>(root);
    AddObjectItems(object->Items(), ObjectType::kGrid, GroupLayout::kLinear);
    // Text is no GRID property; the reader adds it back as plain text, so
    // for kind 2 the item is given that kind here.
    if (kind == 2) {
        object->Items().AddItem(CItemData(ItemKind::kUserText, "Text", ""));
    }
    EXPECT_TRUE(object->SetItem(CarrierItem(kind), value));
    root->AddObject(object);

    CJsonString text;
    project.WriteProject(text, "");
    CZeResourceData loaded;
    if (!loaded.LoadText(text.GetText()) || loaded.GetDialogs().GetCount() != 1) {
        return std::nullopt;
    }
    const CObjectDataList* loadedRoot = loaded.GetDialogs().GetDialog(0)->GetRootGroup();
    if (loadedRoot == nullptr || loadedRoot->GetChildren().size() != 1) {
        return std::nullopt;
    }
    return loadedRoot->GetChildren().front()->GetItem(CarrierItem(kind));
}

// The check's verdicts against what a save and a load really do: every
// accepted value comes back (as the conversion to UTF-8 gives it), every
// refused one does not.
TEST(ItemValueCheckTest, VerdictsMatchARealSaveAndLoad) {
    int checked = 0;
    for (const ValueCase& row : Cases()) {
        if (CarrierItem(row.kind) == nullptr) {
            continue;
        }
        SCOPED_TRACE(row.name);
        const std::string value = Sjis(row);
        const std::optional<std::string> back = SavedAndLoaded(row.kind, value);
        if (row.message == kAccepted) {
            const std::string expected =
                row.comesBackAs.empty() ? value : Utf8ToCp932(row.comesBackAs);
            ASSERT_TRUE(back.has_value());
            EXPECT_EQ(Cp932ToUtf8(*back), Cp932ToUtf8(expected));
        } else {
            EXPECT_TRUE(!back.has_value() || *back != value);
        }
        ++checked;
    }
    EXPECT_GE(checked, 45);
}

}  // namespace
}  // namespace ze
