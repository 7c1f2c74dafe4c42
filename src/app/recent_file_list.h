#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "app/profile_settings.h"

namespace ze::app {

// The most recently opened files, newest first, kept in the settings file
// under "Recent File List" as "File1" to "File10".
class CRecentFileList {
public:
    static constexpr std::size_t kDefaultSize = 10;

    CRecentFileList(CProfileSettings& settings, std::size_t size = kDefaultSize);

    // Reads the entries; keys left empty or missing are skipped.
    void Load();
    // Writes every entry, removing the keys of the slots left empty.
    void Save() const;

    // Puts path first (removing an equal entry further down); the oldest
    // entry drops out when the list is full. The list is saved.
    void Add(const std::string& path);
    void Remove(std::size_t index);

    const std::vector<std::string>& GetEntries() const { return entries_; }

    // "&1 name": the menu caption of entry index.
    static std::string MenuCaption(std::size_t index, const std::string& path);

private:
    CProfileSettings& settings_;
    std::size_t size_;
    std::vector<std::string> entries_;
};

}  // namespace ze::app
