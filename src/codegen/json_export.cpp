#include "codegen/json_export.h"

#include "codegen/codegen_texts.h"
#include "common/cp932.h"
#include "common/paths.h"
#include "model/property_names.h"
#include "model/resource_data.h"

namespace ze {

void ExportDialogsAsJson(const CZeResourceData& project, const std::string& outputFolder,
                         SkeletonScope scope, std::string_view dialogName, bool overwrite,
                         std::vector<GeneratedFile>& results) {
    using Outcome = GeneratedFile::Outcome;
    using Reason = GeneratedFile::Reason;
    const CZeDialogDataList& dialogs = project.GetDialogs();
    // Without an output folder "resources" would land in whatever folder the
    // program runs in.
    const std::string resources = outputFolder.empty() ? std::string() : outputFolder + "resources";
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        const std::string name = dialogs.GetDialog(i)->GetItem(prop::kName);
        if (scope == SkeletonScope::kThisDialog && name != dialogName) {
            continue;
        }
        if (!resources.empty() && !IsDirectory(resources)) {
            CreateFolder(resources);
        }
        if (!IsDirectory(resources)) {
            results.push_back({Outcome::kRefused, Reason::kFolderNotMade,
                               Utf8ToCp932(outputFolder) + "resources"});
            continue;
        }
        const std::string fileName = name + ".json";
        const std::string osName = Cp932ToUtf8(fileName);
        const std::string path = WithTrailingSeparator(resources) + osName;
        const bool existed = IsPlainFileName(osName) && PathExists(path);
        if (!IsPlainFileName(osName)) {
            results.push_back({Outcome::kRefused, Reason::kBadFileName, fileName});
        } else if (!overwrite && existed) {
            results.push_back({Outcome::kRefused, Reason::kFileExists, fileName});
        } else if (project.SaveToFile(path, name)) {
            results.push_back(
                {existed ? Outcome::kUpdated : Outcome::kCreated, Reason::kNone, fileName});
        } else {
            results.push_back({Outcome::kRefused, Reason::kOpenError, fileName});
        }
    }
}

}  // namespace ze
