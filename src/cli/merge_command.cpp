#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/usage.h"
#include "common/file_errors.h"
#include "model/project_merge.h"
#include "model/resource_data.h"

namespace ze::cli {

int RunMerge(const Arguments& args) {
    std::vector<std::string> files;
    std::string output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size()) {
            output = args[++i];
        } else if (args[i].starts_with("-") && args[i] != "-") {
            std::cerr << "ze-tool merge: unknown option " << args[i] << '\n';
            PrintSynopsis(std::cerr, "merge");
            return 2;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 3) {
        PrintSynopsis(std::cerr, "merge");
        return 2;
    }
    // As git's merge driver (%O %A %B), the result goes over OURS.
    if (output.empty()) {
        output = files[1];
    }
    CZeResourceData base;
    CZeResourceData ours;
    CZeResourceData theirs;
    if (!LoadProjectFiles({{files[0], &base}, {files[1], &ours}, {files[2], &theirs}})) {
        return 2;
    }
    const std::vector<MergeConflict> conflicts = MergeProjects(base, ours, theirs);
    if (int error = 0; !ours.SaveToFile(output, "", &error)) {
        std::cerr << output << ": " << WriteFailureText(error) << '\n';
        return 2;
    }
    for (const MergeConflict& conflict : conflicts) {
        std::cerr << ForTerminal(ConflictLine(conflict)) << '\n';
    }
    return conflicts.empty() ? 0 : 1;
}

}  // namespace ze::cli
