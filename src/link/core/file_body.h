#pragma once

#include <cstdint>
#include <string>

namespace ze::link {

// An open regular file and the size announced for it; the bytes are sent
// from the descriptor as the socket takes them, so a large file never has to
// sit in memory whole. Move-only; closes the descriptor.
class FileBody {
public:
    FileBody() = default;
    FileBody(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
    FileBody(FileBody&& other) noexcept;
    FileBody& operator=(FileBody&& other) noexcept;
    FileBody(const FileBody&) = delete;
    FileBody& operator=(const FileBody&) = delete;
    ~FileBody();

    bool IsOpen() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }
    std::uint64_t Size() const { return size_; }

    // Reads the whole announced size; false when the file turned shorter.
    bool ReadAll(std::string& bytes) const;

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

enum class OpenResult { Opened, Missing, Unreadable };

// Opens path for reading. Missing: no such file (its status cannot be read).
// Unreadable: it exists but cannot be opened as a regular file (a folder, no
// permission).
OpenResult OpenFileBody(const std::string& path, FileBody& body, std::int64_t* mtime = nullptr);

// A modification time in local time, "%Y-%m-%d %H:%M:%S".
std::string FormatFileDate(std::int64_t mtime);

}  // namespace ze::link
