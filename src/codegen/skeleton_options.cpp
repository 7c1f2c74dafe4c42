#include "codegen/skeleton_options.h"

#include <utility>

namespace ze {

bool SetSkeletonSwitch(SkeletonOptions& options, std::string_view name) {
    static constexpr std::pair<std::string_view, std::pair<bool SkeletonOptions::*, bool>>
        kSwitches[] = {
            {"--overwrite", {&SkeletonOptions::overwriteAll, true}},
            {"--main", {&SkeletonOptions::main, true}},
            {"--no-application", {&SkeletonOptions::application, false}},
            {"--no-factory", {&SkeletonOptions::dialogMaker, false}},
            {"--no-dialogs", {&SkeletonOptions::dialogs, false}},
            {"--no-json", {&SkeletonOptions::json, false}},
            {"--ide-project", {&SkeletonOptions::ideProject, true}},
            {"--makefile", {&SkeletonOptions::makefile, true}},
            {"--overwrite-main", {&SkeletonOptions::overwriteMain, true}},
            {"--overwrite-application", {&SkeletonOptions::overwriteApplication, true}},
            {"--overwrite-factory", {&SkeletonOptions::overwriteDialogMaker, true}},
            {"--overwrite-dialogs", {&SkeletonOptions::overwriteDialogs, true}},
            {"--overwrite-json", {&SkeletonOptions::overwriteJson, true}},
            {"--overwrite-ide-project", {&SkeletonOptions::overwriteIdeProject, true}},
            {"--overwrite-makefile", {&SkeletonOptions::overwriteMakefile, true}},
        };
    for (const auto& [text, option] : kSwitches) {
        if (text == name) {
            options.*(option.first) = option.second;
            return true;
        }
    }
    return false;
}

}  // namespace ze
