#pragma once

#include <ostream>
#include <string_view>

namespace ze::cli {

// The usage of each ze-tool command, kept here only: a command prints its
// synopsis on standard error when its arguments are wrong,
// "ze-tool COMMAND --help" prints the synopsis and the description, and
// "ze-tool --help" lists the commands with their summaries.
struct CommandUsage {
    std::string_view name;
    std::string_view summary;      // one line for the list of commands
    std::string_view synopsis;     // "usage: ze-tool NAME ..." lines
    std::string_view description;  // what it does, its options, its exit status
};

// Null for a name that is no command.
const CommandUsage* FindUsage(std::string_view command);
// Writes command's synopsis (one or more lines).
void PrintSynopsis(std::ostream& out, std::string_view command);
// Writes the usage of ze-tool itself: every command with its summary.
void PrintCommandList(std::ostream& out);
// Whether args (the arguments after the command) ask for its help.
bool AsksForHelp(int argc, char** argv);

}  // namespace ze::cli
