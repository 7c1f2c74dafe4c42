#include <iostream>
#include <string>

#include "cli/commands.h"
#include "cli/usage.h"
#include "common/paths.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        ze::cli::PrintCommandList(std::cerr);
        return 2;
    }
    const std::string command = argv[1];
    if (const ze::cli::CommandUsage* usage = ze::cli::FindUsage(command);
        usage != nullptr && ze::cli::AsksForHelp(argc - 2, argv + 2)) {
        std::cout << usage->synopsis << '\n' << usage->description;
        return 0;
    }
    const ze::cli::Arguments args(argv + 2, argv + argc);
    if (command == "check") {
        return ze::cli::RunCheck(args);
    }
    if (command == "lint") {
        return ze::cli::RunLint(args);
    }
    if (command == "save") {
        return ze::cli::RunSave(args);
    }
    if (command == "tree") {
        return ze::cli::RunTree(args);
    }
    if (command == "render") {
        return ze::cli::RunRender(args);
    }
    if (command == "serve") {
        return ze::cli::RunServe(args);
    }
    if (command == "skeleton") {
        return ze::cli::RunSkeleton(args);
    }
    if (command == "diff") {
        return ze::cli::RunDiff(args);
    }
    if (command == "merge") {
        return ze::cli::RunMerge(args);
    }
    if (command == "git-setup") {
        return ze::cli::RunGitSetup(args);
    }
    if (command == "convert") {
        return ze::cli::RunConvert(args);
    }
    if (command == "--version") {
        std::cout << "ze-tool " << ze::VersionText() << '\n';
        return 0;
    }
    if (command == "--help" || command == "-h") {
        ze::cli::PrintCommandList(std::cout);
        return 0;
    }
    std::cerr << "ze-tool: unknown command \"" << command << "\"\n";
    ze::cli::PrintCommandList(std::cerr);
    return 2;
}
