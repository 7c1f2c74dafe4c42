#include "model/entry_checks.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "model/item_data.h"
#include "model/length_text.h"
#include "model/property_names.h"
#include "model/schema.h"
#include "model/user_text.h"

namespace ze {

namespace {

// Every message of the entry checks. The length examples name each unit
// suffix the length scan knows (kUnitSuffixes) and the size list's keywords.
constexpr const char* kContext = "Messages";
constexpr const char* kLengthForms = ZE_USER_TEXT(
    "Messages",
    "長さは 12、12px、12pu、8pt、10mm、16dp、PARENT、CONTENT のように入力してください。");
constexpr const char* kOffsetForms = ZE_USER_TEXT(
    "Messages",
    "オフセットは 左,上,右,下 の4つの整数をカンマで区切って 0,0,0,0 のように入力してください。");
constexpr const char* kColourForms = ZE_USER_TEXT(
    "Messages", "色は %1 のどれか、または #336699 のような #RRGGBB の形で入力してください。");
// Between the names of a list in a message.
constexpr const char* kListSeparator = ZE_USER_TEXT("Messages", "、");
constexpr const char* kNumberForm =
    ZE_USER_TEXT("Messages", "数値は 12 や -5 のような10進数の整数で入力してください。");
constexpr const char* kNumberRange =
    ZE_USER_TEXT("Messages", "数値は -2147483648 から 2147483647 までの整数で入力してください。");
constexpr const char* kTakenName = ZE_USER_TEXT(
    "Messages", "名前「%1」はこのダイアログで既に使われています。別の名前を入力してください。");

constexpr const char* kRefusedProperty =
    ZE_USER_TEXT("Messages", "プロパティー「%1」に入力した値を確定できません。\n%2");

constexpr const char* kNameSpaces = ZE_USER_TEXT(
    "Messages", "名前の先頭と末尾には空白を入れられません。空白を除いて入力してください。");

constexpr std::array<std::string_view, 6> kLengthNames = {
    prop::kWidth, prop::kHeight, prop::kTSize, prop::kPosX, prop::kPosY, prop::kColumnHeight};
constexpr std::array<std::string_view, 2> kOffsetNames = {prop::kPadding, prop::kMargin};
constexpr std::array<std::string_view, 2> kColourNames = {prop::kBGColor, prop::kTColor};

template <std::size_t N>
bool IsOneOf(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

ValueRefusal Refuse(std::string message) {
    return {true, std::move(message)};
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

enum class Integer { kNone, kOutOfRange, kInRange };

// An optional minus sign and decimal digits, nothing else.
Integer ReadInteger(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view digits = text.substr(negative ? 1 : 0);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), IsDigit)) {
        return Integer::kNone;
    }
    constexpr std::int64_t kLimit = std::int64_t{1} << 31;
    std::int64_t magnitude = 0;
    for (const char digit : digits) {
        magnitude = std::min(magnitude * 10 + (digit - '0'), kLimit + 1);
    }
    return magnitude <= (negative ? kLimit : kLimit - 1) ? Integer::kInRange : Integer::kOutOfRange;
}

bool IsOffset(std::string_view text) {
    int numbers = 0;
    while (true) {
        const std::size_t comma = text.find(',');
        if (ReadInteger(text.substr(0, comma)) != Integer::kInRange) {
            return false;
        }
        ++numbers;
        if (comma == std::string_view::npos) {
            return numbers == 4;
        }
        text.remove_prefix(comma + 1);
    }
}

// The colour list's last entry is the form "#RRGGBB", not a colour.
bool IsColourForm(std::string_view entry) {
    return !entry.empty() && entry.front() == '#';
}

bool IsColour(std::string_view text) {
    if (text.size() == 7 && text.front() == '#') {
        return std::all_of(text.begin() + 1, text.end(), IsHexDigit);
    }
    const ChoiceList& colours = choices::Colours();
    return std::any_of(colours.begin(), colours.end(), [text](const std::string& colour) {
        return !IsColourForm(colour) && colour == text;
    });
}

std::string ColourForms() {
    const std::string separator = UserText(kContext, kListSeparator);
    std::string names;
    for (const std::string& colour : choices::Colours()) {
        if (!IsColourForm(colour)) {
            names += names.empty() ? "" : separator;
            names += colour;
        }
    }
    return UserText(kContext, kColourForms, names);
}

bool IsSjisLead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Whether Shift_JIS text begins or ends with a space, a tab or an
// ideographic space (0x81 0x40), which a name keeps invisibly: code and
// lookups by name would then miss it.
bool HasOuterSpace(std::string_view text) {
    const auto isSpace = [text](std::size_t at, std::size_t length) {
        const std::string_view character = text.substr(at, length);
        return character == " " || character == "\t" || character == "\x81\x40";
    };
    std::size_t last = 0;
    std::size_t lastLength = 0;
    for (std::size_t at = 0; at < text.size(); at += lastLength) {
        last = at;
        lastLength =
            IsSjisLead(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
        if (at == 0 && isSpace(at, lastLength)) {
            return true;
        }
    }
    return !text.empty() && isSpace(last, lastLength);
}

}  // namespace

EntryForm FormOf(std::string_view name, ItemKind kind) {
    if (IsOneOf(kLengthNames, name)) {
        return EntryForm::kLength;
    }
    if (IsOneOf(kOffsetNames, name)) {
        return EntryForm::kOffset;
    }
    if (IsOneOf(kColourNames, name)) {
        return EntryForm::kColour;
    }
    return kind == ItemKind::kNumber ? EntryForm::kNumber : EntryForm::kNone;
}

ValueRefusal CheckEntryForm(std::string_view name, ItemKind kind, std::string_view value) {
    if (value.empty()) {
        return {};
    }
    switch (FormOf(name, kind)) {
        case EntryForm::kLength:
            return ScanLength(value).whole ? ValueRefusal{}
                                           : Refuse(UserText(kContext, kLengthForms));
        case EntryForm::kOffset:
            return IsOffset(value) ? ValueRefusal{} : Refuse(UserText(kContext, kOffsetForms));
        case EntryForm::kColour:
            return IsColour(value) ? ValueRefusal{} : Refuse(ColourForms());
        case EntryForm::kNumber:
            if (value.front() == '$') {
                break;
            }
            switch (ReadInteger(value)) {
                case Integer::kNone:
                    return Refuse(UserText(kContext, kNumberForm));
                case Integer::kOutOfRange:
                    return Refuse(UserText(kContext, kNumberRange));
                case Integer::kInRange:
                    break;
            }
            break;
        case EntryForm::kNone:
            break;
    }
    return {};
}

ValueRefusal CheckEntry(std::string_view name, ItemKind kind, std::string_view value) {
    if (value.empty()) {
        return {};
    }
    if (name == prop::kName && HasOuterSpace(value)) {
        return Refuse(UserText(kContext, kNameSpaces));
    }
    if (ValueRefusal refusal = CheckEntryForm(name, kind, value); refusal.refused) {
        return refusal;
    }
    return CheckItemValue(kind, value);
}

ValueRefusal RefuseTakenName(std::string_view name) {
    return Refuse(UserText(kContext, kTakenName, name));
}

std::string PropertyRefusalMessage(std::string_view property, std::string_view message) {
    if (property.empty()) {
        return std::string(message);
    }
    // The markers are found in the text as translated, before either is
    // filled in, so that a name or message holding "%2" stays as it is.
    const std::string form = UserText(kContext, kRefusedProperty);
    std::string text;
    std::size_t from = 0;
    while (true) {
        const std::size_t at = form.find('%', from);
        if (at == std::string::npos || at + 1 >= form.size()) {
            break;
        }
        const char marker = form[at + 1];
        if (marker != '1' && marker != '2') {
            text.append(form, from, at + 1 - from);
            from = at + 1;
            continue;
        }
        text.append(form, from, at - from);
        text += marker == '1' ? property : message;
        from = at + 2;
    }
    text.append(form, from);
    return text;
}

}  // namespace ze
