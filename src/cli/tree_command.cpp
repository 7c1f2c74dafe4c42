#include <iostream>
#include <string>
#include <utility>

#include "cli/commands.h"
#include "cli/usage.h"
#include "model/resource_data.h"
#include "model/tree_walk.h"

namespace ze::cli {

int RunTree(const Arguments& args) {
    std::vector<std::string> inputs;
    bool withItems = false;
    for (const std::string& arg : args) {
        if (arg == "--items") {
            withItems = true;
        } else {
            inputs.push_back(arg);
        }
    }
    if (inputs.empty()) {
        PrintSynopsis(std::cerr, "tree");
        return 2;
    }
    CZeResourceData project;
    for (const std::string& input : inputs) {
        if (const LoadOutcome outcome = LoadProjectFile(project, input);
            outcome != LoadOutcome::kLoaded) {
            return ExitStatusOf(outcome, 1);
        }
    }
    WalkProjectTree(project, [&](const TreeEntry& entry) {
        const std::string indent(static_cast<std::size_t>(entry.depth) * 2, ' ');
        std::cout << indent << ForTerminal(entry.label) << '\n';
        if (!withItems) {
            return;
        }
        const CItemList& items = std::as_const(*entry.element).Items();
        for (std::size_t i = 0; i < items.GetItemCount(); ++i) {
            const CItemData& item = items.GetItemData(i);
            std::cout << indent << "  - " << ForTerminal(item.GetName()) << " ["
                      << static_cast<std::int32_t>(item.GetKind())
                      << "] = " << ForTerminal(item.GetValue()) << '\n';
        }
    });
    return std::cout.good() ? 0 : 1;
}

}  // namespace ze::cli
