#include "model/length_text.h"

#include <algorithm>

namespace ze {

namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsSuffixByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '%';
}

const UnitSuffix* FindUnitSuffix(std::string_view suffix) {
    const auto it =
        std::find_if(kUnitSuffixes.begin(), kUnitSuffixes.end(),
                     [suffix](const UnitSuffix& unit) { return unit.suffix == suffix; });
    return it == kUnitSuffixes.end() ? nullptr : &*it;
}

}  // namespace

std::string_view AsCString(std::string_view text) {
    return text.substr(0, std::min(text.find('\0'), text.size()));
}

std::optional<std::int32_t> ScanDecimal(std::string_view text, std::size_t& end) {
    text = AsCString(text);
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t digits = i;
    constexpr std::int64_t kLimit = std::int64_t{1} << 31;
    std::int64_t magnitude = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), kLimit);
        ++i;
    }
    if (i == digits) {
        return std::nullopt;
    }
    end = i;
    return static_cast<std::int32_t>(negative ? -magnitude : std::min(magnitude, kLimit - 1));
}

ScannedLength ScanLength(std::string_view text) {
    const std::string_view scanned = AsCString(text);
    const bool noNul = scanned.size() == text.size();
    if (scanned == kContentText) {
        return {length::kContent, unit_code::kPx, noNul};
    }
    if (scanned == kParentText) {
        return {length::kParent, unit_code::kPx, noNul};
    }
    // The scan "%d%15[a-zA-Z_%]": a number, then up to 15 suffix bytes.
    std::size_t end = 0;
    const std::optional<std::int32_t> number = ScanDecimal(scanned, end);
    if (!number) {
        return {length::kContent, unit_code::kPx, false};
    }
    std::size_t suffixEnd = end;
    while (suffixEnd < scanned.size() && suffixEnd - end < kMaxSuffixLength &&
           IsSuffixByte(scanned[suffixEnd])) {
        ++suffixEnd;
    }
    if (suffixEnd == end) {
        return {*number, unit_code::kPu, end == text.size()};
    }
    const UnitSuffix* unit = FindUnitSuffix(scanned.substr(end, suffixEnd - end));
    return {*number, unit != nullptr ? unit->code : unit_code::kPu,
            unit != nullptr && suffixEnd == text.size()};
}

}  // namespace ze
