#include <iostream>
#include <string>

#include "cli/commands.h"
#include "cli/usage.h"
#include "codegen/skeleton_generator.h"
#include "common/cp932.h"
#include "model/resource_data.h"

namespace ze::cli {

int RunSkeleton(const Arguments& args) {
    SkeletonOptions options;
    options.templateFolder = DefaultTemplateFolder();
    std::vector<std::string> inputs;
    bool all = false;
    bool named = false;
    bool usage = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (SetSkeletonSwitch(options, arg)) {
            continue;
        }
        if (arg == "--out" && i + 1 < args.size()) {
            options.outputFolder = args[++i];
        } else if (arg == "--templates" && i + 1 < args.size()) {
            options.templateFolder = args[++i];
        } else if (arg == "--dialog" && i + 1 < args.size()) {
            // The terminal gives UTF-8; names in the model are Shift_JIS.
            options.dialogName = Utf8ToCp932(args[++i]);
            named = true;
        } else if (arg == "--all") {
            all = true;
        } else if (arg.starts_with("-") && arg != "-") {
            usage = true;
        } else {
            inputs.push_back(arg);
        }
    }
    if (usage || inputs.empty() || options.outputFolder.empty() || (all && named)) {
        PrintSynopsis(std::cerr, "skeleton");
        return 2;
    }
    options.scope = all ? SkeletonScope::kAllDialogs : SkeletonScope::kThisDialog;

    CZeResourceData project;
    for (const std::string& input : inputs) {
        if (const LoadOutcome outcome = LoadProjectFile(project, input);
            outcome != LoadOutcome::kLoaded) {
            return ExitStatusOf(outcome, 1);
        }
    }
    CSkeletonGenerator generator(project, options);
    if (!generator.Run()) {
        std::cout << ForTerminal(NoApplicationNameMessage()) << '\n';
        return 1;
    }
    static const std::string done = Utf8ToCp932("○ ");
    bool allDone = true;
    for (const std::string& line : generator.GetLog()) {
        std::cout << ForTerminal(line) << '\n';
        allDone = allDone && line.starts_with(done);
    }
    return allDone ? 0 : 1;
}

}  // namespace ze::cli
