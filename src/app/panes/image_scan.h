#pragma once

#include <string>
#include <string_view>

#include "app/panes/dib_image.h"

// Where the log pane's images come from. Folders are operating-system paths;
// a separator is appended when missing.
namespace ze::app {

struct PaneImageLists {
    CDibImageList objects;    // program folder, "objects"
    CDibImageList clipboard;  // program folder, "samples/Clipboard.png"
    CDibImageList builtIn;    // program folder, "assets"
    CDibImageList user;       // project folder, "resources"
};

// Whether a file name has the extension (".png"), compared without regard
// to ASCII case as Windows matches "*.png".
bool HasExtension(std::string_view fileName, std::string_view extension);

// Adds every decodable regular file of folder whose name ends with
// extension. Sub-folders are skipped, as are files that fail to decode; a
// missing folder adds nothing.
void AddMatchingImages(const std::string& folder, std::string_view extension, CDibImageList& list);

// Clears list and fills it with folder's PNG images, then its JPEG images,
// then sorts it by name.
void ScanImageFolder(const std::string& folder, CDibImageList& list);

// Fills all four lists again. An empty folder text stands for no folder: its
// lists stay empty instead of being read from the working folder.
void ScanPaneImages(const std::string& programFolder, const std::string& projectFolder,
                    PaneImageLists& lists);

}  // namespace ze::app
