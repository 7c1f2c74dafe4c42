#include "layout/text_values.h"

#include <algorithm>

namespace ze {

namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
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

std::int32_t DecimalValue(std::string_view text) {
    std::size_t end = 0;
    return ScanDecimal(text, end).value_or(0);
}

int ParseAlignment(std::string_view text) {
    text = AsCString(text);
    const std::size_t start = std::min(text.find_first_not_of('|'), text.size());
    text.remove_prefix(start);
    const std::size_t bar = text.find('|');
    const std::string_view horizontalWord = text.substr(0, bar);
    std::string_view verticalWord = horizontalWord;
    if (bar != std::string_view::npos && bar + 1 < text.size()) {
        verticalWord = text.substr(bar + 1);
    }
    int horizontal = alignment::kLeft;
    if (horizontalWord == "CENTER") {
        horizontal = alignment::kCenter;
    } else if (horizontalWord == "RIGHT") {
        horizontal = alignment::kRight;
    }
    int vertical = alignment::kTop;
    if (verticalWord == "MIDDLE") {
        vertical = alignment::kMiddle;
    } else if (verticalWord == "BOTTOM") {
        vertical = alignment::kBottom;
    }
    return horizontal + 3 * vertical;
}

}  // namespace ze
