#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/file_errors.h"

namespace ze {

// The largest file read whole. Project files are a few MiB at most; the bound
// keeps a mistaken path (a disk image, a log that grows) from taking all
// memory before the reader can say anything.
inline constexpr std::uint64_t kMaxReadFileBytes = std::uint64_t{256} * 1024 * 1024;

enum class ReadFileResult {
    kRead,
    kCannotOpen,      // missing, no permission
    kNotRegularFile,  // a folder, a device, a pipe, a socket
    kTooLarge,        // more than kMaxReadFileBytes
    kReadError,       // an input/output error while reading
};

// Reads a whole regular file of at most kMaxReadFileBytes. Anything else is
// refused without reading it: /dev/zero or a pipe would never end. bytes is
// emptied unless the result is kRead. error, when given, receives the
// system's error number of a failure (EISDIR for a folder), 0 when the
// system gave none (too large, a device or a pipe).
ReadFileResult ReadBoundedFile(const std::filesystem::path& path, std::string& bytes,
                               int* error = nullptr);

// The same bound for an open descriptor of any kind (standard input): reads
// to its end, kTooLarge once more than limit bytes arrive.
ReadFileResult ReadBoundedDescriptor(int fd, std::string& bytes,
                                     std::uint64_t limit = kMaxReadFileBytes, int* error = nullptr);

// ReadBoundedFile(path, bytes) == ReadFileResult::kRead.
bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes);

// Why a read failed, in English for a terminal: "cannot read: No such file or
// directory", "cannot read: Is a directory", "cannot read: not a regular
// file", "cannot read: larger than 256 MiB"; "cannot read" alone when
// neither the result nor the error says more. Empty for kRead.
std::string ReadFailureText(ReadFileResult result, int error = 0);

}  // namespace ze
