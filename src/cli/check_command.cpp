#include <algorithm>
#include <iostream>
#include <string>

#include "cli/commands.h"
#include "cli/usage.h"
#include "model/property_names.h"
#include "model/resource_data.h"

namespace ze::cli {

int RunCheck(const Arguments& args) {
    if (args.empty()) {
        PrintSynopsis(std::cerr, "check");
        return 2;
    }
    int exitCode = 0;
    for (const std::string& path : args) {
        CZeResourceData project;
        if (const LoadOutcome outcome = LoadProjectFile(project, path);
            outcome != LoadOutcome::kLoaded) {
            exitCode = std::max(exitCode, ExitStatusOf(outcome, 1));
            continue;
        }
        const CZeDialogDataList& dialogs = project.GetDialogs();
        std::cout << path << ": OK\n";
        for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
            const CZeDialogData& dialog = *dialogs.GetDialog(i);
            std::cout << (dialog.GetItem(prop::kTemplateType) == "POPUP" ? "  POPUP " : "  DIALOG ")
                      << ForTerminal(dialog.GetItem(prop::kName)) << '\n';
        }
        std::cout << "  " << dialogs.GetCount()
                  << (dialogs.GetCount() == 1 ? " dialog\n" : " dialogs\n");
    }
    return exitCode;
}

}  // namespace ze::cli
