#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/run_command.h"

namespace {

using ze::test::RunResult;

// Runs ze-tool through the shell with the given argument text; standard
// output and standard error together.
RunResult RunTool(const std::string& arguments) {
    return ze::test::RunCommand(std::string("'") + ZE_TOOL_PATH + "' " + arguments + " 2>&1");
}

class RenderTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("ze-render-" + std::to_string(getpid()) + "-" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
        // A vertical column: a (100 × 50) above b (100 × 50), Japanese names.
        project_ = (folder_ / "project.moxspro").string();
        std::ofstream(project_, std::ios::binary)
            << "{'Name':'App','Commands':[{'Command':'DIALOG','Name':'Main','Object':"
               "{'Name':'root','Type':'GROUP','Layout':'LINEAR','Vertical':true,"
               "'Width':'PARENT','Height':'PARENT','Objects':["
               "{'Name':'a','Type':'TEXT','Width':'100px','Height':'50px','Text':'\xe6\x97\xa5'},"
               "{'Name':'\xe3\x83\x9c\xe3\x82\xbf\xe3\x83\xb3','Type':'BUTTON','Width':'100px',"
               "'Height':'50px'}]}}]}";
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string Out(const char* name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;
    std::string project_;
};

QColor Pixel(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

TEST_F(RenderTest, PaintsTheBackgroundThePageAndTheObjects) {
    const std::string out = Out("main.png");
    const RunResult result =
        RunTool("render '" + project_ +
                "' --dialog Main --select '\xe3\x83\x9c\xe3\x82\xbf\xe3\x83\xb3' -o '" + out + "'");
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(result.output, "");
    const QImage image(QString::fromStdString(out));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(400, 300));
    // The checkered background: grey at the top left, light grey beside it.
    EXPECT_EQ(Pixel(image, 0, 0), QColor(128, 128, 128));
    EXPECT_EQ(Pixel(image, 8, 0), QColor(192, 192, 192));
    EXPECT_EQ(Pixel(image, 8, 296), QColor(128, 128, 128));
    EXPECT_EQ(Pixel(image, 0, 296), QColor(192, 192, 192));
    EXPECT_EQ(Pixel(image, 399, 299), QColor(128, 128, 128));
    // The page, the root group's grey frame and object a's black frame.
    EXPECT_EQ(Pixel(image, 300, 200), QColor(255, 255, 255));
    EXPECT_EQ(Pixel(image, 394, 200), QColor(128, 128, 128));
    EXPECT_EQ(Pixel(image, 5, 30), QColor(0, 0, 0));
    EXPECT_EQ(Pixel(image, 104, 30), QColor(0, 0, 0));
    EXPECT_EQ(Pixel(image, 100, 50), QColor(255, 255, 255));
    EXPECT_EQ(Pixel(image, 105, 30), QColor(255, 255, 255));
    // The selected button below it: filled pink, framed red.
    EXPECT_EQ(Pixel(image, 100, 100), QColor(255, 200, 200));
    EXPECT_EQ(Pixel(image, 5, 80), QColor(255, 0, 0));
    EXPECT_EQ(Pixel(image, 60, 104), QColor(255, 0, 0));
    // Labels are drawn: some dark pixels inside a's box besides its frame.
    int dark = 0;
    for (int y = 6; y < 54; ++y) {
        for (int x = 6; x < 104; ++x) {
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 20);
}

TEST_F(RenderTest, TheSizeAndThePageIndexMoveThePage) {
    const std::string out = Out("page.png");
    const RunResult result =
        RunTool("render '" + project_ + "' --dialog Main --size 200x100 --page 1 -o '" + out + "'");
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const QImage image(QString::fromStdString(out));
    ASSERT_EQ(image.size(), QSize(200, 100));
    // The page lies one page width to the left: only its last columns show.
    EXPECT_EQ(Pixel(image, 3, 50), QColor(255, 255, 255));
    EXPECT_EQ(Pixel(image, 5, 50), QColor(128, 128, 128));
    EXPECT_EQ(Pixel(image, 104, 50), QColor(192, 192, 192));
}

TEST_F(RenderTest, ReportsAMissingDialogAndBadArguments) {
    const std::string out = Out("none.png");
    RunResult result = RunTool("render '" + project_ + "' --dialog Nope -o '" + out + "'");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.output, "ze-tool render: no dialog is named \"Nope\"\n");
    EXPECT_FALSE(std::filesystem::exists(out));

    result = RunTool("render '" + project_ + "' --dialog Main --size 0x10 -o '" + out + "'");
    EXPECT_EQ(result.exitCode, 2);
    result = RunTool("render '" + project_ + "' -o '" + out + "'");
    EXPECT_EQ(result.exitCode, 2);
    result = RunTool("render '" + Out("missing.json") + "' --dialog Main -o '" + out + "'");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.output, Out("missing.json") + ": cannot read: No such file or directory\n");
}

}  // namespace
