#include "link/core/safe_path.h"

namespace ze::link {

bool StaysInsideFolder(std::string_view name, bool leadingSlash) {
    if (name.find('\0') != std::string_view::npos || name.find('\\') != std::string_view::npos) {
        return false;
    }
    if (!leadingSlash && name.starts_with('/')) {
        return false;
    }
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find('/', start);
        if (end == std::string_view::npos) {
            end = name.size();
        }
        if (name.substr(start, end - start) == "..") {
            return false;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace ze::link
