#include "model/item_value_check.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "common/cp932.h"
#include "common/text_convert.h"
#include "model/item_list.h"
#include "model/json_parser.h"
#include "model/user_text.h"

// The check does not model the writer and reader: it writes the item exactly
// as a save would and reads it back exactly as a load would. Shift_JIS makes
// a byte-level model treacherous (a backslash byte is also the second byte of
// many double-byte characters, and the reader guesses each value's coding),
// so the real pair is the only judge that stays right when either changes.
namespace ze {

namespace {

// Messages are Shift_JIS like every text of the model.
std::string Text(const char* utf8, std::string_view argument) {
    return UserText("Messages", utf8, argument);
}

constexpr const char* kCharacter = ZE_USER_TEXT("Messages", "値に「%1」は使えません。");
constexpr const char* kControl = ZE_USER_TEXT("Messages", "値に制御文字(0x%1)は使えません。");
constexpr const char* kNotResourceText =
    ZE_USER_TEXT("Messages", "値をリソースデータとして読み込めません。");
constexpr const char* kNotReadBack = ZE_USER_TEXT("Messages", "値を保存すると読み戻せません。");

constexpr char kProbeName[] = "V";

bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool IsTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

bool IsHalfWidthKana(std::string_view character) {
    if (character.size() != 1) {
        return false;
    }
    const auto b = static_cast<unsigned char>(character.front());
    return b >= 0xA1 && b <= 0xDF;
}

// The value cut into Shift_JIS characters: a lead byte with its trail byte,
// or one byte (also a lead byte without a valid trail byte).
std::vector<std::string_view> SplitCharacters(std::string_view text) {
    std::vector<std::string_view> characters;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
            IsTrailByte(static_cast<unsigned char>(text[i + 1]))) {
            length = 2;
        }
        characters.push_back(text.substr(i, length));
        i += length;
    }
    return characters;
}

ValueRefusal RefuseCharacter(std::string_view character) {
    ValueRefusal refusal;
    refusal.refused = true;
    refusal.message = Text(kCharacter, character);
    return refusal;
}

ValueRefusal RefuseControl(unsigned char byte) {
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(byte));
    return {true, Text(kControl, hex)};
}

ValueRefusal Refuse(const char* message) {
    return {true, UserText("Messages", message)};
}

bool WrittenQuoted(ItemKind kind, std::string_view value) {
    return kind <= ItemKind::kLastQuoted || value.front() == '$';
}

// Whether the writer converts the value to UTF-8 (a "$" placeholder of kind
// 10 is written as stored).
bool WrittenAsUtf8(ItemKind kind, std::string_view value) {
    return kind == ItemKind::kUserText || (kind == ItemKind::kResourceText && value.front() != '$');
}

// A single quote, a backslash or a control byte that stands as a character
// of its own (not as the second byte of a double-byte character).
ValueRefusal PlainRefusal(std::string_view value) {
    for (const std::string_view character : SplitCharacters(value)) {
        if (character.size() != 1) {
            continue;
        }
        const auto b = static_cast<unsigned char>(character.front());
        if (b < 0x20) {
            return RefuseControl(b);
        }
        if (b == '\'' || b == '\\') {
            return RefuseCharacter(character);
        }
    }
    return {};
}

// The item as a save writes it, inside an object of its own.
std::string WrittenObject(ItemKind kind, std::string_view value) {
    CItemList items;
    items.AddItem(CItemData(kind, kProbeName, value));
    return "{" + items.WriteItem(0) + "}";
}

// Writes the value and reads it back as a load does; false when the text
// does not parse or does not hold exactly the one item.
bool ReadBack(ItemKind kind, std::string_view value, std::string& readBack) {
    JsonParser parser;
    if (!parser.Parse(WrittenObject(kind, value))) {
        return false;
    }
    std::vector<std::string> keys;
    if (parser.GetKeys(keys) != 1 || keys.front() != kProbeName) {
        return false;
    }
    std::string text;
    if (!parser.GetString(kProbeName, text)) {
        return false;
    }
    readBack = ConvertToSjis(text);
    return true;
}

// What a load should give back. Text written as UTF-8 comes back with its
// half-width katakana widened: that is the conversion's rule (the device
// shows the same), not a loss.
std::string ExpectedReadBack(ItemKind kind, std::string_view value) {
    if (!WrittenAsUtf8(kind, value)) {
        return std::string(value);
    }
    return ConvertUtf8ToSjis(ConvertSjisToUtf8(value));
}

bool SurvivesRoundTrip(ItemKind kind, std::string_view value) {
    std::string readBack;
    return ReadBack(kind, value, readBack) && readBack == ExpectedReadBack(kind, value);
}

// A character the converted forms cannot carry at all (not even widened).
bool LostInConversion(bool asUtf8, std::string_view character) {
    if (!asUtf8 || IsHalfWidthKana(character)) {
        return false;
    }
    return ConvertUtf8ToSjis(ConvertSjisToUtf8(character)) != character;
}

ValueRefusal CheckQuoted(ItemKind kind, std::string_view value) {
    if (ValueRefusal refusal = PlainRefusal(value); refusal.refused) {
        return refusal;
    }
    const std::vector<std::string_view> characters = SplitCharacters(value);
    for (const std::string_view character : characters) {
        if (LostInConversion(WrittenAsUtf8(kind, value), character)) {
            return RefuseCharacter(character);
        }
    }
    if (SurvivesRoundTrip(kind, value)) {
        return {};
    }
    // Name the first character that cannot even be saved alone, e.g. a
    // double-byte character whose second byte the reader takes for a
    // backslash when the kind is written as stored.
    for (const std::string_view character : characters) {
        if (!SurvivesRoundTrip(kind, character)) {
            return RefuseCharacter(character);
        }
    }
    return Refuse(kNotReadBack);
}

// One value of resource text and nothing after it. Inside an object the
// reader would stop at a "}" and ignore the rest; inside an array at a "]";
// a value that passes both holds exactly one value.
ValueRefusal CheckBare(ItemKind kind, std::string_view value) {
    std::string readBack;
    if (!ReadBack(kind, value, readBack)) {
        return Refuse(kNotResourceText);
    }
    const std::string written =
        kind == ItemKind::kResourceText ? ConvertSjisToUtf8(value) : std::string(value);
    JsonParser parser;
    if (!parser.Parse("[" + written + "]") || parser.GetRoot().Elements().size() != 1) {
        return Refuse(kNotResourceText);
    }
    return {};
}

}  // namespace

ValueRefusal CheckItemValue(ItemKind kind, std::string_view value) {
    if (value.empty()) {
        return {};
    }
    if (WrittenQuoted(kind, value)) {
        return CheckQuoted(kind, value);
    }
    return CheckBare(kind, value);
}

}  // namespace ze
