// ze-tool as a process given what it must refuse: option values out of
// form or range, and paths it must not read (no regular file, or too large).
// Each refusal names the option or the file and why, and exits 2.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/run_command.h"

namespace {

namespace fs = std::filesystem;
using ze::test::RunResult;

// Standard error only; a refusal that hangs or eats memory ends at the timeout.
RunResult RunForErrors(const std::string& arguments) {
    return ze::test::RunCommand("timeout 60 '" + std::string(ZE_TOOL_PATH) + "' " + arguments +
                                " 2>&1 >/dev/null");
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

struct Case {
    const char* arguments;
    int exitCode;
    const char* message;  // a line of standard error; {…} as in arguments
};

// {dir}: a scratch folder; {fifo}: a FIFO nobody writes to; {large}: a
// sparse file one byte over 256 MiB; {example}: the example project.
// "/nonexistent/x.json" lets an accepted option reach the load, which then
// fails with 1.
const Case kCases[] = {
    // render --size: WIDTHxHEIGHT, each side 1 to 16384.
    {"render /nonexistent/x.json --dialog M -o {dir}/o.png --size 0x0", 2,
     "ze-tool render: --size: expected WIDTHxHEIGHT with each side 1 to 16384, got '0x0'"},
    {"render /nonexistent/x.json --dialog M -o {dir}/o.png --size -5x10", 2,
     "ze-tool render: --size: expected WIDTHxHEIGHT with each side 1 to 16384, got '-5x10'"},
    {"render /nonexistent/x.json --dialog M -o {dir}/o.png --size 100000x100000", 2,
     "ze-tool render: --size: expected WIDTHxHEIGHT with each side 1 to 16384, "
     "got '100000x100000'"},
    {"render /nonexistent/x.json --dialog M -o {dir}/o.png --size abc", 2,
     "ze-tool render: --size: expected WIDTHxHEIGHT with each side 1 to 16384, got 'abc'"},
    {"render /nonexistent/x.json --dialog M -o {dir}/o.png --size 400x", 2,
     "ze-tool render: --size: expected WIDTHxHEIGHT with each side 1 to 16384, got '400x'"},
    {"render /nonexistent/x.json --dialog M -o {dir}/o.png --size 16385x1", 2,
     "ze-tool render: --size: expected WIDTHxHEIGHT with each side 1 to 16384, got '16385x1'"},
    {"render /nonexistent/x.json --dialog M -o {dir}/o.png --size 16384x1", 1,
     "/nonexistent/x.json: cannot read: No such file or directory"},
    {"render /nonexistent/x.json --dialog M -o {dir}/o.png --size", 2,
     "ze-tool render: --size needs a value"},
    // render --page: any int32.
    {"render /nonexistent/x.json --dialog M -o {dir}/o.png --page 1.5", 2,
     "ze-tool render: --page: expected a whole number from -2147483648 to 2147483647, "
     "got '1.5'"},
    {"render /nonexistent/x.json --dialog M -o {dir}/o.png --page 2147483648", 2,
     "ze-tool render: --page: expected a whole number from -2147483648 to 2147483647, got "
     "'2147483648'"},
    {"render /nonexistent/x.json --dialog M -o {dir}/o.png --page -2147483648", 1,
     "/nonexistent/x.json: cannot read: No such file or directory"},
    // serve: ports, periods, addresses.
    {"serve --folder {dir} --port 65536", 2,
     "ze-tool serve: --port: expected a whole number from 0 to 65535, got '65536'"},
    {"serve --folder {dir} --port ' 80'", 2,
     "ze-tool serve: --port: expected a whole number from 0 to 65535, got ' 80'"},
    {"serve --folder {dir} --port +80", 2,
     "ze-tool serve: --port: expected a whole number from 0 to 65535, got '+80'"},
    {"serve --folder {dir} --http-port -1", 2,
     "ze-tool serve: --http-port: expected a whole number from 0 to 65535, got '-1'"},
    {"serve --folder {dir} --keepalive-ms 0", 2,
     "ze-tool serve: --keepalive-ms: expected a whole number from 1 to 86400000, got '0'"},
    {"serve --folder {dir} --http-idle-ms 86400001", 2,
     "ze-tool serve: --http-idle-ms: expected a whole number from 1 to 86400000, "
     "got '86400001'"},
    {"serve --folder {dir} --address 1.2.3", 2,
     "ze-tool serve: --address: expected a dotted IPv4 address such as 127.0.0.1, got '1.2.3'"},
    {"serve --folder {dir} --connect 127.0.0.1:0", 2,
     "ze-tool serve: --connect: expected HOST or HOST:PORT with PORT from 1 to 65535, "
     "got '127.0.0.1:0'"},
    {"serve --folder {dir} --port 65535 --http-port 0 --keepalive-ms 86400000 "
     "--project /nonexistent/x.json --send M",
     1, "/nonexistent/x.json: cannot read: No such file or directory"},
    // Paths that are no regular file, in every command that loads projects.
    {"check /dev/zero", 2, "/dev/zero: cannot read: not a regular file"},
    {"tree /dev/zero", 2, "/dev/zero: cannot read: not a regular file"},
    {"save /dev/zero -o {dir}/o.moxspro", 2, "/dev/zero: cannot read: not a regular file"},
    {"render /dev/zero --dialog M -o {dir}/o.png", 2, "/dev/zero: cannot read: not a regular file"},
    {"skeleton /dev/zero --out {dir}/out", 2, "/dev/zero: cannot read: not a regular file"},
    {"lint /dev/zero", 2, "/dev/zero: cannot read: not a regular file"},
    {"serve --folder {dir} --project /dev/zero --send M", 2,
     "/dev/zero: cannot read: not a regular file"},
    {"check {fifo}", 2, "{fifo}: cannot read: not a regular file"},
    {"check {dir}", 2, "{dir}: cannot read: Is a directory"},
    // Too large, as a path or as standard input; among good files still 2.
    {"check {large}", 2, "{large}: cannot read: larger than 256 MiB"},
    {"tree - < {large}", 2, "-: cannot read: larger than 256 MiB"},
    {"check {example} {large} /nonexistent/x.json", 2, "{large}: cannot read: larger than 256 MiB"},
    {"check /nonexistent/x.json", 1, "/nonexistent/x.json: cannot read: No such file or directory"},
};

TEST(ZeToolRefusals, NameTheOptionOrFileAndWhyAndExitTwo) {
    const fs::path dir = fs::temp_directory_path() / ("ze-refusals-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path large = dir / "large.moxspro";
    std::ofstream(large, std::ios::binary) << "{'Commands':[]}";
    fs::resize_file(large, std::uintmax_t{256} * 1024 * 1024 + 1);
    const auto expand = [&](std::string text) {
        ReplaceAll(text, "{dir}", dir.string());
        ReplaceAll(text, "{fifo}", fifo.string());
        ReplaceAll(text, "{large}", large.string());
        ReplaceAll(text, "{example}", std::string(ZE_EXAMPLES_DIR) + "/SampleApp.moxspro");
        return text;
    };

    for (const Case& c : kCases) {
        const std::string arguments = expand(c.arguments);
        SCOPED_TRACE(arguments);
        const RunResult result = RunForErrors(arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.output;
        EXPECT_NE(result.output.find(expand(c.message) + "\n"), std::string::npos) << result.output;
        // An option error also shows the command's synopsis, as other wrong
        // arguments do; a file refusal is no usage error.
        const std::string command = arguments.substr(0, arguments.find(' '));
        const bool optionError = std::string(c.message).find(": --") != std::string::npos ||
                                 std::string(c.message).find("needs a value") != std::string::npos;
        EXPECT_EQ(result.output.find("usage: ze-tool " + command) != std::string::npos, optionError)
            << result.output;
    }
    EXPECT_FALSE(fs::exists(dir / "o.png"));
    EXPECT_FALSE(fs::exists(dir / "o.moxspro"));
    EXPECT_FALSE(fs::exists(dir / "out"));
    fs::remove_all(dir);
}

}  // namespace
