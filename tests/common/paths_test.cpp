#include "common/paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "version_info.h"

namespace ze {
namespace {

TEST(PathsTest, FolderOfKeepsEverythingUpToTheLastSeparator) {
    EXPECT_EQ(FolderOf("/home/user/project/app.moxspro"), "/home/user/project/");
    EXPECT_EQ(FolderOf("/home/user/project/"), "/home/user/project/");
    EXPECT_EQ(FolderOf("/app.json"), "/");
    EXPECT_EQ(FolderOf("app.json"), "");
    EXPECT_EQ(FolderOf(""), "");
}

TEST(PathsTest, FileTitleDropsFolderAndOnlyTheLastExtension) {
    EXPECT_EQ(FileTitle("/a/b/Main.json"), "Main");
    EXPECT_EQ(FileTitle("/a/b.c/Main"), "Main");
    EXPECT_EQ(FileTitle("archive.tar.gz"), "archive.tar");
    EXPECT_EQ(FileTitle("/a/b/"), "");
    EXPECT_EQ(FileTitle("/a/.profile"), "");
}

TEST(PathsTest, WithTrailingSeparatorAddsOnlyWhenMissing) {
    EXPECT_EQ(WithTrailingSeparator("/tmp/x"), "/tmp/x/");
    EXPECT_EQ(WithTrailingSeparator("/tmp/x/"), "/tmp/x/");
    EXPECT_EQ(WithTrailingSeparator(""), "");
}

TEST(PathsTest, CreateFolderMakesExactlyOneLevel) {
    const std::filesystem::path base =
        std::filesystem::temp_directory_path() / ("ze-paths-" + std::to_string(getpid()));
    std::filesystem::remove_all(base);
    ASSERT_TRUE(CreateFolder(base.string()));
    EXPECT_TRUE(PathExists(base.string()));
    EXPECT_FALSE(CreateFolder(base.string())) << "an existing folder is not created again";
    EXPECT_FALSE(CreateFolder((base / "missing" / "child").string()));
    EXPECT_FALSE(PathExists((base / "missing").string()));

    const std::string file = (base / "resources.json").string();
    std::FILE* handle = std::fopen(file.c_str(), "wb");
    ASSERT_NE(handle, nullptr);
    std::fclose(handle);
    EXPECT_TRUE(PathExists(file));
    EXPECT_FALSE(PathExists(""));
    std::filesystem::remove_all(base);
}

TEST(PathsTest, ExecutableFolderHoldsTheRunningTestProgram) {
    const std::string folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), kPathSeparator);
    EXPECT_TRUE(PathExists(folder + "common_tests"));
}

TEST(PathsTest, VersionTextHasFourDottedParts) {
    const std::string expected = std::to_string(version::kMajor) + "." +
                                 std::to_string(version::kMinor) + "." +
                                 std::to_string(version::kPatch) + "." +
                                 std::to_string(version::kTweak);
    EXPECT_EQ(VersionText(), expected);
}

}  // namespace
}  // namespace ze
