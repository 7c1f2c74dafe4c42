#include "common/paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "version_info.h"

namespace ze {

std::string ExecutableFolder() {
    std::string buffer(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<size_t>(length) >= buffer.size()) {
        return {};
    }
    buffer.resize(static_cast<size_t>(length));
    return FolderOf(buffer);
}

std::string FolderOf(std::string_view path) {
    const size_t last = path.rfind(kPathSeparator);
    if (last == std::string_view::npos) {
        return {};
    }
    return std::string(path.substr(0, last + 1));
}

std::string FileTitle(std::string_view path) {
    const size_t last = path.rfind(kPathSeparator);
    std::string_view name = last == std::string_view::npos ? path : path.substr(last + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) {
        name = name.substr(0, dot);
    }
    return std::string(name);
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0;
}

bool CreateFolder(const std::string& path) {
    return !path.empty() && mkdir(path.c_str(), 0777) == 0;
}

std::string WithTrailingSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != kPathSeparator) {
        folder.push_back(kPathSeparator);
    }
    return folder;
}

std::string VersionText() {
    char text[64];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", version::kMajor, version::kMinor,
                  version::kPatch, version::kTweak);
    return text;
}

}  // namespace ze
