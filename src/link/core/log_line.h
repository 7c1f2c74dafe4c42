#pragma once

#include <ctime>
#include <string>
#include <string_view>

// The communication log: the kinds of its lines, how a line is written and
// in which colour it is shown. The GUI log pane and `ze-tool serve` share it.
namespace ze::link {

// The numeric values are fixed: log writers pass them around as integers.
enum class LogKind : int {
    Info = 0,
    Error = 1,
    Received = 2,
    Sent = 3,
    Plain = 4,
    Trace = 5,
};

struct LogColour {
    int red;
    int green;
    int blue;
    friend bool operator==(const LogColour&, const LogColour&) = default;
};

// "<" for received, ">" for sent, "!" for errors, "#" for information and
// plain lines, "?" for traces and any kind above them.
std::string_view LogMarker(LogKind kind);
LogColour LogColourOf(LogKind kind);

// Local time "%H:%M:%S" (none for Plain), the marker, the text and "\n".
// The text is passed through as bytes (Shift_JIS in the editor).
std::string FormatLogLine(std::string_view text, LogKind kind, std::time_t now);
std::string FormatLogLine(std::string_view text, LogKind kind);

// Where the sockets and the link write their lines. Texts are Shift_JIS.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void WriteLog(std::string_view text, LogKind kind) = 0;
};

}  // namespace ze::link
