#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace ze {

// The sink every writer of resource text writes into, piece by piece. The
// base class writes to a file the caller opens and closes; CJsonString
// collects the text in memory instead.
class CMoStream {
public:
    CMoStream() = default;
    virtual ~CMoStream() = default;
    CMoStream(const CMoStream&) = delete;
    CMoStream& operator=(const CMoStream&) = delete;

    // Creates the file, or truncates an existing one, for binary writing.
    bool Open(const std::filesystem::path& path);
    // Pushes every byte written so far to the disk; false when any write
    // failed or the disk refused them.
    bool Sync();
    // False when the file could not be written completely or closed.
    bool Close();
    bool IsOpen() const { return file_ != nullptr; }
    // The system's error number of the first failure of Open, a write, Sync
    // or Close; 0 while none failed.
    int Error() const { return error_; }

    virtual void Write(const char* bytes, std::size_t count);
    void Write(std::string_view text) { Write(text.data(), text.size()); }
    // A hint that about count more bytes follow; a file ignores it.
    virtual void Reserve(std::size_t /*count*/) {}
    // The bytes written so far.
    std::size_t Written() const { return written_; }

protected:
    void Count(std::size_t count) { written_ += count; }

private:
    void Fail(int error);

    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, FileCloser> file_;
    bool failed_ = false;
    int error_ = 0;
    std::size_t written_ = 0;
};

class CJsonString : public CMoStream {
public:
    using CMoStream::Write;
    void Write(const char* bytes, std::size_t count) override {
        text_.append(bytes, count);
        Count(count);
    }
    void Reserve(std::size_t count) override { text_.reserve(text_.size() + count); }

    const std::string& GetText() const { return text_; }
    std::string TakeText() { return std::move(text_); }

private:
    std::string text_;
};

}  // namespace ze
