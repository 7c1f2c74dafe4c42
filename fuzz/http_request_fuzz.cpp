// Feeds arbitrary bytes to the HTTP request reader in pieces whose sizes the
// input chooses. Pieces must not matter; every request path is a GET path of
// at most 255 bytes without a space; the response to it never opens a file
// outside the served folder.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "link/core/http_responder.h"
#include "link/core/safe_path.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

struct Recorder : ze::link::HttpRequestReader::Events {
    std::vector<std::string> requests;
    void OnHttpRequest(const std::string& path) override { requests.push_back(path); }
    void WriteLog(std::string_view, ze::link::LogKind) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::size_t step = 1 + data[0] % 31;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    ze::link::HttpRequestReader whole;
    Recorder once;
    whole.Feed(bytes, once);

    ze::link::HttpRequestReader pieces;
    Recorder split;
    for (std::size_t at = 0; at < bytes.size(); at += step) {
        pieces.Feed(bytes.substr(at, step), split);
    }
    Check(once.requests == split.requests);
    Check(whole.RequestPath() == pieces.RequestPath());
    for (const std::string& path : once.requests) {
        Check(!path.empty() && path.size() < ze::link::kHttpPathSearch);
        Check(path.find(' ') == std::string::npos);
        const ze::link::HttpResponse response =
            ze::link::RespondToGet(path, "/nonexistent-ze-fuzz-folder/");
        Check(!response.body.IsOpen());
        Check(response.head == "HTTP/1.0 404 Not Found\r\n\r\n");
    }
    return 0;
}
