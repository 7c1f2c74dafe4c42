#include "app/recent_file_list.h"

#include <algorithm>
#include <filesystem>

namespace ze::app {

namespace {

constexpr const char* kSection = "Recent File List";

std::string KeyOf(std::size_t index) {
    return "File" + std::to_string(index + 1);
}

}  // namespace

CRecentFileList::CRecentFileList(CProfileSettings& settings, std::size_t size)
    : settings_(settings), size_(size) {}

void CRecentFileList::Load() {
    entries_.clear();
    for (std::size_t i = 0; i < size_; ++i) {
        const std::string text = settings_.ReadString(kSection, KeyOf(i), "");
        if (!text.empty()) {
            entries_.push_back(PathFromProfileText(text));
        }
    }
}

void CRecentFileList::Save() const {
    for (std::size_t i = 0; i < size_; ++i) {
        if (i < entries_.size()) {
            settings_.WriteString(kSection, KeyOf(i), PathToProfileText(entries_[i]));
        } else {
            settings_.DeleteKey(kSection, KeyOf(i));
        }
    }
}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty() || size_ == 0) {
        return;
    }
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const std::string entry = error ? path : absolute.lexically_normal().string();
    entries_.erase(std::remove(entries_.begin(), entries_.end(), entry), entries_.end());
    entries_.insert(entries_.begin(), entry);
    if (entries_.size() > size_) {
        entries_.resize(size_);
    }
    Save();
}

void CRecentFileList::Remove(std::size_t index) {
    if (index < entries_.size()) {
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
        Save();
    }
}

std::string CRecentFileList::MenuCaption(std::size_t index, const std::string& path) {
    std::string name;
    for (const char c : std::filesystem::path(path).filename().string()) {
        name += c;
        if (c == '&') {
            name += '&';  // a literal "&", not an access key
        }
    }
    const std::string number = std::to_string(index + 1);
    // "&1" for the first nine, "1&0" for the tenth, as Windows numbers them.
    const std::string accelerated =
        index < 9 ? "&" + number : number.substr(0, number.size() - 1) + "&" + number.back();
    return accelerated + " " + name;
}

}  // namespace ze::app
