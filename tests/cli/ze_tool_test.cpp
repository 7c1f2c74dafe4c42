#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/run_command.h"

namespace {

using ze::test::RunResult;

// Runs ze-tool through the shell with the given argument text; stdout only.
RunResult RunTool(const std::string& arguments) {
    return ze::test::RunCommand(std::string("'") + ZE_TOOL_PATH + "' " + arguments);
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
    EXPECT_NE(result.output.find(": OK\n  DIALOG Main\n  DIALOG Settings\n  DIALOG Gallery\n"
                                 "  DIALOG Layouts\n  4 dialogs\n"),
              std::string::npos)
        << result.output;
}

TEST(ZeToolTest, CheckReportsEachBrokenOrMissingFileOnStandardError) {
    const std::string good = TempFile("good.json", "{'Commands':[]}");
    const std::string broken = TempFile("broken.json", "{'a':1,\n'b':[1,2,]}");
    const RunResult result =
        RunTool("check '" + good + "' '" + broken + "' /nonexistent/x.moxspro / 2>&1 >/dev/null");
    std::filesystem::remove(good);
    std::filesystem::remove(broken);
    // A folder is refused rather than failing to load: exit 2.
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.output, broken +
                                 ":\nParse error\n line:2  byte:18\n show from 0 byte\n\n"
                                 "{'a':1,'b':[1,2,]!}\n\nput '!' at error pos. under 0x20, (Hex).\n"
                                 "/nonexistent/x.moxspro: cannot read: No such file or directory\n"
                                 "/: cannot read: Is a directory\n");
}

TEST(ZeToolTest, CheckShowsJapaneseInTheReportAsUtf8) {
    // The report quotes the file whichever coding it holds.
    const std::string sjis = TempFile("sjis.json", "{'Name':'\x93\xfa\x96\x7b',}");
    const std::string utf8 = TempFile("utf8.json", "{'Name':'\xe6\x97\xa5\xe6\x9c\xac',}");
    for (const std::string& path : {sjis, utf8}) {
        const RunResult result = RunTool("check '" + path + "' 2>&1");
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.output.find("{'Name':'\xe6\x97\xa5\xe6\x9c\xac',}!"), std::string::npos)
            << result.output;
        std::filesystem::remove(path);
    }
}

// The report shows the file's bytes as the editor's load error dialog does:
// characters in either coding, "(hex)" for a byte that is neither, none
// dropped or guessed into another character.
TEST(ZeToolTest, CheckShowsUndecodableBytesOfTheReportAsHex) {
    const struct {
        const char* bytes;
        const char* shown;
    } cases[] = {
        {"{'a':'\xff\xfe  junk',}", "{'a':'(ff)(fe)  junk',}!"},
        {"{'a':'\x93\xfa\x80\xe6\x9c\xac',}", "{'a':'\xe6\x97\xa5(80)\xe6\x9c\xac',}!"},
        {"{'a':'x\xfd\x80',}", "{'a':'x(fd)(80)',}!"},
    };
    for (const auto& c : cases) {
        const std::string path = TempFile("bytes.json", c.bytes);
        const RunResult result = RunTool("check '" + path + "' 2>&1");
        std::filesystem::remove(path);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.output.find(c.shown), std::string::npos) << result.output;
        EXPECT_EQ(result.output.find("\xef\xbf\xbd"), std::string::npos) << result.output;
    }
}

TEST(ZeToolTest, SaveMergesTheInputsAndFiltersByDialogName) {
    const std::string example = std::string(ZE_EXAMPLES_DIR) + "/SampleApp.moxspro";
    const std::string extra =
        TempFile("extra.json",
                 "{'Command':'DIALOG','Name':'Main','Object':{'Layout':'FRAME','Objects':[]}}");
    const std::string out = TempFile("out.moxspro", "");
    ASSERT_EQ(RunTool("save '" + example + "' '" + extra + "' -o '" + out + "'").exitCode, 0);
    const RunResult tree = RunTool("tree '" + out + "'");
    EXPECT_NE(tree.output.find("  Dialog:Main\n"), std::string::npos) << tree.output;
    EXPECT_NE(tree.output.find("  Dialog:Settings\n"), std::string::npos);
    EXPECT_NE(tree.output.find("  Dialog:Main2\n    Group:FRAME()\n"), std::string::npos);

    // Saved alone, the second Main keeps its numbered name.
    ASSERT_EQ(RunTool("save '" + out + "' -o '" + out + "' --dialog Main2").exitCode, 0);
    EXPECT_EQ(RunTool("check '" + out + "'").output, out + ": OK\n  DIALOG Main2\n  1 dialog\n");
    std::filesystem::remove(extra);
    std::filesystem::remove(out);
}

