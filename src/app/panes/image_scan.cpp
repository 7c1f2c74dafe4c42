#include "app/panes/image_scan.h"

#include <filesystem>
#include <system_error>

#include "common/paths.h"

namespace ze::app {

namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool HasExtension(std::string_view fileName, std::string_view extension) {
    if (fileName.size() < extension.size()) {
        return false;
    }
    const std::string_view tail = fileName.substr(fileName.size() - extension.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (LowerAscii(tail[i]) != LowerAscii(extension[i])) {
            return false;
        }
    }
    return true;
}

void AddMatchingImages(const std::string& folder, std::string_view extension, CDibImageList& list) {
    std::error_code error;
    std::filesystem::directory_iterator entries(std::filesystem::path(folder), error);
    if (error) {
        return;
    }
    for (; entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        if (error) {
            return;
        }
        const std::filesystem::directory_entry& entry = *entries;
        std::error_code kindError;
        if (!entry.is_regular_file(kindError)) {
            continue;
        }
        const std::string name = entry.path().filename().string();
        if (!HasExtension(name, extension)) {
            continue;
        }
        list.Add(CDibImage::Decode(entry.path().string()));
    }
}

void ScanImageFolder(const std::string& folder, CDibImageList& list) {
    list.Clear();
    AddMatchingImages(folder, ".png", list);
    AddMatchingImages(folder, ".jpg", list);
    list.SortByName();
}

void ScanPaneImages(const std::string& programFolder, const std::string& projectFolder,
                    PaneImageLists& lists) {
    const std::string program = WithTrailingSeparator(programFolder);
    lists.objects.Clear();
    lists.clipboard.Clear();
    lists.builtIn.Clear();
    if (!program.empty()) {
        ScanImageFolder(program + "objects", lists.objects);
        lists.clipboard.Add(CDibImage::Decode(program + "samples/Clipboard.png"));
        ScanImageFolder(program + "assets", lists.builtIn);
    }
    const std::string project = WithTrailingSeparator(projectFolder);
    lists.user.Clear();
    if (!project.empty()) {
        ScanImageFolder(project + "resources", lists.user);
    }
}

}  // namespace ze::app
