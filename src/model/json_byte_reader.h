#pragma once

#include <cstddef>
#include <string_view>

namespace ze {

// Reads a text byte by byte, one byte of look-back, counting lines. The
// position and line fields are the ones the parse error report quotes, so
// their rules are part of the report's text:
// - a line feed belongs to the line it ends; the count moves on only when the
//   byte after it is read;
// - a byte that was given back has been read (the position stays past it).
class JsonByteReader {
public:
    static constexpr int kEnd = -1;

    explicit JsonByteReader(std::string_view text) : text_(text) {}

    // The next byte (0..255), or kEnd past the last byte.
    int Read();
    // The next Read returns the last byte again. Nothing is given back after
    // kEnd.
    void GiveBack();

    // Bytes taken from the text so far.
    std::size_t Position() const { return position_; }
    std::size_t Line() const { return line_; }
    std::size_t PreviousLineStart() const { return previousLineStart_; }
    std::size_t CurrentLineStart() const { return currentLineStart_; }

private:
    std::string_view text_;
    std::size_t position_ = 0;
    int lastByte_ = kEnd;
    bool pushedBack_ = false;
    std::size_t line_ = 1;
    std::size_t previousLineStart_ = 0;
    std::size_t currentLineStart_ = 0;
};

}  // namespace ze
