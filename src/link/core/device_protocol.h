#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "link/core/file_body.h"
#include "link/core/log_line.h"

// The device command protocol without sockets: what a received message text
// means, which log lines it writes, and the answer to GETFILE.
namespace ze::link {

struct GetFileRequest {
    std::string file;        // as received, Shift_JIS
    std::string objectName;  // empty when absent
    std::string date;
    std::int64_t length = 0;
};

// What the dispatcher asks of the link besides log lines.
class CommandHandler : public LogSink {
public:
    virtual void OnKeepAliveReceived() = 0;
    virtual void OnGetFile(const GetFileRequest& request) = 0;
};

// Parses one frame's message text and dispatches it (or each element of its
// "Commands" array) with its log lines.
void HandleCommandText(std::string_view text, CommandHandler& handler);

// The log line of a frame that overflowed the frame buffer.
std::string FrameOverflowLogText(std::string_view assembled, std::size_t capacity);

struct LogEntry {
    std::string text;
    LogKind kind;
    friend bool operator==(const LogEntry&, const LogEntry&) = default;
};

// The answer to a GETFILE: the framed PUTFILE header to send, the file bytes
// to send after it (File only), and the log lines to write once both are
// queued. Before lists lines to write before sending (a refused name).
struct GetFileAnswer {
    enum class Kind { Latest, File, Error, None };
    Kind kind = Kind::None;
    std::string text;   // the PUTFILE message text
    std::string frame;  // STX, text, ETX
    FileBody body;
    std::vector<LogEntry> before;
    std::vector<LogEntry> after;
};

// projectFolder is the operating-system folder of the project, ending with
// its separator; the file is projectFolder + "resources/" + File, the name
// converted from Shift_JIS. A name that would leave that folder is answered
// as a missing file.
GetFileAnswer AnswerGetFile(const GetFileRequest& request, const std::string& projectFolder);

// The framed keep-alive.
std::string_view KeepAliveFrame();

// STX, text, ETX.
std::string Frame(std::string_view text);

// "送信 %dByte\n" followed by the text (kind Sent).
std::string SentLogText(std::string_view text);

// "送信 error ret:%d != send:%d (eno:%d)\n" and then header: the line of a send
// whose count differs from what was asked.
std::string SendCountErrorLogText(long long returned, std::uint64_t asked, int error,
                                  std::string_view header);

}  // namespace ze::link
