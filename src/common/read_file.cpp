#include "common/read_file.h"

#include <cstdio>
#include <memory>

namespace ze {

bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes) {
    bytes.clear();
    // stdio rather than a stream: a stream throws when reading a folder.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) {
        return false;
    }
    char buffer[64 * 1024];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.append(buffer, count);
    }
    if (std::ferror(file.get()) != 0) {
        bytes.clear();
        return false;
    }
    return true;
}

}  // namespace ze
