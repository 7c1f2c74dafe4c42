#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/editing/edit_result.h"

// What a grid cell shows under its image and what a chosen cell sends to the
// resource panel. Names are file names as the operating system gives them
// (UTF-8); the entry handed on carries Shift_JIS, the model's encoding.
namespace ze::app {

// The grid modes. The entry kind sent for a chosen cell has the mode's number
// (EntryKindOf).
enum GridMode : int {
    kObjectsMode = 0,    // insertable objects: caption is the object type
    kBuiltInMode = 1,    // built-in images: file name and size
    kUserMode = 2,       // the project's images: file name and size
    kClipboardMode = 3,  // the clipboard sample: name without extension
};

struct PaneEntry {
    PaneEntryKind kind = PaneEntryKind::kInsertType;
    std::string text;  // Shift_JIS
};

// What a chosen cell of a grid in mode is.
PaneEntryKind EntryKindOf(int mode);

// One line in modes 0 and 3, two in modes 1 and 2.
int CaptionLineCount(int mode);

// The caption lines of a cell. Mode 0: the name without its extension, less
// its first three characters, upper-cased ("01_FRAME.png" gives "FRAME").
// Mode 3: the name without its extension. Modes 1 and 2: the name, then
// "<height> x <width> <bits> bit".
std::vector<std::string> CaptionLines(int mode, std::string_view fileName, int width, int height,
                                      int bitsPerPixel);

// The text sent for a chosen cell (UTF-8): mode 0 the caption, mode 3 the
// name without extension, modes 1 and 2 the file name.
std::string RequestText(int mode, std::string_view fileName);

}  // namespace ze::app