// A failed save or load keeps its message and exit status and adds the
// system's reason.
TEST(ZeToolTest, SaveFailsWithAMessageThatSaysWhy) {
    const std::string example = std::string(ZE_EXAMPLES_DIR) + "/SampleApp.moxspro";
    const std::string folder = std::filesystem::temp_directory_path().string();
    const struct {
        std::string arguments;
        std::string output;
    } cases[] = {
        {"save '" + example + "' -o /nonexistent/dir/out.moxspro",
         "/nonexistent/dir/out.moxspro: cannot be written: No such file or directory\n"},
        {"save '" + example + "' -o /dev/full",
         "/dev/full: cannot be written: No space left on device\n"},
        {"save '" + example + "' -o '" + folder + "'",
         folder + ": cannot be written: Is a directory\n"},
        {"save /nonexistent/in.moxspro -o /tmp/never-written.moxspro",
         "/nonexistent/in.moxspro: cannot read: No such file or directory\n"},
    };
    for (const auto& c : cases) {
        const RunResult result = RunTool(c.arguments + " 2>&1");
        EXPECT_EQ(result.exitCode, 1) << c.arguments;
        EXPECT_EQ(result.output, c.output) << c.arguments;
    }
    EXPECT_FALSE(std::filesystem::exists("/tmp/never-written.moxspro"));
    EXPECT_EQ(RunTool("save '" + example + "' 2>/dev/null").exitCode, 2);
    // The device is written, not replaced by a file.
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
    const RunResult shown = RunTool("save '" + example + "' -o /dev/stdout 2>&1");
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_EQ(shown.output.rfind("{'Name':'SampleApp'", 0), 0u) << shown.output.substr(0, 80);
}

TEST(ZeToolTest, TreePrintsLabelsAndItems) {
    // 日本 in Shift_JIS as a kind-0 name, 表示 in UTF-8 as a kind-2 text.
    const std::string path =
        TempFile("tree.json",
                 "{'Name':'App','Commands':[{'Command':'DIALOG','Name':'D','TemplateType':'POPUP',"
                 "'Object':{'Name':'\x93\xfa\x96\x7b','Layout':'RADIO','Objects':["
                 "{'Type':'RADIOBTN','Text':'\xe8\xa1\xa8\xe7\xa4\xba',"
                 "'OnClick':{'Event':'OnClick','Command':'CLOSE'}}]}}]}");
    RunResult result = RunTool("tree '" + path + "'");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output,
              "Root = App\n"
              "  Dialog:D\n"
              "    Group:RADIO(\xe6\x97\xa5\xe6\x9c\xac)\n"
              "      Object:RADIOBTN()\xe8\xa1\xa8\xe7\xa4\xba\n"
              "        Command:CLOSE\n");

    result = RunTool("tree '" + path + "' --items");
    std::filesystem::remove(path);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.output.find("Root = App\n  - Name [0] = App\n  - DeviceWidth [11] = \n"
                                 "  - DeviceHeight [11] = \n  Dialog:D\n    - Name [0] = D\n"
                                 "    - TemplateType [4] = POPUP\n"),
              std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("        Command:CLOSE\n          - Event [1] = OnClick\n"
                                 "          - Command [1] = CLOSE\n"),
              std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("      Object:RADIOBTN()\xe8\xa1\xa8\xe7\xa4\xba\n"
                                 "        - Name [0] = \n        - Alias [0] = \n"
                                 "        - Type [3] = RADIOBTN\n"),
              std::string::npos)
        << result.output;
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
