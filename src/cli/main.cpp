#include <iostream>
#include <string>

#include "cli/commands.h"
#include "cli/usage.h"
#include "common/paths.h"

namespace {

void PrintUsage(std::ostream& out) {
    out << "usage: ze-tool COMMAND [ARGS]\n"
           "  check FILE...                    load each resource file; print the parser's "
           "report or its dialogs\n"
           "  lint FILE... [--folder DIR] [--json] [--strict]\n"
           "                                   list the project's mistakes; exit 1 on an error\n"
           "  save IN... -o OUT [--dialog NAME]\n"
           "                                   load every IN into one project and write OUT\n"
           "  tree FILE... [--items]           print the resource tree of the loaded files\n"
           "  render FILE... --dialog NAME [--size WxH] [--page N] [--select NAME,...]\n"
           "         [--look [--folder DIR]] -o OUT.png\n"
           "                                   paint a dialog's preview as the editor shows it\n"
           "  serve --folder DIR [--port N] [--address A] [--http-port N] [--keepalive-ms N]\n"
           "        [--http-idle-ms N] [--project FILE... --send DIALOG [--watch]]\n"
           "        [--connect HOST[:PORT]]\n"
           "                                   run the device link without a window\n"
           "  skeleton PROJECT... --out DIR [--all | --dialog NAME] [options]\n"
           "                                   generate the application's source skeleton\n"
           "  convert -xs|-Ws|-Sw              convert standard input to standard output\n"
           "  COMMAND --help                   print the command's usage\n"
           "  --version                        print the version\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(std::cerr);
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
