#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/commands.h"
#include "cli/usage.h"
#include "common/paths.h"

extern char** environ;

namespace ze::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* kAttributesLine = "*.moxspro diff=ze merge=ze";

// Runs git with args (no shell between); its standard output in output.
// True when it exited with 0.
bool RunGit(const std::vector<std::string>& args, std::string* output = nullptr) {
    std::vector<char*> argv;
    std::string program = "git";
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    int pipeEnds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (output != nullptr) {
        if (pipe(pipeEnds) != 0) {
            posix_spawn_file_actions_destroy(&actions);
            return false;
        }
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    }
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, "git", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (output != nullptr) {
        close(pipeEnds[1]);
        if (spawned == 0) {
            char buffer[4096];
            ssize_t count = 0;
            while ((count = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
                output->append(buffer, static_cast<std::size_t>(count));
            }
        }
        close(pipeEnds[0]);
    }
    if (spawned != 0) {
        std::cerr << "ze-tool git-setup: cannot run git\n";
        return false;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

// How git should call this program: "ze-tool" when that name finds it on the
// PATH, its whole path otherwise (a build folder, say), quoted for git's shell.
std::string ToolCommand() {
    std::error_code error;
    const fs::path self = fs::canonical("/proc/self/exe", error);
    if (error) {
        return "ze-tool";
    }
    if (const char* path = std::getenv("PATH")) {
        std::stringstream folders(path);
        for (std::string folder; std::getline(folders, folder, ':');) {
            const fs::path candidate = fs::path(folder.empty() ? "." : folder) / "ze-tool";
            if (fs::equivalent(candidate, self, error) && !error) {
                return "ze-tool";
            }
        }
    }
    std::string quoted = "'";
    for (const char c : self.string()) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// The attributes file git reads for every repository of the user.
std::string GlobalAttributesFile() {
    std::string configured;
    if (RunGit({"config", "--global", "--path", "core.attributesFile"}, &configured)) {
        configured = FirstLine(configured);
        if (!configured.empty()) {
            return configured;
        }
    }
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && *xdg != '\0') {
        return std::string(xdg) + "/git/attributes";
    }
    const char* home = std::getenv("HOME");
    return std::string(home == nullptr ? "" : home) + "/.config/git/attributes";
}

// Appends the line to the file unless a line of it is that already. False
// when the file could not be written.
bool AddLine(const std::string& file, const std::string& line, bool& added) {
    added = false;
    std::string text;
    if (std::ifstream in{file, std::ios::binary}) {
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::stringstream lines(text);
    for (std::string existing; std::getline(lines, existing);) {
        if (!existing.empty() && existing.back() == '\r') {
            existing.pop_back();
        }
        if (existing == line) {
            return true;
        }
    }
    std::error_code error;
    const fs::path parent = fs::path(file).parent_path();
    if (!parent.empty()) {
        fs::create_directories(parent, error);
    }
    std::ofstream out(file, std::ios::binary | std::ios::app);
    if (!text.empty() && text.back() != '\n') {
        out << '\n';
    }
    out << line << '\n';
    out.flush();
    added = out.good();
    return added;
}

}  // namespace

int RunGitSetup(const Arguments& args) {
    bool global = false;
    for (const std::string& arg : args) {
        if (arg == "--global") {
            global = true;
        } else {
            PrintSynopsis(std::cerr, "git-setup");
            return 2;
        }
    }
    std::string attributesFile;
    if (global) {
        attributesFile = GlobalAttributesFile();
    } else {
        std::string top;
        if (!RunGit({"rev-parse", "--show-toplevel"}, &top) || FirstLine(top).empty()) {
            std::cerr << "ze-tool git-setup: not in a git working tree (--global sets up the "
                         "user's configuration)\n";
            return 1;
        }
        attributesFile = FirstLine(top) + "/.gitattributes";
    }
    const std::string tool = ToolCommand();
    const std::vector<std::pair<std::string, std::string>> entries = {
        {"diff.ze.command", tool + " diff"},
        {"merge.ze.name", "Ze resource merge"},
        {"merge.ze.driver", tool + " merge %O %A %B"},
    };
    for (const auto& [key, value] : entries) {
        std::vector<std::string> command = {"config"};
        if (global) {
            command.push_back("--global");
        }
        command.push_back(key);
        command.push_back(value);
        if (!RunGit(command)) {
            std::cerr << "ze-tool git-setup: git config " << key << " failed\n";
            return 1;
        }
        std::cout << (global ? "git config --global " : "git config ") << key << " \"" << value
                  << "\"\n";
    }
    bool added = false;
    if (!AddLine(attributesFile, kAttributesLine, added)) {
        std::cerr << attributesFile << ": cannot be written\n";
        return 1;
    }
    std::cout << attributesFile << (added ? ": added " : ": has ") << kAttributesLine << '\n';
    return 0;
}

}  // namespace ze::cli
