#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct RunResult {
    int exitCode = -1;
    std::string output;
};

// Runs ze-tool through the shell with the given argument text; stdout only.
RunResult RunTool(const std::string& arguments) {
    RunResult result;
    const std::string command = std::string("'") + ZE_TOOL_PATH + "' " + arguments;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.output.append(buffer, count);
    }
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string TempFile(const std::string& name, const std::string& bytes) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("ze-tool-" + std::to_string(getpid()) + "-" + name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

TEST(ZeToolTest, CheckListsTheDialogsOfTheExampleProject) {
    const RunResult result =
        RunTool(std::string("check '") + ZE_EXAMPLES_DIR + "/SampleApp.moxspro'");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.output.find(": OK\n  DIALOG Main\n  DIALOG Settings\n  2 dialogs\n"),
              std::string::npos)
        << result.output;
}

TEST(ZeToolTest, CheckPrintsTheParserReportAndFails) {
    const std::string path = TempFile("broken.json", "{'a':1,\n'b':[1,2,]}");
    const RunResult result = RunTool("check '" + path + "'");
    std::filesystem::remove(path);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.output.find("Parse error\n line:2  byte:18\n show from 0 byte\n\n"
                                 "{'a':1,'b':[1,2,]!}\n\nput '!' at error pos."),
              std::string::npos)
        << result.output;
}

TEST(ZeToolTest, CheckFailsOnAMissingFile) {
    EXPECT_EQ(RunTool("check /nonexistent/file.moxspro 2>/dev/null").exitCode, 1);
}

TEST(ZeToolTest, ConvertRoundTripsJapaneseText) {
    const std::string utf8 = "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e";  // 日本語
    const std::string input = TempFile("utf8.txt", utf8);
    const RunResult sjis = RunTool("convert -Ws < '" + input + "'");
    ASSERT_EQ(sjis.exitCode, 0);
    EXPECT_EQ(sjis.output, "\x93\xfa\x96\x7b\x8c\xea");
    const std::string sjisFile = TempFile("sjis.txt", sjis.output);
    const RunResult back = RunTool("convert -Sw < '" + sjisFile + "'");
    EXPECT_EQ(back.output, utf8);
    EXPECT_EQ(RunTool("convert -xs < '" + sjisFile + "'").output, sjis.output);
    std::filesystem::remove(input);
    std::filesystem::remove(sjisFile);
    EXPECT_EQ(RunTool("convert -q < /dev/null 2>/dev/null").exitCode, 2);
}

}  // namespace
