#include "layout/text_values.h"

#include <algorithm>

namespace ze {

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
