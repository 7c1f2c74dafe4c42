#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ze {
class CZeResourceData;
}

// The subcommands of ze-tool. Each takes the arguments after its name and
// returns the process exit code.
namespace ze::cli {

using Arguments = std::vector<std::string>;

int RunCheck(const Arguments& args);
int RunConvert(const Arguments& args);
int RunDiff(const Arguments& args);
int RunGitSetup(const Arguments& args);
int RunLint(const Arguments& args);
int RunMerge(const Arguments& args);
int RunRender(const Arguments& args);
int RunSave(const Arguments& args);
int RunServe(const Arguments& args);
int RunSkeleton(const Arguments& args);
int RunTree(const Arguments& args);

// Reads a whole file or standard input ("-") as bytes; false when unreadable.
bool ReadAll(const std::string& path, std::string& bytes);

// Model text (Shift_JIS) in UTF-8 for the terminal.
std::string ForTerminal(std::string_view sjis);

// Loads path into project as the editor's open does. On failure prints why
// to standard error ("PATH: cannot read", or "PATH:" and the parser's report)
// and returns false.
bool LoadProjectFile(CZeResourceData& project, const std::string& path);
// Loads text, read from path, into project; on failure report holds in
// UTF-8 what LoadProjectFile would print ("PATH:" and the parser's report).
bool LoadProjectText(CZeResourceData& project, const std::string& path, std::string_view text,
                     std::string& report);

// Loads each file into its project, as LoadProjectFile does; "/dev/null" (what git passes for a file that is not
// there) is an empty project. The reports are printed in the files' order.
// False when any file did not load.
bool LoadProjectFiles(const std::vector<std::pair<std::string, CZeResourceData*>>& files);

}  // namespace ze::cli
