#include "link/core/http_responder.h"

#include "link/core/safe_path.h"
#include "link/core/socket_errors.h"

namespace ze::link {

using texts::Sjis;

HttpRequestReader::HttpRequestReader() : buffer_(kHttpLineCapacity) {}

void HttpRequestReader::Feed(std::string_view bytes, Events& events) {
    for (const char byte : bytes) {
        buffer_[fill_] = byte;
        const bool lineEnd = byte == '\n' && ((fill_ != 0 && buffer_[fill_ - 1] == '\r') ||
                                              (fill_ == 0 && crBeforeReset_));
        crBeforeReset_ = false;
        if (lineEnd) {
            const std::size_t length = fill_ == 0 ? 0 : fill_ - 1;
            fill_ = 0;
            HandleLine({buffer_.data(), length}, events);
            continue;
        }
        ++fill_;
        if (fill_ == kHttpLineCapacity) {
            crBeforeReset_ = byte == '\r';
            fill_ = 0;
            discarding_ = true;
        }
    }
}

void HttpRequestReader::HandleLine(std::string_view line, Events& events) {
    if (discarding_) {
        discarding_ = false;
        return;
    }
    if (line.empty()) {
        if (!requestPath_.empty()) {
            const std::string path = std::move(requestPath_);
            requestPath_.clear();
            events.OnHttpRequest(path);
        }
        return;
    }
    if (line.size() < 13 || !line.starts_with("GET ")) {
        return;
    }
    const std::string_view rest = line.substr(4, kHttpPathSearch);
    const std::size_t space = rest.find(' ');
    if (space == std::string_view::npos) {
        return;
    }
    requestPath_ = rest.substr(0, space);
    if (requestPath_ == "/") {
        requestPath_ = "/index.html";
    }
    events.WriteLog(Sjis("Httpリクエスト (") + requestPath_ + ")", LogKind::Received);
}

std::string_view ContentTypeLine(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    if (dot != std::string_view::npos) {
        const std::string_view extension = path.substr(dot + 1);
        if (extension.size() == 3 && (extension[0] | 0x20) == 'a' && (extension[1] | 0x20) == 'p' &&
            (extension[2] | 0x20) == 'k') {
            return "Content-Type: application/octet-stream\r\n";
        }
    }
    return "Content-Type: text/html\r\n";
}

HttpResponse RespondToGet(const std::string& path, const std::string& projectFolder) {
    HttpResponse response;
    OpenResult opened = OpenResult::Missing;
    if (StaysInsideFolder(path, true)) {
        opened = OpenFileBody(projectFolder + path, response.body);
    } else {
        response.logs.push_back(
            {Sjis("プロジェクトフォルダの外を指すパスなので応答しません。(") + path + ")",
             LogKind::Error});
    }
    if (opened != OpenResult::Opened) {
        response.head = "HTTP/1.0 404 Not Found\r\n\r\n";
        response.logs.push_back({Sjis("Http応答 (") + path + ") 404 Not Found", LogKind::Error});
        return response;
    }
    const std::string size = std::to_string(response.body.Size());
    response.head = "HTTP/1.0 200 OK\r\nConnection: close\r\n";
    response.head += ContentTypeLine(path);
    response.head += "Content-Length: " + size + "\r\n\r\n";
    response.logs.push_back({Sjis("Http応答 (") + path + ") " + size + "Byte", LogKind::Sent});
    return response;
}

}  // namespace ze::link
