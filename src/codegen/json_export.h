#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "codegen/skeleton_options.h"

namespace ze {

class CZeResourceData;

// Writes each taken dialog (every dialog, or those named dialogName) as
// outputFolder + "resources/" + Name + ".json", the file a single-dialog save
// gives, and appends one Shift_JIS log line per dialog taken. outputFolder
// ends with the separator (or is empty, which nothing can be written to).
void ExportDialogsAsJson(const CZeResourceData& project, const std::string& outputFolder,
                         SkeletonScope scope, std::string_view dialogName, bool overwrite,
                         std::vector<std::string>& log);

}  // namespace ze
