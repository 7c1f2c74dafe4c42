// ze-tool COMMAND --help: every command prints its usage and exits 0, the
// synopsis is the one the command prints when its arguments are wrong, and
// ze-tool --help lists the command.

#include <gtest/gtest.h>

#include <string>

#include "support/run_command.h"

namespace {

ze::test::RunResult Tool(const std::string& arguments) {
    return ze::test::RunCommand(std::string("'") + ZE_TOOL_PATH + "' " + arguments);
}

TEST(ZeToolHelp, EveryCommandPrintsItsUsage) {
    struct Case {
        const char* command;
        const char* wrongArguments;  // arguments the command refuses with exit 2
    };
    const Case cases[] = {
        {"check", ""},     {"lint", "--bogus"},      {"save", "x"},
        {"tree", ""},      {"render", "x"},          {"serve", ""},
        {"skeleton", "x"}, {"convert", "-q"},        {"diff", "x"},
        {"merge", "x y"},  {"git-setup", "--bogus"},
    };
    const ze::test::RunResult overview = Tool("--help");
    for (const Case& c : cases) {
        const std::string command = c.command;
        EXPECT_NE(overview.output.find("\n  " + command + " "), std::string::npos)
            << command << " is missing from ze-tool --help:\n"
            << overview.output;
        const ze::test::RunResult help = Tool(command + " --help");
        EXPECT_EQ(help.exitCode, 0) << command;
        ASSERT_EQ(help.output.rfind("usage: ze-tool " + command + " ", 0), 0u) << help.output;
        const std::string synopsis = help.output.substr(0, help.output.find("\n\n") + 1);
        EXPECT_GT(help.output.size(), synopsis.size() + 40) << command << ": no description";

        const ze::test::RunResult wrong =
            Tool(command + " " + c.wrongArguments + " 2>&1 >/dev/null </dev/null");
        EXPECT_EQ(wrong.exitCode, 2) << command;
        EXPECT_NE(wrong.output.find(synopsis), std::string::npos) << command << "\n"
                                                                  << wrong.output;
    }
}

TEST(ZeToolHelp, BareAndUnknownCommandsStillFail) {
    EXPECT_EQ(Tool("2>/dev/null").exitCode, 2);
    EXPECT_EQ(Tool("bogus --help 2>/dev/null").exitCode, 2);
    const ze::test::RunResult help = Tool("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("COMMAND --help"), std::string::npos);
    EXPECT_NE(Tool("bogus 2>&1").output.find("COMMAND --help"), std::string::npos);
}

}  // namespace
