#include "model/entry_checks.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "common/cp932.h"
#include "model/item_data.h"
#include "model/length_text.h"
#include "model/schema.h"

namespace ze {

namespace {

// Every message of the entry checks. The length examples name each unit
// suffix the length scan knows (kUnitSuffixes) and the size list's keywords.
constexpr const char* kLengthForms =
    "長さは 12、12px、12pu、8pt、10mm、16dp、PARENT、CONTENT のように入力してください。";
constexpr const char* kOffsetForms =
    "オフセットは 左,上,右,下 の4つの整数をカンマで区切って 0,0,0,0 のように入力してください。";
constexpr const char* kColourFormsBefore = "色は ";
constexpr const char* kColourFormsAfter =
    " のどれか、または #336699 のような #RRGGBB の形で入力してください。";
constexpr const char* kNumberForm = "数値は 12 や -5 のような10進数の整数で入力してください。";
constexpr const char* kNumberRange =
    "数値は -2147483648 から 2147483647 までの整数で入力してください。";
constexpr const char* kTakenNameBefore = "名前「";
constexpr const char* kTakenNameAfter =
    "」はこのダイアログで既に使われています。別の名前を入力してください。";

constexpr std::array<std::string_view, 6> kLengthNames = {"Width", "Height", "TSize",
                                                          "PosX",  "PosY",   "ColumnHeight"};
constexpr std::array<std::string_view, 2> kOffsetNames = {"Padding", "Margin"};
constexpr std::array<std::string_view, 2> kColourNames = {"BGColor", "TColor"};

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
    std::string names;
    for (const std::string& colour : choices::Colours()) {
        if (!IsColourForm(colour)) {
            names += names.empty() ? "" : "、";
            names += colour;
        }
    }
    return Utf8ToCp932(kColourFormsBefore + names + kColourFormsAfter);
}

}  // namespace

EntryForm FormOf(std::string_view name, std::int32_t kind) {
    if (IsOneOf(kLengthNames, name)) {
        return EntryForm::kLength;
    }
    if (IsOneOf(kOffsetNames, name)) {
        return EntryForm::kOffset;
    }
    if (IsOneOf(kColourNames, name)) {
        return EntryForm::kColour;
    }
    return kind == item_kind::kNumber ? EntryForm::kNumber : EntryForm::kNone;
}

ValueRefusal CheckEntryForm(std::string_view name, std::int32_t kind, std::string_view value) {
    if (value.empty()) {
        return {};
    }
    switch (FormOf(name, kind)) {
        case EntryForm::kLength:
            return ScanLength(value).whole ? ValueRefusal{} : Refuse(Utf8ToCp932(kLengthForms));
        case EntryForm::kOffset:
            return IsOffset(value) ? ValueRefusal{} : Refuse(Utf8ToCp932(kOffsetForms));
        case EntryForm::kColour:
            return IsColour(value) ? ValueRefusal{} : Refuse(ColourForms());
        case EntryForm::kNumber:
            if (value.front() == '$') {
                break;
            }
            switch (ReadInteger(value)) {
                case Integer::kNone:
                    return Refuse(Utf8ToCp932(kNumberForm));
                case Integer::kOutOfRange:
                    return Refuse(Utf8ToCp932(kNumberRange));
                case Integer::kInRange:
                    break;
            }
            break;
        case EntryForm::kNone:
            break;
    }
    return {};
}

ValueRefusal CheckEntry(std::string_view name, std::int32_t kind, std::string_view value) {
    if (value.empty()) {
        return {};
    }
    if (ValueRefusal refusal = CheckEntryForm(name, kind, value); refusal.refused) {
        return refusal;
    }
    return CheckItemValue(kind, value);
}

ValueRefusal RefuseTakenName(std::string_view name) {
    return Refuse(Utf8ToCp932(kTakenNameBefore) + std::string(name) + Utf8ToCp932(kTakenNameAfter));
}

}  // namespace ze
