#pragma once

#include <string>
#include <string_view>

// Path helpers. Paths here are operating-system paths (UTF-8 on Linux); a
// name held in the model as Shift_JIS is converted with the CP932 codec
// before it reaches these functions.
namespace ze {

// The platform's folder separator; folder texts end with it.
inline constexpr char kPathSeparator = '/';

// Folder of the running executable, ending with the separator. Empty when the
// executable's path cannot be read.
std::string ExecutableFolder();

// The folder part of a path: everything up to and including the last
// separator. Empty when the path holds no separator.
std::string FolderOf(std::string_view path);

// The file name without folder and without its extension (the part from the
// last '.' of the name on). "dir/a.b.json" gives "a.b"; ".profile" gives "".
std::string FileTitle(std::string_view path);

// Whether a file or folder exists at the path.
bool PathExists(const std::string& path);

// Creates one folder level. True when the folder was created; false when it
// already exists or cannot be created (its parent missing, for example).
bool CreateFolder(const std::string& path);

// Appends the separator unless the text already ends with one (or is empty).
std::string WithTrailingSeparator(std::string folder);

// The program version as "%d.%d.%d.%d".
std::string VersionText();

}  // namespace ze
