#include "codegen/output_file.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>

#include "common/text_convert.h"

namespace ze {

COutputFile::~COutputFile() {
    if (!temporary_.empty()) {
        file_.reset();
        std::remove(temporary_.c_str());
    }
}

bool COutputFile::Open(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    path_ = path;
    temporary_ = path + ".gen-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    failed_ = false;
    file_.reset(std::fopen(temporary_.c_str(), "wb"));
    if (!file_) {
        temporary_.clear();
        return false;
    }
    return true;
}

bool COutputFile::WriteLine(std::string_view sjis) {
    if (!file_) {
        return false;
    }
    std::string utf8 = ConvertSjisToUtf8(sjis);
    utf8.push_back('\n');
    if (std::fwrite(utf8.data(), 1, utf8.size(), file_.get()) != utf8.size()) {
        failed_ = true;
    }
    return !failed_;
}

bool COutputFile::Commit() {
    if (!file_) {
        return false;
    }
    const bool flushed = std::fflush(file_.get()) == 0 && fsync(fileno(file_.get())) == 0;
    const bool closed = std::fclose(file_.release()) == 0;
    if (failed_ || !flushed || !closed || std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        return false;
    }
    temporary_.clear();
    return true;
}

}  // namespace ze
