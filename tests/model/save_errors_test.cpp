// A save that fails says why in the system's words (its error number), and a
// target that is no regular file is written where it is instead of being
// replaced by a file: /dev/full stays the device and reports a full disk.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/dialog_data.h"
#include "model/resource_data.h"

namespace ze {
namespace {

namespace fs = std::filesystem;

// Writes over RLIMIT_FSIZE fail with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit small = saved_;
        small.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*handler_)(int);
};

bool IsCharacterDevice(const char* path) {
    struct stat status {};
    return ::lstat(path, &status) == 0 && S_ISCHR(status.st_mode);
}

TEST(SaveErrors, TheFailureNamesTheSystemsReason) {
    const fs::path folder =
        fs::temp_directory_path() / ("ze-save-errors-" + std::to_string(getpid()));
    fs::create_directories(folder / "a folder");
    fs::create_directories(folder / "locked");
    fs::permissions(folder / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    std::ofstream(folder / "plain", std::ios::binary) << "old";

    CZeResourceData project;
    project.SetItem("Name", std::string(5000, 'n'));
    project.GetDialogs().CreateDialog("A");

    struct Case {
        const char* name;
        fs::path target;
        int error;
        bool asRoot;  // whether the row holds when the tests run as root
    };
    const Case cases[] = {
        {"missing folder", folder / "none" / "app.moxspro", ENOENT, true},
        {"a folder", folder / "a folder", EISDIR, true},
        {"a file as folder", folder / "plain" / "app.moxspro", ENOTDIR, true},
        {"full disk", "/dev/full", ENOSPC, true},
        {"read-only folder", folder / "locked" / "app.moxspro", EACCES, false},
    };
    for (const Case& c : cases) {
        if (!c.asRoot && ::geteuid() == 0) {
            continue;
        }
        SCOPED_TRACE(c.name);
        int error = -1;
        EXPECT_FALSE(project.SaveToFile(c.target, "", &error));
        EXPECT_EQ(error, c.error) << std::generic_category().message(error);
    }
    {
        // A short write, as on a disk that fills up mid-save.
        const FileSizeLimit limit(1000);
        int error = -1;
        EXPECT_FALSE(project.SaveToFile(folder / "plain", "", &error));
        EXPECT_EQ(error, EFBIG);
    }
    int error = -1;
    EXPECT_TRUE(project.SaveToFile(folder / "plain", "", &error));
    EXPECT_EQ(error, 0);
    // Written in place, the devices are still devices.
    EXPECT_TRUE(IsCharacterDevice("/dev/full"));
    EXPECT_TRUE(project.SaveToFile("/dev/null", "", &error));
    EXPECT_TRUE(IsCharacterDevice("/dev/null"));
    EXPECT_TRUE(fs::is_empty(folder / "a folder"));
    fs::permissions(folder / "locked", fs::perms::owner_all);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace ze
