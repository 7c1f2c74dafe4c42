#include <iostream>
#include <string>

#include "cli/commands.h"
#include "common/text_convert.h"
#include "model/json_parser.h"

namespace ze::cli {
namespace {

// Lists the dialog messages of a project text: "DIALOG Name" per entry of
// its "Commands" array.
void ListDialogs(JsonParser& parser) {
    const JsonValue* root = parser.GetCurrent();
    JsonArrayWalk walk(parser.GetArray("Commands"));
    int count = 0;
    while (parser.NextElement(walk)) {
        std::string command;
        std::string name;
        parser.GetString("Command", command);
        parser.GetString("Name", name);
        std::cout << "  ";
        PrintSjis(ConvertToSjis(command) + " " + ConvertToSjis(name));
        std::cout << '\n';
        ++count;
    }
    parser.SetCurrent(root);
    std::cout << "  " << count << (count == 1 ? " dialog\n" : " dialogs\n");
}

}  // namespace

int RunCheck(const Arguments& args) {
    if (args.empty()) {
        std::cerr << "usage: ze-tool check FILE...\n";
        return 2;
    }
    int exitCode = 0;
    for (const std::string& path : args) {
        std::string text;
        if (!ReadAll(path, text)) {
            std::cerr << path << ": cannot be read\n";
            exitCode = 1;
            continue;
        }
        JsonParser parser;
        if (!parser.Parse(text)) {
            std::cout << path << ":\n" << parser.GetErrorText();
            exitCode = 1;
            continue;
        }
        std::cout << path << ": OK\n";
        ListDialogs(parser);
    }
    return exitCode;
}

}  // namespace ze::cli
