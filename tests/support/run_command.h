#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace ze::test {

struct RunResult {
    int exitCode = -1;
    std::string output;
};

// Runs command through the shell and collects its standard output (add
// " 2>&1" to the command for standard error too). exitCode is -1 when the
// shell could not be started or the command did not exit normally.
inline RunResult RunCommand(const std::string& command) {
    RunResult result;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.output.append(buffer, count);
    }
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace ze::test
