// ze-tool lint as a process: its text and JSON output, its exit statuses,
// and the file checks with and without a project folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/run_command.h"

namespace {

namespace fs = std::filesystem;
using ze::test::RunResult;

RunResult Lint(const std::string& arguments) {
    return ze::test::RunCommand(std::string("'") + ZE_TOOL_PATH + "' lint " + arguments);
}

// A project folder with one file in resources and a project naming another.
struct Folder {
    fs::path path = fs::temp_directory_path() / ("ze-lint-" + std::to_string(getpid()));
    std::string project = (path / "App.moxspro").string();

    explicit Folder(const std::string& text) {
        fs::create_directories(path / "resources");
        std::ofstream(path / "resources" / "here.png") << "png";
        std::ofstream(project, std::ios::binary) << text;
    }
    ~Folder() { fs::remove_all(path); }
};

constexpr const char* kProject = R"({'Name':'App','Commands':[
{'Command':'DIALOG','Name':'Main','TemplateType':'Unique','Object':{'Name':'root','Type':'GROUP','Layout':'LINEAR','Objects':[
 {'Name':'Title','Type':'TEXT','TAlign':'MIDLE','Text':'見出し'},
 {'Name':'Pic','Type':'PICTURE','File':'gone.png','FileSource':'STATION'}]}}]})";

TEST(ZeToolLint, PrintsOneLinePerFindingAndExitsOneOnAnError) {
    const Folder folder(kProject);
    const RunResult bare = Lint("'" + folder.project + "'");
    EXPECT_EQ(bare.exitCode, 1);
    EXPECT_EQ(bare.output, folder.project +
                               ": Main: Object:TEXT(Title)見出し: TAlign: error: bad-choice: "
                               "値「MIDLE」は選択肢にありません。選べる値: LEFT、CENTER、RIGHT、"
                               "TOP、MIDDLE、BOTTOM、LEFT|TOP、LEFT|MIDDLE、LEFT|BOTTOM、"
                               "CENTER|TOP、CENTER|MIDDLE、CENTER|BOTTOM、RIGHT|TOP、"
                               "RIGHT|MIDDLE、RIGHT|BOTTOM\n");

    // With the folder, the files are looked at too.
    const RunResult withFolder =
        Lint("'" + folder.project + "' --folder '" + folder.path.string() + "'");
    EXPECT_EQ(withFolder.exitCode, 1);
    EXPECT_NE(
        withFolder.output.find(": Main: Object:PICTURE(Pic): File: warning: missing-file: "
                               "ファイル「gone.png」がプロジェクトの resources にありません。\n"),
        std::string::npos)
        << withFolder.output;
    EXPECT_NE(
        withFolder.output.find(": : : : warning: unused-file: ファイル「resources/here.png」"),
        std::string::npos)
        << withFolder.output;
}

TEST(ZeToolLint, JsonOutput) {
    const Folder folder(kProject);
    const RunResult result = Lint("--json '" + folder.project + "'");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.output.substr(0, 3), "[\n ");
    EXPECT_NE(result.output.find("{\"file\": \"" + folder.project +
                                 "\", \"dialog\": \"Main\", \"element\": "
                                 "\"Object:TEXT(Title)見出し\", \"property\": \"TAlign\", "
                                 "\"severity\": \"error\", \"check\": \"bad-choice\", "
                                 "\"message\": \"値「MIDLE」"),
              std::string::npos)
        << result.output;
    EXPECT_EQ(result.output.substr(result.output.size() - 4), "}\n]\n");

    const Folder clean("{'Name':'App','Commands':[]}");
    EXPECT_EQ(Lint("--json '" + clean.project + "'").output, "[]\n");
}

TEST(ZeToolLint, ExitStatuses) {
    const Folder warned(R"({'Name':'App','Commands':[{'Command':'DIALOG','Name':'Main',
'Object':{'Name':'root','Type':'GROUP','Layout':'LINEAR','Objects':[],
'OnClick':{'Event':'OnClick','Command':'DELETE','Name':'Nobody'}}}]})");
    const std::string project = "'" + warned.project + "'";
    struct Case {
        std::string arguments;
        int exitCode;
    };
    const Case cases[] = {
        {project, 0},                         // a warning only
        {project + " --strict", 1},           // a warning counts
        {project + " /nonexistent.json", 2},  // unreadable wins
        {"", 2},                              // no file
        {project + " --bogus", 2},            // unknown option
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Lint(c.arguments + " 2>/dev/null").exitCode, c.exitCode) << c.arguments;
    }
    const RunResult report = Lint("/nonexistent.json 2>&1");
    EXPECT_EQ(report.output, "/nonexistent.json: cannot read: No such file or directory\n");
}

TEST(ZeToolLint, ExampleProjectHasNoError) {
    const std::string example = std::string(ZE_EXAMPLES_DIR) + "/SampleApp.moxspro";
    const RunResult result =
        Lint("'" + example + "' --folder '" + std::string(ZE_EXAMPLES_DIR) + "'");
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(result.output.find(": error: "), std::string::npos) << result.output;
}

}  // namespace
