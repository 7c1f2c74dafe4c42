#pragma once

#include <string>
#include <vector>

// The subcommands of ze-tool. Each takes the arguments after its name and
// returns the process exit code.
namespace ze::cli {

using Arguments = std::vector<std::string>;

int RunCheck(const Arguments& args);
int RunConvert(const Arguments& args);

// Reads a whole file or standard input ("-") as bytes; false when unreadable.
bool ReadAll(const std::string& path, std::string& bytes);

// Writes model text (Shift_JIS) to the terminal in UTF-8.
void PrintSjis(const std::string& sjis);

}  // namespace ze::cli
