#pragma once

#include <string>
#include <string_view>

// Scanning helpers for Shift_JIS text: a lead byte and the byte after it are one
// character, so a pattern never matches across a character boundary (the trail
// byte of "ソ" is '\').
namespace ze {

bool IsSjisLeadByte(unsigned char byte);

// Replaces every occurrence of from by to, scanning left to right one character
// at a time. Inserted text is not scanned again. An empty from changes nothing.
std::string ReplaceAllSjis(std::string_view text, std::string_view from, std::string_view to);

// Byte offset of the first occurrence of pattern that starts on a character
// boundary, or npos.
std::size_t FindSjis(std::string_view text, std::string_view pattern);

// ASCII letters in upper case; double-byte characters stay as they are.
std::string ToUpperSjis(std::string_view text);

}  // namespace ze
