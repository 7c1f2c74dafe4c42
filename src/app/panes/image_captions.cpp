#include "app/panes/image_captions.h"

#include <cstdio>

#include "common/paths.h"

namespace ze::app {

namespace {

// Skips count UTF-8 characters, so a non-ASCII name is never cut inside a
// character.
std::string_view DropCharacters(std::string_view text, int count) {
    std::size_t at = 0;
    for (int i = 0; i < count && at < text.size(); ++i) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) {
            ++at;
        }
    }
    return text.substr(at);
}

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

std::string ObjectType(std::string_view fileName) {
    return UpperAscii(DropCharacters(FileTitle(fileName), 3));
}

}  // namespace

int CaptionLineCount(int mode) {
    return (mode == kBuiltInMode || mode == kUserMode) ? 2 : 1;
}

std::vector<std::string> CaptionLines(int mode, std::string_view fileName, int width, int height,
                                      int bitsPerPixel) {
    switch (mode) {
        case kObjectsMode:
            return {ObjectType(fileName)};
        case kClipboardMode:
            return {FileTitle(fileName)};
        default:
            break;
    }
    char size[64];
    std::snprintf(size, sizeof size, "%d x %d %d bit", height, width, bitsPerPixel);
    return {std::string(fileName), std::string(size)};
}

PaneEntryKind EntryKindOf(int mode) {
    switch (mode) {
        case kBuiltInMode:
            return PaneEntryKind::kBuiltInImage;
        case kUserMode:
            return PaneEntryKind::kUserImage;
        case kClipboardMode:
            return PaneEntryKind::kClipboard;
        default:
            return PaneEntryKind::kInsertType;
    }
}

std::string RequestText(int mode, std::string_view fileName) {
    switch (mode) {
        case kObjectsMode:
            return ObjectType(fileName);
        case kClipboardMode:
            return FileTitle(fileName);
        default:
            return std::string(fileName);
    }
}

}  // namespace ze::app
