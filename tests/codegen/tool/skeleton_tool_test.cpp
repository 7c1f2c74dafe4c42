// ze-tool skeleton as a separate process, and the skeleton it generates from
// the shipped templates built with the generated Makefile.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_command.h"

namespace {

namespace fs = std::filesystem;

using ze::test::RunCommand;
using ze::test::RunResult;

RunResult RunTool(const std::string& arguments) {
    return RunCommand(std::string("'") + ZE_TOOL_PATH + "' skeleton " + arguments);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SkeletonToolTest : public testing::Test {
protected:
    void SetUp() override {
        work_ = fs::temp_directory_path() /
                ("ze-skeleton-tool-" + std::to_string(getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(work_);
        fs::create_directories(work_ / "out");
    }
    void TearDown() override { fs::remove_all(work_); }

    std::string Out() const { return "'" + (work_ / "out").string() + "'"; }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(work_ / name, std::ios::binary) << bytes;
        return "'" + (work_ / name).string() + "'";
    }

    const std::string example_ = std::string("'") + ZE_EXAMPLES_DIR + "/SampleApp.moxspro'";
    fs::path work_;
};

TEST_F(SkeletonToolTest, GeneratedSkeletonOfTheExampleBuildsAndCreatesEachDialogByName) {
    // A dialog without a class of its own joins the example's two.
    const std::string plain =
        Write("plain.json",
              "{'Commands':[{'Command':'DIALOG','Name':'Plain','TemplateType':'NONE','Object':"
              "{'Name':'Root','Type':'GROUP','Layout':'FRAME','Objects':[]}}]}");
    const RunResult result = RunTool(example_ + " " + plain + " --out " + Out() +
                                     " --all --main --ide-project --makefile");
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(Lines(result.output),
              (std::vector<std::string>{"○ SampleApp.cpp を更新しました。",
                                        "○ SampleAppApplication.cpp を更新しました。",
                                        "○ SampleAppApplication.h を更新しました。",
                                        "○ SampleAppDialogMaker.cpp を更新しました。",
                                        "○ SampleAppDialogMaker.h を更新しました。",
                                        "○ SampleAppDialogMain.cpp を更新しました。",
                                        "○ SampleAppDialogMain.h を更新しました。",
                                        "○ SampleAppDialogSettings.cpp を更新しました。",
                                        "○ SampleAppDialogSettings.h を更新しました。",
                                        "○ SampleAppDialogGallery.cpp を更新しました。",
                                        "○ SampleAppDialogGallery.h を更新しました。",
                                        "○ SampleAppDialogLayouts.cpp を更新しました。",
                                        "○ SampleAppDialogLayouts.h を更新しました。",
                                        "○ Main.json を更新しました。",
                                        "○ Settings.json を更新しました。",
                                        "○ Gallery.json を更新しました。",
                                        "○ Layouts.json を更新しました。",
                                        "○ Plain.json を更新しました。",
                                        "○ SampleApp.qrpro を更新しました。",
                                        "○ Makefile を更新しました。",
                                        "○ Makeparam を更新しました。"}));
    const fs::path out = work_ / "out";
    EXPECT_NE(ReadBytes(out / "Makefile")
                  .find("SOURCES = SampleApp.cpp SampleAppApplication.cpp "
                        "SampleAppDialogMaker.cpp SampleAppDialogMain.cpp "
                        "SampleAppDialogSettings.cpp SampleAppDialogGallery.cpp "
                        "SampleAppDialogLayouts.cpp \n"),
              std::string::npos);
    EXPECT_NE(ReadBytes(out / "SampleApp.qrpro")
                  .find("File014=@Source@SampleAppDialogPlain.h,0\n"
                        "File015=@Lib@\nFile016=@Document@\n"),
              std::string::npos);

    const RunResult build = RunCommand("make -s -C '" + out.string() + "' FRAMEWORK_DIR='" +
                                     ZE_FRAMEWORK_STUB_DIR + "' CXX='" + ZE_CXX_COMPILER +
                                     "' EXTRA_CXXFLAGS='-Wextra -Wpedantic -Werror' "
                                     "LDFLAGS= LDLIBS= 2>&1");
    ASSERT_EQ(build.exitCode, 0) << build.output;
    const RunResult app = RunCommand("cd '" + out.string() +
                                     "' && ./SampleApp Settings Gallery Layouts Plain Nobody");
    EXPECT_EQ(app.exitCode, 0);
    EXPECT_EQ(app.output,
              "open Main from resources/Main.json as 19SampleAppDialogMain\n"
              "open Settings from resources/Settings.json as 23SampleAppDialogSettings\n"
              "open Gallery from resources/Gallery.json as 22SampleAppDialogGallery\n"
              "open Layouts from resources/Layouts.json as 22SampleAppDialogLayouts\n"
              "open Plain from resources/Plain.json as N3dev6DialogE\n"
              "no dialog Nobody\n");
}

TEST_F(SkeletonToolTest, DefaultsWriteTheNamedDialogOnlyAndNeverOverwrite) {
    const RunResult unnamed = RunTool(example_ + " --out " + Out());
    EXPECT_EQ(unnamed.exitCode, 0);
    EXPECT_EQ(Lines(unnamed.output).size(), 4u) << unnamed.output;
    EXPECT_FALSE(fs::exists(work_ / "out" / "resources"));

    const RunResult again = RunTool(example_ + " --out " + Out() + " --dialog Settings");
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(
        Lines(again.output),
        (std::vector<std::string>{
            "× SampleAppApplication.cpp キャンセルしました。(ファイルが存在します[上書き禁止])",
            "× SampleAppApplication.h キャンセルしました。(ファイルが存在します[上書き禁止])",
            "× SampleAppDialogMaker.cpp キャンセルしました。(ファイルが存在します[上書き禁止])",
            "× SampleAppDialogMaker.h キャンセルしました。(ファイルが存在します[上書き禁止])",
            "○ SampleAppDialogSettings.cpp を更新しました。",
            "○ SampleAppDialogSettings.h を更新しました。", "○ Settings.json を更新しました。"}));

    const RunResult overwrite = RunTool(example_ + " --out " + Out() +
                                        " --dialog Settings --overwrite-application "
                                        "--overwrite-factory --overwrite-dialogs --overwrite-json");
    EXPECT_EQ(overwrite.exitCode, 0) << overwrite.output;
}

TEST_F(SkeletonToolTest, JapaneseNamesReachTheFileSystemAsUtf8) {
    // The project file holds its names in Shift_JIS, as the editor writes them.
    const std::string project =
        Write("ja.moxspro",
              "{'Name':'\x83\x54\x83\x93\x83\x76\x83\x8b','Commands':[{'Command':'DIALOG','Name':"
              "'\x90\xdd\x92\xe8','TemplateType':'Shared','Object':{'Name':'Root','Type':'GROUP',"
              "'Layout':'FRAME','Objects':[]}}]}");
    const RunResult result = RunTool(project + " --out " + Out() +
                                     " --dialog 設定 --no-application "
                                     "--no-factory");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(Lines(result.output),
              (std::vector<std::string>{"○ サンプルDialog設定.cpp を更新しました。",
                                        "○ サンプルDialog設定.h を更新しました。",
                                        "○ 設定.json を更新しました。"}));
    EXPECT_NE(ReadBytes(work_ / "out" / "サンプルDialog設定.h")
                  .find("class サンプルDialog設定 : public dev::Dialog"),
              std::string::npos);
    EXPECT_TRUE(fs::exists(work_ / "out" / "resources" / "設定.json"));
}

TEST_F(SkeletonToolTest, RefusesAProjectWithoutApplicationNameAndBadArguments) {
    const std::string nameless = Write("nameless.json", "{'Commands':[]}");
    const RunResult result = RunTool(nameless + " --out " + Out() + " --all");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.output,
              "アプリケーション名が登録されていません。\n"
              "リソースツリーのRootのNameを設定して下さい。\n");
    EXPECT_TRUE(fs::is_empty(work_ / "out"));

    EXPECT_EQ(RunTool(example_ + " --out " + Out() + " --all --dialog Main 2>/dev/null").exitCode,
              2);
    EXPECT_EQ(RunTool(example_ + " 2>/dev/null").exitCode, 2);
    EXPECT_EQ(RunTool(example_ + " --out " + Out() + " --bogus 2>/dev/null").exitCode, 2);
    EXPECT_EQ(RunTool("/nonexistent.moxspro --out " + Out() + " 2>/dev/null").exitCode, 1);
}

TEST_F(SkeletonToolTest, MissingTemplateFolderFailsEveryFileButStillExports) {
    const RunResult result = RunTool(example_ + " --out " + Out() + " --templates '" +
                                     (work_ / "none").string() + "' --dialog Main");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(Lines(result.output).size(), 7u);
    EXPECT_NE(result.output.find(
                  "× SampleAppDialogMain.h キャンセルしました。(テンプレートの読込みエラー)\n"
                  "○ Main.json を更新しました。\n"),
              std::string::npos)
        << result.output;
}

}  // namespace
