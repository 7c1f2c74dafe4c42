#include "layout/text_expand.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "common/code_tables.h"

#include "layout/text_measure.h"

namespace ze {

namespace {

// The byte length of the character at text[at].
std::size_t CharacterLength(std::string_view text, std::size_t at) {
    return tables::LeadIndex(static_cast<unsigned char>(text[at])) >= 0 && at + 1 < text.size() ? 2 : 1;
}

// Full-width "０" to "９" in Shift_JIS: 0x82 0x4F to 0x82 0x58.
bool IsWideDigit(std::string_view character) {
    return character.size() == 2 && static_cast<unsigned char>(character[0]) == 0x82 &&
           static_cast<unsigned char>(character[1]) >= 0x4F &&
           static_cast<unsigned char>(character[1]) <= 0x58;
}

// A count, a value, a time or a page number ("1", "-0.5", "50%", "12:30",
// "1 / 3"): digits with at most signs, separators and spaces between them.
bool IsNumber(std::string_view line) {
    bool digit = false;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t length = CharacterLength(line, at);
        const std::string_view character = line.substr(at, length);
        at += length;
        if (IsWideDigit(character) || (length == 1 && character[0] >= '0' && character[0] <= '9')) {
            digit = true;
        } else if (length != 1 ||
                   std::string_view(" +-.,:/%").find(character[0]) == std::string_view::npos) {
            return false;
        }
    }
    return digit;
}

void AppendExpandedLine(std::string& out, std::string_view line, std::int32_t percent) {
    out.append(line);
    // A translation leaves numbers as they are, and a filled-in number is
    // no longer than its kind allows: "1" lengthened to "11" tries nothing.
    if (IsNumber(line)) {
        return;
    }
    std::vector<std::string_view> characters;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t length = CharacterLength(line, at);
        characters.push_back(line.substr(at, length));
        at += length;
    }
    if (characters.empty()) {
        return;
    }
    const std::int64_t added = (static_cast<std::int64_t>(characters.size()) * percent + 99) / 100;
    for (std::int64_t i = 0; i < added; ++i) {
        out.append(characters[static_cast<std::size_t>(i) % characters.size()]);
    }
}

}  // namespace

std::string ExpandedText(std::string_view text, std::int32_t percent) {
    if (percent <= 0) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size() + text.size() * static_cast<std::size_t>(percent) / 100 + 2);
    std::size_t start = 0;
    for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at)) {
        if (text[at] == '\n') {
            AppendExpandedLine(out, text.substr(start, at - start), percent);
            out += '\n';
            start = at + 1;
        }
    }
    AppendExpandedLine(out, text.substr(start), percent);
    return out;
}

std::int32_t FixedPitchMeasure::LineWidth(std::string_view text, std::int32_t fontHeight) {
    std::int64_t width = 0;
    for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at)) {
        width += CharacterLength(text, at) == 2 ? fontHeight : fontHeight / 2;
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(width, INT32_MAX));
}

}  // namespace ze
