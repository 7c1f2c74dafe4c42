// One file at a time: what is refused, and that a refused or failed file
// leaves the disk as it was.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "codegen/skeleton_generator.h"
#include "common/cp932.h"
#include "model/resource_data.h"

namespace ze {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class GenerateFileTest : public testing::Test {
protected:
    void SetUp() override {
        work_ = fs::temp_directory_path() /
                ("ze-generate-file-" + std::to_string(getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(work_);
        fs::create_directories(work_);
        project_.SetItem("Name", "App");
        std::ofstream(work_ / "template.txt", std::ios::binary) << "name _APPNAME_\n";
    }
    void TearDown() override { fs::remove_all(work_); }

    std::string Reason(const CSkeletonGenerator& generator) const {
        return Cp932ToUtf8(generator.GetMessage());
    }

    fs::path work_;
    CZeResourceData project_;
};

TEST_F(GenerateFileTest, WritesAndReplacesOnlyWhenAllowed) {
    CSkeletonGenerator generator(project_, SkeletonOptions{});
    const std::string output = (work_ / "out.txt").string();
    const std::string templ = (work_ / "template.txt").string();
    std::ofstream(output, std::ios::binary) << "mine\n";

    EXPECT_FALSE(generator.GenerateFile(templ, output, false, {}, {}));
    EXPECT_EQ(Reason(generator), "ファイルが存在します[上書き禁止]");
    EXPECT_EQ(ReadBytes(output), "mine\n");

    EXPECT_TRUE(generator.GenerateFile(templ, output, true, {}, {}));
    EXPECT_EQ(Reason(generator), "");
    EXPECT_EQ(ReadBytes(output), "name App\n");
    // Nothing but the template and the output: no temporary file is left.
    EXPECT_EQ(std::distance(fs::directory_iterator(work_), fs::directory_iterator()), 2);
}

TEST_F(GenerateFileTest, AFolderIsNeitherATemplateNorReplacedByAnOutput) {
    CSkeletonGenerator generator(project_, SkeletonOptions{});
    fs::create_directories(work_ / "folder" / "inside");
    const std::string folder = (work_ / "folder").string();

    // Reading a folder would give an empty "template" and an empty file.
    EXPECT_FALSE(generator.GenerateFile(folder, (work_ / "x.txt").string(), true, {}, {}));
    EXPECT_EQ(Reason(generator), "テンプレートの読込みエラー");
    EXPECT_FALSE(fs::exists(work_ / "x.txt"));

    EXPECT_FALSE(generator.GenerateFile((work_ / "template.txt").string(), folder, true, {}, {}));
    EXPECT_EQ(Reason(generator), "書込みできませんでした");
    EXPECT_TRUE(fs::is_directory(work_ / "folder" / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(work_), fs::directory_iterator()), 2);
}

TEST_F(GenerateFileTest, AnEmptyOutputFolderWritesNothingAnywhere) {
    // Without a folder every path would be relative to the working folder.
    const fs::path previous = fs::current_path();
    fs::current_path(work_);
    project_.GetDialogs().CreateDialog("A")->SetItem("TemplateType", "Shared");
    SkeletonOptions options;
    options.templateFolder = ZE_TEMPLATE_DIR;
    options.scope = SkeletonScope::kAllDialogs;
    CSkeletonGenerator generator(project_, options);
    ASSERT_TRUE(generator.Run());
    fs::current_path(previous);

    std::string log;
    for (const std::string& line : generator.GetLog()) {
        log += Cp932ToUtf8(line) + "\n";
    }
    EXPECT_EQ(log,
              "× AppApplication.cpp キャンセルしました。(書込みできませんでした)\n"
              "× AppApplication.h キャンセルしました。(書込みできませんでした)\n"
              "× AppDialogMaker.cpp キャンセルしました。(書込みできませんでした)\n"
              "× AppDialogMaker.h キャンセルしました。(書込みできませんでした)\n"
              "× AppDialogA.cpp キャンセルしました。(書込みできませんでした)\n"
              "× AppDialogA.h キャンセルしました。(書込みできませんでした)\n"
              "× resources フォルダが作成できませんでした。\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(work_), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace ze
