#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

// A text file whose bytes on disk are UTF-8 while the program works in
// Shift_JIS. Reading converts each line UTF-8 → Shift_JIS, writing converts
// Shift_JIS → UTF-8. Bytes pass without line-end translation: a "\r\n" line
// comes back with its '\r'.
namespace ze {

class CTextFile {
public:
    enum class Mode { kRead, kWrite };

    CTextFile() = default;
    CTextFile(const CTextFile&) = delete;
    CTextFile& operator=(const CTextFile&) = delete;

    // Opens an operating-system path. Writing creates the file anew (an existing
    // file is truncated). False when the file cannot be opened.
    bool Open(const std::string& path, Mode mode);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }

    // Reads the next line without its '\n' and converts it to Shift_JIS. False at
    // the end of the file (a last line without '\n' is still returned).
    bool ReadLine(std::string& line);

    // Converts the text to UTF-8 and writes it as it is (no line end is added).
    bool WriteString(std::string_view sjis);

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
};

}  // namespace ze
