#include <iostream>
#include <string>

#include "cli/commands.h"
#include "cli/usage.h"
#include "common/cp932.h"
#include "common/file_errors.h"
#include "model/resource_data.h"

namespace ze::cli {

int RunSave(const Arguments& args) {
    std::vector<std::string> inputs;
    std::string output;
    std::string dialogName;
    bool usage = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size()) {
            output = args[++i];
        } else if (args[i] == "--dialog" && i + 1 < args.size()) {
            dialogName = args[++i];
        } else if (args[i].starts_with("-") && args[i] != "-") {
            usage = true;
        } else {
            inputs.push_back(args[i]);
        }
    }
    if (usage || inputs.empty() || output.empty()) {
        PrintSynopsis(std::cerr, "save");
        return 2;
    }
    CZeResourceData project;
    for (const std::string& input : inputs) {
        if (const LoadOutcome outcome = LoadProjectFile(project, input);
            outcome != LoadOutcome::kLoaded) {
            return ExitStatusOf(outcome, 1);
        }
    }
    // Names in the model are Shift_JIS; the terminal gives UTF-8.
    const std::string filter = Utf8ToCp932(dialogName);
    if (!filter.empty() && project.GetDialogs().FindDialog(filter) == nullptr) {
        std::cerr << "ze-tool save: no dialog is named \"" << dialogName
                  << "\"; the file holds no dialog\n";
    }
    if (int error = 0; !project.SaveToFile(output, filter, &error)) {
        std::cerr << output << ": " << WriteFailureText(error) << '\n';
        return 1;
    }
    return 0;
}

}  // namespace ze::cli
