#include "codegen/json_export.h"

#include "codegen/codegen_texts.h"
#include "common/cp932.h"
#include "common/paths.h"
#include "model/property_names.h"
#include "model/resource_data.h"

namespace ze {

void ExportDialogsAsJson(const CZeResourceData& project, const std::string& outputFolder,
                         SkeletonScope scope, std::string_view dialogName, bool overwrite,
                         std::vector<std::string>& log) {
    namespace text = codegen_text;
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
            log.push_back(text::Refused() + Utf8ToCp932(outputFolder) + "resources" +
                          text::FolderNotMade());
            continue;
        }
        const std::string fileName = name + ".json";
        const std::string osName = Cp932ToUtf8(fileName);
        const std::string path = WithTrailingSeparator(resources) + osName;
        if (!IsPlainFileName(osName)) {
            log.push_back(text::FileLine(false, fileName, text::BadFileName()));
        } else if (!overwrite && PathExists(path)) {
            log.push_back(text::FileLine(false, fileName, text::FileExists()));
        } else if (project.SaveToFile(path, name)) {
            log.push_back(text::FileLine(true, fileName, {}));
        } else {
            log.push_back(text::FileLine(false, fileName, text::OpenError()));
        }
    }
}

}  // namespace ze
