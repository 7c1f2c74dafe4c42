#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace ze {

// A generated text file: lines in Shift_JIS go to disk as UTF-8, each followed
// by "\n". The lines are written to a temporary file beside the target, which
// replaces the target only when every byte reached the disk, so a failed write
// never leaves a half-written source where the user's file was.
class COutputFile {
public:
    COutputFile() = default;
    COutputFile(const COutputFile&) = delete;
    COutputFile& operator=(const COutputFile&) = delete;
    // Removes the temporary file unless Commit put it in place.
    ~COutputFile();

    // False when the temporary file cannot be created (the folder is missing).
    bool Open(const std::string& path);
    bool WriteLine(std::string_view sjis);
    // Flushes, closes and renames over the target. False when any write, the
    // close or the rename failed; the target is then untouched.
    bool Commit();

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    std::string path_;
    std::string temporary_;
    bool failed_ = false;
};

}  // namespace ze
