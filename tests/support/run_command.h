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

// Empty when program is on PATH; otherwise the message a test fails with, so
// that a machine without it reports what to install instead of passing.
inline std::string MissingProgram(const std::string& program, const std::string& debianPackage) {
    if (RunCommand("command -v '" + program + "' >/dev/null 2>&1").exitCode == 0) {
        return {};
    }
    return "missing program " + program + ": install the Debian package " + debianPackage;
}

}  // namespace ze::test
