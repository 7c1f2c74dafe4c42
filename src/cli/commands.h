#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/read_file.h"

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

// Reads a whole file or standard input ("-") as bytes, within
// kMaxReadFileBytes; anything but kRead leaves bytes empty, with the system's
// error number in error (when given) for ReadFailureText.
ReadFileResult ReadAll(const std::string& path, std::string& bytes, int* error = nullptr);

// Model text (Shift_JIS) in UTF-8 for the terminal.
std::string ForTerminal(std::string_view sjis);

// How LoadProjectFile ended. kRefused: the path is no regular file, or too
// large, and was not read; every command exits 2 then, as for a wrong
// argument, whatever it returns for a file that fails to load.
enum class LoadOutcome { kLoaded, kFailed, kRefused };
// The exit status for a load that did not succeed: 2 when refused,
// otherwise failedStatus.
int ExitStatusOf(LoadOutcome outcome, int failedStatus);

// Loads path into project as the editor's open does. On failure prints why
// to standard error ("PATH: cannot read", "PATH: cannot read: not a regular
// file", "PATH: cannot read: larger than 256 MiB", or "PATH:" and the
// parser's report).
LoadOutcome LoadProjectFile(CZeResourceData& project, const std::string& path);
// Loads text, read from path, into project; on failure report holds in
// UTF-8 what LoadProjectFile would print ("PATH:" and the parser's report).
bool LoadProjectText(CZeResourceData& project, const std::string& path, std::string_view text,
                     std::string& report);

// Loads each file into its project, as LoadProjectFile does; "/dev/null" (what git passes for a file that is not
// there) is an empty project. The reports are printed in the files' order.
// False when any file did not load.
bool LoadProjectFiles(const std::vector<std::pair<std::string, CZeResourceData*>>& files);

}  // namespace ze::cli
