#include "common/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace ze {

namespace {

// Closes the descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

// Appends what fd holds to bytes, which the caller has emptied.
ReadFileResult ReadToEnd(int fd, std::string& bytes, std::uint64_t limit, int& error) {
    char buffer[64 * 1024];
    while (true) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            error = errno;
            bytes.clear();
            return ReadFileResult::kReadError;
        }
        if (count == 0) {
            return ReadFileResult::kRead;
        }
        if (bytes.size() + static_cast<std::uint64_t>(count) > limit) {
            bytes.clear();
            bytes.shrink_to_fit();
            return ReadFileResult::kTooLarge;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

}  // namespace

ReadFileResult ReadBoundedDescriptor(int fd, std::string& bytes, std::uint64_t limit, int* error) {
    int ignored = 0;
    int& failure = error != nullptr ? *error : ignored;
    failure = 0;
    bytes.clear();
    // Standard input redirected from a large file is refused before reading.
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
        static_cast<std::uint64_t>(status.st_size) > limit) {
        return ReadFileResult::kTooLarge;
    }
    return ReadToEnd(fd, bytes, limit, failure);
}

ReadFileResult ReadBoundedFile(const std::filesystem::path& path, std::string& bytes, int* error) {
    int ignored = 0;
    int& failure = error != nullptr ? *error : ignored;
    failure = 0;
    bytes.clear();
    // Non-blocking, so that opening a FIFO without a writer returns at once
    // and is refused below instead of waiting forever; a regular file reads
    // the same either way.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0) {
        failure = errno;
        return ReadFileResult::kCannotOpen;
    }
    // The kind and size of the file actually opened, not of what the name
    // pointed to a moment earlier.
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0) {
        failure = errno;
        return ReadFileResult::kReadError;
    }
    if (!S_ISREG(status.st_mode)) {
        // Only a folder has a word of the system's; a device or a pipe is
        // simply not read.
        failure = S_ISDIR(status.st_mode) ? EISDIR : 0;
        return ReadFileResult::kNotRegularFile;
    }
    if (static_cast<std::uint64_t>(status.st_size) > kMaxReadFileBytes) {
        return ReadFileResult::kTooLarge;
    }
    bytes.reserve(static_cast<std::size_t>(status.st_size));
    // A file that grows while being read still stops at the bound.
    return ReadToEnd(file.Get(), bytes, kMaxReadFileBytes, failure);
}

bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes) {
    return ReadBoundedFile(path, bytes) == ReadFileResult::kRead;
}

std::string ReadFailureText(ReadFileResult result, int error) {
    switch (result) {
        case ReadFileResult::kRead:
            return {};
        case ReadFileResult::kCannotOpen:
        case ReadFileResult::kReadError:
            return error != 0 ? "cannot read: " + SystemErrorText(error) : "cannot read";
        case ReadFileResult::kNotRegularFile:
            return error != 0 ? "cannot read: " + SystemErrorText(error)
                              : "cannot read: not a regular file";
        case ReadFileResult::kTooLarge:
            return "cannot read: larger than " + std::to_string(kMaxReadFileBytes / (1024 * 1024)) +
                   " MiB";
    }
    return "cannot read";
}

}  // namespace ze
