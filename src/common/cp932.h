#pragma once

#include <string>
#include <string_view>

// The plain Windows code page 932 mapping in both directions, used wherever
// text crosses to the desktop: widgets, the clipboard, file names handed to
// the operating system, terminal output. Half-width katakana stay half-width.
namespace ze {

// Bytes that are not valid CP932 become U+FFFD.
std::string Cp932ToUtf8(std::string_view sjis);

// Characters that CP932 cannot hold become '?'; invalid UTF-8 bytes too.
std::string Utf8ToCp932(std::string_view utf8);

}  // namespace ze
