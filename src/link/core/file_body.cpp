#include "link/core/file_body.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <utility>

namespace ze::link {

FileBody::FileBody(FileBody&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), size_(std::exchange(other.size_, 0)) {}

FileBody& FileBody::operator=(FileBody&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = std::exchange(other.fd_, -1);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

FileBody::~FileBody() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool FileBody::ReadAll(std::string& bytes) const {
    bytes.resize(size_);
    std::uint64_t done = 0;
    while (done < size_) {
        const ssize_t count =
            ::pread(fd_, bytes.data() + done, size_ - done, static_cast<off_t>(done));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            bytes.clear();
            return false;
        }
        done += static_cast<std::uint64_t>(count);
    }
    return true;
}

OpenResult OpenFileBody(const std::string& path, FileBody& body, std::int64_t* mtime) {
    struct stat status {};
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        // Only a file whose status cannot be read counts as missing.
        return ::stat(path.c_str(), &status) != 0 ? OpenResult::Missing : OpenResult::Unreadable;
    }
    // The size and date come from the file actually opened.
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return OpenResult::Unreadable;
    }
    if (mtime != nullptr) {
        *mtime = status.st_mtim.tv_sec;
    }
    body = FileBody(fd, static_cast<std::uint64_t>(status.st_size));
    return OpenResult::Opened;
}

std::string FormatFileDate(std::int64_t mtime) {
    const std::time_t time = static_cast<std::time_t>(mtime);
    std::tm local{};
    localtime_r(&time, &local);
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return std::string(text, length);
}

}  // namespace ze::link
