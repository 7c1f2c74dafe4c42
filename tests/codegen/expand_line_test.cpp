// Line expansions without files; whole runs are in the golden folders.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codegen/skeleton_generator.h"
#include "common/cp932.h"
#include "model/resource_data.h"

namespace ze {
namespace {

class ExpandLineTest : public testing::Test {
protected:
    void AddDialog(const std::string& name, const std::string& type) {
        project_.GetDialogs().CreateDialog(name)->SetItem("TemplateType", type);
    }
    std::vector<std::string> Expand(const std::string& line) {
        CSkeletonGenerator generator(project_, SkeletonOptions{});
        std::vector<std::string> out;
        generator.ExpandLine(line, {}, {}, out);
        return out;
    }

    CZeResourceData project_;
};

// Five application files, two per dialog whatever its type, then two more:
// eleven lines for two dialogs.
TEST_F(ExpandLineTest, ProjectsMarkerGivesTwoFilesPerDialogThenLibAndDocument) {
    project_.SetItem("Name", "App");
    AddDialog("A", "Shared");
    AddDialog("B", "NONE");
    const std::vector<std::string> lines = Expand("F_NUMBER_=_SOURCE_;%MULTILINE%PROJECTS%");
    const std::vector<std::string> expected = {"F000=@Source@App.cpp,0;",
                                               "F001=@Source@AppApplication.cpp,0;",
                                               "F002=@Source@AppApplication.h,0;",
                                               "F003=@Source@AppDialogMaker.cpp,0;",
                                               "F004=@Source@AppDialogMaker.h,0;",
                                               "F005=@Source@AppDialogA.cpp,0;",
                                               "F006=@Source@AppDialogA.h,0;",
                                               "F007=@Source@AppDialogB.cpp,0;",
                                               "F008=@Source@AppDialogB.h,0;",
                                               "F009=@Lib@;",
                                               "F010=@Document@;"};
    EXPECT_EQ(lines, expected);
}

TEST_F(ExpandLineTest, NoDialogsExpandAMarkerLineToNothing) {
    project_.SetItem("Name", "App");
    EXPECT_TRUE(Expand("x%MULTILINE%DIALOG%").empty());
    EXPECT_EQ(Expand("_NUMBER_ _SOURCE_%MULTILINE%PROJECTS%").size(), 7u);
}

TEST(SkeletonRunTest, WithoutAnApplicationNameNothingIsWritten) {
    CZeResourceData project;
    project.GetDialogs().CreateDialog("A")->SetItem("TemplateType", "Shared");
    SkeletonOptions options;
    options.outputFolder = "/nonexistent-ze-folder";
    options.scope = SkeletonScope::kAllDialogs;
    CSkeletonGenerator generator(project, options);
    EXPECT_FALSE(generator.Run());
    EXPECT_TRUE(generator.GetLog().empty());
    EXPECT_EQ(
        Cp932ToUtf8(NoApplicationNameMessage()),
        "アプリケーション名が登録されていません。\nリソースツリーのRootのNameを設定して下さい。");
}

}  // namespace
}  // namespace ze
