#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "link/core/device_protocol.h"
#include "link/core/file_body.h"
#include "link/core/log_line.h"

// The HTTP/1.0 file responder without sockets: request line reading and the
// response to a GET.
namespace ze::link {

inline constexpr std::size_t kHttpLineCapacity = 1000;
inline constexpr std::size_t kHttpPathSearch = 256;

class HttpRequestReader {
public:
    class Events : public LogSink {
    public:
        // The head of a GET request ended; path is its path.
        virtual void OnHttpRequest(const std::string& path) = 0;
    };

    HttpRequestReader();

    // Reads CR LF terminated lines; a line of 1000 bytes or more is dropped.
    void Feed(std::string_view bytes, Events& events);

    const std::string& RequestPath() const { return requestPath_; }
    bool Discarding() const { return discarding_; }

private:
    void HandleLine(std::string_view line, Events& events);

    std::vector<char> buffer_;
    std::size_t fill_ = 0;
    bool discarding_ = false;
    // A CR that was the last byte of a buffer that just overflowed.
    bool crBeforeReset_ = false;
    std::string requestPath_;
};

struct HttpResponse {
    std::string head;
    FileBody body;
    std::vector<LogEntry> logs;
};

// The response to GET path: 200 with the file projectFolder + path, or 404.
// A path that would leave the folder is refused with 404. Either is the
// last thing sent on its connection ("Connection: close"; a 404 carries no
// length, so the client learns its end from the end of the stream).
HttpResponse RespondToGet(const std::string& path, const std::string& projectFolder);

// "Content-Type: application/octet-stream\r\n" for an .apk (any case),
// "Content-Type: text/html\r\n" otherwise.
std::string_view ContentTypeLine(std::string_view path);

}  // namespace ze::link
