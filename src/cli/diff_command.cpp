#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/usage.h"
#include "model/project_diff.h"
#include "model/resource_data.h"

namespace ze::cli {

namespace {

// What git passes to an external diff: the path, then the old file, its
// hash and mode, then the new file, its hash and mode.
constexpr std::size_t kGitArguments = 7;

void PrintJson(const std::vector<ProjectChange>& changes) {
    std::cout << '[';
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const ProjectChange& change = changes[i];
        const auto text = [](bool present, const std::string& value) {
            return present ? JsonString(ForTerminal(value)) : std::string("null");
        };
        std::cout << (i == 0 ? "\n" : ",\n")
                  << "  {\"kind\": " << JsonString(ChangeKindName(change.kind))
                  << ", \"dialog\": " << text(!change.dialog.empty(), change.dialog)
                  << ", \"path\": " << JsonString(ForTerminal(change.path))
                  << ", \"property\": " << text(!change.property.empty(), change.property)
                  << ", \"old\": " << text(change.hasOld, change.oldValue)
                  << ", \"new\": " << text(change.hasNew, change.newValue) << '}';
    }
    std::cout << (changes.empty() ? "]\n" : "\n]\n");
}

}  // namespace

int RunDiff(const Arguments& args) {
    std::vector<std::string> files;
    bool json = false;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            json = true;
        } else if (arg.starts_with("--")) {
            std::cerr << "ze-tool diff: unknown option " << arg << '\n';
            PrintSynopsis(std::cerr, "diff");
            return 2;
        } else {
            files.push_back(arg);
        }
    }
    const bool forGit = files.size() == kGitArguments;
    if (files.size() != 2 && !forGit) {
        PrintSynopsis(std::cerr, "diff");
        return 2;
    }
    const std::string& oldPath = forGit ? files[1] : files[0];
    const std::string& newPath = forGit ? files[4] : files[1];
    CZeResourceData oldProject;
    CZeResourceData newProject;
    if (!LoadProjectFiles({{oldPath, &oldProject}, {newPath, &newProject}})) {
        return 2;
    }
    const std::vector<ProjectChange> changes = DiffProjects(oldProject, newProject);
    if (forGit) {
        std::cout << "diff --ze a/" << files[0] << " b/" << files[0] << '\n';
    }
    if (json) {
        PrintJson(changes);
    } else {
        for (const ProjectChange& change : changes) {
            std::cout << ForTerminal(ChangeLine(change)) << '\n';
        }
    }
    std::cout.flush();
    if (!std::cout.good()) {
        return 2;
    }
    // git takes any other status of its diff driver for a failure.
    return forGit || changes.empty() ? 0 : 1;
}

}  // namespace ze::cli
