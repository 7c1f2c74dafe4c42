#pragma once

#include <filesystem>
#include <string>

namespace ze {

// Reads a whole file as bytes. False, with bytes emptied, when the file cannot
// be opened or read (a folder, a device error, a file that vanished).
bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes);

}  // namespace ze
