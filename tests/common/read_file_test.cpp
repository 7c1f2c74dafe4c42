#include "common/read_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The whole-file reader refuses what is no regular file or is too large,
// without reading it and without blocking (a pipe nobody writes to), and
// names the system's reason when it has one.
namespace ze {
namespace {

namespace fs = std::filesystem;

TEST(ReadBoundedFileTest, ReadsRegularFilesAndRefusesTheRest) {
    const fs::path folder = fs::temp_directory_path() / ("ze-readfile-" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "small", std::ios::binary) << std::string("a\0b", 3);
    std::ofstream(folder / "empty", std::ios::binary).flush();
    // Sparse: one byte over the bound costs no disk.
    std::ofstream(folder / "large", std::ios::binary).flush();
    fs::resize_file(folder / "large", kMaxReadFileBytes + 1);
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    fs::create_symlink(folder / "small", folder / "link");

    std::ofstream(folder / "locked", std::ios::binary) << "x";
    fs::permissions(folder / "locked", fs::perms::none);

    struct Case {
        fs::path path;
        ReadFileResult result;
        std::string bytes;
        int error;         // the system's error number the reader reports
        std::string text;  // ReadFailureText of the two
    };
    std::vector<Case> cases = {
        {folder / "small", ReadFileResult::kRead, std::string("a\0b", 3), 0, ""},
        {folder / "empty", ReadFileResult::kRead, "", 0, ""},
        {folder / "link", ReadFileResult::kRead, std::string("a\0b", 3), 0, ""},
        {folder / "large", ReadFileResult::kTooLarge, "", 0, "cannot read: larger than 256 MiB"},
        {folder / "fifo", ReadFileResult::kNotRegularFile, "", 0,
         "cannot read: not a regular file"},
        {folder, ReadFileResult::kNotRegularFile, "", EISDIR, "cannot read: Is a directory"},
        {"/dev/zero", ReadFileResult::kNotRegularFile, "", 0, "cannot read: not a regular file"},
        {folder / "missing", ReadFileResult::kCannotOpen, "", ENOENT,
         "cannot read: No such file or directory"},
        {folder / "small" / "below", ReadFileResult::kCannotOpen, "", ENOTDIR,
         "cannot read: Not a directory"},
    };
    // Root reads a file without permissions all the same.
    if (::geteuid() != 0) {
        cases.push_back({folder / "locked", ReadFileResult::kCannotOpen, "", EACCES,
                         "cannot read: Permission denied"});
    }
    for (const Case& c : cases) {
        std::string bytes = "left over";
        int error = -1;
        EXPECT_EQ(ReadBoundedFile(c.path, bytes, &error), c.result) << c.path;
        EXPECT_EQ(bytes, c.bytes) << c.path;
        EXPECT_EQ(error, c.error) << c.path;
        EXPECT_EQ(ReadFailureText(c.result, error), c.text) << c.path;
        EXPECT_EQ(ReadFileBytes(c.path, bytes), c.result == ReadFileResult::kRead) << c.path;
    }
    fs::remove_all(folder);
}

// Standard input has no size to look at first: the reader counts.
TEST(ReadBoundedFileTest, AStreamStopsOnceOverTheLimit) {
    constexpr std::uint64_t kLimit = 200 * 1024;
    for (const std::uint64_t size : {kLimit, kLimit + 1}) {
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        const pid_t writer = ::fork();
        if (writer == 0) {
            ::close(ends[0]);
            const std::string block(size, 'x');
            const bool written = ::write(ends[1], block.data(), size) == static_cast<ssize_t>(size);
            ::_exit(written ? 0 : 1);
        }
        ::close(ends[1]);
        std::string bytes = "left over";
        const ReadFileResult result = ReadBoundedDescriptor(ends[0], bytes, kLimit);
        ::close(ends[0]);
        ::waitpid(writer, nullptr, 0);
        EXPECT_EQ(result, size > kLimit ? ReadFileResult::kTooLarge : ReadFileResult::kRead);
        EXPECT_EQ(bytes, size > kLimit ? "" : std::string(size, 'x'));
    }
}

}  // namespace
}  // namespace ze
