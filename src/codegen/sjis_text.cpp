#include "codegen/sjis_text.h"

namespace ze {

namespace {

// Length in bytes of the character starting at offset.
std::size_t CharLength(std::string_view text, std::size_t offset) {
    if (IsSjisLeadByte(static_cast<unsigned char>(text[offset])) && offset + 1 < text.size()) {
        return 2;
    }
    return 1;
}

}  // namespace

bool IsSjisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t FindSjis(std::string_view text, std::string_view pattern) {
    if (pattern.empty()) {
        return std::string_view::npos;
    }
    for (std::size_t offset = 0; offset < text.size(); offset += CharLength(text, offset)) {
        if (text.substr(offset, pattern.size()) == pattern) {
            return offset;
        }
    }
    return std::string_view::npos;
}

std::string ReplaceAllSjis(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return std::string(text);
    }
    std::string result;
    result.reserve(text.size());
    std::size_t offset = 0;
    while (offset < text.size()) {
        if (text.substr(offset, from.size()) == from) {
            result += to;
            offset += from.size();
        } else {
            const std::size_t length = CharLength(text, offset);
            result += text.substr(offset, length);
            offset += length;
        }
    }
    return result;
}

std::string ToUpperSjis(std::string_view text) {
    std::string result(text);
    for (std::size_t offset = 0; offset < result.size();) {
        const std::size_t length = CharLength(result, offset);
        char& c = result[offset];
        if (length == 1 && c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        offset += length;
    }
    return result;
}

}  // namespace ze
