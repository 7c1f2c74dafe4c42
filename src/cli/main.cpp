#include <iostream>
#include <string>

#include "cli/commands.h"
#include "common/paths.h"

namespace {

void PrintUsage(std::ostream& out) {
    out << "usage: ze-tool COMMAND [ARGS]\n"
           "  check FILE...          parse each resource file; print the error report or "
           "its dialogs\n"
           "  convert -xs|-Ws|-Sw    convert standard input to standard output\n"
           "  --version              print the version\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(std::cerr);
        return 2;
    }
    const std::string command = argv[1];
    const ze::cli::Arguments args(argv + 2, argv + argc);
    if (command == "check") {
        return ze::cli::RunCheck(args);
    }
    if (command == "convert") {
        return ze::cli::RunConvert(args);
    }
    if (command == "--version") {
        std::cout << "ze-tool " << ze::VersionText() << '\n';
        return 0;
    }
    if (command == "--help" || command == "-h") {
        PrintUsage(std::cout);
        return 0;
    }
    std::cerr << "ze-tool: unknown command \"" << command << "\"\n";
    PrintUsage(std::cerr);
    return 2;
}
