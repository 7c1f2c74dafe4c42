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

// Resource text as the editor writes it mixes codings: user-visible texts and
// data are UTF-8, every other value is Shift_JIS as stored. A well-formed
// UTF-8 multi-byte character is taken as UTF-8, as the resource reader takes
// it; everything else as CP932. For showing such text on the desktop (the
// clipboard); Utf8ToCp932 of the result reads back as the same values.
std::string ResourceTextToUtf8(std::string_view text);

// Bytes of unknown coding (an excerpt of a file that did not parse) for
// showing: read as ResourceTextToUtf8 reads them, except that a byte that
// is no character there (a stray byte, an unassigned pair, a control byte
// other than tab and line feed) is shown as "(hex)", as the parser's report
// shows control bytes, instead of as a replacement character. A pair cut
// by the report's "!" marker shows both its bytes as "(hex)".
std::string BytesToReadableUtf8(std::string_view text);

}  // namespace ze
