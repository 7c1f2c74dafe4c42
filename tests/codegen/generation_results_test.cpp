// What became of each file of a run, as a window words it: created the first
// time, updated when written over, refused (with the reason) when it may not
// be; the Japanese log line stays the same for created and updated files.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "codegen/skeleton_generator.h"
#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/resource_data.h"

namespace ze {
namespace {

namespace fs = std::filesystem;
using Outcome = GeneratedFile::Outcome;
using Reason = GeneratedFile::Reason;

TEST(GenerationResults, CreatedThenUpdatedThenRefused) {
    const fs::path out = fs::temp_directory_path() / ("ze-results-" + std::to_string(getpid()));
    fs::remove_all(out);
    fs::create_directories(out);
    CZeResourceData project;
    project.SetItem("Name", "App");
    project.GetDialogs().CreateDialog("Main")->SetItem("TemplateType", "Shared");
    project.GetDialogs().CreateDialog("Bare");  // no TemplateType

    const struct {
        const char* run;
        bool overwrite;
        Outcome outcome;  // of every file the run tries
        Reason reason;
    } runs[] = {
        {"first", false, Outcome::kCreated, Reason::kNone},
        {"again, over", true, Outcome::kUpdated, Reason::kNone},
        {"again, not over", false, Outcome::kRefused, Reason::kFileExists},
    };
    for (const auto& r : runs) {
        SCOPED_TRACE(r.run);
        SkeletonOptions options;
        options.outputFolder = out.string();
        options.templateFolder = ZE_TEMPLATE_DIR;
        options.scope = SkeletonScope::kAllDialogs;
        options.overwriteAll = r.overwrite;
        CSkeletonGenerator generator(project, options);
        ASSERT_TRUE(generator.Run());
        const std::vector<GeneratedFile>& results = generator.GetResults();
        ASSERT_EQ(results.size(), generator.GetLog().size());
        std::vector<std::string> names;
        for (std::size_t i = 0; i < results.size(); ++i) {
            const GeneratedFile& file = results[i];
            EXPECT_EQ(generator.GetLog()[i], LogLine(file));
            if (file.reason == Reason::kNoTemplateType) {
                EXPECT_EQ(Cp932ToUtf8(LogLine(file)), "× Bare TemplateType が指定されていません。");
                continue;
            }
            names.push_back(file.name);
            EXPECT_EQ(file.outcome, r.outcome) << file.name;
            EXPECT_EQ(file.reason, r.reason) << file.name;
            const std::string expected =
                r.outcome == Outcome::kRefused
                    ? "× " + file.name + " キャンセルしました。(ファイルが存在します[上書き禁止])"
                    : "○ " + file.name + " を更新しました。";
            EXPECT_EQ(Cp932ToUtf8(LogLine(file)), expected);
        }
        // The class files of Main and its JSON among them, not Bare's.
        EXPECT_NE(std::find(names.begin(), names.end(), "AppDialogMain.cpp"), names.end());
        EXPECT_NE(std::find(names.begin(), names.end(), "Main.json"), names.end());
        EXPECT_EQ(std::find(names.begin(), names.end(), "AppDialogBare.cpp"), names.end());
    }
    fs::remove_all(out);
}

TEST(GenerationResults, AResourcesFolderThatCannotBeMadeIsOneLine) {
    const fs::path out =
        fs::temp_directory_path() / ("ze-results-file-" + std::to_string(getpid()));
    fs::remove_all(out);
    fs::create_directories(out);
    // A file where the folder would go.
    { std::ofstream(out / "resources") << "x"; }
    CZeResourceData project;
    project.SetItem("Name", "App");
    project.GetDialogs().CreateDialog("Main");
    SkeletonOptions options;
    options.outputFolder = out.string() + "/";
    options.templateFolder = ZE_TEMPLATE_DIR;
    options.application = options.dialogMaker = options.dialogs = false;
    options.json = true;
    options.scope = SkeletonScope::kAllDialogs;
    CSkeletonGenerator generator(project, options);
    ASSERT_TRUE(generator.Run());
    ASSERT_EQ(generator.GetResults().size(), 1u);
    const GeneratedFile& file = generator.GetResults()[0];
    EXPECT_EQ(file.outcome, Outcome::kRefused);
    EXPECT_EQ(file.reason, Reason::kFolderNotMade);
    EXPECT_EQ(Cp932ToUtf8(LogLine(file)),
              "× " + out.string() + "/resources フォルダが作成できませんでした。");
    fs::remove_all(out);
}

}  // namespace
}  // namespace ze
