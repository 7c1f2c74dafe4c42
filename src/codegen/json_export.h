#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "codegen/codegen_texts.h"
#include "codegen/skeleton_options.h"

namespace ze {

class CZeResourceData;

// Writes each taken dialog (every dialog, or those named dialogName) as
// outputFolder + "resources/" + Name + ".json", the file a single-dialog save
// gives, and appends what became of it, one entry per dialog taken.
// outputFolder ends with the separator (or is empty, which nothing can be
// written to).
void ExportDialogsAsJson(const CZeResourceData& project, const std::string& outputFolder,
                         SkeletonScope scope, std::string_view dialogName, bool overwrite,
                         std::vector<GeneratedFile>& results);

}  // namespace ze
