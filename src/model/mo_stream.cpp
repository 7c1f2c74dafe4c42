#include "model/mo_stream.h"

#include <unistd.h>

#include <cerrno>

namespace ze {

bool CMoStream::Open(const std::filesystem::path& path) {
    file_.reset(std::fopen(path.c_str(), "wb"));
    failed_ = false;
    error_ = file_ != nullptr ? 0 : errno;
    return file_ != nullptr;
}

void CMoStream::Fail(int error) {
    failed_ = true;
    if (error_ == 0) {
        error_ = error;
    }
}

bool CMoStream::Sync() {
    if (!file_) {
        return false;
    }
    if (std::fflush(file_.get()) != 0 || ::fsync(::fileno(file_.get())) != 0) {
        Fail(errno);
    }
    return !failed_;
}

bool CMoStream::Close() {
    if (!file_) {
        return false;
    }
    const bool closed = std::fclose(file_.release()) == 0;
    if (!closed) {
        Fail(errno);
    }
    return closed && !failed_;
}

void CMoStream::Write(const char* bytes, std::size_t count) {
    if (!file_) {
        failed_ = true;
        return;
    }
    if (count > 0 && std::fwrite(bytes, 1, count, file_.get()) != count) {
        Fail(errno);
    }
    Count(count);
}

}  // namespace ze
