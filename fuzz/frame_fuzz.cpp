// Feeds arbitrary bytes to the command framer in pieces whose sizes the input
// chooses, and dispatches every frame. Pieces must not matter: the frames and
// overflows are the same as when the bytes come in one piece, each frame is
// shorter than the capacity and holds no ETX.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "link/core/command_framer.h"
#include "link/core/device_protocol.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

struct Recorder : ze::link::CommandFramer::Events {
    std::vector<std::string> frames;
    std::vector<std::string> overflows;
    void OnFrame(std::string_view text) override { frames.emplace_back(text); }
    void OnFrameOverflow(std::string_view assembled) override { overflows.emplace_back(assembled); }
};

struct Handler : ze::link::CommandHandler {
    std::size_t lines = 0;
    void WriteLog(std::string_view, ze::link::LogKind) override { ++lines; }
    void OnKeepAliveReceived() override {}
    void OnGetFile(const ze::link::GetFileRequest&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    // A small capacity reaches the overflow path with small inputs.
    const std::size_t capacity = 1 + data[0] % 64;
    const std::size_t step = 1 + data[1] % 17;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);

    ze::link::CommandFramer whole(capacity);
    Recorder once;
    whole.Feed(bytes, once);

    ze::link::CommandFramer pieces(capacity);
    Recorder split;
    for (std::size_t at = 0; at < bytes.size(); at += step) {
        pieces.Feed(bytes.substr(at, step), split);
    }
    Check(once.frames == split.frames);
    Check(once.overflows == split.overflows);
    Check(whole.InFrame() == pieces.InFrame() && whole.Fill() == pieces.Fill());
    for (const std::string& frame : once.frames) {
        Check(frame.size() < capacity);
        Check(frame.find('\x03') == std::string::npos);
        Handler handler;
        ze::link::HandleCommandText(frame, handler);
        Check(handler.lines >= 1);
    }
    for (const std::string& overflow : once.overflows) {
        Check(overflow.size() == capacity);
    }
    return 0;
}
